#include "InstalledOptions.h"

#include "OptionWord.h"

namespace cv::plenar {

int OptionBit(int flag) {
  // Flags 0 to 13 run down from bit 24, skipping bits 15 to 9; 14 to 16 are bits 2, 1 and 0.
  static constexpr int kBits[TInstalledOptions::kFlags] = {24, 23, 22, 21, 20, 19, 18, 17, 16,
                                                           8,  7,  6,  5,  4,  2,  1,  0};
  return flag >= 0 && flag < TInstalledOptions::kFlags ? kBits[flag] : -1;
}

bool ParseOptionsReply(std::string_view reply, TInstalledOptions& options) {
  uint32_t word = 0;
  const bool read = ReadOptionWord(reply, word);
  for (int flag = 0; flag < TInstalledOptions::kFlags; ++flag)
    options.optionFlags[flag] = static_cast<uint8_t>((word >> OptionBit(flag)) & 1u);
  return read;
}

}  // namespace cv::plenar
