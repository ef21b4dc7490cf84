#include "ReportText.h"

#include "Text1252.h"

namespace cv::xr9 {

std::string HtmlEscape(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (char c : text) {
    switch (c) {
      case '&': out += "&amp;"; break;
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      default: out += c;
    }
  }
  return out;
}

std::string HtmlCellText(std::string_view text) {
  return text.empty() ? std::string("&nbsp;") : HtmlEscape(text);
}

}  // namespace cv::xr9

namespace cv::xr9 {
namespace {

// XML 1.0 allows of the C0 controls only tab, line feed and carriage return.
std::string DropForbidden(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (char c : text) {
    const auto u = static_cast<unsigned char>(c);
    if (u < 0x20 && u != '\t' && u != '\n' && u != '\r') continue;
    out += c;
  }
  return out;
}

}  // namespace

std::string XmlText(std::string_view text1252) {
  return Cp1252ToUtf8(HtmlEscape(DropForbidden(text1252)));
}

std::string CdataText(std::string_view text1252) {
  std::string t = DropForbidden(text1252);
  std::string out;
  size_t pos = 0;
  for (size_t at; (at = t.find("]]>", pos)) != std::string::npos; pos = at + 2)
    out += t.substr(pos, at + 2 - pos) + "]]><![CDATA[";
  out += t.substr(pos);
  return Cp1252ToUtf8(out);
}

}  // namespace cv::xr9
