// The CORVANE-4 dialect on the framework's engine, against a recording line on a fake clock:
// the golden run (IFVER4, DIRECTORY4, SENDHEX, ".UPD" timing, the keywords accepted without
// action, the flash records byte for byte), and where it parts from the CORVANE-3 dialect.
#include <gtest/gtest.h>

#include "../../script/ScriptFakes.h"
#include "Cv4Dialect.h"

namespace fs = std::filesystem;

namespace {

using Lines = std::vector<std::string>;

struct Cv4Script : ::testing::Test {
  void SetUp() override {
    saved = fs::current_path();
    fs::current_path(dir.path);  // SENDHEX opens its files from the current directory
    link.replies["*?VE"] = "*VE 2.00";
  }
  void TearDown() override { fs::current_path(saved); }

  // The transcript, then what went to the line, the log zone, the host log and the label.
  std::string Record(const std::string& logName) const {
    std::string text = TempDir::Read(dir.path / logName) + "--- line\n";
    for (const auto& l : link.sent) text += l + "\n";
    text += "--- log zone\n";
    for (const auto& l : view.zone) text += l + "\n";
    text += "--- host log\n";
    for (const auto& l : host.log) text += l + "\n";
    text += "--- label\n";
    std::string last;
    for (const auto& l : view.labels)
      if (l != last) text += (last = l) + "\n";
    const std::string d = dir.path.string();
    for (size_t p; (p = text.find(d)) != std::string::npos;) text.replace(p, d.size(), "<dir>");
    return text;
  }

  TempDir dir;
  fs::path saved;
  FakeLink link;
  FakeHost host;
  FakeView view;
  TScriptEngine engine{&link, &host, cv::cv4::Dialect()};
};

void ExpectGolden(const std::string& actual, const std::string& golden) {
  const fs::path path = fs::path(CV_TEST_DATA_DIR) / "cv4" / golden;
  if (std::getenv("CV_UPDATE_GOLDEN")) std::ofstream(path, std::ios::binary) << actual;
  EXPECT_EQ(actual, TempDir::Read(path)) << golden;
}

}  // namespace

TEST_F(Cv4Script, GoldenRun) {
  dir.Write("loader.hex",
            ":10000000214601360121470136007EFE09D2190141\n"
            " :100010002146017E17C20001FF5F16002148011929\n"
            "\n"
            ":00000001ff\n");
  // 100 lines, two of them records: about 4 seconds at 45 ms a line.
  std::string upd = ":020000021000EC\n:00000001FF\n";
  for (int i = 0; i < 98; ++i) upd += ";\n";
  dir.Write("FIRM.upd", upd);
  const std::string script = dir.Write("CV4.PRO", R"(# CORVANE-4 dialect
LOG YES
ASK *?VE
FSTEP (0.05)	#accepted, keeps the result before it
IFVER4 (<, 2.10)
IFVAL (3)
ENDIF
IFVER4 (=, 2.00)
ENDIF
IFVER4 (>, 2.00)
SEND *SKIPPED
ENDIF
WAIT 20
ORG (0x0000)
DIRECTORY4 (32)
ORG (0x0000)
DIRECTORY4 (40)
HEADER3 (SAT-1, 0x0400, 1, 5, 9750.0, 3, 0x0000, 0xFFFF, 0xFFFF)
COMMAND3 (0x12, 0x34)
DATAL3 (1)
ADJ (1, 2, 3, 4, 5)
SENDHEX loader.hex *HX
SENDHEX FIRM.upd *HX
IFVER4 (!, 2.00)
SEND *NEVER
)");
  EXPECT_FALSE(engine.RunScript(script, &view));
  ExpectGolden(Record("CV4.LOG"), "dialect_run.golden");
  EXPECT_EQ(view.gauge.back(), 0);
  // The transcript's elapsed time shows the 15 s the long wait was held to.
  EXPECT_EQ(host.waits, (std::vector<int>{15000}));
}

