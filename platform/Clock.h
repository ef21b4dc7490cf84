#pragma once
// Time as the tools see it. Waits that pump the message loop and pauses that do not both go
// through a Clock, so a test can run a whole sweep or script on a fake clock in milliseconds.
#include <cstdint>

namespace cv {

class Clock {
 public:
  virtual ~Clock() = default;
  virtual int64_t NowMs() const = 0;  // monotonic milliseconds
  virtual void SleepMs(int ms) = 0;   // blocks without letting the message loop run
  // Lets the message loop run once, then blocks for at most maxBlockMs (a slice of the caller's
  // remaining wait) so that a pumped wait neither spins a core nor overshoots its end. Without
  // userInput only paint, timer and other non-input events run: nothing the user clicks can start
  // a second exchange in the middle of one.
  virtual void PumpEvents(int maxBlockMs = 0, bool userInput = true) = 0;
};

// steady_clock, real sleeps, QCoreApplication::processEvents.
Clock& SystemClock();

// Virtual time: SleepMs advances it at once; PumpEvents processes pending events and then
// advances by pumpStepMs, so a pumped wait ends after (ms / pumpStepMs) passes.
class FakeClock : public Clock {
 public:
  int64_t NowMs() const override { return now; }
  void SleepMs(int ms) override;
  void PumpEvents(int maxBlockMs = 0, bool userInput = true) override;
  void Advance(int64_t ms) { now += ms; }

  int64_t now = 0;
  int pumpStepMs = 10;
  bool processEvents = true;
  int64_t sleptMs = 0;   // total of SleepMs calls
  int64_t pumpedMs = 0;  // total time advanced by PumpEvents
  int pumps = 0;         // PumpEvents calls
  int inputPumps = 0;    // of them, the calls that let user input run
};

}  // namespace cv
