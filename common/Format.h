#pragma once
// printf-style formatting of message-table texts ("Log file %s generated") that no locale
// touches: %d %i %u %ld %x %X %c %s %f %e %g %% with flags (- + 0 space), width and precision;
// floating point always with '.'. Arguments are taken by type, so a %s given a number or a %d
// given text prints the value rather than reading garbage, and a missing argument prints nothing.
// An integer conversion of a double that no 64-bit integer holds writes its whole part as "%.0f"
// does ("inf", "nan" included). Widths and precisions, written or from a '*' argument, are bounded
// at 10000.
#include <cstdint>
#include <string>
#include <string_view>
#include <type_traits>
#include <variant>
#include <vector>

namespace cv {

using FormatArg = std::variant<int64_t, uint64_t, double, std::string>;

// How %f %e %g write a number. Message texts take the defaults. The spectrum tool and the plan
// files have always written their numbers as the C library does, so a negative value that rounds
// to zero keeps its '-' ("-0.0") there, and the spectrum tool writes the user's decimal mark.
struct NumberStyle {
  char decimal = '.';
  bool negativeZero = false;
};

std::string FormatArgs(std::string_view fmt, const std::vector<FormatArg>& args, NumberStyle style = {});

namespace detail {
template <class T>
FormatArg ToFormatArg(const T& v) {
  if constexpr (std::is_same_v<T, bool>) return int64_t{v ? 1 : 0};
  else if constexpr (std::is_integral_v<T> && std::is_signed_v<T>) return static_cast<int64_t>(v);
  else if constexpr (std::is_integral_v<T>) return static_cast<uint64_t>(v);
  else if constexpr (std::is_enum_v<T>) return static_cast<int64_t>(v);
  else if constexpr (std::is_floating_point_v<T>) return static_cast<double>(v);
  else if constexpr (std::is_convertible_v<T, std::string_view>) return std::string(std::string_view(v));
  else return std::string(v);
}
inline FormatArg ToFormatArg(const char* v) { return std::string(v ? v : "(null)"); }
inline FormatArg ToFormatArg(char* v) { return std::string(v ? v : "(null)"); }
}  // namespace detail

template <class... Args>
std::string Format(std::string_view fmt, const Args&... args) {
  return FormatArgs(fmt, std::vector<FormatArg>{detail::ToFormatArg(args)...});
}

template <class... Args>
std::string FormatStyled(NumberStyle style, std::string_view fmt, const Args&... args) {
  return FormatArgs(fmt, std::vector<FormatArg>{detail::ToFormatArg(args)...}, style);
}

// printf "%W.Pf" and "%W.PE" in the C library's style above, with `decimal` for the point.
std::string PrintfFixed(double value, int width, int precision, char decimal = '.');
std::string PrintfSci(double value, int width, int precision, char decimal = '.');

}  // namespace cv
