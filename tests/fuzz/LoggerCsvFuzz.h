#pragma once
// The data logger's CSV file and the result sheet's file (the same file with the sheet's four
// report lines), built from a download as a family's meter fills it. Input: a first line
// "<list separator><decimal separator>[T]" (";", ",", tab or "|"; "," or ".") (T: time stamps were
// read), then lines "SR <*?SR reply>" (a memory), "TP <name>|<*?TP reply>" (a test point),
// "DL <*?DL reply>" (the cells, memory by memory for each test point in turn) and
// "RP <identification>|<client>|<equipment>|<observations>" (the sheet's report lines; without
// one the plain CSV file). Read back by a CSV reader that honours quotes, every line of the file
// has the heading's field count, and every test point's name and cells stand under their headings
// as the download holds them.
#include <algorithm>
#include <string>
#include <vector>

#include "FuzzSupport.h"
#include "LoggerCsv.h"

namespace cvfuzz {

namespace loggercsv {

using namespace cv::logger;

// One line's fields, a quoted field taken whole (a doubled quote is one quote).
inline std::vector<std::string> Fields(const std::string& line, char separator) {
  std::vector<std::string> fields(1);
  bool quoted = false;
  for (size_t i = 0; i < line.size(); ++i) {
    const char c = line[i];
    if (quoted) {
      if (c == '"' && i + 1 < line.size() && line[i + 1] == '"') fields.back() += '"', ++i;
      else if (c == '"') quoted = false;
      else fields.back() += c;
    } else if (c == '"' && fields.back().empty()) {
      quoted = true;
    } else if (c == separator) {
      fields.emplace_back();
    } else {
      fields.back() += c;
    }
  }
  return fields;
}

// The file's records: lines, a line break inside quotes kept in its record.
inline std::vector<std::string> Records(const std::string& text) {
  std::vector<std::string> records(1);
  bool quoted = false;
  for (char c : text) {
    if (c == '"') quoted = !quoted;
    if (c == '\n' && !quoted) records.emplace_back();
    else records.back() += c;
  }
  if (records.back().empty()) records.pop_back();
  return records;
}

}  // namespace loggercsv

inline void CheckLoggerCsv(const std::string& input, const cv::logger::TLoggerFamily& family) {
  using namespace cv::logger;
  using loggercsv::Fields;
  using loggercsv::Records;
  const std::vector<std::string> lines = Lines(input);
  if (lines.empty() || lines[0].size() < 2) return;
  TLoggerCsvStyle style;
  // Separators a locale gives; the texts may hold the list separator, which the writer quotes.
  const std::string lists = ";,\t|";
  style.listSeparator = lists.find(lines[0][0]) != std::string::npos ? lines[0][0] : ';';
  style.decimalSeparator = lines[0][1] == ',' && style.listSeparator != ',' ? ',' : '.';
  style.date = "10/12/2026";
  style.time = "08:00:00";

  MemoryTable memories;
  TPTable testPoints;
  TLoggerDownload d;
  d.family = &family;
  bool sheet = false;
  TLoggerReport report;
  d.timeColumns = lines[0].size() > 2 && lines[0][2] == 'T';
  std::vector<std::string> dataReplies;
  for (size_t i = 1; i < lines.size(); ++i) {
    const std::string& l = lines[i];
    const std::string rest = l.size() > 3 ? l.substr(3) : std::string();
    if (l.rfind("SR ", 0) == 0) {
      ParseMemoryReply(rest, memories, [](const std::string&) {}, family);
    } else if (l.rfind("TP ", 0) == 0 && d.TPCount() < kItems) {
      const size_t bar = rest.find('|');
      TLoggerTP& tp = testPoints[d.TPCount()];
      tp.name = rest.substr(0, std::min<size_t>(bar, kTPNameLength));
      const std::string reply = bar == std::string::npos ? std::string() : rest.substr(bar + 1);
      tp.timeStamp = reply.size() > 3 ? reply.substr(3, kTimeStampLength) : std::string();
      d.wantedTPs.push_back(d.TPCount());
      d.timeStamps.push_back(tp.timeStamp);
    } else if (l.rfind("DL ", 0) == 0) {
      dataReplies.push_back(rest);
    } else if (l.rfind("RP ", 0) == 0) {
      sheet = true;
      std::string* texts[] = {&report.identification, &report.client, &report.equipment, &report.observations};
      size_t at = 0;
      for (std::string* text : texts) {
        const size_t bar = std::min(rest.find('|', at), rest.size());
        *text = at < rest.size() ? rest.substr(at, bar - at) : std::string();
        at = bar + 1;
      }
    }
  }
  for (int m = 0; m < kItems; ++m) {
    if (memories[m].number == 0) continue;
    TLoggerMemory memory = memories[m];
    d.wantedMemories.push_back(m);
    d.memories.push_back(memory);
  }
  d.cells.assign(d.memories.size(), std::vector<std::string>(d.timeStamps.size()));
  size_t next = 0;
  for (int t = 0; t < d.TPCount(); ++t)
    for (int m = 0; m < d.MemoryCount(); ++m)
      if (next < dataReplies.size())
        d.cells[m][t] = ParseDataReply(d.memories[m], dataReplies[next++], style.decimalSeparator, family);

  const std::string text = CsvFileText(d, testPoints, style, sheet ? &report : nullptr);
  // The "##" lines open the file; a data line may begin with "##" too (a time stamp's bytes).
  std::vector<std::vector<std::string>> rows;
  bool opening = true;
  for (const std::string& record : Records(text)) {
    std::vector<std::string> fields = Fields(record, style.listSeparator);
    // A report line holding the separator or a quote is one quoted cell.
    opening = opening && fields[0].rfind("##", 0) == 0;
    if (!opening) rows.push_back(std::move(fields));
  }
  FUZZ_CHECK(rows.size() == 5 + static_cast<size_t>(d.TPCount()));
  const size_t width = rows[4].size();  // the "Level:" heading
  for (const auto& row : rows) FUZZ_CHECK(row.size() == width);
  const size_t first = d.timeColumns ? 2 : 0;  // the test point's column
  FUZZ_CHECK(width == first + 1 + d.memories.size() + 1);
  for (int t = 0; t < d.TPCount(); ++t) {
    const auto& row = rows[5 + t];
    FUZZ_CHECK(row[first] == testPoints[d.wantedTPs[t]].name);
    for (int m = 0; m < d.MemoryCount(); ++m) FUZZ_CHECK(row[first + 1 + m] == d.cells[m][t]);
  }
}

}  // namespace cvfuzz
