// The host dialect's frequency constants and flash-record writers, byte-exact against the
// simulated instruments, and the same plan script through both script dialects.
#include <algorithm>

#include "ScriptEngine.h"
#include "TermFixture.h"

namespace {

// A record as prefix, address, type and data ("*FL:0010/00/1234"), or what was sent when it does
// not parse back (bad checksum, wrong length).
std::string Describe(const std::string& line) {
  cv::script::ParsedRecord r;
  if (line.size() < 4 || !cv::script::ParseFlashRecord(line.substr(4), r)) return "unparsed " + line;
  std::string data;
  for (uint8_t b : r.data) data += cv::script::Hex(b, 2);
  return line.substr(0, 4) + cv::script::Hex(r.address, 4) + "/" + cv::script::Hex(r.type, 2) + "/" + data;
}

std::vector<std::string> Described(const std::vector<std::string>& lines) {
  std::vector<std::string> out;
  for (const auto& l : lines) out.push_back(Describe(l));
  return out;
}

}  // namespace

struct TermFlash : TermTest {
  std::string LastResult() { return Statements(Transcript("d.LOG")).back(); }
};

TEST_F(TermFlash, DirectoryAtZeroThenTheNextRecordAtItsEnd) {
  ASSERT_NO_FATAL_FAILURE(StartOn(std::make_unique<cvsim::Corvane3Profile>()));
  ASSERT_TRUE(RunScript("ORG 0x0000\nDIRECTORY3 2\nCOMMAND3 0x12 0x34\nORG 0x0100\n"
                        "CHAN3T (1, CH21, 471.25, 8, 0xFFFF)\nCHAN3T (2, ABC, 471.25, 8, 0x0000)\n"));
  EXPECT_EQ(sim->Lines(), (std::vector<std::string>{
                              "*FL:0200000280007C",
                              "*FL:1000000043414E414C49545A4143490000000200CB",
                              "*FL:020010001234A8",
                              // 471.25 MHz: word 10203 (DB 27), upper edge 10258 (12 28); 0xFFFF
                              // first in the list sends no entry, only the end word.
                              "*FL:0801000043483231DB271228CD",
                              "*FL:02010800FFFFF7",
                              // A three-character name is padded so that the record holds 8 bytes.
                              "*FL:08010A0020414243DB271228CB",
                              "*FL:020112000000EB",
                              "*FL:02011400FFFFEB",
                          }));
  EXPECT_EQ(term->address, 0x0116);
  for (const auto& line : sim->Lines()) EXPECT_EQ(Describe(line).rfind("*FL:", 0), 0u) << line;
  // The directory and extension records are shown on the screen as they go out.
  term->console.screens[0].FillChars(0, TTerm::kTermTop, cv::kConsoleWidth * 19, ' ');
  term->console.screens[0].MoveTo(0, TTerm::kTermTop);
  ASSERT_TRUE(RunScript("ORG 0x0000\nDIRECTORY3 2\n"));
  EXPECT_EQ(ScreenText(TTerm::kTermTop, TTerm::kTermTop + 3),
            "( 1) ORG 0x0000 -> OK\n\n*FL:0200000280007C\n*FL:1000000043414E414C49545A4143490000000200CB( 2) DIRECTORY3 2 -> OK\n");
}

