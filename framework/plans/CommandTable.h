#pragma once
// The CORVANE-3 plan command table: the optional commands a plan (up to three) or a channel
// (one terrestrial, three satellite) carries. In memory a command is its mnemonic; the editors'
// combos show the labels; generated scripts name a command by its plan offset, its byte position
// in the COMMAND3 list (2 bytes a row, 2 more after each row that takes a parameter).
#include <cstdint>
#include <string_view>

struct CommandRow {
  const char* label;
  const char* mnemonic;
  int32_t code;          // low 16 bits used
  int32_t parameter;     // 0xFFFF for the rows that take none
  uint16_t planOffset;
  bool hasParameter;
};

constexpr int kCommandRows = 56;
constexpr int kNoCommand = 55;  // " -none-", the empty mnemonic
extern const CommandRow CommandTable[kCommandRows];

// A family's command table and its lookups: the rows, the last of which is the "no command"
// row, and the folding of codes before they are compared: a code whose bits under `foldMask`
// equal `foldValue` is read as `foldValue` (mask 0: nothing folds). Texts compare whole and
// case-sensitively; every search stops at its first hit.
class TCommandTable {
 public:
  constexpr TCommandTable(const CommandRow* rows, int count, int32_t foldMask = 0, int32_t foldValue = 0)
      : rows_(rows), count_(count), foldMask_(foldMask), foldValue_(foldValue) {}

  int Rows() const { return count_; }
  int NoCommandRow() const { return count_ - 1; }
  // A row outside 0..Rows()-1 reads as the "no command" row.
  const CommandRow& Row(int row) const { return rows_[row >= 0 && row < count_ ? row : NoCommandRow()]; }
  int32_t Fold(int32_t code) const;

  int IndexOfMnemonic(std::string_view mnemonic) const;
  int16_t PlanOffsetOfMnemonic(std::string_view mnemonic) const;
  // Code of the mnemonic's row; the "no command" row's code (0xFFFF) when none has it.
  int32_t CodeOfMnemonic(std::string_view mnemonic) const;
  // The first row with the (folded) code; the "no command" row when none has it.
  const CommandRow& RowOfCode(int32_t code) const;
  const char* MnemonicOfPlanOffset(uint16_t offset) const;
  int16_t PlanOffsetOfCode(int32_t code, int32_t& parameter) const;
  uint16_t PlanOffsetOfCodeParameter(int32_t code, int32_t parameter) const;

 private:
  const CommandRow* rows_;
  int count_;
  int32_t foldMask_;
  int32_t foldValue_;
};

// The CORVANE-3 table, which folds nothing; the free functions below look it up.
extern const TCommandTable kCv3CommandTable;

// Row of the exact (case-sensitive) mnemonic; kNoCommand when none has it.
int CommandIndexOfMnemonic(std::string_view mnemonic);
// Plan offset of the mnemonic's row as a signed 16-bit value; -1 when none has it (the empty
// mnemonic's row has offset 0xFFFF, so it gives -1 as well).
int16_t PlanOffsetOfMnemonic(std::string_view mnemonic);

// Columns of a row; a row outside 0..55 reads as row 55.
bool CommandHasParameter(int row);
const char* CommandLabel(int row);
const char* CommandMnemonic(int row);
int32_t CommandCode(int row);
int32_t CommandParameter(int row);
uint16_t CommandPlanOffset(int row);

// Mnemonic of the first row at that plan offset; the empty mnemonic when no row starts there
// (an offset may fall on a row's parameter).
const char* MnemonicOfPlanOffset(uint16_t offset);
// Plan offset of the first row with the code (low 16 bits compared), and its parameter through
// `parameter` (0xFFFF when the row takes none); -1 when no row has the code, `parameter` unset.
int16_t PlanOffsetOfCode(int32_t code, int32_t& parameter);
// Plan offset of the row with the code and parameter; when only the code matches, the offset of
// the last row with that code; 0xFFFF when no row has the code.
uint16_t PlanOffsetOfCodeParameter(int32_t code, int32_t parameter);
