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

// The language in force, as a module code ("esp"); "eng" until the host sets another. It lives on
// the application object, so every plug-in, with its own copy of the table, sees the host's choice.
std::string LanguageInForce();
void SetLanguageInForce(const std::string& code);
// For the deliverable this code is linked into: loads the module of the language in force from
// beside that deliverable's own file (the CORVANE-3 plug-in loads Cv3Tools.esp), or keeps English
// when English is in force or no module exists. A plug-in calls it when it is loaded; the host
// reloads a plug-in after a language change. True when a module was loaded.
bool LoadLanguageOfHost();
// The file of the deliverable (program or shared library) this code is linked into.
std::string ThisBinaryPath();

// Table file format, one text a line: id, a TAB, the text in UTF-8 (stored as Windows-1252).
// "\n", "\t" and "\\" are escapes; lines starting with '#' and blank lines are skipped.
// Parses `content` into (id, text) pairs, appending to `out`; bad lines are skipped and counted.
// An id is at most kMaxMsgId: a longer one is a bad line.
constexpr int kMaxMsgId = 99999;
struct MsgEntry {
  int id;
  std::string text;
};
int ParseMessageTable(const std::string& content, std::vector<MsgEntry>& out);

}  // namespace cv
