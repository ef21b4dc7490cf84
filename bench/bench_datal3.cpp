// The host script's DATAL3 dump of a full logger, 99 memories by 99 test points, every one of
// them selected, against the simulator pacing at 19200 baud: 198 memory queries, 99 test-point
// queries and 9801 value queries, each with the full handshake. Reports the elapsed time over the
// wire time of the bytes exchanged (goal: at most 1.1) and the program's CPU time (the simulated
// meter's thread, another machine on a real line, apart).
#include <QCoreApplication>
#include <QTemporaryDir>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <string>
#include <thread>

#include "BenchSupport.h"
#include "PortMap.h"
#include "Registry.h"
#include "Simulator.h"
#include "Term.h"

namespace {

struct BenchOwner : TermOwner {
  void AddLog(const std::string&) override {}
  std::string DetectedPort() const override { return "COM1"; }
};

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  QTemporaryDir home;
  cv::SetRegistryFile(home.filePath("registry.ini").toStdString());
  const int baud = 19200;
  auto profile = std::make_unique<cvsim::Corvane3Profile>();
  for (auto& m : profile->loggerMemories) m.selected = true;
  profile->loggerTPSelected.assign(99, true);
  auto sim = StartPacedSimulator(baud, std::getenv("CV_BENCH_LOG"), std::move(profile));
  cv::SetPortPaths({{1, sim->Path()}});

  BenchOwner owner;
  TTerm term(owner);
  term.showWindow = false;
  term.portName = "COM1";
  term.baudRate = baud;
  if (!term.OpenPort()) return 1;
  std::this_thread::sleep_for(std::chrono::milliseconds(200));  // the simulator sees the open
  sim->SendXon();
  sim->WaitTxIdle();
  std::this_thread::sleep_for(std::chrono::milliseconds(50));
  sim->ClearTraffic();

  const std::string table = home.filePath("dump.csv").toStdString();
  const std::string script = home.filePath("dump.pro").toStdString();
  std::ofstream(script) << "DATAL3 " << table << "\n";

  const double cpu0 = ProgramCpuSeconds();
  const double meter0 = SimulatorCpuSeconds();
  const auto t0 = std::chrono::steady_clock::now();
  const bool ok = term.RunProFile(script);
  const double elapsed = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
  const double cpu = ProgramCpuSeconds() - cpu0;
  const double meter = SimulatorCpuSeconds() - meter0;
  const size_t bytes = sim->Received().size() + sim->Sent().size();
  const size_t queries = sim->Lines().size();
  const double wire = static_cast<double>(bytes) * 10.0 / baud;
  int lines = 0;
  std::ifstream in(table);
  for (std::string l; std::getline(in, l);) ++lines;
  sim->Stop();

  std::printf("result              %s, %d table lines (expected 104)\n", ok ? "OK" : "ERROR", lines);
  std::printf("exchanges           %zu\n", queries);
  std::printf("bytes on the line   %zu\n", bytes);
  std::printf("wire time           %.3f s\n", wire);
  std::printf("elapsed             %.3f s\n", elapsed);
  std::printf("elapsed / wire      %.4f (goal <= 1.1)\n", elapsed / wire);
  std::printf("CPU                 %.3f s (%.2f%% of elapsed; simulated meter %.2f%%)\n", cpu, 100.0 * cpu / elapsed,
              100.0 * meter / elapsed);
  return ok && lines == 104 && elapsed / wire <= 1.1 ? 0 : 1;
}
