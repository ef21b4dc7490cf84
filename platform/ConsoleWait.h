#pragma once
// The console's one wait: returns when the console has an input record, when the port has
// bytes to read (or has failed), or when the time is up, all measured on a cv::Clock. The
// message loop runs on every pass, so the window keeps painting and takes keys while it waits.
#include "Clock.h"
#include "ConsoleModel.h"
#include "SerialDevice.h"

namespace cv {

enum class ConsoleEvent { Input, Port, Timeout };

// `console` null: input is not watched; `port` invalid: the port is not watched. Each pass blocks
// at most `sliceMs` real milliseconds on the port (a fake clock's pass is short; tests keep the
// slice small so that virtual time runs fast).
ConsoleEvent ConsoleWait(ConsoleModel* console, SerialHandle port, int64_t timeoutMs, Clock& clock,
                         int sliceMs = 10);

}  // namespace cv
