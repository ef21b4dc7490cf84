// The line statements and file transfers on a pseudo-terminal against the simulated instrument.
#include "TermFixture.h"

struct TermLines : TermTest {
  cvsim::SRecordSink records;

  void SetUp() override {
    auto profile = std::make_unique<cvsim::Corvane3Profile>();
    cvsim::AddSRecordSink(*profile, "*MO", records);
    ASSERT_NO_FATAL_FAILURE(StartSim(1, std::move(profile)));
    ASSERT_NO_FATAL_FAILURE(OpenOnSim());
    term->localEcho = false;
  }
  // Runs one script; returns its result and the statement lines printed on the screen.
  bool Run(const std::string& text, std::vector<std::string>* shown = nullptr) {
    term->console.screens[0].Clear(3);
    term->console.screens[0].MoveTo(0, TTerm::kTermTop);
    const int64_t start = term->clock->NowMs();
    const bool ok = term->RunProFile(Script("l.pro", text));
    lastRunMs = term->clock->NowMs() - start;
    if (shown) {
      shown->clear();
      for (int y = TTerm::kTermTop; y < term->console.screens[0].cursorY; ++y) {
        std::string row = term->console.screens[0].Row(y);
        row.erase(row.find_last_not_of(' ') + 1);
        shown->push_back(row);
      }
    }
    return ok;
  }
  // The instrument's announcement of readiness, taken off the line by tests of statements that
  // read without waiting for it.
  void TakeXon() {
    uint8_t b = 0;
    ASSERT_TRUE(term->ReadPortByte(b));
    ASSERT_EQ(b, TTerm::kXon);
  }
  std::string Hex(const std::string& lines) { return Script("f.hex", lines); }
  int64_t lastRunMs = 0;  // the last run's length on the terminal's clock
  template <class F>
  void WithProfile(F f) {
    sim->WithProfile([&](cvsim::Profile& p) { f(static_cast<cvsim::Corvane3Profile&>(p)); });
  }
};

TEST_F(TermLines, SendAskForceAndTestOnTheHandshake) {
  std::vector<std::string> shown;
  EXPECT_TRUE(Run("SEND *FRT1234\nASK *?VE\nTEST *?VE\nIFERROR\nRAWTX *NO\nENDIF\n", &shown));
  EXPECT_EQ(shown, (std::vector<std::string>{"( 1) SEND *FRT1234 -> OK", "( 2) ASK *?VE -> *VE V2.10",
                                             "( 3) TEST *?VE -> *VE V2.10 TEST OK", "( 4) IFERROR -> FALSE OK (1,1)",
                                             "( 5) RAWTX *NO -> FALSE", "( 6) ENDIF -> OK (0,0)"}));
  EXPECT_EQ(sim->Lines(), (std::vector<std::string>{"*FRT1234", "*?VE", "*?VE"}));
  // FORCE does not wait for XON: the instrument here has just sent one, which FORCE skips.
  EXPECT_TRUE(Run("FORCE *BO\n"));
  // A refused line fails SEND and stops the run.
  sim->UpdateFaults([](cvsim::Faults& f) { f.refuseAll = true; });
  Ready();
  EXPECT_FALSE(Run("SEND *FRT1\nSEND *NEVER\n", &shown));
  EXPECT_EQ(shown, (std::vector<std::string>{"( 1) SEND *FRT1 -> ERROR"}));
  EXPECT_LT(lastRunMs, TTerm::kReadTimeoutMs) << "the NAK was waited out";
  EXPECT_TRUE(owner.Logged("( 1) SEND *FRT1 -> ERROR"));
}

TEST_F(TermLines, AReplyWithoutLineEndKeepsItsFirst255Characters) {
  sim->UpdateFaults([](cvsim::Faults& f) { f.longReplyWithoutCr = true; });
  std::string reply = "ASK *?VE\n";
  EXPECT_TRUE(Run(reply));
  const std::string transcript = ReadFile(home.Path("l.LOG"));
  std::string expected;
  for (int i = 0; i < 255; ++i) expected.push_back(static_cast<char>('A' + i % 26));
  EXPECT_NE(transcript.find("( 1) ASK *?VE -> " + expected + "#"), std::string::npos);
}

TEST_F(TermLines, AckOnlyStatements) {
  WithProfile([](cvsim::Corvane3Profile& p) { p.ackOnly = true; });
  TakeXon();
  std::vector<std::string> shown;
  EXPECT_TRUE(Run("SENDACK *FRT1234\nASKACK *?VE\n", &shown));
  EXPECT_EQ(shown, (std::vector<std::string>{"( 1) SENDACK *FRT1234 -> OK", "( 2) ASKACK *?VE -> *VE V2.10"}));
  // A refusal is not an ACK.
  sim->UpdateFaults([](cvsim::Faults& f) { f.refuseAll = true; });
  EXPECT_FALSE(Run("SENDACK *FRT1\n", &shown));
  EXPECT_EQ(shown, (std::vector<std::string>{"( 1) SENDACK *FRT1 -> ? ACK fail ERROR"}));
  EXPECT_LT(lastRunMs, TTerm::kReadTimeoutMs) << "the NAK was waited out";
  EXPECT_FALSE(Run("ASKACK *?VE\n", &shown));
  EXPECT_EQ(shown, (std::vector<std::string>{"( 1) ASKACK *?VE -> ? ACK fail  ERROR"}));
  EXPECT_LT(lastRunMs, TTerm::kReadTimeoutMs) << "the NAK was waited out";
}

