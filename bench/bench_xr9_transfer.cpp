// The TV MIRELTO file transfer against the line's physical limit: the simulated analyser paces
// both directions at 115200 baud (10 bits a byte). Downloads a 26560-byte plan and a 520000-byte
// data-logger file (goal: elapsed over the wire time of every byte of the exchange at most 1.05)
// and uploads a 26560-byte plan in 532 blocks (goal: at most 1.10, both directions counted). The
// CPU time of the program's thread stays under 2% of the elapsed time; the process's CPU time,
// the simulator's thread included, is shown beside it (the pseudo-terminal's per-byte work in
// the kernel is charged to the simulator's writes).
#include <time.h>

#include <QCoreApplication>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <string>

#include "Xr9BenchSupport.h"
#include "PortMap.h"
#include "Serial.h"
#include "Simulator.h"
#include "Xr9Equip.h"
#include "Xr9Profile.h"
#include "Xr9Transfer.h"

namespace {

constexpr int kBaud = 115200;

std::string Pattern(size_t n, unsigned seed) {
  std::string s(n, '\0');
  for (size_t i = 0; i < n; ++i) s[i] = static_cast<char>((i * 131 + seed) & 0xFF);
  return s;
}

struct Figures {
  double elapsed, wire, cpu, processCpu;
  bool ok;
};

template <class F>
Figures Measure(cvsim::Simulator& sim, F run) {
  sim.WaitTxIdle();
  sim.ClearTraffic();
  const double cpu0 = ThreadCpuSeconds();
  const double process0 = CpuSeconds();
  const auto t0 = std::chrono::steady_clock::now();
  const bool ok = run();
  const auto t1 = std::chrono::steady_clock::now();
  const double cpu = ThreadCpuSeconds() - cpu0;
  const double processCpu = CpuSeconds() - process0;
  sim.WaitTxIdle();
  const double bytes = static_cast<double>(sim.Received().size() + sim.Sent().size());
  return {std::chrono::duration<double>(t1 - t0).count(), bytes * 10.0 / kBaud, cpu, processCpu, ok};
}

bool Report(const char* what, const Figures& f, double goal) {
  std::printf("%-31s %s elapsed %7.3f s  wire %7.3f s  elapsed/wire %.4f (goal <= %.2f)  "
              "CPU %.2f%% (goal < 2%%; process with simulator %.2f%%)\n",
              what, f.ok ? "ok    " : "FAILED", f.elapsed, f.wire, f.elapsed / f.wire, goal, 100.0 * f.cpu / f.elapsed,
              100.0 * f.processCpu / f.elapsed);
  return f.ok;
}

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  auto profile = std::make_unique<cvsim::Xr9Profile>();
  const std::string plan = Pattern(26560, 1);
  const std::string logFile = Pattern(520000, 2);
  profile->PutFile(1, "PLAN", plan);
  profile->PutFile(10, "LOGGER.DL", logFile);
  Xr9Bench bench(std::move(profile));
  cvsim::Simulator* sim = bench.sim.get();
  cv::xr9::TFileTransfer transfer(bench.equip);
  bool ok = true;
  ok &= Report("download of a 26560-byte plan", Measure(*sim, [&] {
                 const auto r = transfer.Download({0, 1, 26560, "PLAN"});
                 return r.status == cv::xr9::DownloadStatus::Ok && r.data.size() == plan.size();
               }), 1.05);
  ok &= Report("download of a 520000-byte file", Measure(*sim, [&] {
                 const auto r = transfer.Download({0, 10, 520000, "LOGGER.DL"});
                 return r.status == cv::xr9::DownloadStatus::Ok && r.data.size() == logFile.size();
               }), 1.05);
  const std::string path = "/tmp/cv_bench_xr9_plan_" + std::to_string(getpid()) + ".can";
  std::ofstream(path, std::ios::binary) << plan;
  // The upload's version check is part of it: one more exchange of a few bytes.
  ok &= Report("upload of a 26560-byte plan", Measure(*sim, [&] {
                 return transfer.UploadFile(path, "UP", 1) &&
                        sim->WithProfile([&](cvsim::Profile& p) {
                          return static_cast<cvsim::Xr9Profile&>(p).blocksTaken == 532;
                        });
               }), 1.10);
  std::remove(path.c_str());
  return ok ? 0 : 1;
}
