// The CORVANE-4 command table and its lookups.
#include <gtest/gtest.h>

#include <set>

#include "CommandTable.h"
#include "Commands4.h"

namespace c4 = cv::cv4;

TEST(Commands4, TableLayout) {
  // Offsets grow by 2 a row, by 4 after a row with a parameter; the last row is "no command".
  uint16_t offset = 0;
  std::set<std::string> mnemonics;
  for (int i = 0; i < c4::kNoCommand; ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(c4::CommandPlanOffset(i), offset);
    EXPECT_TRUE(mnemonics.insert(c4::CommandMnemonic(i)).second);
    if (!c4::CommandHasParameter(i)) {
      EXPECT_EQ(c4::CommandParameter(i), 0);
    }
    offset = static_cast<uint16_t>(offset + (c4::CommandHasParameter(i) ? 4 : 2));
  }
  EXPECT_EQ(offset, 0x0080);
  EXPECT_EQ(c4::CommandPlanOffset(57), 0xFFFF);
  EXPECT_EQ(c4::CommandCode(57), 0xFFFF);
  EXPECT_STREQ(c4::CommandDescription(57), " -none-");
  EXPECT_STREQ(c4::CommandMnemonic(17), "SY06");
  EXPECT_STREQ(c4::CommandMnemonic(39), "SO10");
  EXPECT_STREQ(c4::CommandMnemonic(40), "SO11");
}

TEST(Commands4, Lookups) {
  struct ByMnemonic {
    const char* mnemonic;
    int index;
    int16_t offset;
  } byMnemonic[] = {
      {"LB0", 0, 0x0000},   {"SY06", 17, 0x0022}, {"SO11", 40, 0x0054}, {"CW0F3C", 48, 0x006C},
      {"ME7", 56, 0x007E},  {"", 57, -1},         {"0xFFFF", 57, -1},   {"sy06", 57, -1},
      {"SY36", 57, -1},     {"SY0", 57, -1},      {"SY066", 57, -1},
  };
  for (const auto& r : byMnemonic) {
    SCOPED_TRACE(r.mnemonic);
    EXPECT_EQ(c4::CommandIndexOfMnemonic(r.mnemonic), r.index);
    EXPECT_EQ(c4::PlanOffsetOfMnemonic(r.mnemonic), r.offset);
  }

  struct ByOffset {
    uint16_t offset;
    const char* mnemonic;
  } byOffset[] = {{0x0000, "LB0"}, {0x0022, "SY06"}, {0x0036, "SO4722"}, {0x0038, ""}, {0x0052, "SO10"},
                  {0x0064, "CW0320"}, {0x0066, ""}, {0x007E, "ME7"}, {0x0080, ""}, {0xFFFF, ""}, {0x0001, ""}};
  for (const auto& r : byOffset) EXPECT_STREQ(c4::MnemonicOfPlanOffset(r.offset), r.mnemonic) << r.offset;

  struct ByCode {
    uint16_t code;
    uint16_t offset;
    uint16_t parameter;  // 0x1234: left as it was
  } byCode[] = {
      {0x0106, 0x0022, 0xFFFF}, {0x0116, 0x0022, 0xFFFF}, {0x0136, 0x0022, 0xFFFF}, {0x01F6, 0x0022, 0xFFFF},
      {0x0206, 0x003C, 0xFFFF},  // "SO6": folding touches the standards only
      {0x0204, 0x0036, 0x0722}, {0x0400, 0x0000, 0xFFFF}, {0x1F00, 0x005C, 0x0258},
      {0x0999, 0xFFFF, 0x1234}, {0x0125, 0xFFFF, 0x1234}, {0x0126, 0x0022, 0xFFFF}, {0xFFFF, 0xFFFF, 0xFFFF},
  };
  for (const auto& r : byCode) {
    SCOPED_TRACE(r.code);
    uint16_t parameter = 0x1234;
    EXPECT_EQ(c4::PlanOffsetOfCode(r.code, parameter), r.offset);
    EXPECT_EQ(parameter, r.parameter);
  }

  struct ByCodeParameter {
    uint16_t code, parameter, offset;
  } byCodeParameter[] = {
      {0x1F00, 0x0320, 0x0064}, {0x1F00, 0x0258, 0x005C}, {0x1F00, 0x0123, 0x006C},  // the last bandwidth row
      {0x0999, 0x0000, 0xFFFF}, {0x0116, 0x0000, 0x0022}, {0x0204, 0x0722, 0x0036},
      {0x0204, 0x0000, 0x0036}, {0x0400, 0x0000, 0x0000},
  };
  for (const auto& r : byCodeParameter)
    EXPECT_EQ(c4::PlanOffsetOfCodeParameter(r.code, r.parameter), r.offset) << r.code << " " << r.parameter;

  // Indices past the end read row 57.
  EXPECT_STREQ(c4::CommandMnemonic(100), "");
  EXPECT_STREQ(c4::CommandDescription(58), " -none-");
  EXPECT_EQ(c4::CommandCode(1000), 0xFFFF);
  EXPECT_EQ(c4::CommandPlanOffset(58), 0xFFFF);
  EXPECT_FALSE(c4::CommandHasParameter(99));
}

TEST(Commands4, TheCorvane3TableFoldsNothing) {
  int32_t parameter = 0;
  EXPECT_EQ(kCv3CommandTable.PlanOffsetOfCode(0x0116, parameter), -1);
  EXPECT_EQ(kCv3CommandTable.PlanOffsetOfCode(0x0136, parameter), 0x0022);
  EXPECT_EQ(kCv3CommandTable.Fold(0x0116), 0x0116);
  EXPECT_EQ(c4::kCommands4.Fold(0x0116), 0x0106);
  EXPECT_EQ(c4::kCommands4.Fold(0x0206), 0x0206);
}
