// The interactive terminal on a pseudo-terminal against the simulated instrument.
#include "TermFixture.h"

TEST_F(TermTest, TypedBytesReachTheInstrumentAndItsAnswerIsShownInAttribute3) {
  ASSERT_NO_FATAL_FAILURE(StartSim());
  MakeTerm();
  owner.detected = "COM1";
  // The answer: XOFF, ACK, "*VE V2.10" and CR, then XON.
  Drive({PortOpen(), Keys("*?VE\r"), [this] { return term->receivedCount >= 13; }});
  EXPECT_TRUE(term->Run());
  EXPECT_EQ(sim->Lines(), (std::vector<std::string>{"*?VE"}));
  EXPECT_EQ(term->sentCount, 5u);
  EXPECT_EQ(term->receivedCount, 13u);
  const cv::ConsoleScreen& s = term->console.screens[0];
  // Echoed "*?VE" (attribute 7); the CR goes to a new line (CR+LF mode); then the answer's
  // control bytes and text in attribute 3.
  EXPECT_EQ(s.Row(6).substr(0, 4), "*?VE");
  EXPECT_EQ(s.At(0, 6).attr, 7);
  EXPECT_EQ(s.Row(7).substr(0, 11), "\x13\x06*VE V2.10");
  EXPECT_EQ(s.At(2, 7).attr, 3);
  EXPECT_EQ(s.Row(8).substr(0, 1), "\x11");
  EXPECT_FALSE(sim->Received().empty());
}

TEST_F(TermTest, HexModeShowsControlNamesAndBrightCharacters) {
  ASSERT_NO_FATAL_FAILURE(StartSim());
  MakeTerm();
  owner.detected = "COM1";
  {
    auto key = cv::RegKey::Open("Software\\Tessary\\CvTools\\Terminal", true);
    for (const char* b : {"bLocal", "bCRLF", "bTest"}) key->WriteBool(b, false);
    key->WriteBool("bHex", true);
    key->WriteString("ComPort", "COM2");
    key->WriteInteger("BaudRate", 19200);
  }
  Drive({PortOpen(), [this] { return sim->Inject("\x06" "A"), true; }, [this] { return term->receivedCount >= 2; }});
  EXPECT_TRUE(term->Run());
  const cv::ConsoleScreen& s = term->console.screens[0];
  EXPECT_EQ(s.Row(6).substr(0, 11), "(ACK)06.A41");
  EXPECT_EQ(s.At(8, 6).attr, 11);
  EXPECT_EQ(s.At(9, 6).attr, 3);
}

TEST_F(TermTest, AltKeys) {
  ASSERT_NO_FATAL_FAILURE(StartSim());
  MakeTerm();
  struct Case {
    int32_t baudBefore;
    uint8_t key;
    int32_t baudAfter;
    bool reopen;
  } cases[] = {{9600, 'B', 19200, true}, {115200, 'b', 9600, true}, {4800, 'B', 19200, true},
               {19200, 'c', 19200, false}, {19200, 'X', 19200, false}};
  for (const Case& c : cases) {
    term->baudRate = c.baudBefore;
    term->reopen = false;
    term->KeyHandler(c.key);
    EXPECT_EQ(term->baudRate, c.baudAfter) << c.key << " from " << c.baudBefore;
    EXPECT_EQ(term->reopen, c.reopen) << c.key;
  }
  // Upper and lower case act alike: each letter flips its mode.
  const struct {
    uint8_t key;
    bool TTerm::*mode;
  } toggles[] = {{'c', &TTerm::crLf}, {'L', &TTerm::localEcho}, {'x', &TTerm::hexMode}, {'T', &TTerm::testMode}};
  for (const auto& t : toggles) {
    const bool before = term.get()->*t.mode;
    term->KeyHandler(t.key);
    EXPECT_EQ(term.get()->*t.mode, !before) << t.key;
    term->KeyHandler(static_cast<uint8_t>(t.key ^ 0x20));  // the other case
    EXPECT_EQ(term.get()->*t.mode, before) << t.key;
  }

  term->KeyHandler('3');
  EXPECT_EQ(term->portName, "COM3");
  EXPECT_TRUE(term->reopen);
}

