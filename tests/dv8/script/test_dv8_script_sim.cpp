// Scripts run by the DV-800 equipment object against the simulated meter on a fake clock: the
// dialect's cases as golden transcripts, the statements that fail before sending, and a plan
// script from the DV-800 writer run into the meter's plan memory and read back.
#include <gtest/gtest.h>

#include <QFile>
#include <QPlainTextEdit>
#include <chrono>
#include <regex>
#include <thread>

#include "../plans/Dv8PlanRig.h"
#include "ChanDV8.h"
#include "Commands8.h"
#include "Clock.h"
#include "Dv8Equip.h"
#include "Dv8Sim.h"
#include "HostForm.h"
#include "Loggerform.h"

using cv::dv8::TDV8Equip;

namespace {

struct Dv8SimScript : ::testing::Test, Dv8Sim {
  void SetUp() override {
    ASSERT_NO_FATAL_FAILURE(StartSim());
    equip.reset(TCv3Equip::Build<TDV8Equip>(&host.form, &port));
    equip->clock = &clock;
    ASSERT_NO_FATAL_FAILURE(SettleAndOpen());
    ASSERT_NO_FATAL_FAILURE(SettleAfterWakeLine());  // past the wake line of the opening
    saved = QDir::currentPath();
    QDir::setCurrent(dir.path());  // SENDHEX's file and "LogZone.log" in the scratch directory
  }
  void TearDown() override {
    QDir::setCurrent(saved);
    port.Close();
  }
  std::string Write(const std::string& name, const std::string& text) const {
    const std::string path = (dir.path() + "/").toStdString() + name;
    std::ofstream(path, std::ios::binary) << text;
    return path;
  }
  // The transcript (dates and times masked), then the lines the meter took and the log zone.
  std::string Record(const std::string& logName, const TLogForm& form) {
    std::string text = dv8test::ReadAll((dir.path() + "/").toStdString() + logName);
    text = std::regex_replace(text, std::regex("(# (Start|End): ).*"), "$1<date>");
    Settle();
    text += "--- meter\n";
    for (const auto& l : sim->Lines()) text += l + "\n";
    text += "--- log zone\n" + form.LogZone->toPlainText().toStdString() + "\n";
    const std::string d = dir.path().toStdString();
    for (size_t p; (p = text.find(d)) != std::string::npos;) text.replace(p, d.size(), "<dir>");
    return text;
  }

