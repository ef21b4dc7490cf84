// The main window's equipment box and tool buttons: detection, selection, loading the plug-in and
// handing the tool buttons to it.
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QStatusBar>
#include <cstring>

#include "AppServices.h"
#include "Detection.h"
#include "Equip.h"
#include "Format.h"
#include "Mainform.h"
#include "Messages.h"
#include "MsgIds.h"
#include "Selectdlg.h"
#include "Serial.h"
#include "Text1252.h"

namespace msg = cv::msg::detect;

namespace {

constexpr const char* kConfigFileName = "CvTools.cfg";

}  // namespace

void TMainForm::ConnectEquipmentHandlers() {
  connect(DetectBtn, &QPushButton::clicked, this, &TMainForm::DetectBtnClick);
  connect(SelectBtn, &QPushButton::clicked, this, &TMainForm::SelectBtnClick);
  struct Binding {
    QPushButton* button;
    QAction* item;
    void (TMainForm::*handler)();
  } bindings[] = {
      {EditChBtn, EditChMenu, &TMainForm::EditChBtnClick},    {EditMemBtn, EditMemMenu, &TMainForm::EditMemBtnClick},
      {DataLogBtn, DataLogMenu, &TMainForm::DataLogBtnClick}, {MonitorBtn, MonitorMenu, &TMainForm::MonitorBtnClick},
      {SpectrumBtn, SpectrumMenu, &TMainForm::SpectrumBtnClick}, {ConfigBtn, ConfigMenu, &TMainForm::ConfigBtnClick},
      {UpdateBtn, UpdateMenu, &TMainForm::UpdateBtnClick},    {IdentBtn, IdentMenu, &TMainForm::IdentBtnClick},
  };
  for (const Binding& b : bindings) {
    connect(b.button, &QPushButton::clicked, this, b.handler);
    connect(b.item, &QAction::triggered, this, b.handler);
  }
}

// ---------------------------------------------------------------------------------------------
// Configuration and detection

bool TMainForm::ReadConfigFile(const std::string& fileName) {
  std::string error;
  if (config.ReadConfigFile(fileName, error)) return true;
  AddLog(error);
  cv::ShowWarning(cv::MsgQ(msg::ConfigCaption), cv::From1252(error));
  return false;
}

void TMainForm::DetectBtnClick() {
  if (searchRunning_) return;
  detecting = true;
  stopRequested = false;
  SelectBtn->setText(cv::MsgQ(msg::StopCaption));
  DetectBtn->setEnabled(false);

  // A loaded plug-in still holds the port object that is about to be replaced.
  ReleaseEquipment(true);
  if (ReadConfigFile(kConfigFileName)) {
    port = new TSerial(1);
    found = false;
    foundPort = -1;
    LabelEquip->clear();
    LabelPort->clear();

    TDetection detection(config);
    detection.log = [this](const std::string& line) { AddLog(line); };
    detection.pump = [] { cv::ProcessEvents(); };
    detection.stopRequested = [this] { return stopRequested; };
    detection.warnBadFormat = [](const std::string& text) {
      cv::ShowWarning(cv::MsgQ(msg::ConfigCaption), cv::From1252(text));
    };
    searchRunning_ = true;
    bool ok = detection.Search(*port);
    searchRunning_ = false;

    std::memcpy(modelName, detection.modelName, sizeof modelName);
    modelCode = detection.modelCode;
    version = detection.version;
    pluginName = detection.pluginName;
    if (ok) {
      found = true;
      foundPort = detection.foundPort;
      LabelEquip->setText(cv::From1252(modelName));
      LabelPort->setText(cv::From1252(port->name));
      SelectBtn->setEnabled(true);
      DetectBtn->setEnabled(true);
      LoadEquipmentDll();
    } else {
      delete port;
      port = nullptr;
      found = false;
      foundPort = -1;
      LabelEquip->clear();
      LabelPort->clear();
      SelectBtn->setEnabled(true);
      DetectBtn->setEnabled(true);
      AddLog(cv::Msg(msg::NoEquipmentFound));
    }
  } else {
    // The instrument found before is no longer bound: its name and port go with it.
    found = false;
    foundPort = -1;
    LabelEquip->clear();
    LabelPort->clear();
    SelectBtn->setEnabled(true);
    DetectBtn->setEnabled(true);
  }
  SelectBtn->setText(cv::MsgQ(msg::SelectCaption));
  detecting = false;
  if (closeAfterSearch_) {
    closeAfterSearch_ = false;
    close();
  }
}

void TMainForm::SelectBtnClick() {
  if (searchRunning_) {
    stopRequested = true;
    detecting = false;
    SelectBtn->setText(cv::MsgQ(msg::SelectCaption));
    // Usable again only once the search loop has ended (DetectBtnClick enables it).
    SelectBtn->setEnabled(false);
    return;
  }
  SelectBtn->setEnabled(false);
  DetectBtn->setEnabled(false);
  QDir::setCurrent(QString::fromLocal8Bit(startDir.c_str()));
  bool accepted = false;
  {
    TSelectEquipmentDlg dialog(this);
    if (dialog.ConfigRead()) accepted = dialog.exec() == QDialog::Accepted;
  }
  SelectBtn->setEnabled(true);
  DetectBtn->setEnabled(true);
  if (!accepted) return;
  ReleaseEquipment(true);
  LabelEquip->setText(cv::From1252(pluginName));
  LabelPort->setText(cv::MsgQ(msg::NoConnection));
  LoadEquipmentDll();
}

