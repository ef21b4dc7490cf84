// The host dialect's runner: the transcript, the result of a run, the tokenizer's rules, the
// condition blocks and test mode.
#include <cerrno>
#include <cstring>

#include "FileSizeLimit.h"
#include "ModalHelper.h"
#include "TermFixture.h"
#include "TermOutput.h"
#include "Text1252.h"

struct TermScript : TermTest {
  // Runs a script on a terminal whose port is open on a silent instrument, on the fake clock.
  bool RunText(const std::string& text, const std::string& name = "t.pro") {
    if (!sim) {
      StartSim();
      sim->UpdateFaults([](cvsim::Faults& f) { f.silent = true; });
    }
    if (!term) {
      MakeTerm();
      term->portName = "COM1";
      term->OpenPort();
      UseFakeClock();
    }
    return term->RunProFile(Script(name, text));
  }
  std::vector<std::string> Lines(const std::string& name = "t.LOG") { return Statements(Transcript(name)); }
  // The lines the instrument received, once it has `count` of them (or after a second).
  std::vector<std::string> SimLines(size_t count) {
    for (int i = 0; i < 100 && sim->Lines().size() < count; ++i)
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    return sim->Lines();
  }
};

TEST_F(TermScript, GoldenTranscript) {
  const std::string text = ReadFile(std::string(CV_TEST_DATA_DIR) + "/terminal/golden.pro");
  EXPECT_FALSE(RunText(text, "golden.pro"));
  ExpectGolden(MaskDates(Transcript("golden.LOG")), "golden.LOG");
  // The silent instrument cost the TEST its sixteen empty reads of 2000 ms each.
  EXPECT_GE(fake.now, 16 * 2000);
  EXPECT_LT(fake.now, 17 * 2000);
  // The instrument never said it was busy, so the TEST sent its query and then waited for the XOFF
  // that never came.
  EXPECT_EQ(SimLines(6), (std::vector<std::string>{"*NOTLOGGED", "*?VE", "*SILENT", "*AFTER", "*FIRST", "*SECOND"}));
  ASSERT_GE(owner.log.size(), 2u);
  EXPECT_EQ(owner.log[owner.log.size() - 2], "PRO file to execute: " + home.Path("golden.pro"));
  EXPECT_EQ(owner.log.back(), "(30) FOO bar ->  parser error.");
}

TEST_F(TermScript, TheResultOfARun) {
  const struct {
    const char* text;
    bool result;
  } cases[] = {
      {"# only\n\n  # comments\n", false},   // nothing reached the parser
      {"# a comment\n   \n", true},           // a line of blanks counts as good
      {"LOG YES\n", true},
      {"LOG YES\nFOO\n", false},
      {"LOG YES\nSEND\n", false},              // missing argument
      {"LOG YES\nSEND #comment\n", false},     // an argument may not begin with '#'
      {"LOG YES\nDISPLAY\n", false},           // DISPLAY without text
      {"log YES\nLoG no\n", true},             // keywords in any case
  };
  for (const auto& c : cases) EXPECT_EQ(RunText(c.text), c.result) << c.text;
}

TEST_F(TermScript, ArgumentsKeepTheirCaseAndATrailingCommentIsIgnored) {
  EXPECT_TRUE(RunText("rawtx *Mixed # a note\nLOG yes\nRAWTX(*ARG,ignored)\nLOG YES\nDISPLAY \"#1, two\" extra\n"));
  EXPECT_EQ(SimLines(2), (std::vector<std::string>{"*Mixed", "*ARG"}));  // "yes" is not "YES": logging off
  EXPECT_EQ(Lines(), (std::vector<std::string>{"( 1) rawtx *Mixed # a note -> OK", "( 4) LOG YES -> OK",
                                               "\r\n>>> #1, two"}));
  // On the screen DISPLAY's text stands alone after ">>> ".
  const cv::ConsoleScreen& s = term->console.screens[0];
  EXPECT_EQ(s.Row(s.cursorY - 1).substr(0, 12), ">>> #1, two ");
}

TEST_F(TermScript, WindowsLineEndsAreReadWithoutTheCarriageReturn) {
  EXPECT_TRUE(RunText("# note\r\nDISPLAY \"x\r\nLOG YES\r\n"));
  const std::string transcript = Transcript("t.LOG");
  EXPECT_NE(transcript.find("\n# note\n"), std::string::npos);
  EXPECT_NE(transcript.find("\r\n>>> x\n"), std::string::npos);  // the DISPLAY text ends at the line end
  EXPECT_EQ(transcript.find("x\r"), std::string::npos);
}

