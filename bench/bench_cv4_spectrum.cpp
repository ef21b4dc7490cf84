// A real-time CORVANE-4 sweep of the default 41 points through the equipment object, against the
// simulated meter pacing the wire at 19200 baud. The run must take its waits (the 2000 ms pause
// after "*SP0", then 1000 ms settling and 75 ms before each level query) plus the wire time of
// every exchange, within 1%, and the program's thread must stay under 2% of a CPU meanwhile (the
// simulator's thread is not counted).
#include <QApplication>
#include <chrono>
#include <cstdio>

#include "BenchSupport.h"
#include "Corvane4Profile.h"
#include "Cv4Equip.h"
#include "Specdlg4.h"
#include "TCv3SpectrumLink.h"
#include "TSpectrumSweep.h"

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  constexpr int kBaud = 19200;
  auto sim = StartPacedSimulator(kBaud, nullptr, std::make_unique<cvsim::Corvane4Profile>());
  MapComTo(*sim, 1);
  TSerial port(0);
  std::unique_ptr<cv::cv4::TCv4Equip> equip(TCv3Equip::Build<cv::cv4::TCv4Equip>(nullptr, &port));
  if (!OpenSettled(*sim, port, kBaud)) return 2;

  TCv3SpectrumLink link(*equip);
  TSpectrumView view;
  TSpectrumSweep sweep(link, view, cv::cv4::Spectrum4Profile());
  sim->ClearTraffic();

  const auto t0 = std::chrono::steady_clock::now();
  const double cpu0 = ThreadCpuSeconds();
  sweep.StartBtnClick();
  const double cpu = ThreadCpuSeconds() - cpu0;
  const double wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
  sim->WaitTxIdle();

  const bool ok = ReportPacedSweep(*sim, kBaud, sweep.pointIndex, 41, 2000.0 + sweep.pointIndex * (1000.0 + 75.0),
                                   wall, cpu, "CPU (this thread)");
  port.Close();
  cv::SetPortPaths({});
  return ok ? 0 : 1;
}
