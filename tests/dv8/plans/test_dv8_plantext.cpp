// The DV-800 plan text file through the editor's Extract and Add paths: golden files in both
// separator pairs, the plans read back, and what the reader refuses, cuts or takes otherwise.
#include <gtest/gtest.h>

#include "Dv8PlanRig.h"
#include "FileSizeLimit.h"

namespace dv8test {
namespace {

// Channel lines under a plan line, written as a person would type them.
std::string TextFile(const std::string& planLine, const std::vector<std::string>& channels) {
  std::string text = "# typed by hand\n" + planLine + "\n";
  for (const auto& c : channels) text += c + "\n";
  return text;
}

TEST(Dv8PlanText, GoldenFilesInBothSeparatorPairsReadBack) {
  struct Case {
    char dec, list;
    int slot;
    const char* golden;
  } cases[] = {{',', ';', 0, "plan_semicolon.csv"}, {'.', ',', 2, "plan_comma.csv"}, {',', ';', 5, "plan_sat.csv"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.golden);
    Dv8EditorRig r;
    r.equip.dec = c.dec;
    r.equip.list = c.list;
    r.editor.planSlots = GoldenPlans();
    const std::string path = r.Path("PLAN.csv");
    ASSERT_TRUE(r.editor.WritePlanTextFile(path, r.editor.planSlots[c.slot]));
    ExpectGolden(ReadAll(path), c.golden);
    if (r.editor.planSlots[c.slot].band == 'S') continue;  // the reader takes terrestrial plans only
    ASSERT_TRUE(r.editor.ReadPlanTextFile(path, 7));
    const PlanSlot& back = r.editor.planSlots[7];
    const PlanSlot& written = r.editor.planSlots[c.slot];
    EXPECT_STREQ(back.name, written.name);
    EXPECT_EQ(back.band, 'T');
    EXPECT_EQ(back.origin, PlanSlot::FromTextFile);
    EXPECT_EQ(back.channelCount, static_cast<int>(written.Channels().size()));
    ASSERT_EQ(back.Channels().size(), written.Channels().size());
    for (size_t i = 0; i < back.Channels().size(); ++i) {
      EXPECT_STREQ(back.Channels()[i].name, written.Channels()[i].name);
      EXPECT_EQ(back.Channels()[i].word, written.Channels()[i].word);
      EXPECT_EQ(back.Channels()[i].bandwidth, written.Channels()[i].bandwidth);
      EXPECT_STREQ(back.Channels()[i].commands[0], "0xFFFF");
    }
    EXPECT_TRUE(r.editor.modified);
    EXPECT_TRUE(r.equip.Logged("Plan loaded from PLAN.csv"));
    EXPECT_EQ(r.view.zone.size(), 1 + back.Channels().size());
    EXPECT_EQ(r.view.zone[0].rfind("Plan:( ", 0), 0u) << r.view.zone[0];
  }
}

TEST(Dv8PlanText, ReaderCases) {
  std::vector<std::string> many;
  for (int i = 0; i < 200; ++i) many.push_back("C" + std::to_string(i) + ";" + std::to_string(48 + i) + ",25;8");
  struct Case {
    const char* what;
    std::string text;
    bool ok;
    size_t channels;
    const char* box;  // the box shown, nullptr none
    const char* caption;
  } cases[] = {
      {"band s", TextFile("SAT;s;9750,0", {"S1;11200,00"}), false, 0, "These channels cannot be loaded",
       "CvTools Error"},
      {"band D", TextFile("DAB;D", {"5A;174,93;2"}), false, 0, "These channels cannot be loaded", "CvTools Error"},
      {"200 channels", TextFile("MANY;T", many), true, 128,
       "Maximum number of channels reached\nThis plan will be truncated", "Warning"},
      {"band X loads as terrestrial", TextFile("ODD;X", {"LONGER;471,25;7", "B;48,25;8"}), true, 2, nullptr, nullptr},
      {"no channel", TextFile("NONE;T", {}), false, 0, nullptr, nullptr},
      {"frequency above 862 MHz", TextFile("P;T", {"A;471,25;8", "B;862,05;8"}), false, 0,
       "Bad data in line:\n( 4) B;862,05;8", "CvTools Error"},
      {"frequency that is no number", TextFile("P;T", {"A;47l,25;8"}), false, 0, "Bad data in line:\n( 3) A;47l,25;8",
       "CvTools Error"},
      {"bandwidth missing", TextFile("P;T", {"A;471,25"}), false, 0, "Bad data in line:\n( 3) A;471,25",
       "CvTools Error"},
      {"bandwidth 255", TextFile("P;T", {"A;471,25;255"}), true, 1, nullptr, nullptr},
      {"bandwidth 256", TextFile("P;T", {"A;471,25;255", "B;479,25;256"}), false, 0,
       "Bad data in line:\n( 4) B;479,25;256", "CvTools Error"},
      {"exactly 128 channels: whole, no warning",
       TextFile("FULL;T", std::vector<std::string>(many.begin(), many.begin() + 128)), true, 128, nullptr, nullptr},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Dv8EditorRig r;
    r.editor.planSlots[3] = MakePlan("KEEP", 'T', 2);
    const std::string path = r.Path("IN.csv");
    std::ofstream(path, std::ios::binary) << c.text;
    EXPECT_EQ(r.editor.ReadPlanTextFile(path, 3), c.ok);
    ASSERT_EQ(r.prompter.Boxes().size(), c.box ? 1u : 0u);
    if (c.box) {
      EXPECT_EQ(r.prompter.Boxes()[0].text, c.box);
      EXPECT_EQ(r.prompter.Boxes()[0].caption, c.caption);
    }
    const PlanSlot& slot = r.editor.planSlots[3];
    if (c.ok) {
      EXPECT_EQ(slot.band, 'T');
      ASSERT_EQ(slot.Channels().size(), c.channels);
      EXPECT_EQ(slot.channelCount, static_cast<int>(c.channels));
      EXPECT_EQ(std::string(slot.countText), cv::plan::Hex(c.channels, 2));  // 128: "80"
    } else if (c.box && std::string(c.caption) == "CvTools Error") {
      // A refused file leaves the slot as it was and says so in the host log.
      EXPECT_STREQ(slot.name, "KEEP");
      EXPECT_TRUE(r.equip.Logged("Error loading file IN.csv"));
    } else {
      EXPECT_FALSE(slot.HoldsPlan());  // no channel: the slot is empty
    }
  }
  // Names: a plan's first 8 characters, a channel's first 5; the bandwidth as written.
  Dv8EditorRig r;
  std::ofstream(r.Path("X.csv"), std::ios::binary) << TextFile("ODDPLANNAME;X", {"LONGER;471,25;7"});
  ASSERT_TRUE(r.editor.ReadPlanTextFile(r.Path("X.csv"), 0));
  EXPECT_STREQ(r.editor.planSlots[0].name, "ODDPLANN");
  EXPECT_STREQ(r.editor.planSlots[0].Channels()[0].name, "LONGE");
  EXPECT_EQ(r.editor.planSlots[0].Channels()[0].bandwidth, 7);
}

TEST(Dv8PlanText, FilesThatCannotBeOpenedOrWritten) {
  Dv8EditorRig r;
  r.editor.planSlots = GoldenPlans();
  EXPECT_FALSE(r.editor.ReadPlanTextFile(r.Path("MISSING.csv"), 0));
  EXPECT_TRUE(r.prompter.Shown("Couldn't open file " + r.Path("MISSING.csv")));
  EXPECT_TRUE(r.equip.Logged("Couldn't open file "));
  EXPECT_STREQ(r.editor.planSlots[0].name, "TEST");

  // A write that fails part-way keeps the file that was there; the message names the path.
  const std::string path = r.Path("OLD.csv");
  std::ofstream(path, std::ios::binary) << "old";
  r.editor.planSlots[0].Channels().assign(100, Channel("C", 500.0f, 8, 'T'));
  {
    cvtest::FileSizeLimit limit(64);
    EXPECT_FALSE(r.editor.WritePlanTextFile(path, r.editor.planSlots[0]));
  }
  EXPECT_EQ(ReadAll(path), "old");
  EXPECT_TRUE(r.prompter.Shown("Couldn't create file " + path));
  EXPECT_TRUE(r.equip.Logged("Couldn't create file " + path));
}

}  // namespace
}  // namespace dv8test
