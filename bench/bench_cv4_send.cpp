// Send of a full CORVANE-4 canalization through the plan editor: 32 plans of 100 terrestrial
// channels, one command each, against the simulated meter (firmware 2.00) pacing the wire at
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
#include "Chanplandlg.h"
#include "Corvane4Profile.h"
#include "Cv4Equip.h"
#include "Cv4PlanFamily.h"
#include "Cv4PlanScript.h"

int main(int argc, char** argv) {
  if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  QTemporaryDir work;  // the temporary script and its transcript go to the working directory
  QDir::setCurrent(work.path());
  constexpr int kBaud = 19200;
  auto sim = StartPacedSimulator(kBaud, std::getenv("CV_BENCH_LOG"), std::make_unique<cvsim::Corvane4Profile>());
  MapComTo(*sim, 1);
  TSerial port(0);
  std::unique_ptr<cv::cv4::TCv4Equip> equip(TCv3Equip::Build<cv::cv4::TCv4Equip>(nullptr, &port));
  if (!OpenSettled(*sim, port, kBaud)) return 2;
  cv::RecordingPrompter prompter;
  cv::SetPrompter(&prompter);

  TChannelsPlanDlg dlg(nullptr, equip.get(), cv::cv4::Cv4PlanFamily());
  auto& editor = dlg.Editor();
  // Every slot this family has (the editor's table holds more, for the 64-plan family).
  for (int p = 0; p < cv::cv4::Cv4PlanFamily().planSlots; ++p) {
    PlanSlot& s = editor.planSlots[p];
    NewPlan(s);
    CopyField(s.name, "PLAN" + std::to_string(p));
    for (int c = 0; c < 100; ++c)
      s.Channels().push_back(TChan3::FromFrequency("C" + std::to_string(c), 47.0f + 8.0f * static_cast<float>(c), 8,
                                                   'T', "SY06"));
    s.channelCount = 100;
  }
  editor.planSelected = true;
  editor.listIndex = 0;

  const WireRun run = MeasureOnWire(*sim, kBaud, [&] { editor.SendBtnClick(); });
  const int waitSeconds = TranscriptWaitSeconds(work.filePath("___CH4__.LOG").toStdString());
  int plans = 0;
  sim->WithProfile([&](cvsim::Profile& p) { plans = static_cast<cvsim::Corvane4Profile&>(p).flash.PlanCount(); });
  cv::SetPrompter(nullptr);
  port.Close();

  const bool ok = ReportCanalizationSend(run, waitSeconds, plans, 32, kBaud);
  std::printf("%s\n", ok ? "PASS" : "FAIL");
  return ok ? 0 : 1;
}
