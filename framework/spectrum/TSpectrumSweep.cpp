#include "TSpectrumSweep.h"
#include "Pll.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <new>

#include "Messages.h"
#include "MsgIds.h"
#include "Format.h"
#include "NumFormat.h"

namespace msg = cv::msg;

void TSpectrumMeas::SetName(const std::string& text) {
  std::memset(name, 0, sizeof name);
  std::strncpy(name, text.c_str(), sizeof name - 1);
}

TSpectrumSweep::TSpectrumSweep(TSpectrumLink& link, TSpectrumView& view, const TSpectrumProfile& profile)
    : profile(profile), link(link), view(view) {
  InitDefaults();
}

void TSpectrumSweep::Log(int id) {
  if (id) link.Log(cv::Msg(id));
}

void TSpectrumSweep::InitDefaults() {
  finalFreq = profile.defaultFinal;
  initialFreq = profile.defaultInitial;
  stepFreq = profile.defaultStep;
  timeStep = 5;
  snapshots = allocatedSnapshots = 1;
  currentFreq = initialFreq;
  snapNo = 1;
  countdown = timeStep;
  meas.status1 = '=';
  meas.status2 = '+';
  meas.level = 0;
  meas.SetName(cv::Msg(msg::SpecLevel));
  points = 15;
  pointIndex = 0;
  levels.clear();
  haveLevels = false;
  snapTimes.clear();
  haveSnapTimes = false;
  running = stopRequested = busy = false;
  bandGap = profile.bandGap;
}

void TSpectrumSweep::SetState(int newState) {
  view.ApplyState(state, true);
  state = newState;
  view.ApplyState(state, false);
}

void TSpectrumSweep::AdjustFinalFreq() {
  int32_t n = static_cast<int32_t>(std::trunc((finalFreq - initialFreq) / stepFreq + 0.01));
  finalFreq = initialFreq + static_cast<float>(n) * stepFreq;
}

bool TSpectrumSweep::ValidateSettings() {
  bool ok = CheckRangeAndPoints();
  const std::string& caption = cv::Msg(msg::SpecBoxCaption);
  if (points > 250) {
    stepFreq = static_cast<float>(
        std::ceil((finalFreq - initialFreq) / static_cast<double>(pictureWidth - 1) * 10) * 0.1);
    view.ErrorBox(caption, cv::FormatStyled({.negativeZero = true}, cv::Msg(msg::SpecTooManyPoints), points,
                                            double{stepFreq}));
    view.DataToEdit();
    ok = false;
  }
  return ok;
}

void TSpectrumSweep::FreeTables() {
  levels.clear();
  levels.shrink_to_fit();
  haveLevels = false;
  snapTimes.clear();
  snapTimes.shrink_to_fit();
  haveSnapTimes = false;
}

void TSpectrumSweep::AllocTables() {
  allocatedSnapshots = snapshots;
  const size_t count = static_cast<size_t>(snapshots);
  auto allocate = [this](size_t bytes) {
    if (bytes > tableByteLimit) throw std::bad_alloc();
  };
  try {
    allocate(count * static_cast<size_t>(points) * sizeof(float));
    levels.assign(static_cast<size_t>(snapshots), std::vector<float>(static_cast<size_t>(points), 0.0f));
    haveLevels = true;
  } catch (const std::bad_alloc&) {
    levels.clear();
    haveLevels = false;
    Log(msg::SpecAllocLevels);
    view.ErrorBox(cv::Msg(msg::SpecErrorCaption), cv::Msg(msg::SpecAllocBox));
  }
  try {
    allocate(count * sizeof(std::string));
    snapTimes.assign(static_cast<size_t>(snapshots), std::string());
    haveSnapTimes = true;
  } catch (const std::bad_alloc&) {
    snapTimes.clear();
    haveSnapTimes = false;
    Log(msg::SpecAllocTimes);
    view.ErrorBox(cv::Msg(msg::SpecErrorCaption), cv::Msg(msg::SpecAllocBox));
  }
}

