#pragma once
// Numbers as text without the C library's locale: Qt sets the C locale from the environment, so
// printf, strtod and atof may read or write ',' for '.'. These never do.
#include <cstdint>
#include <string>
#include <string_view>

namespace cv {

// `value` rounded to `decimals` places (0 to 17), with `decimalSep` as the decimal mark.
std::string FormatFixed(double value, int decimals, char decimalSep = '.');

// A whole text that is a decimal number with '.' or ',' as its decimal mark ("12.5", "12,5",
// " -3 ", "1e3"). Blanks around it are allowed; anything else makes it false and leaves `out`.
bool ParseDouble(std::string_view text, double& out);
// A whole text that is a decimal integer within 32 bits.
bool ParseInt(std::string_view text, int32_t& out);

// Strict readings for typed fields and file fields (the spectrum tool, the plan files), where
// "12abc" must be refused rather than read as 12: blanks and tabs around the number, an optional
// '+', then the number and nothing else. Fixed notation only (no exponent, no "inf"), with '.' or
// `decimal` as the decimal mark; the float reading rounds once, straight from the digits.
bool ParseFixedNotation(std::string_view text, double& out, char decimal = '.');
bool ParseFixedNotation(std::string_view text, float& out, char decimal = '.');
bool ParseInteger(std::string_view text, int32_t& out);
bool ParseInteger(std::string_view text, int64_t& out);

// The prefix readings below serve the scripts and the channel editors, which have always read a
// number as the C library does and ignore what follows it.
// atof, atol and atoi as the C library defines them (leading white space, the longest numeric
// prefix, 0 when there is none), but always with '.' as the decimal mark.
double AtoF(std::string_view text);
long AtoL(std::string_view text);  // saturates at the range of long
int AtoI(std::string_view text);   // saturates at the range of int

// The value of one hexadecimal digit (either case), or -1.
int HexDigitValue(char c);

// Pairs of hexadecimal digits (either case) turned into the bytes they stand for, stopping at a
// pair that reads 00 or FF, at a pair that is not two hexadecimal digits, or at the end: the
// texts (serial number, model) that instruments keep in their registers.
std::string DecodeHexText(std::string_view hex);

}  // namespace cv
