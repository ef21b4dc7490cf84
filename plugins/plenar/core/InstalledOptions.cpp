#include "InstalledOptions.h"

#include "Chan3.h"

namespace cv::plenar {

namespace {

// Where the option word starts: after "*ID" and three characters the meter does not explain.
constexpr size_t kWordAt = 6;

bool IsHexDigit(char c) { return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F'); }

}  // namespace

int OptionBit(int flag) {
  // Flags 0 to 13 run down from bit 24, skipping bits 15 to 9; 14 to 16 are bits 2, 1 and 0.
  static constexpr int kBits[TInstalledOptions::kFlags] = {24, 23, 22, 21, 20, 19, 18, 17, 16,
                                                           8,  7,  6,  5,  4,  2,  1,  0};
  return flag >= 0 && flag < TInstalledOptions::kFlags ? kBits[flag] : -1;
}

bool ParseOptionsReply(std::string_view reply, TInstalledOptions& options) {
  for (uint8_t& f : options.optionFlags) f = 0;
  if (reply.size() <= kWordAt) return false;
  std::string_view rest = reply.substr(kWordAt);
  const size_t first = rest.find_first_not_of(" \t");
  if (first == std::string_view::npos || !IsHexDigit(rest[first])) return false;
  // A word of more than eight digits keeps its low 32 bits, as the option bits sit at the end.
  size_t end = first;
  while (end < rest.size() && IsHexDigit(rest[end])) ++end;
  const size_t from = end - first > 8 ? end - 8 : first;
  const uint32_t word = ParseHex(rest.substr(from, end - from), 8);
  for (int flag = 0; flag < TInstalledOptions::kFlags; ++flag)
    options.optionFlags[flag] = static_cast<uint8_t>((word >> OptionBit(flag)) & 1u);
  return true;
}

}  // namespace cv::plenar
