#pragma once
// The script engine's surroundings for fuzzing: a line whose every outcome comes from the input
// (one reply line per exchange, "!" for a failure, success with an empty reply once they run
// out), a host on a fake clock and a view that keeps nothing.
#include <deque>

#include "Clock.h"
#include "FuzzSupport.h"
#include "ScriptEngine.h"

namespace cvfuzz {

class ReplyLink : public ScriptLink {
 public:
  explicit ReplyLink(const std::string& replies) {
    for (const std::string& l : Lines(replies)) queue.push_back(l);
  }
  bool SendCommand(const std::string& command) override {
    longest = std::max(longest, command.size());
    ++sent;
    return Next() != "!";
  }
  bool Transact(const std::string& query, std::string& reply) override {
    if (!SendCommand(query)) return false;
    reply = Next();
    return reply != "!";
  }
  bool WriteLine(const std::string& text) override {
    longest = std::max(longest, text.size());
    return Next() != "!";
  }
  bool WaitChar(char) override { return Next() != "!"; }

  size_t longest = 0;
  int sent = 0;

 private:
  std::string Next() {
    if (queue.empty()) return {};
    std::string l = std::move(queue.front());
    queue.pop_front();
    return l;
  }
  std::deque<std::string> queue;
};

class FakeHost : public ScriptHost {
 public:
  void Log(const std::string&) override {}
  void Wait(int ms) override { clock.SleepMs(ms > 15000 ? 15000 : ms); }
  void ProcessMessages() override {}
  bool Beep() override { return true; }
  void GetKey() override {}
  std::string StartDir() const override { return ScratchDir().string(); }
  std::string DateString() const override { return "1/1/2026"; }
  std::string TimeString() const override { return "0:00"; }
  int64_t NowMs() const override { return clock.NowMs(); }
  cv::FakeClock clock;
};

class QuietView : public ScriptView {
 public:
  void AddLogLine(const std::string&) override {}
  void SetGauge(int percent) override { FUZZ_CHECK(percent >= 0 && percent <= 100); }
  void SetRemoteLabel(const std::string&) override {}
};

// Runs the script of the input (the script, then a line "%%" and one reply line per exchange)
// in `dialect` against the fake line.
inline void RunScriptInput(const uint8_t* data, size_t size, const ScriptDialect& dialect) {
  const auto [script, replies] = SplitAtLine(Text(data, size), "%%");
  const std::string path = WriteScratch("FUZZ.PRO", script);
  ReplyLink link(replies);
  FakeHost host;
  QuietView view;
  TScriptEngine engine(&link, &host, dialect);
  engine.RunScript(path, &view);
}

}  // namespace cvfuzz
