#pragma once
// Serial devices over termios. The port object above this layer was written against a driver
// with a line-settings record, a read time-out record and single-byte reads; this layer gives
// it exactly that on Linux.
//
// The device is always raw: no software flow control (XON, XOFF reach the program as bytes, and
// the protocol depends on seeing them), no CR/NL translation either way, no echo. Reads never
// block in the kernel (VMIN=0, VTIME=0); every wait is a ppoll() against a monotonic deadline
// computed from the time-out record, so nothing busy-waits and every read is bounded.
#include <termios.h>

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

namespace cv {

struct SerialPort;  // the open device: descriptor, path, read time-outs
using SerialHandle = SerialPort*;
inline constexpr SerialHandle kInvalidSerialHandle = nullptr;

constexpr uint32_t kMaxDword = 0xFFFFFFFFu;

// The line settings record: the four fields the port object sets, plus the whole termios record
// so that every other setting survives a read-modify-write.
struct LineState {
  uint32_t baud = 0;
  uint8_t byteSize = 8;
  uint8_t parity = 0;    // 0 none, 1 odd, 2 even (3 mark and 4 space are refused)
  uint8_t stopBits = 0;  // 0 one stop bit, 1 one and a half (refused), 2 two stop bits
  termios tio{};
};

// Read time-outs in milliseconds, with the classic meaning:
//  - interval = multiplier = kMaxDword, 0 < constant < kMaxDword: return at once with whatever
//    is waiting; with nothing waiting, return as soon as one byte arrives or after `constant`.
//  - interval = kMaxDword, multiplier = constant = 0: return at once with whatever is waiting.
//  - otherwise: the whole read may take multiplier * count + constant (0 = no total bound), and
//    `interval` (0 = unused) bounds the gap between two bytes once the first has arrived.
// A record with no bound at all is not honoured as "wait for ever": such a read is bounded by
// kUnboundedReadCapMs, so a port whose time-outs were never set cannot hang its caller.
// Write time-outs are kept for completeness; 0 means no write time-out.
struct CommTimeouts {
  uint32_t readInterval = 0;
  uint32_t readMultiplier = 0;
  uint32_t readConstant = 0;
  uint32_t writeMultiplier = 0;
  uint32_t writeConstant = 0;
};
constexpr uint32_t kUnboundedReadCapMs = 2000;

enum class SerialOpenError { None, NotFound, Busy, Permission, Other };

// Opens the device that `name` ("COM3", "\\.\COM10") maps to (PortMap.h) for reading and writing,
// exclusively: TIOCEXCL keeps other programs out, and an flock() does the same for processes
// running as root, which TIOCEXCL does not stop. A device that is not a terminal (a file, used by
// tests) opens too; its line-state calls then fail. The device starts raw, with a bounded read
// time-out. On failure returns kInvalidSerialHandle and says why in `error` (may be null).
SerialHandle SerialOpen(const char* name, SerialOpenError* error = nullptr, std::string* path = nullptr);
// Opens a path directly (no port name mapping).
SerialHandle SerialOpenPath(const std::string& path, SerialOpenError* error = nullptr);
bool SerialClose(SerialHandle h);

bool SerialGetLineState(SerialHandle h, LineState& state);
// Writes the four fields into state.tio (raw mode forced) and applies it; the baud rate may be any
// rate the device takes (LineSpeed.h). A rate the device does not hold, or an unsupported parity
// or stop-bit code, is refused (false).
bool SerialSetLineState(SerialHandle h, const LineState& state);
// `scale` shortens every time-out (tests); the markers 0 and kMaxDword keep their meaning.
bool SerialSetTimeouts(SerialHandle h, const CommTimeouts& timeouts, double scale = 1.0);

// A pseudo-terminal has no modem lines: a refusal of these calls by such a device counts as
// success, so the same code runs against real ports and the simulator.
bool SerialSetDtr(SerialHandle h, bool on);
bool SerialSetRts(SerialHandle h, bool on);
bool SerialPurgeTx(SerialHandle h);
// Drops every byte received and not yet read, those the device holds and those already taken
// from it (short reads are served from a read-ahead of what the device had).
bool SerialPurgeRx(SerialHandle h);

// Writes all `count` bytes (no write time-out, but a hung-up device fails the write).
bool SerialWrite(SerialHandle h, const void* data, size_t count, uint32_t* written);
// Reads up to `count` bytes under the time-out record. False when the read call fails
// (device gone, hang-up); a read that times out is true with *read = 0.
// With `progress`, the read waits in slices of at most kProgressSliceMs and calls it at least
// that often, bytes flowing or not (a long transfer lets the window repaint); the deadlines of
// the time-out record are unchanged.
constexpr int kProgressSliceMs = 50;
bool SerialRead(SerialHandle h, void* data, size_t count, uint32_t* read,
                const std::function<void()>& progress = {});

// Waits at most `ms` milliseconds (0: only looks) until the open device has bytes to read, or
// has hung up or failed, so that the caller's next SerialRead returns at once either way. False
// on time-out or for a closed handle. Nothing is read.
bool SerialWaitReadable(SerialHandle h, int ms);

const std::string& SerialPath(SerialHandle h);

}  // namespace cv
