#pragma once
// The data logger's CSV file: line 1 (origin, date and time), the sheet's four report lines, the
// five heading lines of the downloaded memories and one line per downloaded test point. Every
// field, the last included, is followed by the list separator; a field holding the separator, a
// double quote or a line break is quoted, so that every value stays under its memory's heading.
// Texts stay Windows-1252 bytes.
#include <string>

#include "LoggerRecords.h"

namespace cv::logger {

struct TLoggerReport {  // the result sheet's four report lines
  std::string identification, client, equipment, observations;
};

struct TLoggerCsvStyle {
  char listSeparator = ';';
  char decimalSeparator = ',';
  std::string date;  // DateString
  std::string time;  // TimeString
};

// The five heading lines (memory numbers to measurement and unit).
std::string WriteCSVHeader(const TLoggerDownload& download, const TLoggerCsvStyle& style);
// The whole file; `report` adds the sheet's lines after line 1.
std::string CsvFileText(const TLoggerDownload& download, const TPTable& testPoints, const TLoggerCsvStyle& style,
                        const TLoggerReport* report = nullptr);

enum class CsvSave { Saved, NotOpened, NotWritten };
// Writes `text` through a temporary file renamed over `path` after a complete write: a failed
// save leaves an existing file whole. `error` gets the system's reason.
CsvSave SaveCsvText(const std::string& path, const std::string& text, std::string& error);

}  // namespace cv::logger
