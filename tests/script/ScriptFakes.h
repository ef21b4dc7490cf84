#pragma once
// Fakes around the script engine: a line that records what is sent and answers from a table, a
// host on a fake clock, and a dialog that records its log zone, gauge and label.
#include <deque>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include <unistd.h>

#include "Clock.h"
#include "ScriptEngine.h"

struct FakeLink : ScriptLink {
  std::vector<std::string> sent;            // every line written, handshake or not
  std::map<std::string, std::string> replies;  // query -> reply; a missing query fails
  int failAfter = -1;                       // SendCommand number (0-based) that is refused
  bool forceAck = true;
  std::vector<char> waited;

  bool SendCommand(const std::string& c) override {
    const int n = static_cast<int>(sent.size());
    sent.push_back(c);
    return failAfter < 0 || n < failAfter;
  }
  bool Transact(const std::string& q, std::string& reply) override {
    if (!SendCommand(q)) return false;
    auto it = replies.find(q);
    if (it == replies.end()) return false;
    reply = it->second;
    return true;
  }
  bool WriteLine(const std::string& t) override {
    sent.push_back(t);
    return true;
  }
  bool WaitChar(char c) override {
    waited.push_back(c);
    return forceAck;
  }
};

struct FakeHost : ScriptHost {
  cv::FakeClock clock;
  std::vector<std::string> log;
  std::vector<int> waits;
  int keys = 0, beeps = 0, pumps = 0;
  std::string startDir = ".";

  void Log(const std::string& line) override { log.push_back(line); }
  void Wait(int ms) override {
    waits.push_back(ms);
    const int capped = ms > 15000 ? 15000 : ms;
    const int64_t end = clock.NowMs() + capped;
    do clock.PumpEvents();
    while (clock.NowMs() < end);
  }
  void ProcessMessages() override { ++pumps; }
  bool Beep() override { return ++beeps, true; }
  void GetKey() override { ++keys; }
  std::string StartDir() const override { return startDir; }
  std::string DateString() const override { return "D/M/YYYY"; }
  std::string TimeString() const override { return "H:MM"; }
  int64_t NowMs() const override { return clock.NowMs(); }
};

struct FakeView : ScriptView {
  std::vector<std::string> zone;
  std::vector<int> gauge;
  std::vector<std::string> labels;
  uint32_t color = 0x0000FF;
  std::vector<uint32_t> colors;
  uint32_t ticks = 0;
  std::function<void()> onRepaint;

  void AddLogLine(const std::string& l) override { zone.push_back(l); }
  void SetGauge(int p) override { gauge.push_back(p); }
  uint32_t GaugeColor() const override { return color; }
  void SetGaugeColor(uint32_t c) override { colors.push_back(color = c); }
  void SetRemoteLabel(const std::string& t) override { labels.push_back(t); }
  uint32_t GetTicks() const override { return ticks; }
  void Repaint() override {
    if (onRepaint) onRepaint();
  }
};

// A scratch directory removed at the end of the test.
struct TempDir {
  std::filesystem::path path;
  TempDir() {
    path = std::filesystem::temp_directory_path() /
           ("cvscript_" + std::to_string(::getpid()) + "_" + std::to_string(counter()++));
    std::filesystem::create_directories(path);
  }
  ~TempDir() {
    std::error_code ec;
    std::filesystem::remove_all(path, ec);
  }
  std::string Write(const std::string& name, const std::string& content) const {
    std::ofstream(path / name, std::ios::binary) << content;
    return (path / name).string();
  }
  static std::string Read(const std::filesystem::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
  }
  static int& counter() {
    static int c = 0;
    return c;
  }
};
