// The CORVANE-2 monitor's polling against the simulated meter pacing the wire at 19200 baud, in
// frequency mode on a satellite frequency (5 queries a cycle) and in channel mode (9). A cycle
// should take the wire time of its exchanges plus the 40 ms timer, within 10%.
#include <QApplication>
#include <QWidget>

#include "Corvane2Profile.h"
#include "Cv2Equip.h"
#include "Cv2Monitor.h"
#include "MonitorBench.h"

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
  QApplication app(argc, argv);
  auto meter = std::make_unique<cvsim::Corvane2Profile>();
  meter->lastTuning = "*FRS3ddc";  // 1500 MHz
  auto sim = StartPacedSimulator(kMonitorBaud, nullptr, std::move(meter));
  MapComTo(*sim, 1);
  TSerial port(0);
  QWidget owner;
  sim->WaitTxIdle();
  std::unique_ptr<cv::cv2::TCv2Equip> equip(TCv3Equip::Build<cv::cv2::TCv2Equip>(&owner, &port));
  if (!OpenSettled(*sim, port, kMonitorBaud)) return 2;
  auto make = [&] {
    return std::unique_ptr<TMonitorDlg>(static_cast<TMonitorDlg*>(cv::cv2::MakeCv2MonitorDlg(*equip).release()));
  };

  bool ok = RunMonitorPolling("frequency mode", 5, *sim, make);
  StoreActiveChannel(*sim);
  ok = RunMonitorPolling("channel mode", 9, *sim, make) && ok;
  port.Close();
  return ok ? 0 : 1;
}
