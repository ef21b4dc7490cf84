// Send of a 40-plan CORVANE-PLENAR canalization (terrestrial, DAB and satellite plans) through the
// family's plan editor, options checked first, against the simulated meter pacing the wire at
// 19200 baud. Goal: the run's time, less the seconds its WAIT lines ask for, at most 1.1 times the
// wire time of every byte exchanged.
#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <chrono>
#include <cstdio>
#include <thread>

#include "AppServices.h"
#include "BenchSupport.h"
#include "ChanPlen.h"
#include "Chanplandlgplen.h"
#include "PlenEquip.h"
#include "PlenarProfile.h"

int main(int argc, char** argv) {
  if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  QTemporaryDir work;  // the temporary script and its transcript go to the working directory
  QDir::setCurrent(work.path());
  constexpr int kBaud = 19200;
  auto profile = std::make_unique<cvsim::PlenarProfile>();
  profile->plans.clear();
  auto sim = StartPacedSimulator(kBaud, std::getenv("CV_BENCH_LOG"), std::move(profile));
  MapComTo(*sim, 1);
  TSerial port(0);
  std::unique_ptr<cv::plenar::TCvPlenEquip> equip(TCv3Equip::Build<cv::plenar::TCvPlenEquip>(nullptr, &port));
  if (!OpenSettled(*sim, port, kBaud)) return 2;
  cv::RecordingPrompter prompter;
  cv::SetPrompter(&prompter);

  auto dlg = cv::plenar::MakeChannelsPlanDlgPlen(nullptr, equip.get());
  auto& editor = dlg->Editor();
  for (int p = 0; p < 40; ++p) {
    PlanSlot& s = editor.planSlots[p];
    NewPlan(s);
    const char band = "TDS"[p % 3];
    CopyField(s.name, "PLAN" + std::to_string(p));
    s.band = band;
    s.lnbMHz = band == 'S' ? 9750.0f : 0.0f;
    CopyField(s.lnbText, band == 'S' ? "17CDC" : "00000");
    for (int c = 0; c < 60; ++c) {
      const float mhz = band == 'S' ? 950.0f + 20.0f * c : 47.0f + 8.0f * c;
      const char* command = band == 'D' ? "ME8" : band == 'T' ? "SY06" : "ME4";
      s.Channels().push_back(
          cv::plenar::TChanPlen::FromFrequency("C" + std::to_string(c), mhz, 800, band, command, band == 'S' ? "UN1" : ""));
    }
    s.channelCount = 60;
  }
  editor.planSelected = true;
  editor.listIndex = 0;

  const WireRun run = MeasureOnWire(*sim, kBaud, [&] { editor.SendBtnClick(); });
  const int waitSeconds = TranscriptWaitSeconds(work.filePath("___CVN__.LOG").toStdString());
  int plans = 0;
  sim->WithProfile([&](cvsim::Profile& p) { plans = static_cast<cvsim::PlenarProfile&>(p).flash.PlanCount(); });
  cv::SetPrompter(nullptr);
  dlg.reset();
  port.Close();

  bool ok = ReportCanalizationSend(run, waitSeconds, plans, 40, kBaud);
  std::printf("boxes shown        %zu\n", prompter.shown.size());
  ok = ok && prompter.shown.empty();
  std::printf("%s\n", ok ? "PASS" : "FAIL");
  return ok ? 0 : 1;
}
