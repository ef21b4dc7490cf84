// The CORVANE-3 equipment object against the simulator over a pseudo-terminal.
#include <gtest/gtest.h>

#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <chrono>
#include <thread>

#include "Clock.h"
#include "Cv3Equip.h"
#include "HostForm.h"
#include "SimOnCom1.h"

namespace {

using namespace std::chrono_literals;

// Records whether the port was open while each tool's dialog would run.
class TRecordingCv3Equip : public TCv3Equip {
 public:
  using TCv3Equip::TCv3Equip;
  std::vector<std::pair<Tool, bool>> shown;

 protected:
  void ShowTool(Tool tool) override { shown.push_back({tool, port && port->IsOpen()}); }
};

class Cv3Sim : public ::testing::Test, public SimOnCom1 {
 protected:
  void SetUp() override {
    ASSERT_NO_FATAL_FAILURE(StartSim());
    Settle();
  }

  std::unique_ptr<TRecordingCv3Equip> Make(TSerial* withPort) {
    auto e = std::make_unique<TRecordingCv3Equip>(&host.form, withPort);
    e->clock = &clock;
    return e;
  }

  HostForm host;
  cv::FakeClock clock;
};

}  // namespace

TEST_F(Cv3Sim, IdentificationSetsTheModelVariantFromTheTunerProbe) {
  struct Row {
    const char* name;
    std::string tunerReply;  // empty: the probe is refused
    bool refuseAccess;
    int variant;
    QStringList log;
  } rows[] = {
      {"terrestrial tuner", "*I2010000", false, 5, {"Checking tuners"}},
      {"lower case, cut after 7", "*i2010f0ff", false, 5, {"Checking tuners"}},
      {"no terrestrial tuner", "*I201FF00", false, 4, {"Checking tuners"}},
      {"02 in characters 4 and 5", "*I2020000", false, 4,
       {"Checking tuners", "Impossible to know if TER frequencies are allowed"}},
      {"short reply", "*I2", false, 4, {"Checking tuners", "Impossible to know if TER frequencies are allowed"}},
      {"bad answer", "*XY0100", false, 4, {"Checking tuners", "Bad answer when asking for TER tuner: ", "*XY0100"}},
      {"probe refused", "", false, 4, {"Tx error when asking for TER tuner"}},
      {"access code refused", "*I2010000", true, 4, {"Error when going to protected mode"}},
  };
  for (const Row& r : rows) {
    Profile([&](cvsim::Corvane3Profile& p) {
      p.tunerReply = r.tunerReply;
      if (r.tunerReply.empty())
        p.On("*?I20A0106A002", [](const std::string&) { return cvsim::Answer::Nak(); });
      else
        p.On("*?I20A0106A002", [&p](const std::string&) { return cvsim::Answer::Reply(p.tunerReply); });
      if (r.refuseAccess)
        p.On("*7205&", [](const std::string&) { return cvsim::Answer::Nak(); });
      else
        p.On("*7205&", [](const std::string&) { return cvsim::Answer::Ok(); });
    });
    Settle();
    sim->ClearTraffic();
    host.Clear();
    auto equip = Make(&port);
    EXPECT_EQ(equip->GetModelVariant(), r.variant) << r.name;
    EXPECT_STREQ(equip->modelName, "CORVANE-3") << r.name;
    EXPECT_EQ(host.Lines(), r.log) << r.name;
    EXPECT_FALSE(port.IsOpen()) << r.name;
    std::vector<std::string> expected = {"*", "*", "*7205&"};
    if (!r.refuseAccess) expected.push_back("*?I20A0106A002");
    EXPECT_EQ(sim->Lines(), expected) << r.name;
  }
}

TEST_F(Cv3Sim, WithoutAnInstrumentTheVariantIsFourAndNothingIsLogged) {
  auto offline = Make(nullptr);
  EXPECT_EQ(offline->GetModelVariant(), 4);
  EXPECT_STREQ(offline->modelName, "CORVANE-3");
  QTemporaryDir dir;
  cv::SetPortPaths({{1, dir.filePath("absent").toStdString()}});
  auto unopened = Make(&port);
  EXPECT_EQ(unopened->GetModelVariant(), 4);
  EXPECT_TRUE(host.Lines().isEmpty());
}

