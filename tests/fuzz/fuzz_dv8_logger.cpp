// Fuzz target: the DV-800 data logger's reply decoders on the family's values ("*?SR" of the
// CORVANE-3's layout, "*?DSM", "*?DST", "*?TP" time stamps, "*?DL" of every measurement type and
// units), on arbitrary meter bytes: a BER cell never shows the reply's sign character.
#include <cstddef>
#include <cstdint>
#include <string>

#include "Dv8Logger.h"
#include "FuzzSupport.h"
#include "SettingsFuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string reply(reinterpret_cast<const char*>(data), size);
  const cv::logger::TLoggerFamily& family = cv::dv8::Dv8LoggerFamily();
  cvfuzz::DecodeLoggerReply(reply, family, 8, [&](int measure, const std::string& cell) {
    if (family.IsBer(measure) && cell.size() > 1) FUZZ_CHECK(cell[1] != '-');
  });
  return 0;
}
