// The dialect-neutral pieces: tokenizer, IF levels, registers and CALC, records, numbers.
#include <gtest/gtest.h>

#include <climits>

#include "ScriptCore.h"

using namespace cv::script;

namespace {
const KeywordRow kRows[] = {{"SEND", 2}, {"DISPLAY", 2}, {"ELSE", 1}, {"HEADER3", 10}, {"BIG", 20}};
LexRules Rules() {
  LexRules r;
  r.quotedIndex = 1;
  return r;
}
}  // namespace

TEST(ScriptLex, Table) {
  struct Case {
    const char* line;
    int result;
    std::vector<std::string> tokens;
  } cases[] = {
      {"", -1, {}},
      {" \t(\r", -1, {}},
      {"send *?VE", 1, {"SEND", "*?VE"}},
      {"SEND", 0, {}},
      {"SEND #comment", 0, {}},
      {"SEND *GO1 #note", 1, {"SEND", "*GO1"}},
      {"SENDX a", 0, {}},
      {"SEND(abc)", 1, {"SEND", "abc"}},
      {"ELSE trailing words", 1, {"ELSE"}},
      {"DISPLAY \"Hello, world (1)\"", 1, {"DISPLAY", "Hello, world (1)"}},
      {"DISPLAY \"#x\"", 0, {}},
      {"HEADER3 (TV, 0x0400, 3, 7, 0.0, 0, 0xFFFF, 0xFFFF, 0xFFFF) # c", 1,
       {"HEADER3", "TV", "0x0400", "3", "7", "0.0", "0", "0xFFFF", "0xFFFF", "0xFFFF"}},
      {"HEADER3 (TV, 0x0400)", 0, {}},
  };
  for (const auto& c : cases) {
    Statement s;
    EXPECT_EQ(ParseStatement(c.line, kRows, 5, Rules(), s), c.result) << c.line;
    if (c.result != 1) continue;
    for (size_t i = 0; i < c.tokens.size(); ++i)
      EXPECT_EQ(s.tokens[i] ? s.tokens[i] : "(null)", c.tokens[i]) << c.line;
    EXPECT_EQ(s.tokens[c.tokens.size() < 16 ? c.tokens.size() : 15] == nullptr,
              c.tokens.size() < 16);
  }
}

TEST(ScriptLex, ArgumentsKeepCaseAndTokensAreCappedAt16) {
  Statement s;
  ASSERT_EQ(ParseStatement("send yes", kRows, 5, Rules(), s), 1);
  EXPECT_STREQ(s.tokens[1], "yes");
  std::string line = "BIG";
  for (int i = 1; i < 20; ++i) line += " a" + std::to_string(i);
  ASSERT_EQ(ParseStatement(line.c_str(), kRows, 5, Rules(), s), 1);
  EXPECT_STREQ(s.tokens[15], "a15");
  // A quoted argument may start with '#' where a dialect allows it.
  LexRules host = Rules();
  host.quotedRefusesHash = false;
  EXPECT_EQ(ParseStatement("DISPLAY \"#x\"", kRows, 5, host, s), 1);
}

TEST(ScriptIf, NestedSkippedBlocksCountDepthOnly) {
  IfLevels l;
  ASSERT_EQ(l.OpenBlock(), IfLevels::Open::Opened);
  l.SetOutcome(false);                                   // IF false       (1,1)
  EXPECT_EQ(l.OpenBlock(), IfLevels::Open::Skipped);     //   IF skipped   depth 2
  EXPECT_EQ(l.Endif(), "FALSE (1,1)");                   //   ENDIF
  EXPECT_EQ(l.Else(), "TRUE (1,1)");                     // ELSE
  EXPECT_TRUE(l.Running());
  EXPECT_EQ(l.Endif(), "OK (0,0)");
  EXPECT_TRUE(l.Running());
}

TEST(ScriptIf, EndifWithoutBlockLeavesLevelsAndTopElseInverts) {
  IfLevels l;
  EXPECT_EQ(l.Endif(), "OK (0,0)");
  EXPECT_EQ(l.Endif(), "OK (0,0)");
  EXPECT_EQ(l.level, 0);
  EXPECT_EQ(l.depth, 0);
  EXPECT_EQ(l.Else(), "FALSE (0,0)");
  EXPECT_FALSE(l.Running());
  EXPECT_EQ(l.Else(), "TRUE (0,0)");
  // A block opened after the stray ENDIFs still closes normally.
  l.OpenBlock();
  EXPECT_EQ(l.Endif(), "OK (0,0)");
}

TEST(ScriptIf, NestingPastTheTableOverflows) {
  IfLevels l;
  for (int i = 0; i < IfLevels::kFlagCount - 1; ++i) ASSERT_EQ(l.OpenBlock(), IfLevels::Open::Opened);
  EXPECT_EQ(l.level, 254);
  EXPECT_EQ(l.OpenBlock(), IfLevels::Open::Overflow);
  EXPECT_EQ(l.level, 254);
}

