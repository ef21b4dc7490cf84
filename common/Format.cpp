#include "Format.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace cv {
namespace {

// Widths and precisions beyond this are taken as this.
constexpr int kMaxWidth = 10000;
constexpr double kTwoTo64 = 18446744073709551616.0;

struct Spec {
  bool left = false, plus = false, space = false, zero = false, alt = false;
  int width = 0;
  int precision = -1;
  char conv = 0;
};

std::string Pad(std::string body, const Spec& sp, bool numeric) {
  if (static_cast<int>(body.size()) >= sp.width) return body;
  size_t fill = static_cast<size_t>(sp.width) - body.size();
  if (sp.left) return body + std::string(fill, ' ');
  if (sp.zero && numeric) {
    size_t at = (!body.empty() && (body[0] == '-' || body[0] == '+' || body[0] == ' ')) ? 1 : 0;
    if (body.size() > at + 1 && body[at] == '0' && (body[at + 1] == 'x' || body[at + 1] == 'X')) at += 2;
    return body.insert(at, fill, '0');
  }
  return std::string(fill, ' ') + body;
}

std::string Signed(const std::string& digits, bool neg, const Spec& sp) {
  if (neg) return "-" + digits;
  if (sp.plus) return "+" + digits;
  if (sp.space) return " " + digits;
  return digits;
}

std::string IntText(uint64_t mag, int base, bool upper, int precision) {
  char buf[70];
  auto r = std::to_chars(buf, buf + sizeof buf, mag, base);
  std::string s(buf, r.ptr);
  if (upper)
    for (char& c : s) c = static_cast<char>(c >= 'a' && c <= 'f' ? c - 32 : c);
  if (precision >= 0) {
    if (precision == 0 && mag == 0) s.clear();
    else if (static_cast<int>(s.size()) < precision) s.insert(0, static_cast<size_t>(precision) - s.size(), '0');
  }
  return s;
}

std::string FloatText(double v, const Spec& sp, char decimal) {
  const bool upper = sp.conv == 'E' || sp.conv == 'G';
  if (std::isnan(v)) return upper ? "NAN" : "nan";
  if (std::isinf(v)) return upper ? "INF" : "inf";
  int prec = sp.precision < 0 ? 6 : sp.precision;
  if (prec > 60) prec = 60;
  char buf[512];
  std::to_chars_result r;
  switch (sp.conv) {
    case 'e': case 'E':
      r = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::scientific, prec);
      break;
    case 'g': case 'G':
      r = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::general, prec == 0 ? 1 : prec);
      break;
    default:
      r = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::fixed, prec);
  }
  if (r.ec != std::errc()) return "?";
  std::string s(buf, r.ptr);
  for (char& c : s) {
    if (c == 'e' && upper) c = 'E';
    if (c == '.') c = decimal;
  }
  return s;
}

}  // namespace

