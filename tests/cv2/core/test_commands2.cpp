// The CORVANE-2 command table's lookups and the channel record's edge values.
#include <gtest/gtest.h>

#include "Chan2.h"
#include "Commands2.h"

using namespace cv::cv2;

TEST(Commands2, LayoutHoldsAsTheMeterNumbersIt) {
  const cv::dv8::CommandLookups& t = kCv2Lookups;
  // Offsets run 2 bytes a row and 4 after a row with a parameter: 100 bytes, then the end row.
  uint16_t next = 0;
  int withParameter = 0;
  for (int row = 0; row < cv::cv2::kNoCommand; ++row) {
    EXPECT_EQ(t.CommandPlanOffset(row), next) << row;
    withParameter += t.CommandHasParameter(row);
    next = static_cast<uint16_t>(next + (t.CommandHasParameter(row) ? 4 : 2));
    EXPECT_EQ(t.IndexOfMnemonic(t.CommandMnemonic(row)), row) << row;  // mnemonics are unique
  }
  EXPECT_EQ(next, kCommandBlockBytes);
  EXPECT_EQ(withParameter, 7);
  EXPECT_EQ(t.CommandCode(cv::cv2::kNoCommand), 0xFFFF);
  EXPECT_EQ(t.CommandPlanOffset(cv::cv2::kNoCommand), 0xFFFF);
  EXPECT_STREQ(t.CommandMnemonic(cv::cv2::kNoCommand), "");
  // Rows as the meter numbers them: no LB4, DIGITAL before PAL SAT, the five bandwidths on one code.
  EXPECT_STREQ(t.CommandMnemonic(4), "LB5");
  EXPECT_STREQ(t.CommandMnemonic(10), "SY36");
  EXPECT_STREQ(t.CommandMnemonic(11), "SY07");
  EXPECT_EQ(t.CommandCode(12), 0x3701);
  EXPECT_STREQ(t.CommandDescription(12), "Video neg");
  const int32_t bandwidths[] = {600, 700, 800, 3600, 3900};
  for (int i = 0; i < 5; ++i) {
    EXPECT_EQ(t.CommandCode(31 + i), 0x1F00);
    EXPECT_EQ(t.CommandParameter(31 + i), bandwidths[i]);
  }
}

TEST(Commands2, LookupEdgeCases) {
  const cv::dv8::CommandLookups& t = kCv2Lookups;
  struct {
    const char* mnemonic;
    int index;
    int16_t offset;
    int32_t code;
  } byMnemonic[] = {
      {"LB0", 0, 0, 0x0400},     {"ME6", 41, 96, 0x1B06},   {"LB4", 43, -1, 0xFFFF}, {"", 43, -1, 0xFFFF},
      {"SOF6A9", 27, 56, 0x020F}, {"UN0", 28, 60, 0x0600},  {"CW0F3C", 35, 82, 0x1F00},
      {"ME7", 42, 98, 0x1B07},   {"lb0", 43, -1, 0xFFFF},   {"ME5", 43, -1, 0xFFFF},
  };
  for (const auto& r : byMnemonic) {
    SCOPED_TRACE(r.mnemonic);
    EXPECT_EQ(t.IndexOfMnemonic(r.mnemonic), r.index);
    EXPECT_EQ(t.PlanOffsetOfMnemonic(r.mnemonic), r.offset);
    EXPECT_EQ(t.CodeOfMnemonic(r.mnemonic), r.code);
  }

  int32_t parameter = 1234;
  EXPECT_EQ(t.PlanOffsetOfCode(0x1F00, parameter), 66);
  EXPECT_EQ(parameter, 0x0258);
  EXPECT_EQ(t.PlanOffsetOfCode(0x0107, parameter), 22);
  EXPECT_EQ(parameter, 0xFFFF);  // a row without a parameter
  parameter = 1234;
  EXPECT_EQ(t.PlanOffsetOfCode(0x1B05, parameter), -1);
  EXPECT_EQ(parameter, 1234);  // untouched when no row has the code

  struct {
    int32_t code, parameter;
    uint16_t offset;
  } byCodeParameter[] = {
      {0x1F00, 0x0F3C, 82}, {0x1F00, 0x1234, 82},  // no row matches the parameter: the last row with the code
      {0x1F00, 0x0258, 66}, {0x1F00, 0x0E10, 78}, {0x020F, 0x06A9, 56}, {0x1B05, 0, 0xFFFF}, {0x0400, 0, 0},
  };
  for (const auto& r : byCodeParameter)
    EXPECT_EQ(t.PlanOffsetOfCodeParameter(r.code, r.parameter), r.offset) << std::hex << r.code << " " << r.parameter;

  struct {
    uint16_t offset;
    const char* mnemonic;
  } byOffset[] = {{0, "LB0"}, {36, "SO4722"}, {38, ""}, {40, "SO6"}, {98, "ME7"}, {100, ""}, {0xFFFF, ""}};
  for (const auto& r : byOffset) EXPECT_STREQ(t.MnemonicOfPlanOffset(r.offset), r.mnemonic) << r.offset;

  EXPECT_STREQ(t.CommandOfCode(0x1B05), " -none-");
  EXPECT_STREQ(t.CommandOfCode(0x1F00), "Channel BW 6.0 MHz");
  EXPECT_STREQ(t.CommandOfCode(0x0136), "DIGITAL");
  EXPECT_STREQ(t.CommandDescription(50), " -none-");
  EXPECT_STREQ(t.CommandDescription(44), " -none-");
  EXPECT_STREQ(t.CommandDescription(-1), " -none-");
}

