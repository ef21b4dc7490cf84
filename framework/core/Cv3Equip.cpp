#include "Cv3Equip.h"

#include <QDir>
#include <QWidget>
#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstring>

#include "Chan3.h"
#include "Chanplandlg.h"
#include "Configdlg.h"
#include "Datalogdlg.h"
#include "Memdlg.h"
#include "Monidlg.h"
#include "NumFormat.h"
#include "Specdlg.h"
#include "Messages.h"
#include "MsgIds.h"
#include "Pll.h"
#include "ScriptDialect.h"
#include "PluginHelp.h"
#include "Serial.h"
#include "Updatedlg.h"

namespace msg = cv::msg::cv3;

namespace {

// Copies at most size-1 characters and always terminates.
void CopyText(char* dest, const char* src, size_t size) {
  size_t n = strnlen(src, size - 1);
  std::memcpy(dest, src, n);
  dest[n] = '\0';
}

}  // namespace

TCv3Equip::TCv3Equip(QWidget* owner, TSerial* port) : TEquip(owner, port), owner(owner) {
  InitEquip();
  startDir = QDir::currentPath().toLocal8Bit().toStdString();
}

TCv3Equip::TCv3Equip(QWidget* owner, TSerial* port, DeferInit) : TEquip(owner, port), owner(owner) {}

constinit const TEquipFamily kCorvane3Family = {
    TCv3Equip::GetVersionText(),
    &cv::kCorvane3Ranges,
    TCv3Equip::kFieldCount,
    'V',
    false,
    &kCv3CommandTable,
    0,
    {"channel-editor", "Channels", "MemoryEditor", "Memories", "DataLogger", "Configuration", "Update", "Monitor",
     "Spectrum"},
};

std::string TCv3Equip::HelpFile() const {
  return Family().helpFileId ? cv::Msg(Family().helpFileId) : std::string(kPluginHelpFile);
}

void TCv3Equip::FinishBuild() {
  InitEquip();
  Script();
  startDir = QDir::currentPath().toLocal8Bit().toStdString();
}

TCv3Equip::~TCv3Equip() = default;

const char* TCv3Equip::InitEquip() {
  bool terrestrial = false;
  if (port && port->OpenConfigured(kToolBaud, 8, 0, 0)) {
    char buffer[kReplyBufferSize] = "*";
    port->Transact(buffer);  // wakes the instrument; whatever it answers is of no use
    if (!SendCommand("*7205&")) {
      Log(cv::Msg(msg::ProtectedModeError));
    } else {
      char reply[kReplyBufferSize];
      if (!Query("*?I20A0106A002", reply)) {
        Log(cv::Msg(msg::TunerTxError));
      } else {
        Log(cv::Msg(msg::CheckingTuners));
        std::string answer(reply);
        if (answer.size() > 7) answer.resize(7);
        for (char& c : answer) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        if (answer.compare(0, 3, "*I2") != 0) {
          Log(cv::Msg(msg::TunerBadAnswer));
          Log(answer);
        } else if (answer.size() >= 7 && answer.compare(5, 2, "FF") == 0) {
          // No terrestrial tuner fitted.
        } else if (answer.size() >= 5 && answer.compare(3, 2, "01") == 0) {
          terrestrial = true;
        } else {
          Log(cv::Msg(msg::TunerUnknown));
        }
      }
    }
    port->Close();
  }
  modelVariant = terrestrial ? 5 : 4;
  CopyText(modelName, "CORVANE-3", sizeof modelName);
  return modelName;
}

// ---------------------------------------------------------------------------------------------
// Tool launchers

bool TCv3Equip::RunEditorTool(int startId, int closedId, int portErrorId, int offlineId,
                              Tool tool) {
  if (!port) {
    Log(cv::Msg(offlineId));
    ShowTool(tool);
    Log(cv::Msg(closedId));
    return true;
  }
  if (!port->OpenConfigured(kToolBaud, 8, 0, 0)) {
    Log(cv::Msg(portErrorId));
    return false;
  }
  Log(cv::Msg(startId));
  ShowTool(tool);
  Log(cv::Msg(closedId));
  port->Close();
  return true;
}

