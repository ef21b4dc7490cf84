#include "CsvTable.h"

#include <fstream>

namespace cv {
namespace {

// One piece of at most kCsvPieceLength characters, ending at (and including) LF when one comes
// first. CR before LF is dropped, as a text-mode read does. False at the end of the stream.
bool ReadPiece(std::streambuf& sb, std::string& piece) {
  piece.clear();
  bool any = false;
  while (static_cast<int>(piece.size()) < kCsvPieceLength) {
    int c = sb.sbumpc();
    if (c == std::char_traits<char>::eof()) break;
    any = true;
    if (c == '\r' && sb.sgetc() == '\n') continue;
    piece.push_back(static_cast<char>(c));
    if (c == '\n') break;
  }
  return any;
}

}  // namespace

CsvTable ReadCsvTable(std::istream& in, char listSeparator) {
  CsvTable t;
  std::streambuf* sb = in.rdbuf();
  if (!sb) return t;
  std::string piece;
  bool previousCut = false;  // the previous piece filled the buffer without reaching LF
  int row = -1;
  while (ReadPiece(*sb, piece)) {
    // A line of exactly the piece length leaves only its LF for the next read: that is the end of
    // the line already shown, not an empty row of its own.
    bool cut = piece.back() != '\n';
    if (previousCut && piece == "\n") {
      previousCut = false;
      continue;
    }
    previousCut = cut;
    if (++row >= kCsvMaxRows) {
      t.tooLarge = true;
      break;
    }
    if (!cut) piece.pop_back();
    auto& fields = t.rows.emplace_back();
    size_t pos = 0;
    while (pos < piece.size()) {
      size_t start = piece.find_first_not_of(listSeparator, pos);
      if (start == std::string::npos) break;
      size_t end = piece.find(listSeparator, start);
      if (end == std::string::npos) end = piece.size();
      if (static_cast<int>(fields.size()) >= kCsvMaxColumns) {
        t.tooLarge = true;
        break;
      }
      fields.emplace_back(piece, start, end - start);
      pos = end;
    }
    if (static_cast<int>(fields.size()) > t.columns) t.columns = static_cast<int>(fields.size());
  }
  return t;
}

bool ReadCsvFile(const std::string& path, char listSeparator, CsvTable& out) {
  std::ifstream f(path, std::ios::binary);
  if (!f) return false;
  out = ReadCsvTable(f, listSeparator);
  return true;
}

}  // namespace cv
