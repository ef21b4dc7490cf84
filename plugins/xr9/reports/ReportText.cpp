#include "ReportText.h"

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
