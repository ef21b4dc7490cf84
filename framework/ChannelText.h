#pragma once
// Numbers as the channel editors show and read them, free of the process locale.
#include <string>
#include <string_view>

namespace chantext {

// "%.<decimals>f", right-aligned in `width` like "%<width>.<decimals>f".
std::string Fixed(double value, int decimals, int width = 0);
// Right-aligned in `width` like "%<width>s".
std::string RightAligned(std::string_view text, int width);
// The leading number of a text as atof reads it, with '.' or ',' as the decimal mark; a text
// without one reads as 0.
double ReadNumber(std::string_view text);
// The leading integer of a text as atoi reads it; 0 without one.
int ReadInteger(std::string_view text);

}  // namespace chantext
