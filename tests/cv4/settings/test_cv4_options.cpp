// The CORVANE-4 configuration dialog against the simulated meter: its twenty records, the
// rotary byte at 0x1506, Apply and the saved report.
#include <gtest/gtest.h>

#include <QDir>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTimer>
#include <fstream>

#include "AppServices.h"
#include "Clock.h"
#include "ConfigDlgChecks.h"
#include "Configdlg.h"
#include "Cv4Equip.h"
#include "Cv4Options.h"
#include "Cv4Sim.h"
#include "FileSizeLimit.h"
#include "HostForm.h"
#include "SaveLimits.h"
#include "StartDir.h"

namespace {

using cv::cv4::TCv4Equip;
using cvsim::Corvane4Profile;

QStringList Items(QListWidget* list) {
  QStringList out;
  for (int i = 0; i < list->count(); ++i) out << list->item(i)->text();
  return out;
}

class Cv4Options : public ::testing::Test, public Cv4Sim {
 protected:
  void SetUp() override {
    ASSERT_NO_FATAL_FAILURE(StartSim());
    equip.reset(TCv3Equip::Build<TCv4Equip>(&host.form, &port));
    ASSERT_NO_FATAL_FAILURE(SettleAndOpen());
    ASSERT_NO_FATAL_FAILURE(SettleAfterWakeLine());
    sim->ClearTraffic();
    host.Clear();
  }
  void TearDown() override {
    dlg.reset();
    port.Close();
  }
  void Open() {
    std::unique_ptr<QDialog> made = cv::cv4::MakeConfigurationDlg4(&host.form, equip.get());
    dlg.reset(static_cast<TConfigurationDlg*>(made.release()));
    dlg->TimerToShowForm->stop();
  }
  void Ask() {
    Open();
    dlg->AskForOptions();
    Settle();
  }
  std::vector<std::string> Exchanged() {
    Settle();
    std::vector<std::string> out;
    for (const std::string& l : sim->Lines())
      if (l != "*") out.push_back(l);
    return out;
  }
  size_t Count(const std::string& line) {
    size_t n = 0;
    for (const std::string& l : Exchanged()) n += l == line;
    return n;
  }