TEST_F(TermTest, AltDigitReopensOnThatPortAndTheRingSkipsAMissingOne) {
  ASSERT_NO_FATAL_FAILURE(StartSim(2));  // the instrument on COM2; COM3, COM4 and COM1 missing
  MakeTerm();
  owner.detected = "COM3";
  std::vector<std::string> opened;
  auto record = [&] {
    opened.push_back(term->portName);
    return true;
  };
  // COM3, COM4 and COM1 fail, COM2 opens; after Alt+1, COM1 fails and COM2 opens again, and
  // typed bytes reach the instrument there.
  // The loop's counters start again after a reopen.
  Drive({PortOpen(), record, Keys("Y"), [&] { return term->sentCount == 1; }, Keys("1", true),
         [&] { return term->sentCount == 0 && term->console.input.empty(); }, PortOpen(), record, Keys("Z"),
         [&] { return sim->Received() == "YZ"; }});
  EXPECT_TRUE(term->Run());
  EXPECT_EQ(opened, (std::vector<std::string>{"COM2", "COM2"}));
  EXPECT_EQ(sim->Received(), "YZ");
  EXPECT_FALSE(owner.Logged("In CreateFile"));
}

TEST_F(TermTest, AltQEndsTheTerminalAndNeverReachesTheKeyHandler) {
  ASSERT_NO_FATAL_FAILURE(StartSim());
  MakeTerm();
  owner.detected = "COM1";
  Drive({PortOpen(), [this] {
           Key('Q', true);
           Key('h', true);  // after the quit: never handled
           return true;
         }});
  EXPECT_TRUE(term->Run());
  EXPECT_FALSE(term->helpShown);
  EXPECT_EQ(term->port, cv::kInvalidSerialHandle);
}

TEST_F(TermTest, TypedCharactersAreSentInTestMode) {
  ASSERT_NO_FATAL_FAILURE(StartSim());
  MakeTerm();
  owner.detected = "COM1";
  Drive({PortOpen(), Keys("t", true), Keys("AB"), [this] { return sim->Received() == "AB"; }});
  EXPECT_TRUE(term->Run());
  EXPECT_TRUE(term->testMode);
  EXPECT_EQ(sim->Received(), "AB");
}

TEST_F(TermTest, NoPortOpensGivesItsBoxAndErrorLine) {
  MakeTerm();
  EXPECT_FALSE(term->Run());
  EXPECT_TRUE(prompter.Showed("Unable to find valid ports."));
  EXPECT_EQ(prompter.shown.back().caption, "CvTools Terminal");
  EXPECT_EQ(prompter.shown.back().icon, cv::MsgIcon::Error);
  EXPECT_TRUE(owner.Logged("[COM2] In CreateFile -> Error number: "));
}

TEST_F(TermTest, AnIdleTerminalClosesAfterItsTimeOut) {
  ASSERT_NO_FATAL_FAILURE(StartSim());
  MakeTerm();
  owner.detected = "COM1";
  UseFakeClock();
  fake.pumpStepMs = 10000;
  EXPECT_TRUE(term->Run());
  EXPECT_EQ(owner.log.back(), "Terminal closed for timeout");
  EXPECT_GE(fake.now, TTerm::kIdleTimeoutMs);
}

TEST_F(TermTest, ScriptRunFromAltFReportsItsResult) {
  ASSERT_NO_FATAL_FAILURE(StartSim());
  MakeTerm();
  owner.detected = "COM1";
  const std::string script = Script("alt.pro", "LOG YES\n");
  term->chooseScript = [&] { return script; };
  Drive({PortOpen(), Keys("f", true)});
  EXPECT_TRUE(term->Run());
  EXPECT_TRUE(owner.Logged("PRO file finished OK."));
  term->chooseScript = [] { return std::string(); };  // cancelled
  EXPECT_FALSE(term->RunProFileDialog());
}

