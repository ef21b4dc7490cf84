#include "SerialDevice.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cmath>
#include <cstring>
#include <ctime>

#include "LineSpeed.h"
#include "PortMap.h"

namespace cv {

// Short reads (the port object takes its lines a byte at a time) are served from what one
// read() of the device brought, so a reply costs a system call per burst the line delivers
// rather than one per byte. Reads at least this long go straight to the caller's buffer.
constexpr size_t kReadAhead = 256;

struct SerialPort {
  int fd = -1;
  bool isTty = false;
  bool isPty = false;
  std::string path;
  CommTimeouts timeouts;
  double scale = 1.0;
  // Bytes taken from the device and not yet handed out: ahead[aheadAt, aheadEnd).
  char ahead[kReadAhead];
  size_t aheadAt = 0;
  size_t aheadEnd = 0;
  // The last read() of the device came back short: it held nothing more then, so the next wait
  // may start with ppoll() rather than with a read() that would find nothing.
  bool drained = false;
};

namespace {

using SteadyClock = std::chrono::steady_clock;
using Ns = std::chrono::nanoseconds;

// The protocol needs every byte as sent: no flow control by the driver, no translation, no echo.
void MakeRaw(termios& t) {
  t.c_iflag &= ~(IGNBRK | BRKINT | PARMRK | ISTRIP | INLCR | IGNCR | ICRNL | IXON | IXOFF | IXANY);
  t.c_oflag &= ~OPOST;
  t.c_lflag &= ~(ECHO | ECHONL | ICANON | ISIG | IEXTEN);
  t.c_cflag |= CREAD | CLOCAL;
  t.c_cc[VMIN] = 0;
  t.c_cc[VTIME] = 0;
}

// Unix98 pseudo-terminal slaves have majors 136 to 143.
bool IsPseudoTerminal(int fd) {
  struct stat st{};
  if (fstat(fd, &st) != 0 || !S_ISCHR(st.st_mode)) return false;
  const unsigned m = major(st.st_rdev);
  return m >= 136 && m <= 143;
}

SerialOpenError ErrorOf(int e) {
  switch (e) {
    case ENOENT:
    case ENXIO:
    case ENODEV:
    case ENOTDIR:
      return SerialOpenError::NotFound;
    case EBUSY:
    case EWOULDBLOCK:
      return SerialOpenError::Busy;
    case EACCES:
    case EPERM:
      return SerialOpenError::Permission;
    default:
      return SerialOpenError::Other;
  }
}

bool Valid(SerialHandle h) { return h && h->fd >= 0; }

size_t Ahead(const SerialPort& port) { return port.aheadEnd - port.aheadAt; }

// read() of the device as the callers see it: the bytes taken ahead first, then the device's.
// Returns what read() would, with errno set the same way.
ssize_t ReadSome(SerialPort& port, char* dest, size_t count) {
  size_t took = std::min(count, Ahead(port));
  std::memcpy(dest, port.ahead + port.aheadAt, took);
  port.aheadAt += took;
  if (took == count) return static_cast<ssize_t>(took);
  if (count - took >= kReadAhead) {
    const ssize_t n = ::read(port.fd, dest + took, count - took);
    port.drained = n < static_cast<ssize_t>(count - took);
    if (n > 0) return static_cast<ssize_t>(took) + n;
    return took > 0 ? static_cast<ssize_t>(took) : n;
  }
  const ssize_t n = ::read(port.fd, port.ahead, kReadAhead);
  port.drained = n < static_cast<ssize_t>(kReadAhead);
  if (n <= 0) return took > 0 ? static_cast<ssize_t>(took) : n;
  port.aheadAt = 0;
  port.aheadEnd = static_cast<size_t>(n);
  const size_t more = std::min(count - took, Ahead(port));
  std::memcpy(dest + took, port.ahead, more);
  port.aheadAt = more;
  return static_cast<ssize_t>(took + more);
}

// Waits until fd is ready for `events` or the deadline passes. Returns the revents (0 on time-out).
// A deadline already past still looks once, so a caller that skipped its read learns of bytes
// that are waiting.
short WaitReady(int fd, short events, SteadyClock::time_point deadline) {
  for (;;) {
    const auto left = std::max<int64_t>(0, std::chrono::duration_cast<Ns>(deadline - SteadyClock::now()).count());
    timespec ts{static_cast<time_t>(left / 1000000000), static_cast<long>(left % 1000000000)};
    pollfd p{fd, events, 0};
    const int r = ppoll(&p, 1, &ts, nullptr);
    if (r > 0) return p.revents;
    if (r == 0) return 0;
    if (errno != EINTR) return POLLERR;
  }
}

Ns ScaledMs(uint64_t ms, double scale) {
  return Ns(static_cast<int64_t>(std::llround(static_cast<double>(ms) * scale * 1e6)));
}

constexpr int kWriteStallMs = 5000;
// A read still missing more than kGatherBytes pauses kGatherMs after each piece it takes.
constexpr size_t kGatherBytes = 512;
constexpr int kGatherMs = 5;

}  // namespace

SerialHandle SerialOpenPath(const std::string& path, SerialOpenError* error) {
  auto fail = [&](int e) {
    if (error) *error = ErrorOf(e);
    return kInvalidSerialHandle;
  };
  const int fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return fail(errno);
  // Root is not kept out by TIOCEXCL, so an advisory lock guards the device as well.
  if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
    const int e = errno;
    ::close(fd);
    return fail(e == EWOULDBLOCK ? EBUSY : e);
  }
  auto* port = new SerialPort;
  port->fd = fd;
  port->path = path;
  port->isTty = isatty(fd) == 1;
  port->isPty = port->isTty && IsPseudoTerminal(fd);
  port->timeouts = CommTimeouts{kMaxDword, kMaxDword, kUnboundedReadCapMs, 0, 0};
  if (port->isTty) {
    ioctl(fd, TIOCEXCL);
    termios t{};
    if (tcgetattr(fd, &t) == 0) {
      MakeRaw(t);
      t.c_cflag &= ~CRTSCTS;
      tcsetattr(fd, TCSANOW, &t);
    }
  }
  if (error) *error = SerialOpenError::None;
  return port;
}

