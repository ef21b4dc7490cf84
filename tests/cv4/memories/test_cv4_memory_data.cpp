// The CORVANE-4 memory settings rules without a form: the cross-field rules as one table of
// (record, action, resulting fields), the controls of each field group, the load refusals and
// their log lines, the standard shown back, and what goes back into the editor's record.
#include <gtest/gtest.h>

#include <functional>

#include "Cv4MemoryKit.h"
#include "Format.h"
#include "Pll.h"

using cv::mem::MemoryData;
using memtest4::DataRig;

namespace {

MemoryRecord Ter() { return memtest4::TerMemory(); }

MemoryRecord With(MemoryRecord r, const std::function<void(MemoryRecord&)>& change) {
  change(r);
  return r;
}

MemoryRecord Sat() {
  return With(Ter(), [](MemoryRecord& r) {
    r.band = 'S';
    r.freq = 1500;
    r.std = '7';
    r.sound = 'E';
    r.lnbOsc = 9750;
  });
}

// A DIGITAL memory of BER measure `meas` on its band.
MemoryRecord Ber(char meas) {
  return With(meas == '4' ? Sat() : Ter(), [meas](MemoryRecord& r) {
    r.meas = meas;
    r.color = '3';
    r.std = '6';
    r.sound = '3';
    r.units = '0';
    r.specInv = '1';
    if (meas == '4') r.codeRate = '0', r.symRate = 27500;
    if (meas == '5') r.modulation = '2', r.symRate = 6875;
    if (meas == '6') r.carriers = '4', r.guardInt = '0';
  });
}

std::string C(char c) { return c ? std::string(1, c) : std::string("-"); }

std::string Word(char band, double mhz) { return cv::Format("%04X", cv::PllWord(band, mhz) & 0xFFFF); }

// The fields the rules touch, the field group and the beeps.
std::string Summary(DataRig& rig) {
  const MemoryRecord& r = rig.data.w.r;
  return cv::Format("%s %g %s %s%s s%s u%s m%s cr%s si%s mo%s ca%s gi%s sr%d lnb%g sf%g G%d b%d", C(r.band), r.freq,
                    rig.data.w.wordText, C(r.color), C(r.std), C(r.sound), C(r.units), C(r.meas), C(r.codeRate),
                    C(r.specInv), C(r.modulation), C(r.carriers), C(r.guardInt), r.symRate, r.lnbOsc,
                    r.soundFreq, rig.data.layoutMode, rig.prompter.beeps);
}

struct RuleCase {
  const char* name;
  MemoryRecord start;
  std::function<void(MemoryData&)> act;
  std::string expected;
};

}  // namespace

