// The port object against the line's physical limit: 1000 "*?VE" transactions through TSerial
// against the simulator pacing both directions at 19200 baud (10 bits a byte). Reports the
// elapsed time over the wire time of every byte exchanged (goal: at most 1.05) and the CPU time
// of the whole process (simulator thread included) over the elapsed time (goal: under 2%).
#include <sys/resource.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

#include "Serial.h"
#include "BenchSupport.h"
#include "Simulator.h"

namespace {

}  // namespace

int main(int argc, char** argv) {
  const int baud = 19200;
  const int count = argc > 1 ? std::atoi(argv[1]) : 1000;
  auto sim = StartPacedSimulator(baud, std::getenv("CV_BENCH_LOG"));
  setenv("CV_PORT_COM1", sim->Path().c_str(), 1);
  TSerial port(0);
  if (!port.OpenConfigured(baud, 8, 0, 0)) {
    std::fprintf(stderr, "cannot open %s\n", sim->Path().c_str());
    return 1;
  }
  char buf[kReplyBufferSize];
  std::strcpy(buf, "*?VE");
  if (!port.Transact(buf)) {  // takes the wake line's answer off the line
    std::fprintf(stderr, "no answer to the first query\n");
    return 1;
  }
  sim->ClearTraffic();

  const double cpu0 = ProgramCpuSeconds();
  const double meter0 = SimulatorCpuSeconds();
  const auto t0 = std::chrono::steady_clock::now();
  int failed = 0;
  for (int i = 0; i < count; ++i) {
    std::strcpy(buf, "*?VE");
    if (!port.Transact(buf) || std::strcmp(buf, "*VE V2.10") != 0) ++failed;
  }
  const auto t1 = std::chrono::steady_clock::now();
  const double cpu = ProgramCpuSeconds() - cpu0;
  const double meter = SimulatorCpuSeconds() - meter0;
  const double elapsed = std::chrono::duration<double>(t1 - t0).count();

  // On the wire per transaction: the XON that invites it, "*?VE" CR, then XOFF, ACK and
  // "*VE V2.10" CR; the XON after the last reply belongs to the next one.
  const std::string fromHost = sim->Received();
  const size_t perTransaction = 1 + 5 + 2 + 10;
  const double wireBytes = static_cast<double>(perTransaction) * count;
  const double wire = wireBytes * 10.0 / baud;
  port.Close();
  sim->Stop();

  std::printf("transactions        %d (%d failed)\n", count, failed);
  std::printf("bytes from the host %zu (expected %d)\n", fromHost.size(), 5 * count);
  std::printf("wire time           %.3f s (%.0f bytes at %d baud)\n", wire, wireBytes, baud);
  std::printf("elapsed             %.3f s\n", elapsed);
  std::printf("elapsed / wire      %.4f (goal <= 1.05)\n", elapsed / wire);
  std::printf("program CPU         %.3f s = %.2f%% of elapsed (goal < 2%%; simulated meter %.2f%%)\n", cpu,
              100.0 * cpu / elapsed, 100.0 * meter / elapsed);
  return failed == 0 ? 0 : 1;
}
