// INI files: the input is a profile file, read key by key as the tools read their settings; a
// value written into it reads back, and every other value reads as before.
#include <map>

#include "FuzzSupport.h"
#include "IniFile.h"

namespace {

// The section names the file's headers give, in file order.
std::vector<std::string> SectionNames(const std::string& text) {
  std::vector<std::string> names;
  for (const std::string& line : cvfuzz::Lines(text)) {
    const size_t open = line.find_first_not_of(" \t");
    if (open == std::string::npos || line[open] != '[') continue;
    const size_t close = line.find(']', open);
    if (close == std::string::npos) continue;
    // Trimmed as the reader trims: blanks and tabs before, blanks, tabs and CRs after.
    const std::string name = line.substr(open + 1, close - open - 1);
    const size_t b = name.find_first_not_of(" \t"), e = name.find_last_not_of(" \t\r");
    names.push_back(b == std::string::npos || e == std::string::npos || e < b ? std::string()
                                                                              : name.substr(b, e - b + 1));
  }
  return names;
}

using Values = std::map<std::pair<std::string, std::string>, std::string>;

Values ReadAll(const cv::IniFile& ini, const std::vector<std::string>& sections) {
  Values values;
  for (const std::string& s : sections) {
    for (const std::string& key : ini.ReadSection(s)) {
      FUZZ_CHECK(ini.KeyExists(s, key));
      values[{s, key}] = ini.ReadString(s, key, "\x01");
      ini.ReadInteger(s, key, -7);
    }
  }
  return values;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string input = cvfuzz::Text(data, size);
  cv::IniFile ini(cvfuzz::WriteScratch("CvTools.INI", input));
  FUZZ_CHECK(ini.Exists() && !ini.LoadFailed());
  const std::vector<std::string> sections = SectionNames(input);
  const Values before = ReadAll(ini, sections);

  const std::string section = sections.empty() ? "Fuzz" : sections.back();
  if (!ini.WriteString(section, "FuzzKey", "12345")) return 0;
  cv::IniFile again(ini.Path());
  FUZZ_CHECK(again.ReadInteger(section, "FuzzKey", 0) == 12345);
  Values after = ReadAll(again, SectionNames(cvfuzz::Text(data, size)));
  for (const auto& [where, value] : before) {
    if (cv::SameText(where.first, section) && cv::SameText(where.second, "FuzzKey")) continue;
    FUZZ_CHECK(after.count(where) && after[where] == value);
  }
  return 0;
}
