// The DV-800 plan-and-channel picker and the settings dialog's channels against the simulated
// meter over a pseudo-terminal: the plans read until the first the meter refuses, the channel
// lines as the oscillator plus the channel, the pick taken or ignored, and a memory's channel
// looked up when it opens.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>

#include "Dv8MemoryKit.h"
#include "Dv8Sim.h"
#include "Memchanneldlg8.h"
#include "Memdatadlg8.h"
#include "Memdlg8.h"
#include "ModalHelper.h"

using cvsim::Dv8Profile;
using memtest4::FakeStart;

namespace {

// A terrestrial LEVEL memory tuned by channel in plan 0 at `mhz`.
MemoryRecord ByChannel(float mhz) {
  MemoryRecord r = memtest::TerLevel();
  r.number = 12;
  r.freq = mhz;
  r.chFr = '0';
  r.codePlan = 0x21;
  return r;
}

class Dv8Picking : public testing::Test, public Dv8Sim {
 public:
  void Start(bool withPlans = true) {
    auto profile = std::make_unique<Dv8Profile>();
    // Only the plans below: none of the plans the meter left the factory with.
    profile->flash.Erase();
    profile->plans.clear();
    if (withPlans) {
      profile->plans[0] = {"UHF", 'T', 0, 0x21, {},
                           {memtest4::Channel("C21", 'T', 471.25), memtest4::Channel("C22", 'T', 479.25)}};
      profile->plans[1] = {"ASTRA", 'S', 97500, 0x30, {}, {memtest4::Channel("NAME", 'S', 1200)}};
      profile->plans[2] = {"VHF", 'T', 0, 0x05, {},
                           {memtest4::Channel("E5", 'T', 175.25), memtest4::Channel("E12", 'T', 224.25)}};
    }
    ASSERT_NO_FATAL_FAILURE(StartSim(std::move(profile)));
    rig = std::make_unique<memtest8::DataRig>(&port);
    ASSERT_NO_FATAL_FAILURE(SettleAndOpen());
    ASSERT_NO_FATAL_FAILURE(SettleAfterWakeLine());  // past the wake line of the opening
    rig->host.Clear();
    sim->ClearTraffic();
  }
  void TearDown() override { port.Close(); }
  static QStringList Items(QComboBox* c) {
    QStringList items;
    for (int i = 0; i < c->count(); ++i) items << c->itemText(i);
    return items;
  }
  std::unique_ptr<memtest8::DataRig> rig;
  PlanInfo plan;
  TChan3 channel;
  int number = -1;
};

}  // namespace

TEST_F(Dv8Picking, ThreePlansAndTheirChannelLines) {
  ASSERT_NO_FATAL_FAILURE(Start());
  FakeStart start;
  cv::dv8::TDV8MemoryChannelDlg picker(nullptr, rig->equip.get(), {plan, channel, number}, &start);
  EXPECT_FALSE(picker.PlanCombo->isEnabled());
  EXPECT_FALSE(picker.CancelBtn->isEnabled());
  // OK before any plan is chosen reports plan 0.
  picker.Picker().OKBtnClick();
  EXPECT_EQ(number, 0);
  picker.Picker().result = cv::mem::ChannelPicker::Result::Open;

  ASSERT_TRUE(start.fire);
  start.fire();
  EXPECT_EQ(Items(picker.PlanCombo), QStringList({"UHF     ", "ASTRA   ", "VHF     "}));
  std::vector<std::string> planQueries;
  for (const std::string& l : sim->Lines())
    if (l.rfind("*?JI", 0) == 0) planQueries.push_back(l);
  // Plans 0 to 3, the refused one ending the reading, then plan 0 again.
  EXPECT_EQ(planQueries, (std::vector<std::string>{"*?JI00", "*?JI01", "*?JI02", "*?JI03", "*?JI00"}));
  // A terrestrial plan: the channel's own frequency.
  EXPECT_EQ(Items(picker.ChannelCombo), QStringList({"C21  (471,25 MHz)", "C22  (479,25 MHz)"}));
  EXPECT_TRUE(picker.OKBtn->isEnabled());
  // A satellite plan: the oscillator plus the channel.
  emit picker.PlanCombo->activated(1);
  EXPECT_EQ(Items(picker.ChannelCombo), QStringList({"NAME (10950,00 MHz)"}));
  EXPECT_EQ(picker.Gauge->value(), 100);

  // A channel that cannot be read after a plan change, then after a channel change.
  Profile([](Dv8Profile& p) { p.plans[0].channels[1].unreadable = true; });
  emit picker.PlanCombo->activated(0);
  EXPECT_EQ(Items(picker.ChannelCombo), QStringList({"C21  (471,25 MHz)"}));
  ASSERT_EQ(rig->prompter.shown.size(), 1u);
  EXPECT_EQ(rig->prompter.shown[0].caption, "Error");
  EXPECT_TRUE(rig->prompter.shown[0].text.startsWith("Channel Plan error:\n - Channel: 1\n - Name: "))
      << rig->prompter.shown[0].text.toStdString();
  EXPECT_TRUE(picker.OKBtn->isEnabled());
  emit picker.ChannelCombo->activated(1);
  ASSERT_EQ(rig->prompter.shown.size(), 2u);
  EXPECT_TRUE(rig->prompter.shown[1].text.startsWith("Channel error:\n - Channel: 1"));

  emit picker.PlanCombo->activated(2);
  picker.OKBtn->click();
  EXPECT_EQ(picker.result(), QDialog::Accepted);
  EXPECT_EQ(number, 2);
  EXPECT_STREQ(plan.name, "VHF     ");
}

