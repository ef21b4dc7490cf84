// The CORVANE-4 build of the plan dialogs as widgets: the family's combos and hints, and a
// refused frequency answered with a beep and the old value.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QCoreApplication>
#include <QFocusEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

#include "Chandlg.h"
#include "Chanplandlg.h"
#include "Commands4.h"
#include "Cv4Equip.h"
#include "Cv4PlanFamily.h"

namespace {

TEST(Cv4PlanDialogs, SatelliteFrequencyBelowTheBandBeepsAndRestores) {
  PlanSlot plan;
  NewPlan(plan);
  plan.band = 'S';
  plan.lnbMHz = 9750.0f;
  plan.Channels().push_back(TChan3::FromFrequency(" RTL", 1200.0f, 0, 'S', "SY06"));
  plan.channelCount = 1;
  TChannelsDlg dlg(nullptr, plan, nullptr, cv::cv4::Cv4PlanFamily());
  int beeps = 0;
  dlg.beep = [&] { ++beeps; };
  auto* freq = dlg.findChild<QLineEdit*>("FreqEdit");
  auto* list = dlg.findChild<QListWidget*>("ChanListBox");
  auto* comm1 = dlg.findChild<QComboBox*>("Comm1Combo");
  ASSERT_TRUE(freq && list && comm1);
  EXPECT_EQ(comm1->count(), cv::cv4::kCommandRows);
  EXPECT_EQ(dlg.findChild<QComboBox*>("Comm3Combo")->toolTip(), "Third optional command");
  EXPECT_EQ(dlg.findChild<QPushButton*>("CancelBtn")->toolTip(), "Cancel and close Channel Editor");

  list->setCurrentRow(0);
  EXPECT_EQ(comm1->currentIndex(), cv::cv4::CommandIndexOfMnemonic("SY06"));
  EXPECT_EQ(freq->text(), "10950.00");
  freq->setText("10649.9");  // IF 899.9 MHz
  QFocusEvent out(QEvent::FocusOut);
  QCoreApplication::sendEvent(freq, &out);
  EXPECT_EQ(beeps, 1);
  EXPECT_EQ(freq->text(), "10950.00");
  freq->setText("10650");
  QCoreApplication::sendEvent(freq, &out);
  EXPECT_EQ(beeps, 1);
  EXPECT_EQ(list->item(0)->text(), " RTL (10650.00)");
}

TEST(Cv4PlanDialogs, PlanEditorOffersTheFamilyTableAndHints) {
  QWidget host;
  std::unique_ptr<cv::cv4::TCv4Equip> equip(TCv3Equip::Build<cv::cv4::TCv4Equip>(&host, nullptr));
  TChannelsPlanDlg dlg(&host, equip.get(), cv::cv4::Cv4PlanFamily());
  auto* comm2 = dlg.findChild<QComboBox*>("Comm2Combo");
  ASSERT_TRUE(comm2);
  EXPECT_EQ(comm2->count(), cv::cv4::kCommandRows);
  EXPECT_EQ(comm2->currentIndex(), cv::cv4::kNoCommand);
  EXPECT_EQ(comm2->itemText(cv::cv4::kNoCommand), " -none-");
  EXPECT_EQ(dlg.findChild<QPushButton*>("SendBtn")->toolTip(), "Send canalization to the equipment");
  EXPECT_EQ(dlg.findChild<QPushButton*>("ReceiveBtn")->toolTip(), "Receive plans from the equipment");
  // " -none-" chosen in a plan's combo stores no command.
  auto& editor = dlg.Editor();
  editor.NewBtnClick();
  ASSERT_EQ(editor.ReadCommandCombo(0, cv::cv4::CommandIndexOfMnemonic("SY07")), 1);
  EXPECT_STREQ(editor.GetSelectedPlan()->commands[0], "SY07");
  ASSERT_EQ(editor.ReadCommandCombo(0, cv::cv4::kNoCommand), 1);
  EXPECT_STREQ(editor.GetSelectedPlan()->commands[0], "");
  EXPECT_TRUE(editor.modified);
}

}  // namespace