SerialHandle SerialOpen(const char* name, SerialOpenError* error, std::string* path) {
  const std::string p = PortPath(name ? name : "");
  if (path) *path = p;
  return SerialOpenPath(p, error);
}

bool SerialClose(SerialHandle h) {
  if (!h) return false;
  bool ok = true;
  if (h->fd >= 0) {
    // The exclusive flag belongs to the terminal, not to this descriptor: another holder of the
    // device (the simulator keeps its slave open) would otherwise lock everybody out after us.
    if (h->isTty) ioctl(h->fd, TIOCNXCL);
    ok = ::close(h->fd) == 0;
  }
  delete h;
  return ok;
}

bool SerialGetLineState(SerialHandle h, LineState& state) {
  if (!Valid(h) || !h->isTty) return false;
  termios t{};
  if (tcgetattr(h->fd, &t) != 0) return false;
  state.tio = t;
  state.baud = LineSpeed(h->fd);
  switch (t.c_cflag & CSIZE) {
    case CS5: state.byteSize = 5; break;
    case CS6: state.byteSize = 6; break;
    case CS7: state.byteSize = 7; break;
    default: state.byteSize = 8; break;
  }
  if (!(t.c_cflag & PARENB))
    state.parity = 0;
  else if (t.c_cflag & CMSPAR)
    state.parity = (t.c_cflag & PARODD) ? 3 : 4;
  else
    state.parity = (t.c_cflag & PARODD) ? 1 : 2;
  state.stopBits = (t.c_cflag & CSTOPB) ? 2 : 0;
  return true;
}

