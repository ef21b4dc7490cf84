#include "NumFormat.h"

#include <charconv>
#include <climits>
#include <cmath>
#include <limits>

namespace cv {
namespace {

bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f'; }

std::string_view TrimBlanks(std::string_view s) {
  while (!s.empty() && IsSpace(s.front())) s.remove_prefix(1);
  while (!s.empty() && IsSpace(s.back())) s.remove_suffix(1);
  return s;
}

std::string_view TrimBlanksTabs(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
  return s;
}

// The whole of an already trimmed text, after an optional '+'.
template <class T>
bool WholeInteger(std::string_view s, T& out) {
  if (!s.empty() && s[0] == '+') s.remove_prefix(1);
  if (s.empty()) return false;
  T v = 0;
  auto r = std::from_chars(s.data(), s.data() + s.size(), v, 10);
  if (r.ec != std::errc() || r.ptr != s.data() + s.size()) return false;
  out = v;
  return true;
}

template <class T>
bool WholeFixedNotation(std::string_view text, T& out, char decimal) {
  std::string t(TrimBlanksTabs(text));
  if (t.empty()) return false;
  for (char& c : t)
    if (c == decimal) c = '.';
  const char* first = t.data();
  if (*first == '+') ++first;
  T v = 0;
  auto r = std::from_chars(first, t.data() + t.size(), v, std::chars_format::fixed);
  if (r.ec != std::errc() || r.ptr != t.data() + t.size() || !std::isfinite(v)) return false;
  out = v;
  return true;
}

}  // namespace

std::string FormatFixed(double value, int decimals, char decimalSep) {
  if (decimals < 0) decimals = 0;
  if (decimals > 17) decimals = 17;
  char buf[400];
  auto r = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed, decimals);
  std::string s(buf, r.ec == std::errc() ? r.ptr : buf);
  if (s == "-0" || (s.rfind("-0.", 0) == 0 && s.find_first_not_of("0.", 1) == std::string::npos))
    s.erase(0, 1);  // a value that rounds to zero shows no sign
  for (char& c : s)
    if (c == '.') c = decimalSep;
  return s;
}

bool ParseDouble(std::string_view text, double& out) {
  std::string s(TrimBlanks(text));
  if (s.empty()) return false;
  size_t start = s[0] == '+' ? 1 : 0;
  if (start < s.size() && s[start] == '-' && start == 1) return false;
  for (char& c : s)
    if (c == ',') c = '.';
  // Only plain decimal notation: no "inf", "nan" or hexadecimal from a person or a file.
  for (size_t i = start; i < s.size(); ++i) {
    char c = s[i];
    if (!((c >= '0' && c <= '9') || c == '.' || c == '-' || c == '+' || c == 'e' || c == 'E')) return false;
  }
  double v = 0;
  auto r = std::from_chars(s.data() + start, s.data() + s.size(), v, std::chars_format::general);
  if (r.ec != std::errc() || r.ptr != s.data() + s.size()) return false;
  out = v;
  return true;
}

bool ParseInt(std::string_view text, int32_t& out) { return WholeInteger(TrimBlanks(text), out); }

bool ParseFixedNotation(std::string_view text, double& out, char decimal) {
  return WholeFixedNotation(text, out, decimal);
}

bool ParseFixedNotation(std::string_view text, float& out, char decimal) {
  return WholeFixedNotation(text, out, decimal);
}

bool ParseInteger(std::string_view text, int32_t& out) { return WholeInteger(TrimBlanksTabs(text), out); }

bool ParseInteger(std::string_view text, int64_t& out) { return WholeInteger(TrimBlanksTabs(text), out); }

double AtoF(std::string_view text) {
  size_t i = 0;
  while (i < text.size() && IsSpace(text[i])) ++i;
  bool neg = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) neg = text[i++] == '-';
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) return 0;
  const char* b = text.data() + i;
  const char* e = text.data() + text.size();
  double v = 0;
  auto r = std::from_chars(b, e, v, std::chars_format::general);
  if (r.ec == std::errc::result_out_of_range) {
    // Overflow gives HUGE_VAL as strtod does; underflow gives zero.
    bool tiny = false;
    for (const char* p = b; p < r.ptr; ++p)
      if ((*p == 'e' || *p == 'E') && p + 1 < r.ptr && p[1] == '-') tiny = true;
    v = tiny ? 0.0 : HUGE_VAL;
  } else if (r.ec != std::errc()) {
    return 0;
  }
  return neg ? -v : v;
}

long AtoL(std::string_view text) {
  size_t i = 0;
  while (i < text.size() && IsSpace(text[i])) ++i;
  bool neg = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) neg = text[i++] == '-';
  const unsigned long long limit = static_cast<unsigned long long>(LONG_MAX) + 1;
  unsigned long long n = 0;
  bool over = false;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
    if (over) continue;
    if (n > limit / 10) {
      over = true;
      continue;
    }
    n = n * 10 + static_cast<unsigned>(text[i] - '0');
    if (n > limit) over = true;
  }
  if (neg) return over || n >= limit ? LONG_MIN : -static_cast<long>(n);
  return over || n >= limit ? LONG_MAX : static_cast<long>(n);
}

int AtoI(std::string_view text) {
  long v = AtoL(text);
  if (v > INT_MAX) return INT_MAX;
  if (v < INT_MIN) return INT_MIN;
  return static_cast<int>(v);
}

int HexDigitValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

std::string DecodeHexText(std::string_view hex) {
  std::string text;
  for (size_t i = 0; i + 1 < hex.size(); i += 2) {
    const int high = HexDigitValue(hex[i]), low = HexDigitValue(hex[i + 1]);
    if (high < 0 || low < 0) break;
    const int byte = high * 16 + low;
    if (byte == 0x00 || byte == 0xFF) break;
    text.push_back(static_cast<char>(byte));
  }
  return text;
}

}  // namespace cv
