// The DV-800 monitor against the simulated meter over a pseudo-terminal: the display of each
// reading, the frequency arrows and typed frequencies inside the terrestrial band, the channel
// steps, the cycle that still shows what it read when the tuning mode or channel lookups fail,
// and the failed-exchange warnings across openings.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <chrono>
#include <thread>

#include "AppServices.h"
#include "Clock.h"
#include "Dv8Equip.h"
#include "Dv8Monitor.h"
#include "Dv8Sim.h"
#include "FamilySettingsSim.h"
#include "HostForm.h"
#include "Monidlg.h"
#include "ToolButtonChecks.h"

using cv::dv8::TDV8Equip;
using cvsim::Dv8Profile;

namespace {

class Dv8Monitor : public FamilySettingsSim<Dv8Sim, TDV8Equip> {
 protected:
  void SetUp() override {
    FamilySettingsSim::SetUp();
    equip->clock = &clock;
  }
  void Open() {
    dlg.reset();
    std::unique_ptr<QDialog> made = cv::dv8::MakeDv8MonitorDlg(*equip);
    dlg.reset(static_cast<TMonitorDlg*>(made.release()));
  }
  void StorePlan(int count, const std::string& name = "UHF") {
    Profile([count, name](Dv8Profile& p) {
      Dv8Profile::StoredPlan plan;
      plan.name = name;
      for (int i = 0; i < count; ++i) plan.channels.push_back({"C2" + std::to_string(i), 0x27DBu + 160u * i, 0, {}});
      p.plans[1] = plan;
      p.activePlan = 1;
      p.activeChannel = count > 0 ? 0 : -1;
    });
  }
  QString Display() const { return dlg->DisplayMemo->toPlainText(); }
  // What the meter was told to do: the commands without the queries of a poll cycle, which the
  // monitor's running timer may slip in while a handler waits for its answer.
  std::vector<std::string> Commands() {
    std::vector<std::string> out;
    for (const std::string& l : Sent("*"))
      if (l.rfind("*?", 0) != 0) out.push_back(l);
    return out;
  }

