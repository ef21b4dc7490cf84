#pragma once
// The generic HTML report of one loaded data-logger file: four test points across and a page
// size of channels down each page, with every measurement of a channel or the one the open
// measurement sheet selects. Written as Windows-1252 bytes appended to a string.
#include <functional>
#include <string>

#include "DataLogCsv.h"
#include "DataLogFile.h"
#include "IniFile.h"

namespace cv::xr9 {

struct ReportInfo {
  std::string identification;
  std::string address;
  std::string observations;
};

struct GenericReportContext {
  const IniFile* ini = nullptr;  // the host's INI file; every key takes its default without one
  int channelsPerPageAll = 7;
  int channelsPerPageSelected = 50;
  std::string date;  // today, as the equipment object writes it
  std::string time;  // hours:minutes
  ReportInfo info;
  LogSink dlMemo;    // "DataLogger index out of bounds"
  std::function<int(int slot, int channel)> selectedMeas;  // 0 for every channel when empty
};

inline constexpr int kTestPointsPerPage = 4;

// False, with the log line, for a slot out of range.
bool WriteGenericReportAll(std::string& out, const TDataLogStore& store, int slot,
                           const GenericReportContext& ctx);
bool WriteGenericReportSelected(std::string& out, const TDataLogStore& store, int slot,
                                const GenericReportContext& ctx);
// One page's table from test point `firstPoint` and channel `firstChannel`.
void WriteGenericTable(std::string& out, const TDataLogStore& store, int slot, int firstPoint,
                       int firstChannel, bool selected, const GenericReportContext& ctx);

// The head every HTML report shares, up to and including "<body>\n".
std::string HtmlReportHead(const std::string& styleLines, const std::string& title);

}  // namespace cv::xr9
