// The host dialect's registers, arithmetic, conditions and the live adjustment ADJ, against the
// simulated instrument.
#include "TermFixture.h"

namespace {

// A first-generation meter that also answers the register queries these scripts use.
std::unique_ptr<cvsim::Profile> Meter(const std::string& versionReply = "*VE 2.31 V1.20") {
  auto p = std::make_unique<cvsim::Corvane1Profile>();
  p->On("*?B", [](const std::string&) { return cvsim::Answer::Reply("*B41"); });
  p->On("*?W", [](const std::string&) { return cvsim::Answer::Reply("*W1234"); });
  p->On("*?S", [](const std::string&) { return cvsim::Answer::Reply("1"); });
  p->On("*?A", [](const std::string&) { return cvsim::Answer::Reply("*A11"); });
  p->On("*?VE", [versionReply](const std::string&) { return cvsim::Answer::Reply(versionReply); });
  return p;
}

}  // namespace

struct TermRegisters : TermTest {
  std::vector<std::string> Sent() {
    std::vector<std::string> out;
    for (const std::string& l : sim->Lines())
      if (l.rfind("*?", 0) != 0) out.push_back(l);
    return out;
  }
};

TEST_F(TermRegisters, GoldenArithmeticAndConditions) {
  ASSERT_NO_FATAL_FAILURE(StartOn(Meter()));
  EXPECT_TRUE(RunScript(ReadFile(std::string(CV_TEST_DATA_DIR) + "/terminal/registers.pro"), "registers.pro"));
  ExpectGolden(MaskDates(Transcript("registers.LOG")), "registers.LOG");
  // Only the low 16 bits go out, swapped when asked (I5 holds 0x3412); B3 = 300 mod 256 = 0x2C is not
  // above 0x2C.
  EXPECT_EQ(Sent(), (std::vector<std::string>{"*WR2345", "*WS1234", "*Y2C", "*VC8"}));
  EXPECT_EQ(term->registers.bytes[5], 0x41);
  EXPECT_EQ(term->registers.words[5], 0x3412u);
  EXPECT_EQ(term->registers.words[9], 0x80000000u);  // INT_MIN / -1 does not trap
  // Registers outlive the run; the version read does not.
  term->ResetRunState();
  EXPECT_EQ(term->lastVersion, 0.0f);
  EXPECT_TRUE(RunScript("IF I0 = 0x2345\nENDIF\n"));
  EXPECT_EQ(Statements(Transcript("d.LOG"))[0], "( 1) IF I0 = 0x2345 -> I0 = 0x12345 = 0x2345? TRUE OK (1,1)");
}

TEST_F(TermRegisters, FailuresStopTheRunWithTheirTextAndSendNothing) {
  ASSERT_NO_FATAL_FAILURE(StartOn(Meter("*VE 1.20")));
  const struct {
    const char* line;
    const char* result;
  } cases[] = {
      {"CALC B1 / B4 B5", " B5 ??? ERROR"},               // B4 is 0
      {"CALC B1 % B2 B5", " B5 ??? ERROR"},               // no such operator
      {"CALC B1 + X2 B5", " X2 ??? ERROR"},               // every reference checked first
      {"SET I1 12 NO", " I1 ??? ERROR"},                  // the constant is no "0x" word
      {"SET B256 0x1 NO", " B256 ??? ERROR"},
      {"READ I1 *?S NO", "1 I1 ??? ERROR"},               // a reply too short for a word
      {"READ Q1 *?B NO", " Q1 ??? ERROR"},
      {"WRITE b1 *Z NO", " b1 ??? ERROR"},                // register letters are upper case
      {"IF B1 = 12", "(??\?) ERROR"},
      {"IF X3 = 0x10", "(??\?) ERROR"},
      {"IF B1 ! 0x10", "(??\?) ERROR"},
      {"IFVER ! 1.0", "(??\?) ERROR"},
      {"ADJ 10 0x20 - *L *S", "(??\?) ERROR"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.line);
    sim->ClearTraffic();
    term->ResetRunState();
    EXPECT_FALSE(RunScript(std::string("SET B1 0x10 NO\nSET B4 0x0 NO\n") + c.line + "\nSEND *AFTER\n"));
    const auto lines = Statements(Transcript("d.LOG"));
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[2], "( 3) " + std::string(c.line) + " -> " + c.result);
    EXPECT_TRUE(Sent().empty());
  }
  // Without its marker the version reads as 0.
  EXPECT_TRUE(RunScript("IFVER = 0\nENDIF\n"));
  EXPECT_EQ(Statements(Transcript("d.LOG"))[0], "( 1) IFVER = 0 -> ver: 0.00 = 0.00? TRUE OK (1,1)");
  // No answer at all: the version is unknown.
  sim->UpdateFaults([](cvsim::Faults& f) { f.silent = true; });
  term->clock = &fake;
  term->sliceMs = 0;
  EXPECT_FALSE(RunScript("IFVER2 > 1\n"));
  EXPECT_EQ(Statements(Transcript("d.LOG"))[0], "( 1) IFVER2 > 1 -> (UNKNOWN VERSION) ERROR");
}

