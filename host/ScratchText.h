#pragma once
// The text editor's file, page and search logic, apart from its form. Files are kept as
// Windows-1252 bytes; their line-break style and whether the last line ends with a break are
// remembered, so a file opened and saved unchanged is written back byte for byte.
#include <QString>
#include <string>
#include <vector>

namespace cv {

// Larger files are refused ("Unable to edit: the file is too long").
constexpr long long kEditorMaxFileSize = 16LL * 1024 * 1024;

struct EditorText {
  std::string text;                // Windows-1252 bytes, lines separated by '\n'
  std::string lineBreak = "\r\n";  // written after each line
  bool finalBreak = true;          // the last line ends with a line break
};

// Splits a file's bytes into lines: the first line break decides the style (CRLF or LF).
EditorText SplitLineBreaks(const std::string& bytes);
// The file's bytes for `text`: every line followed by a line break, the last one only when
// finalBreak is set.
std::string JoinLineBreaks(const EditorText& text);

enum class EditorLoad { Ok, CannotOpen, TooLong };
EditorLoad LoadEditorFile(const QString& path, EditorText& out);
// Writes to a temporary file renamed over `path` after a complete write; on failure the old
// file is left as it was and `error` says why.
bool SaveEditorFile(const QString& path, const EditorText& text, QString* error = nullptr);

// Position of `what` in `text` at or after `from`, or -1.
int FindInText(const QString& text, const QString& what, int from, bool matchCase, bool wholeWord);

// Print layout: line height from the font size in points and the printer's vertical resolution,
// rows per page from the page height.
int PrintLineHeight(double pointSize, int dpiY);
int PrintLinesPerPage(int pageHeight, int lineHeight);
struct PrintRow {
  int page;  // 0-based
  int row;   // the line is drawn at y = row * lineHeight
};
// Where each of `lineCount` text lines goes: the first page holds rows 5 to linesPerPage (row 4
// and above belong to the header), later pages rows 4 to linesPerPage. A page too short for any
// row still takes one line, so every page carries text and the rows never run off the page.
std::vector<PrintRow> LayoutPrintRows(int lineCount, int linesPerPage);

}  // namespace cv
