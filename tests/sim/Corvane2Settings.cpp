// The CORVANE-2's configuration memory: its identity texts and board blocks on the CORVANE-3's
// map, without the rotary byte the DV-800 keeps, and the version a good update gives.
#include "Corvane2Profile.h"

namespace cvsim {

void Corvane2Profile::AddCorvane2Settings() {
  SetRegisterText(0x1000, "CV2-0264", 8);
  SetRegisterText(0x1010, "CORVANE-2", 16);
  SetRegisterText(0x1020, "TESSARY INSTRUMENTS", 32);
  for (unsigned i = 0; i < 13 * 28; ++i) registers[kOptionBase + i] = 0xFF;
  SetOptionBlock(0, "TER TUNER", "45-862", 0x0100);
  SetOptionBlock(1, "SAT TUNER", "900-2150", 0x0101);
  SetOptionBlock(4, "MAINBOARD CV2", "REV C", 0x0203);
  SetOptionBlock(7, "QPSK", "R2", 0x0501);
  SetOptionBlock(8, "QAM", "R1", 0x03FF);  // fitted, reported absent by its status
  SetOptionBlock(9, "COFDM", "2K/8K", 0x0402);
  registers.erase(kRotaryAddress);
  updatedVersion = "1.20";
}

}  // namespace cvsim