TEST_F(TermLines, WaitAnswerAndWaitFlushing) {
  std::vector<std::string> shown;
  TakeXon();
  sim->Inject("*VE V2.10\r");
  EXPECT_TRUE(Run("WAITANSWER V2.1\n", &shown));
  EXPECT_EQ(shown, (std::vector<std::string>{" -> Wait...( 1) WAITANSWER V2.1 -> *VE V2.10"}));
  sim->Inject(std::string(80, 'x') + "\r");
  EXPECT_TRUE(Run("WAITANSWER V3\n"));
  EXPECT_NE(ReadFile(home.Path("l.LOG")).find("-> WRONG ANSWER: " + std::string(70, 'x') + "#"), std::string::npos);
  // Nothing comes: the statement fails after its empty reads, on the fake clock.
  UseFakeClock();
  EXPECT_FALSE(Run("WAITANSWER V2\n", &shown));
  EXPECT_EQ(shown, (std::vector<std::string>{" -> Wait...( 1) WAITANSWER V2 -> RxD ERROR"}));
  // WAITFLUSHING shows what arrives for its seconds, and never fails.
  sim->Inject("ab");
  sim->WaitTxIdle();
  std::this_thread::sleep_for(std::chrono::milliseconds(20));
  const int64_t before = fake.now;
  EXPECT_TRUE(Run("WAITFLUSHING 2\n", &shown));
  EXPECT_EQ(shown, (std::vector<std::string>{" -> Wait...ab( 1) WAITFLUSHING 2 -> OK"}));
  // Whole seconds of the terminal's clock, read in reads of up to 2 s: 2 s from any start within a
  // second; one second more would take another read.
  EXPECT_GE(fake.now - before, 1000);
  EXPECT_LE(fake.now - before, 3000);
  // From the start of a second, n seconds are at least n * 1000 ms: an odd n ends a whole read
  // later than n - 1 would.
  fake.now = (fake.now / 1000 + 1) * 1000;
  const int64_t whole = fake.now;
  EXPECT_TRUE(Run("WAITFLUSHING 3\n"));
  EXPECT_GE(fake.now - whole, 3000);
  EXPECT_LE(fake.now - whole, 5000);
}

TEST_F(TermLines, GetKeyWaitsForAKeyWithACharacterAndAlertBeeps) {
  UseFakeClock();
  Key(0, false, cv::ConsoleInput::Key::Up);  // no character: ignored
  term->console.input.push_back({false, cv::ConsoleInput::Key::Char, 'a', false});  // a key-up
  Key('k');
  Key('z');
  std::vector<std::string> shown;
  EXPECT_TRUE(Run("GETKEY\nALERT\n", &shown));
  EXPECT_EQ(shown, (std::vector<std::string>{"RUN PAUSED. Press any key to continue...", "( 1) GETKEY -> OK",
                                             "( 2) ALERT -> OK"}));
  ASSERT_EQ(term->console.input.size(), 1u);  // 'z' is left
  EXPECT_EQ(prompter.beeps, 1);
  // No key at all: the period's time-out ends the wait.
  term->console.input.clear();
  EXPECT_TRUE(Run("GETKEY\n"));
  EXPECT_GE(fake.now, TTerm::kIdleTimeoutMs);
}

TEST_F(TermLines, SendHexSendsTheRecordLinesAndShowsEveryLine) {
  const std::string file = Hex(
      "; a comment line\r\n"
      ":0400000001020304F2\r\n"
      "\r\n"
      ":00000001ff\n");
  std::vector<std::string> shown;
  EXPECT_TRUE(Run("SENDHEX " + file + " *HX\n", &shown));
  EXPECT_EQ(sim->Lines(), (std::vector<std::string>{"*HX:0400000001020304F2", "*HX:00000001FF"}));
  WithProfile([](cvsim::Corvane3Profile& p) { EXPECT_EQ(p.hexLines, 2); });
  const std::vector<std::string> expected = {"    0>     *HX; a comment line:", "    1>     *HX:0400000001020304F2:",
                                             "    3>     *HX:00000001ff:", "(end) SENDHEX " + file + " *HX: OK"};
  // The screen shows the lines; the first row is what WriteRaw's echo would have put there.
  EXPECT_EQ(std::vector<std::string>(shown.end() - 4, shown.end()), expected);
  EXPECT_NE(ReadFile(home.Path("l.LOG")).find("\r\n(end) SENDHEX " + file + " *HX: OK#"), std::string::npos);
}

