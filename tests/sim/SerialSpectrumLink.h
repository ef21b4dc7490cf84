#pragma once
// The sweep's command layer straight over a TSerial, as the CORVANE-3 equipment object has it:
// tuning sends "*FR" with the PLL word and waits pumping events, a level read pauses without
// pumping and asks "*?LV". Tests and the benchmark drive the simulator through it.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "Clock.h"
#include "Serial.h"
#include "TSpectrumSweep.h"

class SerialSpectrumLink : public TSpectrumLink {
 public:
  SerialSpectrumLink(TSerial& port, cv::Clock& clock) : port(port), clock(clock) {}
  TSerial& port;
  cv::Clock& clock;
  int32_t variant = 0;
  std::vector<std::string> log;

  bool SendCommand(const char* command) override {
    char buf[kReplyBufferSize] = {};
    std::snprintf(buf, sizeof buf, "%s", command);
    return port.SendCommand(buf);
  }
  bool Query(const char* command, char* reply) override {
    std::snprintf(reply, kReplyBufferSize, "%s", command);
    return port.Transact(reply);
  }
  bool AskLevel(char* reply, int ms) override {
    clock.SleepMs(ms);
    return Query("*?LV", reply);
  }
  static std::string TuneCommand(float mhz) {
    char buf[16];
    if (mhz < 862.1f)
      std::snprintf(buf, sizeof buf, "*FRT%04X", static_cast<unsigned>((mhz + 38.9) * 20 + 0.5));
    else
      std::snprintf(buf, sizeof buf, "*FRS%04X", static_cast<unsigned>((mhz + 479.5) * 8 + 0.5));
    return buf;
  }
  bool TuneFrequency(float mhz, int ms) override {
    bool ok = SendCommand(TuneCommand(mhz).c_str());
    if (!ok) Log("Error when sending Frequency");
    // Events are served every 10 ms at most: quick enough for Stop and repaints, and the wait
    // does not keep a core awake.
    const int64_t end = clock.NowMs() + ms;
    while (clock.NowMs() < end) {
      clock.PumpEvents();
      const int64_t left = end - clock.NowMs();
      if (left > 0) clock.SleepMs(static_cast<int>(std::min<int64_t>(left, 10)));
    }
    return ok;
  }
  void Log(const std::string& line) override { log.push_back(line); }
  int32_t GetModelVariant() const override { return variant; }
};
