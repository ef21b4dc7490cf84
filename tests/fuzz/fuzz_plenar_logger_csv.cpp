// Fuzz target: the CORVANE-PLENAR data logger's CSV file and the result sheet's file, built from a
// download as the family's meter fills it, on the family's record (its "*?SR" layout, measurement
// types and units texts; LoggerCsvFuzz.h): every line of the file has the heading's field count,
// and every test point's name and cells stand under their headings.
#include "PlenLogger.h"
#include "LoggerCsvFuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  cvfuzz::CheckLoggerCsv(cvfuzz::Text(data, size), cv::plenar::PlenLoggerFamily());
  return 0;
}
