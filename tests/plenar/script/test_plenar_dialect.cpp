// The CORVANE-PLENAR dialect on the framework's engine, against a recording line: CHAND's records
// byte for byte, the 64-plan directory, and CORVANE-4 scripts running as they do in their own
// dialect.
#include <gtest/gtest.h>

#include "../../script/ScriptFakes.h"
#include "Cv4Dialect.h"
#include "PlenDialect.h"
#include "ScriptCore.h"

namespace fs = std::filesystem;

namespace {

using Lines = std::vector<std::string>;

std::string Record(uint16_t address, const std::vector<uint8_t>& data) {
  return cv::script::FlashRecord("*FL:", address, data);
}

std::vector<uint8_t> Bytes(const std::string& text, std::vector<uint8_t> tail) {
  std::vector<uint8_t> data(text.begin(), text.end());
  data.insert(data.end(), tail.begin(), tail.end());
  return data;
}

struct PlenScript : ::testing::Test {
  // Runs one statement from flash address 0x0400; true when it succeeded.
  bool Run(const std::string& line) {
    engine = std::make_unique<TScriptEngine>(&link, &host, cv::plenar::Dialect());
    engine->flashAddress = 0x0400;
    link.sent.clear();
    host.log.clear();
    if (engine->ParseLine(line.c_str()) != 1) return false;
    return engine->ExecuteAction();
  }
  FakeLink link;
  FakeHost host;
  std::unique_ptr<TScriptEngine> engine;
};

}  // namespace

TEST_F(PlenScript, ChandWritesItsChannelRecordAndCommandWords) {
  struct Row {
    const char* line;
    Lines sent;
  } rows[] = {
      // (174.928 + 38.9) / 0.05 = 4276.56, truncated to 0x10B4, twice.
      {"CHAND (0, 5A, 174.928, 0x0084)",
       {Record(0x0400, Bytes("  5A", {0xB4, 0x10, 0xB4, 0x10})), Record(0x0408, {0x84, 0x00}),
        Record(0x040A, {0xFF, 0xFF})}},
      // A register word of 0xFFFF: the terminating word alone.
      {"CHAND (1, 12D, 229.072, 0xFFFF)",
       {Record(0x0400, Bytes(" 12D", {0xEF, 0x14, 0xEF, 0x14})), Record(0x0408, {0xFF, 0xFF})}},
      // Names cut to four, short ones right-aligned: the record always holds 8 bytes.
      {"CHAND (2, LONGNAME, 5.00, 0xFFFF)",
       {Record(0x0400, Bytes("LONG", {0x6E, 0x03, 0x6E, 0x03})), Record(0x0408, {0xFF, 0xFF})}},
      {"CHAND (3, X, 862.00, 0xFFFF)",
       {Record(0x0400, Bytes("   X", {0x62, 0x46, 0x62, 0x46})), Record(0x0408, {0xFF, 0xFF})}},
  };
  for (const Row& r : rows) {
    EXPECT_TRUE(Run(r.line)) << r.line;
    EXPECT_EQ(engine->resultText, "OK") << r.line;
    EXPECT_EQ(link.sent, r.sent) << r.line;
    EXPECT_TRUE(host.log.empty()) << r.line;
  }
  EXPECT_EQ(engine->flashAddress, 0x040A);
}

TEST_F(PlenScript, ChandFailsBeforeSendingAWordOutsideItsRange) {
  for (const char* line : {"CHAND (0, BIG, 4000.00, 0xFFFF)", "CHAND (0, NEG, -40.00, 0xFFFF)"}) {
    EXPECT_FALSE(Run(line)) << line;
    EXPECT_EQ(engine->resultText, "ERROR") << line;
    EXPECT_TRUE(link.sent.empty()) << line;
    EXPECT_EQ(host.log.size(), 1u) << line;
  }
  // A refused record stops the statement: no command word follows it.
  link.failAfter = 0;
  EXPECT_FALSE(Run("CHAND (0, 5A, 174.928, 0x0084)"));
  EXPECT_EQ(engine->resultText, "ERROR");
  EXPECT_EQ(link.sent.size(), 1u);
  link.failAfter = -1;
  // Under a false IF nothing is written.
  engine = std::make_unique<TScriptEngine>(&link, &host, cv::plenar::Dialect());
  link.sent.clear();
  for (const char* line : {"IF B0 = 0x1", "CHAND (0, 5A, 174.928, 0x0084)"}) {
    ASSERT_EQ(engine->ParseLine(line), 1) << line;
    EXPECT_TRUE(engine->ExecuteAction()) << line;
  }
  EXPECT_EQ(engine->resultText, "FALSE");
  EXPECT_TRUE(link.sent.empty());
}

