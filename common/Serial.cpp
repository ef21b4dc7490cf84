#include "Serial.h"

#include <cstring>

#include "Messages.h"
#include "MsgIds.h"

namespace {

constexpr const char* kPortNames[12] = {"COM1", "COM2", "COM3", "COM4", "COM5", "COM6",
                                        "COM7", "COM8", "COM9", "\\\\.\\COM10", "\\\\.\\COM11",
                                        "\\\\.\\COM12"};

// Empty reads in a row after which a wait gives up: with the mode's one-byte time-out this is
// the bound of every wait on a silent line.
constexpr int kMaxEmptyReads = 12;
// Stray bytes tolerated before XON during detection, where a port may carry anything.
constexpr int kMaxStrayBeforeXon = 10;

}  // namespace

const char* PortNameOf(int index) {
  if (index < 0 || index > 11) return kPortNames[1];
  return kPortNames[index];
}

cv::CommTimeouts TimeoutsForMode(int mode) {
  switch (mode) {
    case 1: return {cv::kMaxDword, cv::kMaxDword, 200, 0, 0};
    case 2: return {700, 5, 1000, 0, 0};
    default: return {cv::kMaxDword, cv::kMaxDword, 2000, 0, 0};
  }
}

TSerial::TSerial(int index) {
  handle = cv::kInvalidSerialHandle;
  SetPort(index);
  mode = 0;
}

TSerial::~TSerial() { Close(); }

void TSerial::SetPort(int index) {
  if (IsOpen()) Close();
  portIndex = index;
  std::strncpy(name, PortNameOf(index), sizeof name - 1);
  name[sizeof name - 1] = '\0';
}

bool TSerial::IsOpen() const { return handle != cv::kInvalidSerialHandle; }

bool TSerial::Open() {
  if (IsOpen()) Close();
  openProblem_.clear();
  cv::SerialOpenError error = cv::SerialOpenError::None;
  std::string path;
  handle = cv::SerialOpen(name, &error, &path);
  if (!IsOpen()) {
    int id = 0;
    if (error == cv::SerialOpenError::Busy) id = cv::msg::SerialPortBusy;
    if (error == cv::SerialOpenError::Permission) id = cv::msg::SerialPortPermission;
    if (id) {
      openProblem_ = cv::Msg(id);
      if (size_t at = openProblem_.find("%s"); at != std::string::npos) openProblem_.replace(at, 2, path);
    }
    return false;
  }
  // Until Setup chooses a mode the reads are bounded like the tools' mode.
  cv::SerialSetTimeouts(handle, TimeoutsForMode(0), timeScale);
  cv::SerialPurgeTx(handle);
  cv::SerialPurgeRx(handle);
  return true;
}

const char* TSerial::OpenProblem() const { return openProblem_.c_str(); }

bool TSerial::Setup(int newMode, int baud, int byteSize, int parity, int stopBits) {
  bool result = false;
  if (cv::SerialGetLineState(handle, lineState)) {
    lineState.baud = static_cast<uint32_t>(baud);
    lineState.byteSize = static_cast<uint8_t>(byteSize);
    lineState.parity = static_cast<uint8_t>(parity);
    lineState.stopBits = static_cast<uint8_t>(stopBits);
    // A refused line state fails Setup: the line would not run at the rate the caller asked
    // for. The mode and its time-outs stay as they were, so reads remain bounded.
    if (cv::SerialSetLineState(handle, lineState)) {
      mode = newMode;
      timeouts = TimeoutsForMode(newMode);
      cv::SerialSetTimeouts(handle, timeouts, timeScale);
      cv::SerialSetDtr(handle, true);
      cv::SerialSetRts(handle, true);
      cv::SerialPurgeTx(handle);
      cv::SerialPurgeRx(handle);
      result = true;
    }
  }
  // The wake line goes out in every case: an instrument that dozed needs it before the first
  // handshake.
  char wake[] = "*";
  WriteLine(wake);
  return result;
}

bool TSerial::OpenConfigured(int baud, int byteSize, int parity, int stopBits) {
  if (!Open()) return false;
  return Setup(0, baud, byteSize, parity, stopBits);
}

