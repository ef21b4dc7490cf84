// A CORVANE-PLENAR quick snapshot of 1000 points, plotted point by point on the dialog's bitmap,
// against the simulated meter pacing the wire at 19200 baud. The snapshot asks nine blocks
// ("*?SPS0" .. "*?SPS8", 120 points each but the last); goal: at most 1.2 times the wire time of
// those nine exchanges.
#include <QApplication>
#include <QCheckBox>
#include <cstdio>

#include "BenchSupport.h"
#include "Clock.h"
#include "PlenEquip.h"
#include "PlenarProfile.h"
#include "Specdlg.h"
#include "Specdlgplen.h"

int main(int argc, char** argv) {
  using cv::plenar::TCvPlenEquip;
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  constexpr int kBaud = 19200;
  auto meter = std::make_unique<cvsim::PlenarProfile>();
  meter->quick.band = 'T';
  meter->quick.points = 1000;
  meter->quick.stepCode = 1;
  auto sim = StartPacedSimulator(kBaud, nullptr, std::move(meter));
  MapComTo(*sim, 1);
  TSerial port(0);
  std::unique_ptr<TCvPlenEquip> equip(TCv3Equip::Build<TCvPlenEquip>(nullptr, &port));
  // The pause after "*SP1" is the meter's, not the snapshot's: it passes on a fake clock.
  cv::FakeClock clock;
  equip->clock = &clock;
  if (!OpenSettled(*sim, port, kBaud)) return 2;

  std::unique_ptr<QDialog> made = cv::plenar::MakeSpectrumDlgPlen(*equip);
  auto* dlg = static_cast<TSpectrumDlg*>(made.get());
  dlg->showError = [](const QString&, const QString&) {};
  dlg->findChild<QCheckBox*>("QuickCheckBox")->setChecked(true);
  dlg->QuickCheckBoxClick();
  dlg->StartBtnClick();  // the first snapshot, with the header
  TSpectrumSweep& sweep = dlg->Sweep();
  if (sweep.state != 1 || sweep.pointIndex != 1000) {
    std::printf("the first quick snapshot failed (state %d, %d points)\nFAIL\n", sweep.state, sweep.pointIndex);
    return 1;
  }
  const WireRun r = MeasureOnWire(*sim, kBaud, [&] { sweep.TakeQuickSnapshot(); });
  const double ratio = r.wallMs / r.wireMs;
  std::printf("quick snapshot: %d points, %zu lines, %zu bytes: wire %.1f ms, measured %.1f ms, ratio %.3f, CPU %.2f %% "
              "(simulated meter %.2f %%)\n",
              sweep.pointIndex, r.lines, r.bytes, r.wireMs, r.wallMs, ratio, r.cpuPercent, r.meterCpuPercent);
  const bool ok = sweep.pointIndex == 1000 && r.lines == 9 && ratio <= 1.2;
  std::printf("%s\n", ok ? "PASS" : "FAIL");
  port.Close();
  cv::SetPortPaths({});
  return ok ? 0 : 1;
}