TEST(ScriptRegisters, References) {
  struct Case {
    const char* text;
    bool valid, isByte;
    int index;
  } cases[] = {{"B3", true, true, 3},   {"I12", true, false, 12}, {"W255", true, false, 255},
               {"B256", false, 0, 0},   {"X3", false, 0, 0},      {"b3", false, 0, 0},
               {"I", false, 0, 0},      {"I1x", false, 0, 0},     {"B-1", false, 0, 0}};
  for (const auto& c : cases) {
    RegRef r = ParseRegRef(c.text);
    EXPECT_EQ(r.valid, c.valid) << c.text;
    if (c.valid) {
      EXPECT_EQ(r.isByte, c.isByte) << c.text;
      EXPECT_EQ(r.index, c.index) << c.text;
    }
  }
  Registers regs;
  regs.Set(ParseRegRef("B1"), 0x1234);
  EXPECT_EQ(regs.Report(ParseRegRef("B1")), " B1 = 0x34");
  regs.Set(ParseRegRef("W7"), 0x12345);
  EXPECT_EQ(regs.Report(ParseRegRef("I7")), " I7 = 0x12345");
  EXPECT_EQ(FailReport(ParseRegRef("B9"), "B9"), " B9 ???");
  EXPECT_EQ(FailReport(ParseRegRef("X3"), "X3"), " X3 ???");
  EXPECT_EQ(Swap16(0x12345678), 0x7856u);
}

TEST(ScriptRegisters, CalcWrapsAndNeverTraps) {
  struct Case {
    int32_t a;
    char op;
    int32_t b;
    bool ok;
    int32_t r;
  } cases[] = {
      {200, '+', 100, true, 300},           {INT32_MAX, '+', 1, true, INT32_MIN},
      {INT32_MIN, '-', 1, true, INT32_MAX}, {0x10000, '*', 0x10000, true, 0},
      {INT32_MIN, '/', -1, true, INT32_MIN}, {-7, '/', 2, true, -3},
      {7, '/', 0, false, 0},                {0xF0, '&', 0x3C, true, 0x30},
      {0xF0, '|', 0x0F, true, 0xFF},        {1, '%', 1, false, 0},
  };
  for (const auto& c : cases) {
    int32_t r = 0;
    EXPECT_EQ(Calc(c.a, c.op, c.b, r), c.ok) << c.a << c.op << c.b;
    if (c.ok) {
      EXPECT_EQ(r, c.r) << c.a << c.op << c.b;
    }
  }
}

TEST(ScriptNumbers, LocaleFreeReading) {
  uint32_t h = 0;
  EXPECT_TRUE(ReadHex0x("0x1fE", h));
  EXPECT_EQ(h, 0x1FEu);
  EXPECT_TRUE(ReadHex0x("0x123456789", h));
  EXPECT_EQ(h, 0x23456789u);
  EXPECT_FALSE(ReadHex0x("0X10", h));
  EXPECT_FALSE(ReadHex0x("10", h));
  EXPECT_FALSE(ReadHex0x("0x", h));
  int i = 0;
  EXPECT_TRUE(ReadInt("-12x", i));
  EXPECT_EQ(i, -12);
  EXPECT_FALSE(ReadInt("abc", i));
  EXPECT_EQ(i, 0);
  double d = 0;
  EXPECT_TRUE(ReadDouble("471.25", d));
  EXPECT_DOUBLE_EQ(d, 471.25);
  EXPECT_TRUE(ReadDouble("+.5e1x", d));
  EXPECT_DOUBLE_EQ(d, 5.0);
  EXPECT_FALSE(ReadDouble("V", d));
  EXPECT_EQ(FormatFixed(1.2, 2, 4), "1.20");
  EXPECT_EQ(FormatFixed(3, 0, 2), " 3");
  EXPECT_EQ(FormatFixed(123.456, 2, 4), "123.46");
  EXPECT_EQ(Hex(0xAB, 4), "00AB");
  EXPECT_EQ(Subst("a %s b %d c %d", {"1", "2"}), "a 1 b 2 c %d");
}

TEST(ScriptRecords, ChecksumsAndRoundTrip) {
  EXPECT_EQ(FlashRecord("*FL:", 0x0100, {0x12, 0x34}), "*FL:020100001234B7");
  EXPECT_EQ(FlashRecord("*FL:", 0x0102, {0xFF, 0xFF}), "*FL:02010200FFFFFD");
  // A declared length larger than the bytes written (the host's short names) is kept.
  EXPECT_EQ(FlashRecord("*PF:", 0, {0x41}, 6), "*PF:06000000" "41" "B9");
  ParsedRecord p;
  ASSERT_TRUE(ParseFlashRecord("020100001234B7", p));
  EXPECT_EQ(p.address, 0x0100);
  EXPECT_EQ(p.data, (std::vector<uint8_t>{0x12, 0x34}));
  EXPECT_FALSE(ParseFlashRecord("020100001234B8", p));   // checksum
  EXPECT_FALSE(ParseFlashRecord("030100001234B6", p));   // length
  EXPECT_FALSE(ParseFlashRecord("0201000012G4B7", p));   // digit
}
