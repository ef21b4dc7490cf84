// Checks, for each language module given on the command line, that it translates every text of the
// English table with the same printf conversions, and carries its language's marker (text 6666).
// A missing text would show in English among the module's, a text with other conversions would
// format its arguments wrongly: both fail, and every missing id is listed for the translators.
#include <cstdio>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "Language.h"
#include "Messages.h"

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

}  // namespace

int main(int argc, char** argv) {
  std::vector<cv::MsgEntry> entries;
  // A line of the English table that does not read (a text continued on a second line instead of
  // "\n") loses its text in every language: that fails too.
  int faults = cv::ParseMessageTable(kCvMessageTableEng, entries);
  if (faults) std::printf("the English table: %d unreadable lines\n", faults);
  std::map<int, std::string> english;
  for (auto& e : entries) english[e.id] = e.text;
  for (int a = 1; a < argc; ++a) {
    std::ifstream in(argv[a], std::ios::binary);
    if (!in) {
      std::printf("%s: cannot be read\n", argv[a]);
      ++faults;
      continue;
    }
    std::stringstream ss;
    ss << in.rdbuf();
    std::vector<cv::MsgEntry> module;
    int bad = cv::ParseMessageTable(ss.str(), module);
    std::map<int, std::string> texts;
    for (auto& e : module) texts[e.id] = e.text;
    std::vector<int> missing;
    for (const auto& [id, text] : english) {
      auto it = texts.find(id);
      if (it == texts.end()) {
        missing.push_back(id);
      } else if (Conversions(it->second) != Conversions(text)) {
        std::printf("%s: text %d has other conversions than the English one\n", argv[a], id);
        ++faults;
      }
    }
    std::printf("%s: %zu of %zu English texts have no translation%s\n", argv[a], missing.size(), english.size(),
                missing.empty() ? "" : ":");
    for (int id : missing) std::printf("  %d\t%s\n", id, english[id].c_str());
    faults += static_cast<int>(missing.size());
    const std::string path = argv[a];
    const std::string code = path.substr(path.rfind('.') + 1);
    const int language = cv::LanguageIndexOfCode(code);
    if (language < 0 || texts[6666] != cv::LanguageOf(language).marker) {
      std::printf("%s: text 6666 is \"%s\", not the marker of \"%s\"\n", argv[a], texts[6666].c_str(), code.c_str());
      ++faults;
    }
    if (bad) std::printf("%s: %d unreadable lines\n", argv[a], bad);
    faults += bad;
  }
  return faults ? 1 : 0;
}
