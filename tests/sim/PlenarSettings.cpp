// The CORVANE-PLENAR's configuration memory (second model text, 21 boards) and its logger's
// sixteen measurement types.
#include <cstdio>
#include <cstring>

#include "PlenarProfile.h"

namespace cvsim {

void PlenarProfile::AddPlenarSettings() {
  SetRegisterText(0x1F00, "CVP-4711", 16);
  SetRegisterText(0x1F10, "CORVANE-", 16);
  SetRegisterText(0x1F60, "PLENAR", 16);
  boardCount = kPlenarBoards;
  ClearBoards();
  SetBoard(0, "TER TUNER", "5-862", 0x0102, 0x0300);
  SetBoard(1, "SAT TUNER", "950-2150", 0x0100, 0x0400);
  SetBoard(13, "MPEG2", "1.4", 0x0101, 0x0700);
  SetBoard(20, "DAB", "B3", 0x0103, 0x0800);
  updatedVersion = "2.30";
}

void PlenarProfile::FitEveryBoard() {
  for (int block = 0; block < kPlenarBoards; ++block) {
    char name[24];  // room for any int: the name is never cut
    std::snprintf(name, sizeof name, "BOARD %02d", block);
    SetBoard(block, name, "R1", 0x0100 + static_cast<unsigned>(block), static_cast<unsigned>(block) << 8);
  }
  SetRegisterText(0x1591, "CONAX", 31);
}

void PlenarProfile::StoreLoggerTypes() {
  const int types = static_cast<int>(std::strlen(kMeasureTypes));
  for (LoggerMemory& m : loggerMemories) m.selected = false;
  for (int n = 1; n <= types; ++n) {
    const char type = kMeasureTypes[n - 1];
    const bool mantissa = std::strchr("4568E9", type) != nullptr;
    LoggerMemory& m = loggerMemories[n - 1];
    m.name = std::string("T") + type;
    m.band = type == '4' || type == '9' ? 'S' : 'T';
    m.units = (n + 3) % 4;  // 0 for the channel-state figure, shown in percent
    // The value generator reads the CORVANE-3's codes: 4 for a BER word, 0 for tenths.
    m.measure = mantissa ? 4 : 0;
    m.selected = true;
    std::string record = Cv4Record(n, m);
    record[22] = type;
    loggerSrOverride[n] = record;
    if (type == 'C')
      for (int tp = 1; tp <= 99; ++tp) {
        char digits[8];
        std::snprintf(digits, sizeof digits, "%03X", 40 + tp % 60);
        loggerValues[{n, tp}] = LoggerValue{'=', '+', digits};
      }
  }
}

}  // namespace cvsim