TEST(Cv4MemoryDataRules, OneRowPerCase) {
  const MemoryRecord va = With(Ter(), [](MemoryRecord& r) { r.meas = '1'; });
  const MemoryRecord narrowAndOff = Ter();
  const std::string T450 = "T 450 " + Word('T', 450), S1500 = "S 1500 " + Word('S', 1500);
  const RuleCase cases[] = {
      {"DIGITAL on LEVEL", Ter(), [](MemoryData& m) { m.EvStandChange(12); },
       "T 48.25 06cf 36 s3 u0 m2 cr- si- mo- ca- gi- sr0 lnb0 sf0 G4 b0"},
      {"DIGITAL on V/A", va, [](MemoryData& m) { m.EvStandChange(12); },
       "T 48.25 06cf 36 s3 u0 m2 cr- si- mo- ca- gi- sr0 lnb0 sf0 G4 b0"},
      {"BER(QPSK) on a terrestrial memory", Ter(), [](MemoryData& m) { m.EvLevelChange(4); },
       S1500 + " 36 s3 u- m4 cr0 si1 mo- ca- gi- sr27500 lnb9750 sf0 G3 b0"},
      {"BER(QAM) on a satellite memory", Sat(), [](MemoryData& m) { m.EvLevelChange(5); },
       T450 + " 36 s3 u- m5 cr- si1 mo2 ca- gi- sr6875 lnb0 sf0 G1 b0"},
      {"BER(COFDM) on a satellite memory", Sat(), [](MemoryData& m) { m.EvLevelChange(6); },
       T450 + " 36 s3 u- m6 cr- si1 mo- ca4 gi0 sr0 lnb0 sf0 G1 b0"},
      {"V/A on a satellite memory", Sat(), [](MemoryData& m) { m.EvLevelChange(1); },
       T450 + " 00 s6 u0 m1 cr- si- mo- ca- gi- sr0 lnb9750 sf0 G0 b0"},
      {"LEVEL on a DIGITAL satellite memory", Ber('4'), [](MemoryData& m) { m.EvLevelChange(0); },
       "S 1500 3ddc 07 sE u0 m0 cr0 si1 mo- ca- gi- sr27500 lnb9750 sf0 G2 b0"},
      {"870 MHz is refused", Ter(), [](MemoryData& m) { m.EvFreqChange("870"); },
       "T 48.25 06cf 00 s6 u0 m0 cr- si- mo- ca- gi- sr0 lnb0 sf0 G0 b1"},
      {"899.99 MHz is refused", Ter(), [](MemoryData& m) { m.EvFreqChange("899.99"); },
       "T 48.25 06cf 00 s6 u0 m0 cr- si- mo- ca- gi- sr0 lnb0 sf0 G0 b1"},
      {"900 MHz makes a satellite memory", Ter(), [](MemoryData& m) { m.EvFreqChange("900"); },
       "S 900 " + Word('S', 900) + " 07 sE u0 m0 cr- si- mo- ca- gi- sr0 lnb9750 sf0 G2 b0"},
      {"862 MHz makes a terrestrial memory", Sat(), [](MemoryData& m) { m.EvFreqChange("862"); },
       "T 862 " + Word('T', 862) + " 00 s6 u0 m0 cr- si- mo- ca- gi- sr0 lnb9750 sf0 G0 b0"},
      {"a BER(QPSK) memory tuned terrestrial becomes LEVEL in dBuV", Ber('4'),
       [](MemoryData& m) { m.EvFreqChange("474"); },
       "T 474 " + Word('T', 474) + " 36 s3 u0 m0 cr0 si1 mo- ca- gi- sr27500 lnb9750 sf0 G0 b0"},
      {"a decimal comma in the frequency", Ter(), [](MemoryData& m) { m.EvFreqChange("474,25"); },
       "T 474.25 " + Word('T', 474.25) + " 00 s6 u0 m0 cr- si- mo- ca- gi- sr0 lnb0 sf0 G0 b0"},
      {"no decimal comma in the LNB oscillator",
       With(Sat(), [](MemoryRecord& r) { r.lnbOsc = 10600; }), [](MemoryData& m) { m.EvLNBOscChange("9750,5"); },
       "S 1500 3ddc 07 sE u0 m0 cr- si- mo- ca- gi- sr0 lnb9750 sf0 G2 b0"},
      {"text with no number is refused", Ter(), [](MemoryData& m) { m.EvChBWChange("x5"); },
       "T 48.25 06cf 00 s6 u0 m0 cr- si- mo- ca- gi- sr0 lnb0 sf0 G0 b1"},
      {"T.NARROW", Ter(), [](MemoryData& m) { m.EvSoundChange(4); },
       "T 48.25 06cf 00 s4 u0 m0 cr- si- mo- ca- gi- sr0 lnb0 sf5.5 G0 b0"},
      // The manual-sound flag stays once set: a later satellite frequency keeps the standard.
      {"OFF after T.NARROW, then 1000 MHz", narrowAndOff,
       [](MemoryData& m) {
         m.EvSoundChange(4);
         m.EvSoundChange(3);
         m.EvFreqChange("1000");
       },
       "S 1000 " + Word('S', 1000) + " 00 s3 u0 m0 cr- si- mo- ca- gi- sr0 lnb9750 sf0 G2 b0"},
      {"6.26 (FM) on a satellite memory", Sat(), [](MemoryData& m) { m.EvSoundChange(16); },
       T450 + " 01 sG u0 m0 cr- si- mo- ca- gi- sr0 lnb9750 sf0 G0 b0"},
      {"6.80 on a terrestrial V/A memory", va, [](MemoryData& m) { m.EvSoundChange(17); },
       S1500 + " 07 sH u0 m0 cr- si- mo- ca- gi- sr0 lnb0 sf0 G2 b0"},
      {"spectral inversion ON", Ber('4'), [](MemoryData& m) { m.EvSpInvChange(1); },
       "S 1500 3ddc 36 s3 u- m4 cr0 si2 mo- ca- gi- sr27500 lnb9750 sf0 G3 b0"},
      {"guard interval AUTO", Ber('6'), [](MemoryData& m) { m.EvIntervalChange(4); },
       "T 48.25 06cf 36 s3 u- m6 cr- si1 mo- ca4 gi4 sr0 lnb0 sf0 G1 b0"},
      {"SAT on a DIGITAL QAM memory", Ber('5'), [](MemoryData& m) { m.EvBandChange(1); },
       S1500 + " 36 s3 u- m0 cr- si1 mo2 ca- gi- sr6875 lnb9750 sf0 G2 b0"},
      {"SAT on a memory of colour PAL and the digital standard",
       With(Ter(), [](MemoryRecord& r) { r.std = '6', r.sound = '3'; }), [](MemoryData& m) { m.EvBandChange(1); },
       S1500 + " 06 s3 u0 m0 cr- si- mo- ca- gi- sr0 lnb9750 sf0 G2 b0"},
      {"SECAM_L on a DIGITAL memory", Ber('5'), [](MemoryData& m) { m.EvStandChange(6); },
       "T 48.25 06cf 13 s3 u0 m0 cr- si1 mo2 ca- gi- sr6875 lnb0 sf0 G0 b0"},
      {"PAL_SAT on a terrestrial memory", Ter(), [](MemoryData& m) { m.EvStandChange(9); },
       S1500 + " 07 sE u0 m0 cr- si- mo- ca- gi- sr0 lnb0 sf0 G2 b0"},
  };
  for (const RuleCase& c : cases) {
    SCOPED_TRACE(c.name);
    DataRig rig;
    ASSERT_TRUE(rig.data.OpenRecord(c.start)) << c.name;
    c.act(rig.data);
    EXPECT_EQ(Summary(rig), c.expected);
    EXPECT_FALSE(rig.dataView.hourglass);
  }
}

