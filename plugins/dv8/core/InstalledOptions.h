#pragma once
// The options a DV-800 or CORVANE-2 meter has, one byte a flag by position. The plan check and
// the memory editor read them: 2 the BER COFDM measure, 10 channels and memories below 45 MHz,
// 11 and 12 band flags. The DV-800 has a fixed set; the CORVANE-2 reports its own.
#include <cstdint>

namespace cv::dv8 {

struct InstalledOptions {
  static constexpr int kFlags = 13;
  static constexpr int kBerCofdm = 2;
  static constexpr int kBelow45MHz = 10;
  static constexpr int kTerrestrialBand = 11;
  static constexpr int kSatelliteBand = 12;
  uint8_t flags[kFlags] = {};

  bool Has(int flag) const { return flag >= 0 && flag < kFlags && flags[flag] != 0; }
};

}  // namespace cv::dv8
