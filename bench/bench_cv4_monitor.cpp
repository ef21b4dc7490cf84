// The CORVANE-4 monitor's polling against the simulated meter pacing the wire at 19200 baud, in
// frequency mode (5 queries a cycle, the meter tuned to 900 MHz) and in channel mode (9). A cycle
// should take the wire time of its exchanges plus the 40 ms timer, within 10%, the program's
// thread under 2% of a CPU.
#include <QApplication>
#include <QWidget>

#include "Corvane4Profile.h"
#include "Cv4Equip.h"
#include "Monidlg4.h"
#include "MonitorBench.h"

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
  QApplication app(argc, argv);
  auto meter = std::make_unique<cvsim::Corvane4Profile>();
  meter->lastTuning = "*FRS2b1c";
  auto sim = StartPacedSimulator(kMonitorBaud, nullptr, std::move(meter));
  MapComTo(*sim, 8);
  TSerial port(7);
  QWidget owner;
  sim->WaitTxIdle();
  std::unique_ptr<cv::cv4::TCv4Equip> equip(TCv3Equip::Build<cv::cv4::TCv4Equip>(&owner, &port));
  if (!OpenSettled(*sim, port, kMonitorBaud)) return 2;
  auto make = [&] {
    return std::unique_ptr<TMonitorDlg>(static_cast<TMonitorDlg*>(cv::cv4::MakeMonitorDlg4(*equip).release()));
  };

  bool ok = RunMonitorPolling("frequency mode", 5, *sim, make);
  StoreActiveChannel(*sim);
  ok = RunMonitorPolling("channel mode", 9, *sim, make) && ok;
  port.Close();
  return ok ? 0 : 1;
}
