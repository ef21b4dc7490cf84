#include "PlenEquip.h"

#include <QDialog>
#include <cstring>

#include "Chanplandlgplen.h"
#include "Commandsplen.h"
#include "Identifierplen.h"
#include "Memdlgplen.h"
#include "MsgIds.h"
#include "Messages.h"
#include "Monidlg4.h"
#include "PlenDialect.h"
#include "PlenLogger.h"
#include "PlenOptions.h"
#include "Prompt.h"
#include "Serial.h"
#include "Specdlgplen.h"
#include "Mpegdialogplen.h"
#include "Updatedlg4.h"

namespace cv::plenar {

constinit const TEquipFamily kPlenarFamily = {
    TCvPlenEquip::kVersionText,
    &kCorvane4Ranges,
    25,
    ' ',
    true,
    &kCommandsPlen,
    msg::plenar::HelpFile,
    {"ChannelEditor", "Channels", "MemoryEditor", "Memories", "DataLogger", "Configuration", "Update", "Monitor",
     "Spectrum"},
    "STD",
    true,
};

TCvPlenEquip::TCvPlenEquip(QWidget* owner, TSerial* port) : TCv4Equip(owner, port) {}

TCvPlenEquip::~TCvPlenEquip() = default;

const char* TCvPlenEquip::InitEquip() {
  std::memset(modelName, 0, sizeof modelName);
  std::strncpy(modelName, "CORVANE-PLENAR", sizeof modelName - 1);
  return modelName;
}

const ScriptDialect& TCvPlenEquip::Dialect() const { return cv::plenar::Dialect(); }

std::unique_ptr<QDialog> TCvPlenEquip::MakeToolDialog(Tool tool) {
  switch (tool) {
    case Tool::ChannelEditor: return MakeChannelsPlanDlgPlen(owner, this);
    case Tool::Monitor: return cv::cv4::MakeMonitorDlg4(*this);
    case Tool::DataLogger: return MakeDataLoggerDlgPlen(GetOwner(), this);
    case Tool::Configuration: return MakeConfigurationDlgPlen(GetOwner(), this);
    case Tool::UpdateFirmware: return cv::cv4::MakeUpdateFirmDlg4(*this, MakeMpegDlgPlen);
    case Tool::MemoryEditor: return MakeMemoryDlgPlen(GetOwner(), this);
    case Tool::Spectrum: return MakeSpectrumDlgPlen(*this);
    default: return nullptr;
  }
}

std::unique_ptr<QDialog> TCvPlenEquip::MakeIdentifierDialog() { return std::make_unique<TIdentifierForm>(owner, this); }

// The monitor launcher's pattern, with the identifier's own fixed lines.
bool TCvPlenEquip::RunChannelIdentifier() {
  if (!port) {
    Log("Impossible to run Channel Identifier without equipment");
    return false;
  }
  if (!port->OpenConfigured(kToolBaud, 8, 0, 0)) {
    Log("Channel Identifier Error:Unable to open port");
    return false;
  }
  std::unique_ptr<QDialog> form = MakeIdentifierDialog();
  Log("Executing Channel Identifier");
  if (form) form->exec();
  form.reset();
  port->Close();
  Log("Channel Identifier closed. Ready");
  return true;
}

bool TCvPlenEquip::ReadInstalledOptions(TInstalledOptions& options) {
  if (!port) return false;
  SendCommand("*7205&");  // the access code; the query tells whether the meter listens
  char reply[256] = {};
  if (!Query("*?ID", reply)) {
    cv::ShowBox(cv::CurrentPrompter(), cv::Msg(cv::msg::cv3::EquipmentNotDetected),
                cv::Msg(msg::plenar::CommunicationError), cv::MsgIcon::Error);
    return false;
  }
  ParseOptionsReply(reply, options);
  return ReadVersion(options.version);
}

bool SplitTokens(const std::string& line, std::vector<std::string>& tokens) {
  tokens.clear();
  auto isFirstEnd = [](char c) { return c == ' ' || c == ',' || c == '\t' || c == '\n' || c == '\r' || c == '('; };
  auto isEnd = [&](char c) { return isFirstEnd(c) || c == ')'; };
  size_t i = 0;
  while (i < line.size() && tokens.size() < static_cast<size_t>(TCvPlenEquip::kMaxTokens)) {
    const bool first = tokens.empty();
    while (i < line.size() && (first ? isFirstEnd(line[i]) : isEnd(line[i]))) ++i;
    if (i >= line.size()) break;
    const size_t start = i;
    while (i < line.size() && !(first ? isFirstEnd(line[i]) : isEnd(line[i]))) ++i;
    tokens.push_back(line.substr(start, i - start));
  }
  return !tokens.empty();
}

bool TCvPlenEquip::WriteRaw(const std::string& text) {
  return port && port->IsOpen() && port->WriteRaw(text.data(), static_cast<int>(text.size()));
}

}  // namespace cv::plenar
