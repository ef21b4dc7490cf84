#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <clocale>
#include <cstdio>
#include <cstdlib>

#include "MeasValue.h"
#include "Xr9Images.h"

using namespace cv::xr9;
using cvsim::xr9img::BerValue;
using cvsim::xr9img::MeasValue;

namespace {

TDataLogMeas Meas(uint8_t code, uint8_t units, uint32_t value) { return {code, units, value, 0}; }

void CheckValueTexts() {
  struct Case {
    TDataLogMeas meas;
    int target;
    const char* text;
    bool valid;
  } cases[] = {
      {Meas(MeasLevel, UnitsDbm, MeasValue(0, 100)), UnitsDbuv, " 118.8", true},
      {Meas(MeasLevel, UnitsDbuv, MeasValue(0, 100)), UnitsDbuv, " 10.0", true},
      {Meas(MeasPower, UnitsDbuv, MeasValue(0, 100)), UnitsDbmv, " -50.0", true},
      {Meas(MeasRef, UnitsDbmv, MeasValue(0, -5)), UnitsDbm, " -49.3", true},
      {Meas(MeasLevel, UnitsNone, MeasValue(0, 100)), UnitsDbuv, " 10.0", true},
      {Meas(MeasLevel, UnitsDbm, MeasValue(0, 100)), UnitsNone, " 10.0", true},
      {Meas(MeasLevel, UnitsDbuv, MeasValue(0xC0, 100)), UnitsDbuv, "!!", false},
      {Meas(MeasLevel, UnitsDbuv, MeasValue(0x40, 200)), UnitsDbuv, "<20.0", true},
      {Meas(MeasLevel, UnitsDbuv, MeasValue(0x80, 1200)), UnitsDbuv, ">120.0", true},
      {Meas(MeasLevel, UnitsDbuv, MeasValue(0x10, 305)), UnitsDbuv, "?30.5", true},
      {Meas(MeasLevel, UnitsDbuv, MeasValue(0, -32768)), UnitsDbuv, " -3276.8", true},
      {Meas(MeasMer, UnitsDbm, MeasValue(0, 312)), UnitsDbuv, " 31.2", true},  // ratios are not converted
      {Meas(MeasCnRef, UnitsDbuv, MeasValue(0xC0, 0)), UnitsDbuv, "!!", false},
      {Meas(MeasCber, UnitsDbuv, BerValue(0, 23, -4)), UnitsDbuv, " 2.3E-4", true},
      {Meas(MeasLber, UnitsDbuv, BerValue(0x40, 100, 12)), UnitsDbuv, "<10.0E12", true},
      {Meas(MeasSer, UnitsDbuv, BerValue(0xC0, 1, 1)), UnitsDbuv, "!!", false},
      {Meas(MeasMpeg2, UnitsDbuv, 1), UnitsDbuv, "LOCKED", true},
      {Meas(MeasMpeg2, UnitsDbuv, 0), UnitsDbuv, "NOT LOCKED", true},
      {Meas(MeasMpeg2, UnitsDbuv, 0xC0), UnitsDbuv, "NOT LOCKED", true},
      {Meas(MeasOffset, UnitsDbuv, MeasValue(0, -1)), UnitsDbuv, "65535", true},
      {Meas(MeasOffset, UnitsDbuv, MeasValue(0x40, 12)), UnitsDbuv, "12", true},
      {Meas(MeasOffset, UnitsDbuv, MeasValue(0xC0, 12)), UnitsDbuv, "!!", false},
      {Meas(14, UnitsDbuv, 0xC0), UnitsDbuv, "( ? ? ? ) ", true},
  };
  for (const Case& c : cases) {
    std::string text = "old";
    EXPECT_EQ(MeasValueText(c.meas, c.target, text), c.valid) << c.text;
    EXPECT_EQ(text, c.text);
  }

  struct Number {
    TDataLogMeas meas;
    int target;
    int32_t number;
    char status;
    bool valid;
  } numbers[] = {
      {Meas(MeasLevel, UnitsDbm, MeasValue(0, 100)), UnitsDbuv, 1188, ' ', true},
      {Meas(MeasLevel, UnitsDbuv, MeasValue(0x80, -20)), UnitsDbuv, -20, '>', true},
      {Meas(MeasVA, UnitsDbm, MeasValue(0, 95)), UnitsDbuv, 95, ' ', true},
      {Meas(MeasOffset, UnitsDbuv, MeasValue(0, -1)), UnitsDbuv, 65535, ' ', true},
      {Meas(MeasCber, UnitsDbuv, BerValue(0x40, 23, -4)), UnitsDbuv, 0, '<', true},
      {Meas(MeasLevel, UnitsDbuv, MeasValue(0xC0, 100)), UnitsDbuv, 0, '!', false},
      {Meas(MeasMpeg2, UnitsDbuv, 1), UnitsDbuv, 0, '!', false},
      {Meas(14, UnitsDbuv, 0), UnitsDbuv, 0, '!', false},
  };
  for (const Number& c : numbers) {
    int32_t n = 7;
    char status = 'x';
    EXPECT_EQ(MeasNumber(c.meas, c.target, n, status), c.valid) << int(c.meas.code);
    EXPECT_EQ(n, c.number) << int(c.meas.code);
    EXPECT_EQ(status, c.status) << int(c.meas.code);
  }

  // The conversion table both ways.
  const int32_t delta[4][4] = {{0, 0, 0, 0}, {0, 0, -600, -1088}, {0, 600, 0, -488}, {0, 1088, 488, 0}};
  for (int from = 0; from <= 4; ++from) {
    for (int to = 0; to <= 4; ++to) {
      int32_t v = 250;
      ConvertLevelUnits(from, to, v);
      int32_t expected = 250 + (from < 4 && to < 4 ? delta[from][to] : 0);
      EXPECT_EQ(v, expected) << from << "->" << to;
      ConvertLevelUnits(to, from, v);
      EXPECT_EQ(v, 250) << from << "<->" << to;
    }
  }

  TDataLogMeas values[] = {Meas(MeasMer, UnitsDbm, MeasValue(0, 312)), Meas(MeasLevel, UnitsDbm, MeasValue(0, 100)),
                           Meas(MeasLevel, UnitsDbm, MeasValue(0, 200))};
  TDataLogCell cell{0, values, 3};
  std::string text = "old";
  EXPECT_EQ(MeasValueTextOfCode(cell, MeasLevel, text), 1);
  EXPECT_EQ(text, " 118.8");  // reports show levels in dBuV
  EXPECT_EQ(MeasValueTextOfCode(cell, MeasCber, text), -1);
  EXPECT_EQ(text, "");
  TDataLogCell shorter{0, values, 1};
  EXPECT_EQ(MeasValueTextOfCode(shorter, MeasLevel, text), -1);
}

TEST(Xr9MeasValue, TextsNumbersAndConversions) { CheckValueTexts(); }

// A numeric locale with a decimal comma changes nothing. The machine may have no such locale
// installed: one is compiled from the system's locale sources into a scratch folder.
TEST(Xr9MeasValue, ACommaLocaleChangesNothing) {
  QTemporaryDir dir;
  std::string locales = dir.path().toStdString();
  std::string command = "localedef -i de_DE -f UTF-8 '" + locales + "/de_DE.UTF-8' >/dev/null 2>&1";
  int made = std::system(command.c_str());
  const char* oldPath = std::getenv("LOCPATH");
  std::string keepPath = oldPath ? oldPath : "";
  setenv("LOCPATH", locales.c_str(), 1);
  std::string keep = std::setlocale(LC_NUMERIC, nullptr);
  const char* set = std::setlocale(LC_NUMERIC, "de_DE.UTF-8");
  if (!set) {
    unsetenv("LOCPATH");
    set = std::setlocale(LC_NUMERIC, "de_DE.UTF-8");
  }
  ASSERT_NE(set, nullptr) << "no comma locale (localedef gave " << made << "; install the locales package)";
  char probe[16];
  std::snprintf(probe, sizeof probe, "%.1f", 1.5);
  EXPECT_STREQ(probe, "1,5");
  CheckValueTexts();
  std::setlocale(LC_NUMERIC, keep.c_str());
  if (oldPath) setenv("LOCPATH", keepPath.c_str(), 1);
  else unsetenv("LOCPATH");
}

}  // namespace
