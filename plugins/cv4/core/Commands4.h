#pragma once
// The CORVANE-4 command table: the optional commands of a plan (up to three) or a channel (one
// terrestrial, three satellite). Plans and channels hold mnemonics, the editors show the
// descriptions, scripts name a command by its plan offset in the instrument's command-code list
// (2 bytes a row, 2 more after a row with a parameter). A digital standard written with any
// middle digit (0x0106, 0x0116, ... 0x01F6, the CORVANE-3's 0x0136 among them) reads as "SY06".
#include <cstdint>
#include <string_view>

#include "CommandTable.h"

namespace cv::cv4 {

constexpr int kCommandRows = 58;
constexpr int kNoCommand = 57;  // " -none-", the empty mnemonic; ends the command-code list
extern const CommandRow CommandTable[kCommandRows];
extern const TCommandTable kCommands4;

// Row of the exact mnemonic; kNoCommand when none has it.
int CommandIndexOfMnemonic(std::string_view mnemonic);
// Plan offset of the mnemonic's row; -1 (0xFFFF) when none has it.
int16_t PlanOffsetOfMnemonic(std::string_view mnemonic);

// Columns of a row; an index above 57 reads as row 57. Rows without a parameter hold 0.
const char* CommandDescription(int row);
const char* CommandMnemonic(int row);
int32_t CommandCode(int row);
int32_t CommandParameter(int row);
uint16_t CommandPlanOffset(int row);
bool CommandHasParameter(int row);

// Mnemonic of the first row at the offset; the empty mnemonic when none starts there.
const char* MnemonicOfPlanOffset(uint16_t offset);
// Plan offset of the first row with the (folded) code, its parameter through `parameter` (0xFFFF
// for a row without one); 0xFFFF and `parameter` untouched when no row has the code.
uint16_t PlanOffsetOfCode(uint16_t code, uint16_t& parameter);
// Plan offset of the row with the (folded) code and the parameter; the last row with the code
// when none has the parameter; 0xFFFF when no row has the code.
uint16_t PlanOffsetOfCodeParameter(uint16_t code, uint16_t parameter);

}  // namespace cv::cv4
