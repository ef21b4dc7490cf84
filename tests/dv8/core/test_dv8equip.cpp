// The DV-800 equipment object against the simulated meter over a pseudo-terminal.
#include <gtest/gtest.h>

#include "Chan3.h"
#include "Clock.h"
#include "Commands8.h"
#include "Dv8Equip.h"
#include "Dv8Sim.h"
#include "HostForm.h"
#include "LauncherChecks.h"
#include "PortMap.h"

using cv::dv8::TDV8Equip;

namespace {

class Dv8Equip : public EquipOnSim<TDV8Equip, Dv8Sim> {};

}  // namespace

TEST_F(Dv8Equip, IdentifiesWithoutTalkingAndOffersTheToolsItsPortAllows) { ExpectIdentifiedWithoutTalking("DV-800"); }

TEST_F(Dv8Equip, LaunchersLogTheirLinesInOrderAndLeaveThePortClosed) { ExpectLaunchersLikeTheFramework(); }

TEST_F(Dv8Equip, TuningIsTerrestrialOnly) {
  auto equip = Make(&port);
  ASSERT_NO_FATAL_FAILURE(SettleAndOpen());
  ASSERT_NO_FATAL_FAILURE(SettleAfterWakeLine());  // past the wake line of the opening
  struct Row {
    float mhz;
    const char* command;  // nullptr: refused, nothing sent, no wait
  } rows[] = {
      {48.25f, "*FRT06cf"},   // (48.25 + 38.9) x 20 = 1743
      {899.99f, "*FRT495a"},  {5.0f, "*FRT036e"}, {862.0f, "*FRT4662"},
      {900.0f, nullptr},      {1200.0f, nullptr}, {2150.0f, nullptr},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.mhz);
    sim->ClearTraffic();
    clock.pumpedMs = 0;
    EXPECT_EQ(equip->TuneFrequency(r.mhz, 300), r.command != nullptr);
    Settle();
    if (r.command) {
      EXPECT_EQ(sim->Lines(), std::vector<std::string>{r.command});
      EXPECT_EQ(clock.pumpedMs, 300);
    } else {
      EXPECT_TRUE(sim->Lines().empty()) << sim->Received();
      EXPECT_EQ(clock.pumpedMs, 0);
    }
  }
  EXPECT_TRUE(host.Lines().isEmpty());
  // The meter has no satellite tuner: it refuses a satellite word however it comes.
  EXPECT_FALSE(equip->SendCommand("*FRS2b1c"));
  sim->UpdateFaults([](cvsim::Faults& f) { f.refuseAll = true; });
  clock.pumpedMs = 0;
  EXPECT_FALSE(equip->TuneFrequency(600.0f, 400));
  EXPECT_EQ(clock.pumpedMs, 400);  // waited whatever the outcome
  EXPECT_EQ(host.Lines(), QStringList{"Error when sending Frequency"});
}

TEST_F(Dv8Equip, ChannelQueryAsksChannelFirstAndFallsBackOutsideTheRanges) {
  Profile([](cvsim::Dv8Profile& p) {
    auto& ter = p.plans[2];
    ter.band = 'T';
    ter.name = "UHF";
    ter.channels = {{"C21", 0x0F8C, 0x0FC3, {"SY00", "UN0", "ME1"}},  // 160.1 MHz
                    {"LOW", 858, 913, {"SY00"}},                       // 4 MHz
                    {"TOP", 18018, 18073, {}}};                        // 862 MHz
    auto& sat = p.plans[5];
    sat.band = 'S';
    sat.name = "ASTRA";
    sat.channels = {{"S1", 11036, 0, {"SY36", "UN1", "ME2"}},   // 900 MHz
                    {"S2", 21036, 0, {"SY36"}},                 // 2150 MHz
                    {"HI", 21236, 0, {"UN0", "UN1", "UN2"}}};   // 2175 MHz
  });
  auto equip = Make(&port);
  ASSERT_NO_FATAL_FAILURE(SettleAndOpen());
  ASSERT_NO_FATAL_FAILURE(SettleAfterWakeLine());  // past the wake line of the opening
  struct Row {
    int plan, channel;
    char band;
    bool ok;
    const char* name;
    float mhz;
    const char* commands[3];
  } rows[] = {
      {2, 0, 'T', true, "C21 ", 160.1f, {"SY00", "", ""}},  // one command field for a terrestrial plan
      {2, 1, 'T', false, "LOW ", 48.25f, {"SY00", "", ""}},
      {2, 2, 'T', true, "TOP ", 862.0f, {"", "", ""}},
      {5, 0, 'S', true, "S1  ", 900.0f, {"SY36", "UN1", "ME2"}},
      {5, 1, 'S', true, "S2  ", 2150.0f, {"SY36", "", ""}},
      {5, 2, 'S', false, "HI  ", 920.0f, {"UN0", "UN1", "UN2"}},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(testing::Message() << r.plan << "/" << r.channel);
    sim->ClearTraffic();
    TChan3 chan;
    EXPECT_EQ(equip->ReadChannelInfo(r.channel, r.plan, chan, r.band), r.ok);
    EXPECT_STREQ(chan.name, r.name);
    EXPECT_FLOAT_EQ(chan.frequency, r.mhz);
    for (int i = 0; i < 3; ++i) EXPECT_STREQ(chan.commands[i], r.commands[i]) << i;
    Settle();
    char query[16];
    std::snprintf(query, sizeof query, "*?CI%02X%02X", r.channel, r.plan);
    EXPECT_EQ(sim->Lines(), std::vector<std::string>{query});
  }
  // "!!", a reply too short for a channel and a word that is no hex number: the record stays as
  // it was, or (no number) reads as the fallback.
  Profile([](cvsim::Dv8Profile& p) {
    p.fixedReplies["*?CI0302"] = "*CI!!";
    p.fixedReplies["*?CI0402"] = "*CIC0002A7";
    p.fixedReplies["*?CI0502"] = "*CIBADXZZZ0000,SY00";
  });
  TChan3 kept = TChan3::FromWord("KEEP", 0x0F8C, 8, 'T');
  EXPECT_FALSE(equip->ReadChannelInfo(3, 2, kept, 'T'));
  EXPECT_FALSE(equip->ReadChannelInfo(4, 2, kept, 'T'));
  EXPECT_STREQ(kept.name, "KEEP");
  EXPECT_FLOAT_EQ(kept.frequency, 160.1f);
  EXPECT_FALSE(equip->ReadChannelInfo(5, 2, kept, 'T'));
  EXPECT_STREQ(kept.name, "BADX");
  EXPECT_FLOAT_EQ(kept.frequency, 48.25f);
}

