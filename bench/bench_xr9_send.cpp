// SEND ALL PLANS of the TV MIRELTO plan editor against the line's physical limit: the editor holds
// 450 plans of 60 channels and sends them all to the simulated analyser, paced at 115200 baud (10
// bits a byte); every attempt identifies the analyser and reads its version before the upload.
// Goal: the elapsed time over the wire time of every exchange (both directions) at most 1.10.
#include <QCoreApplication>
#include <QDir>
#include <QTemporaryDir>
#include <cstdio>
#include <memory>
#include <string>

#include "AppServices.h"
#include "Xr9BenchSupport.h"
#include "Xr9PlanEditor.h"
#include "Xr9PlanOut.h"

namespace {

constexpr int kBaud = 115200;

struct Quiet : cv::xr9::EditorView, cv::xr9::PlanOutView {
  void RefreshAll() override {}
  void RefreshChannels() override {}
  void SetTransferButtons(bool, bool, bool) override {}
  cv::xr9::ReceiveChoice RunReceiveDialog(cv::xr9::TPlanEditor&, const std::vector<std::string>&) override {
    return cv::xr9::ReceiveChoice::Cancel;
  }
  void SetGauge(int) override {}
  void Repaint() override {}
  void AddLogZone(const std::string&) override {}
  void SetBusy(bool) override {}
  std::vector<int> SelectedPlanLines() const override { return {}; }
  void DisableSendButton(bool) override {}
};

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  QTemporaryDir work;  // the temporary plan file is written in the working directory
  QDir::setCurrent(work.path());
  auto profile = std::make_unique<cvsim::Xr9Profile>();
  profile->idModel = 0x20;
  profile->optionWord = 0xFFFFFFFFu;
  cvsim::Xr9Profile* analyser = profile.get();
  Xr9Bench bench(std::move(profile));
  cvsim::Simulator* sim = bench.sim.get();
  cv::RecordingPrompter prompter;
  Quiet view;
  cv::xr9::TPlanEditor editor(bench.equip, prompter, view);
  cv::xr9::TPlanOut out(editor, view);
  for (int i = 0; i < cv::xr9::PlanSlots; ++i) {
    cv::xr9::TPlanXR9& p = editor.plans[i];
    p.InUse = 3;
    p.Name = "PLAN" + std::to_string(i);
    p.FileType = i < 255 ? 2 : 5;
    p.PlanType = i < 255 ? 7 : 5;
    p.Channels.emplace();
    for (int c = 0; c < 60; ++c)
      p.Channels->emplace_back("C" + std::to_string(c), 47000u + 8000u * c, 49750u + 8000u * c,
                               std::vector<cv::xr9::TChanAttribute>{cv::xr9::TChanAttribute::Of(2, 1)});
    p.ChannelCount = 60;
  }
  sim->WaitTxIdle();
  const WireRun run = MeasureOnWire(*sim, kBaud, [&] { out.SendAllBtnClick(); });
  size_t stored = 0;
  sim->WithProfile([&](cvsim::Profile&) {
    for (const auto& [type, files] : analyser->files) stored += files.size();
  });
  const bool sent = stored == 450 && prompter.shown.size() == 1 && prompter.shown[0].caption == "CvTools";
  if (!sent) std::printf("FAILED: %zu plans stored\n", stored);
  const bool ok = ReportWireRun("send all", run) && sent;
  return ok ? 0 : 1;
}
