// The memory settings rules without a form: the cross-field rules of every change as one table,
// typed values, the copy-in checks and their log lines, the channel lookup, and the picker's
// reads over a scripted instrument.
#include <gtest/gtest.h>

#include <functional>
#include <map>

#include "Format.h"
#include "MemoryChannel.h"
#include "MemoryData.h"
#include "MemoryTestKit.h"
#include "Pll.h"

using cv::mem::ChannelPicker;
using cv::mem::MemoryData;

namespace {

// An instrument whose plans a test writes down; offline unless `port` is set.
class FakeEquipment : public cv::mem::MemoryEquipment {
 public:
  bool HasPort() const override { return port; }
  bool CheckVersion() override {
    ++versionChecks;
    return answers;
  }
  bool Query(const std::string&, std::string&) override { return false; }
  bool SendCommand(const std::string&) override { return false; }
  std::vector<std::string> SplitFields(const std::string&) override { return {}; }
  void Log(const std::string& line) override { log.push_back(line); }
  char DecimalSeparator() const override { return decimal; }
  char ListSeparator() const override { return ';'; }
  bool ReadPlanInfo(int plan, PlanInfo& info) override {
    ++planReads;
    auto it = plans.find(plan);
    if (!answers || it == plans.end()) return false;
    info = it->second.info;
    return true;
  }
  bool ReadChannelInfo(int channel, int plan, TChan3& chan, char) override {
    ++channelReads;
    auto it = plans.find(plan);
    if (!answers || it == plans.end() || channel < 0 || channel >= static_cast<int>(it->second.channels.size()) ||
        channel == failChannel)
      return false;
    chan = it->second.channels[channel];
    return true;
  }

  struct Plan {
    PlanInfo info;
    std::vector<TChan3> channels;
  };
  // A plan of `band` whose channels are given by word; `lnb` in MHz.
  void AddPlan(int n, const char* name, char band, std::vector<uint32_t> words, float lnb = 0, int code = 7) {
    Plan p;
    CopyField(p.info.name, name);
    p.info.band = band;
    p.info.channelCount = static_cast<int>(words.size());
    p.info.lnbMHz = lnb;
    p.info.code = code;
    CopyField(p.info.codeText, cv::Format("%02X", code));
    int i = 0;
    for (uint32_t w : words) p.channels.push_back(TChan3::FromWord(cv::Format("C%02d", i++), w, 8, band));
    plans[n] = p;
  }

