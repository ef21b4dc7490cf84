// The first generation's register plans and configuration against the simulated CORVANE-1 and
// CORVANE-1B.
#include <filesystem>

#include "SaveLimits.h"
#include "TermFixture.h"

namespace {

// The simulated meter's state, read or set between runs while the line is quiet.
cvsim::Corvane1Profile& C1(cvsim::Simulator& sim) {
  return *sim.WithProfile([](cvsim::Profile& p) { return static_cast<cvsim::Corvane1Profile*>(&p); });
}

const char* kPlanScript =
    "FSTEP (0.0625)\n"
    "IFVAL (33.375)\n"
    "HEADER (3, EUROPA, 42)\n"
    "CHANNEL (0, E21, 471.25, 5.5, NO, YES, YES, NO)\n"
    "CHANNEL (1, E69, 855.25, 6.5, YES, NO, NO, YES)\n"
    "CHANNEL (2, S2, 112.25, 5.5, NO, NO, YES, NO)\n";

}  // namespace

struct TermPlans1 : TermTest {
  std::vector<std::string> Writes() {
    std::vector<std::string> out;
    for (const std::string& l : sim->Lines())
      if (l.rfind("*?", 0) != 0) out.push_back(l);
    return out;
  }
};

TEST_F(TermPlans1, ChannelsAndHeadersLandAtTheirRegisters) {
  ASSERT_NO_FATAL_FAILURE(StartOn(std::make_unique<cvsim::Corvane1Profile>()));
  // Channel 200 is channel 125, the last eight bytes of the CORVANE-1's 1024 (page 6, F8..FF).
  // The shift 5.5 / FSTEP (0.05 as a 32-bit float) is 109.99..., cut to 109 (6D).
  ASSERT_TRUE(RunScript("CHANNEL (200, AB, 471.25, 5.5, YES, YES, YES, YES)\n"));
  EXPECT_EQ(Writes(), (std::vector<std::string>{"*I1A6F841", "*I1A6F942", "*I1A6FA20", "*I1A6FB20", "*I1A6FC27",
                                                "*I1A6FDDB", "*I1A6FE6D", "*I1A6FFF0"}));
  // Channel 30 begins page 2; channel 29 ends page 0.
  sim->ClearTraffic();
  ASSERT_TRUE(RunScript("CHANNEL (30, A, 100, 0, no, NO, Yes, x)\nCHANNEL (29, B, 100, 0, NO, NO, NO, NO)\n"));
  const auto w = Writes();
  ASSERT_EQ(w.size(), 16u);
  EXPECT_EQ(w[0], "*I1A20041");
  EXPECT_EQ(w[7], "*I1A20700");  // no flag is exactly "YES"
  EXPECT_EQ(w[8], "*I1A0F842");
  // A CORVANE-1B's plan 3 starts at 0x0C00, marker first.
  sim->ClearTraffic();
  ASSERT_TRUE(RunScript("MODEL1 1\nPLAN1 3\nHEADER (300, LONGPLANNAME, 258)\n"));
  EXPECT_EQ(Writes(), (std::vector<std::string>{
                          "*I2A00C005A", "*I2A00C01C3", "*I2A00C0202", "*I2A00C037E", "*I2A00C0400", "*I2A00C0500",
                          "*I2A00C0600", "*I2A00C0700", "*I2A00C084C", "*I2A00C094F", "*I2A00C0A4E", "*I2A00C0B47",
                          "*I2A00C0C50", "*I2A00C0D4C", "*I2A00C0E41", "*I2A00C0F4E"}));
}

TEST_F(TermPlans1, RefusedChannelsSendNothing) {
  ASSERT_NO_FATAL_FAILURE(StartOn(std::make_unique<cvsim::Corvane1Profile>()));
  EXPECT_FALSE(RunScript("CHANNEL (-1, A, 471.25, 5.5, NO, NO, NO, NO)\nSEND *AFTER\n"));
  EXPECT_EQ(Statements(Transcript("d.LOG")).back(),
            "( 1) CHANNEL (-1, A, 471.25, 5.5, NO, NO, NO, NO) -> (CHANNEL INDEX -1) ERROR");
  EXPECT_FALSE(RunScript("CHANNEL (1, A, 5000, 5.5, NO, NO, NO, NO)\nSEND *AFTER\n"));
  EXPECT_EQ(Statements(Transcript("d.LOG")).back(),
            "( 1) CHANNEL (1, A, 5000, 5.5, NO, NO, NO, NO) -> (5000 MHZ: FREQUENCY WORD OUTSIDE 0 TO FFFF) ERROR");
  EXPECT_TRUE(sim->Lines().empty());
  // A refused write stops the statement at once.
  sim->UpdateFaults([](cvsim::Faults& f) { f.refuseAll = true; });
  EXPECT_FALSE(RunScript("HEADER (1, X, 1)\n"));
  EXPECT_EQ(sim->Lines().size(), 1u);
}

