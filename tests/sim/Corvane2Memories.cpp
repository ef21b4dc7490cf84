// The CORVANE-2 measurement memories: the DV-800's store and "*SR" with memories of both bands and
// the meter's seven measure types, and the faults a test asks for.
#include <cstdio>

#include "Corvane2Profile.h"

namespace cvsim {

Corvane3Profile::LoggerMemory Corvane2Profile::Cv2DefaultMemory(int n) {
  static constexpr int kMeasures[] = {0, 1, 2, 3, 4, 6, 7};
  LoggerMemory m = DefaultLoggerMemory(n);
  m.measure = kMeasures[(n - 1) % 7];
  const bool ber = m.measure == 4 || m.measure == 6;
  m.band = m.measure == 4 ? 'S' : m.measure == 6 ? 'T' : n % 5 == 0 ? 'S' : 'T';
  m.units = ber ? 0 : (n / 8) % 4;
  const double mhz = m.band == 'S' ? 950.0 + n * 10.0 : 45.25 + n * 8.0;
  m.word = static_cast<unsigned>(m.band == 'S' ? (mhz + 479.5) * 8.0 + 0.5 : (mhz + 38.9) * 20.0 + 0.5);
  return m;
}

std::string Corvane2Profile::Cv2MemoryReply(int n) const {
  std::string reply = Dv8MemoryReply(n);
  if (n == below45Memory && reply.size() >= 15) {
    reply[9] = 'T';
    reply.replace(11, 4, "0672");
  }
  if (n == cnTopBitMemory && reply.size() >= 38) {
    // The word's first digit is the last four but three.
    char& digit = reply[reply.size() - 4];
    const int value = digit >= 'a' ? digit - 'a' + 10 : digit >= 'A' ? digit - 'A' + 10 : digit - '0';
    digit = "0123456789abcdef"[(value | 8) & 0xF];
  }
  if (n == shortReplyFor) reply.resize(37);
  return reply;
}

void Corvane2Profile::AddCv2Memories() {
  for (int n = 1; n <= static_cast<int>(loggerMemories.size()); ++n) loggerMemories[n - 1] = Cv2DefaultMemory(n);
  On("*?SR", [this](const std::string& line) {
    const int n = ParseHex2(line, 4);
    if (line.size() != 6 || n < 1 || n > static_cast<int>(loggerMemories.size()) || n == unansweredFor)
      return Answer::Nak();
    return Answer::Reply(Cv2MemoryReply(n));
  });
}

}  // namespace cvsim
