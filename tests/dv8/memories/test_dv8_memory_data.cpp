// The DV-800 memory settings rules without a form: the opening check and its log lines, the
// cross-field rules as one table of (record, action, resulting fields and layout mode), the
// carriers a change to PAL_I or SECAM_L replaces, the units stored and shown by name, the lists
// through the code tables, the controls of each layout mode, and what goes back on OK.
#include <gtest/gtest.h>

#include <functional>

#include "Dv8MemoryKit.h"
#include "Format.h"
#include "Pll.h"

using cv::mem::MemoryData;
using memtest8::DataRig;

namespace {

MemoryRecord With(MemoryRecord r, const std::function<void(MemoryRecord&)>& change) {
  change(r);
  return r;
}

// A terrestrial PAL_BG LEVEL memory at 48.25 MHz with sound 5.50, number 5.
MemoryRecord PalBg() { return memtest::TerLevel(); }

MemoryRecord Sounding(char color, char std, char sound) {
  return With(PalBg(), [=](MemoryRecord& r) { r.color = color, r.std = std, r.sound = sound; });
}

std::string C(char c) { return c ? std::string(1, c) : std::string("-"); }

std::string Word(double mhz) { return cv::Format("%04X", cv::PllWord('T', mhz) & 0xFFFF); }

// The fields the rules touch, the layout mode and the beeps.
std::string Summary(DataRig& rig) {
  const MemoryRecord& r = rig.data.w.r;
  return cv::Format("%s %g %s %s%s s%s u%s m%s sf%g cn%g G%d b%d", C(r.band), r.freq, rig.data.w.wordText, C(r.color),
                    C(r.std), C(r.sound), C(r.units), C(r.meas), r.soundFreq, r.cnRefFreq, rig.data.layoutMode,
                    rig.prompter.beeps);
}

}  // namespace

