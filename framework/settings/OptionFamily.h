#pragma once
// What a meter family's configuration dialog differs in: its table of option records (in the
// order of its configuration memory), the rotary byte's register, how the "*?VE" reply gives the
// version text and how many identity lines lead the list. A
// table any family fills; the CORVANE-3's values are the default. No widget here.
#include <string>
#include <vector>

namespace cv::settings {

// One option record's source: name, status-word flag and the four register codes (four hex
// digits of address, three of byte count; empty: no query).
struct TOptionDef {
  std::string name;
  bool hasParts = false;
  std::string status, description, detail, slot;
};

enum class VersionForm {
  AfterMark,  // " v" and what follows the 'V' after "*VE"
  FixedCut,   // the reply cut to 12 characters: " v" and its fifth to twelfth characters
};

struct TOptionFamily {
  std::vector<TOptionDef> records;
  unsigned rotaryAddress = 0x1306;
  VersionForm version = VersionForm::AfterMark;
  // The leading lines (model, make, serial) every meter answers; a report with no more lines
  // than these says "No options detected" (0: only a report without any line does).
  size_t identityLines = 0;
  // The model text comes in two records, model and second model: both lead the list, the model
  // label joins them and the version goes on the second.
  bool secondModelLine = false;

  // The leading lines that lose their blanks and fill the labels; the list shows the rest.
  size_t LabelLines() const { return secondModelLine ? 4 : 3; }
  size_t VersionLine() const { return secondModelLine ? 1 : 0; }
  // A rotary read-back that gets no reply or a bad one counts as clockwise (else it confirms
  // neither direction).
  bool unreadRotaryIsClockwise = true;
  // A report without any line still ends with the closing block.
  bool closeEmptyReport = false;
  // The meter has the rotary selector byte: the dialog reads it and offers the direction and
  // the restart (else neither the group nor Apply exists and the byte is never asked).
  bool rotarySelector = true;
  // The saved report's first line, line end included; empty: the message table's.
  std::string reportFirstLine{};
};

const TOptionFamily& Corvane3OptionFamily();

}  // namespace cv::settings