bool TCv3Equip::RunPortTool(int startId, int closedId, int portErrorId, int refusedId,
                            Tool tool) {
  if (!port) {
    Log(cv::Msg(refusedId));
    return false;
  }
  if (!port->OpenConfigured(kToolBaud, 8, 0, 0)) {
    Log(cv::Msg(portErrorId));
    return false;
  }
  if (Family().startLineAfterDialog)
    pendingStartId = startId;
  else
    Log(cv::Msg(startId));
  ShowTool(tool);
  LogPendingStart();
  port->Close();
  if (closedId) Log(cv::Msg(closedId));
  return true;
}

void TCv3Equip::LogPendingStart() {
  if (pendingStartId) Log(cv::Msg(pendingStartId));
  pendingStartId = 0;
}

void TCv3Equip::ShowTool(Tool tool) {
  switch (tool) {
    case Tool::ChannelEditor: {
      TChannelsPlanDlg dialog(owner, this);
      dialog.exec();
      break;
    }
    case Tool::MemoryEditor: {
      TMemoryDlg dialog(owner, this);
      dialog.exec();
      break;
    }
    case Tool::DataLogger: {
      TDataLoggerDlg dialog(owner, this);
      dialog.exec();
      break;
    }
    case Tool::Monitor: {
      TMonitorDlg dialog(owner, this);
      dialog.exec();
      break;
    }
    case Tool::Spectrum: {
      TSpectrumDlg dlg(owner, this);
      dlg.exec();
      break;
    }
    case Tool::Configuration: {
      TConfigurationDlg dialog(owner, this);
      dialog.exec();
      break;
    }
    case Tool::UpdateFirmware: {
      TUpdateFirmDlg dialog(owner, this);
      dialog.exec();
      break;
    }
  }
}

bool TCv3Equip::RunChannelEditor() {
  return RunEditorTool(msg::ChannelEditorStart, msg::ChannelEditorClosed, msg::ChannelEditorPortError,
                       msg::ChannelEditorOffline, Tool::ChannelEditor);
}

bool TCv3Equip::RunMemoryEditor() {
  return RunEditorTool(msg::MemoryEditorStart, msg::MemoryEditorClosed, msg::MemoryEditorPortError,
                       msg::MemoryEditorOffline, Tool::MemoryEditor);
}

bool TCv3Equip::RunDataLogger() {
  // The data logger logs no closing line of its own.
  return RunPortTool(msg::DataLoggerStart, 0, msg::DataLoggerPortError, msg::DataLoggerRefused, Tool::DataLogger);
}

bool TCv3Equip::RunMonitor() {
  return RunPortTool(msg::MonitorStart, msg::MonitorClosed, msg::MonitorPortError, msg::MonitorRefused, Tool::Monitor);
}

bool TCv3Equip::RunSpectrum() {
  return RunPortTool(msg::SpectrumStart, msg::SpectrumClosed, msg::SpectrumPortError, msg::SpectrumRefused, Tool::Spectrum);
}

bool TCv3Equip::RunConfiguration() {
  return RunPortTool(msg::ConfigurationStart, msg::ConfigurationClosed, msg::ConfigurationPortError,
                     msg::ConfigurationRefused, Tool::Configuration);
}

bool TCv3Equip::RunUpdateFirmware() {
  return RunPortTool(msg::UpdateFirmwareStart, msg::UpdateFirmwareClosed, msg::UpdateFirmwarePortError,
                     msg::UpdateFirmwareRefused, Tool::UpdateFirmware);
}

// ---------------------------------------------------------------------------------------------
// Command layer

bool TCv3Equip::SendCommand(const char* command) {
  if (!port) return false;
  char buffer[kReplyBufferSize];
  CopyText(buffer, command, sizeof buffer);
  return port->SendCommand(buffer);
}

bool TCv3Equip::ReopenPort() { return port && port->OpenConfigured(kToolBaud, 8, 0, 0); }

