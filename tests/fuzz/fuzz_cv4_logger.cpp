// Fuzz target: the CORVANE-4 data logger's reply decoders on the family's table ("*?SR" of 43
// characters, "*?DSM", "*?DST", "*?TP" time stamps, "*?DL" of every measurement type and units)
// and the result sheet's serial number from "*?I20A01F00010", on arbitrary meter bytes.
#include <cstddef>
#include <cstdint>
#include <string>

#include "Cv4Logger.h"
#include "FuzzSupport.h"
#include "LoggerSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string reply(reinterpret_cast<const char*>(data), size);
  FUZZ_CHECK(cv::cv4::Cv4LoggerFamily().minMemoryReply == 43);
  cvfuzz::FeedLoggerReply(reply, cv::cv4::Cv4LoggerFamily());
  FUZZ_CHECK(cv::cv4::SerialFromReply(reply).size() <= 16);
  return 0;
}
