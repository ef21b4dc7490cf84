#pragma once
// What the memory targets share. The memory settings controller without an instrument or a form,
// for the targets that type into its edits: an offline equipment object with a decimal comma and a
// view that shows nothing. For the memory file targets: a screen that shows nothing and chooses no
// file, and the separators picked from the input's first byte.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "Cv3Equip.h"
#include "Cv3MemoryEquipment.h"
#include "FuzzSupport.h"
#include "MemoryData.h"
#include "MemoryEditor.h"

namespace cvfuzz {

class OfflineMemoryEquipment : public cv::mem::MemoryEquipment {
 public:
  bool HasPort() const override { return false; }
  bool CheckVersion() override { return false; }
  bool Query(const std::string&, std::string&) override { return false; }
  bool SendCommand(const std::string&) override { return false; }
  std::vector<std::string> SplitFields(const std::string&) override { return {}; }
  void Log(const std::string&) override {}
  char DecimalSeparator() const override { return ','; }
  char ListSeparator() const override { return ';'; }
};

class NoDataView : public cv::mem::MemoryDataView {
 public:
  void Render() override {}
  void FocusEdit(cv::mem::DataEdit) override {}
  void SetHourglass(bool) override {}
  bool RunChannelPicker() override { return false; }
};

class Screenless : public cv::plan::FileChooser, public cv::mem::MemoryView {
 public:
  std::string OpenFile(const std::string&, const std::string&) override { return {}; }
  std::string SaveFile(const std::string&, const std::string&, const std::string&) override { return {}; }
  void SetGauge(int) override {}
  void ShowList() override {}
  void ShowButtons() override {}
};

// The two locales the program meets: a file opening with '#' reads with ';' and ',', one opening
// with a CR line with ',' and '.'.
inline void PickSeparators(TCv3Equip& equip, const uint8_t* data, size_t size) {
  const bool comma = size > 0 && (data[0] & 2);
  equip.decimalSeparator = comma ? ',' : '.';
  equip.listSeparator = comma ? ';' : ',';
}

// One user action of the memory settings dialog: `what` picks the control (a lower-case letter an
// edit, typed `text`; an upper-case one a list, `text` the entry's index), as the settings
// targets' inputs spell it.
inline void MemoryDataAct(cv::mem::MemoryData& m, char what, const std::string& text) {
  const long typed = std::strtol(text.c_str(), nullptr, 10);
  const int index = static_cast<int>(typed < -1000 ? -1000 : typed > 1000 ? 1000 : typed);
  switch (what) {
    case 'n': m.EvNameChange(text); break;
    case 'f': m.EvFreqChange(text); break;
    case 's': m.EvFreqSoChange(text); break;
    case 'w': m.EvChBWChange(text); break;
    case 'o': m.EvLNBOscChange(text); break;
    case 'r': m.EvSymRateChange(text); break;
    case 'c': m.NoiseChange(text); break;
    case 'L': m.EvLevelChange(index); break;
    case 'B': m.EvBandChange(index); break;
    case 'S': m.EvSoundChange(index); break;
    case 'T': m.EvStandChange(index); break;
    case 'U': m.EvUnitsChange(index); break;
    case 'P': m.EvLNBSupChange(index); break;
    case 'R': m.EvCodeRateChange(index); break;
    case 'M': m.EvModulationChange(index); break;
    case 'I': m.EvSpInvChange(index); break;
    case 'C': m.EvCarriersChange(index); break;
    case 'G': m.EvIntervalChange(index); break;
    case 'q': m.FreqRadioButtonClick(); break;
    case 'h': m.ChannelRadioButtonClick(); break;
    default: break;
  }
}

// The settings dialog of `family` over `record` as the meter sent it, each further line of
// `lines` one user action: after each, `check` sees the work record and the ranges every family
// keeps a typed field in are checked. False when the memory did not open; otherwise `back` is
// the record stored back, with units.
template <class Check>
bool RunMemorySettings(const std::vector<std::string>& lines, const MemoryRecord& record,
                       const cv::mem::MemoryDataFamily& family, Check check, MemoryRecord& back) {
  OfflineMemoryEquipment equip;
  NoDataView view;
  QuietPrompter prompter;
  cv::mem::MemoryData m(equip, prompter, view, family);
  if (!m.OpenRecord(record)) return false;
  const float symRate = static_cast<float>(record.symRate);
  for (size_t i = 1; i < lines.size() && i < 64; ++i) {
    if (lines[i].empty()) continue;
    MemoryDataAct(m, lines[i][0], lines[i].substr(1));
    const MemoryRecord& w = m.w.r;
    FUZZ_CHECK(w.label[4] == 0);
    FUZZ_CHECK(w.bw >= 0.1f && w.bw <= 81.91f);
    FUZZ_CHECK(w.lnbOsc >= 0 && w.lnbOsc <= 52428.7f);
    FUZZ_CHECK(w.soundFreq == 0 || w.soundFreq == record.soundFreq || (w.soundFreq >= 4.0f && w.soundFreq <= 9.0f));
    FUZZ_CHECK(!(w.meas == '4' || w.meas == '5') || (w.symRate >= 1000 && w.symRate <= 45000) ||
               static_cast<float>(w.symRate) == symRate);
    FUZZ_CHECK(m.layoutMode >= 0 && m.layoutMode <= 4);
    check(w);
  }
  back = record;
  m.StoreRecord(back);
  FUZZ_CHECK(back.units != 0);
  return true;
}

// What the DV-800's kin promise of a reply their decoder took whole: every word the line carries
// read, the plan fields two hex digits, the memory the number names (1 when it is out of range),
// and the text encoded again sent only at its exact length.
inline void CheckDecodedReply(const std::string& reply, MemoryRecord& record, const cv::mem::DecodedMemory& d,
                              const cv::mem::MemoryCodec& codec) {
  FUZZ_CHECK(reply.size() >= 38);
  FUZZ_CHECK(!std::isnan(record.freq) && !std::isnan(record.bw) && !std::isnan(record.lnbOsc) &&
             !std::isnan(record.cnRefFreq) && !std::isnan(record.soundFreq));
  FUZZ_CHECK(record.nPlan >= 0 && record.nPlan <= 255 && record.codePlan >= 0 && record.codePlan <= 255);
  const bool numberOk = d.index >= 0 && d.index < 99;
  FUZZ_CHECK(record.number == (numberOk ? d.index + 1 : 1));
  FUZZ_CHECK(!codec.ErrorLines(d.errors, record, d.index).empty());
  const std::string text = codec.Encode(record);
  const size_t length = record.meas == '6' ? 38u : 42u;
  // A memory that passed every check goes back out at its exact length (a NUL in the label ends
  // the text, which the length check then stops).
  if (d.errors.none() && strnlen(record.label, 4) == 4) FUZZ_CHECK(text.size() == length);
  FUZZ_CHECK(codec.Sendable(text, record) == (text.size() == length));
}

// What a memory file read by `editor` promises: at most 99 list lines (all 99 when the read
// succeeded), each memory in its own slot with a row of full length, and a whole file saving
// again unless a number does not fit its column. `taken` checks each memory the read took.
template <class Taken>
void CheckReadMemories(cv::mem::MemoryEditor& editor, const cv::mem::MemoryCodec& codec, bool ok, Taken taken) {
  FUZZ_CHECK(editor.listLines.size() <= 99 && (!ok || editor.listLines.size() == 99));
  bool writable = true;
  for (int i = 0; i < 99; ++i) {
    const MemoryRecord& r = editor.records[i];
    // A file that fails leaves the memories as they were: those of a new editor.
    FUZZ_CHECK(ok || r == MemoryRecord{});
    FUZZ_CHECK(r.number == 0 || r.number == i + 1);
    if (r.number == 0) continue;
    if (ok) taken(r);
    writable = writable && codec.Unwritable(r).empty();
    if (!codec.Unwritable(r).empty()) continue;
    editor.current = r;
    FUZZ_CHECK(editor.FormatFileRow().size() == cv::mem::kFileRowLength);
  }
  if (ok) FUZZ_CHECK(editor.WriteMemoryFile(WriteScratch("saved.csv", "")) == writable);
}

// A meter that answers "*?VE", is never logging, and takes every command, which it keeps: the
// memory editor's sends run to their end and show what went out.
class TakingMemoryEquipment : public cv::mem::Cv3MemoryEquipment {
 public:
  using Cv3MemoryEquipment::Cv3MemoryEquipment;
  bool HasPort() const override { return true; }
  bool CheckVersion() override { return true; }
  bool ReadVersion(float& version) override {
    version = 9.99f;
    return true;
  }
  bool Query(const std::string&, std::string&) override { return false; }
  bool SendCommand(const std::string& command) override {
    sent.push_back(command);
    return true;
  }
  void Log(const std::string&) override {}
  std::vector<std::string> sent;
};

// The compatibility verdict of Send All and of Send One of each memory, through the editor's own
// buttons over the memories `editor` holds: whatever went out satisfies `allowed` (the meter's
// reply read apart from the check), for all 99 when Send All sent anything.
template <class Allowed>
void CheckSentMemoriesAllowed(cv::mem::MemoryEditor& editor, TakingMemoryEquipment& equip, Allowed allowed) {
  editor.loaded = true;
  editor.FillMemoryList();
  const auto records = editor.records;
  equip.sent.clear();
  editor.SendBtnClick();
  if (!equip.sent.empty())
    for (const MemoryRecord& r : records) FUZZ_CHECK(allowed(r));
  for (int i = 0; i < 99; ++i) {
    equip.sent.clear();
    editor.records = records;
    editor.SelectLine(i);
    editor.SendOneBtnClick();
    if (!equip.sent.empty()) FUZZ_CHECK(allowed(records[i]));
  }
}

}  // namespace cvfuzz