TEST(Chan2, EdgeValues) {
  struct {
    char band;
    uint32_t word;
    float mhz;
  } byWord[] = {
      {'T', 1677, 48.25f}, {'T', 1678, 45.0f},     {'T', 18018, 862.0f}, {'T', 18019, 48.25f}, {'T', 877, 48.25f},
      {'S', 11036, 900.0f}, {'S', 11035, 1500.0f}, {'S', 21036, 2150.0f}, {'S', 21037, 1500.0f},
  };
  for (const auto& r : byWord) {
    SCOPED_TRACE(testing::Message() << r.band << " " << r.word);
    EXPECT_FLOAT_EQ(ChanFromWord("C", r.word, 8, r.band).frequency, r.mhz);
    char text[8];
    std::snprintf(text, sizeof text, "%04X", r.word);
    EXPECT_FLOAT_EQ(ChanFromTexts("C", text, "0000", r.band).frequency, r.mhz);
  }

  const TChan2 c = ChanFromWord("C21", 3980, 8, 'T', "SY00", "UN0", "ME1");
  EXPECT_EQ(c.word2, 4035);
  EXPECT_STREQ(c.word2Text, "0fc3");
  EXPECT_STREQ(c.commands[1], "");  // a terrestrial channel keeps only its first command
  const TChan2 s = ChanFromWord("S1", 11036, 8, 'S', "LB1", "SY07", "SOB");
  EXPECT_EQ(s.word2, 0);
  EXPECT_STREQ(s.word2Text, "");
  EXPECT_STREQ(s.commands[2], "SOB");

  // From MHz no range applies.
  EXPECT_FLOAT_EQ(ChanFromFrequency("LOW", 30.0f, 8, 'T').frequency, 30.0f);

  // An even bandwidth comes back from the two words as built, a narrow channel included.
  for (int32_t bandwidth : {2, 6, 8, 36}) {
    SCOPED_TRACE(bandwidth);
    const TChan2 built = ChanFromFrequency("B", 474.0f, bandwidth, 'T');
    const TChan2 read = ChanFromTexts("B", built.wordText, built.word2Text, 'T');
    EXPECT_EQ(read.bandwidth, bandwidth);
    EXPECT_FLOAT_EQ(read.frequency, 474.0f);
  }
}
