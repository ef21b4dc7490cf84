// The DV-800 configuration dialog against the simulated meter: the CORVANE-3's sixteen records on
// the DV-800's map, the version after its 'V', the rotary round trip with a read-back that
// confirms nothing unless the meter answers it, and the saved report.
#include <gtest/gtest.h>

#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTimer>
#include <fstream>
#include <functional>

#include "Clock.h"
#include "ConfigDlgChecks.h"
#include "Configdlg.h"
#include "Dv8Equip.h"
#include "Dv8Options.h"
#include "Dv8Sim.h"
#include "FamilySettingsSim.h"
#include "FileSizeLimit.h"
#include "SaveLimits.h"
#include "SettingsDialogsSim.h"

namespace {

using cv::dv8::TDV8Equip;
using cvsim::Dv8Profile;

class Dv8Options : public ConfigDlgOnSim<Dv8Sim, TDV8Equip> {
 protected:
  std::unique_ptr<QDialog> MakeDialog() override { return cv::dv8::MakeConfigurationDlg8(&host.form, equip.get()); }
  size_t Count(const std::string& line) {
    size_t n = 0;
    for (const std::string& l : Exchanged()) n += l == line;
    return n;
  }
  void ClearBoards() {
    Profile([](Dv8Profile& p) {
      for (unsigned i = 0; i < 13 * 28; ++i) p.registers[Dv8Profile::kOptionBase + i] = 0xFF;
    });
  }
};

TEST_F(Dv8Options, IdentityAndFittedBoardsInTableOrder) {
  Ask();
  EXPECT_EQ(dlg->windowTitle(), "Equipment configuration");
  EXPECT_EQ(dlg->MakeLabel->text(), "DV-800") << "\"*VE 2.50\" holds no 'V' after its prefix";
  EXPECT_EQ(dlg->EquipLabel->text(), "TESSARY INSTRUMENTS");
  EXPECT_EQ(dlg->SerialLabel->text(), "DV8-0311");
  // The QAM board is fitted but its identifier ends in FF: left out.
  EXPECT_EQ(ListItems(dlg->OptionsListBox), (QStringList{"0100 TER TUNER (5-862 MHZ)", "0201 MAINBOARD DV800 (REV B)",
                                                         "0402 COFDM (2K/8K)"}));
  const std::vector<std::string> lines = Exchanged();
  ASSERT_GE(lines.size(), 4u);
  EXPECT_EQ((std::vector<std::string>(lines.begin(), lines.begin() + 4)),
            (std::vector<std::string>{"*7205&", "*?VE", "*?I20A01306001", "*?I20A01010010"}));
  EXPECT_EQ(Count("*?I20A0114A002"), 1u) << "QAM's identifier is asked";
  EXPECT_EQ(Count("*?I20A01130011"), 0u) << "an absent board's name is not read";
  EXPECT_EQ(Count("*?I20A011BA002"), 1u) << "the sixteenth record is asked";
  EXPECT_EQ(host.Lines(), (QStringList{"Bad answer when asking for Version: ", "*VE 2.50"}));
  EXPECT_TRUE(dlg->CWRadioButton->isChecked());
  EXPECT_FALSE(dlg->ApplyBtn->isEnabled());
}

TEST_F(Dv8Options, IdentityOnlyMeterShowsNoOptionsDetected) {
  ClearBoards();
  Ask();
  EXPECT_EQ(dlg->MakeLabel->text(), "DV-800");
  EXPECT_EQ(dlg->EquipLabel->text(), "TESSARY INSTRUMENTS");
  EXPECT_EQ(dlg->SerialLabel->text(), "DV8-0311");
  EXPECT_EQ(ListItems(dlg->OptionsListBox), QStringList{"No options detected"});
}

TEST_F(Dv8Options, VersionAfterTheFirstVOfTheReply) {
  struct Case {
    const char* reply;
    QString model;
    QStringList log;
  } cases[] = {
      {"*VE V2.50", "DV-800 v2.50", {}},
      {"*ve v2.61b", "DV-800 v2.61B", {}},
      {"*VE 2.50", "DV-800", {"Bad answer when asking for Version: ", "*VE 2.50"}},
      {"*XE V2.50", "DV-800", {"Bad answer when asking for Version: ", "*XE V2.50"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.reply);
    Profile([&](Dv8Profile& p) { p.fixedReplies["*?VE"] = c.reply; });
    host.Clear();
    Ask();
    EXPECT_EQ(dlg->MakeLabel->text(), c.model);
    EXPECT_EQ(dlg->EquipLabel->text(), "TESSARY INSTRUMENTS") << "only the model line carries the version";
    EXPECT_EQ(dlg->SerialLabel->text(), "DV8-0311");
    EXPECT_EQ(host.Lines(), c.log);
  }
  Profile([](Dv8Profile& p) { p.refused = {"*?VE"}; });
  host.Clear();
  Ask();
  EXPECT_EQ(dlg->MakeLabel->text(), "DV-800");
  EXPECT_EQ(host.Lines(), QStringList{"Tx error when asking for Version"});
}

TEST_F(Dv8Options, RadioClickWhileReadingSendsNothing) {
  // The bad version reply logs a line while the options are being read; the click comes then.
  Open();
  ExpectRotaryClickWhileReadingIgnored(*dlg, host, [this] { return Exchanged(); });
  Profile([](Dv8Profile& p) { EXPECT_EQ(p.registers[Dv8Profile::kRotaryAddress], 0x00); });
}

// Each way: the access code, the write and the read-back; a confirmed change enables Apply,
// which restarts the meter and waits four seconds on the equipment's clock.
TEST_F(Dv8Options, RotaryRoundTripBothWaysThenApply) {
  cv::FakeClock clock;
  equip->clock = &clock;
  Ask();
  const struct Step {
    const char* click;
    const char* write;
    unsigned byte;
  } steps[] = {{"CCWRadioButton", "*I20A013065A", 0x5A}, {"CWRadioButton", "*I20A0130600", 0x00}};
  for (const Step& s : steps) {
    SCOPED_TRACE(s.click);
    sim->ClearTraffic();
    host.Clear();
    dlg->findChild<QRadioButton*>(s.click)->click();
    EXPECT_EQ(Exchanged(), (std::vector<std::string>{"*7205&", s.write, "*?I20A01306001"}));
    EXPECT_TRUE(dlg->findChild<QRadioButton*>(s.click)->isChecked());
    EXPECT_TRUE(dlg->ApplyBtn->isEnabled());
    EXPECT_EQ(host.Lines(), QStringList{"New rotary configuration sent"});
    Profile([&](Dv8Profile& p) { EXPECT_EQ(p.registers[Dv8Profile::kRotaryAddress], s.byte); });
  }
  Profile([](Dv8Profile& p) { p.restartMs = 0; });  // back before the fake clock's wait ends
  sim->ClearTraffic();
  const int64_t before = clock.now;
  dlg->ApplyBtn->click();
  const int64_t waited = clock.now - before;
  EXPECT_TRUE(waited >= 4000 && waited < 4000 + 2 * clock.pumpStepMs) << waited << " ms";
  EXPECT_EQ(Exchanged(), (std::vector<std::string>{"*AA", "*?VE"})) << "the version tells the meter came back";
  EXPECT_FALSE(dlg->ApplyBtn->isEnabled()) << "one restart per change";
  EXPECT_EQ(host.Lines().last(), "Rotary changed");
  Profile([](Dv8Profile& p) { EXPECT_EQ(p.restarts, 1); });
}

TEST_F(Dv8Options, ApplyIsConfirmedOnlyByTheMeterAnsweringAfterIt) {
  Ask();
  ExpectApplyConfirmedOnlyByAnAnswer(*dlg, *equip, *sim, host, prompter);
}

// A read-back the meter leaves unanswered or answers badly confirms neither direction: after a
// click either way the buttons keep the state the click gave them and Apply stays disabled.
TEST_F(Dv8Options, SilentOrBadReadBackLeavesApplyDisabled) {
  Ask();
  struct Fault {
    const char* what;
    std::function<void(Dv8Profile&)> set;
    QStringList log;
  } faults[] = {
      {"silent", [](Dv8Profile& p) { p.refused = {"*?I20A01306"}; }, {"Tx error when asking for Rotary"}},
      {"bad", [](Dv8Profile& p) { p.fixedReplies["*?I20A01306001"] = "*XX5A"; },
       {"Bad answer when asking for Rotary: ", "*XX5A"}},
  };
  for (const Fault& f : faults) {
    for (const char* click : {"CWRadioButton", "CCWRadioButton"}) {
      SCOPED_TRACE(std::string(f.what) + " " + click);
      Profile([&](Dv8Profile& p) {
        p.refused.clear();
        p.fixedReplies.clear();
        f.set(p);
      });
      host.Clear();
      auto* clicked = dlg->findChild<QRadioButton*>(click);
      auto* other = dlg->findChild<QRadioButton*>(click == std::string("CWRadioButton") ? "CCWRadioButton" : "CWRadioButton");
      clicked->click();
      EXPECT_TRUE(clicked->isChecked());
      EXPECT_FALSE(other->isChecked());
      EXPECT_FALSE(dlg->ApplyBtn->isEnabled());
      EXPECT_EQ(host.Lines(), f.log);
    }
  }
}

TEST_F(Dv8Options, SavedReportsMatchTheGoldenFiles) {
  // Saved after the options were read, and before.
  SaveAgainstGolden("dv8", "config8_options.log", true);
  SaveAgainstGolden("dv8", "config8_nothing_read.log", false);
}

TEST_F(Dv8Options, FailedSavesShowABoxAndKeepTheOldFile) {
  Ask();
  const std::string path = start.Path("old.log");
  { std::ofstream(path) << "old contents\n"; }
  dlg->chooseSaveFile = [&] { return QString::fromStdString(path); };
  {
    cvtest::FileSizeLimit limit(40);  // the first line fits, the rest does not
    dlg->SaveBtn->click();
  }
  ASSERT_EQ(prompter.shown.size(), 1u);
  EXPECT_EQ(prompter.shown[0].text, "Impossible to write to this file");
  EXPECT_EQ(prompter.shown[0].caption, "Equipment configuration");
  EXPECT_EQ(cvtest::FileBytes(path), "old contents\n");

  prompter.shown.clear();
  dlg->chooseSaveFile = [&] { return QString::fromStdString(start.Path("missing/dir.log")); };
  dlg->SaveBtn->click();
  ASSERT_EQ(prompter.shown.size(), 1u);
  EXPECT_EQ(prompter.shown[0].text, "Impossible to open this file");

  dlg->chooseSaveFile = [&] { return QString::fromStdString(path); };
  cvtest::ExpectWholeOrOldFile(path, [&] {
    prompter.shown.clear();
    dlg->SaveBtn->click();
    return prompter.shown.empty();
  });
}

}  // namespace
