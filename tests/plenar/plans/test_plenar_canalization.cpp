// CORVANE-PLENAR canalization scripts: the 60-row command table, the writer's sections and
// limits, the goldens of a 40-plan canalization of all three bands, and the reader's differences
// (64 plans, DAB channels, bandwidths in hundredths, the satellite fall-back).
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "../../cv4/plans/Cv4PlanRig.h"
#include "ChanPlen.h"
#include "Commandsplen.h"
#include "PlenDialect.h"
#include "PlenPlanFamily.h"
#include "PlenPlanScript.h"

using namespace plantest;
using cv4test::EmptyPlans;
using cv4test::RecordingReport;
using cv::plenar::TChanPlen;

namespace {

// A plan of `n` channels of the band; terrestrial and DAB channels 6 MHz apart from 47 MHz,
// satellite ones 10 MHz apart from 950 MHz (intermediate frequencies).
PlanSlot Plan(const std::string& name, char band, int n, const char* command = "", float lnb = 0) {
  PlanSlot s;
  NewPlan(s);
  CopyField(s.name, name);
  s.band = band;
  s.lnbMHz = lnb;
  for (int i = 0; i < n; ++i) {
    const float f = band == 'S' ? 950.0f + 10.0f * static_cast<float>(i % 120) : 47.0f + 6.0f * static_cast<float>(i % 130);
    // Satellite channels carry "UN1" after the command, in the compacted order a read gives.
    const bool sat = band == 'S';
    s.Channels().push_back(TChanPlen::FromFrequency("C" + std::to_string(i), f, 800, band,
                                                    sat && !*command ? "UN1" : command, sat && *command ? "UN1" : "", ""));
  }
  s.channelCount = n;
  return s;
}

std::string Build(PlanSlots& plans, cv::plan::PlanScriptWriter::Variant variant, std::string* error = nullptr) {
  std::string script, problem;
  if (!cv::plenar::ScriptWriter().Build(plans, variant, script, problem)) script.clear();
  if (error) *error = problem;
  return script;
}

bool ReadPlans(const std::string& script, PlanSlots& plans, RecordingReport& report) {
  TextFileLines file;
  SplitTextLines(script, file);
  for (auto& p : plans) ClearPlan(p);
  return ReadProPlans(
      file, "/tmp/x/PLANS.PRO",
      [](const std::string& l, int& k, std::vector<std::string>& a) {
        return ParseDialectLine(cv::plenar::Dialect(), l, k, a);
      },
      "CORVANE-PLENAR", plans, report, cv::plenar::PlenPlanFamily());
}

// Forty plans: terrestrial ones with bandwidths of 8, 7 and 1.53 MHz, DAB ones with and without
// the DAB measure, satellite ones under a 9750 MHz oscillator, names with dots, a '#' and blanks.
PlanSlots FortyPlans() {
  PlanSlots plans = EmptyPlans();
  for (int p = 0; p < 40; ++p) {
    const char band = "TDS"[p % 3];
    PlanSlot& s = plans[p];
    s = Plan("P" + std::to_string(p), band, 3 + p % 4, p % 2 ? (band == 'D' ? "ME8" : "SY06") : "",
             band == 'S' ? 9750.0f : 0.0f);
    s.code = p % 7;
    if (band == 'T') s.Channels()[0].bandwidth = 153;
    if (band == 'T') s.Channels()[1].bandwidth = 700;
  }
  CopyField(plans[0].name, "A.B #1");
  CopyField(plans[1].name, "DAB 5.1");
  plans[1].Channels()[3] = TChanPlen::FromFrequency("5A", 174.928f, 800, 'D', "ME8");
  CopyField(plans[2].commands[0], "LB5");
  return plans;
}

std::string Golden(const std::string& name, const std::string& actual) {
  const std::filesystem::path path = std::filesystem::path(CV_TEST_DATA_DIR) / "plenar" / name;
  if (std::getenv("CV_UPDATE_GOLDEN")) std::ofstream(path, std::ios::binary) << actual;
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

}  // namespace

TEST(PlenCommands, SixtyRowsSharingTheCorvane4Head) {
  const TCommandTable& t = cv::plenar::kCommandsPlen;
  ASSERT_EQ(t.Rows(), 60);
  struct Row {
    int row;
    const char* label;
    const char* mnemonic;
    int32_t code;
    uint16_t offset;
  } rows[] = {
      {0, "LNB EXT", "LB0", 0x0400, 0x0000},       {43, "Units dBm", "UN2", 0x0602, 0x005A},
      {44, "Channel BW 1.53 MHz", "CW0099", 0x1F00, 0x005C}, {49, "Channel BW 39.0 MHz", "CW0F3C", 0x1F00, 0x0070},
      {50, "Meas LEVEL", "ME0", 0x1B00, 0x0074},   {58, "Meas DAB", "ME8", 0x1B08, 0x0084},
      {59, " -none-", "", 0xFFFF, 0xFFFF},         {60, " -none-", "", 0xFFFF, 0xFFFF},  // clamped
      {-1, " -none-", "", 0xFFFF, 0xFFFF},
  };
  for (const Row& r : rows) {
    EXPECT_STREQ(t.Row(r.row).label, r.label) << r.row;
    EXPECT_STREQ(t.Row(r.row).mnemonic, r.mnemonic) << r.row;
    EXPECT_EQ(t.Row(r.row).code, r.code) << r.row;
    EXPECT_EQ(t.Row(r.row).planOffset, r.offset) << r.row;
  }
  EXPECT_EQ(t.IndexOfMnemonic("NOPE"), 59);
  EXPECT_EQ(t.PlanOffsetOfMnemonic("ME8"), 0x0084);
  EXPECT_EQ(t.PlanOffsetOfMnemonic(""), -1);
  // A mnemonic's parameter is its row's; one no row has reads the "no command" row.
  EXPECT_EQ(t.Row(t.IndexOfMnemonic("CW0099")).parameter, 0x0099);
  EXPECT_EQ(t.Row(t.IndexOfMnemonic("ME8")).parameter, 0);
  EXPECT_EQ(t.IndexOfMnemonic("NOPE"), t.NoCommandRow());
  // The description the plan check names a measure with: the first row of the (folded) code.
  EXPECT_STREQ(t.RowOfCode(0x1B08).label, "Meas DAB");
  EXPECT_STREQ(t.RowOfCode(0x0136).label, "DIGITAL");  // folded to 0x0106
  EXPECT_STREQ(t.RowOfCode(0x1F00).label, "Channel BW 1.53 MHz");
  EXPECT_STREQ(t.RowOfCode(0x4242).label, " -none-");
}

TEST(PlenChannel, BandsBuildTheirWordsAsOneTable) {
  struct Row {
    const char* what;
    TChanPlen chan;
    uint32_t word;
    int32_t word2;
    const char* word2Text;
    int32_t bandwidth;
    float mhz;
    const char* commands[3];
  } rows[] = {
      {"DAB from MHz", TChanPlen::FromFrequency("5A", 174.928f, 153, 'D', "ME8", "UN0", "SY00"), 4277, 4277, "10b5",
       153, 174.928f, {"ME8", "", ""}},
      {"DAB from a word", TChanPlen::FromWord("5A", 4276, 800, 'D', "ME8"), 4276, 4276, "10b4", 800, 174.9f, {"ME8", "", ""}},
      // 8 MHz: four whole MHz either side, (4 - 1.25) x 20 words up.
      {"TER 8 MHz", TChanPlen::FromFrequency("C21", 474.0f, 800, 'T', "SY06", "UN0"), 10258, 10313, "2849", 800,
       474.0f, {"SY06", "", ""}},
      {"TER 1.53 MHz", TChanPlen::FromFrequency("N", 474.0f, 153, 'T'), 10258, 10233, "27f9", 153, 474.0f, {"", "", ""}},
      {"TER texts, equal words", TChanPlen::FromTexts("C", "2812", "2812", 'T'), 0x2812, 0x2812, "2812", 250,
       474.0f, {"", "", ""}},
      {"TER texts, computed 0", TChanPlen::FromTexts("C", "2812", "27f9", 'T'), 0x2812, 0x27F9, "27f9", 800, 474.0f,
       {"", "", ""}},
      {"TER texts, 8 MHz", TChanPlen::FromTexts("C", "2812", "2849", 'T'), 0x2812, 0x2849, "2849", 800, 474.0f,
       {"", "", ""}},
      {"DAB texts", TChanPlen::FromTexts("5A", "10b4", "10b4", 'D', "ME8"), 4276, 4276, "10b4", 250, 174.9f,
       {"ME8", "", ""}},
      {"SAT in range", TChanPlen::FromFrequency("S", 1200.0f, 800, 'S', "SY06", "UN1", "LB5"), 13436, 0, "", 0,
       1200.0f, {"SY06", "UN1", "LB5"}},
      {"SAT below", TChanPlen::FromFrequency("S", 899.0f, 0, 'S'), 15836, 0, "", 0, 1500.0f, {"", "", ""}},
      {"SAT above", TChanPlen::FromFrequency("S", 2150.5f, 0, 'S'), 15836, 0, "", 0, 1500.0f, {"", "", ""}},
      {"SAT top", TChanPlen::FromFrequency("S", 2150.0f, 0, 'S'), 21036, 0, "", 0, 2150.0f, {"", "", ""}},
      {"TER word out of range", TChanPlen::FromWord("X", 100, 800, 'T'), 100, 155, "009b", 800, 48.25f, {"", "", ""}},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.what);
    EXPECT_EQ(r.chan.word, r.word);
    EXPECT_EQ(r.chan.word2, r.word2);
    EXPECT_STREQ(r.chan.word2Text, r.word2Text);
    EXPECT_EQ(r.chan.bandwidth, r.bandwidth);
    EXPECT_FLOAT_EQ(r.chan.frequency, r.mhz);
    for (int c = 0; c < 3; ++c) EXPECT_STREQ(r.chan.commands[c], r.commands[c]) << c;
  }
}

