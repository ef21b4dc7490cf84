#pragma once
// The DV-800 channel record: the CORVANE-3 record's layout and ways of building, with the
// family's ranges (terrestrial 5 to 862 MHz, outside 48.25; satellite 900 to 2150 MHz, outside
// 920; both bounds inside). Built from MHz, a channel keeps the frequency as given.
#include "Chan3.h"

namespace cv::dv8 {

using TChanDV8 = TChan3;

// The record's three ways of building with the DV-800's ranges.
TChanDV8 ChanFromWord(std::string_view name, uint32_t word, int32_t bandwidth, char band,
                      std::string_view command1 = {}, std::string_view command2 = {}, std::string_view command3 = {});
TChanDV8 ChanFromTexts(std::string_view name, std::string_view wordText, std::string_view word2Text, char band,
                       std::string_view command1 = {}, std::string_view command2 = {},
                       std::string_view command3 = {});
TChanDV8 ChanFromFrequency(std::string_view name, float frequency, int32_t bandwidth, char band,
                           std::string_view command1 = {}, std::string_view command2 = {},
                           std::string_view command3 = {});

}  // namespace cv::dv8
