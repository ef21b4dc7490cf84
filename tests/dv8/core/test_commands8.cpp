// The DV-800 command table's lookups and the channel record's edge values.
#include <gtest/gtest.h>

#include "ChanDV8.h"
#include "Commands8.h"

using namespace cv::dv8;

TEST(Commands8, LayoutHoldsAsTheMeterNumbersIt) {
  const CommandLookups& t = kDv8Lookups;
  // Offsets run 2 bytes a row and 4 after a row with a parameter; the last row ends the list.
  uint16_t next = 0;
  for (int row = 0; row < cv::dv8::kNoCommand; ++row) {
    EXPECT_EQ(t.CommandPlanOffset(row), next) << row;
    next = static_cast<uint16_t>(next + (t.CommandHasParameter(row) ? 4 : 2));
    EXPECT_EQ(t.IndexOfMnemonic(t.CommandMnemonic(row)), row) << row;  // mnemonics are unique
  }
  EXPECT_EQ(next, 82);
  EXPECT_STREQ(t.CommandDescription(cv::dv8::kNoCommand), " -none-");
  EXPECT_STREQ(t.CommandMnemonic(cv::dv8::kNoCommand), "");
  EXPECT_EQ(t.CommandCode(cv::dv8::kNoCommand), 0xFFFF);
  EXPECT_EQ(t.CommandPlanOffset(cv::dv8::kNoCommand), 0xFFFF);
  EXPECT_EQ(t.CommandPlanOffset(40), 0xFFFF);  // an index past the end reads the last row
  EXPECT_STREQ(t.CommandDescription(40), " -none-");
  EXPECT_STREQ(t.CommandMnemonic(37), "");
  EXPECT_EQ(t.CommandCode(37), 0xFFFF);
  EXPECT_EQ(t.CommandParameter(37), 0);
  EXPECT_FALSE(t.CommandHasParameter(37));
  // Rows out of code order, as the meter numbers them.
  EXPECT_STREQ(t.CommandMnemonic(6), "SY13");
  EXPECT_STREQ(t.CommandMnemonic(3), "SY04");
  EXPECT_EQ(t.CommandCode(10), 0x3701);
  EXPECT_STREQ(t.CommandDescription(10), "Video neg");
  EXPECT_EQ(t.CommandParameter(29), 0x02BC);
  EXPECT_EQ(t.CommandParameter(25), 0);
}

TEST(Commands8, LookupEdgeCases) {
  const CommandLookups& t = kDv8Lookups;
  struct {
    const char* mnemonic;
    int index;
    int16_t offset;
    int32_t code;
  } byMnemonic[] = {
      {"SY00", 0, 0, 0x0100},   {"SOF6A9", 24, 50, 0x020F}, {"UN0", 25, 54, 0x0600},
      {"CW0320", 30, 68, 0x1F00}, {"ME7", 35, 80, 0x1B07},  {"ME6", 36, -1, 0xFFFF},
      {"", 36, -1, 0xFFFF},     {"sy00", 36, -1, 0xFFFF},   {"SY00 ", 36, -1, 0xFFFF},
  };
  for (const auto& r : byMnemonic) {
    SCOPED_TRACE(r.mnemonic);
    EXPECT_EQ(t.IndexOfMnemonic(r.mnemonic), r.index);
    EXPECT_EQ(t.PlanOffsetOfMnemonic(r.mnemonic), r.offset);
    EXPECT_EQ(t.CodeOfMnemonic(r.mnemonic), r.code);
  }

  int32_t parameter = 1234;
  EXPECT_EQ(t.PlanOffsetOfCode(0x1F00, parameter), 60);
  EXPECT_EQ(parameter, 0x0258);
  EXPECT_EQ(t.PlanOffsetOfCode(0x0600, parameter), 54);
  EXPECT_EQ(parameter, 0xFFFF);  // a row without a parameter
  parameter = 1234;
  EXPECT_EQ(t.PlanOffsetOfCode(0x1B06, parameter), -1);
  EXPECT_EQ(parameter, 1234);  // untouched when no row has the code

  struct {
    int32_t code, parameter;
    uint16_t offset;
  } byCodeParameter[] = {
      {0x1F00, 0x0258, 60}, {0x1F00, 0x02BC, 64}, {0x1F00, 0x0320, 68},
      {0x1F00, 0x1234, 68},  // no row matches the parameter: the last row with the code
      {0x1B06, 0, 0xFFFF},   {0x0204, 0x0722, 32}, {0x0100, 0, 0},
  };
  for (const auto& r : byCodeParameter)
    EXPECT_EQ(t.PlanOffsetOfCodeParameter(r.code, r.parameter), r.offset) << std::hex << r.code << " " << r.parameter;

  struct {
    uint16_t offset;
    const char* mnemonic;
  } byOffset[] = {{0, "SY00"}, {32, "SO4722"}, {34, ""}, {36, "SO5"}, {80, "ME7"}, {82, ""}, {0xFFFF, ""}};
  for (const auto& r : byOffset) EXPECT_STREQ(t.MnemonicOfPlanOffset(r.offset), r.mnemonic) << r.offset;

  EXPECT_STREQ(t.CommandOfCode(0x1F00), "Channel BW 6.0 MHz");  // the first of the three
  EXPECT_STREQ(t.CommandOfCode(0x3700), "Video pos");
  EXPECT_STREQ(t.CommandOfCode(0x1B06), " -none-");
}

