// The monitor dialog against the simulated instrument: its polling cycle, retuning, channel steps,
// measure type and standard, close, focus, and the failed-exchange warnings across dialogs.
#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTextDocument>
#include <QTimer>
#include <chrono>
#include <thread>

#include "Monidlg.h"
#include "SettingsFixture.h"

namespace {

using cvsim::Corvane3Profile;

class MonitorSim : public SettingsSim {
 protected:
  void Open() { dlg = std::make_unique<TMonitorDlg>(&host.form, equip.get()); }
  // Runs the event loop for `ms`.
  static void Spin(int ms) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
    while (std::chrono::steady_clock::now() < end) {
      QApplication::processEvents(QEventLoop::AllEvents, 10);
      std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
  }
  void StorePlan(int count) {
    Profile([count](Corvane3Profile& p) {
      Corvane3Profile::StoredPlan plan;
      plan.name = "UHF";
      for (int i = 0; i < count; ++i) plan.channels.push_back({"C2" + std::to_string(i), 0x27DBu + 160u * i, 0, {}});
      p.plans[1] = plan;
      p.activePlan = 1;
      p.activeChannel = count > 0 ? 0 : -1;
    });
  }
  std::unique_ptr<TMonitorDlg> dlg;
};

TEST_F(MonitorSim, OneCycleShowsWhatTheInstrumentMeasures) {
  Profile([](Corvane3Profile& p) {
    p.measureMode = 0;
    p.systemReply = "*SY130";
  });
  Open();
  dlg->ReceiveAll();
  EXPECT_EQ(Exchanged(), (std::vector<std::string>{"*?SY", "*?ME", "*?LV", "*?FR", "*?CF"}));
  EXPECT_EQ(dlg->DisplayMemo->toPlainText(), "\nLEVEL\n +  72.00 dBuV   471.25 MHz");
  EXPECT_EQ(dlg->FreqEdit->text(), "471.25");
  EXPECT_EQ(dlg->BandLabel->text(), "TER");
  EXPECT_TRUE(dlg->ChannelEdit->text().isEmpty());
  EXPECT_EQ(dlg->StdRadioGroup->ItemIndex(), 6);
  EXPECT_EQ(dlg->MeasRadioGroup->ItemIndex(), 0);
  EXPECT_TRUE(Sent("*SY").empty() && Sent("*ME").empty()) << "the cycle's own selections send nothing";
  EXPECT_TRUE(dlg->TimerToReceiveAll->isActive());
}

// The display is rewritten line by line where it changed: each cycle must still show exactly what
// that cycle measured, when a figure changes and when the mode adds or drops a line.
TEST_F(MonitorSim, EachCycleShowsItsOwnReadingAsTheSignalAndTheModeChange) {
  StorePlan(3);
  std::string tuning;
  Profile([&tuning](Corvane3Profile& p) {
    p.measureMode = 0;
    p.systemReply = "*SY130";
    p.levelFlickerDb = 1.0;
    tuning = p.lastTuning;
  });
  Open();
  const QString level = "\nLEVEL\n +  72.00 dBuV   471.25 MHz";
  dlg->ReceiveAll();
  EXPECT_EQ(dlg->DisplayMemo->toPlainText(), level);
  dlg->ReceiveAll();
  EXPECT_EQ(dlg->DisplayMemo->toPlainText(), "\nLEVEL\n +  73.00 dBuV   471.25 MHz");
  Profile([](Corvane3Profile& p) {
    p.tuneByChannel = true;
    p.activeChannel = 2;
    p.measureMode = 4;
    p.lastTuning = "*FRS3EF4";
  });
  dlg->ReceiveAll();
  EXPECT_EQ(dlg->DisplayMemo->toPlainText(), "\nBER (QPSK)\n 2.1E-06    1535.0 MHz\nC22  (UHF     ) ");
  Profile([&tuning](Corvane3Profile& p) {
    p.tuneByChannel = false;
    p.measureMode = 0;
    p.lastTuning = tuning;
  });
  dlg->ReceiveAll();
  EXPECT_EQ(dlg->DisplayMemo->toPlainText(), level);
  EXPECT_EQ(dlg->DisplayMemo->document()->availableUndoSteps(), 0) << "hours of polling keep no undo history";
}

TEST_F(MonitorSim, ChannelModeAddsThePlanQueriesAndTheChannelLine) {
  StorePlan(3);
  Profile([](Corvane3Profile& p) {
    p.tuneByChannel = true;
    p.activeChannel = 2;
    p.measureMode = 4;
    p.lastTuning = "*FRS3EF4";
  });
  Open();
  dlg->ReceiveAll();
  EXPECT_EQ(Exchanged(), (std::vector<std::string>{"*?SY", "*?ME", "*?LV", "*?FR", "*?CF", "*?SC", "*?JI01", "*?CH",
                                                   "*?CI0201"}));
  EXPECT_EQ(dlg->DisplayMemo->toPlainText(), "\nBER (QPSK)\n 2.1E-06    1535.0 MHz\nC22  (UHF     ) ");
  EXPECT_EQ(dlg->ChannelEdit->text(), "C22  (UHF     ) ");
  EXPECT_EQ(dlg->BandLabel->text(), "SAT");
}

TEST_F(MonitorSim, ChannelStepsWrapAndAnEmptyPlanSendsNothing) {
  struct Case {
    int count, active;
    bool up;
    std::vector<std::string> sent;
    QStringList log;
  };
  const std::vector<Case> cases = {
      {3, 2, true, {"*CH00"}, {}},
      {3, 0, false, {"*CH02"}, {}},
      {3, 1, true, {"*CH02"}, {}},
      {3, 7, true, {"*CH00"}, {}},
      {3, 7, false, {"*CH02"}, {}},
      {0, 0, true, {}, {"The active plan holds no channels: no channel selected"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::to_string(c.active) + "/" + std::to_string(c.count) + (c.up ? " up" : " down"));
    StorePlan(c.count);
    Profile([&](Corvane3Profile& p) {
      p.activeChannel = c.active;
      p.tuneByChannel = true;
    });
    Open();
    dlg->Poller().channelMode = true;
    Settle();
    sim->ClearTraffic();
    host.Clear();
    dlg->ChannelUpDownClick(c.up);
    EXPECT_EQ(Sent("*CH"), c.sent);
    EXPECT_EQ(Log(), c.log);
    EXPECT_TRUE(dlg->ChannelUpDown->isEnabled());
    EXPECT_TRUE(dlg->TimerToReceiveAll->isActive());
  }
}

TEST_F(MonitorSim, ChannelStepFromFrequencyModeSwitchesFirstAndReportsAMissingPlan) {
  Open();
  dlg->ChannelUpDownClick(true);
  EXPECT_EQ(Sent("*CF"), std::vector<std::string>{"*CF"});
  EXPECT_EQ(Log(), (QStringList{"There is no active plan in equipment:", "*SC!!"}));
  EXPECT_TRUE(Sent("*CH").empty());
}

TEST_F(MonitorSim, TypedFrequencyIsTunedOrRefused) {
  Open();
  equip->modelVariant = 4;
  dlg = std::make_unique<TMonitorDlg>(&host.form, equip.get());
  dlg->FreqEdit->setText("600");
  dlg->OnExitFreqEdit();
  EXPECT_TRUE(dlg->FreqEdit->text().isEmpty());
  EXPECT_EQ(prompter.beeps, 1);
  EXPECT_TRUE(Sent("*FR").empty());
  dlg->FreqEdit->setText("1200");
  dlg->OnExitFreqEdit();
  EXPECT_EQ(Sent("*FR"), std::vector<std::string>{"*FRS347c"});
  EXPECT_EQ(prompter.beeps, 1);
  EXPECT_TRUE(dlg->TimerToReceiveAll->isActive());
}

TEST_F(MonitorSim, MeasureAndStandardClicksSendTheirCommands) {
  Open();
  dlg->MeasRadioGroup->findChild<QRadioButton*>("Item5")->click();
  dlg->StdRadioGroup->findChild<QRadioButton*>("Item8")->click();
  EXPECT_EQ(Sent("*ME"), std::vector<std::string>{"*ME5"});
  EXPECT_EQ(Sent("*SY"), std::vector<std::string>{"*SY24"});
  Profile([](Corvane3Profile& p) {
    EXPECT_EQ(p.measureMode, 5);
    EXPECT_EQ(p.systemReply.substr(0, 5), "*SY24");
  });
}

TEST_F(MonitorSim, WarningsCountAcrossMonitorDialogs) {
  Profile([](Corvane3Profile& p) { p.refused = {"*?SY"}; });
  Open();
  for (int i = 0; i < 11; ++i) dlg->ReceiveAll();
  EXPECT_EQ(Log(), QStringList{"Warning 1. Communication is not optimum"});
  dlg.reset();
  Open();
  for (int i = 0; i < 10; ++i) dlg->ReceiveAll();
  EXPECT_EQ(Log().size(), 1);
  dlg->ReceiveAll();
  EXPECT_EQ(Log(), (QStringList{"Warning 1. Communication is not optimum", "Warning 2. Communication is not optimum"}));
  EXPECT_EQ(equip->monitorTxWarnings, 2);
}

// Close, Esc or the close box pressed while a cycle runs: the cycle ends its exchanges, then the
// dialog closes.
TEST_F(MonitorSim, CloseDuringACycleWaitsForItsEnd) {
  enum class Way { Close, Esc, CloseBox };
  for (Way way : {Way::Close, Way::Esc, Way::CloseBox}) {
    SCOPED_TRACE(static_cast<int>(way));
    cv::settings::Link link = cv::settings::EquipLink(equip.get());
    TMonitorDlg* target = nullptr;
    auto query = link.query;
    link.query = [&, query](const std::string& c, std::string& reply) {
      if (c == "*?LV" && target && !target->Closing()) {
        if (way == Way::Close) QTest::mouseClick(target->CloseBtn, Qt::LeftButton);
        if (way == Way::Esc) QTest::keyClick(target, Qt::Key_Escape);
        if (way == Way::CloseBox) target->close();
        EXPECT_TRUE(target->isVisible()) << "the cycle is not cut";
      }
      return query(c, reply);
    };
    dlg = std::make_unique<TMonitorDlg>(&host.form, equip.get(), link);
    target = dlg.get();
    sim->ClearTraffic();
    const int result = dlg->exec();
    EXPECT_EQ(result, QDialog::Accepted);
    EXPECT_EQ(dlg->CloseBtn->text(), "Wait...");
    EXPECT_EQ(dlg->Cycles(), 1);
    EXPECT_EQ(Sent("*?SY").size(), 1u) << "no cycle starts after Close";
    EXPECT_EQ(Sent("*?CF").size(), 1u) << "the cycle ran to its end";
    EXPECT_FALSE(dlg->DisplayMemo->toPlainText().isEmpty());
    dlg.reset();
  }
}

TEST_F(MonitorSim, OpensOnTheDisplayAndTheFrequencyEditStopsPolling) {
  Open();
  dlg->show();
  dlg->activateWindow();
  Spin(300);
  EXPECT_EQ(QApplication::focusWidget(), dlg->DisplayMemo);
  EXPECT_GT(dlg->Cycles(), 0);
  EXPECT_FALSE(Sent("*?SY").empty());

  dlg->FreqEdit->setFocus();
  Spin(50);
  ASSERT_EQ(QApplication::focusWidget(), dlg->FreqEdit);
  const int cycles = dlg->Cycles();
  Spin(300);
  EXPECT_EQ(dlg->Cycles(), cycles) << "no polling while the edit holds the focus";
  EXPECT_FALSE(dlg->TimerToReceiveAll->isActive());

  dlg->FreqEdit->setText("1200");
  sim->ClearTraffic();
  dlg->DisplayMemo->setFocus();
  Spin(300);
  EXPECT_FALSE(Sent("*FRS347c").empty()) << "leaving the edit tunes its frequency";
  EXPECT_GT(dlg->Cycles(), cycles);
  dlg->hide();
}

// Switching to another window half-way through typing is no exit from the field: nothing is tuned
// and polling stays stopped until the user leaves it within the dialog.
TEST_F(MonitorSim, AnotherWindowTakingTheFocusNeitherTunesNorResumesPolling) {
  Open();
  dlg->show();
  dlg->activateWindow();
  Spin(100);
  dlg->FreqEdit->setFocus(Qt::TabFocusReason);
  Spin(20);
  ASSERT_EQ(QApplication::focusWidget(), dlg->FreqEdit);
  dlg->FreqEdit->clear();
  QTest::keyClicks(dlg->FreqEdit, "12");
  sim->ClearTraffic();
  const int cycles = dlg->Cycles();

  QWidget other;
  other.show();
  other.activateWindow();
  Spin(100);
  ASSERT_NE(QApplication::activeWindow(), dlg.get());
  dlg->activateWindow();
  Spin(100);
  ASSERT_EQ(QApplication::focusWidget(), dlg->FreqEdit);
  // Deactivation by a popup comes the same way.
  QFocusEvent popup(QEvent::FocusOut, Qt::PopupFocusReason);
  QApplication::sendEvent(dlg->FreqEdit, &popup);
  Spin(300);
  EXPECT_TRUE(Sent("*FR").empty()) << "the half-typed 12 MHz was tuned";
  EXPECT_EQ(dlg->Cycles(), cycles) << "polling resumed while the field has the focus";
  EXPECT_FALSE(dlg->TimerToReceiveAll->isActive());

  QTest::keyClicks(dlg->FreqEdit, "00");
  QTest::keyClick(dlg->FreqEdit, Qt::Key_Return);
  Spin(100);
  EXPECT_EQ(Sent("*FR"), std::vector<std::string>{"*FRS347c"});
  EXPECT_GT(dlg->Cycles(), cycles);
  dlg->hide();
}

TEST_F(MonitorSim, EnterInTheFrequencyEditMovesTheFocusToTheMeasureGroup) {
  Open();
  dlg->show();
  dlg->activateWindow();
  Spin(50);
  dlg->FreqEdit->setFocus();
  Spin(20);
  dlg->FreqEdit->setText("850");
  QKeyEvent press(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
  QApplication::sendEvent(dlg->FreqEdit, &press);
  Spin(50);
  EXPECT_NE(QApplication::focusWidget(), dlg->FreqEdit);
  EXPECT_EQ(QApplication::focusWidget()->parentWidget()->parentWidget(), dlg->MeasRadioGroup);
  EXPECT_FALSE(Sent("*FRT").empty());
  dlg->hide();
}

}  // namespace
