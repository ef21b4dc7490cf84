#pragma once
// What every benchmark needs: the process's CPU time and a simulated CORVANE-3 paced at a baud
// rate like a real line.
#include <dirent.h>
#include <sys/resource.h>
#include <sys/types.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "PortMap.h"
#include "Serial.h"
#include "Simulator.h"

inline double CpuSeconds() {
  rusage u{};
  getrusage(RUSAGE_SELF, &u);
  return static_cast<double>(u.ru_utime.tv_sec + u.ru_stime.tv_sec) +
         static_cast<double>(u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}

// The simulated meter runs in this process, but on a real line it is another machine: its
// threads' CPU time is kept apart from the program's.
inline std::vector<pid_t>& SimulatorThreads() {
  static std::vector<pid_t> tids;
  return tids;
}

inline std::vector<pid_t> ProcessThreads() {
  std::vector<pid_t> tids;
  if (DIR* d = opendir("/proc/self/task")) {
    while (const dirent* e = readdir(d))
      if (e->d_name[0] != '.') tids.push_back(static_cast<pid_t>(std::atoi(e->d_name)));
    closedir(d);
  }
  return tids;
}

inline double SimulatorCpuSeconds() {
  double total = 0;
  for (pid_t tid : SimulatorThreads()) {
    // The CPU clock of another thread of this process, as the kernel numbers it.
    const clockid_t clock = static_cast<clockid_t>((~static_cast<unsigned>(tid) << 3) | 6);
    timespec t{};
    if (clock_gettime(clock, &t) == 0) total += static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) / 1e9;
  }
  return total;
}

// The process's CPU time less the simulated meter's.
inline double ProgramCpuSeconds() { return CpuSeconds() - SimulatorCpuSeconds(); }

// Started, or the benchmark ends here with the reason. The simulator of `profile` (the
// CORVANE-3 when null), paced at `baud`.
inline std::unique_ptr<cvsim::Simulator> StartPacedSimulator(int baud, const char* logPath = nullptr,
                                                             std::unique_ptr<cvsim::Profile> profile = nullptr) {
  cvsim::SimOptions options;
  options.baud = baud;
  if (logPath) options.logPath = logPath;
  auto sim = std::make_unique<cvsim::Simulator>(std::move(profile), options);
  std::string error;
  const std::vector<pid_t> before = ProcessThreads();
  if (!sim->Start(&error)) {
    std::fprintf(stderr, "simulator: %s\n", error.c_str());
    std::exit(2);
  }
  for (pid_t tid : ProcessThreads())
    if (std::find(before.begin(), before.end(), tid) == before.end()) SimulatorThreads().push_back(tid);
  return sim;
}

// Makes "COM<com>" lead to the simulator, whatever the environment maps it to.
inline void MapComTo(const cvsim::Simulator& sim, int com) {
  unsetenv(("CV_PORT_COM" + std::to_string(com)).c_str());
  cv::SetPortPaths({{com, sim.Path()}});
}

// Opens `port` on the simulator once the instrument has sent all it had to send, and lets the
// wake line of the open go by, so the first command starts in step. False, with the reason on
// stderr, when the port cannot be opened.
inline bool OpenSettled(cvsim::Simulator& sim, TSerial& port, int baud) {
  sim.WaitTxIdle();
  std::this_thread::sleep_for(std::chrono::milliseconds(50));
  if (!port.OpenConfigured(baud, 8, 0, 0)) {
    std::fprintf(stderr, "cannot open %s\n", sim.Path().c_str());
    return false;
  }
  sim.WaitTxIdle();
  std::this_thread::sleep_for(std::chrono::milliseconds(50));
  return true;
}

// One operation against the paced simulator: its wall time, the program's CPU time and the
// simulated meter's, and the wire time of every byte that crossed the line both ways.
struct WireRun {
  double wallMs, cpuPercent, meterCpuPercent, wireMs;
  size_t bytes, lines;
};

template <class F>
WireRun MeasureOnWire(cvsim::Simulator& sim, int baud, F operation) {
  sim.ClearTraffic();
  const auto t0 = std::chrono::steady_clock::now();
  const double cpu0 = CpuSeconds();
  const double meter0 = SimulatorCpuSeconds();
  operation();
  const double meter = SimulatorCpuSeconds() - meter0;
  const double cpu = CpuSeconds() - cpu0 - meter;
  const double wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
  sim.WaitTxIdle();
  WireRun r;
  r.bytes = sim.Received().size() + sim.Sent().size();
  r.lines = sim.Lines().size();
  r.wireMs = r.bytes * 10.0 * 1000.0 / baud;
  r.wallMs = wall * 1000.0;
  r.cpuPercent = cpu / wall * 100.0;
  r.meterCpuPercent = meter / wall * 100.0;
  return r;
}