// What the edits show after their rules, with the form's decimal comma.
TEST(Cv4MemoryDataRules, EditsAfterTheirRules) {
  DataRig rig;
  ASSERT_TRUE(rig.data.OpenRecord(Ter()));
  cv::mem::MemoryDataForm& f = rig.data.form;
  rig.data.EvFreqChange("870");
  EXPECT_EQ(f.freq.text, "48,25");  // the previous frequency again
  EXPECT_EQ(rig.dataView.focused, -1);
  rig.data.EvChBWChange("81.92");
  EXPECT_EQ(f.bw.text, "");
  EXPECT_EQ(rig.dataView.focused, static_cast<int>(cv::mem::DataEdit::BW));
  EXPECT_EQ(rig.data.w.r.bw, 8.0f);
  EXPECT_EQ(rig.prompter.beeps, 2);

  rig.data.EvSoundChange(4);  // T.NARROW
  EXPECT_EQ(f.soundSub.text, "5,50");
  EXPECT_TRUE(f.soundSub.enabled);
  rig.data.EvSoundChange(3);  // OFF
  EXPECT_EQ(f.soundSub.text, "");
  EXPECT_FALSE(f.soundSub.enabled);
  EXPECT_EQ(f.sound.items.size(), 18u);
  EXPECT_EQ(f.sound.items[16], "6.26 (FM)");
  EXPECT_EQ(f.sound.items[17], "6.80");

  // Leaving an edit as it was shown changes nothing, not even by rounding.
  ASSERT_TRUE(rig.data.OpenRecord(With(Ter(), [](MemoryRecord& r) { r.freq = 48.255f; })));
  rig.data.EvFreqChange(f.freq.text);
  EXPECT_EQ(rig.data.w.r.freq, 48.255f);
}

TEST(Cv4MemoryDataRules, ListsOfTheFamily) {
  DataRig rig;
  ASSERT_TRUE(rig.data.OpenRecord(Ber('6')));
  const cv::mem::MemoryDataForm& f = rig.data.form;
  EXPECT_EQ(f.specInv.items, std::vector<std::string>({"OFF", "ON"}));
  EXPECT_EQ(f.specInv.index, 0);
  EXPECT_EQ(f.interval.items, std::vector<std::string>({"1/32", "1/16", "1/8", "1/4", "AUTO"}));
  EXPECT_EQ(f.carriers.items, std::vector<std::string>({"MODE 2K", "MODE 8K"}));
  EXPECT_EQ(f.carriers.index, 1);
  ASSERT_TRUE(rig.data.OpenRecord(With(Ber('4'), [](MemoryRecord& r) { r.specInv = '2'; })));
  EXPECT_EQ(f.specInv.items, std::vector<std::string>({"OFF", "ON"}));  // the same on satellite
  EXPECT_EQ(f.specInv.index, 1);
  EXPECT_EQ(f.codeRate.index, 0);
  EXPECT_EQ(f.symRate.text, "27500");
}

