// The CORVANE-4 equipment object against the simulated meter over a pseudo-terminal.
#include <gtest/gtest.h>

#include "Chan4.h"
#include "Commands4.h"
#include "Clock.h"
#include "Cv4Equip.h"
#include "Cv4Sim.h"
#include "HostForm.h"
#include "LauncherChecks.h"
#include "PortMap.h"

using cv::cv4::TCv4Equip;
using cv::cv4::TChan4;

namespace {

class Cv4Equip : public EquipOnSim<TCv4Equip, Cv4Sim> {};

}  // namespace

TEST_F(Cv4Equip, IdentifiesWithoutTalkingAndOffersTheToolsItsPortAllows) { ExpectIdentifiedWithoutTalking("CORVANE-4"); }

TEST_F(Cv4Equip, LaunchersLogTheirLinesInOrderAndLeaveThePortClosed) { ExpectLaunchersLikeTheFramework(); }

TEST_F(Cv4Equip, TuningSwitchesToSatelliteAt900MHz) {
  auto equip = Make(&port);
  ASSERT_NO_FATAL_FAILURE(SettleAndOpen());
  struct Row {
    float mhz;
    const char* command;
  } rows[] = {
      {899.99f, "*FRT495a"}, {900.0f, "*FRS2b1c"},  // (900 + 479.5) x 8 = 11036
      {5.0f, "*FRT036e"},    {4.95f, "*FRT036d"},   {862.0f, "*FRT4662"}, {862.05f, "*FRT4663"},
      {2150.0f, "*FRS522c"}, {2150.125f, "*FRS522d"},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.mhz);
    clock.pumpedMs = 0;
    ASSERT_TRUE(equip->TuneFrequency(r.mhz, 300));
    EXPECT_EQ(sim->Lines().back(), r.command);
    EXPECT_EQ(clock.pumpedMs, 300);
  }
  // The meter measures where it was tuned, and takes the word in lower case only.
  ASSERT_TRUE(equip->TuneFrequency(1200.0f, 0));
  char reply[kReplyBufferSize];
  ASSERT_TRUE(equip->AskLevel(reply, 0));
  EXPECT_STREQ(reply, "*LV=+2EE");  // 75.0 dBuV at the carrier
  EXPECT_FALSE(equip->SendCommand("*FRS2B1C"));
  // The framework's CORVANE-3 switch stays where it was.
  EXPECT_EQ(TCv3Equip::TuneCommand(899.99f), "*FRS2b1c");
  host.Clear();
  sim->UpdateFaults([](cvsim::Faults& f) { f.refuseAll = true; });
  clock.pumpedMs = 0;
  EXPECT_FALSE(equip->TuneFrequency(1200.0f, 400));
  EXPECT_EQ(clock.pumpedMs, 400);  // waited whatever the outcome
  EXPECT_EQ(host.Lines(), QStringList{"Error when sending Frequency"});
}

TEST_F(Cv4Equip, VersionIsTheNumberAfterTheFirstBlank) {
  auto equip = Make(&port);
  ASSERT_NO_FATAL_FAILURE(SettleAndOpen());
  struct Row {
    const char* reply;  // nullptr: the meter's own "*VE 2.00"
    bool ok;
    float version;
  } rows[] = {
      {nullptr, true, 2.0f},        {"*VE 2.31", true, 2.31f},  {"*ve 1.5x", true, 1.5f},
      {"*VEV2.10", false, 0.0f},    {"*VE", false, 0.0f},       {"*V", false, 0.0f},
      {"*VE  3.1", true, 3.1f},     // blanks before the number are passed over, as a decimal read does
      {"*XX 2.5", true, 2.5f},      // the echo is not checked by this reader
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.reply ? r.reply : "default");
    Profile([&](cvsim::Corvane4Profile& p) {
      p.fixedReplies.clear();
      if (r.reply) p.fixedReplies["*?VE"] = r.reply;
    });
    float version = -1;
    EXPECT_EQ(equip->ReadVersion(version), r.ok);
    EXPECT_FLOAT_EQ(version, r.version);
    EXPECT_EQ(equip->CheckVersion(), std::string(r.reply ? r.reply : "*VE").rfind("*VE", 0) == 0);
  }
  Profile([&](cvsim::Corvane4Profile& p) {
    p.fixedReplies.clear();
    p.versionBlank = false;
  });
  float version = -1;
  EXPECT_FALSE(equip->ReadVersion(version));
  EXPECT_EQ(version, 0.0f);
  host.Clear();
  sim->UpdateFaults([](cvsim::Faults& f) { f.silent = true; });
  version = -1;
  EXPECT_FALSE(equip->ReadVersion(version));
  EXPECT_EQ(version, 0.0f);
  EXPECT_EQ(host.Lines(), QStringList{"Equipment not detected!"});
}

