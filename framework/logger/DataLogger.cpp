#include "DataLogger.h"

#include <cstdio>
#include <new>

#include "AppServices.h"
#include "Cv3Equip.h"
#include "Messages.h"
#include "MsgIds.h"
#include "Serial.h"

namespace cv::logger {

namespace msg = cv::msg::logger;

TDataLogger::TDataLogger(TCv3Equip& equipment, TDataLoggerView& view, const TLoggerFamily& family)
    : equipment(equipment), view(view), family(family) {
  equipment.GetSeparators(decimalSeparator, listSeparator);
  for (int i = 0; i < kItems; ++i) {
    testPoints[i].number = static_cast<uint8_t>(i + 1);
    testPoints[i].name = "TP" + std::to_string(i + 1);
  }
}

bool TDataLogger::ReadsTimeStamps() const {
  return family.timeStampVersion <= 0 || version >= family.timeStampVersion;
}

void TDataLogger::Log(int id) const { equipment.Log(cv::Msg(id)); }

// After step k of 99 the gauge shows k x 100 / 99.
void TDataLogger::Step(int& count) {
  ++count;
  view.SetGauge(count * 100 / kItems);
  view.Repaint();
}

bool TDataLogger::Query(const char* format, int a, int b, std::string& reply) {
  char command[32];
  std::snprintf(command, sizeof command, format, a, b);
  char buffer[kReplyBufferSize];
  const bool ok = equipment.Query(command, buffer);
  reply = buffer;
  return ok;
}

bool TDataLogger::ReadMemories() {
  view.ShowMemoryNumber(0);
  int count = 0;
  Log(msg::DlReadingMemories);
  bool ok = true;
  std::string reply;
  for (int n = 1; n <= kItems; ++n) {
    view.ShowMemoryNumber(n);
    Step(count);
    failedMemory = n;
    if (!(ok = Query("*?SR%02X", n, 0, reply))) break;
    ParseMemoryReply(reply, memories, [this](const std::string& line) { equipment.Log(line); }, family);
    if (!(ok = Query("*?DSM%02X", n, 0, reply))) break;
    ok = ParseMemoryStatus(reply, memories[n - 1]);
  }
  if (ok) {
    failedMemory = 0;
    view.ShowMemoryNumber(0);
  }
  return ok;
}

bool TDataLogger::ReadTPs() {
  Log(msg::DlReadingTPs);
  view.ShowTPNumber(0);
  int count = 0;
  bool ok = family.timeStampVersion <= 0 || equipment.ReadVersion(version);
  std::string reply;
  for (int n = 1; ok && n <= kItems; ++n) {
    view.ShowTPNumber(n);
    Step(count);
    TLoggerTP& tp = testPoints[n - 1];
    failedTP = n;
    if (!(ok = Query("*?DST%02X", n, 0, reply))) break;
    tp.selected = ParseTPStatus(reply);
    tp.name = "TP" + std::to_string(n);
    tp.timeStamp.clear();
    if (ReadsTimeStamps()) {
      if (!(ok = Query("*?TP%02X", n, 0, reply))) break;
      if (reply.size() > 3) tp.timeStamp = reply.substr(3, kTimeStampLength);
    }
    tp.number = static_cast<uint8_t>(n);
  }
  if (ok) failedTP = 0;
  view.ShowTPNumber(0);
  return ok;
}

bool TDataLogger::ReadNames() {
  // The replies land in the tables as they come, so the tables the person has are kept aside
  // until both reads are known good.
  const MemoryTable keptMemories = memories;
  const TPTable keptTPs = testPoints;
  const float keptVersion = version;
  failedMemory = failedTP = 0;
  const bool ok = ReadMemories() && ReadTPs();
  if (!ok) {
    memories = keptMemories;
    testPoints = keptTPs;
    version = keptVersion;
  }
  // Names that did not come are no names: the next Receive Data asks for them again.
  namesReceived = ok;
  return ok;
}

int TDataLogger::CountSelectedTPs() {
  wantedTPs.clear();
  for (int i = 0; i < kItems; ++i)
    if (testPoints[i].selected || allTPs) wantedTPs.push_back(i);
  return static_cast<int>(wantedTPs.size());
}

int TDataLogger::CountSelectedMemories() {
  wantedMemories.clear();
  for (int i = 0; i < kItems; ++i)
    if (memories[i].selected || allMemories) wantedMemories.push_back(i);
  return static_cast<int>(wantedMemories.size());
}

bool TDataLogger::IsTPSelected(int number) const {
  return number >= 1 && number <= kItems && (allTPs || testPoints[number - 1].selected);
}

bool TDataLogger::IsMemorySelected(int number) const {
  return number >= 1 && number <= kItems && (allMemories || memories[number - 1].selected);
}

int TDataLogger::NextSelectedTP(int line) const {
  for (int i = line + 1; i < kItems; ++i)
    if (IsTPSelected(i + 1)) return i;
  for (int i = 0; i <= line && i < kItems; ++i)
    if (IsTPSelected(i + 1)) return i;
  return -1;
}

void TDataLogger::UnselectTPs() {
  for (TLoggerTP& tp : testPoints) tp.selected = false;
  wantedTPs.clear();
}

void TDataLogger::UnselectMemories() {
  for (TLoggerMemory& m : memories) m.selected = false;
  wantedMemories.clear();
}

bool TDataLogger::AllocDataTable() {
  pending.reset();
  try {
    auto d = std::make_shared<TLoggerDownload>();
    d->family = &family;
    d->timeColumns = ReadsTimeStamps();
    d->wantedTPs = wantedTPs;
    d->wantedMemories = wantedMemories;
    for (int m : wantedMemories) d->memories.push_back(memories[m]);
    for (int t : wantedTPs) d->timeStamps.push_back(testPoints[t].timeStamp);
    d->cells.assign(wantedMemories.size(), std::vector<std::string>(wantedTPs.size()));
    pending = std::move(d);
  } catch (const std::bad_alloc&) {
    return false;
  }
  return true;
}

TDataLogger::DataResult TDataLogger::ReadData() {
  cancel = false;
  view.SetGauge(0);
  Log(msg::DlReadingData);
  view.ShowMemoryNumber(0);
  view.ShowTPNumber(0);
  bool failed = false;
  int count = 0;
  int tpOrdinal = -1;
  std::string reply;
  failedMemory = failedTP = 0;
  TLoggerDownload& d = *pending;
  for (int t = 1; t <= kItems && !failed && !cancel; ++t) {
    view.ShowTPNumber(t);
    Step(count);
    if (!IsTPSelected(t)) continue;
    ++tpOrdinal;
    int memOrdinal = -1;
    for (int m = 1; m <= kItems; ++m) {
      view.ShowMemoryNumber(m);
      if (!IsMemorySelected(m)) continue;
      ++memOrdinal;
      if (!Query("*?DL%02X%02X", m, t, reply)) {
        failedMemory = m;
        failedTP = t;
        failed = true;
        break;
      }
      // The wanted lists were built by the same rule, so the ordinals stay inside the table.
      if (memOrdinal < d.MemoryCount() && tpOrdinal < d.TPCount())
        d.cells[memOrdinal][tpOrdinal] = ParseDataReply(memories[m - 1], reply, decimalSeparator, family);
    }
    view.PumpMessages();
  }
  DataResult result;
  if (failed) {
    Log(msg::DlFailed);
    result = DataResult::Failed;
  } else if (cancel) {
    Log(msg::DlStopped);
    result = DataResult::Stopped;
  } else {
    cv::Beep();
    Log(msg::DlDone);
    view.SetGauge(100);
    result = DataResult::Done;
    download = pending;
  }
  // A download with cells that never came would save as if whole: only a whole one is kept.
  pending.reset();
  view.ShowMemoryNumber(0);
  view.ShowTPNumber(0);
  return result;
}

}  // namespace cv::logger
