#pragma once
// A family's configuration and firmware-update dialogs on its simulated meter (FamilySettingsSim):
// the dialog the family's maker builds, the lines the meter received, the list box's rows and the
// report's opening block masked; for the update, a script and its update file in the start
// directory, chosen in the open dialog, with the equipment's waits on a fake clock.
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QTimer>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "Clock.h"
#include "Configdlg.h"
#include "FamilySettingsSim.h"
#include "SaveLimits.h"
#include "Updatedlg.h"

inline QStringList ListItems(QListWidget* list) {
  QStringList out;
  for (int i = 0; i < list->count(); ++i) out << list->item(i)->text();
  return out;
}

// A saved configuration report with the date and time of its opening block masked.
inline std::string MaskedReportStart(const std::string& text) {
  static const QRegularExpression stamp(R"(# Start: \d+/\d+/\d{4} \(\d+:\d\d\))");
  return QString::fromStdString(text).replace(stamp, "# Start: D (T)").toStdString();
}

// `MakeDialog` is the family's maker of its "Equipment configuration" dialog.
template <class Sim, class Equip>
class ConfigDlgOnSim : public FamilySettingsSim<Sim, Equip> {
 protected:
  virtual std::unique_ptr<QDialog> MakeDialog() = 0;
  void TearDown() override {
    dlg.reset();
    FamilySettingsSim<Sim, Equip>::TearDown();
  }
  // The dialog, its start timer stopped.
  void Open() {
    dlg.reset(static_cast<TConfigurationDlg*>(MakeDialog().release()));
    dlg->TimerToShowForm->stop();
  }
  void Ask() {
    Open();
    dlg->AskForOptions();
    this->Settle();
  }
  std::vector<std::string> Exchanged() { return this->Sent(""); }
  // Saves the report, after reading the options or before, through Save, compares it (dates
  // masked) with the golden file tests/data/<folder>/<golden>, and returns what was saved.
  std::string SaveAgainstGolden(const std::string& folder, const std::string& golden, bool read) {
    if (read)
      Ask();
    else
      Open();
    const std::string path = this->start.Path(QString::fromStdString(golden));
    dlg->chooseSaveFile = [&] { return QString::fromStdString(path); };
    dlg->SaveBtn->click();
    const std::string bytes = cvtest::FileBytes(path);
    const std::string goldenPath = std::string(CV_TEST_DATA_DIR) + "/" + folder + "/" + golden;
    if (qEnvironmentVariableIsSet("CV_UPDATE_GOLDEN")) std::ofstream(goldenPath, std::ios::binary) << MaskedReportStart(bytes);
    EXPECT_EQ(MaskedReportStart(bytes), cvtest::FileBytes(goldenPath));
    EXPECT_TRUE(this->prompter.shown.empty());
    return bytes;
  }

  std::unique_ptr<TConfigurationDlg> dlg;
};

// `MakeDialog` is the family's maker of its "Update Firmware" dialog.
template <class Sim, class Equip>
class UpdateDlgOnSim : public FamilySettingsSim<Sim, Equip> {
 protected:
  virtual std::unique_ptr<QDialog> MakeDialog() = 0;
  void SetUp() override {
    FamilySettingsSim<Sim, Equip>::SetUp();
    this->equip->clock = &clock;
    dlg.reset(static_cast<TUpdateFirmDlg*>(MakeDialog().release()));
  }
  void TearDown() override {
    dlg.reset();
    FamilySettingsSim<Sim, Equip>::TearDown();
  }
  // The script `pro` chosen in the open dialog, beside the update file fw.upd.
  void Script(const std::string& pro, const std::string& update = {}) {
    for (const auto& [name, text] : {std::pair{"upd.pro", pro}, std::pair{"fw.upd", update}})
      std::ofstream(this->start.Path(name), std::ios::binary) << text;
    dlg->chooseScript = [this] { return this->start.filePath("upd.pro"); };
  }
  QStringList Zone() const { return dlg->LogZone->toPlainText().split('\n', Qt::SkipEmptyParts); }
  QStringList Tail(const QStringList& lines, int n) const { return lines.mid(lines.size() - n); }
  std::string MeterVersion() {
    std::string v;
    this->Profile([&](auto& p) { v = p.version; });
    return v;
  }
  bool ButtonsEnabled() const { return dlg->StartBtn->isEnabled() && dlg->CloseBtn->isEnabled(); }
  static constexpr const char* kUpdate = ":0400000001020304F2\n:0400040005060708DE\n:00000001FF\n";

  cv::FakeClock clock;
  std::unique_ptr<TUpdateFirmDlg> dlg;
};
