// The runner: reading, gauge, log zone, result, and the ".LOG" transcript against golden files.
#include <gtest/gtest.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <regex>

#include "FileSizeLimit.h"
#include "ScriptFakes.h"

namespace {

namespace fs = std::filesystem;
using Lines = std::vector<std::string>;

struct Runner : ::testing::Test {
  FakeLink link;
  FakeHost host;
  FakeView view;
  TScriptEngine engine{&link, &host};
  TempDir dir;
};

// The transcript with the scratch directory written as "<dir>".
std::string Transcript(const TempDir& dir, const std::string& name) {
  std::string text = TempDir::Read(dir.path / name);
  const std::string d = dir.path.string();
  for (size_t p; (p = text.find(d)) != std::string::npos;) text.replace(p, d.size(), "<dir>");
  return text;
}

// Compares with tests/data/script/<golden>; CV_UPDATE_GOLDEN=1 rewrites the golden file.
void ExpectGolden(const std::string& actual, const std::string& golden) {
  const fs::path path = fs::path(CV_TEST_DATA_DIR) / "script" / golden;
  if (std::getenv("CV_UPDATE_GOLDEN")) std::ofstream(path, std::ios::binary) << actual;
  EXPECT_EQ(actual, TempDir::Read(path)) << golden;
}

}  // namespace

TEST_F(Runner, GoldenTranscriptWithCommentsLogNoAndParserError) {
  link.replies["*?VE"] = "*VE V1.22";
  const std::string script = dir.Write("basic.pro", TempDir::Read(fs::path(CV_TEST_DATA_DIR) / "script/basic.pro"));
  host.clock.Advance(5000);
  EXPECT_FALSE(engine.RunScript(script, &view));
  ExpectGolden(Transcript(dir, "basic.LOG"), "basic.LOG");
  EXPECT_EQ(link.sent, (Lines{"*?VE", "*GO1", "*BO"}));
  EXPECT_EQ(view.zone[0], "( 3) LOG YES -> OK");
  EXPECT_EQ(view.zone[1], "( 4) ask *?VE\t\t\t#register version in LOG file -> *VE V1.22");
  EXPECT_EQ(view.zone[2], ">>> Plan upload, do not switch off");
  EXPECT_EQ(view.zone.back(), "(19) FOO bar ->  parser error.");
  EXPECT_EQ(host.log, (Lines{"LOG file generated: " + (dir.path / "basic.LOG").string(),
                             "PRO file to execute: " + script}));
}

TEST_F(Runner, GoldenTranscriptOfAFailedStatement) {
  link.failAfter = 2;
  const std::string script =
      dir.Write("failed.pro", TempDir::Read(fs::path(CV_TEST_DATA_DIR) / "script/failed.pro"));
  EXPECT_FALSE(engine.RunScript(script, &view));
  ExpectGolden(Transcript(dir, "failed.LOG"), "failed.LOG");
  EXPECT_EQ(link.sent, (Lines{"*7205&", "*WR1234", "*FE6"}));
  EXPECT_EQ(view.zone.back(), "( 5) SEND *FE6 -> ERROR");
  EXPECT_EQ(view.gauge.back(), 0);
}

TEST_F(Runner, ResultFollowsTheLastStatementParsed) {
  struct Case {
    const char* script;
    bool result;
  } cases[] = {
      {"# only\n\n# comments\n", false},
      {"# comment\n   \n", true},  // a line of blanks counts as parsed, with nothing to run
      {"SEND *A\n", true},
      {"SEND *A\nSEND\n", false},
      {"", false},
  };
  for (const auto& c : cases) {
    const std::string path = dir.Write("r.pro", c.script);
    EXPECT_EQ(engine.RunScript(path, &view), c.result) << c.script;
  }
}

TEST_F(Runner, LongLineIsReadAsTwoStatements) {
  const std::string line = "SEND *A" + std::string(247, ' ') + "SEND *B" + std::string(39, ' ');
  ASSERT_EQ(line.size(), 300u);
  ASSERT_TRUE(engine.RunScript(dir.Write("long.pro", line + "\n"), &view));
  EXPECT_EQ(link.sent, (Lines{"*A", "*B"}));
  ASSERT_EQ(view.zone.size(), 2u);
  EXPECT_EQ(view.zone[0].substr(0, 12), "( 1) SEND *A");
  EXPECT_EQ(view.zone[1].substr(0, 12), "( 2) SEND *B");
}

