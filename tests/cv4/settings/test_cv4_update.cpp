// The CORVANE-4 firmware update: which scripts are update scripts, a run through the family's
// script runner against the simulated meter, and the form.
#include <QApplication>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <fstream>
#include <memory>

#include "Cv4SettingsFixture.h"
#include "Updatedlg4.h"

namespace {

using cv::cv4::TUpdateFirmDlg4;

class Update4Sim : public Cv4SettingsSim {
 protected:
  void SetUp() override {
    Cv4SettingsSim::SetUp();
    std::unique_ptr<QDialog> made = cv::cv4::MakeUpdateFirmDlg4(*equip);
    dlg.reset(static_cast<TUpdateFirmDlg4*>(made.release()));
  }
  // The script `pro` chosen in the open dialog, beside the update file fw.upd.
  void Script(const std::string& pro, const std::string& update = {}) {
    for (const auto& [name, text] : {std::pair{"upd.pro", pro}, std::pair{"fw.upd", update}})
      std::ofstream(start.Path(name), std::ios::binary) << text;
    dlg->chooseScript = [this] { return start.filePath("upd.pro"); };
  }
  QStringList Zone() const { return dlg->LogZone->toPlainText().split('\n', Qt::SkipEmptyParts); }
  std::string MeterVersion() {
    std::string v;
    Profile([&](cvsim::Corvane4Profile& p) { v = p.version; });
    return v;
  }
  static constexpr const char* kUpdate = ":0400000001020304F2\n:0400040005060708DE\n:00000001FF\n";
  std::unique_ptr<TUpdateFirmDlg4> dlg;
};

// Start with each script: refused with the box and nothing run, or run with the name logged.
TEST_F(Update4Sim, WhichScriptsAreUpdateScripts) {
  const std::string name243(243, 'N');
  struct Case {
    std::string script;
    const char* logged;  // after "with updating file:"; null: refused
  } cases[] = {
      {"SENDHEX fw.hex *HX\n", nullptr},
      {"sendhex fw.upd *HX\n", nullptr},
      {"SENDHEX fw.upd *HX\n", "  fw.upd"},
      {"  \tSENDHEX Fw.uPd *HX\r\n", "  Fw.uPd"},
      {"# two\nSENDHEX boot.hex\nSENDHEX first.upd *HX\nSENDHEX second.upd *HX\n", "  first.upd"},
      {"SENDHEXfw.upd\nSENDHEX fw\nSENDHEX ok.upd\n", "  ok.upd"},
      {"SENDHEX ..\\fw.upd\n", nullptr},  // the first '.' decides
      // Lines are read in pieces of 255 characters: an update line of 255 is whole, one of 256
      // loses its last letter, and the rest of a longer line is read as a line of its own.
      {"SENDHEX " + name243 + ".UPD\n", "dummy"},
      {"SENDHEX " + name243 + "X.UPD\n", nullptr},
      {std::string(255, 'x') + "SENDHEX fw.upd\n", "  fw.upd"},
      {std::string(254, 'x') + "SENDHEX fw.upd\n", nullptr},
      {"", nullptr},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.script.substr(0, 60));
    Script(c.script);
    std::vector<std::string> runs;
    dlg->runScript = [&](const std::string& path) {
      EXPECT_FALSE(dlg->StartBtn->isEnabled() || dlg->CloseBtn->isEnabled());
      runs.push_back(path);
      return true;
    };
    host.Clear();
    prompter.shown.clear();
    dlg->StartBtn->click();
    EXPECT_TRUE(dlg->StartBtn->isEnabled() && dlg->CloseBtn->isEnabled());
    if (!c.logged) {
      EXPECT_TRUE(runs.empty());
      ASSERT_EQ(prompter.shown.size(), 1u);
      EXPECT_EQ(prompter.shown[0].text, "The selected file is not an updating file\n");
      EXPECT_EQ(prompter.shown[0].caption, "Error");
      EXPECT_EQ(prompter.shown[0].icon, cv::MsgIcon::Warning);
      EXPECT_TRUE(Log().isEmpty()) << Log().join('\n').toStdString();
      continue;
    }
    EXPECT_EQ(runs, std::vector<std::string>{start.Path("upd.pro")}) << "the whole script runs";
    EXPECT_TRUE(prompter.shown.empty());
    const std::string logged = std::string(c.logged) == "dummy" ? "  " + name243 + ".UPD" : c.logged;
    EXPECT_EQ(Log().mid(0, 2), (QStringList{"PRO file found: upd.pro,", QString::fromStdString("with updating file:" + logged)}));
  }
}

TEST_F(Update4Sim, UpdateRunsThroughTheFamilyRunnerAndReadsTheNewVersion) {
  Script("# CORVANE-4 firmware\nSENDHEX fw.upd *HX\n", kUpdate);
  dlg->StartBtn->click();
  EXPECT_EQ(Sent("*HX"), (std::vector<std::string>{"*HX:0400000001020304F2", "*HX:0400040005060708DE", "*HX:00000001FF"}));
  const QStringList tail{"Updating successful", "New version:  2.10"};
  EXPECT_EQ(Log().mid(Log().size() - 2), tail) << Log().join('\n').toStdString();
  EXPECT_EQ(Zone().mid(Zone().size() - 2), tail);
  EXPECT_TRUE(prompter.shown.empty());
  EXPECT_EQ(MeterVersion(), "2.10");
  std::ifstream transcript(start.Path("upd.LOG"));
  EXPECT_TRUE(transcript.good()) << "the runner writes its transcript beside the script";
}

TEST_F(Update4Sim, CorruptedFileFailsInBothLogsAndKeepsTheOldVersion) {
  Script("SENDHEX fw.upd *HX\n", ":0400000001020304F2\n:0400040005060708DD\n:00000001FF\n");
  dlg->StartBtn->click();
  EXPECT_EQ(Sent("*HX").size(), 2u) << "the run stops at the refused line";
  EXPECT_EQ(Log().back(), "Updating failed");
  EXPECT_EQ(Zone().back(), "Updating failed");
  EXPECT_TRUE(Sent("*?VE").empty()) << "a failed run reads no version";
  EXPECT_TRUE(dlg->StartBtn->isEnabled() && dlg->CloseBtn->isEnabled());
  EXPECT_EQ(MeterVersion(), "2.00");
}

TEST_F(Update4Sim, TheFormAndItsAnalyserButton) {
  EXPECT_EQ(dlg->windowTitle(), "Update Firmware");
  EXPECT_EQ(dlg->StartBtn->text(), "Select PRO File...");
  EXPECT_EQ(dlg->Mpeg2Btn->objectName(), "Mpeg2Btn");
  EXPECT_EQ(dlg->Mpeg2Btn->text(), "MP");
  EXPECT_TRUE(dlg->Mpeg2Btn->isEnabled());
  EXPECT_FALSE(dlg->Mpeg2Btn->autoDefault());
  for (QWidget* w : dlg->findChildren<QWidget*>())
    if (w->parentWidget() == dlg.get()) {
      EXPECT_TRUE(dlg->rect().contains(w->geometry())) << w->objectName().toStdString();
    }
  EXPECT_FALSE(dlg->Mpeg2Btn->geometry().intersects(dlg->Gauge->geometry()));
  EXPECT_FALSE(dlg->Mpeg2Btn->geometry().intersects(dlg->CloseBtn->geometry()));
}

}  // namespace
