// The monitor's polling against the simulator pacing the wire at 19200 baud, in frequency mode
// (5 queries a cycle) and in channel mode (9). A cycle should take the wire time of its exchanges
// plus the 40 ms timer, within 10%.
#include <QApplication>
#include <QEventLoop>
#include <QTimer>
#include <QWidget>
#include <cstdio>

#include "BenchSupport.h"
#include "Cv3Equip.h"
#include "Monidlg.h"

namespace {

constexpr int kBaud = 19200;
constexpr int kSeconds = 5;

// Polls for kSeconds; true when a cycle took its wire time plus the timer, within 10%.
bool Run(const char* mode, int queries, cvsim::Simulator& sim, TCv3Equip& equip, QWidget& owner) {
  TMonitorDlg dlg(&owner, &equip);
  int cycles = 0;
  const WireRun r = MeasureOnWire(sim, kBaud, [&] {
    QEventLoop loop;
    QTimer::singleShot(kSeconds * 1000, &loop, &QEventLoop::quit);
    dlg.show();
    loop.exec();
    cycles = dlg.Cycles();
    dlg.TimerToReceiveAll->stop();
  });
  dlg.hide();
  if (cycles == 0) return false;
  const double perCycle = r.wallMs / cycles;
  const double expected = r.wireMs / cycles + 40.0;
  std::printf("%-15s %d queries: %d cycles in %.0f ms, %.2f cycles/s, %.1f ms a cycle; wire %.1f ms + timer 40 ms "
              "= %.1f ms; %+.1f%%; CPU %.1f %%\n",
              mode, queries, cycles, r.wallMs, cycles * 1000.0 / r.wallMs, perCycle, r.wireMs / cycles, expected,
              (perCycle - expected) / expected * 100.0, r.cpuPercent);
  return perCycle <= expected * 1.1;
}

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
  QApplication app(argc, argv);
  auto sim = StartPacedSimulator(kBaud);
  MapComTo(*sim, 8);
  TSerial port(7);
  QWidget owner;
  sim->WaitTxIdle();
  TCv3Equip equip(&owner, &port);
  if (!OpenSettled(*sim, port, kBaud)) return 2;

  bool ok = Run("frequency mode", 5, *sim, equip, owner);

  sim->WithProfile([](cvsim::Profile& base) {
    auto& p = static_cast<cvsim::Corvane3Profile&>(base);
    cvsim::Corvane3Profile::StoredPlan plan;
    plan.name = "UHF";
    for (int i = 0; i < 4; ++i) plan.channels.push_back({"C2" + std::to_string(i), 0x27DBu + 160u * i, 0, {}});
    p.plans[1] = plan;
    p.activePlan = 1;
    p.activeChannel = 2;
    p.tuneByChannel = true;
  });
  ok = Run("channel mode", 9, *sim, equip, owner) && ok;
  port.Close();
  return ok ? 0 : 1;
}
