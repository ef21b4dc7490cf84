// The DV-800 channel-plan editor against the simulated meter over a pseudo-terminal: Send asks the
// meter first and checks the plans after writing the script, Receive gives the sent plans back,
// and a plan whose channels stop coming is reported and then neither saved nor sent.
#include <gtest/gtest.h>

#include <QApplication>
#include <QFile>
#include <QPlainTextEdit>
#include <QPushButton>
#include <chrono>
#include <memory>
#include <stdexcept>
#include <thread>

#include "Chanplandlg.h"
#include "Commands8.h"
#include "Clock.h"
#include "Dv8Equip.h"
#include "Dv8PlanRig.h"
#include "Dv8Sim.h"
#include "PacedPlanSend.h"
#include "StartDir.h"

using namespace std::chrono_literals;

namespace {

using cv::dv8::TDV8Equip;
using cvsim::Dv8Profile;

PlanSlot Plan(const char* name, char band, float lnb, int code, std::vector<TChan3> channels, const char* command = "") {
  PlanSlot s = dv8test::MakePlan(name, band, 0, 0, lnb);
  s.code = code;
  CopyField(s.commands[0], command);
  s.Channels() = std::move(channels);
  s.channelCount = static_cast<int32_t>(s.Channels().size());
  return s;
}

// The meter's plan 0: TEN, ten terrestrial channels 8 MHz apart from 471.25 MHz.
void StoreTen(Dv8Profile& p) {
  p.plans.clear();
  Dv8Profile::StoredPlan plan;
  plan.name = "TEN     ";
  plan.band = 'T';
  for (int i = 0; i < 10; ++i) {
    TChan3 c = dv8test::Channel("  C0", 471.25f + 8.0f * static_cast<float>(i), 8, 'T');
    plan.channels.push_back({"  C" + std::to_string(i), c.word, static_cast<unsigned>(c.word2), {}});
  }
  p.plans[0] = plan;
}

class Dv8PlanSend : public testing::Test, public Dv8Sim, public PlanSendParts<TDV8Equip> {
 protected:
  void SetUp() override {
    ASSERT_NO_FATAL_FAILURE(StartSim());
    Profile([](Dv8Profile& p) {
      p.flash.commandName = [](uint16_t o) { return std::string(cv::dv8::kDv8Lookups.MnemonicOfPlanOffset(o)); };
    });
    memo = new QPlainTextEdit(&host);
    memo->setObjectName("LogMemo");
    equip.reset(TCv3Equip::Build<TDV8Equip>(&host, &port));
    equip->clock = &clock;
    ASSERT_NO_FATAL_FAILURE(SettleAndOpen());
    dlg = std::make_unique<TChannelsPlanDlg>(&host, equip.get(), cv::dv8::Dv8PlanFamily());
    // Edit reads a received plan's channels; the channel dialog itself is not opened here.
    dlg->channelEditor = [](TChannelsPlanDlg*, int) { return false; };
  }
  void TearDown() override {
    dlg.reset();
    port.Close();
  }
  QStringList Memo() const { return memo->toPlainText().split('\n', Qt::SkipEmptyParts); }
  QPushButton* Button(const char* name) { return dlg->findChild<QPushButton*>(name); }
  void CopyLoader() { ASSERT_TRUE(QFile::copy(QString(CV_TEST_DATA_DIR) + "/plans/update.hex", dir.filePath("update.hex"))); }
  bool ButtonsOn() {
    for (const char* b : {"CloseBtn", "NewBtn", "ReadBtn", "AddBtn", "ReceiveBtn"})
      if (!Button(b)->isEnabled()) return false;
    return true;
  }

