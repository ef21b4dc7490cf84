// The fixed-pitch font: chosen by measuring its glyphs, whatever family fontconfig puts behind a
// name and whatever it marks as fixed.
#include <gtest/gtest.h>

#include <QFont>
#include <QFontMetricsF>

#include "FixedFont.h"

namespace {

TEST(FixedFont, EveryRequestGivesGlyphsOfOneWidth) {
  for (const char* family : {"Courier New", "", "No Such Family", "DejaVu Sans", "Serif"}) {
    const QFont f = cv::FixedPitchFont(family, 9);
    EXPECT_TRUE(cv::HasOneAdvance(f)) << family << " gave " << f.family().toStdString();
    EXPECT_EQ(f.pointSizeF(), 9) << family;
    const QFontMetricsF fm(f);
    EXPECT_EQ(fm.horizontalAdvance(QStringLiteral("iiiii")), fm.horizontalAdvance(QStringLiteral("WWWWW"))) << family;
  }
}

TEST(FixedFont, AProportionalFontIsToldApart) {
  QFont proportional("DejaVu Sans");
  proportional.setStyleHint(QFont::SansSerif);
  const QFontMetricsF fm(proportional);
  ASSERT_NE(fm.horizontalAdvance(QChar(u'i')), fm.horizontalAdvance(QChar(u'W'))) << "the machine has no proportional font";
  EXPECT_FALSE(cv::HasOneAdvance(proportional));
}

TEST(FixedFont, TheWantedFamilyIsKeptWhenItIsFixed) {
  const QFont any = cv::FixedPitchFont("No Such Family");
  const QFont again = cv::FixedPitchFont(any.family());
  EXPECT_EQ(again.family(), any.family());
}

}  // namespace
