#pragma once
// Virtual time for a script's waits, with a real millisecond for the simulator's thread per
// virtual second.
#include <chrono>
#include <thread>

#include "Clock.h"

class PacedClock : public cv::FakeClock {
 public:
  void PumpEvents(int maxBlockMs = 0, bool userInput = true) override {
    FakeClock::PumpEvents(maxBlockMs, userInput);
    if (now % 1000 == 0) std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
};
