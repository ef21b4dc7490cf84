// The CORVANE-2 memory settings rules without a form: the opening check with its texts and log
// lines, the cross-field rules as one table of (record, action, resulting fields and layout
// mode), what the lists show by code, and the controls of each layout mode.
#include <gtest/gtest.h>

#include <functional>

#include "Cv2MemoryKit.h"
#include "Format.h"
#include "Pll.h"

using cv::mem::MemoryData;
using memtest::With;
using memtest2::DataRig;

namespace {

// A terrestrial PAL_BG LEVEL memory at 48.25 MHz with sound 5.50, number 5.
MemoryRecord PalBg() { return memtest::TerLevel(); }
// A satellite PAL_SAT LEVEL memory at 1200 MHz with sound 7.02.
MemoryRecord PalSat() {
  return With(PalBg(), [](MemoryRecord& r) { r.band = 'S', r.freq = 1200, r.std = '7', r.sound = 'E', r.lnbOsc = 9750; });
}

std::string C(char c) { return c ? std::string(1, c) : std::string("-"); }

std::string Word(char band, double mhz) { return cv::Format("%04X", cv::PllWord(band, mhz) & 0xFFFF); }

// The fields the rules touch, the layout mode and the beeps.
std::string Summary(DataRig& rig) {
  const MemoryRecord& r = rig.data.w.r;
  return cv::Format("%s %g %s %s%s s%s u%s m%s sf%g cr%s si%s ca%s gi%s sr%d lnb%g G%d b%d", C(r.band), r.freq,
                    rig.data.w.wordText, C(r.color), C(r.std), C(r.sound), C(r.units), C(r.meas), r.soundFreq,
                    C(r.codeRate), C(r.specInv), C(r.carriers), C(r.guardInt), r.symRate, r.lnbOsc,
                    rig.data.layoutMode, rig.prompter.beeps);
}

// Entries of the lists: the measure list's BER(QPSK) and BER(COFDM), the standards, the sounds.
enum { kQpsk = 4, kCofdm = 5 };
enum { kPalBg, kPalDk, kPalI, kPalSat, kDigital };
enum { kS550 = 5, kS600 = 7, kS650 = 8, kNicam = 11, kS702 = 12, kS626 = 14, kS680 = 15 };

}  // namespace

