#pragma once
// The plug-ins' PRO script engine: runs a family's dialect (ScriptDialect.h; the CORVANE-3 one
// unless told) that uploads channel plans and firmware. A plain class with no widget in sight: it
// reaches the instrument through a ScriptLink, the calling log dialog through a ScriptView and the
// program around it (host log, waits, beep, key prompt, dates) through a ScriptHost, so tests
// drive it with fakes or with the simulator.
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "ScriptCore.h"
#include "ScriptDialect.h"

// The instrument line as the executors use it.
class ScriptLink {
 public:
  virtual ~ScriptLink() = default;
  virtual bool SendCommand(const std::string& command) = 0;  // XON, line, XOFF, ACK
  virtual bool Transact(const std::string& query, std::string& reply) = 0;
  virtual bool WriteLine(const std::string& text) = 0;  // at once, no handshake
  virtual bool WaitChar(char expected) = 0;
};

// The calling dialog: its log zone, gauge, status label and one-second tick counter.
class ScriptView {
 public:
  virtual ~ScriptView() = default;
  virtual void AddLogLine(const std::string& line) = 0;
  virtual void SetGauge(int percent) = 0;
  virtual uint32_t GaugeColor() const { return 0x0000FF; }
  virtual void SetGaugeColor(uint32_t rgb) { (void)rgb; }
  virtual void SetRemoteLabel(const std::string& text) = 0;
  virtual uint32_t GetTicks() const { return 0; }
  virtual void Repaint() {}
};

// The program around a run.
class ScriptHost {
 public:
  virtual ~ScriptHost() = default;
  virtual void Log(const std::string& line) = 0;  // the host's LogMemo
  virtual void Wait(int milliseconds) = 0;        // pumps messages; at most 15 s
  virtual void ProcessMessages() = 0;
  virtual bool Beep() = 0;
  virtual void GetKey() = 0;  // "Press OK to continue..." and wait for it
  virtual void RepaintMain() {}
  virtual std::string StartDir() const = 0;
  virtual std::string DateString() const = 0;
  virtual std::string TimeString() const = 0;
  virtual int64_t NowMs() const = 0;  // for the transcript's elapsed time
};

class TScriptEngine {
 public:
  // One keyword of the dialect.
  struct TAct {
    TAct(const char* keyword, int32_t code, int32_t tokenCount);
    char keyword[20];
    int32_t code;
    int32_t tokenCount;
  };
  // Longest text the line protocol carries in one command.
  static constexpr int kCommandLimit = 252;
  static constexpr uint32_t kGreen = 0x008000;

  TScriptEngine(ScriptLink* link, ScriptHost* host,
                const ScriptDialect& dialect = cv::script::Corvane3Dialect());
  const ScriptDialect& Dialect() const { return *dialect; }

  bool RunScript(const std::string& path, ScriptView* dialog);
  int ParseLine(const char* line);
  bool ExecuteAction();
  void LogStart(cv::script::TranscriptFile& file, const std::string& text);
  void LogEnd(cv::script::TranscriptFile& file);
  void ShowSendingTime(int32_t elapsedSeconds, int32_t expectedSeconds);

  // The per-run reset of the runner's first step, for callers that feed statements themselves.
  void BeginRun();
  void SetLink(ScriptLink* l) { link = l; }
  void SetHost(ScriptHost* h) { host = h; }
  void SetView(ScriptView* v) { view = v; }

  std::vector<TAct> acts;
  cv::script::Statement statement;  // line copy, tokens, keyword index
  std::string resultText;
  std::string outputLine;
  uint8_t logFlag = 1;
  cv::script::IfLevels ifLevels;
  float version = 0;
  int32_t errorFlag = 0;
  int32_t planIndex = 0;
  uint16_t flashAddress = 0;
  char directoryName[16] = {};
  char blankName[16] = {};
  std::vector<float> lnbTable;  // one per plan the dialect's directory holds
  cv::script::Registers registers;
  int lineNumber = 0;  // the piece being run; after a failed run, the one it stopped at