float TSpectrumSweep::NextFreq(float mhz) const {
  float next = mhz + stepFreq;
  if (mhz <= 862.0 && next > 862.0) return next + bandGap;
  return next;
}

std::vector<float> TSpectrumSweep::SweptFrequencies() const {
  std::vector<float> out;
  if (quickRun) {
    // The instrument's own sweep steps linearly from the initial frequency, one value for each
    // point it gives.
    for (int32_t i = 0; i < std::min(points, quickPoints); ++i)
      out.push_back(initialFreq + static_cast<float>(i) * stepFreq);
    return out;
  }
  for (float f = initialFreq; f <= finalFreq && static_cast<int32_t>(out.size()) < points;
       f = NextFreq(f))
    out.push_back(f);
  return out;
}

bool TSpectrumSweep::BeginSnapshot() {
  if (busy) return false;
  busy = true;
  view.SetTimer(false);
  countdown = timeStep;
  view.StartPen();
  currentFreq = initialFreq;
  pointIndex = 0;
  return true;
}

bool TSpectrumSweep::TakeSnapshot() {
  if (!BeginSnapshot()) return true;
  bool result = true;

  if (DisableDigitalFilter()) {
    if (!CheckEquipmentMode()) {
      view.ErrorBox(cv::Msg(msg::SpecErrorCaption), cv::Msg(msg::SpecSwitchToAnalog));
    } else {
      link.SendCommand("*ME0");
      snapStarted = timeText ? timeText() : std::string();
      if (sweepBegun && haveSnapTimes && snapNo >= 1 && snapNo <= static_cast<int32_t>(snapTimes.size()))
        snapTimes[snapNo - 1] = snapStarted;
      link.Log(cv::Msg(msg::SpecTakingSnap) + std::to_string(snapNo) + "/" +
               std::to_string(allocatedSnapshots));
      // The marker ends on the last point swept (the first, when none was): one step back from
      // the next would lie in the gap between the bands after a step that crossed it, or below
      // the band when the first point failed.
      float lastPoint = currentFreq;
      while (currentFreq <= finalFreq && !stopRequested) {
        if (!link.TuneFrequency(currentFreq, 1000)) {
          Log(msg::SpecFreqError);
          result = false;
          stopRequested = true;
        } else if (!ReadLevel(meas, 75)) {
          Log(msg::SpecLevelError);
          result = false;
          stopRequested = true;
        } else if (!sweepBegun && !running) {
          // The run was stopped before its first level: the last sweep stays as it was.
          break;
        } else {
          if (!sweepBegun) BeginSweep();
          view.PlotLevel(currentFreq, meas.level);
          view.DataToEdit();
          // Rows are as long as the run's point count; a row of a shorter table is never
          // written past its end.
          if (haveLevels && pointIndex < points && snapNo >= 1 &&
              snapNo <= static_cast<int32_t>(levels.size()) &&
              pointIndex < static_cast<int32_t>(levels[snapNo - 1].size()))
            levels[snapNo - 1][pointIndex] = meas.level;
          ++pointIndex;
          lastPoint = currentFreq;
          currentFreq = NextFreq(currentFreq);
        }
      }
      currentFreq = lastPoint;
    }
  }

  NextOrFinish();
  EnableDigitalFilter();
  busy = false;
  EndOfWait();
  return result;
}

void TSpectrumSweep::EndOfWait() {
  if ((startPending || closePending) && !InsideWait()) view.PendingReady();
}

