// The CORVANE-4 plan text file written by Extract under every file-size limit of the save table:
// the file is whole, or the old one stays; the editor's modified mark is never cleared by it.
#include <gtest/gtest.h>

#include "Cv4PlanRig.h"
#include "SaveLimits.h"

using namespace cv4test;

TEST(Cv4PlanSaveLimits, ExtractWritesTheWholePlanFileOrKeepsTheOldOneAndTheMark) {
  Cv4EditorRig r;
  // A satellite plan with three commands a channel, past the write buffer.
  r.editor.planSlots[0] = Cv4Plan("ASTRA", 'S', 120, 3, 9750.0f);
  r.editor.listIndex = 0;
  r.editor.planSelected = true;
  const std::string csv = r.Path("A.csv");
  cvtest::ExpectWholeOrOldFile(csv, [&] {
    r.chooser.savePath = csv;
    r.editor.modified = true;
    r.equip.log.clear();
    r.editor.ExtractBtnClick();
    EXPECT_TRUE(r.editor.modified);
    return r.equip.Logged("Saved CSV file");
  });
}
