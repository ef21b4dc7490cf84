// The CORVANE-4 memory record both ways in its two wire forms, its bad-field lines and the form
// the firmware version picks.
#include <gtest/gtest.h>

#include "Cv4MemoryCodec.h"
#include "MsgIds.h"

using cv::cv4::Cv4MemoryCodec;
using Form = Cv4MemoryCodec::Form;

namespace {

// A record with every field a memory of `meas` on `band` carries.
MemoryRecord Rec(int n, const char* label, char band, char meas, float freq) {
  MemoryRecord r = Cv4MemoryCodec("Cv4Tools 1.16").Cleared();
  r.number = n;
  std::snprintf(r.label, sizeof r.label, "%s", label);
  r.band = band;
  r.meas = meas;
  r.freq = freq;
  r.chFr = '1';
  r.nPlan = 3;
  r.codePlan = 18;
  r.lnbSup = '5';
  r.bw = 8.0f;
  r.lnbOsc = band == 'S' ? 10600.0f : 9750.0f;
  r.diseqC = band == 'S' ? '3' : 'f';
  switch (meas) {
    case '4':
    case '5':
      r.std = '6';
      r.color = '3';
      r.units = '0';
      r.specInv = '2';
      r.symRate = 27500;
      if (meas == '4') r.codeRate = '7';
      else r.modulation = '4';
      break;
    case '6':
      r.std = '6';
      r.color = '3';
      r.units = '0';
      r.carriers = '4';
      r.specInv = '2';
      r.guardInt = '4';
      break;
    default:
      r.std = band == 'S' ? '7' : '1';
      r.color = '0';
      r.units = '2';
      r.sound = 'F';
      r.soundFreq = 6.5f;
      if (meas == '7') r.cnRefFreq = band == 'S' ? 1200.0f : 100.0f;
  }
  return r;
}

// What the decoder makes of the C/N reference word other measures carry.
MemoryRecord WithDefaultCn(MemoryRecord r) {
  if (r.meas != '7') r.cnRefFreq = r.band == 'S' ? static_cast<float>(1500 * 0.125 - 479.5)
                                                 : static_cast<float>(655 * 0.05 - 38.9);
  return r;
}

std::vector<std::string> Lines(const std::string& reply, Form form = Form::SR) {
  MemoryRecord r = Cv4MemoryCodec("Cv4Tools 1.16").Cleared();
  cv::mem::DecodedMemory d = Cv4MemoryCodec::DecodeForm(form, reply, r);
  if (!d.complete) return {"<incomplete>"};
  if (d.errors.none()) return {};
  return Cv4MemoryCodec("Cv4Tools 1.16").ErrorLines(d.errors, r, d.index);
}

// Whole texts, piece by piece after the Part's position table.
const std::string kTerSr = std::string("*SR") + "0a" + "ABCD" + "T" + "1" + "2812" + "1" + "03" + "12" + "2" +
                           "5" + "0" + "0" + "H" + "0000" + "0320" + "17cdc" + "028f" + "f";
const std::string kTerXsr = std::string("*XSR") + "0a" + "ABCD" + "T" + "1" + "2812" + "1" + "03" + "12" + "2" +
                            "5" + "0" + "0" + "11" + "0000" + "0320" + "17cdc" + "028f" + "f";
const std::string kQpskSr = std::string("*SR") + "63" + "SAT1" + "S" + "2" + "347c" + "0" + "1f" + "c8" + "0" +
                            "5" + "4" + "3" + "7" + "6b6c" + "0e10" + "19e10" + "85dc" + "3";
const std::string kQpskXsr = std::string("*XSR") + "63" + "SAT1" + "S" + "2" + "347c" + "0" + "1f" + "c8" + "0" +
                             "5" + "4" + "3" + "07" + "6b6c" + "0e10" + "19e10" + "85dc" + "3";
const std::string kCofdmSr = std::string("*SR") + "01" + "DVBT" + "T" + "4" + "35d2" + "1" + "00" + "01" + "0" +
                             "0" + "6" + "3" + "4" + "0002" + "0320" + "17cdc" + "028f" + "f";

}  // namespace

