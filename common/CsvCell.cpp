#include "CsvCell.h"

namespace cv {

std::string CsvCell(const std::string& text, char listSeparator) {
  if (text.find_first_of(std::string{listSeparator, '"', '\n', '\r'}) == std::string::npos) return text;
  std::string q = "\"";
  for (char c : text) {
    if (c == '"') q += '"';
    q += c;
  }
  return q + '"';
}

}  // namespace cv
