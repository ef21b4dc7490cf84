// The CORVANE-4's configuration memory (identity texts, board blocks, CA text, rotary byte) and
// its logger's one time stamp without a comma.
#include "Corvane4Profile.h"

namespace cvsim {

void Corvane4Profile::SetBoard(int block, const std::string& name, const std::string& revision, unsigned status,
                               unsigned slot) {
  const unsigned at = kBoardTop - static_cast<unsigned>(block) * kBoardSize;
  SetRegisterText(at, name, 16);
  SetRegisterText(at + 16, revision, 8);
  registers[at + 24] = static_cast<unsigned char>(status >> 8);
  registers[at + 25] = static_cast<unsigned char>(status & 0xFF);
  registers[at + 26] = static_cast<unsigned char>(slot >> 8);
  registers[at + 27] = static_cast<unsigned char>(slot & 0xFF);
}

void Corvane4Profile::ClearBoards() {
  for (int block = 0; block < boardCount; ++block) {
    const unsigned at = kBoardTop - static_cast<unsigned>(block) * kBoardSize;
    for (unsigned i = 0; i < kBoardSize; ++i) registers[at + i] = 0xFF;
  }
}

void Corvane4Profile::AddSettings() {
  SetRegisterText(0x1F00, "CV4-0815", 16);
  SetRegisterText(0x1F10, "CORVANE-4", 16);
  SetRegisterText(0x1F20, "TESSARY INSTRUMENTS", 32);
  ClearBoards();
  SetBoard(0, "TER TUNER", "5-862", 0x0102, 0x0300);
  SetBoard(1, "SAT TUNER", "950-2150", 0x0100, 0x0400);
  SetBoard(7, "QPSK", "R2", 0x01FF, 0x0500);  // fitted, reported absent by its status
  SetBoard(13, "MPEG2", "1.4", 0x0101, 0x0700);
  SetRegisterText(0x1591, "CONAX", 31);
  registers[kRotary4] = 0x00;
  loggerTimeStamps[4] = "10:05:05";
}

}  // namespace cvsim
