// The CORVANE-4 plan-and-channel picker against the simulated meter, its one-shot start driven by
// a fake timer: the plans and channel lines, no plans, a channel that cannot be read.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>

#include "Cv4MemoryKit.h"
#include "Cv4Sim.h"
#include "Memchanneldlg4.h"

using cvsim::Corvane4Profile;
using memtest4::FakeStart;

namespace {

class Cv4Picker : public testing::Test, public Cv4Sim {
 public:
  void Start(bool withPlans = true) {
    auto profile = std::make_unique<Corvane4Profile>();
    if (withPlans) {
      profile->plans[0] = {"UHF", 'T', 0, 0x21, {},
                          {memtest4::Channel("C21", 'T', 471.25), memtest4::Channel("C22", 'T', 479.25)}};
      // 880 MHz lies below this family's satellite band: the channel cannot be read as valid.
      profile->plans[1] = {"ASTRA", 'S', 97500, 0x30, {},
                            {memtest4::Channel("ARD", 'S', 1200), memtest4::Channel("OLD", 'S', 880)}};
    } else {
      // A meter whose plan memory was erased: not even the plans it left the factory with.
      profile->flash.Erase();
      profile->plans.clear();
    }
    ASSERT_NO_FATAL_FAILURE(StartSim(std::move(profile)));
    rig = std::make_unique<memtest4::Rig>(&port);
    ASSERT_NO_FATAL_FAILURE(SettleAndOpen());
    ASSERT_NO_FATAL_FAILURE(SettleAfterWakeLine());  // past the wake line of the opening
    picker = std::make_unique<cv::cv4::TCv4MemoryChannelDlg>(nullptr, rig->equip.get(),
                                                              cv::mem::PickTarget{plan, channel, number}, &start);
  }
  void TearDown() override {
    picker.reset();
    port.Close();
  }
  QStringList Items(QComboBox* c) {
    QStringList items;
    for (int i = 0; i < c->count(); ++i) items << c->itemText(i);
    return items;
  }
  std::unique_ptr<memtest4::Rig> rig;
  PlanInfo plan;
  TChan3 channel;
  int number = -1;
  FakeStart start;
  std::unique_ptr<cv::cv4::TCv4MemoryChannelDlg> picker;
};

}  // namespace

TEST_F(Cv4Picker, ListsThePlansAndTheChannelsOnItsStart) {
  ASSERT_NO_FATAL_FAILURE(Start());
  EXPECT_TRUE(start.armed);
  EXPECT_FALSE(picker->TimerToShowForm->isActive());
  EXPECT_FALSE(picker->PlanCombo->isEnabled());
  EXPECT_FALSE(picker->OKBtn->isEnabled());
  start.fire();
  EXPECT_FALSE(start.armed);
  EXPECT_EQ(Items(picker->PlanCombo), QStringList({"UHF     ", "ASTRA   "}));
  EXPECT_EQ(Items(picker->ChannelCombo), QStringList({"C21  (471,25 MHz)", "C22  (479,25 MHz)"}));
  EXPECT_EQ(picker->Gauge->value(), 100);
  EXPECT_TRUE(picker->OKBtn->isEnabled());
  EXPECT_TRUE(rig->prompter.shown.empty());

  // The satellite plan: downlink frequencies, until the channel below the band.
  emit picker->PlanCombo->activated(1);
  EXPECT_EQ(Items(picker->ChannelCombo), QStringList({"ARD  (10950,00 MHz)"}));
  ASSERT_EQ(rig->prompter.shown.size(), 1u);
  EXPECT_EQ(rig->prompter.shown[0].caption, "Error");
  EXPECT_TRUE(rig->prompter.shown[0].text.startsWith("Channel Plan error:\n - Channel: 1\n - Name: OLD"))
      << rig->prompter.shown[0].text.toStdString();
  EXPECT_TRUE(picker->OKBtn->isEnabled());  // the picker stays open

  emit picker->PlanCombo->activated(0);
  picker->OKBtn->click();
  EXPECT_EQ(picker->result(), QDialog::Accepted);
  EXPECT_EQ(number, 0);
  EXPECT_STREQ(plan.name, "UHF     ");
}

TEST_F(Cv4Picker, NoPlansCloseItAsCancelled) {
  ASSERT_NO_FATAL_FAILURE(Start(false));
  start.fire();
  ASSERT_EQ(rig->prompter.shown.size(), 1u);
  EXPECT_EQ(rig->prompter.shown[0].text, "No Channel Plans present");
  EXPECT_EQ(rig->prompter.shown[0].caption, "Error");
  EXPECT_EQ(picker->result(), QDialog::Rejected);
}

TEST_F(Cv4Picker, ChannelsThatCannotBeRead) {
  ASSERT_NO_FATAL_FAILURE(Start());
  Profile([](Corvane4Profile& p) { p.plans[0].channels[1].unreadable = true; });
  start.fire();
  ASSERT_EQ(rig->prompter.shown.size(), 1u);
  EXPECT_EQ(rig->prompter.shown[0].text, "Channel Plan error");
  EXPECT_EQ(picker->result(), QDialog::Rejected);

  // Opened again with every channel readable, then one fails when chosen.
  Profile([](Corvane4Profile& p) { p.plans[0].channels[1].unreadable = false; });
  FakeStart again;
  cv::cv4::TCv4MemoryChannelDlg second(nullptr, rig->equip.get(), {plan, channel, number}, &again);
  again.fire();
  ASSERT_EQ(second.ChannelCombo->count(), 2);
  Profile([](Corvane4Profile& p) { p.plans[0].channels[1].unreadable = true; });
  emit second.ChannelCombo->activated(1);
  ASSERT_EQ(rig->prompter.shown.size(), 2u);
  EXPECT_TRUE(rig->prompter.shown[1].text.startsWith("Channel error:\n - Channel: 1"))
      << rig->prompter.shown[1].text.toStdString();
}
