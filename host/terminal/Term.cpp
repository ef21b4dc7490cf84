#include "Term.h"

#include <cerrno>
#include <cstdio>

#include "AppServices.h"
#include "ConsoleWait.h"
#include "ConsoleWindow.h"
#include "Mainform.h"
#include "Messages.h"
#include "MsgIds.h"
#include "PortMap.h"
#include "Registry.h"
#include "Separators.h"
#include "Text1252.h"

namespace msg = cv::msg::term;
using cv::script::Subst;

namespace {

constexpr const char* kRegistryKey = "Software\\Tessary\\CvTools\\Terminal";
constexpr uint8_t kTopLeft = 0xC9, kHorizontal = 0xCD, kTopRight = 0xBB, kVertical = 0xBA,
                  kBottomLeft = 0xC8, kBottomRight = 0xBC;
constexpr uint8_t kBoxAttr = 15, kTitleAttr = 63, kLabelAttr = 10, kValueAttr = 2, kBarAttr = 31;

void WriteAt(cv::ConsoleScreen& s, int x, int y, const std::string& text, uint8_t attr) {
  s.MoveTo(x, y);
  s.Write(text, attr);
}

std::string Repeat(uint8_t c, int n) { return std::string(static_cast<size_t>(n), static_cast<char>(c)); }

// A box edge: corner, bars, "[", title, "]", bars, corner.
void BoxEdge(cv::ConsoleScreen& s, int y, uint8_t left, int bars, const std::string& title, uint8_t right) {
  s.MoveTo(0, y);
  s.Write(std::string(1, static_cast<char>(left)) + Repeat(kHorizontal, bars) + "[", kBoxAttr);
  s.Write(title, kTitleAttr);
  s.Write("]" + Repeat(kHorizontal, bars) + std::string(1, static_cast<char>(right)), kBoxAttr);
}

void BoxSides(cv::ConsoleScreen& s, int y, uint8_t innerAttr) {
  s.MoveTo(0, y);
  s.Write(std::string(1, static_cast<char>(kVertical)), kBoxAttr);
  s.Write(std::string(78, ' '), innerAttr);
  s.Write(std::string(1, static_cast<char>(kVertical)), kBoxAttr);
}

void Blank77(cv::ConsoleScreen& s, int y) { s.FillChars(2, y, 77, ' '); }

// Drawing the status rows leaves each screen's cursor where the output had it.
struct KeepCursors {
  explicit KeepCursors(cv::ConsoleModel& m) : model(m) {
    for (int i = 0; i < 2; ++i) x[i] = m.screens[i].cursorX, y[i] = m.screens[i].cursorY;
  }
  ~KeepCursors() {
    for (int i = 0; i < 2; ++i) model.screens[i].MoveTo(x[i], y[i]);
  }
  cv::ConsoleModel& model;
  int x[2], y[2];
};

const char* const kControlNames[][2] = {{"\x00", "(NUL)"}, {"\x02", "(STX)"}, {"\x03", "(ETX)"},
                                        {"\x05", "(ENQ)"}, {"\x06", "(ACK)"}, {"\x11", "(XON)"},
                                        {"\x13", "(XOFF)"}, {"\x15", "(NAK)"}, {"\x18", "(CAN)"},
                                        {"\x1B", "(ESC)"}};

const char* ControlName(uint8_t c) {
  for (const auto& row : kControlNames)
    if (static_cast<uint8_t>(row[0][0]) == c) return row[1];
  return nullptr;
}

std::string HexDot(uint8_t c) {
  char text[8];
  std::snprintf(text, sizeof text, "%02X.", c);
  return text;
}

}  // namespace

TTerm::TAct::TAct(const char* k, int32_t c, int32_t t) : keyword{}, code(c), tokenCount(t) {
  std::snprintf(keyword, sizeof keyword, "%s", k);
}

