#include "Corvane4Profile.h"

#include <cstdlib>

namespace cvsim {

namespace {

bool LowerHexWord(const std::string& digits, unsigned& word) {
  if (digits.size() != 4) return false;
  for (char c : digits)
    if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'))) return false;
  word = static_cast<unsigned>(std::strtoul(digits.c_str(), nullptr, 16));
  return true;
}

}  // namespace

Corvane4Profile::Corvane4Profile(std::string model, std::string version)
    : Corvane3Profile(std::move(model), std::move(version)) {
  Remove("*?I20A0106A002");
  AddMemoryCommands();
  updatedVersion = "2.10";
  Remove("*MF0F");
  Remove("*MF1F");
  AddSpectrumFilterCommands(*this, "*MF6F", "*MF7F");
  carriers = {{471.25, 72.0, 3.0}, {607.25, 65.0, 3.0}, {855.0, 68.0, 3.0},  {905.0, 63.0, 3.0},
              {1175.0, 70.0, 3.0}, {1190.0, 66.0, 3.0}, {1200.0, 75.0, 15.0}, {1750.0, 62.0, 15.0}};
  On("*FR", [this](const std::string& line) {
    unsigned word = 0;
    if (line.size() != 8 || (line[3] != 'T' && line[3] != 'S') || !LowerHexWord(line.substr(4), word))
      return Answer::Nak();
    tunedMHz = line[3] == 'T' ? word / 20.0 - 38.9 : word / 8.0 - 479.5;
    lastTuning = line;
    ++tuneCount;
    return Answer::Ok();
  });
  AddCorvane4PlanMemory(*this);
  AddCorvane4Canalization(*this);
  AddSettings();
  AddMpegDecoder();
}

}  // namespace cvsim