TEST_F(Dv8Picking, ReadingFailuresCancelThePick) {
  ASSERT_NO_FATAL_FAILURE(Start(false));
  FakeStart none;
  cv::dv8::TDV8MemoryChannelDlg empty(nullptr, rig->equip.get(), {plan, channel, number}, &none);
  none.fire();
  ASSERT_EQ(rig->prompter.shown.size(), 1u);
  EXPECT_EQ(rig->prompter.shown[0].text, "No Channel Plans present");
  EXPECT_EQ(rig->prompter.shown[0].caption, "Error");
  EXPECT_EQ(empty.result(), QDialog::Rejected);

  Profile([](Dv8Profile& p) {
    p.plans[0] = {"UHF", 'T', 0, 0x21, {}, {memtest4::Channel("C21", 'T', 471.25), memtest4::Channel("C22", 'T', 479.25)}};
    p.plans[0].channels[1].unreadable = true;
  });
  FakeStart start;
  cv::dv8::TDV8MemoryChannelDlg broken(nullptr, rig->equip.get(), {plan, channel, number}, &start);
  start.fire();
  ASSERT_EQ(rig->prompter.shown.size(), 2u);
  EXPECT_EQ(rig->prompter.shown[1].text, "Channel Plan error");
  EXPECT_EQ(broken.result(), QDialog::Rejected);
}

// The memory's channel looked up by its PLL word when the dialog opens; a channel no longer in
// its plan opens the memory tuned by frequency.
TEST_F(Dv8Picking, ChannelOfTheMemoryWhenItOpens) {
  ASSERT_NO_FATAL_FAILURE(Start());
  const cv::mem::MemoryDataForm& f = rig->data.form;
  ASSERT_TRUE(rig->data.OpenRecord(ByChannel(487.25f)));
  EXPECT_EQ(f.channel.text, "");
  EXPECT_TRUE(f.freqRadio);
  EXPECT_EQ(f.freq.text, "487,25");
  MemoryRecord back;
  rig->data.StoreRecord(back);
  EXPECT_EQ(back.chFr, '1');
  EXPECT_EQ(back.freq, 487.25f);
  EXPECT_TRUE(rig->Log().empty());

  ASSERT_TRUE(rig->data.OpenRecord(ByChannel(479.25f)));
  EXPECT_EQ(f.channel.text, "C22 ");
  EXPECT_TRUE(f.channelRadio);
  EXPECT_EQ(rig->data.w.r.chFr, '0');
}

