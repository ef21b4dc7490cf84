#pragma once
// The pieces of the PRO script language that both dialects (the plug-ins' and the host
// terminal's) share: statement tokenizing over a keyword table, the IF level bookkeeping, the
// byte and word registers with their arithmetic, "*FL:"-style hexadecimal records, and the
// locale-free number reading and writing the executors need. Each dialect keeps its own keyword
// table, runner, transcript layout and executors; nothing here knows about either.
#include <cstdint>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

namespace cv::script {

constexpr int kMaxTokens = 16;
constexpr int kLineCopySize = 256;  // a statement line is at most 255 characters

struct KeywordRow {
  const char* keyword;
  int tokenCount;  // the keyword included
};

// A tokenized statement. Tokens point into `copy`; unused ones are null.
struct Statement {
  char copy[kLineCopySize] = {};
  const char* tokens[kMaxTokens] = {};
  int keywordIndex = -1;
};

struct LexRules {
  // Table position of the keyword whose single argument is the text between double quotes
  // (DISPLAY), or -1.
  int quotedIndex = -1;
  // Whether that quoted argument is also refused when it begins with '#'.
  bool quotedRefusesHash = true;
  // Table position of the keyword whose first argument is a file name that may hold blanks
  // (SENDRESOURCE), or -1. Quotes after the keyword count as blanks; the name runs from the first
  // non-blank up to and including the first ".CAN" or ".can"; the next argument follows after
  // blanks. A line without either ending is refused.
  int resourceIndex = -1;
};

// Returns -1 (nothing to run), 0 (parser error: unknown keyword or missing argument) or 1.
// Only the keyword is upper-cased; the arguments keep their case.
int ParseStatement(const char* line, const KeywordRow* rows, int rowCount, const LexRules& rules,
                   Statement& out);

// True when the first character that is neither blank nor tab is '#'.
bool IsCommentLine(const char* line);

// IF / ELSE / ENDIF nesting. `level` indexes the flag in force; `depth` counts every open block,
// also those opened inside a skipped block, so that an ELSE or ENDIF knows whether it belongs to
// the executing level.
class IfLevels {
 public:
  static constexpr int kFlagCount = 255;
  enum class Open { Skipped, Opened, Overflow };

  IfLevels() { Reset(); }
  void Reset();
  bool Running() const { return flags[level] != 0; }
  // Opens a block. Opened: the new level's flag is 1 until SetOutcome. Overflow: no flag is left
  // for the block; the statement must fail.
  Open OpenBlock();
  void SetOutcome(bool outcome) { flags[level] = outcome ? 1 : 0; }
  // Result texts "%s (%d,%d)". ELSE at the top level inverts level 0's flag; ENDIF with no open
  // block leaves everything as it is ("OK (0,0)").
  std::string Else();
  std::string Endif();

  int flags[kFlagCount];
  int level = 0;
  int depth = 0;
};

// "%s (%d,%d)": a condition statement's text with the level and depth.
std::string LevelsText(const char* text, const IfLevels& levels);

// Script files and transcripts, the same in both dialects.
constexpr int kScriptPiece = 254;  // the longest piece of a script line read at once
// Reads the next piece of at most 254 characters, up to and including a line feed; false at the
// end of the file. The line feed and a carriage return before it are cut off.
bool ReadScriptPiece(FILE* file, std::string& piece);
// The script's path with its extension replaced by ".LOG". A longer one than the limit is refused
// before anything runs: cut, it would name another file.
constexpr size_t kTranscriptPathLimit = 260;
std::string TranscriptPath(const std::string& scriptPath);
// True when the transcript path names the script itself (opening it would truncate the script).
bool TranscriptIsScript(const std::string& scriptPath, const std::string& transcriptPath);
// The transcript's opening block ("#", "# <text>", "# Start: <date> (<time>)", "#") and closing
// block ("#", "# End: ...", "# Elapsed time: %2.0lf seconds", "#").
std::string TranscriptHeader(const std::string& text, const std::string& date, const std::string& time);
std::string TranscriptFooter(const std::string& date, const std::string& time, int64_t elapsedSeconds);

// A run's transcript, written line by line as the script runs, so that what ran stays readable
// after a crash. The first write the disk refuses (full, or past a file-size limit) is kept with
// its reason and ends the writing: the file is then the run's beginning, cut, and the run says so
// (IncompleteText) instead of leaving a short transcript that passes for a whole one.
class TranscriptFile {
 public:
  TranscriptFile() = default;
  ~TranscriptFile() { Close(); }
  TranscriptFile(const TranscriptFile&) = delete;
  TranscriptFile& operator=(const TranscriptFile&) = delete;

