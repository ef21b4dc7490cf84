#pragma once
// The remote spectrum sweep: settings and their checks, the run of snapshots, one sweep point by
// point over the instrument's command layer, the level and BER replies, and the measurement at
// the marker. Plain C++: the dialog is a view over it, and the waits live in the command layer's
// clock, so a test runs whole sweeps on a fake clock.
#include <cstdint>
#include <string>
#include <vector>

#include "TSpectrumProfile.h"

// The last level or measurement: the two status characters after "*LV", the value and what the
// value is ("Level", "POWER", "BER QPSK" ...).
struct TSpectrumMeas {
  char status1 = 0;
  char status2 = 0;
  float level = 0;
  char name[28] = {};
  void SetName(const std::string& text);
};

// What the sweep uses of the equipment object: its command layer, its log and its model.
class TSpectrumLink {
 public:
  virtual ~TSpectrumLink() = default;
  virtual bool SendCommand(const char* command) = 0;
  virtual bool Query(const char* command, char* reply) = 0;  // reply: 256 bytes
  // Pauses `milliseconds` without letting the message loop run, then asks "*?LV".
  virtual bool AskLevel(char* reply, int milliseconds) = 0;
  // Sends "*FR" for the frequency, then waits `milliseconds` letting the message loop run.
  virtual bool TuneFrequency(float mhz, int milliseconds) = 0;
  virtual void Log(const std::string& line) = 0;
  virtual int32_t GetModelVariant() const = 0;
  // Waits `milliseconds` letting the message loop run (the equipment's Wait). A link without
  // one waits nothing: only a family with a pause after "*SP0" calls it.
  virtual void Wait(int milliseconds) {}
};

// What the sweep asks of its dialog. Every call has a harmless default so a test overrides only
// what it watches.
class TSpectrumView {
 public:
  virtual ~TSpectrumView() = default;
  virtual void ApplyState(int state, bool enable) {}
  virtual void SetTimer(bool on) {}
  virtual void DataToEdit() {}
  virtual void ShowCountdown(int seconds) {}
  virtual void ResetMarker() {}        // at Start: track bar to its minimum, marker column 0
  virtual void BeginTrace() {}         // at Start: clear the trace, draw the scales
  virtual void StartPen() {}           // each sweep draws from the bottom left corner
  virtual void PlotLevel(float mhz, float level) {}
  virtual void SetUnits(const std::string& units) {}
  virtual void ErrorBox(const std::string& caption, const std::string& text) {}
  // A Start or a Close that came while a sweep or a measurement was still inside its wait may
  // run now; the dialog runs it from the message loop (TakePendingStart / closePending).
  virtual void PendingReady() {}
  // Quick mode: whether its box is ticked now, the controls it locks, and the reference level
  // the instrument reports.
  virtual bool QuickTicked() { return false; }
  virtual void ApplyQuickMode() {}
  virtual void SetReferenceItem(int item) {}
};

enum class TEditResult { Unchanged, Accepted, Refused };

class TSpectrumSweep {
 public:
  TSpectrumSweep(TSpectrumLink& link, TSpectrumView& view, const TSpectrumProfile& profile = {});

  // The family's values; the dialog sets them before InitDefaults.
  TSpectrumProfile profile;

  // Settings, run state and tables, in the dialog's terms.
  float initialFreq = 1165.0f, finalFreq = 1205.0f, stepFreq = 1.0f;
  float bandGap = 0.1f;
  int32_t timeStep = 5;
  int32_t snapshots = 1;
  int32_t allocatedSnapshots = 1;
  int32_t points = 15;
  int32_t pointIndex = 0;
  std::vector<std::vector<float>> levels;  // empty: no table
  bool haveLevels = false;
  float currentFreq = 1165.0f;
  int32_t snapNo = 1;
  bool stopRequested = false, busy = false, running = false;
  int32_t countdown = 5;
  int32_t state = 0;
  TSpectrumMeas meas;
  std::vector<std::string> snapTimes;
  bool haveSnapTimes = false;
  // A table of more bytes than this is refused as the allocator refuses it; a test lowers it to
  // see the sweep without its tables.
  size_t tableByteLimit = SIZE_MAX;
  int32_t pictureWidth = 250;  // one point per pixel column at most

  // A measurement is inside its waits.
  bool measuring = false;
  // A Start is inside the pause after "*SP0".
  bool pausing = false;
  // A snapshot, a measurement or a Start's pause is unwinding: nothing new may start inside it.
  bool InsideWait() const { return busy || measuring || pausing; }
  // Start or Close pressed while a sweep or measurement was still unwinding.
  bool startPending = false;
  bool closePending = false;

