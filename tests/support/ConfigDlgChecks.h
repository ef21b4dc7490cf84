#pragma once
// Checks every family's configuration dialog shares, whatever its register map.
#include <gtest/gtest.h>

#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <chrono>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "AppServices.h"
#include "Clock.h"
#include "Configdlg.h"
#include "Cv3Equip.h"
#include "HostForm.h"
#include "Simulator.h"

// Runs the reading with a click on CCW at the first line it logs (the meter must make it log
// one), then checks that the click changed no button and wrote no register. `exchanged` gives
// the lines the meter received.
inline void ExpectRotaryClickWhileReadingIgnored(TConfigurationDlg& dlg, HostForm& host,
                                                 const std::function<std::vector<std::string>()>& exchanged) {
  int clicks = 0;
  QObject::connect(host.memo, &QPlainTextEdit::textChanged, &dlg, [&] {
    if (clicks++ == 0) dlg.CCWRadioButton->click();
  });
  dlg.AskForOptions();
  EXPECT_GT(clicks, 0);
  EXPECT_TRUE(dlg.CWRadioButton->isChecked());
  EXPECT_FALSE(dlg.CCWRadioButton->isChecked());
  EXPECT_FALSE(dlg.ApplyBtn->isEnabled());
  for (const std::string& l : exchanged()) EXPECT_NE(l.rfind("*I20A0", 0), 0u) << l;
}

// Apply after a confirmed change to CCW, under a meter that restarts and answers, one that
// switches off before it acknowledges the restart and then answers, one that refuses the restart
// and a silent one (last: it leaves the line without XON). "Rotary changed" is logged once and
// only for a meter that answered after the wait; the others get a box and no change logged. The
// dialog has read the options; the restart's four seconds run on a fake clock.
inline void ExpectApplyConfirmedOnlyByAnAnswer(TConfigurationDlg& dlg, TCv3Equip& equip, cvsim::Simulator& sim,
                                               HostForm& host, cv::RecordingPrompter& prompter) {
  using cvsim::Corvane3Profile;
  cv::FakeClock clock;
  cv::Clock* const realClock = equip.clock;
  equip.clock = &clock;
  const QString restart = "Switching the equipment off and on so that the new rotary setting takes effect";
  const QString refused =
      "The equipment refused to switch off and on: the new rotary setting takes effect once it is switched off and on by "
      "hand";
  const QString unconfirmed =
      "The equipment did not answer after switching off and on: the restart of the new rotary setting is not confirmed";
  struct Row {
    const char* what;
    std::function<void(Corvane3Profile&, cvsim::Faults&)> set;
    QStringList log;
    QString box;
    std::vector<std::string> sent;
    int restarts;
  } rows[] = {
      {"restarts and answers", [](Corvane3Profile&, cvsim::Faults&) {}, {restart, "Rotary changed"}, "",
       {"*AA", "*?VE"}, 1},
      {"off before acknowledging, then answers",
       [](Corvane3Profile& p, cvsim::Faults&) { p.restartUnacknowledged = true; }, {restart, "Rotary changed"}, "",
       {"*AA", "*?VE"}, 1},
      {"refuses", [](Corvane3Profile& p, cvsim::Faults&) { p.refused = {"*AA"}; }, {restart, refused}, refused,
       {"*AA"}, 0},
      {"silent", [](Corvane3Profile&, cvsim::Faults& f) { f.silent = true; }, {restart, unconfirmed}, unconfirmed,
       {"*AA"}, 0},
  };
  const auto settle = [&] {
    sim.WaitTxIdle();
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    sim.SetFaults({});
    sim.WithProfile([](cvsim::Profile& p) {
      auto& meter = static_cast<Corvane3Profile&>(p);
      meter.refused.clear();
      meter.restartUnacknowledged = false;
      meter.restartMs = 0;
      meter.restarts = 0;
    });
    settle();
    dlg.CCWRadioButton->click();
    ASSERT_TRUE(dlg.ApplyBtn->isEnabled());
    settle();
    cvsim::Faults faults;
    sim.WithProfile([&](cvsim::Profile& p) { row.set(static_cast<Corvane3Profile&>(p), faults); });
    sim.SetFaults(faults);
    sim.ClearTraffic();
    host.Clear();
    prompter.shown.clear();
    dlg.ApplyBtn->click();
    settle();
    EXPECT_EQ(host.Lines(), row.log);
    if (row.box.isEmpty()) {
      EXPECT_TRUE(prompter.shown.empty()) << prompter.shown.front().text.toStdString();
    } else {
      ASSERT_EQ(prompter.shown.size(), 1u);
      EXPECT_EQ(prompter.shown[0].text, row.box);
      EXPECT_EQ(prompter.shown[0].icon, cv::MsgIcon::Warning);
    }
    std::vector<std::string> sent;
    for (const std::string& l : sim.Lines())
      if (l != "*") sent.push_back(l);
    EXPECT_EQ(sent, row.sent);
    EXPECT_FALSE(dlg.ApplyBtn->isEnabled());
    sim.WithProfile([&](cvsim::Profile& p) { EXPECT_EQ(static_cast<Corvane3Profile&>(p).restarts, row.restarts); });
  }
  sim.SetFaults({});
  equip.clock = realClock;
}