TEST_F(TermFlash, EveryWriterItsPrefixLengthDataAndList) {
  ASSERT_NO_FATAL_FAILURE(StartOn(std::make_unique<cvsim::Corvane1Profile>()));  // takes any line
  const std::string dir = "43414E414C49545A414349000000";
  const struct {
    const char* script;
    std::vector<std::string> records;
  } rows[] = {
      {"DIRECTORY3 40", {"*FL:0000/02/8000", "*FL:0000/00/" + dir + "2000"}},
      {"DIRECTORY4 40", {"*FL:0000/02/2000", "*FL:0000/00/" + dir + "2000"}},
      {"DIRECTORY 40", {"*PF:0000/00/" + dir + "1800"}},
      {"HEADER3 (TDT, 0x0400, 2, 7, 9750.0, 3, 0x0010, 0xFFFF, 0x0020)",
       {"*FL:0000/00/54445420202020200004020701 7CDC03", "*FL:0010/00/1000", "*FL:0012/00/FFFF"}},
      {"HEADER7 (SAT7, 0x0400, 2, 5, 9750.0, 3, 0x1234, 0x0010, no, 0x0020)",
       {"*PF:0000/00/534154372020202000040205017CDC033412", "*PF:0012/00/1000", "*PF:0014/00/FFFF"}},
      {"CHAN7T (1, AB, 471.25, 0x0011)", {"*PF:0000/00/20204142DB27", "*PF:0006/00/1100", "*PF:0008/00/FFFF"}},
      // 11000 MHz on the 9750 MHz oscillator: IF 1250, word (1250 + 479.5) / 0.125 = 13836.
      {"PLAN 1\nCHAN7S (1, S1, 11000, 0x0005, 0xFFFF, 0x0006)",
       {"*PF:0000/00/202053310C36", "*PF:0006/00/0500", "*PF:0008/00/FFFF"}},
      {"PLAN 1\nCHAN3S (1, RTL, 11000, 0x0030, xyz, 0x0040)",
       {"*FL:0000/00/2052544C0C360C36", "*FL:0008/00/3000", "*FL:000A/00/FFFF"}},
      {"CHAND (1, D1, 471.25, 0x0007)", {"*FL:0000/00/20204431DB27DB27", "*FL:0008/00/0700", "*FL:000A/00/FFFF"}},
      {"CHANGV (1, G1, 471.25, 0x0007)", {"*FL:0000/00/20204731DB27FFFF"}},
      {"COMMAND (0x112, 0x34)", {"*PF:0000/00/1234"}},
      // FSTEP 0 falls back to 0.05; IFVAL 0 is taken: 100 / 0.05 = 2000.
      {"FSTEP 0\nIFVAL 0\nCHAN7T (1, A, 100, 0xFFFF)", {"*PF:0000/00/20202041D007", "*PF:0006/00/FFFF"}},
  };
  term->planOscillator[0] = 97500.0f;
  for (const auto& row : rows) {
    SCOPED_TRACE(row.script);
    sim->ClearTraffic();
    ASSERT_TRUE(RunScript(std::string("ORG 0x0000\n") + row.script + "\n"));
    std::vector<std::string> expected;
    for (std::string r : row.records) {
      r.erase(std::remove(r.begin(), r.end(), ' '), r.end());
      expected.push_back(r);
    }
    EXPECT_EQ(Described(sim->Lines()), expected);
  }
  EXPECT_EQ(term->fStep, 0.05f);
  EXPECT_EQ(term->ifVal, 0.0f);
}

TEST_F(TermFlash, RefusedStatementsSendNothing) {
  ASSERT_NO_FATAL_FAILURE(StartOn(std::make_unique<cvsim::Corvane1Profile>()));
  const struct {
    const char* script;
    const char* result;
  } rows[] = {
      {"PLAN 33\nHEADER3 (X, 0x0, 0, 7, 0, 0, 0xFFFF, 0xFFFF, 0xFFFF)", "(PLAN 33 OUTSIDE THE TABLE OF 32) ERROR"},
      {"PLAN 0\nHEADER7 (X, 0x0, 0, 7, 0, 0, 0x0, 0xFFFF, 0xFFFF, 0xFFFF)", "(PLAN 0 OUTSIDE THE TABLE OF 32) ERROR"},
      {"PLAN 0\nCHAN3S (1, A, 11000, 0xFFFF, 0xFFFF, 0xFFFF)", "(PLAN 0 OUTSIDE THE TABLE OF 32) ERROR"},
      {"PLAN 40\nCHAN7S (1, A, 11000, 0xFFFF, 0xFFFF, 0xFFFF)", "(PLAN 40 OUTSIDE THE TABLE OF 32) ERROR"},
      {"CHAN3T (1, A, 5000, 8, 0xFFFF)", "(5000 MHZ: FREQUENCY WORD OUTSIDE 0 TO FFFF) ERROR"},
      {"CHAN7T (1, A, -50, 0xFFFF)", "(-50 MHZ: FREQUENCY WORD OUTSIDE 0 TO FFFF) ERROR"},
      {"CHAN3T (1, A, 471.25, -9000, 0xFFFF)", "(471.25 MHZ: FREQUENCY WORD OUTSIDE 0 TO FFFF) ERROR"},
      {"COMMAND3 (12, 0x34)", "(??\?) ERROR"},
      {"COMMAND (0x12, x)", "(??\?) ERROR"},
      {"ORG 100", "ERROR"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.script);
    sim->ClearTraffic();
    term->ResetRunState();
    EXPECT_FALSE(RunScript(std::string(row.script) + "\nSEND *AFTER\n"));
    EXPECT_EQ(LastResult().substr(LastResult().find(" -> ") + 4), row.result);
    EXPECT_TRUE(sim->Lines().empty());
  }
  // The 33rd header of a run leaves the oscillator table.
  term->ResetRunState();
  sim->ClearTraffic();
  std::string script = "DIRECTORY3 33\n";
  for (int i = 0; i < 33; ++i) script += "HEADER3 (P, 0x0, 0, 7, 0, 0, 0xFFFF, 0xFFFF, 0xFFFF)\n";
  EXPECT_FALSE(RunScript(script));
  EXPECT_EQ(LastResult(), "(34) HEADER3 (P, 0x0, 0, 7, 0, 0, 0xFFFF, 0xFFFF, 0xFFFF) -> "
                          "(PLAN 33 OUTSIDE THE TABLE OF 32) ERROR");
  EXPECT_EQ(sim->Lines().size(), 2u + 32 * 2);
}

