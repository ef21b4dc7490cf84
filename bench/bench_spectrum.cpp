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

  const int points = sweep.pointIndex;
  const double byteMs = 10.0 * 1000.0 / kBaud;
  const size_t wireBytes = sim->Received().size() + sim->Sent().size();
  const double waitsMs = points * (1000.0 + 75.0);
  const double wireMs = wireBytes * byteMs;
  const double expectedMs = waitsMs + wireMs;
  const double deviation = (wall * 1000.0 - expectedMs) / expectedMs * 100.0;
  const double cpuPercent = cpu / wall * 100.0;

  std::printf("points            %d (%zu lines on the wire)\n", points, sim->Lines().size());
  std::printf("waits             %.1f ms\n", waitsMs);
  std::printf("wire time         %.1f ms (%zu bytes at %d baud)\n", wireMs, wireBytes, kBaud);
  std::printf("expected          %.1f ms\n", expectedMs);
  std::printf("measured          %.1f ms (%+.2f %%)\n", wall * 1000.0, deviation);
  std::printf("CPU               %.3f s (%.2f %% of one core)\n", cpu, cpuPercent);
  const bool ok = points == 41 && deviation > -1.0 && deviation < 1.0 && cpuPercent < 2.0;
  std::printf("%s\n", ok ? "PASS" : "FAIL");
  port.Close();
  cv::SetPortPaths({});
  return ok ? 0 : 1;
}
