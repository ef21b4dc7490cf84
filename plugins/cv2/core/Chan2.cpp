#include "Chan2.h"

namespace cv::cv2 {

TChan2 ChanFromWord(std::string_view name, uint32_t word, int32_t bandwidth, char band, std::string_view c1,
                    std::string_view c2, std::string_view c3) {
  return TChan3::FromWord(name, word, bandwidth, band, c1, c2, c3, kCorvane2Ranges);
}

TChan2 ChanFromTexts(std::string_view name, std::string_view wordText, std::string_view word2Text, char band,
                     std::string_view c1, std::string_view c2, std::string_view c3) {
  return TChan3::FromTexts(name, wordText, word2Text, band, c1, c2, c3, kCorvane2Ranges);
}

TChan2 ChanFromFrequency(std::string_view name, float frequency, int32_t bandwidth, char band, std::string_view c1,
                         std::string_view c2, std::string_view c3) {
  return TChan3::FromFrequency(name, frequency, bandwidth, band, c1, c2, c3);
}

}  // namespace cv::cv2
