#pragma once
// Small text helpers of the plan editor's files: their integer fields and strict number reading
// (over common/NumFormat.h and common/Format.h, which no locale touches; "%W.Pf" is
// cv::PrintfFixed), the line reading rule of the plan files and scripts, and names made safe for
// the script tokenizer.
#include <cstdint>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace cv::plan {

// printf("%0Wd") / "%Wd" and "%0WX" / "%0Wx" equivalents.
std::string Dec(long long value, int width = 0, bool zeroPad = false);
std::string Hex(unsigned long long value, int width, bool upper = true);
// Pads on the left with blanks to `width` (printf("%Ws")).
std::string PadLeft(const std::string& text, size_t width);
// Without the blanks and tabs around it (and a CR left at the end of a line).
std::string_view TrimBlanks(std::string_view text);
// A plan or channel name as a person reads and types it: without the blanks that pad it to the
// instrument's width, which only the meter and the files get.
std::string ShownName(std::string_view name);
// A bandwidth read in MHz with decimals, in the family's units (1/unitsPerMHz MHz), to the
// nearest unit: 1.13 MHz is 113 hundredths, though 1.13 x 100 falls just below 113.
int32_t BandwidthInUnits(double mhz, int unitsPerMHz);

// A decimal number with '.' as point; blanks around it (and a CR left at the end of a line) are
// allowed, nothing else. Unlike atof, "12abc" or "" is refused, so a damaged line never reads as
// a plausible frequency.
std::optional<double> ParseNumber(std::string_view text);
// The frequency a plan file shows for a channel of `band` held at `mhz` (satellite: its
// intermediate frequency), to the two decimals the file keeps: as held unless those decimals
// read back as another word (47.125 kept as 47.12 tunes a step lower), then the frequency the
// word tunes. A satellite channel always shows the tuned one: adding the oscillator blurs the
// last decimal, and the 0.125 MHz steps keep their usual values (.25, .5) anyway.
double FileFrequency(char band, float mhz);
// A decimal integer (optionally signed), whole text.
std::optional<long long> ParseInteger(std::string_view text);
// A hexadecimal number written "0x..." (the form the scripts use); refuses values above 0xFFFF.
std::optional<uint16_t> ParseHex16(std::string_view text);

// Replaces each "%s" or "%d" of `pattern`, in order, by the next argument.
std::string Fill(const std::string& pattern, std::initializer_list<std::string> args);

// One line as the plan files and scripts read it: lines of at most 254 characters (a longer line
// is read as several), LF or CRLF endings alike; `number` counts every line from 1.
struct TextLine {
  int number = 0;
  std::string text;
};
struct TextFileLines {
  std::vector<TextLine> lines;
  int binaryLine = 0;  // first line holding a NUL byte (0: none): the file is not text
};
// False when the file cannot be opened.
bool ReadTextLines(const std::string& path, TextFileLines& out);
void SplitTextLines(const std::string& content, TextFileLines& out);

// "(%2d) %s": how the readers show a line in their messages.
std::string DisplayLine(const TextLine& line);

// True for a line to skip: empty, or a comment ('#' after blanks and tabs).
bool IsCommentOrEmpty(const std::string& text);

// A name as the script tokenizer will read it back: characters that split a token (blank, TAB,
// ',', '(', ')') inside the name, and a '#' or any control character, become '_'; padding blanks
// before and after the name stay; an empty or all-blank name becomes "_".
std::string ScriptSafeName(const std::string& name);

// A name as a field of a plan file: the list separator would split its line and a '#' starting
// it would make the line a comment, so each becomes '_'.
std::string ListSafeName(std::string name, char listSeparator);

}  // namespace cv::plan

namespace cv::plan {

// Writes `content` to `path` through a temporary file renamed over it only after a complete
// write, so a failed save leaves the previous file whole. False when the file could not be
// created or written.
bool WriteWholeFile(const std::string& path, const std::string& content);

}  // namespace cv::plan
