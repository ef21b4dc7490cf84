#pragma once
// The memory text file: a comment block that explains the codes, a column header row, and one
// 82-character row per memory, fields separated by the list separator, decimals written with
// the decimal separator. Plain C++; the memory editor reads and writes whole files with these.
#include <string>
#include <vector>

#include "MemoryRecord.h"

namespace cv::mem {

constexpr size_t kFileRowLength = 82;

// Lines 1 to 20: the legend with `list` in place of every separator, the rule, the column row.
std::string MemoryFileHeader(char list);
// The row of `record` (without its LF), exactly 82 characters.
std::string FormatFileRow(const MemoryRecord& record, char decimal, char list);

// Takes one row split into its fields (decimal commas already turned into points) into `record`.
struct ParsedRow {
  bool numberOk = false;  // N is 1..99
  int index = -1;         // N - 1 as read (-1 when N is no number)
  std::string numberText;
  MemErrors errors;
};
ParsedRow ParseFileRow(const std::vector<std::string>& fields, MemoryRecord& record);

// The plain lines of a memory file's content, as the reader takes them: LF ends a line and a
// line is cut at 253 characters.
std::vector<std::string> FileLines(const std::string& content);
// Whether the reader skips this line: a comment ('#'), a line that begins with CR, or a blank one.
bool SkippedFileLine(const std::string& line);
// A row as the reader splits it: ended at CR or LF, cut after 82 characters.
std::string RowText(const std::string& line);

}  // namespace cv::mem
