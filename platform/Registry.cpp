#include "Registry.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QVariant>
#include <cctype>

#include "IniFile.h"

namespace cv {
namespace {

const char* const kRegistryOverrideProperty = "cvRegistryFile";

// The store is a profile file: one section per key path, one "name=type:data" line per value.
// Strings escape the backslash, blanks, control bytes and the profile file's own marks so that
// any byte sequence survives.
std::string EscapeBytes(const std::string& s) {
  static const char* hex = "0123456789ABCDEF";
  std::string out;
  for (unsigned char c : s) {
    if (c == '\\') out += "\\\\";
    else if (c <= 0x20 || c == 0x7F || c == '=' || c == ';' || c == '[' || c == ']' || c == '"' ||
             c == '\'') {
      out += "\\x";
      out += hex[c >> 4];
      out += hex[c & 15];
    } else out += static_cast<char>(c);
  }
  return out;
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

std::string UnescapeBytes(const std::string& s) {
  std::string out;
  for (size_t i = 0; i < s.size(); ++i) {
    if (s[i] == '\\' && i + 1 < s.size()) {
      if (s[i + 1] == 'x' && i + 3 < s.size() && HexDigit(s[i + 2]) >= 0 && HexDigit(s[i + 3]) >= 0) {
        out += static_cast<char>(HexDigit(s[i + 2]) * 16 + HexDigit(s[i + 3]));
        i += 3;
        continue;
      }
      out += s[++i];
      continue;
    }
    out += s[i];
  }
  return out;
}

std::string NormaliseKey(const std::string& key) {
  std::string k;
  for (char c : key) {
    if (c == '/') c = '\\';
    if (c == '\\' && (k.empty() || k.back() == '\\')) continue;
    k += c;
  }
  while (!k.empty() && k.back() == '\\') k.pop_back();
  return k;
}

// Loads the store; nullopt when it exists but cannot be read.
std::optional<IniFile> LoadStore() {
  IniFile f(RegistryFile());
  if (f.Exists() && !QFileInfo(QString::fromStdString(f.Path())).isReadable()) return std::nullopt;
  return f;
}

bool EnsureDir() {
  QFileInfo info(QString::fromStdString(RegistryFile()));
  return QDir().mkpath(info.absolutePath());
}

// A section with a marker value records that the key exists even while it holds no values.
const char* const kKeyMarker = "@";

}  // namespace

std::string RegistryFile() {
  if (QCoreApplication* app = QCoreApplication::instance()) {
    QString p = app->property(kRegistryOverrideProperty).toString();
    if (!p.isEmpty()) return p.toStdString();
  }
  QString base = qEnvironmentVariable("XDG_CONFIG_HOME");
  if (base.isEmpty() || !QDir::isAbsolutePath(base)) base = QDir::homePath() + "/.config";
  return (base + "/CvTools/registry.ini").toStdString();
}

void SetRegistryFile(const std::string& path) {
  if (QCoreApplication* app = QCoreApplication::instance())
    app->setProperty(kRegistryOverrideProperty, QString::fromStdString(path));
}

bool RegKey::KeyExists(const std::string& key) {
  auto store = LoadStore();
  return store && store->SectionExists(NormaliseKey(key));
}

std::optional<RegKey> RegKey::Open(const std::string& key, bool create) {
  std::string k = NormaliseKey(key);
  if (k.empty()) return std::nullopt;
  auto store = LoadStore();
  if (!store) return std::nullopt;
  if (store->SectionExists(k)) return RegKey(k);
  if (!create || !EnsureDir()) return std::nullopt;
  if (!store->WriteString(k, kKeyMarker, "")) return std::nullopt;
  return RegKey(k);
}

std::optional<std::string> RegKey::Encoded(const std::string& name) const {
  if (name.empty() || name == kKeyMarker) return std::nullopt;
  auto store = LoadStore();
  if (!store || !store->KeyExists(key_, EscapeBytes(name))) return std::nullopt;
  return store->ReadString(key_, EscapeBytes(name), "");
}

bool RegKey::ValueExists(const std::string& name) const { return Encoded(name).has_value(); }

RegRead RegKey::ReadString(const std::string& name, std::string& out) const {
  auto v = Encoded(name);
  if (!v) return RegRead::Missing;
  if (v->rfind("sz:", 0) != 0) return RegRead::WrongType;
  out = UnescapeBytes(v->substr(3));
  return RegRead::Ok;
}

RegRead RegKey::ReadInteger(const std::string& name, int32_t& out) const {
  auto v = Encoded(name);
  if (!v) return RegRead::Missing;
  if (v->rfind("dword:", 0) != 0 || v->size() != 14) return RegRead::WrongType;
  uint32_t n = 0;
  for (size_t i = 6; i < v->size(); ++i) {
    int d = HexDigit((*v)[i]);
    if (d < 0) return RegRead::WrongType;
    n = n * 16 + static_cast<uint32_t>(d);
  }
  out = static_cast<int32_t>(n);
  return RegRead::Ok;
}

RegRead RegKey::ReadBool(const std::string& name, bool& out) const {
  int32_t n = 0;
  RegRead r = ReadInteger(name, n);
  if (r == RegRead::Ok) out = n != 0;
  return r;
}

RegRead RegKey::ReadBinary(const std::string& name, std::vector<uint8_t>& out) const {
  auto v = Encoded(name);
  if (!v) return RegRead::Missing;
  if (v->rfind("hex:", 0) != 0 || (v->size() - 4) % 2 != 0) return RegRead::WrongType;
  std::vector<uint8_t> bytes;
  for (size_t i = 4; i < v->size(); i += 2) {
    int hi = HexDigit((*v)[i]), lo = HexDigit((*v)[i + 1]);
    if (hi < 0 || lo < 0) return RegRead::WrongType;
    bytes.push_back(static_cast<uint8_t>(hi * 16 + lo));
  }
  out = std::move(bytes);
  return RegRead::Ok;
}

bool RegKey::Write(const std::string& name, const std::string& encoded) {
  // A profile file has no line for a value without a name: it is refused, not lost.
  if (name.empty() || name == kKeyMarker || !EnsureDir()) return false;
  auto store = LoadStore();
  return store && store->WriteString(key_, EscapeBytes(name), encoded);
}

bool RegKey::WriteString(const std::string& name, const std::string& value) {
  return Write(name, "sz:" + EscapeBytes(value));
}

bool RegKey::WriteInteger(const std::string& name, int32_t value) {
  static const char* hex = "0123456789abcdef";
  std::string s = "dword:";
  uint32_t n = static_cast<uint32_t>(value);
  for (int shift = 28; shift >= 0; shift -= 4) s += hex[(n >> shift) & 15];
  return Write(name, s);
}

bool RegKey::WriteBool(const std::string& name, bool value) { return WriteInteger(name, value ? 1 : 0); }

bool RegKey::WriteBinary(const std::string& name, const std::vector<uint8_t>& value) {
  static const char* hex = "0123456789abcdef";
  std::string s = "hex:";
  for (uint8_t b : value) {
    s += hex[b >> 4];
    s += hex[b & 15];
  }
  return Write(name, s);
}

}  // namespace cv