TEST_F(TermScript, AMissingScriptOrOneNamedLikeItsTranscriptRunsNothing) {
  EXPECT_TRUE(RunText("LOG YES\n"));  // opens the port
  EXPECT_FALSE(term->RunProFile(home.Path("absent.pro")));
  const cv::ConsoleScreen& s = term->console.screens[0];
  const std::string row = s.Row(4);
  EXPECT_EQ(row.substr(2, 31), "Error. Couldn't find file " + home.Path("absent.pro").substr(0, 5));
  EXPECT_EQ(s.At(2, 4).attr, 10);

  const std::string self = Script("self.LOG", "LOG YES\n");
  EXPECT_FALSE(term->RunProFile(self));
  EXPECT_EQ(ReadFile(self), "LOG YES\n");
  EXPECT_EQ(owner.log.back(), "The script would be overwritten by its own transcript; nothing was run: " +
                                  cv::term::ShownPath(self));
}

// A transcript path longer than the limit would be cut into another file's name: refused with the
// path named, and nothing runs.
TEST_F(TermScript, ATranscriptPathPastTheLimitRunsNothing) {
  EXPECT_TRUE(RunText("LOG YES\n"));
  const QString deep = QString(120, 'd') + "/" + QString(120, 'e');
  ASSERT_TRUE(QDir(home.path()).mkpath(deep));
  const std::string script = Script((deep + "/x.pro").toStdString(), "RAWTX *RAN\n");
  const std::string transcript = script.substr(0, script.size() - 4) + ".LOG";
  ASSERT_GT(transcript.size(), 260u);
  EXPECT_FALSE(term->RunProFile(script));
  // The reason comes first: the message row and a log line cut at 255 bytes still show it.
  const std::string reason = "The transcript path is longer than 260 characters; nothing was run: ";
  EXPECT_EQ(owner.log.back(), reason + cv::term::ShownPath(transcript));
  EXPECT_EQ(term->console.screens[0].Row(4).substr(2, reason.size()), reason);
  EXPECT_FALSE(QFile::exists(QString::fromStdString(transcript)));
  EXPECT_FALSE(QFile::exists(QString::fromStdString(transcript.substr(0, 260))));
  std::this_thread::sleep_for(std::chrono::milliseconds(100));
  EXPECT_TRUE(sim->Lines().empty()) << "the script ran";
}

// Paths stay in the system's encoding from the file dialog to the open; a name a script gives is
// found whether the script was written in Windows-1252 or in UTF-8. The transcript goes beside the
// script and shows its path in Windows-1252.
TEST_F(TermScript, AScriptInANonAsciiFolderRunsFromTheDialog) {
  EXPECT_TRUE(RunText("LOG YES\n"));
  term->testMode = true;  // the statements' exchanges are simulated
  ASSERT_TRUE(QDir(home.path()).mkdir(QStringLiteral("Se\u00F1al")));
  const std::string dir = home.Path(QStringLiteral("Se\u00F1al"));
  WriteFile(dir + "/c.cfg", "*#0001AA\n");
  const std::string script = dir + "/prueba.pro";
  WriteFile(script, "LOG YES\nSETCFG Se\xF1" "al/c.cfg\nDATAL3 Se\xF1" "al/d.csv\nDATAL3 Se\xC3\xB1" "al/u.csv\n");
  cvtest::PickFile(QString::fromStdString(script));
  EXPECT_TRUE(term->RunProFileDialog());
  const std::string transcript = ReadFile(dir + "/prueba.LOG");
  EXPECT_NE(transcript.find("# " + cv::To1252(QString::fromStdString(dir)) + "/prueba.LOG\n"), std::string::npos)
      << transcript;
  EXPECT_NE(transcript.find("SETCFG Se\xF1" "al/c.cfg -> "), std::string::npos);
  EXPECT_EQ(transcript.find("ERROR"), std::string::npos) << transcript;
  EXPECT_TRUE(QFile::exists(QString::fromStdString(dir + "/d.csv")));
  EXPECT_TRUE(QFile::exists(QString::fromStdString(dir + "/u.csv")));
  EXPECT_TRUE(owner.Logged("PRO file to execute: " + cv::To1252(QString::fromStdString(script))));
}

