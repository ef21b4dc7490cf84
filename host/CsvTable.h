#pragma once
// The CSV viewer's reader: a separator-delimited text table read into rows of Windows-1252 fields,
// within the viewer's limits. No widgets here.
#include <istream>
#include <string>
#include <vector>

namespace cv {

constexpr int kCsvMaxRows = 256;
constexpr int kCsvMaxColumns = 256;
constexpr int kCsvPieceLength = 2999;  // a longer line is read in pieces, each piece a row

struct CsvTable {
  std::vector<std::vector<std::string>> rows;
  int columns = 0;        // the widest row
  bool tooLarge = false;  // rows or columns were left out
};

// Reads lines (CRLF or LF) until the end or until the row limit is passed; the rest of the stream
// is never read. Consecutive separators count as one: empty fields are dropped. A field that
// begins with a double quote runs to its closing quote, separators and line breaks included, with
// a doubled quote standing for one; a quote left open ends with the line once its field is a
// piece long.
CsvTable ReadCsvTable(std::istream& in, char listSeparator);
// Returns false when the file cannot be opened (`out` is then untouched).
bool ReadCsvFile(const std::string& path, char listSeparator, CsvTable& out);

}  // namespace cv
