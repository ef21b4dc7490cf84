#pragma once
// The monitor's polling against a simulator pacing the wire: a cycle should take the wire time
// of its exchanges plus the 40 ms timer, within 10%, the program's thread under 2% of a CPU.
#include <QEventLoop>
#include <QTimer>
#include <QWidget>
#include <cstdio>

#include "BenchSupport.h"
#include "Cv3Equip.h"
#include "Monidlg.h"

// Polls for `seconds` with the dialog of `profile`; prints the figures and says whether the goal
// was met.
inline bool RunMonitorBench(const char* mode, int queries, int seconds, int baud, cvsim::Simulator& sim,
                            TCv3Equip& equip, QWidget& owner,
                            const cv::settings::MonitorProfile& profile = cv::settings::DefaultMonitorProfile()) {
  TMonitorDlg dlg(&owner, &equip, profile);
  int cycles = 0;
  double threadCpu = 0.0;
  const WireRun r = MeasureOnWire(sim, baud, [&] {
    const double cpu0 = ThreadCpuSeconds();
    QEventLoop loop;
    QTimer::singleShot(seconds * 1000, &loop, &QEventLoop::quit);
    dlg.show();
    loop.exec();
    cycles = dlg.Cycles();
    dlg.TimerToReceiveAll->stop();
    threadCpu = ThreadCpuSeconds() - cpu0;
  });
  dlg.hide();
  if (cycles == 0) return false;
  const double perCycle = r.wallMs / cycles;
  const double expected = r.wireMs / cycles + 40.0;
  const double threadPercent = threadCpu * 1000.0 / r.wallMs * 100.0;
  std::printf("%-15s %d queries: %d cycles in %.0f ms, %.2f cycles/s, %.1f ms a cycle; wire %.1f ms + timer 40 ms "
              "= %.1f ms; %+.1f%%; CPU %.1f %% (this thread %.2f %%)\n",
              mode, queries, cycles, r.wallMs, cycles * 1000.0 / r.wallMs, perCycle, r.wireMs / cycles, expected,
              (perCycle - expected) / expected * 100.0, r.cpuPercent, threadPercent);
  return perCycle <= expected * 1.1 && threadPercent < 2.0;
}

// The meter tuned by channel, channel 2 of a plan of four terrestrial channels active (the
// CORVANE-3's plan store, which its descendants keep).
inline void TuneByChannelOnPlan(cvsim::Simulator& sim) {
  sim.WithProfile([](cvsim::Profile& base) {
    auto& p = static_cast<cvsim::Corvane3Profile&>(base);
    cvsim::Corvane3Profile::StoredPlan plan;
    plan.name = "UHF";
    for (int i = 0; i < 4; ++i) plan.channels.push_back({"C2" + std::to_string(i), 0x27DBu + 160u * i, 0, {}});
    p.plans[1] = plan;
    p.activePlan = 1;
    p.activeChannel = 2;
    p.tuneByChannel = true;
  });
}

// Opens the port, polls in frequency mode (5 queries a cycle), then by channel (9): the exit code,
// 0 when both met the goal.
inline int RunMonitorModes(cvsim::Simulator& sim, TSerial& port, TCv3Equip& equip, QWidget& owner,
                           const cv::settings::MonitorProfile& profile = cv::settings::DefaultMonitorProfile()) {
  constexpr int kBaud = 19200;
  constexpr int kSeconds = 5;
  if (!OpenSettled(sim, port, kBaud)) return 2;
  bool ok = RunMonitorBench("frequency mode", 5, kSeconds, kBaud, sim, equip, owner, profile);
  TuneByChannelOnPlan(sim);
  ok = RunMonitorBench("channel mode", 9, kSeconds, kBaud, sim, equip, owner, profile) && ok;
  port.Close();
  return ok ? 0 : 1;
}