// Each field group as the controls it leaves enabled.
TEST(Cv4MemoryDataRules, FieldGroups) {
  struct Case {
    const char* name;
    MemoryRecord record;
    int group;
    const char* enabled;
  };
  const Case cases[] = {
      {"terrestrial LEVEL", Ter(), 0, "sound soundSub units"},
      {"terrestrial C/N Ref", With(Ter(), [](MemoryRecord& r) { r.meas = '7', r.cnRefFreq = 100; }), 0,
       "sound soundSub units noise"},
      {"BER(QAM)", Ber('5'), 1, "symRate modulation specInv"},
      {"BER(COFDM)", Ber('6'), 1, "specInv carriers interval"},
      {"satellite LEVEL", Sat(), 2, "sound soundSub lnbOsc units"},
      {"BER(QPSK)", Ber('4'), 3, "symRate codeRate specInv lnbOsc"},
      {"terrestrial POWER", With(Ber('5'), [](MemoryRecord& r) { r.meas = '2'; }), 4, "units"},
      {"satellite POWER", With(Ber('4'), [](MemoryRecord& r) { r.meas = '2'; }), 4, "lnbOsc units"},
  };
  auto enabled = memtest4::EnabledControls;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    DataRig rig;
    ASSERT_TRUE(rig.data.OpenRecord(c.record));
    EXPECT_EQ(rig.data.layoutMode, c.group);
    EXPECT_EQ(enabled(rig.data.form), c.enabled);
  }
  // QAM and COFDM share group 1: a change between them switches its controls again.
  DataRig rig;
  ASSERT_TRUE(rig.data.OpenRecord(Ber('5')));
  rig.data.EvLevelChange(6);
  EXPECT_EQ(enabled(rig.data.form), "specInv carriers interval");
  EXPECT_EQ(rig.data.form.interval.index, 0);
  EXPECT_EQ(rig.data.form.modulation.items.size(), 0u);
}