// Asks "*?LV" and checks the frame of its reply ("*LV", two status bytes, three hex digits).
// On any failure the record's level is 0 and the failure is logged with the caller's texts.
TSpectrumSweep::LvReply TSpectrumSweep::AskLvReply(char* reply, TSpectrumMeas& record, int milliseconds,
                                                   int askErrorId, bool logBadFrame) {
  if (!link.AskLevel(reply, milliseconds)) {
    Log(askErrorId);
    record.level = 0;
    return LvReply::Failed;
  }
  reply[255] = 0;
  if (std::strncmp(reply, "*LV", 3) != 0) {
    Log(msg::SpecBadLevelAnswer);
    if (logBadFrame) link.Log(reply);
    record.level = 0;
    return LvReply::Failed;
  }
  reply[8] = 0;
  record.status1 = reply[3];
  if (record.status1 == '!') {
    Log(msg::SpecMeasImpossible);
    record.level = 0;
    return LvReply::Impossible;
  }
  // A short or garbled value is a bad answer, not a level of zero.
  bool hex = std::strlen(reply) == 8;
  for (int i = 5; hex && i < 8; ++i) hex = std::isxdigit(static_cast<unsigned char>(reply[i]));
  if (!hex) {
    Log(msg::SpecBadLevelAnswer);
    link.Log(reply);
    record.level = 0;
    return LvReply::Failed;
  }
  return LvReply::Ok;
}

bool TSpectrumSweep::ReadLevel(TSpectrumMeas& record, int milliseconds) {
  char reply[256] = {};
  const LvReply answer = AskLvReply(reply, record, milliseconds, msg::SpecAskLvError, true);
  if (answer == LvReply::Impossible) {
    record.status1 = static_cast<char>(0xBF);
    record.status2 = '?';
  }
  if (answer != LvReply::Ok) return false;
  record.status2 = reply[4];
  record.level = static_cast<float>(std::strtol(reply + 5, nullptr, 16) * 0.1);
  return true;
}

bool TSpectrumSweep::MeasureLevel(const char* command, TSpectrumMeas& record, int milliseconds) {
  if (!link.SendCommand(command)) {
    link.Log(std::string(command) + cv::Msg(msg::SpecRefusedByEquipment));
    record.level = 0;
    return false;
  }
  return ReadLevel(record, milliseconds);
}

bool TSpectrumSweep::MeasureBer(const char* command, TSpectrumMeas& record, int milliseconds) {
  if (!link.SendCommand(command)) {
    link.Log(std::string(command) + cv::Msg(msg::SpecRefusedByCorvane));
    record.level = 0;
    return false;
  }
  char reply[256] = {};
  if (AskLvReply(reply, record, milliseconds, msg::SpecAskError, false) != LvReply::Ok) return false;
  const long x = std::strtol(reply + 5, nullptr, 16);
  record.level = static_cast<float>(cv::DecodeBerWord(static_cast<uint32_t>(x)));
  return true;
}

bool TSpectrumSweep::DisableDigitalFilter() {
  return SwitchDigitalFilter(profile.filterOffCommand, msg::SpecFilterOffError);
}

bool TSpectrumSweep::EnableDigitalFilter() {
  return SwitchDigitalFilter(profile.filterOnCommand, msg::SpecFilterOnError);
}

// The filter command is protected: the access code goes first.
bool TSpectrumSweep::SwitchDigitalFilter(const char* command, int errorId) {
  if (!link.SendCommand(kAccessCode)) {
    Log(msg::SpecProtectedError);
    return false;
  }
  if (!link.SendCommand(command)) {
    Log(errorId);
    return false;
  }
  return true;
}

bool TSpectrumSweep::CheckEquipmentMode() {
  char reply[256] = {};
  if (!link.Query("*?SY", reply)) {
    // Without an answer the mode is unknown; the sweep goes on and its own commands will say
    // whether the instrument is there at all.
    Log(msg::SpecModeQueryError);
    return true;
  }
  reply[255] = 0;
  bool analogue = !(std::strlen(reply) >= 5 && reply[4] == '6');
  if (analogue) {
    char sp[256] = {};
    link.Query("*?SP", sp);
  }
  return analogue;
}

