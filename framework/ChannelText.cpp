#include "ChannelText.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace chantext {

std::string Fixed(double value, int decimals, int width) {
  char buf[64];
  auto r = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed, decimals);
  std::string text = r.ec == std::errc() ? std::string(buf, r.ptr) : std::string("0");
  return RightAligned(text, width);
}

std::string RightAligned(std::string_view text, int width) {
  std::string out(text);
  if (static_cast<int>(out.size()) < width) out.insert(0, width - out.size(), ' ');
  return out;
}

double ReadNumber(std::string_view text) {
  size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
  std::string s;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) s.push_back(text[i++]);
  bool point = false;
  for (; i < text.size(); ++i) {
    char c = text[i];
    if (c >= '0' && c <= '9') {
      s.push_back(c);
    } else if ((c == '.' || c == ',') && !point) {
      point = true;
      s.push_back('.');
    } else {
      break;
    }
  }
  double value = 0;
  auto r = std::from_chars(s.data() + (s.size() && s[0] == '+'), s.data() + s.size(), value);
  if (r.ec != std::errc() || !std::isfinite(value)) return 0;
  return value;
}

int ReadInteger(std::string_view text) {
  size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  long long value = 0;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
    value = value * 10 + (text[i] - '0');
    if (value > std::numeric_limits<int>::max()) {
      value = std::numeric_limits<int>::max();
      break;
    }
  }
  return static_cast<int>(negative ? -value : value);
}

}  // namespace chantext
