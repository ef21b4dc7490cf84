#include "TSpecFormat.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <cstring>

namespace {

std::string Pad(std::string text, int width, bool left) {
  if (static_cast<int>(text.size()) < width) {
    if (left)
      text.append(width - text.size(), ' ');
    else
      text.insert(0, width - text.size(), ' ');
  }
  return text;
}

std::string Swap(std::string text, char decimal) {
  if (decimal != '.') std::replace(text.begin(), text.end(), '.', decimal);
  return text;
}

std::string FixedRaw(double value, int precision) {
  if (!std::isfinite(value)) return std::isnan(value) ? "nan" : (value < 0 ? "-inf" : "inf");
  char buf[400];
  auto r = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed, precision);
  if (r.ec != std::errc()) return "0";
  return std::string(buf, r.ptr);
}

std::string SciRaw(double value, int precision) {
  if (!std::isfinite(value)) return std::isnan(value) ? "NAN" : (value < 0 ? "-INF" : "INF");
  char buf[64];
  auto r = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::scientific, precision);
  if (r.ec != std::errc()) return "0";
  std::string s(buf, r.ptr);
  for (char& c : s) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return s;
}

}  // namespace

std::string TSpecFormat::Fixed(double value, int width, int precision, char decimal) {
  return Pad(Swap(FixedRaw(value, precision), decimal), width, false);
}

std::string TSpecFormat::Sci(double value, int width, int precision, char decimal) {
  return Pad(Swap(SciRaw(value, precision), decimal), width, false);
}

std::string TSpecFormat::Format(const std::string& pattern, std::initializer_list<Arg> args,
                                char decimal) {
  std::string out;
  auto next = args.begin();
  for (size_t i = 0; i < pattern.size(); ++i) {
    char c = pattern[i];
    if (c != '%' || i + 1 >= pattern.size()) {
      out.push_back(c);
      continue;
    }
    size_t j = i + 1;
    if (pattern[j] == '%') {
      out.push_back('%');
      i = j;
      continue;
    }
    bool left = false;
    if (pattern[j] == '-') {
      left = true;
      ++j;
    }
    int width = 0, precision = -1;
    while (j < pattern.size() && std::isdigit(static_cast<unsigned char>(pattern[j])))
      width = width * 10 + (pattern[j++] - '0');
    if (j < pattern.size() && pattern[j] == '.') {
      precision = 0;
      ++j;
      while (j < pattern.size() && std::isdigit(static_cast<unsigned char>(pattern[j])))
        precision = precision * 10 + (pattern[j++] - '0');
    }
    if (j >= pattern.size()) {
      out.append(pattern, i, std::string::npos);
      break;
    }
    char conv = pattern[j];
    i = j;
    if (next == args.end()) continue;
    const Arg& a = *next++;
    auto asDouble = [&]() -> double {
      if (auto* d = std::get_if<double>(&a)) return *d;
      if (auto* n = std::get_if<int64_t>(&a)) return static_cast<double>(*n);
      return 0.0;
    };
    std::string field;
    switch (conv) {
      case 'd':
        if (auto* n = std::get_if<int64_t>(&a))
          field = std::to_string(*n);
        else
          field = std::to_string(static_cast<int64_t>(asDouble()));
        break;
      case 'f':
        field = Swap(FixedRaw(asDouble(), precision < 0 ? 6 : precision), decimal);
        break;
      case 'E':
        field = Swap(SciRaw(asDouble(), precision < 0 ? 6 : precision), decimal);
        break;
      case 's':
        if (auto* s = std::get_if<std::string>(&a)) field = *s;
        break;
      case 'c':
        if (auto* ch = std::get_if<char>(&a)) field.push_back(*ch);
        break;
      default:
        field = std::string(1, '%') + conv;
    }
    out += Pad(field, width, left);
  }
  return out;
}

bool TSpecFormat::ParseFloat(const std::string& text, char decimal, float& value) {
  size_t b = text.find_first_not_of(" \t");
  size_t e = text.find_last_not_of(" \t");
  if (b == std::string::npos) return false;
  std::string t = text.substr(b, e - b + 1);
  if (decimal != '.') std::replace(t.begin(), t.end(), decimal, '.');
  const char* first = t.data();
  if (*first == '+') ++first;
  float v = 0;
  auto r = std::from_chars(first, t.data() + t.size(), v, std::chars_format::fixed);
  if (r.ec != std::errc() || r.ptr != t.data() + t.size() || !std::isfinite(v)) return false;
  value = v;
  return true;
}

bool TSpecFormat::ParseInt(const std::string& text, int32_t& value) {
  size_t b = text.find_first_not_of(" \t");
  size_t e = text.find_last_not_of(" \t");
  if (b == std::string::npos) return false;
  std::string t = text.substr(b, e - b + 1);
  const char* first = t.data();
  if (*first == '+') ++first;
  int32_t v = 0;
  auto r = std::from_chars(first, t.data() + t.size(), v);
  if (r.ec != std::errc() || r.ptr != t.data() + t.size()) return false;
  value = v;
  return true;
}
