// "*FL:" record writers and SENDHEX, byte-exact against a recording line.
#include <gtest/gtest.h>

#include <algorithm>

#include "ScriptFakes.h"

namespace {

struct Flash : ::testing::Test {
  FakeLink link;
  FakeHost host;
  FakeView view;
  TScriptEngine engine{&link, &host};
  void SetUp() override { engine.SetView(&view); }
  bool Run(const std::string& line) {
    EXPECT_EQ(engine.ParseLine(line.c_str()), 1) << line;
    return engine.ExecuteAction();
  }
  std::vector<std::string> Sent() {
    auto s = link.sent;
    link.sent.clear();
    return s;
  }
};

using Lines = std::vector<std::string>;

}  // namespace

TEST_F(Flash, CommandWordsAndListEnd) {
  ASSERT_TRUE(Run("ORG (0x0100)"));
  ASSERT_TRUE(Run("COMMAND3 (0x12, 0x34)\t#(offset 0x0000) label"));
  EXPECT_EQ(engine.flashAddress, 0x0102);
  ASSERT_TRUE(Run("COMMAND3 (0x1FF, 0xFFFF)"));  // low bytes
  EXPECT_EQ(Sent(), (Lines{"*FL:020100001234B7", "*FL:02010200FFFFFD"}));
  EXPECT_FALSE(Run("ORG (100)"));
  EXPECT_EQ(engine.resultText, "ERROR");
  EXPECT_EQ(engine.flashAddress, 0x0104);
}

TEST_F(Flash, DirectoryCapsAt32) {
  ASSERT_TRUE(Run("ORG (0x0000)"));
  ASSERT_TRUE(Run("DIRECTORY3 (40)"));
  EXPECT_EQ(Sent(), (Lines{"*FL:0200000280007C",
                           "*FL:10000000" "43414E414C49545A414349" "000000" "2000" "AD"}));
  EXPECT_EQ(engine.flashAddress, 0x0010);
  EXPECT_EQ(engine.planIndex, 0);
  link.failAfter = 0;
  EXPECT_FALSE(Run("DIRECTORY3 (2)"));
  EXPECT_EQ(Sent(), (Lines{"*FL:0200000280007C"}));  // nothing after the refused segment
  EXPECT_EQ(engine.flashAddress, 0x0010);
}

TEST_F(Flash, HeaderAndTerrestrialChannel) {
  ASSERT_TRUE(Run("ORG (0x0010)"));
  ASSERT_TRUE(Run("HEADER3 (TDT-MADRID, 0x0400, 3, 7, 0.0, 2, 0x0004, 0xFFFF, 0x0008)"));
  EXPECT_EQ(engine.planIndex, 1);
  EXPECT_EQ(Sent(), (Lines{
      // "TDT-MADR", 00 04, 3, 7, LNB 000000, code 2
      "*FL:10001000" "5444542D4D414452" "0004" "03" "07" "000000" "02" "93",
      "*FL:020020000400DA",   // the first command word
      "*FL:02002200FFFFDE"})); // the list stops at 0xFFFF; 0x0008 is never sent
  ASSERT_TRUE(Run("PLAN (1)"));
  ASSERT_TRUE(Run("ORG (0x0400)"));
  ASSERT_TRUE(Run("CHAN3T (0, 21, 471.25, 8, 0xFFFF)"));
  // "  21", word 10203 (DB 27), second word 10258 (12 28)
  EXPECT_EQ(Sent(), (Lines{"*FL:08040000" "20203231" "DB27" "1228" "15",
                           "*FL:02040800FFFFF4"}));
  EXPECT_EQ(engine.flashAddress, 0x040A);
  ASSERT_TRUE(Run("CHAN3T (1, C\xE9LULA, 474.0, 7, 0x0010)"));  // the first four characters
  EXPECT_EQ(Sent()[0].substr(12, 8), "43E94C55");
}

