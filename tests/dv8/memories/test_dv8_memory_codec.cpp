// The DV-800 memory record line both ways, the checks of a received line with their error
// report, and the compatibility check against the meter's options.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>

#include "Dv8MemoryKit.h"

using cv::dv8::Dv8MemoryCodec;
using cv::dv8::InstalledOptions;
using namespace cv::mem;
using memtest8::Rig;

namespace {

// A terrestrial memory 3 "AB1Z" at 471.25 MHz of measure `meas`, with the settings that measure
// carries.
MemoryRecord Record(char meas) {
  MemoryRecord r;
  r.number = 3;
  std::memcpy(r.label, "AB1Z", 5);
  r.band = 'T';
  r.color = '0';
  r.std = '1';
  r.freq = 471.25f;
  r.chFr = '1';
  r.nPlan = 5;
  r.codePlan = 12;
  r.units = '2';
  r.lnbSup = '3';
  r.meas = meas;
  r.sound = '5';
  r.bw = 8.0f;
  r.lnbOsc = 9750.0f;
  if (IsBerMeasure(meas)) {
    r.std = '6';
    r.color = '3';
    r.units = '0';
    r.sound = 0;
  }
  return r;
}

MemErrors Errors(std::initializer_list<MemError> kinds) {
  MemErrors e;
  for (MemError k : kinds) e.set(k);
  return e;
}

}  // namespace

