// The CORVANE-PLENAR memory record and memory file: sixteen measure codes kept as they are and
// handled by their family, plans to 63 (64 in files), the bad-field report and the legend.
#include <gtest/gtest.h>

#include "MemoryFile.h"
#include "PlenMemoryCodec.h"
#include "PlenarProfile.h"

using cv::plenar::PlenMemoryCodec;

namespace {

// The meter's delivery memory with measure `meas` (memories 1..16 hold '0'..'F').
int MemoryOf(char meas) { return meas <= '9' ? meas - '0' + 1 : meas - 'A' + 11; }

// A row split as the equipment's splitter gives it: decimal commas made points.
std::vector<std::string> Fields(std::string row) {
  for (char& c : row)
    if (c == ',') c = '.';
  std::vector<std::string> f;
  size_t at = 0;
  for (;;) {
    const size_t end = row.find(';', at);
    f.push_back(row.substr(at, end == std::string::npos ? std::string::npos : end - at));
    if (end == std::string::npos) return f;
    at = end + 1;
  }
}

}  // namespace

// Every measure code of the meter comes back byte-identical, its code kept; the family decides
// which fields are read.
TEST(PlenarMemoryCodec, EveryMeasureRoundTripsThroughTheXsrRecord) {
  PlenMemoryCodec codec;
  for (int n = 1; n <= 99; ++n) {
    SCOPED_TRACE(n);
    const std::string reply = cvsim::PlenarProfile::XsrRecord(n);
    MemoryRecord r = codec.Cleared();
    const cv::mem::DecodedMemory d = codec.Decode(reply, r);
    ASSERT_TRUE(d.complete);
    EXPECT_TRUE(d.errors.none()) << d.errors;
    EXPECT_EQ(r.meas, reply[23]);
    EXPECT_EQ(codec.Encode(r), reply);
  }
  EXPECT_EQ(codec.QueryCommand(10), "*?XSR0A");
}

TEST(PlenarMemoryCodec, FamiliesChooseTheFieldsRead) {
  PlenMemoryCodec codec;
  // 'C' is COFDM: carriers from position 11, spectral inversion from position 30.
  std::string c = cvsim::PlenarProfile::XsrRecord(MemoryOf('C'));
  c[11] = '4';
  c[30] = '2';
  MemoryRecord r = codec.Cleared();
  ASSERT_TRUE(codec.Decode(c, r).errors.none());
  EXPECT_EQ(r.meas, 'C');
  EXPECT_EQ(r.carriers, '4');
  EXPECT_EQ(r.specInv, '2');
  EXPECT_EQ(r.std, '6');
  EXPECT_EQ(codec.Encode(r), c);

  // 'F' is DAB: Std '6', guard interval and spectral inversion '0', nothing else read; sent
  // with '0' as units and "120000" at 25..30 whatever the record holds.
  std::string f = cvsim::PlenarProfile::XsrRecord(MemoryOf('F'));
  f[11] = 'x';
  MemoryRecord dab = codec.Cleared();
  dab.sound = 'F';  // a sound left from another measure asks for nothing
  ASSERT_TRUE(codec.Decode(f, dab).errors.none());
  EXPECT_EQ(dab.std, '6');
  EXPECT_EQ(dab.guardInt, '0');
  EXPECT_EQ(dab.specInv, '0');
  dab.units = '2';
  dab.symRate = 27500;
  const std::string sent = codec.Encode(dab);
  ASSERT_EQ(sent.size(), 45u);
  EXPECT_EQ(sent[11], '6');
  EXPECT_EQ(sent[21], '0');
  EXPECT_EQ(sent[23], 'F');
  EXPECT_EQ(sent.substr(25, 6), "120000");
}

