// The monitor's polling against the simulator pacing the wire at 19200 baud, in frequency mode
// (5 queries a cycle) and in channel mode (9). A cycle should take the wire time of its exchanges
// plus the 40 ms timer, within 10%, the program's thread under 2% of a CPU.
#include <QApplication>

#include "MonitorBench.h"

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
  QApplication app(argc, argv);
  auto sim = StartPacedSimulator(19200);
  MapComTo(*sim, 8);
  TSerial port(7);
  QWidget owner;
  sim->WaitTxIdle();
  TCv3Equip equip(&owner, &port);
  return RunMonitorModes(*sim, port, equip, owner);
}
