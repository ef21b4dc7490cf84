// The CORVANE-2 equipment object against the simulated meter over a pseudo-terminal.
#include <gtest/gtest.h>

#include <cstring>

#include "AppServices.h"
#include "Chan2.h"
#include "Commands2.h"
#include "Cv2Equip.h"
#include "Cv2Sim.h"
#include "HostForm.h"
#include "LauncherChecks.h"

using cv::cv2::InstalledOptions;
using cv::cv2::TChan2;
using cv::cv2::TCv2Equip;

namespace {

class Cv2Equip : public EquipOnSim<TCv2Equip, Cv2Sim> {};

}  // namespace

TEST_F(Cv2Equip, IdentifiesWithoutTalkingAndOffersNoDataLogger) {
  ExpectIdentifiedWithoutTalking("CORVANE-2", false, false);
}

TEST_F(Cv2Equip, LaunchersLogTheirLinesInOrderAndLeaveThePortClosed) { ExpectLaunchersLikeTheFramework(false); }

// Tuning switches to the satellite word at 900 MHz; the channel query asks channel first and
// replaces a frequency outside the family's ranges.
TEST_F(Cv2Equip, TuningAndChannelQuery) {
  Profile([](cvsim::Corvane2Profile& p) {
    auto& ter = p.plans[2];
    ter.band = 'T';
    ter.name = "UHF";
    ter.channels = {{"C21", 0x0F8C, 0x0FC3, {"SY00", "UN0", "ME1"}},  // 160.1 MHz
                    {"LOW", 0x068D, 0x06E2, {"SY36"}},                 // 44.95 MHz
                    {"E45", 1678, 1733, {}},                           // 45.0 MHz
                    {"TOP", 18018, 18073, {}}};                        // 862 MHz
    auto& sat = p.plans[5];
    sat.band = 'S';
    sat.name = "ASTRA";
    sat.channels = {{"S0", 11035, 0, {"LB5", "SY07", "SOB"}},   // 899.875 MHz
                    {"S1", 11036, 0, {"LB1", "UN1", "ME4"}},    // 900 MHz
                    {"S2", 21036, 0, {"SY36"}}};                // 2150 MHz
  });
  auto equip = Make(&port);
  ASSERT_NO_FATAL_FAILURE(SettleAndOpen());
  ASSERT_NO_FATAL_FAILURE(SettleAfterWakeLine());  // past the wake line of the opening
  struct Tune {
    float mhz;
    const char* command;
  } tunes[] = {
      {899.99f, "*FRT495a"}, {900.0f, "*FRS2b1c"}, {479.25f, "*FRT287b"}, {2150.0f, "*FRS522c"}, {45.0f, "*FRT068e"},
  };
  for (const Tune& t : tunes) {
    SCOPED_TRACE(t.mhz);
    sim->ClearTraffic();
    clock.pumpedMs = 0;
    EXPECT_TRUE(equip->TuneFrequency(t.mhz, 300));
    Settle();
    EXPECT_EQ(sim->Lines(), std::vector<std::string>{t.command});
    EXPECT_EQ(clock.pumpedMs, 300);
  }
  EXPECT_TRUE(host.Lines().isEmpty());

  struct Query {
    int plan, channel;
    char band;
    bool ok;
    const char* name;
    float mhz;
    const char* commands[3];
  } queries[] = {
      {2, 0, 'T', true, "C21 ", 160.1f, {"SY00", "", ""}},  // one command field for a terrestrial plan
      {2, 1, 'T', false, "LOW ", 48.25f, {"SY36", "", ""}},
      {2, 2, 'T', true, "E45 ", 45.0f, {"", "", ""}},
      {2, 3, 'T', true, "TOP ", 862.0f, {"", "", ""}},
      {5, 0, 'S', false, "S0  ", 1500.0f, {"LB5", "SY07", "SOB"}},
      {5, 1, 'S', true, "S1  ", 900.0f, {"LB1", "UN1", "ME4"}},
      {5, 2, 'S', true, "S2  ", 2150.0f, {"SY36", "", ""}},
  };
  for (const Query& q : queries) {
    SCOPED_TRACE(testing::Message() << q.plan << "/" << q.channel);
    sim->ClearTraffic();
    TChan2 chan;
    EXPECT_EQ(equip->ReadChannelInfo(q.channel, q.plan, chan, q.band), q.ok);
    EXPECT_STREQ(chan.name, q.name);
    EXPECT_FLOAT_EQ(chan.frequency, q.mhz);
    for (int i = 0; i < 3; ++i) EXPECT_STREQ(chan.commands[i], q.commands[i]) << i;
    Settle();
    char sent[16];
    std::snprintf(sent, sizeof sent, "*?CI%02X%02X", q.channel, q.plan);
    EXPECT_EQ(sim->Lines(), std::vector<std::string>{sent});
  }

  // "!!" and a reply too short for a channel leave the record as it was; a word that is no number
  // reads as 0 and so as the fallback.
  Profile([](cvsim::Corvane2Profile& p) {
    p.fixedReplies["*?CI0402"] = "*CI!!";
    p.fixedReplies["*?CI0502"] = "*CIC0002A7";
    p.fixedReplies["*?CI0602"] = "*CIBADXZZZ0000,SY00";
  });
  TChan2 kept = cv::cv2::ChanFromWord("KEEP", 0x0F8C, 8, 'T');
  EXPECT_FALSE(equip->ReadChannelInfo(4, 2, kept, 'T'));
  EXPECT_FALSE(equip->ReadChannelInfo(5, 2, kept, 'T'));
  EXPECT_STREQ(kept.name, "KEEP");
  EXPECT_FLOAT_EQ(kept.frequency, 160.1f);
  EXPECT_FALSE(equip->ReadChannelInfo(6, 2, kept, 'T'));
  EXPECT_STREQ(kept.name, "BADX");
  EXPECT_FLOAT_EQ(kept.frequency, 48.25f);

  // A refused tuning logs its line and still waits.
  sim->UpdateFaults([](cvsim::Faults& f) { f.refuseAll = true; });
  sim->ClearTraffic();
  clock.pumpedMs = 0;
  EXPECT_FALSE(equip->TuneFrequency(1200.0f, 400));
  EXPECT_EQ(clock.pumpedMs, 400);
  EXPECT_EQ(host.Lines(), QStringList{"Error when sending Frequency"});
  Settle();
  EXPECT_EQ(sim->Lines(), std::vector<std::string>{"*FRS347c"});
}

