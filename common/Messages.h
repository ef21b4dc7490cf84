#pragma once
// The message table: every user text is taken by numeric id. The English table is compiled into
// each deliverable (host and every plug-in carry it whole); a language module loaded at run time
// overrides the texts it holds, and a text missing from it falls back to English.
#include <QString>
#include <string>
#include <vector>

namespace cv {

// The text of `id` as Windows-1252 bytes; an unknown id gives an empty text.
const std::string& Msg(int id);
// The same text for a widget.
QString MsgQ(int id);
bool HasMsg(int id);

// Language module: a table file of the same format as resources/messages/eng/*.txt.
// Returns false (and changes nothing) when the file cannot be read.
bool LoadLanguageTable(const std::string& path);
void ResetLanguageTable();  // back to English only

// Table file format, one text a line: id, a TAB, the text in UTF-8 (stored as Windows-1252).
// "\n", "\t" and "\\" are escapes; lines starting with '#' and blank lines are skipped.
// Parses `content` into (id, text) pairs, appending to `out`; bad lines are skipped and counted.
struct MsgEntry {
  int id;
  std::string text;
};
int ParseMessageTable(const std::string& content, std::vector<MsgEntry>& out);

}  // namespace cv