// Flow control is a state, and an instrument is ready until it says XOFF: a script's first SEND or
// ASK goes out at once, run after run, whether the port has just opened (the idle instrument sent
// its last XON before that and sends no other until asked) or the user has typed a line whose XON
// the terminal's screen shows. Nothing is injected: what arrives is what the instrument sends.
TEST_F(TermTest, ScriptsRunAgainAndAgainOnAnInstrumentThatHasNotSaidItIsBusy) {
  const struct {
    const char* what;
    std::function<std::unique_ptr<cvsim::Profile>()> profile;
    const char* statement;
    const char* sent;
  } rows[] = {
      {"CORVANE-3", [] { return std::make_unique<cvsim::Corvane3Profile>(); }, "SEND *FRT1234", "*FRT1234"},
      {"CORVANE-1", [] { return std::make_unique<cvsim::Corvane1Profile>(); }, "ASK *?V", "*?V"},
  };
  for (const auto& row : rows)
    for (const bool typedFirst : {false, true}) {
      SCOPED_TRACE(std::string(row.what) + (typedFirst ? ", after a typed line" : ", right after opening"));
      ASSERT_NO_FATAL_FAILURE(StartSim(1, row.profile()));
      MakeTerm();
      owner.log.clear();
      const std::string script = Script("one.pro", std::string(row.statement) + "\n");
      std::vector<std::chrono::steady_clock::time_point> starts, ends;
      term->chooseScript = [&] {
        starts.push_back(std::chrono::steady_clock::now());
        return script;
      };
      auto finished = [this] {
        return std::count(owner.log.begin(), owner.log.end(), std::string("PRO file finished OK."));
      };
      auto run = [&](long n) {
        return std::vector<std::function<bool()>>{Keys("f", true), [&, n] {
                                                    if (finished() < n) return false;
                                                    ends.push_back(std::chrono::steady_clock::now());
                                                    return true;
                                                  }};
      };
      std::vector<std::function<bool()>> steps{PortOpen()};
      std::vector<std::string> lines;
      if (typedFirst) {
        steps.push_back(Keys("*?V\r"));
        steps.push_back([this] { return ScreenText(0, 24).find('\x11') != std::string::npos; });
        lines.push_back("*?V");
      }
      for (long n = 1; n <= 3; ++n)
        for (auto& step : run(n)) steps.push_back(step);
      Drive(steps, 8000);
      EXPECT_TRUE(term->Run());
      ASSERT_EQ(ends.size(), 3u) << "a run failed";
      for (size_t i = 0; i < 3; ++i)
        EXPECT_LT(ends[i] - starts[i], std::chrono::seconds(1)) << "run " << i + 1;
      lines.insert(lines.end(), 3, row.sent);
      EXPECT_EQ(sim->Lines(), lines);
      term.reset();
      sim.reset();
    }
}

// While the instrument's last word is XOFF (busy), SEND waits for its XON as before: here it never
// comes, the statement fails and nothing goes out.
TEST_F(TermTest, AnInstrumentThatSaidItIsBusyStillMakesSendWait) {
  ASSERT_NO_FATAL_FAILURE(StartOn(std::make_unique<cvsim::Corvane3Profile>()));
  EXPECT_TRUE(RunScript("SEND *FRT1234\n"));
  ASSERT_TRUE(sim->WaitTxIdle());
  sim->Inject("\x13");
  ASSERT_TRUE(sim->WaitTxIdle());
  UseFakeClock();
  sim->ClearTraffic();
  EXPECT_FALSE(term->RunProFile(Script("busy.pro", "SEND *FRT1234\n")));
  EXPECT_EQ(Statements(Transcript("busy.LOG")).back(), "( 1) SEND *FRT1234 -> ERROR");
  EXPECT_GE(fake.now, TTerm::kEmptyReads * TTerm::kReadTimeoutMs) << "the XON was not waited for";
  std::this_thread::sleep_for(std::chrono::milliseconds(100));
  EXPECT_TRUE(sim->Lines().empty());
}

// The XOFF an instrument sent belongs to the line it came on: reopening the port with Alt+1 starts
// the new line ready, so the next SEND goes out at once rather than waiting for an XON the idle
// instrument will never send.
TEST_F(TermTest, ReopeningThePortForgetsAnEarlierXoff) {
  ASSERT_NO_FATAL_FAILURE(StartSim());
  MakeTerm();
  owner.detected = "COM1";
  const std::string script = Script("reopen.pro", "SEND *FRT1234\n");
  std::chrono::steady_clock::time_point start, end;
  term->chooseScript = [&] {
    start = std::chrono::steady_clock::now();
    return script;
  };
  int opened = 0;
  // The simulator drops what it sends before it has noticed the port open: the XOFF goes again
  // until the terminal has read one.
  auto xoff = [this] {
    if (term->receivedCount >= 1) return true;
    sim->Inject("\x13");
    sim->WaitTxIdle();
    return false;
  };
  Drive({PortOpen(), xoff, Keys("1", true),
         [&] { return !term->reopen && term->console.input.empty() && term->port != cv::kInvalidSerialHandle; },
         [&] { return ++opened, true; }, Keys("f", true),
         [&] {
           if (!owner.Logged("PRO file finished OK.")) return false;
           end = std::chrono::steady_clock::now();
           return true;
         }},
        8000);
  EXPECT_TRUE(term->Run());
  EXPECT_EQ(opened, 1);
  EXPECT_TRUE(owner.Logged("PRO file finished OK.")) << ReadFile(home.Path("reopen.LOG"));
  EXPECT_LT(end - start, std::chrono::seconds(1));
  EXPECT_EQ(sim->Lines(), (std::vector<std::string>{"*FRT1234"}));
  EXPECT_EQ(Statements(Transcript("reopen.LOG")), (std::vector<std::string>{"( 1) SEND *FRT1234 -> OK"}));
}