  bool port = false, answers = true;
  char decimal = '.';
  int failChannel = -1;
  int versionChecks = 0, planReads = 0, channelReads = 0;
  std::map<int, Plan> plans;
  std::vector<std::string> log;
};

class FakeView : public cv::mem::MemoryDataView {
 public:
  void Render() override {}
  void FocusEdit(cv::mem::DataEdit edit) override { focused = static_cast<int>(edit); }
  void SetHourglass(bool on) override {
    if (on) ++refreshes;
    hourglass = on;
  }
  bool RunChannelPicker() override { return pick ? pick() : false; }
  int focused = -1, refreshes = 0;
  bool hourglass = false;
  std::function<bool()> pick;
};

using memtest::TerLevel;

MemoryRecord With(MemoryRecord r, const std::function<void(MemoryRecord&)>& change) {
  change(r);
  return r;
}

MemoryRecord SatLevel() {
  return With(TerLevel(), [](MemoryRecord& r) {
    r.band = 'S';
    r.freq = 1500;
    r.std = '7';
    r.sound = 'E';
    r.lnbOsc = 9750;
  });
}

struct Rig {
  FakeEquipment equip;
  FakeView view;
  cv::RecordingPrompter prompter;
  MemoryData data{equip, prompter, view};
};

std::string C(char c) { return c ? std::string(1, c) : std::string("-"); }

// The fields the rules touch, and what the action left: layout mode, refreshes, beeps, focus.
std::string Summary(Rig& rig, int refreshes) {
  const MemoryRecord& r = rig.data.w.r;
  return cv::Format("%s %g %s %s%s s%s u%s m%s cr%s si%s mo%s ca%s gi%s sr%d lnb%g sf%g '%s' L%d r%d b%d f%d", C(r.band),
                    r.freq, rig.data.w.wordText, C(r.color), C(r.std), C(r.sound), C(r.units), C(r.meas),
                    C(r.codeRate), C(r.specInv), C(r.modulation), C(r.carriers), C(r.guardInt), r.symRate,
                    r.lnbOsc, r.soundFreq, std::string(r.label), rig.data.layoutMode, rig.view.refreshes - refreshes,
                    rig.prompter.beeps, rig.view.focused);
}

struct RuleCase {
  const char* name;
  MemoryRecord start;
  std::function<void(MemoryData&)> act;
  const char* expected;
  const char* editText = nullptr;  // what the edit acted on shows afterwards
  cv::mem::EditState cv::mem::MemoryDataForm::*edit = nullptr;
};

TEST(MemoryDataRules, OneRowPerCase) {
  using F = cv::mem::MemoryDataForm;
  const MemoryRecord qpsk = With(SatLevel(), [](MemoryRecord& r) {
    r.meas = '4';
    r.color = '3';
    r.std = '6';
    r.sound = 0;
    r.units = 0;
    r.codeRate = '2';
    r.specInv = '1';
    r.symRate = 27500;
  });
  const MemoryRecord qam = With(TerLevel(), [](MemoryRecord& r) {
    r.meas = '5';
    r.color = '3';
    r.std = '6';
    r.sound = '3';
    r.modulation = '2';
    r.specInv = '0';
    r.symRate = 6875;
  });
  const MemoryRecord narrow = With(TerLevel(), [](MemoryRecord& r) {
    r.sound = '4';
    r.soundFreq = 5.5f;
  });
  const RuleCase cases[] = {
      {"BER QPSK on a terrestrial Level memory", TerLevel(), [](MemoryData& m) { m.EvLevelChange(4); },
       "S 1500 3DDC 36 s3 u- m4 cr0 si0 mo- ca- gi- sr27500 lnb9750 sf0 'M005' L3 r1 b0 f-1"},
      {"BER QPSK keeps an oscillator it has", With(TerLevel(), [](MemoryRecord& r) { r.lnbOsc = 10600; }),
       [](MemoryData& m) { m.EvLevelChange(4); },
       "S 1500 3DDC 36 s3 u- m4 cr0 si0 mo- ca- gi- sr27500 lnb10600 sf0 'M005' L3 r1 b0 f-1"},
      {"BER COFDM on a satellite memory", SatLevel(), [](MemoryData& m) { m.EvLevelChange(6); },
       "T 450 2632 36 s3 u- m6 cr- si- mo- ca4 gi0 sr0 lnb0 sf0 'M005' L1 r1 b0 f-1"},
      {"BER QAM on a satellite memory", SatLevel(), [](MemoryData& m) { m.EvLevelChange(5); },
       "T 450 2632 36 s3 u- m5 cr- si0 mo0 ca- gi- sr6875 lnb0 sf0 'M005' L1 r1 b0 f-1"},
      {"Power", TerLevel(), [](MemoryData& m) { m.EvLevelChange(2); },
       "T 48.25 06cf 36 s3 u0 m2 cr- si- mo- ca- gi- sr0 lnb0 sf0 'M005' L4 r1 b0 f-1"},
      {"V/A on a satellite memory", SatLevel(), [](MemoryData& m) { m.EvLevelChange(1); },
       "T 450 2632 00 s6 u0 m1 cr- si- mo- ca- gi- sr0 lnb9750 sf0 'M005' L0 r1 b0 f-1"},
      {"Level on a DIGITAL satellite memory", qpsk, [](MemoryData& m) { m.EvLevelChange(0); },
       "S 1500 3ddc 07 sE u0 m0 cr2 si1 mo- ca- gi- sr27500 lnb9750 sf0 'M005' L2 r1 b0 f-1"},
      {"the same measure type again", TerLevel(), [](MemoryData& m) { m.EvLevelChange(0); },
       "T 48.25 06cf 00 s6 u0 m0 cr- si- mo- ca- gi- sr0 lnb0 sf0 'M005' L0 r0 b0 f-1"},
      {"the same band again", TerLevel(), [](MemoryData& m) { m.EvBandChange(0); },
       "T 48.25 06cf 00 s6 u0 m0 cr- si- mo- ca- gi- sr0 lnb0 sf0 'M005' L0 r0 b0 f-1"},
      {"the same sound again", TerLevel(), [](MemoryData& m) { m.EvSoundChange(6); },
       "T 48.25 06cf 00 s6 u0 m0 cr- si- mo- ca- gi- sr0 lnb0 sf0 'M005' L0 r0 b0 f-1"},
      {"the same standard again", TerLevel(), [](MemoryData& m) { m.EvStandChange(0); },
       "T 48.25 06cf 00 s6 u0 m0 cr- si- mo- ca- gi- sr0 lnb0 sf0 'M005' L0 r0 b0 f-1"},
      {"band to satellite", TerLevel(), [](MemoryData& m) { m.EvBandChange(1); },
       "S 1500 3DDC 07 sE u0 m0 cr- si- mo- ca- gi- sr0 lnb9750 sf0 'M005' L2 r1 b0 f-1"},
      {"band to satellite sets 9750 whatever the oscillator was",
       With(TerLevel(), [](MemoryRecord& r) { r.lnbOsc = 10600; }), [](MemoryData& m) { m.EvBandChange(1); },
       "S 1500 3DDC 07 sE u0 m0 cr- si- mo- ca- gi- sr0 lnb9750 sf0 'M005' L2 r1 b0 f-1"},
      {"band to terrestrial turns BER QPSK into Level", qpsk, [](MemoryData& m) { m.EvBandChange(0); },
       "T 450 2632 36 s- u0 m0 cr2 si1 mo- ca- gi- sr27500 lnb9750 sf0 'M005' L0 r1 b0 f-1"},
      {"900 typed with sound 5.50", TerLevel(), [](MemoryData& m) { m.EvFreqChange("900"); },
       "S 900 2B1C 07 sE u0 m0 cr- si- mo- ca- gi- sr0 lnb9750 sf0 'M005' L2 r1 b0 f-1", "900.00", &F::freq},
      {"900 typed with T.Narrow", narrow, [](MemoryData& m) { m.EvFreqChange("900"); },
       "S 900 2B1C 00 s4 u0 m0 cr- si- mo- ca- gi- sr0 lnb9750 sf5.5 'M005' L2 r1 b0 f-1"},
      {"474,5 typed with a decimal comma", TerLevel(), [](MemoryData& m) { m.EvFreqChange("474,5"); },
       "T 474.5 281C 00 s6 u0 m0 cr- si- mo- ca- gi- sr0 lnb0 sf0 'M005' L0 r1 b0 f-1", "474.50", &F::freq},
      {"3 typed", TerLevel(), [](MemoryData& m) { m.EvFreqChange("3"); },
       "T 48.25 06cf 00 s6 u0 m0 cr- si- mo- ca- gi- sr0 lnb0 sf0 'M005' L0 r0 b1 f-1", "48.25", &F::freq},
      {"2151 typed", TerLevel(), [](MemoryData& m) { m.EvFreqChange("2151"); },
       "T 48.25 06cf 00 s6 u0 m0 cr- si- mo- ca- gi- sr0 lnb0 sf0 'M005' L0 r0 b1 f-1", "48.25", &F::freq},
      {"862.05 typed", TerLevel(), [](MemoryData& m) { m.EvFreqChange("862.05"); },
       "T 48.25 06cf 00 s6 u0 m0 cr- si- mo- ca- gi- sr0 lnb0 sf0 'M005' L0 r0 b1 f-1", "48.25", &F::freq},
      {"862 and 862.1 are the two ends", TerLevel(),
       [](MemoryData& m) {
         m.EvFreqChange("862.1");
         m.EvFreqChange("862");
       },
       "T 862 4662 00 s6 u0 m0 cr- si- mo- ca- gi- sr0 lnb9750 sf0 'M005' L0 r2 b0 f-1"},
      {"999 typed in the symbol rate", qam, [](MemoryData& m) { m.EvSymRateChange("999"); },
       "T 48.25 06cf 36 s3 u- m5 cr- si0 mo2 ca- gi- sr6875 lnb0 sf0 'M005' L1 r0 b1 f5", "", &F::symRate},
      {"45001 typed in the symbol rate", qam, [](MemoryData& m) { m.EvSymRateChange("45001"); },
       "T 48.25 06cf 36 s3 u- m5 cr- si0 mo2 ca- gi- sr6875 lnb0 sf0 'M005' L1 r0 b1 f5", "", &F::symRate},
      {"27500,5 typed in the symbol rate", qam, [](MemoryData& m) { m.EvSymRateChange("27500,5"); },
       "T 48.25 06cf 36 s3 u- m5 cr- si0 mo2 ca- gi- sr27500 lnb0 sf0 'M005' L1 r1 b0 f-1", "27500", &F::symRate},
      {"45000 and 1000 are the two ends", qam,
       [](MemoryData& m) {
         m.EvSymRateChange("45000");
         m.EvSymRateChange("1000");
       },
       "T 48.25 06cf 36 s3 u- m5 cr- si0 mo2 ca- gi- sr1000 lnb0 sf0 'M005' L1 r2 b0 f-1"},
      {"10600,5 typed in the oscillator", SatLevel(), [](MemoryData& m) { m.EvLNBOscChange("10600,5"); },
       "S 1500 3ddc 07 sE u0 m0 cr- si- mo- ca- gi- sr0 lnb10600 sf0 'M005' L2 r1 b0 f-1", "10600.0", &F::lnbOsc},
      {"a subcarrier of 9.5", narrow, [](MemoryData& m) { m.EvFreqSoChange("9,5"); },
       "T 48.25 06cf 00 s4 u0 m0 cr- si- mo- ca- gi- sr0 lnb0 sf5.5 'M005' L0 r0 b1 f2", "", &F::soundSub},
      {"a subcarrier of 6,5", narrow, [](MemoryData& m) { m.EvFreqSoChange("6,5"); },
       "T 48.25 06cf 00 s4 u0 m0 cr- si- mo- ca- gi- sr0 lnb0 sf6.5 'M005' L0 r1 b0 f-1", "6.50", &F::soundSub},
      {"a bandwidth of 0.09", TerLevel(), [](MemoryData& m) { m.EvChBWChange("0.09"); },
       "T 48.25 06cf 00 s6 u0 m0 cr- si- mo- ca- gi- sr0 lnb0 sf0 'M005' L0 r0 b1 f3", "", &F::bw},
      {"a text that is no number", TerLevel(), [](MemoryData& m) { m.EvChBWChange("abc"); },
       "T 48.25 06cf 00 s6 u0 m0 cr- si- mo- ca- gi- sr0 lnb0 sf0 'M005' L0 r0 b1 f3", "", &F::bw},
      {"an empty text", TerLevel(), [](MemoryData& m) { m.EvFreqChange(""); },
       "T 48.25 06cf 00 s6 u0 m0 cr- si- mo- ca- gi- sr0 lnb0 sf0 'M005' L0 r0 b0 f-1"},
      {"a two-letter name", TerLevel(), [](MemoryData& m) { m.EvNameChange("AB"); },
       "T 48.25 06cf 00 s6 u0 m0 cr- si- mo- ca- gi- sr0 lnb0 sf0 '  AB' L0 r1 b0 f-1", "  AB", &F::name},
      {"a six-letter name", TerLevel(), [](MemoryData& m) { m.EvNameChange("ABCDEF"); },
       "T 48.25 06cf 00 s6 u0 m0 cr- si- mo- ca- gi- sr0 lnb0 sf0 'ABCD' L0 r1 b0 f-1", "ABCD", &F::name},
      {"PAL I with 5.50", TerLevel(), [](MemoryData& m) { m.EvStandChange(2); },
       "T 48.25 06cf 02 s8 u0 m0 cr- si- mo- ca- gi- sr0 lnb0 sf0 'M005' L0 r1 b0 f-1"},
      {"PAL I with NICAM", With(TerLevel(), [](MemoryRecord& r) { r.sound = 'D'; }),
       [](MemoryData& m) { m.EvStandChange(2); },
       "T 48.25 06cf 02 sD u0 m0 cr- si- mo- ca- gi- sr0 lnb0 sf0 'M005' L0 r1 b0 f-1"},
      {"DIGITAL on a Level memory", TerLevel(), [](MemoryData& m) { m.EvStandChange(12); },
       "T 48.25 06cf 36 s3 u0 m2 cr- si- mo- ca- gi- sr0 lnb0 sf0 'M005' L4 r1 b0 f-1"},
      {"DIGITAL on a BER QAM memory", With(qam, [](MemoryRecord& r) { r.color = '0'; r.std = '0'; }),
       [](MemoryData& m) { m.EvStandChange(12); },
       "T 48.25 06cf 36 s3 u- m5 cr- si0 mo2 ca- gi- sr6875 lnb0 sf0 'M005' L1 r1 b0 f-1"},
      {"SECAM L turns T.Narrow into 6.50 AM", narrow, [](MemoryData& m) { m.EvStandChange(6); },
       "T 48.25 06cf 13 sA u0 m0 cr- si- mo- ca- gi- sr0 lnb0 sf5.5 'M005' L0 r1 b0 f-1"},
      {"PAL SAT moves a V/A memory to satellite as Level",
       With(TerLevel(), [](MemoryRecord& r) { r.meas = '1'; }), [](MemoryData& m) { m.EvStandChange(9); },
       "S 1500 3DDC 07 sE u0 m0 cr- si- mo- ca- gi- sr0 lnb0 sf0 'M005' L2 r1 b0 f-1"},
      {"PAL M with 5.50", TerLevel(), [](MemoryData& m) { m.EvStandChange(3); },
       "T 48.25 06cf 04 s5 u0 m0 cr- si- mo- ca- gi- sr0 lnb0 sf0 'M005' L0 r1 b0 f-1"},
      {"sound 7.02 moves a terrestrial memory to satellite", TerLevel(), [](MemoryData& m) { m.EvSoundChange(14); },
       "S 1500 3DDC 07 sE u0 m0 cr- si- mo- ca- gi- sr0 lnb0 sf0 'M005' L2 r1 b0 f-1"},
      {"sound AM on a satellite memory", SatLevel(), [](MemoryData& m) { m.EvSoundChange(0); },
       "T 450 2632 00 s0 u0 m0 cr- si- mo- ca- gi- sr0 lnb9750 sf0 'M005' L0 r1 b0 f-1"},
      {"sound T.Broad", TerLevel(), [](MemoryData& m) { m.EvSoundChange(15); },
       "T 48.25 06cf 00 sF u0 m0 cr- si- mo- ca- gi- sr0 lnb0 sf5.5 'M005' L0 r1 b0 f-1", "5.50", &F::soundSub},
      {"sound 4.50 on PAL N keeps N", With(TerLevel(), [](MemoryRecord& r) { r.std = '5'; }),
       [](MemoryData& m) { m.EvSoundChange(5); },
       "T 48.25 06cf 05 s5 u0 m0 cr- si- mo- ca- gi- sr0 lnb0 sf0 'M005' L0 r1 b0 f-1"},
      {"sound 6.50 FM on a satellite V/A memory", With(SatLevel(), [](MemoryRecord& r) { r.meas = '1'; }),
       [](MemoryData& m) { m.EvSoundChange(9); },
       "S 1500 3ddc 07 s9 u0 m0 cr- si- mo- ca- gi- sr0 lnb9750 sf0 'M005' L2 r1 b0 f-1"},
  };
  for (const RuleCase& c : cases) {
    SCOPED_TRACE(c.name);
    Rig rig;
    ASSERT_TRUE(rig.data.OpenRecord(c.start));
    const int before = rig.view.refreshes;
    c.act(rig.data);
    EXPECT_EQ(Summary(rig, before), c.expected);
    if (c.edit) {
      EXPECT_EQ((rig.data.form.*c.edit).text, c.editText);
    }
    EXPECT_FALSE(rig.view.hourglass);
  }
}

TEST(MemoryDataRules, LeavingAnEditUntouchedChangesNothing) {
  // A frequency the edit shows rounded (48.255 as "48.26") must not be rounded by a pass of the focus.
  Rig rig;
  ASSERT_TRUE(rig.data.OpenRecord(With(TerLevel(), [](MemoryRecord& r) { r.freq = 48.255f; })));
  rig.data.EvFreqChange(rig.data.form.freq.text);
  rig.data.EvLNBOscChange(rig.data.form.lnbOsc.text);
  EXPECT_EQ(rig.data.w.r.freq, 48.255f);
  MemoryRecord back;
  rig.data.StoreRecord(back);
  EXPECT_EQ(back, With(TerLevel(), [](MemoryRecord& r) { r.freq = 48.255f; }));
}

TEST(MemoryDataRules, ShowOperationsFollowTheRecord) {
  Rig rig;
  rig.equip.decimal = ',';
  MemoryRecord r = With(SatLevel(), [](MemoryRecord& r) {
    r.meas = '7';
    r.cnRefFreq = 1200;
    r.lnbOsc = 10600;
    r.std = '3';  // PAL with a standard it has no entry for: PAL_SAT
  });
  ASSERT_TRUE(rig.data.OpenRecord(r));
  const auto& f = rig.data.form;
  EXPECT_EQ(f.caption, "Measurement Configuration - Memory 5");
  EXPECT_EQ(f.freq.text, "1500,00");
  EXPECT_EQ(f.lnbOsc.text, "10600,0");
  EXPECT_EQ(f.noise.text, "1200,00");
  EXPECT_EQ(f.bw.text, "8,00");
  EXPECT_EQ(f.standard.index, 9);
  EXPECT_EQ(f.sound.index, 14);
  EXPECT_EQ(f.level.index, 7);
  EXPECT_EQ(f.band.index, 1);
  EXPECT_EQ(f.specInv.items, (std::vector<std::string>{"AUTO", "OFF", "ON"}));
  EXPECT_EQ(f.specInv.index, -1);
  EXPECT_TRUE(f.noise.enabled);
  EXPECT_FALSE(f.soundSub.enabled);  // sound 7.02 takes no manual subcarrier
  // An NTSC pair outside the table selects no standard; an unknown sound empties the sound text.
  Rig other;
  ASSERT_TRUE(other.data.OpenRecord(With(TerLevel(), [](MemoryRecord& r) {
    r.color = '2';
    r.std = '0';
    r.sound = 'G';
  })));
  EXPECT_EQ(other.data.form.standard.index, -1);
  EXPECT_EQ(other.data.form.sound.index, -1);
  EXPECT_EQ(other.data.form.sound.items.size(), 16u);
  EXPECT_FALSE(other.data.form.soundSub.enabled);
}

TEST(MemoryDataLoad, ErrorLinesOfTheCopyIn) {
  struct Case {
    const char* name;
    std::function<void(MemoryRecord&)> change;
    std::vector<std::string> lines;
  };
  const Case cases[] = {
      {"plan 32 on a satellite memory", [](MemoryRecord& r) { r = SatLevel(); r.nPlan = 32; },
       {"Error(s) in memory number 5:", "Number of plan:32 (32)"}},
      {"plan -1", [](MemoryRecord& r) { r.nPlan = -1; }, {"Error(s) in memory number 5:", "Number of plan:-1 (32)"}},
      {"number 100",
       [](MemoryRecord& r) { r.number = 100; },
       {"Error(s) in memory number 100:", "Number of memory: 100 (0-99)"}},
      {"terrestrial 862.05", [](MemoryRecord& r) { r.freq = 862.05f; },
       {"Error(s) in memory number 5:", "Frequency: 862.049987792969 (5-862)"}},
      {"satellite 862", [](MemoryRecord& r) { r = SatLevel(); r.freq = 862; },
       {"Error(s) in memory number 5:", "Frequency: 862 (862.1-2150)"}},
      {"every other kind in order",
       [](MemoryRecord& r) {
         r.meas = '7';
         r.sound = '4';
         r.soundFreq = 3.5f;
         r.bw = 82;
         r.lnbOsc = -1;
         r.cnRefFreq = 4;
       },
       {"Error(s) in memory number 5:", "Subcarrier sound frequency: 3.5 (4.0-9.0)",
        " Channel bandwidth: 82 (0.1-81.91)", "LNB frequency: -1 (0-52428.7)", "C/N reference frequency: 4 (5-2150)"}},
      {"symbol rate 999 on BER QAM",
       [](MemoryRecord& r) {
         r.meas = '5';
         r.symRate = 999;
       },
       {"Error(s) in memory number 5:", " Symbol Rate (bps): 999 (1000-45000)"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Rig rig;
    MemoryRecord r = TerLevel();
    c.change(r);
    EXPECT_FALSE(rig.data.LoadRecord(r));
    EXPECT_EQ(rig.equip.log, c.lines);
    // Opening refuses it with one box and shows nothing.
    rig.equip.log.clear();
    EXPECT_FALSE(rig.data.OpenRecord(r));
    ASSERT_EQ(rig.prompter.shown.size(), 1u);
    EXPECT_EQ(rig.prompter.shown[0].text, "Invalid memory data");
    EXPECT_EQ(rig.prompter.shown[0].caption, "CvTools Error");
    EXPECT_EQ(rig.prompter.shown[0].icon, cv::MsgIcon::Warning);
    EXPECT_EQ(rig.data.layoutMode, -1);
    EXPECT_EQ(rig.view.refreshes, 0);
  }
  // The bounds themselves pass, and the texts follow the values.
  Rig rig;
  MemoryRecord r = With(SatLevel(), [](MemoryRecord& r) {
    r.freq = 862.1f;
    r.nPlan = 31;
    r.codePlan = 200;
    r.bw = 81.91f;
    r.lnbOsc = 52428.7f;
    r.meas = '4';
    r.symRate = 45000;
  });
  EXPECT_TRUE(rig.data.LoadRecord(r));
  EXPECT_TRUE(rig.equip.log.empty());
  EXPECT_EQ(rig.data.w.wordText, "29ed");
  EXPECT_EQ(rig.data.w.planText, "31");
  EXPECT_EQ(rig.data.w.codeText, "200");
  EXPECT_EQ(rig.data.w.symRateText, "afc8");
  EXPECT_EQ(rig.data.w.bwText, "1fff");
  EXPECT_EQ(rig.data.w.lnbText, "7ffff");
  EXPECT_EQ(rig.data.w.r.units, 0);
  MemoryRecord back;
  rig.data.StoreRecord(back);
  EXPECT_EQ(back.units, '0');  // a BER memory's units go back as the record gives them
}

// ShowTuning over a scripted instrument; the simulator tests cover the same over the line.
TEST(MemoryDataTuning, ChannelLookupAndFallbacks) {
  const MemoryRecord byChannel = With(TerLevel(), [](MemoryRecord& r) {
    r.chFr = '0';
    r.nPlan = 2;
    r.freq = 471.25f;  // word 27db
  });
  {  // Offline: channel mode, nothing read.
    Rig rig;
    ASSERT_TRUE(rig.data.OpenRecord(byChannel));
    EXPECT_EQ(rig.equip.planReads + rig.equip.versionChecks, 0);
    EXPECT_TRUE(rig.data.form.channelRadio);
    EXPECT_TRUE(rig.data.form.channel.enabled);
    EXPECT_FALSE(rig.data.form.freq.enabled);
    EXPECT_EQ(rig.data.w.r.chFr, '0');
  }
  {  // Found by a word text in another case: the channel's name.
    Rig rig;
    rig.equip.port = true;
    rig.equip.AddPlan(2, "UHF", 'T', {0x1111, cv::PllWord('T', 471.25), 0x2222});
    CopyField(rig.equip.plans[2].channels[1].wordText, "27db");  // the record's text is lower case too
    ASSERT_TRUE(rig.data.OpenRecord(byChannel));
    EXPECT_EQ(rig.data.form.channel.text, "C01");
    EXPECT_EQ(rig.data.w.r.chFr, '0');
    EXPECT_EQ(rig.equip.channelReads, 2);
  }
  {  // Deleted from its plan: frequency mode with the stored frequency.
    Rig rig;
    rig.equip.port = true;
    rig.equip.AddPlan(2, "UHF", 'T', {0x1111, 0x2222});
    ASSERT_TRUE(rig.data.OpenRecord(byChannel));
    EXPECT_EQ(rig.data.w.r.chFr, '1');
    EXPECT_TRUE(rig.data.form.freqRadio);
    EXPECT_EQ(rig.data.form.freq.text, "471.25");
    EXPECT_TRUE(rig.equip.log.empty());
  }
  {  // No answer to "*?VE": the log line and frequency mode.
    Rig rig;
    rig.equip.port = true;
    rig.equip.answers = false;
    ASSERT_TRUE(rig.data.OpenRecord(byChannel));
    EXPECT_EQ(rig.equip.log, std::vector<std::string>{"Receiving Channels Error: Equipment not detected"});
    EXPECT_EQ(rig.data.w.r.chFr, '1');
    EXPECT_EQ(rig.equip.planReads, 0);
  }
}

TEST(MemoryDataTuning, RadioButtonsAndBusy) {
  Rig rig;
  ASSERT_TRUE(rig.data.OpenRecord(TerLevel()));
  rig.data.ChannelRadioButtonClick();  // offline: channel mode stays
  EXPECT_EQ(rig.data.w.r.chFr, '0');
  EXPECT_TRUE(rig.data.form.channel.enabled);
  rig.data.form.freq.text = "x";
  rig.data.busy = true;
  rig.data.FreqRadioButtonClick();  // busy: only the mode
  EXPECT_EQ(rig.data.w.r.chFr, '1');
  EXPECT_EQ(rig.data.form.freq.text, "x");
  rig.data.busy = false;
  rig.data.FreqRadioButtonClick();
  EXPECT_EQ(rig.data.form.freq.text, "48.25");
}

TEST(MemoryDataTuning, ModifyChannelTunesToThePickedChannel) {
  Rig rig;
  rig.equip.port = true;
  // The refresh after the change looks the channel up in its plan again.
  rig.equip.AddPlan(3, "ASTRA", 'S', {cv::PllWord('S', 1400), cv::PllWord('S', 1600)}, 10600, 0x1A);
  ASSERT_TRUE(rig.data.OpenRecord(SatLevel()));
  bool offered = false;
  rig.view.pick = [&] {
    offered = true;
    EXPECT_EQ(rig.data.form.modifyCaption, "Loading...");
    EXPECT_FALSE(rig.data.form.modifyEnabled);
    CopyField(rig.data.pickedPlan.name, "ASTRA");
    rig.data.pickedPlan.band = 'S';
    rig.data.pickedPlan.lnbMHz = 10600;
    CopyField(rig.data.pickedPlan.codeText, "1A");
    rig.data.pickedChannel = TChan3::FromWord("C01", cv::PllWord('S', 1600), 0, 'S');
    rig.data.pickedPlanNumber = 3;
    return true;
  };
  rig.data.ModifyChannelBtnClick();
  ASSERT_TRUE(offered);
  const MemoryRecord& r = rig.data.w.r;
  EXPECT_EQ(r.chFr, '0');
  EXPECT_EQ(r.nPlan, 3);
  EXPECT_EQ(r.codePlan, 0x1A);
  EXPECT_EQ(r.lnbOsc, 10600);
  EXPECT_EQ(r.freq, 1600);
  EXPECT_EQ(rig.data.form.channel.text, "C01");
  EXPECT_EQ(rig.data.form.modifyCaption, "Modify Channel");
  EXPECT_TRUE(rig.data.form.modifyEnabled);

  // An instrument that does not answer: the log line, no picker, nothing changed.
  rig.equip.answers = false;
  offered = false;
  const MemoryRecord before = r;
  rig.data.ModifyChannelBtnClick();
  EXPECT_FALSE(offered);
  EXPECT_EQ(rig.equip.log.back(), "Error. Equipment not detected");
  EXPECT_EQ(rig.data.w.r, before);
  // Without a port nothing happens at all.
  rig.equip.port = false;
  rig.equip.log.clear();
  rig.data.ModifyChannelBtnClick();
  EXPECT_FALSE(offered);
  EXPECT_TRUE(rig.equip.log.empty());
}

class PickerView : public cv::mem::ChannelPickerView {
 public:
  void Render() override {}
};

struct PickerRig {
  FakeEquipment equip;
  PickerView view;
  cv::RecordingPrompter prompter;
  PlanInfo plan;
  TChan3 chan;
  int number = -7;
  ChannelPicker picker{equip, prompter, view, plan, chan, number};
};

TEST(MemoryChannelPicker, ReadsPlansAndChannels) {
  PickerRig rig;
  rig.equip.AddPlan(0, "VHF", 'T', {cv::PllWord('T', 48.25), cv::PllWord('T', 55.25)});
  rig.equip.AddPlan(1, "UHF", 'T', {cv::PllWord('T', 471.25), cv::PllWord('T', 479.25), cv::PllWord('T', 487.25)});
  rig.equip.AddPlan(2, "ASTRA", 'S', {cv::PllWord('S', 1200)}, 9750);
  rig.equip.AddPlan(4, "AFTER A GAP", 'T', {1000});
  rig.picker.LoadChannels();
  EXPECT_EQ(rig.picker.plans, (std::vector<std::string>{"VHF", "UHF", "ASTRA"}));
  EXPECT_EQ(rig.picker.channels, (std::vector<std::string>{"C00 (48.25 MHz)", "C01 (55.25 MHz)"}));
  EXPECT_TRUE(rig.picker.enabled);
  EXPECT_EQ(rig.picker.gauge, 100);
  rig.picker.OnChangePlan(1);
  EXPECT_EQ(rig.picker.channels.size(), 3u);
  EXPECT_EQ(rig.picker.channels[2], "C02 (487.25 MHz)");
  EXPECT_STREQ(rig.chan.name, "C00");
  rig.picker.OnChangeChannel(2);
  EXPECT_STREQ(rig.chan.name, "C02");
  rig.picker.OnChangePlan(2);
  EXPECT_EQ(rig.picker.channels, std::vector<std::string>{"C00 (10950.00 MHz)"});
  rig.picker.OKBtnClick();
  EXPECT_EQ(rig.number, 2);
  EXPECT_EQ(rig.picker.result, ChannelPicker::Result::Ok);
  EXPECT_STREQ(rig.plan.name, "ASTRA");
  EXPECT_TRUE(rig.prompter.shown.empty());
}

TEST(MemoryChannelPicker, Failures) {
  {  // No plans: the box, Cancel, the number untouched.
    PickerRig rig;
    rig.picker.LoadChannels();
    ASSERT_EQ(rig.prompter.shown.size(), 1u);
    EXPECT_EQ(rig.prompter.shown[0].text, "No Channel Plans present");
    EXPECT_EQ(rig.prompter.shown[0].caption, "Error");
    EXPECT_EQ(rig.picker.result, ChannelPicker::Result::Cancel);
    EXPECT_EQ(rig.number, -7);
  }
  {  // A channel of the first plan that cannot be read.
    PickerRig rig;
    rig.equip.AddPlan(0, "VHF", 'T', {cv::PllWord('T', 48.25), cv::PllWord('T', 55.25)});
    rig.equip.failChannel = 1;
    rig.picker.LoadChannels();
    ASSERT_EQ(rig.prompter.shown.size(), 1u);
    EXPECT_EQ(rig.prompter.shown[0].text, "Channel Plan error");
    EXPECT_EQ(rig.picker.result, ChannelPicker::Result::Cancel);
  }
  {  // After a plan change, and after a channel change: the details, and the picker stays open.
    PickerRig rig;
    rig.equip.AddPlan(0, "VHF", 'T', {cv::PllWord('T', 48.25)});
    rig.equip.AddPlan(1, "UHF", 'T', {cv::PllWord('T', 471.25), cv::PllWord('T', 479.25)});
    rig.picker.LoadChannels();
    rig.equip.failChannel = 1;
    rig.picker.OnChangePlan(1);
    ASSERT_EQ(rig.prompter.shown.size(), 1u);
    EXPECT_EQ(rig.prompter.shown[0].text,
              "Channel Plan error:\n - Channel: 1\n - Name: C00\n - Pll(hex): 27DB\n - Frequency: 471.25");
    EXPECT_EQ(rig.picker.result, ChannelPicker::Result::Open);
    EXPECT_TRUE(rig.picker.enabled);
    rig.picker.OnChangeChannel(1);
    ASSERT_EQ(rig.prompter.shown.size(), 2u);
    EXPECT_EQ(rig.prompter.shown[1].text,
              "Channel error:\n - Channel: 1\n - Name: C00\n - Pll(hex): 27DB\n - Frequency: 471.25");
    // No plan selected: OK stores 0.
    rig.picker.planIndex = -1;
    rig.picker.OKBtnClick();
    EXPECT_EQ(rig.number, 0);
  }
}

}  // namespace
