#pragma once
// The host's serial terminal: a console window in which typed characters go straight to an
// instrument on COM1 to COM4 and everything the instrument sends is shown, with local echo,
// CR+LF display, hexadecimal display and a test mode for scripts; and the host dialect of the PRO
// script language, run from the terminal on the terminal's own port.
//
// The terminal is the port's only reader: the interactive loop waits for the port to become
// readable and reads only then, through the same receive buffer the script's reads use, so a
// script run from the terminal sees every byte.
//
// The executors live one group a file: the runner and its blocks (TermScript.cpp), line
// statements and transfers (TermLine.cpp), registers and conditions (TermRegisters.cpp), flash
// records and frequency words (TermFlash.cpp), the first generation's register plans and
// configuration (TermPlans1.cpp) and data-logger dumps (TermDataLog.cpp).
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "Clock.h"
#include "ConsoleModel.h"
#include "ScriptCore.h"
#include "SerialDevice.h"

namespace cv {
class ConsoleWindow;
}

// What the terminal needs of the main window.
class TermOwner {
 public:
  virtual ~TermOwner() = default;
  virtual void AddLog(const std::string& line) = 0;  // LogMemo (and so CvTools.log)
  // The port of an instrument the main window detected, or empty.
  virtual std::string DetectedPort() const = 0;
  virtual void Repaint() {}
};

class TTerm {
 public:
  struct TAct {
    TAct(const char* keyword, int32_t code, int32_t tokenCount);
    char keyword[20];
    int32_t code;
    int32_t tokenCount;
  };
  enum Code {
    kSend = 1, kAsk, kHeader, kChannel, kWait, kForce, kLog, kAlert, kFStep, kIfVal, kFStepS,
    kIfValS, kOrg, kDirectory, kHeader7, kCommand, kChan7T, kChan7S, kSendHex, kPlan, kDisplay,
    kIfVer, kIfVer7, kEndif, kDataL7, kGetChPlan, kGetCfg, kSetCfg, kGetKey, kPlan1, kModel1,
    kIfVer3, kDataL3, kHeader3, kChan3T, kChan3S, kDirectory3, kCommand3, kAdj, kRead, kWrite,
    kCalc, kIf, kSet, kElse, kTest, kIfError, kRawTx, kDirectory4, kIfVer4, kIfVer2, kChanGV,
    kSendMoto, kSendAck, kAskAck, kWaitAnswer, kWaitFlushing, kChanD
  };
  static constexpr int kKeywordCount = 58;
  static constexpr uint8_t kXon = 0x11, kXoff = 0x13, kAck = 0x06;
  static constexpr int kWriteLimit = 253;       // characters of one line WriteRaw sends
  static constexpr int kReplyLimit = 255;       // characters of one reply line
  static constexpr int kEmptyReads = 16;        // empty reads that fail a wait
  static constexpr int kReadTimeoutMs = 2000;   // one read's time-out
  static constexpr int64_t kIdleTimeoutMs = 1000000;
  static constexpr uint8_t kTermAttr = 3, kTextAttr = 7;
  static constexpr int kTermTop = 6;            // first row of the terminal area

  explicit TTerm(TermOwner& owner);
  ~TTerm();
  TTerm(const TTerm&) = delete;
  TTerm& operator=(const TTerm&) = delete;

  // ---- The terminal ------------------------------------------------------------------------
  bool Run();
  void ReadSettings();
  void SaveSettings();
  bool OpenPort();
  void ClosePort();
  void ProcessIO();
  void KeyHandler(uint8_t ch);
  void ReportError(const std::string& text, int code);
  void PrintLine(const std::string& text);

  // Screen
  void DrawMainScreen();
  void DrawPortLine();
  void DrawModeLine();
  void DrawHelpScreen();
  void ShowChar(uint8_t c, uint8_t attr);  // text mode, with the CR and LF rules
  void ShowReceived(uint8_t c);            // text or hex mode, attribute 3
  void NewLine();
  void Print(const std::string& text, uint8_t attr);  // at the cursor, wrapping and scrolling

  // ---- The script interpreter ---------------------------------------------------------------
  bool RunProFileDialog();
  bool RunProFile(const std::string& path);
  int ParseLine(const char* line);
  bool ExecuteAction();
  void ResetRunState();

  // ---- Transmission ------------------------------------------------------------------------
  bool WriteRaw(const std::string& text);
  bool WaitByte(uint8_t byte);
  bool ReadReply(std::string& buffer);
  bool SendWithAck(const std::string& text);
  bool Query(std::string& buffer);
  bool SendAckOnly(const std::string& text);
  bool QueryAckOnly(std::string& buffer);
  bool WaitAnswer(std::string& buffer);
  bool ReadPortByte(uint8_t& byte);

  // ---- State ---------------------------------------------------------------------------------
  TermOwner& owner;
  cv::SerialHandle port = cv::kInvalidSerialHandle;
  std::string portName = "COM2";
  int32_t baudRate = 19200;
  bool localEcho = false;
  bool crLf = false;
  bool hexMode = false;
  bool helpShown = false;
  bool testMode = false;
  bool reopen = false;
  uint64_t receivedCount = 0;
  uint64_t sentCount = 0;
  char decimalSeparator = ',';
  char listSeparator = ';';