  // A terrestrial plan with a channel below 45 MHz and a satellite plan, on the PLL grid and with
  // names of four characters, so that they come back as sent.
  void LoadCanalization() {
    auto& ed = dlg->Editor();
    ed.planSlots[0] = Plan("TDT-MAD ", 'T', 0, 1,
                           {dv8test::Channel("  C1", 40.0f, 8, 'T'), dv8test::Channel("  21", 471.25f, 8, 'T', "SY00"),
                            dv8test::Channel("  69", 858.0f, 7, 'T')},
                           "SY00");
    ed.planSlots[1] = Plan("ASTRA   ", 'S', 9750, 12,
                           {dv8test::Channel(" RTL", 1200.0f, 0, 'S', "SY00", "UN1", "SOF6A9"),
                            dv8test::Channel(" ARD", 1836.0f, 0, 'S')});
    ShowLoadedPlans(*dlg);
  }
};

TEST_F(Dv8PlanSend, WithoutPlansSendOnlyTurnsTheButtonsOffAndOn) {
  ASSERT_NO_FATAL_FAILURE(SettleAfterWakeLine());  // the open's wake line is not Send's
  sim->ClearTraffic();
  dlg->SendBtnClick();
  EXPECT_TRUE(ButtonsOn());
  EXPECT_TRUE(memo->toPlainText().isEmpty()) << memo->toPlainText().toStdString();
  EXPECT_FALSE(QFile::exists(dir.filePath("_DV800__.TMP")));
  Settle();
  EXPECT_TRUE(sim->Lines().empty());
}

TEST_F(Dv8PlanSend, ASilentMeterIsToldBeforeAnyScriptIsWritten) {
  CopyLoader();
  LoadCanalization();
  sim->SetFaults([] {
    cvsim::Faults f;
    f.silent = true;
    return f;
  }());
  Button("SendBtn")->click();
  EXPECT_EQ(Memo(), QStringList{"Sending Channels Error: Equipment not detected"});
  EXPECT_FALSE(QFile::exists(dir.filePath("_DV800__.TMP")));
  EXPECT_TRUE(ButtonsOn());
}

TEST_F(Dv8PlanSend, SentPlansComeBackOnReceive) {
  CopyLoader();
  LoadCanalization();
  Button("SendBtn")->click();
  ASSERT_TRUE(Memo().contains("Sending successful")) << memo->toPlainText().toStdString();
  EXPECT_TRUE(dlg->LogZone->toPlainText().endsWith("Sending successful"));
  EXPECT_TRUE(ButtonsOn());
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
  // The version query came before anything else of the send, and the script stays.
  const std::vector<std::string> lines = sim->Lines();
  auto boot = std::find(lines.begin(), lines.end(), "*BO");
  ASSERT_NE(boot, lines.end());
  EXPECT_NE(std::find(lines.begin(), boot, "*?VE"), boot);
  EXPECT_TRUE(QFile::exists(dir.filePath("_DV800__.TMP")));
  // The restarted meter answers again once its wake lines came.
  bool started = false;
  for (auto end = std::chrono::steady_clock::now() + 5s; !started && std::chrono::steady_clock::now() < end;
       std::this_thread::sleep_for(10ms))
    Profile([&](Dv8Profile& p) { started = p.loaderState == Dv8Profile::LoaderState::Main; });
  ASSERT_TRUE(started);

  Button("ReceiveBtn")->click();
  auto& ed = dlg->Editor();
  for (int i = 0; i < 32; ++i) EXPECT_EQ(ed.planSlots[i].HoldsPlan(), i < 2) << i;
  EXPECT_STREQ(ed.planSlots[0].name, "TDT-MAD ");
  EXPECT_STREQ(ed.planSlots[1].name, "ASTRA   ");
  EXPECT_FLOAT_EQ(ed.planSlots[1].lnbMHz, 9750.0f);
  EXPECT_STREQ(ed.planSlots[0].commands[0], "SY00");
  // Edit reads each plan's channels: the same PLL words and commands as sent.
  const std::vector<std::vector<TChan3>> expected = {
      {dv8test::Channel("  C1", 40.0f, 8, 'T'), dv8test::Channel("  21", 471.25f, 8, 'T', "SY00"),
       dv8test::Channel("  69", 858.0f, 7, 'T')},
      {dv8test::Channel(" RTL", 1200.0f, 0, 'S', "SY00", "UN1", "SOF6A9"), dv8test::Channel(" ARD", 1836.0f, 0, 'S')}};
  for (int p = 0; p < 2; ++p) {
    SCOPED_TRACE(p);
    ed.OnClickListBox(p);
    Button("EditBtn")->click();
    const auto& got = ed.planSlots[p].Channels();
    ASSERT_EQ(got.size(), expected[p].size());
    for (size_t i = 0; i < got.size(); ++i) {
      EXPECT_EQ(got[i].word, expected[p][i].word) << i;
      EXPECT_STREQ(got[i].name, expected[p][i].name) << i;
      for (int k = 0; k < 3; ++k) EXPECT_STREQ(got[i].commands[k], expected[p][i].commands[k]) << i;
    }
  }
  EXPECT_TRUE(Memo().contains("Reading plan TDT-MAD from equipment"));
}

// A run that raises is caught: the cursor is restored, the failure logged and shown, the buttons on.
TEST_F(Dv8PlanSend, AScriptRunThatRaisesIsAFailedSend) {
  CopyLoader();
  LoadCanalization();
  dlg->scriptRunner = [](const std::string&, TLogForm*) -> bool { throw std::runtime_error("port lost"); };
  cv::RecordingPrompter prompter;
  Button("SendBtn")->click();
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
  EXPECT_TRUE(ButtonsOn());
  EXPECT_TRUE(Button("SendBtn")->isEnabled());
  EXPECT_FALSE(Memo().contains("Sending successful"));
  EXPECT_TRUE(memo->toPlainText().contains("Sending Channels Error: the script stopped before its end"));
  EXPECT_TRUE(prompter.Showed("Sending Channels Error"));
  EXPECT_TRUE(dlg->LogZone->toPlainText().contains("port lost"));
}

TEST_F(Dv8PlanSend, APlanWhoseChannelsStopComingIsReportedThenNeitherSavedNorSent) {
  CopyLoader();
  Profile([](Dv8Profile& p) {
    StoreTen(p);
    p.channelQueryFailsFrom = 3;
  });
  cv::RecordingPrompter prompter;
  Button("ReceiveBtn")->click();
  auto& ed = dlg->Editor();
  ASSERT_TRUE(ed.planSlots[0].ChannelsUnread());
  Button("EditBtn")->click();
  EXPECT_EQ(ed.planSlots[0].Channels().size(), 3u);
  EXPECT_TRUE(Memo().contains("Error reading planTEN")) << memo->toPlainText().toStdString();
  ASSERT_EQ(prompter.shown.size(), 1u);
  EXPECT_EQ(prompter.shown[0].caption, "PLANS ERROR");
  EXPECT_EQ(prompter.shown[0].icon, cv::MsgIcon::Warning);
  EXPECT_EQ(prompter.shown[0].text,
            "Error reading plan TEN\nCheck connection and whether connected \nequipment is still the autodetected "
            "one.\nPlan TEN: channel 4 of 10 (index 3) could not be read from the equipment.");

  prompter.shown.clear();
  const size_t before = sim->Lines().size();
  Button("SendBtn")->click();
  Button("SaveBtn")->click();
  int named = 0;
  for (const auto& box : prompter.shown) named += box.text.contains("Only 3 of the 10 channels of plan TEN") ? 1 : 0;
  EXPECT_EQ(named, 2);
  EXPECT_FALSE(Memo().contains("Sending successful"));
  EXPECT_FALSE(QFile::exists(dir.filePath("_DV800__.TMP")));
  const std::vector<std::string> lines = sim->Lines();
  for (size_t i = before; i < lines.size(); ++i) EXPECT_TRUE(lines[i] == "*?VE" || lines[i] == "*") << lines[i];
}

// The meter stops answering "*?CI" at the plan's first channel or a later one: Edit, Save and
// Send each say so in a box naming the plan and the channel; the person rebuilds the channels
// and the plan is saved and sent, and comes back on Receive.
TEST_F(Dv8PlanSend, APlanReadShortIsToldAtEveryStopAndOnceRebuiltIsSavedAndSent) {
  CopyLoader();
  for (int failsFrom : {0, 3}) {
    SCOPED_TRACE(failsFrom);
    ASSERT_NO_FATAL_FAILURE(SettleAfterWakeLine());
    Profile([failsFrom](Dv8Profile& p) {
      StoreTen(p);
      p.channelQueryFailsFrom = failsFrom;
    });
    dlg = std::make_unique<TChannelsPlanDlg>(&host, equip.get(), cv::dv8::Dv8PlanFamily());
    const std::vector<TChan3> rebuilt = {dv8test::Channel("  A0", 175.25f, 7, 'T'),
                                         dv8test::Channel("  A1", 471.25f, 8, 'T', "SY00")};
    bool rebuild = false;
    dlg->channelEditor = [&](TChannelsPlanDlg* d, int index) {
      if (rebuild) d->Editor().planSlots[index].Channels() = rebuilt;
      return rebuild;
    };
    cv::RecordingPrompter prompter;
    const QString why = QString("Plan TEN: channel %1 of 10 (index %2) could not be read from the equipment.")
                            .arg(failsFrom + 1)
                            .arg(failsFrom);
    Button("ReceiveBtn")->click();
    // The meter's delivery plans are no part of this: only TEN is saved and sent.
    for (int i = 1; i < 32; ++i) ClearPlan(dlg->Editor().planSlots[i]);
    Button("EditBtn")->click();
    ASSERT_EQ(prompter.shown.size(), 1u);
    EXPECT_TRUE(prompter.shown[0].text.startsWith("Error reading plan TEN\n"));
    EXPECT_TRUE(prompter.shown[0].text.endsWith("\n" + why)) << prompter.shown[0].text.toStdString();
    EXPECT_EQ(prompter.shown[0].caption, "PLANS ERROR");
    EXPECT_TRUE(Memo().contains(why));
    EXPECT_EQ(dlg->Editor().planSlots[0].Channels().size(), static_cast<size_t>(failsFrom));

    for (const char* button : {"SaveBtn", "SendBtn"}) {
      SCOPED_TRACE(button);
      prompter.shown.clear();
      Button(button)->click();
      ASSERT_EQ(prompter.shown.size(), 1u);
      EXPECT_TRUE(prompter.shown[0].text.startsWith(why + "\nOnly " + QString::number(failsFrom) +
                                                    " of the 10 channels of plan TEN"))
          << prompter.shown[0].text.toStdString();
      EXPECT_TRUE(ButtonsOn());
    }
    EXPECT_FALSE(Memo().contains("Sending successful"));

    rebuild = true;
    Button("EditBtn")->click();
    // Save copies the script the editor writes here into the file the person picks; Send writes
    // and runs the same script.
    ASSERT_TRUE(dlg->Editor().WriteScript(dir.Path("TEN.PRO")));
    QFile saved(dir.filePath("TEN.PRO"));
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    const QString script = QString::fromLatin1(saved.readAll());
    EXPECT_TRUE(script.contains("CHAN3T (0,   A0, 175.25, 7, 0xFFFF)")) << script.toStdString();
    EXPECT_TRUE(script.contains("CHAN3T (1,   A1, 471.25, 8, 0x0000)"));
    Button("SendBtn")->click();
    ASSERT_TRUE(Memo().contains("Sending successful")) << memo->toPlainText().toStdString();

    // The meter holds the rebuilt plan: Receive, once it answers again, reads it whole.
    bool started = false;
    for (auto end = std::chrono::steady_clock::now() + 5s; !started && std::chrono::steady_clock::now() < end;
         std::this_thread::sleep_for(10ms))
      Profile([&](Dv8Profile& p) {
        started = p.loaderState == Dv8Profile::LoaderState::Main;
        p.channelQueryFailsFrom = -1;
      });
    ASSERT_TRUE(started);
    rebuild = false;
    prompter.shown.clear();
    dlg->Editor().modified = false;  // the rebuilt plan was not saved: Receive must not ask
    Button("ReceiveBtn")->click();
    Button("EditBtn")->click();
    const auto& got = dlg->Editor().planSlots[0].Channels();
    ASSERT_EQ(got.size(), rebuilt.size());
    for (size_t i = 0; i < got.size(); ++i) EXPECT_EQ(got[i].word, rebuilt[i].word) << i;
    EXPECT_TRUE(prompter.shown.empty());
    memo->clear();
  }
}

}  // namespace
