#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <clocale>

#include "Format.h"
#include "NumFormat.h"

namespace {

TEST(NumFormat, FormatFixed) {
  struct Row {
    double v;
    int decimals;
    char sep;
    const char* expected;
  };
  const Row rows[] = {
      {12.5, 1, ',', "12,5"}, {12.5, 2, '.', "12.50"}, {-0.004, 2, ',', "0,00"}, {1234567.891, 0, ',', "1234568"},
      {-3.25, 1, '.', "-3.2"}, {0.1, 3, ',', "0,100"}, {2.5, -1, '.', "2"},
  };
  for (const Row& r : rows) EXPECT_EQ(cv::FormatFixed(r.v, r.decimals, r.sep), r.expected) << r.v;
}

TEST(NumFormat, ParseWholeTexts) {
  const std::pair<const char*, double> good[] = {
      {"12.5", 12.5}, {"12,5", 12.5}, {" -3 ", -3}, {"+4.25", 4.25}, {"1e3", 1000}, {".5", 0.5}};
  for (auto& [text, v] : good) {
    double out = 0;
    EXPECT_TRUE(cv::ParseDouble(text, out)) << text;
    EXPECT_DOUBLE_EQ(out, v) << text;
  }
  for (const char* text : {"", " ", "12.5x", "1,2,3", "1e", "abc", "inf", "nan", "+-1", "0x10", "1 2"}) {
    double out = 7;
    EXPECT_FALSE(cv::ParseDouble(text, out)) << text;
    EXPECT_EQ(out, 7) << text;
  }
  int32_t n = 0;
  EXPECT_TRUE(cv::ParseInt(" +42 ", n));
  EXPECT_EQ(n, 42);
  EXPECT_FALSE(cv::ParseInt("2147483648", n));
  EXPECT_FALSE(cv::ParseInt("4.0", n));
}

TEST(NumFormat, CLibraryPrefixParsers) {
  // Even with a locale that writes ',' the parsers take '.'.
  std::setlocale(LC_NUMERIC, "de_DE.UTF-8");
  const std::pair<const char*, double> f[] = {{"  12.5abc", 12.5}, {"-0.25", -0.25}, {"abc", 0}, {"", 0},
                                              {"1e2x", 100},       {"1e", 1},        {"12,5", 12}, {"+.5", 0.5},
                                              {"--1", 0},          {"1e999", HUGE_VAL}};
  for (auto& [text, v] : f) EXPECT_EQ(cv::AtoF(text), v) << text;
  std::setlocale(LC_NUMERIC, "C");
  const std::pair<const char*, long> l[] = {{" 42z", 42},
                                            {"-17", -17},
                                            {"x", 0},
                                            {"+8", 8},
                                            {"99999999999999999999999", LONG_MAX},
                                            {"-99999999999999999999999", LONG_MIN},
                                            {"-9223372036854775808", LONG_MIN}};
  for (auto& [text, v] : l) EXPECT_EQ(cv::AtoL(text), v) << text;
  EXPECT_EQ(cv::AtoI("99999999999"), INT_MAX);
  EXPECT_EQ(cv::AtoI("-5"), -5);
}

TEST(Format, PrintfStyleWithoutLocale) {
  EXPECT_EQ(cv::Format("Log file %s generated", "CvTools.log"), "Log file CvTools.log generated");
  EXPECT_EQ(cv::Format("Fatal error.\nBad format of %s", std::string("a.cfg")), "Fatal error.\nBad format of a.cfg");
  EXPECT_EQ(cv::Format("%d|%5d|%-4d|%05d|%+d|%x|%04X|%u", 7, -42, 3, -42, 5, 255, 171, -1),
            "7|  -42|3   |-0042|+5|ff|00AB|4294967295");
  EXPECT_EQ(cv::Format("%.2f|%8.3f|%-6.1f|%e|%g", 3.14159, -2.5, 1.25, 1500.0, 0.0001),
            "3.14|  -2.500|1.2   |1.500000e+03|0.0001");
  EXPECT_EQ(cv::Format("%c%c|%.3s|%%|%ld", 'O', 'K', "abcdef", 123456789012LL), "OK|abc|%|123456789012");
  // Mismatched or missing arguments never read garbage.
  EXPECT_EQ(cv::Format("%s and %d and %s", 5, "x"), "5 and x and ");
  EXPECT_EQ(cv::Format("100%"), "100%");
  EXPECT_EQ(cv::Format("%q %d", 1), "%q 1");
  EXPECT_EQ(cv::Format("%*d", 4, 7), "   7");
}

TEST(Format, CLibraryStyleKeepsTheSignOfZeroAndTakesADecimalMark) {
  // Message texts drop the '-' of a value that rounds to zero; the C library's style keeps it.
  EXPECT_EQ(cv::Format("%5.1f", -0.04), "  0.0");
  EXPECT_EQ(cv::PrintfFixed(-0.04, 5, 1, ','), " -0,0");
  EXPECT_EQ(cv::PrintfFixed(-0.0, 3, 1), "-0.0");
  EXPECT_EQ(cv::PrintfSci(-2.5e-7, 3, 1, ','), "-2,5E-07");
  EXPECT_EQ(cv::PrintfSci(HUGE_VAL, 5, 1), "  INF");
  EXPECT_EQ(cv::FormatStyled({',', true}, "%s|%.1f|%d", 0.5, 3.25, -4), "0,5|3,2|-4");
}

// A message text may hold %d where the English has %s, and an instrument may answer a version of
// "1e30": no integer holds the value, and it is written whole rather than converted.
TEST(Format, IntegerConversionsOfDoublesNoIntegerHolds) {
  struct Case {
    const char* fmt;
    double v;
    const char* out;
  } cases[] = {
      {"%d", 1e30, "1000000000000000019884624838656"},
      {"%d", -1e30, "-1000000000000000019884624838656"},
      {"%x", 1e30, "1000000000000000019884624838656"},
      {"%u", 18446744073709551616.0, "18446744073709551616"},
      {"%u", 18446744073709549568.0, "18446744073709549568"},  // the largest double below 2^64
      {"%d", -9.9e18, "-9900000000000000000"},
      {"%x", 18446744073709549568.0, "fffffffffffff800"},
      {"%6d", HUGE_VAL, "   inf"},
      {"%-5d|", -HUGE_VAL, "-inf |"},
      {"%+X", HUGE_VAL, "+inf"},
      {"%d", NAN, "nan"},
      {"%05d", 2.9, "00002"},
  };
  for (const Case& c : cases) EXPECT_EQ(cv::Format(c.fmt, c.v), c.out) << c.fmt << " " << c.v;
}

// Widths and precisions, written or taken from an argument, stop at 10000 on either side; the
// most negative int as a width is 10000 left-justified.
TEST(Format, WidthsAndPrecisionsAreBounded) {
  EXPECT_EQ(cv::Format("%*d", INT_MAX, 1).size(), 10000u);
  EXPECT_EQ(cv::Format("%*d|", INT_MIN, 1), "1" + std::string(9999, ' ') + "|");
  EXPECT_EQ(cv::Format("%*d", int64_t{1} << 40, 1).size(), 10000u);
  EXPECT_EQ(cv::Format("%*d", UINT64_MAX, 1).size(), 10000u);
  EXPECT_EQ(cv::Format("%*d", -3, 1), "1  ");
  EXPECT_EQ(cv::Format("%.*d", INT_MAX, 1).size(), 10000u);
  EXPECT_EQ(cv::Format("%.*d", INT_MIN, 7), "7");  // a negative precision is none
  EXPECT_EQ(cv::Format("%99999999999d|", 1).size(), 10001u);
  EXPECT_EQ(cv::Format("%10000d", 1).size(), 10000u);
  EXPECT_EQ(cv::Format("%9999d", 1).size(), 9999u);
  EXPECT_EQ(cv::Format("%.99999999999s|", "ab"), "ab|");
}

TEST(NumFormat, StrictFixedNotationAndIntegers) {
  double d = 7;
  for (const char* text : {"", " \t", "+", "1e3", "12abc", "inf", "1 2", "12\n"}) {
    EXPECT_FALSE(cv::ParseFixedNotation(text, d)) << text;
    EXPECT_EQ(d, 7) << text;
  }
  EXPECT_TRUE(cv::ParseFixedNotation("\t+471.25 ", d));
  EXPECT_EQ(d, 471.25);
  EXPECT_FALSE(cv::ParseFixedNotation("471,25", d));  // a comma only where the caller names it
  EXPECT_TRUE(cv::ParseFixedNotation("471,25", d, ','));
  int64_t big = 0;
  EXPECT_TRUE(cv::ParseInteger(" -9000000000 ", big));
  EXPECT_EQ(big, -9000000000LL);
  int32_t n = 5;
  EXPECT_FALSE(cv::ParseInteger("2147483648", n));
  EXPECT_FALSE(cv::ParseInteger("12\n", n));  // only blanks and tabs around the number
  EXPECT_EQ(n, 5);
}

}  // namespace

// Register texts: pairs of hex digits until 00, FF, a pair that is not hexadecimal, or the end.
TEST(DecodeHexText, StopsAtTheFirstPairThatEndsTheText) {
  struct Row {
    const char* hex;
    const char* text;
  } rows[] = {
      {"414243FF", "ABC"},   {"41424300", "AB" "C"}, {"414200FF41", "AB"}, {"6162", "ab"},
      {"41G2", "A"},         {"414", "A"},           {"", ""},             {"FF41", ""},
      {"4a4B", "JK"},        {"C9", "\xC9"},
  };
  for (const Row& r : rows) EXPECT_EQ(cv::DecodeHexText(r.hex), r.text) << r.hex;
}
