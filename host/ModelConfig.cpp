#include "ModelConfig.h"

#include <algorithm>
#include <cctype>
#include <fstream>
#include <limits>
#include <sstream>

#include "Format.h"
#include "Messages.h"
#include "MsgIds.h"
#include "NumFormat.h"

namespace {

std::string Upper(std::string s) {
  for (char& c : s) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return s;
}

int CompareNoCase(const std::string& a, const std::string& b) {
  std::string ua = Upper(a), ub = Upper(b);
  return ua < ub ? -1 : ua > ub ? 1 : 0;
}

std::vector<std::string> SplitLines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  std::string line;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
  }
  return lines;
}

// A whole code line as a decimal integer: blanks around it, an optional sign, digits.
bool ToInteger(const std::string& text, int32_t& value) {
  size_t b = text.find_first_not_of(" \t");
  if (b == std::string::npos) return false;
  size_t e = text.find_last_not_of(" \t");
  std::string s = text.substr(b, e - b + 1);
  size_t i = 0;
  bool negative = false;
  if (s[i] == '+' || s[i] == '-') negative = s[i++] == '-';
  if (i >= s.size()) return false;
  int64_t v = 0;
  for (; i < s.size(); ++i) {
    if (s[i] < '0' || s[i] > '9') return false;
    v = v * 10 + (s[i] - '0');
    if (v > int64_t{std::numeric_limits<int32_t>::max()} + 1) return false;
  }
  if (negative) v = -v;
  if (v < std::numeric_limits<int32_t>::min() || v > std::numeric_limits<int32_t>::max()) return false;
  value = static_cast<int32_t>(v);
  return true;
}

}  // namespace

void TModelConfig::Clear() {
  models.clear();
  libraries.clear();
  codes.clear();
  options.clear();
  std::fill(std::begin(baudTable), std::end(baudTable), 0);
  baudTable[0] = kFirstBaud;
}

bool TModelConfig::ReadConfigFile(const std::string& path, std::string& error) {
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    Clear();
    error = cv::Format(cv::Msg(cv::msg::detect::ConfigUnreadable), path);
    return false;
  }
  std::ostringstream text;
  text << in.rdbuf();
  size_t slash = path.find_last_of('/');
  return ReadConfigText(text.str(), slash == std::string::npos ? path : path.substr(slash + 1), error);
}

bool TModelConfig::ReadConfigText(const std::string& text, const std::string& fileName, std::string& error) {
  // Every reading starts afresh, so an edited file counts at the next detection.
  Clear();

  std::vector<std::string> lines = SplitLines(text);
  for (size_t i = 0; i < lines.size(); ++i) {
    if (lines[i].empty() || lines[i][0] != '[') continue;
    if (i + 2 >= lines.size()) {
      Clear();
      error = cv::Format(cv::Msg(cv::msg::detect::ConfigRecordCut), fileName, i + 1, lines[i]);
      return false;
    }
    models.push_back(Upper(lines[i]));
    libraries.push_back(Upper(lines[i + 1]));
    codes.push_back(lines[i + 2]);
    if (i + 3 < lines.size() && !lines[i + 3].empty() && lines[i + 3][0] != '[') {
      std::string option;
      for (char c : lines[i + 3])
        if (c != ' ' && c != '\t') option.push_back(c);
      auto at = std::lower_bound(options.begin(), options.end(), option,
                                 [](const std::string& a, const std::string& b) { return CompareNoCase(a, b) < 0; });
      if (at == options.end() || CompareNoCase(*at, option) != 0) options.insert(at, option);
    }
  }

  int next = 1;
  for (size_t i = 0; i < options.size() && i < 5; ++i) {
    if (options[i].empty()) break;
    std::string option = Upper(options[i]);
    if (option.find("BAUDRATE=") == std::string::npos) continue;
    // The rate is read at the tenth character, right after a leading "BAUDRATE=".
    long rate = option.size() > 9 ? cv::AtoL(option.c_str() + 9) : 0;
    if (rate <= 0 || rate == kFirstBaud) continue;
    if (next < kBaudEntries) baudTable[next++] = static_cast<int32_t>(rate);
  }
  error.clear();
  return true;
}

TModelConfig::Lookup TModelConfig::FindModel(const std::string& modelName, std::string& library,
                                             int32_t& code) const {
  std::string key = "[" + Upper(modelName) + "]";
  for (size_t i = 0; i < models.size(); ++i) {
    if (models[i] != key) continue;
    library = libraries[i];
    return ToInteger(codes[i], code) ? Lookup::Found : Lookup::BadCode;
  }
  return Lookup::Missing;
}

bool ParseIdentityText(const std::string& identity, std::string& modelName, float& version) {
  std::string text = Upper(identity);
  size_t star = text.find('*');
  if (star == std::string::npos) return false;
  // The star and the reply's two command letters.
  size_t p = std::min(star + 3, text.size());
  size_t end = p;
  while (end < text.size() && text[end] != ' ' && text[end] != '\r' && end - p < 31) ++end;
  if (end == p) return false;
  modelName = text.substr(p, end - p);
  version = 0.0f;
  size_t limit = std::min(text.size(), end + 224);
  size_t v = text.find('V', end);
  if (v != std::string::npos && v < limit) {
    size_t d = v;
    while (d < text.size() && !(text[d] >= '0' && text[d] <= '9')) ++d;
    if (d < text.size()) version = static_cast<float>(cv::AtoF(text.c_str() + d));
  }
  return true;
}

std::string BuildIdentity(const std::string& versionReply, bool nameOk, const std::string& nameReply) {
  if (!nameOk) return versionReply;
  std::string identity;
  for (char c : nameReply)
    if (c != ' ') identity.push_back(c);
  identity += " v";
  if (versionReply.size() > 3) identity += versionReply.substr(versionReply[3] == ' ' ? 4 : 3);
  return identity;
}
