#pragma once
// A simulated CORVANE-3 on a pseudo-terminal that "COM1" leads to, and the port that reaches it.
// For tests that link cvsim; a fixture derives from it beside ::testing::Test, so the port and
// the simulator outlive the fixture's own members (the equipment object using the port).
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <memory>
#include <string>
#include <thread>

#include "PortMap.h"
#include "Serial.h"
#include "Simulator.h"

struct SimOnCom1 {
  std::unique_ptr<cvsim::Simulator> sim;
  TSerial port{0};

  ~SimOnCom1() { cv::SetPortPaths({}); }

  // Call under ASSERT_NO_FATAL_FAILURE: a simulator that cannot start fails the test.
  void StartSim() {
    sim = std::make_unique<cvsim::Simulator>();
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
  // Settles, then opens the port as the launcher does.
  void SettleAndOpen() {
    Settle();
    ASSERT_TRUE(port.OpenConfigured(19200, 8, 0, 0));
  }
  template <class F>
  void Profile(F f) {
    sim->WithProfile([&](cvsim::Profile& p) { f(static_cast<cvsim::Corvane3Profile&>(p)); });
  }
};
