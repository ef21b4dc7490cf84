#pragma once
// CORVANE canalizations coming into the TV MIRELTO plan editor: the family's own CORVANE command
// table with its lookups, the channel record built by band letter, the compaction of command
// slots, the DIRECTORY3 rewrite and the conversion of a CORVANE command into an attribute. Plain
// data walked by plain code; the reading itself is TPlanIn's.
#include <cstdint>
#include <string>
#include <string_view>

#include "Xr9Attributes.h"
#include "Xr9PlanEditor.h"

namespace cv::xr9 {

struct CommandRow {
  char description[64];
  char mnemonic[16];
  uint32_t code;
  uint32_t parameter;
  uint16_t planOffset;  // byte position of the command in a CORVANE channel's command area
  uint8_t takesParameter;
  uint8_t spare;
};

constexpr int CorvaneCommandRows = 60;
extern const CommandRow CorvaneCommandTable[CorvaneCommandRows];

// Lookups; each takes the first matching row.
// Plan offset of the mnemonic as a signed 16-bit value: -1 when no row has it, and for the empty
// mnemonic, whose row sits at offset 0xFFFF.
int16_t PlanOffsetOfMnemonic(std::string_view mnemonic);
uint32_t ParameterOfMnemonic(std::string_view mnemonic);    // 65535 when no row has it
uint32_t CodeOfMnemonic(std::string_view mnemonic);         // 65535 when no row has it
uint8_t TakesParameterOfMnemonic(std::string_view mnemonic);  // 0 when no row has it
// The last row's (empty) mnemonic for an offset no row has.
const char* MnemonicOfPlanOffset(uint16_t offset);
// Any code whose bits outside 0x00F0 are 0x0106 counts as 0x0106 (DIGITAL) in the next two.
// `parameter` is the row's parameter when it takes one, else 65535; 65535 when no row has the
// code (`parameter` then 65535 too).
uint16_t PlanOffsetOfCode(uint32_t code, uint32_t& parameter);
// The row with both; else the last row with the code; 65535 when no row has the code.
uint16_t PlanOffsetOfCodeParameter(uint32_t code, uint32_t parameter);

// A command as an attribute; false (code 255, value FF 00 00 00) when it gives none.
bool LnbCommandToAttribute(uint32_t code, TChanAttribute& out);
bool SystemCommandToAttribute(uint32_t code, char band, TChanAttribute& out);
bool BandwidthCommandToAttribute(uint32_t code, uint32_t parameter, TChanAttribute& out);
bool CommandToAttribute(uint32_t code, uint32_t parameter, char band, TChanAttribute& out);
// The mnemonic through the table (its code, and its parameter when the row takes one) into an
// attribute.
bool MnemonicToAttribute(std::string_view mnemonic, char band, TChanAttribute& out);

// Keeps, in order, the command slots whose mnemonic the table knows (the empty one does not
// count), moved forward; the slots left behind are emptied.
void CompactPlanCommands(ImportSlot& plan);
void CompactChannelCommands(TChanXR9CV& channel, int count);

// Real numbers of the import as the whole numbers they are cut to: toward zero, a NaN as 0 and
// a value beyond the type's range as its nearest end.
uint32_t TruncU32(double value);
int32_t TruncI32(double value);

}  // namespace cv::xr9