TEST(Dv8MemoryDataLoad, RefusalsAndTheirLines) {
  struct Case {
    const char* name;
    MemoryRecord record;
    std::vector<std::string> lines;
  };
  const Case cases[] = {
      {"a satellite memory", With(PalBg(), [](MemoryRecord& r) { r.band = 'S', r.freq = 1200; }),
       {"Error(s) in memory number 5:", "Frequency: 1200 (5-862)"}},
      {"4.9 MHz", With(PalBg(), [](MemoryRecord& r) { r.freq = 4.9f; }),
       {"Error(s) in memory number 5:", "Frequency: 4.90000009536743 (5-862)"}},
      {"862.1 MHz", With(PalBg(), [](MemoryRecord& r) { r.freq = 862.1f; }),
       {"Error(s) in memory number 5:", "Frequency: 862.099975585938 (5-862)"}},
      {"memory 0", With(PalBg(), [](MemoryRecord& r) { r.number = 0; }),
       {"Error(s) in memory number 0:", "Number of memory: 0 (0-99)"}},
      {"memory 100", With(PalBg(), [](MemoryRecord& r) { r.number = 100; }),
       {"Error(s) in memory number 100:", "Number of memory: 100 (0-99)"}},
      {"plan 32", With(PalBg(), [](MemoryRecord& r) { r.nPlan = 32; }),
       {"Error(s) in memory number 5:", "Number of plan:32 (32)"}},
      {"C/N reference above the band", With(PalBg(), [](MemoryRecord& r) { r.meas = '7', r.cnRefFreq = 863; }),
       {"Error(s) in memory number 5:", "C/N reference frequency: 863 (5-862)"}},
      {"several, in order", With(PalBg(), [](MemoryRecord& r) { r.number = 0, r.band = 'S', r.nPlan = 40; }),
       {"Error(s) in memory number 0:", "Number of memory: 0 (0-99)", "Frequency: 48.25 (5-862)",
        "Number of plan:40 (32)"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    DataRig rig;
    memtest4::ExpectRefusedOpen(rig, c.record, c.lines);
  }
  // The bounds themselves open.
  for (const MemoryRecord& r : {With(PalBg(), [](MemoryRecord& r) { r.freq = 5, r.number = 1, r.nPlan = 31; }),
                                With(PalBg(), [](MemoryRecord& r) { r.freq = 862, r.number = 99; }),
                                With(PalBg(), [](MemoryRecord& r) { r.meas = '7', r.cnRefFreq = 862; })}) {
    DataRig rig;
    EXPECT_TRUE(rig.data.OpenRecord(r));
    EXPECT_EQ(rig.Log(), std::vector<std::string>());
    EXPECT_TRUE(rig.prompter.shown.empty());
    EXPECT_EQ(rig.data.form.caption, cv::Format("Measurement Configuration - Memory %d", r.number));
  }
}

TEST(Dv8MemoryDataRules, OneRowPerCase) {
  struct RuleCase {
    const char* name;
    MemoryRecord start;
    std::function<void(MemoryData&)> act;
    std::string expected;
  };
  // The word as the memory opened: lower-case, as its check writes it.
  const std::string at48 = "T 48.25 " + cv::Format("%04x", cv::PllWord('T', 48.25) & 0xFFFF) + " ";
  const MemoryRecord cnRef = With(PalBg(), [](MemoryRecord& r) { r.meas = '7', r.cnRefFreq = 100; });
  const RuleCase cases[] = {
      {"POWER on PAL_BG", PalBg(), [](MemoryData& m) { m.EvLevelChange(2); },
       at48 + "36 s3 u0 m2 sf0 cn0 G4 b0"},
      {"DIGITAL on LEVEL", PalBg(), [](MemoryData& m) { m.EvStandChange(9); }, at48 + "36 s3 u0 m2 sf0 cn0 G4 b0"},
      {"LEVEL on DIGITAL POWER",
       With(PalBg(), [](MemoryRecord& r) { r.meas = '2', r.color = '3', r.std = '6', r.sound = '3'; }),
       [](MemoryData& m) { m.EvLevelChange(0); }, at48 + "00 s6 u0 m0 sf0 cn0 G0 b0"},
      {"V/A on DIGITAL POWER",
       With(PalBg(), [](MemoryRecord& r) { r.meas = '2', r.color = '3', r.std = '6', r.sound = '3'; }),
       [](MemoryData& m) { m.EvLevelChange(1); }, at48 + "00 s6 u0 m1 sf0 cn0 G0 b0"},
      {"C/N Ref is the fifth entry", PalBg(), [](MemoryData& m) { m.EvLevelChange(4); },
       at48 + "00 s6 u0 m7 sf0 cn0 G0 b0"},
      {"6.00 gives PAL_I", PalBg(), [](MemoryData& m) { m.EvSoundChange(8); }, at48 + "02 s8 u0 m0 sf0 cn0 G0 b0"},
      {"6.50 (AM) gives SECAM_L", PalBg(), [](MemoryData& m) { m.EvSoundChange(10); },
       at48 + "13 sA u0 m0 sf0 cn0 G0 b0"},
      {"5.74 on SECAM_BG gives PAL_BG", Sounding('1', '0', '6'), [](MemoryData& m) { m.EvSoundChange(7); },
       at48 + "00 s7 u0 m0 sf0 cn0 G0 b0"},
      {"NICAM is the twelfth entry, kept on PAL_I", Sounding('0', '2', '8'), [](MemoryData& m) { m.EvSoundChange(11); },
       at48 + "02 sD u0 m0 sf0 cn0 G0 b0"},
      {"T.BROAD is the last entry", PalBg(), [](MemoryData& m) { m.EvSoundChange(12); },
       at48 + "00 sF u0 m0 sf5.5 cn0 G0 b0"},
      {"PAL_DK turns 5.50 into 6.50 (FM)", PalBg(), [](MemoryData& m) { m.EvStandChange(1); },
       at48 + "01 s9 u0 m0 sf0 cn0 G0 b0"},
      {"PAL_DK turns NICAM into 6.50 (FM)", Sounding('0', '0', 'D'), [](MemoryData& m) { m.EvStandChange(1); },
       at48 + "01 s9 u0 m0 sf0 cn0 G0 b0"},
      {"PAL_BG keeps NICAM", Sounding('0', '1', 'D'), [](MemoryData& m) { m.EvStandChange(0); },
       at48 + "00 sD u0 m0 sf0 cn0 G0 b0"},
      {"PAL_BG keeps 5.74", Sounding('0', '1', '7'), [](MemoryData& m) { m.EvStandChange(0); },
       at48 + "00 s7 u0 m0 sf0 cn0 G0 b0"},
      {"NTSC_M on a DIGITAL POWER memory",
       With(PalBg(), [](MemoryRecord& r) { r.meas = '2', r.color = '3', r.std = '6', r.sound = '3'; }),
       [](MemoryData& m) { m.EvStandChange(8); }, at48 + "24 s3 u0 m0 sf0 cn0 G0 b0"},
      {"900 MHz typed beeps and restores", PalBg(), [](MemoryData& m) { m.EvFreqChange("900"); },
       at48 + "00 s6 u0 m0 sf0 cn0 G0 b1"},
      {"4.99 MHz typed beeps and restores", PalBg(), [](MemoryData& m) { m.EvFreqChange("4.99"); },
       at48 + "00 s6 u0 m0 sf0 cn0 G0 b1"},
      {"an empty frequency changes nothing", PalBg(), [](MemoryData& m) { m.EvFreqChange(""); },
       at48 + "00 s6 u0 m0 sf0 cn0 G0 b0"},
      {"450,5 is 450.5 MHz", PalBg(), [](MemoryData& m) { m.EvFreqChange("450,5"); },
       "T 450.5 " + Word(450.5) + " 00 s6 u0 m0 sf0 cn0 G0 b0"},
      {"862 MHz is taken", PalBg(), [](MemoryData& m) { m.EvFreqChange("862"); },
       "T 862 " + Word(862) + " 00 s6 u0 m0 sf0 cn0 G0 b0"},
      {"C/N reference 900 beeps and empties", cnRef, [](MemoryData& m) { m.NoiseChange("900"); },
       at48 + "00 s6 u0 m7 sf0 cn100 G0 b1"},
      {"C/N reference 4,5 beeps", cnRef, [](MemoryData& m) { m.NoiseChange("4,5"); },
       at48 + "00 s6 u0 m7 sf0 cn100 G0 b1"},
      {"C/N reference 300,5", cnRef, [](MemoryData& m) { m.NoiseChange("300,5"); },
       at48 + "00 s6 u0 m7 sf0 cn300.5 G0 b0"},
  };
  for (const RuleCase& c : cases) {
    SCOPED_TRACE(c.name);
    DataRig rig;
    ASSERT_TRUE(rig.data.OpenRecord(c.start));
    c.act(rig.data);
    EXPECT_EQ(Summary(rig), c.expected);
    EXPECT_FALSE(rig.dataView.hourglass);
  }
}

// What the edits show after a refused value: the frequency its previous value, the C/N
// reference nothing; POWER leaves the units list on and the sound list off.
TEST(Dv8MemoryDataRules, EditsAndListsAfterTheirRules) {
  DataRig rig;
  const cv::mem::MemoryDataForm& f = rig.data.form;
  ASSERT_TRUE(rig.data.OpenRecord(With(PalBg(), [](MemoryRecord& r) { r.meas = '7', r.cnRefFreq = 100; })));
  EXPECT_EQ(f.noise.text, "100,00");
  rig.data.EvFreqChange("900");
  EXPECT_EQ(f.freq.text, "48,25");
  rig.data.NoiseChange("900");
  EXPECT_EQ(f.noise.text, "");
  ASSERT_TRUE(rig.data.OpenRecord(PalBg()));
  rig.data.EvLevelChange(2);  // POWER
  EXPECT_EQ(f.standard.items.at(f.standard.index), "DIGITAL");
  EXPECT_EQ(f.sound.items.size(), 0u);
  EXPECT_FALSE(f.sound.enabled);
  EXPECT_TRUE(f.units.enabled);
  EXPECT_EQ(f.units.items.at(f.units.index), "dBuV");
}

// Which carriers a change to PAL_I or SECAM_L replaces, for every sound code of the record.
TEST(Dv8MemoryDataRules, SoundsReplacedByPalIAndSecamL) {
  struct Case {
    char sound, afterI, afterL;
  };
  const Case cases[] = {
      {'0', '0', '0'}, {'1', '1', '1'}, {'2', '2', '2'}, {'3', '3', '3'}, {'4', '4', '4'}, {'5', '8', 'A'},
      {'6', '8', 'A'}, {'7', '8', 'A'}, {'8', '8', 'A'}, {'9', '8', 'A'}, {'A', '8', 'A'}, {'B', '8', 'A'},
      {'C', '8', 'A'}, {'D', 'D', 'D'}, {'E', '8', 'A'}, {'F', 'F', 'F'},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(1, c.sound));
    // From PAL_N, which neither I nor L is, on a POWER memory: the measure goes back to LEVEL.
    const MemoryRecord start = With(Sounding('0', '5', c.sound), [](MemoryRecord& r) {
      r.meas = '2';
      if (r.sound == '4' || r.sound == 'F') r.soundFreq = 5.5f;
    });
    for (int entry : {2, 6}) {
      DataRig rig;
      ASSERT_TRUE(rig.data.OpenRecord(start));
      rig.data.EvStandChange(entry);
      const MemoryRecord& r = rig.data.w.r;
      EXPECT_EQ(r.sound, entry == 2 ? c.afterI : c.afterL) << entry;
      EXPECT_EQ(std::string({r.color, r.std}), entry == 2 ? "02" : "13");
      EXPECT_EQ(r.meas, '0');
      EXPECT_EQ(r.units, '0');
    }
  }
}

// The units list maps by name: dBuV '0', dBm '2', dB '3'; a memory in dBmV shows no entry and
// keeps its code until one is chosen.
TEST(Dv8MemoryDataRules, UnitsByName) {
  DataRig rig;
  const cv::mem::MemoryDataForm& f = rig.data.form;
  ASSERT_TRUE(rig.data.OpenRecord(PalBg()));
  EXPECT_EQ(f.units.items, std::vector<std::string>({"dBuV", "dBm", "dB"}));
  const char stored[] = {'0', '2', '3'};
  for (int entry : {1, 2, 0}) {
    rig.data.EvUnitsChange(entry);
    EXPECT_EQ(rig.data.w.r.units, stored[entry]) << entry;
    EXPECT_EQ(f.units.index, entry);
  }
  struct Shown {
    char code;
    int entry;
  };
  for (Shown s : {Shown{'0', 0}, Shown{'1', -1}, Shown{'2', 1}, Shown{'3', 2}}) {
    SCOPED_TRACE(s.code);
    const MemoryRecord in = With(PalBg(), [&](MemoryRecord& r) { r.units = s.code; });
    ASSERT_TRUE(rig.data.OpenRecord(in));
    EXPECT_EQ(f.units.index, s.entry);
    rig.data.EvNameChange("ABCD");  // another field changed: the units stay
    MemoryRecord back;
    rig.data.StoreRecord(back);
    EXPECT_EQ(back.units, s.code);
  }
  // The dBmV memory takes what the user picks.
  ASSERT_TRUE(rig.data.OpenRecord(With(PalBg(), [](MemoryRecord& r) { r.units = '1'; })));
  rig.data.EvUnitsChange(0);
  EXPECT_EQ(rig.data.w.r.units, '0');
}

TEST(Dv8MemoryDataShow, ListsThroughTheCodeTables) {
  DataRig rig;
  const cv::mem::MemoryDataForm& f = rig.data.form;
  ASSERT_TRUE(rig.data.OpenRecord(PalBg()));
  EXPECT_EQ(f.band.items, std::vector<std::string>({"TER"}));
  EXPECT_EQ(f.band.index, 0);
  EXPECT_EQ(f.level.items, std::vector<std::string>({"LEVEL", "V/A", "POWER", "C/N Auto", "C/N Ref"}));
  EXPECT_EQ(f.standard.items, std::vector<std::string>({"PAL_BG", "PAL_DK", "PAL_I", "PAL_M", "PAL_N", "SECAM_BG",
                                                        "SECAM_L", "SECAM_DK", "NTSC_M", "DIGITAL"}));
  EXPECT_EQ(f.sound.items, std::vector<std::string>({"AM", "FM", "LEVEL", "OFF", "T.NARROW", "4.50", "5.50", "5.74",
                                                     "6.00", "6.50 (FM)", "6.50 (AM)", "NICAM", "T.BROAD"}));
  for (const cv::mem::ComboState* c : {&f.lnbSup, &f.codeRate, &f.modulation, &f.specInv, &f.carriers, &f.interval})
    EXPECT_TRUE(c->items.empty());
  EXPECT_FALSE(f.lnbSup.enabled);
  EXPECT_FALSE(f.modulation.enabled);
  rig.data.EvModulationChange(2);
  EXPECT_EQ(rig.data.w.r.modulation, 0);

  // Each level entry selects the measure of its code and shows back on that entry.
  const char measures[] = {'0', '1', '2', '3', '7'};
  for (int entry = 0; entry < 5; ++entry) {
    ASSERT_TRUE(rig.data.OpenRecord(With(PalBg(), [&](MemoryRecord& r) { r.meas = measures[entry], r.cnRefFreq = 50; })));
    EXPECT_EQ(f.level.index, entry);
  }
  // Each standard pair and each sound code shows its entry; others none.
  struct Standard {
    const char* code;
    const char* shown;
  };
  for (Standard s : {Standard{"00", "PAL_BG"}, Standard{"13", "SECAM_L"}, Standard{"11", "SECAM_DK"},
                     Standard{"24", "NTSC_M"}, Standard{"36", "DIGITAL"}, Standard{"30", "DIGITAL"},
                     Standard{"07", ""}, Standard{"26", ""}, Standard{"40", ""}}) {
    SCOPED_TRACE(s.code);
    ASSERT_TRUE(rig.data.OpenRecord(With(PalBg(), [&](MemoryRecord& r) { r.color = s.code[0], r.std = s.code[1]; })));
    EXPECT_EQ(f.standard.index < 0 ? std::string() : f.standard.items.at(f.standard.index), s.shown);
  }
  struct Sound {
    char code;
    int entry;
    bool subcarrier;
  };
  for (Sound s : {Sound{'0', 0, false}, Sound{'4', 4, true}, Sound{'9', 9, false}, Sound{'A', 10, false},
                  Sound{'D', 11, false}, Sound{'F', 12, true}, Sound{'B', -1, false}, Sound{'E', -1, false}}) {
    SCOPED_TRACE(s.code);
    ASSERT_TRUE(rig.data.OpenRecord(With(PalBg(), [&](MemoryRecord& r) { r.sound = s.code, r.soundFreq = 6; })));
    EXPECT_EQ(f.sound.index, s.entry);
    EXPECT_EQ(f.soundSub.enabled, s.subcarrier);
    EXPECT_EQ(f.soundSub.text, s.subcarrier ? "6,00" : "");
  }
  EXPECT_TRUE(rig.prompter.shown.empty());  // no show step fails on data that opened
}

// Each layout mode as the controls it leaves enabled.
TEST(Dv8MemoryDataShow, LayoutModes) {
  struct Case {
    const char* name;
    MemoryRecord record;
    int mode;
    const char* enabled;
  };
  auto ber = [](char meas) {
    return With(PalBg(), [meas](MemoryRecord& r) {
      r.meas = meas, r.color = '3', r.std = '6', r.sound = '3', r.symRate = 6875;
    });
  };
  const Case cases[] = {
      {"LEVEL", PalBg(), 0, "sound soundSub units"},
      {"V/A", With(PalBg(), [](MemoryRecord& r) { r.meas = '1'; }), 0, "sound soundSub units"},
      {"C/N Ref", With(PalBg(), [](MemoryRecord& r) { r.meas = '7', r.cnRefFreq = 100; }), 0,
       "sound soundSub units noise"},
      {"POWER", With(PalBg(), [](MemoryRecord& r) { r.meas = '2'; }), 4, "units"},
      {"a terrestrial BER(QPSK) memory", ber('4'), 0, "sound soundSub units"},
      {"BER(QAM)", ber('5'), 1, "symRate specInv"},
      {"BER(COFDM)", ber('6'), 1, "carriers interval"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    DataRig rig;
    ASSERT_TRUE(rig.data.OpenRecord(c.record));
    EXPECT_EQ(rig.data.layoutMode, c.mode);
    EXPECT_EQ(memtest4::EnabledControls(rig.data.form), c.enabled);
    EXPECT_EQ(rig.data.form.symRate.text, "");  // the meter's dialog shows no symbol rate
    EXPECT_EQ(rig.data.form.lnbOsc.text, "");
  }
}

// OK gives back every field; a band the list lacks shows no entry.
TEST(Dv8MemoryDataStore, WhatGoesBack) {
  DataRig rig;
  const MemoryRecord in = With(PalBg(), [](MemoryRecord& r) {
    r.nPlan = 7, r.codePlan = 0x21, r.units = '3', r.meas = '7', r.cnRefFreq = 200, r.lnbSup = '2';
  });
  ASSERT_TRUE(rig.data.OpenRecord(in));
  MemoryRecord back;
  rig.data.StoreRecord(back);
  EXPECT_EQ(back, in);

  ASSERT_TRUE(rig.data.OpenRecord(With(PalBg(), [](MemoryRecord& r) { r.band = 'X'; })));
  EXPECT_EQ(rig.data.form.band.index, -1);
  rig.data.EvBandChange(0);  // TER: back to the band's default frequency
  EXPECT_EQ(rig.data.w.r.band, 'T');
  EXPECT_EQ(rig.data.w.r.freq, 450.0f);
  EXPECT_EQ(rig.data.form.band.index, 0);
}