// Plan numbers and measure codes, by where they come from.
TEST(PlenarMemoryCodec, PlanAndMeasureRangesInRepliesAndFiles) {
  PlenMemoryCodec codec;
  struct Case {
    int plan;
    bool replyOk, fileOk;
  };
  for (const Case k : {Case{40, true, true}, Case{63, true, true}, Case{64, false, true}, Case{65, false, false}}) {
    SCOPED_TRACE(k.plan);
    std::string reply = cvsim::PlenarProfile::XsrRecord(1);
    char hex[3];
    std::snprintf(hex, sizeof hex, "%02x", k.plan);
    reply.replace(17, 2, hex);
    MemoryRecord r = codec.Cleared();
    EXPECT_EQ(codec.Decode(reply, r).errors.test(cv::mem::ErrPlanNumber), !k.replyOk);
    r.nPlan = k.plan;
    MemoryRecord back = codec.Cleared();
    const cv::mem::ParsedRow row = codec.ParseFileRow(Fields(codec.FormatFileRow(r, ',', ';')), back);
    EXPECT_EQ(row.errors.test(cv::mem::ErrPlanNumber), !k.fileOk);
    if (!k.fileOk) {
      const auto lines = codec.ErrorLines(row.errors, back, 0);
      EXPECT_NE(std::find(lines.begin(), lines.end(), " Number of Plan:65 (0-64)"), lines.end());
    }
  }
  // Every measure code reads back from a file as written; ':' passes as family '0', 'G' does not.
  for (int n = 1; n <= 16; ++n) {
    MemoryRecord r = codec.Cleared();
    codec.Decode(cvsim::PlenarProfile::XsrRecord(n), r);
    const std::string row = codec.FormatFileRow(r, ',', ';');
    MemoryRecord back = codec.Cleared();
    EXPECT_TRUE(codec.ParseFileRow(Fields(row), back).errors.none()) << row;
    EXPECT_EQ(back.meas, r.meas);
    EXPECT_EQ(codec.FormatFileRow(back, ',', ';'), row);
  }
  MemoryRecord level = codec.Cleared();
  codec.Decode(cvsim::PlenarProfile::XsrRecord(1), level);
  for (const char meas : {':', 'G'}) {
    SCOPED_TRACE(meas);
    std::vector<std::string> f = Fields(codec.FormatFileRow(level, ',', ';'));
    f[cv::mem::cMeas] = std::string(1, meas);
    MemoryRecord back = codec.Cleared();
    const cv::mem::ParsedRow row = codec.ParseFileRow(f, back);
    EXPECT_EQ(back.meas, meas);
    EXPECT_EQ(row.errors.test(cv::mem::ErrMeasure), meas == 'G');
    EXPECT_FALSE(row.errors.test(cv::mem::ErrQpskReplaced) || row.errors.test(cv::mem::ErrCofdmReplaced));
    if (meas == 'G') {
      const auto lines = codec.ErrorLines(row.errors, back, 0);
      EXPECT_EQ(lines.at(1), " Measurement: G (0-F)");
    } else {
      EXPECT_EQ(back.std, level.std);  // read as a LEVEL row
    }
  }
}

TEST(PlenarMemoryCodec, DabRowAndBandChecksOfTheFile) {
  PlenMemoryCodec codec;
  MemoryRecord dab = codec.Cleared();
  codec.Decode(cvsim::PlenarProfile::XsrRecord(MemoryOf('8')), dab);
  dab.sound = '4';
  dab.soundFreq = 6.5f;
  const std::string row = codec.FormatFileRow(dab, ',', ';');
  const std::vector<std::string> f = Fields(row);
  EXPECT_EQ(f[cv::mem::cStd], "6");
  EXPECT_EQ(f[cv::mem::cUnits], "0");
  EXPECT_EQ(f[cv::mem::cMeas], "8");
  for (const int column : {cv::mem::cCarriers, cv::mem::cSpecInv, cv::mem::cSound, cv::mem::cSoundFreq,
                           cv::mem::cCodeRate, cv::mem::cModulation, cv::mem::cGuardInt, cv::mem::cSymRate})
    EXPECT_EQ(f[column].find_first_not_of(' '), std::string::npos) << column << ": " << row;
  MemoryRecord back = codec.Cleared();
  EXPECT_TRUE(codec.ParseFileRow(f, back).errors.none());
  EXPECT_EQ(back.specInv, '0');
  // A QPSK family measure off the satellite band, a DAB one off the terrestrial band.
  struct Case {
    char meas, band;
    cv::mem::MemError error;
  };
  for (const Case k : {Case{'A', 'T', cv::mem::ErrMustBeSat}, Case{'F', 'S', cv::mem::ErrMustBeTer},
                       Case{'E', 'S', cv::mem::ErrMustBeTer}}) {
    std::vector<std::string> g = f;
    g[cv::mem::cMeas] = std::string(1, k.meas);
    g[cv::mem::cBand] = std::string(1, k.band);
    MemoryRecord r = codec.Cleared();
    EXPECT_TRUE(codec.ParseFileRow(g, r).errors.test(k.error)) << k.meas;
  }
}

TEST(PlenarMemoryCodec, FileHeaderNamesTheFamilyAndSixteenMeasures) {
  const std::string header = PlenMemoryCodec().FileHeader(';');
  EXPECT_EQ(header.rfind("#File generated by CvPlenar 1.17\n", 0), 0u);
  EXPECT_NE(header.find("#Meas: ; 0:Level ; 1:V/A ; 2:Power ; 3:C/N Auto ; 4:VBER QPSK ;5:BER QAM ; 6:VBER COFDM ; "
                        "7:C/N Ref ; 8:CBER DAB ; 9:CBER QPSK ;A:MER QPSK ; B:MER QAM ; C:CSI COFDM ; D:MER COFDM ; "
                        "E:CBER COFDM ;F:SNR DAB\n"),
            std::string::npos);
  EXPECT_EQ(header.find("4:BER QPSK"), std::string::npos);
}
