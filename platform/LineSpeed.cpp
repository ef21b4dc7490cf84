#include "LineSpeed.h"

#include <asm/termbits.h>
#include <sys/ioctl.h>

namespace cv {

bool SetLineSpeed(int fd, uint32_t baud) {
  if (baud == 0) return false;  // B0 would hang the line up
  termios2 t{};
  if (ioctl(fd, TCGETS2, &t) != 0) return false;
  t.c_cflag &= ~(CBAUD | (CBAUD << IBSHIFT));
  t.c_cflag |= BOTHER | (BOTHER << IBSHIFT);
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
