#pragma once
// The CORVANE-2 channel record: the CORVANE-3 record's layout and ways of building, as the
// DV-800's, with the family's ranges: terrestrial 45 to 862 MHz (outside, 48.25), satellite 900
// to 2150 MHz (outside, 1500), both bounds inside. Built from MHz, a channel keeps the frequency
// as given.
#include "Chan3.h"

namespace cv::cv2 {

using TChan2 = TChan3;

TChan2 ChanFromWord(std::string_view name, uint32_t word, int32_t bandwidth, char band,
                    std::string_view command1 = {}, std::string_view command2 = {}, std::string_view command3 = {});
// The bandwidth is read from the signed distance of the two words, so a channel narrower than
// 2.5 MHz reads back as what it was built with.
TChan2 ChanFromTexts(std::string_view name, std::string_view wordText, std::string_view word2Text, char band,
                     std::string_view command1 = {}, std::string_view command2 = {}, std::string_view command3 = {});
TChan2 ChanFromFrequency(std::string_view name, float frequency, int32_t bandwidth, char band,
                         std::string_view command1 = {}, std::string_view command2 = {},
                         std::string_view command3 = {});

}  // namespace cv::cv2
