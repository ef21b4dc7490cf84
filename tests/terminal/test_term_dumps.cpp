// Every statement that dumps the meter into a file (DATAL3, DATAL7, GETCHPLAN, GETCFG) saves only
// a whole dump: a link lost or a meter falling silent part way leaves the file the user had.
#include <thread>

#include "TermFixture.h"

namespace {

struct Dump {
  const char* keyword;
  std::function<std::unique_ptr<cvsim::Profile>()> profile;
  const char* setUp;  // a script run first, so there is something to read
  const char* failAt; // the query, part way through the dump, from which the meter is gone
};

std::unique_ptr<cvsim::Profile> LoggerProfile(bool seven) {
  auto p = std::make_unique<cvsim::Corvane3Profile>();
  p->loggerSeven = seven;
  for (int n : {2, 5, 9}) p->loggerMemories[n - 1].selected = true;
  p->loggerTPSelected.assign(99, false);
  p->loggerTPSelected[0] = p->loggerTPSelected[4] = true;
  return p;
}

}  // namespace

struct TermDumps : TermTest {
  std::thread hangUp;
  ~TermDumps() override {
    if (hangUp.joinable()) hangUp.join();
  }
};

TEST_F(TermDumps, AFailurePartWayLeavesTheOldFile) {
  const Dump dumps[] = {
      {"DATAL3", [] { return LoggerProfile(false); }, "", "*?DL0905"},
      {"DATAL7", [] { return LoggerProfile(true); }, "", "*?DST03"},
      {"GETCHPLAN", [] { return std::make_unique<cvsim::Corvane1Profile>(); },
       "HEADER (3, EUROPA, 42)\nCHANNEL (0, E21, 471.25, 5.5, NO, YES, YES, NO)\n"
       "CHANNEL (1, E69, 855.25, 6.5, YES, NO, NO, YES)\nCHANNEL (2, S2, 112.25, 5.5, NO, NO, YES, NO)\n",
       "*?I1A018"},  // channel 1's first byte
      {"GETCFG", [] { return std::make_unique<cvsim::Corvane1Profile>(); }, "", "*?#0100"},
  };
  const std::string old = "# the file of the last whole dump\n";
  for (const Dump& dump : dumps) {
    for (bool lost : {true, false}) {
      SCOPED_TRACE(std::string(dump.keyword) + (lost ? ", link lost" : ", meter silent"));
      auto profile = dump.profile();
      profile->On(dump.failAt, [this, lost](const std::string&) {
        // The handler runs under the simulator's lock: the line is cut once it has returned.
        if (lost) hangUp = std::thread([this] { sim->HangUp(); });
        return cvsim::Answer::NoAnswer();
      });
      ASSERT_NO_FATAL_FAILURE(StartOn(std::move(profile)));
      if (*dump.setUp) {
        ASSERT_TRUE(RunScript(dump.setUp));
      }
      // A silent meter costs each read its full time-out: on the fake clock that is no real wait.
      UseFakeClock();
      fake.pumpStepMs = 500;
      term->sliceMs = 10;
      const std::string path = home.Path("dump.txt");
      WriteFile(path, old);
      sim->ClearTraffic();
      EXPECT_FALSE(RunScript(std::string(dump.keyword) + " " + path + "\n"));
      EXPECT_EQ(sim->Lines().back(), dump.failAt) << "the meter failed elsewhere";
      EXPECT_EQ(ReadFile(path), old);
      const std::string result = std::string("( 1) ") + dump.keyword + " <dir>/dump.txt -> ERROR";
      EXPECT_EQ(Statements(Transcript("d.LOG")).back(), result);
      EXPECT_NE(ScreenText(0, cv::kConsoleHeight - 1).find(" -> ERROR"), std::string::npos);
      if (hangUp.joinable()) hangUp.join();
      term.reset();
      sim.reset();
    }
  }
}
