// The DV-800 editor's Save and Extract under every file-size limit of the save table: the chosen
// file is whole, or the old one stays and the modified mark with it.
#include <gtest/gtest.h>

#include "ChannelListEditor.h"
#include "Dv8PlanRig.h"
#include "SaveLimits.h"

using namespace dv8test;

namespace {

// Enough channels that a plan's file passes the write buffer.
PlanSlot LongPlan() {
  PlanSlot s = MakePlan("LONG.#1", 'T', 0);
  for (int i = 0; i < 120; ++i)
    s.Channels().push_back(Channel(BlockChannelName('C', i).c_str(), 47.0f + 6.0f * static_cast<float>(i), 8, 'T'));
  s.channelCount = 120;
  return s;
}

TEST(Dv8PlanSaveLimits, SaveAndExtractWriteWholeFilesOrKeepTheOldOnesAndTheMark) {
  Dv8EditorRig r;
  r.editor.planSlots[0] = LongPlan();
  r.editor.listIndex = 0;
  r.editor.planSelected = true;
  struct Case {
    const char* file;
    const char* savedLine;
    std::function<bool()> run;
  };
  const Case cases[] = {
      {"PLANS.PRO", "Plans saved to file", [&] { return r.editor.SaveBtnClick(); }},
      {"LONG.csv", "Saved CSV file", [&] { r.editor.ExtractBtnClick(); return true; }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.file);
    const std::string path = r.Path(c.file);
    cvtest::ExpectWholeOrOldFile(path, [&] {
      r.chooser.savePath = path;
      r.editor.modified = true;
      r.equip.log.clear();
      const bool done = c.run() && r.equip.Logged(c.savedLine);
      EXPECT_EQ(r.editor.modified, !done || std::string(c.file) == "LONG.csv");
      return done;
    });
  }
}

}  // namespace