void TSpectrumSweep::StartBtnClick() {
  if (running) {
    stopRequested = true;
    EndRun(msg::SpecSnapStopped);
    return;
  }
  if (DeferStart()) return;
  if (profile.quickMode && view.QuickTicked()) {
    StartQuickSweep();
    return;
  }
  AdjustFinalFreq();
  view.DataToEdit();
  if (!ValidateSettings()) return;

  KeepLastSweep(false);
  BeginRun();

  if (!link.SendCommand("*SP0")) {
    EndRun(msg::SpecSpModeError, true);
    return;
  }
  if (profile.pauseAfterSpectrumOffMs > 0) {
    // Stop, Close or another Start may come during the pause: a stopped run takes no snapshot,
    // and a Start pressed meanwhile runs once this one has returned.
    pausing = true;
    link.Wait(profile.pauseAfterSpectrumOffMs);
    pausing = false;
    if (!running || stopRequested) {
      stopRequested = false;
      EndOfWait();
      return;
    }
  }
  if (!TakeSnapshot()) EndRun(msg::SpecFirstSnapError, true);
}

bool TSpectrumSweep::TakePendingStart() {
  if (!startPending || InsideWait() || closePending) return false;
  startPending = false;
  return true;
}

bool TSpectrumSweep::StopForClose() {
  startPending = false;
  if (running) {
    stopRequested = busy || pausing;
    Log(msg::SpecSnapStopped);
    running = false;
    view.SetTimer(false);
    SetState(0);
  }
  view.SetTimer(false);
  if (InsideWait()) {
    closePending = true;
    return false;
  }
  return true;
}

void TSpectrumSweep::LessToNextSnap() {
  if (countdown > 0) {
    --countdown;
    view.ShowCountdown(countdown);
  } else {
    TakeNextSnapshot();
  }
}

// ---- quick mode ----

namespace {

// `length` hexadecimal digits at `at`, or -1 when one is missing or is no digit.
long HexField(const char* text, size_t at, size_t length) {
  const size_t size = std::strlen(text);
  if (at + length > size) return -1;
  long value = 0;
  for (size_t i = at; i < at + length; ++i) {
    const int c = static_cast<unsigned char>(text[i]);
    if (!std::isxdigit(c)) return -1;
    value = value * 16 + (std::isdigit(c) ? c - '0' : std::toupper(c) - 'A' + 10);
  }
  return value;
}

int32_t Signed16(long word) { return static_cast<int16_t>(static_cast<uint16_t>(word)); }

}  // namespace

// The stopped sweep (or a measurement) is still inside its wait: starting now would let it carry
// on inside the new run. The new run starts once it has unwound.
bool TSpectrumSweep::DeferStart() {
  if (!InsideWait()) return false;
  if (!startPending) Log(msg::SpecBusyStart);
  startPending = true;
  return true;
}

bool TSpectrumSweep::TakeNextSnapshot() {
  return profile.quickMode && view.QuickTicked() ? TakeQuickSnapshot() : TakeSnapshot();
}

void TSpectrumSweep::StartQuickSweep() {
  if (running) {
    stopRequested = true;
    EndRun(msg::SpecSnapStopped);
    view.ApplyQuickMode();
    return;
  }
  if (DeferStart()) return;
  KeepLastSweep(true);
  view.ApplyQuickMode();
  if (link.SendCommand("*SP1")) {
    pausing = true;
    link.Wait(2000);
    pausing = false;
  } else {
    // The header and the block checks decide whether a trace can still be read.
    Log(profile.quickRefusedLineId);
  }
  char reply[256] = {};
  if (link.Query("*?SPA", reply) && std::strlen(reply) >= 5 && (reply[4] == '9' || reply[4] == 'A'))
    link.SendCommand("*SPA6");
  std::memset(reply, 0, sizeof reply);
  if (link.Query("*?SPR", reply) && std::strlen(reply) >= 5) {
    const char c = reply[4];
    // Any other character would name an item outside the list: the item stays.
    if (c >= '1' && c <= '9') view.SetReferenceItem(c - '1');
    if (c >= 'A' && c <= 'D') view.SetReferenceItem(c - '8');
  }
  link.SendCommand("*SPY1");
  ReadQuickSweepHeader();
  if (!CheckQuickSweep()) {
    RestoreLastSweep();
    return;
  }

  BeginRun();
  view.DataToEdit();
  if (!TakeNextSnapshot()) EndRun(msg::SpecFirstSnapError, true);
}