TEST_F(TermPlans1, GetChPlanWritesAScriptThatProgramsTheSamePlan) {
  for (bool modelB : {false, true}) {
    SCOPED_TRACE(modelB);
    ASSERT_NO_FATAL_FAILURE(StartOn(std::make_unique<cvsim::Corvane1Profile>(modelB)));
    if (modelB) C1(*sim).planB = 2;
    const std::string prefix = modelB ? "MODEL1 1\nPLAN1 2\n" : "";
    ASSERT_TRUE(RunScript(prefix + kPlanScript));
    const auto programmed = modelB ? C1(*sim).plan1B : C1(*sim).plan1;
    EXPECT_EQ(programmed.size(), 16u + 3 * 8);
    term->ResetRunState();
    const std::string file = home.Path("plan.pro");
    ASSERT_TRUE(RunScript("GETCHPLAN " + file + "\n"));
    const std::string text = ReadFile(file);
    if (!modelB) ExpectGolden(MaskDates(text), "getchplan.pro");
    EXPECT_NE(text.find(modelB ? "MODEL1 1\n" : "MODEL1 0\n"), std::string::npos);
    EXPECT_NE(text.find(modelB ? "PLAN1 2\n" : "PLAN1 0\n"), std::string::npos);

    // Run back against a cleared instrument on a fresh terminal.
    term.reset();
    sim.reset();
    ASSERT_NO_FATAL_FAILURE(StartOn(std::make_unique<cvsim::Corvane1Profile>(modelB)));
    ASSERT_TRUE(term->RunProFile(file));
    EXPECT_EQ(modelB ? C1(*sim).plan1B : C1(*sim).plan1, programmed);
    term.reset();
    sim.reset();
  }
}

TEST_F(TermPlans1, GetChPlanDecodesWithTheConstantsInForce) {
  ASSERT_NO_FATAL_FAILURE(StartOn(std::make_unique<cvsim::Corvane1Profile>()));
  ASSERT_TRUE(RunScript(kPlanScript));
  // A fresh terminal still has FSTEP 0.05 and IFVAL 38.9: 471.25 MHz (word 8074) reads as 364.80.
  term.reset();
  MakeTerm();
  term->portName = "COM1";
  ASSERT_TRUE(term->OpenPort());
  const std::string file = home.Path("wrong.pro");
  ASSERT_TRUE(RunScript("GETCHPLAN " + file + "\n"));
  EXPECT_NE(ReadFile(file).find("CHANNEL (0, E21 , 364.80, 4.40, NO, YES, YES, NO)\n"), std::string::npos);
  // Without the marker there is no plan: the last plan read stays in its file, and another name
  // gets no file at all.
  const std::string read = ReadFile(file);
  C1(*sim).plan1[0] = 0;
  EXPECT_FALSE(RunScript("GETCHPLAN " + file + "\n"));
  EXPECT_EQ(ReadFile(file), read);
  EXPECT_FALSE(RunScript("GETCHPLAN " + home.Path("none.pro") + "\n"));
  EXPECT_FALSE(std::filesystem::exists(home.Path("none.pro")));
  // A file that cannot be created fails before anything is asked.
  sim->ClearTraffic();
  EXPECT_FALSE(RunScript("GETCHPLAN " + home.Path("no/such/dir.pro") + "\n"));
  EXPECT_TRUE(sim->Lines().empty());
}