  cv::FakeClock clock;
  std::unique_ptr<TMonitorDlg> dlg;
};

TEST_F(Dv8Monitor, TheFormIsTheTerrestrialMetersOwn) {
  Open();
  QStringList meas, std;
  for (int i = 0; auto* b = dlg->MeasRadioGroup->findChild<QRadioButton*>(QString("Item%1").arg(i)); ++i)
    meas << b->text();
  for (int i = 0; auto* b = dlg->StdRadioGroup->findChild<QRadioButton*>(QString("Item%1").arg(i)); ++i)
    std << b->text();
  EXPECT_EQ(meas, (QStringList{"Level", "Video/Audio", "Power", "C/N auto", "C/N referenced"}));
  EXPECT_EQ(std, (QStringList{"PAL BG", "PAL DK", "PAL I", "PAL M", "PAL N", "SECAM BG", "SECAM L", "SECAM DK",
                              "NTSC M", "DIGITAL"}));
  EXPECT_EQ(dlg->MeasRadioGroup->ItemIndex(), 0);
  EXPECT_EQ(dlg->StdRadioGroup->ItemIndex(), -1);
  EXPECT_TRUE(dlg->BandLabel->isHidden());
}

TEST_F(Dv8Monitor, EachReadingIsShownAsTheMeterReportsIt) {
  struct Row {
    const char* name;
    int mode;
    const char* lv;      // nullptr: the meter's own reply
    const char* system;
    QString display;
    int measItem, stdItem;
  } rows[] = {
      {"impossible", 0, "*LV!?000", "*SY100", "\nLEVEL\n- - - dBuV   471.25 MHz", 0, 5},
      {"equal flag", 0, "*LV=+1F4", "*SY360", "\nLEVEL\n +  50.00 dBuV   471.25 MHz", 0, 9},
      {"less flag", 2, "*LV<-1F4", "*SY240", "\nCHANNEL POWER\n<-  50.00 dBuV   471.25 MHz", 2, 8},
      {"ratio", 1, "*LV=+17F", "*SY010", "\nVIDEO/AUDIO\n +  38.30 dB   471.25 MHz", 1, 1},
      {"C/N auto", 3, "*LV=+17F", "*SY130", "\nC/N (Auto)\n +  38.30 dB   471.25 MHz", 3, 6},
      {"BER COFDM", 6, "*LV=+A3E", "*SY000", "\nBER (COFDM)\n 8.1E-01    471.25 MHz", -1, 0},
      {"BER QAM", 5, "*LV!?000", "*SY000", "\nBER (QAM)\n- - -    471.25 MHz", -1, 0},
      {"BER QPSK", 4, "*LV=+A3E", "*SY000", "\nBER (QPSK)\n 8.1E-01    471.25 MHz", -1, 0},
      {"C/N referenced", 7, "*LV=+17F", "*SY110", "\nC/N (Referenced)\n +  38.30 dB   471.25 MHz", 4, 7},
      {"unknown standard", 0, "*LV=+1F4", "*SY990", "\nLEVEL\n +  50.00 dBuV   471.25 MHz", 0, 0},
      {"short standard", 0, "*LV=+1F4", "*SY", "\nLEVEL\n +  50.00 dBuV   471.25 MHz", 0, 0},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    Profile([&](Dv8Profile& p) {
      p.measureMode = r.mode;
      p.systemReply = r.system;
      p.fixedReplies.clear();
      if (r.lv) p.fixedReplies["*?LV"] = r.lv;
    });
    Open();
    // A selection the reading does not name is cleared.
    dlg->MeasRadioGroup->SetItemIndex(3);
    sim->ClearTraffic();
    dlg->ReceiveAll();
    EXPECT_EQ(Display(), r.display);
    EXPECT_EQ(dlg->FreqEdit->text(), "471.25");
    EXPECT_EQ(dlg->MeasRadioGroup->ItemIndex(), r.measItem);
    EXPECT_EQ(dlg->StdRadioGroup->ItemIndex(), r.stdItem);
    EXPECT_TRUE(Sent("*SY").empty() && Sent("*ME").empty()) << "the cycle's own selections send nothing";
  }
}

TEST_F(Dv8Monitor, FrequenciesAlwaysHaveTwoDecimals) {
  Profile([](Dv8Profile& p) { p.lastTuning = "*FRT4662"; });  // 862 MHz
  Open();
  dlg->ReceiveAll();
  EXPECT_EQ(dlg->FreqEdit->text(), "862.00");
  EXPECT_TRUE(Display().endsWith("862.00 MHz"));
}

TEST_F(Dv8Monitor, ArrowsAndTypedFrequenciesStayInsideTheBand) {
  Open();
  struct Row {
    const char* text;
    bool up;
    std::vector<std::string> sent;
  } arrows[] = {
      {"862.00", true, {}},           {"5.00", false, {}},          {"100.00", true, {"*FRT0adb"}},
      {"100.00", false, {"*FRT0ad9"}}, {"861.95", true, {"*FRT4662"}}, {"5.05", false, {"*FRT036e"}},
      {"", true, {}},
  };
  for (const Row& r : arrows) {
    SCOPED_TRACE(std::string(r.text) + (r.up ? " up" : " down"));
    sim->ClearTraffic();
    dlg->FreqEdit->setText(r.text);
    dlg->FreqUpDownClick(r.up);
    EXPECT_EQ(Commands(), r.sent);
    EXPECT_TRUE(dlg->FreqUpDown->isEnabled());
    EXPECT_TRUE(dlg->TimerToReceiveAll->isActive());
  }
  struct Typed {
    const char* text;
    std::vector<std::string> sent;
    bool cleared;
  } typed[] = {
      {"900", {}, true}, {"862.05", {}, true}, {"4.95", {}, true}, {"abc", {}, true},
      {"", {}, false},   {"862", {"*FRT4662"}, false}, {"5", {"*FRT036e"}, false},
  };
  for (const Typed& t : typed) {
    SCOPED_TRACE(t.text);
    sim->ClearTraffic();
    prompter.beeps = 0;
    dlg->FreqEdit->setText(t.text);
    dlg->OnExitFreqEdit();
    EXPECT_EQ(Commands(), t.sent);
    EXPECT_EQ(prompter.beeps, t.cleared ? 1 : 0);
    EXPECT_EQ(dlg->FreqEdit->text().isEmpty(), t.cleared || !*t.text);
  }
}

TEST_F(Dv8Monitor, ChannelModeShowsTheChannelAndItsPlanCutToFit) {
  struct Row {
    std::vector<std::string> commands;
    QString channel;
  } rows[] = {
      {{}, "C22 291B0000 (UHF     ) "},
      // Cut at 26 characters: the reply's part whole, then what fits of the plan part.
      {{"SY00"}, "C22 291B0000,SY00 (UHF    "},
      {{"SY00", "ME1", "UN0", "SO01"}, "C22 291B0000,SY00,ME1,UN0,"},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.channel.toStdString());
    StorePlan(3);
    Profile([&](Dv8Profile& p) {
      p.tuneByChannel = true;
      p.activeChannel = 2;
      p.plans[1].channels[2].commands = r.commands;
    });
    Open();
    sim->ClearTraffic();
    dlg->ReceiveAll();
    EXPECT_EQ(Sent("*"), (std::vector<std::string>{"*?SY", "*?ME", "*?LV", "*?FR", "*?CF", "*?SC", "*?JI01", "*?CH",
                                                   "*?CI0201"}));
    EXPECT_EQ(dlg->ChannelEdit->text(), r.channel);
    EXPECT_EQ(Display().split('\n').value(3), r.channel);
  }
}