TEST_F(TermScript, ConditionsNestedPastTheFlagTableFailTheStatement) {
  ASSERT_TRUE(RunText("LOG YES\n"));
  term->testError = true;
  std::string text;
  for (int i = 0; i < 255; ++i) text += "IFERROR\n";
  EXPECT_FALSE(RunText(text));
  const auto lines = Lines();
  ASSERT_EQ(lines.size(), 255u);
  EXPECT_EQ(lines[253], "(254) IFERROR -> TRUE OK (254,254)");
  EXPECT_EQ(lines[254], "(255) IFERROR -> (IF LEVELS) ERROR");
  // ENDIF with nothing open leaves the levels alone.
  EXPECT_TRUE(RunText("ENDIF\nENDIF\n"));
  EXPECT_EQ(Lines(), (std::vector<std::string>{"( 1) ENDIF -> OK (0,0)", "( 2) ENDIF -> OK (0,0)"}));
}

TEST_F(TermScript, SkippedConditionsStillCountTheirDepth) {
  // Skipped, a condition still counts its depth so that its ENDIF matches.
  ASSERT_TRUE(RunText("LOG YES\n"));
  term->testError = false;
  EXPECT_TRUE(RunText("IFERROR\nIF B1 = 1\nCALC B1 B2 + B3\nENDIF\nENDIF\n"));
  EXPECT_EQ(Lines(), (std::vector<std::string>{"( 1) IFERROR -> FALSE OK (1,1)", "( 2) IF B1 = 1 -> FALSE",
                                               "( 3) CALC B1 B2 + B3 -> FALSE", "( 4) ENDIF -> FALSE (1,1)",
                                               "( 5) ENDIF -> OK (0,0)"}));
}

TEST_F(TermScript, TestModeSimulatesTheTransmissions) {
  ASSERT_TRUE(RunText("LOG YES\n"));
  term->testMode = true;
  const int64_t before = fake.now;
  EXPECT_TRUE(RunText("SEND *FR0123\nASK *?VE\nTEST *?NA\nIFERROR\nWAIT 5\nENDIF\nSENDHEX t.pro *HX\n"));
  EXPECT_EQ(Lines(), (std::vector<std::string>{"( 1) SEND *FR0123 -> (*FR0123)->OK", "( 2) ASK *?VE -> (*?VE)->TEST MODE",
                                               "( 3) TEST *?NA -> (*?NA)->TEST MODE TEST OK",
                                               "( 4) IFERROR -> FALSE OK (1,1)", "( 5) WAIT 5 -> FALSE",
                                               "( 6) ENDIF -> OK (0,0)", "\r\n(end) SENDHEX t.pro *HX: OK"}));
  EXPECT_TRUE(SimLines(1).empty());
  EXPECT_LT(fake.now - before, 1000);  // nothing waited
}

TEST_F(TermScript, WaitSleepsWholeSecondsAndNothingForNegativeOrNonNumericArguments) {
  ASSERT_TRUE(RunText("LOG YES\n"));
  const struct {
    const char* arg;
    int64_t ms;
  } cases[] = {{"3", 3000}, {"-1", 0}, {"-2147483648", 0}, {"abc", 0}, {"0", 0}};
  for (const auto& c : cases) {
    const int64_t before = fake.sleptMs;
    EXPECT_TRUE(RunText(std::string("WAIT ") + c.arg + "\n")) << c.arg;
    EXPECT_EQ(fake.sleptMs - before, c.ms) << c.arg;
    EXPECT_EQ(Lines(), (std::vector<std::string>{"( 1) WAIT " + std::string(c.arg) + " -> OK"}));
  }
}