std::string FormatArgs(std::string_view fmt, const std::vector<FormatArg>& args, NumberStyle style) {
  std::string out;
  size_t next = 0;
  for (size_t i = 0; i < fmt.size(); ++i) {
    if (fmt[i] != '%') {
      out += fmt[i];
      continue;
    }
    if (i + 1 < fmt.size() && fmt[i + 1] == '%') {
      out += '%';
      ++i;
      continue;
    }
    size_t start = i++;
    Spec sp;
    for (; i < fmt.size(); ++i) {
      char c = fmt[i];
      if (c == '-') sp.left = true;
      else if (c == '+') sp.plus = true;
      else if (c == ' ') sp.space = true;
      else if (c == '0') sp.zero = true;
      else if (c == '#') sp.alt = true;
      else break;
    }
    // A width or precision, written or taken from an argument ('*'); a negative one comes back
    // as it is, every value is bounded by kMaxWidth on either side.
    auto number = [&](int& target) {
      if (i < fmt.size() && fmt[i] == '*') {
        ++i;
        if (next < args.size()) {
          if (auto p = std::get_if<int64_t>(&args[next]))
            target = static_cast<int>(std::clamp<int64_t>(*p, -kMaxWidth, kMaxWidth));
          else if (auto q = std::get_if<uint64_t>(&args[next]))
            target = static_cast<int>(std::min<uint64_t>(*q, kMaxWidth));
          ++next;
        }
        return;
      }
      int n = 0;
      bool any = false;
      for (; i < fmt.size() && fmt[i] >= '0' && fmt[i] <= '9'; ++i) {
        n = std::min(n * 10 + (fmt[i] - '0'), kMaxWidth);
        any = true;
      }
      if (any) target = n;
    };
    number(sp.width);
    if (sp.width < 0) {  // a negative width from an argument: left-justified
      sp.left = true;
      sp.width = -sp.width;
    }
    if (i < fmt.size() && fmt[i] == '.') {
      ++i;
      sp.precision = 0;
      number(sp.precision);  // a negative one counts as none
    }
    while (i < fmt.size() && (fmt[i] == 'l' || fmt[i] == 'h' || fmt[i] == 'L' || fmt[i] == 'z' ||
                              fmt[i] == 'j' || fmt[i] == 't' || fmt[i] == 'q' || fmt[i] == 'I' ||
                              fmt[i] == '6' || fmt[i] == '4'))
      ++i;
    if (i >= fmt.size()) {
      out.append(fmt.substr(start));  // a lone '%' at the end stays as written
      break;
    }
    sp.conv = fmt[i];
    if (std::string_view("diucsxXoeEfgGp").find(sp.conv) == std::string_view::npos) {
      out.append(fmt.substr(start, i - start + 1));
      continue;
    }
    if (next >= args.size()) continue;  // nothing to print for a missing argument
    const FormatArg& a = args[next++];
    switch (sp.conv) {
      case 's': {
        std::string s;
        if (auto p = std::get_if<std::string>(&a)) s = *p;
        else if (auto p = std::get_if<int64_t>(&a)) s = std::to_string(*p);
        else if (auto p = std::get_if<uint64_t>(&a)) s = std::to_string(*p);
        else s = FloatText(std::get<double>(a), Spec{.conv = 'g'}, style.decimal);
        if (sp.precision >= 0 && static_cast<int>(s.size()) > sp.precision) s.resize(static_cast<size_t>(sp.precision));
        out += Pad(s, sp, false);
        break;
      }
      case 'c': {
        std::string s;
        if (auto p = std::get_if<std::string>(&a)) s = p->substr(0, 1);
        else if (auto p = std::get_if<int64_t>(&a)) s = std::string(1, static_cast<char>(*p));
        else if (auto p = std::get_if<uint64_t>(&a)) s = std::string(1, static_cast<char>(*p));
        out += Pad(s, sp, false);
        break;
      }
      case 'e': case 'E': case 'f': case 'g': case 'G': {
        double v = 0;
        if (auto p = std::get_if<double>(&a)) v = *p;
        else if (auto p = std::get_if<int64_t>(&a)) v = static_cast<double>(*p);
        else if (auto p = std::get_if<uint64_t>(&a)) v = static_cast<double>(*p);
        else {
          out += Pad(std::get<std::string>(a), sp, false);
          break;
        }
        std::string s = FloatText(std::fabs(v), sp, style.decimal);
        const bool allZero = s.find_first_not_of(std::string{'0', style.decimal}) == std::string::npos;
        out += Pad(Signed(s, std::signbit(v) && (style.negativeZero || !allZero), sp), sp, true);
        break;
      }
      default: {  // d i u x X o p
        if (auto p = std::get_if<std::string>(&a)) {
          out += Pad(*p, sp, false);
          break;
        }
        bool neg = false;
        uint64_t mag = 0;
        if (auto p = std::get_if<int64_t>(&a)) {
          if (sp.conv == 'd' || sp.conv == 'i') {
            neg = *p < 0;
            mag = neg ? uint64_t(0) - static_cast<uint64_t>(*p) : static_cast<uint64_t>(*p);
          } else {
            // Unsigned conversions of a negative int show its 32-bit pattern, as in C.
            mag = *p < 0 && *p >= INT32_MIN ? static_cast<uint32_t>(*p) : static_cast<uint64_t>(*p);
          }
        } else if (auto p = std::get_if<uint64_t>(&a)) {
          mag = *p;
        } else {
          double v = std::get<double>(a);
          if (!std::isfinite(v) || std::fabs(v) >= kTwoTo64) {
            // No integer holds it: the whole part as %.0f writes it, or "inf" / "nan".
            const std::string whole = FloatText(std::fabs(v), Spec{.precision = 0, .conv = 'f'}, '.');
            out += Pad(Signed(whole, std::signbit(v), sp), sp, true);
            break;
          }
          neg = v < 0;
          mag = static_cast<uint64_t>(std::fabs(std::trunc(v)));
        }
        int base = sp.conv == 'x' || sp.conv == 'X' || sp.conv == 'p' ? 16 : sp.conv == 'o' ? 8 : 10;
        std::string s = IntText(mag, base, sp.conv == 'X', sp.precision);
        if (sp.alt && base == 16 && mag != 0) s = (sp.conv == 'X' ? "0X" : "0x") + s;
        if (sp.precision >= 0) sp.zero = false;
        out += Pad(base == 10 ? Signed(s, neg, sp) : s, sp, true);
      }
    }
  }
  return out;
}

std::string PrintfFixed(double value, int width, int precision, char decimal) {
  return FormatStyled({decimal, true}, "%*.*f", width, precision, value);
}

std::string PrintfSci(double value, int width, int precision, char decimal) {
  return FormatStyled({decimal, true}, "%*.*E", width, precision, value);
}

}  // namespace cv