  cv::ConsoleModel console;
  std::unique_ptr<cv::ConsoleWindow> window;
  bool showWindow = true;  // tests drive the model alone

  // Interpreter state
  std::vector<TAct> acts;
  cv::script::Statement statement;
  std::string lineText;
  std::string resultText;
  std::string testModeText;
  cv::script::IfLevels ifLevels;
  bool logging = true;
  bool testError = false;
  int64_t startMs = 0;
  std::string scriptDirectory;
  int lineNumber = 0;

  // Registers (kept for the terminal's lifetime) and the last version a condition read (reset
  // before each run).
  cv::script::Registers registers;
  float lastVersion = 0;

  // Flash-record writers: frequency constants and the address counter kept for the terminal's
  // lifetime; plan index, directory name and name template reset before each run.
  static constexpr int kPlanTable = 32;
  float fStep = 0.05f, ifVal = 38.9f, fStepS = 0.125f, ifValS = 479.5f;
  uint16_t address = 0;
  int32_t planIndex = 0;
  float planOscillator[kPlanTable] = {};
  char directoryName[16] = {};
  char nameTemplate[9] = {};

  // The first generation's register plans: 0 CORVANE-1, 1 CORVANE-1B; the CORVANE-1B's plan.
  // The two bytes that open a valid plan: HEADER writes them, GETCHPLAN reads nothing without them.
  static constexpr uint8_t kPlanMarker[2] = {0x5A, 0xC3};
  static constexpr int kPlan1Channels = 126;
  int32_t model1 = 0;
  int32_t plan1 = 0;

  // Seams: the clock every wait runs on, the real milliseconds one pass of a wait may block on
  // the port, and the script chooser of Alt+F (empty result: cancelled).
  cv::Clock* clock;
  int sliceMs = 10;
  std::function<std::string()> chooseScript;

 private:
  const char* Tok(int i) const { return statement.tokens[i] ? statement.tokens[i] : ""; }
  int Code() const { return acts[statement.keywordIndex].code; }
  cv::ConsoleScreen& Main() { return console.screens[0]; }
  void Changed();
  void Repaint();
  bool FillReceive(int timeoutMs);
  bool TakeByte(uint8_t& byte, int timeoutMs);
  bool WriteByte(uint8_t byte);
  void WriteMessageRow(const std::string& text);
  bool EscapePending();

  bool DoSend();
  bool DoAsk();
  bool DoForce();
  bool DoRawTx();
  bool DoSendAck();
  bool DoAskAck();
  bool DoWaitAnswer();
  bool DoWaitFlushing();
  bool DoWait();
  bool DoAlert();
  bool DoGetKey();
  bool DoTest();
  bool DoLog();
  bool DoDisplay();
  bool DoElse();
  bool DoEndif();
  bool DoIfError();
  bool DoTransfer(bool moto);

  // Registers and conditions
  bool RegisterDone(const std::string& report, bool ok);
  bool DoRead();
  bool DoWrite();
  bool DoSet();
  bool DoCalc();
  bool DoIf();
  bool DoIfVer(char marker);
  bool DoAdj();
  // Flash records
  bool DoConstant();
  bool DoOrg();
  bool DoPlan();
  bool SendRecord(const char* prefix, const std::vector<uint8_t>& data, int declared = -1);
  bool WordList(const char* prefix, int first, int last);
  bool FlashDone(bool ok);
  bool DoDirectory();
  bool DoPlanHeader();
  bool DoChannelRecord();
  bool DoCommandRecord();
  bool TerrestrialWord(const char* mhz, float& word);
  // First-generation register plans
  int PlanBase() const;
  bool WriteRegister1(int offset, uint8_t value);
  bool ReadRegister1(int offset, uint8_t& value);
  bool AskByte(const std::string& query, uint8_t& value);
  bool DoModelOrPlan1();
  bool DoHeader1();
  bool DoChannel1();
  bool DoGetChPlan();
  bool DoGetCfg();
  bool DoSetCfg();
  bool ReadSerial1(std::string& serial);
  // Data-logger dumps
  bool DoDataLog(bool seven);

  std::vector<uint8_t> rx_;  // bytes read from the port and not yet taken
  size_t rxAt_ = 0;
  // The instrument's flow control is a state, not an event: the last XON or XOFF it sent,
  // wherever the terminal read it (the interactive screen, a statement, the end of a run). An
  // instrument is ready unless it has said otherwise: an idle one sent its last XON before the
  // port was opened and sends no other until asked, so a freshly opened port starts as Ready.
  enum class Flow { Ready, Busy };
  Flow flow_ = Flow::Ready;
  void NoteFlow(uint8_t byte);
  void TakeWaitingBytes();  // reads what has arrived, without waiting, noting flow control
  void DrainReceive();
};