void TSpectrumSweep::KeepLastSweep(bool quick) {
  kept = {initialFreq, finalFreq, stepFreq, points, quickPoints, quickFactor, quickOffset, allocatedSnapshots, state};
  quickStart = quick;
  sweepBegun = false;
  startFailed = false;
}

void TSpectrumSweep::BeginRun() {
  allocatedSnapshots = snapshots;
  pointIndex = 0;
  running = true;
  countdown = timeStep;
  SetState(2);
  stopRequested = false;
  snapNo = 1;
}

void TSpectrumSweep::BeginSweep() {
  sweepBegun = true;
  quickRun = quickStart;
  FreeTables();
  AllocTables();
  if (haveSnapTimes && snapNo >= 1 && snapNo <= static_cast<int32_t>(snapTimes.size()))
    snapTimes[snapNo - 1] = snapStarted;
  view.ResetMarker();
  view.SetUnits(cv::Msg(msg::SpecDbuv));
  meas.SetName(cv::Msg(msg::SpecLevel));
  view.BeginTrace();
  view.StartPen();
}

void TSpectrumSweep::EndRun(int lineId, bool failed) {
  Log(lineId);
  view.SetTimer(false);
  running = false;
  if (sweepBegun)
    SetState(0);
  else
    RestoreLastSweep();
  if (failed && lineId) view.ErrorBox(cv::Msg(msg::SpecErrorCaption), cv::Msg(lineId));
}

void TSpectrumSweep::RestoreLastSweep() {
  // Nothing of the new run came: the last sweep stays with the settings it was taken with.
  initialFreq = kept.initialFreq;
  finalFreq = kept.finalFreq;
  stepFreq = kept.stepFreq;
  points = kept.points;
  quickPoints = kept.quickPoints;
  quickFactor = kept.quickFactor;
  quickOffset = kept.quickOffset;
  allocatedSnapshots = kept.allocatedSnapshots;
  SetState(kept.state);
  view.DataToEdit();
  startFailed = true;
}

void TSpectrumSweep::ReadQuickSweepHeader() {
  char reply[256] = {};
  // The header's words cannot be decoded without the band: an unanswered band leaves the
  // header unread.
  if (link.Query("*?FR", reply) && std::strlen(reply) >= 4) {
    const bool terrestrial = reply[3] == 'T';
    std::memset(reply, 0, sizeof reply);
    if (link.Query("*?SPH", reply)) {
      const long start = HexField(reply, 4, 4), step = HexField(reply, 8, 2), count = HexField(reply, 10, 4),
                 factor = HexField(reply, 14, 4), offset = HexField(reply, 18, 4);
      if (start >= 0 && step >= 0 && count >= 0 && factor >= 0 && offset >= 0) {
        if (terrestrial) {
          initialFreq = static_cast<float>(start * 0.05 - 38.9);
          stepFreq = static_cast<float>(step * 0.05);
        } else {
          initialFreq = static_cast<float>((start & 0x7FFF) * 0.125 - 479.5);
          stepFreq = static_cast<float>(step * 0.125);
        }
        quickPoints = static_cast<int32_t>(count);
        quickFactor = Signed16(factor);
        quickOffset = Signed16(offset);
      }
    }
  }
  finalFreq = static_cast<float>(quickPoints) * stepFreq + initialFreq;
}

