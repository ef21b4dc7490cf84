#include "ScriptDialect.h"

#include <algorithm>
#include <string>

#include "ScriptEngine.h"

namespace {

}  // namespace

int ScriptDialect::IndexOf(const std::string& keyword) const {
  for (size_t i = 0; i < keywords.size(); ++i)
    if (keywords[i].keyword == keyword) return static_cast<int>(i);
  return -1;
}

int ScriptDialect::CodeOf(ScriptExecutor execute) const {
  for (size_t i = 0; i < keywords.size(); ++i)
    if (execute && keywords[i].execute == execute) return static_cast<int>(i) + 1;
  return 0;
}

ScriptExecutor ScriptDialect::ExecutorOf(int code) const {
  return code >= 1 && code <= static_cast<int>(keywords.size()) ? keywords[code - 1].execute : nullptr;
}

bool ScriptDialect::Rename(const std::string& keyword, const std::string& newText) {
  const int i = IndexOf(keyword);
  if (i < 0) return false;
  keywords[i].keyword = newText;
  return true;
}

void ScriptDialect::Insert(int code, const ScriptKeyword& keyword) {
  const int at = std::clamp(code - 1, 0, static_cast<int>(keywords.size()));
  keywords.insert(keywords.begin() + at, keyword);
}

int ScriptDialect::Parse(const char* line, cv::script::Statement& out) const {
  std::vector<cv::script::KeywordRow> rows;
  rows.reserve(keywords.size());
  for (const ScriptKeyword& k : keywords) rows.push_back({k.keyword.c_str(), k.tokens});
  cv::script::LexRules rules;
  rules.quotedIndex = IndexOf("DISPLAY");
  rules.quotedRefusesHash = true;
  return cv::script::ParseStatement(line, rows.data(), static_cast<int>(rows.size()), rules, out);
}

namespace cv::script {

bool ReadVersionReply(std::string_view reply, char mark, float& version) {
  version = 0;
  std::string upper(reply);
  for (char& c : upper)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  if (upper.size() <= 3) return false;
  const size_t at = upper.find(mark, 3);
  if (at == std::string::npos || at - 3 >= 255) return false;
  double d = 0;
  ReadDouble(upper.c_str() + at + 1, d);
  version = static_cast<float>(d);
  return true;
}

int32_t UpdSecondsFramework(int64_t lines) { return static_cast<int32_t>((lines * 48 / 2400) * 1.8); }

int32_t UpdSecondsPerLine45(int64_t lines) { return static_cast<int32_t>(lines * 45 / 1000); }

const ScriptDialect& Corvane3Dialect() {
  static const ScriptDialect dialect = [] {
    namespace x = cv::script::exec;
    ScriptDialect d;
    d.keywords = {
        {"SEND", 2, x::Send},         {"ASK", 2, x::Ask},           {"WAIT", 2, x::Wait},
        {"FORCE", 2, x::Force},       {"LOG", 2, x::Log},           {"ALERT", 1, x::Alert},
        {"FSTEP", 2, nullptr},        {"IFVAL", 2, nullptr},        {"FSTEPS", 2, nullptr},
        {"IFVALS", 2, nullptr},       {"ORG", 2, x::Org},           {"SENDHEX", 3, x::SendHex},
        {"PLAN", 2, x::Plan},         {"DISPLAY", 2, x::Display},   {"ENDIF", 1, x::Endif},
        {"GETKEY", 1, x::GetKey},     {"IFVER3", 3, x::IfVer},      {"DATAL3", 2, nullptr},
        {"HEADER3", 10, x::Header3},  {"CHAN3T", 6, x::Chan3T},     {"CHAN3S", 7, x::Chan3S},
        {"DIRECTORY3", 2, x::Directory}, {"COMMAND3", 3, x::Command3}, {"ADJ", 6, nullptr},
        {"READ", 4, x::Read},         {"WRITE", 4, x::Write},       {"CALC", 5, x::Calc},
        {"IF", 4, x::If},             {"SET", 4, x::Set},           {"ELSE", 1, x::Else},
        {"TEST", 2, x::Test},         {"IFERROR", 1, x::IfError},   {"RAWTX", 2, x::RawTx},
    };
    d.versionMark = 'V';
    d.segmentRecord = "0200000280007C";
    d.planCap = 32;
    d.hexTriesStartDir = true;
    d.updSeconds = UpdSecondsFramework;
    return d;
  }();
  return dialect;
}

}  // namespace cv::script
