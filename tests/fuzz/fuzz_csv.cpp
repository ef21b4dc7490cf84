// CSV tables as the viewer reads them, with either list separator; the viewer's limits hold
// whatever the file holds.
#include <sstream>

#include "CsvTable.h"
#include "FuzzSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string input = cvfuzz::Text(data, size);
  for (char separator : {';', ','}) {
    std::istringstream in(input);
    const cv::CsvTable t = cv::ReadCsvTable(in, separator);
    FUZZ_CHECK(t.rows.size() <= static_cast<size_t>(cv::kCsvMaxRows));
    int widest = 0;
    for (const auto& row : t.rows) {
      FUZZ_CHECK(row.size() <= static_cast<size_t>(cv::kCsvMaxColumns));
      widest = std::max(widest, static_cast<int>(row.size()));
      for (const std::string& field : row) {
        FUZZ_CHECK(!field.empty() && field.size() <= static_cast<size_t>(cv::kCsvPieceLength));
        FUZZ_CHECK(field.find(separator) == std::string::npos && field.find('\n') == std::string::npos);
      }
    }
    FUZZ_CHECK(t.columns == widest);
  }
  return 0;
}
