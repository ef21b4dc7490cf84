// The transmission operations on the terminal's port and the line statements built on them:
// SEND, ASK, FORCE, RAWTX, SENDACK, ASKACK, WAITANSWER, WAITFLUSHING, WAIT, ALERT, GETKEY, TEST,
// SENDHEX and SENDMOTO. Every wait runs on the terminal's clock.
#include <cstdio>
#include <filesystem>
#include <fstream>

#include "AppServices.h"
#include "ConsoleWait.h"
#include "Messages.h"
#include "MsgIds.h"
#include "Term.h"
#include "TermOutput.h"

namespace msg = cv::msg::term;
using cv::script::Subst;

// ============================================================================================
// Transmission

bool TTerm::WriteRaw(const std::string& text) {
  const std::string line = text.substr(0, kWriteLimit);
  if (testMode) {
    testModeText = "(" + line + ")->";
    return true;
  }
  if (port == cv::kInvalidSerialHandle) return false;
  const std::string bytes = line + "\r";
  uint32_t written = 0;
  const bool ok = cv::SerialWrite(port, bytes.data(), bytes.size(), &written) && written == bytes.size();
  if (localEcho) {
    NewLine();
    Print(line, kTextAttr);
    Changed();
  }
  return ok;
}

bool TTerm::ReadPortByte(uint8_t& byte) { return TakeByte(byte, kReadTimeoutMs); }

bool TTerm::WaitByte(uint8_t byte) {
  if (testMode) return true;
  if (byte == kXon) {
    // Only an instrument whose last word was XOFF is waited for; one that said nothing since
    // the port opened is idle. What it sent meanwhile (an XOFF while busy) is taken in first; it
    // belongs to no statement.
    TakeWaitingBytes();
    if (flow_ == Flow::Ready) return true;
  }
  int empty = 0;
  while (empty < kEmptyReads) {
    uint8_t c = 0;
    if (!ReadPortByte(c)) {
      ++empty;
      continue;
    }
    empty = 0;
    if (c == byte) return true;
    if (byte == kAck) return false;
  }
  return false;
}

bool TTerm::ReadReply(std::string& buffer) {
  if (testMode) {
    buffer = "TEST MODE";
    return true;
  }
  buffer.clear();
  int empty = 0;
  bool ended = false;
  while (!ended && empty < kEmptyReads) {
    uint8_t c = 0;
    if (!ReadPortByte(c)) {
      ++empty;
      continue;
    }
    empty = 0;
    // The byte after the 255th ends the line and is dropped.
    if (c == '\r' || c == '\n' || static_cast<int>(buffer.size()) >= kReplyLimit) ended = true;
    else buffer.push_back(static_cast<char>(c));
  }
  for (char& c : buffer)
    if (static_cast<uint8_t>(c) < 32 || c == 127) c = ' ';
  return ended;
}

bool TTerm::SendWithAck(const std::string& text) {
  return WaitByte(kXon) && WriteRaw(text) && WaitByte(kXoff) && WaitByte(kAck);
}

bool TTerm::Query(std::string& buffer) { return SendWithAck(buffer) && ReadReply(buffer); }

bool TTerm::SendAckOnly(const std::string& text) {
  if (!WriteRaw(text)) {
    resultText += "? TxMessage fail ";
    return false;
  }
  if (!WaitByte(kAck)) {
    resultText += "? ACK fail ";
    return false;
  }
  return true;
}

bool TTerm::QueryAckOnly(std::string& buffer) { return SendAckOnly(buffer) && ReadReply(buffer); }

bool TTerm::WaitAnswer(std::string& buffer) { return ReadReply(buffer); }

// ============================================================================================
// Line statements

#define SKIP_WHEN_FALSE() \
  if (!ifLevels.Running()) return resultText = "FALSE", true

bool TTerm::DoSend() {
  SKIP_WHEN_FALSE();
  const bool ok = SendWithAck(Tok(1));
  resultText = ok ? "OK" : "ERROR";
  return ok;
}

bool TTerm::DoAsk() {
  SKIP_WHEN_FALSE();
  std::string buffer = Tok(1);
  const bool ok = Query(buffer);
  resultText = ok ? buffer : "ERROR";
  return ok;
}

bool TTerm::DoForce() {
  SKIP_WHEN_FALSE();
  const bool ok = WriteRaw(Tok(1)) && WaitByte(kXoff) && WaitByte(kAck);
  resultText = ok ? "OK" : "ERROR";
  return ok;
}

bool TTerm::DoRawTx() {
  SKIP_WHEN_FALSE();
  WriteRaw(Tok(1));
  resultText = "OK";
  return true;
}

bool TTerm::DoSendAck() {
  SKIP_WHEN_FALSE();
  resultText.clear();
  const bool ok = SendAckOnly(Tok(1));
  resultText = ok ? "OK" : resultText + "ERROR";
  return ok;
}

bool TTerm::DoAskAck() {
  SKIP_WHEN_FALSE();
  resultText.clear();
  std::string buffer = Tok(1);
  const bool ok = QueryAckOnly(buffer);
  if (ok) resultText = buffer;
  else resultText = resultText.empty() ? "ERROR" : resultText + " ERROR";
  return ok;
}

bool TTerm::DoWaitAnswer() {
  SKIP_WHEN_FALSE();
  resultText.clear();
  Print(cv::Msg(msg::Waiting), kTextAttr);
  Changed();
  std::string reply;
  if (!WaitAnswer(reply)) {
    resultText = "RxD ERROR";
    return false;
  }
  resultText = reply.find(Tok(1)) != std::string::npos ? reply : "WRONG ANSWER: " + reply.substr(0, 70);
  return true;
}