TEST(ChanDV8, EdgeValues) {
  struct {
    char band;
    uint32_t word;
    int32_t bandwidth;
    float mhz;
    int32_t word2;
    const char* word2Text;
  } byWord[] = {
      {'T', 0x0F8C, 8, 160.1f, 4035, "0fc3"}, {'T', 0x0F8C, 7, 160.1f, 4015, "0faf"},
      {'T', 877, 8, 48.25f, 932, "03a4"},     {'T', 878, 8, 5.0f, 933, "03a5"},
      {'T', 18018, 8, 862.0f, 18073, "4699"}, {'T', 18019, 8, 48.25f, 18074, "469a"},
      {'S', 8000, 8, 920.0f, 0, ""},          {'S', 11000, 8, 920.0f, 0, ""},
      {'S', 11036, 8, 900.0f, 0, ""},         {'S', 11200, 8, 920.5f, 0, ""},
      {'S', 21036, 8, 2150.0f, 0, ""},        {'S', 21037, 8, 920.0f, 0, ""},
  };
  for (const auto& r : byWord) {
    SCOPED_TRACE(testing::Message() << r.band << " " << r.word << " " << r.bandwidth);
    const TChanDV8 c = ChanFromWord("C", r.word, r.bandwidth, r.band, "SY00", "UN0", "ME1");
    EXPECT_FLOAT_EQ(c.frequency, r.mhz);
    EXPECT_EQ(c.word2, r.word2);
    EXPECT_STREQ(c.word2Text, r.word2Text);
    EXPECT_STREQ(c.commands[0], "SY00");
    // A terrestrial channel keeps only its first command.
    EXPECT_STREQ(c.commands[1], r.band == 'S' ? "UN0" : "");
    EXPECT_STREQ(c.commands[2], r.band == 'S' ? "ME1" : "");
  }

  struct {
    const char *word, *word2;
    char band;
    float mhz;
    int32_t bandwidth;
  } byTexts[] = {
      {"0f8c", "0fc3", 'T', 160.1f, 8},
      {"0f8c", "0faf", 'T', 160.1f, 6},  // 7 MHz written, 6 read back: the half width is whole
      {"0f8c", "0f87", 'T', 160.1f, 2},  // a 2 MHz channel has N2 below N
      {"0f8c", "0f73", 'T', 160.1f, 0},  // 1 MHz
      {"1f40", "", 'S', 920.0f, 0},      {"2b1c", "abcd", 'S', 900.0f, 0},
      {"zzzz", "0000", 'T', 48.25f, 2},  // no number: word 0, then the fallback
  };
  for (const auto& r : byTexts) {
    SCOPED_TRACE(testing::Message() << r.band << " " << r.word << " " << r.word2);
    const TChanDV8 c = ChanFromTexts("C", r.word, r.word2, r.band, "SY00", "UN0", "ME1");
    EXPECT_FLOAT_EQ(c.frequency, r.mhz);
    EXPECT_EQ(c.bandwidth, r.bandwidth);
    EXPECT_STREQ(c.commands[1], r.band == 'S' ? "UN0" : "");
    if (r.band == 'S') {
      EXPECT_EQ(c.word2, 0);
      EXPECT_STREQ(c.word2Text, "");
    }
  }

  // From MHz the frequency is kept as given, in or out of range, and the word rounded.
  const TChanDV8 low = ChanFromFrequency("L", 4.0f, 8, 'T', "SY00", "UN0");
  EXPECT_FLOAT_EQ(low.frequency, 4.0f);
  EXPECT_EQ(low.word, 858u);
  EXPECT_STREQ(low.wordText, "035A");
  EXPECT_STREQ(low.commands[1], "");
  const TChanDV8 sat = ChanFromFrequency("S", 880.0f, 8, 'S', "SY36", "UN0", "ME1");
  EXPECT_FLOAT_EQ(sat.frequency, 880.0f);
  EXPECT_EQ(sat.word, 10876u);
  EXPECT_EQ(sat.bandwidth, 0);
  EXPECT_STREQ(sat.commands[2], "ME1");
}