  QTemporaryDir dir;
  QString saved;
  HostForm host;
  cv::FakeClock clock;
  std::unique_ptr<TDV8Equip> equip;
};

TEST_F(Dv8SimScript, DialectGoldenRuns) {
  struct Case {
    const char* golden;
    bool blank;  // the version reply's blank
    const char* script;
  } cases[] = {
      {"dialect_run.golden", true, R"(# IFVER2 reads the version after the first blank
ifver2 (>, 1.10)
ENDIF
IFVER2 (<, 1.00)
IFVER2 (>, 1.00)
SEND *SKIPPED
ENDIF
ENDIF
ORG (0x0000)
DIRECTORY3 (40)
LOG no
WAIT 20
LOG YES
FSTEP (0.05)
IFVAL (38.9)
FSTEPS (0.125)
IFVALS (479.5)
DATAL3 (1)
ADJ (1, 2, 3, 4, 5)
IFVER2 (!, 1.00)
SEND *NEVER
)"},
      {"dialect_noblank.golden", false, R"(# no blank in the reply: version 0
IFVER2 (<, 1.00)
ENDIF
IF B300 = 0x1
SEND *NEVER
)"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.golden);
    Profile([&](cvsim::Dv8Profile& p) {
      p.version = "1.14";
      p.versionBlank = c.blank;
    });
    sim->ClearTraffic();
    clock.pumpedMs = 0;
    TLogForm form;
    EXPECT_FALSE(equip->RunScript(Write("RUN.PRO", c.script), &form));
    dv8test::ExpectGolden(Record("RUN.LOG", form), c.golden);
  }
}

TEST_F(Dv8SimScript, WaitIsHeldTo15Seconds) {
  TLogForm form;
  clock.pumpedMs = 0;
  ASSERT_TRUE(equip->RunScript(Write("W.PRO", "WAIT 20\n"), &form));
  EXPECT_EQ(clock.pumpedMs, 15000);
  EXPECT_TRUE(form.LogZone->toPlainText().contains("Waiting 20 seconds..."));
}

TEST_F(Dv8SimScript, SatelliteChannelsTakeThePlainDifference) {
  const std::string header = "ORG (0x0400)\nPLAN (1)\nHEADER3 (C, 0x0400, 1, 5, 5150.0, 0, 0xFFFF, 0xFFFF, 0xFFFF)\n"
                             "PLAN (1)\n";
  struct Case {
    const char* channel;
    bool ok;
    const char* record;  // the channel's record, nullptr none sent
  } cases[] = {
      // 6100 - 5150 = 950 MHz: (950 + 479.5) x 8 = 11436 = 0x2CAC.
      {"CHAN3S (0, C1, 6100.00, 0xFFFF, 0xFFFF, 0xFFFF)", true, "*FL:0804120020204331AC2CAC2C"},
      // Below the oscillator the difference is negative: no word, nothing sent.
      {"CHAN3S (0, C1, 4000.00, 0xFFFF, 0xFFFF, 0xFFFF)", false, nullptr},
      // A name of fewer than four characters is right-aligned; a byte above 127 stays that byte.
      {"CHAN3S (0, \xC9, 6100.00, 0xFFFF, 0xFFFF, 0xFFFF)", true, "*FL:08041200202020C9AC2CAC2C"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.channel);
    sim->ClearTraffic();
    TLogForm form;
    EXPECT_EQ(equip->RunScript(Write("S.PRO", header + c.channel + "\n"), &form), c.ok);
    Settle();
    const std::vector<std::string> lines = sim->Lines();
    ASSERT_FALSE(lines.empty());
    const std::string& last = lines.back();
    if (c.record) {
      bool found = false;
      for (const auto& l : lines) found = found || l.rfind(c.record, 0) == 0;
      EXPECT_TRUE(found) << c.record;
    } else {
      // The header's words and their end were the last records sent.
      EXPECT_EQ(last.rfind("*FL:02", 0), 0u) << last;
      EXPECT_TRUE(form.LogZone->toPlainText().contains("CHAN3S (0, C1, 4000.00, 0xFFFF, 0xFFFF, 0xFFFF) -> ERROR"));
    }
  }
}

TEST_F(Dv8SimScript, GeneratedScriptProgramsThePlanMemory) {
  ASSERT_TRUE(QFile::copy(QString(CV_TEST_DATA_DIR) + "/plans/update.hex", dir.filePath("update.hex")));
  dv8test::Dv8EditorRig rig;  // writes in a directory of its own
  rig.editor.planSlots = dv8test::GoldenPlans();
  const std::string path = (dir.path() + "/").toStdString() + "PLANS.PRO";
  ASSERT_TRUE(cv::dv8::WritePlanScript(rig.editor, path));
  QDir::setCurrent(dir.path());
  // The meter names a channel's commands by their offsets in the list the script wrote.
  Profile([](cvsim::Dv8Profile& p) {
    p.flash.commandName = [](uint16_t offset) { return std::string(cv::dv8::kDv8Lookups.MnemonicOfPlanOffset(offset)); };
  });
  TLogForm form;
  ASSERT_TRUE(equip->RunScript(path, &form)) << form.LogZone->toPlainText().toStdString();
  // The power-on lines go out without a handshake: the meter may take them after the run ends.
  bool started = false;
  for (auto end = std::chrono::steady_clock::now() + std::chrono::seconds(5);
       !started && std::chrono::steady_clock::now() < end; std::this_thread::sleep_for(std::chrono::milliseconds(10)))
    Profile([&](cvsim::Dv8Profile& p) { started = p.loaderState == cvsim::Corvane3Profile::LoaderState::Main; });
  EXPECT_TRUE(started);
  Profile([](cvsim::Dv8Profile& p) {
    EXPECT_GT(p.hexLines, 0);
    EXPECT_EQ(p.flash.recordsElsewhere, 0);
  });
  const PlanSlots written = dv8test::GoldenPlans();
  int plan = 0;
  for (const PlanSlot& w : written) {
    if (!w.HoldsPlan()) continue;
    SCOPED_TRACE(w.name);
    PlanInfo info;
    ASSERT_TRUE(equip->ReadPlanInfo(plan, info));
    EXPECT_EQ(std::string(info.name), FixWidth(w.name, 8));
    EXPECT_EQ(info.band, w.band);
    EXPECT_EQ(info.channelCount, static_cast<int>(w.Channels().size()));
    EXPECT_FLOAT_EQ(info.lnbMHz, w.lnbMHz);
    EXPECT_EQ(info.code, w.code);
    for (size_t i = 0; i < w.Channels().size(); ++i) {
      TChan3 chan;
      ASSERT_TRUE(equip->ReadChannelInfo(static_cast<int>(i), plan, chan, w.band)) << i;
      EXPECT_EQ(chan.word, w.Channels()[i].word) << i;
      for (int k = 0; k < 3; ++k) EXPECT_EQ(std::string(chan.commands[k]), w.Channels()[i].commands[k]) << i;
    }
    ++plan;
  }
  PlanInfo none;
  EXPECT_FALSE(equip->ReadPlanInfo(plan, none));
}

}  // namespace
