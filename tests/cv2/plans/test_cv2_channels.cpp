// The CORVANE-2 channel list and block generator through their controllers: the family's bands
// on typed frequencies and blocks, satellite frequencies through the C-band rule both ways, the
// satellite block default; and the channel dialog's combos of the 44-row table.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>

#include "ChannelListEditor.h"
#include "Chandlg.h"
#include "Commands2.h"
#include "Cv2PlanRig.h"

namespace {

using cv::cv2::Cv2PlanFamily;
using cv2test::OneChannelPlan;

PlanSlot EmptyPlan(char band, float lnb) {
  PlanSlot plan = OneChannelPlan(band, lnb);
  plan.Channels().clear();
  plan.channelCount = 0;
  return plan;
}

TEST(Cv2Channels, TypedFrequenciesAndBlocks) {
  using Exit = ChannelListEditor::Exit;
  const cv2test::TypedFrequency typed[] = {
      {'T', 0.0f, "44.99", Exit::Refused, 471.25f, "  T1 (471.25)"},
      {'T', 0.0f, "45.00", Exit::Changed, 45.0f, "  T1 (45.00)"},
      {'T', 0.0f, "862.00", Exit::Changed, 862.0f, "  T1 (862.00)"},
      {'T', 0.0f, "862.01", Exit::Refused, 471.25f, "  T1 (471.25)"},
      {'S', 5150.0f, "3950.00", Exit::Changed, 1200.0f, "  S1 (3950.00)"},
      {'S', 5150.0f, "4250.01", Exit::Refused, 1500.0f, "  S1 (3650.00)"},  // IF 899.99
      {'S', 5150.0f, "3000", Exit::Changed, 2150.0f, "  S1 (3000.00)"},
      {'S', 9750.0f, "10950.00", Exit::Changed, 1200.0f, "  S1 (10950.00)"},
      {'S', 9750.0f, "10649.99", Exit::Refused, 1500.0f, "  S1 (11250.00)"},
      {'S', 9750.0f, "11900", Exit::Changed, 2150.0f, "  S1 (11900.00)"},
      {'S', 9750.0f, "11900.01", Exit::Refused, 1500.0f, "  S1 (11250.00)"},
      {'S', 5000.0f, "6200", Exit::Changed, 1200.0f, "  S1 (6200.00)"},  // 5000 is no C-band oscillator
  };
  cv2test::ExpectTypedFrequencies(Cv2PlanFamily(), typed);

  struct Block {
    char band;
    float lnb;
    const char* proposed;   // the block dialog's initial frequency
    const char* firstFreq;  // typed over it (nullptr: kept)
    int made;
  };
  const Block blocks[] = {
      {'S', 9750.0f, "11250.00", nullptr, 2},
      {'S', 5150.0f, "3650.00", nullptr, 2},
      {'T', 0.0f, "471.25", nullptr, 2},
      {'T', 0.0f, "471.25", "44.00", 0},  // its first channel lies below 45 MHz
      {'T', 0.0f, "471.25", "854.00", 2},
      {'T', 0.0f, "471.25", "856.00", 1},  // the second would be 864
  };
  for (const Block& b : blocks) {
    SCOPED_TRACE(std::string(1, b.band) + " " + std::to_string(b.lnb) + " " + (b.firstFreq ? b.firstFreq : "-"));
    ChannelListEditor editor(EmptyPlan(b.band, b.lnb), Cv2PlanFamily());
    BlockSettings block = editor.NewBlockSettings();
    ChannelBlockEditor form(block, b.band, b.lnb, Cv2PlanFamily());
    EXPECT_EQ(form.ShowBlock().initFreq, b.proposed);
    if (b.firstFreq) form.ReadInitFreq(b.firstFreq);
    EXPECT_EQ(editor.GenerateBlock(block), b.made);
    EXPECT_EQ(editor.Count(), b.made);
  }
  // The satellite block starts at the stored value 1500 whatever the oscillator.
  ChannelListEditor sat(EmptyPlan('S', 5150.0f), Cv2PlanFamily());
  EXPECT_FLOAT_EQ(sat.NewBlockSettings().firstFreq, 1500.0f);
}

// A channel below 45 MHz that a plan text file or a script brought in stays where it is in the
// channel dialog's working copy, though the family's record reads such a word as 48.25 MHz: the
// plan check decides on it, and OK must not move it.
TEST(Cv2Channels, TheWorkingCopyKeepsAChannelBelow45MHz) {
  PlanSlot plan = cv2test::Plan("LOW", 'T', 0, 1, {cv2test::Channel("  C1", 40.0f, 8, 'T')});
  const PlanSlot copy = cv::plan::DeepCopyPlan(plan, Cv2PlanFamily());
  ASSERT_EQ(copy.Channels().size(), 1u);
  EXPECT_FLOAT_EQ(copy.Channels()[0].frequency, 40.0f);
  EXPECT_EQ(copy.Channels()[0].word, plan.Channels()[0].word);
  ChannelListEditor editor(plan, Cv2PlanFamily());
  EXPECT_EQ(editor.ListLine(0), "  C1 (40.00)");
}

TEST(Cv2Channels, TheChannelDialogListsTheFamilysCommands) {
  PlanSlot plan = OneChannelPlan('S', 5150.0f);
  TChannelsDlg dlg(nullptr, plan, nullptr, Cv2PlanFamily());
  for (QComboBox* combo : {dlg.Comm1Combo, dlg.Comm2Combo, dlg.Comm3Combo}) {
    ASSERT_EQ(combo->count(), cv::cv2::kCommandRows);
    EXPECT_EQ(combo->currentIndex(), cv::cv2::kNoCommand);
    EXPECT_EQ(combo->itemText(41), "Meas BER (COFDM)");
  }
  dlg.ChanListBox->setCurrentRow(0);
  EXPECT_EQ(dlg.FreqEdit->text(), "3650.00");
  EXPECT_EQ(dlg.ChanListBox->item(0)->text(), "  S1 (3650.00)");
}

}  // namespace