TEST(PlenWriter, LimitsOfPlanMemoryAndPlanSize) {
  struct Row {
    const char* what;
    std::vector<PlanSlot> plans;
    bool ok;
    const char* error;
    uint16_t secondAddress;  // where the plan after the first starts
  } rows[] = {
      {"128 channels, one step", {Plan("A", 'T', 128), Plan("B", 'T', 1)}, true, "", 0x0900},
      {"129 channels, two steps", {Plan("A", 'T', 129), Plan("B", 'T', 1)}, true, "", 0x0E00},
      {"107 with a command each, two steps", {Plan("A", 'D', 107, "ME8"), Plan("B", 'T', 1)}, true, "", 0x0E00},
      {"2550 bytes pass", {Plan("A", 'T', 255), Plan("B", 'T', 1)}, true, "", 0x0E00},
      {"2556 bytes fail", {Plan("BIG", 'T', 213, "SY06"), Plan("B", 'T', 1)}, false,
       "This plan is too big: BIG,\ntry removing some optional commands or\nsome channels.", 0},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.what);
    PlanSlots plans = EmptyPlans();
    for (size_t i = 0; i < r.plans.size(); ++i) plans[i] = r.plans[i];
    std::string error;
    const std::string script = Build(plans, cv::plan::PlanScriptWriter::Saved, &error);
    EXPECT_EQ(!script.empty(), r.ok);
    EXPECT_EQ(error, r.error);
    if (r.ok) {
      EXPECT_EQ(plans[1].memoryAddress, r.secondAddress);
    }
  }
  EXPECT_EQ(cv::plenar::PlanMemorySize(Plan("S", 'S', 3, "SY06", 9750.0f)), 3 * (10 + 4));
  EXPECT_EQ(cv::plenar::PlanMemorySize(Plan("D", 'D', 2, "ME8")), 24);

  // Plans of two steps from 0x0400: 24 end at 0xF400 and 25 at 0xFE00, past 0xFA00.
  for (int n : {24, 25}) {
    PlanSlots plans = EmptyPlans();
    for (int p = 0; p < n; ++p) plans[p] = Plan("P" + std::to_string(p), 'T', 129);
    std::string error;
    const std::string script = Build(plans, cv::plan::PlanScriptWriter::Sent, &error);
    EXPECT_EQ(script.empty(), n == 25) << n;
    EXPECT_EQ(error, n == 25 ? "This canalization is too big (65024 bytes reached).\n" : "") << n;
  }
}