  bool Open(const std::string& path);  // truncating; false when it cannot be created
  void Write(const std::string& text);
  bool Close();                        // true when every byte reached the file
  bool Whole() const { return error_.empty(); }
  // The run's line naming the cut transcript and why; empty when it is whole.
  std::string IncompleteText(const std::string& shownPath) const;

 private:
  void Fail(int error);
  FILE* file_ = nullptr;
  std::string error_;
};

// Register references: 'B' + index for a byte register, 'I' or 'W' + index for a word register,
// index 0..255.
struct RegRef {
  bool valid = false;
  bool isByte = false;
  int index = 0;
};
RegRef ParseRegRef(const char* text);

class Registers {
 public:
  uint32_t Get(const RegRef& r) const { return r.isByte ? bytes[r.index] : words[r.index]; }
  void Set(const RegRef& r, uint32_t value);
  // " B%d = 0x%02X" or " I%d = 0x%04X" (the whole word).
  std::string Report(const RegRef& r) const;

  uint32_t words[256] = {};
  uint8_t bytes[256] = {};
};

// " B%d ???" / " I%d ???" for a valid reference, " <text> ???" otherwise.
std::string FailReport(const RegRef& r, const char* text);

uint32_t Swap16(uint32_t value);  // the two bytes of the low 16 bits exchanged

// a op b on 32-bit two's-complement values, op one of + - * / & |. Never traps: overflow wraps,
// the most negative value divided by -1 gives itself. False for division by zero or another op.
bool Calc(int32_t a, char op, int32_t b, int32_t& result);

// Number reading, independent of the C locale.
// "0x" followed by at least one hexadecimal digit; more digits than fit keep the low 32 bits.
bool ReadHex0x(const char* text, uint32_t& value);
// Optional blanks and sign, then decimal digits; nothing readable gives false (value 0).
bool ReadInt(const char* text, int& value);
// Optional blanks and sign, digits with an optional '.' and exponent, as atof reads them;
// nothing readable gives false (value 0).
bool ReadDouble(const char* text, double& value);
// Fixed-point text with `decimals` digits, right-aligned in at least `width` characters.
std::string FormatFixed(double value, int decimals, int width);
// Upper-case hexadecimal with at least `digits` digits.
std::string Hex(uint32_t value, int digits);

// A hexadecimal data record: prefix, LL, AAAA, "00", data, checksum; upper-case digits. The
// checksum is the two's complement of the sum of LL, both address bytes, the type byte and the
// data bytes written. `declaredLength` < 0 declares data.size().
std::string FlashRecord(const char* prefix, uint16_t address, const std::vector<uint8_t>& data,
                        int declaredLength = -1);

// Parses a record written by FlashRecord (after its prefix): false when malformed or when the
// checksum does not match.
struct ParsedRecord {
  int length = 0;
  uint16_t address = 0;
  int type = 0;
  std::vector<uint8_t> data;
};
bool ParseFlashRecord(const std::string& text, ParsedRecord& out);

// Channel-plan records, the same bytes in both dialects.
// The four name characters of a channel: the name right-aligned in four, blank-padded, cut to four.
std::vector<uint8_t> ChannelName4(const char* name);
// A frequency word cut toward zero, low byte then high byte.
void PushWord(std::vector<uint8_t>& data, float word);
// A directory record: the first 11 characters of the name, three zero bytes, the plan count
// (kept within 0..maxPlans) low byte then high byte.
std::vector<uint8_t> DirectoryData(const char* name, int plans, int maxPlans);
// The plan oscillator a header keeps: the MHz times 10 in single precision.
float OscillatorTenths(double mhz);
// A plan header record: the name over the blank template (8 characters), the word low and high,
// two bytes, the oscillator tenths cut toward zero as 3 bytes high first, one more byte.
std::vector<uint8_t> PlanHeaderData(const char* blank8, const char* name, uint32_t word, int byte1,
                                    int byte2, float oscillatorTenths, int byte3);
// A register-word list: each argument up to the first 0xFFFF, or the first that is no "0x" word,
// goes out as a 2-byte record (low byte first); then the 0xFFFF record that ends the list. False
// at the first record `send` refuses.
bool SendWordList(const std::vector<const char*>& words,
                  const std::function<bool(const std::vector<uint8_t>&)>& send);

// Replaces each "%d" / "%s" of a message text in turn with the next argument.
std::string Subst(const std::string& pattern, const std::vector<std::string>& args);

}  // namespace cv::script