TEST_F(TermRegisters, ReadInTestModeTakesTheLeadingHexDigitsOfItsTestReply) {
  MakeTerm();
  term->testMode = true;
  UseFakeClock();
  term->registers.words[1] = 0x7777;
  EXPECT_TRUE(RunScript("READ B1 *?X NO\nREAD I1 *?X NO\nREAD I2 *?X S\n"));
  EXPECT_EQ(Statements(Transcript("d.LOG")),
            (std::vector<std::string>{"( 1) READ B1 *?X NO -> (*?X)->TEST MODE B1 = 0xDE OK",
                                      "( 2) READ I1 *?X NO -> (*?X)->TEST MODE I1 = 0x0000 OK",
                                      "( 3) READ I2 *?X S -> (*?X)->TEST MODE I2 = 0x0000 OK"}));
}

TEST_F(TermRegisters, GoldenAdjustmentByCursorKeys) {
  ASSERT_NO_FATAL_FAILURE(StartOn(Meter()));
  using K = cv::ConsoleInput::Key;
  // From the instrument's 11 within 10..12: up, up (past the limit: beep), down, Enter. Then from
  // the minimum with Escape (no value to go back to), then from 11 with Escape (back to 11).
  for (K k : {K::Up, K::Up, K::Down, K::Enter, K::Down, K::Escape, K::Escape}) Key(0, false, k);
  prompter.beeps = 0;
  EXPECT_TRUE(RunScript("ADJ 0x10 0x12 *?A *L *S\nADJ 0x20 0x2F - *L *S\nADJ 0x10 0x12 *?A *L *S\n", "adj.pro"));
  EXPECT_EQ(prompter.beeps, 2);  // past the maximum, then below the minimum
  EXPECT_EQ(Sent(), (std::vector<std::string>{"*L12", "*L11", "*S11", "*L11"}));
  ExpectGolden(MaskDates(Transcript("adj.LOG")) + "---- screen\n" + ScreenText(TTerm::kTermTop, 24), "adj.txt");
}

// Escape after a move goes back to the instrument's value; a value outside the limits is brought
// inside them before anything can store it (the instrument's FF above 00..10, its 11 below 20..2F).
TEST_F(TermRegisters, AdjustmentEscapesToItsStartAndStartsInsideItsLimits) {
  auto meter = Meter();
  meter->On("*?F", [](const std::string&) { return cvsim::Answer::Reply("*FFF"); });
  ASSERT_NO_FATAL_FAILURE(StartOn(std::move(meter)));
  using K = cv::ConsoleInput::Key;
  for (K k : {K::Up, K::Escape, K::Enter, K::Enter}) Key(0, false, k);
  EXPECT_TRUE(RunScript("ADJ 0x10 0x12 *?A *L *S\nADJ 0x00 0x10 *?F *L *S\nADJ 0x20 0x2F *?A *L *S\n", "adj.pro"));
  EXPECT_EQ(Sent(), (std::vector<std::string>{"*L12", "*L11", "*S10", "*S20"}));
}
