// A family's dialect through the engine: keywords found by their text, so a keyword inserted in
// the middle of the table shifts the later codes without changing what they run; the per-dialect
// version reader, directory record, plan cap, SENDHEX lookup and ".UPD" estimate.
#include <gtest/gtest.h>

#include "PlanImport.h"
#include "ScriptFakes.h"

namespace {

// A keyword of a family's own: counts its runs.
int marks = 0;
bool Mark(TScriptEngine& e) {
  ++marks;
  e.resultText = "MARKED";
  return true;
}

ScriptDialect WithInsertedKeyword() {
  ScriptDialect d = cv::script::Corvane3Dialect();
  d.Insert(21, {"MARK", 2, Mark});
  d.Rename("DIRECTORY3", "DIRECTORY9");
  d.segmentRecord = "020000021000EC";
  d.planCap = 64;
  d.versionMark = ' ';
  d.hexTriesStartDir = false;
  d.updSeconds = cv::script::UpdSecondsPerLine45;
  return d;
}

}  // namespace

TEST(ScriptDialect, InsertedKeywordShiftsLaterCodesAndDispatchFollowsTheText) {
  const ScriptDialect d = WithInsertedKeyword();
  ASSERT_EQ(d.keywords.size(), 34u);
  FakeLink link;
  FakeHost host;
  TScriptEngine engine(&link, &host, d);
  EXPECT_EQ(engine.acts[20].code, 21);
  EXPECT_STREQ(engine.acts[20].keyword, "MARK");
  EXPECT_STREQ(engine.acts[21].keyword, "CHAN3S");
  EXPECT_EQ(engine.acts[21].code, 22);

  marks = 0;
  ASSERT_EQ(engine.ParseLine("mark (1)"), 1);
  EXPECT_TRUE(engine.ExecuteAction());
  EXPECT_EQ(marks, 1);
  EXPECT_EQ(engine.resultText, "MARKED");

  // DISPLAY keeps its quoted argument wherever the table puts it; the old name is unknown.
  ASSERT_EQ(engine.ParseLine("DISPLAY \"a, b c\""), 1);
  EXPECT_STREQ(engine.statement.tokens[1], "a, b c");
  EXPECT_EQ(engine.ParseLine("DIRECTORY3 (2)"), 0);

  // The renamed directory statement runs with the dialect's record and cap.
  ASSERT_EQ(engine.ParseLine("DIRECTORY9 (80)"), 1);
  EXPECT_TRUE(engine.ExecuteAction());
  ASSERT_EQ(link.sent.size(), 2u);
  EXPECT_EQ(link.sent[0], "*FL:020000021000EC");
  EXPECT_EQ(link.sent[1].substr(0, 4 + 8 + 22 + 6), "*FL:1000000043414E414C49545A414349000000");
  EXPECT_EQ(link.sent[1].substr(40, 4), "4000");  // 64 plans, low byte first
  EXPECT_EQ(engine.lnbTable.size(), 64u);

  // The channel after the inserted keyword still writes a satellite record.
  link.sent.clear();
  ASSERT_EQ(engine.ParseLine("PLAN (40)"), 1);
  EXPECT_TRUE(engine.ExecuteAction());
  ASSERT_EQ(engine.ParseLine("CHAN3S (0, RTL, 1800.00, 0xFFFF, 0xFFFF, 0xFFFF)"), 1);
  EXPECT_TRUE(engine.ExecuteAction());
  ASSERT_EQ(link.sent.size(), 2u);
  EXPECT_EQ(link.sent[0].substr(4, 2), "08");
}

TEST(ScriptDialect, PlanImportFindsItsStatementsByWhatTheyRun) {
  const ScriptDialect d = WithInsertedKeyword();
  int keyword = 0;
  std::vector<std::string> args;
  ASSERT_EQ(cv::plan::ParseDialectLine(d, "CHAN3S (0, RTL, 11800.00, 0xFFFF, 0xFFFF, 0xFFFF) #x", keyword, args), 1);
  EXPECT_EQ(keyword, 22);
  EXPECT_EQ(d.ExecutorOf(keyword), cv::script::exec::Chan3S);
  EXPECT_EQ(args.size(), 6u);
  ASSERT_EQ(cv::plan::ParseDialectLine(d, "DIRECTORY9 (2)", keyword, args), 1);
  EXPECT_EQ(keyword, d.CodeOf(cv::script::exec::Directory));
  EXPECT_EQ(d.CodeOf(cv::script::exec::Directory), 23);
  EXPECT_EQ(cv::plan::ParseDialectLine(d, "DIRECTORY3 (2)", keyword, args), 0);
  // The CORVANE-3 table keeps its codes.
  ASSERT_EQ(cv::plan::ParseScriptLine("CHAN3S (0, RTL, 11800.00, 0xFFFF, 0xFFFF, 0xFFFF)", keyword, args), 1);
  EXPECT_EQ(keyword, 21);
}

TEST(ScriptDialect, VersionReplies) {
  struct Case {
    const char* reply;
    bool afterV;
    float v;
    bool afterBlank;
    float b;
  } cases[] = {
      {"*VE V1.22", true, 1.22f, true, 0.0f},
      {"*VE CORVANE-3 1.22", true, 0.0f, true, 0.0f},  // the first 'V' and blank come too early
      {"*VE 2.00", false, 0.0f, true, 2.0f},
      {"*ve 2.10", false, 0.0f, true, 2.1f},
      {"*VE2.00", false, 0.0f, false, 0.0f},
      {"*VEV3", true, 3.0f, false, 0.0f},
      {"*VE", false, 0.0f, false, 0.0f},
      {"", false, 0.0f, false, 0.0f},
  };
  for (const Case& c : cases) {
    float v = -1;
    EXPECT_EQ(cv::script::ReadVersionReply(c.reply, 'V', v), c.afterV) << c.reply;
    EXPECT_FLOAT_EQ(v, c.v) << c.reply;
    EXPECT_EQ(cv::script::ReadVersionReply(c.reply, ' ', v), c.afterBlank) << c.reply;
    EXPECT_FLOAT_EQ(v, c.b) << c.reply;
  }
  // A mark past the 255 characters after the echo is not looked for.
  float v = -1;
  EXPECT_FALSE(cv::script::ReadVersionReply("*VE" + std::string(255, 'X') + " 2.0", ' ', v));
  EXPECT_TRUE(cv::script::ReadVersionReply("*VE" + std::string(254, 'X') + " 2.0", ' ', v));
  EXPECT_FLOAT_EQ(v, 2.0f);
}

TEST(ScriptDialect, UpdEstimates) {
  struct Case {
    int64_t lines;
    int32_t framework, perLine45;
  } cases[] = {{0, 0, 0}, {49, 0, 2}, {50, 1, 2}, {1000, 36, 45}, {2400, 86, 108}, {100000, 3600, 4500}};
  for (const Case& c : cases) {
    EXPECT_EQ(cv::script::UpdSecondsFramework(c.lines), c.framework) << c.lines;
    EXPECT_EQ(cv::script::UpdSecondsPerLine45(c.lines), c.perLine45) << c.lines;
  }
}