TEST_F(TermFlash, ARefusedRecordStopsTheRunWithTheAddressMovedOn) {
  ASSERT_NO_FATAL_FAILURE(StartOn(std::make_unique<cvsim::Corvane3Profile>()));  // knows no "*PF:"
  EXPECT_FALSE(RunScript("ORG 0x0100\nCHAN7T (1, A, 471.25, 0x0001)\nSEND *AFTER\n"));
  EXPECT_EQ(LastResult(), "( 2) CHAN7T (1, A, 471.25, 0x0001) -> ERROR");
  EXPECT_EQ(sim->Lines(), (std::vector<std::string>{"*PF:0601000020202041DB2756"}));
  EXPECT_EQ(term->address, 0x0106);
}

namespace {

// The plug-in engine's side: every command it sends is acknowledged and kept.
struct KeepLink : ScriptLink {
  std::vector<std::string> sent;
  bool SendCommand(const std::string& c) override { return sent.push_back(c), true; }
  bool Transact(const std::string& q, std::string& r) override { return sent.push_back(q), r = "*", true; }
  bool WriteLine(const std::string& t) override { return sent.push_back(t), true; }
  bool WaitChar(char) override { return true; }
};
struct QuietHost : ScriptHost {
  void Log(const std::string&) override {}
  void Wait(int) override {}
  void ProcessMessages() override {}
  bool Beep() override { return true; }
  void GetKey() override {}
  std::string StartDir() const override { return "."; }
  std::string DateString() const override { return "1/1/2000"; }
  std::string TimeString() const override { return "0:00"; }
  int64_t NowMs() const override { return 0; }
};

}  // namespace

TEST_F(TermFlash, APlanScriptSendsTheSameRecordsInBothDialectsAndTheInstrumentServesThePlan) {
  const std::string script =
      "ORG (0x0000)\nDIRECTORY3 (2)\n"
      "HEADER3 (TDT, 0x0400, 2, 7, 0.0, 3, 0x0000, 0xFFFF, 0xFFFF)\n"
      "HEADER3 (ASTRA, 0x0900, 1, 5, 9750.0, 0, 0xFFFF, 0xFFFF, 0xFFFF)\n"
      "COMMAND3 (0x20, 0x01)\nCOMMAND3 (0xFF, 0xFF)\n"
      "PLAN (1)\nORG (0x0400)\n"
      "CHAN3T (0, 21, 471.25, 8, 0xFFFF)\nCHAN3T (1, E69, 858.00, 8, 0x0000)\n"
      "PLAN (2)\nORG (0x0900)\nCHAN3S (0, RTL, 11000.00, 0xFFFF, 0xFFFF, 0xFFFF)\n";
  KeepLink link;
  QuietHost host;
  TScriptEngine engine(&link, &host);
  std::stringstream lines(script);
  for (std::string line; std::getline(lines, line);) {
    ASSERT_EQ(engine.ParseLine(line.c_str()), 1) << line;
    ASSERT_TRUE(engine.ExecuteAction()) << line;
  }

  ASSERT_NO_FATAL_FAILURE(StartOn(std::make_unique<cvsim::Corvane3Profile>()));
  ASSERT_TRUE(RunScript(script));
  EXPECT_EQ(sim->Lines(), link.sent);
  EXPECT_EQ(sim->Lines().size(), 16u);

  ASSERT_TRUE(RunScript("ASK *?JI00\nASK *?JI01\nASK *?CI0000\nASK *?CI0100\nASK *?CI0001\n"));
  EXPECT_EQ(Statements(Transcript("d.LOG")),
            (std::vector<std::string>{"( 1) ASK *?JI00 -> *JITDT     02T0000003", "( 2) ASK *?JI01 -> *JIASTRA   01S17CDC00",
                                      "( 3) ASK *?CI0000 -> *CI  2127DB2812", "( 4) ASK *?CI0100 -> *CI E6946124649",
                                      "( 5) ASK *?CI0001 -> *CI RTL360C360C"}));
}