TEST_F(Cv4Equip, ChannelsReadWithTheFamilysRanges) {
  struct Row {
    char band;
    unsigned word;
    float mhz;  // as read
    bool inRange;
  } rows[] = {
      {'S', 10876, 1500.0f, false},  // 880 MHz: a CORVANE-3 frequency, outside this family's band
      {'S', 11035, 1500.0f, false},  {'S', 11036, 900.0f, true},   {'S', 21036, 2150.0f, true},
      {'S', 21037, 1500.0f, false},  {'T', 877, 48.25f, false},    {'T', 878, 5.0f, true},
      {'T', 18018, 862.0f, true},    {'T', 18019, 48.25f, false},
  };
  Profile([&](cvsim::Corvane4Profile& p) {
    for (const Row& r : rows) {
      auto& plan = p.plans[r.band == 'S' ? 1 : 0];
      plan.band = r.band;
      plan.name = r.band == 'S' ? "ASTRA" : "UHF";
      plan.channels.push_back({"C" + std::to_string(plan.channels.size()), r.word, r.band == 'S' ? 0u : r.word + 155,
                               {"SY06", "LB1", "UN0"}});
    }
  });
  auto equip = Make(&port);
  ASSERT_NO_FATAL_FAILURE(SettleAndOpen());
  int index[2] = {0, 0};
  for (const Row& r : rows) {
    SCOPED_TRACE(testing::Message() << r.band << " " << r.word);
    const int plan = r.band == 'S' ? 1 : 0;
    TChan4 chan;
    EXPECT_EQ(equip->ReadChannelInfo(index[plan]++, plan, chan, r.band), r.inRange);
    EXPECT_EQ(chan.word, r.word);
    EXPECT_FLOAT_EQ(chan.frequency, r.mhz);
    EXPECT_STREQ(chan.commands[1], r.band == 'S' ? "LB1" : "");
    EXPECT_FLOAT_EQ(TChan4::FromWord("X", r.word, 8, r.band).frequency, r.mhz);
    char text[8];
    std::snprintf(text, sizeof text, "%04x", r.word);
    EXPECT_FLOAT_EQ(TChan4::FromTexts("X", text, "", r.band).frequency, r.mhz);
  }
  // The same word through the CORVANE-3 record still reads 880 MHz.
  TChan3 old;
  EXPECT_TRUE(ParseChannelInfo("*CIC0002A7C0000", 'S', old));
  EXPECT_FLOAT_EQ(old.frequency, 880.0f);
  EXPECT_FLOAT_EQ(TChan3::FromWord("X", 10876, 0, 'S').frequency, 880.0f);

  // Built from MHz, a channel keeps the frequency as given and a terrestrial one its first command.
  const TChan4 ter = TChan4::FromFrequency("T1", 4.0f, 8, 'T', "SY00", "LB1", "UN0");
  EXPECT_FLOAT_EQ(ter.frequency, 4.0f);
  EXPECT_STREQ(ter.commands[0], "SY00");
  EXPECT_STREQ(ter.commands[1], "");
  EXPECT_STREQ(ter.commands[2], "");
  const TChan4 sat = TChan4::FromFrequency("S1", 880.0f, 8, 'S', "SY06", "LB1", "UN0");
  EXPECT_FLOAT_EQ(sat.frequency, 880.0f);
  EXPECT_EQ(sat.word, 10876u);
  EXPECT_EQ(sat.bandwidth, 0);
  EXPECT_STREQ(sat.commands[2], "UN0");

  // A reply too short for a channel fails and leaves the record as it was.
  Profile([&](cvsim::Corvane4Profile& p) { p.fixedReplies["*?CI0001"] = "*CIC0002A7"; });
  TChan4 kept = TChan4::FromWord("KEEP", 11036, 0, 'S');
  EXPECT_FALSE(equip->ReadChannelInfo(0, 1, kept, 'S'));
  EXPECT_STREQ(kept.name, "KEEP");
  EXPECT_FLOAT_EQ(kept.frequency, 900.0f);
}