namespace {
// Whole seconds of a statement's argument; text that is not a number, and negative numbers,
// give 0.
int64_t Seconds(const char* text) {
  int seconds = 0;
  cv::script::ReadInt(text, seconds);
  return seconds > 0 ? seconds : 0;
}
}  // namespace

bool TTerm::DoWaitFlushing() {
  SKIP_WHEN_FALSE();
  Print(cv::Msg(msg::Waiting), kTextAttr);
  Changed();
  const int64_t seconds = Seconds(Tok(1));
  const int64_t start = clock->NowMs() / 1000;
  while (clock->NowMs() / 1000 - start < seconds) {
    uint8_t c = 0;
    if (ReadPortByte(c)) {
      ShowChar(c, kTextAttr);
      Changed();
    }
  }
  resultText = "OK";
  return true;
}

bool TTerm::DoWait() {
  SKIP_WHEN_FALSE();
  Print(cv::Msg(msg::Waiting), kTextAttr);
  Changed();
  constexpr int64_t kChunk = 1000000000;  // SleepMs takes an int
  if (!testMode)
    for (int64_t left = Seconds(Tok(1)) * 1000; left > 0; left -= kChunk)
      clock->SleepMs(static_cast<int>(left < kChunk ? left : kChunk));
  resultText = "OK";
  return true;
}

bool TTerm::DoAlert() {
  SKIP_WHEN_FALSE();
  cv::Beep();
  resultText = "OK";
  return true;
}

bool TTerm::DoGetKey() {
  SKIP_WHEN_FALSE();
  PrintLine(cv::Msg(msg::RunPaused));
  for (;;) {
    if (cv::ConsoleWait(&console, cv::kInvalidSerialHandle, kIdleTimeoutMs, *clock, sliceMs) !=
        cv::ConsoleEvent::Input)
      break;
    const cv::ConsoleInput in = console.input.front();
    console.input.pop_front();
    if (in.keyDown && in.ch != 0) break;
  }
  resultText = "OK";
  return true;
}

bool TTerm::DoTest() {
  SKIP_WHEN_FALSE();
  resultText.clear();
  std::string buffer = Tok(1);
  const bool ok = Query(buffer);
  testError = !ok;
  resultText = (ok ? buffer : std::string("ERROR")) + (ok ? " TEST OK" : " TEST ERROR");
  return true;
}

// ============================================================================================
// File transfers

bool TTerm::EscapePending() {
  clock->PumpEvents(0);
  while (!console.input.empty()) {
    const cv::ConsoleInput in = console.input.front();
    console.input.pop_front();
    if (in.keyDown && in.key == cv::ConsoleInput::Key::Escape) return true;
  }
  return false;
}

namespace {
// One line of a transfer file, without its LF; a line longer than any command is cut after
// kLongest characters (the rest of it is skipped), which is enough to refuse it.
bool ReadTransferLine(std::istream& in, std::string& line) {
  constexpr size_t kLongest = 1024;
  line.clear();
  bool any = false;
  for (int c; (c = in.get()) != EOF;) {
    any = true;
    if (c == '\n') return true;
    if (line.size() < kLongest) line.push_back(static_cast<char>(c));
  }
  return any;
}
}  // namespace

bool TTerm::DoTransfer(bool moto) {
  SKIP_WHEN_FALSE();
  const std::string file = cv::term::NamedPath(Tok(1));
  const std::string prefix = Tok(2);
  const char* keyword = moto ? "SENDMOTO" : "SENDHEX";
  // Only a file is a transfer file: a device or a directory named by a script would be read
  // for ever or not at all.
  std::error_code ec;
  std::ifstream in;
  if (std::filesystem::is_regular_file(file, ec)) in.open(file, std::ios::binary);
  if (!in.is_open()) {
    PrintLine(Subst(cv::Msg(msg::TransferMissing), {Tok(1)}));
    resultText = "ERROR";
    return false;
  }
  bool ok = true;
  if (moto || !testMode) {
    int counter = 0;
    for (std::string line; ok && ReadTransferLine(in, line); ++counter) {
      // Lines end at the first CR or LF (SENDHEX: LF, and a CR before it).
      const size_t cut = moto ? line.find('\r') : std::string::npos;
      if (cut != std::string::npos) line.resize(cut);
      if (!moto && !line.empty() && line.back() == '\r') line.pop_back();
      if (line.empty()) continue;
      char number[16];
      std::snprintf(number, sizeof number, "%5d", counter);
      const std::string shown = (moto ? "\r" : "\r\n") + std::string(number) + ">     " + prefix + line + (moto ? " " : ": ");
      const char lead = moto ? 'S' : ':';
      if (line[0] == lead || (moto && line[0] == 's')) {
        for (char& c : line)
          if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
        const std::string command = prefix + line;
        if (static_cast<int>(command.size()) > kWriteLimit) {
          // Cut short, a record would reach the instrument as a different, shorter record.
          owner.AddLog(Subst(cv::Msg(msg::LineTooLong), {std::to_string(counter), std::to_string(command.size()),
                                                          std::to_string(kWriteLimit)}));
          ok = false;
        } else {
          ok = SendWithAck(command);
        }
      }
      Print(shown, kTextAttr);
      Repaint();
      if (moto && EscapePending()) ok = false;
    }
  }
  lineText = (moto ? "\r(end) " : "\r\n(end) ") + std::string(keyword) + " " + file + " " + prefix + ": ";
  resultText = ok ? "OK" : "ERROR";
  return ok;
}