TTerm::TTerm(TermOwner& o) : owner(o), clock(&cv::SystemClock()) {
  testError = false;
  const cv::Separators separators = cv::LocaleSeparators();
  decimalSeparator = separators.decimal;
  listSeparator = separators.list;
  static const struct {
    const char* keyword;
    int tokens;
  } kTable[kKeywordCount] = {
      {"SEND", 2},      {"ASK", 2},        {"HEADER", 4},     {"CHANNEL", 9},     {"WAIT", 2},
      {"FORCE", 2},     {"LOG", 2},        {"ALERT", 1},      {"FSTEP", 2},       {"IFVAL", 2},
      {"FSTEPS", 2},    {"IFVALS", 2},     {"ORG", 2},        {"DIRECTORY", 2},   {"HEADER7", 11},
      {"COMMAND", 3},   {"CHAN7T", 5},     {"CHAN7S", 7},     {"SENDHEX", 3},     {"PLAN", 2},
      {"DISPLAY", 2},   {"IFVER", 3},      {"IFVER7", 3},     {"ENDIF", 1},       {"DATAL7", 2},
      {"GETCHPLAN", 2}, {"GETCFG", 2},     {"SETCFG", 2},     {"GETKEY", 1},      {"PLAN1", 2},
      {"MODEL1", 2},    {"IFVER3", 3},     {"DATAL3", 2},     {"HEADER3", 10},    {"CHAN3T", 6},
      {"CHAN3S", 7},    {"DIRECTORY3", 2}, {"COMMAND3", 3},   {"ADJ", 6},         {"READ", 4},
      {"WRITE", 4},     {"CALC", 5},       {"IF", 4},         {"SET", 4},         {"ELSE", 1},
      {"TEST", 2},      {"IFERROR", 1},    {"RAWTX", 2},      {"DIRECTORY4", 2},  {"IFVER4", 3},
      {"IFVER2", 3},    {"CHANGV", 5},     {"SENDMOTO", 3},   {"SENDACK", 2},     {"ASKACK", 2},
      {"WAITANSWER", 2}, {"WAITFLUSHING", 2}, {"CHAND", 5}};
  acts.reserve(kKeywordCount);
  for (int i = 0; i < kKeywordCount; ++i) acts.emplace_back(kTable[i].keyword, i + 1, kTable[i].tokens);
  owner.AddLog(cv::Msg(msg::Executing));
  port = cv::kInvalidSerialHandle;
  baudRate = 19200;
  ResetRunState();
}

TTerm::~TTerm() {
  ClosePort();
  SaveSettings();
  window.reset();
}

void TTerm::ReportError(const std::string& text, int code) {
  owner.AddLog(Subst(cv::Msg(msg::ErrorNumber), {text, std::to_string(code)}));
}

// ============================================================================================
// Settings

void TTerm::ReadSettings() {
  localEcho = crLf = hexMode = false;
  std::string comPort = "COM2";
  if (auto key = cv::RegKey::Open(kRegistryKey, false)) {
    std::string name;
    int32_t baud = 0;
    bool local = false, crlf = false, hex = false, test = false;
    const bool ok = key->ReadString("ComPort", name) == cv::RegRead::Ok &&
                    key->ReadInteger("BaudRate", baud) == cv::RegRead::Ok &&
                    key->ReadBool("bLocal", local) == cv::RegRead::Ok &&
                    key->ReadBool("bCRLF", crlf) == cv::RegRead::Ok &&
                    key->ReadBool("bHex", hex) == cv::RegRead::Ok &&
                    key->ReadBool("bTest", test) == cv::RegRead::Ok;
    if (ok) {
      comPort = name.empty() ? "COM2" : name;
      baudRate = baud;
      localEcho = local;
      crLf = crlf;
      hexMode = hex;
      testMode = test;
    } else {
      baudRate = 19200;
      localEcho = crLf = true;
      hexMode = testMode = false;
      cv::ShowWarning(cv::MsgQ(msg::Caption), cv::MsgQ(msg::ReadWarning));
      owner.AddLog(cv::Msg(msg::ReadFailed));
    }
  } else {
    localEcho = crLf = true;
    hexMode = testMode = false;
  }
  const std::string detected = owner.DetectedPort();
  portName = detected.empty() ? comPort : detected;
}

