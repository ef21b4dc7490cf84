#pragma once
// Decimal numbers as text without the C locale: the process locale follows the environment, so
// a "%f" or strtod would write or expect a decimal comma on some desktops. Every number that the
// instrument protocol or a file carries goes through these instead.
#include <string>

namespace cv {

// Fixed-point text with `decimals` digits after a '.', right-aligned to at least `width`
// characters, as "%width.decimalsf" writes it in the C locale.
std::string FixedText(double value, int decimals, int width = 0);

// The decimal number at the start of `text` as the C library's atof reads it in the C locale:
// leading blanks, an optional sign, digits with one optional '.', an optional exponent. Nothing
// readable gives 0. `used` (when given) receives the number of characters taken.
double LeadingDouble(const char* text, size_t* used = nullptr);

// The integer at the start of `text` as atol reads it: blanks, a sign, digits; 0 when none.
// Values beyond 32 bits are clamped.
long LeadingLong(const char* text);

}  // namespace cv