TEST_F(Cv3Sim, TuneFrequencySendsThePllWordAndWaits) {
  auto equip = Make(&port);
  Settle();
  host.Clear();
  ASSERT_TRUE(port.OpenConfigured(19200, 8, 0, 0));
  struct Row {
    float mhz;
    const char* command;
    double tuned;
  } rows[] = {{471.25f, "*FRT27db", 471.25}, {862.0f, "*FRT4662", 862.0}, {862.1f, "*FRT4664", 862.1},
              {862.2f, "*FRS29ee", 862.25}, {1500.0f, "*FRS3ddc", 1500.0}};
  for (const Row& r : rows) {
    clock.pumpedMs = 0;
    EXPECT_EQ(TCv3Equip::TuneCommand(r.mhz), r.command);
    ASSERT_TRUE(equip->TuneFrequency(r.mhz, 1000)) << r.mhz;
    EXPECT_EQ(clock.pumpedMs, 1000);
    EXPECT_EQ(sim->Lines().back(), r.command);
    Profile([&](cvsim::Corvane3Profile& p) { EXPECT_NEAR(p.tunedMHz, r.tuned, 1e-9) << r.mhz; });
  }
  host.Clear();
  sim->UpdateFaults([](cvsim::Faults& f) { f.refuseAll = true; });
  clock.pumpedMs = 0;
  EXPECT_FALSE(equip->TuneFrequency(600.0f, 500));
  EXPECT_EQ(clock.pumpedMs, 500);  // the wait happens in either case
  EXPECT_EQ(host.Lines(), QStringList{"Error when sending Frequency"});
}

TEST_F(Cv3Sim, AskLevelPausesWithoutPumpingAndReadsTheLevelLine) {
  auto equip = Make(&port);
  Settle();
  host.Clear();
  ASSERT_TRUE(port.OpenConfigured(19200, 8, 0, 0));
  ASSERT_TRUE(equip->TuneFrequency(471.25f, 0));
  clock.sleptMs = clock.pumpedMs = 0;
  char reply[kReplyBufferSize];
  ASSERT_TRUE(equip->AskLevel(reply, 75));
  EXPECT_STREQ(reply, "*LV=+2D0");  // 72.0 dBuV at the carrier
  EXPECT_EQ(clock.sleptMs, 75);
  EXPECT_EQ(clock.pumpedMs, 0);
  ASSERT_TRUE(equip->TuneFrequency(1000.0f, 0));
  ASSERT_TRUE(equip->AskLevel(reply, 0));
  EXPECT_STREQ(reply, "*LV=+0DC");  // the 22 dBuV floor

  sim->UpdateFaults([](cvsim::Faults& f) { f.silent = true; });
  EXPECT_FALSE(equip->AskLevel(reply, 0));
  EXPECT_STREQ(reply, "");
}

TEST_F(Cv3Sim, QueryVersionChecks) {
  auto equip = Make(&port);
  Settle();
  host.Clear();
  ASSERT_TRUE(port.OpenConfigured(19200, 8, 0, 0));
  char reply[kReplyBufferSize];
  ASSERT_TRUE(equip->Query("*?NA", reply));
  EXPECT_STREQ(reply, "*NA CORVANE 3");
  EXPECT_TRUE(equip->CheckVersion());
  float version = 0;
  ASSERT_TRUE(equip->ReadVersion(version));
  EXPECT_FLOAT_EQ(version, 2.1f);

  Profile([](cvsim::Corvane3Profile& p) { p.version = "2.10"; });  // no 'V' after "*VE"
  EXPECT_FALSE(equip->ReadVersion(version));
  Profile([](cvsim::Corvane3Profile& p) { p.On("*?VE", [](const std::string&) { return cvsim::Answer::Reply("*XX v1"); }); });
  EXPECT_FALSE(equip->CheckVersion());
  EXPECT_TRUE(host.Lines().isEmpty());

  sim->UpdateFaults([](cvsim::Faults& f) { f.silent = true; });
  EXPECT_FALSE(equip->ReadVersion(version));
  EXPECT_EQ(host.Lines(), QStringList{"Equipment not detected!"});
  EXPECT_FALSE(equip->SendCommand("*ME0"));
}

