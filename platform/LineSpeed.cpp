#include "LineSpeed.h"

#include <asm/termbits.h>
#include <sys/ioctl.h>

namespace cv {

namespace {

// A rate that has a B-constant is set with it, so that whatever reads the legacy termios record
// of the line (stty, the peer of a pseudo-terminal, an older driver) sees it; BOTHER would show
// such a reader no rate at all.
speed_t StandardCode(uint32_t baud) {
  struct Rate {
    uint32_t baud;
    speed_t code;
  };
  static constexpr Rate kRates[] = {
      {50, B50},           {75, B75},           {110, B110},         {134, B134},         {150, B150},
      {200, B200},         {300, B300},         {600, B600},         {1200, B1200},       {1800, B1800},
      {2400, B2400},       {4800, B4800},       {9600, B9600},       {19200, B19200},     {38400, B38400},
      {57600, B57600},     {115200, B115200},   {230400, B230400},   {460800, B460800},   {500000, B500000},
      {576000, B576000},   {921600, B921600},   {1000000, B1000000}, {1152000, B1152000}, {1500000, B1500000},
      {2000000, B2000000}, {2500000, B2500000}, {3000000, B3000000}, {3500000, B3500000}, {4000000, B4000000},
  };
  for (const Rate& r : kRates)
    if (r.baud == baud) return r.code;
  return BOTHER;
}

}  // namespace

bool SetLineSpeed(int fd, uint32_t baud) {
  if (baud == 0) return false;  // B0 would hang the line up
  termios2 t{};
  if (ioctl(fd, TCGETS2, &t) != 0) return false;
  const speed_t code = StandardCode(baud);
  t.c_cflag &= ~(CBAUD | (CBAUD << IBSHIFT));
  t.c_cflag |= code | (code << IBSHIFT);
  t.c_ispeed = baud;
  t.c_ospeed = baud;
  if (ioctl(fd, TCSETS2, &t) != 0) return false;
  const uint64_t held = LineSpeed(fd);
  return held * 100 >= uint64_t{baud} * 98 && held * 100 <= uint64_t{baud} * 102;
}

uint32_t LineSpeed(int fd) {
  termios2 t{};
  if (ioctl(fd, TCGETS2, &t) != 0) return 0;
  return t.c_ospeed;
}

}  // namespace cv
