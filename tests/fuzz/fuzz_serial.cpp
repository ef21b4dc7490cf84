// The port's own reading: TSerial's ReadLine, WaitChar and ReadRaw over whatever bytes a line
// brings. Input: a first line of steps, then the bytes the line brings (a plain file stands for
// the line: it never waits, and at its end every read comes back empty). Steps: 'L' ReadLine,
// 'X' 'F' 'A' 'N' WaitChar for XON, XOFF, ACK, NAK, 'R' followed by digits ReadRaw of that many
// bytes. Each step takes exactly the bytes it promises to and gives them back as it promises.
#include <cctype>

#include "FuzzSupport.h"
#include "PortMap.h"
#include "Serial.h"

namespace {

struct Model {
  std::string line;
  size_t at = 0;
  bool End() const { return at >= line.size(); }
  char Take() { return line[at++]; }
};

void ReadLineStep(TSerial& port, Model& m) {
  char buffer[kReplyBufferSize + 8];
  std::memset(buffer, 0x55, sizeof buffer);
  const bool ended = port.ReadLine(buffer);
  // The reply as the protocol gives it: up to CR or LF (not kept), at most 255 bytes received,
  // NULs left out and other control bytes shown as blanks; cut short by the line's end.
  std::string expected;
  int received = 0;
  bool expectedEnded = false;
  while (!m.End()) {
    const char c = m.Take();
    if (received >= kMaxReplyLength || c == CR || c == LF) {
      expectedEnded = true;
      break;
    }
    ++received;
    if (c == '\0') continue;
    const auto u = static_cast<unsigned char>(c);
    expected.push_back(u < 32 || u == 127 ? ' ' : c);
  }
  FUZZ_CHECK(ended == expectedEnded);
  FUZZ_CHECK(std::memchr(buffer, '\0', kReplyBufferSize) != nullptr);
  FUZZ_CHECK(std::string(buffer) == expected);
}

void WaitCharStep(TSerial& port, Model& m, char wanted) {
  const bool found = port.WaitChar(wanted);
  bool expected = false;
  while (!m.End()) {
    const char c = m.Take();
    if (c == wanted) {
      expected = true;
      break;
    }
    if (wanted == ACK) break;  // anything else instead of ACK is a refusal
  }
  FUZZ_CHECK(found == expected);
}

void ReadRawStep(TSerial& port, Model& m, int n) {
  std::vector<char> buffer(static_cast<size_t>(n) + 1, '\x55');
  int progressCalls = 0;
  const int got = port.ReadRaw(buffer.data(), n, [&] { ++progressCalls; });
  const size_t expected = std::min(static_cast<size_t>(n), m.line.size() - m.at);
  FUZZ_CHECK(got == static_cast<int>(expected) && port.bytesRead == expected);
  FUZZ_CHECK(std::string(buffer.data(), expected) == m.line.substr(m.at, expected));
  FUZZ_CHECK(buffer[expected] == '\0');
  m.at += expected;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const auto text = cvfuzz::Text(data, size);
  const size_t lf = text.find('\n');
  const std::string steps = text.substr(0, lf);
  Model m;
  m.line = lf == std::string::npos ? std::string() : text.substr(lf + 1);
  cv::SetPortPaths({{1, cvfuzz::WriteScratch("line.dat", m.line)}});

  TSerial port(0);
  port.timeScale = 1e-6;  // the gathering pause of a long read scales with the time-outs
  if (!port.Open()) return 0;
  for (size_t i = 0; i < steps.size() && i < 64; ++i) {
    switch (steps[i]) {
      case 'L': ReadLineStep(port, m); break;
      case 'X': WaitCharStep(port, m, XON); break;
      case 'F': WaitCharStep(port, m, XOFF); break;
      case 'A': WaitCharStep(port, m, ACK); break;
      case 'N': WaitCharStep(port, m, NAK); break;
      case 'R': {
        int n = 0;
        while (i + 1 < steps.size() && std::isdigit(static_cast<unsigned char>(steps[i + 1])) && n < 100000)
          n = n * 10 + (steps[++i] - '0');
        ReadRawStep(port, m, n);
        break;
      }
      default: break;
    }
  }
  port.Close();
  return 0;
}
