#include "Simulator.h"

#include "LineSpeed.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/inotify.h>
#include <sys/prctl.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <utility>

namespace cvsim {

namespace {
constexpr int kFifoBytes = 14;
}  // namespace

Answer Profile::Handle(const std::string& line) {
  const Handler* best = nullptr;
  size_t bestLen = 0;
  for (const auto& [prefix, handler] : handlers_) {
    if (line.compare(0, prefix.size(), prefix) == 0 && (!best || prefix.size() > bestLen)) {
      best = &handler;
      bestLen = prefix.size();
    }
  }
  if (best) return (*best)(line);
  if (line == "*") return Answer::Reply("");  // the wake line
  return Unknown(line);
}

Corvane3Profile::Corvane3Profile(std::string model, std::string version)
    : Profile(std::move(model), std::move(version)) {
  On("*?NA", [this](const std::string&) { return Answer::Reply("*NA " + this->model); });
  AddCorvane3Commands(*this);
  AddCorvane3SpectrumCommands(*this);
  AddCorvane3Loader(*this);
  AddCorvane3PlanCommands(*this);
  AddCorvane3Registers(*this);
  AddCorvane3LoggerCommands(*this);
  AddCorvane3MemoryCommands(*this);
  AddCorvane3SettingsCommands(*this);
}

Simulator::Simulator(std::unique_ptr<Profile> profile, SimOptions options)
    : profile_(profile ? std::move(profile) : std::make_unique<Corvane3Profile>()), options_(std::move(options)) {
  if (options_.baud > 0) byteTime_ = std::chrono::nanoseconds(10'000'000'000LL / options_.baud);
}

Simulator::~Simulator() { Stop(); }

bool Simulator::Start(std::string* error) {
  auto fail = [&](const char* what) {
    if (error) *error = std::string(what) + ": " + std::strerror(errno);
    if (watchFd_ >= 0) ::close(watchFd_);
    if (master_ >= 0) ::close(master_);
    if (slaveKeep_ >= 0) ::close(slaveKeep_);
    master_ = slaveKeep_ = watchFd_ = -1;
    return false;
  };
  master_ = posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  if (master_ < 0) return fail("posix_openpt");
  if (grantpt(master_) != 0 || unlockpt(master_) != 0) return fail("grantpt");
  char name[128];
  if (ptsname_r(master_, name, sizeof name) != 0) return fail("ptsname");
  slavePath_ = name;
  slaveKeep_ = ::open(name, O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  if (slaveKeep_ < 0) return fail("open slave");
  // The line must be raw from the start: echo would send our own bytes back to us.
  termios t{};
  if (tcgetattr(slaveKeep_, &t) == 0) {
    cfmakeraw(&t);
    t.c_cc[VMIN] = 0;
    t.c_cc[VTIME] = 0;
    cfsetispeed(&t, B19200);
    cfsetospeed(&t, B19200);
    tcsetattr(slaveKeep_, TCSANOW, &t);
  }
  // Watched only after our own descriptor is open, so every open and close seen is someone else's.
  watchFd_ = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
  if (watchFd_ < 0) return fail("inotify_init1");
  if (inotify_add_watch(watchFd_, name, IN_OPEN | IN_CLOSE) < 0) return fail("inotify_add_watch");
  holders_ = 0;
  wakeFd_ = eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC);
  if (wakeFd_ < 0) return fail("eventfd");
  if (!options_.linkPath.empty()) {
    ::unlink(options_.linkPath.c_str());
    if (::symlink(name, options_.linkPath.c_str()) != 0) return fail("symlink");
  }
  if (!options_.logPath.empty()) log_ = std::fopen(options_.logPath.c_str(), "w");
  start_ = Clock::now();
  rxWireFree_ = txWireFree_ = start_;
  // The instrument announces itself at once, before any program can have the port open: that XON
  // is lost, and is not queued, so even on a paced line it never reaches a port opened right after.
  {
    std::lock_guard<std::mutex> lock(mutex_);
    if (!faults_.silent) LogLocked(false, &kXon, 1, true);
  }
  thread_ = std::thread([this] { Run(); });
  return true;
}

void Simulator::Stop() {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    if (stop_ && !thread_.joinable()) return;
    stop_ = true;
  }
  Wake();
  if (thread_.joinable()) thread_.join();
  std::lock_guard<std::mutex> lock(mutex_);
  CloseLineLocked();
  if (wakeFd_ >= 0) ::close(wakeFd_);
  wakeFd_ = -1;
  if (!options_.linkPath.empty()) ::unlink(options_.linkPath.c_str());
  if (log_) std::fclose(log_);
  log_ = nullptr;
}

void Simulator::Wake() {
  if (wakeFd_ >= 0) {
    const uint64_t one = 1;
    [[maybe_unused]] ssize_t n = ::write(wakeFd_, &one, sizeof one);
  }
}

Faults Simulator::GetFaults() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return faults_;
}

