// Plan headers and channels read from the simulated instrument through the command layer.
#include <gtest/gtest.h>

#include <QWidget>
#include <chrono>
#include <thread>

#include "Chan3.h"
#include "Cv3Equip.h"
#include "SimOnCom1.h"

namespace {

using namespace std::chrono_literals;

class Cv3PlanSim : public ::testing::Test, public SimOnCom1 {
 protected:
  void SetUp() override {
    ASSERT_NO_FATAL_FAILURE(StartSim());
    Profile([](cvsim::Corvane3Profile& p) {
      p.plans[0] = {"EUROPE", 'T', 0, 1, {"UN0"},
                    {{"C21", 10203, 10258, {"SY00"}}, {"C22", 10363, 10418, {}}, {"BAD", 0, 0, {}}}};
      p.plans[3] = {"ASTRA", 'S', 97500, 2, {"LB5", "SY07"},
                    {{"AST1", 15836, 0, {"LB1", "SY07", "SOB"}}}};
    });
    equip = std::make_unique<TCv3Equip>(&form, &port);
    equip->clock = &clock;
    ASSERT_NO_FATAL_FAILURE(SettleAndOpen());
  }

  QWidget form;
  cv::FakeClock clock;
  std::unique_ptr<TCv3Equip> equip;
};

TEST_F(Cv3PlanSim, ReadsPlanHeadersAndChannels) {
  PlanInfo plan;
  ASSERT_TRUE(equip->ReadPlanInfo(0, plan));
  EXPECT_STREQ(plan.name, "EUROPE  ");
  EXPECT_EQ(plan.channelCount, 3);
  EXPECT_EQ(plan.band, 'T');
  EXPECT_STREQ(plan.commands[0], "UN0");

  TChan3 chan;
  ASSERT_TRUE(equip->ReadChannelInfo(0, 0, chan, plan.band));
  EXPECT_STREQ(chan.name, "C21 ");
  EXPECT_EQ(chan.frequency, 471.25f);
  EXPECT_STREQ(chan.commands[0], "SY00");
  TChan3 rebuilt = TChan3::FromTexts(chan.name, chan.wordText, chan.word2Text, plan.band,
                                     chan.commands[0]);
  EXPECT_EQ(rebuilt.bandwidth, 8);
  ASSERT_TRUE(equip->ReadChannelInfo(1, 0, chan, 'T'));
  EXPECT_EQ(chan.frequency, 479.25f);
  EXPECT_FALSE(equip->ReadChannelInfo(2, 0, chan, 'T'));  // word 0: out of range
  EXPECT_FALSE(equip->ReadChannelInfo(3, 0, chan, 'T'));  // no such channel

  ASSERT_TRUE(equip->ReadPlanInfo(3, plan));
  EXPECT_EQ(plan.band, 'S');
  EXPECT_EQ(plan.lnbMHz, 9750.0f);
  ASSERT_TRUE(equip->ReadChannelInfo(0, 3, chan, plan.band));
  EXPECT_EQ(chan.frequency, 1500.0f);
  EXPECT_STREQ(chan.commands[2], "SOB");

  EXPECT_FALSE(equip->ReadPlanInfo(1, plan));  // "*JI!!"
  std::vector<std::string> expected = {"*?JI00", "*?CI0000", "*?CI0100", "*?CI0200",
                                       "*?CI0300", "*?JI03",   "*?CI0003", "*?JI01"};
  auto lines = sim->Lines();
  ASSERT_GE(lines.size(), expected.size());
  EXPECT_EQ(std::vector<std::string>(lines.end() - expected.size(), lines.end()), expected);
}

TEST_F(Cv3PlanSim, SilentInstrumentIsAFailedRead) {
  sim->UpdateFaults([](cvsim::Faults& f) { f.silent = true; });
  PlanInfo plan;
  CopyField(plan.name, "KEEP");
  EXPECT_FALSE(equip->ReadPlanInfo(0, plan));
  EXPECT_STREQ(plan.name, "KEEP");
}

}  // namespace