TEST_F(Cv2Equip, InstalledOptionsFromTheIdReply) {
  cv::RecordingPrompter prompter;
  {
    // No port: false at once, nothing sent, the record as it was.
    sim->ClearTraffic();
    auto offline = Make(nullptr);
    InstalledOptions options;
    std::memset(options.flags, 7, sizeof options.flags);
    EXPECT_FALSE(offline->ReadInstalledOptions(options));
    Settle();
    EXPECT_EQ(sim->Received(), "");
    for (uint8_t f : options.flags) EXPECT_EQ(f, 7);
    EXPECT_TRUE(prompter.shown.empty());
  }
  auto equip = Make(&port);
  ASSERT_NO_FATAL_FAILURE(SettleAndOpen());
  ASSERT_NO_FATAL_FAILURE(SettleAfterWakeLine());  // past the wake line of the opening
  const int bits[InstalledOptions::kFlags] = {20, 19, 18, 17, 16, 8, 7, 6, 5, 4, 2, 1, 0};
  struct Row {
    uint32_t word;
    int flag;  // the one flag set; -1 none
  } rows[] = {
      {1u << 20, 0}, {1u << 19, 1}, {1u << 18, 2}, {1u << 17, 3}, {1u << 16, 4}, {1u << 8, 5}, {1u << 7, 6},
      {1u << 6, 7},  {1u << 5, 8},  {1u << 4, 9},  {1u << 2, 10}, {1u << 1, 11}, {1u, 12},
      // The unused bits set nothing.
      {(1u << 3) | 0xFE00u | 0xFFE00000u, -1}, {0, -1},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(testing::Message() << std::hex << r.word);
    if (r.flag >= 0) {
      ASSERT_EQ(1u << bits[r.flag], r.word);
    }
    Profile([&](cvsim::Corvane2Profile& p) { p.optionWord = r.word; });
    sim->ClearTraffic();
    InstalledOptions options;
    std::memset(options.flags, 7, sizeof options.flags);
    EXPECT_TRUE(equip->ReadInstalledOptions(options));
    for (int flag = 0; flag < InstalledOptions::kFlags; ++flag) EXPECT_EQ(options.flags[flag], flag == r.flag) << flag;
    Settle();
    EXPECT_EQ(sim->Lines(), (std::vector<std::string>{"*7205&", "*?ID"}));
  }
  EXPECT_TRUE(prompter.shown.empty());

  // The delivered meter: both bands, channels below 45 MHz, BER COFDM.
  Profile([](cvsim::Corvane2Profile& p) { p.optionWord = cvsim::Corvane2Profile::kDefaultOptions; });
  InstalledOptions options;
  EXPECT_TRUE(equip->ReadInstalledOptions(options));
  for (int flag : {InstalledOptions::kBerCofdm, InstalledOptions::kBelow45MHz, InstalledOptions::kTerrestrialBand,
                   InstalledOptions::kSatelliteBand})
    EXPECT_TRUE(options.Has(flag)) << flag;

  // A refused access code does not stop the query.
  Profile([](cvsim::Corvane2Profile& p) { p.refused = {"*7205&"}; });
  EXPECT_TRUE(equip->ReadInstalledOptions(options));
  Profile([](cvsim::Corvane2Profile& p) { p.refused.clear(); });

  // No reply: the box, false, the record as it was.
  Profile([](cvsim::Corvane2Profile& p) { p.idSilent = true; });
  EXPECT_FALSE(equip->ReadInstalledOptions(options));
  ASSERT_EQ(prompter.shown.size(), 1u);
  EXPECT_EQ(prompter.shown[0].text, "Equipment not detected!");
  EXPECT_EQ(prompter.shown[0].caption, "Error");
  EXPECT_EQ(prompter.shown[0].icon, cv::MsgIcon::Warning);
  EXPECT_TRUE(options.Has(InstalledOptions::kSatelliteBand));
  // The meter that swallowed the query is ready again.
  Profile([](cvsim::Corvane2Profile& p) { p.idSilent = false; });
  sim->SendXon();
  Settle();

  // A reply with no number at its seventh character, or too short to hold one: every flag false.
  for (const char* reply : {"*ID010ZZ", "*ID01", "*ID010", "*ID010 -1", "*ID010\t"}) {
    SCOPED_TRACE(reply);
    Profile([&](cvsim::Corvane2Profile& p) { p.fixedReplies["*?ID"] = reply; });
    std::memset(options.flags, 7, sizeof options.flags);
    EXPECT_TRUE(equip->ReadInstalledOptions(options));
    for (uint8_t f : options.flags) EXPECT_EQ(f, 0);
  }
}

