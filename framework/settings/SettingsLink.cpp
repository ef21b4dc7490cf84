#include "SettingsLink.h"

#include <cctype>

#include "Cv3Equip.h"
#include "Serial.h"

namespace cv::settings {

Link EquipLink(TCv3Equip* equipment) {
  Link link;
  link.send = [equipment](const std::string& command) { return equipment->SendCommand(command.c_str()); };
  link.query = [equipment](const std::string& command, std::string& reply) {
    char buffer[kReplyBufferSize];
    const bool ok = equipment->Query(command.c_str(), buffer);
    reply = buffer;
    return ok;
  };
  link.tune = [equipment](float mhz, int ms) { return equipment->TuneFrequency(mhz, ms); };
  link.log = [equipment](const std::string& line) { equipment->Log(line); };
  link.refused = [equipment] { return equipment->port && equipment->port->Refused(); };
  link.wait = [equipment](int ms) { equipment->Wait(ms); };
  link.reopen = [equipment] { return equipment->ReopenPort(); };
  link.modelVariant = equipment->GetModelVariant();
  link.txErrors = &equipment->monitorTxErrors;
  link.txWarnings = &equipment->monitorTxWarnings;
  return link;
}

std::string Upper(std::string text) {
  for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return text;
}

std::string Cut(const std::string& text, size_t length) { return text.size() > length ? text.substr(0, length) : text; }

}  // namespace cv::settings