bool TCv3Equip::Query(const char* command, char* reply) {
  char buffer[kReplyBufferSize];
  CopyText(buffer, command, sizeof buffer);
  bool ok = port && port->Transact(buffer);
  if (!port) buffer[0] = '\0';
  CopyText(reply, buffer, kReplyBufferSize);
  return ok;
}

bool TCv3Equip::AskLevel(char* reply, int milliseconds) {
  // The instrument needs this settling time after tuning; letting the message loop run here
  // could start another command in the middle of the exchange.
  clock->SleepMs(milliseconds);
  char buffer[kReplyBufferSize] = "*?LV";
  bool sent = port && port->SendCommand(buffer);
  if (!sent) buffer[0] = '\0';
  bool ok = sent && port->ReadLine(buffer);
  CopyText(reply, buffer, kReplyBufferSize);
  return ok;
}

// The switch is compared in double precision: 862.1f stays terrestrial.
std::string TCv3Equip::TuneCommand(float mhz) { return cv::PllTuneCommand(mhz); }

bool TCv3Equip::TuneFrequency(float mhz, int milliseconds) {
  bool ok = SendCommand(cv::PllTuneCommand(mhz, Ranges()).c_str());
  if (!ok) Log(cv::Msg(msg::FrequencySendError));
  Wait(milliseconds);
  return ok;
}

bool TCv3Equip::CheckVersion() {
  char reply[kReplyBufferSize];
  return Query("*?VE", reply) && std::strncmp(reply, "*VE", 3) == 0;
}

bool TCv3Equip::ReadVersion(float& version) {
  char reply[kReplyBufferSize];
  version = 0;
  if (!Query("*?VE", reply)) {
    Log(cv::Msg(msg::EquipmentNotDetected));
    return false;
  }
  return ParseVersionReply(reply, Family().versionMark, version);
}

bool TCv3Equip::ParseVersionReply(std::string_view reply, char mark, float& version) {
  return cv::script::ReadVersionReply(reply, mark, version);
}

// ---------------------------------------------------------------------------------------------
// Text utilities

bool TCv3Equip::SplitFields(const char* line) {
  char text[kReplyBufferSize];
  CopyText(text, line ? line : "", sizeof text);
  if (decimalSeparator == ',') ToDotDecimal(text);
  for (auto& field : fields) field[0] = '\0';
  int field = 0;
  int length = 0;
  bool stored = false;
  for (const char* p = text; *p; ++p) {
    if (*p == listSeparator) {
      // Fields past the table's end are dropped rather than written beyond it.
      if (++field >= FieldCount()) break;
      length = 0;
      continue;
    }
    if (*p == '\t' && Family().fieldsDropTabs) continue;
    fields[field][length++] = *p;
    fields[field][length] = '\0';
    stored = true;
    if (length == kFieldLength) break;
  }
  return stored;
}

char TCv3Equip::FoldTypeCode(char code) {
  if (code >= '1' && code <= '8') return code;
  switch (code) {
    case '9':
    case 'A':
      return '4';
    case 'B':
      return '5';
    case 'C':
    case 'D':
    case 'E':
      return '6';
    case 'F':
      return '8';
    default:
      return '0';
  }
}

std::string TCv3Equip::FixWidth(const std::string& text, int width) {
  return ::FixWidth(text, width);
}

std::string TCv3Equip::GetFileName(const std::string& path) {
  std::string p = path.substr(0, 260);
  size_t cut = p.find_last_of("/\\:");
  return cut == std::string::npos ? p : p.substr(cut + 1);
}

std::string TCv3Equip::GetFileExt(const std::string& path) {
  std::string name = GetFileName(path);
  size_t dot = name.rfind('.');
  if (dot == std::string::npos) return "";
  std::string ext = name.substr(dot, 4);
  for (char& c : ext) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return ext;
}

// The LNB conversions live with the PLL coding, which the host's scripts share.
float TCv3Equip::IFToFreq(float oscillator, float intermediate) {
  return cv::IFToFreq(oscillator, intermediate);
}

float TCv3Equip::FreqToIF(float oscillator, float frequency) {
  return cv::FreqToIF(oscillator, frequency);
}
