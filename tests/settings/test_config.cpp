// The configuration dialog against the simulated instrument: what it reads, the rotary selector,
// Apply, and the save file.
#include <QApplication>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTest>
#include <QTimer>
#include <chrono>
#include <functional>
#include <fstream>
#include <sstream>

#include "ConfigDlgChecks.h"
#include "Configdlg.h"
#include "FileSizeLimit.h"
#include "HeldInput.h"
#include "SaveLimits.h"
#include "SettingsFixture.h"

namespace {

using cvsim::Corvane3Profile;

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

QStringList Items(QListWidget* list) {
  QStringList out;
  for (int i = 0; i < list->count(); ++i) out << list->item(i)->text();
  return out;
}

// The date and time of the opening block are masked.
std::string Masked(std::string text) {
  static const QRegularExpression stamp(R"(# Start: \d+/\d+/\d{4} \(\d+:\d\d\))");
  return QString::fromStdString(text).replace(stamp, "# Start: D (T)").toStdString();
}

class ConfigSim : public SettingsSim {
 protected:
  void Open() {
    dlg = std::make_unique<TConfigurationDlg>(&host.form, equip.get());
    dlg->TimerToShowForm->stop();
  }
  void Ask() {
    Open();
    dlg->AskForOptions();
  }
  std::unique_ptr<TConfigurationDlg> dlg;
};

TEST_F(ConfigSim, UnprogrammedOptionBlocksShowTheIdentityAndNoOptions) {
  Profile([](Corvane3Profile& p) { p.SetOptionBlock(0, "", "", 0xFFFF); });
  Ask();
  EXPECT_EQ(dlg->MakeLabel->text(), "CORVANE 3 v2.10");
  EXPECT_EQ(dlg->EquipLabel->text(), "TESSARY INSTRUMENTS");
  EXPECT_EQ(dlg->SerialLabel->text(), "CV3-0427");
  EXPECT_EQ(Items(dlg->OptionsListBox), QStringList{"No options detected"});
  EXPECT_FALSE(dlg->Asking());
  // The access code first, then the version, the rotary byte and the sixteen records.
  const std::vector<std::string> lines = Exchanged();
  ASSERT_GE(lines.size(), 3u);
  EXPECT_EQ(lines[0], "*7205&");
  EXPECT_EQ(lines[1], "*?VE");
  EXPECT_EQ(lines[2], "*?I20A01306001");
  EXPECT_EQ(Sent("*?I20A01086002").size(), 1u) << "each option's status is asked";
  EXPECT_TRUE(Sent("*?I20A0106C011").empty()) << "an absent option's description is not read";
}

// One row: the TER tuner's block as the instrument holds it, and the option list it gives.
struct OptionCase {
  const char* what;
  std::string description, detail;
  unsigned status;
  QStringList list;
};

TEST_F(ConfigSim, OptionLinesFollowStatusDescriptionAndDetail) {
  const std::vector<OptionCase> cases = {
      {"fitted", "TER TUNER", "5-862", 0x0102, {"0102 TER TUNER (5-862)"}},
      {"second status byte FF: absent", "TER TUNER", "5-862", 0x01FF, {"No options detected"}},
      {"17 characters without end byte", "ABCDEFGHIJKLMNOPQ", "R2", 0x0100, {"0100 ABCDEFGHIJKLMNOPQ (R2)"}},
      {"first status byte FF still fitted", "T", "", 0xFF00, {"FF00 T ()"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Profile([&](Corvane3Profile& p) { p.SetOptionBlock(0, c.description, c.detail, c.status); });
    Ask();
    EXPECT_EQ(Items(dlg->OptionsListBox), c.list);
  }
}

TEST_F(ConfigSim, SeveralOptionsAreListedInTableOrder) {
  Profile([](Corvane3Profile& p) {
    p.SetOptionBlock(12, "NICAM DECODER", "V1", 0x0001);
    p.SetOptionBlock(7, "QPSK DEMOD", "SLOT B", 0x0203);
  });
  Ask();
  EXPECT_EQ(Items(dlg->OptionsListBox),
            (QStringList{"0100 TER TUNER (5-862 MHZ)", "0203 QPSK DEMOD (SLOT B)", "0001 NICAM DECODER (V1)"}));
}

TEST_F(ConfigSim, VersionFailuresLeaveTheModelLineWithoutVersion) {
  struct Case {
    const char* what;
    bool refused;
    std::string reply;
    QStringList log;
  };
  const std::vector<Case> cases = {
      {"unanswered", true, "", {"Tx error when asking for Version"}},
      {"no *VE", false, "*XE V2.10", {"Bad answer when asking for Version: ", "*XE V2.10"}},
      {"no V after position 3", false, "*VE 2.10", {"Bad answer when asking for Version: ", "*VE 2.10"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Profile([&](Corvane3Profile& p) {
      p.refused.clear();
      p.fixedReplies.clear();
      if (c.refused)
        p.refused = {"*?VE"};
      else
        p.fixedReplies["*?VE"] = c.reply;
    });
    host.Clear();
    Ask();
    EXPECT_EQ(dlg->MakeLabel->text(), "CORVANE 3");
    EXPECT_EQ(Log(), c.log);
    Settle();
  }
}

TEST_F(ConfigSim, BadStatusReplyIsLoggedAndTheOptionLeftOut) {
  Profile([](Corvane3Profile& p) { p.fixedReplies["*?I20A0106A002"] = "*XY0102"; });
  Ask();
  EXPECT_EQ(Log(), (QStringList{"Bad answer when asking for TER tuner", "*XY0102"}));
  EXPECT_EQ(Items(dlg->OptionsListBox), QStringList{"Options not read: TER tuner"}) << "not \"No options detected\"";
}

// A status query the meter does not answer: the option is named in the log and under the list,
// never taken for absent, and Save asks before it writes a report marked incomplete.
TEST_F(ConfigSim, UnansweredOptionIsNamedAndItsReportMarkedIncomplete) {
  struct Case {
    const char* what;
    bool qpsk;
    QStringList list;
  } cases[] = {
      {"beside a fitted option", true, {"0203 QPSK DEMOD (SLOT B)", "Options not read: TER tuner"}},
      {"the only option", false, {"Options not read: TER tuner"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Profile([&](Corvane3Profile& p) {
      p.refused = {"*?I20A0106A002"};  // the TER tuner's status word
      if (c.qpsk)
        p.SetOptionBlock(7, "QPSK DEMOD", "SLOT B", 0x0203);
      else
        p.SetOptionBlock(7, "", "", 0xFFFF);
    });
    host.Clear();
    Ask();
    Settle();
    EXPECT_EQ(Items(dlg->OptionsListBox), c.list);
    EXPECT_EQ(Log(), QStringList{"Tx error when asking for TER tuner"});
  }

  const std::string path = start.Path("report.log");
  int chosen = 0;
  dlg->chooseSaveFile = [&] {
    ++chosen;
    return QString::fromStdString(path);
  };
  prompter.answers = {cv::MsgAnswer::No};
  dlg->SaveBtn->click();
  ASSERT_EQ(prompter.shown.size(), 1u);
  EXPECT_EQ(prompter.shown[0].text,
            "The equipment did not tell whether these options are fitted: TER tuner.\nThe report lacks them. Save it "
            "marked incomplete?");
  EXPECT_EQ(chosen, 0);
  EXPECT_FALSE(QFile::exists(QString::fromStdString(path)));

  prompter.answers = {cv::MsgAnswer::Yes};
  dlg->SaveBtn->click();
  EXPECT_EQ(Masked(ReadFile(path)),
            "#File generated by CvTools\n#\n# Equipment configuration\n# Start: D (T)\n#\nCORVANE 3 v2.10\n"
            "TESSARY INSTRUMENTS\nCV3-0427\n#Incomplete report: options not read: TER tuner\n#\n"
            "#End of equipment configuration\n");
  // Where identity lines alone would say "No options detected", an incomplete report does not.
  EXPECT_EQ(cv::settings::ConfigurationFileText({"M", "K", "S"}, "d", "t", 3, false, {}, {"QAM", "DAB"}),
            "#File generated by CvTools\n#\n# Equipment configuration\n# Start: d (t)\n#\nM\nK\nS\n"
            "#Incomplete report: options not read: QAM, DAB\n#\n#End of equipment configuration\n");
}

TEST_F(ConfigSim, RefusedAccessCodeClosesTheDialogWithoutAsking) {
  Profile([](Corvane3Profile& p) { p.refused = {"*7205&"}; });
  Open();
  dlg->show();
  dlg->AskForOptions();
  EXPECT_FALSE(dlg->isVisible());
  EXPECT_EQ(dlg->result(), QDialog::Rejected);
  EXPECT_EQ(Log(), QStringList{"Error when going to protected mode"});
  EXPECT_EQ(Exchanged(), std::vector<std::string>{"*7205&"});
}

TEST_F(ConfigSim, RotaryByteChecksItsButton) {
  for (auto [byte, ccw] : {std::pair{0x5A, true}, {0x00, false}, {0xA5, false}}) {
    SCOPED_TRACE(byte);
    Profile([b = byte](Corvane3Profile& p) { p.registers[Corvane3Profile::kRotaryAddress] = static_cast<unsigned char>(b); });
    Ask();
    EXPECT_EQ(dlg->CCWRadioButton->isChecked(), ccw);
    EXPECT_EQ(dlg->CWRadioButton->isChecked(), !ccw);
    EXPECT_FALSE(dlg->ApplyBtn->isEnabled());
    EXPECT_TRUE(Sent("*I20A0").empty()) << "reading the options writes nothing";
  }
}

TEST_F(ConfigSim, RotaryRoundTripBothWays) {
  Ask();
  sim->ClearTraffic();
  host.Clear();
  dlg->CCWRadioButton->click();
  EXPECT_EQ(Exchanged(), (std::vector<std::string>{"*7205&", "*I20A013065A", "*?I20A01306001"}));
  EXPECT_TRUE(dlg->CCWRadioButton->isChecked());
  EXPECT_FALSE(dlg->CWRadioButton->isChecked());
  EXPECT_TRUE(dlg->ApplyBtn->isEnabled());
  EXPECT_EQ(Log(), QStringList{"New rotary configuration sent"});
  Profile([](Corvane3Profile& p) { EXPECT_EQ(p.registers[Corvane3Profile::kRotaryAddress], 0x5A); });

  sim->ClearTraffic();
  dlg->CWRadioButton->click();
  EXPECT_EQ(Exchanged(), (std::vector<std::string>{"*7205&", "*I20A0130600", "*?I20A01306001"}));
  EXPECT_TRUE(dlg->CWRadioButton->isChecked());
  EXPECT_FALSE(dlg->CCWRadioButton->isChecked());
  EXPECT_TRUE(dlg->ApplyBtn->isEnabled());
  Profile([](Corvane3Profile& p) { EXPECT_EQ(p.registers[Corvane3Profile::kRotaryAddress], 0x00); });
}

TEST_F(ConfigSim, UnansweredReadBackConfirmsClockwiseOnly) {
  Ask();
  Profile([](Corvane3Profile& p) { p.refused = {"*?I20A01306"}; });
  host.Clear();
  dlg->CCWRadioButton->click();
  EXPECT_FALSE(dlg->ApplyBtn->isEnabled());
  EXPECT_EQ(Log(), QStringList{"Tx error when asking for Rotary"});
  EXPECT_TRUE(dlg->CCWRadioButton->isChecked()) << "the buttons stay as the click left them";
  Settle();
  host.Clear();
  dlg->CWRadioButton->click();
  EXPECT_TRUE(dlg->ApplyBtn->isEnabled());
  EXPECT_EQ(Log(), (QStringList{"Tx error when asking for Rotary", "New rotary configuration sent"}));
}

TEST_F(ConfigSim, RefusedRotaryStepsStopBeforeTheNext) {
  Ask();
  struct Case {
    std::string silent;
    QString log;
    std::vector<std::string> sent;
  };
  for (const Case& c : {Case{"*7205&", "Error when going to protected mode", {"*7205&"}},
                        Case{"*I20A0", "Impossible to change Rotary", {"*7205&", "*I20A013065A"}}}) {
    SCOPED_TRACE(c.silent);
    Profile([&](Corvane3Profile& p) { p.refused = {c.silent}; });
    Settle();
    sim->ClearTraffic();
    host.Clear();
    dlg->CCWRadioButton->click();
    EXPECT_EQ(Exchanged(), c.sent);
    EXPECT_EQ(Log(), QStringList{c.log});
    EXPECT_FALSE(dlg->ApplyBtn->isEnabled());
  }
}

TEST_F(ConfigSim, ApplyRestartsTheInstrumentAndWaitsFourSeconds) {
  cv::FakeClock clock;
  equip->clock = &clock;
  Ask();
  dlg->CCWRadioButton->click();
  Profile([](Corvane3Profile& p) { p.restartMs = 0; });  // back before the fake clock's wait ends
  host.Clear();
  sim->ClearTraffic();
  dlg->ApplyBtn->click();
  EXPECT_FALSE(dlg->ApplyBtn->isEnabled());
  EXPECT_EQ(Exchanged(), (std::vector<std::string>{"*AA", "*?VE"})) << "the version tells the meter came back";
  EXPECT_GE(clock.now, 4000);
  EXPECT_LT(clock.now, 4000 + clock.pumpStepMs * 2);
  EXPECT_EQ(Log(), (QStringList{"Switching the equipment off and on so that the new rotary setting takes effect",
                                "Rotary changed"}));
  Profile([](Corvane3Profile& p) { EXPECT_EQ(p.restarts, 1); });
}

TEST_F(ConfigSim, ApplyIsConfirmedOnlyByTheMeterAnsweringAfterIt) {
  Ask();
  ExpectApplyConfirmedOnlyByAnAnswer(*dlg, *equip, *sim, host, prompter);
}

TEST_F(ConfigSim, RestartedInstrumentAnswersOnlyOnceItIsReady) {
  Profile([](Corvane3Profile& p) { p.restartMs = 200; });
  ASSERT_TRUE(equip->SendCommand("*AA"));
  const auto sent = std::chrono::steady_clock::now();
  char reply[256];
  EXPECT_TRUE(equip->Query("*?VE", reply));
  EXPECT_GE(std::chrono::steady_clock::now() - sent, std::chrono::milliseconds(180)) << "the line stays quiet meanwhile";
  EXPECT_STREQ(reply, "*VE V2.10");
}

// A person pressing everything while an exchange of the dialog runs: Save, Close, both rotary
// buttons, Apply, Esc and the close box, queued to the window as the window system delivers input
// (at a log line and at every pass of the event loop the exchange lets run: what comes after its
// last one is held until it ends). Nothing acts, then or afterwards: the meter receives what it
// receives undisturbed, no save is asked, the dialog stays, and the controls come back when the
// exchange ends.
TEST_F(ConfigSim, NoControlActsWhileAnExchangeRuns) {
  cv::FakeClock clock;
  equip->clock = &clock;
  struct Row {
    const char* what;
    std::function<void()> before;  // brings the dialog to the exchange
    std::function<void(TConfigurationDlg&)> run;
  };
  const Row rows[] = {
      // A meter with an odd version reply: the read logs it and reads on.
      {"reading", [this] { Open(); }, [](TConfigurationDlg& d) { d.AskForOptions(); }},
      {"rotary to CCW", [this] { Ask(); }, [](TConfigurationDlg& d) { d.CCWRadioButton->click(); }},
      {"rotary to CW",
       [this] {
         Profile([](Corvane3Profile& p) { p.registers[Corvane3Profile::kRotaryAddress] = 0x5A; });
         Ask();
       },
       [](TConfigurationDlg& d) { d.CWRadioButton->click(); }},
      {"restart",
       [this] {
         Ask();
         dlg->CCWRadioButton->click();
       },
       [](TConfigurationDlg& d) { d.ApplyBtn->click(); }},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    std::vector<std::string> undisturbed;
    for (const bool underFire : {false, true}) {
      Profile([](Corvane3Profile& p) {
        p.registers[Corvane3Profile::kRotaryAddress] = 0x00;
        p.fixedReplies["*?VE"] = "*XE V9";
        p.restartMs = 0;  // the next row starts at once
      });
      Settle();
      row.before();
      dlg->show();
      int saveAsked = 0;
      dlg->chooseSaveFile = [&] {
        ++saveAsked;
        return QString();
      };
      bool inside = false, anyOn = false;
      int presses = 0;
      const auto pressEverything = [&] {
        if (!underFire || !inside) return;
        ++presses;
        for (QAbstractButton* b : std::initializer_list<QAbstractButton*>{dlg->SaveBtn, dlg->CancelBtn, dlg->CWRadioButton,
                                                                          dlg->CCWRadioButton, dlg->ApplyBtn}) {
          anyOn = anyOn || b->isEnabled();
          cvtest::QueueClick(b, QPoint(6, b->height() / 2));  // a radio's mark
        }
        cvtest::QueueKey(dlg.get(), Qt::Key_Escape);
        cvtest::QueueCloseRequest(dlg.get());
      };
      const QMetaObject::Connection logged =
          QObject::connect(host.memo, &QPlainTextEdit::textChanged, pressEverything);
      QTimer pumped;
      pumped.setInterval(0);
      QObject::connect(&pumped, &QTimer::timeout, pressEverything);
      Settle();
      sim->ClearTraffic();
      pumped.start();
      inside = true;
      row.run(*dlg);
      inside = false;
      pumped.stop();
      QObject::disconnect(logged);
      cvtest::DrainEvents();
      Settle();
      if (!underFire) {
        undisturbed = Exchanged();
        ASSERT_FALSE(undisturbed.empty());
        continue;
      }
      ASSERT_GT(presses, 0) << "the exchange met no input";
      EXPECT_FALSE(anyOn) << "a control was on mid-exchange";
      EXPECT_TRUE(dlg->isVisible());
      EXPECT_EQ(saveAsked, 0);
      EXPECT_EQ(Exchanged(), undisturbed) << "the meter receives what it receives undisturbed";
      for (QWidget* w : std::initializer_list<QWidget*>{dlg->SaveBtn, dlg->CancelBtn, dlg->CWRadioButton, dlg->CCWRadioButton})
        EXPECT_TRUE(w->isEnabled()) << w->objectName().toStdString() << " back after the exchange";
    }
  }
  EXPECT_TRUE(prompter.shown.empty());
}

TEST_F(ConfigSim, SaveFileMatchesTheGoldenFiles) {
  for (auto [golden, options] : {std::pair{"config_options.log", true}, {"config_no_options.log", false}}) {
    SCOPED_TRACE(golden);
    Profile([o = options](Corvane3Profile& p) {
      if (o) {
        p.SetOptionBlock(0, "TER TUNER", "5-862 MHZ", 0x0102);
        p.SetOptionBlock(3, "MONITOR 4IN", "", 0x0100);
      } else {
        p.SetOptionBlock(0, "", "", 0xFFFF);
        p.SetOptionBlock(3, "", "", 0xFFFF);
      }
    });
    Ask();
    const std::string path = start.Path("saved.log");
    dlg->chooseSaveFile = [&] { return QString::fromStdString(path); };
    dlg->SaveBtn->click();
    const std::string expected = ReadFile(std::string(CV_TEST_DATA_DIR) + "/settings/" + golden);
    EXPECT_EQ(Masked(ReadFile(path)), expected);
    EXPECT_TRUE(prompter.shown.empty());
  }
}

TEST_F(ConfigSim, SaveWithoutAnyLineWritesNoOptionsInPlaceOfTheListAndEnd) {
  const std::string text = cv::settings::ConfigurationFileText({}, "1/2/2026", "9:05");
  EXPECT_EQ(text, "#File generated by CvTools\n#\n# Equipment configuration\n# Start: 1/2/2026 (9:05)\n#\nNo options detected");
}

TEST_F(ConfigSim, FailedSavesAreReportedAndKeepTheOldFile) {
  Ask();
  const std::string path = start.Path("old.log");
  { std::ofstream(path) << "old contents\n"; }
  dlg->chooseSaveFile = [&] { return QString::fromStdString(path); };
  {
    cvtest::FileSizeLimit limit(40);
    dlg->SaveBtn->click();
  }
  ASSERT_EQ(prompter.shown.size(), 1u);
  EXPECT_EQ(prompter.shown[0].text, "Impossible to write to this file");
  EXPECT_EQ(ReadFile(path), "old contents\n");

  dlg->chooseSaveFile = [&] { return QString::fromStdString(start.Path("missing/dir.log")); };
  dlg->SaveBtn->click();
  ASSERT_EQ(prompter.shown.size(), 2u);
  EXPECT_EQ(prompter.shown[1].text, "Impossible to open this file");

  // Under file-size limits below, at and above the write buffer: saved whole or reported.
  dlg->chooseSaveFile = [&] { return QString::fromStdString(path); };
  cvtest::ExpectWholeOrOldFile(path, [&] {
    const size_t boxes = prompter.shown.size();
    dlg->SaveBtn->click();
    return prompter.shown.size() == boxes;
  });
}

TEST_F(ConfigSim, CancelledSaveWritesNothing) {
  Ask();
  dlg->chooseSaveFile = [] { return QString(); };
  dlg->SaveBtn->click();
  EXPECT_TRUE(QDir(start.path()).entryList(QDir::Files).isEmpty());
  EXPECT_TRUE(prompter.shown.empty());
}

}  // namespace