void TTerm::SaveSettings() {
  auto key = cv::RegKey::Open(kRegistryKey, true);
  const bool ok = key && key->WriteString("ComPort", portName) && key->WriteInteger("BaudRate", baudRate) &&
                  key->WriteBool("bLocal", localEcho) && key->WriteBool("bCRLF", crLf) &&
                  key->WriteBool("bHex", hexMode) && key->WriteBool("bTest", testMode);
  if (!ok) cv::ShowError(cv::MsgQ(msg::Caption), cv::MsgQ(msg::SaveFailed));
}

// ============================================================================================
// Screen

void TTerm::Changed() { console.Changed(); }

void TTerm::Repaint() {
  owner.Repaint();
  Changed();
}

void TTerm::DrawPortLine() {
  char baud[16];
  std::snprintf(baud, sizeof baud, "%6d", static_cast<int>(baudRate));
  KeepCursors keep(console);
  for (cv::ConsoleScreen& s : console.screens) {
    Blank77(s, 2);
    s.MoveTo(2, 2);
    s.Write(portName + ": ", kLabelAttr);
    s.Write(std::string(baud) + " - 8 bits - no parity - 1 stop bit ", kValueAttr);
    s.Write("  Quit: ", kLabelAttr);
    s.Write("Alt+Q", kValueAttr);
    s.Write("  Help: ", kLabelAttr);
    s.Write("Alt+H", kValueAttr);
  }
  Changed();
}

void TTerm::DrawModeLine() {
  KeepCursors keep(console);
  for (cv::ConsoleScreen& s : console.screens) {
    Blank77(s, 3);
    WriteAt(s, 2, 3, "CR=", kLabelAttr);
    s.Write(crLf ? "CR+LF  " : "CR  ", kValueAttr);
    WriteAt(s, 12, 3, "Echo=", kLabelAttr);
    s.Write(localEcho ? "Local  " : "None  ", kValueAttr);
    WriteAt(s, 24, 3, "Mode=", kLabelAttr);
    s.Write(hexMode ? "Hex  " : "Text  ", kValueAttr);
    WriteAt(s, 35, 3, "Tx/Rx=", kLabelAttr);
    s.Write(testMode ? "Mode Test " : "Real ", kValueAttr);
    WriteAt(s, 60, 3, "Run File: ", kLabelAttr);
    s.Write("Alt+F", kValueAttr);
  }
  Changed();
}

namespace {
void DrawTitleRow(cv::ConsoleScreen& s) {
  s.FillChars(0, 0, cv::kConsoleWidth, ' ');
  s.FillAttrs(0, 0, cv::kConsoleWidth, 7);
  WriteAt(s, 0, 0, cv::Msg(cv::msg::HostCaption) + ":", kBarAttr);
  s.Write(cv::Msg(msg::Utility), kLabelAttr);
  const std::string version = std::string("[v") + TMainForm::kVersion + "]";
  WriteAt(s, cv::kConsoleWidth - static_cast<int>(version.size()), 0, version, kBarAttr);
}
}  // namespace

void TTerm::DrawMainScreen() {
  cv::ConsoleScreen& s = Main();
  s.Clear(7);
  DrawTitleRow(s);
  BoxEdge(s, 1, kTopLeft, 34, " status ", kTopRight);
  for (int y = 2; y <= 4; ++y) BoxSides(s, y, kLabelAttr);
  BoxEdge(s, 5, kBottomLeft, 33, " terminal ", kBottomRight);
  for (int y = kTermTop; y < cv::kConsoleHeight; ++y) {
    s.FillChars(0, y, cv::kConsoleWidth, ' ');
    s.FillAttrs(0, y, cv::kConsoleWidth, kTermAttr);
  }
  DrawPortLine();
  DrawModeLine();
  s.MoveTo(0, kTermTop);
  Changed();
}