TEST(Dv8Values, FixedOptionsCodeTablesAndFamilyTexts) {
  cv::dv8::InstalledOptions options;
  std::memset(options.flags, 7, sizeof options.flags);
  TDV8Equip::ReadInstalledOptions(options);
  const uint8_t fixed[13] = {0, 0, 0, 0, 0, 0, 0, 0, 1, 0, 1, 1, 0};
  for (int i = 0; i < 13; ++i) EXPECT_EQ(options.flags[i], fixed[i]) << i;
  EXPECT_TRUE(TDV8Equip::CanSendMemories());

  // Every code a list position sends has its row in the command table, by mnemonic.
  const cv::dv8::CommandLookups& t = cv::dv8::kDv8Lookups;
  for (int code : cv::dv8::measureCodes) {
    EXPECT_NE(t.IndexOfMnemonic("ME" + std::to_string(code)), cv::dv8::kNoCommand) << code;
  }
  for (int code : cv::dv8::standardCodes) {
    char mnemonic[8];
    std::snprintf(mnemonic, sizeof mnemonic, "SY%02d", code);
    EXPECT_NE(t.IndexOfMnemonic(mnemonic), cv::dv8::kNoCommand) << code;
  }
  for (int code : cv::dv8::soundCodes) {
    const int row = t.IndexOfMnemonic(std::string("SO") + "0123456789ABCDEF"[code]);
    const bool hasParameterRow = code == 4 || code == 15;  // "SO4722", "SOF6A9"
    EXPECT_EQ(row == cv::dv8::kNoCommand, hasParameterRow) << code;
  }

  struct {
    char in, out;
  } folds[] = {{'0', '0'}, {'1', '1'}, {'8', '8'}, {'9', '4'}, {'A', '4'}, {'B', '5'}, {'C', '6'},
               {'D', '6'}, {'E', '6'}, {'F', '8'}, {'G', '0'}, {'a', '0'}, {' ', '0'}, {'\0', '0'}};
  for (auto f : folds) EXPECT_EQ(TDV8Equip::MapMeasureCode(f.in), f.out) << f.in;

  HostForm host;
  std::unique_ptr<TDV8Equip> e(TCv3Equip::Build<TDV8Equip>(&host.form, nullptr));
  EXPECT_STREQ(e->VersionText(), "DV8Tools 1.14");
  EXPECT_EQ(e->HelpFile(), "help\\DV8Tools.hlp");
  EXPECT_EQ(e->FieldCount(), 24);
  EXPECT_EQ(&e->Commands(), &cv::dv8::kCommands8);
  EXPECT_FALSE(e->GetStartDir().empty());
}

TEST_F(Dv8Equip, VersionIsTheNumberAfterTheFirstBlank) {
  auto equip = Make(&port);
  ASSERT_NO_FATAL_FAILURE(SettleAndOpen());
  struct Row {
    const char* reply;  // nullptr: the meter's own "*VE 2.50"
    bool ok;
    float version;
  } rows[] = {{nullptr, true, 2.5f}, {"*VE 2.61", true, 2.61f}, {"*VEV2.50", false, 0.0f}, {"*VE", false, 0.0f}};
  for (const Row& r : rows) {
    SCOPED_TRACE(r.reply ? r.reply : "default");
    Profile([&](cvsim::Dv8Profile& p) {
      p.fixedReplies.clear();
      if (r.reply) p.fixedReplies["*?VE"] = r.reply;
    });
    float version = -1;
    EXPECT_EQ(equip->ReadVersion(version), r.ok);
    EXPECT_FLOAT_EQ(version, r.version);
  }
  host.Clear();
  sim->UpdateFaults([](cvsim::Faults& f) { f.silent = true; });
  float version = -1;
  EXPECT_FALSE(equip->ReadVersion(version));
  EXPECT_EQ(version, 0.0f);
  EXPECT_EQ(host.Lines(), QStringList{"Equipment not detected!"});
}
