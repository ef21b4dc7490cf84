// A real-time sweep of the default 41 points against the simulator pacing the wire at 19200 baud.
// The sweep must take its waits (1000 ms settling and 75 ms before each level query) plus the wire
// time of every exchange, within 1%, and the process must stay under 2% of a CPU meanwhile.
#include <sys/resource.h>

#include <QCoreApplication>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <thread>

#include "PortMap.h"
#include "SerialSpectrumLink.h"
#include "BenchSupport.h"
#include "Simulator.h"
#include "TSpectrumSweep.h"

namespace {
}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  constexpr int kBaud = 19200;
  auto sim = StartPacedSimulator(kBaud);
  MapComTo(*sim, 8);
  sim->WaitTxIdle();
  std::this_thread::sleep_for(std::chrono::milliseconds(50));
  TSerial port(7);
  if (!port.OpenConfigured(kBaud, 8, 0, 0)) {
    std::fprintf(stderr, "cannot open %s\n", sim->Path().c_str());
    return 2;
  }
  while (sim->Lines().empty()) std::this_thread::sleep_for(std::chrono::milliseconds(5));
  sim->WaitTxIdle();
  std::this_thread::sleep_for(std::chrono::milliseconds(50));

  SerialSpectrumLink link(port, cv::SystemClock());
  TSpectrumView view;
  TSpectrumSweep sweep(link, view);
  sim->ClearTraffic();

  const auto t0 = std::chrono::steady_clock::now();
  const double cpu0 = CpuSeconds();
  sweep.StartBtnClick();
  const double cpu = CpuSeconds() - cpu0;
  const double wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
  sim->WaitTxIdle();

  const bool ok = ReportPacedSweep(*sim, kBaud, sweep.pointIndex, 41, sweep.pointIndex * (1000.0 + 75.0), wall, cpu,
                                   "CPU");
  port.Close();
  cv::SetPortPaths({});
  return ok ? 0 : 1;
}
