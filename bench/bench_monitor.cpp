// The monitor's polling against the simulator pacing the wire at 19200 baud, in frequency mode
// (5 queries a cycle) and in channel mode (9). A cycle should take the wire time of its exchanges
// plus the 40 ms timer, within 10%.
#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <QWidget>
#include <cstdio>

#include "BenchSupport.h"
#include "Cv3Equip.h"
#include "Monidlg.h"

namespace {

constexpr int kBaud = 19200;
constexpr int kSeconds = 5;

struct Result {
  int cycles;
  double wallMs, wireMsPerCycle;
};

Result Run(cvsim::Simulator& sim, TCv3Equip& equip, QWidget& owner) {
  TMonitorDlg dlg(&owner, &equip);
  sim.ClearTraffic();
  QElapsedTimer clock;
  clock.start();
  dlg.show();
  while (clock.elapsed() < kSeconds * 1000) QApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
  const int cycles = dlg.Cycles();
  const double wall = static_cast<double>(clock.elapsed());
  dlg.TimerToReceiveAll->stop();
  dlg.hide();
  sim.WaitTxIdle();
  const double byteMs = 10.0 * 1000.0 / kBaud;
  const double wire = static_cast<double>(sim.Received().size() + sim.Sent().size()) * byteMs;
  return {cycles, wall, cycles > 0 ? wire / cycles : 0.0};
}

void Report(const char* mode, int queries, const Result& r) {
  const double perCycle = r.wallMs / r.cycles;
  const double expected = r.wireMsPerCycle + 40.0;
  std::printf("%-15s %d queries: %d cycles in %.0f ms, %.2f cycles/s, %.1f ms a cycle; wire %.1f ms + timer 40 ms "
              "= %.1f ms; %+.1f%%\n",
              mode, queries, r.cycles, r.wallMs, r.cycles * 1000.0 / r.wallMs, perCycle, r.wireMsPerCycle, expected,
              (perCycle - expected) / expected * 100.0);
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

  Report("frequency mode", 5, Run(*sim, equip, owner));

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
  Report("channel mode", 9, Run(*sim, equip, owner));
  port.Close();
  return 0;
}