  StartDir start;
  HostForm host;
  std::unique_ptr<TCv4Equip> equip;
  std::unique_ptr<TConfigurationDlg> dlg;
  cv::RecordingPrompter prompter;
};

TEST_F(Cv4Options, BoardsWithStatusNameRevisionAndSlotInTableOrder) {
  Ask();
  EXPECT_EQ(dlg->MakeLabel->text(), "CORVANE-4 v2.00");
  EXPECT_EQ(dlg->EquipLabel->text(), "TESSARY INSTRUMENTS");
  EXPECT_EQ(dlg->SerialLabel->text(), "CV4-0815");
  // QPSK is fitted but its status ends in FF: absent. The CA text keeps its five blanks.
  EXPECT_EQ(Items(dlg->OptionsListBox),
            (QStringList{"0102 TER TUNER (5-862) in slot 03", "0100 SAT TUNER (950-2150) in slot 04",
                         "0101 MPEG2 (1.4) in slot 07", "     CONAX"}));
  const std::vector<std::string> lines = Exchanged();
  ASSERT_GE(lines.size(), 4u);
  EXPECT_EQ((std::vector<std::string>(lines.begin(), lines.begin() + 4)),
            (std::vector<std::string>{"*7205&", "*?VE", "*?I20A01506001", "*?I20A01F10010"}));
  EXPECT_EQ(Count("*?I20A01E38002"), 1u) << "QPSK's status is asked";
  EXPECT_EQ(Count("*?I20A01E20010"), 0u) << "an absent board's name is not read";
  EXPECT_EQ(Count("*?I20A01D58002"), 1u) << "the twentieth record is asked";
  EXPECT_EQ(Count("*?I20A0159101F"), 1u);
  EXPECT_TRUE(host.Lines().isEmpty()) << host.Lines().join('|').toStdString();
}

TEST_F(Cv4Options, IdentityOnlyMeterShowsNoOptionsDetected) {
  Profile([](Corvane4Profile& p) {
    p.ClearBoards();
    for (unsigned i = 0; i < 31; ++i) p.registers[0x1591 + i] = 0xFF;
  });
  Ask();
  EXPECT_EQ(dlg->MakeLabel->text(), "CORVANE-4 v2.00");
  EXPECT_EQ(dlg->EquipLabel->text(), "TESSARY INSTRUMENTS");
  EXPECT_EQ(dlg->SerialLabel->text(), "CV4-0815");
  EXPECT_EQ(Items(dlg->OptionsListBox), QStringList{"No options detected"});
}

TEST_F(Cv4Options, VersionIsTheReplyCutToTwelveCharacters) {
  struct Case {
    const char* reply;
    QString model;
    QStringList log;
  } cases[] = {
      {"*VE 2.00", "CORVANE-4 v2.00", {}},
      {"*VE 2.00 build 7", "CORVANE-4 v2.00 bui", {}},
      {"*VE2.00", "CORVANE-4 v.00", {}},
      {"*XE 2.00 build 7", "CORVANE-4", {"Bad answer when asking for Version: ", "*XE 2.00 bui"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.reply);
    Profile([&](Corvane4Profile& p) { p.fixedReplies["*?VE"] = c.reply; });
    host.Clear();
    Ask();
    EXPECT_EQ(dlg->MakeLabel->text(), c.model);
    EXPECT_EQ(host.Lines(), c.log);
  }
}

TEST_F(Cv4Options, RadioClickDuringTheStartSequenceHasNoEffect) {
  // A bad version reply makes the start sequence log a line; the click comes then.
  Profile([](Corvane4Profile& p) { p.fixedReplies["*?VE"] = "*XE"; });
  Open();
  ExpectRotaryClickWhileReadingIgnored(*dlg, host, [this] { return Exchanged(); });
  Profile([](Corvane4Profile& p) { EXPECT_EQ(p.registers[Corvane4Profile::kRotary4], 0x00); });
}

TEST_F(Cv4Options, RotaryRoundTripBothWaysEnablesApplyOnlyOnAMatchingReadBack) {
  Ask();
  EXPECT_TRUE(dlg->CWRadioButton->isChecked());
  struct Step {
    const char* click;
    std::vector<std::string> sent;
    unsigned byte;
  } steps[] = {{"CCWRadioButton", {"*7205&", "*I20A015065A", "*?I20A01506001"}, 0x5A},
               {"CWRadioButton", {"*7205&", "*I20A0150600", "*?I20A01506001"}, 0x00}};
  for (const Step& s : steps) {
    SCOPED_TRACE(s.click);
    sim->ClearTraffic();
    host.Clear();
    dlg->findChild<QRadioButton*>(s.click)->click();
    EXPECT_EQ(Exchanged(), s.sent);
    EXPECT_TRUE(dlg->findChild<QRadioButton*>(s.click)->isChecked());
    EXPECT_TRUE(dlg->ApplyBtn->isEnabled());
    EXPECT_EQ(host.Lines(), QStringList{"New rotary configuration sent"});
    Profile([&](Corvane4Profile& p) { EXPECT_EQ(p.registers[Corvane4Profile::kRotary4], s.byte); });
  }
  // A meter that keeps its old direction: the read-back does not match, Apply stays off, no line.
  Profile([](Corvane4Profile& p) { p.fixedReplies["*?I20A01506001"] = "*I200"; });
  host.Clear();
  dlg->CCWRadioButton->click();
  EXPECT_FALSE(dlg->ApplyBtn->isEnabled());
  EXPECT_TRUE(dlg->CWRadioButton->isChecked());
  EXPECT_FALSE(dlg->CCWRadioButton->isChecked());
  EXPECT_TRUE(host.Lines().isEmpty());
  Settle();
  // A refused write is reported and reads nothing back.
  Profile([](Corvane4Profile& p) { p.refused = {"*I20A0"}; });
  sim->ClearTraffic();
  host.Clear();
  dlg->CCWRadioButton->click();
  EXPECT_EQ(Exchanged(), (std::vector<std::string>{"*7205&", "*I20A015065A"}));
  EXPECT_EQ(host.Lines(), QStringList{"Impossible to change Rotary"});
  EXPECT_FALSE(dlg->ApplyBtn->isEnabled());
}

// Apply after a confirmed change: the restart, the pumped four seconds on the equipment's clock,
// and the framework's line in place of an "Error" logged before a restart that works.
TEST_F(Cv4Options, ApplyRestartsTheMeterAfterAConfirmedChange) {
  cv::FakeClock clock;
  equip->clock = &clock;
  Ask();
  dlg->CCWRadioButton->click();
  ASSERT_TRUE(dlg->ApplyBtn->isEnabled());
  Profile([](Corvane4Profile& p) { p.restartMs = 0; });  // back before the fake clock's wait ends
  const int64_t before = clock.now;
  host.Clear();
  sim->ClearTraffic();
  dlg->ApplyBtn->click();
  const int64_t waited = clock.now - before;
  EXPECT_TRUE(waited >= 4000 && waited < 4000 + 2 * clock.pumpStepMs) << waited << " ms";
  EXPECT_EQ(Exchanged(), (std::vector<std::string>{"*AA", "*?VE"})) << "the version tells the meter came back";
  EXPECT_FALSE(dlg->ApplyBtn->isEnabled()) << "one restart per change";
  EXPECT_EQ(host.Lines().first(), "Switching the equipment off and on so that the new rotary setting takes effect");
  EXPECT_EQ(host.Lines().last(), "Rotary changed");
  Profile([](Corvane4Profile& p) {
    EXPECT_EQ(p.restarts, 1);
    EXPECT_EQ(p.registers[Corvane4Profile::kRotary4], 0x5A);
  });
}

TEST_F(Cv4Options, ApplyIsConfirmedOnlyByTheMeterAnsweringAfterIt) {
  Ask();
  ExpectApplyConfirmedOnlyByAnAnswer(*dlg, *equip, *sim, host, prompter);
}

// The date and time of the opening block are masked.
std::string Masked(const std::string& text) {
  static const QRegularExpression stamp(R"(# Start: \d+/\d+/\d{4} \(\d+:\d\d\))");
  return QString::fromStdString(text).replace(stamp, "# Start: D (T)").toStdString();
}

TEST_F(Cv4Options, SavedReportsMatchTheGoldenFiles) {
  for (auto [golden, boards] : {std::pair{"config4_options.log", true}, {"config4_no_options.log", false}}) {
    SCOPED_TRACE(golden);
    if (!boards)
      Profile([](Corvane4Profile& p) {
        p.ClearBoards();
        p.SetRegisterText(0x1591, "", 31);
      });
    Ask();
    const std::string path = start.Path(golden);
    dlg->chooseSaveFile = [&] { return QString::fromStdString(path); };
    dlg->SaveBtn->click();
    const std::string goldenPath = std::string(CV_TEST_DATA_DIR) + "/cv4/" + golden;
    if (qEnvironmentVariableIsSet("CV_UPDATE_GOLDEN")) std::ofstream(goldenPath, std::ios::binary) << Masked(cvtest::FileBytes(path));
    EXPECT_EQ(Masked(cvtest::FileBytes(path)), cvtest::FileBytes(goldenPath));
    EXPECT_TRUE(prompter.shown.empty());
  }
}

// A save that fails at its write or its open says so in a box, as every family's, and keeps the
// old file; nothing of it goes to the host log alone.
TEST_F(Cv4Options, FailedSavesAreReportedInABoxAndKeepTheOldFile) {
  Ask();
  const std::string path = start.Path("old.log");
  { std::ofstream(path) << "old contents\n"; }
  dlg->chooseSaveFile = [&] { return QString::fromStdString(path); };
  host.Clear();
  {
    cvtest::FileSizeLimit limit(40);  // the first line fits, the rest does not
    dlg->SaveBtn->click();
  }
  ASSERT_EQ(prompter.shown.size(), 1u);
  EXPECT_EQ(prompter.shown[0].text, "Impossible to write to this file");
  EXPECT_EQ(prompter.shown[0].caption, "Equipment configuration");
  EXPECT_EQ(prompter.shown[0].icon, cv::MsgIcon::Error);
  EXPECT_EQ(cvtest::FileBytes(path), "old contents\n");
  EXPECT_TRUE(host.Lines().isEmpty()) << host.Lines().join('\n').toStdString();

  dlg->chooseSaveFile = [&] { return QString::fromStdString(start.Path("missing/dir.log")); };
  dlg->SaveBtn->click();
  ASSERT_EQ(prompter.shown.size(), 2u);
  EXPECT_EQ(prompter.shown[1].text, "Impossible to open this file");

  // Under limits below, at and above the write buffer: saved whole, or a box with the old file kept.
  dlg->chooseSaveFile = [&] { return QString::fromStdString(path); };
  cvtest::ExpectWholeOrOldFile(path, [&] {
    const size_t boxes = prompter.shown.size();
    dlg->SaveBtn->click();
    return prompter.shown.size() == boxes;
  });
  EXPECT_TRUE(host.Lines().isEmpty());
}

}  // namespace
