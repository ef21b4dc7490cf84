#include "Xr9PlanFiles.h"

#include <QFile>
#include <cstdio>
#include <unordered_set>

#include "NumFormat.h"
#include "Text1252.h"

namespace cv::xr9 {

namespace {

constexpr char kExtension[] = ".can";

char UpperAscii(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

std::string UpperAscii(std::string s) {
  for (char& c : s) c = UpperAscii(c);
  return s;
}

bool StartsCan(const std::string& s, size_t at) {
  return s.size() >= at + 4 && s[at] == '.' && UpperAscii(s.substr(at + 1, 3)) == "CAN";
}

bool NeedsEscape(const std::string& name, size_t i) {
  const auto c = static_cast<unsigned char>(name[i]);
  if (c < 0x20 || c == 0x7F) return true;
  switch (c) {
    case '%': case '"': case '\'': case '/': case '\\': case ':':
    case 0x81: case 0x8D: case 0x8F: case 0x90: case 0x9D:
      return true;
    case ' ': case '#':
      return i == 0;
    case '.':
      return StartsCan(name, i);
    default:
      return false;
  }
}

std::string Escaped(const std::string& name) {
  std::string out;
  for (size_t i = 0; i < name.size(); ++i) {
    if (!NeedsEscape(name, i)) {
      out += name[i];
      continue;
    }
    char hex[4];
    std::snprintf(hex, sizeof hex, "%%%02X", static_cast<unsigned char>(name[i]));
    out += hex;
  }
  return out;
}

}  // namespace

std::string PlanFileName(const std::string& name) { return Escaped(name) + kExtension; }

std::vector<std::string> PlanFileNames(const std::vector<TPlanXR9>& plans) {
  std::vector<std::string> names(plans.size());
  std::unordered_set<std::string> taken;
  for (size_t i = 0; i < plans.size(); ++i) {
    if (plans[i].Name.empty()) continue;
    const std::string base = Escaped(plans[i].Name);
    std::string file = base + kExtension;
    for (int n = 2; taken.count(UpperAscii(file)) != 0; ++n) file = base + "~" + std::to_string(n) + kExtension;
    taken.insert(UpperAscii(file));
    names[i] = file;
  }
  return names;
}

std::string PlanNameFromFile(const std::string& fileName) {
  const size_t folder = fileName.find_last_of("/\\");
  std::string base = folder == std::string::npos ? fileName : fileName.substr(folder + 1);
  if (const size_t dot = base.find_last_of('.'); dot != std::string::npos) base.resize(dot);
  std::string name;
  for (size_t i = 0; i < base.size(); ++i) {
    const int high = i + 2 < base.size() && base[i] == '%' ? cv::HexDigitValue(base[i + 1]) : -1;
    const int low = high >= 0 ? cv::HexDigitValue(base[i + 2]) : -1;
    if (low >= 0) {
      name += static_cast<char>(high * 16 + low);
      i += 2;
    } else {
      name += base[i];
    }
  }
  return name.substr(0, PlanNameMax);
}

std::string FileSystemName(const std::string& name1252) {
  return QFile::encodeName(cv::From1252(name1252)).toStdString();
}

std::string NameFromFileSystem(const std::string& fsName) { return cv::FileSystemTo1252(fsName); }

}  // namespace cv::xr9
