#include "IniFile.h"

#include "AtomicFile.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QVariant>
#include <cctype>
#include <fstream>
#include <sstream>

namespace cv {
namespace {

std::string Trim(const std::string& s) {
  size_t b = 0, e = s.size();
  while (b < e && (s[b] == ' ' || s[b] == '\t')) ++b;
  while (e > b && (s[e - 1] == ' ' || s[e - 1] == '\t' || s[e - 1] == '\r')) --e;
  return s.substr(b, e - b);
}

}  // namespace

bool SameText(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
      return false;
  return true;
}

IniFile::IniFile(std::string path) : path_(std::move(path)) { Load(); }

bool IniFile::Load() {
  sections_.clear();
  exists_ = false;
  failed_ = false;
  if (path_.empty()) return true;
  QFileInfo info(QString::fromStdString(path_));
  if (!info.exists()) return true;
  exists_ = true;
  std::ifstream f(path_, std::ios::binary);
  if (!f || info.isDir()) {
    failed_ = true;
    return false;
  }
  std::ostringstream ss;
  ss << f.rdbuf();
  Parse(ss.str());
  return true;
}

void IniFile::Parse(const std::string& content) {
  sections_.clear();
  sections_.push_back({});
  std::istringstream in(content);
  std::string line;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    std::string t = Trim(line);
    if (!t.empty() && t.front() == '[') {
      size_t close = t.find(']');
      if (close != std::string::npos) {
        sections_.push_back({Trim(t.substr(1, close - 1)), {}});
        continue;
      }
    }
    Entry e;
    e.raw = line;
    size_t eq = t.find('=');
    if (!t.empty() && t[0] != ';' && eq != std::string::npos && eq > 0) {
      e.key = Trim(t.substr(0, eq));
      e.value = Trim(t.substr(eq + 1));
    }
    sections_.back().entries.push_back(std::move(e));
  }
}

const IniFile::Section* IniFile::FindSection(const std::string& name) const {
  for (size_t i = 1; i < sections_.size(); ++i)
    if (SameText(sections_[i].name, name)) return &sections_[i];
  return nullptr;
}

const IniFile::Entry* IniFile::FindEntry(const std::string& section, const std::string& key) const {
  const Section* s = FindSection(section);
  if (!s) return nullptr;
  for (const Entry& e : s->entries)
    if (!e.key.empty() && SameText(e.key, key)) return &e;
  return nullptr;
}

std::string IniFile::ReadString(const std::string& section, const std::string& key,
                                const std::string& def) const {
  const Entry* e = FindEntry(section, key);
  if (!e) return def;
  const std::string& v = e->value;
  if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front())
    return v.substr(1, v.size() - 2);
  return v;
}