bool SerialSetLineState(SerialHandle h, const LineState& state) {
  if (!Valid(h) || !h->isTty) return false;
  termios t = state.tio;
  t.c_cflag &= ~CSIZE;
  switch (state.byteSize) {
    case 5: t.c_cflag |= CS5; break;
    case 6: t.c_cflag |= CS6; break;
    case 7: t.c_cflag |= CS7; break;
    case 8: t.c_cflag |= CS8; break;
    default: return false;
  }
  t.c_cflag &= ~(PARENB | PARODD | CMSPAR);
  switch (state.parity) {
    case 0: break;
    case 1: t.c_cflag |= PARENB | PARODD; break;
    case 2: t.c_cflag |= PARENB; break;
    case 3: t.c_cflag |= PARENB | PARODD | CMSPAR; break;
    case 4: t.c_cflag |= PARENB | CMSPAR; break;
    default: return false;
  }
  if (state.stopBits == 0)
    t.c_cflag &= ~CSTOPB;
  else if (state.stopBits == 2)
    t.c_cflag |= CSTOPB;
  else
    return false;
  MakeRaw(t);
  if (tcsetattr(h->fd, TCSANOW, &t) != 0) return false;
  // Any rate, the standard ones included, goes through termios2; a rate the device does not
  // hold fails the set-up.
  return SetLineSpeed(h->fd, state.baud);
}

bool SerialSetTimeouts(SerialHandle h, const CommTimeouts& timeouts, double scale) {
  if (!Valid(h)) return false;
  h->timeouts = timeouts;
  h->scale = scale > 0 ? scale : 1.0;
  return true;
}

static bool SetModemLine(SerialHandle h, int bit, bool on) {
  if (!Valid(h)) return false;
  if (ioctl(h->fd, on ? TIOCMBIS : TIOCMBIC, &bit) == 0) return true;
  return h->isPty || !h->isTty;
}

bool SerialSetDtr(SerialHandle h, bool on) { return SetModemLine(h, TIOCM_DTR, on); }
bool SerialSetRts(SerialHandle h, bool on) { return SetModemLine(h, TIOCM_RTS, on); }
bool SerialPurgeTx(SerialHandle h) { return Valid(h) && h->isTty && tcflush(h->fd, TCOFLUSH) == 0; }
bool SerialPurgeRx(SerialHandle h) {
  if (!Valid(h)) return false;
  h->aheadAt = h->aheadEnd = 0;
  return h->isTty && tcflush(h->fd, TCIFLUSH) == 0;
}

bool SerialWrite(SerialHandle h, const void* data, size_t count, uint32_t* written) {
  if (written) *written = 0;
  if (!Valid(h)) return false;
  const char* p = static_cast<const char*>(data);
  size_t done = 0;
  while (done < count) {
    const ssize_t n = ::write(h->fd, p + done, count - done);
    if (n > 0) {
      done += static_cast<size_t>(n);
      if (written) *written = static_cast<uint32_t>(done);
      continue;
    }
    if (n < 0 && errno == EINTR) continue;
    if (n < 0 && errno != EAGAIN) return false;
    // The driver's buffer is full: wait for room, but a line that takes nothing for this long
    // is treated as gone rather than hanging the caller.
    const short r = WaitReady(h->fd, POLLOUT, SteadyClock::now() + std::chrono::milliseconds(kWriteStallMs));
    if (!(r & POLLOUT)) return false;
  }
  return true;
}

