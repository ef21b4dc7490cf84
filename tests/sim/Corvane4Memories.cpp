// The CORVANE-4 measurement memories: the CORVANE-3's one store (editor and data logger), each
// memory kept as its 43-character SR record and answered in either form.
#include <cstdio>

#include "Corvane4Profile.h"

namespace cvsim {

namespace {

bool Ber(char meas) { return meas >= '4' && meas <= '6'; }

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

}  // namespace

std::string Corvane4Profile::Cv4Record(int n, const LoggerMemory& m) {
  // The CORVANE-3's record, with what this family lays out otherwise: spectral inversion '1' or
  // '2', a BER COFDM record keeping its field ("000" and the spectral inversion), and the DiSEqC
  // setting at the end ('f' on terrestrial memories).
  std::string r = LoggerRecord(n, m);
  const char meas = r[22];
  if (meas == '4' || meas == '5') r[10] = "12"[n % 2];
  if (meas == '6') r.insert(25, std::string("000") + "12"[n % 2]);
  r += m.band == 'S' ? "0123"[n % 4] : 'f';
  return r;
}

std::string Corvane4Profile::ToXsr(const std::string& sr) {
  if (sr.size() != 43) return sr;
  const char meas = sr[22];
  const char setting = sr[24];
  std::string digits = "0" + std::string(1, setting);
  if (!Ber(meas)) {
    const int v = setting <= '9' ? setting - '0' : setting - 'A' + 10;
    char text[8];
    std::snprintf(text, sizeof text, "%02X", static_cast<unsigned>(v));
    digits = text;
  }
  return "*X" + sr.substr(1, 23) + digits + sr.substr(25);
}

std::string Corvane4Profile::FromXsr(const std::string& xsr) {
  if (xsr.size() != 45) return xsr;
  const char meas = xsr[23];
  char setting = xsr[26];
  if (!Ber(meas)) {
    const int v = HexValue(xsr[25]) * 16 + HexValue(xsr[26]);
    setting = static_cast<char>(v <= 9 ? '0' + v : 'A' + v - 10);
  }
  return "*" + xsr.substr(2, 23) + setting + xsr.substr(27);
}

std::string Corvane4Profile::Cv4MemoryReply(int n) const {
  auto it = loggerSrOverride.find(n);
  return it != loggerSrOverride.end() ? it->second : Cv4Record(n, loggerMemories[n - 1]);
}

void Corvane4Profile::AddMemoryCommands() {
  auto query = [this](const std::string& line, size_t at, bool xsr) {
    const int n = ParseHex2(line, at);
    if (line.size() != at + 2 || n < 1 || n > static_cast<int>(loggerMemories.size()) || n == unansweredFor)
      return Answer::Nak();
    std::string reply = xsr ? ToXsr(Cv4MemoryReply(n)) : Cv4MemoryReply(n);
    if (n == shortReplyFor) reply.pop_back();
    return Answer::Reply(reply);
  };
  On("*?SR", [query](const std::string& line) { return query(line, 4, false); });
  On("*?XSR", [query](const std::string& line) { return query(line, 5, true); });
  auto store = [this](const std::string& line, size_t length, bool xsr) {
    const int n = ParseHex2(line, xsr ? 4 : 3);
    if (line.size() != length || n < 1 || n > static_cast<int>(loggerMemories.size()) || n == refusedMemory)
      return Answer::Nak();
    loggerSrOverride[n] = xsr ? FromXsr(line) : line;
    return Answer::Ok();
  };
  On("*SR", [store](const std::string& line) { return store(line, 43, false); });
  On("*XSR", [store](const std::string& line) { return store(line, 45, true); });
}

}  // namespace cvsim