TEST_F(Flash, SatellitePlanUsesItsOscillator) {
  ASSERT_TRUE(Run("DIRECTORY3 (2)"));
  ASSERT_TRUE(Run("HEADER3 (TERR, 0x0400, 1, 7, 0.0, 0, 0xFFFF, 0xFFFF, 0xFFFF)"));
  ASSERT_TRUE(Run("HEADER3 (ASTRA-H, 0x0900, 1, 5, 9750.0, 1, 0xFFFF, 0xFFFF, 0xFFFF)"));
  Sent();
  EXPECT_FLOAT_EQ(engine.lnbTable[1], 97500.0f);
  ASSERT_TRUE(Run("PLAN (2)"));
  ASSERT_TRUE(Run("ORG (0x0900)"));
  // 11000 MHz under 9750: IF 1250, word (1250 + 479.5) x 8 = 13836 = 0x360C, written twice.
  ASSERT_TRUE(Run("CHAN3S (0, RTL, 11000.00, 0x0002, 0x0004, 0xFFFF)"));
  EXPECT_EQ(Sent(), (Lines{"*FL:08090000" "2052544C" "0C36" "0C36" "59",
                           "*FL:020908000200EB", "*FL:02090A000400E7", "*FL:02090C00FFFFEB"}));
}

TEST_F(Flash, HeaderLnbBytesMostSignificantFirst) {
  ASSERT_TRUE(Run("HEADER3 (SAT, 0x0400, 80, 5, 10600.0, 255, 0xFFFF, 0xFFFF, 0xFFFF)"));
  const std::string record = Sent()[0];
  EXPECT_EQ(record.substr(12, 16), "5341542020202020");  // "SAT" padded with blanks
  EXPECT_EQ(record.substr(28, 16), "0004" "50" "05" "019E10" "FF");
}

TEST_F(Flash, HeaderLnbBeyondItsThreeBytesSendsNothing) {
  struct Case {
    const char* lnb;
    const char* bytes;  // the LNB field sent, or nullptr for a refused header
  } cases[] = {{"1677721.5", "FFFFFF"}, {"0.0", "000000"}, {"1677721.6", nullptr},
               {"-0.1", nullptr},       {"9758888888888888880.0", nullptr}, {"1e39", nullptr}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.lnb);
    host.log.clear();
    const std::string line = std::string("HEADER3 (S, 0x0400, 1, 5, ") + c.lnb + ", 0, 0xFFFF, 0xFFFF, 0xFFFF)";
    EXPECT_EQ(Run(line), c.bytes != nullptr);
    const Lines sent = Sent();
    if (c.bytes) {
      ASSERT_EQ(sent.size(), 2u);
      EXPECT_EQ(sent[0].substr(36, 6), c.bytes);
    } else {
      EXPECT_TRUE(sent.empty());
      EXPECT_EQ(engine.resultText, "ERROR");
      ASSERT_EQ(host.log.size(), 1u);
      EXPECT_EQ(host.log[0], std::string("LNB oscillator ") + c.lnb +
                                 " MHz is outside 0 to 1677721.5 MHz, what a plan header holds: nothing sent.");
    }
  }
}

TEST_F(Flash, PlanTableIsNeverLeft) {
  struct Case {
    const char* line;
    bool ok;
  } plans[] = {{"PLAN (0)", false}, {"PLAN (33)", false}, {"PLAN (-4)", false},
               {"PLAN (1)", true},  {"PLAN (32)", true}};
  for (const auto& c : plans) EXPECT_EQ(Run(c.line), c.ok) << c.line;
  EXPECT_EQ(engine.planIndex, 31);
  ASSERT_TRUE(Run("DIRECTORY3 (32)"));
  for (int i = 0; i < 32; ++i) ASSERT_TRUE(Run("HEADER3 (P, 0x0400, 1, 5, 9750.0, 0, 0xFFFF, 0xFFFF, 0xFFFF)"));
  Sent();
  EXPECT_FALSE(Run("HEADER3 (P, 0x0400, 1, 5, 9750.0, 0, 0xFFFF, 0xFFFF, 0xFFFF)"));
  EXPECT_FALSE(Run("CHAN3S (0, X, 11000.0, 0xFFFF, 0xFFFF, 0xFFFF)"));
  EXPECT_EQ(engine.resultText, "ERROR");
  EXPECT_TRUE(Sent().empty());
  EXPECT_EQ(host.log.back(), "Plan 33 is outside the 32 plans of a canalization.");
}

TEST_F(Flash, WordsOutsideSixteenBitsSendNothing) {
  for (const char* line : {"CHAN3T (0, A, 3500.0, 8, 0xFFFF)", "CHAN3T (0, A, -50.0, 8, 0xFFFF)",
                           "CHAN3T (0, A, 3200.0, 200, 0xFFFF)"}) {
    EXPECT_FALSE(Run(line)) << line;
    EXPECT_TRUE(Sent().empty()) << line;
  }
  EXPECT_EQ(engine.flashAddress, 0);
  ASSERT_TRUE(Run("HEADER3 (S, 0x0400, 1, 5, 0.0, 0, 0xFFFF, 0xFFFF, 0xFFFF)"));
  ASSERT_TRUE(Run("PLAN (1)"));
  Sent();
  EXPECT_FALSE(Run("CHAN3S (0, X, 9000.0, 0xFFFF, 0xFFFF, 0xFFFF)"));
  EXPECT_TRUE(Sent().empty());
}

