#pragma once
// The report writers' byte output: Windows-1252 text appended to a string, line feeds only, with
// the escape helper for data texts (names typed by users or read from files). INI texts are
// written as read, since they may hold markup.
#include <string>
#include <string_view>

namespace cv::xr9 {

// '&', '<' and '>' as their entities; every other byte as it is.
std::string HtmlEscape(std::string_view text);
// The escaped text, or "&nbsp;" when it is empty.
std::string HtmlCellText(std::string_view text);

}  // namespace cv::xr9