TEST(Cv2Values, CodeTablesAndFamilyTexts) {
  // Every code a list position sends has its row in the command table, by mnemonic.
  const cv::dv8::CommandLookups& t = cv::cv2::kCv2Lookups;
  const char* measures[] = {"*ME0", "*ME1", "*ME2", "*ME3", "*ME4", "*ME6", "*ME7"};
  for (int i = 0; i < 7; ++i) {
    EXPECT_EQ(cv::cv2::MeasureCommand(i), measures[i]);
    EXPECT_NE(t.IndexOfMnemonic(cv::cv2::MeasureCommand(i).substr(1)), cv::cv2::kNoCommand) << i;
  }
  const char* standards[] = {"*SY00", "*SY01", "*SY02", "*SY07", "*SY36"};
  for (int i = 0; i < 5; ++i) {
    EXPECT_EQ(cv::cv2::StandardCommand(i), standards[i]);
    EXPECT_NE(t.IndexOfMnemonic(cv::cv2::StandardCommand(i).substr(1)), cv::cv2::kNoCommand) << i;
  }
  std::string sounds;
  for (int code : cv::cv2::soundCodes) sounds += cv::cv2::SoundCodeChar(code);
  EXPECT_EQ(sounds, "012346789BCDEFGH");
  EXPECT_EQ(cv::cv2::SoundCodeChar(17), 'H');
  EXPECT_EQ(cv::cv2::SoundCodeChar(10), 'A');
  EXPECT_EQ(cv::cv2::SoundCodeChar(18), '0');
  EXPECT_EQ(cv::cv2::SoundCodeChar(-1), '0');

  EXPECT_TRUE(TCv2Equip::CheckNotLogging());
  EXPECT_EQ(TCv2Equip::FoldTypeCode('9'), '4');
  EXPECT_EQ(TCv2Equip::FoldTypeCode('F'), '8');

  HostForm host;
  std::unique_ptr<TCv2Equip> e(TCv3Equip::Build<TCv2Equip>(&host.form, nullptr));
  EXPECT_STREQ(e->VersionText(), "Cv2Tools 1.14");
  EXPECT_STREQ(TCv2Equip::GetVersionText(), "Cv2Tools 1.14");
  EXPECT_EQ(e->HelpFile(), "help\\Cv2Tools.hlp");
  EXPECT_EQ(e->FieldCount(), 24);
  EXPECT_EQ(&e->Commands(), &cv::cv2::kCommands2);
  EXPECT_FALSE(e->GetStartDir().empty());
  EXPECT_STREQ(e->HelpTopicName(HelpTopic::ChannelEditor), "Channel Editor");
  // Nothing for the slots the family keeps as the base's.
  EXPECT_FALSE(e->RunDataLogger());
  EXPECT_FALSE(e->RunChannelIdentifier());
  EXPECT_TRUE(host.Lines().isEmpty());
}