TEST(Dv8MemoryCodec, EveryMeasureTypeBothWays) {
  struct Case {
    const char* name;
    std::function<void(MemoryRecord&)> set;
    const char* line;
    MemErrors errors;
  };
  const Case cases[] = {
      {"Level", [](MemoryRecord& r) { r.meas = '0'; }, "*SR03AB1ZT127db1050c230050000032017cdc028f", {}},
      {"V/A, narrow sound", [](MemoryRecord& r) { r.meas = '1'; r.sound = '4'; r.soundFreq = 6.5f; },
       "*SR03AB1ZT127db1050c2310406b8032017cdc028f", {}},
      {"Power, broad sound", [](MemoryRecord& r) { r.meas = '2'; r.sound = 'F'; r.soundFreq = 5.5f; },
       "*SR03AB1ZT127db1050c2320F0654032017cdc028f", {}},
      {"C/N Auto", [](MemoryRecord& r) { r.meas = '3'; }, "*SR03AB1ZT127db1050c233050000032017cdc028f", {}},
      {"C/N Ref", [](MemoryRecord& r) { r.meas = '7'; r.cnRefFreq = 100.0f; },
       "*SR03AB1ZT127db1050c237050000032017cdc0ada", {}},
      {"BER QPSK on the satellite band",
       [](MemoryRecord& r) {
         r = Record('4');
         r.band = 'S';
         r.freq = 1200.0f;
         r.specInv = '2';
         r.codeRate = '7';
         r.symRate = 27500;
       },
       "*SR03AB1ZS2347c1050c034376b6c032017cdc85dc", Errors({ErrFreqSat})},
      {"BER QAM", [](MemoryRecord& r) { r = Record('5'); r.specInv = '1'; r.modulation = '4'; r.symRate = 6900; },
       "*SR03AB1ZT127db1050c035341af4032017cdc028f", {}},
      {"BER COFDM", [](MemoryRecord& r) { r = Record('6'); r.carriers = '4'; r.guardInt = '2'; },
       "*SR03AB1ZT427db1050c03632032017cdc028f", {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    MemoryRecord r = Record('0');
    c.set(r);
    Dv8MemoryCodec codec;
    const std::string line = codec.Encode(r);
    EXPECT_EQ(line, c.line);
    EXPECT_EQ(line.size(), r.meas == '6' ? 38u : 42u);
    EXPECT_TRUE(codec.Sendable(line, r));
    MemoryRecord back;
    const DecodedMemory d = codec.Decode(line, back);
    ASSERT_TRUE(d.complete);
    EXPECT_EQ(d.index, 2);
    EXPECT_EQ(d.errors, c.errors);
    // The fields the line carries come back as they went.
    EXPECT_EQ(codec.Encode(back), line);
    EXPECT_STREQ(back.label, "AB1Z");
    EXPECT_EQ(back.band, r.band);
    EXPECT_FLOAT_EQ(back.freq, r.freq);
    EXPECT_EQ(back.meas, r.meas);
    EXPECT_EQ(back.nPlan, 5);
    EXPECT_EQ(back.codePlan, 12);
    if (r.meas == '7') {
      EXPECT_FLOAT_EQ(back.cnRefFreq, 100.0f);
    }
    if (r.meas == '4' || r.meas == '5') {
      EXPECT_EQ(back.symRate, r.symRate);
    }
    if (r.meas == '6') {
      EXPECT_EQ(back.carriers, '4');
      EXPECT_EQ(back.guardInt, '2');
      EXPECT_FLOAT_EQ(back.bw, 8.0f);
    }
    if (HasManualSound(r.sound)) {
      EXPECT_NEAR(back.soundFreq, r.soundFreq, 0.006);
    }
  }
}

TEST(Dv8MemoryCodec, WordsOfTheLine) {
  Dv8MemoryCodec codec;
  MemoryRecord r = Record('0');
  std::string line = codec.Encode(r);
  EXPECT_EQ(line.substr(11, 4), "27db");  // (471.25 + 38.9) x 20
  EXPECT_EQ(line.substr(38, 4), "028f");
  // A COFDM line holds the bandwidth at 25.
  MemoryRecord cofdm = Record('6');
  cofdm.carriers = '0';
  cofdm.guardInt = '1';
  EXPECT_EQ(codec.Encode(cofdm).substr(25, 4), "0320");
  // An oscillator of 0 goes out as 9750.0 and stays so in the record.
  r.lnbOsc = 0;
  line = codec.Encode(r);
  EXPECT_EQ(line.substr(33, 5), "17cdc");
  EXPECT_FLOAT_EQ(r.lnbOsc, 9750.0f);
  // The oscillator is cut, every other word rounded.
  r.lnbOsc = 9750.09f;
  EXPECT_EQ(codec.Encode(r).substr(33, 5), "17cdc");
  r.bw = 8.005f;
  EXPECT_EQ(codec.Encode(r).substr(29, 4), "0321");
  MemoryRecord sat = Record('0');
  sat.band = 'S';
  sat.freq = 1200.0f;
  EXPECT_EQ(codec.Encode(sat).substr(38, 4), "85dc");
  // A symbol rate that failed its check widens its field: the line is not sent.
  MemoryRecord wide = Record('5');
  wide.specInv = '1';
  wide.modulation = '2';
  wide.symRate = 99999;
  const std::string widened = codec.Encode(wide);
  EXPECT_EQ(widened.size(), 43u);
  EXPECT_FALSE(codec.Sendable(widened, wide));
}

// Received lines through the editor: what is stored and what the log says.
TEST(Dv8MemoryCodec, ReceivedLinesAndTheirReports) {
  const std::string good = cvsim::Dv8Profile::Dv8Record(3);
  auto with = [&](size_t at, const std::string& text) { return std::string(good).replace(at, text.size(), text); };
  struct Case {
    const char* name;
    std::string line;
    bool ok, stored;
    std::vector<std::string> log;
  };
  const Case cases[] = {
      {"a Level memory", good, true, true, {}},
      {"a satellite memory", cvsim::Dv8Profile::LoggerRecord(3, [] {
         auto m = cvsim::Dv8Profile::Dv8DefaultMemory(3);
         m.band = 'S';
         m.word = 13596;  // 1220 MHz
         return m;
       }()),
       false, true, {"Error(s) in memory number 3:", " Frequency: 1220 (5-862)"}},
      {"plan 32", with(16, "20"), false, true, {"Error(s) in memory number 3:", " Number of Plan:32 (0-32)"}},
      {"a C/N reference outside 5..862", with(22, "7").replace(38, 4, "466c"), false, true,
       {"Error(s) in memory number 3:", " C/N reference frequency: 862.5 (5-862)"}},
      {"a C/N reference of 1000 MHz", with(22, "7").replace(38, 4, "512a"), false, true,
       {"Error(s) in memory number 3:", " C/N reference frequency: 1000 (5-862)"}},
      {"37 characters", good.substr(0, 37), false, false,
       {"Bad SR answer from equipment:", good.substr(0, 37), "Error(s) in memory number 1:"}},
      {"a garbled bandwidth", with(30, "x"), false, false,
       {"Bad SR answer from equipment:", with(30, "x"), "Error(s) in memory number 1:"}},
      {"a garbled C/N word", with(41, "g"), false, false,
       {"Bad SR answer from equipment:", with(41, "g"), "Error(s) in memory number 1:"}},
      {"numbered 00", with(3, "00"), false, false,
       {"Error. The answer for memory number 3 names memory number 00: nothing stored"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Rig rig;
    rig.editor.records[2].number = 77;  // a marker: stored over only by a line taken
    rig.editor.records[0].number = 55;
    EXPECT_EQ(rig.editor.DecodeMemoryRecord(c.line, 3), c.ok);
    EXPECT_EQ(rig.Log(), c.log);
    EXPECT_EQ(rig.editor.records[2].number, c.stored ? 3 : 77);
    EXPECT_EQ(rig.editor.records[0].number, 55);
  }
}

TEST(Dv8MemoryCodec, TheErrorReportInItsOrder) {
  Rig rig;
  MemoryRecord r = Record('0');
  r.band = 'X';
  r.meas = 'Y';
  r.specInv = '7';
  r.carriers = '2';
  r.std = '9';
  r.freq = 900.5f;
  r.chFr = '3';
  r.nPlan = 40;
  r.units = '5';
  r.lnbSup = '8';
  r.color = '6';
  r.codeRate = '9';
  r.modulation = '5';
  r.guardInt = '4';
  r.sound = '!';
  r.symRate = 500;
  r.soundFreq = 9.5f;
  r.bw = 90.0f;
  r.lnbOsc = 60000.0f;
  r.cnRefFreq = 1.25f;
  MemErrors all;
  all.set();
  all.reset(ErrNumber);
  all.reset(ErrFreqTer);
  rig.editor.ReportMemoryErrors(all, r, 6);
  EXPECT_EQ(rig.Log(), (std::vector<std::string>{"Error(s) in memory number 7:",
                                                 " Band: X (T-S)",
                                                 " Measurement: Y (0-7)",
                                                 " Spectral Inversion (QPSK)7 (0-2)",
                                                 " Spectral Inversion (QAM)7 (0-1)",
                                                 " Number of Carriers: 2 (0,4)",
                                                 " TV Standard: 9 (0-7)",
                                                 " Frequency: 900.5 (5-862)",
                                                 " Tuning mode:3 (0-1)",
                                                 " Number of Plan:40 (0-32)",
                                                 " Number of Plan: no number in the field",
                                                 " Units: 5 (0-3)",
                                                 " LNB Supply: 8 (0-7)",
                                                 " Color TV: 6 (0-3)",
                                                 " Code Rate: 9 (0-8)",
                                                 " Modulation Type: 5 (0-4)",
                                                 " Interval COFDM: 4 (0-3)",
                                                 " Sound: ! (0-F)",
                                                 " Symbol Rate (bps): 500 (1000-45000)",
                                                 " Tune sound manual frequency: 9.5 (4.0-9.0)",
                                                 " Channel bandwidth: 90 (0.1-81.91)",
                                                 " LNB frequency: 60000 (0-52428.7)",
                                                 " C/N reference frequency: 1.25 (5-862)",
                                                 " Measurement must be in TER",
                                                 " Measurement must be in SAT",
                                                 " Specific QPSK meas. has been replaced by BER",
                                                 " Specific QAM meas. has been replaced by BER",
                                                 " Specific COFDM meas. has been replaced by BER"}));
}

TEST(Dv8MemoryCodec, CompatibilityWithTheMetersOptions) {
  InstalledOptions dv800;
  cv::dv8::TDV8Equip::ReadInstalledOptions(dv800);
  InstalledOptions all;
  std::fill(std::begin(all.flags), std::end(all.flags), 1);
  InstalledOptions noTer = all;
  noTer.flags[InstalledOptions::kTerrestrialBand] = 0;
  auto at = [](char meas, char band, float mhz) {
    MemoryRecord r = Record(meas);
    r.band = band;
    r.freq = mhz;
    return r;
  };
  InstalledOptions noLow = all;
  noLow.flags[InstalledOptions::kBelow45MHz] = 0;
  noLow.flags[InstalledOptions::kBerCofdm] = 0;
  struct Case {
    const char* name;
    MemoryRecord record;
    InstalledOptions options;
    bool ok;
    std::vector<std::string> log;
  };
  const Case cases[] = {
      {"terrestrial Level on the DV-800", at('0', 'T', 471.25f), dv800, true, {}},
      {"40 MHz on the DV-800", at('0', 'T', 40.0f), dv800, true, {}},
      {"satellite on the DV-800", at('0', 'S', 1200.0f), dv800, false,
       {"Memory 9: connected equipment has not SAT band"}},
      {"COFDM on the DV-800", at('6', 'T', 474.0f), dv800, false, {"Memory 9: COFDM not supported."}},
      {"COFDM everywhere", at('6', 'T', 474.0f), all, true, {}},
      {"no TER band: no further check", at('6', 'T', 40.0f), noTer, false,
       {"Memory 9: connected equipment has not TER band"}},
      {"both later checks report", at('6', 'T', 40.0f), noLow, false,
       {"Memory 9: 40.00 MHz not supported.", "Memory 9: COFDM not supported."}},
      {"45.00 MHz needs no low-frequency option", at('0', 'T', 45.0f), noLow, true, {}},
      {"44.95 MHz does", at('0', 'T', 44.95f), noLow, false, {"Memory 9: 44.95 MHz not supported."}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::vector<std::string> log;
    EXPECT_EQ(cv::dv8::CheckMemoryCompatible(c.record, 8, c.options,
                                             [&](const std::string& l) { log.push_back(l); }),
              c.ok);
    EXPECT_EQ(log, c.log);
  }
}
