// The DV-800 firmware update against the simulated meter, its waits on a fake clock: which
// scripts are update scripts, a run through the DV-800 engine with its transcript and the new
// version, a corrupted update file or an exception, the form without the CORVANE-4's analyser
// button, and the Help buttons of the DV-800's configuration, update and logger dialogs.
#include <QDir>
#include <QFile>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>
#include <fstream>
#include <memory>
#include <stdexcept>

#include "Clock.h"
#include "Configdlg.h"
#include "Datalogdlg.h"
#include "Dv8Equip.h"
#include "Dv8Logger.h"
#include "Dv8Options.h"
#include "Dv8Sim.h"
#include "FamilySettingsSim.h"
#include "Help.h"
#include "RecordingOpener.h"
#include "SaveLimits.h"
#include "SettingsDialogsSim.h"
#include "Updatedlg4.h"

namespace {

using cv::dv8::TDV8Equip;
using cvsim::Dv8Profile;

class Dv8Update : public UpdateDlgOnSim<Dv8Sim, TDV8Equip> {
 protected:
  std::unique_ptr<QDialog> MakeDialog() override { return cv::cv4::MakeUpdateFirmDlgNoAnalyzer(*equip); }
};

TEST_F(Dv8Update, TheFormHasNoAnalyserButton) {
  EXPECT_EQ(dlg->windowTitle(), "Update Firmware");
  EXPECT_EQ(dlg->StartBtn->text(), "Select PRO File...");
  EXPECT_EQ(dlg->findChild<QPushButton*>("Mpeg2Btn"), nullptr);
  for (QWidget* w : dlg->findChildren<QWidget*>())
    if (w->parentWidget() == dlg.get()) {
      EXPECT_TRUE(dlg->rect().contains(w->geometry())) << w->objectName().toStdString();
    }
}

// Start with each script, the run replaced: refused with the box and nothing run, or run with
// the update file's name logged upper-cased; Cancel in the file dialog runs and logs nothing.
TEST_F(Dv8Update, WhichScriptsAreUpdateScripts) {
  const std::string name244(244, 'n');
  struct Case {
    std::string script;
    const char* logged;  // after "with updating file:"; null: refused
  } cases[] = {
      {"SENDHEX update.hex *HX\nSENDHEX update.hex *HX\n", nullptr},
      {"SENDHEX fw.upd *HX\n", "  fw.upd"},
      {"\t SENDHEX firmware.upd *HX\r\n", "  firmware.upd"},
      {"SENDHEX noext\nSENDHEX boot.hex\nSENDHEX dv800.upd *HX\n", "  dv800.upd"},
      // Lines are read in pieces of 255 characters: the rest of a longer line is a line of its own.
      {"SENDHEX " + name244 + ".upd\n", nullptr},
      {std::string(255, 'x') + "SENDHEX fw.upd\n", "  fw.upd"},
      {"", nullptr},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.script.substr(0, 60));
    Script(c.script);
    int runs = 0;
    dlg->runScript = [&](const std::string& path) {
      EXPECT_FALSE(dlg->StartBtn->isEnabled() || dlg->CloseBtn->isEnabled());
      EXPECT_EQ(path, start.Path("upd.pro"));
      ++runs;
      return true;
    };
    host.Clear();
    prompter.shown.clear();
    dlg->StartBtn->click();
    EXPECT_TRUE(ButtonsEnabled());
    if (!c.logged) {
      EXPECT_EQ(runs, 0);
      ASSERT_EQ(prompter.shown.size(), 1u);
      EXPECT_EQ(prompter.shown[0].text, "The selected file is not an updating file\n");
      EXPECT_EQ(prompter.shown[0].caption, "Error");
      EXPECT_EQ(prompter.shown[0].icon, cv::MsgIcon::Warning);
      EXPECT_TRUE(Log().isEmpty()) << Log().join('\n').toStdString();
      continue;
    }
    EXPECT_EQ(runs, 1);
    EXPECT_TRUE(prompter.shown.empty());
    EXPECT_EQ(Log().mid(0, 2), (QStringList{"PRO file found: upd.pro,", QString("with updating file:") + c.logged}));
  }
  dlg->chooseScript = [] { return QString(); };
  Settle();
  sim->ClearTraffic();
  host.Clear();
  prompter.shown.clear();
  dlg->StartBtn->click();
  EXPECT_TRUE(ButtonsEnabled());
  EXPECT_TRUE(Log().isEmpty());
  EXPECT_TRUE(prompter.shown.empty());
  EXPECT_TRUE(Sent("*").empty());
}

