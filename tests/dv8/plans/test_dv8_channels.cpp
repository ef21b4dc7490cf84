// The DV-800 channel list and block generator through their controllers: satellite frequencies as
// a plain sum with the oscillator, the family's bands on both sides, the block defaults and the
// " -none-" command; and the channel editor's form answering a refused frequency.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QTest>

#include "ChannelListEditor.h"
#include "Chandlg.h"
#include "Commands8.h"
#include "Dv8PlanRig.h"

namespace {

using cv::dv8::Dv8PlanFamily;

PlanSlot OneChannelPlan(char band, float lnb) {
  PlanSlot plan = dv8test::MakePlan("P1", band, 0, 0, lnb);
  plan.Channels() = {band == 'S' ? dv8test::Channel("  S1", 1500.0f, 0, 'S') : dv8test::Channel("  T1", 471.25f, 8, 'T')};
  plan.channelCount = 1;
  return plan;
}

TEST(Dv8Channels, TypedFrequencyIsCheckedOnTheFamilysBands) {
  using Exit = ChannelListEditor::Exit;
  const dv8test::TypedFrequency cases[] = {
      {'S', 9750.0f, "10700", Exit::Changed, 950.0f, "  S1 (10700.00)"},
      {'S', 9750.0f, "10600", Exit::Refused, 1500.0f, "  S1 (11250.00)"},     // IF 850
      {'S', 9750.0f, "10649.9", Exit::Refused, 1500.0f, "  S1 (11250.00)"},   // IF 899.9
      {'S', 9750.0f, "10650", Exit::Changed, 900.0f, "  S1 (10650.00)"},      // IF 900, the lower bound
      {'S', 9750.0f, "11900", Exit::Changed, 2150.0f, "  S1 (11900.00)"},     // IF 2150, the upper bound
      {'S', 9750.0f, "11900.1", Exit::Refused, 1500.0f, "  S1 (11250.00)"},
      {'S', 5150.0f, "3800", Exit::Refused, 1500.0f, "  S1 (6650.00)"},       // IF -1350: no C-band case
      {'S', 5150.0f, "6150", Exit::Changed, 1000.0f, "  S1 (6150.00)"},
      {'T', 0.0f, "862.0", Exit::Changed, 862.0f, "  T1 (862.00)"},
      {'T', 0.0f, "862.5", Exit::Refused, 471.25f, "  T1 (471.25)"},
      {'T', 0.0f, "4.9", Exit::Refused, 471.25f, "  T1 (471.25)"},
      {'T', 0.0f, "5", Exit::Changed, 5.0f, "  T1 (5.00)"},
      {'T', 0.0f, "471,25", Exit::Unchanged, 471.25f, "  T1 (471.25)"},
      {'T', 0.0f, "123456789", Exit::Refused, 471.25f, "  T1 (471.25)"},  // read as 12345678
  };
  dv8test::ExpectTypedFrequencies(Dv8PlanFamily(), cases);
}

TEST(Dv8Channels, BlocksStartFromTheFamilysDefaultsAndStopAtTheBand) {
  // A satellite block: 920 MHz IF shown with the oscillator added, then 50 from 10700 in 40 MHz
  // steps stops at IF 2150.
  PlanSlot sat = OneChannelPlan('S', 9750.0f);
  sat.Channels().clear();
  sat.channelCount = 0;
  ChannelListEditor satellite(sat, Dv8PlanFamily());
  BlockSettings block = satellite.NewBlockSettings();
  EXPECT_FLOAT_EQ(block.firstFreq, 920.0f);
  ChannelBlockEditor form(block, 'S', 9750.0f, Dv8PlanFamily());
  EXPECT_EQ(form.ShowBlock().initFreq, "10670.00");
  EXPECT_TRUE(form.ReadInitFreq("10700"));
  EXPECT_FLOAT_EQ(block.firstFreq, 950.0f);
  std::optional<std::string> restore;
  EXPECT_TRUE(form.ReadQuantity("50", restore));
  EXPECT_TRUE(form.ReadStepFreq("40"));
  // The preview's last channel is the block's 31st, where generation stops, not a 50th.
  EXPECT_EQ(form.ShowBlock().lastChannel, "A30, 11900.00 MHz.");
  EXPECT_EQ(satellite.GenerateBlock(block), 31);
  EXPECT_FLOAT_EQ(satellite.Channels().back().frequency, 2150.0f);
  EXPECT_EQ(satellite.ListLine(30), " A30 (11900.00)");

  // A terrestrial block with the defaults.
  PlanSlot ter = OneChannelPlan('T', 0);
  ter.Channels().clear();
  ter.channelCount = 0;
  ChannelListEditor terrestrial(ter, Dv8PlanFamily());
  BlockSettings defaults = terrestrial.NewBlockSettings();
  BlockSettings far = defaults;
  far.quantity = 127;  // 471.25 MHz + 126 steps would be 1479.25 MHz: the block stops at 855.25
  EXPECT_EQ(ChannelBlockEditor(far, 'T', 0, Dv8PlanFamily()).ShowBlock().lastChannel, "A48, 855.25 MHz.");
  EXPECT_EQ(ChannelListEditor(ter, Dv8PlanFamily()).GenerateBlock(far), 49);
  EXPECT_EQ(terrestrial.GenerateBlock(defaults), 2);
  ASSERT_EQ(terrestrial.Count(), 2);
  EXPECT_STREQ(terrestrial.Channels()[0].name, " A00");
  EXPECT_FLOAT_EQ(terrestrial.Channels()[0].frequency, 471.25f);
  EXPECT_STREQ(terrestrial.Channels()[1].name, " A01");
  EXPECT_FLOAT_EQ(terrestrial.Channels()[1].frequency, 479.25f);
  for (const TChan3& c : terrestrial.Channels()) {
    EXPECT_EQ(c.bandwidth, 8);
    for (const auto& command : c.commands) EXPECT_STREQ(command, "");
  }
}

TEST(Dv8Channels, NoneCommandIsStoredEmptyAndWrittenAsFFFF) {
  ChannelListEditor editor(OneChannelPlan('T', 0), Dv8PlanFamily());
  editor.Select(0);
  ASSERT_EQ(editor.ReadCommand(0, cv::dv8::kDv8Lookups.IndexOfMnemonic("SY00")), ChannelListEditor::Exit::Changed);
  ASSERT_EQ(editor.CommandRow(0), cv::dv8::kDv8Lookups.IndexOfMnemonic("SY00"));
  ASSERT_EQ(editor.ReadCommand(0, cv::dv8::kNoCommand), ChannelListEditor::Exit::Changed);
  EXPECT_STREQ(editor.Channels()[0].commands[0], "");
  EXPECT_EQ(editor.CommandRow(0), 36);
  // A terrestrial channel has only its first command.
  EXPECT_EQ(editor.ReadCommand(1, 0), ChannelListEditor::Exit::Unchanged);

  PlanSlots plans;
  for (auto& p : plans) ClearPlan(p);
  plans[0] = DeepCopyPlan(editor.Plan());
  std::string script, problem;
  ASSERT_TRUE(Dv8PlanFamily().writer->Build(plans, cv::plan::PlanScriptWriter::Saved, script, problem)) << problem;
  EXPECT_NE(script.find("T1, 471.25, 8, 0xFFFF)"), std::string::npos) << script;
}

// The form: a refused frequency beeps, shows the channel again and puts the focus back.
TEST(Dv8Channels, FormRefusesAFrequencyWithABeepAndTheFocusBack) {
  PlanSlot plan = OneChannelPlan('S', 9750.0f);
  TChannelsDlg dlg(nullptr, plan, nullptr, Dv8PlanFamily());
  QLineEdit* freq = dlg.FreqEdit;
  QListWidget* list = dlg.ChanListBox;
  EXPECT_EQ(dlg.Comm1Combo->count(), cv::dv8::kCommandRows);
  EXPECT_EQ(dlg.Comm1Combo->currentIndex(), cv::dv8::kNoCommand);
  int beeps = 0;
  dlg.beep = [&] { ++beeps; };
  dlg.show();
  QApplication::setActiveWindow(&dlg);
  ASSERT_TRUE(QTest::qWaitForWindowActive(&dlg));
  list->setCurrentRow(0);
  EXPECT_EQ(freq->text(), "11250.00");
  freq->setFocus();
  freq->setText("10600");
  list->setFocus();  // the edit is left
  QApplication::processEvents();
  EXPECT_EQ(beeps, 1);
  EXPECT_EQ(freq->text(), "11250.00");
  EXPECT_EQ(QApplication::focusWidget(), freq);
  EXPECT_EQ(list->item(0)->text(), "  S1 (11250.00)");
  // Typed again in range, it is taken: the list line follows.
  freq->setText("10700");
  list->setFocus();
  QApplication::processEvents();
  EXPECT_EQ(beeps, 1);
  EXPECT_EQ(list->item(0)->text(), "  S1 (10700.00)");
}

}  // namespace