void TTerm::DrawHelpScreen() {
  cv::ConsoleScreen& s = console.screens[1];
  s.Clear(7);
  DrawTitleRow(s);
  BoxEdge(s, 1, kTopLeft, 35, " help ", kTopRight);
  for (int y = 2; y <= 9; ++y) BoxSides(s, y, kBoxAttr);
  s.MoveTo(0, 10);
  s.Write(std::string(1, static_cast<char>(kBottomLeft)) + Repeat(kHorizontal, 78) +
              std::string(1, static_cast<char>(kBottomRight)),
          kBoxAttr);
  DrawPortLine();
  DrawModeLine();
  WriteAt(s, 2, 4, std::string(76, '-'), kValueAttr);
  auto item = [&s](int x, int y, const std::string& key, const std::string& text) {
    WriteAt(s, x, y, key, kBoxAttr);
    s.Write(text, 7);
  };
  for (int i = 1; i <= 4; ++i)
    item(4, 4 + i, "Alt+" + std::to_string(i) + " = ", "port COM" + std::to_string(i));
  item(30, 5, "Alt+C = ", "CR mode: CR <---> CR+LF");
  item(30, 6, "Alt+L = ", "Echo mode: none <---> local");
  item(30, 7, "Alt+X = ", "Character mode: text <---> hexa");
  item(30, 8, "Alt+T = ", "Tx/Rx: Real <---> No real Tx/Rx");
  item(4, 9, "Alt+B = ", "switch baudrate: 9600, 19200, 38400, 57600, 115200");
  Changed();
}

void TTerm::NewLine() {
  cv::ConsoleScreen& s = Main();
  if (s.cursorY >= cv::kConsoleHeight - 1) {
    s.ScrollUp(kTermTop, cv::kConsoleHeight - 1, kTermAttr);
    s.MoveTo(0, cv::kConsoleHeight - 1);
  } else {
    s.MoveTo(0, s.cursorY + 1);
  }
}

namespace {
// One cell at the cursor: a new line first when the cursor is in the last column.
void PutCell(TTerm& t, cv::ConsoleScreen& s, uint8_t c, uint8_t attr) {
  if (s.cursorX >= cv::kConsoleWidth - 1) t.NewLine();
  s.Write(std::string(1, static_cast<char>(c)), attr);
}
}  // namespace

void TTerm::ShowChar(uint8_t c, uint8_t attr) {
  cv::ConsoleScreen& s = Main();
  if (c == '\n') {
    NewLine();
  } else if (c == '\r') {
    s.MoveTo(0, s.cursorY);
    if (crLf) NewLine();
  } else {
    PutCell(*this, s, c, attr);
  }
}

void TTerm::ShowReceived(uint8_t c) {
  if (!hexMode) return ShowChar(c, kTermAttr);
  cv::ConsoleScreen& s = Main();
  const uint8_t bright = kTermAttr + 8;
  if (const char* name = ControlName(c)) {
    for (char n : std::string(name)) PutCell(*this, s, static_cast<uint8_t>(n), kTermAttr);
  } else if (c == '\r') {
    NewLine();
    PutCell(*this, s, c, bright);
  } else {
    PutCell(*this, s, c, bright);
  }
  for (char n : HexDot(c)) PutCell(*this, s, static_cast<uint8_t>(n), kTermAttr);
}

void TTerm::Print(const std::string& text, uint8_t attr) {
  cv::ConsoleScreen& s = Main();
  for (char ch : text) {
    const auto c = static_cast<uint8_t>(ch);
    if (c == '\n') NewLine();
    else if (c == '\r') s.MoveTo(0, s.cursorY);
    else PutCell(*this, s, c, attr);
  }
}

