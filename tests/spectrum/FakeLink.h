#pragma once
// A scripted command layer for the sweep tests: records every command, keeps time on a fake
// clock the way the real layer does (pumped settling wait, unpumped pause), and answers levels
// from a few carriers.
#include <cmath>
#include <cstdio>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "Clock.h"
#include "TSpectrumSweep.h"

class FakeLink : public TSpectrumLink {
 public:
  cv::FakeClock clock;
  std::vector<std::string> commands;
  std::vector<std::string> log;
  std::vector<float> tuned;
  int32_t variant = 0;
  std::string systemReply = "*SY000";
  std::string levelOverride;  // when set, every "*?LV" gets this reply
  int failTuneAt = -1;        // index of the "*FR" that fails
  std::string failCommand;    // this command is refused
  // Called in the middle of each pumped settling wait with the index of the tuning.
  std::function<void(int)> duringTune;

  double LevelAt(double mhz) const {
    double level = 25.0;
    for (double c : {1175.0, 1190.0, 863.0})
      level = std::max(level, 70.0 - 6.0 * std::fabs(mhz - c));
    return level;
  }
  bool SendCommand(const char* command) override {
    commands.push_back(command);
    return failCommand != command;
  }
  bool Query(const char* command, char* reply) override {
    commands.push_back(command);
    if (failCommand == command) return false;
    std::string r = std::string(command) == "*?SY" ? systemReply : "*SP0";
    std::snprintf(reply, 256, "%s", r.c_str());
    return true;
  }
  bool AskLevel(char* reply, int ms) override {
    clock.SleepMs(ms);
    commands.push_back("*?LV");
    if (failCommand == "*?LV") return false;
    if (!levelOverride.empty()) {
      std::snprintf(reply, 256, "%s", levelOverride.c_str());
      return true;
    }
    int tenths = static_cast<int>(std::lround(LevelAt(tuned.empty() ? 0 : tuned.back()) * 10));
    std::snprintf(reply, 256, "*LV=+%03X", tenths);
    return true;
  }
  bool TuneFrequency(float mhz, int ms) override {
    int index = static_cast<int>(tuned.size());
    tuned.push_back(mhz);
    commands.push_back("*FR");
    bool ok = index != failTuneAt;
    if (!ok) Log("Error when sending Frequency");
    int64_t end = clock.NowMs() + ms;
    bool hooked = false;
    while (clock.NowMs() < end) {
      if (!hooked && duringTune && clock.NowMs() >= end - ms / 2) {
        hooked = true;
        duringTune(index);
      }
      clock.PumpEvents();
    }
    return ok;
  }
  void Log(const std::string& line) override { log.push_back(line); }
  int32_t GetModelVariant() const override { return variant; }

  int Count(const std::string& c) const {
    int n = 0;
    for (auto& x : commands) n += x == c;
    return n;
  }
  bool Logged(const std::string& line) const {
    for (auto& x : log)
      if (x == line) return true;
    return false;
  }
};

class RecordingView : public TSpectrumView {
 public:
  bool timer = false;
  int pendingReady = 0;
  std::vector<std::string> boxes;
  std::vector<std::pair<float, float>> plotted;
  std::string units;
  std::vector<int> states;
  void ApplyState(int state, bool enable) override {
    if (!enable) states.push_back(state);
  }
  void SetTimer(bool on) override { timer = on; }
  void PlotLevel(float mhz, float level) override { plotted.push_back({mhz, level}); }
  void SetUnits(const std::string& u) override { units = u; }
  void ErrorBox(const std::string&, const std::string& text) override { boxes.push_back(text); }
  void PendingReady() override { ++pendingReady; }
};
