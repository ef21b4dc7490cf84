#pragma once
// A simulated instrument of profile P on a pseudo-terminal that "COM1" leads to, and the port
// that reaches it at the family's line rate. For tests that link cvsim; a fixture derives from it
// beside ::testing::Test, so the port and the simulator outlive the fixture's own members (the
// equipment object using the port). SimOnCom1 is the CORVANE-3 at 19200 baud.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <memory>
#include <string>
#include <thread>

#include "PortMap.h"
#include "Serial.h"
#include "Simulator.h"

template <class P, int Baud>
struct SimOn {
  std::unique_ptr<cvsim::Simulator> sim;
  TSerial port{0};
  int baud = Baud;

  ~SimOn() { cv::SetPortPaths({}); }

  // Call under ASSERT_NO_FATAL_FAILURE: a simulator that cannot start fails the test. A test
  // may hand in a profile of its own making (of type P) and simulator options.
  void StartSim(std::unique_ptr<P> profile = nullptr, cvsim::SimOptions options = {}) {
    sim = std::make_unique<cvsim::Simulator>(profile ? std::move(profile) : std::make_unique<P>(), options);
    std::string error;
    ASSERT_TRUE(sim->Start(&error)) << error;
    unsetenv("CV_PORT_COM1");
    cv::SetPortPaths({{1, sim->Path()}});
    // A silent instrument costs 12 empty reads; a short time scale keeps such cases quick.
    port.timeScale = 0.02;
  }
  // Lets every byte the instrument sent reach the port, so the next open discards it: the
  // instrument announces XON after each line, and one left in the line would pair with the next
  // command.
  void Settle() {
    sim->WaitTxIdle();
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  // Waits until the instrument has received the wake line the port's set-up writes (a few seconds
  // at most, so a loaded machine does not race it), then settles: traffic cleared after this holds
  // no late "*".
  void SettleAfterWakeLine() {
    auto woken = [&] {
      for (const std::string& line : sim->Lines())
        if (line == "*") return true;
      return false;
    };
    ASSERT_TRUE(WaitUntil(woken)) << "the wake line never reached the instrument";
    Settle();
  }
  // Waits until the instrument has received `count` lines since the traffic was last cleared: what
  // the program writes without awaiting an answer reaches it whenever its thread gets to run.
  bool WaitForLines(size_t count) {
    return WaitUntil([&] { return sim->Lines().size() >= count; });
  }
  // Polls `done` for a few seconds at most, so that a loaded machine does not race it.
  template <class F>
  static bool WaitUntil(F done) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (!done() && std::chrono::steady_clock::now() < end)
      std::this_thread::sleep_for(std::chrono::milliseconds(2));
    return done();
  }
  // Settles, then opens the port as the launcher does.
  void SettleAndOpen() {
    Settle();
    ASSERT_TRUE(port.OpenConfigured(baud, 8, 0, 0));
  }
  template <class F>
  void Profile(F f) {
    sim->WithProfile([&](cvsim::Profile& p) { f(static_cast<P&>(p)); });
  }
};

using SimOnCom1 = SimOn<cvsim::Corvane3Profile, 19200>;
