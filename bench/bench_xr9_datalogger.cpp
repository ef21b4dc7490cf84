// The TV MIRELTO data logger on the largest file the analyser can hold (a full 520000-byte file:
// 200 channels of 15 measurements and as many test points as the values leave room for), against
// the simulated analyser paced at 115200 baud. Receiving it through the dialog's controller
// (download, decode, store in the receiving folder): goal elapsed over the wire time of the
// exchange at most 1.05, CPU of the program's thread under 2% of the elapsed time. Opening the
// measurement sheet on it (Init, ShowFile, the form shown and painted): goal within 1% of that
// wire time.
#include <time.h>
#include <unistd.h>

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

#include "AppServices.h"
#include "BenchSupport.h"
#include "DataLoggerCtl.h"
#include "DataLoggerSheetDlg.h"
#include "Serial.h"
#include "Xr9Equip.h"
#include "Xr9Images.h"
#include "Xr9Profile.h"

namespace {

constexpr int kBaud = 115200;

double Since(std::chrono::steady_clock::time_point t0) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
}

}  // namespace

int main(int argc, char** argv) {
  if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  QApplication app(argc, argv);
  const auto image = cvsim::xr9img::DataLogFile(cvsim::xr9img::DenseDataLog(520000));
  const std::string bytes(image.begin(), image.end());
  auto profile = std::make_unique<cvsim::Xr9Profile>();
  profile->PutFile(10, "LARGEST", bytes);
  auto sim = StartPacedSimulator(kBaud, std::getenv("CV_BENCH_LOG"), std::move(profile));
  MapComTo(*sim, 1);
  TSerial port(0);
  cv::xr9::TXR9Equip equip(nullptr, &port);
  if (!port.OpenLink(kBaud, 8, 0, 0) || !equip.CheckVersion()) {
    std::fprintf(stderr, "no analyser on %s\n", sim->Path().c_str());
    return 1;
  }
  cv::RecordingPrompter prompter;  // any box is a failure below
  QTemporaryDir folder;
  cv::xr9::DataLoggerCtl ctl(equip, {});
  ctl.folder = folder.path().toStdString();
  ctl.ListAll();
  if (ctl.ItemCount() != 1) {
    std::fprintf(stderr, "listing failed\n");
    return 1;
  }

  sim->WaitTxIdle();
  sim->ClearTraffic();
  const double cpu0 = ThreadCpuSeconds();
  const auto t0 = std::chrono::steady_clock::now();
  const bool received = ctl.ReceiveEntry(0);
  const double elapsed = Since(t0);
  const double cpu = ThreadCpuSeconds() - cpu0;
  sim->WaitTxIdle();
  const double wire = static_cast<double>(sim->Received().size() + sim->Sent().size()) * 10.0 / kBaud;
  QFile stored(QDir(folder.path()).filePath("LARGEST.DL"));
  const bool ok1 = received && !ctl.store.File(0).IsFree() && stored.size() == qint64(bytes.size()) && prompter.shown.empty();
  std::printf("receive the %zu-byte file       %s elapsed %7.3f s  wire %7.3f s  elapsed/wire %.4f (goal <= 1.05)  "
              "CPU %.2f%% (goal < 2%%)\n",
              bytes.size(), ok1 ? "ok    " : "FAILED", elapsed, wire, elapsed / wire, 100.0 * cpu / elapsed);

  const auto t1 = std::chrono::steady_clock::now();
  cv::xr9::TDataLoggerSheetDlg sheet(nullptr, ctl, equip);
  const bool ok2 = sheet.Init();
  sheet.ShowFile(0);
  sheet.show();
  QApplication::processEvents();
  const double open = Since(t1);
  std::printf("open the sheet (%d channels x %d points) %s %7.3f s  = %.3f%% of the wire time (goal <= 1%%)\n",
              sheet.Sheet().ChannelCount(), sheet.Sheet().TestPointCount(), ok2 ? "ok    " : "FAILED", open,
              100.0 * open / wire);
  sheet.hide();

  // The other extreme of a full file: the most test points a file declares (65535), each one row.
  const auto tall = cvsim::xr9img::DataLogFile(cvsim::xr9img::LargestDataLog(520000));
  cv::xr9::DataLoggerCtl ctl2(equip, {});
  const bool decoded = ctl2.store.DecodeDataLogFile(tall.data(), tall.size(), "TALL") == 0;
  const auto t2 = std::chrono::steady_clock::now();
  cv::xr9::TDataLoggerSheetDlg sheet2(nullptr, ctl2, equip);
  const bool ok3 = decoded && sheet2.Init();
  sheet2.ShowFile(0);
  sheet2.show();
  QApplication::processEvents();
  const double open2 = Since(t2);
  std::printf("open the sheet (%d channels x %d points) %s %7.3f s  = %.3f%% of the wire time (goal <= 1%%)\n",
              sheet2.Sheet().ChannelCount(), sheet2.Sheet().TestPointCount(), ok3 ? "ok    " : "FAILED", open2,
              100.0 * open2 / wire);
  port.Close();
  sim->Stop();
  return ok1 && ok2 && ok3 ? 0 : 1;
}
