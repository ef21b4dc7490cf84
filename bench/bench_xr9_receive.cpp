// RECEIVE PLANS of the TV MIRELTO plan editor against the line's physical limit: the simulated
// analyser, paced at 115200 baud (10 bits a byte), holds 450 plans of 60 channels; the editor
// identifies it, lists them and receives them all into its store. Goal: the elapsed time over the
// wire time of every exchange (both directions) at most 1.10. The CPU figure is the program's
// thread alone; the whole process's, the simulated analyser's thread with it, follows it.
#include <QCoreApplication>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

#include "AppServices.h"
#include "Xr9BenchSupport.h"
#include "PortMap.h"
#include "Serial.h"
#include "Simulator.h"
#include "Xr9Equip.h"
#include "Xr9Images.h"
#include "Xr9PlanEditor.h"
#include "Xr9Profile.h"

namespace {

constexpr int kBaud = 115200;

struct TickAll : cv::xr9::EditorView {
  void RefreshAll() override {}
  void RefreshChannels() override {}
  void SetTransferButtons(bool, bool, bool) override {}
  cv::xr9::ReceiveChoice RunReceiveDialog(cv::xr9::TPlanEditor& editor, const std::vector<std::string>& lines) override {
    for (size_t i = 0; i < lines.size(); ++i) editor.SelectDirEntry(static_cast<int>(i));
    return cv::xr9::ReceiveChoice::Receive;
  }
  void SetGauge(int) override {}
  void Repaint() override {}
  void AddLogZone(const std::string&) override {}
  void SetBusy(bool) override {}
};

std::string PlanBytes(int n) {
  cvsim::xr9img::Plan p;
  p.type = 7;
  p.attrs = {{4, 8000}};
  for (int c = 0; c < 60; ++c)
    p.channels.push_back({"C" + std::to_string(n % 100) + "_" + std::to_string(c), 47000u + 8000u * c,
                          49750u + 8000u * c, {{1, 0}, {2, 1}}, {}});
  const auto bytes = cvsim::xr9img::BinaryPlan(p);
  return std::string(bytes.begin(), bytes.end());
}

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  auto profile = std::make_unique<cvsim::Xr9Profile>();
  for (int i = 0; i < 450; ++i) profile->PutFile(i < 255 ? 1 : 4, "PLAN" + std::to_string(i), PlanBytes(i));
  Xr9Bench bench(std::move(profile));
  cvsim::Simulator* sim = bench.sim.get();
  cv::RecordingPrompter prompter;  // the two "Maximum number of Plans" boxes
  TickAll view;
  cv::xr9::TPlanEditor editor(bench.equip, prompter, view);
  sim->WaitTxIdle();
  sim->ClearTraffic();
  const double cpu0 = ThreadCpuSeconds();
  const double process0 = CpuSeconds();
  const auto t0 = std::chrono::steady_clock::now();
  editor.ReceiveBtnClick();
  const auto t1 = std::chrono::steady_clock::now();
  const double cpu = ThreadCpuSeconds() - cpu0;
  const double processCpu = CpuSeconds() - process0;
  sim->WaitTxIdle();
  const double bytes = static_cast<double>(sim->Received().size() + sim->Sent().size());
  const double elapsed = std::chrono::duration<double>(t1 - t0).count();
  const double wire = bytes * 10.0 / kBaud;
  int channels = 0;
  for (int i = 0; i < editor.ListedPlans(); ++i) channels += static_cast<int>(editor.plans[i].ChannelCount);
  const bool ok = editor.ListedPlans() == 450 && channels == 450 * 60;
  std::printf("receive of 450 plans of 60 channels %s elapsed %7.3f s  wire %7.3f s  elapsed/wire %.4f "
              "(goal <= 1.10)  CPU %.2f%% (process with simulator %.2f%%)\n",
              ok ? "ok    " : "FAILED", elapsed, wire, elapsed / wire, 100.0 * cpu / elapsed,
              100.0 * processCpu / elapsed);
  return ok ? 0 : 1;
}
