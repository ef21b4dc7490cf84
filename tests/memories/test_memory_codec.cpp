// The "*SR" record both ways, its range checks and their log lines, and the setting tables.
#include <gtest/gtest.h>

#include <cmath>

#include "MemoryRecord.h"
#include "MemoryTables.h"
#include "MemoryTestKit.h"

using namespace cv::mem;
using memtest::Rig;

namespace {

// A record text from its fields, so that each case names what it changes.
struct Parts {
  std::string number = "01", label = "TV01";
  char band = 'T', p10 = '0';
  std::string word = "06cf";
  char chFr = '1';
  std::string nPlan = "00", codePlan = "01";
  char units = '0', lnbSup = '0', meas = '0', color = '0', p24 = '0';
  std::string p25 = "0000", bw = "0320", lnb = "17cdc", cn = "028f";
  std::string Text() const {
    return "*SR" + number + label + band + p10 + word + chFr + nPlan + codePlan + units + lnbSup + meas + color +
           p24 + (meas == '6' ? "" : p25) + bw + lnb + cn;
  }
};

MemoryRecord Level() {
  MemoryRecord r;
  r.number = 1;
  std::memcpy(r.label, "TV01", 5);
  r.band = 'T';
  r.color = '0';
  r.std = '0';
  r.freq = 48.25f;
  r.chFr = '1';
  r.codePlan = 1;
  r.units = '0';
  r.lnbSup = '0';
  r.meas = '0';
  r.sound = '0';
  r.bw = 8.0f;
  r.lnbOsc = 9750.0f;
  r.cnRefFreq = -6.15f;
  return r;
}

MemoryRecord Satellite(MemoryRecord r) {
  r.band = 'S';
  r.freq = 1500.0f;
  r.bw = 27.0f;
  r.lnbOsc = 10600.0f;
  r.cnRefFreq = -292.0f;
  return r;
}

struct CodecCase {
  const char* name;
  Parts parts;
  MemoryRecord record;
  bool decodes = true;  // false: a value float cannot hold exactly, checked on the way out only
};

std::vector<CodecCase> CodecCases() {
  std::vector<CodecCase> cases;
  auto sat = [](Parts p) {
    p.band = 'S';
    p.word = "3ddc";
    p.bw = "0a8c";
    p.lnb = "19e10";
    p.cn = "85dc";
    return p;
  };
  {
    cases.push_back({"level_ter", Parts{}, Level()});
  }
  {
    Parts p = sat(Parts{});
    p.meas = '1';
    p.p10 = '7';
    p.color = '2';
    p.units = '3';
    p.lnbSup = '7';
    p.p24 = 'D';
    p.nPlan = "1f";
    p.codePlan = "ff";
    p.chFr = '0';
    MemoryRecord r = Satellite(Level());
    r.meas = '1';
    r.std = '7';
    r.color = '2';
    r.units = '3';
    r.lnbSup = '7';
    r.sound = 'D';
    r.nPlan = 31;
    r.codePlan = 255;
    r.chFr = '0';
    cases.push_back({"va_sat", p, r});
  }
  {
    Parts p;
    p.meas = '2';
    p.p24 = '4';
    p.p25 = "06b8";  // (6.5 + 10.7) x 100 = 1720
    p.units = '2';
    MemoryRecord r = Level();
    r.meas = '2';
    r.sound = '4';
    r.soundFreq = 6.5f;
    r.units = '2';
    cases.push_back({"power_manual_sound", p, r});
  }
  {
    Parts p = sat(Parts{});
    p.meas = '3';
    p.p10 = '7';
    p.p24 = 'F';
    p.p25 = "05f0";  // (4.5 + 10.7) x 100 = 1520
    MemoryRecord r = Satellite(Level());
    r.meas = '3';
    r.std = '7';
    r.sound = 'F';
    r.soundFreq = 4.5f;
    cases.push_back({"cn_auto_broad_sound", p, r});
  }
  {
    Parts p = sat(Parts{});
    p.meas = '4';
    p.p10 = '2';
    p.color = '3';
    p.p24 = '3';
    p.p25 = "6b6c";  // 27500
    MemoryRecord r = Satellite(Level());
    r.meas = '4';
    r.std = '6';
    r.specInv = '2';
    r.color = '3';
    r.codeRate = '3';
    r.symRate = 27500;
    r.sound = 0;
    cases.push_back({"ber_qpsk", p, r});
  }
  {
    Parts p;
    p.meas = '5';
    p.p10 = '1';
    p.color = '3';
    p.p24 = '4';
    p.p25 = "1af4";  // 6900
    MemoryRecord r = Level();
    r.meas = '5';
    r.std = '6';
    r.specInv = '1';
    r.color = '3';
    r.modulation = '4';
    r.symRate = 6900;
    r.sound = 0;
    cases.push_back({"ber_qam", p, r});
  }
  {
    Parts p;
    p.meas = '6';
    p.p10 = '4';
    p.color = '3';
    p.p24 = '2';
    MemoryRecord r = Level();
    r.meas = '6';
    r.std = '6';
    r.carriers = '4';
    r.color = '3';
    r.guardInt = '2';
    r.sound = 0;
    cases.push_back({"ber_cofdm", p, r});
  }
  {
    Parts p;
    p.meas = '7';
    p.cn = "0ada";  // (100 + 38.9) x 20 = 2778
    MemoryRecord r = Level();
    r.meas = '7';
    r.cnRefFreq = 100.0f;
    cases.push_back({"cn_ref_ter", p, r});
  }
  {
    Parts p = sat(Parts{});
    p.meas = '7';
    p.p10 = '7';
    p.cn = "b47c";  // (1200 + 479.5) x 8 = 13436, plus bit 15
    MemoryRecord r = Satellite(Level());
    r.meas = '7';
    r.std = '7';
    r.cnRefFreq = 1200.0f;
    cases.push_back({"cn_ref_sat", p, r});
  }
  {
    Parts p;
    p.meas = '2';
    p.p24 = '4';
    p.p25 = "066c";  // (5.74 + 10.7) x 100 = 1644: rounded, not cut
    p.units = '2';
    MemoryRecord r = Level();
    r.meas = '2';
    r.sound = '4';
    r.soundFreq = 5.74f;
    r.units = '2';
    cases.push_back({"power_manual_sound_inexact", p, r, false});
  }
  return cases;
}

TEST(MemoryCodec, EveryMeasureTypeBothWays) {
  for (const CodecCase& c : CodecCases()) {
    SCOPED_TRACE(c.name);
    const std::string text = c.parts.Text();
    MemoryRecord source = c.record;
    EXPECT_EQ(EncodeMemoryRecord(source), text);
    if (!c.decodes) continue;
    MemoryRecord decoded;
    DecodedMemory d = DecodeMemoryRecord(text, decoded);
    EXPECT_TRUE(d.complete);
    EXPECT_EQ(d.index, 0);
    EXPECT_TRUE(d.errors.none()) << d.errors;
    EXPECT_EQ(decoded, c.record);
  }
}

TEST(MemoryCodec, CofdmRecordIs38CharactersWithBandwidthAt25) {
  MemoryRecord r = CodecCases()[6].record;
  std::string text = EncodeMemoryRecord(r);
  ASSERT_EQ(text.size(), 38u);
  EXPECT_EQ(text.substr(25, 4), "0320");
  EXPECT_EQ(text.substr(29, 5), "17cdc");
  EXPECT_EQ(text.substr(34, 4), "028f");
  EXPECT_TRUE(MemoryRecordSendable(text, '6'));
  EXPECT_FALSE(MemoryRecordSendable(text + "0000", '6'));
}

TEST(MemoryCodec, TuningLnbAndCnWords) {
  MemoryRecord ter = Level();
  EXPECT_EQ(EncodeMemoryRecord(ter).substr(11, 4), "06cf");  // 87.15 x 20 = 1743
  MemoryRecord sat = Satellite(Level());
  EXPECT_EQ(EncodeMemoryRecord(sat).substr(11, 4), "3ddc");  // 1979.5 x 8 = 15836
  EXPECT_EQ(EncodeMemoryRecord(sat).substr(38, 4), "85dc");
  EXPECT_EQ(EncodeMemoryRecord(ter).substr(38, 4), "028f");

  for (float lnb : {0.0f, 9750.04f}) {
    MemoryRecord r = Level();
    r.lnbOsc = lnb;
    EXPECT_EQ(EncodeMemoryRecord(r).substr(33, 5), "17cdc") << lnb;
    EXPECT_EQ(r.lnbOsc, lnb == 0 ? 9750.0f : lnb);
  }
  // Cut, not rounded, yet a typed tenth keeps its digit.
  MemoryRecord tenth = Level();
  tenth.lnbOsc = 9750.1f;
  EXPECT_EQ(EncodeMemoryRecord(tenth).substr(33, 5), "17cdd");
  MemoryRecord just = Level();
  just.lnbOsc = 9750.09f;
  EXPECT_EQ(EncodeMemoryRecord(just).substr(33, 5), "17cdc");

  // Neither fixed C/N word is range-tested on decoding; bit 15 is dropped from the satellite one.
  for (const char* cn : {"85dc", "028f", "ffff"}) {
    Parts p;
    p.cn = cn;
    MemoryRecord r;
    EXPECT_TRUE(DecodeMemoryRecord(p.Text(), r).errors.none()) << cn;
  }
}

TEST(MemoryCodec, FrequencyBoundsBothSides) {
  struct Case {
    char band;
    float mhz;
    bool ok;
  } cases[] = {{'T', 5.0f, true},     {'T', 4.95f, false},     {'T', 862.0f, true},   {'T', 862.05f, false},
               {'S', 862.1f, true},   {'S', 862.0f, false},    {'S', 2150.0f, true},  {'S', 2150.125f, false}};
  for (const Case& c : cases) {
    MemoryRecord r = c.band == 'S' ? Satellite(Level()) : Level();
    r.freq = c.mhz;
    std::string text = EncodeMemoryRecord(r);
    MemoryRecord back;
    DecodedMemory d = DecodeMemoryRecord(text, back);
    EXPECT_EQ(d.errors.none(), c.ok) << c.band << " " << c.mhz;
    EXPECT_EQ(d.errors.test(c.band == 'S' ? ErrFreqSat : ErrFreqTer), !c.ok);
  }
}

TEST(MemoryCodec, EachRangeErrorWithItsLogLines) {
  struct Case {
    const char* name;
    std::function<void(Parts&)> change;
    std::vector<std::string> lines;  // after the heading
  };
  const std::vector<Case> cases = {
      {"band", [](Parts& p) { p.band = 'X'; }, {" Band: X (T-S)"}},
      {"measure", [](Parts& p) { p.meas = '8'; }, {" Measurement: 8 (0-7)"}},
      {"qpsk inversion", [](Parts& p) { p.band = 'S', p.word = "3ddc", p.meas = '4', p.p10 = '3', p.p25 = "6b6c"; },
       {" Spectral Inversion (QPSK)3 (0-2)"}},
      {"qam inversion", [](Parts& p) { p.meas = '5', p.p10 = '2', p.p25 = "1af4"; },
       {" Spectral Inversion (QAM)2 (0-1)"}},
      {"carriers", [](Parts& p) { p.meas = '6', p.p10 = '2'; }, {" Number of Carriers: 2 (0,4)"}},
      {"standard", [](Parts& p) { p.p10 = '8'; }, {" TV Standard: 8 (0-7)"}},
      {"frequency sat", [](Parts& p) { p.band = 'S', p.word = "24dc"; }, {" Frequency: 700 (862.1-2150)"}},
      {"frequency ter low", [](Parts& p) { p.word = "0000"; }, {" Frequency: -38.9000015258789 (5-862)"}},
      {"frequency ter high", [](Parts& p) { p.word = "4663"; }, {" Frequency: 862.049987792969 (5-862)"}},
      {"tuning mode", [](Parts& p) { p.chFr = '2'; }, {" Tuning mode:2 (0-1)"}},
      {"plan number", [](Parts& p) { p.nPlan = "20"; }, {" Number of Plan:32 (0-32)"}},
      {"units", [](Parts& p) { p.units = '4'; }, {" Units: 4 (0-3)"}},
      {"lnb supply", [](Parts& p) { p.lnbSup = '8'; }, {" LNB Supply: 8 (0-7)"}},
      {"colour", [](Parts& p) { p.color = '4'; }, {" Color TV: 4 (0-3)"}},
      {"code rate", [](Parts& p) { p.band = 'S', p.word = "3ddc", p.meas = '4', p.p24 = '9', p.p25 = "6b6c"; },
       {" Code Rate: 9 (0-8)"}},
      {"modulation", [](Parts& p) { p.meas = '5', p.p24 = '5', p.p25 = "1af4"; }, {" Modulation Type: 5 (0-4)"}},
      {"guard interval", [](Parts& p) { p.meas = '6', p.p24 = '4'; }, {" Interval COFDM: 4 (0-3)"}},
      {"sound", [](Parts& p) { p.p24 = '/'; }, {" Sound: / (0-F)"}},
      {"symbol rate low", [](Parts& p) { p.meas = '5', p.p25 = "03e7"; }, {" Symbol Rate (bps): 999 (1000-45000)"}},
      {"symbol rate high", [](Parts& p) { p.meas = '5', p.p25 = "afc9"; }, {" Symbol Rate (bps): 45001 (1000-45000)"}},
      {"sound frequency low", [](Parts& p) { p.p24 = '4', p.p25 = "05bd"; },
       {" Tune sound manual frequency: 3.99000000953674 (4.0-9.0)"}},
      {"sound frequency high", [](Parts& p) { p.p24 = 'F', p.p25 = "07b3"; },
       {" Tune sound manual frequency: 9.01000022888184 (4.0-9.0)"}},
      {"bandwidth low", [](Parts& p) { p.bw = "0009"; }, {" Channel bandwidth: 0.0900000035762787 (0.1-81.91)"}},
      {"bandwidth high", [](Parts& p) { p.bw = "2000"; }, {" Channel bandwidth: 81.9199981689453 (0.1-81.91)"}},
      {"lnb frequency", [](Parts& p) { p.lnb = "80000"; }, {" LNB frequency: 52428.80078125 (0-52428.7)"}},
      {"cn reference", [](Parts& p) { p.meas = '7', p.cn = "036d"; },
       {" C/N reference frequency: 4.94999980926514 (5-2150)"}},
      {"two at once, in table order", [](Parts& p) { p.color = '9', p.band = 'X'; },
       {" Band: X (T-S)", " Color TV: 9 (0-3)"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Parts p;
    c.change(p);
    MemoryRecord r;
    DecodedMemory d = DecodeMemoryRecord(p.Text(), r);
    ASSERT_TRUE(d.complete);
    std::vector<std::string> expected = {"Error(s) in memory number 1:"};
    expected.insert(expected.end(), c.lines.begin(), c.lines.end());
    EXPECT_EQ(MemoryErrorLines(d.errors, r, d.index), expected);
  }
  // The limits themselves pass.
  for (auto change : std::vector<std::function<void(Parts&)>>{
           [](Parts& p) { p.meas = '5', p.p25 = "03e8"; }, [](Parts& p) { p.meas = '5', p.p25 = "afc8"; },
           [](Parts& p) { p.p24 = '4', p.p25 = "05be"; }, [](Parts& p) { p.p24 = '4', p.p25 = "07b2"; },
           [](Parts& p) { p.bw = "000a"; }, [](Parts& p) { p.bw = "1fff"; }, [](Parts& p) { p.lnb = "7ffff"; },
           [](Parts& p) { p.nPlan = "1f"; }, [](Parts& p) { p.meas = '7', p.cn = "036e"; }}) {
    Parts p;
    change(p);
    MemoryRecord r;
    EXPECT_TRUE(DecodeMemoryRecord(p.Text(), r).errors.none()) << p.Text();
  }
}

TEST(MemoryCodec, ShortOrForeignRepliesChangeNothing) {
  Rig rig;
  MemoryRecord before = Level();
  rig.editor.records[0] = before;
  rig.editor.records[1] = before;
  const std::string reply37 = Parts{}.Text().substr(0, 37);
  EXPECT_FALSE(rig.editor.DecodeMemoryRecord(reply37, 1));
  EXPECT_EQ(rig.Log(), (std::vector<std::string>{"Bad SR answer from equipment:", reply37}));
  EXPECT_EQ(rig.editor.records[0], before);

  // Number 00, above 0x63 or another memory than the one asked for: nothing is stored anywhere.
  for (const char* number : {"00", "64", "ff", "02", "x1"}) {
    rig.host.Clear();
    Parts p;
    p.number = number;
    p.label = "NEW1";
    EXPECT_FALSE(rig.editor.DecodeMemoryRecord(p.Text(), 1)) << number;
    EXPECT_EQ(rig.Log(), (std::vector<std::string>{"Error. The answer for memory number 1 names memory number " +
                                                   std::string(number) + ": nothing stored"}));
    EXPECT_EQ(rig.editor.records[0], before);
    EXPECT_EQ(rig.editor.records[1], before);
  }
}

TEST(MemoryCodec, ClearedOrWidenedRecordsAreNotSendable) {
  MemoryRecord cleared;
  std::string text = EncodeMemoryRecord(cleared);
  EXPECT_EQ(text, "*SR00");
  EXPECT_FALSE(MemoryRecordSendable(text, cleared.meas));
  struct Widen {
    const char* name;
    std::function<void(MemoryRecord&)> change;
  } widen[] = {{"symbol rate", [](MemoryRecord& r) { r.meas = '5', r.symRate = 99999; }},
               {"bandwidth", [](MemoryRecord& r) { r.bw = 999.99f; }},
               {"lnb", [](MemoryRecord& r) { r.lnbOsc = 9999999.9f; }},
               {"frequency", [](MemoryRecord& r) { r.freq = 9999.0f; }},
               {"negative plan", [](MemoryRecord& r) { r.nPlan = -1; }},
               {"nan bandwidth", [](MemoryRecord& r) { r.bw = NAN; }}};
  for (const Widen& w : widen) {
    MemoryRecord r = Level();
    w.change(r);
    std::string t = EncodeMemoryRecord(r);
    bool sendable = MemoryRecordSendable(t, r.meas);
    EXPECT_EQ(sendable, std::string(w.name) == "nan bandwidth") << w.name << ": " << t;
  }
}

TEST(MemoryTables, CodesAndTextsInComboOrder) {
  auto codes = [](const std::vector<CodeText>& t) {
    std::string s;
    for (const CodeText& c : t) s += c.code;
    return s;
  };
  auto texts = [](const std::vector<CodeText>& t) {
    std::string s;
    for (const CodeText& c : t) s += c.text + "|";
    return s;
  };
  EXPECT_EQ(codes(BandTable()), "TS");
  EXPECT_EQ(texts(MeasureTable()), "LEVEL|V/A|POWER|C/N Auto|BER(QPSK)|BER(QAM)|BER(COFDM)|C/N Ref|");
  EXPECT_EQ(codes(MeasureTable()), "01234567");
  EXPECT_EQ(texts(UnitsTable()), "dBuV|dBmV|dBm|dB|");
  EXPECT_EQ(texts(LnbSupplyTable()), "EXT|13V|15V|18V|24V|13V+22KHz|15V+22KHz|18V+22KHz|");
  EXPECT_EQ(texts(CodeRateTable()), "AUTO|1/2|2/3|3/4|4/5|5/6|6/7|7/8|8/9|");
  EXPECT_EQ(codes(CodeRateTable()), "012345678");
  EXPECT_EQ(texts(ModulationTable()), "QAM16|QAM32|QAM64|QAM128|QAM256|");
  EXPECT_EQ(texts(SpecInvTable('S')), "AUTO|OFF|ON|");
  EXPECT_EQ(texts(SpecInvTable('T')), "OFF|ON|");
  EXPECT_EQ(codes(SpecInvTable('T')), "01");
  EXPECT_EQ(codes(CarriersTable()), "04");
  EXPECT_EQ(texts(CarriersTable()), "MODE 2K|MODE 8K|");
  EXPECT_EQ(texts(GuardIntervalTable()), "1/32|1/16|1/8|1/4|");
  EXPECT_EQ(codes(SoundTable()), "0123456789ABCDEF");
  EXPECT_EQ(texts(SoundTable()),
            "AM|FM|LEVEL|OFF|T.NARROW|4.50|5.50|5.74|6.00|6.50 (FM)|6.50 (AM)|5.80|6.65|NICAM|7.02|T.BROAD|");
  EXPECT_EQ(IndexOfCode(CarriersTable(), '4'), 1);
  EXPECT_EQ(IndexOfCode(SoundTable(), 'G'), -1);
}

TEST(MemoryTables, StandardPairsCodesAndIndexes) {
  const char* codes[kStandardCount] = {"00", "01", "02", "04", "05", "10", "13", "11", "24", "07", "17", "27", "36"};
  const char* texts[kStandardCount] = {"PAL_BG", "PAL_DK",   "PAL_I",     "PAL_M",    "PAL_N",   "SECAM_BG", "SECAM_L",
                                       "SECAM_DK", "NTSC_M", "PAL_SAT", "SECAM_SAT", "NTSC_SAT", "DIGITAL"};
  for (int i = 0; i < kStandardCount; ++i) {
    EXPECT_EQ(StandardCode(i), codes[i]) << i;
    EXPECT_EQ(StandardIndexOfCode(codes[i]), i);
    EXPECT_EQ(StandardTable()[i].text, texts[i]);
    EXPECT_EQ(StandardIndex(codes[i][0], codes[i][1]), i);
  }
  EXPECT_EQ(StandardCode(-1), "00");
  EXPECT_EQ(StandardCode(13), "00");
  EXPECT_EQ(StandardIndexOfCode("99"), 0);
  // The pairs the exact entries leave: PAL and SECAM with another standard, any digital pair.
  EXPECT_EQ(StandardIndex('0', '3'), 9);
  EXPECT_EQ(StandardIndex('1', '6'), 10);
  EXPECT_EQ(StandardIndex('3', '0'), 12);
  EXPECT_EQ(StandardIndex('2', '0'), -1);
  EXPECT_EQ(StandardIndex('4', '0'), -1);
}

}  // namespace