TEST_F(Cv3Sim, CommandLayerWithoutAPortFailsCleanly) {
  auto equip = Make(nullptr);
  char reply[kReplyBufferSize] = "old";
  EXPECT_FALSE(equip->SendCommand("*ME0"));
  EXPECT_FALSE(equip->Query("*?VE", reply));
  EXPECT_STREQ(reply, "");
  EXPECT_FALSE(equip->AskLevel(reply, 10));
  EXPECT_FALSE(equip->CheckVersion());
}

TEST_F(Cv3Sim, LaunchersLogTheirLinesWithAndWithoutAPort) {
  using Run = bool (TCv3Equip::*)();
  struct Row {
    const char* name;
    Run run;
    QStringList withPort;
    const char* portError;
    QStringList offline;  // empty: refused offline
    const char* refusal;
  } rows[] = {
      {"channel editor", &TCv3Equip::RunChannelEditor, {"Executing Channel Editor", "Channel Editor closed. Ready"},
       "Channel Editor Error:Unable to open port",
       {"Executing Channel Editor (without equipment)", "Channel Editor closed. Ready"}, nullptr},
      {"memory editor", &TCv3Equip::RunMemoryEditor, {"Executing Memory Editor", "Memory Editor closed. Ready"},
       "Memory Editor Error:Unable to open port",
       {"Executing Memory Editor (without equipment)", "Memory Editor closed. Ready"}, nullptr},
      {"data logger", &TCv3Equip::RunDataLogger, {"Executing DataLogger"}, "DataLogger Error:Unable to open port", {},
       "Impossible to run DataLogger without equipment"},
      {"monitor", &TCv3Equip::RunMonitor, {"Executing Remote Monitor", "Remote Monitor closed. Ready"},
       "Remote Monitor Error: Unable to open port", {}, "Impossible to run Monitor without equipment"},
      {"spectrum", &TCv3Equip::RunSpectrum, {"Executing Spectrum Analyser", "Spectrum Analyser closed. Ready"},
       "RunSpectrum Error:Unable to open port", {}, "Impossible to run Spectrum Analyser without equipment"},
      {"configuration", &TCv3Equip::RunConfiguration,
       {"Executing Equipment Configuration", "Equipment Configuration closed. Ready"},
       "Equipment Configuration Error:Unable to open port", {}, "Impossible to run Configuration without equipment"},
      {"update firmware", &TCv3Equip::RunUpdateFirmware, {"Executing Update Firmware", "Update Firmware closed. Ready"},
       "Update Firmware Error:Unable to open port", {}, "Impossible to run Update Firmware without equipment"},
  };
  auto online = Make(&port);
  auto offline = Make(nullptr);
  QTemporaryDir dir;
  for (const Row& r : rows) {
    cv::SetPortPaths({{1, sim->Path()}});
    Settle();
    host.Clear();
    online->shown.clear();
    EXPECT_TRUE((online.get()->*r.run)()) << r.name;
    EXPECT_EQ(host.Lines(), r.withPort) << r.name;
    ASSERT_EQ(online->shown.size(), 1u) << r.name;
    EXPECT_TRUE(online->shown[0].second) << r.name << ": the port is open while the tool runs";
    EXPECT_FALSE(port.IsOpen()) << r.name;

    host.Clear();
    offline->shown.clear();
    EXPECT_EQ((offline.get()->*r.run)(), r.refusal == nullptr) << r.name;
    EXPECT_EQ(host.Lines(), r.refusal ? QStringList{r.refusal} : r.offline) << r.name;
    EXPECT_EQ(offline->shown.size(), r.refusal ? 0u : 1u) << r.name;

    cv::SetPortPaths({{1, dir.filePath("absent").toStdString()}});
    host.Clear();
    online->shown.clear();
    EXPECT_FALSE((online.get()->*r.run)()) << r.name;
    EXPECT_EQ(host.Lines(), QStringList{r.portError}) << r.name;
    EXPECT_TRUE(online->shown.empty()) << r.name;
  }
}

