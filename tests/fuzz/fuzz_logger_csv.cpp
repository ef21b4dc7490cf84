// The CORVANE-3 data logger's CSV file and the result sheet's file, built from a download as the
// instrument's replies fill it (LoggerCsvFuzz.h): every line of the file has the heading's field
// count, and every test point's name and cells stand under their headings.
#include "LoggerCsvFuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  cvfuzz::CheckLoggerCsv(cvfuzz::Text(data, size), cv::logger::Corvane3LoggerFamily());
  return 0;
}