TEST_F(Flash, RefusedRecordStopsTheStatementAndStillCountsThePlan) {
  link.failAfter = 1;
  EXPECT_FALSE(Run("HEADER3 (P, 0x0400, 1, 7, 0.0, 0, 0x0002, 0xFFFF, 0xFFFF)"));
  EXPECT_EQ(Sent().size(), 2u);
  EXPECT_EQ(engine.planIndex, 1);
  EXPECT_EQ(engine.flashAddress, 0x0012);
}

TEST_F(Flash, SkippedRecordsSendNothing) {
  ASSERT_TRUE(Run("IF B0 = 0x1"));
  for (const char* l : {"ORG (0x0100)", "COMMAND3 (0x12, 0x34)", "DIRECTORY3 (1)", "PLAN (40)",
                        "HEADER3 (P, 0x0400, 1, 7, 0.0, 0, 0x0002, 0xFFFF, 0xFFFF)",
                        "CHAN3T (0, A, 471.25, 8, 0xFFFF)", "SENDHEX nofile.hex *HX"}) {
    EXPECT_TRUE(Run(l)) << l;
    EXPECT_EQ(engine.resultText, "FALSE") << l;
  }
  EXPECT_TRUE(Sent().size() == 0);
  EXPECT_EQ(engine.flashAddress, 0);
  EXPECT_EQ(engine.planIndex, 0);
}

// ---------------------------------------------------------------------------------------------

TEST_F(Flash, SendHexSendsColonLinesUpperCased) {
  TempDir dir;
  const std::string file =
      dir.Write("loader.hex", ":020000020000fc\r\n; comment\n\n:00000001ff\nxx\n");
  ASSERT_TRUE(Run("SENDHEX " + file + " *HX"));
  EXPECT_EQ(engine.resultText, "OK");
  EXPECT_EQ(Sent(), (Lines{"*HX:020000020000FC", "*HX:00000001FF"}));
  EXPECT_EQ(host.log, (Lines{"Executing SENDHEX with file " + file, "SENDHEX finished"}));
  EXPECT_EQ(view.gauge, (std::vector<int>{0, 20, 40, 60, 80, 100, 0}));
  EXPECT_EQ(view.colors, (std::vector<uint32_t>{TScriptEngine::kGreen, 0x0000FF}));
  EXPECT_EQ(view.labels, (Lines{""}));  // not an update file: no sending time
}

TEST_F(Flash, SendHexFindsTheFileInTheStartDirectory) {
  TempDir dir;
  dir.Write("update.hex", ":00000001FF\n");
  host.startDir = dir.path.string();
  ASSERT_TRUE(Run("SENDHEX update.hex *HX"));
  EXPECT_EQ(Sent(), (Lines{"*HX:00000001FF"}));
  host.startDir = "/nonexistent";
  EXPECT_FALSE(Run("SENDHEX update.hex *HX"));
  EXPECT_EQ(host.log.back(), "Error: couldn't find file update.hex");
  EXPECT_EQ(view.color, 0x0000FFu);
}

TEST_F(Flash, SendHexRefusedAndOverlongLinesNameTheirNumber) {
  TempDir dir;
  const std::string longLine = ":" + std::string(250, 'A');
  const std::string file = dir.Write("a.hex", ":00000001FF\n" + longLine + "\n:00000001FF\n");
  EXPECT_FALSE(Run("SENDHEX " + file + " *HX"));
  EXPECT_EQ(engine.resultText, "ERROR");
  EXPECT_EQ(Sent(), (Lines{"*HX:00000001FF"}));  // the long line is neither cut nor sent
  ASSERT_GE(host.log.size(), 4u);
  EXPECT_EQ(host.log[1], "Error in line number 2:");
  EXPECT_EQ(host.log[2], "*HX" + longLine);
  EXPECT_EQ(host.log[3], "The line is 254 characters long with its prefix; a command carries at most 252.");

  host.log.clear();
  link.failAfter = 1;
  const std::string file2 = dir.Write("b.hex", ":00000001FF\n\n:10000000\n");
  EXPECT_FALSE(Run("SENDHEX " + file2 + " *HX"));
  EXPECT_EQ(host.log[1], "Error in line number 3:");
  EXPECT_EQ(host.log[2], "*HX:10000000");
}