TEST(Cv4MemoryCodec, WholeRecordsBothWays) {
  MemoryRecord ter = Rec(10, "ABCD", 'T', '0', 474.0f);
  ter.sound = 'H';
  ter.soundFreq = 0;  // not carried for this sound
  ter.units = '2';
  ter.lnbOsc = 0;  // sent as 9750
  MemoryRecord qpsk = Rec(99, "SAT1", 'S', '4', 1200.0f);
  qpsk.chFr = '0';
  qpsk.nPlan = 31;
  qpsk.codePlan = 200;
  qpsk.bw = 36.0f;
  MemoryRecord cofdm = Rec(1, "DVBT", 'T', '6', 650.0f);
  cofdm.nPlan = 0;
  cofdm.codePlan = 1;
  cofdm.lnbSup = '0';
  struct Case {
    const char* name;
    Form form;
    MemoryRecord record;
    std::string text;
  } cases[] = {
      {"terrestrial SR", Form::SR, ter, kTerSr},
      {"terrestrial XSR, sound H as 11", Form::XSR, ter, kTerXsr},
      {"BER QPSK SR", Form::SR, qpsk, kQpskSr},
      {"BER QPSK XSR, code rate after a 0", Form::XSR, qpsk, kQpskXsr},
      {"BER COFDM SR", Form::SR, cofdm, kCofdmSr},
  };
  for (Case& c : cases) {
    SCOPED_TRACE(c.name);
    MemoryRecord sent = c.record;
    EXPECT_EQ(Cv4MemoryCodec::EncodeForm(c.form, sent), c.text);
    ASSERT_EQ(c.text.size(), Cv4MemoryCodec::LengthOf(c.form));
    MemoryRecord back = Cv4MemoryCodec("Cv4Tools 1.16").Cleared();
    cv::mem::DecodedMemory d = Cv4MemoryCodec::DecodeForm(c.form, c.text, back);
    EXPECT_TRUE(d.complete);
    EXPECT_TRUE(d.errors.none()) << d.errors;
    EXPECT_EQ(d.index, c.record.number - 1);
    EXPECT_EQ(back, WithDefaultCn(sent));  // `sent` holds 9750 where the record held an oscillator of 0
  }
}

TEST(Cv4MemoryCodec, EveryMeasureOnBothBandsRoundTripsInBothForms) {
  for (Form form : {Form::SR, Form::XSR})
    for (char band : {'T', 'S'})
      for (char meas = '0'; meas <= '7'; ++meas) {
        SCOPED_TRACE(std::string("form ") + (form == Form::XSR ? "XSR" : "SR") + " band " + band + " meas " + meas);
        MemoryRecord r = Rec(42, "MEM ", band, meas, band == 'S' ? 1450.5f : 474.25f);
        MemoryRecord sent = r;
        const std::string text = Cv4MemoryCodec::EncodeForm(form, sent);
        ASSERT_EQ(text.size(), Cv4MemoryCodec::LengthOf(form)) << text;
        EXPECT_EQ(text.substr(0, form == Form::XSR ? 6 : 5), form == Form::XSR ? "*XSR2a" : "*SR2a");
        // The C/N reference word: the default by band, bit 15 marking satellite.
        const std::string cn = text.substr(text.size() - 5, 4);
        if (meas != '7') EXPECT_EQ(cn, band == 'S' ? "85dc" : "028f");
        else EXPECT_EQ(cn, band == 'S' ? "b47c" : "0ada");
        MemoryRecord back = Cv4MemoryCodec("Cv4Tools 1.16").Cleared();
        cv::mem::DecodedMemory d = Cv4MemoryCodec::DecodeForm(form, text, back);
        // BER QPSK belongs to satellite, QAM and COFDM to terrestrial: the wire form carries them
        // anyway and the decoder has no band rule for the measure.
        EXPECT_TRUE(d.errors.none()) << d.errors;
        EXPECT_EQ(back, WithDefaultCn(sent));
      }
}

TEST(Cv4MemoryCodec, QueriesAndFormByVersion) {
  Cv4MemoryCodec codec("Cv4Tools 1.16");
  EXPECT_EQ(codec.QueryCommand(10), "*?SR0A");
  EXPECT_EQ(codec.QueryCommand(99), "*?SR63");
  codec.form = Form::XSR;
  EXPECT_EQ(codec.QueryCommand(10), "*?XSR0A");
  EXPECT_EQ(codec.QueryCommand(99), "*?XSR63");
  const struct {
    float version;
    Form form;
  } versions[] = {{1.95f, Form::XSR}, {2.0f, Form::XSR}, {1.94f, Form::SR}, {0.0f, Form::SR}};
  for (const auto& v : versions) EXPECT_EQ(Cv4MemoryCodec::FormOfVersion(v.version), v.form) << v.version;
}

