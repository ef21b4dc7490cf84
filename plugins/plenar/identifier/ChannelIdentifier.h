#pragma once
// The channel identifier's logic, apart from its form: it classifies the signal the meter is tuned
// to (satellite or terrestrial, analog or digital, COFDM, QAM or QPSK, RDS radio) through a fixed
// sequence of commands and polls, keeps a running account of lines, and can repeat itself 5 s after
// each pass. The form shows the account and the result; everything here runs on a cv::Clock.
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

#include "AtomicFile.h"
#include "Clock.h"

namespace cv::plenar {

class TCvPlenEquip;

// What one pass found, reset before every pass.
struct TIdentResult {
  int8_t cls = -1;  // 0..5 by the class table, -1 unknown
  float frequency = 0;
  bool satellite = false;
  bool tuningMode = true;  // true: tuned by frequency
  bool analogVideo = false;
  std::string channelName;
  std::string teletextHeader;  // at most 30 characters
  std::string pdcId;           // 4
  std::string pdcDescription;  // 30
  std::string rdsPi;           // 4
  std::string rdsPs;           // 8
  std::string network;         // 35
  std::string provider;        // 35
};

// The meter as the identifier reaches it: the equipment's handshaked command and query, its tuning
// (no settling wait) and its wait, which lets window messages run.
struct IdentLink {
  std::function<bool(const std::string& command)> send;
  // The reply line; empty when the exchange failed.
  std::function<bool(const std::string& command, std::string& reply)> query;
  std::function<bool(float mhz)> tune;
  std::function<void(int milliseconds)> wait;
};
IdentLink EquipIdentLink(TCvPlenEquip* equipment);

// What the form shows while a pass runs. Every call has a do-nothing default.
class IdentView {
 public:
  virtual ~IdentView() = default;
  virtual void AddLine(const std::string& line) { (void)line; }
  virtual void SetProgress(int percent) { (void)percent; }
  virtual void ShowBusy(bool busy) { (void)busy; }
  virtual void ShowResult() {}
  virtual void LoopCleared() {}  // the loop box is to be unticked
};

class ChannelIdentifier {
 public:
  static constexpr int kLoopMs = 5000;
  static constexpr int kLockWaitMs = 1000;

  ChannelIdentifier(IdentLink link, cv::Clock& clock, IdentView* view = nullptr);

  // Lets pending window messages run; the clock's pump by default. Tests put their own here to
  // press buttons in the middle of a pass.
  std::function<void()> pump;

  // The handlers' logic. Identify clears the abort flag and resets the result; the timer's start
  // resets the result only; neither does anything while a pass runs. Abort ends every poll loop at its next check, skips the level
  // heuristic and clears the loop. Close ends the form at once when no pass runs (true), else once
  // the running pass has wound down (PassEnded becomes true then).
  void Identify();
  void StartByTimer();
  void SetLoop(bool on);
  void Abort();
  bool RequestClose();
  // The 5 s timer: true when it fired (a pass has run).
  bool TimerTick();
  bool TimerEnabled() const { return timerDueMs >= 0; }
  int64_t TimerDueMs() const { return timerDueMs; }

  // One pass; a start during a pass only closes it. An exchange that fails within a pass ends it
  // at once: the account says the meter did not answer and names the exchange, no verdict
  // follows, and what the running test changed is sent back while the meter takes it.
  void IdentifySignal();
  struct NoAnswer {
    std::string command;
  };
  void Classify();
  void ResetResult() { result = TIdentResult{}; }

  // Readers; each is false when the reply does not begin with the query's letters or lacks a
  // position it reads.
  bool ReadSystem(int& code);
  bool ReadFrequency();
  bool ReadTuningMode(bool& byFrequency);
  bool ReadLevel(int& level, std::string& text);
  bool FindChannelName();
  bool DetectAnalogVideo();

  bool TestTerrestrialTeletext();
  bool TestSatelliteTeletext();
  bool TestRds();
  bool TestTerrestrialDigital();
  bool TestSatelliteDigital();
  // Levels in tenths at f0, f1 = f0 + d/2 and f2 = f0 + d (MHz); the verdicts go to the account.
  void JudgeLevels(int l0, int l1, int l2, float f0, float f1, float f2);

  // The label texts of the result (Windows-1252 bytes).
  static std::string ClassText(int cls);
  std::string NameText() const;
  std::string ProviderText() const;
  std::string FrequencyText() const;

  // Two hexadecimal digits of `text` at `at` (either case); -1 when there are none.
  static int HexByte(const std::string& text, size_t at);
  static std::string ByteToHex(int value);
  // The system code a plan's "*?JI" reply carries in its command list ("SYxx"), 0 for none and
  // for a digital code (low four bits 6).
  static int PlanSystemCode(const std::string& reply);
  // The sound carrier's offset above the vision carrier for a system code, in MHz.
  static float SoundOffset(int code);

  // Adds a line to the account.
  void Note(const std::string& line);
  // The report file's text with the account's lines.
  std::string ReportText(const std::string& date, const std::string& time) const;
  // Saves the report and tells the outcome in the account.
  cv::SaveResult Save(const std::string& path, const std::string& date, const std::string& time);

  TIdentResult result;
  std::vector<std::string> lines;
  bool loop = false, closing = false, aborted = false, busy = false;
  int progress = 0;
  int depth = 0;  // passes on the stack (IdentifySignal called during a pass nests one)

 private:
  std::string Ask(const std::string& command);
  void Send(const std::string& command);
  void Tune(float mhz);
  // What puts the meter back as the running test found it: set when the test changes the meter,
  // run (and forgotten) at its end, or once the meter stops answering.
  std::vector<std::function<void()>> restore;
  void Restoring(std::initializer_list<std::string> commands);
  void Restore();
  void Step();
  void SetProgress(int percent);
  void Pump();
  void Wait(int milliseconds);
  void ClosePass();
  void SetTimer(bool on);
  // Polls `command` up to `polls` times (abortable); `wait` ms after each; true once `found`
  // accepts a reply.
  bool Poll(const std::string& command, int polls, int wait, const std::function<bool(const std::string&)>& found);
  bool TestTeletext(bool satellite);
  bool TestLock(const char* mode, int analyzing, const char* query, int polls, int detected, int8_t cls);
  void ReadMpegTexts();
  void MeasureLevels(bool byFrequency);

  IdentLink link;
  cv::Clock& clock;
  IdentView* view;
  IdentView noView;
  int64_t timerDueMs = -1;
};

}  // namespace cv::plenar
