#pragma once
// The options a CORVANE-PLENAR meter reports with "*?ID", one byte a flag by position, with the
// version read alongside. The plan-set check and the memory editor read the named ones.
#include <cstdint>
#include <string_view>

namespace cv::plenar {

struct TInstalledOptions {
  static constexpr int kFlags = 17;
  // The measures: DAB, and COFDM, QAM and QPSK (their BER measures in a plan).
  static constexpr int kDab = 0;
  static constexpr int kCofdm = 6;
  static constexpr int kQam = 7;
  static constexpr int kQpsk = 8;
  static constexpr int kBelow45MHz = 14;  // channels and memories below 45 MHz
  static constexpr int kTerrestrialBand = 15;
  static constexpr int kSatelliteBand = 16;
  float version = 0;
  uint8_t optionFlags[kFlags] = {};

  bool Has(int flag) const { return flag >= 0 && flag < kFlags && optionFlags[flag] != 0; }
};

// The bit of the reply's option word that flag `flag` (0..16) stands for.
int OptionBit(int flag);
// Sets every flag from a "*?ID" reply: the hexadecimal word from its seventh character on. A
// reply too short to hold it, or with no hexadecimal digit there, clears every flag. True when a
// word was read.
bool ParseOptionsReply(std::string_view reply, TInstalledOptions& options);

}  // namespace cv::plenar
