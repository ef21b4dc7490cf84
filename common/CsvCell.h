#pragma once
// One cell of a separator-delimited table as written: quoted, its own quotes doubled, only when it
// holds the list separator, a double quote or a line break, so that an instrument's text never
// shifts the cells after it; any other text goes out as it stands.
#include <string>

namespace cv {

std::string CsvCell(const std::string& text, char listSeparator);

}  // namespace cv
