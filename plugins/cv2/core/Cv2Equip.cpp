#include "Cv2Equip.h"

#include <QDialog>
#include <cstdio>
#include <cstring>

#include "Commands2.h"
#include "Cv2Dialect.h"
#include "Cv2Options.h"
#include "Cv2Update.h"
#include "Memdlg2.h"
#include "Chanplandlg2.h"
#include "Cv2Monitor.h"
#include "Cv2Spectrum.h"
#include "Messages.h"
#include "MsgIds.h"
#include "OptionWord.h"
#include "Prompt.h"

namespace cv::cv2 {

constinit const TEquipFamily kCorvane2Family = {
    TCv2Equip::kVersionText,
    &kCorvane2Ranges,
    24,
    ' ',
    true,
    &kCommands2,
    msg::cv2::HelpFile,
    {"Channel Editor", "Channels", "MemoryEditor", "Memories", "DataLogger", "Configuration", "Update", "Monitor",
     "Spectrum"},
};

std::string MeasureCommand(int position) {
  char command[16];
  std::snprintf(command, sizeof command, "*ME%d", measureCodes[position >= 0 && position < 7 ? position : 0]);
  return command;
}

std::string StandardCommand(int position) {
  char command[16];
  std::snprintf(command, sizeof command, "*SY%02d", standardCodes[position >= 0 && position < 5 ? position : 0]);
  return command;
}

char SoundCodeChar(int code) {
  if (code >= 0 && code <= 9) return static_cast<char>('0' + code);
  if (code >= 10 && code <= 17) return static_cast<char>('A' + code - 10);
  return '0';
}

bool ParseInstalledOptions(std::string_view reply, InstalledOptions& options) {
  static constexpr int kBits[InstalledOptions::kFlags] = {20, 19, 18, 17, 16, 8, 7, 6, 5, 4, 2, 1, 0};
  uint32_t word = 0;
  const bool read = ReadOptionWord(reply, word);
  for (int flag = 0; flag < InstalledOptions::kFlags; ++flag)
    options.flags[flag] = static_cast<uint8_t>((word >> kBits[flag]) & 1u);
  return read;
}

TCv2Equip::TCv2Equip(QWidget* owner, TSerial* port) : TCv3Equip(owner, port, DeferInit{}) {}

TCv2Equip::~TCv2Equip() = default;

const char* TCv2Equip::InitEquip() {
  std::memset(modelName, 0, sizeof modelName);
  std::strncpy(modelName, "CORVANE-2", sizeof modelName - 1);
  return modelName;
}

const ScriptDialect& TCv2Equip::Dialect() const { return cv::cv2::Dialect(); }

bool TCv2Equip::ReadInstalledOptions(InstalledOptions& options) {
  if (!port) return false;
  SendCommand("*7205&");  // the access code; the query tells whether the meter listens
  char reply[256] = {};
  if (!Query("*?ID", reply)) {
    cv::ShowBox(cv::CurrentPrompter(), cv::Msg(cv::msg::cv3::EquipmentNotDetected), cv::Msg(cv::msg::cv3::ErrorCaption),
                cv::MsgIcon::Warning);
    return false;
  }
  ParseInstalledOptions(reply, options);
  return true;
}

void TCv2Equip::ShowTool(Tool tool) {
  std::unique_ptr<QDialog> dialog = MakeToolDialog(tool);
  LogPendingStart();
  if (dialog) dialog->exec();
}

std::unique_ptr<QDialog> TCv2Equip::MakeToolDialog(Tool tool) {
  switch (tool) {
    case Tool::Configuration: return MakeConfigurationDlg2(GetOwner(), this);
    case Tool::UpdateFirmware: return MakeUpdateFirmDlg2(*this);
    case Tool::MemoryEditor: return MakeMemoryDlg2(GetOwner(), this);
    case Tool::ChannelEditor: return MakeChannelsPlanDlg2(GetOwner(), this);
    case Tool::Spectrum: return MakeCv2SpectrumDlg(*this);
    case Tool::Monitor: return MakeCv2MonitorDlg(*this);
    default: return nullptr;
  }
}

}  // namespace cv::cv2
