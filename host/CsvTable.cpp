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
  bool quoted = false;       // inside a quoted cell, which a line break does not end
  int row = -1;
  while (ReadPiece(*sb, piece)) {
    // A line of exactly the piece length leaves only its LF for the next read: that is the end of
    // the line already shown, not an empty row of its own.
    bool cut = piece.back() != '\n';
    if (previousCut && piece == "\n" && !quoted) {
      previousCut = false;
      continue;
    }
    previousCut = cut;
    const bool continuing = quoted;  // this piece goes on with the row's last cell
    if (!continuing && ++row >= kCsvMaxRows) {
      t.tooLarge = true;
      break;
    }
    if (!cut) piece.pop_back();
    auto& fields = continuing ? t.rows.back() : t.rows.emplace_back();
    size_t pos = 0;
    bool inCell = continuing;
    for (;;) {
      if (!inCell) {
        pos = piece.find_first_not_of(listSeparator, pos);
        if (pos == std::string::npos) break;
        if (static_cast<int>(fields.size()) >= kCsvMaxColumns) {
          t.tooLarge = true;
          break;
        }
        fields.emplace_back();
        // A cell that holds the separator, a quote or a line break is written between quotes,
        // its own quotes doubled, so that it stays one cell under its heading.
        if (piece[pos] == '"') {
          quoted = true;
          ++pos;
        }
      }
      inCell = false;
      std::string& field = fields.back();
      while (pos < piece.size()) {
        const char c = piece[pos];
        if (quoted && c == '"') {
          if (pos + 1 < piece.size() && piece[pos + 1] == '"') {
            field += '"';
            pos += 2;
          } else {
            quoted = false;
            ++pos;
          }
          continue;
        }
        if (!quoted && c == listSeparator) break;
        field += c;
        ++pos;
      }
      if (pos < piece.size()) continue;
      if (quoted) {
        // A quote left open goes on past the line end only while the cell stays within a piece's
        // length: a stray quote must not pull the rest of a large file into one cell.
        if (static_cast<int>(field.size()) >= kCsvPieceLength) quoted = false;
        else if (!cut) field += '\n';
      }
      break;
    }
    if (t.tooLarge && quoted) quoted = false;
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
