#include "Xr9Fields.h"

#include <cmath>
#include <string>

#include "NumFormat.h"
#include "Xr9Attributes.h"

namespace cv::xr9 {

namespace {

constexpr size_t kFieldChars = 10;

// The field's first characters, a decimal comma taken for the point.
std::string Cut(std::string_view text) {
  std::string t(text.substr(0, kFieldChars));
  for (char& c : t)
    if (c == ',') c = '.';
  return t;
}

// The integer part of `x` toward zero, or kOutOfRange when it does not fit comfortably in 64 bits.
int64_t Whole(double x) {
  if (!std::isfinite(x) || std::fabs(x) >= 9.0e15) return kOutOfRange;
  return static_cast<int64_t>(std::trunc(x));
}

int32_t Clamp(int64_t v, int64_t low, int64_t high, int32_t fallback) {
  return v < low || v > high ? fallback : static_cast<int32_t>(v);
}

}  // namespace

int AttributeIdAt(int position, int code) {
  int count = 0;
  for (int id = 0; id < AttributeRows; ++id) {
    if (AttributeCodeOfId(id) != code) continue;
    if (count == position) return id;
    ++count;
  }
  return 0;
}

int64_t FieldKhz(std::string_view text) { return Whole((cv::AtoF(Cut(text)) + 0.0005) * 1000.0); }

int64_t FieldInteger(std::string_view text) {
  return static_cast<int64_t>(cv::AtoL(std::string(text.substr(0, kFieldChars))));
}

int64_t FieldWhole(std::string_view text) { return Whole(cv::AtoF(Cut(text))); }

int32_t ClampChannelSpacing(int64_t khz) { return Clamp(khz, 1500, 10000, 8000); }
int32_t ClampBandwidth(int64_t khz) { return Clamp(khz, 200, 80000, 8000); }
int32_t ClampSymbolRate(int64_t ksymb) { return Clamp(ksymb, 500, 75000, 27500); }
int32_t ClampFrequencyOffset(int64_t hz) { return Clamp(hz, -20000000, 20000000, 166666); }

uint32_t ClampChannelFrequency(int64_t khz, int planType) {
  if (planType == 5) return static_cast<uint32_t>(Clamp(khz, 950000, 15000000, 12100000));
  return static_cast<uint32_t>(Clamp(khz, 5000, 950000, 650000));
}

int64_t ChannelSpacingKhz(const TChanXR9& chan) {
  return 2 * (static_cast<int64_t>(chan.value2) - static_cast<int64_t>(chan.value1) + 1250);
}

namespace {
uint32_t Trunc32(double v) { return static_cast<uint32_t>(static_cast<int64_t>(std::trunc(v))); }
}  // namespace

void SetChannelFrequency(TChanXR9& chan, int planType, bool center, uint32_t f, int64_t spacing) {
  if (planType != 7) {
    chan.value1 = chan.value2 = f;
  } else if (center) {
    chan.value2 = f;
    chan.value1 = Trunc32(f + 1250.0 - spacing * 0.5);
  } else {
    chan.value1 = f;
    chan.value2 = Trunc32(f - 1250.0 + spacing * 0.5);
  }
}

void SetChannelSpacing(TChanXR9& chan, int64_t spacing) {
  chan.value1 = Trunc32(chan.value2 + 1250.0 - spacing * 0.5);
}

}  // namespace cv::xr9
