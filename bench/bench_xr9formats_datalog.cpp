// Decoding data-logger files of the receive buffer's size (520000 bytes): the most a file can
// declare (every channel the plan room allows, 65535 test points) and a full file of measured
// values (200 channels of 15 measurements). Goal: each decode under a second, with the process's
// peak resident memory growing by less than 64 MB.
#include <sys/resource.h>

#include <QApplication>
#include <cstdio>

#include "AppServices.h"
#include "BenchSupport.h"
#include "DataLogFile.h"
#include "Xr9Images.h"

namespace {

long PeakKb() {
  rusage u{};
  getrusage(RUSAGE_SELF, &u);
  return u.ru_maxrss;
}

bool Run(const char* what, const cvsim::xr9img::DataLog& log) {
  std::vector<uint8_t> image = cvsim::xr9img::DataLogFile(log);
  cv::RecordingPrompter boxes;
  cv::xr9::TDataLogStore store(cv::xr9::DataLogSinks{&boxes, {}, {}});
  const int rounds = 5;
  long peak0 = PeakKb();
  double t0 = CpuSeconds();
  bool ok = true;
  for (int i = 0; i < rounds; ++i) {
    int slot = store.DecodeDataLogFile(image.data(), image.size(), "BENCH.DL");
    ok = ok && slot == 0;
    store.FreeDataLogFile(0);
  }
  double each = (CpuSeconds() - t0) / rounds;
  long grown = PeakKb() - peak0;
  bool met = ok && each < 1.0 && grown < 64 * 1024;
  std::printf("%-8s %7zu bytes, %5zu channels, %5zu test points: %.1f ms a decode, peak +%ld KB  %s\n", what,
              image.size(), log.channels.size(), log.testPoints.size(), each * 1000, grown,
              met ? "goal met" : "GOAL MISSED");
  return met;
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  bool met = Run("largest", cvsim::xr9img::LargestDataLog());
  met = Run("dense", cvsim::xr9img::DenseDataLog()) && met;
  return met ? 0 : 1;
}