  // For a family's own executors: the statement's tokens, the dialog's log zone, the line
  // with its handshake, and "*FL:" records at the running flash address.
  const char* Tok(int i) const { return statement.tokens[i] ? statement.tokens[i] : ""; }
  void AddZone(const std::string& line);
  bool Send(const std::string& command);
  bool Query(const std::string& query, std::string& reply);
  bool SendRecord(const std::vector<uint8_t>& data);
  ScriptHost* Host() const { return host; }
  ScriptView* View() const { return view; }
  // A frequency word outside 0..0xFFFF is logged with its MHz text and fails the statement.
  bool WordInRange(float word, const char* mhz);
  // The four name bytes of the statement's channel (its second token).
  std::vector<uint8_t> ChannelName() const;

  // The framework's executors, which the dialects' tables name (through cv::script::exec).
  bool DoSend();
  bool DoAsk();
  bool DoWait();
  bool DoForce();
  bool DoLog();
  bool DoAlert();
  bool DoOrg();
  bool DoSendHex();
  bool DoPlan();
  bool DoDisplay();
  bool DoEndif();
  bool DoGetKey();
  bool DoIfVer();
  bool DoHeader3();
  bool DoChan3T();
  bool DoChan3S();
  bool DoDirectory();
  bool DoCommand3();
  bool RegisterDone(const std::string& line, const std::string& before = "");
  bool RegisterFailed(const cv::script::RegRef& r, const char* text, const std::string& before = "");
  bool DoRead();
  bool DoWrite();
  bool DoCalc();
  bool DoIf();
  bool DoSet();
  bool DoElse();
  bool DoTest();
  bool DoIfError();
  bool DoRawTx();

 private:
  bool SendWordList(const int* tokenIndexes, int count);
  bool PlanInTable(int index);

  const ScriptDialect* dialect;
  ScriptLink* link = nullptr;
  ScriptHost* host = nullptr;
  ScriptView* view = nullptr;
  int64_t startMs = 0;
};

namespace cv::script::exec {
// The framework's executors as a dialect's table names them.
bool Send(TScriptEngine& e);
bool Ask(TScriptEngine& e);
bool Wait(TScriptEngine& e);
bool Force(TScriptEngine& e);
bool Log(TScriptEngine& e);
bool Alert(TScriptEngine& e);
bool Org(TScriptEngine& e);
bool SendHex(TScriptEngine& e);
bool Plan(TScriptEngine& e);
bool Display(TScriptEngine& e);
bool Endif(TScriptEngine& e);
bool GetKey(TScriptEngine& e);
bool IfVer(TScriptEngine& e);  // the version after the dialect's mark
bool Header3(TScriptEngine& e);
bool Chan3T(TScriptEngine& e);
bool Chan3S(TScriptEngine& e);
bool Directory(TScriptEngine& e);  // the dialect's segment record and plan cap
bool Command3(TScriptEngine& e);
bool Read(TScriptEngine& e);
bool Write(TScriptEngine& e);
bool Calc(TScriptEngine& e);
bool If(TScriptEngine& e);
bool Set(TScriptEngine& e);
bool Else(TScriptEngine& e);
bool Test(TScriptEngine& e);
bool IfError(TScriptEngine& e);
bool RawTx(TScriptEngine& e);
}  // namespace cv::script::exec

// "mm:ss" with at least two digits each, cut to five characters.
std::string SecondsToMinSecText(int32_t seconds);

// The oscillator HEADER3 keeps for the CHAN3S lines of its plan (tenths of MHz, single
// precision), from the LNB argument in MHz.
float Header3LnbTenths(double lnbMHz);
// The satellite word CHAN3S writes for the downlink `mhz` under an oscillator that HEADER3 kept,
// before it is truncated (a value outside 0..65535 is refused by the statement). `plain`: the
// dialect's plain difference instead of the C-band rule.
float Chan3SWord(float lnbTenths, double mhz, bool plain = false);
// The intermediate frequency of a downlink under an oscillator (MHz), and back, by a dialect's rule.
float IntermediateOf(float oscillatorMHz, float downlinkMHz, bool plain);
float DownlinkOf(float oscillatorMHz, float intermediateMHz, bool plain);