void Simulator::SetFaults(const Faults& faults) {
  std::lock_guard<std::mutex> lock(mutex_);
  faults_ = faults;
}

void Simulator::UpdateFaults(const std::function<void(Faults&)>& change) {
  std::lock_guard<std::mutex> lock(mutex_);
  change(faults_);
}

void Simulator::SendXon() {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    SendXonLocked();
  }
  Wake();
}

void Simulator::Inject(const std::string& bytes) {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    EmitLocked(bytes);
  }
  Wake();
}

void Simulator::HangUp() {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    EmitCutLocked();
  }
  Wake();
}

bool Simulator::IsCut() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return cut_;
}

bool Simulator::WaitTxIdle(std::chrono::milliseconds limit) {
  std::unique_lock<std::mutex> lock(mutex_);
  return txIdle_.wait_for(lock, limit, [this] { return tx_.empty() || cut_; });
}

std::vector<TrafficEntry> Simulator::Traffic() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return traffic_;
}

std::string Simulator::Received() const {
  std::lock_guard<std::mutex> lock(mutex_);
  std::string all;
  for (const auto& e : traffic_)
    if (e.fromHost) all += e.bytes;
  return all;
}

std::string Simulator::Sent() const {
  std::lock_guard<std::mutex> lock(mutex_);
  std::string all;
  for (const auto& e : traffic_)
    if (!e.fromHost) all += e.bytes;
  return all;
}

std::vector<std::string> Simulator::Lines() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return lines_;
}

void Simulator::ClearTraffic() {
  std::lock_guard<std::mutex> lock(mutex_);
  traffic_.clear();
  lines_.clear();
}

void Simulator::SendXonLocked() {
  if (faults_.silent) return;
  if (faults_.lateXonMs > 0) {
    xonHold_ = std::max({Clock::now(), emitBase_, txWireFree_, xonHold_}) + std::chrono::milliseconds(faults_.lateXonMs);
    lateXons_.push_back(xonHold_);
    return;
  }
  SendXonNowLocked();
}

void Simulator::SendXonNowLocked() {
  if (faults_.strayBeforeXon > 0) EmitLocked(std::string(static_cast<size_t>(faults_.strayBeforeXon), faults_.strayByte));
  if (!faults_.dropXon) EmitLocked(std::string(faults_.doubleXon ? 2 : 1, kXon));
}

// Every byte gets the moment its last bit would have left the instrument; the line is busy
// until then, so bytes queue behind each other on deadlines, never on per-byte sleeps.
void Simulator::EmitLocked(const std::string& bytes) {
  const auto now = std::max({Clock::now(), emitBase_, xonHold_});
  for (char c : bytes) {
    Clock::time_point due = now;
    if (byteTime_.count() > 0) {
      due = std::max(now, txWireFree_) + byteTime_;
      txWireFree_ = due;
    }
    tx_.push_back({c, due, false});
  }
}

// The line goes down a little after the last byte before it: closing the master at once would
// make the kernel drop bytes the other side has not picked up yet.
void Simulator::EmitCutLocked() {
  const auto now = std::max(Clock::now(), emitBase_);
  tx_.push_back({0, std::max(now, txWireFree_) + std::chrono::milliseconds(20), true});
}

// A pause on the line: whatever is emitted next is due that much later.
void Simulator::EmitGapLocked(int ms) {
  const auto base = std::max({Clock::now(), emitBase_, txWireFree_}) + std::chrono::milliseconds(ms);
  emitBase_ = base;
  txWireFree_ = base;
}

