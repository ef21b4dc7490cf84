// CSV tables as the viewer reads them, with either list separator; the viewer's limits hold
// whatever the file holds. Only a quoted cell keeps a separator or a line break, or is empty; it
// may run on past the line's piece into the next one, never further.
#include <sstream>

#include "CsvTable.h"
#include "FuzzSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string input = cvfuzz::Text(data, size);
  const bool quotes = input.find('"') != std::string::npos;
  for (char separator : {';', ','}) {
    std::istringstream in(input);
    const cv::CsvTable t = cv::ReadCsvTable(in, separator);
    FUZZ_CHECK(t.rows.size() <= static_cast<size_t>(cv::kCsvMaxRows));
    int widest = 0;
    for (const auto& row : t.rows) {
      FUZZ_CHECK(row.size() <= static_cast<size_t>(cv::kCsvMaxColumns));
      widest = std::max(widest, static_cast<int>(row.size()));
      for (const std::string& field : row) {
        FUZZ_CHECK(field.size() < 2 * static_cast<size_t>(cv::kCsvPieceLength));
        if (!quotes)
          FUZZ_CHECK(!field.empty() && field.size() <= static_cast<size_t>(cv::kCsvPieceLength) &&
                     field.find(separator) == std::string::npos && field.find('\n') == std::string::npos);
      }
    }
    FUZZ_CHECK(t.columns == widest);
  }
  return 0;
}
