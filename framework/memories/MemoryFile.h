#pragma once
// The memory text file: a comment block that explains the codes, a column header row, and one
// 82-character row per memory, fields separated by the list separator, decimals written with
// the decimal separator. Plain C++; the memory editor reads and writes whole files with these.
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "MemoryRecord.h"

namespace cv::mem {

constexpr size_t kFileRowLength = 82;

// The file's columns in header order; every column but the first follows a separator. A
// CORVANE-3 row holds the first 24, a family with a DiSEqC setting all 25.
enum FileColumn { cN, cLabel, cBand, cColor, cStd, cCarriers, cSpecInv, cFreq, cChFr, cNPlan, cCodePlan, cUnits,
                  cLnbSup, cMeas, cFrame, cSound, cSoundFreq, cBw, cLnbOsc, cCodeRate, cModulation, cGuardInt,
                  cSymRate, cCnRef, cDiseqC, kFileColumns };
constexpr int kCv3FileColumns = cDiseqC;

// The legend's lines with `list` in place of every "%c".
std::string ExpandLegend(const std::vector<const char*>& lines, char list);
// The rule of 58 '#' and the column row ('#', then each of the first `columns` labels and `list`).
std::string FileColumnRows(int columns, char list);
// A row of `columns` columns: blanks, the separators in place.
std::string BlankFileRow(int columns, char list);
// Copies `text` into its column of `row`, cut at the column's width.
void PutColumn(std::string& row, int column, const std::string& text);
// A field's first character, NUL for an empty one.
inline char FirstOf(const std::string& field) { return field.empty() ? '\0' : field[0]; }
// sscanf "%Nd": blanks skipped, then at most `width` characters of an optional sign and digits.
std::optional<int> ScanFieldInt(const std::string& field, size_t width);

// A file row's band and measure: the measure folded as the instruments fold it (a specific
// measure kept under its generic code, flagged), then checked against the band.
void ReadRowBandAndMeasure(const std::string& band, const std::string& meas, MemoryRecord& r, MemErrors& e);
// A row's band and measure for a family that keeps every measure code as it is: no folding,
// the measure's family checked against the band.
void ReadRowMeasureAsIs(const std::string& band, const std::string& meas, MemoryRecord& r, MemErrors& e,
                        const RecordRules& rules);
// A row's plan number ("%2d"), 0..`planMax`; a field without a number has its own error.
void ReadRowPlan(const std::string& field, int planMax, MemoryRecord& r, MemErrors& e);
// A decimal number; a blank field reads as 0 and one that is no number as NaN, which every range
// check refuses.
float FieldReal(const std::string& field);

// The CORVANE-3 legend, lines 1 to 18, one format a line; a family whose legend differs in a line
// copies it and replaces that line.
std::vector<const char*> Cv3Legend();
// Lines 1 to 20: the legend with `list` in place of every separator, the rule, the column row.
std::string MemoryFileHeader(char list);
// What a family's row holds otherwise than the CORVANE-3's: all 25 columns (the DiSEqC setting
// last), and the spectral inversion of a BER COFDM memory.
struct FileRowForm {
  int columns = kCv3FileColumns;
  bool cofdmSpecInv = false;
};
// The row of `record` (without its LF): 82 characters, 84 with 25 columns.
std::string FormatFileRow(const MemoryRecord& record, char decimal, char list, const FileRowForm& form = {});

// Takes one row split into its fields (decimal commas already turned into points) into `record`.
struct ParsedRow {
  bool numberOk = false;  // N is 1..99
  int index = -1;         // N - 1 as read (-1 when N is no number)
  std::string numberText;
  MemErrors errors;
};
ParsedRow ParseFileRow(const std::vector<std::string>& fields, MemoryRecord& record, const RecordRules& rules = {});
// The numbers every family's row carries after the measure's settings, each checked: the symbol
// rate (BER QPSK and QAM) or the manual sound frequency, the bandwidth, the LNB oscillator and the
// C/N reference frequency. `fields` holds every column.
void ParseRowValues(const std::vector<std::string>& fields, MemoryRecord& record, MemErrors& errors,
                    const RecordRules& rules = {});

// The plain lines of a memory file's content, as the reader takes them: LF ends a line and a
// line is cut at `maxLength` characters.
std::vector<std::string> FileLines(const std::string& content, size_t maxLength = 253);
// Whether the reader skips this line: a comment ('#'), a line that begins with CR, or a blank one.
bool SkippedFileLine(const std::string& line);
// A row as the reader splits it: ended at CR or LF, cut after `rowLength` characters.
std::string RowText(const std::string& line, size_t rowLength = kFileRowLength);

// A row split into its fields by `split` (the equipment's field splitter). A label may hold the
// list separator, which leaves its row with more separators than its `columns` need: the surplus
// ones that fit within the label's column are the label's, and its field gets them back.
using FieldSplitter = std::function<std::vector<std::string>(const std::string&)>;
std::vector<std::string> SplitFileRow(const std::string& row, int columns, char list, const FieldSplitter& split);

}  // namespace cv::mem