TEST(Cv2MemoryDataLoad, RefusalsTextsAndBounds) {
  struct Case {
    const char* name;
    MemoryRecord record;
    std::vector<std::string> lines;
  };
  const Case cases[] = {
      {"44.9 MHz", With(PalBg(), [](MemoryRecord& r) { r.freq = 44.9f; }),
       {"Error(s) in memory number 5:", "Frequency: 44.9000015258789 (45-862)"}},
      {"a satellite memory in the gap", With(PalSat(), [](MemoryRecord& r) { r.freq = 880; }),
       {"Error(s) in memory number 5:", "Frequency: 880 (900-2150)"}},
      {"plan 32", With(PalBg(), [](MemoryRecord& r) { r.nPlan = 32; }),
       {"Error(s) in memory number 5:", "Number of plan:32 (32)"}},
      {"C/N reference below 45", With(PalBg(), [](MemoryRecord& r) { r.meas = '7', r.cnRefFreq = 44; }),
       {"Error(s) in memory number 5:", "C/N reference frequency: 44 (45-2150)"}},
      {"C/N reference above 2150", With(PalBg(), [](MemoryRecord& r) { r.meas = '7', r.cnRefFreq = 2151; }),
       {"Error(s) in memory number 5:", "C/N reference frequency: 2151 (45-2150)"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    DataRig rig;
    memtest4::ExpectRefusedOpen(rig, c.record, c.lines);
  }
  for (const MemoryRecord& r : {With(PalBg(), [](MemoryRecord& r) { r.freq = 45, r.nPlan = 31; }),
                                With(PalBg(), [](MemoryRecord& r) { r.freq = 862, r.meas = '7', r.cnRefFreq = 45; }),
                                With(PalSat(), [](MemoryRecord& r) { r.freq = 900, r.meas = '7', r.cnRefFreq = 2150; }),
                                With(PalSat(), [](MemoryRecord& r) { r.freq = 2150; })}) {
    DataRig rig;
    EXPECT_TRUE(rig.data.OpenRecord(r));
    EXPECT_EQ(rig.Log(), std::vector<std::string>());
  }
}

// The texts the opening check builds: the C/N word by band, the bandwidth cut, the LNB word only
// for a satellite memory.
TEST(Cv2MemoryDataLoad, WordTexts) {
  struct Case {
    MemoryRecord record;
    const char* cn;
    const char* bw;
    const char* lnb;
  } cases[] = {
      {With(PalBg(), [](MemoryRecord& r) { r.meas = '7', r.cnRefFreq = 100, r.bw = 8.999f; }), "0ada", "0383", ""},
      {With(PalSat(), [](MemoryRecord& r) { r.meas = '7', r.cnRefFreq = 1200, r.lnbOsc = 10600; }), "347c", "0320",
       "19e10"},
      {PalBg(), "", "0320", ""},
  };
  for (const Case& c : cases) {
    DataRig rig;
    ASSERT_TRUE(rig.data.OpenRecord(c.record));
    EXPECT_EQ(rig.data.w.cnRefText, c.cn);
    EXPECT_EQ(rig.data.w.bwText, c.bw);
    EXPECT_EQ(rig.data.w.lnbText, c.lnb);
  }
}

TEST(Cv2MemoryDataRules, OneRowPerCase) {
  struct RuleCase {
    const char* name;
    MemoryRecord start;
    std::function<void(MemoryData&)> act;
    std::string expected;
  };
  const std::string at48 = "T 48.25 " + cv::Format("%04x", cv::PllWord('T', 48.25) & 0xFFFF) + " ";
  const std::string at1200 = "S 1200 " + cv::Format("%04x", cv::PllWord('S', 1200) & 0xFFFF) + " ";
  const std::string ter450 = "T 450 2632 ", sat1500 = "S 1500 3DDC ";
  const std::string plain = " cr- si- ca- gi- sr0 lnb0";
  const MemoryRecord at500 = With(PalBg(), [](MemoryRecord& r) { r.freq = 500; });
  const MemoryRecord power = With(PalBg(), [](MemoryRecord& r) { r.meas = '2', r.color = '3', r.std = '6', r.sound = '3'; });
  auto sounding = [](MemoryRecord r, char sound) { return With(r, [=](MemoryRecord& m) { m.sound = sound; }); };
  const RuleCase cases[] = {
      {"BER(QPSK) on TER LEVEL at 500", at500, [](MemoryData& m) { m.EvLevelChange(kQpsk); },
       sat1500 + "36 s3 u- m4 sf0 cr0 si0 ca- gi- sr27500 lnb9750 G3 b0"},
      {"BER(COFDM) on a SAT memory", PalSat(), [](MemoryData& m) { m.EvLevelChange(kCofdm); },
       ter450 + "36 s3 u- m6 sf0 cr- si- ca4 gi0 sr0 lnb0 G1 b0"},
      {"880 beeps and restores", PalBg(), [](MemoryData& m) { m.EvFreqChange("880"); },
       at48 + "00 s6 u0 m0 sf0" + plain + " G0 b1"},
      {"44.9 is refused", PalBg(), [](MemoryData& m) { m.EvFreqChange("44.9"); },
       at48 + "00 s6 u0 m0 sf0" + plain + " G0 b1"},
      {"45 is taken", PalBg(), [](MemoryData& m) { m.EvFreqChange("45"); },
       "T 45 " + Word('T', 45) + " 00 s6 u0 m0 sf0" + plain + " G0 b0"},
      {"900 makes PAL_SAT 7.02", PalBg(), [](MemoryData& m) { m.EvFreqChange("900"); },
       "S 900 " + Word('S', 900) + " 07 sE u0 m0 sf0 cr- si- ca- gi- sr0 lnb9750 G2 b0"},
      {"900 keeps a manual sound", With(PalBg(), [](MemoryRecord& r) { r.sound = '4', r.soundFreq = 5.5f; }),
       [](MemoryData& m) { m.EvFreqChange("900"); },
       "S 900 " + Word('S', 900) + " 00 s4 u0 m0 sf5.5 cr- si- ca- gi- sr0 lnb9750 G2 b0"},
      {"862 makes it terrestrial", PalSat(), [](MemoryData& m) { m.EvFreqChange("862"); },
       "T 862 " + Word('T', 862) + " 00 s6 u0 m0 sf0 cr- si- ca- gi- sr0 lnb9750 G0 b0"},
      {"7.02 on TER PAL_BG", PalBg(), [](MemoryData& m) { m.EvSoundChange(kS702); },
       sat1500 + "07 sE u0 m0 sf0" + plain + " G2 b0"},
      {"PAL_SAT on a TER memory", PalBg(), [](MemoryData& m) { m.EvStandChange(kPalSat); },
       sat1500 + "07 sE u0 m0 sf0" + plain + " G2 b0"},
      {"PAL_BG on a SAT memory", PalSat(), [](MemoryData& m) { m.EvStandChange(kPalBg); },
       ter450 + "00 s6 u0 m0 sf0 cr- si- ca- gi- sr0 lnb9750 G0 b0"},
      {"PAL_BG on SAT 6.26FM", sounding(PalSat(), 'G'), [](MemoryData& m) { m.EvStandChange(kPalBg); },
       ter450 + "00 s6 u0 m0 sf0 cr- si- ca- gi- sr0 lnb9750 G0 b0"},
      {"PAL_BG on SAT 6.80", sounding(PalSat(), 'H'), [](MemoryData& m) { m.EvStandChange(kPalBg); },
       ter450 + "00 s6 u0 m0 sf0 cr- si- ca- gi- sr0 lnb9750 G0 b0"},
      {"PAL_DK on SAT 6.80", sounding(PalSat(), 'H'), [](MemoryData& m) { m.EvStandChange(kPalDk); },
       ter450 + "01 s9 u0 m0 sf0 cr- si- ca- gi- sr0 lnb9750 G0 b0"},
      {"PAL_I on SAT 6.26FM", sounding(PalSat(), 'G'), [](MemoryData& m) { m.EvStandChange(kPalI); },
       ter450 + "02 s8 u0 m0 sf0 cr- si- ca- gi- sr0 lnb9750 G0 b0"},
      {"PAL_DK on SAT 6.26FM", sounding(PalSat(), 'G'), [](MemoryData& m) { m.EvStandChange(kPalDk); },
       ter450 + "01 s9 u0 m0 sf0 cr- si- ca- gi- sr0 lnb9750 G0 b0"},
      {"PAL_DK on NICAM", sounding(PalBg(), 'D'), [](MemoryData& m) { m.EvStandChange(kPalDk); },
       at48 + "01 s9 u0 m0 sf0" + plain + " G0 b0"},
      {"PAL_DK keeps FM", sounding(PalBg(), '1'), [](MemoryData& m) { m.EvStandChange(kPalDk); },
       at48 + "01 s1 u0 m0 sf0" + plain + " G0 b0"},
      {"PAL_DK on DIGITAL POWER", power, [](MemoryData& m) { m.EvStandChange(kPalDk); },
       at48 + "01 s3 u0 m0 sf0" + plain + " G0 b0"},
      {"PAL_I on SAT 6.80", sounding(PalSat(), 'H'), [](MemoryData& m) { m.EvStandChange(kPalI); },
       ter450 + "02 s8 u0 m0 sf0 cr- si- ca- gi- sr0 lnb9750 G0 b0"},
      {"PAL_I on 6.50", sounding(PalBg(), '9'), [](MemoryData& m) { m.EvStandChange(kPalI); },
       at48 + "02 s8 u0 m0 sf0" + plain + " G0 b0"},
      {"PAL_I keeps NICAM", sounding(PalBg(), 'D'), [](MemoryData& m) { m.EvStandChange(kPalI); },
       at48 + "02 sD u0 m0 sf0" + plain + " G0 b0"},
      {"PAL_I keeps T.NARROW", With(PalBg(), [](MemoryRecord& r) { r.sound = '4', r.soundFreq = 5.5f; }),
       [](MemoryData& m) { m.EvStandChange(kPalI); }, at48 + "02 s4 u0 m0 sf5.5" + plain + " G0 b0"},
      {"6.26FM on TER V/A", With(PalBg(), [](MemoryRecord& r) { r.meas = '1'; }),
       [](MemoryData& m) { m.EvSoundChange(kS626); }, sat1500 + "07 sG u0 m0 sf0" + plain + " G2 b0"},
      {"6.80 on TER PAL_BG", PalBg(), [](MemoryData& m) { m.EvSoundChange(kS680); },
       sat1500 + "07 sH u0 m0 sf0" + plain + " G2 b0"},
      {"6.26FM on PAL_SAT keeps the pair", PalSat(), [](MemoryData& m) { m.EvSoundChange(kS626); },
       at1200 + "07 sG u0 m0 sf0 cr- si- ca- gi- sr0 lnb9750 G2 b0"},
      {"6.00 on SAT goes to PAL_I", PalSat(), [](MemoryData& m) { m.EvSoundChange(kS600); },
       ter450 + "02 s8 u0 m0 sf0 cr- si- ca- gi- sr0 lnb9750 G0 b0"},
      {"6.50 on SAT keeps PAL_SAT", PalSat(), [](MemoryData& m) { m.EvSoundChange(kS650); },
       at1200 + "07 s9 u0 m0 sf0 cr- si- ca- gi- sr0 lnb9750 G2 b0"},
      {"NICAM on SAT", PalSat(), [](MemoryData& m) { m.EvSoundChange(kNicam); },
       ter450 + "00 sD u0 m0 sf0 cr- si- ca- gi- sr0 lnb9750 G0 b0"},
      {"5.50 on SAT", PalSat(), [](MemoryData& m) { m.EvSoundChange(kS550); },
       ter450 + "00 s6 u0 m0 sf0 cr- si- ca- gi- sr0 lnb9750 G0 b0"},
      {"units dBm by name", PalBg(), [](MemoryData& m) { m.EvUnitsChange(1); },
       at48 + "00 s6 u2 m0 sf0" + plain + " G0 b0"},
      {"units dB by name", PalBg(), [](MemoryData& m) { m.EvUnitsChange(2); },
       at48 + "00 s6 u3 m0 sf0" + plain + " G0 b0"},
  };
  for (const RuleCase& c : cases) {
    SCOPED_TRACE(c.name);
    DataRig rig;
    ASSERT_TRUE(rig.data.OpenRecord(c.start));
    c.act(rig.data);
    EXPECT_EQ(Summary(rig), c.expected);
  }
}

// What the lists show for a record's codes.
TEST(Cv2MemoryDataShow, ListsByCode) {
  using Combo = const cv::mem::ComboState cv::mem::MemoryDataForm::*;
  struct Case {
    const char* name;
    MemoryRecord record;
    Combo combo;
    int expected;
    std::string text;  // the entry's text, when one is selected
  };
  using F = cv::mem::MemoryDataForm;
  auto with = [](MemoryRecord r, auto change) { return With(r, change); };
  const Case cases[] = {
      {"NICAM for 'D'", with(PalBg(), [](MemoryRecord& r) { r.sound = 'D'; }), &F::sound, kNicam, "NICAM"},
      {"nothing for '5'", with(PalBg(), [](MemoryRecord& r) { r.sound = '5'; }), &F::sound, -1, ""},
      {"nothing for 'A'", with(PalBg(), [](MemoryRecord& r) { r.sound = 'A'; }), &F::sound, -1, ""},
      {"6.26FM for 'G'", with(PalSat(), [](MemoryRecord& r) { r.sound = 'G'; }), &F::sound, kS626, "6.26FM"},
      {"6.80 for 'H'", with(PalSat(), [](MemoryRecord& r) { r.sound = 'H'; }), &F::sound, kS680, "6.80"},
      {"dBm for '2'", with(PalBg(), [](MemoryRecord& r) { r.units = '2'; }), &F::units, 1, "dBm"},
      {"no entry for dBmV", with(PalBg(), [](MemoryRecord& r) { r.units = '1'; }), &F::units, -1, ""},
      {"BER(COFDM) for '6'",
       with(PalBg(), [](MemoryRecord& r) { r.meas = '6', r.std = '6', r.color = '3', r.carriers = '4', r.guardInt = '0'; }),
       &F::level, kCofdm, "BER(COFDM)"},
      {"C/N Ref for '7'", with(PalBg(), [](MemoryRecord& r) { r.meas = '7', r.cnRefFreq = 100; }), &F::level, 6,
       "C/N Ref"},
      {"nothing for BER(QAM)", with(PalBg(), [](MemoryRecord& r) { r.meas = '5', r.symRate = 6875; }), &F::level, -1,
       ""},
      {"DIGITAL for colour 3", with(PalBg(), [](MemoryRecord& r) { r.color = '3', r.std = '2'; }), &F::standard,
       kDigital, "DIGITAL"},
      {"no entry for PAL_M", with(PalBg(), [](MemoryRecord& r) { r.std = '4'; }), &F::standard, -1, ""},
      {"QPSK spectral inversion on SAT",
       with(PalSat(), [](MemoryRecord& r) { r.meas = '4', r.std = '6', r.color = '3', r.specInv = '2', r.codeRate = '0',
                                            r.symRate = 27500; }),
       &F::specInv, 2, "ON"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    DataRig rig;
    ASSERT_TRUE(rig.data.OpenRecord(c.record));
    const cv::mem::ComboState& combo = rig.data.form.*c.combo;
    ASSERT_EQ(combo.index, c.expected);
    if (c.expected >= 0) {
      EXPECT_EQ(combo.items.at(static_cast<size_t>(c.expected)), c.text);
    }
  }
  DataRig rig;
  ASSERT_TRUE(rig.data.OpenRecord(With(PalBg(), [](MemoryRecord& r) { r.sound = '5'; })));
  const cv::mem::MemoryDataForm& f = rig.data.form;
  EXPECT_FALSE(f.soundSub.enabled);
  EXPECT_EQ(f.sound.items.size(), 16u);
  EXPECT_EQ(f.level.items, (std::vector<std::string>{"LEVEL", "V/A", "POWER", "C/N Auto", "BER(QPSK)", "BER(COFDM)",
                                                     "C/N Ref"}));
  EXPECT_EQ(f.standard.items, (std::vector<std::string>{"PAL_BG", "PAL_DK", "PAL_I", "PAL_SAT", "DIGITAL"}));
  EXPECT_EQ(f.units.items, (std::vector<std::string>{"dBuV", "dBm", "dB"}));
  EXPECT_EQ(f.specInv.items, (std::vector<std::string>{"OFF", "ON"}));
}

// The controls each layout mode leaves on: all five occur with both bands.
TEST(Cv2MemoryDataLayout, ModesAndTheirGroups) {
  const MemoryRecord digital = With(PalBg(), [](MemoryRecord& r) { r.color = '3', r.std = '6', r.sound = '3'; });
  struct Case {
    MemoryRecord record;
    int mode;
    std::string enabled;
  } cases[] = {
      {PalBg(), 0, "sound soundSub units"},
      {With(digital, [](MemoryRecord& r) { r.meas = '6', r.carriers = '4', r.guardInt = '0'; }), 1,
       "carriers interval"},
      {PalSat(), 2, "sound soundSub lnbOsc units"},
      {With(digital, [](MemoryRecord& r) { r.band = 'S', r.freq = 1200, r.meas = '4', r.specInv = '0',
                                           r.codeRate = '0', r.symRate = 27500; }),
       3, "symRate codeRate specInv lnbOsc"},
      {With(digital, [](MemoryRecord& r) { r.meas = '2'; }), 4, "units"},
      {With(digital, [](MemoryRecord& r) { r.meas = '2', r.band = 'S', r.freq = 1200; }), 4, "lnbOsc units"},
      {With(PalBg(), [](MemoryRecord& r) { r.meas = '7', r.cnRefFreq = 100; }), 0, "sound soundSub units noise"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.mode);
    DataRig rig;
    ASSERT_TRUE(rig.data.OpenRecord(c.record));
    EXPECT_EQ(rig.data.layoutMode, c.mode);
    EXPECT_EQ(memtest4::EnabledControls(rig.data.form), c.enabled);
  }
}
