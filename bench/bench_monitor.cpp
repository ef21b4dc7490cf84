// The monitor's polling against the simulator pacing the wire at 19200 baud, in frequency mode
// (5 queries a cycle) and in channel mode (9). A cycle should take the wire time of its exchanges
// plus the 40 ms timer, within 10%.
#include <QApplication>
#include <QWidget>

#include "Cv3Equip.h"
#include "MonitorBench.h"

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
  QApplication app(argc, argv);
  auto sim = StartPacedSimulator(kMonitorBaud);
  MapComTo(*sim, 8);
  TSerial port(7);
  QWidget owner;
  sim->WaitTxIdle();
  TCv3Equip equip(&owner, &port);
  if (!OpenSettled(*sim, port, kMonitorBaud)) return 2;
  auto make = [&] { return std::make_unique<TMonitorDlg>(&owner, &equip); };

  bool ok = RunMonitorPolling("frequency mode", 5, *sim, make);
  StoreActiveChannel(*sim);
  ok = RunMonitorPolling("channel mode", 9, *sim, make) && ok;
  port.Close();
  return ok ? 0 : 1;
}
