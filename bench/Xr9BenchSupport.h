#pragma once
// The TV MIRELTO benchmarks' analyser: the simulator of `profile` paced at 115200 baud on COM1,
// and the family's equipment object with its link open. The benchmark ends here when no analyser
// answers.
#include <cstdio>
#include <cstdlib>
#include <memory>

#include "BenchSupport.h"
#include "PortMap.h"
#include "Serial.h"
#include "Xr9Equip.h"
#include "Xr9Profile.h"

struct Xr9Bench {
  static constexpr int kBaud = 115200;
  explicit Xr9Bench(std::unique_ptr<cvsim::Xr9Profile> profile)
      : sim(StartPacedSimulator(kBaud, std::getenv("CV_BENCH_LOG"), std::move(profile))) {
    cv::SetPortPaths({{1, sim->Path()}});
    if (!port.OpenLink(kBaud, 8, 0, 0) || !equip.CheckVersion()) {  // the check takes the wake line's answer
      std::fprintf(stderr, "no analyser on %s\n", sim->Path().c_str());
      std::exit(1);
    }
  }
  ~Xr9Bench() {
    port.Close();
    sim->Stop();
  }
  std::unique_ptr<cvsim::Simulator> sim;
  TSerial port{0};
  cv::xr9::TXR9Equip equip{nullptr, &port};
};
