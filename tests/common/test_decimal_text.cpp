#include <gtest/gtest.h>

#include <clocale>

#include "DecimalText.h"

TEST(DecimalText, FixedTextIgnoresTheProcessLocale) {
  // A locale with a decimal comma must not change what goes to a file or the instrument.
  const char* old = setlocale(LC_NUMERIC, nullptr);
  std::string saved = old ? old : "C";
  setlocale(LC_NUMERIC, "de_DE.UTF-8");
  struct Row {
    double value;
    int decimals, width;
    const char* text;
  } rows[] = {{2.1, 2, 4, "2.10"},  {1.005, 2, 0, "1.00"}, {12.345, 2, 4, "12.35"}, {0.0, 2, 4, "0.00"},
              {-0.004, 2, 0, "0.00"}, {-3.5, 1, 6, "  -3.5"}, {471.25, 0, 0, "471"},  {9.999, 2, 0, "10.00"}};
  for (const Row& r : rows) EXPECT_EQ(cv::FixedText(r.value, r.decimals, r.width), r.text) << r.value;
  setlocale(LC_NUMERIC, saved.c_str());
}

TEST(DecimalText, LeadingNumbersReadLikeTheCLibraryInTheCLocale) {
  struct Row {
    const char* text;
    double value;
    size_t used;
  } rows[] = {{"2.10", 2.1, 4},   {" 1.22 rest", 1.22, 5}, {"-3.5e2x", -350.0, 6}, {"abc", 0.0, 0},
              {".5", 0.5, 2},     {"7.", 7.0, 2},          {"1e", 1.0, 1},          {"", 0.0, 0},
              {"3,5", 3.0, 1},    {"+0.001", 0.001, 6}};
  for (const Row& r : rows) {
    size_t used = 99;
    EXPECT_DOUBLE_EQ(cv::LeadingDouble(r.text, &used), r.value) << r.text;
    EXPECT_EQ(used, r.used) << r.text;
  }
  EXPECT_EQ(cv::LeadingDouble(nullptr), 0.0);
  EXPECT_EQ(cv::LeadingLong(" 38400x"), 38400);
  EXPECT_EQ(cv::LeadingLong("-12"), -12);
  EXPECT_EQ(cv::LeadingLong("x1"), 0);
  EXPECT_EQ(cv::LeadingLong("99999999999"), 2147483647);
}

#include "TextFormat.h"

TEST(TextFormat, FormatsMessageDirectivesAndLeavesUnmatchedOnesAlone) {
  using cv::FormatText;
  EXPECT_EQ(FormatText("%s v%4.2f ready in %s (%d)", {std::string("CORVANE3"), 2.1, std::string("COM3"), 19200LL}),
            "CORVANE3 v2.10 ready in COM3 (19200)");
  EXPECT_EQ(FormatText("%s(%d) -> %s v%4.2f", {std::string("COM1"), 9600LL, std::string("X"), 12.345}),
            "COM1(9600) -> X v12.35");
  EXPECT_EQ(FormatText("*FRT%04x", {10203LL}), "*FRT27db");
  EXPECT_EQ(FormatText("100%% %5d|%-4s|", {42LL, std::string("ab")}), "100%    42|ab  |");
  // Too few arguments or a kind that does not match: the directive stays as written.
  EXPECT_EQ(FormatText("Unable to find %s.dll and %s", {std::string("CV3TOOLS")}), "Unable to find CV3TOOLS.dll and %s");
  EXPECT_EQ(FormatText("%d items", {std::string("x")}), "%d items");
  EXPECT_EQ(FormatText("trailing %", {}), "trailing %");
}