TEST_F(Runner, GaugeMovesInHalfPercentStepsFor200Lines) {
  std::string script;
  for (int i = 0; i < 200; ++i) script += "LOG YES\n";
  ASSERT_TRUE(engine.RunScript(dir.Write("g.pro", script), &view));
  ASSERT_EQ(view.gauge.size(), 203u);  // start, 201 reads (the last finds the end), reset
  EXPECT_EQ(view.gauge[1], 0);
  EXPECT_EQ(view.gauge[2], 1);
  EXPECT_EQ(view.gauge[3], 1);
  EXPECT_EQ(view.gauge[99], 49);
  EXPECT_EQ(view.gauge[100], 50);
  EXPECT_EQ(view.gauge[200], 100);
  EXPECT_EQ(view.gauge[201], 100);
  EXPECT_EQ(view.gauge[202], 0);
}

TEST_F(Runner, TranscriptNeverOverwritesTheScript) {
  const std::string script = dir.Write("plan.LOG", "SEND *A\n");
  EXPECT_FALSE(engine.RunScript(script, &view));
  EXPECT_EQ(TempDir::Read(script), "SEND *A\n");
  EXPECT_TRUE(link.sent.empty());
  EXPECT_EQ(host.log, (Lines{"The transcript would overwrite the script itself; script not run: " + script}));
}

TEST_F(Runner, MissingScriptRunsNothingAndKeepsTheOldTranscript) {
  dir.Write("gone.LOG", "old");
  EXPECT_FALSE(engine.RunScript((dir.path / "gone.pro").string(), &view));
  EXPECT_EQ(TempDir::Read(dir.path / "gone.LOG"), "old");
  EXPECT_TRUE(view.zone.empty());
  EXPECT_EQ(host.log.size(), 1u);
}

TEST_F(Runner, ConditionsResetPerRunRegistersAndFlashStateKept) {
  ASSERT_TRUE(engine.RunScript(dir.Write("a.pro", "SET B1 0x5 -\nORG (0x0400)\nTEST *?X\nELSE\n"),
                                &view));  // a top-level ELSE: skips the rest of this run only
  EXPECT_EQ(engine.errorFlag, 1);
  ASSERT_TRUE(engine.RunScript(dir.Write("b.pro", "SEND *X\nIFERROR\nSEND *NOT\nENDIF\n"), &view));
  EXPECT_EQ(link.sent, (Lines{"*?X", "*X"}));
  EXPECT_EQ(engine.registers.bytes[1], 5);
  EXPECT_EQ(engine.flashAddress, 0x0400);
}

// A transcript the disk refuses part way is the run's beginning, cut, and the run says so in the
// dialog's log zone and the host log; the statements still run and the result is theirs. A limit
// the whole transcript fits in says nothing.
TEST_F(Runner, TranscriptCutByTheDiskIsToldAndTheRunGoesOn) {
  std::string text;
  for (int i = 0; i < 40; ++i) text += "SEND *A" + std::to_string(i) + "\n";
  const std::string script = dir.Write("cut.pro", text);
  ASSERT_TRUE(engine.RunScript(script, &view));
  const std::string whole = TempDir::Read(dir.path / "cut.LOG");
  const std::string cutLine = "The transcript " + (dir.path / "cut.LOG").string() + " is incomplete: writing it failed (" +
                              std::strerror(EFBIG) + ").";
  // At the header, among the statements, in the footer's last line, and the whole file exactly.
  for (const size_t limit : {size_t{1}, whole.size() / 2, whole.size() - 1, whole.size()}) {
    SCOPED_TRACE("limit " + std::to_string(limit) + " of " + std::to_string(whole.size()));
    link.sent.clear();
    view.zone.clear();
    host.log.clear();
    bool ok = false;
    {
      cvtest::FileSizeLimit fence(limit);
      ok = engine.RunScript(script, &view);
    }
    EXPECT_TRUE(ok);
    EXPECT_EQ(link.sent.size(), 40u);
    const std::string now = TempDir::Read(dir.path / "cut.LOG");
    EXPECT_EQ(now, whole.substr(0, std::min(limit, whole.size())));
    const bool cut = limit < whole.size();
    ASSERT_EQ(view.zone.size(), cut ? 41u : 40u);
    EXPECT_EQ(view.zone.back(), cut ? cutLine : "(40) SEND *A39 -> OK");
    ASSERT_EQ(host.log.size(), cut ? 3u : 2u);
    EXPECT_EQ(host.log.back() == cutLine, cut);
  }
}