TEST_F(Flash, SendHexLineBoundIsTheCommandLength) {
  TempDir dir;
  for (size_t total : {252u, 253u}) {  // with the 3-character prefix
    const std::string line = ":" + std::string(total - 4, 'A');
    const std::string file = dir.Write("edge.hex", line + "\n");
    host.log.clear();
    EXPECT_EQ(Run("SENDHEX " + file + " *HX"), total == 252) << total;
    EXPECT_EQ(Sent(), total == 252 ? Lines{"*HX" + line} : Lines{}) << total;
  }
  EXPECT_NE(std::find(host.log.begin(), host.log.end(),
                      "The line is 253 characters long with its prefix; a command carries at most 252."),
            host.log.end());
}

TEST_F(Flash, UpdateFileShowsTheSendingTime) {
  TempDir dir;
  std::string content;
  for (int i = 0; i < 200; ++i) content += ":00000001FF\n";
  const std::string file = dir.Write("fw.upd", content);
  int sends = 0;
  view.onRepaint = [&] { view.ticks = static_cast<uint32_t>(++sends / 2); };
  ASSERT_TRUE(Run("SENDHEX " + file + " *HX"));
  // 200 lines: (200 x 48 / 2400) x 1.8 = 7 s expected.
  ASSERT_GE(view.labels.size(), 3u);
  EXPECT_EQ(view.labels.front(),
            "Sending updating file.\nTime from start: 00:00 minutes\n"
            "Expected total time: about 00:07 minutes or less");
  EXPECT_EQ(view.labels[view.labels.size() - 2],
            "Sending updating file.\nTime from start: 01:40 minutes\n"
            "Expected total time: about 00:07 minutes or less");
  EXPECT_EQ(view.labels.back(), "");
  EXPECT_EQ(host.pumps, 200);
}

// ---------------------------------------------------------------------------------------------

#include "FlashImage.h"

TEST_F(Flash, PlanScriptLandsInTheFlashImageLaidOutAsTheInstrumentReadsIt) {
  const char* script[] = {
      "ORG (0x0000)", "DIRECTORY3 (2)",
      "HEADER3 (TDT, 0x0400, 2, 7, 0.0, 3, 0x0000, 0xFFFF, 0xFFFF)",
      "HEADER3 (ASTRA, 0x0900, 1, 5, 9750.0, 0, 0xFFFF, 0xFFFF, 0xFFFF)",
      "COMMAND3 (0x20, 0x01)", "COMMAND3 (0xFF, 0xFF)",
      "PLAN (1)", "ORG (0x0400)",
      "CHAN3T (0, 21, 471.25, 8, 0xFFFF)", "CHAN3T (1, E69, 858.00, 8, 0x0000)",
      "PLAN (2)", "ORG (0x0900)", "CHAN3S (0, RTL, 11000.00, 0xFFFF, 0xFFFF, 0xFFFF)"};
  for (const char* line : script) ASSERT_TRUE(Run(line)) << line;
  cvsim::FlashImage flash;
  for (const std::string& s : Sent()) {
    ASSERT_EQ(s.rfind("*FL:", 0), 0u) << s;
    ASSERT_TRUE(flash.Apply(s.substr(4))) << s;
  }
  EXPECT_EQ(flash.segment, 0x8000);
  EXPECT_EQ(flash.PlanCount(), 2);
  EXPECT_EQ(flash.PlanReply(0), "*JITDT     02T0000003");
  EXPECT_EQ(flash.PlanReply(1), "*JIASTRA   01S17CDC00");
  EXPECT_EQ(flash.PlanReply(2), "*JI!!");
  EXPECT_EQ(flash.ChannelReply(0, 0), "*CI  2127DB2812");
  EXPECT_EQ(flash.ChannelReply(0, 1), "*CI E6946124649");
  EXPECT_EQ(flash.ChannelReply(1, 0), "*CI RTL360C360C");
  EXPECT_EQ(flash.ChannelReply(1, 1), "*CI!!");
  cvsim::FlashImage::Plan p;
  ASSERT_TRUE(flash.ReadPlan(0, p));
  EXPECT_EQ(p.commands, (std::vector<uint16_t>{0x0000}));
  EXPECT_FALSE(flash.Apply("020100001234B8"));  // a bad checksum writes nothing
}
