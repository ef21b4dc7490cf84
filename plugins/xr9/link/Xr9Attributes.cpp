#include "Xr9Attributes.h"

#include "Format.h"

namespace cv::xr9 {

const TAttributeEntry AttributeTable[AttributeRows] = {
    {0, "PAL  BG", 1, {0x01, 0x01, 0x00, 0x00}},
    {1, "PAL  DK", 1, {0x01, 0x02, 0x00, 0x00}},
    {2, "PAL  I ", 1, {0x01, 0x03, 0x00, 0x00}},
    {3, "PAL  M ", 1, {0x01, 0x04, 0x01, 0x00}},
    {4, "PAL  N ", 1, {0x01, 0x05, 0x00, 0x00}},
    {5, "NTSC M ", 1, {0x03, 0x04, 0x01, 0x00}},
    {6, "SECAM L", 1, {0x02, 0x06, 0x00, 0x00}},
    {7, "SECAM BG", 1, {0x02, 0x01, 0x00, 0x00}},
    {8, "SECAM DK", 1, {0x02, 0x02, 0x00, 0x00}},
    {9, "SAT.ANLOG", 1, {0x00, 0x00, 0x00, 0x00}},
    {10, "ANALOG", 2, {0x03, 0x00, 0x00, 0x00}},
    {11, "DVB-T/H", 2, {0x00, 0x00, 0x00, 0x00}},
    {12, "DVB-C", 2, {0x01, 0x00, 0x00, 0x00}},
    {13, "DVB-S", 2, {0x02, 0x00, 0x00, 0x00}},
    {45, "8-VSB", 2, {0x05, 0x00, 0x00, 0x00}},
    {46, "ITU J.83B", 2, {0x06, 0x00, 0x00, 0x00}},
    {47, "DSS", 2, {0x04, 0x00, 0x00, 0x00}},
    {54, "DVB-S2", 2, {0x07, 0x00, 0x00, 0x00}},
    {14, "EXTERNAL LNB", 3, {0x00, 0x00, 0x00, 0x00}},
    {15, "5V LNB", 3, {0x01, 0x00, 0x00, 0x00}},
    {16, "13V LNB", 3, {0x02, 0x00, 0x00, 0x00}},
    {17, "15V LNB", 3, {0x03, 0x00, 0x00, 0x00}},
    {18, "18V LNB", 3, {0x04, 0x00, 0x00, 0x00}},
    {19, "24V LNB", 3, {0x05, 0x00, 0x00, 0x00}},
    {20, "13V+22kHz LNB", 3, {0x02, 0x01, 0x00, 0x00}},
    {21, "18V+22kHz LNB", 3, {0x04, 0x01, 0x00, 0x00}},
    {22, " BW", 4, {0x00, 0x00, 0x00, 0x00}},
    {23, " SYMB.RATE", 5, {0x00, 0x00, 0x00, 0x00}},
    {24, "SP. INV. OFF", 6, {0x00, 0x00, 0x00, 0x00}},
    {25, "SP. INV. ON", 6, {0x01, 0x00, 0x00, 0x00}},
    {26, "16 QAM CONSTEL.", 7, {0x00, 0x00, 0x00, 0x00}},
    {27, "32 QAM CONSTEL.", 7, {0x01, 0x00, 0x00, 0x00}},
    {28, "64 QAM CONSTEL.", 7, {0x02, 0x00, 0x00, 0x00}},
    {29, "128 QAM CONSTEL.", 7, {0x03, 0x00, 0x00, 0x00}},
    {30, "256 QAM CONSTEL.", 7, {0x04, 0x00, 0x00, 0x00}},
    {55, "QPSK CONSTEL.", 7, {0x05, 0x00, 0x00, 0x00}},
    {56, "8PSK CONSTEL.", 7, {0x06, 0x00, 0x00, 0x00}},
    {31, "8K CARRIERS", 8, {0x01, 0x00, 0x00, 0x00}},
    {32, "2K CARRIERS", 8, {0x00, 0x00, 0x00, 0x00}},
    {57, "4K CARRIERS", 8, {0x02, 0x00, 0x00, 0x00}},
    {33, "1/4 GUARD", 9, {0x00, 0x00, 0x00, 0x00}},
    {34, "1/8 GUARD", 9, {0x01, 0x00, 0x00, 0x00}},
    {35, "1/16 GUARD", 9, {0x02, 0x00, 0x00, 0x00}},
    {36, "1/32 GUARD", 9, {0x03, 0x00, 0x00, 0x00}},
    {37, " FR OFFSET", 10, {0x00, 0x00, 0x00, 0x00}},
    {38, "1/2 CODE RATE", 11, {0x00, 0x00, 0x00, 0x00}},
    {39, "2/3 CODE RATE", 11, {0x01, 0x00, 0x00, 0x00}},
    {40, "3/4 CODE RATE", 11, {0x02, 0x00, 0x00, 0x00}},
    {41, "4/5 CODE RATE", 11, {0x03, 0x00, 0x00, 0x00}},
    {42, "5/6 CODE RATE", 11, {0x04, 0x00, 0x00, 0x00}},
    {43, "7/8 CODE RATE", 11, {0x05, 0x00, 0x00, 0x00}},
    {44, "6/7 CODE RATE", 11, {0x06, 0x00, 0x00, 0x00}},
    {48, "1/4 CODE RATE", 11, {0x07, 0x00, 0x00, 0x00}},
    {49, "1/3 CODE RATE", 11, {0x08, 0x00, 0x00, 0x00}},
    {50, "2/5 CODE RATE", 11, {0x09, 0x00, 0x00, 0x00}},
    {51, "3/5 CODE RATE", 11, {0x0A, 0x00, 0x00, 0x00}},
    {52, "8/9 CODE RATE", 11, {0x0B, 0x00, 0x00, 0x00}},
    {53, "9/10 CODE RATE", 11, {0x0C, 0x00, 0x00, 0x00}},
    {58, " NULL ", 255, {0xFF, 0x00, 0x00, 0x00}},
};

namespace {

uint32_t Le32(const uint8_t v[4]) {
  return uint32_t(v[0]) | uint32_t(v[1]) << 8 | uint32_t(v[2]) << 16 | uint32_t(v[3]) << 24;
}

bool IsFreeNumberCode(int code) { return code == AttrBw || code == AttrSymbolRate || code == AttrFrOffset; }

bool SameValue(const uint8_t a[4], const uint8_t b[4]) {
  return a[0] == b[0] && a[1] == b[1] && a[2] == b[2] && a[3] == b[3];
}

}  // namespace

uint32_t TChanAttribute::Number() const { return Le32(value); }

TChanAttribute TChanAttribute::Of(uint8_t code, uint32_t v) {
  TChanAttribute a;
  a.code = code;
  for (int i = 0; i < 4; ++i) a.value[i] = uint8_t(v >> (8 * i));
  return a;
}

const TAttributeEntry* AttributeById(int id) {
  for (const auto& row : AttributeTable)
    if (row.id == id) return &row;
  return nullptr;
}

uint8_t AttributeCodeOfId(int id) {
  const TAttributeEntry* row = AttributeById(id);
  return row ? row->code : 255;
}

int FindAttributeIndex(int id, int code) {
  int index = 0;
  for (const auto& row : AttributeTable) {
    if (row.code != code) continue;
    if (row.id == id) return index;
    ++index;
  }
  return -1;
}

int AttributeIdOf(const TChanAttribute& attr) {
  for (const auto& row : AttributeTable) {
    if (row.code != attr.code) continue;
    if (IsFreeNumberCode(row.code) || SameValue(row.value, attr.value)) return row.id;
  }
  return -1;
}

std::string BandwidthText(const uint8_t value[4]) { return Format("%.2f MHz", Le32(value) * 0.001); }

std::string SymbolRateText(const uint8_t value[4]) { return Format("%5d", Le32(value) / 1000); }

std::string FrequencyOffsetText(const uint8_t value[4]) {
  // The offset is signed on the instrument's side; the text keeps its sign.
  return Format("%5d", int32_t(Le32(value)));
}

std::string AttributeToText(const TChanAttribute& attr) {
  std::string number;
  switch (attr.code) {
    case AttrBw: number = BandwidthText(attr.value); break;
    case AttrSymbolRate: number = SymbolRateText(attr.value); break;
    case AttrFrOffset: number = FrequencyOffsetText(attr.value); break;
    default:
      for (const auto& row : AttributeTable)
        if (row.code == attr.code && SameValue(row.value, attr.value)) return row.name;
      return {};
  }
  for (const auto& row : AttributeTable)
    if (row.code == attr.code) return number + row.name;
  return number;
}

bool IsNonDvbSignalType(uint8_t typeValue) { return typeValue == 3 || (typeValue >= 4 && typeValue != 7); }

std::vector<std::string> AttributeNamesOfCode(int code) {
  std::vector<std::string> names;
  for (const auto& row : AttributeTable)
    if (row.code == code) names.emplace_back(row.name);
  return names;
}

void FindListAttribute(const TChanAttribute* list, int code, TChanAttribute& out) {
  out = TChanAttribute::Marker();
  for (int i = 0; i < AttrListSize && !list[i].IsMarker(); ++i) {
    if (list[i].code == code) {
      out = list[i];
      return;
    }
  }
}

std::string ListAttributeText(const TChanAttribute* list, int code) {
  std::string text;
  for (int i = 0; i < AttrListSize && !list[i].IsMarker(); ++i)
    if (list[i].code == code) text = AttributeToText(list[i]);
  return text;
}

}  // namespace cv::xr9