TEST(Cv4MemoryCodec, XsrSoundDigits) {
  const struct {
    const char* digits;
    char sound;
  } cases[] = {{"11", 'H'}, {"0a", 'A'}, {"0A", 'A'}, {"09", '9'}, {"00", '0'}, {"10", 'G'}};
  for (const auto& c : cases) {
    std::string reply = kTerXsr;
    reply.replace(25, 2, c.digits);
    MemoryRecord r;
    cv::mem::DecodedMemory d = Cv4MemoryCodec::DecodeForm(Form::XSR, reply, r);
    EXPECT_TRUE(d.errors.none()) << c.digits;
    EXPECT_EQ(r.sound, c.sound) << c.digits;
  }
  // Digits that are none, and a value past what one character holds, are bad sounds.
  EXPECT_EQ(Lines(std::string(kTerXsr).replace(25, 2, "zz"), Form::XSR),
            (std::vector<std::string>{"Error(s) in memory number 10:", " Sound: z (0-H)"}));
  EXPECT_EQ(Lines(std::string(kTerXsr).replace(25, 2, "ff"), Form::XSR).size(), 2u);
}

TEST(Cv4MemoryCodec, LnbOscillatorZeroIsSentAs9750) {
  MemoryRecord r = Rec(5, "LNB0", 'S', '0', 1000.0f);
  r.lnbOsc = 0;
  const std::string text = Cv4MemoryCodec::EncodeForm(Form::SR, r);
  EXPECT_EQ(text.substr(33, 5), "17cdc");
  EXPECT_EQ(r.lnbOsc, 9750.0f);
}

TEST(Cv4MemoryCodec, WrongLengthIsNoRecord) {
  for (const std::string& reply : {kTerSr.substr(0, 42), kTerSr + "0", kTerXsr}) {
    MemoryRecord r;
    EXPECT_FALSE(Cv4MemoryCodec::DecodeForm(Form::SR, reply, r).complete) << reply;
    EXPECT_EQ(r, MemoryRecord{});
  }
  MemoryRecord r;
  EXPECT_FALSE(Cv4MemoryCodec::DecodeForm(Form::XSR, kTerSr, r).complete);
}

// Each bad field's line, the Part's table row by row.
TEST(Cv4MemoryCodec, BadFieldLines) {
  const std::string qam = [] {
    MemoryRecord r = Rec(10, "ABCD", 'T', '5', 474.0f);
    return Cv4MemoryCodec::EncodeForm(Form::SR, r);
  }();
  const std::string cnRef = [] {
    MemoryRecord r = Rec(10, "ABCD", 'T', '7', 474.0f);
    return Cv4MemoryCodec::EncodeForm(Form::SR, r);
  }();
  auto at = [](std::string text, size_t pos, const char* with) { return text.replace(pos, strlen(with), with); };
  const struct {
    std::string reply;
    const char* line;  // after the heading; null: the heading alone
    const char* heading = "Error(s) in memory number 10:";
  } cases[] = {
      {at(kTerSr, 3, "00"), nullptr, "Error(s) in memory number 1:"},
      {at(kTerSr, 9, "X"), " Band: X (T-S)"},
      {at(kTerSr, 22, "9"), " Measurement: 9 (0-7)"},
      {at(kQpskSr, 10, "0"), " Spectral Inversion0 (1-2)", "Error(s) in memory number 99:"},
      {at(kCofdmSr, 28, "5"), " Spectral Inversion5 (1-2)", "Error(s) in memory number 1:"},
      {at(kCofdmSr, 10, "2"), " Number of Carriers: 2 (0,4)", "Error(s) in memory number 1:"},
      {at(kTerSr, 10, "8"), " TV Standard: 8 (0-7)"},
      {at(kQpskSr, 11, "0000"), " Frequency: -479.5 (900-2150)", "Error(s) in memory number 99:"},
      {at(kQpskSr, 11, "2b14"), " Frequency: 899 (900-2150)", "Error(s) in memory number 99:"},
      {at(kTerSr, 11, "4e20"), " Frequency: 961.099975585938 (5-862)"},
      {at(kTerSr, 15, "2"), " Tuning mode:2 (0-1)"},
      {at(kTerSr, 16, "20"), " Number of Plan:32 (0-32)"},
      {at(kTerSr, 20, "4"), " Units: 4 (0-3)"},
      {at(kTerSr, 21, "8"), " LNB Supply: 8 (0-7)"},
      {at(kTerSr, 23, "4"), " Color TV: 4 (0-3)"},
      {at(kQpskSr, 24, "9"), " Code Rate: 9 (0-8)", "Error(s) in memory number 99:"},
      {at(qam, 24, "5"), " Modulation Type: 5 (0-4)"},
      {at(kCofdmSr, 24, "5"), " Interval COFDM: 5 (0-4)", "Error(s) in memory number 1:"},
      {at(kTerSr, 24, "/"), " Sound: / (0-H)"},
      {at(kQpskSr, 25, "0100"), " Symbol Rate (bps): 256 (1000-45000)", "Error(s) in memory number 99:"},
      {at(at(kTerSr, 24, "4"), 25, "0000"), " Tune sound manual frequency: -10.6999998092651 (4.0-9.0)"},
      {at(kTerSr, 29, "0000"), " Channel bandwidth: 0 (0.1-81.91)"},
      {at(kTerSr, 33, "fffff"), " LNB frequency: 104857.5 (0-52428.7)"},
      {at(cnRef, 38, "0000"), " C/N reference frequency: -38.9000015258789 (5-2150)"},
  };
  for (const auto& c : cases) {
    std::vector<std::string> expected{c.heading};
    if (c.line) expected.push_back(c.line);
    EXPECT_EQ(Lines(c.reply), expected) << c.reply;
  }
}

