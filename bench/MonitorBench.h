#pragma once
// The monitor's polling against a simulated meter pacing the wire at 19200 baud, its level changing
// from reading to reading: a cycle should take the wire time of its exchanges plus the 40 ms
// timer, within 10%.
#include <QDialog>
#include <QEventLoop>
#include <QTimer>
#include <cstdio>
#include <functional>
#include <memory>

#include "BenchSupport.h"
#include "Monidlg.h"

inline constexpr int kMonitorBaud = 19200;

// Polls for `seconds` with the dialog `make` gives; true when a cycle took its wire time plus the
// timer, within 10%.
inline bool RunMonitorPolling(const char* mode, int queries, cvsim::Simulator& sim,
                              const std::function<std::unique_ptr<TMonitorDlg>()>& make, int seconds = 5) {
  // A live signal: the level differs from one reading to the next, so the display changes every
  // cycle as it does on a meter in the field.
  sim.WithProfile([](cvsim::Profile& p) { static_cast<cvsim::Corvane3Profile&>(p).levelFlickerDb = 0.1; });
  std::unique_ptr<TMonitorDlg> dlg = make();
  int cycles = 0;
  const WireRun r = MeasureOnWire(sim, kMonitorBaud, [&] {
    QEventLoop loop;
    QTimer::singleShot(seconds * 1000, &loop, &QEventLoop::quit);
    dlg->show();
    loop.exec();
    cycles = dlg->Cycles();
    dlg->TimerToReceiveAll->stop();
  });
  dlg->hide();
  if (cycles == 0) return false;
  const double perCycle = r.wallMs / cycles;
  const double expected = r.wireMs / cycles + 40.0;
  std::printf("%-15s %d queries: %d cycles in %.0f ms, %.2f cycles/s, %.1f ms a cycle; wire %.1f ms + timer 40 ms "
              "= %.1f ms; %+.1f%%; CPU %.2f %% (simulated meter %.2f %%)\n",
              mode, queries, cycles, r.wallMs, cycles * 1000.0 / r.wallMs, perCycle, r.wireMs / cycles, expected,
              (perCycle - expected) / expected * 100.0, r.cpuPercent, r.meterCpuPercent);
  return perCycle <= expected * 1.1;
}

// A plan of four channels stored in the meter, the third active, tuned by channel.
inline void StoreActiveChannel(cvsim::Simulator& sim) {
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