TEST_F(TermTest, KeywordTableCodesAndTokenCounts) {
  // Keyword, code and token count, written out independently of the terminal's own table.
  const struct {
    const char* keyword;
    int code;
    int tokens;
  } table[] = {{"SEND", 1, 2},       {"ASK", 2, 2},          {"HEADER", 3, 4},      {"CHANNEL", 4, 9},
               {"WAIT", 5, 2},       {"FORCE", 6, 2},        {"LOG", 7, 2},         {"ALERT", 8, 1},
               {"FSTEP", 9, 2},      {"IFVAL", 10, 2},       {"FSTEPS", 11, 2},     {"IFVALS", 12, 2},
               {"ORG", 13, 2},       {"DIRECTORY", 14, 2},   {"HEADER7", 15, 11},   {"COMMAND", 16, 3},
               {"CHAN7T", 17, 5},    {"CHAN7S", 18, 7},      {"SENDHEX", 19, 3},    {"PLAN", 20, 2},
               {"DISPLAY", 21, 2},   {"IFVER", 22, 3},       {"IFVER7", 23, 3},     {"ENDIF", 24, 1},
               {"DATAL7", 25, 2},    {"GETCHPLAN", 26, 2},   {"GETCFG", 27, 2},     {"SETCFG", 28, 2},
               {"GETKEY", 29, 1},    {"PLAN1", 30, 2},       {"MODEL1", 31, 2},     {"IFVER3", 32, 3},
               {"DATAL3", 33, 2},    {"HEADER3", 34, 10},    {"CHAN3T", 35, 6},     {"CHAN3S", 36, 7},
               {"DIRECTORY3", 37, 2}, {"COMMAND3", 38, 3},   {"ADJ", 39, 6},        {"READ", 40, 4},
               {"WRITE", 41, 4},     {"CALC", 42, 5},        {"IF", 43, 4},         {"SET", 44, 4},
               {"ELSE", 45, 1},      {"TEST", 46, 2},        {"IFERROR", 47, 1},    {"RAWTX", 48, 2},
               {"DIRECTORY4", 49, 2}, {"IFVER4", 50, 3},     {"IFVER2", 51, 3},     {"CHANGV", 52, 5},
               {"SENDMOTO", 53, 3},  {"SENDACK", 54, 2},     {"ASKACK", 55, 2},     {"WAITANSWER", 56, 2},
               {"WAITFLUSHING", 57, 2}, {"CHAND", 58, 5}};
  MakeTerm();
  ASSERT_EQ(term->acts.size(), std::size(table));
  for (const auto& row : table) {
    const bool quoted = std::string(row.keyword) == "DISPLAY";
    std::string full = row.keyword, short_ = row.keyword;
    for (int i = 1; i < row.tokens; ++i) {
      full += quoted ? " \"a\"" : " a" + std::to_string(i);
      if (i + 1 < row.tokens) short_ = full;
    }
    ASSERT_EQ(term->ParseLine(full.c_str()), 1) << full;
    EXPECT_EQ(term->acts[term->statement.keywordIndex].code, row.code) << row.keyword;
    if (row.tokens > 1 && !quoted) {
      EXPECT_EQ(term->ParseLine(short_.c_str()), 0) << short_;
      EXPECT_STREQ(term->statement.tokens[row.tokens - 1], nullptr) << row.keyword;
      ASSERT_EQ(term->ParseLine((full + " extra").c_str()), 1) << full;
      EXPECT_STREQ(term->statement.tokens[row.tokens - 1], ("a" + std::to_string(row.tokens - 1)).c_str());
    }
  }
  EXPECT_EQ(term->ParseLine("SENDX a"), 0);
}

// A transcript the disk refuses part way is the run's beginning, cut, and the run says so on the
// terminal's message row and in the host log; the statements still run and the result is theirs.
// A limit the whole transcript fits in says nothing.
TEST_F(TermScript, TranscriptCutByTheDiskIsToldAndTheRunGoesOn) {
  MakeTerm();
  UseFakeClock();
  term->testMode = true;
  std::string text;
  for (int i = 0; i < 40; ++i) text += "SEND *A" + std::to_string(i) + "\n";
  const std::string script = Script("cut.pro", text);
  ASSERT_TRUE(term->RunProFile(script));
  const std::string whole = ReadFile(home.Path("cut.LOG"));
  const std::string tail = " is incomplete: writing it failed (" + std::string(std::strerror(EFBIG)) + ").";
  // At the header, among the statements, in the footer's last line, and the whole file exactly.
  for (const size_t limit : {size_t{1}, whole.size() / 2, whole.size() - 1, whole.size()}) {
    SCOPED_TRACE("limit " + std::to_string(limit) + " of " + std::to_string(whole.size()));
    owner.log.clear();
    term->DrawMainScreen();
    bool ok = false;
    {
      cvtest::FileSizeLimit fence(limit);
      ok = term->RunProFile(script);
    }
    EXPECT_TRUE(ok);
    EXPECT_NE(ScreenText(6, cv::kConsoleHeight - 1).find("(40) SEND *A39 -> (*A39)->OK"), std::string::npos);
    EXPECT_EQ(MaskDates(ReadFile(home.Path("cut.LOG"))), MaskDates(whole.substr(0, limit)));
    const bool cut = limit < whole.size();
    const std::string row = ScreenText(4, 4);
    EXPECT_EQ(row.find(" is incomplete") != std::string::npos, cut) << row;
    ASSERT_FALSE(owner.log.empty());
    const std::string& last = owner.log.back();
    EXPECT_EQ(last.size() > tail.size() && last.compare(last.size() - tail.size(), tail.size(), tail) == 0, cut)
        << last;
    if (cut) {
      EXPECT_NE(last.find("cut.LOG"), std::string::npos) << last;
    }
  }
}
