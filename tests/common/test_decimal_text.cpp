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