void Simulator::EmitRawLocked(const std::string& bytes) {
  std::string out = bytes;
  bool cut = false;
  if (faults_.rawCutAfterBytes >= 0) {
    if (static_cast<size_t>(faults_.rawCutAfterBytes) < out.size()) out.resize(static_cast<size_t>(faults_.rawCutAfterBytes));
    faults_.rawCutAfterBytes = -1;
    cut = true;
  }
  if (faults_.rawGapAtByte >= 0 && static_cast<size_t>(faults_.rawGapAtByte) < out.size()) {
    const size_t at = static_cast<size_t>(faults_.rawGapAtByte);
    faults_.rawGapAtByte = -1;
    EmitLocked(out.substr(0, at));
    EmitGapLocked(faults_.rawGapMs);
    EmitLocked(out.substr(at));
  } else {
    EmitLocked(out);
  }
  if (!cut && profile_->acceptsLines) SendXonLocked();
}

void Simulator::HandleLineLocked(const std::string& line) {
  lines_.push_back(line);
  if (faults_.silent) return;
  bool refuse = faults_.refuseAll;
  if (faults_.failAtLine > 0 && !faults_.failPrefix.empty() && line.rfind(faults_.failPrefix, 0) == 0 &&
      --faults_.failAtLine == 0) {
    if (!faults_.failRefuses) {
      faults_.silent = true;
      return;
    }
    refuse = true;
  }
  const bool wasAccepting = profile_->acceptsLines;
  AnswerLocked(refuse ? Answer::Nak() : profile_->Handle(line), wasAccepting);
}

void Simulator::HandleBlockLocked() {
  const std::string block = std::move(rxBlock_);
  rxBlock_.clear();
  if (faults_.silent) return;
  const bool wasAccepting = profile_->acceptsLines;
  AnswerLocked(faults_.refuseAll ? Answer::Nak() : profile_->HandleBlock(block), wasAccepting);
}

void Simulator::AnswerLocked(const Answer& answer, bool wasAccepting) {
  if (answer.kind == Answer::Kind::Unheard) {
    if (profile_->acceptsLines && !wasAccepting) SendXonLocked();
    return;
  }
  const bool ackOnly = profile_->ackOnly;
  if (!faults_.dropXoff && !ackOnly) EmitLocked(std::string(1, kXoff));
  switch (answer.kind) {
    case Answer::Kind::Refuse:
      EmitLocked(std::string(1, kNak));
      break;
    case Answer::Kind::None:
    case Answer::Kind::Unheard:
      return;
    case Answer::Kind::Ack:
    case Answer::Kind::Reply:
      if (!faults_.dropAck) EmitLocked(std::string(1, kAck));
      break;
    case Answer::Kind::Raw:
      if (!faults_.dropAck) EmitLocked(std::string(1, kAck));
      EmitRawLocked(answer.text);
      return;
  }
  if (answer.kind == Answer::Kind::Reply) {
    std::string reply = answer.text + kCr;
    if (faults_.longReplyWithoutCr) {
      faults_.longReplyWithoutCr = false;
      reply.clear();
      for (int i = 0; i < 300; ++i) reply.push_back(static_cast<char>('A' + i % 26));
      EmitLocked(reply);
      return;  // the instrument is stuck in its reply: no XON
    }
    if (faults_.cutAfterReplyBytes >= 0) {
      const size_t keep = std::min(reply.size(), static_cast<size_t>(faults_.cutAfterReplyBytes));
      faults_.cutAfterReplyBytes = -1;
      EmitLocked(reply.substr(0, keep));
      EmitCutLocked();
      return;
    }
    EmitLocked(reply);
  }
  if (profile_->acceptsLines && !ackOnly) SendXonLocked();
}

uint32_t Simulator::LineBaud() const { return slaveKeep_ >= 0 ? cv::LineSpeed(slaveKeep_) : 0; }

void Simulator::ReceiveLocked(const char* data, size_t n, Clock::time_point now) {
  LogLocked(true, data, n);
  // The instrument runs at one rate (the option's, else its family's): bytes sent at another
  // reach it as noise.
  const uint32_t rate = options_.instrumentBaud > 0 ? options_.instrumentBaud : static_cast<uint32_t>(profile_->requiredBaud);
  if (rate > 0 && LineBaud() != rate) return;
  for (size_t i = 0; i < n; ++i) {
    // A byte is complete on our side one byte time after the line was free to carry it.
    Clock::time_point at = now;
    if (byteTime_.count() > 0) {
      at = std::max(now, rxWireFree_) + byteTime_;
      rxWireFree_ = at;
    }
    const char c = data[i];
    if (profile_->rawBlockBytes > 0) {
      rxBlock_.push_back(c);
      if (rxBlock_.size() >= profile_->rawBlockBytes) {
        emitBase_ = at;
        HandleBlockLocked();
        emitBase_ = {};
      }
      continue;
    }
    if (c == kCr) {
      // Answered at once, but every byte of the answer is due only after the CR has crossed
      // the line: the wire keeps its timing without one more wake-up per line.
      emitBase_ = at;
      HandleLineLocked(rxLine_);
      emitBase_ = {};
      rxLine_.clear();
    } else if (c != '\n') {
      rxLine_.push_back(c);
    }
  }
}