TEST_F(Cv4Equip, PlanHeadersAndShortReplies) {
  Profile([&](cvsim::Corvane4Profile& p) {
    auto& plan = p.plans[3];
    plan.name = "HOTBIRD";
    plan.band = 'S';
    plan.lnbTenths = 97500;
    plan.code = 0x12;
    plan.commands = {"LB5", "SY06"};
    plan.channels.resize(2);
  });
  auto equip = Make(&port);
  ASSERT_NO_FATAL_FAILURE(SettleAndOpen());
  PlanInfo info;
  ASSERT_TRUE(equip->ReadPlanInfo(3, info));
  EXPECT_STREQ(info.name, "HOTBIRD ");
  EXPECT_EQ(info.channelCount, 2);
  EXPECT_EQ(info.band, 'S');
  EXPECT_FLOAT_EQ(info.lnbMHz, 9750.0f);
  EXPECT_EQ(info.code, 0x12);
  EXPECT_STREQ(info.commands[0], "LB5");
  EXPECT_STREQ(info.commands[1], "SY06");
  EXPECT_FALSE(equip->ReadPlanInfo(4, info));  // "*JI!!": no such plan
  Profile([&](cvsim::Corvane4Profile& p) { p.fixedReplies["*?JI05"] = "*JIHOTBIRD 02S17"; });
  PlanInfo untouched;
  EXPECT_FALSE(equip->ReadPlanInfo(5, untouched));
  EXPECT_STREQ(untouched.name, "");
}

TEST(Cv4Text, SplitFieldsKeepsTwentyFiveFieldsOfTwelveCharacters) {
  HostForm host;
  std::unique_ptr<TCv4Equip> e(TCv3Equip::Build<TCv4Equip>(&host.form, nullptr));
  e->decimalSeparator = ',';
  e->listSeparator = ';';
  std::string many;
  for (int i = 0; i < 30; ++i) many += std::to_string(i) + ";";
  ASSERT_TRUE(e->SplitFields(many.c_str()));
  EXPECT_STREQ(e->fields[23], "23");
  EXPECT_STREQ(e->fields[24], "24");  // the 25th field, which the CORVANE-3 drops
  EXPECT_STREQ(e->fields[25], "");    // past the 25th: ignored
  ASSERT_TRUE(e->SplitFields("ABCDEFGHIJKLMNOP;next"));
  EXPECT_STREQ(e->fields[0], "ABCDEFGHIJKL");  // twelve characters end the line
  EXPECT_STREQ(e->fields[1], "");
  ASSERT_TRUE(e->SplitFields("A;471,25"));
  EXPECT_STREQ(e->fields[1], "471.25");
}

TEST(Cv4Text, FamilyValues) {
  HostForm host;
  std::unique_ptr<TCv4Equip> e(TCv3Equip::Build<TCv4Equip>(&host.form, nullptr));
  EXPECT_STREQ(e->VersionText(), "Cv4Tools 1.16");
  EXPECT_STREQ(TCv4Equip::GetVersionText(), "Cv4Tools 1.16");
  EXPECT_EQ(e->HelpFile(), "help\\Cv4Tools.hlp");
  const char* topics[] = {"ChannelEditor", "Channels", "MemoryEditor", "Memories", "DataLogger",
                          "Configuration", "Update", "Monitor", "Spectrum"};
  for (int t = 0; t < kHelpTopics; ++t) EXPECT_STREQ(e->HelpTopicName(static_cast<HelpTopic>(t)), topics[t]);
  EXPECT_EQ(&e->Commands(), &cv::cv4::kCommands4);
}
