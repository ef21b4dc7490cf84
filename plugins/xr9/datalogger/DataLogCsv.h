#pragma once
// The data logger's CSV files: every measurement of every channel, or the one measurement per
// channel that the open sheet shows. Windows-1252 bytes appended to a string the caller saves;
// cells separated by the list separator (one after every cell), numbers with the decimal
// separator, lines ended by a single line feed.
#include <functional>
#include <string>

#include "AppServices.h"
#include "CsvCell.h"
#include "DataLogFile.h"

namespace cv::xr9 {

// What the CSV and report writers ask of the open measurement sheet.
class SheetQuery {
 public:
  virtual ~SheetQuery() = default;
  virtual int SelectedMeasIndex(int slot, int channel) const = 0;
  virtual bool IsSatIfTest() const = 0;
  virtual bool AllMeasurements() const = 0;
};

struct CsvContext {
  char decimalSeparator = ',';
  char listSeparator = ';';
  std::string date;                      // today, as the equipment object writes it
  Prompter* prompter = nullptr;          // the one in force when null
  LogSink dlMemo;                        // "DataLogger index out of bounds"
  std::function<int(int slot, int channel)> selectedMeas;  // 0 for every channel when empty
};

// Both give false when nothing or only part of the file was written (a slot out of range, an
// empty channel entry); the text written so far stays in `out`.
bool WriteCSVAllMeas(std::string& out, const TDataLogStore& store, int slot, const CsvContext& ctx);
bool WriteCSVSelectedMeas(std::string& out, const TDataLogStore& store, int slot, const CsvContext& ctx);

using ::cv::CsvCell;

}  // namespace cv::xr9
