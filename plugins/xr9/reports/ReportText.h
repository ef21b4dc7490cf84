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

namespace cv::xr9 {

// A Windows-1252 data text as XML element text: UTF-8, '&', '<' and '>' as entities, and the
// control characters XML 1.0 forbids dropped.
std::string XmlText(std::string_view text1252);
// A Windows-1252 text for a CDATA body: UTF-8, forbidden control characters dropped, and a "]]>"
// split across two CDATA sections so it cannot end the section early.
std::string CdataText(std::string_view text1252);

}  // namespace cv::xr9