// A picked channel the meter cannot tune (no channel it stores reads so: the pick is made up)
// leaves the memory tuned by its own frequency, with no beep.
TEST_F(Dv8Picking, PickedChannelOutsideTheBand) {
  ASSERT_NO_FATAL_FAILURE(Start());
  for (float mhz : {4.75f, 862.25f}) {
    SCOPED_TRACE(mhz);
    ASSERT_TRUE(rig->data.OpenRecord(ByChannel(487.25f)));
    rig->dataView.picker = [&] {
      cv::mem::MemoryData& m = rig->data;
      m.pickedPlan.band = 'T';
      m.pickedChannel.frequency = mhz;
      CopyField(m.pickedChannel.name, "FAR");
      m.pickedPlanNumber = 3;
      return true;
    };
    rig->data.ModifyChannelBtnClick();
    const cv::mem::MemoryDataForm& f = rig->data.form;
    EXPECT_EQ(rig->data.w.r.freq, 487.25f);
    EXPECT_EQ(rig->data.w.r.chFr, '1');
    EXPECT_TRUE(f.freqRadio);
    EXPECT_FALSE(f.channelRadio);
    EXPECT_EQ(f.channel.text, "");
    EXPECT_EQ(f.freq.text, "487,25");
    EXPECT_TRUE(f.modifyEnabled);
    EXPECT_EQ(rig->prompter.beeps, 0);
  }
}

// Modify Channel through the form: "Loading..." while the picker is open, a satellite plan's
// channel ignored, a terrestrial channel taken.
TEST_F(Dv8Picking, ModifyChannelThroughTheForm) {
  ASSERT_NO_FATAL_FAILURE(Start());
  auto owner = cv::dv8::MakeMemoryDlg8(nullptr, rig->equip.get());
  const MemoryRecord in = ByChannel(487.25f);  // opens by frequency
  owner->Editor().current = in;
  TMemoryDataDlg dlg(owner.get(), rig->equip.get(), cv::dv8::Dv8MemoryDataForm(rig->equip.get()));
  ASSERT_TRUE(dlg.Opened());
  EXPECT_EQ(dlg.windowTitle(), "Measurement Configuration - Memory 12");
  EXPECT_EQ(dlg.ModifyChannelBtn->toolTip(), "Look for channels in DV-800");
  EXPECT_EQ(dlg.findChild<QLabel*>("LevelLabel")->text(), "Le&vel:");
  EXPECT_EQ(dlg.findChild<QLabel*>("SymRateLabel")->text(), "Symbol Rate(kSym/s):");
  EXPECT_FALSE(dlg.LNBSupCombo->isEnabled());
  EXPECT_FALSE(dlg.ModulationCombo->isEnabled());
  FakeStart start;
  dlg.pickerStart = &start;
  auto pick = [&](int planEntry, int channelEntry) {
    QString captionWhilePicking;
    cvtest::WhenModal<cv::dv8::TDV8MemoryChannelDlg>([&](cv::dv8::TDV8MemoryChannelDlg* picker) {
      captionWhilePicking = dlg.ModifyChannelBtn->text();
      start.fire();
      emit picker->PlanCombo->activated(planEntry);
      emit picker->ChannelCombo->activated(channelEntry);
      picker->OKBtn->click();
    });
    dlg.ModifyChannelBtn->click();
    EXPECT_EQ(captionWhilePicking, "Loading...");
    EXPECT_EQ(dlg.ModifyChannelBtn->text(), "Modify Channel");
    EXPECT_TRUE(dlg.ModifyChannelBtn->isEnabled());
  };
  const MemoryRecord& r = dlg.Model().w.r;

  pick(1, 0);  // NAME of the satellite plan
  EXPECT_EQ(r.freq, 487.25f);
  EXPECT_EQ(r.nPlan, 0);
  EXPECT_EQ(r.chFr, '1');
  EXPECT_EQ(dlg.ChannelEdit->text(), "");
  EXPECT_TRUE(dlg.FreqRadioButton->isChecked());

  pick(0, 1);  // C22
  EXPECT_EQ(r.freq, 479.25f);
  EXPECT_EQ(r.chFr, '0');
  EXPECT_EQ(r.nPlan, 0);
  EXPECT_EQ(r.codePlan, 0x21);
  EXPECT_EQ(dlg.Model().w.planText, "00");
  EXPECT_EQ(dlg.ChannelEdit->text(), "C22 ");
  EXPECT_TRUE(dlg.ChannelRadioButton->isChecked());
  EXPECT_EQ(dlg.FreqEdit->text(), "479,25");

  // Cancel leaves the editor's record as it was; OK takes the channel.
  dlg.CancelBtn->click();
  EXPECT_EQ(owner->Editor().current, in);
  dlg.OKBtn->click();
  EXPECT_EQ(owner->Editor().current.freq, 479.25f);
  EXPECT_EQ(owner->Editor().current.chFr, '0');
}