bool TSerial::Close() {
  if (!IsOpen()) return true;
  cv::SerialSetRts(handle, false);
  cv::SerialSetDtr(handle, false);
  const bool ok = cv::SerialClose(handle);
  handle = cv::kInvalidSerialHandle;
  return ok;
}

bool TSerial::WriteLine(char* text) {
  size_t len = std::strlen(text);
  if (len > static_cast<size_t>(kMaxCommandLength)) {
    text[kMaxCommandLength] = '\0';
    len = kMaxCommandLength;
  }
  char line[kMaxCommandLength + 1];
  std::memcpy(line, text, len);
  line[len] = CR;
  uint32_t written = 0;
  const bool ok = cv::SerialWrite(handle, line, len + 1, &written);
  bytesWritten = written;
  return ok;
}

bool TSerial::WaitChar(char expected) {
  if (!IsOpen()) return false;
  int empty = 0;
  int stray = 0;
  while (empty < kMaxEmptyReads) {
    char c = 0;
    uint32_t n = 0;
    const bool ok = cv::SerialRead(handle, &c, 1, &n);
    bytesRead = n;
    if (!ok || n == 0) {
      ++empty;
      continue;
    }
    empty = 0;
    if (c == expected) return true;
    if (expected == ACK) {
      refused_ = c == NAK;
      return false;
    }
    if (mode == 1 && expected == XON && ++stray > kMaxStrayBeforeXon) return false;
  }
  return false;
}

bool TSerial::ReadLine(char* buffer) {
  int stored = 0;
  int received = 0;
  int empty = 0;
  bool ended = false;
  buffer[0] = '\0';
  while (!ended && empty < kMaxEmptyReads) {
    char c = 0;
    uint32_t n = 0;
    const bool ok = cv::SerialRead(handle, &c, 1, &n);
    bytesRead = n;
    if (!ok || n == 0) {
      ++empty;
      continue;
    }
    empty = 0;
    if (received >= kMaxReplyLength || c == CR || c == LF) {
      ended = true;  // the byte that ends the line is not kept
    } else {
      ++received;
      if (c != '\0') buffer[stored++] = c;
    }
  }
  buffer[stored] = '\0';
  for (int i = 0; i < stored; ++i) {
    const unsigned char u = static_cast<unsigned char>(buffer[i]);
    if (u < 32 || u == 127) buffer[i] = ' ';
  }
  return ended;
}

bool TSerial::SendCommand(char* text) {
  refused_ = false;
  return WaitChar(XON) && WriteLine(text) && WaitChar(XOFF) && WaitChar(ACK);
}

bool TSerial::Transact(char* buffer) { return SendCommand(buffer) && ReadLine(buffer); }

bool TSerial::OpenLink(int baud, int byteSize, int parity, int stopBits) {
  return Open() && Setup(2, baud, byteSize, parity, stopBits);
}

int TSerial::ReadRaw(char* buffer, int n, const std::function<void()>& progress) {
  uint32_t got = 0;
  if (n > 0 && IsOpen()) cv::SerialRead(handle, buffer, static_cast<size_t>(n), &got, progress);
  bytesRead = got;
  buffer[got] = '\0';
  return static_cast<int>(got);
}

bool TSerial::SendBlock(const char* buffer, int n) {
  if (!WaitChar(XON)) return false;
  uint32_t written = 0;
  const bool ok = cv::SerialWrite(handle, buffer, static_cast<size_t>(n > 0 ? n : 0), &written);
  bytesWritten = written;
  return ok && WaitChar(XOFF) && WaitChar(ACK);
}

bool TSerial::WriteRaw(const char* buffer, int n) {
  if (!IsOpen()) return false;
  uint32_t written = 0;
  const bool ok = cv::SerialWrite(handle, buffer, static_cast<size_t>(n > 0 ? n : 0), &written);
  bytesWritten = written;
  return ok && written == static_cast<uint32_t>(n > 0 ? n : 0);
}

int TSerial::AskRaw(char* command, char* buffer, int n, const std::function<void()>& progress) {
  if (!SendCommand(command)) return 0;
  return ReadRaw(buffer, n, progress);
}