TEST(PlenWriter, GoldenFortyPlansOfAllBands) {
  for (auto variant : {cv::plan::PlanScriptWriter::Saved, cv::plan::PlanScriptWriter::Sent}) {
    PlanSlots plans = FortyPlans();
    const std::string name = variant == cv::plan::PlanScriptWriter::Saved ? "forty_saved.pro" : "forty_sent.pro";
    const std::string script = Build(plans, variant);
    ASSERT_FALSE(script.empty());
    EXPECT_EQ(script, Golden(name, script)) << name;
    EXPECT_NE(script.find("DIRECTORY4 (40)"), std::string::npos);
    EXPECT_NE(script.find("CHAN3T (0, C0, 47.00, 1.53, 0xFFFF)"), std::string::npos);
    EXPECT_NE(script.find("CHAND (3, 5A, 174.93, 0x0084)"), std::string::npos);
    EXPECT_NE(script.find("COMMAND3 (0x1B, 0x08)   #(offset 0x0084) Meas DAB"), std::string::npos);

    // It reads back whole: bands, bandwidths in hundredths, DAB channels at 8 MHz.
    RecordingReport report;
    PlanSlots back = EmptyPlans();
    ASSERT_TRUE(ReadPlans(script, back, report)) << ::testing::PrintToString(report.log);
    for (int p = 0; p < 40; ++p) {
      SCOPED_TRACE(p);
      ASSERT_TRUE(back[p].HoldsPlan());
      EXPECT_EQ(std::string(back[p].name).rfind(cv::plan::ScriptSafeName(plans[p].name), 0), 0u) << back[p].name;
      EXPECT_EQ(back[p].band, plans[p].band);
      ASSERT_EQ(back[p].Channels().size(), plans[p].Channels().size());
      for (size_t c = 0; c < plans[p].Channels().size(); ++c) {
        const TChan3& a = plans[p].Channels()[c];
        const TChan3& b = back[p].Channels()[c];
        EXPECT_EQ(b.word, a.word) << c;
        EXPECT_STREQ(b.commands[0], a.commands[0]) << c;
        EXPECT_EQ(b.bandwidth, plans[p].band == 'D' ? 800 : a.bandwidth) << c;
      }
    }
    EXPECT_FALSE(back[40].HoldsPlan());
  }
}