void TTerm::PrintLine(const std::string& text) {
  Print(text, kTextAttr);
  NewLine();
  Changed();
}

void TTerm::WriteMessageRow(const std::string& text) {
  cv::ConsoleScreen& s = Main();
  const int x = s.cursorX, y = s.cursorY;
  s.FillChars(2, 4, 45, ' ');
  WriteAt(s, 2, 4, text.substr(0, 77), kLabelAttr);
  s.MoveTo(x, y);
  Changed();
}

// ============================================================================================
// Port

void TTerm::ClosePort() {
  if (port == cv::kInvalidSerialHandle) return;
  cv::SerialSetRts(port, false);
  cv::SerialSetDtr(port, false);
  cv::SerialClose(port);
  port = cv::kInvalidSerialHandle;
  rx_.clear();
  rxAt_ = 0;
  flow_ = Flow::Ready;
}

bool TTerm::OpenPort() {
  ClosePort();
  std::string name = portName;
  for (int attempt = 0; attempt < 5; ++attempt) {
    if (attempt > 0) {
      const int n = cv::PortNumberOf(name);
      const bool inRing = name == "COM" + std::to_string(n) && n >= 1 && n <= 4;
      name = "COM" + std::to_string(inRing ? n % 4 + 1 : 1);
    }
    port = cv::SerialOpen(name.c_str());
    if (port != cv::kInvalidSerialHandle) break;
  }
  if (port == cv::kInvalidSerialHandle) {
    const int error = errno;
    window.reset();
    cv::ShowError(cv::MsgQ(msg::Caption), cv::MsgQ(msg::NoPorts));
    ReportError("[" + name + "] In CreateFile", error);
    return false;
  }
  portName = name;
  DrawPortLine();
  cv::SerialSetTimeouts(port, {cv::kMaxDword, cv::kMaxDword, kReadTimeoutMs, 0, 0});
  cv::LineState line;
  if (!cv::SerialGetLineState(port, line)) {
    ReportError("In GetCommState", errno);
  } else {
    line.baud = static_cast<uint32_t>(baudRate);
    line.byteSize = 8;
    line.parity = 0;
    line.stopBits = 0;
    if (!cv::SerialSetLineState(port, line)) ReportError("In SetCommState", errno);
  }
  cv::SerialSetDtr(port, true);
  cv::SerialSetRts(port, true);
  return true;
}

bool TTerm::WriteByte(uint8_t byte) {
  uint32_t written = 0;
  return cv::SerialWrite(port, &byte, 1, &written) && written == 1;
}

bool TTerm::FillReceive(int timeoutMs) {
  if (rxAt_ < rx_.size()) return true;
  if (port == cv::kInvalidSerialHandle) return false;
  if (cv::ConsoleWait(nullptr, port, timeoutMs, *clock, sliceMs) != cv::ConsoleEvent::Port) return false;
  rx_.resize(512);
  uint32_t got = 0;
  const bool ok = cv::SerialRead(port, rx_.data(), rx_.size(), &got);
  rx_.resize(ok ? got : 0);
  rxAt_ = 0;
  return !rx_.empty();
}

bool TTerm::TakeByte(uint8_t& byte, int timeoutMs) {
  if (!FillReceive(timeoutMs)) return false;
  byte = rx_[rxAt_++];
  NoteFlow(byte);
  return true;
}

void TTerm::NoteFlow(uint8_t byte) {
  if (byte == kXon) flow_ = Flow::Ready;
  else if (byte == kXoff) flow_ = Flow::Busy;
}

void TTerm::TakeWaitingBytes() {
  // An instrument that never stops talking is cut off after a bounded amount.
  uint8_t byte = 0;
  for (int n = 0; n < 65536 && TakeByte(byte, 0); ++n) {
  }
}

void TTerm::DrainReceive() {
  // Read rather than purged, so that a flow-control byte among them still counts.
  TakeWaitingBytes();
  if (port != cv::kInvalidSerialHandle) cv::SerialPurgeRx(port);
  rx_.clear();
  rxAt_ = 0;
}

