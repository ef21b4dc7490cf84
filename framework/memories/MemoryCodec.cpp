#include "MemoryCodec.h"

#include "Format.h"
#include "MsgIds.h"
#include "Pll.h"

namespace cv::mem {

std::string MemoryCodec::QueryCommand(int number) const { return cv::Format("*?SR%02X", number); }

int MemoryCodec::BadLengthMessage() const { return cv::msg::mem::BadLength; }

bool MemoryCodec::FreqInRange(char band, float mhz) const { return cv::PllInRange(band, mhz); }

float MemoryCodec::FallbackFreq(char band) const { return cv::PllBandOf(band).fallbackMHz; }

MemoryCodec& Cv3MemoryCodec() {
  static MemoryCodec codec;
  return codec;
}

}  // namespace cv::mem