TEST_F(TermLines, TransferFaults) {
  std::vector<std::string> shown;
  // A record with a bad checksum is refused, and the run ends there.
  const std::string bad = Hex(":0400000001020304F2\n:0400000001020304F3\n:00000001FF\n");
  EXPECT_FALSE(Run("SENDHEX " + bad + " *HX\nRAWTX *NEVER\n", &shown));
  EXPECT_EQ(shown.back(), "(end) SENDHEX " + bad + " *HX: ERROR");
  EXPECT_EQ(shown[shown.size() - 2], "    1>     *HX:0400000001020304F3:");
  EXPECT_EQ(sim->Lines().back(), "*HX:0400000001020304F3");

  // A line longer than one command carries is not cut and sent: the statement fails with its line.
  const std::string longLine = Hex(":00000001FF\n:" + std::string(260, '0') + "\n");
  sim->ClearTraffic();
  Ready();
  EXPECT_FALSE(Run("SENDHEX " + longLine + " *HX\n"));
  EXPECT_EQ(sim->Lines(), (std::vector<std::string>{"*HX:00000001FF"}));
  EXPECT_TRUE(owner.Logged("Line 1: 264 characters, more than one command line carries (253)"));

  // A command of exactly the limit goes out whole; one character more is refused and nothing of
  // it is sent. An Intel-HEX record after "*HX" always has an even length, so the one of 253 is
  // sent and refused by the meter.
  const std::string s1 = "S17B0000" + std::string(240, '0') + "84";
  const std::string ihex = ":78000000" + std::string(240, '0') + "88";
  const struct {
    const char* keyword;
    const char* prefix;
    std::string record;
    bool sent, ok;
  } rows[] = {{"SENDMOTO", "*MO", s1, true, true},
              {"SENDMOTO", "*MO", s1 + "0", false, false},
              {"SENDHEX", "*HX", ihex.substr(0, 250), true, false},
              {"SENDHEX", "*HX", ihex, false, false}};
  for (const auto& row : rows) {
    const std::string command = row.prefix + row.record;
    SCOPED_TRACE(std::string(row.keyword) + " " + std::to_string(command.size()));
    sim->ClearTraffic();
    owner.log.clear();
    records.records.clear();
    Ready();
    const std::string file = Script("limit.rec", row.record + "\n");
    EXPECT_EQ(Run(std::string(row.keyword) + " " + file + " " + row.prefix + "\n"), row.ok);
    sim->WaitTxIdle();
    EXPECT_EQ(sim->Lines(), row.sent ? std::vector<std::string>{command} : std::vector<std::string>{});
    EXPECT_EQ(owner.Logged("Line 0: 254 characters, more than one command line carries (253)"), !row.sent);
    if (row.ok) {
      EXPECT_EQ(records.records, std::vector<std::string>{row.record});
    }
  }

  // A missing file.
  EXPECT_FALSE(Run("SENDMOTO absent.s19 *MO\n", &shown));
  EXPECT_EQ(shown.front(), "Error: Couldn't find file absent.s19");
  EXPECT_EQ(shown.back(), "( 1) SENDMOTO absent.s19 *MO -> ERROR");
}

TEST_F(TermLines, SendMotoSendsSRecordsAndEscapeStopsIt) {
  const std::string file = Script("f.s19",
                                  "S00600004844521B\r\n"
                                  "s1130000285F245F2212226A000424290008237C2A\r\n"
                                  "S9030000FC\r\n");
  EXPECT_TRUE(Run("SENDMOTO " + file + " *MO\n"));
  EXPECT_EQ(records.records, (std::vector<std::string>{"S00600004844521B", "S1130000285F245F2212226A000424290008237C2A",
                                                       "S9030000FC"}));
  EXPECT_EQ(records.refused, 0);

  // A bad checksum is refused with its line. (The run before took the XON after its last line
  // off the line when it ended.)
  Ready();
  const std::string bad = Script("bad.s19", "S00600004844521B\nS9030000FD\nS9030000FC\n");
  std::vector<std::string> shown;
  EXPECT_FALSE(Run("SENDMOTO " + bad + " *MO\n", &shown));
  EXPECT_EQ(records.refused, 1);
  EXPECT_EQ(sim->Lines().back(), "*MOS9030000FD");
  EXPECT_NE(ReadFile(home.Path("l.LOG")).find("\r(end) SENDMOTO " + bad + " *MO: ERROR#"), std::string::npos);

  // Escape pressed during the transfer ends it after the current line.
  sim->ClearTraffic();
  Ready();
  Key(0x1B, false, cv::ConsoleInput::Key::Escape);
  EXPECT_FALSE(Run("SENDMOTO " + file + " *MO\n"));
  EXPECT_EQ(sim->Lines(), (std::vector<std::string>{"*MOS00600004844521B"}));
}
