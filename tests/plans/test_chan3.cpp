#include <gtest/gtest.h>

#include <cstring>

#include "Chan3.h"

namespace {

TEST(Chan3, BuiltFromFrequencyWordAndTexts) {
  TChan3 f = TChan3::FromFrequency("C21", 471.25f, 8, 'T', "SY00", "UN0", "ME1");
  EXPECT_EQ(f.word, 10203u);
  EXPECT_STREQ(f.wordText, "27DB");
  EXPECT_EQ(f.word2, 10258);
  EXPECT_STREQ(f.word2Text, "2812");
  EXPECT_EQ(f.bandwidth, 8);
  EXPECT_STREQ(f.commands[0], "SY00");
  EXPECT_STREQ(f.commands[1], "");  // a terrestrial channel keeps one command
  EXPECT_STREQ(f.commands[2], "");

  TChan3 w = TChan3::FromWord("C21", 10203, 8, 'T');
  EXPECT_EQ(w.frequency, 471.25f);
  EXPECT_EQ(w.word2, 10258);

  // Half of 7 MHz is 3 in whole MHz: the upper edge is 35 words up and reads back as 6 MHz.
  TChan3 seven = TChan3::FromFrequency("C21", 471.25f, 7, 'T');
  EXPECT_EQ(seven.word2, 10203 + 35);
  TChan3 t = TChan3::FromTexts("C21", seven.wordText, seven.word2Text, 'T');
  EXPECT_EQ(t.bandwidth, 6);
  EXPECT_EQ(t.frequency, 471.25f);
  EXPECT_EQ(TChan3::FromTexts("C21", "27db", "2812", 'T').bandwidth, 8);

  EXPECT_EQ(TChan3::FromWord("Z", 0, 8, 'T').frequency, 48.25f);
  EXPECT_EQ(TChan3::FromWord("Z", 0x4664, 8, 'T').frequency, 48.25f);
  // From a frequency the value is kept even outside the range.
  EXPECT_EQ(TChan3::FromFrequency("Z", 900.0f, 8, 'T').frequency, 900.0f);
}

TEST(Chan3, SatelliteChannelHasNoSecondWordAndThreeCommands) {
  TChan3 s = TChan3::FromFrequency("ASTRA1", 1500.0f, 8, 'S', "LB1", "SY07", "SOB");
  EXPECT_EQ(s.word, 15836u);
  EXPECT_STREQ(s.wordText, "3DDC");
  EXPECT_EQ(s.word2, 0);
  EXPECT_STREQ(s.word2Text, "");
  EXPECT_EQ(s.bandwidth, 0);
  EXPECT_STREQ(s.commands[2], "SOB");
  TChan3 back = TChan3::FromTexts("ASTRA1", "3ddc", "ffff", 'S', "LB1", "SY07", "SOB");
  EXPECT_EQ(back.frequency, 1500.0f);
  EXPECT_EQ(back.word2, 0);
  EXPECT_EQ(back.bandwidth, 0);

  // Fields hold what their size allows.
  TChan3 longer = TChan3::FromWord("ABCDEFGHIJ", 15836, 0, 'S', "0123456789ABCDEFGH");
  EXPECT_STREQ(longer.name, "ABCDEFG");
  EXPECT_STREQ(longer.commands[0], "0123456789ABCDE");
}

TEST(Chan3, CopyChannelKeepsTheDestinationBandwidth) {
  TChan3 dest = TChan3::FromFrequency("A", 471.25f, 7, 'T');
  CopyChannel(dest, TChan3::FromFrequency("B", 479.25f, 8, 'T', "SY00"));
  EXPECT_STREQ(dest.name, "B");
  EXPECT_EQ(dest.frequency, 479.25f);
  EXPECT_STREQ(dest.commands[0], "SY00");
  EXPECT_EQ(dest.bandwidth, 7);
}

PlanInfo Marked() {
  PlanInfo p;
  CopyField(p.name, "OLD");
  p.channelCount = 77;
  return p;
}

TEST(PlanInfoReply, ParsesHeadersAndRefusesBadReplies) {
  PlanInfo p = Marked();
  ASSERT_TRUE(ParsePlanInfo("*JIEUROPE  0AT0000001\r", p));  // 21 characters, no commands
  EXPECT_STREQ(p.name, "EUROPE  ");
  EXPECT_STREQ(p.countText, "0A");
  EXPECT_EQ(p.channelCount, 10);
  EXPECT_EQ(p.band, 'T');
  EXPECT_STREQ(p.lnbText, "00000");
  EXPECT_EQ(p.lnbMHz, 0.0f);
  EXPECT_STREQ(p.codeText, "01");
  EXPECT_EQ(p.code, 1);
  EXPECT_STREQ(p.commands[0], "");

  ASSERT_TRUE(ParsePlanInfo("*JIASTRA   20S17CDCFF,LB5,SOF6A9AAAAAAAAAAAAAAA,UN0,ME1", p));
  EXPECT_EQ(p.band, 'S');
  EXPECT_EQ(p.channelCount, 32);
  EXPECT_EQ(p.lnbMHz, 9750.0f);
  EXPECT_EQ(p.code, 255);
  EXPECT_STREQ(p.commands[0], "LB5");
  EXPECT_STREQ(p.commands[1], "SOF6A9AAAAAAAAA");  // cut to 15
  EXPECT_STREQ(p.commands[2], "UN0");              // the fourth is never read

  const char* refused[] = {"*JI!!", "*JIEUROPE  0AT00000", "", "*JI"};
  for (const char* r : refused) {
    SCOPED_TRACE(r);
    PlanInfo q = Marked();
    EXPECT_FALSE(ParsePlanInfo(r, q));
    EXPECT_STREQ(q.name, "OLD");
    EXPECT_EQ(q.channelCount, 77);
  }

  PlanInfo x = Marked();
  EXPECT_FALSE(ParsePlanInfo("*JIEUROPE  0AX0000001", x));
  EXPECT_EQ(x.band, 'T');
  EXPECT_STREQ(x.name, "EUROPE  ");
  EXPECT_STREQ(x.lnbText, "");  // the rest is not read
}

TEST(ChannelReply, ParsesChannelsByPlanBand) {
  TChan3 c;
  ASSERT_TRUE(ParseChannelInfo("*CIC21 27DB2812,sy00,UN0", 'T', c));
  EXPECT_STREQ(c.name, "C21 ");
  EXPECT_EQ(c.word, 10203u);
  EXPECT_STREQ(c.wordText, "27DB");
  EXPECT_EQ(c.frequency, 471.25f);
  EXPECT_STREQ(c.word2Text, "2812");
  EXPECT_STREQ(c.commands[0], "SY00");  // upper-cased
  EXPECT_STREQ(c.commands[1], "");      // one command for a terrestrial plan

  ASSERT_TRUE(ParseChannelInfo("*CIAST13DDC0000,lb1,sy07,sob,me0", 'S', c));
  EXPECT_EQ(c.frequency, 1500.0f);
  EXPECT_STREQ(c.commands[1], "SY07");
  EXPECT_STREQ(c.commands[2], "SOB");

  ASSERT_TRUE(ParseChannelInfo("*CIC21 27DB2812", 'T', c));  // exactly 15: no commands
  EXPECT_STREQ(c.commands[0], "");

  // A terrestrial word in a satellite plan, and word 0: fallback frequency, failure.
  EXPECT_FALSE(ParseChannelInfo("*CIC21 27DB2812", 'S', c));
  EXPECT_EQ(c.frequency, 1500.0f);
  EXPECT_FALSE(ParseChannelInfo("*CIC21 00000000", 'T', c));
  EXPECT_EQ(c.frequency, 48.25f);

  for (const char* r : {"*CI!!", "*CIC21 27DB281", "*C"}) {
    SCOPED_TRACE(r);
    TChan3 keep = TChan3::FromWord("KEEP", 10203, 8, 'T');
    EXPECT_FALSE(ParseChannelInfo(r, 'T', keep));
    EXPECT_STREQ(keep.name, "KEEP");
    EXPECT_EQ(keep.word, 10203u);
  }
}

TEST(ChannelReply, QueryTexts) {
  EXPECT_EQ(PlanInfoQuery(10), "*?JI0A");
  EXPECT_EQ(ChannelInfoQuery(3, 31), "*?CI031F");
}

}  // namespace

namespace {

TEST(Chan3, FixWidthKeepsTheFirstWord) {
  const struct {
    const char* text;
    int width;
    const char* fixed;
  } cases[] = {{"  AB CD", 6, "  AB  "}, {"EUROPE", 8, "EUROPE  "}, {"C21 XYZ", 4, "C21 "},
               {"ABCDEFGHI", 8, "ABCDEFGH"}, {"   ", 4, "--"}, {"", 4, "--"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(FixWidth(c.text, c.width), c.fixed);
  }
}

}  // namespace