void Simulator::TakeOpenEventsLocked() {
  alignas(inotify_event) char buf[4096];
  for (;;) {
    const ssize_t n = ::read(watchFd_, buf, sizeof buf);
    if (n <= 0) return;
    for (ssize_t at = 0; at < n;) {
      const auto* e = reinterpret_cast<const inotify_event*>(buf + at);
      at += static_cast<ssize_t>(sizeof(inotify_event) + e->len);
      if (e->mask & IN_OPEN) {
        ++holders_;
      } else if (e->mask & IN_CLOSE) {
        if (holders_ > 0 && --holders_ == 0) DropPendingLocked();
      } else if (e->mask & IN_Q_OVERFLOW) {
        holders_ = 1;  // the count is lost: rather deliver than drop
      }
    }
  }
}

// The port was closed: what the instrument had still to send never reaches anybody. A pending
// cut stays, the line goes down all the same.
void Simulator::DropPendingLocked() {
  // A raw block cut short by the close is dropped, and the next program starts with lines.
  profile_->rawBlockBytes = 0;
  rxBlock_.clear();
  const auto now = Clock::now();
  std::deque<TxByte> kept;
  std::string lost;
  for (const TxByte& b : tx_) {
    if (b.cut)
      kept.push_back({0, std::max(b.due, now), true});
    else
      lost.push_back(b.c);
  }
  if (!lost.empty()) LogLocked(false, lost.data(), lost.size(), true);
  tx_.swap(kept);
  txWireFree_ = std::min(txWireFree_, now);
  txBlocked_ = false;
  if (tx_.empty()) txIdle_.notify_all();
}

void Simulator::FlushTxLocked(Clock::time_point now) {
  if (master_ < 0) {
    tx_.clear();
    txIdle_.notify_all();
    return;
  }
  if (holders_ == 0) {
    // Nobody has the port open: the bytes due now are lost on the line.
    size_t lost = 0;
    while (lost < tx_.size() && !tx_[lost].cut && tx_[lost].due <= now) ++lost;
    if (lost > 0) {
      std::string bytes;
      for (size_t i = 0; i < lost; ++i) bytes.push_back(tx_[i].c);
      LogLocked(false, bytes.data(), bytes.size(), true);
      tx_.erase(tx_.begin(), tx_.begin() + static_cast<std::ptrdiff_t>(lost));
    }
  }
  char buf[512];
  size_t n = 0;
  bool cutNow = false;
  while (n < sizeof buf && n < tx_.size() && tx_[n].due <= now) {
    if (tx_[n].cut) {
      cutNow = n == 0;
      break;
    }
    buf[n] = tx_[n].c;
    ++n;
  }
  if (n > 0) {
    const ssize_t w = ::write(master_, buf, n);
    if (w > 0) {
      LogLocked(false, buf, static_cast<size_t>(w));
      tx_.erase(tx_.begin(), tx_.begin() + w);
      txBlocked_ = static_cast<size_t>(w) < n;
      if (txBlocked_) cutNow = false;
    } else {
      txBlocked_ = w < 0 && errno == EAGAIN;
      cutNow = false;
    }
  }
  if (cutNow) {
    tx_.clear();
    CloseLineLocked();
    cut_ = true;
  }
  if (tx_.empty()) txIdle_.notify_all();
}

void Simulator::CloseLineLocked() {
  if (watchFd_ >= 0) ::close(watchFd_);
  watchFd_ = -1;
  holders_ = 0;
  if (master_ >= 0) ::close(master_);
  if (slaveKeep_ >= 0) ::close(slaveKeep_);
  master_ = slaveKeep_ = -1;
}

