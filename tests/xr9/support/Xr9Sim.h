#pragma once
// The simulated analyser on COM1 at 115200 baud, and the family's equipment object on that port
// with a host form to log to, a fake clock and a recording prompter. A fixture derives from
// Xr9Sim; the port and the simulator outlive the equipment object.
#include <gtest/gtest.h>

#include <QStringList>
#include <chrono>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "AppServices.h"
#include "Clock.h"
#include "HostForm.h"
#include "SimOnCom1.h"
#include "Xr9Equip.h"
#include "Xr9Profile.h"
#include "Xr9Transfer.h"

using SimOnXr9 = SimOn<cvsim::Xr9Profile, 115200>;

class Xr9Sim : public ::testing::Test, public SimOnXr9 {
 public:
  // Long enough that an unpaced transfer never pauses 700 ms x scale between two bytes, short
  // enough that a silent analyser (12 empty reads of 1005 ms x scale) costs about a second.
  static constexpr double kTimeScale = 0.08;

 protected:
  void SetUp() override {
    ASSERT_NO_FATAL_FAILURE(StartSim());
    port.timeScale = kTimeScale;
    equip = Make<cv::xr9::TXR9Equip>(&port);
  }

  template <class E>
  std::unique_ptr<E> Make(TSerial* withPort) {
    auto e = std::make_unique<E>(&host.form, withPort);
    e->clock = &clock;
    return e;
  }

  // Opens the link as a tool does, then forgets the traffic of the opening (the wake line and
  // its answer), so a test sees only what it sends itself.
  void OpenLink() {
    Settle();
    sim->ClearTraffic();
    ASSERT_TRUE(port.OpenLink(115200, 8, 0, 0));
    const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(2);
    while (sim->Lines().empty() && std::chrono::steady_clock::now() < until)
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    sim->WaitTxIdle();
    sim->ClearTraffic();
  }

  template <class F>
  void Analyser(F f) {
    Profile([&](cvsim::Xr9Profile& p) { f(p); });
  }

  // Lines of the tool's log zone, as a transfer writes them.
  cv::xr9::TFileTransfer Transfer() {
    return cv::xr9::TFileTransfer(*equip, [this](const std::string& line) { zone << QString::fromStdString(line); });
  }

  HostForm host;
  cv::FakeClock clock;
  cv::RecordingPrompter prompter;
  std::unique_ptr<cv::xr9::TXR9Equip> equip;
  QStringList zone;
};

inline double MsSince(std::chrono::steady_clock::time_point start) {
  return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}