TEST(Cv4MemoryCodec, CnReferenceRangeOnlyForCnRefMemories) {
  // The default words 1500 and 655 lie outside 5..2150 MHz: other measures carry them unread.
  EXPECT_EQ(Lines(kTerSr), std::vector<std::string>{});
  EXPECT_EQ(Lines(kQpskSr), std::vector<std::string>{});
  std::string cnRef = kTerSr;
  cnRef[22] = '7';
  EXPECT_EQ(Lines(cnRef), (std::vector<std::string>{"Error(s) in memory number 10:",
                                                     " C/N reference frequency: -6.15000009536743 (5-2150)"}));
  MemoryRecord r;
  Cv4MemoryCodec::DecodeForm(Form::SR, kTerSr, r);
  EXPECT_FLOAT_EQ(r.cnRefFreq, 655 * 0.05 - 38.9);  // stored all the same
}

TEST(Cv4MemoryCodec, DiseqcFromSatelliteRecordsOnly) {
  MemoryRecord r;
  Cv4MemoryCodec::DecodeForm(Form::SR, kQpskSr, r);
  EXPECT_EQ(r.diseqC, '3');
  Cv4MemoryCodec::DecodeForm(Form::SR, std::string(kTerSr).replace(42, 1, "7"), r);
  EXPECT_EQ(r.diseqC, 'f');
}

TEST(Cv4MemoryCodec, RecordsThatCannotBeSentWhole) {
  Cv4MemoryCodec codec("Cv4Tools 1.16");
  const struct {
    const char* name;
    void (*change)(MemoryRecord&);
  } cases[] = {
      {"short name", [](MemoryRecord& r) { std::snprintf(r.label, sizeof r.label, "AB"); }},
      {"symbol rate of five digits", [](MemoryRecord& r) { r.symRate = 99999; }},
      {"bandwidth of five digits", [](MemoryRecord& r) { r.bw = 999.99f; }},
      {"plan code of three digits", [](MemoryRecord& r) { r.codePlan = 300; }},
  };
  for (Form form : {Form::SR, Form::XSR})
    for (const auto& c : cases) {
      codec.form = form;
      MemoryRecord r = Rec(7, "QPSK", 'S', '4', 1200.0f);
      c.change(r);
      EXPECT_FALSE(codec.Sendable(codec.Encode(r), r)) << c.name;
    }
  codec.form = Form::XSR;
  EXPECT_EQ(codec.BadLengthMessage(), cv::msg::cv4mem::BadXsrLength);
}