TEST_F(Cv4Script, IfVer4ReadsTheVersionAfterTheFirstBlank) {
  struct Case {
    const char* reply;  // null: no reply
    const char* line;
    bool ok;
    const char* result;
  } cases[] = {
      {"*VE 2.00", "IFVER4 (<, 2.01)", true, "ver: 2.00 < 2.01? TRUE OK (1,1)"},
      {"*VE 2.00", "IFVER4 (>, 1.99)", true, "ver: 2.00 > 1.99? TRUE OK (1,1)"},
      {"*VE 2.00", "IFVER4 (=, 2.01)", true, "ver: 2.00 = 2.01? FALSE OK (1,1)"},
      // No blank: version 0, and the comparison runs against it.
      {"*VE2.00", "IFVER4 (=, 0)", true, "ver: 0.00 = 0.00? TRUE OK (1,1)"},
      {"*VE2.00", "IFVER4 (>, 1.00)", true, "ver: 0.00 > 1.00? FALSE OK (1,1)"},
      // The CORVANE-3 reading would take the figure after the 'V'.
      {"*VE V1.50", "IFVER4 (=, 0)", true, "ver: 0.00 = 0.00? TRUE OK (1,1)"},
      {nullptr, "IFVER4 (=, 2.00)", false, "(UNKNOWN VERSION) ERROR"},
      {"*VE 2.00", "IFVER4 (?, 2.00)", false, "(??\?) ERROR"},
  };
  for (const Case& c : cases) {
    FakeLink line;
    if (c.reply) line.replies["*?VE"] = c.reply;
    TScriptEngine e(&line, &host, cv::cv4::Dialect());
    ASSERT_EQ(e.ParseLine(c.line), 1) << c.line;
    EXPECT_EQ(e.ExecuteAction(), c.ok) << c.line;
    EXPECT_EQ(e.resultText, c.result) << c.line;
    EXPECT_EQ(line.sent, Lines{"*?VE"});
  }
  // The CORVANE-3 names are no keywords here.
  EXPECT_EQ(engine.ParseLine("IFVER3 (=, 2.00)"), 0);
  EXPECT_EQ(engine.ParseLine("DIRECTORY3 (2)"), 0);
}

TEST_F(Cv4Script, SendHexOpensOnlyFromTheCurrentDirectory) {
  TempDir start;
  start.Write("only.hex", ":00000001FF\n");
  host.startDir = start.path.string();
  ASSERT_EQ(engine.ParseLine("SENDHEX only.hex *HX"), 1);
  EXPECT_FALSE(engine.ExecuteAction());
  EXPECT_EQ(host.log, Lines{"Error: couldn't find file only.hex"});
  EXPECT_TRUE(link.sent.empty());
  EXPECT_EQ(fs::current_path(), dir.path);

  // The CORVANE-3 dialect finds it in the start directory.
  TScriptEngine cv3(&link, &host);
  ASSERT_EQ(cv3.ParseLine("SENDHEX only.hex *HX"), 1);
  EXPECT_TRUE(cv3.ExecuteAction());
  EXPECT_EQ(link.sent, Lines{"*HX:00000001FF"});
}

TEST_F(Cv4Script, EngineMendsHoldInThisDialect) {
  struct Case {
    const char* line;
    const char* result;
  } cases[] = {
      {"ENDIF", "OK (0,0)"},
      {"CALC (I1, /, I2, I3)", " I3 ??? ERROR"},
      {"PLAN (33)", "ERROR"},
      {"HEADER3 (BIG, 0x0400, 1, 5, 9999999.0, 3, 0xFFFF, 0xFFFF, 0xFFFF)", "ERROR"},
      {"CHAN3T (0, 21, 4000.00, 8, 0xFFFF)", "ERROR"},
  };
  for (const Case& c : cases) {
    TScriptEngine e(&link, &host, cv::cv4::Dialect());
    ASSERT_EQ(e.ParseLine(c.line), 1) << c.line;
    e.ExecuteAction();
    EXPECT_EQ(e.resultText, c.result) << c.line;
  }
  EXPECT_TRUE(link.sent.empty());

  // A SENDHEX line too long for one command fails with its number, before it is sent.
  host.log.clear();
  dir.Write("long.hex", ":00000001FF\n:" + std::string(260, 'A') + "\n");
  ASSERT_EQ(engine.ParseLine("SENDHEX long.hex *HX"), 1);
  EXPECT_FALSE(engine.ExecuteAction());
  EXPECT_EQ(link.sent, Lines{"*HX:00000001FF"});
  ASSERT_GE(host.log.size(), 2u);
  EXPECT_EQ(host.log[1], "Error in line number 2:");

  // IF nesting past the flag table fails instead of writing beyond it.
  TScriptEngine deep(&link, &host, cv::cv4::Dialect());
  bool ok = true;
  for (int i = 0; i < 300 && ok; ++i) {
    ASSERT_EQ(deep.ParseLine("IF B0 = 0x0"), 1);
    ok = deep.ExecuteAction();
  }
  EXPECT_FALSE(ok);
  EXPECT_EQ(deep.resultText, "(IF LEVELS) ERROR");

  // A transcript that would overwrite its script is refused.
  const std::string self = dir.Write("SELF.LOG", "SEND *X\n");
  EXPECT_FALSE(engine.RunScript(self, &view));
  EXPECT_EQ(TempDir::Read(self), "SEND *X\n");
}