// Prints the figures; true when the run took at most 1.1 times its wire time with the process
// under 2% of a CPU.
inline bool ReportWireRun(const char* name, const WireRun& r) {
  const double ratio = r.wallMs / r.wireMs;
  std::printf("%-9s %zu lines, %zu bytes: wire %.1f ms, measured %.1f ms, ratio %.3f, CPU %.2f %% (simulated meter "
              "%.2f %%)\n",
              name, r.lines, r.bytes, r.wireMs, r.wallMs, ratio, r.cpuPercent, r.meterCpuPercent);
  return ratio <= 1.1 && r.cpuPercent < 2.0;
}

// CPU time of the calling thread alone (the simulator's thread not counted).
inline double ThreadCpuSeconds() {
  timespec t{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) / 1e9;
}

// A paced run whose length is its mandated waits plus its wire time: prints the figures; true
// when it swept `wantPoints` points within 1% of that length, under 2% of a CPU.
inline bool ReportPacedSweep(cvsim::Simulator& sim, int baud, int points, int wantPoints, double waitsMs,
                             double wallSeconds, double cpuSeconds, const char* cpuLabel) {
  const size_t wireBytes = sim.Received().size() + sim.Sent().size();
  const double wireMs = wireBytes * 10.0 * 1000.0 / baud;
  const double expectedMs = waitsMs + wireMs;
  const double deviation = (wallSeconds * 1000.0 - expectedMs) / expectedMs * 100.0;
  const double cpuPercent = cpuSeconds / wallSeconds * 100.0;
  std::printf("points            %d (%zu lines on the wire)\n", points, sim.Lines().size());
  std::printf("waits             %.1f ms\n", waitsMs);
  std::printf("wire time         %.1f ms (%zu bytes at %d baud)\n", wireMs, wireBytes, baud);
  std::printf("expected          %.1f ms\n", expectedMs);
  std::printf("measured          %.1f ms (%+.2f %%)\n", wallSeconds * 1000.0, deviation);
  std::printf("%-17s %.3f s (%.2f %% of one core)\n", cpuLabel, cpuSeconds, cpuPercent);
  const bool ok = points == wantPoints && deviation > -1.0 && deviation < 1.0 && cpuPercent < 2.0;
  std::printf("%s\n", ok ? "PASS" : "FAIL");
  return ok;
}

// The seconds the WAIT lines of a script's ".LOG" transcript asked for, counting only the lines
// that ran (a line of a branch not taken logs FALSE).
inline int TranscriptWaitSeconds(const std::string& transcript) {
  int waitSeconds = 0;
  std::FILE* log = std::fopen(transcript.c_str(), "r");
  if (!log) return 0;
  char buffer[1024];
  while (std::fgets(buffer, sizeof buffer, log)) {
    std::string line(buffer);
    while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) line.pop_back();
    const auto wait = line.find("WAIT ");
    if (wait != std::string::npos && line.find_first_not_of('\t') == wait && line.size() > 6 &&
        line.compare(line.size() - 6, 6, " -> OK") == 0)
      waitSeconds += std::atoi(line.c_str() + wait + 5);
  }
  std::fclose(log);
  return waitSeconds;
}

// Prints a canalization send's figures; true when every plan arrived and the run, less its WAIT
// seconds, took at most 1.1 times its wire time.
inline bool ReportCanalizationSend(const WireRun& run, int waitSeconds, int plans, int expectedPlans, int baud) {
  const double netMs = run.wallMs - waitSeconds * 1000.0;
  const double ratio = netMs / run.wireMs;
  std::printf("plans stored       %d (expected %d)\n", plans, expectedPlans);
  std::printf("lines on the wire  %zu, bytes %zu\n", run.lines, run.bytes);
  std::printf("wire time          %.1f ms at %d baud\n", run.wireMs, baud);
  std::printf("measured           %.1f ms, of which WAIT lines %d s\n", run.wallMs, waitSeconds);
  std::printf("ratio              %.3f (goal <= 1.1), CPU %.2f %% (simulated meter %.2f %%)\n", ratio, run.cpuPercent,
              run.meterCpuPercent);
  return plans == expectedPlans && ratio <= 1.1;
}
