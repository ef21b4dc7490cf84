// Checks, for each language module given on the command line, that it translates every text of the
// English table, and nothing else, as the program uses it:
// - every English id has a text, with the same printf conversions (other conversions would format
//   the arguments wrongly), and the module has no id the English table lacks (a stale text);
// - a list of items separated by '|' has as many items as the English one: such lists fill radio
//   groups and combo boxes whose item index picks what is sent to the meter;
// - a text is not the English one pasted, unless the language's reviewed list says it reads the
//   same there (units, names of standards and models, keys of files): --same DIR names the folder
//   of those lists, <code>.same.txt, in the table's format with the English text;
// - the module carries its language's marker (text 6666).
// Modules of the same language with the same content (each deliverable gets the whole table) are
// checked once. Every fault is one line naming the module, the text and the rule.
#include <cctype>
#include <cstdio>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "Language.h"
#include "Messages.h"
#include "Text1252.h"

extern const char kCvMessageTableEng[];

namespace {

// The conversions of a printf-style text, flags and widths included ("%s", "%4.2f").
std::vector<std::string> Conversions(const std::string& text) {
  std::vector<std::string> out;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '%') continue;
    size_t j = i + 1;
    while (j < text.size() && std::string("-+ #0123456789.*lh").find(text[j]) != std::string::npos) ++j;
    if (j < text.size()) out.push_back(text.substr(i, j - i + 1));
    i = j;
  }
  return out;
}

// A text with a word in it: one letter or more outside its conversions. Texts of figures, signs
// and conversions alone ("%d", "-", "%s: %s") read the same in every language.
bool HasWords(const std::string& text) {
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '%') {
      while (i + 1 < text.size() && std::string("-+ #0123456789.*lh").find(text[i + 1]) != std::string::npos) ++i;
      ++i;
      continue;
    }
    if (std::isalpha(static_cast<unsigned char>(text[i])) || static_cast<unsigned char>(text[i]) >= 0xC0) return true;
  }
  return false;
}

size_t Items(const std::string& text) {
  size_t n = 1;
  for (char c : text) n += c == '|';
  return n;
}

std::string Shown(const std::string& text) { return cv::Cp1252ToUtf8(text); }

bool ReadFile(const std::string& path, std::string& content) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  std::stringstream ss;
  ss << in.rdbuf();
  content = ss.str();
  return true;
}

std::map<int, std::string> AsMap(const std::vector<cv::MsgEntry>& entries) {
  std::map<int, std::string> out;
  for (auto& e : entries) out[e.id] = e.text;
  return out;
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<cv::MsgEntry> entries;
  // A line of the English table that does not read (a text continued on a second line instead of
  // "\n") loses its text in every language: that fails too.
  int faults = cv::ParseMessageTable(kCvMessageTableEng, entries);
  if (faults) std::printf("the English table: %d unreadable lines\n", faults);
  const std::map<int, std::string> english = AsMap(entries);
  std::string sameDir;
  std::map<std::string, std::string> checked;  // content -> the module first checked with it
  for (int a = 1; a < argc; ++a) {
    const std::string path = argv[a];
    if (path == "--same" && a + 1 < argc) {
      sameDir = argv[++a];
      continue;
    }
    const char* module = path.c_str();
    std::string content;
    if (!ReadFile(path, content)) {
      std::printf("%s: cannot be read\n", module);
      ++faults;
      continue;
    }
    const std::string code = path.substr(path.rfind('.') + 1);
    if (auto it = checked.find(code + '\n' + content); it != checked.end()) {
      std::printf("%s: the same texts as %s\n", module, it->second.c_str());
      continue;
    }
    checked[code + '\n' + content] = path;
    std::vector<cv::MsgEntry> parsed;
    const int bad = cv::ParseMessageTable(content, parsed);
    const std::map<int, std::string> texts = AsMap(parsed);

    // The reviewed texts of this language that read as in English.
    std::map<int, std::string> same;
    const std::string sameFile = sameDir.empty() ? std::string() : sameDir + "/" + code + ".same.txt";
    if (!sameFile.empty()) {
      std::string list;
      if (ReadFile(sameFile, list)) {
        std::vector<cv::MsgEntry> listed;
        if (int unread = cv::ParseMessageTable(list, listed)) {
          std::printf("%s: %d unreadable lines\n", sameFile.c_str(), unread);
          faults += unread;
        }
        same = AsMap(listed);
      }
      for (const auto& [id, text] : same) {
        auto e = english.find(id);
        if (e == english.end() || e->second != text) {
          std::printf("%s: text %d is listed as \"%s\", but the English text is \"%s\": review it again\n",
                      sameFile.c_str(), id, Shown(text).c_str(),
                      e == english.end() ? "<none>" : Shown(e->second).c_str());
          ++faults;
        }
      }
    }

    std::vector<int> missing;
    for (const auto& [id, text] : english) {
      auto it = texts.find(id);
      if (it == texts.end()) {
        missing.push_back(id);
        continue;
      }
      const std::string& own = it->second;
      if (Conversions(own) != Conversions(text)) {
        std::printf("%s: text %d has other conversions than the English one\n", module, id);
        ++faults;
      }
      if (Items(own) != Items(text)) {
        std::printf("%s: text %d has %zu '|' items, the English one %zu: \"%s\"\n", module, id, Items(own),
                    Items(text), Shown(own).c_str());
        ++faults;
      }
      if (own == text && HasWords(text) && id != 6666 && !same.count(id)) {
        std::printf("%s: text %d is the English text \"%s\": translate it%s\n", module, id, Shown(text).c_str(),
                    sameFile.empty() ? "" : (", or list it in " + sameFile + " if it reads the same").c_str());
        ++faults;
      }
      if (own != text && same.count(id)) {
        std::printf("%s: text %d is translated, \"%s\": take it off %s\n", module, id, Shown(own).c_str(),
                    sameFile.c_str());
        ++faults;
      }
    }
    for (const auto& [id, text] : texts) {
      if (!english.count(id)) {
        std::printf("%s: text %d is not in the English table: \"%s\"\n", module, id, Shown(text).c_str());
        ++faults;
      }
    }
    std::printf("%s: %zu of %zu English texts have no translation%s\n", module, missing.size(), english.size(),
                missing.empty() ? "" : ":");
    for (int id : missing) std::printf("  %d\t%s\n", id, Shown(english.at(id)).c_str());
    faults += static_cast<int>(missing.size());
    const int language = cv::LanguageIndexOfCode(code);
    auto marker = texts.find(6666);
    if (language < 0 || marker == texts.end() || marker->second != cv::LanguageOf(language).marker) {
      std::printf("%s: text 6666 is \"%s\", not the marker of \"%s\"\n", module,
                  marker == texts.end() ? "" : marker->second.c_str(), code.c_str());
      ++faults;
    }
    if (bad) std::printf("%s: %d unreadable lines\n", module, bad);
    faults += bad;
  }
  return faults ? 1 : 0;
}
