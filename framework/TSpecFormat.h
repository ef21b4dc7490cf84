#pragma once
// Locale-free number texts for the spectrum tool. Qt sets the C locale from the environment, so
// printf and strtod cannot be trusted with a decimal separator; these helpers take it explicitly.
#include <cstdint>
#include <initializer_list>
#include <string>
#include <variant>

class TSpecFormat {
 public:
  // printf "%W.Pf" of value, with `decimal` in place of the point.
  static std::string Fixed(double value, int width, int precision, char decimal = '.');
  // printf "%W.PE" (upper-case exponent, at least two exponent digits).
  static std::string Sci(double value, int width, int precision, char decimal = '.');

  // A printf-like template with %d, %s, %c, %%, %[-][W][.P]f and %[-][W][.P]E; numbers take
  // `decimal`. Arguments are consumed in order; a missing one prints nothing.
  using Arg = std::variant<int64_t, double, std::string, char>;
  static std::string Format(const std::string& pattern, std::initializer_list<Arg> args,
                            char decimal = '.');

  // Typed numbers: surrounding blanks are ignored, both '.' and `decimal` are taken as the
  // decimal point, and anything else left over refuses the text.
  static bool ParseFloat(const std::string& text, char decimal, float& value);
  static bool ParseInt(const std::string& text, int32_t& value);
};
