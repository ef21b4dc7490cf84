#pragma once
// Channel and plan attributes of the TV MIRELTO analyser: the 5-byte record, the fixed table of
// the values an attribute may take with their display names, and the lookups over both.
#include <cstdint>
#include <string>
#include <vector>

namespace cv::xr9 {

// code (1 byte) and value (4 bytes); the same bytes in memory and in files. Code 255 ends a list.
struct TChanAttribute {
  uint8_t code = 255;
  uint8_t value[4] = {0xFF, 0, 0, 0};

  uint32_t Number() const;  // the value as a little-endian integer (codes 4, 5, 10)
  static TChanAttribute Of(uint8_t code, uint32_t value);
  static TChanAttribute Marker() { return {}; }  // FF FF 00 00 00
  bool IsMarker() const { return code == EndCode; }
  friend bool operator==(const TChanAttribute&, const TChanAttribute&) = default;

  static constexpr uint8_t EndCode = 255;
};
static_assert(sizeof(TChanAttribute) == 5);

// Attribute codes.
enum AttrCode : uint8_t {
  AttrSys = 1, AttrType = 2, AttrLnb = 3, AttrBw = 4, AttrSymbolRate = 5, AttrSpInv = 6,
  AttrConstellation = 7, AttrCarriers = 8, AttrGuard = 9, AttrFrOffset = 10, AttrCodeRate = 11,
};
// Values of the TYPE attribute (value byte 0).
constexpr uint8_t TypeAnalog = 3;

// Lists of attributes hold 15 positions: up to 14 records and the end marker.
constexpr int AttrListSize = 15;

struct TAttributeEntry {
  uint8_t id;
  char name[27];
  uint8_t code;
  uint8_t value[4];
};

constexpr int AttributeRows = 59;
extern const TAttributeEntry AttributeTable[AttributeRows];

const TAttributeEntry* AttributeById(int id);           // nullptr when no row has it
uint8_t AttributeCodeOfId(int id);                       // 255 when no row has it
int FindAttributeIndex(int id, int code);                // position among the rows of `code`, or -1
int AttributeIdOf(const TChanAttribute& attr);           // -1 when no row matches
std::string AttributeToText(const TChanAttribute& attr); // empty when no row matches
std::string BandwidthText(const uint8_t value[4]);       // "8.00 MHz"
std::string SymbolRateText(const uint8_t value[4]);      // "27500"
std::string FrequencyOffsetText(const uint8_t value[4]);
bool IsNonDvbSignalType(uint8_t typeValue);
// The names of the rows of `code` in table order (the items of the editor's combo boxes).
std::vector<std::string> AttributeNamesOfCode(int code);

// Searches of a 15-position list: the first record with `code` before the end marker, copied
// into `out`; out.code is 255 when there is none.
void FindListAttribute(const TChanAttribute* list, int code, TChanAttribute& out);
// The text of the list's record of `code`; the last such record before the marker wins.
std::string ListAttributeText(const TChanAttribute* list, int code);

}  // namespace cv::xr9
