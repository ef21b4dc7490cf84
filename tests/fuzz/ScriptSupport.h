#pragma once
// The script engine's surroundings for fuzzing: a line whose every outcome comes from the input
// (one reply line per exchange, "!" for a failure, success with an empty reply once they run
// out), a host on a fake clock and a view that keeps nothing.
#include <cctype>
#include <deque>
#include <filesystem>
#include <fstream>
#include <vector>

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

namespace cvfuzz {

// Runs a firmware update script of the input in `dialect`: the script, a line "%%", the file its
// SENDHEX statements send, another line "%%" and one reply line per exchange. The file is written
// under every name a SENDHEX statement gives (its last path part, in the scratch directory, which
// is the current directory while the script runs), so that the transfer reads it whatever the
// dialect's search. Every command that goes out stays within the line protocol's limit.
inline void RunUpdateScriptInput(const uint8_t* data, size_t size, const ScriptDialect& dialect) {
  namespace fs = std::filesystem;
  const auto [script, rest] = SplitAtLine(Text(data, size), "%%");
  const auto [hexFile, replies] = SplitAtLine(rest, "%%");
  std::vector<fs::path> written;
  for (const std::string& line : Lines(script)) {
    const size_t key = line.find_first_not_of(" \t");
    if (key == std::string::npos || line.size() - key < 8) continue;
    std::string word = line.substr(key, 7);
    for (char& c : word) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    if (word != "SENDHEX") continue;
    const size_t from = line.find_first_not_of(" \t,(", key + 7);
    if (from == std::string::npos) continue;
    const size_t to = line.find_first_of(" \t\r,()", from);
    const std::string name = fs::path(line.substr(from, to == std::string::npos ? to : to - from)).filename().string();
    if (name.empty() || name == "." || name == ".." || name.size() > 200 || name.find('\0') != std::string::npos)
      continue;
    written.push_back(ScratchDir() / name);
    std::ofstream(written.back(), std::ios::binary | std::ios::trunc) << hexFile;
  }
  const std::string path = WriteScratch("FUZZ.PRO", script);
  std::error_code ec;
  const fs::path before = fs::current_path(ec);
  fs::current_path(ScratchDir(), ec);
  ReplyLink link(replies);
  FakeHost host;
  QuietView view;
  TScriptEngine engine(&link, &host, dialect);
  engine.RunScript(path, &view);
  FUZZ_CHECK(link.longest <= static_cast<size_t>(TScriptEngine::kCommandLimit));
  if (!before.empty()) fs::current_path(before, ec);
  for (const fs::path& p : written) fs::remove(p, ec);
}

}  // namespace cvfuzz
