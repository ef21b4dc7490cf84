#pragma once
// A real-time sweep through a family's equipment object against its simulated meter, paced at
// 19200 baud: the run must take its waits (`pauseMs` after "*SP0", then 1000 ms settling and
// 75 ms before each level query) plus the wire time of every exchange, within 1%, and the
// program's thread must stay under 2% of a CPU meanwhile (the simulator's thread is not counted).
#include <QApplication>
#include <chrono>
#include <functional>
#include <memory>

#include "BenchSupport.h"
#include "Cv3Equip.h"
#include "TSpectrumSweep.h"

// `makeLink` gives the family's view of its equipment object. Returns the process's exit code.
template <class Equip>
int RunFamilySweep(int argc, char** argv, std::unique_ptr<cvsim::Profile> meter, const TSpectrumProfile& profile,
                   const std::function<std::unique_ptr<TSpectrumLink>(Equip&)>& makeLink, int wantPoints,
                   double pauseMs) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  constexpr int kBaud = 19200;
  auto sim = StartPacedSimulator(kBaud, nullptr, std::move(meter));
  MapComTo(*sim, 1);
  TSerial port(0);
  std::unique_ptr<Equip> equip(TCv3Equip::Build<Equip>(nullptr, &port));
  if (!OpenSettled(*sim, port, kBaud)) return 2;

  std::unique_ptr<TSpectrumLink> link = makeLink(*equip);
  TSpectrumView view;
  TSpectrumSweep sweep(*link, view, profile);
  sim->ClearTraffic();

  const auto t0 = std::chrono::steady_clock::now();
  const double cpu0 = ThreadCpuSeconds();
  sweep.StartBtnClick();
  const double cpu = ThreadCpuSeconds() - cpu0;
  const double wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
  sim->WaitTxIdle();

  const bool ok = ReportPacedSweep(*sim, kBaud, sweep.pointIndex, wantPoints,
                                   pauseMs + sweep.pointIndex * (1000.0 + 75.0), wall, cpu, "CPU (this thread)");
  port.Close();
  cv::SetPortPaths({});
  return ok ? 0 : 1;
}