void Simulator::LogLocked(bool fromHost, const char* data, size_t n, bool lost) {
  const double ms = std::chrono::duration<double, std::milli>(Clock::now() - start_).count();
  if (!lost) traffic_.push_back({ms, fromHost, std::string(data, n)});
  if (!log_) return;
  char stamp[32];
  auto r = std::to_chars(stamp, stamp + sizeof stamp - 1, ms, std::chars_format::fixed, 3);
  *r.ptr = '\0';
  std::string text;
  for (size_t i = 0; i < n; ++i) {
    const unsigned char c = static_cast<unsigned char>(data[i]);
    switch (c) {
      case 0x11: text += "<XON>"; break;
      case 0x13: text += "<XOFF>"; break;
      case 0x06: text += "<ACK>"; break;
      case 0x15: text += "<NAK>"; break;
      case 0x0D: text += "<CR>"; break;
      case 0x0A: text += "<LF>"; break;
      default:
        if (c < 32 || c == 127) {
          static const char hex[] = "0123456789ABCDEF";
          text += "<";
          text += hex[c >> 4];
          text += hex[c & 15];
          text += ">";
        } else {
          text.push_back(static_cast<char>(c));
        }
    }
  }
  std::fprintf(log_, "%12s %s %s\n", stamp, lost ? "x" : fromHost ? "<" : ">", text.c_str());
  std::fflush(log_);
}

void Simulator::Run() {
  // Deadlines are kept to the microsecond: the default timer slack would add 50 us a wake-up.
  prctl(PR_SET_TIMERSLACK, 1UL, 0, 0, 0);
  std::unique_lock<std::mutex> lock(mutex_);
  for (;;) {
    if (stop_) return;
    auto now = Clock::now();
    if (profile_->readyAt != Clock::time_point{} && now >= profile_->readyAt) {
      profile_->readyAt = {};
      profile_->acceptsLines = true;
      SendXonLocked();
    }
    while (!lateXons_.empty() && now >= lateXons_.front()) {
      // Ahead of what the instrument answered while it was busy.
      const auto at = lateXons_.front();
      lateXons_.pop_front();
      if (faults_.silent) continue;
      const auto later = std::find_if(tx_.begin(), tx_.end(), [&](const TxByte& b) { return b.due >= at; });
      tx_.insert(later, {kXon, now, false});
    }
    if (!tx_.empty()) FlushTxLocked(now);
    // Sleep until the next thing is due, or until the host writes or a test calls.
    Clock::time_point next = profile_->readyAt != Clock::time_point{} ? profile_->readyAt : Clock::time_point::max();
    if (!lateXons_.empty()) next = std::min(next, lateXons_.front());
    if (!tx_.empty() && !txBlocked_) {
      // Like a UART's receive FIFO, bytes are handed over in bursts: when the last byte queued
      // is complete, or when the first has waited kFifoBytes byte times. No byte is ever handed
      // over before its own wire time.
      Clock::time_point due = tx_.front().due;
      if (byteTime_.count() > 0) due = std::min(tx_.back().due, tx_.front().due + kFifoBytes * byteTime_);
      next = std::min(next, due);
    }
    // A closed descriptor (-1) is skipped by ppoll.
    pollfd fds[3] = {{wakeFd_, POLLIN, 0},
                     {watchFd_, POLLIN, 0},
                     {master_, static_cast<short>(POLLIN | (txBlocked_ ? POLLOUT : 0)), 0}};
    lock.unlock();
    timespec ts{};
    timespec* tsp = nullptr;
    if (next != Clock::time_point::max()) {
      const auto left = std::max<int64_t>(0, std::chrono::duration_cast<std::chrono::nanoseconds>(next - Clock::now()).count());
      ts = {static_cast<time_t>(left / 1000000000), static_cast<long>(left % 1000000000)};
      tsp = &ts;
    }
    const int r = ppoll(fds, 3, tsp, nullptr);
    lock.lock();
    if (r <= 0) continue;
    if (fds[0].revents & POLLIN) {
      uint64_t v;
      [[maybe_unused]] ssize_t n = ::read(wakeFd_, &v, sizeof v);
    }
    // Opens and closes first: a line from the host comes after the open that let it be sent.
    if (watchFd_ >= 0 && (fds[1].revents & POLLIN)) TakeOpenEventsLocked();
    if (master_ >= 0 && fds[2].fd >= 0) {
      if (fds[2].revents & POLLOUT) txBlocked_ = false;
      if (fds[2].revents & POLLIN) {
        char buf[512];
        const ssize_t n = ::read(master_, buf, sizeof buf);
        if (n > 0) ReceiveLocked(buf, static_cast<size_t>(n), Clock::now());
      }
    }
  }
}

}  // namespace cvsim
