// The CORVANE-PLENAR measurement memories: 99 XSR records of the sixteen measure codes.
#include <cstdio>

#include "Pll.h"
#include "PlenarProfile.h"

namespace cvsim {

namespace {

char Family(char meas) {
  switch (meas) {
    case '9': case 'A': return '4';
    case 'B': return '5';
    case 'C': case 'D': case 'E': return '6';
    case 'F': return '8';
    default: return meas;
  }
}

std::string Hex(unsigned value, int digits) {
  char text[16];
  std::snprintf(text, sizeof text, "%0*x", digits, value);
  return text;
}

}  // namespace

std::string PlenarProfile::XsrRecord(int n) {
  const char meas = "0123456789ABCDEF"[(n - 1) % 16];
  const char fam = Family(meas);
  const bool digital = fam == '4' || fam == '5' || fam == '6' || fam == '8';
  // QPSK measures the satellite band; V/A, QAM, COFDM and DAB the terrestrial one; the others
  // take turns.
  const char band = fam == '4' ? 'S' : (digital || fam == '1' || n % 2) ? 'T' : 'S';
  const bool sat = band == 'S';
  const double mhz = fam == '8' ? 222.05 : sat ? 1000.0 + 5 * n : 100.0 + n;
  std::string r = "*XSR" + Hex(static_cast<unsigned>(n), 2) + "M" + Hex(static_cast<unsigned>(n), 3).substr(0, 3);
  r += band;
  r += fam == '4' || fam == '5' ? "12"[n % 2] : fam == '6' ? "04"[n % 2] : digital ? '6' : sat ? '7' : '0';
  r += Hex(cv::PllWord(band, mhz), 4);
  r += "01"[n % 2];
  r += Hex(static_cast<unsigned>(n % 64), 2) + Hex(static_cast<unsigned>(n % 50), 2);
  r += digital ? '0' : "0123"[n % 4];
  r += sat ? "01234567"[n % 8] : '0';
  r += meas;
  r += digital ? '3' : '0';
  if (fam == '4') r += std::string("0") + "012345678"[n % 9] + Hex(27500, 4);
  else if (fam == '5') r += std::string("0") + "01234"[n % 5] + Hex(6875, 4);
  else if (fam == '6') r += std::string("0") + "01234"[n % 5] + "000" + "12"[n % 2];
  else if (fam == '8') r += "120000";
  else r += std::string(sat ? "0E" : "06") + "0000";
  r += Hex(800, 4) + Hex(97500, 5);
  unsigned cn = sat ? (1500u | 0x8000u) : 655u;
  if (meas == '7') cn = sat ? (cv::PllWord('S', 1200.0) | 0x8000u) : cv::PllWord('T', 500.0);
  r += Hex(cn, 4);
  r += sat ? "0123"[n % 4] : 'f';
  return r;
}

void PlenarProfile::AddMemories() {
  for (int n = 1; n <= 99; ++n) xsrMemories[n - 1] = XsrRecord(n);
  // The data logger still reads its records by "*?SR"; the memory editor only writes XSR ones.
  Remove("*SR");
  On("*?XSR", [this](const std::string& line) {
    const int n = ParseHex2(line, 5);
    if (line.size() != 7 || n < 1 || n > 99 || n == unansweredFor) return Answer::Nak();
    std::string reply = xsrMemories[n - 1];
    if (n == shortReplyFor) reply.pop_back();
    return Answer::Reply(reply);
  });
  On("*XSR", [this](const std::string& line) {
    const int n = ParseHex2(line, 4);
    if (line.size() != 45 || n < 1 || n > 99 || n == refusedMemory) return Answer::Nak();
    xsrMemories[n - 1] = line;
    return Answer::Ok();
  });
}

}  // namespace cvsim
