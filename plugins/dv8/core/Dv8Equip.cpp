#include "Dv8Equip.h"

#include <QDialog>
#include <cstring>

#include "Chanplandlg.h"
#include "Commands8.h"
#include "Dv8Dialect.h"
#include "Dv8Logger.h"
#include "Dv8Options.h"
#include "Dv8PlanScript.h"
#include "Memdlg8.h"
#include "Dv8Monitor.h"
#include "Dv8Spectrum.h"
#include "MsgIds.h"
#include "Updatedlg4.h"

namespace cv::dv8 {

constinit const TEquipFamily kDv800Family = {
    TDV8Equip::kVersionText,
    &kDv800Ranges,
    24,
    ' ',
    true,
    &kCommands8,
    msg::dv8::HelpFile,
    {"ChannelEditor", "Channels", "MemoryEditor", "Memories", "DataLogger", "Configuration", "Update", "Monitor",
     "Spectrum"},
};

TDV8Equip::TDV8Equip(QWidget* owner, TSerial* port) : TCv3Equip(owner, port, DeferInit{}) {}

TDV8Equip::~TDV8Equip() = default;

const char* TDV8Equip::InitEquip() {
  std::memset(modelName, 0, sizeof modelName);
  std::strncpy(modelName, "DV-800", sizeof modelName - 1);
  return modelName;
}

const ScriptDialect& TDV8Equip::Dialect() const { return cv::dv8::Dialect(); }

bool TDV8Equip::TuneFrequency(float mhz, int milliseconds) {
  if (mhz >= Ranges().satelliteTuneMHz) return false;
  return TCv3Equip::TuneFrequency(mhz, milliseconds);
}

void TDV8Equip::ReadInstalledOptions(InstalledOptions& options) {
  static constexpr uint8_t kFixed[InstalledOptions::kFlags] = {0, 0, 0, 0, 0, 0, 0, 0, 1, 0, 1, 1, 0};
  std::memcpy(options.flags, kFixed, sizeof kFixed);
}

void TDV8Equip::ShowTool(Tool tool) {
  std::unique_ptr<QDialog> dialog = MakeToolDialog(tool);
  LogPendingStart();
  if (dialog) dialog->exec();
}

std::unique_ptr<QDialog> TDV8Equip::MakeToolDialog(Tool tool) {
  switch (tool) {
    case Tool::ChannelEditor: return std::make_unique<TChannelsPlanDlg>(GetOwner(), this, Dv8PlanFamily());
    case Tool::MemoryEditor: return MakeMemoryDlg8(GetOwner(), this);
    case Tool::Spectrum: return MakeDv8SpectrumDlg(*this);
    case Tool::Monitor: return MakeDv8MonitorDlg(*this);
    case Tool::DataLogger: return MakeDataLoggerDlg8(GetOwner(), this);
    case Tool::Configuration: return MakeConfigurationDlg8(GetOwner(), this);
    case Tool::UpdateFirmware: return cv::cv4::MakeUpdateFirmDlgNoAnalyzer(*this);
    default: return nullptr;
  }
}

}  // namespace cv::dv8
