// The text editor's file handling: a file's bytes split into lines and joined again as Save
// writes them, the text as the edit box holds it, and the search over it. A file whose line
// breaks are all of one style is written back byte for byte.
#include <algorithm>

#include "FuzzSupport.h"
#include "ScratchText.h"
#include "Text1252.h"

namespace {

// Every line break is CRLF, or none is.
bool OneStyle(const std::string& bytes) {
  bool crlf = false, lf = false;
  for (size_t i = 0; i < bytes.size(); ++i)
    if (bytes[i] == '\n') (i > 0 && bytes[i - 1] == '\r' ? crlf : lf) = true;
  return !(crlf && lf);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string bytes = cvfuzz::Text(data, size);
  const cv::EditorText text = cv::SplitLineBreaks(bytes);
  const std::string saved = cv::JoinLineBreaks(text);
  if (OneStyle(bytes)) FUZZ_CHECK(saved == bytes);
  FUZZ_CHECK(cv::SplitLineBreaks(saved).text == text.text);

  const QString shown = cv::From1252(text.text);
  FUZZ_CHECK(cv::To1252(shown) == text.text);
  // Search for the first line's last word, from the middle, both ways of each option.
  const std::string first = text.text.substr(0, text.text.find('\n'));
  const size_t blank = first.find_last_of(' ');
  const QString what = cv::From1252(first.substr(blank == std::string::npos ? 0 : blank + 1));
  for (int options = 0; options < 4; ++options) {
    const int at = cv::FindInText(shown, what, static_cast<int>(shown.size() / 2), options & 1, options & 2);
    FUZZ_CHECK(at == -1 || (at >= 0 && at + what.size() <= shown.size()));
  }

  // Printing: every line on a page row below the header, none past the page's last row.
  const int linesPerPage = size > 0 ? data[0] % 80 - 10 : 60;
  const int lineCount = static_cast<int>(std::count(text.text.begin(), text.text.end(), '\n')) + 1;
  int page = 0;
  for (const cv::PrintRow& r : cv::LayoutPrintRows(lineCount, linesPerPage)) {
    FUZZ_CHECK(r.page == page || r.page == page + 1);
    page = r.page;
    FUZZ_CHECK(r.row >= (page == 0 ? 5 : 4) && r.row <= std::max(linesPerPage, 5));
  }
  return 0;
}
