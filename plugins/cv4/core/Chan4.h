#pragma once
// The CORVANE-4 channel record: the CORVANE-3 record's layout and ways of building, with the
// family's ranges (terrestrial 5 to 862 MHz, outside 48.25; satellite 900 to 2150 MHz, outside
// 1500; both bounds inside). Built from MHz, a channel keeps the frequency as given.
#include "Chan3.h"

namespace cv::cv4 {

class TChan4 : public TChan3 {
 public:
  TChan4() = default;
  explicit TChan4(const TChan3& chan) : TChan3(chan) {}

  static TChan4 FromWord(std::string_view name, uint32_t word, int32_t bandwidth, char band,
                         std::string_view command1 = {}, std::string_view command2 = {},
                         std::string_view command3 = {});
  static TChan4 FromTexts(std::string_view name, std::string_view wordText, std::string_view word2Text,
                          char band, std::string_view command1 = {}, std::string_view command2 = {},
                          std::string_view command3 = {});
  static TChan4 FromFrequency(std::string_view name, float frequency, int32_t bandwidth, char band,
                              std::string_view command1 = {}, std::string_view command2 = {},
                              std::string_view command3 = {});
};

}  // namespace cv::cv4
