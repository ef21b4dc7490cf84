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
// Extension points for the rest of the dialect: the keyword table is complete; the codes whose
// executors are not here yet go through ExecutePending() (TermPending.cpp), and the per-run
// reset of their state belongs in ResetRunState().
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
  bool ExecutePending();

  std::vector<uint8_t> rx_;  // bytes read from the port and not yet taken
  size_t rxAt_ = 0;
};
