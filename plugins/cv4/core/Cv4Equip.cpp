#include "Cv4Equip.h"

#include <QDialog>
#include <cstring>

#include "Chanplandlg.h"
#include "Commands4.h"
#include "Memdlg4.h"
#include "Monidlg4.h"
#include "Cv4Dialect.h"
#include "Cv4Logger.h"
#include "Cv4Options.h"
#include "Cv4PlanFamily.h"
#include "MsgIds.h"
#include "Specdlg4.h"
#include "Updatedlg4.h"

namespace cv::cv4 {

constinit const TEquipFamily kCorvane4Family = {
    TCv4Equip::kVersionText,
    &kCorvane4Ranges,
    25,
    ' ',
    true,
    &kCommands4,
    msg::cv4::HelpFile,
    {"ChannelEditor", "Channels", "MemoryEditor", "Memories", "DataLogger", "Configuration", "Update", "Monitor",
     "Spectrum"},
};

TCv4Equip::TCv4Equip(QWidget* owner, TSerial* port) : TCv3Equip(owner, port, DeferInit{}) {}

TCv4Equip::~TCv4Equip() = default;

const char* TCv4Equip::InitEquip() {
  std::memset(modelName, 0, sizeof modelName);
  std::strncpy(modelName, "CORVANE-4", sizeof modelName - 1);
  return modelName;
}

void TCv4Equip::ShowTool(Tool tool) {
  std::unique_ptr<QDialog> dialog = MakeToolDialog(tool);
  LogPendingStart();
  if (dialog) dialog->exec();
}

const ScriptDialect& TCv4Equip::Dialect() const { return cv::cv4::Dialect(); }

std::unique_ptr<QDialog> TCv4Equip::MakeToolDialog(Tool tool) {
  switch (tool) {
    case Tool::ChannelEditor: return std::make_unique<TChannelsPlanDlg>(owner, this, Cv4PlanFamily());
    case Tool::MemoryEditor: return MakeMemoryDlg(GetOwner(), this);
    case Tool::Monitor: return MakeMonitorDlg4(*this);
    case Tool::Spectrum: return MakeSpectrumDlg4(*this);
    case Tool::DataLogger: return MakeDataLoggerDlg4(GetOwner(), this);
    case Tool::Configuration: return MakeConfigurationDlg4(GetOwner(), this);
    case Tool::UpdateFirmware: return MakeUpdateFirmDlg4(*this);
    default: return nullptr;
  }
}

}  // namespace cv::cv4
