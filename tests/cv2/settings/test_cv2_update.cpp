// The CORVANE-2 firmware update against the simulated meter, its waits on a fake clock: the
// DV-800's form without the analyser button, a run through the equipment's own engine with the
// new version, a corrupted file or an exception, and the Help buttons of the family's
// configuration and update dialogs.
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
#include "Cv2Equip.h"
#include "Cv2Options.h"
#include "Cv2Sim.h"
#include "Cv2Update.h"
#include "Help.h"
#include "RecordingOpener.h"
#include "SaveLimits.h"
#include "SettingsDialogsSim.h"

namespace {

using cv::cv2::TCv2Equip;
using cvsim::Corvane2Profile;

class Cv2Update : public UpdateDlgOnSim<Cv2Sim, TCv2Equip> {
 protected:
  std::unique_ptr<QDialog> MakeDialog() override { return cv::cv2::MakeUpdateFirmDlg2(*equip); }
};

TEST_F(Cv2Update, TheDv800FormWithoutTheAnalyserButton) {
  EXPECT_EQ(dlg->windowTitle(), "Update Firmware");
  EXPECT_EQ(dlg->StartBtn->text(), "Select PRO File...");
  EXPECT_EQ(dlg->findChild<QPushButton*>("Mpeg2Btn"), nullptr);
  EXPECT_EQ(dlg->findChildren<QPushButton*>().size(), 3);
}

// The script tests the version with the family's own statement (IFVER2, which the CORVANE-3
// engine does not know and which reads the version after the blank), so the run shows it went
// through the CORVANE-2 dialect.
TEST_F(Cv2Update, RunThroughTheFamilysEngineReportsTheNewVersion) {
  Script("IFVER2 (=, 1.14)\nENDIF\nSENDHEX fw.upd *HX\nIFVER2 (=, 1.20)\nENDIF\n", kUpdate);
  dlg->StartBtn->click();
  EXPECT_TRUE(Zone().contains("( 1) IFVER2 (=, 1.14) -> ver: 1.14 = 1.14? TRUE OK (1,1)")) << Zone().join('\n').toStdString();
  EXPECT_TRUE(Zone().contains("( 4) IFVER2 (=, 1.20) -> ver: 1.20 = 1.20? TRUE OK (1,1)"));
  EXPECT_EQ(Sent("*HX"), (std::vector<std::string>{"*HX:0400000001020304F2", "*HX:0400040005060708DE", "*HX:00000001FF"}))
      << Log().join('\n').toStdString();
  const QStringList tail{"Updating successful", "New version:  1.20"};
  EXPECT_EQ(Tail(Log(), 2), tail) << Log().join('\n').toStdString();
  EXPECT_EQ(Tail(Zone(), 2), tail);
  EXPECT_EQ(Log().mid(0, 2), (QStringList{"PRO file found: upd.pro,", "with updating file:  fw.upd"}));
  EXPECT_TRUE(prompter.shown.empty());
  EXPECT_TRUE(ButtonsEnabled());
  EXPECT_EQ(MeterVersion(), "1.20");

  // A corrupted file stops at its refused line and keeps the version.
  Script("SENDHEX fw.upd *HX\n", ":0400000001020304F2\n:0400040005060708DD\n:00000001FF\n");
  Profile([](Corvane2Profile& p) { p.version = "1.14"; });
  sim->ClearTraffic();
  host.Clear();
  dlg->StartBtn->click();
  EXPECT_EQ(Sent("*HX").size(), 2u);
  EXPECT_EQ(Log().back(), "Updating failed");
  EXPECT_EQ(Zone().back(), "Updating failed");
  EXPECT_TRUE(Sent("*?VE").empty()) << "a failed run reads no version";
  EXPECT_TRUE(ButtonsEnabled());
  EXPECT_EQ(MeterVersion(), "1.14");
}

TEST_F(Cv2Update, RunEndingInAnExceptionGivesTheButtonsBack) {
  Script("SENDHEX fw.upd *HX\n", kUpdate);
  dlg->runScript = [](const std::string&) -> bool { throw std::runtime_error("out of memory"); };
  dlg->StartBtn->click();
  EXPECT_EQ(Log().back(), "Updating failed");
  ASSERT_EQ(prompter.shown.size(), 1u);
  EXPECT_EQ(prompter.shown[0].text, "The update stopped on an error: out of memory");
  EXPECT_TRUE(ButtonsEnabled());
}

TEST_F(Cv2Update, HelpButtonsOpenTheirTopicsOfTheFamilysPage) {
  ASSERT_TRUE(QDir(start.path()).mkpath("help"));
  ASSERT_TRUE(QFile::copy(QStringLiteral(CV_BIN_DIR "/help/Cv2Tools.html"), start.filePath("help/Cv2Tools.html")));
  std::unique_ptr<QDialog> config = cv::cv2::MakeConfigurationDlg2(&host.form, equip.get());
  static_cast<TConfigurationDlg*>(config.get())->TimerToShowForm->stop();
  const struct Row {
    QDialog* dialog;
    const char* topic;
  } rows[] = {{config.get(), "Configuration"}, {dlg.get(), "Update"}};
  for (const Row& r : rows) {
    SCOPED_TRACE(r.topic);
    RecordingOpener opener;
    r.dialog->findChild<QPushButton*>("HelpBtn")->click();
    ASSERT_EQ(opener.urls.size(), 1u);
    EXPECT_EQ(opener.urls[0].fragment(), r.topic);
    EXPECT_EQ(cv::AppHelpFile(), "help\\Cv2Tools.hlp");
  }
  cv::SetAppHelpFile("");
}

}  // namespace