TEST_F(Dv8Monitor, FailedTuningModeOrChannelLookupsStillShowTheReading) {
  struct Row {
    const char* name;
    std::vector<std::string> refused;
    int activePlan;
    QStringList log;  // the failure's text, then the reply line
    int lines;
  } rows[] = {
      {"tuning mode refused", {"*?CF"}, 1, {}, 3},
      {"no active plan", {}, -1, {"Impossible to find active plan:", "*SC!!"}, 4},
      {"channel query refused", {"*?CI"}, 1, {"Tx error when asking for channel:"}, 4},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    StorePlan(2);
    Profile([&](Dv8Profile& p) {
      p.refused = r.refused;
      p.tuneByChannel = r.refused.empty() || r.refused[0] != "*?CF";
      p.activePlan = r.activePlan;
      p.fixedReplies["*?LV"] = "*LV=+1F4";
    });
    Open();
    host.Clear();
    dlg->ReceiveAll();
    EXPECT_EQ(Display().split('\n').value(2), " +  50.00 dBuV   471.25 MHz");
    EXPECT_EQ(Display().split('\n').size(), r.lines);
    EXPECT_EQ(dlg->FreqEdit->text(), "471.25");
    EXPECT_EQ(Log().mid(0, r.log.size()), r.log);
    EXPECT_EQ(Log().size(), r.log.isEmpty() ? 0 : 2);
    EXPECT_TRUE(dlg->TimerToReceiveAll->isActive());
  }
  // A failure before the frequency leaves the display as it was.
  Profile([](Dv8Profile& p) {
    p.refused = {"*?FR"};
    p.fixedReplies["*?LV"] = "*LV=+0C8";
  });
  dlg->ReceiveAll();
  EXPECT_EQ(Display().split('\n').value(2), " +  50.00 dBuV   471.25 MHz");
}

TEST_F(Dv8Monitor, ChannelStepsWrapAndAnEmptyPlanSendsNothing) {
  struct Case {
    int count, active;
    bool up;
    std::vector<std::string> sent;
    QStringList log;
  };
  const std::vector<Case> cases = {
      {3, 2, true, {"*CH00"}, {}},  {3, 0, false, {"*CH02"}, {}}, {3, 1, true, {"*CH02"}, {}},
      {3, 1, false, {"*CH00"}, {}}, {3, 7, true, {"*CH00"}, {}},  {3, 7, false, {"*CH02"}, {}},
      {0, 0, true, {}, {"The active plan holds no channels: no channel selected"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::to_string(c.active) + "/" + std::to_string(c.count) + (c.up ? " up" : " down"));
    StorePlan(c.count);
    Profile([&](Dv8Profile& p) {
      p.activeChannel = c.active;
      p.tuneByChannel = true;
    });
    Open();
    dlg->Poller().channelMode = true;
    sim->ClearTraffic();
    host.Clear();
    dlg->ChannelUpDownClick(c.up);
    EXPECT_EQ(Sent("*CH"), c.sent);
    EXPECT_EQ(Log(), c.log);
    EXPECT_TRUE(dlg->ChannelUpDown->isEnabled());
  }
}

TEST_F(Dv8Monitor, MeasureAndStandardItemsSendTheEquipmentsCodes) {
  Open();
  struct Row {
    const char* group;
    int item;
    const char* command;
  } rows[] = {{"meas", 1, "*ME1"}, {"meas", 3, "*ME3"}, {"meas", 4, "*ME7"}, {"std", 3, "*SY04"},
              {"std", 7, "*SY11"}, {"std", 9, "*SY36"}};
  for (const Row& r : rows) {
    SCOPED_TRACE(r.command);
    sim->ClearTraffic();
    TMonitorRadioGroup* group = std::string(r.group) == "meas" ? dlg->MeasRadioGroup : dlg->StdRadioGroup;
    group->findChild<QRadioButton*>(QString("Item%1").arg(r.item))->click();
    EXPECT_EQ(Commands(), std::vector<std::string>{r.command});
  }
}

TEST_F(Dv8Monitor, WarningsCountAcrossOpenings) {
  Profile([](Dv8Profile& p) { p.refused = {"*?SY"}; });
  Open();
  for (int i = 0; i < 11; ++i) dlg->ReceiveAll();
  EXPECT_EQ(Log(), QStringList{"Warning 1. Communication is not optimum"});
  Open();
  for (int i = 0; i < 10; ++i) dlg->ReceiveAll();
  EXPECT_EQ(Log().size(), 1);
  dlg->ReceiveAll();
  EXPECT_EQ(Log(), (QStringList{"Warning 1. Communication is not optimum", "Warning 2. Communication is not optimum"}));
}

TEST_F(Dv8Monitor, TheHostsMonitorButtonOpensTheDialogPolling) {
  // Close ends the dialog after the next cycle.
  ExpectToolButtonOpens<TMonitorDlg>(
      port, [&] { return equip->RunMonitor(); },
      [](TMonitorDlg& d) {
        if (d.Cycles() < 3) return false;
        EXPECT_EQ(QApplication::focusWidget(), d.DisplayMemo);
        EXPECT_FALSE(d.DisplayMemo->toPlainText().isEmpty());
        d.CloseBtnClick();
        EXPECT_EQ(d.CloseBtn->text(), "Wait...");
        return true;
      },
      false);
}

}  // namespace
