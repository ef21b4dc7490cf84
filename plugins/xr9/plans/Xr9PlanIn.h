#pragma once
// Plans coming into the channel-plan editor: the canalization script reader with its statement
// dispatch, the satellite CSV import, and the two load buttons (a whole canalization, or single
// ".CAN" and CSV files added to the store). A plain class over the editor's store; the file
// dialogs go through the platform's chooser.
#include <cstdint>
#include <string>
#include <vector>

#include "ScriptCore.h"
#include "Xr9Plan.h"

class QWidget;

namespace cv::xr9 {

class TPlanEditor;
struct TChanXR9CV;

// The family's PRO keyword table as rows for the shared tokenizer, and its lexical rules
// (DISPLAY's quoted argument, SENDRESOURCE's file name with blanks).
const cv::script::KeywordRow* ScriptKeywordRows();
const cv::script::LexRules& ScriptLexRules();
// -1 nothing to read, 0 refused (unknown keyword, missing token, token beginning with '#'), 1.
// The keyword's code is st.keywordIndex + 1.
int TokenizeScriptLine(const char* line, cv::script::Statement& st);

// 2 for a satellite CSV import file, 1 for a canalization script of this analyser, 0 otherwise
// (a CORVANE canalization, or a file that cannot be opened).
int DetectPlanFileKind(const std::string& path, const PlanSinks& sinks);

// Cuts a CSV line into at most 25 fields of at most 24 characters with the user's separators (a
// ',' decimal separator turns every ',' into '.' first). True when any character was stored.
constexpr int kCsvFields = 25;
constexpr int kCsvFieldChars = 24;
bool SplitCsvLine(const std::string& line, char fields[kCsvFields][kCsvFieldChars + 1]);

// The file `name` (folders separated by '\' or '/') under `dir`, each part matched without regard
// to case when no exact match exists. Empty when there is none.
std::string FindFileNoCase(const std::string& dir, const std::string& name);

class TPlanIn {
 public:
  explicit TPlanIn(TPlanEditor& editor);

  bool ReadCanalizationScript(const std::string& path);
  // A CORVANE canalization into the 64 import slots; true unless a statement failed.
  bool ReadCorvaneCanalization(const std::string& path);
  // -1 accepted and nothing done, 0 parser error, 1 done; kStop: the store is full, the reading
  // ends as at the end of the file.
  static constexpr int kStop = 2;
  int ImportStatement();
  int ImportSendResource();

  bool ImportCsvPlanFile(const std::string& path, int format);
  // false: no room for the line's plan (the file ends there).
  bool ImportCsvPlanLine(const std::string& line, int format);

  // The CORVANE import steps (1 done, 0 failed).
  int ImportDirectory4();
  int ImportHeader3();
  int ImportCommand3();
  int ImportPlanStart();
  int ImportTerChannel();
  int ImportDigitalChannel();
  int ImportSatChannel();
  void DecodePlanCommands();
  // The mnemonic of command word `word` into command slot `slot` of `channel`.
  void DecodeChannelCommand(TChanXR9CV& channel, int slot, uint16_t word);

  bool LoadCanalization(const std::string& path);
  bool ImportCorvaneCanalization(const std::string& path);
  void ConvertImportedPlans();
  void ConvertImportedPlan(int slot);
  // False at the first plan file that cannot be read (named in both logs).
  bool LoadCanalizationPlanFiles();
  // The button handlers; the dialogs open over `parent`.
  void ReadBtnClick(QWidget* parent);
  void AddChannelSetBtnClick(QWidget* parent);

  int importState = 0;
  uint16_t scriptAddress = 0;
  cv::script::Statement statement;

  // What a CORVANE reading keeps beside the import slots.
  struct CommandEntry {
    uint16_t word;
    int offset;  // twice the entry's position
  };
  static constexpr int kCommandListSize = 120;
  struct CorvaneReading {
    int plans = 0;
    int toRead = 0;
    std::vector<uint8_t> readFlags;
    std::vector<uint16_t> commandWords;  // three a plan, 0xFFFF for none
    std::vector<CommandEntry> commands;
    int plan = 0;
    int channelsRead = 0;
  } corvane;

 private:
  void BothLogs(const std::string& line);
  // Both readers: a CORVANE reading rewrites DIRECTORY3 lines and ends with its own log line.
  bool ReadScript(const std::string& path, bool corvane);
  std::string DecodeCommand(uint16_t word) const;
  int AddChannel(TChanXR9CV channel);
  // A CHAN3T or CHAND line: its name (token 2), frequency, bandwidth and one command word.
  int ImportTerrestrialLine(float mhz, int32_t bandwidth, const char* commandWord);
  // After a channel (or the start of a plan of none): the plan's end when its count is reached.
  void FinishPlanIfComplete();

  TPlanEditor& editor;
  int csvSlot = -1;
  std::string lastSatellite;
};

}  // namespace cv::xr9
