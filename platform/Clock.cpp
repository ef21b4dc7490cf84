#include "Clock.h"

#include <QCoreApplication>
#include <algorithm>
#include <chrono>
#include <thread>

namespace cv {
namespace {
class SystemClockImpl : public Clock {
 public:
  int64_t NowMs() const override {
    return std::chrono::duration_cast<std::chrono::milliseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
  }
  void SleepMs(int ms) override {
    if (ms > 0) std::this_thread::sleep_for(std::chrono::milliseconds(ms));
  }
  void PumpEvents(int maxBlockMs, bool userInput) override {
    QCoreApplication::processEvents(userInput ? QEventLoop::AllEvents : QEventLoop::ExcludeUserInputEvents, 5);
    // Slices of 10 ms keep the window responsive at well under 1% of a core.
    if (maxBlockMs > 0) std::this_thread::sleep_for(std::chrono::milliseconds(std::min(maxBlockMs, 10)));
  }
};
}  // namespace

Clock& SystemClock() {
  static SystemClockImpl clock;
  return clock;
}

void FakeClock::SleepMs(int ms) {
  if (ms > 0) {
    now += ms;
    sleptMs += ms;
  }
}

void FakeClock::PumpEvents(int, bool userInput) {
  ++pumps;
  if (userInput) ++inputPumps;
  if (processEvents && QCoreApplication::instance())
    QCoreApplication::processEvents(userInput ? QEventLoop::AllEvents : QEventLoop::ExcludeUserInputEvents);
  now += pumpStepMs;
  pumpedMs += pumpStepMs;
}

}  // namespace cv
