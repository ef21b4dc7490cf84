// The CORVANE-4 channel list and block dialogs through their controllers: this family's bands,
// block names and limits.
#include <gtest/gtest.h>

#include <optional>

#include "ChannelListEditor.h"
#include "Commands4.h"
#include "Cv4PlanFamily.h"

namespace {

using cv::cv4::Cv4PlanFamily;
using Exit = ChannelListEditor::Exit;

PlanSlot Plan(char band, float lnb, int channels) {
  PlanSlot s;
  NewPlan(s);
  s.band = band;
  s.lnbMHz = lnb;
  for (int i = 0; i < channels; ++i)
    s.Channels().push_back(TChan3::FromFrequency("C", band == 'S' ? 950.0f + i : 47.0f + i, 8, band));
  s.channelCount = channels;
  return s;
}

// The one band test of every family's channels, on each family's range record.
TEST(Cv4Channels, BandTestIncludesBothEnds) {
  struct Case {
    char band;
    double mhz;
    bool in;
    const cv::FamilyRanges* ranges = &cv::kCorvane4Ranges;
  } cases[] = {{'T', 5.0, true},      {'T', 4.99, false},  {'T', 862.0, true},  {'T', 862.05, false},
               {'S', 900.0, true},    {'S', 899.9, false}, {'S', 2150.0, true}, {'S', 2150.05, false},
               {'D', 200.0, false},   {'t', 470.0, false}, {'\0', 470.0, false},
               // The CORVANE-PLENAR's DAB channels, coded as terrestrial.
               {'D', 200.0, true, &cv::kPlenarRanges}, {'D', 862.05, false, &cv::kPlenarRanges},
               {'d', 200.0, false, &cv::kPlenarRanges}, {'S', 899.9, false, &cv::kPlenarRanges},
               // The CORVANE-2's channel dialogs from 45 MHz.
               {'T', 45.0, true, &cv::kCorvane2Ranges}, {'T', 44.95, false, &cv::kCorvane2Ranges},
               {'D', 200.0, false, &cv::kCorvane2Ranges},
               // The CORVANE-3 takes any letter as terrestrial, its satellite band from 862.1.
               {'X', 470.0, true, &cv::kCorvane3Ranges}, {'S', 862.1, true, &cv::kCorvane3Ranges}};
  for (const Case& c : cases)
    EXPECT_EQ(cv::ChannelInBand(c.band, c.mhz, *c.ranges), c.in) << c.band << " " << c.mhz;
}

TEST(Cv4Channels, TypedFrequencyIsCheckedInTheFamilyBand) {
  struct Case {
    char band;
    float lnb;
    const char* typed;
    Exit result;
  } cases[] = {
      {'T', 0, "862", Exit::Changed},        {'T', 0, "862.05", Exit::Refused},
      {'T', 0, "5", Exit::Changed},          {'T', 0, "4.99", Exit::Refused},
      {'S', 9750, "10649.9", Exit::Refused},  // IF 899.9, which the CORVANE-3 takes
      {'S', 9750, "10650", Exit::Changed},   {'S', 9750, "11900", Exit::Changed},
      {'S', 9750, "11900.1", Exit::Refused}, {'T', 0, "471.25123456", Exit::Changed},  // cut to 8 characters
  };
  for (const Case& c : cases) {
    ChannelListEditor editor(Plan(c.band, c.lnb, 1), Cv4PlanFamily());
    editor.Select(0);
    const float before = editor.Channels()[0].frequency;
    EXPECT_EQ(editor.ReadFrequency(c.typed), c.result) << c.typed;
    if (c.result == Exit::Refused) {
      EXPECT_EQ(editor.Channels()[0].frequency, before) << c.typed;
    }
  }
  ChannelListEditor cut(Plan('T', 0, 1), Cv4PlanFamily());
  cut.Select(0);
  cut.ReadFrequency("471.25123456");
  EXPECT_EQ(cut.FrequencyText(), "471.25");
}

TEST(Cv4Channels, BlockNamesWrapAfter999) {
  ChannelListEditor editor(Plan('T', 0, 0), Cv4PlanFamily());
  BlockSettings block = editor.NewBlockSettings();
  EXPECT_EQ(block.firstChar, 'A');
  EXPECT_EQ(block.firstIndex, 0);
  EXPECT_EQ(block.quantity, 2);
  EXPECT_EQ(block.firstFreq, 471.25f);
  EXPECT_EQ(block.step, 8.0f);
  block.firstIndex = 998;
  block.quantity = 5;
  ASSERT_EQ(editor.GenerateBlock(block), 5);
  std::vector<std::string> names;
  for (const TChan3& c : editor.Channels()) names.emplace_back(c.name);
  EXPECT_EQ(names, (std::vector<std::string>{"A998", "A999", " A00", " A01", " A02"}));
  for (const TChan3& c : editor.Channels()) {
    EXPECT_EQ(c.bandwidth, 8);
    EXPECT_STREQ(c.commands[0], "");
  }
  EXPECT_EQ(ChannelListEditor(Plan('S', 9750, 0), Cv4PlanFamily()).NewBlockSettings().firstFreq, 1500.0f);
}

TEST(Cv4Channels, BlockStopsAtTheBandEndAndAtTheFullPlan) {
  ChannelListEditor high(Plan('T', 0, 0), Cv4PlanFamily());
  BlockSettings block = high.NewBlockSettings();
  block.firstFreq = 860.0f;
  block.quantity = 5;
  EXPECT_EQ(high.GenerateBlock(block), 1);

  ChannelListEditor full(Plan('T', 0, 127), Cv4PlanFamily());
  EXPECT_TRUE(full.CanAddChannels());
  block.firstFreq = 500.0f;
  EXPECT_EQ(full.GenerateBlock(block), 1);
  EXPECT_EQ(full.Count(), 128);
  EXPECT_FALSE(full.CanAddChannels());  // Block is no longer offered
}

TEST(Cv4Channels, BlockQuantityTakesOneTo128) {
  BlockSettings settings;
  settings.quantity = 7;
  ChannelBlockEditor block(settings, 'T', 0);
  std::optional<std::string> restore;
  for (const char* refused : {"0", "129", "-1"}) {
    EXPECT_FALSE(block.ReadQuantity(refused, restore)) << refused;
    EXPECT_EQ(restore, std::optional<std::string>("7")) << refused;
  }
  EXPECT_TRUE(block.ReadQuantity("128", restore));
  EXPECT_FALSE(restore);
  EXPECT_TRUE(block.ReadQuantity("1", restore));
  EXPECT_EQ(settings.quantity, 1);
}

TEST(Cv4Channels, CommandCombosUseTheFamilyTable) {
  PlanSlot sat = Plan('S', 9750, 1);
  ChannelListEditor editor(sat, Cv4PlanFamily());
  editor.Select(0);
  const TCommandTable& table = *Cv4PlanFamily().commands;
  EXPECT_EQ(editor.CommandRow(2), table.NoCommandRow());
  const int row = table.IndexOfMnemonic("SY06");
  ASSERT_NE(row, table.NoCommandRow());
  EXPECT_EQ(editor.ReadCommand(2, row), Exit::Changed);
  EXPECT_STREQ(editor.Channels()[0].commands[2], "SY06");
  EXPECT_EQ(editor.ReadCommand(2, table.NoCommandRow()), Exit::Changed);
  EXPECT_STREQ(editor.Channels()[0].commands[2], "");
}

}  // namespace