TEST(Cv3Capabilities, FivePortToolsNeedAPort) {
  TSerial port(0);
  QTemporaryDir dir;
  cv::SetPortPaths({{1, dir.filePath("absent").toStdString()}});
  TCv3Equip online(nullptr, &port), offline(nullptr, nullptr);
  cv::SetPortPaths({});
  for (TCv3Equip* e : {&online, &offline}) {
    bool p = e == &online;
    EXPECT_TRUE(e->HasChannelEditor());
    EXPECT_TRUE(e->HasMemoryEditor());
    EXPECT_EQ(e->HasDataLogger(), p);
    EXPECT_EQ(e->HasMonitor(), p);
    EXPECT_EQ(e->HasSpectrum(), p);
    EXPECT_EQ(e->HasConfiguration(), p);
    EXPECT_EQ(e->HasUpdateFirmware(), p);
    EXPECT_FALSE(e->HasChannelIdentifier());
    EXPECT_FALSE(e->RunChannelIdentifier());
  }
  EXPECT_STREQ(TCv3Equip::GetVersionText(), "Cv3Tools 1.22");
}

TEST(Cv3Text, SplitFieldsByListSeparatorWithTwelveCharacterFields) {
  TCv3Equip e(nullptr, nullptr);
  ASSERT_TRUE(e.SplitFields("ABCDEFGHIJKLMN;second"));
  EXPECT_STREQ(e.fields[0], "ABCDEFGHIJKL");
  EXPECT_STREQ(e.fields[1], "");
  ASSERT_TRUE(e.SplitFields("C21;471,25;;8"));
  EXPECT_STREQ(e.fields[0], "C21");
  EXPECT_STREQ(e.fields[1], "471.25");  // decimal comma turned into a point
  EXPECT_STREQ(e.fields[2], "");
  EXPECT_STREQ(e.fields[3], "8");
  EXPECT_FALSE(e.SplitFields(";;;"));
  EXPECT_FALSE(e.SplitFields(""));
  std::string many;
  for (int i = 0; i < 40; ++i) many += std::to_string(i) + ";";
  ASSERT_TRUE(e.SplitFields(many.c_str()));  // fields past the 24th are dropped
  EXPECT_STREQ(e.fields[23], "23");
  // The owner pointer lies just past the field table: a 25th field written there would show.
  static_assert(sizeof e.fields % alignof(QWidget*) == 0);
  EXPECT_EQ(e.GetOwner(), nullptr);
}

TEST(Cv3Text, SmallTextUtilities) {
  EXPECT_EQ(TCv3Equip::FixWidth("  AB CD", 6), "  AB  ");
  EXPECT_EQ(TCv3Equip::FixWidth("   ", 6), "--");
  EXPECT_EQ(TCv3Equip::FixWidth("", 3), "--");
  EXPECT_EQ(TCv3Equip::FixWidth("ABCDEFGH", 4), "ABCD");
  const char in[] = "123456789ABCDEFGZ";
  const char out[] = "12345678445666800";
  for (size_t i = 0; i + 1 < sizeof in; ++i) EXPECT_EQ(TCv3Equip::FoldTypeCode(in[i]), out[i]) << in[i];
  EXPECT_EQ(TCv3Equip::GetFileName("C:\\plans\\tv.pro"), "tv.pro");
  EXPECT_EQ(TCv3Equip::GetFileName("/home/tech/plans/tv.pro"), "tv.pro");
  EXPECT_EQ(TCv3Equip::GetFileExt("/home/t.x/plan.html"), ".HTM");
  EXPECT_EQ(TCv3Equip::GetFileExt("/home/t.x/plan"), "");
  EXPECT_FLOAT_EQ(TCv3Equip::IFToFreq(9750.0f, 1200.0f), 10950.0f);
  EXPECT_FLOAT_EQ(TCv3Equip::IFToFreq(5150.0f, 1200.0f), 3950.0f);
  EXPECT_FLOAT_EQ(TCv3Equip::FreqToIF(5150.0f, 3950.0f), 1200.0f);
  EXPECT_FLOAT_EQ(TCv3Equip::FreqToIF(9750.0f, 10950.0f), 1200.0f);
}