TEST_F(TermPlans1, GetCfgThenSetCfgRestoresAllRegisters) {
  ASSERT_NO_FATAL_FAILURE(StartOn(std::make_unique<cvsim::Corvane1Profile>()));
  unsigned char wanted[512];
  for (int i = 0; i < 512; ++i) wanted[i] = static_cast<unsigned char>((i * 37 + 11) & 0xFF);
  for (int i = 0; i < 8; ++i) wanted[0x40 + i] = static_cast<unsigned char>("CV1-0815"[i]);
  std::copy(wanted, wanted + 512, C1(*sim).config);
  const std::string file = home.Path("cfg.txt");
  ASSERT_TRUE(RunScript("GETCFG " + file + "\n"));
  const std::string text = ReadFile(file);
  EXPECT_NE(text.find("# (S/N: CV1-0815)\n*#00000B\n*#000130\n"), std::string::npos);
  EXPECT_NE(text.find("*#01FFE6\n"), std::string::npos);

  term.reset();
  sim.reset();
  ASSERT_NO_FATAL_FAILURE(StartOn(std::make_unique<cvsim::Corvane1Profile>()));
  // Lower-case lines are sent upper-cased.
  std::ofstream(file, std::ios::app) << "*#01ffe6\n";
  ASSERT_TRUE(RunScript("SETCFG " + file + "\n"));
  EXPECT_TRUE(std::equal(wanted, wanted + 512, C1(*sim).config));
  // The version line is no comment: it goes out as a command too.
  EXPECT_EQ(C1(*sim).ignored, (std::vector<std::string>{"ASK *?V\t# REGISTER VERSION IN LOG FILE"}));
  EXPECT_EQ(sim->Lines().size(), 1u + 512 + 1);
  EXPECT_FALSE(RunScript("SETCFG " + home.Path("missing.txt") + "\n"));
}

// The configuration file (about 4,700 bytes) under file-size limits below, at and above the write
// buffer: written whole, or the statement fails and the old file stays as it was.
TEST_F(TermPlans1, GetCfgWritesTheWholeFileOrKeepsTheOldOne) {
  ASSERT_NO_FATAL_FAILURE(StartOn(std::make_unique<cvsim::Corvane1Profile>()));
  const std::string file = home.Path("cfg.txt");
  const std::string script = Script("getcfg.pro", "GETCFG " + file + "\n");
  cvtest::ExpectWholeOrOldFile(file, [&] {
    Ready();
    return term->RunProFile(script);
  });
}

// A plan file shares the configuration's output file: under every limit of the save table it is
// written whole, or the statement fails and the old file stays.
TEST_F(TermPlans1, GetChPlanWritesTheWholeFileOrKeepsTheOldOne) {
  ASSERT_NO_FATAL_FAILURE(StartOn(std::make_unique<cvsim::Corvane1Profile>()));
  std::string plan = "FSTEP (0.0625)\nIFVAL (33.375)\nHEADER (3, EUROPA, 42)\n";
  for (int i = 0; i < 120; ++i)
    plan += "CHANNEL (" + std::to_string(i) + ", C" + std::to_string(i) + ", " + std::to_string(100 + 6 * i) +
            ".25, 5.5, NO, YES, YES, NO)\n";
  ASSERT_TRUE(RunScript(plan));
  const std::string file = home.Path("plan.pro");
  const std::string script = Script("getchplan.pro", "GETCHPLAN " + file + "\n");
  cvtest::ExpectWholeOrOldFile(file, [&] {
    Ready();
    return term->RunProFile(script);
  });
}

TEST_F(TermPlans1, SetCfgRefusesALineLongerThanOneCommand) {
  ASSERT_NO_FATAL_FAILURE(StartOn(std::make_unique<cvsim::Corvane1Profile>()));
  const std::string file = home.Path("long.txt");
  // 254 characters: cut to 253 and followed by its tail as a command of its own, the line would
  // write what the file does not say.
  std::ofstream(file) << "*#004012\n# a comment\n*#0041" << std::string(247, '0') << "1\n*#004234\n";
  EXPECT_FALSE(RunScript("SETCFG " + file + "\n"));
  EXPECT_EQ(sim->Lines(), (std::vector<std::string>{"*#004012"}));
  EXPECT_TRUE(owner.Logged("Line 3: 254 characters, more than one command line carries (253)"));
}

TEST_F(TermPlans1, SerialNumberStaysInItsCommentLine) {
  ASSERT_NO_FATAL_FAILURE(StartOn(std::make_unique<cvsim::Corvane1Profile>()));
  const char serial[8] = {'A', '\n', '*', '#', '0', '0', 'F', '\r'};
  std::copy(serial, serial + 8, C1(*sim).config + 0x40);
  const std::string file = home.Path("cfg.txt");
  ASSERT_TRUE(RunScript("GETCFG " + file + "\n"));
  const std::string text = ReadFile(file);
  EXPECT_NE(text.find("\n# (S/N: A *#00F )\n*#0000"), std::string::npos) << text.substr(0, 300);
}