// There is no upper limit: the instrument's own sweep has no picture-width bound.
bool TSpectrumSweep::CheckQuickSweep() { return CheckRangeAndPoints(); }

bool TSpectrumSweep::CheckRangeAndPoints() {
  bool ok = true;
  const std::string& caption = cv::Msg(msg::SpecBoxCaption);
  if (!(initialFreq < finalFreq)) {
    view.ErrorBox(caption, cv::Msg(msg::SpecBadFreqValues));
    ok = false;
  }
  // A step of zero (a meter's header may say so) or a range past any count gives no number of
  // points: too few, not a conversion of NaN.
  const double count = std::trunc((finalFreq - initialFreq) / stepFreq + 1.5);
  points = stepFreq > 0 && std::isfinite(count) && count > 0
               ? static_cast<int32_t>(std::min(count, static_cast<double>(INT32_MAX)))
               : 0;
  if (points < 4) {
    view.ErrorBox(caption, cv::FormatStyled({.negativeZero = true}, cv::Msg(msg::SpecNotEnoughPoints), 4));
    ok = false;
  }
  return ok;
}

bool TSpectrumSweep::TakeQuickSnapshot() {
  if (!BeginSnapshot()) return true;
  bool result = true;
  snapStarted = timeText ? timeText() : std::string();
  if (sweepBegun && haveSnapTimes && snapNo >= 1 && snapNo <= static_cast<int32_t>(snapTimes.size()))
    snapTimes[snapNo - 1] = snapStarted;
  link.Log(cv::Msg(msg::SpecTakingSnap) + std::to_string(snapNo) + "/" + std::to_string(allocatedSnapshots));
  // The row allocated at the last Start bounds every store, whatever the header says now.
  auto row = [this]() -> std::vector<float>* {
    return haveLevels && snapNo >= 1 && snapNo <= static_cast<int32_t>(levels.size()) ? &levels[snapNo - 1] : nullptr;
  };
  int32_t remaining = quickPoints;
  for (int block = 0; remaining > 0; ++block) {
    char reply[256] = {};
    const bool answered = link.Query(cv::Format("*?SPS%1.1d", block).c_str(), reply);
    const int32_t wanted = std::min(remaining, static_cast<int32_t>(kQuickBlockPoints));
    bool whole = answered;
    for (int32_t i = 0; whole && i < wanted; ++i) whole = HexField(reply, 5 + 2 * static_cast<size_t>(i), 2) >= 0;
    if (!whole) {
      // A block that is missing or short cannot be placed: the snapshot ends with what it has.
      if (profile.quickBlockLineId)
        link.Log(cv::Format(cv::Msg(profile.quickBlockLineId), block, static_cast<int>(pointIndex)));
      result = false;
      stopRequested = true;
      break;
    }
    for (int32_t i = 0; i < wanted; ++i) {
      const int raw = static_cast<int>(HexField(reply, 5 + 2 * static_cast<size_t>(i), 2));
      const float level = static_cast<float>(QuickLevel(raw, quickFactor, quickOffset));
      if (!sweepBegun && !running) {
        // The run was stopped before its first level: the last sweep stays as it was.
        remaining = 0;
        break;
      }
      if (!sweepBegun) BeginSweep();
      view.PlotLevel(currentFreq, level);
      view.DataToEdit();
      if (std::vector<float>* r = row(); r && pointIndex < static_cast<int32_t>(r->size())) (*r)[pointIndex] = level;
      meas.level = level;
      ++pointIndex;
      --remaining;
      currentFreq += stepFreq;
    }
  }
  currentFreq -= stepFreq;
  NextOrFinish();
  busy = false;
  EndOfWait();
  return result;
}

