#include "ScriptCore.h"

#include <cerrno>
#include <climits>
#include <cmath>
#include <algorithm>
#include <cstring>
#include <filesystem>
#include <system_error>

#include "Format.h"
#include "Messages.h"
#include "MsgIds.h"
#include "NumFormat.h"

namespace cv::script {
namespace {

// strtok without hidden state: skips leading delimiters, cuts the token with a NUL.
char* NextToken(char*& save, const char* delims) {
  char* p = save;
  while (*p && std::strchr(delims, *p)) ++p;
  if (!*p) {
    save = p;
    return nullptr;
  }
  char* start = p;
  while (*p && !std::strchr(delims, *p)) ++p;
  if (*p) {
    *p = '\0';
    save = p + 1;
  } else {
    save = p;
  }
  return start;
}

char UpperAscii(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

bool IsHexDigit(char c) {
  return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return c - 'A' + 10;
}

}  // namespace

int ParseStatement(const char* line, const KeywordRow* rows, int rowCount, const LexRules& rules,
                   Statement& out) {
  std::strncpy(out.copy, line ? line : "", kLineCopySize - 1);
  out.copy[kLineCopySize - 1] = '\0';
  for (auto& t : out.tokens) t = nullptr;
  out.keywordIndex = -1;

  char* save = out.copy;
  char* keyword = NextToken(save, " \t\r\n(");
  if (!keyword) return -1;
  for (char* p = keyword; *p; ++p) *p = UpperAscii(*p);
  out.tokens[0] = keyword;

  int index = -1;
  for (int i = 0; i < rowCount; ++i) {
    if (std::strcmp(keyword, rows[i].keyword) == 0) {
      index = i;
      break;
    }
  }
  if (index < 0) return 0;
  out.keywordIndex = index;

  int n = rows[index].tokenCount;
  if (n > kMaxTokens) n = kMaxTokens;
  const bool quoted = index == rules.quotedIndex;
  int first = 1;
  if (index == rules.resourceIndex && n > 1) {
    for (char* p = save; *p; ++p)
      if (*p == '"' || *p == '\'') *p = ' ';
    while (*save == ' ') ++save;
    char* upper = std::strstr(save, ".CAN");
    char* lower = std::strstr(save, ".can");
    char* end = !upper ? lower : (!lower ? upper : std::min(upper, lower));
    if (!end) return 0;
    end += 4;
    const bool more = *end != '\0';
    *end = '\0';
    if (save[0] == '#') return 0;
    out.tokens[1] = save;
    save = more ? end + 1 : end;
    first = 2;
  }
  for (int i = first; i < n; ++i) {
    char* token = NextToken(save, quoted ? "\"" : " \t\r\n,()");
    if (!token) return 0;
    if (token[0] == '#' && (!quoted || rules.quotedRefusesHash)) return 0;
    out.tokens[i] = token;
  }
  return 1;
}

std::string LevelsText(const char* text, const IfLevels& l) {
  return std::string(text) + " (" + std::to_string(l.level) + "," + std::to_string(l.depth) + ")";
}

bool ReadScriptPiece(FILE* file, std::string& piece) {
  piece.clear();
  int c = 0;
  while (static_cast<int>(piece.size()) < kScriptPiece && (c = std::fgetc(file)) != EOF) {
    if (c == '\n') break;
    piece.push_back(static_cast<char>(c));
  }
  if (piece.empty() && c == EOF) return false;
  if (!piece.empty() && piece.back() == '\r') piece.pop_back();
  return true;
}

std::string TranscriptPath(const std::string& scriptPath) {
  std::filesystem::path logPath(scriptPath);
  logPath.replace_extension(".LOG");
  return logPath.string();
}

bool TranscriptIsScript(const std::string& scriptPath, const std::string& transcriptPath) {
  namespace fs = std::filesystem;
  std::error_code ec;
  if (scriptPath == transcriptPath) return true;
  return fs::exists(transcriptPath, ec) && fs::equivalent(scriptPath, transcriptPath, ec);
}

std::string TranscriptHeader(const std::string& text, const std::string& date, const std::string& time) {
  return "#\n# " + text + "\n# Start: " + date + " (" + time + ")\n#\n";
}

std::string TranscriptFooter(const std::string& date, const std::string& time, int64_t elapsedSeconds) {
  return "#\n# End: " + date + " (" + time + ")\n# Elapsed time: " +
         FormatFixed(static_cast<double>(elapsedSeconds), 0, 2) + " seconds\n#\n";
}

bool TranscriptFile::Open(const std::string& path) {
  Close();
  error_.clear();
  file_ = std::fopen(path.c_str(), "wb");
  return file_ != nullptr;
}

void TranscriptFile::Fail(int error) {
  if (error_.empty()) error_ = std::strerror(error ? error : EIO);
}

void TranscriptFile::Write(const std::string& text) {
  if (!file_ || !Whole()) return;
  // Flushed at once: a refusal is seen at the line it hits, and nothing after it is written, so
  // the file never holds a later line without the one before.
  if (std::fwrite(text.data(), 1, text.size(), file_) != text.size() || std::fflush(file_) != 0) Fail(errno);
}

bool TranscriptFile::Close() {
  if (!file_) return Whole();
  errno = 0;
  if (std::fclose(file_) != 0) Fail(errno);
  file_ = nullptr;
  return Whole();
}

std::string TranscriptFile::IncompleteText(const std::string& shownPath) const {
  if (Whole()) return {};
  return Subst(cv::Msg(cv::msg::ScriptTranscriptCut), {shownPath, error_});
}

bool IsCommentLine(const char* line) {
  while (*line == ' ' || *line == '\t') ++line;
  return *line == '#';
}

void IfLevels::Reset() {
  for (int& f : flags) f = 1;
  level = 0;
  depth = 0;
}

IfLevels::Open IfLevels::OpenBlock() {
  ++depth;
  if (!Running()) return Open::Skipped;
  if (level + 1 >= kFlagCount) return Open::Overflow;
  ++level;
  flags[level] = 1;
  return Open::Opened;
}

static std::string LevelText(const char* text, int level, int depth) {
  return std::string(text) + " (" + std::to_string(level) + "," + std::to_string(depth) + ")";
}

std::string IfLevels::Else() {
  const char* text = "";
  if (level == depth) {
    flags[level] = flags[level] ? 0 : 1;
    text = flags[level] ? "TRUE" : "FALSE";
  }
  return LevelText(text, level, depth);
}

std::string IfLevels::Endif() {
  // Without an open block there is no level to close: lowering it would leave the flag table.
  if (depth == 0) return LevelText("OK", level, depth);
  const char* text = "FALSE";
  if (level == depth) {
    flags[level] = 1;
    --level;
    text = "OK";
  }
  --depth;
  return LevelText(text, level, depth);
}

RegRef ParseRegRef(const char* text) {
  RegRef r;
  if (!text || (text[0] != 'B' && text[0] != 'I' && text[0] != 'W')) return r;
  const char* p = text + 1;
  if (!*p) return r;
  int index = 0;
  for (; *p; ++p) {
    if (*p < '0' || *p > '9') return r;
    index = index * 10 + (*p - '0');
    if (index > 255) return r;
  }
  r.valid = true;
  r.isByte = text[0] == 'B';
  r.index = index;
  return r;
}

void Registers::Set(const RegRef& r, uint32_t value) {
  if (r.isByte)
    bytes[r.index] = static_cast<uint8_t>(value & 0xFF);
  else
    words[r.index] = value;
}

std::string Registers::Report(const RegRef& r) const {
  if (r.isByte) return " B" + std::to_string(r.index) + " = 0x" + Hex(bytes[r.index], 2);
  return " I" + std::to_string(r.index) + " = 0x" + Hex(words[r.index], 4);
}

std::string FailReport(const RegRef& r, const char* text) {
  if (r.valid) return std::string(r.isByte ? " B" : " I") + std::to_string(r.index) + " ???";
  return std::string(" ") + (text ? text : "") + " ???";
}

uint32_t Swap16(uint32_t value) { return ((value & 0xFF) << 8) | ((value >> 8) & 0xFF); }

bool Calc(int32_t a, char op, int32_t b, int32_t& result) {
  const uint32_t ua = static_cast<uint32_t>(a), ub = static_cast<uint32_t>(b);
  switch (op) {
    case '+': result = static_cast<int32_t>(ua + ub); return true;
    case '-': result = static_cast<int32_t>(ua - ub); return true;
    case '*': result = static_cast<int32_t>(ua * ub); return true;
    case '&': result = static_cast<int32_t>(ua & ub); return true;
    case '|': result = static_cast<int32_t>(ua | ub); return true;
    case '/':
      if (b == 0) return false;
      result = (a == INT32_MIN && b == -1) ? INT32_MIN : a / b;
      return true;
    default: return false;
  }
}

bool ReadHex0x(const char* text, uint32_t& value) {
  value = 0;
  if (!text || text[0] != '0' || text[1] != 'x' || !IsHexDigit(text[2])) return false;
  for (const char* p = text + 2; IsHexDigit(*p); ++p) value = (value << 4) | HexValue(*p);
  return true;
}

bool ReadInt(const char* text, int& value) {
  value = 0;
  if (!text) return false;
  const char* p = text;
  while (*p == ' ' || *p == '\t') ++p;
  bool negative = false;
  if (*p == '+' || *p == '-') negative = *p++ == '-';
  if (*p < '0' || *p > '9') return false;
  int64_t v = 0;
  for (; *p >= '0' && *p <= '9'; ++p) {
    v = v * 10 + (*p - '0');
    if (v > INT_MAX) v = static_cast<int64_t>(INT_MAX) + 1;
  }
  if (negative) v = -v;
  value = static_cast<int>(v < INT_MIN ? INT_MIN : (v > INT_MAX ? INT_MAX : v));
  return true;
}

bool ReadDouble(const char* text, double& value) {
  value = 0;
  if (!text) return false;
  const char* p = text;
  while (*p == ' ' || *p == '\t') ++p;
  bool negative = false;
  if (*p == '+' || *p == '-') negative = *p++ == '-';
  const char* start = p;
  bool digits = false;
  while (*p >= '0' && *p <= '9') ++p, digits = true;
  if (*p == '.') {
    ++p;
    while (*p >= '0' && *p <= '9') ++p, digits = true;
  }
  if (!digits) return false;
  if (*p == 'e' || *p == 'E') {
    const char* e = p + 1;
    if (*e == '+' || *e == '-') ++e;
    if (*e >= '0' && *e <= '9') {
      while (*e >= '0' && *e <= '9') ++e;
      p = e;
    }
  }
  const double v = cv::AtoF(std::string_view(start, static_cast<size_t>(p - start)));
  value = negative ? -v : v;
  return true;
}

std::string FormatFixed(double value, int decimals, int width) {
  std::string s = cv::FormatFixed(value, decimals);
  if (static_cast<int>(s.size()) < width) s.insert(0, width - s.size(), ' ');
  return s;
}

std::string Hex(uint32_t value, int digits) { return cv::Format("%0*X", digits < 0 ? 0 : digits, value); }

std::string FlashRecord(const char* prefix, uint16_t address, const std::vector<uint8_t>& data,
                        int declaredLength) {
  const int length = declaredLength < 0 ? static_cast<int>(data.size()) : declaredLength;
  unsigned sum = (length & 0xFF) + (address >> 8) + (address & 0xFF);
  std::string s(prefix);
  s += Hex(length & 0xFF, 2) + Hex(address, 4) + "00";
  for (uint8_t b : data) {
    s += Hex(b, 2);
    sum += b;
  }
  s += Hex((0x100 - (sum & 0xFF)) & 0xFF, 2);
  return s;
}

bool ParseFlashRecord(const std::string& text, ParsedRecord& out) {
  if (text.size() < 10 || text.size() % 2 != 0) return false;
  std::vector<uint8_t> bytes;
  for (size_t i = 0; i < text.size(); i += 2) {
    if (!IsHexDigit(text[i]) || !IsHexDigit(text[i + 1])) return false;
    bytes.push_back(static_cast<uint8_t>(HexValue(text[i]) * 16 + HexValue(text[i + 1])));
  }
  unsigned sum = 0;
  for (uint8_t b : bytes) sum += b;
  if ((sum & 0xFF) != 0) return false;
  out.length = bytes[0];
  if (bytes.size() != static_cast<size_t>(out.length) + 5) return false;
  out.address = static_cast<uint16_t>(bytes[1] << 8 | bytes[2]);
  out.type = bytes[3];
  out.data.assign(bytes.begin() + 4, bytes.end() - 1);
  return true;
}

std::vector<uint8_t> ChannelName4(const char* name) {
  std::string text(name ? name : "");
  if (text.size() > 4) text.resize(4);
  text.insert(0, 4 - text.size(), ' ');
  return std::vector<uint8_t>(text.begin(), text.end());
}

void PushWord(std::vector<uint8_t>& data, float word) {
  const int high = static_cast<int>(word / 256);
  const int low = static_cast<int>(word - high * 256);
  data.push_back(static_cast<uint8_t>(low));
  data.push_back(static_cast<uint8_t>(high));
}

std::vector<uint8_t> DirectoryData(const char* name, int plans, int maxPlans) {
  std::string text(name ? name : "");
  text.resize(11, ' ');
  plans = plans < 0 ? 0 : (plans > maxPlans ? maxPlans : plans);
  std::vector<uint8_t> data(text.begin(), text.end());
  data.insert(data.end(), {0, 0, 0, static_cast<uint8_t>(plans & 0xFF), static_cast<uint8_t>((plans >> 8) & 0xFF)});
  return data;
}

float OscillatorTenths(double mhz) { return static_cast<float>(mhz) * 10.0f; }

std::vector<uint8_t> PlanHeaderData(const char* blank8, const char* name, uint32_t word, int byte1,
                                    int byte2, float oscillatorTenths, int byte3) {
  std::vector<uint8_t> data(8, ' ');
  for (int i = 0; i < 8 && blank8 && blank8[i]; ++i) data[i] = static_cast<uint8_t>(blank8[i]);
  for (int i = 0; i < 8 && name && name[i]; ++i) data[i] = static_cast<uint8_t>(name[i]);
  // Cut toward zero; a value past what 32 bits hold keeps only what the 3 bytes show anyway.
  const double cut = std::trunc(static_cast<double>(oscillatorTenths));
  const int32_t tenths = (cut > -2147483648.0 && cut < 2147483647.0) ? static_cast<int32_t>(cut) : 0;
  data.insert(data.end(),
              {static_cast<uint8_t>(word & 0xFF), static_cast<uint8_t>((word >> 8) & 0xFF),
               static_cast<uint8_t>(byte1), static_cast<uint8_t>(byte2),
               static_cast<uint8_t>((tenths >> 16) & 0xFF), static_cast<uint8_t>((tenths >> 8) & 0xFF),
               static_cast<uint8_t>(tenths & 0xFF), static_cast<uint8_t>(byte3)});
  return data;
}

bool SendWordList(const std::vector<const char*>& words,
                  const std::function<bool(const std::vector<uint8_t>&)>& send) {
  for (const char* text : words) {
    uint32_t word = 0;
    if (!ReadHex0x(text, word) || (word & 0xFFFF) == 0xFFFF) break;
    if (!send({static_cast<uint8_t>(word & 0xFF), static_cast<uint8_t>((word >> 8) & 0xFF)})) return false;
  }
  return send({0xFF, 0xFF});
}

std::string Subst(const std::string& pattern, const std::vector<std::string>& args) {
  std::string out;
  size_t next = 0;
  for (size_t i = 0; i < pattern.size(); ++i) {
    if (pattern[i] == '%' && i + 1 < pattern.size() && (pattern[i + 1] == 'd' || pattern[i + 1] == 's') &&
        next < args.size()) {
      out += args[next++];
      ++i;
    } else {
      out += pattern[i];
    }
  }
  return out;
}

}  // namespace cv::script
