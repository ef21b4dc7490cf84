#include <gtest/gtest.h>

#include "Xr9Attributes.h"
#include "Xr9Plan.h"

using namespace cv::xr9;

namespace {

TChanAttribute Rec(uint8_t code, uint8_t b0, uint8_t b1, uint8_t b2, uint8_t b3) {
  TChanAttribute a;
  a.code = code;
  a.value[0] = b0, a.value[1] = b1, a.value[2] = b2, a.value[3] = b3;
  return a;
}

TEST(Xr9Attributes, RecordsShowTheirTextAndId) {
  struct Case {
    TChanAttribute rec;
    const char* text;
    int id;
  } cases[] = {
      {Rec(4, 0x40, 0x1F, 0, 0), "8.00 MHz BW", 22},
      {TChanAttribute::Of(5, 27500000), "27500 SYMB.RATE", 23},
      {TChanAttribute::Of(5, 999), "    0 SYMB.RATE", 23},
      {TChanAttribute::Of(10, uint32_t(-125)), " -125 FR OFFSET", 37},
      {Rec(1, 1, 2, 0, 0), "PAL  DK", 1},
      {Rec(1, 1, 2, 0, 1), "", -1},
      {Rec(3, 3, 1, 0, 0), "", -1},  // 15 V with the tone: allowed, but no row
      {Rec(2, 7, 0, 0, 0), "DVB-S2", 54},
      {Rec(11, 0x0C, 0, 0, 0), "9/10 CODE RATE", 53},
      {Rec(8, 2, 0, 0, 0), "4K CARRIERS", 57},
      {Rec(12, 0, 0, 0, 0), "", -1},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(AttributeToText(c.rec), c.text) << int(c.rec.code);
    EXPECT_EQ(AttributeIdOf(c.rec), c.id) << c.text;
  }
}

TEST(Xr9Attributes, LookupsByIdAndCode) {
  EXPECT_EQ(FindAttributeIndex(54, 2), 7);
  EXPECT_EQ(FindAttributeIndex(45, 2), 4);
  EXPECT_EQ(FindAttributeIndex(10, 3), -1);
  EXPECT_EQ(FindAttributeIndex(10, 2), 0);
  EXPECT_EQ(FindAttributeIndex(21, 3), 7);
  EXPECT_EQ(AttributeCodeOfId(57), 8);
  EXPECT_EQ(AttributeCodeOfId(59), 255);
  EXPECT_EQ(AttributeById(59), nullptr);
  ASSERT_NE(AttributeById(0), nullptr);
  EXPECT_STREQ(AttributeById(0)->name, "PAL  BG");

  EXPECT_FALSE(IsNonDvbSignalType(7));
  EXPECT_TRUE(IsNonDvbSignalType(3));
  EXPECT_TRUE(IsNonDvbSignalType(8));
  EXPECT_TRUE(IsNonDvbSignalType(4));
  for (uint8_t dvb : {0, 1, 2}) EXPECT_FALSE(IsNonDvbSignalType(dvb));
}

// Every row's own record finds the row again, and the combo items of each code stand in table
// order, so a swapped or mistyped row shows.
TEST(Xr9Attributes, EveryRowMatchesItsOwnRecordInTableOrder) {
  for (const TAttributeEntry& row : AttributeTable) {
    TChanAttribute rec = Rec(row.code, row.value[0], row.value[1], row.value[2], row.value[3]);
    if (row.code == 255) continue;  // the marker row is never matched by a list record
    EXPECT_EQ(AttributeIdOf(rec), row.id) << row.name;
    const std::vector<std::string> names = AttributeNamesOfCode(row.code);
    int index = FindAttributeIndex(row.id, row.code);
    ASSERT_GE(index, 0) << row.name;
    EXPECT_EQ(names[size_t(index)], row.name);
  }
  EXPECT_EQ(AttributeNamesOfCode(2), (std::vector<std::string>{"ANALOG", "DVB-T/H", "DVB-C", "DVB-S", "8-VSB",
                                                               "ITU J.83B", "DSS", "DVB-S2"}));
  EXPECT_EQ(AttributeNamesOfCode(3), (std::vector<std::string>{"EXTERNAL LNB", "5V LNB", "13V LNB", "15V LNB",
                                                               "18V LNB", "24V LNB", "13V+22kHz LNB",
                                                               "18V+22kHz LNB"}));
  EXPECT_EQ(AttributeNamesOfCode(1).front(), "PAL  BG");
  EXPECT_EQ(AttributeNamesOfCode(1).size(), 10u);
  EXPECT_EQ(AttributeNamesOfCode(7).back(), "8PSK CONSTEL.");
  EXPECT_EQ(AttributeNamesOfCode(11).size(), 13u);
  EXPECT_EQ(AttributeNamesOfCode(8), (std::vector<std::string>{"8K CARRIERS", "2K CARRIERS", "4K CARRIERS"}));
}

TEST(Xr9Attributes, ChannelSearchesStopAtTheMarkerAndTheLastRecordWinsTheText) {
  TChanXR9 chan("CH", 1, 2,
                {TChanAttribute::Of(2, 0), TChanAttribute::Of(4, 7000), TChanAttribute::Of(4, 8000)});
  chan.attrs1[4] = TChanAttribute::Of(1, 0x0101);  // after the marker: not part of the list
  TChanAttribute out;
  FindChannelAttribute(chan, 4, out);
  EXPECT_EQ(out, TChanAttribute::Of(4, 7000));
  EXPECT_EQ(ChannelAttributeText(chan, 4), "8.00 MHz BW");
  FindSysAttribute(chan, out);
  EXPECT_EQ(out.code, 255);
  EXPECT_EQ(ChannelAttributeText(chan, 1), "");
  FindTypeAttribute(chan, out);
  EXPECT_EQ(AttributeToText(out), "DVB-T/H");

  TPlanXR9 plan;
  plan.Attributes[0] = TChanAttribute::Of(3, 0x0104);
  FindPlanAttribute(plan, 3, out);
  EXPECT_EQ(AttributeToText(out), "18V+22kHz LNB");
  FindPlanAttribute(plan, 2, out);
  EXPECT_TRUE(out.IsMarker());
}

}  // namespace