TEST(Cv4MemoryDataLoad, RefusalsAndTheirLines) {
  struct Case {
    const char* name;
    MemoryRecord record;
    std::vector<std::string> lines;
  };
  const Case cases[] = {
      {"memory 0", With(Ter(), [](MemoryRecord& r) { r.number = 0; }),
       {"Error(s) in memory number 0:", "Number of memory: 0 (0-99)"}},
      {"memory 100", With(Ter(), [](MemoryRecord& r) { r.number = 100; }),
       {"Error(s) in memory number 100:", "Number of memory: 100 (0-99)"}},
      {"plan 32", With(Ter(), [](MemoryRecord& r) { r.nPlan = 32; }),
       {"Error(s) in memory number 5:", "Number of plan:32 (32)"}},
      {"plan -1", With(Ter(), [](MemoryRecord& r) { r.nPlan = -1; }),
       {"Error(s) in memory number 5:", "Number of plan:-1 (32)"}},
      {"satellite below 900", With(Sat(), [](MemoryRecord& r) { r.freq = 899.5f; }),
       {"Error(s) in memory number 5:", "Frequency: 899.5 (900-2150)"}},
      {"satellite above 2150", With(Sat(), [](MemoryRecord& r) { r.freq = 2150.5f; }),
       {"Error(s) in memory number 5:", "Frequency: 2150.5 (900-2150)"}},
      {"terrestrial above 862", With(Ter(), [](MemoryRecord& r) { r.freq = 870; }),
       {"Error(s) in memory number 5:", "Frequency: 870 (5-862)"}},
      {"terrestrial below 5", With(Ter(), [](MemoryRecord& r) { r.freq = 4.75f; }),
       {"Error(s) in memory number 5:", "Frequency: 4.75 (5-862)"}},
      {"symbol rate", With(Ber('5'), [](MemoryRecord& r) { r.symRate = 45001; }),
       {"Error(s) in memory number 5:", " Symbol Rate (bps): 45001 (1000-45000)"}},
      {"manual sound subcarrier", With(Ter(), [](MemoryRecord& r) { r.sound = 'F', r.soundFreq = 9.5f; }),
       {"Error(s) in memory number 5:", "Subcarrier sound frequency: 9.5 (4.0-9.0)"}},
      {"bandwidth", With(Ter(), [](MemoryRecord& r) { r.bw = 0.0625f; }),
       {"Error(s) in memory number 5:", " Channel bandwidth: 0.0625 (0.1-81.91)"}},
      {"LNB oscillator", With(Sat(), [](MemoryRecord& r) { r.lnbOsc = 52428.8f; }),
       {"Error(s) in memory number 5:", "LNB frequency: 52428.80078125 (0-52428.7)"}},
      {"C/N reference", With(Ter(), [](MemoryRecord& r) { r.meas = '7', r.cnRefFreq = 2151; }),
       {"Error(s) in memory number 5:", "C/N reference frequency: 2151 (5-2150)"}},
      {"several, in order", With(Ter(), [](MemoryRecord& r) { r.number = 0, r.bw = 90, r.nPlan = 40; }),
       {"Error(s) in memory number 0:", "Number of memory: 0 (0-99)", "Number of plan:40 (32)",
        " Channel bandwidth: 90 (0.1-81.91)"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    DataRig rig;
    memtest4::ExpectRefusedOpen(rig, c.record, c.lines);
  }
  // The bounds themselves load.
  for (const MemoryRecord& r :
       {With(Sat(), [](MemoryRecord& r) { r.freq = 900, r.number = 99, r.nPlan = 31; }),
        With(Ter(), [](MemoryRecord& r) { r.freq = 862, r.number = 1, r.bw = 81.91f; }),
        With(Ter(), [](MemoryRecord& r) { r.freq = 5, r.bw = 0.1f; })}) {
    DataRig rig;
    EXPECT_TRUE(rig.data.OpenRecord(r));
    EXPECT_EQ(rig.Log(), std::vector<std::string>());
    EXPECT_EQ(rig.data.form.caption, cv::Format("Measurement Configuration - Memory %d", r.number));
  }
}

TEST(Cv4MemoryDataShow, StandardShownBack) {
  struct Case {
    const char* code;
    const char* shown;  // "" for no selection
  };
  const Case cases[] = {
      {"00", "PAL_BG"},   {"01", "PAL_DK"},   {"02", "PAL_I"},     {"04", "PAL_M"},    {"05", "PAL_N"},
      {"06", "DIGITAL"},  {"03", "PAL_SAT"},  {"07", "PAL_SAT"},   {"10", "SECAM_BG"}, {"13", "SECAM_L"},
      {"11", "SECAM_DK"}, {"16", "DIGITAL"},  {"12", "SECAM_SAT"}, {"17", "SECAM_SAT"}, {"24", "NTSC_M"},
      {"26", "DIGITAL"},  {"27", "NTSC_SAT"}, {"20", ""},          {"25", ""},         {"36", "DIGITAL"},
      {"30", "DIGITAL"},  {"40", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.code);
    DataRig rig;
    ASSERT_TRUE(rig.data.OpenRecord(With(Ter(), [&](MemoryRecord& r) { r.color = c.code[0], r.std = c.code[1]; })));
    const cv::mem::ComboState& s = rig.data.form.standard;
    EXPECT_EQ(s.index < 0 ? std::string() : s.items.at(s.index), c.shown);
  }
}

// OK gives back every field of the list and leaves the frame as the memory had it.
TEST(Cv4MemoryDataStore, WhatGoesBack) {
  DataRig rig;
  const MemoryRecord in = With(Ter(), [](MemoryRecord& r) { r.diseqC = '2', r.frame = '1'; });
  ASSERT_TRUE(rig.data.OpenRecord(in));
  MemoryRecord back = in;
  back.frame = '0';
  rig.data.StoreRecord(back);
  EXPECT_EQ(back, With(in, [](MemoryRecord& r) { r.frame = '0'; }));

  // The record through every measure keeps its units whole: '0' where the rules left none.
  for (int level = 0; level < 8; ++level) {
    SCOPED_TRACE(level);
    ASSERT_TRUE(rig.data.OpenRecord(in));
    rig.data.EvLevelChange(level);
    rig.data.EvBandChange(level % 2);
    rig.data.StoreRecord(back);
    EXPECT_NE(back.units, 0);
    EXPECT_EQ(back.diseqC, '2');
  }
}
