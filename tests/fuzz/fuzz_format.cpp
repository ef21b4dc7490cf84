// cv::FormatArgs over any text: the first line picks the arguments (one letter each from the
// table below), the rest is the format. A language module's text reaches the formatter with
// whatever arguments the English text was written for.
#include <cfloat>
#include <climits>
#include <cmath>
#include <limits>

#include "Format.h"
#include "FuzzSupport.h"

namespace {

const cv::FormatArg kArgs[] = {
    int64_t{0}, int64_t{42}, int64_t{-1}, int64_t{INT_MIN}, int64_t{INT_MAX}, std::numeric_limits<int64_t>::min(),
    uint64_t{7}, std::numeric_limits<uint64_t>::max(),
    0.0, -0.0, 3.25, -2.5e-7, 1e30, -1e30, DBL_MAX, DBL_MIN, HUGE_VAL, -HUGE_VAL, std::nan(""),
    std::string(), std::string("CvTools.log"), std::string("\xe9t\xe9"),
};
constexpr size_t kArgCount = sizeof kArgs / sizeof kArgs[0];

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string input = cvfuzz::Text(data, size);
  const size_t lf = input.find('\n');
  const std::string picks = lf == std::string::npos ? std::string() : input.substr(0, lf);
  const std::string format = lf == std::string::npos ? input : input.substr(lf + 1);
  std::vector<cv::FormatArg> args;
  for (char c : picks.substr(0, 32)) args.push_back(kArgs[static_cast<unsigned char>(c) % kArgCount]);

  for (cv::NumberStyle style : {cv::NumberStyle{}, cv::NumberStyle{',', true}}) {
    const std::string out = cv::FormatArgs(format, args, style);
    // Every conversion writes at most its bounded width or a number's longest text.
    FUZZ_CHECK(out.size() <= format.size() * 10400 + 1);
  }
  return 0;
}
