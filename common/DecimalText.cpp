#include "DecimalText.h"

#include <cmath>
#include <cstdint>
#include <limits>

namespace cv {

std::string FixedText(double value, int decimals, int width) {
  if (decimals < 0) decimals = 0;
  if (decimals > 9) decimals = 9;
  std::string out;
  if (std::isnan(value)) {
    out = "nan";
  } else if (std::isinf(value)) {
    out = value < 0 ? "-inf" : "inf";
  } else {
    bool negative = std::signbit(value);
    double scale = std::pow(10.0, decimals);
    double scaled = std::round(std::fabs(value) * scale);
    std::string digits;
    if (scaled >= 1e18) {
      // Too large for an integer: no decimals are meaningful at this size anyway.
      char buf[64];
      snprintf(buf, sizeof buf, "%.0f", std::fabs(value));
      digits = buf;
      if (decimals > 0) digits += "." + std::string(decimals, '0');
    } else {
      uint64_t n = static_cast<uint64_t>(scaled);
      digits = std::to_string(n);
      if (decimals > 0) {
        if (digits.size() <= static_cast<size_t>(decimals))
          digits.insert(0, decimals + 1 - digits.size(), '0');
        digits.insert(digits.size() - decimals, ".");
      }
    }
    bool allZero = digits.find_first_not_of("0.") == std::string::npos;
    out = (negative && !allZero ? "-" : "") + digits;
  }
  if (width > 0 && out.size() < static_cast<size_t>(width)) out.insert(0, width - out.size(), ' ');
  return out;
}

double LeadingDouble(const char* text, size_t* used) {
  if (used) *used = 0;
  if (!text) return 0.0;
  const char* p = text;
  while (*p == ' ' || *p == '\t' || *p == '\n' || *p == '\r' || *p == '\v' || *p == '\f') ++p;
  bool negative = false;
  if (*p == '+' || *p == '-') negative = *p++ == '-';
  double mantissa = 0.0;
  int fractionDigits = 0;
  bool any = false;
  while (*p >= '0' && *p <= '9') {
    mantissa = mantissa * 10.0 + (*p++ - '0');
    any = true;
  }
  if (*p == '.') {
    const char* q = p + 1;
    while (*q >= '0' && *q <= '9') {
      mantissa = mantissa * 10.0 + (*q++ - '0');
      ++fractionDigits;
      any = true;
    }
    if (any) p = q;
  }
  if (!any) return 0.0;
  int exponent = 0;
  if (*p == 'e' || *p == 'E') {
    const char* q = p + 1;
    bool expNegative = false;
    if (*q == '+' || *q == '-') expNegative = *q++ == '-';
    if (*q >= '0' && *q <= '9') {
      while (*q >= '0' && *q <= '9') {
        if (exponent < 10000) exponent = exponent * 10 + (*q - '0');
        ++q;
      }
      if (expNegative) exponent = -exponent;
      p = q;
    }
  }
  // Dividing by an exact power of ten keeps values such as 2.10 or 471.25 correctly rounded.
  int scale = exponent - fractionDigits;
  double value = scale >= 0 ? mantissa * std::pow(10.0, scale) : mantissa / std::pow(10.0, -scale);
  if (used) *used = static_cast<size_t>(p - text);
  return negative ? -value : value;
}

long LeadingLong(const char* text) {
  if (!text) return 0;
  const char* p = text;
  while (*p == ' ' || *p == '\t' || *p == '\n' || *p == '\r' || *p == '\v' || *p == '\f') ++p;
  bool negative = false;
  if (*p == '+' || *p == '-') negative = *p++ == '-';
  int64_t value = 0;
  while (*p >= '0' && *p <= '9') {
    if (value <= std::numeric_limits<int32_t>::max()) value = value * 10 + (*p - '0');
    ++p;
  }
  if (negative) value = -value;
  if (value > std::numeric_limits<int32_t>::max()) value = std::numeric_limits<int32_t>::max();
  if (value < std::numeric_limits<int32_t>::min()) value = std::numeric_limits<int32_t>::min();
  return static_cast<long>(value);
}

}  // namespace cv
