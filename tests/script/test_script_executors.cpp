// The plug-in dialect's executors, statement by statement, against a recording line.
#include <gtest/gtest.h>

#include <algorithm>

#include "ScriptFakes.h"

namespace {

struct Engine : ::testing::Test {
  FakeLink link;
  FakeHost host;
  FakeView view;
  TScriptEngine engine{&link, &host};
  void SetUp() override { engine.SetView(&view); }

  // Runs one statement; returns its success and leaves the result text in engine.resultText.
  bool Run(const char* line) {
    EXPECT_EQ(engine.ParseLine(line), 1) << line;
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

TEST_F(Engine, KeywordTableOrderAndCounts) {
  ASSERT_EQ(engine.acts.size(), 33u);
  EXPECT_STREQ(engine.acts[0].keyword, "SEND");
  EXPECT_EQ(engine.acts[18].code, 19);
  EXPECT_STREQ(engine.acts[18].keyword, "HEADER3");
  EXPECT_EQ(engine.acts[18].tokenCount, 10);
  EXPECT_STREQ(engine.acts[32].keyword, "RAWTX");
  for (int i = 0; i < 33; ++i) EXPECT_EQ(engine.acts[i].code, i + 1);
}

TEST_F(Engine, LineStatements) {
  link.replies["*?VE"] = "*VE CORVANE-3 V1.22";
  EXPECT_TRUE(Run("SEND *BO"));
  EXPECT_EQ(engine.resultText, "OK");
  EXPECT_TRUE(Run("ask *?VE"));
  EXPECT_EQ(engine.resultText, "*VE CORVANE-3 V1.22");
  EXPECT_FALSE(Run("ASK *?XX"));
  EXPECT_EQ(engine.resultText, "ERROR");
  EXPECT_TRUE(Run("RAWTX *******"));
  EXPECT_TRUE(Run("FORCE *?VE"));
  EXPECT_EQ(link.waited, (std::vector<char>{0x13, 0x06}));
  EXPECT_EQ(Sent(), (Lines{"*BO", "*?VE", "*?XX", "*******", "*?VE"}));
  link.forceAck = false;
  EXPECT_FALSE(Run("FORCE *?VE"));
  EXPECT_EQ(engine.resultText, "ERROR");
  link.failAfter = 0;
  EXPECT_FALSE(Run("SEND *BO"));
  EXPECT_EQ(engine.resultText, "ERROR");
  EXPECT_TRUE(Run("RAWTX x"));  // nothing read, never fails
  EXPECT_EQ(engine.resultText, "OK");
}

TEST_F(Engine, WaitIsCappedAndPumps) {
  EXPECT_TRUE(Run("WAIT 20"));
  EXPECT_EQ(view.zone.back(), "Waiting 20 seconds...");
  EXPECT_EQ(host.clock.NowMs(), 15000);
  EXPECT_EQ(host.clock.sleptMs, 0);  // the whole wait let the message loop run
  EXPECT_TRUE(Run("WAIT x"));
  EXPECT_EQ(host.waits, (std::vector<int>{15000, 0}));
  EXPECT_TRUE(Run("WAIT 2147483647"));
  EXPECT_EQ(host.waits.back(), 15000);
}

TEST_F(Engine, MiscStatements) {
  EXPECT_TRUE(Run("ALERT"));
  EXPECT_TRUE(Run("GETKEY"));
  EXPECT_EQ(host.beeps, 1);
  EXPECT_EQ(host.keys, 1);
  engine.outputLine = "( 1) DISPLAY ->";
  EXPECT_TRUE(Run("DISPLAY \"Plan sent, wait\""));
  EXPECT_EQ(engine.outputLine, ">>> ");
  EXPECT_EQ(engine.resultText, "Plan sent, wait");
  EXPECT_TRUE(Run("LOG yes"));
  EXPECT_EQ(engine.logFlag, 0);
  EXPECT_TRUE(Run("LOG YES"));
  EXPECT_EQ(engine.logFlag, 1);
  // The host dialect's settings do nothing here and repeat the previous result.
  engine.resultText = "previous";
  EXPECT_TRUE(Run("FSTEP (0.05)"));
  EXPECT_TRUE(Run("ADJ 0x00 0x10 - *A *B"));
  EXPECT_EQ(engine.resultText, "previous");
  EXPECT_TRUE(Sent().empty());
}

TEST_F(Engine, ConditionsAndSkipping) {
  engine.registers.bytes[3] = 0x10;
  engine.registers.words[5] = 0x12345;
  EXPECT_TRUE(Run("IF B3 = 0x10"));
  EXPECT_EQ(engine.resultText, "B3 =  0x10 = 0x0010? TRUE OK (1,1)");
  EXPECT_TRUE(Run("IF I5 = 0x2345"));  // low 16 bits compared, whole value shown
  EXPECT_EQ(engine.resultText, "I5 = 0x12345 = 0x2345? TRUE OK (2,2)");
  EXPECT_TRUE(Run("IF I5 > 0x3000"));
  EXPECT_EQ(engine.resultText, "I5 = 0x12345 > 0x3000? FALSE OK (3,3)");
  EXPECT_TRUE(Run("SEND *SKIPPED"));
  EXPECT_EQ(engine.resultText, "FALSE");
  EXPECT_TRUE(Run("IF B3 < 0x1"));  // nested in a skipped block: depth only
  EXPECT_EQ(engine.resultText, "FALSE");
  EXPECT_TRUE(Run("ENDIF"));
  EXPECT_EQ(engine.resultText, "FALSE (3,3)");
  EXPECT_TRUE(Run("ELSE"));
  EXPECT_EQ(engine.resultText, "TRUE (3,3)");
  EXPECT_TRUE(Run("SEND *RUN"));
  for (const char* r : {"OK (2,2)", "OK (1,1)", "OK (0,0)", "OK (0,0)"}) {
    EXPECT_TRUE(Run("ENDIF"));
    EXPECT_EQ(engine.resultText, r);
  }
  EXPECT_EQ(Sent(), (Lines{"*RUN"}));
  EXPECT_FALSE(Run("IF X3 = 0x10"));
  EXPECT_EQ(engine.resultText, "(?\?\?) ERROR");
  engine.BeginRun();
  EXPECT_FALSE(Run("IF B3 ! 0x10"));
  EXPECT_EQ(engine.resultText, "(?\?\?) ERROR");
}

TEST_F(Engine, ComparisonsAtEqualValues) {
  engine.registers.bytes[3] = 0x10;
  struct Row {
    const char* line;
    bool outcome;
  } rows[] = {{"IF B3 < 0x10", false}, {"IF B3 > 0x10", false}, {"IF B3 = 0x10", true},
              {"IF B3 < 0x11", true},  {"IF B3 > 0xF", true}};
  for (const Row& r : rows) {
    engine.BeginRun();
    EXPECT_TRUE(Run(r.line)) << r.line;
    EXPECT_NE(engine.resultText.find(r.outcome ? "? TRUE OK" : "? FALSE OK"), std::string::npos)
        << r.line << ": " << engine.resultText;
    EXPECT_TRUE(Run("SEND *X"));
    EXPECT_EQ(Sent(), r.outcome ? Lines{"*X"} : Lines{}) << r.line;
  }
}

TEST_F(Engine, NestingPastTheFlagTableFailsTheStatement) {
  for (int i = 0; i < 254; ++i) ASSERT_TRUE(Run("IF B0 = 0x0"));
  EXPECT_FALSE(Run("IF B0 = 0x0"));
  EXPECT_EQ(engine.ifLevels.level, 254);
}

TEST_F(Engine, TestIfErrorAndVersion) {
  EXPECT_TRUE(Run("TEST *?ZZ"));
  EXPECT_EQ(engine.resultText, "ERROR (TEST MODE)");
  EXPECT_TRUE(Run("IFERROR"));
  EXPECT_EQ(engine.resultText, "TRUE OK (1,1)");
  EXPECT_TRUE(Run("ENDIF"));
  link.replies["*?VE"] = "*ve v1.22 corvane-3";
  EXPECT_TRUE(Run("TEST *?VE"));
  EXPECT_EQ(engine.resultText, "*ve v1.22 corvane-3 (TEST MODE OK)");
  EXPECT_TRUE(Run("IFERROR"));
  EXPECT_EQ(engine.resultText, "FALSE OK (1,1)");
  EXPECT_TRUE(Run("ENDIF"));
  EXPECT_TRUE(Run("IFVER3 > 1.2"));
  EXPECT_EQ(engine.resultText, "ver: 1.22 > 1.20? TRUE OK (1,1)");
  EXPECT_FLOAT_EQ(engine.version, 1.22f);
  EXPECT_TRUE(Run("ENDIF"));
  link.replies["*?VE"] = "*VE";  // no 'V' after the first three characters: version 0
  EXPECT_TRUE(Run("IFVER3 = 0"));
  EXPECT_EQ(engine.resultText, "ver: 0.00 = 0.00? TRUE OK (1,1)");
  EXPECT_TRUE(Run("ENDIF"));
  EXPECT_FALSE(Run("IFVER3 ? 1"));
  EXPECT_EQ(engine.resultText, "(?\?\?) ERROR");
  engine.BeginRun();
  link.replies.clear();
  EXPECT_FALSE(Run("IFVER3 > 1"));
  EXPECT_EQ(engine.resultText, "(UNKNOWN VERSION) ERROR");
}

TEST_F(Engine, Registers) {
  link.replies["*?RB"] = "*RB41";
  link.replies["*?RW"] = "*RW1234";
  link.replies["*?R1"] = "1";
  link.replies["*?RZ"] = "*RZZZ";
  struct Case {
    const char* line;
    bool ok;
    const char* result;
    const char* zone;
  } cases[] = {
      {"READ B5 *?RB -", true, "*RB41 B5 = 0x41 OK", " B5 = 0x41"},
      {"READ I5 *?RW S", true, "*RW1234 I5 = 0x3412 OK", " I5 = 0x3412"},
      {"READ I5 *?RW N", true, "*RW1234 I5 = 0x1234 OK", " I5 = 0x1234"},
      {"READ B6 *?R1 -", false, "1 B6 ??? ERROR", " B6 ???"},
      {"READ B6 *?RZ -", false, "*RZZZ B6 ??? ERROR", " B6 ???"},
      {"READ B6 *?NO -", false, "ERROR B6 ??? ERROR", " B6 ???"},
      {"READ Q6 *?RB -", false, " Q6 ??? ERROR", " Q6 ???"},
      {"SET I0 0x12345 -", true, " I0 = 0x12345 OK", " I0 = 0x12345"},
      {"WRITE I0 *WR S", true, "OK I0 = 0x12345 (0x4523) OK", " I0 = 0x12345 (0x4523)"},
      {"WRITE I0 *WR -", true, "OK I0 = 0x12345 (0x2345) OK", " I0 = 0x12345 (0x2345)"},
      {"SET B1 0x1C8 -", true, " B1 = 0xC8 OK", " B1 = 0xC8"},
      {"SET B2 0x64 S", true, " B2 = 0x64 OK", " B2 = 0x64"},
      {"WRITE B1 *WB S", true, "OK B1 = 0xC8 OK", " B1 = 0xC8"},
      {"CALC B1 + B2 B3", true, " B3 = 0x2C OK", " B3 = 0x2C"},
      {"CALC B1 / B9 I4", false, " I4 ??? ERROR", " I4 ???"},
      {"CALC B1 ^ B2 I4", false, " I4 ??? ERROR", " I4 ???"},
      {"CALC B1 + Z2 I4", false, " Z2 ??? ERROR", " Z2 ???"},
      {"SET I7 12 -", false, " I7 ??? ERROR", " I7 ???"},
  };
  for (const auto& c : cases) {
    view.zone.clear();
    EXPECT_EQ(Run(c.line), c.ok) << c.line;
    EXPECT_EQ(engine.resultText, c.result) << c.line;
    EXPECT_EQ(view.zone, (Lines{c.zone})) << c.line;
  }
  EXPECT_EQ(engine.registers.bytes[3], 44);
  auto sent = Sent();
  EXPECT_EQ(std::count(sent.begin(), sent.end(), "*WR4523"), 1);
  EXPECT_EQ(std::count(sent.begin(), sent.end(), "*WR2345"), 1);
  EXPECT_EQ(std::count(sent.begin(), sent.end(), "*WBC8"), 1);
}

TEST_F(Engine, CalcOnWordsWraps) {
  engine.registers.words[1] = 0x80000000u;
  engine.registers.words[2] = 0xFFFFFFFFu;
  EXPECT_TRUE(Run("CALC I1 / W2 I3"));
  EXPECT_EQ(engine.registers.words[3], 0x80000000u);
  EXPECT_TRUE(Run("CALC I1 - I2 I3"));
  EXPECT_EQ(engine.registers.words[3], 0x80000001u);
}
