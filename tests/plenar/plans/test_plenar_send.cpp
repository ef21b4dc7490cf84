// A 40-plan CORVANE-PLENAR canalization of all three bands, its sent script run through the
// equipment's script runner into the simulated meter over a pseudo-terminal, and read back plan
// by plan with "*?JI" and "*?CI".
#include <gtest/gtest.h>

#include <QFile>
#include <QPlainTextEdit>
#include <chrono>
#include <thread>

#include "ChanPlen.h"
#include "Commandsplen.h"
#include "PlenEquip.h"
#include "PlenPlanScript.h"
#include "FortyPlans.h"
#include "PacedClock.h"
#include "PlenarSim.h"
#include "StartDir.h"

using namespace std::chrono_literals;
using cv::plenar::TChanPlen;
using cv::plenar::TCvPlenEquip;

namespace {

class PlenSend : public testing::Test, public PlenarSim {};

}  // namespace

TEST_F(PlenSend, FortyPlansSentAndReadBack) {
  ASSERT_NO_FATAL_FAILURE(StartSim());
  Profile([](cvsim::PlenarProfile& p) {
    p.flash.commandName = [](uint16_t o) { return std::string(cv::plenar::kCommandsPlen.MnemonicOfPlanOffset(o)); };
  });
  StartDir dir;
  QWidget host;
  auto* memo = new QPlainTextEdit(&host);
  memo->setObjectName("LogMemo");
  PacedClock clock;
  std::unique_ptr<TCvPlenEquip> equip(TCv3Equip::Build<TCvPlenEquip>(&host, &port));
  equip->clock = &clock;
  ASSERT_NO_FATAL_FAILURE(SettleAndOpen());

  PlanSlots plans = FortyPlans();
  std::string script, error;
  ASSERT_TRUE(cv::plenar::ScriptWriter().Build(plans, cv::plan::PlanScriptWriter::Sent, script, error)) << error;
  const QString path = dir.filePath("SEND.PRO");
  {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(script.c_str());
  }
  ASSERT_TRUE(equip->RunScript(path.toStdString(), nullptr)) << memo->toPlainText().toStdString();
  const std::vector<std::string> lines = sim->Lines();
  EXPECT_NE(std::find(lines.begin(), lines.end(), "*CC"), lines.end());

  for (int p = 0; p < 40; ++p) {
    SCOPED_TRACE(p);
    PlanInfo info;
    ASSERT_TRUE(equip->ReadPlanInfo(p, info));
    EXPECT_EQ(info.band, plans[p].band);
    EXPECT_EQ(info.channelCount, static_cast<int32_t>(plans[p].Channels().size()));
    for (int c = 0; c < info.channelCount; ++c) {
      const TChan3& sent = plans[p].Channels()[c];
      TChan3 back;
      ASSERT_TRUE(equip->ReadChannelInfo(c, p, back, info.band)) << c;
      // CHAND truncates its word where the editor rounds: on the grid both agree.
      EXPECT_EQ(back.word, sent.word) << c;
      EXPECT_STREQ(back.commands[0], sent.commands[0]) << c;
      if (info.band == 'D') {
        EXPECT_STREQ(back.word2Text, back.wordText) << c;  // CHAND's word, twice
      }
    }
  }
  PlanInfo none;
  EXPECT_FALSE(equip->ReadPlanInfo(40, none));

  // Off the grid a DAB channel comes back one word below the editor's rounded word: 174.928 MHz
  // is written as 174.93, read by CHAND as 4276.6 and truncated to 174.90 MHz.
  PlanSlots one;
  for (auto& s : one) ClearPlan(s);
  NewPlan(one[0]);
  CopyField(one[0].name, "DAB");
  one[0].band = 'D';
  one[0].Channels().push_back(TChanPlen::FromFrequency("5A", 174.928f, 800, 'D', "ME8"));
  one[0].channelCount = 1;
  ASSERT_TRUE(cv::plenar::ScriptWriter().Build(one, cv::plan::PlanScriptWriter::Sent, script, error)) << error;
  {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(script.c_str());
  }
  ASSERT_TRUE(equip->RunScript(path.toStdString(), nullptr));
  TChan3 back;
  ASSERT_TRUE(equip->ReadChannelInfo(0, 0, back, 'D'));
  EXPECT_EQ(back.word, one[0].Channels()[0].word - 1);
  EXPECT_NEAR(back.frequency, 174.90f, 1e-3);
  port.Close();
}
