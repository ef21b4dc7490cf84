#include <gtest/gtest.h>

#include "Pll.h"

namespace {

struct WordCase {
  char band;
  double mhz;
  uint32_t rounded;     // PllWord: + 0.5, truncated
  uint32_t floatTrunc;  // PllWordFloatTrunc
};

TEST(PllCoding, WordsFromFrequencies) {
  const WordCase cases[] = {
      {'T', 471.25, 10203, 10203},
      {'T', 471.28, 10204, 10203},  // .6 of a word: rounding and truncation part
      {'T', 862.0, 18018, 18018},
      {'T', 5.0, 878, 878},
      {'X', 471.25, 10203, 10203},  // any band but 'S' is terrestrial
      {'S', 1500.0, 15836, 15836},
      {'S', 862.1, 10733, 10732},
      {'S', 2150.0, 21036, 21036},
      {'T', -100.0, 0, 0},          // below word 0 saturates instead of wrapping
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.band << " " << c.mhz);
    EXPECT_EQ(cv::PllWord(c.band, c.mhz), c.rounded);
    EXPECT_EQ(cv::PllWordFloatTrunc(c.band, c.mhz), c.floatTrunc);
  }
}

struct FreqCase {
  char band;
  uint32_t word;
  float mhz;
  bool inRange;
};

TEST(PllCoding, FrequenciesFromWordsWithRangeRule) {
  const FreqCase cases[] = {
      {'T', 10203, 471.25f, true},
      {'T', 0, 48.25f, false},       // -38.9 MHz
      {'T', 18018, 862.0f, true},
      {'T', 0x4664, 48.25f, false},  // 862.1 MHz is above 862
      {'T', 878, 5.0f, true},
      {'T', 877, 48.25f, false},     // 4.95 MHz
      {'S', 15836, 1500.0f, true},
      {'S', 10733, 862.125f, true},
      {'S', 10732, 1500.0f, false},  // 862.0 MHz is below 862.1
      {'S', 21036, 2150.0f, true},
      {'S', 21037, 1500.0f, false},
      {'S', 10203, 1500.0f, false},  // a terrestrial word read as satellite
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.band << " " << c.word);
    bool ok = !c.inRange;
    EXPECT_EQ(cv::PllFrequencyChecked(c.band, c.word, &ok), c.mhz);
    EXPECT_EQ(ok, c.inRange);
  }
}

TEST(PllCoding, RangeAtSinglePrecisionAndScriptWords) {
  EXPECT_TRUE(cv::PllInRange('S', 862.1f));  // as typed into an edit and kept as float
  EXPECT_FALSE(cv::PllInRange('S', 862.0));
  EXPECT_FALSE(cv::PllInRange('T', 862.05));
  EXPECT_TRUE(cv::PllInRange('T', 5.0));
  // The host dialect divides by a step a script may change; the float conversion absorbs the
  // binary error of 0.05.
  EXPECT_EQ(cv::PllWordScript(471.25, 38.9, 0.05), 10203u);
  EXPECT_EQ(cv::PllWordScript(1020.5, 479.5, 0.125), 12000u);
  EXPECT_EQ(cv::PllWordScript(471.25, 38.9, 0.0), 0u);
}

}  // namespace

namespace {

TEST(PllCoding, LnbConversions) {
  EXPECT_EQ(cv::IFToFreq(9750.0f, 1500.0f), 11250.0f);
  EXPECT_EQ(cv::FreqToIF(9750.0f, 11250.0f), 1500.0f);
  EXPECT_EQ(cv::IFToFreq(5150.0f, 1000.0f), 4150.0f);  // C band runs the other way
  EXPECT_EQ(cv::FreqToIF(5150.0f, 4150.0f), 1000.0f);
  EXPECT_EQ(cv::FreqToIF(5150.0f, 6150.0f), 1000.0f);  // absolute difference
  EXPECT_EQ(cv::IFToFreq(0.0f, 1500.0f), 1500.0f);     // no LNB
  EXPECT_EQ(cv::IFToFreq(5000.0f, 1000.0f), 6000.0f);  // bounds excluded
}

}  // namespace

// The 12-bit BER word: mantissa in bits 11..5, exponent in bits 4..0 (two's complement).
TEST(DecodeBerWord, MantissaAndSignedExponent) {
  struct Row {
    uint32_t word;
    double expected;
  } rows[] = {
      {0x2FB, 23e-5},          // 23 x 10^-5 = 2.3E-4
      {0x000, 0.0},            // mantissa 0
      {0x02F, 1e15},           // mantissa 1, exponent 01111b = +15
      {0x030, 1e-16},          // exponent 10000b = -16
      {0xFEF, 127e15},         // both at their top
      {0x1FFF, 127e-1},        // bits above the twelfth are ignored: 0xFFF = 127 x 10^-1
  };
  for (const Row& r : rows) EXPECT_DOUBLE_EQ(cv::DecodeBerWord(r.word), r.expected) << std::hex << r.word;
}
