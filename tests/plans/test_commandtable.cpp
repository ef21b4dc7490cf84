#include <gtest/gtest.h>

#include <string>

#include "CommandTable.h"

namespace {

TEST(CommandTable, OffsetsFollowTheCommand3Layout) {
  // 2 bytes a row, 2 more after a row with a parameter: a wrong offset in the table would make a
  // generated script point at another command in the instrument.
  uint16_t expected = 0;
  for (int i = 0; i < kNoCommand; ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(CommandPlanOffset(i), expected);
    expected += CommandHasParameter(i) ? 4 : 2;
  }
  EXPECT_EQ(expected, 0x007C);
  EXPECT_EQ(CommandPlanOffset(kNoCommand), 0xFFFF);
}

struct MnemonicCase {
  const char* mnemonic;
  int row;
  int16_t offset;
};

TEST(CommandTable, MnemonicLookups) {
  const MnemonicCase cases[] = {
      {"LB0", 0, 0x0000},    {"SY13", 14, 0x001C}, {"SY11", 15, 0x001E},
      {"SV0", 21, 0x002A},   {"SO4722", 27, 0x0036}, {"SO5", 28, 0x003A},
      {"CW0F3C", 46, 0x0068}, {"ME7", 54, 0x007A},
      {"lb0", 55, -1},       // case-sensitive
      {"", 55, -1},          // the empty mnemonic is row 55, offset 0xFFFF
      {"XX9", 55, -1},       {"LB", 55, -1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.mnemonic);
    EXPECT_EQ(CommandIndexOfMnemonic(c.mnemonic), c.row);
    EXPECT_EQ(PlanOffsetOfMnemonic(c.mnemonic), c.offset);
  }
}

TEST(CommandTable, ColumnsAndOutOfRangeRows) {
  EXPECT_STREQ(CommandLabel(21), "Video neg");
  EXPECT_EQ(CommandCode(21), 0x3701);
  EXPECT_EQ(CommandCode(22), 0x3700);
  EXPECT_STREQ(CommandLabel(14), "SECAM L");
  EXPECT_TRUE(CommandHasParameter(38));
  EXPECT_EQ(CommandParameter(38), 0x06A9);
  EXPECT_FALSE(CommandHasParameter(39));
  int params = 0;
  for (int i = 0; i < kCommandRows; ++i) params += CommandHasParameter(i);
  EXPECT_EQ(params, 7);
  for (int row : {56, 1000, -1}) {
    SCOPED_TRACE(row);
    EXPECT_STREQ(CommandLabel(row), " -none-");
    EXPECT_STREQ(CommandMnemonic(row), "");
    EXPECT_EQ(CommandCode(row), 0xFFFF);
    EXPECT_EQ(CommandPlanOffset(row), 0xFFFF);
  }
}

TEST(CommandTable, OffsetAndCodeLookups) {
  const struct {
    uint16_t offset;
    const char* mnemonic;
  } offsets[] = {{0x0000, "LB0"}, {0x0036, "SO4722"}, {0x0038, ""},  // a parameter, not a row
                 {0x003A, "SO5"}, {0x007A, "ME7"},    {0x007C, ""},  {0xFFFF, ""}};
  for (const auto& c : offsets) {
    SCOPED_TRACE(c.offset);
    EXPECT_STREQ(MnemonicOfPlanOffset(c.offset), c.mnemonic);
  }

  const struct {
    int32_t code;
    int16_t offset;
    int32_t parameter;
  } codes[] = {{0x1F00, 0x0058, 0x0258},  // the first bandwidth row
               {0x0204, 0x0036, 0x0722},  {0x3701, 0x002A, 0xFFFF},
               {0x10400, 0x0000, 0xFFFF},  // only the low 16 bits count
               {0x1234, -1, -7}};         // no row: parameter left as it was
  for (const auto& c : codes) {
    SCOPED_TRACE(c.code);
    int32_t parameter = -7;
    EXPECT_EQ(PlanOffsetOfCode(c.code, parameter), c.offset);
    EXPECT_EQ(parameter, c.parameter);
  }

  const struct {
    int32_t code, parameter;
    uint16_t offset;
  } pairs[] = {{0x1F00, 0x0320, 0x0060}, {0x1F00, 0x0258, 0x0058},
               {0x1F00, 0x0999, 0x0068},  // unknown bandwidth: the last bandwidth row
               {0x020F, 0x06A9, 0x004E},  {0x0600, 0x0000, 0x0052},
               {0x1234, 0x0000, 0xFFFF}};
  for (const auto& c : pairs) {
    SCOPED_TRACE(testing::Message() << c.code << "/" << c.parameter);
    EXPECT_EQ(PlanOffsetOfCodeParameter(c.code, c.parameter), c.offset);
  }
}

}  // namespace
