// The plan editor's typed values without widgets: reading a field, the ranges with their
// defaults, chooser positions as attribute ids, and the terrestrial spacing relations.
#include <gtest/gtest.h>

#include <functional>

#include "Xr9Attributes.h"
#include "Xr9Fields.h"

namespace {

using namespace cv::xr9;

TEST(Xr9Fields, TypedTextTakesItsRangeOrItsDefault) {
  const std::function<int64_t(const char*)> bandwidth = [](const char* t) { return ClampBandwidth(FieldKhz(t)); };
  const std::function<int64_t(const char*)> symbolRate = [](const char* t) { return ClampSymbolRate(FieldInteger(t)); };
  const std::function<int64_t(const char*)> offset = [](const char* t) { return ClampFrequencyOffset(FieldInteger(t)); };
  const std::function<int64_t(const char*)> spacing = [](const char* t) { return ClampChannelSpacing(FieldKhz(t)); };
  const std::function<int64_t(const char*)> terFreq = [](const char* t) { return ClampChannelFrequency(FieldKhz(t), 7); };
  const std::function<int64_t(const char*)> satFreq = [](const char* t) { return ClampChannelFrequency(FieldKhz(t), 5); };
  const struct {
    const char* what;
    const std::function<int64_t(const char*)>& read;
    const char* typed;
    int64_t expected;
  } rows[] = {
      {"bw", bandwidth, "0.2", 200},           {"bw", bandwidth, "0.1", 8000},
      {"bw", bandwidth, "80", 80000},          {"bw", bandwidth, "80.001", 8000},
      {"bw", bandwidth, "7,25", 7250},         {"bw", bandwidth, "7.25", 7250},
      {"bw", bandwidth, "9999999999", 8000},   {"bw", bandwidth, "1e300", 8000},
      {"bw", bandwidth, "-1e300", 8000},       {"bw", bandwidth, "MHz", 8000},
      {"bw", bandwidth, "2.01", 2010},         {"bw", bandwidth, "8.001", 8001},  // below their binary value
      {"sr", symbolRate, "499", 27500},        {"sr", symbolRate, "500", 500},
      {"sr", symbolRate, "75000", 75000},      {"sr", symbolRate, "75001", 27500},
      {"sr", symbolRate, " 6900 kS", 6900},    {"sr", symbolRate, "9999999999", 27500},
      {"off", offset, "20000001", 166666},     {"off", offset, "20000000", 20000000},
      {"off", offset, "-20000000", -20000000}, {"off", offset, "-20000001", 166666},
      {"off", offset, "abc", 0},               {"off", offset, "9999999999", 166666},
      {"off", offset, "-999999999", 166666},   {"sp", spacing, "1.5", 1500},
      {"sp", spacing, "1.49", 8000},           {"sp", spacing, "10", 10000},
      {"sp", spacing, "12", 8000},             {"sp", spacing, "7", 7000},
      {"ter", terFreq, "5", 5000},             {"ter", terFreq, "4.99", 650000},
      {"ter", terFreq, "950", 950000},         {"ter", terFreq, "960", 650000},
      {"ter", terFreq, "471,25", 471250},      {"ter", terFreq, "9999999999", 650000},
      {"ter", terFreq, "471.250000999", 471250},  // the first ten characters only
      {"sat", satFreq, "950", 950000},         {"sat", satFreq, "949.99", 12100000},
      {"sat", satFreq, "15000", 15000000},     {"sat", satFreq, "15000.01", 12100000},
      {"sat", satFreq, "11.5", 12100000},      {"sat", satFreq, "9999999999", 12100000},
  };
  for (const auto& r : rows) EXPECT_EQ(r.read(r.typed), r.expected) << r.what << " " << r.typed;
}

TEST(Xr9Fields, ChooserPositionsGiveTheRowShownThere) {
  // Every row is found at its own chooser position and back, so no two rows are swapped.
  for (int id = 0; id < AttributeRows; ++id) {
    const int code = AttributeCodeOfId(id);
    EXPECT_EQ(AttributeIdAt(FindAttributeIndex(id, code), code), id);
  }
  EXPECT_EQ(AttributeIdAt(0, AttrBw), 22);
  EXPECT_EQ(AttributeIdAt(0, AttrSymbolRate), 23);
  EXPECT_EQ(AttributeIdAt(0, AttrFrOffset), 37);
  EXPECT_EQ(AttributeIdAt(0, AttrType), 10);
  EXPECT_EQ(AttributeIdAt(40, AttrSys), 0);  // beyond the code's rows
}

TEST(Xr9Fields, VideoCentreAndSpacingOfATerrestrialChannel) {
  TChanXR9 c;
  SetChannelFrequency(c, 7, false, 471250, 8000);
  EXPECT_EQ(c.value1, 471250u);
  EXPECT_EQ(c.value2, 474000u);
  EXPECT_EQ(ChannelSpacingKhz(c), 8000);
  SetChannelFrequency(c, 7, true, 474000, 8000);
  EXPECT_EQ(c.value1, 471250u);
  EXPECT_EQ(c.value2, 474000u);
  SetChannelFrequency(c, 7, false, 650000, 8000);
  EXPECT_EQ(c.value2, 652750u);
  SetChannelFrequency(c, 7, true, 500000, 7000);
  EXPECT_EQ(c.value1, 497750u);
  EXPECT_EQ(ChannelSpacingKhz(c), 7000);
  SetChannelSpacing(c, 8000);
  EXPECT_EQ(c.value1, 497250u);
  EXPECT_EQ(c.value2, 500000u);
  SetChannelFrequency(c, 5, true, 11500000, 8000);  // satellite: one downlink frequency
  EXPECT_EQ(c.value1, 11500000u);
  EXPECT_EQ(c.value2, 11500000u);
}

}  // namespace
