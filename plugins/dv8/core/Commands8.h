#pragma once
// The DV-800 command table: the optional commands of a plan (up to three) or a channel (one
// terrestrial, three satellite). Plans and channels hold mnemonics, the editors show the
// descriptions, scripts name a command by its plan offset in the instrument's command-code list
// (2 bytes a row, 4 for a row with a parameter). The CORVANE-2 shares the lookups over a table of
// its own.
#include <cstdint>
#include <string_view>

#include "CommandTable.h"

namespace cv::dv8 {

constexpr int kCommandRows = 37;
constexpr int kNoCommand = 36;  // " -none-", the empty mnemonic; ends the command-code list
extern const CommandRow CommandTable[kCommandRows];
extern const TCommandTable kCommands8;

// Lookups over a family's table; the CORVANE-2 passes its own. Texts compare whole and
// case-sensitively, the first matching row wins, a row index past the end reads the last row.
struct CommandLookups {
  const TCommandTable& table;

  // Row of the mnemonic; the last row when none has it.
  int IndexOfMnemonic(std::string_view mnemonic) const { return table.IndexOfMnemonic(mnemonic); }
  // Plan offset of the mnemonic's row as a signed 16-bit value; -1 when none has it.
  int16_t PlanOffsetOfMnemonic(std::string_view mnemonic) const { return table.PlanOffsetOfMnemonic(mnemonic); }
  // Code of the mnemonic's row; 0xFFFF when none has it.
  int32_t CodeOfMnemonic(std::string_view mnemonic) const { return table.CodeOfMnemonic(mnemonic); }

  bool CommandHasParameter(int row) const { return table.Row(row).hasParameter; }
  const char* CommandDescription(int row) const { return table.Row(row).label; }
  const char* CommandMnemonic(int row) const { return table.Row(row).mnemonic; }
  int32_t CommandCode(int row) const { return table.Row(row).code; }
  // 0 for a row without a parameter.
  int32_t CommandParameter(int row) const { return table.Row(row).hasParameter ? table.Row(row).parameter : 0; }
  uint16_t CommandPlanOffset(int row) const { return table.Row(row).planOffset; }

  // Mnemonic of the first row at that offset; the empty mnemonic when no row starts there.
  const char* MnemonicOfPlanOffset(uint16_t offset) const { return table.MnemonicOfPlanOffset(offset); }
  // Offset of the first row with the code and, through `parameter`, its parameter (0xFFFF for a
  // row without one); -1 with `parameter` untouched when no row has the code.
  int16_t PlanOffsetOfCode(int32_t code, int32_t& parameter) const;
  // Offset of the row with the code and parameter, else of the last row with the code; 0xFFFF
  // when no row has the code.
  uint16_t PlanOffsetOfCodeParameter(int32_t code, int32_t parameter) const {
    return table.PlanOffsetOfCodeParameter(code, parameter);
  }
  // Description of the first row with the code; " -none-" when none has it.
  const char* CommandOfCode(int32_t code) const { return table.RowOfCode(code).label; }
};

inline constexpr CommandLookups kDv8Lookups{kCommands8};

}  // namespace cv::dv8