TEST_F(Dv8Update, RunSendsTheFileWritesTheTranscriptAndLogsTheNewVersion) {
  Script("# DV-800 firmware\nSENDHEX fw.upd *HX\n", kUpdate);
  dlg->StartBtn->click();
  EXPECT_EQ(Sent("*HX"), (std::vector<std::string>{"*HX:0400000001020304F2", "*HX:0400040005060708DE", "*HX:00000001FF"}));
  const QStringList tail{"Updating successful", "New version:  2.60"};
  EXPECT_EQ(Tail(Log(), 2), tail) << Log().join('\n').toStdString();
  EXPECT_EQ(Tail(Zone(), 2), tail);
  EXPECT_TRUE(prompter.shown.empty());
  EXPECT_TRUE(ButtonsEnabled());
  EXPECT_EQ(MeterVersion(), "2.60");
  EXPECT_FALSE(cvtest::FileBytes(start.Path("upd.LOG")).empty()) << "the transcript beside the script";

  // A good run whose version reply does not begin "*VE": reported, and still no error.
  Profile([](Dv8Profile& p) { p.fixedReplies["*?VE"] = "*XE 2.60"; });
  host.Clear();
  dlg->StartBtn->click();
  EXPECT_EQ(Tail(Log(), 2), (QStringList{"Updating successful", "CvTools couldn't read new equipment version"}));
  EXPECT_EQ(Tail(Zone(), 1), QStringList{"CvTools couldn't read new equipment version"});
  EXPECT_TRUE(prompter.shown.empty());
  EXPECT_TRUE(ButtonsEnabled());
}

TEST_F(Dv8Update, CorruptedFileFailsInBothLogsAndKeepsTheOldVersion) {
  Script("# DV-800 firmware\nSENDHEX fw.upd *HX\n", ":0400000001020304F2\n:0400040005060708DD\n:00000001FF\n");
  dlg->StartBtn->click();
  EXPECT_EQ(Sent("*HX").size(), 2u) << "the run stops at the refused line";
  EXPECT_TRUE(Log().contains("Error in line number 2:")) << Log().join('\n').toStdString();
  EXPECT_EQ(Log().back(), "Updating failed");
  EXPECT_EQ(Zone().back(), "Updating failed");
  EXPECT_TRUE(Sent("*?VE").empty()) << "a failed run reads no version";
  EXPECT_TRUE(ButtonsEnabled());
  EXPECT_EQ(MeterVersion(), "2.50");
}

// A run that ends in an exception fails in both logs, says why in a box and gives both buttons
// back.
TEST_F(Dv8Update, RunEndingInAnExceptionFailsAndKeepsTheDialogUsable) {
  Script("SENDHEX fw.upd *HX\n", kUpdate);
  dlg->runScript = [](const std::string&) -> bool { throw std::runtime_error("out of memory"); };
  dlg->StartBtn->click();
  EXPECT_EQ(Log().back(), "Updating failed");
  EXPECT_EQ(Zone().back(), "Updating failed");
  ASSERT_EQ(prompter.shown.size(), 1u);
  EXPECT_EQ(prompter.shown[0].text, "The update stopped on an error: out of memory");
  EXPECT_TRUE(ButtonsEnabled());
}

// The Help buttons of the three DV-800 dialogs open their topics of the family's help file.
TEST_F(Dv8Update, HelpButtonsOpenTheirTopics) {
  ASSERT_TRUE(QDir(start.path()).mkpath("help"));
  ASSERT_TRUE(QFile::copy(QStringLiteral(CV_BIN_DIR "/help/DV8Tools.html"), start.filePath("help/DV8Tools.html")));
  std::unique_ptr<QDialog> config = cv::dv8::MakeConfigurationDlg8(&host.form, equip.get());
  static_cast<TConfigurationDlg*>(config.get())->TimerToShowForm->stop();
  std::unique_ptr<QDialog> logger = cv::dv8::MakeDataLoggerDlg8(&host.form, equip.get());
  const struct Row {
    QDialog* dialog;
    const char* button;
    const char* topic;
  } rows[] = {{config.get(), "HelpBtn", "Configuration"}, {dlg.get(), "HelpBtn", "Update"},
              {logger.get(), "HelpDataLogBtn", "DataLogger"}};
  for (const Row& r : rows) {
    SCOPED_TRACE(r.topic);
    RecordingOpener opener;
    r.dialog->findChild<QPushButton*>(r.button)->click();
    ASSERT_EQ(opener.urls.size(), 1u);
    EXPECT_EQ(opener.urls[0].fragment(), r.topic);
    EXPECT_EQ(cv::AppHelpFile(), "help\\DV8Tools.hlp");
  }
  cv::SetAppHelpFile("");
}

}  // namespace
