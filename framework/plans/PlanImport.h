#pragma once
// The plan import: decodes a canalization from a programming script without running it. Only the
// plan-bearing statements (DIRECTORY3, HEADER3, COMMAND3, PLAN, CHAN3T, CHAN3S, ORG) matter; a
// small state machine checks that they come in the order the script writer gives them.
#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "PlanFamily.h"
#include "PlanFormat.h"
#include "PlanReport.h"
#include "PlanSlot.h"
#include "ScriptDialect.h"

namespace cv::plan {

// Tokenizes one script line as the script engine does: -1 nothing to run, 0 unknown keyword or
// missing arguments, 1 ready, with the keyword code and the arguments after the keyword.
using LineParser =
    std::function<int(const std::string& line, int& keyword, std::vector<std::string>& args)>;

// The script engine's tokenizer as a LineParser, over a dialect's keyword table (the keyword
// code is the table position + 1).
int ParseDialectLine(const ScriptDialect& dialect, const std::string& line, int& keyword,
                     std::vector<std::string>& args);
int ParseScriptLine(const std::string& line, int& keyword, std::vector<std::string>& args);

class PlanImport {
 public:
  enum State { ExpectDirectory = 0, ExpectHeader, ExpectCommand, ExpectPlan, ExpectChannels, Complete };
  // The longest COMMAND3 list a family keeps (its own size is the family's).
  static constexpr int kCommandListSize = 116;

  // Keyword codes are those of the family's dialect.
  PlanImport(PlanSlots& planSlots, Report& report, const PlanFamily& family = Corvane3PlanFamily())
      : planSlots(planSlots), report(report), family(family), dialect(family.dialect()) {}

  // 1 handled, -1 ignored, 0 failed (reading stops; a message names the line).
  int ImportLine(int keyword, const std::vector<std::string>& args, const TextLine& line);

  // The mnemonic a command offset of the script's COMMAND3 list stands for; empty for none.
  std::string ResolveCommand(uint16_t offset) const;

  int importState = ExpectDirectory;
  uint16_t orgAddress = 0;
  int directoryCount = 0;
  int headersLeft = 0;
  int currentPlan = 0;
  int channelsRead = 0;
  std::array<bool, kPlanSlots> planSeen{};
  std::array<std::array<uint16_t, 3>, kPlanSlots> headerCommands{};
  std::array<uint16_t, kCommandListSize> commandList{};
  int commandCount = 0;   // entries of the list being read
  int commandWords = 0;   // entries the list holds, for reading it once complete

 private:
  int ImportDirectory(const std::vector<std::string>& args, const TextLine& line);
  int ImportHeader(const std::vector<std::string>& args, const TextLine& line);
  int ImportCommand(const std::vector<std::string>& args, const TextLine& line);
  int ImportPlan(const std::vector<std::string>& args, const TextLine& line);
  enum class Kind { Terrestrial, Satellite, ThirdBand };
  int ImportChannel(Kind kind, const std::vector<std::string>& args, const TextLine& line);
  void ResolvePlanCommands();
  bool OffsetUsable(uint16_t offset) const;
  int Bad(int what, const TextLine& line);

  PlanSlots& planSlots;
  Report& report;
  const PlanFamily& family;
  const ScriptDialect& dialect;
};

// Moves the command texts the command table knows to the front, in their order.
void CompactCommands(char (&commands)[3][16], int count, const TCommandTable& table = kCv3CommandTable);

// A DIRECTORY4 line of the next instrument generation, turned into DIRECTORY3 when the person
// accepts; false when the line is no DIRECTORY4 or the person declines.
bool ConvertDirectory4(const std::string& line, const std::string& modelName, cv::Prompter& prompter,
                       std::string& converted);

// "DIRECTORY4 (<first argument>)" for a DIRECTORY3 line, its keyword in any case; false for any
// other line. The previous generation's scripts differ from the next one's in that line only.
bool RewriteDirectory3(const std::string& line, std::string& output);

// A DIRECTORY3 line of the previous instrument generation, turned into DIRECTORY4 when the person
// accepts; false when the line is no DIRECTORY3 or the person declines.
bool ConvertDirectory3(const std::string& line, const std::string& modelName, cv::Prompter& prompter,
                       std::string& converted);

// Reads the canalization of a script's lines into `planSlots` (all cleared by the caller). True when
// every announced plan was read whole.
bool ReadProPlans(const TextFileLines& file, const std::string& path, const LineParser& parse,
                  const std::string& modelName, PlanSlots& planSlots, Report& report,
                  const PlanFamily& family = Corvane3PlanFamily());

}  // namespace cv::plan