// ---------------------------------------------------------------------------------------------
// Plug-in binding

bool TMainForm::LoadEquipmentDll() {
  FreeEquipmentDll();
  std::string error;
  TPluginLibrary::LoadResult result = library.Load(startDir, pluginName, error);
  if (result == TPluginLibrary::LoadResult::NotFound) {
    std::string text = cv::Format(cv::Msg(msg::UnableToFind), pluginName);
    AddLog(text);
    if (!error.empty()) AddLog(error);  // the loader's own reason (a missing symbol, a bad file)
    cv::ShowError(cv::MsgQ(msg::ConfigCaption), cv::From1252(text));
    return false;
  }
  AddLog(cv::Msg(msg::LoadingLibrary));
  if (result == TPluginLibrary::LoadResult::NoEntry) {
    std::string text = cv::Format(cv::Msg(msg::UnableToExecute), pluginName);
    AddLog(text);
    cv::ShowError(cv::MsgQ(msg::ConfigCaption), cv::From1252(text));
    return false;  // the library stays loaded until the next unload
  }
  equipment = library.runMain(static_cast<QApplication*>(QCoreApplication::instance()), port);
  return true;
}

void TMainForm::FreeEquipmentDll() {
  if (!library.IsLoaded()) return;
  if (library.freeEquip) library.freeEquip();
  equipment = nullptr;
  AddLog(cv::Msg(msg::FreeingLibrary));
  library.Unload();
}

void TMainForm::ReleaseEquipment(bool logFreeing) {
  if (library.IsLoaded() && library.freeEquip) library.freeEquip();
  equipment = nullptr;
  if (port) {
    port->Close();
    delete port;
    port = nullptr;
  }
  if (library.IsLoaded()) {
    // Unloading here, before the application object goes, keeps the plug-in's code mapped for
    // as long as anything of it can run.
    if (logFreeing) AddLog(cv::Msg(msg::FreeingLibrary));
    library.Unload();
  }
}

// ---------------------------------------------------------------------------------------------
// Tools

void TMainForm::UpdateTools() {
  struct Row {
    QPushButton* button;
    QAction* item;
    bool (TEquip::*has)();
  } rows[] = {
      {EditChBtn, EditChMenu, &TEquip::HasChannelEditor}, {EditMemBtn, EditMemMenu, &TEquip::HasMemoryEditor},
      {DataLogBtn, DataLogMenu, &TEquip::HasDataLogger},  {MonitorBtn, MonitorMenu, &TEquip::HasMonitor},
      {SpectrumBtn, SpectrumMenu, &TEquip::HasSpectrum},  {ConfigBtn, ConfigMenu, &TEquip::HasConfiguration},
      {UpdateBtn, UpdateMenu, &TEquip::HasUpdateFirmware},
  };
  for (const Row& r : rows) {
    bool on = equipment && (equipment->*r.has)();
    r.button->setEnabled(on);
    r.item->setEnabled(on);
  }
  IdentBtn->setEnabled(false);
  IdentMenu->setEnabled(false);
}

void TMainForm::DisableTools() {
  for (QPushButton* b : {EditChBtn, EditMemBtn, DataLogBtn, SpectrumBtn, MonitorBtn, ConfigBtn, UpdateBtn, IdentBtn})
    b->setEnabled(false);
  for (QAction* a : {EditChMenu, EditMemMenu, DataLogMenu, SpectrumMenu, MonitorMenu, ConfigMenu, UpdateMenu})
    a->setEnabled(false);
}

void TMainForm::RunTool(int statusId, bool (TEquip::*launch)(), bool restoreStartDir) {
  if (!equipment) return;
  StatusLine->showMessage(cv::MsgQ(statusId));
  DisableTools();
  (equipment->*launch)();
  if (restoreStartDir) QDir::setCurrent(QString::fromLocal8Bit(startDir.c_str()));
  StatusLine->clearMessage();
}

void TMainForm::EditChBtnClick() { RunTool(msg::ChannelEditorStatus, &TEquip::RunChannelEditor, true); }
void TMainForm::EditMemBtnClick() { RunTool(msg::MemoryEditorStatus, &TEquip::RunMemoryEditor, true); }
void TMainForm::DataLogBtnClick() { RunTool(msg::DataLoggerStatus, &TEquip::RunDataLogger, true); }
void TMainForm::MonitorBtnClick() { RunTool(msg::MonitorStatus, &TEquip::RunMonitor, false); }
void TMainForm::SpectrumBtnClick() { RunTool(msg::SpectrumStatus, &TEquip::RunSpectrum, true); }
void TMainForm::ConfigBtnClick() { RunTool(msg::ConfigurationStatus, &TEquip::RunConfiguration, false); }
void TMainForm::UpdateBtnClick() { RunTool(msg::UpdateFirmwareStatus, &TEquip::RunUpdateFirmware, true); }
void TMainForm::IdentBtnClick() { RunTool(msg::IdentifierStatus, &TEquip::RunChannelIdentifier, false); }
