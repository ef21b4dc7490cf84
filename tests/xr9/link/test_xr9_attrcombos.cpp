#include <gtest/gtest.h>

#include <QComboBox>
#include <QWidget>

#include "../../../plugins/xr9/plans/AttributeCombos.h"

using namespace cv::xr9;

TEST(Xr9AttributeCombos, EachBoxHoldsTheRowsOfItsCodeWithTheFirstSelected) {
  QWidget editor;
  const char* names[] = {"ComChanSYSComboBox",      "ComChanTYPEComboBox",  "ComChanLNBComboBox",
                         "ComChanSPINVComboBox",    "ComChanCONSTComboBox", "ComChanCARRIERSComboBox",
                         "ComChanGUARDComboBox",    "ComChanCRComboBox",    "ComPlanSYSComboBox",
                         "ComPlanTYPEComboBox",     "ComPlanLNBComboBox"};
  for (const char* n : names) {
    auto* box = new QComboBox(&editor);
    box->setObjectName(n);
    box->addItem("stale");
  }
  FillChannelAttributeCombos(editor);
  FillPlanAttributeCombos(editor);
  const struct {
    const char* name;
    int count;
    const char* first;
    const char* last;
  } expected[] = {{"ComChanSYSComboBox", 10, "PAL  BG", "SAT.ANLOG"},   {"ComChanTYPEComboBox", 8, "ANALOG", "DVB-S2"},
                  {"ComChanLNBComboBox", 8, "EXTERNAL LNB", "18V+22kHz LNB"},
                  {"ComChanSPINVComboBox", 2, "SP. INV. OFF", "SP. INV. ON"},
                  {"ComChanCONSTComboBox", 7, "16 QAM CONSTEL.", "8PSK CONSTEL."},
                  {"ComChanCARRIERSComboBox", 3, "8K CARRIERS", "4K CARRIERS"},
                  {"ComChanGUARDComboBox", 4, "1/4 GUARD", "1/32 GUARD"},
                  {"ComChanCRComboBox", 13, "1/2 CODE RATE", "9/10 CODE RATE"},
                  {"ComPlanSYSComboBox", 10, "PAL  BG", "SAT.ANLOG"},
                  {"ComPlanTYPEComboBox", 8, "ANALOG", "DVB-S2"},
                  {"ComPlanLNBComboBox", 8, "EXTERNAL LNB", "18V+22kHz LNB"}};
  for (const auto& e : expected) {
    auto* box = editor.findChild<QComboBox*>(e.name);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->count(), e.count) << e.name;
    EXPECT_EQ(box->itemText(0), e.first) << e.name;
    EXPECT_EQ(box->itemText(box->count() - 1), e.last) << e.name;
    EXPECT_EQ(box->currentIndex(), 0) << e.name;
  }
  // An item's position is the row's index among its code.
  auto* type = editor.findChild<QComboBox*>("ComChanTYPEComboBox");
  EXPECT_EQ(type->itemText(FindAttributeIndex(54, AttrType)), "DVB-S2");
}