int IniFile::ReadInteger(const std::string& section, const std::string& key, int def) const {
  const Entry* e = FindEntry(section, key);
  if (!e) return def;
  // As profile files are read: the leading number of the value ("600 ;note" gives 600), and the
  // default when the value starts with none or holds more than 32 bits.
  const std::string& v = e->value;
  auto digit = [&v](size_t at, int base) {
    if (at >= v.size()) return -1;
    char c = static_cast<char>(std::tolower(static_cast<unsigned char>(v[at])));
    if (c >= '0' && c <= '9') return c - '0';
    if (base == 16 && c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
  };
  size_t i = 0;
  bool neg = false;
  if (i < v.size() && (v[i] == '-' || v[i] == '+')) neg = v[i++] == '-';
  int base = 10;
  if (digit(i, 10) == 0 && i + 1 < v.size() && (v[i + 1] == 'x' || v[i + 1] == 'X') && digit(i + 2, 16) >= 0) {
    base = 16;
    i += 2;
  }
  if (digit(i, base) < 0) return def;
  long long n = 0;
  for (int d; (d = digit(i, base)) >= 0; ++i) {
    n = n * base + d;
    if (n > 0xFFFFFFFFLL) return def;
  }
  if (neg) n = -n;
  if (base == 10 && (n > 2147483647LL || n < -2147483648LL)) return def;
  return static_cast<int>(static_cast<uint32_t>(n));  // 0xFFFFFFFF reads as -1, as 32-bit code expects
}

bool IniFile::KeyExists(const std::string& section, const std::string& key) const {
  return FindEntry(section, key) != nullptr;
}

bool IniFile::SectionExists(const std::string& section) const { return FindSection(section) != nullptr; }

std::vector<std::string> IniFile::ReadSection(const std::string& section) const {
  std::vector<std::string> keys;
  const Section* s = FindSection(section);
  if (!s) return keys;
  for (const Entry& e : s->entries) {
    if (e.key.empty()) continue;
    bool seen = false;
    for (const auto& k : keys) seen = seen || SameText(k, e.key);
    if (!seen) keys.push_back(e.key);
  }
  return keys;
}

std::string IniFile::Serialise() const {
  std::string out;
  for (size_t i = 0; i < sections_.size(); ++i) {
    if (i > 0) out += "[" + sections_[i].name + "]\r\n";
    for (const Entry& e : sections_[i].entries) out += e.raw + "\r\n";
  }
  return out;
}

bool IniFile::WriteString(const std::string& section, const std::string& key, const std::string& value) {
  if (sections_.empty()) sections_.push_back({});
  Section* s = const_cast<Section*>(FindSection(section));
  if (!s) {
    sections_.push_back({section, {}});
    s = &sections_.back();
  }
  Entry* target = nullptr;
  for (Entry& e : s->entries)
    if (!e.key.empty() && SameText(e.key, key)) {
      target = &e;
      break;
    }
  if (!target) target = &*s->entries.insert(s->entries.begin() + EndOfKeys(*s), Entry{key, {}, {}});
  target->value = value;
  target->raw = target->key + "=" + value;
  return Save();
}

long IniFile::EndOfKeys(const Section& s) {
  // New keys go after the section's last key, ahead of any blank lines that separate sections.
  size_t pos = s.entries.size();
  while (pos > 0 && Trim(s.entries[pos - 1].raw).empty()) --pos;
  return static_cast<long>(pos);
}

int IniFile::AddMissingFrom(const IniFile& shipped) {
  if (sections_.empty()) sections_.push_back({});
  int added = 0;
  for (size_t i = 1; i < shipped.sections_.size(); ++i) {
    const Section& from = shipped.sections_[i];
    Section* to = const_cast<Section*>(FindSection(from.name));
    if (!to) {
      Section& last = sections_.back();
      if (sections_.size() > 1 && (last.entries.empty() || !Trim(last.entries.back().raw).empty()))
        last.entries.push_back({});
      sections_.push_back(from);
      ++added;
      continue;
    }
    for (size_t k = 0; k < from.entries.size(); ++k) {
      const Entry& e = from.entries[k];
      if (e.key.empty() || FindEntry(from.name, e.key)) continue;
      size_t first = k;  // the comments that explain the key come with it
      while (first > 0 && from.entries[first - 1].key.empty() && !Trim(from.entries[first - 1].raw).empty())
        --first;
      long at = EndOfKeys(*to);
      to->entries.insert(to->entries.begin() + at, from.entries.begin() + static_cast<long>(first),
                         from.entries.begin() + static_cast<long>(k) + 1);
      ++added;
    }
  }
  return added;
}

bool IniFile::Save() {
  if (WriteFileAtomically(path_, Serialise()) != SaveResult::Saved) return false;
  exists_ = true;
  return true;
}

namespace {
// Kept on the application object so that the host and every plug-in (each with its own copy of
// this code) agree on the file.
const char* const kIniOverrideProperty = "cvHostIniPath";
}  // namespace

void SetHostIniPath(const std::string& path) {
  if (QCoreApplication* app = QCoreApplication::instance())
    app->setProperty(kIniOverrideProperty, QString::fromStdString(path));
}

std::string HostIniPath() {
  if (QCoreApplication* app = QCoreApplication::instance()) {
    QString p = app->property(kIniOverrideProperty).toString();
    if (!p.isEmpty()) return p.toStdString();
  }
  QByteArray env = qgetenv("CV_INI_FILE");
  if (!env.isEmpty()) return env.toStdString();
  QString exe = QCoreApplication::applicationFilePath();
  if (exe.isEmpty()) return "CvTools.INI";
  QFileInfo info(exe);
  QString base = info.completeSuffix().isEmpty() ? info.fileName() : info.completeBaseName();
  return (info.absolutePath() + "/" + base + ".INI").toStdString();
}

IniFile HostIni() { return IniFile(HostIniPath()); }

}  // namespace cv
