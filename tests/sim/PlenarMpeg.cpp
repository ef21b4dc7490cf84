// The CORVANE-PLENAR's DAB registers and line tests, as the analyser's DAB panel reaches them.
#include "PlenarProfile.h"

namespace cvsim {

void PlenarProfile::SetDab(bool locked, unsigned snr, unsigned qual, unsigned capture) {
  const unsigned char status[] = {static_cast<unsigned char>(locked ? 1 : 0), static_cast<unsigned char>(snr >> 8),
                                  static_cast<unsigned char>(snr), static_cast<unsigned char>(qual >> 8),
                                  static_cast<unsigned char>(qual)};
  for (unsigned i = 0; i < 5; ++i) registers[kDabStatus + i] = status[i];
  registers[kDabCapture] = static_cast<unsigned char>(capture >> 8);
  registers[kDabCapture + 1] = static_cast<unsigned char>(capture);
}

void PlenarProfile::AddDab() {
  SetDab(true, 0x0123, 0x0456, 0x0007);
  On("*?I21DA20005", [this](const std::string& line) {
    return line.size() == 12 ? Answer::Reply(RegisterReply(kDabStatus, 5)) : Answer::Nak();
  });
  On("*?I21DA30002", [this](const std::string& line) {
    return line.size() == 12 ? Answer::Reply(RegisterReply(kDabCapture, 2)) : Answer::Nak();
  });
  On("*I21DA18", [this](const std::string& line) {
    dabAudio = line.substr(8);
    ++dabAudioSelections;
    return Answer::Ok();
  });
  On("*RC0", [this](const std::string& line) { return TakeRawLine(line, {"*RC01", "*RC05"}); });
}

}  // namespace cvsim
