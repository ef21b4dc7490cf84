#pragma once
// The speed of a serial line in bits per second, any rate the driver takes: a rate that has a
// B-constant of termios is set with it, any other through termios2 with BOTHER, on real and USB
// serial ports alike; the rate reads back through termios2 either way. Kept apart from termios.h, whose record the kernel's termios2 header would clash
// with.
#include <cstdint>

namespace cv {

// Sets both directions of the terminal `fd` to `baud`. True when the driver holds that rate
// afterwards (within 2 %, the tolerance of a UART's sampling, for drivers that report the rate
// their divider gives); false when the device refuses it or `fd` is no terminal.
bool SetLineSpeed(int fd, uint32_t baud);
// The output speed of the terminal `fd`, or 0 when it cannot be read.
uint32_t LineSpeed(int fd);

}  // namespace cv
