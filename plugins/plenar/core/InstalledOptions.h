#pragma once
// The options a CORVANE-PLENAR meter reports with "*?ID", one byte a flag by position, with the
// version read alongside. The plan-set check reads 15 (terrestrial band), 16 (satellite band),
// 6, 7, 8 and 0 (the BER COFDM, QAM and QPSK measures and the DAB measure) and 14 (channel
// frequencies); the memory editor reads the others.
#include <cstdint>
#include <string_view>

namespace cv::plenar {

struct TInstalledOptions {
  static constexpr int kFlags = 17;
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