TEST_F(PlenScript, KeywordsAfterChan3tMoveUpOneAndTheDirectoryHolds64Plans) {
  const ScriptDialect& d = cv::plenar::Dialect();
  const ScriptDialect& cv4 = cv::cv4::Dialect();
  ASSERT_EQ(d.keywords.size(), 34u);
  EXPECT_EQ(d.IndexOf("CHAND"), 20);  // code 21
  EXPECT_EQ(d.keywords[20].tokens, 5);
  for (size_t i = 0; i < cv4.keywords.size(); ++i) {
    const size_t at = i < 20 ? i : i + 1;
    EXPECT_EQ(d.keywords[at].keyword, cv4.keywords[i].keyword) << i;
    EXPECT_EQ(d.keywords[at].tokens, cv4.keywords[i].tokens) << i;
  }
  EXPECT_EQ(d.keywords[22].keyword, "DIRECTORY4");  // code 23

  struct Row {
    int declared;
    int written;  // the count the directory record carries
  } rows[] = {{40, 40}, {64, 64}, {65, 64}, {0, 0}};
  for (const Row& r : rows) {
    EXPECT_TRUE(Run("DIRECTORY4 (" + std::to_string(r.declared) + ")")) << r.declared;
    ASSERT_EQ(link.sent.size(), 2u);
    EXPECT_EQ(link.sent[0], "*FL:020000022000DC");
    EXPECT_EQ(link.sent[1], Record(0x0400, cv::script::DirectoryData("CANALITZACI", r.written, 64))) << r.declared;
  }
  EXPECT_TRUE(Run("PLAN (64)"));
  EXPECT_FALSE(Run("PLAN (65)"));
  EXPECT_FALSE(Run("PLAN (0)"));
  EXPECT_EQ(host.log, Lines{"Plan 0 is outside the 64 plans of a canalization."});
  // The LNB table follows: a channel of plan 64 is written.
  engine = std::make_unique<TScriptEngine>(&link, &host, cv::plenar::Dialect());
  link.sent.clear();
  for (const char* line : {"PLAN (64)", "CHAN3S (0, S1, 1200.00, 0xFFFF, 0xFFFF, 0xFFFF)"}) {
    ASSERT_EQ(engine->ParseLine(line), 1) << line;
    EXPECT_TRUE(engine->ExecuteAction()) << line;
  }
  EXPECT_EQ(link.sent.size(), 2u);
}

TEST(PlenScriptRun, Corvane4ScriptRunsAsInItsOwnDialect) {
  TempDir dir;
  const std::string script = dir.Write("CV4.PRO", R"(LOG YES
ASK *?VE
IFVER4 (>, 1.95)
SEND *SP0
ENDIF
ORG (0x0000)
DIRECTORY4 (2)
HEADER3 (TDT, 0x0400, 2, 7, 0.0, 1, 0xFFFF, 0xFFFF, 0xFFFF)
HEADER3 (ASTRA, 0x0900, 1, 5, 9750.0, 2, 0x0022, 0xFFFF, 0xFFFF)
COMMAND3 (0x01, 0x06)   #(offset 0x0022) DIGITAL
PLAN (1)
ORG (0x0400)
CHAN3T (0, C21, 474.00, 8.00, 0x0022)
CHAN3T (1, C22, 482.00, 1.53, 0xFFFF)
PLAN (2)
ORG (0x0900)
CHAN3S (0, S1, 10950.00, 0x0022, 0xFFFF, 0xFFFF)
ALERT
)");
  auto run = [&](const ScriptDialect& d) {
    FakeLink link;
    link.replies["*?VE"] = "*VE 2.22";
    FakeHost host;
    FakeView view;
    TScriptEngine engine(&link, &host, d);
    const bool ok = engine.RunScript(script, &view);
    std::string text = TempDir::Read(dir.path / "CV4.LOG") + "--- line\n";
    for (const auto& l : link.sent) text += l + "\n";
    text += "--- zone\n";
    for (const auto& l : view.zone) text += l + "\n";
    text += "--- log\n";
    for (const auto& l : host.log) text += l + "\n";
    return std::make_pair(ok, text);
  };
  const auto cv4 = run(cv::cv4::Dialect());
  const auto plenar = run(cv::plenar::Dialect());
  EXPECT_TRUE(cv4.first);
  EXPECT_EQ(plenar, cv4);
  EXPECT_NE(cv4.second.find("*FL:"), std::string::npos);
}
