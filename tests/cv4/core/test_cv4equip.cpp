// The CORVANE-4 equipment object against the simulated meter over a pseudo-terminal.
#include <gtest/gtest.h>

#include <QDialog>

#include "Chan4.h"
#include "Commands4.h"
#include "Clock.h"
#include "Cv4Equip.h"
#include "Cv4Sim.h"
#include "HostForm.h"
#include "PortMap.h"

using cv::cv4::TCv4Equip;
using cv::cv4::TChan4;

namespace {

// Records, when a tool's dialog is made, what the log holds and whether the port is open; makes
// no dialog, so the launchers' lines are checked apart from any modal dialog a tool has.
class TRecordingCv4Equip : public TCv4Equip {
 public:
  using TCv4Equip::TCv4Equip;
  struct Made {
    QStringList logSoFar;
    bool portOpen;
  };
  std::vector<Made> made;
  HostForm* host = nullptr;

 protected:
  std::unique_ptr<QDialog> MakeToolDialog(Tool) override {
    made.push_back({host->Lines(), port && port->IsOpen()});
    return nullptr;  // every tool stubbed, the plan editor the plug-in carries among them
  }
};

class Cv4Equip : public ::testing::Test, public Cv4Sim {
 protected:
  void SetUp() override {
    ASSERT_NO_FATAL_FAILURE(StartSim());
    Settle();
  }

  std::unique_ptr<TRecordingCv4Equip> Make(TSerial* withPort) {
    std::unique_ptr<TRecordingCv4Equip> e(TCv3Equip::Build<TRecordingCv4Equip>(&host.form, withPort));
    e->clock = &clock;
    e->host = &host;
    return e;
  }

  HostForm host;
  cv::FakeClock clock;
};

}  // namespace

TEST_F(Cv4Equip, IdentifiesWithoutTalkingAndOffersTheToolsItsPortAllows) {
  for (TSerial* p : {static_cast<TSerial*>(nullptr), &port}) {
    SCOPED_TRACE(p ? "with a port" : "without a port");
    sim->ClearTraffic();
    auto equip = Make(p);
    EXPECT_STREQ(equip->modelName, "CORVANE-4");
    EXPECT_TRUE(equip->HasChannelEditor());
    EXPECT_TRUE(equip->HasMemoryEditor());
    const bool withPort = p != nullptr;
    EXPECT_EQ(equip->HasDataLogger(), withPort);
    EXPECT_EQ(equip->HasMonitor(), withPort);
    EXPECT_EQ(equip->HasSpectrum(), withPort);
    EXPECT_EQ(equip->HasConfiguration(), withPort);
    EXPECT_EQ(equip->HasUpdateFirmware(), withPort);
    EXPECT_FALSE(equip->HasChannelIdentifier());
    EXPECT_FALSE(equip->RunChannelIdentifier());
    Settle();
    EXPECT_TRUE(sim->Lines().empty()) << sim->Received();
    EXPECT_FALSE(port.IsOpen());
  }
}

TEST_F(Cv4Equip, LaunchersLogTheirLinesInOrderAndLeaveThePortClosed) {
  using Run = bool (TCv4Equip::*)();
  struct Row {
    const char* tool;
    Run run;
    bool editor;
    QStringList offline;     // no port
    QString portError;       // the port will not open
    QStringList normal;      // start and end lines of a run
  } rows[] = {
      {"channel editor", &TCv4Equip::RunChannelEditor, true,
       {"Executing Channel Editor (without equipment)", "Channel Editor closed. Ready"},
       "Channel Editor Error:Unable to open port", {"Executing Channel Editor", "Channel Editor closed. Ready"}},
      {"memory editor", &TCv4Equip::RunMemoryEditor, true,
       {"Executing Memory Editor (without equipment)", "Memory Editor closed. Ready"},
       "Memory Editor Error:Unable to open port", {"Executing Memory Editor", "Memory Editor closed. Ready"}},
      {"data logger", &TCv4Equip::RunDataLogger, false, {"Impossible to run DataLogger without equipment"},
       "DataLogger Error:Unable to open port", {"Executing DataLogger"}},
      {"monitor", &TCv4Equip::RunMonitor, false, {"Impossible to run Monitor without equipment"},
       "Remote Monitor Error: Unable to open port", {"Executing Remote Monitor", "Remote Monitor closed. Ready"}},
      {"spectrum", &TCv4Equip::RunSpectrum, false, {"Impossible to run Spectrum Analyser without equipment"},
       "RunSpectrum Error:Unable to open port", {"Executing Spectrum Analyser", "Spectrum Analyser closed. Ready"}},
      {"configuration", &TCv4Equip::RunConfiguration, false,
       {"Impossible to run Configuration without equipment"}, "Equipment Configuration Error:Unable to open port",
       {"Executing Equipment Configuration", "Equipment Configuration closed. Ready"}},
      {"firmware update", &TCv4Equip::RunUpdateFirmware, false,
       {"Impossible to run Update Firmware without equipment"}, "Update Firmware Error:Unable to open port",
       {"Executing Update Firmware", "Update Firmware closed. Ready"}},
  };
  TSerial deadPort{5};
  cv::SetPortPaths({{1, sim->Path()}, {6, "/nonexistent/cv4-port"}});
  for (const Row& r : rows) {
    SCOPED_TRACE(r.tool);
    {
      host.Clear();
      auto equip = Make(nullptr);
      EXPECT_EQ((equip.get()->*r.run)(), r.editor);
      EXPECT_EQ(host.Lines(), r.offline);
      // An editor runs without the instrument; the tools that need it make no dialog.
      EXPECT_EQ(equip->made.size(), r.editor ? 1u : 0u);
    }
    {
      host.Clear();
      auto equip = Make(&deadPort);
      EXPECT_FALSE((equip.get()->*r.run)());
      EXPECT_EQ(host.Lines(), QStringList{r.portError});
      EXPECT_TRUE(equip->made.empty());
    }
    {
      host.Clear();
      auto equip = Make(&port);
      EXPECT_TRUE((equip.get()->*r.run)());
      EXPECT_EQ(host.Lines(), r.normal);
      ASSERT_EQ(equip->made.size(), 1u);
      EXPECT_TRUE(equip->made[0].portOpen);
      // Editors log their start line before the dialog exists, the other tools after.
      EXPECT_EQ(equip->made[0].logSoFar, r.editor ? QStringList{r.normal[0]} : QStringList{});
      EXPECT_FALSE(port.IsOpen());
    }
  }
  // Opening the port wakes the meter with "*"; the stubbed tools send nothing more.
  Settle();
  for (const std::string& line : sim->Lines()) EXPECT_EQ(line, "*");
}

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
