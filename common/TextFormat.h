#pragma once
// printf-style formatting of message-table texts without the C library: "%s", "%d", "%x",
// "%[width][.decimals]f" (always with a decimal point, whatever the process locale) and "%%".
// A directive without a matching argument, or of another kind, is written as it stands, so a
// faulty translation can never read past the arguments.
#include <initializer_list>
#include <string>
#include <variant>

namespace cv {

using TextArg = std::variant<std::string, long long, double>;

std::string FormatText(const std::string& format, std::initializer_list<TextArg> args);

}  // namespace cv
