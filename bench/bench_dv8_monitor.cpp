// The DV-800 monitor's polling against the simulated meter pacing the wire at 19200 baud, in
// frequency mode (5 queries a cycle) and in channel mode (9). A cycle should take the wire time
// of its exchanges plus the 40 ms timer, within 10%.
#include <QApplication>
#include <QWidget>

#include "Dv8Equip.h"
#include "Dv8Monitor.h"
#include "Dv8Profile.h"
#include "MonitorBench.h"

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
  QApplication app(argc, argv);
  auto sim = StartPacedSimulator(kMonitorBaud, nullptr, std::make_unique<cvsim::Dv8Profile>());
  MapComTo(*sim, 1);
  TSerial port(0);
  QWidget owner;
  sim->WaitTxIdle();
  std::unique_ptr<cv::dv8::TDV8Equip> equip(TCv3Equip::Build<cv::dv8::TDV8Equip>(&owner, &port));
  if (!OpenSettled(*sim, port, kMonitorBaud)) return 2;
  auto make = [&] {
    return std::unique_ptr<TMonitorDlg>(static_cast<TMonitorDlg*>(cv::dv8::MakeDv8MonitorDlg(*equip).release()));
  };

  bool ok = RunMonitorPolling("frequency mode", 5, *sim, make);
  StoreActiveChannel(*sim);
  ok = RunMonitorPolling("channel mode", 9, *sim, make) && ok;
  port.Close();
  return ok ? 0 : 1;
}