  // Quick mode, from the instrument's sweep header: its point count, the scale factor and the
  // offset of its raw levels. `quickRun`: the run was started in quick mode, so its frequency
  // grid is linear.
  int32_t quickPoints = 0, quickFactor = 0, quickOffset = 0;
  bool quickRun = false;
  static constexpr int kQuickBlockPoints = 120;

  // A Start keeps the last sweep (tables, trace, marker, settings and state) until the new run's
  // first level comes: `sweepBegun` says it has. `startFailed`: the last Start ended before that,
  // so the last sweep is still the one shown, saved and printed.
  bool sweepBegun = true;
  bool startFailed = false;

  // Time of day for the snapshot table; the dialog gives TimeString.
  std::string (*timeText)() = nullptr;

  void InitDefaults();
  void AdjustFinalFreq();
  bool ValidateSettings();
  void FreeTables();
  void AllocTables();
  bool TakeSnapshot();
  float NextFreq(float mhz) const;
  bool ReadLevel(TSpectrumMeas& record, int milliseconds);
  enum class LvReply { Ok, Failed, Impossible };
  LvReply AskLvReply(char* reply, TSpectrumMeas& record, int milliseconds, int askErrorId, bool logBadFrame);
  bool MeasureLevel(const char* command, TSpectrumMeas& record, int milliseconds);
  bool MeasureBer(const char* command, TSpectrumMeas& record, int milliseconds);
  bool DisableDigitalFilter();
  bool EnableDigitalFilter();
  bool SwitchDigitalFilter(const char* command, int errorId);
  bool CheckEquipmentMode();
  void SetState(int newState);

  // Start / Stop, one timer tick, Ask Measurement (item of the measure list; -1 is none).
  void StartBtnClick();
  void LessToNextSnap();
  // Quick mode: Start and Stop, the sweep header, its check, one snapshot read in blocks, and
  // the snapshot of a timer tick (quick while the box is ticked).
  void StartQuickSweep();
  void ReadQuickSweepHeader();
  bool CheckQuickSweep();
  bool TakeQuickSnapshot();
  bool TakeNextSnapshot();
  // A raw level of the instrument's trace in dBuV: (raw x factor + offset) / 100, truncated
  // toward zero.
  static int QuickLevel(int raw, int factor, int offset) { return (raw * factor + offset) / 100; }
  void MeasBtnClick(int item);
  bool TakePendingStart();
  // Ends a run for a closing window; false while a sweep or measurement must unwind first.
  bool StopForClose();

  // The instrument's measurement mode of an item of the measure list (a missing item is item 0).
  int MeasMode(int item) const;
  // The measurement's text for the level edit: status characters and value.
  std::string MeasText(int item, char decimal) const;

  // Typed settings; the text is as the edit holds it.
  bool TerrestrialAllowed() const { return !profile.variantRule || link.GetModelVariant() != 4; }
  TEditResult ValidateInitialFreq(const std::string& text, char decimal);
  TEditResult ValidateFinalFreq(const std::string& text, char decimal);
  TEditResult ValidateStep(const std::string& text, char decimal);
  TEditResult ValidateSnaps(const std::string& text);
  TEditResult ValidateTimeStep(const std::string& text);
  // Within initial..final and a frequency the meter tunes (not in the gap between its bands).
  TEditResult ValidateCurrentFreq(const std::string& text, char decimal);
  bool Tunable(double mhz) const;
  // The full-span boxes; false when neither is ticked (range unchanged).
  bool SetFullSpan(bool ter, bool sat);

  // The frequencies one sweep tunes, at most `points` of them.
  std::vector<float> SweptFrequencies() const;

  static constexpr const char* kAccessCode = "*7205&";

 private:
  void Log(int id);
  bool CheckRangeAndPoints();
  // A snapshot's start: false while another is still busy.
  bool BeginSnapshot();
  bool DeferStart();
  // A Start from now on: what the last sweep needs kept until the new one comes.
  void KeepLastSweep(bool quick);
  void BeginRun();
  // The first level of the run has come: the last sweep gives way.
  void BeginSweep();
  // The new run ended before its first level: the last sweep's settings and state come back.
  void RestoreLastSweep();
  // `failed`: the run ends on a fault, told in a box.
  void EndRun(int lineId, bool failed = false);
  // After a snapshot: the next one armed, or the run finished.
  void NextOrFinish();
  void EndOfWait();
  struct KeptSweep {
    float initialFreq, finalFreq, stepFreq;
    int32_t points, quickPoints, quickFactor, quickOffset, allocatedSnapshots, state;
  } kept{};
  bool quickStart = false;
  std::string snapStarted;  // the first snapshot's time, stored when its first level comes
  TSpectrumLink& link;
  TSpectrumView& view;
};
