#pragma once
// The host terminal on a pseudo-terminal whose far end plays the instrument from the input. The
// instrument's bytes are fed in as the line takes them and everything the terminal writes is
// kept. The terminal's clock lets a wait time out only once the line has nothing more to bring,
// so a run sees the same bytes in the same order however the two sides are scheduled, and no
// wait costs real time once the input is spent.
#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <mutex>
#include <thread>

#include "Clock.h"
#include "FuzzSupport.h"
#include "PortMap.h"
#include "Registry.h"
#include "Term.h"

namespace cvfuzz {

class InstrumentLine {
 public:
  InstrumentLine() {
    char path[256] = {};
    if (::openpty(&master_, &slave_, path, nullptr, nullptr) != 0) return;
    // Raw from the start: nothing the feeder sends may be echoed or edited by the line discipline.
    termios t{};
    if (::tcgetattr(slave_, &t) == 0) {
      ::cfmakeraw(&t);
      ::tcsetattr(slave_, TCSANOW, &t);
    }
    ::fcntl(master_, F_SETFL, ::fcntl(master_, F_GETFL) | O_NONBLOCK);
    path_ = path;
  }
  ~InstrumentLine() {
    stop_ = true;
    if (thread_.joinable()) thread_.join();
    if (slave_ >= 0) ::close(slave_);
    if (master_ >= 0) ::close(master_);
  }
  InstrumentLine(const InstrumentLine&) = delete;
  InstrumentLine& operator=(const InstrumentLine&) = delete;

  bool Ok() const { return !path_.empty(); }
  const std::string& Path() const { return path_; }

  // Starts feeding `bytes` (once the terminal has opened and set up its side).
  void Feed(std::string bytes) {
    toSend_ = std::move(bytes);
    thread_ = std::thread([this] { Serve(); });
  }

  // Feeds `first`, then `answer` after every line (CR) the terminal writes, as an instrument
  // answers: bytes fed ahead of the lines would reach the terminal before it asked for them.
  void FeedPerLine(std::string first, std::string answer) {
    answer_ = std::move(answer);
    Feed(std::move(first));
  }

  // True once every byte was fed and the terminal's side holds none unread. Sticky: nothing is
  // fed afterwards.
  bool Spent() {
    if (spent_) return true;
    if (!Idle()) return false;
    // Bytes the feeder wrote (or the terminal wrote) may still be on their way: the pseudo-
    // terminal hands them over in a kernel worker, which a loaded machine runs late. Only a line
    // that stays idle for a while counts as spent, or a wait would time out on an answer in transit.
    for (int look = 0; look < 10; ++look) {
      std::this_thread::sleep_for(std::chrono::milliseconds(2));
      if (!Idle()) return false;
    }
    // A line the terminal writes later still gets its answer when answers follow lines.
    spent_ = answer_.empty();
    return true;
  }

  // Waits (at most maxMs) until the terminal has written `count` bytes; what it wrote so far.
  std::string Received(size_t count, int maxMs = 1000) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(maxMs);
    for (;;) {
      {
        std::lock_guard<std::mutex> lock(mutex_);
        if (received_.size() >= count || std::chrono::steady_clock::now() >= end) return received_;
      }
      std::this_thread::sleep_for(std::chrono::microseconds(200));
    }
  }

 private:
  int Waiting() const {
    int n = 0;
    return ::ioctl(slave_, FIONREAD, &n) == 0 ? n : 0;
  }

  // Nothing left to feed, nothing unread on either side.
  bool Idle() {
    std::lock_guard<std::mutex> lock(mutex_);
    int unanswered = 0;
    if (!answer_.empty() && ::ioctl(master_, FIONREAD, &unanswered) == 0 && unanswered > 0) return false;
    return fedAll_ && Waiting() == 0;
  }

  void Serve() {
    size_t sent = 0;
    char buffer[4096];
    while (!stop_) {
      {
        std::lock_guard<std::mutex> lock(mutex_);
        fedAll_ = sent == toSend_.size();
      }
      pollfd p{master_, static_cast<short>(POLLIN | (sent < toSend_.size() ? POLLOUT : 0)), 0};
      if (::poll(&p, 1, 1) <= 0) continue;
      if (p.revents & POLLIN) {
        std::lock_guard<std::mutex> lock(mutex_);
        const ssize_t n = ::read(master_, buffer, sizeof buffer);
        if (n > 0) {
          received_.append(buffer, static_cast<size_t>(n));
          if (!answer_.empty())
            for (ssize_t i = 0; i < n; ++i)
              if (buffer[i] == '\r') toSend_ += answer_;
          fedAll_ = sent == toSend_.size();
        }
      }
      if ((p.revents & POLLOUT) && sent < toSend_.size()) {
        // Small pieces: the terminal's side never holds more than its buffer takes.
        const size_t piece = std::min<size_t>(256, toSend_.size() - sent);
        const ssize_t n = ::write(master_, toSend_.data() + sent, piece);
        if (n > 0) sent += static_cast<size_t>(n);
      }
    }
  }

  int master_ = -1, slave_ = -1;
  std::string path_;
  std::string toSend_;
  std::string answer_;
  std::thread thread_;
  std::atomic<bool> stop_{false}, fedAll_{false};
  bool spent_ = false;
  std::mutex mutex_;
  std::string received_;
};

// Virtual time that stands still while the line still has bytes to bring.
class LineClock : public cv::Clock {
 public:
  explicit LineClock(InstrumentLine& line) : line_(line) {}
  int64_t NowMs() const override { return now_; }
  void SleepMs(int ms) override {
    if (ms > 0) now_ += ms;
  }
  void PumpEvents(int, bool) override {
    if (line_.Spent()) now_ += 1000000000;
    else std::this_thread::sleep_for(std::chrono::microseconds(100));
  }

 private:
  InstrumentLine& line_;
  int64_t now_ = 0;
};

struct NullTermOwner : TermOwner {
  void AddLog(const std::string&) override {}
  std::string DetectedPort() const override { return {}; }
};

// A terminal on COM1 = the line, on the line's clock, without a window.
struct TermOnLine {
  explicit TermOnLine(InstrumentLine& line) : clock(line), term(owner) {
    cv::SetPortPaths({{1, line.Path()}});
    term.showWindow = false;
    term.clock = &clock;
    term.sliceMs = 0;
    term.portName = "COM1";
    term.baudRate = 19200;
  }
  NullTermOwner owner;
  LineClock clock;
  TTerm term;
};

// The application, the quiet prompter and the registry store in the scratch directory, which is
// also the current directory (scripts name their files relative to it).
inline void InitTerminal() {
  InitApplication();
  cv::SetRegistryFile((ScratchDir() / "registry.ini").string());
  std::filesystem::current_path(ScratchDir());
}

}  // namespace cvfuzz
