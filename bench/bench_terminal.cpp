// The terminal against the line's physical limit: 64 KiB sent by the simulator pacing at 115200
// baud (10 bits a byte) and shown in the terminal's cell model by its interactive loop. Reports
// whether every byte arrived and was shown, the elapsed time from the first byte's send to the
// last byte's display over the wire time (goal: at most 1.05), and the program's CPU time over
// the elapsed time (the simulated meter's thread, another machine on a real line, apart).
#include <QCoreApplication>
#include <QTemporaryDir>
#include <chrono>
#include <cstdio>
#include <string>
#include <thread>

#include "BenchSupport.h"
#include "PortMap.h"
#include "Registry.h"
#include "Simulator.h"
#include "Term.h"

namespace {

struct BenchOwner : TermOwner {
  TTerm* term = nullptr;
  size_t expected = 0;
  std::chrono::steady_clock::time_point last;
  void AddLog(const std::string&) override {}
  std::string DetectedPort() const override { return "COM1"; }
  void Repaint() override {
    if (term && term->receivedCount >= expected && term->console.input.empty()) {
      last = std::chrono::steady_clock::now();
      term->console.input.push_back({true, cv::ConsoleInput::Key::Char, 'q', true});
    }
  }
};

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  QTemporaryDir home;
  cv::SetRegistryFile(home.filePath("registry.ini").toStdString());
  const int baud = 115200;
  const size_t size = 64 * 1024;
  auto sim = StartPacedSimulator(baud, std::getenv("CV_BENCH_LOG"));
  cv::SetPortPaths({{1, sim->Path()}});

  // Lines of 62 letters and digits ended by CR LF: the loop writes, wraps and scrolls.
  std::string data;
  for (size_t i = 0; data.size() < size; ++i)
    data.push_back((i % 64) == 62 ? '\r' : (i % 64) == 63 ? '\n' : "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789"[i % 62]);

  BenchOwner owner;
  TTerm term(owner);
  term.showWindow = false;
  owner.term = &term;
  owner.expected = size;
  term.ReadSettings();
  term.crLf = false;
  term.baudRate = baud;
  term.DrawMainScreen();
  if (!term.OpenPort()) return 1;
  std::this_thread::sleep_for(std::chrono::milliseconds(200));  // the simulator sees the open

  const double cpu0 = ProgramCpuSeconds();
  const double meter0 = SimulatorCpuSeconds();
  const auto t0 = std::chrono::steady_clock::now();
  sim->Inject(data);
  term.ProcessIO();
  const double elapsed = std::chrono::duration<double>(owner.last - t0).count();
  const double cpu = ProgramCpuSeconds() - cpu0;
  const double meter = SimulatorCpuSeconds() - meter0;
  const double wire = static_cast<double>(size) * 10.0 / baud;

  // The last full line shown must be the data's last full line.
  const cv::ConsoleScreen& s = term.console.screens[0];
  const std::string lastLine = data.substr(data.size() - 64, 62);
  std::string shown;
  for (int y = TTerm::kTermTop; y < cv::kConsoleHeight; ++y)
    if (s.Row(y).compare(0, 62, lastLine) == 0) shown = lastLine;
  sim->Stop();

  std::printf("bytes sent          %zu\n", size);
  std::printf("bytes shown         %llu%s\n", static_cast<unsigned long long>(term.receivedCount),
              term.receivedCount == size && shown == lastLine ? " (none lost)" : " (LOST)");
  std::printf("wire time           %.3f s\n", wire);
  std::printf("elapsed             %.3f s\n", elapsed);
  std::printf("elapsed / wire      %.4f (goal <= 1.05)\n", elapsed / wire);
  std::printf("CPU                 %.3f s (%.2f%% of elapsed; simulated meter %.2f%%)\n", cpu, 100.0 * cpu / elapsed,
              100.0 * meter / elapsed);
  return term.receivedCount == size && elapsed / wire <= 1.05 ? 0 : 1;
}
