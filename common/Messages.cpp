#include "Messages.h"

#include <dlfcn.h>

#include <QCoreApplication>
#include <QVariant>
#include <fstream>
#include <sstream>
#include <unordered_map>

#include "LanguageModule.h"
#include "Text1252.h"

extern const char kCvMessageTableEng[];

namespace cv {
namespace {

struct Tables {
  std::unordered_map<int, std::string> english;
  std::unordered_map<int, std::string> language;
  Tables() {
    std::vector<MsgEntry> entries;
    ParseMessageTable(kCvMessageTableEng, entries);
    for (auto& e : entries) english[e.id] = std::move(e.text);
  }
};

Tables& T() {
  static Tables t;
  return t;
}

std::string Unescape(std::string_view s) {
  std::string out;
  out.reserve(s.size());
  for (size_t i = 0; i < s.size(); ++i) {
    if (s[i] == '\\' && i + 1 < s.size()) {
      char n = s[++i];
      out.push_back(n == 'n' ? '\n' : n == 't' ? '\t' : n == 'r' ? '\r' : n);
    } else {
      out.push_back(s[i]);
    }
  }
  return out;
}

}  // namespace

int ParseMessageTable(const std::string& content, std::vector<MsgEntry>& out) {
  int bad = 0;
  std::istringstream in(content);
  std::string line;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.empty() || line[0] == '#') continue;
    size_t tab = line.find('\t');
    if (tab == std::string::npos || tab == 0) {
      ++bad;
      continue;
    }
    int id = 0;
    bool ok = true;
    for (size_t i = 0; i < tab; ++i) {
      if (line[i] < '0' || line[i] > '9' || id > (kMaxMsgId - (line[i] - '0')) / 10) {
        ok = false;
        break;
      }
      id = id * 10 + (line[i] - '0');
    }
    if (!ok) {
      ++bad;
      continue;
    }
    out.push_back({id, Utf8To1252(Unescape(std::string_view(line).substr(tab + 1)))});
  }
  return bad;
}

const std::string& Msg(int id) {
  static const std::string empty;
  Tables& t = T();
  if (auto it = t.language.find(id); it != t.language.end()) return it->second;
  if (auto it = t.english.find(id); it != t.english.end()) return it->second;
  return empty;
}

QString MsgQ(int id) { return From1252(Msg(id)); }

bool HasMsg(int id) { return T().english.count(id) || T().language.count(id); }

bool LoadLanguageTable(const std::string& path) {
  std::ifstream f(path, std::ios::binary);
  if (!f) return false;
  std::ostringstream ss;
  ss << f.rdbuf();
  std::vector<MsgEntry> entries;
  ParseMessageTable(ss.str(), entries);
  Tables& t = T();
  t.language.clear();
  for (auto& e : entries) t.language[e.id] = std::move(e.text);
  return true;
}

void ResetLanguageTable() { T().language.clear(); }

namespace {
const char* const kLanguageProperty = "cvLanguage";
}

std::string LanguageInForce() {
  QCoreApplication* app = QCoreApplication::instance();
  QString code = app ? app->property(kLanguageProperty).toString() : QString();
  return code.isEmpty() ? std::string("eng") : code.toLower().toStdString();
}

void SetLanguageInForce(const std::string& code) {
  if (QCoreApplication* app = QCoreApplication::instance())
    app->setProperty(kLanguageProperty, QString::fromStdString(code));
}

std::string ThisBinaryPath() {
  Dl_info info{};
  std::string path;
  if (dladdr(reinterpret_cast<void*>(&ThisBinaryPath), &info) && info.dli_fname) path = info.dli_fname;
  // The program itself may be named as it was started (relative to a directory since left);
  // libraries are named as they were loaded.
  if ((path.empty() || path[0] != '/') && QCoreApplication::instance())
    path = QCoreApplication::applicationFilePath().toStdString();
  return path;
}

bool LoadLanguageOfHost() {
  ResetLanguageTable();
  std::string code = LanguageInForce();
  if (code == "eng") return false;
  std::string module = FindLanguageModule(ThisBinaryPath(), code);
  return !module.empty() && LoadLanguageTable(module);
}

}  // namespace cv