void TSpectrumSweep::NextOrFinish() {
  // A run takes as many snapshots as it allocated rows at its Start: a count changed meanwhile
  // applies from the next Start, so no store lands past the tables.
  if (stopRequested) {
    stopRequested = false;
  } else if (snapNo < allocatedSnapshots) {
    view.SetTimer(true);
    ++snapNo;
  } else {
    view.SetTimer(false);
    running = false;
    SetState(1);
    view.ApplyQuickMode();
    Log(msg::SpecSnapsFinished);
  }
}

namespace {
struct MeasKind {
  int asking;
  int units;  // 0: none
  const char* command;
  bool ber;
  int wait;
  int received;
  const char* name;  // nullptr: message table
  int nameId;
};
const MeasKind kKinds[8] = {
    {msg::SpecAskLevel, msg::SpecDbuv, "*ME0", false, 1500, msg::SpecGotLevel, nullptr, msg::SpecLevel},
    {msg::SpecAskVA, msg::SpecDb, "*ME1", false, 1500, msg::SpecGotVA, "V/A", 0},
    {msg::SpecAskPower, msg::SpecDbuv, "*ME2", false, 1500, msg::SpecGotPower, nullptr, msg::SpecPower},
    {msg::SpecAskCnAuto, msg::SpecDb, "*ME3", false, 0, msg::SpecGotCnAuto, "C/N auto", 0},
    {msg::SpecAskBerQpsk, 0, "*ME4", true, 1500, msg::SpecGotBerQpsk, "BER QPSK", 0},
    {msg::SpecAskBerQam, 0, "*ME5", true, 1500, msg::SpecGotBerQam, "BER QAM", 0},
    {msg::SpecAskBerCofdm, 0, "*ME6", true, 1500, msg::SpecGotBerCofdm, "BER COFDM", 0},
    {msg::SpecAskCnRef, msg::SpecDb, "*ME7", false, 3000, msg::SpecGotCnRef, "C/N referenced", 0},
};
}  // namespace

int TSpectrumSweep::MeasMode(int item) const {
  const std::vector<int>& modes = profile.measModes;
  if (item < 0 || item >= static_cast<int>(modes.size())) item = 0;
  return modes.empty() ? 0 : modes[static_cast<size_t>(item)];
}

void TSpectrumSweep::MeasBtnClick(int item) {
  if (InsideWait()) return;
  const int mode = MeasMode(item);
  if (mode < 0 || mode > 7) return;
  SetState(3);
  view.ApplyQuickMode();
  measuring = true;
  bool ready = link.SendCommand("*SP0") && EnableDigitalFilter() &&
               link.TuneFrequency(currentFreq, 1000);
  if (ready) {
    const MeasKind& k = kKinds[mode];
    Log(k.asking);
    view.SetUnits(k.units ? cv::Msg(k.units) : std::string());
    bool ok = false;
    int wait = k.wait;
    bool measure = true;
    if (mode == 3) {
      char reply[256] = {};
      if (!link.Query("*?SY", reply)) {
        measure = false;
      } else {
        reply[255] = 0;
        if (std::strlen(reply) >= 6 && (reply[5] == '6' || reply[5] == '7')) {
          wait = 1500;
        } else {
          Log(msg::SpecWaitStable);
          wait = 6000;
        }
      }
    }
    if (measure) {
      ok = k.ber ? MeasureBer(k.command, meas, wait) : MeasureLevel(k.command, meas, wait);
      if (ok) {
        Log(k.received);
        meas.SetName(k.name ? std::string(k.name) : cv::Msg(k.nameId));
      }
    }
  }
  measuring = false;
  EndOfWait();
}

std::string TSpectrumSweep::MeasText(int item, char decimal) const {
  const int mode = MeasMode(item);
  std::string text;
  text.push_back(meas.status1);
  text.push_back(meas.status2);
  if (mode >= 4 && mode <= 6)
    text += " " + cv::PrintfSci(meas.level, 3, 1, decimal);
  else
    text += cv::PrintfFixed(meas.level, 5, 1, decimal);
  return text;
}

