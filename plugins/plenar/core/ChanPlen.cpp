#include "ChanPlen.h"

#include <cstdio>

namespace cv::plenar {

void TChanPlen::SetBandSecondWord(char band) {
  if (cv::IsSatelliteBand(band)) return;
  word2 = IsDabBand(band) ? static_cast<int32_t>(word) : SecondWordOf(word, bandwidth / 200);
  std::snprintf(word2Text, sizeof word2Text, "%04x", static_cast<unsigned>(word2) & 0xFFFFFFu);
}

TChanPlen TChanPlen::FromWord(std::string_view name, uint32_t word, int32_t bandwidth, char band,
                              std::string_view c1, std::string_view c2, std::string_view c3) {
  TChanPlen ch(TChan3::FromWord(name, word, 0, band, c1, c2, c3, cv::kCorvane4Ranges));
  if (!cv::IsSatelliteBand(band)) ch.bandwidth = bandwidth;
  ch.SetBandSecondWord(band);
  return ch;
}

TChanPlen TChanPlen::FromTexts(std::string_view name, std::string_view wordText, std::string_view word2Text,
                               char band, std::string_view c1, std::string_view c2, std::string_view c3) {
  TChanPlen ch(TChan3::FromTexts(name, wordText, word2Text, band, c1, c2, c3, cv::kCorvane4Ranges));
  if (cv::IsSatelliteBand(band)) return ch;
  // ((N2 - N) x 0.05 + 1.25) x 200 in integers, so that no rounding of 0.05 takes a unit off.
  ch.bandwidth = (ch.word2 - static_cast<int32_t>(ch.word)) * 10 + 250;
  if (ch.bandwidth == 0) ch.bandwidth = 800;
  return ch;
}

TChanPlen TChanPlen::FromFrequency(std::string_view name, float frequency, int32_t bandwidth, char band,
                                   std::string_view c1, std::string_view c2, std::string_view c3) {
  if (cv::IsSatelliteBand(band) && !cv::PllInRange('S', frequency, cv::kCorvane4Ranges))
    frequency = cv::kCorvane4Ranges.satellite.fallbackMHz;
  TChanPlen ch(TChan3::FromFrequency(name, frequency, 0, band, c1, c2, c3));
  if (!cv::IsSatelliteBand(band)) ch.bandwidth = bandwidth;
  ch.SetBandSecondWord(band);
  return ch;
}

}  // namespace cv::plenar
