#include "ConsoleWait.h"

#include <algorithm>
#include <thread>

namespace cv {

ConsoleEvent ConsoleWait(ConsoleModel* console, SerialHandle port, int64_t timeoutMs, Clock& clock,
                         int sliceMs) {
  const int64_t deadline = clock.NowMs() + std::max<int64_t>(timeoutMs, 0);
  for (;;) {
    if (console && !console->input.empty()) return ConsoleEvent::Input;
    const int64_t left = deadline - clock.NowMs();
    const int slice = static_cast<int>(std::clamp<int64_t>(left, 0, sliceMs));
    if (port != kInvalidSerialHandle) {
      if (SerialWaitReadable(port, slice)) return ConsoleEvent::Port;
    } else if (slice > 0) {
      std::this_thread::sleep_for(std::chrono::milliseconds(slice));
    }
    clock.PumpEvents(0);
    if (console && !console->input.empty()) return ConsoleEvent::Input;
    if (clock.NowMs() >= deadline) return ConsoleEvent::Timeout;
  }
}

}  // namespace cv