bool SerialRead(SerialHandle h, void* data, size_t count, uint32_t* read, const std::function<void()>& progress) {
  if (read) *read = 0;
  if (!Valid(h)) return false;
  if (count == 0) return true;
  const CommTimeouts& t = h->timeouts;
  const bool returnAtOnce = t.readInterval == kMaxDword && t.readMultiplier == 0 && t.readConstant == 0;
  const bool firstByteEnds = t.readInterval == kMaxDword && t.readMultiplier == kMaxDword &&
                             t.readConstant > 0 && t.readConstant < kMaxDword;
  const auto start = SteadyClock::now();
  SteadyClock::time_point totalDeadline;
  Ns interval{0};
  if (firstByteEnds) {
    totalDeadline = start + ScaledMs(t.readConstant, h->scale);
  } else {
    uint64_t total = static_cast<uint64_t>(t.readMultiplier == kMaxDword ? 0 : t.readMultiplier) * count +
                     (t.readConstant == kMaxDword ? 0 : t.readConstant);
    if (total == 0) total = kUnboundedReadCapMs;
    totalDeadline = start + ScaledMs(total, h->scale);
    if (t.readInterval != 0 && t.readInterval != kMaxDword) interval = ScaledMs(t.readInterval, h->scale);
  }

  char* p = static_cast<char*>(data);
  size_t got = 0;
  SteadyClock::time_point lastByte;
  const Ns slice = std::chrono::milliseconds(kProgressSliceMs);
  SteadyClock::time_point nextProgress = start + slice;
  bool readable = false;  // the last wait saw bytes come in
  for (;;) {
    if (progress) {
      const auto now = SteadyClock::now();
      if (now >= nextProgress) {
        progress();
        nextProgress = SteadyClock::now() + slice;
      }
    }
    ssize_t n = -1;
    errno = EAGAIN;
    if (readable || returnAtOnce || !h->isTty || !h->drained || Ahead(*h) > 0) n = ReadSome(*h, p + got, count - got);
    readable = false;
    if (n > 0) {
      got += static_cast<size_t>(n);
      lastByte = SteadyClock::now();
      if (read) *read = static_cast<uint32_t>(got);
      if (got == count || firstByteEnds) return true;
      // Far from the end of a long read, let the bytes gather rather than wake for every few
      // the line brings: the driver's buffer holds far more than a pause brings at any rate.
      if (count - got > kGatherBytes) {
        const auto until = std::min({lastByte + std::chrono::milliseconds(kGatherMs), totalDeadline,
                                     progress ? nextProgress : totalDeadline});
        if (until > lastByte) {
          const auto left = std::chrono::duration_cast<Ns>(until - lastByte).count();
          timespec ts{static_cast<time_t>(left / 1000000000), static_cast<long>(left % 1000000000)};
          while (nanosleep(&ts, &ts) != 0 && errno == EINTR) {
          }
          h->drained = false;  // the pause was for bytes to come
        }
      }
      continue;
    }
    if (n < 0 && errno == EINTR) continue;
    if (n < 0 && errno != EAGAIN) return false;  // device gone (EIO after a hang-up)
    // A plain file at its end will never bring more.
    if (returnAtOnce || !h->isTty) return true;
    auto deadline = totalDeadline;
    if (got > 0 && interval.count() > 0 && lastByte + interval < deadline) deadline = lastByte + interval;
    const bool sliced = progress && nextProgress < deadline;
    const short r = WaitReady(h->fd, POLLIN, sliced ? nextProgress : deadline);
    if (r == 0 && sliced) continue;  // a slice ended: the progress call, then wait on
    if (r == 0) return true;
    if (r & (POLLHUP | POLLERR | POLLNVAL)) {
      // Hung up: take what is still there, then report the line as gone (a hung-up terminal
      // reads as end of file for ever, which must not spin until the deadline).
      const ssize_t last = ReadSome(*h, p + got, count - got);
      if (last > 0) {
        got += static_cast<size_t>(last);
        if (read) *read = static_cast<uint32_t>(got);
        return true;
      }
      return false;
    }
    readable = true;
  }
}

bool SerialWaitReadable(SerialHandle h, int ms) {
  if (!Valid(h)) return false;
  // A plain file never blocks a read, nor do bytes already taken from the device.
  if (!h->isTty || Ahead(*h) > 0) return true;
  const auto deadline = SteadyClock::now() + std::chrono::milliseconds(ms > 0 ? ms : 0);
  pollfd p{h->fd, POLLIN, 0};
  bool ready = false;
  if (ms <= 0) {
    timespec zero{0, 0};
    ready = ppoll(&p, 1, &zero, nullptr) > 0;
  } else {
    ready = WaitReady(h->fd, POLLIN, deadline) != 0;
  }
  // The caller reads next: bytes are there, so that read need not look with ppoll() first.
  if (ready) h->drained = false;
  return ready;
}

const std::string& SerialPath(SerialHandle h) {
  static const std::string none;
  return h ? h->path : none;
}

}  // namespace cv
