// The DV-800's configuration memory (identity texts and board blocks on the CORVANE-3's map), its
// updated version and the logger values of every kind.
#include "Dv8Profile.h"

namespace cvsim {

void Dv8Profile::AddDv8Settings() {
  SetRegisterText(0x1000, "DV8-0311", 8);
  SetRegisterText(0x1010, "DV-800", 16);
  SetRegisterText(0x1020, "TESSARY INSTRUMENTS", 32);
  SetOptionBlock(0, "TER TUNER", "5-862 MHZ", 0x0100);
  SetOptionBlock(4, "MAINBOARD DV800", "REV B", 0x0201);
  SetOptionBlock(8, "QAM", "R1", 0x03FF);  // fitted, reported absent by its status
  SetOptionBlock(9, "COFDM", "2K/8K", 0x0402);
  registers[kRotaryAddress] = 0x00;
  updatedVersion = "2.60";

  loggerValues[{1, 1}] = {'<', '-', "1F4"};
  loggerValues[{4, 5}] = {'>', '+', "2A0"};
  loggerValues[{7, 9}] = {'E', '+', "000"};
  loggerValues[{16, 5}] = {'=', '-', "3A2"};
  On("*?DL", [this, plain = HandlerOf("*?DL")](const std::string& line) {
    const int m = ParseHex2(line, 4), t = ParseHex2(line, 6);
    if (line.size() != 8 || m != cofdmMemory || t < 1 || t > 99 || loggerDlOverride.count({m, t}) ||
        loggerValues.count({m, t}))
      return plain(line);
    return Answer::Reply("*DL=-" + BerDigits((m % 9 + 1) * 1.1e-6 * t));
  });
}

}  // namespace cvsim