namespace {
std::string Cut9(const std::string& text) { return text.substr(0, 9); }
}  // namespace

TEditResult TSpectrumSweep::ValidateInitialFreq(const std::string& text, char decimal) {
  float v;
  if (!cv::ParseFixedNotation(Cut9(text), v, decimal)) return TEditResult::Refused;
  if (v == initialFreq) return TEditResult::Unchanged;
  double d = v;
  bool inRange = (TerrestrialAllowed() && d >= profile.terrestrialStart && d <= 862.0) ||
                 (profile.satelliteBand && d >= profile.satelliteStart && d < 2150.0);
  if (!inRange || (profile.editsKeepOrder && v > finalFreq)) return TEditResult::Refused;
  initialFreq = currentFreq = v;
  return TEditResult::Accepted;
}

TEditResult TSpectrumSweep::ValidateFinalFreq(const std::string& text, char decimal) {
  float v;
  if (!cv::ParseFixedNotation(Cut9(text), v, decimal)) return TEditResult::Refused;
  if (v == finalFreq) return TEditResult::Unchanged;
  double d = v;
  bool inRange = (TerrestrialAllowed() && d > profile.terrestrialStart && d <= 862.0) ||
                 (profile.satelliteBand && d >= profile.satelliteStart && d <= 2150.0);
  if (!inRange || (profile.editsKeepOrder && v < initialFreq)) return TEditResult::Refused;
  finalFreq = v;
  return TEditResult::Accepted;
}

TEditResult TSpectrumSweep::ValidateStep(const std::string& text, char decimal) {
  float v;
  if (!cv::ParseFixedNotation(Cut9(text), v, decimal)) return TEditResult::Refused;
  if (v == stepFreq) return TEditResult::Unchanged;
  double d = v;
  if (!(d >= 0.05 && d <= 50.0)) return TEditResult::Refused;
  stepFreq = v;
  return TEditResult::Accepted;
}

namespace {
// A whole number typed into an edit: the same value is no change, one outside lo..hi is refused.
TEditResult ValidateWhole(const std::string& text, int32_t& field, int32_t lo, int32_t hi) {
  int32_t n;
  if (!cv::ParseInteger(Cut9(text), n)) return TEditResult::Refused;
  if (n == field) return TEditResult::Unchanged;
  if (n < lo || n > hi) return TEditResult::Refused;
  field = n;
  return TEditResult::Accepted;
}
}  // namespace

TEditResult TSpectrumSweep::ValidateSnaps(const std::string& text) { return ValidateWhole(text, snapshots, 1, 1000); }

TEditResult TSpectrumSweep::ValidateTimeStep(const std::string& text) {
  return ValidateWhole(text, timeStep, 1, 19999);
}

TEditResult TSpectrumSweep::ValidateCurrentFreq(const std::string& text, char decimal) {
  float v;
  if (!cv::ParseFixedNotation(Cut9(text), v, decimal)) return TEditResult::Refused;
  if (v == currentFreq) return TEditResult::Unchanged;
  if (v < initialFreq || v > finalFreq || !Tunable(v)) return TEditResult::Refused;
  currentFreq = v;
  return TEditResult::Accepted;
}

bool TSpectrumSweep::Tunable(double mhz) const {
  return (TerrestrialAllowed() && mhz >= profile.terrestrialStart && mhz <= 862.0) ||
         (profile.satelliteBand && mhz >= profile.satelliteStart && mhz <= 2150.0);
}

bool TSpectrumSweep::SetFullSpan(bool ter, bool sat) {
  if (!profile.satelliteBand) sat = false;
  if (ter) {
    initialFreq = static_cast<float>(profile.terrestrialStart);
    finalFreq = sat ? 2150.0f : 862.0f;
  } else if (sat) {
    initialFreq = static_cast<float>(profile.satelliteStart);
    finalFreq = 2150.0f;
  } else {
    return false;
  }
  return true;
}
