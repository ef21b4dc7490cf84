// Plan text files of the CORVANE-4 editor through Extract and Add, and a canalization save that
// fails at its write.
#include <gtest/gtest.h>

#include <fstream>

#include "Cv4PlanRig.h"
#include "FileSizeLimit.h"

namespace cv4test {
namespace {

std::string ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

void Write(const std::string& path, const std::string& text) { std::ofstream(path, std::ios::binary) << text; }

TEST(Cv4PlanText, ExtractThenAddGivesThePlanBackWithEitherSeparators) {
  struct Seps {
    char dec, list;
  } seps[] = {{',', ';'}, {'.', ','}};
  PlanSlot ter = Cv4Plan("A.B\"C#", 'T', 5);
  ter.Channels()[2] = TChan3::FromFrequency("\xE9t\xE9", 862.0f, 7, 'T');
  SortChannels(ter.Channels());
  PlanSlot sat = Cv4Plan(" SAT", 'S', 4, 0, 9750.0f);
  for (const Seps& s : seps) {
    for (const PlanSlot* plan : {&ter, &sat}) {
      SCOPED_TRACE(std::string(plan->name) + s.dec);
      Cv4EditorRig r;
      r.equip.dec = s.dec;
      r.equip.list = s.list;
      r.editor.planSlots[0] = *plan;
      r.editor.planSelected = true;
      r.editor.listIndex = 0;
      r.chooser.savePath = r.Path("P.csv");
      r.editor.ExtractBtnClick();
      ASSERT_TRUE(r.equip.Logged("Saved CSV file P.csv"));
      r.editor.modified = false;
      r.chooser.openPath = r.Path("P.csv");
      r.editor.AddBtnClick();
      const PlanSlot& back = r.editor.planSlots[1];
      ASSERT_TRUE(back.HoldsPlan());
      EXPECT_TRUE(r.editor.modified);
      EXPECT_EQ(back.origin, PlanSlot::FromTextFile);
      EXPECT_STREQ(back.name, ScriptSafeName(plan->name).c_str());
      EXPECT_EQ(back.band, plan->band);
      EXPECT_EQ(back.lnbMHz, plan->lnbMHz);
      for (const auto& c : back.commands) EXPECT_STREQ(c, "0xFFFF");
      ASSERT_EQ(back.Channels().size(), plan->Channels().size());
      for (size_t i = 0; i < back.Channels().size(); ++i) EXPECT_EQ(back.Channels()[i].word, plan->Channels()[i].word);
      // The placeholders are no command: the plan is written with none.
      r.chooser.savePath = r.Path("ALL.PRO");
      ASSERT_TRUE(r.editor.SaveBtnClick());
      EXPECT_NE(ReadAll(r.Path("ALL.PRO")).find(", 0xFFFF, 0xFFFF, 0xFFFF)"), std::string::npos);
      // And the saved canalization reads back with the same names (the script keeps no padding).
      auto trimmed = [](std::string t) {
        t.erase(0, t.find_first_not_of(' '));
        t.erase(t.find_last_not_of(' ') + 1);
        return t;
      };
      const std::string name = trimmed(back.name);
      r.chooser.openPath = r.Path("ALL.PRO");
      r.editor.ReadBtnClick();
      ASSERT_TRUE(r.editor.planSlots[1].HoldsPlan()) << r.equip.log.back();
      EXPECT_EQ(trimmed(r.editor.planSlots[0].name), name);
      EXPECT_EQ(trimmed(r.editor.planSlots[1].name), name);
      for (size_t i = 0; i < plan->Channels().size(); ++i)
        EXPECT_EQ(r.editor.planSlots[1].Channels()[i].word, plan->Channels()[i].word);
    }
  }
}

std::string TerFile(int channels, const char* band = "T", double first = 47.0) {
  std::string text = "# a plan\nPLAN;" + std::string(band) + "\n";
  for (int i = 0; i < channels; ++i)
    text += "C" + std::to_string(i) + ";" + std::to_string(first + i).substr(0, 6) + ";8\n";
  return text;
}

TEST(Cv4PlanText, AddRefusesAndTruncates) {
  struct Case {
    const char* what;
    std::string text;
    bool added;
    size_t channels;
    const char* shown;
  } cases[] = {
      {"130 channels", TerFile(130), true, 128, "Maximum number of channels reached\nThis plan will be truncated"},
      {"a DAB plan", TerFile(3, "D"), false, 0, "These channels cannot be loaded"},
      {"a terrestrial channel above 862 MHz", TerFile(3, "T", 860.5), false, 0, "( 5) C2;862.5"},
      {"a satellite IF below 900 MHz", "P;S;9750\nA;10649.9\n", false, 0, "( 2) A;10649.9"},
      {"a frequency far outside", "P;T\nA;-4740\n", false, 0, "( 2) A;-4740"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Cv4EditorRig r;
    Write(r.Path("P.csv"), c.text);
    r.chooser.openPath = r.Path("P.csv");
    r.editor.AddBtnClick();
    EXPECT_EQ(r.editor.planSlots[0].HoldsPlan(), c.added);
    EXPECT_EQ(r.editor.planSlots[0].Channels().size(), c.channels);
    EXPECT_TRUE(r.prompter.Shown(c.shown));
    if (!c.added) {
      EXPECT_TRUE(r.equip.Logged("Couldn't finish load of CSV file P.csv"));
    }
  }
}

TEST(Cv4PlanText, ASaveFailingAtItsWriteKeepsTheOldFileAndTheModifiedMark) {
  Cv4EditorRig r;
  r.editor.planSlots[0] = Cv4Plan("T", 'T', 100, 1);
  r.editor.planSelected = true;
  r.editor.modified = true;
  const std::string pro = r.Path("PLANS.PRO");
  Write(pro, "old\n");
  r.chooser.savePath = pro;
  for (rlim_t limit : {64, 5000}) {  // below and above the write buffer
    {
      cvtest::FileSizeLimit cap(limit);
      EXPECT_FALSE(r.editor.SaveBtnClick()) << limit;
    }
    EXPECT_TRUE(r.editor.modified);
    EXPECT_EQ(ReadAll(pro), "old\n");
  }
  ASSERT_TRUE(r.editor.SaveBtnClick());
  EXPECT_FALSE(r.editor.modified);
  EXPECT_EQ(ReadAll(pro), ReadAll(r.Path(cv::cv4::kCv4TempScript)));
}

}  // namespace
}  // namespace cv4test
