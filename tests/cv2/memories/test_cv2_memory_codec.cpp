// The CORVANE-2 memory record: the meter's reply and the memory file's row as tables of cases,
// the error report with every kind in mask order, the list entry's ranges and the compatibility
// check against the meter's options.
#include <gtest/gtest.h>

#include <cctype>
#include <functional>

#include "Cv2MemoryKit.h"
#include "Format.h"

using cvsim::Corvane2Profile;
using cv::cv2::InstalledOptions;
using Lines = std::vector<std::string>;

namespace {

// Memory n's reply as the simulated meter gives it at start, changed by `edit`.
std::string Reply(int n, const std::function<void(std::string&)>& edit = {}) {
  std::string r = Corvane2Profile::Cv2Record(n);
  if (edit) edit(r);
  return r;
}

std::string Hex4(unsigned word) { return cv::Format("%04x", word); }

// Default memories: 1 Level (TER 53.25), 5 BER QPSK (SAT 1000), 6 BER COFDM (TER, 38 characters),
// 7 C/N Ref (TER, reference 100 MHz), 35 C/N Ref (SAT, reference 1200 MHz).
class Cv2Codec : public testing::Test {
 public:
  memtest2::Rig rig;
};

}  // namespace

TEST_F(Cv2Codec, ReplyDecoderCases) {
  struct Case {
    const char* name;
    int number;
    std::string reply;
    bool ok;
    Lines log;
    std::function<void(const MemoryRecord&)> check;
  };
  const MemoryRecord cleared{};
  const Case cases[] = {
      {"37 characters are refused", 1, Reply(1).substr(0, 37), false,
       {"Bad SR answer from equipment:", Reply(1).substr(0, 37)},
       [&](const MemoryRecord& r) { EXPECT_EQ(r, cleared); }},
      {"a BER COFDM reply of 38 reads as a 42-character one", 6, Reply(6), true, {},
       [](const MemoryRecord& r) {
         EXPECT_EQ(Reply(6).size(), 38u);
         EXPECT_EQ(r.meas, '6');
         EXPECT_EQ(r.std, '6');
         EXPECT_FLOAT_EQ(r.bw, 8.0f);
         EXPECT_FLOAT_EQ(r.lnbOsc, 9750.0f);
         EXPECT_FLOAT_EQ(r.cnRefFreq, 655 * 0.05f - 38.9f);
       }},
      {"word 0672 on TER is 43.6 MHz", 1, Reply(1, [](std::string& r) { r.replace(11, 4, "0672"); }), false,
       {"Error(s) in memory number 1:", " Frequency: 43.5999984741211 (45-862)"},
       [](const MemoryRecord& r) { EXPECT_FLOAT_EQ(r.freq, 43.6f); }},
      {"a SAT frequency below 900", 5,
       Reply(5, [](std::string& r) { r.replace(11, 4, Hex4(cv::PllWord('S', 880.0))); }), false,
       {"Error(s) in memory number 5:", " Frequency: 880 (900-2150)"}, {}},
      {"the C/N word's top bit is dropped", 7, Reply(7, [](std::string& r) { r.replace(38, 4, "8ada"); }), true, {},
       [](const MemoryRecord& r) { EXPECT_FLOAT_EQ(r.cnRefFreq, 100.0f); }},
      {"a C/N reference below 45", 7,
       Reply(7, [](std::string& r) { r.replace(38, 4, Hex4(cv::PllWord('T', 40.0))); }), false,
       {"Error(s) in memory number 7:", " C/N reference frequency: 40 (45-2150)"}, {}},
      {"a SAT C/N reference", 35, Reply(35), true, {},
       [](const MemoryRecord& r) { EXPECT_FLOAT_EQ(r.cnRefFreq, 1200.0f); }},
      {"plan 32 is refused", 1, Reply(1, [](std::string& r) { r.replace(16, 2, "20"); }), false,
       {"Error(s) in memory number 1:", " Number of Plan:32 (0-32)"},
       [](const MemoryRecord& r) { EXPECT_EQ(r.nPlan, 32); }},
      {"a reply numbered 00 changes no memory", 1, Reply(1, [](std::string& r) { r.replace(3, 2, "00"); }), false,
       {"Error. The answer for memory number 1 names memory number 00: nothing stored"},
       [&](const MemoryRecord& r) { EXPECT_EQ(r, cleared); }},
      {"a garbled hex field reads as a short reply", 1, Reply(1, [](std::string& r) { r[30] = 'x'; }), false,
       {"Bad SR answer from equipment:", Reply(1, [](std::string& r) { r[30] = 'x'; })},
       [&](const MemoryRecord& r) { EXPECT_EQ(r, cleared); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    rig.editor.records = {};
    rig.host.Clear();
    EXPECT_EQ(rig.editor.DecodeMemoryRecord(c.reply, c.number), c.ok);
    EXPECT_EQ(rig.Log(), c.log);
    if (c.check) c.check(rig.editor.records[c.number - 1]);
  }
}

// Hex in either case reads alike; every memory the meter starts with decodes without a line,
// whatever its C/N word holds when it is not C/N referenced.
TEST_F(Cv2Codec, ValidMemoriesDecodeWithoutLines) {
  const auto defaults = memtest2::DefaultRecords();
  for (int n = 1; n <= 99; ++n) {
    SCOPED_TRACE(n);
    std::string upper = Reply(n);
    for (size_t i = 11; i < upper.size(); ++i) upper[i] = static_cast<char>(std::toupper(upper[i]));
    EXPECT_TRUE(rig.editor.DecodeMemoryRecord(upper, n));
    EXPECT_EQ(rig.editor.records[n - 1], defaults[n - 1]);
  }
  EXPECT_TRUE(rig.Log().empty());
  std::string kinds;
  for (const MemoryRecord& r : defaults) {
    if (kinds.find(r.meas) == std::string::npos) kinds += r.meas;
    if (r.band == 'S') {
      EXPECT_TRUE(r.freq >= 900.0f && r.freq <= 2150.0f);
    }
  }
  EXPECT_EQ(kinds, "0123467");
}

TEST_F(Cv2Codec, FileRowCases) {
  struct Case {
    const char* name;
    int number;
    std::function<void(std::vector<std::string>&)> edit;
    bool stored;
    Lines log;  // the whole log, or
    std::function<void(const MemoryRecord&)> check;
    const char* amongLines = nullptr;  // a line it holds among others
  };
  const Case cases[] = {
      {"'A' on SAT is BER QPSK, with its warning", 5, [](auto& f) { f[cv::mem::cMeas] = "A"; }, true,
       {"Error(s) in memory number 5:", " Specific QPSK meas. has been replaced by BER"},
       [](const MemoryRecord& r) { EXPECT_EQ(r.meas, '4'); }},
      {"'A' on TER must be in SAT", 1, [](auto& f) { f[cv::mem::cMeas] = "A"; }, true, {}, {},
       " Measurement must be in SAT"},
      {"plan 32 is taken", 1, [](auto& f) { f[cv::mem::cNPlan] = "32"; }, true, {},
       [](const MemoryRecord& r) { EXPECT_EQ(r.nPlan, 32); }},
      {"tuning mode 5 is stored as 0", 1, [](auto& f) { f[cv::mem::cChFr] = "5"; }, true,
       {"Error(s) in memory number 1:", " Tuning mode:0 (0-1)"},
       [](const MemoryRecord& r) { EXPECT_EQ(r.chFr, '0'); }},
      {"a SAT frequency in the gap", 35, [](auto& f) { f[cv::mem::cFreq] = "880.00"; }, true,
       {"Error(s) in memory number 35:", " Frequency: 880 (900-2150)"}, {}},
      {"a row numbered 00 stores nothing", 1, [](auto& f) { f[cv::mem::cN] = "00"; }, false,
       {"Error. Row 1 of the file names memory number 00: nothing stored"}, {}},
  };
  const auto defaults = memtest2::DefaultRecords();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    rig.editor.records = {};
    rig.editor.current = defaults[c.number - 1];
    std::vector<std::string> fields = rig.link.SplitFields(rig.editor.FormatFileRow());
    c.edit(fields);
    rig.host.Clear();
    rig.editor.ParseFileRow(fields, c.number);
    EXPECT_EQ(rig.editor.records[c.number - 1].number, c.stored ? c.number : 0);
    if (c.amongLines) {
      const Lines log = rig.Log();
      EXPECT_NE(std::find(log.begin(), log.end(), c.amongLines), log.end());
    } else {
      EXPECT_EQ(rig.Log(), c.log);
    }
    if (c.check) c.check(rig.editor.records[c.number - 1]);
  }
}

TEST_F(Cv2Codec, EveryErrorKindInMaskOrder) {
  MemoryRecord r;
  r.band = 'X';
  r.meas = '9';
  r.specInv = '5';
  r.carriers = '2';
  r.std = '8';
  r.freq = 2200;
  r.chFr = '2';
  r.nPlan = 40;
  r.units = '4';
  r.lnbSup = '8';
  r.color = '4';
  r.codeRate = '9';
  r.modulation = '5';
  r.guardInt = '4';
  r.sound = '/';
  r.symRate = 500;
  r.soundFreq = 9.5f;
  r.bw = 90;
  r.lnbOsc = 60000;
  r.cnRefFreq = 30;
  cv::mem::MemErrors all;
  all.set();
  rig.editor.ReportMemoryErrors(all, r, 41);
  EXPECT_EQ(rig.Log(), (Lines{"Error(s) in memory number 42:",
                              " Band: X (T-S)",
                              " Measurement: 9 (0-7)",
                              " Spectral Inversion (QPSK)5 (0-2)",
                              " Spectral Inversion (QAM)5 (0-1)",
                              " Number of Carriers: 2 (0,4)",
                              " TV Standard: 8 (0-7)",
                              " Frequency: 2200 (900-2150)",
                              " Frequency: 2200 (45-862)",
                              " Tuning mode:2 (0-1)",
                              " Number of Plan:40 (0-32)",
                              " Number of Plan: no number in the field",
                              " Units: 4 (0-3)",
                              " LNB Supply: 8 (0-7)",
                              " Color TV: 4 (0-3)",
                              " Code Rate: 9 (0-8)",
                              " Modulation Type: 5 (0-4)",
                              " Interval COFDM: 4 (0-3)",
                              " Sound: / (0-F)",
                              " Symbol Rate (bps): 500 (1000-45000)",
                              " Tune sound manual frequency: 9.5 (4.0-9.0)",
                              " Channel bandwidth: 90 (0.1-81.91)",
                              " LNB frequency: 60000 (0-52428.7)",
                              " C/N reference frequency: 30 (45-2150)",
                              " Measurement must be in TER",
                              " Measurement must be in SAT",
                              " Specific QPSK meas. has been replaced by BER",
                              " Specific QAM meas. has been replaced by BER",
                              " Specific COFDM meas. has been replaced by BER"}));
}

TEST_F(Cv2Codec, ListEntryRanges) {
  struct Case {
    char band;
    float mhz;
    bool ok;
    float shown;
  } cases[] = {{'T', 44.9f, false, 48.25f}, {'T', 45.0f, true, 45.0f},     {'T', 862.0f, true, 862.0f},
               {'T', 862.1f, false, 48.25f}, {'S', 899.9f, false, 1500.0f}, {'S', 900.0f, true, 900.0f},
               {'S', 2150.0f, true, 2150.0f}, {'S', 2150.1f, false, 1500.0f}};
  for (const Case& c : cases) {
    SCOPED_TRACE(cv::Format("%c %.2f", c.band, static_cast<double>(c.mhz)));
    rig.editor.current = memtest::TerLevel();
    rig.editor.current.band = c.band;
    rig.editor.current.freq = c.mhz;
    EXPECT_EQ(rig.editor.UpdateListEntry(), c.ok);
    EXPECT_EQ(rig.editor.entries[4].freq, c.shown);
  }
}

// The four tests in order, the first refusal alone logged.
TEST_F(Cv2Codec, CompatibilityWithTheMetersOptions) {
  auto options = [](std::initializer_list<int> missing) {
    InstalledOptions o;
    for (int f : {InstalledOptions::kBerCofdm, InstalledOptions::kBelow45MHz, InstalledOptions::kTerrestrialBand,
                  InstalledOptions::kSatelliteBand})
      o.flags[f] = 1;
    for (int f : missing) o.flags[f] = 0;
    return o;
  };
  auto cofdmAt40 = [] {
    MemoryRecord r = memtest::TerLevel();
    r.meas = '6';
    r.freq = 40.0f;
    return r;
  };
  MemoryRecord sat = memtest::TerLevel();
  sat.band = 'S';
  sat.freq = 1200.0f;
  struct Case {
    const char* name;
    MemoryRecord record;
    InstalledOptions options;
    const char* line;  // none: taken
  } cases[] = {
      {"everything installed", cofdmAt40(), options({}), nullptr},
      {"no TER band comes first", cofdmAt40(),
       options({InstalledOptions::kTerrestrialBand, InstalledOptions::kBelow45MHz, InstalledOptions::kBerCofdm}),
       "Memory 3: connected equipment has not TER band"},
      {"no SAT band", sat, options({InstalledOptions::kSatelliteBand}), "Memory 3: connected equipment has not SAT band"},
      {"below 45 MHz before COFDM", cofdmAt40(), options({InstalledOptions::kBelow45MHz, InstalledOptions::kBerCofdm}),
       "Memory 3: 40.00 MHz not supported."},
      {"no COFDM", cofdmAt40(), options({InstalledOptions::kBerCofdm}), "Memory 3: COFDM not supported."},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Lines log;
    EXPECT_EQ(cv::cv2::CheckMemoryCompatible(c.record, 2, c.options, [&](const std::string& l) { log.push_back(l); }),
              c.line == nullptr);
    EXPECT_EQ(log, c.line ? Lines{c.line} : Lines{});
  }
}
