// Fuzz target: the CORVANE-PLENAR configuration on its 26 records and its data logger's decoders
// on the sixteen measurement types, on arbitrary meter bytes. The input up to a line "--" is one
// logger reply ("*?SR", "*?DL", a flag or a time stamp); the rest is split at newlines into the
// configuration's replies, given in turn.
#include <cstddef>
#include <cstdint>
#include <string>

#include "PlenLogger.h"
#include "PlenOptions.h"
#include "SettingsFuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  auto [reply, rest] = cvfuzz::SplitAtLine(cvfuzz::Text(data, size), "--");
  if (!reply.empty() && reply.back() == '\n') reply.pop_back();
  const cv::logger::TLoggerFamily& logger = cv::plenar::PlenLoggerFamily();
  cvfuzz::DecodeLoggerReply(reply, logger, 17);
  // A type character the table lacks is no type: never a code within it.
  if (reply.size() > logger.measureAt) {
    const uint8_t code = logger.MeasureCode(reply[logger.measureAt]);
    FUZZ_CHECK(code < 16 || code == cv::logger::TLoggerFamily::kUnknownMeasure);
  }
  FUZZ_CHECK(cv::plenar::PlenOptionFamily().records.size() == 26);
  cvfuzz::ReadOptions(rest, cv::plenar::PlenOptionFamily());
  return 0;
}