TEST(PlenReader, PlanCountsAndTheSatelliteFallBack) {
  // 64 plans of one DAB channel read; 65 abort. (No plan memory holds 64 plans of a 1280-byte
  // step each, so the writer never gives such a script: it is written here by hand.)
  for (int n : {64, 65}) {
    std::string script = "ORG (0x0000)\nDIRECTORY4 (" + std::to_string(n) + ")\n";
    for (int p = 0; p < 64; ++p) script += "HEADER3 (P" + std::to_string(p) + ", 0x0400, 1, 8, 0.0, 1, 0xFFFF, 0xFFFF, 0xFFFF)\n";
    script += "COMMAND3 (0x1B, 0x08)\nCOMMAND3 (0xFF, 0xFF)\n";
    for (int p = 0; p < 64; ++p) script += "PLAN (" + std::to_string(p + 1) + ")\nORG (0x0400)\nCHAND (0, 5A, 174.93, 0x0000)\n";
    RecordingReport report;
    PlanSlots back = EmptyPlans();
    EXPECT_EQ(ReadPlans(script, back, report), n == 64) << n;
    if (n == 64) {
      ASSERT_TRUE(back[63].HoldsPlan());
      EXPECT_EQ(back[63].band, 'D');
      ASSERT_EQ(back[63].Channels().size(), 1u);
      EXPECT_STREQ(back[63].Channels()[0].name, "  5A");
      EXPECT_STREQ(back[63].Channels()[0].commands[0], "ME8");
      EXPECT_EQ(back[63].Channels()[0].bandwidth, 800);
      EXPECT_EQ(back[63].Channels()[0].word2, static_cast<int32_t>(back[63].Channels()[0].word));
    } else {
      ASSERT_EQ(report.prompter.shown.size(), 2u);
      EXPECT_EQ(report.prompter.shown[0].text, "More than 64 plans found.\nAborting...");
      EXPECT_EQ(report.prompter.shown[1].text, "Data File error in PLANS.PRO");
      EXPECT_EQ(report.log.at(1), "More than 64 plans found.\nAborting...");
    }
  }
  // A satellite channel whose downlink gives an IF of 2200 MHz reads as 1500, with two lines.
  PlanSlots plans = EmptyPlans();
  plans[0] = Plan("SAT", 'S', 2, "", 9750.0f);
  std::string script = Build(plans, cv::plan::PlanScriptWriter::Saved);
  const size_t at = script.find("CHAN3S (1, C1, ");
  ASSERT_NE(at, std::string::npos);
  script.replace(at, script.find(',', at + 15) - at, "CHAN3S (1, C1, 11950.00");
  RecordingReport report;
  PlanSlots back = EmptyPlans();
  ASSERT_TRUE(ReadPlans(script, back, report));
  EXPECT_EQ(report.log, (std::vector<std::string>{"Parsing file PLANS.PRO", "C1   out of range: 1, 2200.00 MHz",
                                                  "New frequency value: 1500 MHz", "Channel Plan loaded from PLANS.PRO"}));
  ASSERT_EQ(back[0].Channels().size(), 2u);
  EXPECT_FLOAT_EQ(back[0].Channels()[1].frequency, 1500.0f);
}
