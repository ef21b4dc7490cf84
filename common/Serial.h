#pragma once
// The one serial port type of the system. The host creates it, identifies an instrument with it
// and lends the very same object to the plug-in it loads; there is exactly one definition,
// compiled into every deliverable.
//
// The instrument line protocol: a command is one line of ASCII text ended by CR, sent under a byte
// handshake (XON when the instrument can take a line, XOFF then ACK after it took it); a query is
// answered by one reply line ended by CR or LF.
#include <cstdint>
#include <functional>
#include <string>

#include "SerialDevice.h"

constexpr char XON = 0x11;
constexpr char XOFF = 0x13;
constexpr char ACK = 0x06;
constexpr char NAK = 0x15;
constexpr char CR = 0x0D;
constexpr char LF = 0x0A;
constexpr char TAB = 0x09;

// Command text limit and reply line limit of the protocol.
constexpr int kMaxCommandLength = 252;
constexpr int kMaxReplyLength = 255;
constexpr int kReplyBufferSize = 256;

class TSerial {
 public:
  explicit TSerial(int index);
  ~TSerial();
  TSerial(const TSerial&) = delete;
  TSerial& operator=(const TSerial&) = delete;

  void SetPort(int index);
  bool Open();
  bool Setup(int mode, int baud, int byteSize, int parity, int stopBits);
  bool OpenConfigured(int baud, int byteSize, int parity, int stopBits);
  bool Close();
  bool IsOpen() const;
  // Why the last Open failed, when the reason is worth a log line of its own (the port is busy,
  // or the user may not use it); an empty text otherwise.
  const char* OpenProblem() const;

  // The caller's text is cut to 252 characters in place when longer.
  bool WriteLine(char* text);
  // buffer: at least 256 bytes; gets the reply line, NUL-terminated.
  bool ReadLine(char* buffer);
  bool WaitChar(char expected);
  bool SendCommand(char* text);
  // The last SendCommand or Transact failed because the instrument took the line and refused it
  // (NAK where ACK was awaited), not because it stayed silent.
  bool Refused() const { return refused_; }
  // buffer holds the query on entry and the reply line on return.
  bool Transact(char* buffer);

  // Binary transfers (instruments that move whole files over the line).
  // Open, then Setup in mode 2 (700 ms between bytes, 5 ms a byte plus 1000 ms a read).
  bool OpenLink(int baud, int byteSize, int parity, int stopBits);
  // One read of up to n bytes under the port's time-outs; a NUL follows the bytes read, so the
  // buffer holds n + 1 bytes. `progress` runs between waits of at most 50 ms. Returns the count.
  int ReadRaw(char* buffer, int n, const std::function<void()>& progress = {});
  // The handshake around n raw bytes: XON, the bytes as they are, XOFF, ACK.
  bool SendBlock(const char* buffer, int n);
  // The n bytes as they are, at once: no carriage return, no handshake (line tests of the meter).
  bool WriteRaw(const char* buffer, int n);
  // SendCommand, then ReadRaw of n bytes; 0 when the command failed.
  int AskRaw(char* command, char* buffer, int n, const std::function<void()>& progress = {});

  // Fields, in the system's order.
  int32_t portIndex = 0;
  char name[16] = {};
  cv::SerialHandle handle = cv::kInvalidSerialHandle;
  cv::LineState lineState{};
  uint32_t bytesWritten = 0;
  uint32_t bytesRead = 0;
  cv::CommTimeouts timeouts{};
  int32_t mode = 0;

  // Tests shorten every time-out by this factor (the mode tables keep their values).
  double timeScale = 1.0;

 private:
  std::string openProblem_;
  bool refused_ = false;
};

// The time-outs of a mode (1 detection, 2, anything else the tools' mode).
cv::CommTimeouts TimeoutsForMode(int mode);
// The device name of a port index (0 = "COM1"; index 1 and any index outside 0..11 give "COM2").
const char* PortNameOf(int index);
