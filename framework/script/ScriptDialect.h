#pragma once
// A family's PRO dialect: its keyword table and the few values in which one family's executors
// behave otherwise than another's. The engine (ScriptEngine.h) runs any dialect; the plan import
// tokenizes with the same table. A keyword's code is its position in the table, counted from 1,
// so a family that inserts a keyword shifts every later code: nothing outside a table may hold a
// code as a constant, and callers find a statement by its text or by its executor.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "ScriptCore.h"

class TScriptEngine;

// Runs the parsed statement on the engine's state; false stops the script.
using ScriptExecutor = bool (*)(TScriptEngine&);

struct ScriptKeyword {
  std::string keyword;       // upper case, at most 19 characters
  int tokens = 1;            // the keyword included
  ScriptExecutor execute{};  // none: accepted without action, the previous result kept
};

struct ScriptDialect {
  std::vector<ScriptKeyword> keywords;
  // IFVER's version: the number after the letter 'V' of the "*?VE" reply, or (' ') after its
  // first blank.
  char versionMark = 'V';
  // DIRECTORY's extended segment address record (after "*FL:") and its cap on the plan count.
  std::string segmentRecord;
  int planCap = 32;
  // Whether SENDHEX, missing the file where it is named, looks for it in the start directory.
  bool hexTriesStartDir = true;
  // Expected seconds of a timed (".UPD") SENDHEX transfer of `lines` lines.
  int32_t (*updSeconds)(int64_t lines) = nullptr;
  // CHAN3S's intermediate frequency: the downlink minus the oscillator whatever the oscillator,
  // or (false) the C-band rule of cv::FreqToIF. The plan import and writers follow the same rule.
  bool plainIntermediate = false;

  // Table position of a keyword (upper case), or -1.
  int IndexOf(const std::string& keyword) const;
  // Code (position + 1) of the first keyword that runs `execute`, or 0.
  int CodeOf(ScriptExecutor execute) const;
  // The executor of a code; none for a no-action keyword or a code outside the table.
  ScriptExecutor ExecutorOf(int code) const;
  // Gives a keyword of the table another text; false when it is not there.
  bool Rename(const std::string& keyword, const std::string& newText);
  // Inserts a keyword so that it takes `code`; every later keyword's code grows by one.
  void Insert(int code, const ScriptKeyword& keyword);
  // Tokenizes a line over this table (DISPLAY's argument is the quoted text).
  int Parse(const char* line, cv::script::Statement& out) const;
};

namespace cv::script {

// The CORVANE-3 dialect: 33 keywords, version after the letter 'V', plan memory at segment
// 0x8000, 32 plans, SENDHEX falling back on the start directory, the framework's time estimate.
const ScriptDialect& Corvane3Dialect();

// The version in a "*?VE" reply: upper-cased, its three echo characters skipped, the number after
// the first `mark` within 255 characters. False (version 0) when there is none.
bool ReadVersionReply(std::string_view reply, char mark, float& version);

// ".UPD" time estimates: (lines x 48 / 2400) x 1.8 s, and lines x 45 / 1000 s.
int32_t UpdSecondsFramework(int64_t lines);
int32_t UpdSecondsPerLine45(int64_t lines);

}  // namespace cv::script