// ============================================================================================
// The terminal's life

bool TTerm::Run() {
  if (showWindow) {
    window = std::make_unique<cv::ConsoleWindow>(console);
    window->setWindowTitle(cv::MsgQ(msg::Caption));
    window->show();
    window->activateWindow();
    window->setFocus();
  }
  ReadSettings();
  DrawMainScreen();
  do {
    if (!OpenPort()) return false;
    reopen = false;
    console.input.clear();
    ProcessIO();
  } while (reopen);
  window.reset();
  return true;
}

void TTerm::ProcessIO() {
  if (port == cv::kInvalidSerialHandle) return;
  receivedCount = sentCount = 0;
  for (;;) {
    const cv::ConsoleEvent event = rxAt_ < rx_.size()
                                       ? cv::ConsoleEvent::Port
                                       : cv::ConsoleWait(&console, port, kIdleTimeoutMs, *clock, sliceMs);
    if (event == cv::ConsoleEvent::Timeout) {
      owner.AddLog(cv::Msg(msg::ClosedTimeout));
      break;
    }
    if (event == cv::ConsoleEvent::Input) {
      const cv::ConsoleInput in = console.input.front();
      console.input.pop_front();
      if (in.keyDown && in.ch != 0 && in.alt) {
        if (in.ch == 'q' || in.ch == 'Q') break;
        KeyHandler(in.ch);
        if (reopen) break;
      } else if (in.keyDown && in.ch != 0) {
        if (localEcho) ShowChar(in.ch, kTextAttr);
        if (!WriteByte(in.ch)) {
          ReportError("In ProcessIO", errno);
          break;
        }
        ++sentCount;
      }
    } else {
      if (rxAt_ >= rx_.size()) {
        rx_.resize(512);
        uint32_t got = 0;
        const bool ok = cv::SerialRead(port, rx_.data(), rx_.size(), &got);
        rx_.resize(ok ? got : 0);
        rxAt_ = 0;
        if (!ok) {
          ReportError("In ProcessIO", errno);
          break;
        }
      }
      for (; rxAt_ < rx_.size(); ++rxAt_) {
        NoteFlow(rx_[rxAt_]);
        ShowReceived(rx_[rxAt_]);
      }
      receivedCount += rx_.size();
      rx_.clear();
      rxAt_ = 0;
    }
    Repaint();
  }
  ClosePort();
}

void TTerm::KeyHandler(uint8_t ch) {
  const char key = (ch >= 'a' && ch <= 'z') ? static_cast<char>(ch - 'a' + 'A') : static_cast<char>(ch);
  switch (key) {
    case '1': case '2': case '3': case '4':
      portName = std::string("COM") + key;
      DrawPortLine();
      reopen = true;
      break;
    case 'B': {
      static const int32_t kCycle[] = {19200, 38400, 57600, 115200, 9600};
      int32_t next = 19200;
      for (size_t i = 0; i < std::size(kCycle); ++i)
        if (kCycle[i] == baudRate) next = kCycle[(i + 1) % std::size(kCycle)];
      baudRate = next;
      DrawPortLine();
      reopen = true;
      break;
    }
    case 'C': crLf = !crLf; DrawModeLine(); break;
    case 'L': localEcho = !localEcho; DrawModeLine(); break;
    case 'X': hexMode = !hexMode; DrawModeLine(); break;
    case 'T': testMode = !testMode; DrawModeLine(); break;
    case 'H':
      helpShown = !helpShown;
      if (helpShown) DrawHelpScreen();
      console.active = helpShown ? 1 : 0;
      Changed();
      break;
    case 'F': {
      const bool ok = RunProFileDialog();
      NewLine();
      if (ok) owner.AddLog(cv::Msg(msg::ProFinished));
      Changed();
      break;
    }
    default: break;
  }
}
