#pragma once
// The CORVANE-4 memory editor's rules over a CORVANE-4 equipment object whose log goes to a host
// form, with the framework tests' scripted chooser and recording view, and the simulator's
// default memories as records.
#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <memory>

#include "../../memories/MemoryTestKit.h"
#include "Corvane4Profile.h"
#include "Cv4Equip.h"
#include "Cv4MemoryCodec.h"
#include "Cv4MemoryData.h"
#include "MemoryData.h"
#include "MemoryChannel.h"
#include "Pll.h"

namespace memtest4 {

using Rig = memtest::FamilyRig<cv::cv4::TCv4Equip, cv::cv4::Cv4MemoryCodec>;

// The picker's one-shot start, fired by hand.
class FakeStart : public cv::mem::PickerStart {
 public:
  void Arm(std::function<void()> f) override {
    fire = std::move(f);
    armed = true;
  }
  void Disarm() override { armed = false; }
  std::function<void()> fire;
  bool armed = false;
};

// A channel the simulated meter stores, at `mhz` on `band`.
inline cvsim::Corvane4Profile::StoredChannel Channel(const std::string& name, char band, double mhz) {
  cvsim::Corvane4Profile::StoredChannel c;
  c.name = name;
  c.word = cv::PllWord(band, mhz);
  c.word2 = band == 'S' ? 0 : c.word + 155;
  c.commands = {"SY06", "LB1", "UN0"};
  return c;
}

// A terrestrial PAL_BG LEVEL memory at 48.25 MHz, tuned by frequency, number 5, with a DiSEqC
// setting; `change` varies it.
inline MemoryRecord TerMemory(const std::function<void(MemoryRecord&)>& change = {}) {
  MemoryRecord r = memtest::TerLevel();
  r.diseqC = '3';
  if (change) change(r);
  return r;
}

// The settings dialog's view without a form: what the rules asked of it.
class DataView : public cv::mem::MemoryDataView {
 public:
  void Render() override {}
  void FocusEdit(cv::mem::DataEdit edit) override { focused = static_cast<int>(edit); }
  void SetHourglass(bool on) override { hourglass = on; }
  bool RunChannelPicker() override { return picker && picker(); }
  int focused = -1;
  bool hourglass = false;
  std::function<bool()> picker;  // none: the picker is cancelled
};

// The CORVANE-4 settings rules over the rig's equipment object.
struct DataRig : Rig {
  explicit DataRig(TSerial* port = nullptr) : Rig(port) {}
  DataView dataView;
  cv::mem::MemoryData data{link, prompter, dataView, cv::cv4::Cv4MemoryData()};
};

// Opening `record` is refused: `lines` logged and the "Invalid memory data" box shown once.
template <class R>
void ExpectRefusedOpen(R& rig, const MemoryRecord& record, const std::vector<std::string>& lines) {
  EXPECT_FALSE(rig.data.OpenRecord(record));
  EXPECT_EQ(rig.Log(), lines);
  ASSERT_EQ(rig.prompter.shown.size(), 1u);
  EXPECT_EQ(rig.prompter.shown[0].text, "Invalid memory data");
  EXPECT_EQ(rig.prompter.shown[0].caption, "CvTools Error");
  EXPECT_EQ(rig.prompter.shown[0].icon, cv::MsgIcon::Warning);
}

// The dependent controls the field groups leave enabled, by name; each label goes with its control.
inline std::string EnabledControls(const cv::mem::MemoryDataForm& f) {
  std::string s;
  auto put = [&](const char* name, bool on, bool label) {
    EXPECT_EQ(on, label) << name;
    if (on) s += std::string(s.empty() ? "" : " ") + name;
  };
  put("sound", f.sound.enabled, f.sound.labelEnabled);
  // The group switches the subcarrier's label; the sound shown decides its edit.
  put("soundSub", f.soundSub.labelEnabled, f.soundSub.labelEnabled);
  put("symRate", f.symRate.enabled, f.symRate.labelEnabled);
  put("codeRate", f.codeRate.enabled, f.codeRate.labelEnabled);
  put("modulation", f.modulation.enabled, f.modulation.labelEnabled);
  put("specInv", f.specInv.enabled, f.specInv.labelEnabled);
  put("carriers", f.carriers.enabled, f.carriers.labelEnabled);
  put("interval", f.interval.enabled, f.interval.labelEnabled);
  put("lnbOsc", f.lnbOsc.enabled, f.lnbOsc.labelEnabled);
  put("units", f.units.enabled, f.units.labelEnabled);
  put("noise", f.noise.enabled, f.noise.labelEnabled);
  return s;
}

// The simulator's 99 default memories, decoded.
inline std::array<MemoryRecord, cv::mem::kMemoryCount> DefaultRecords() {
  std::array<MemoryRecord, cv::mem::kMemoryCount> records{};
  cv::cv4::Cv4MemoryCodec codec("Cv4Tools 1.16");
  for (int n = 1; n <= cv::mem::kMemoryCount; ++n) {
    records[n - 1] = codec.Cleared();
    codec.Decode(cvsim::Corvane4Profile::Cv4Record(n, cvsim::Corvane3Profile::DefaultLoggerMemory(n)), records[n - 1]);
  }
  return records;
}

}  // namespace memtest4
