#include "FixedFont.h"

#include <QFontDatabase>
#include <QFontMetricsF>
#include <QStringList>
#include <algorithm>
#include <cmath>

namespace cv {
namespace {

// The printable characters of Windows-1252, as the widgets show them: ASCII, the code page's own
// row 0x80-0x9F and the Latin-1 rest.
const QString& Printable1252() {
  static const QString text = [] {
    QString t;
    for (char16_t c = 0x20; c < 0x7F; ++c) t += QChar(c);
    t += QStringView(u"\u20AC\u201A\u0192\u201E\u2026\u2020\u2021\u02C6\u2030\u0160\u2039\u0152\u017D"
                     u"\u2018\u2019\u201C\u201D\u2022\u2013\u2014\u02DC\u2122\u0161\u203A\u0153\u017E\u0178");
    for (char16_t c = 0xA0; c <= 0xFF; ++c)
      if (c != 0xAD) t += QChar(c);  // the soft hyphen shows only where a line breaks
    return t;
  }();
  return text;
}

QFont Candidate(const QString& family, qreal pointSize) {
  QFont f = QFontDatabase::systemFont(QFontDatabase::FixedFont);
  f.setFamily(family);
  f.setStyleHint(QFont::TypeWriter);
  f.setFixedPitch(true);
  if (pointSize > 0) f.setPointSizeF(pointSize);
  return f;
}

}  // namespace

bool HasOneAdvance(const QFont& font) {
  const QFontMetricsF fm(font);
  const QString& text = Printable1252();
  const qreal advance = fm.horizontalAdvance(text.at(0));
  if (advance <= 0) return false;
  for (QChar c : text)
    if (std::abs(fm.horizontalAdvance(c) - advance) > 0.01) return false;
  return true;
}

QFont FixedPitchFont(const QString& family, qreal pointSize) {
  const QString desktop = QFontDatabase::systemFont(QFontDatabase::FixedFont).family();
  QStringList families{family.isEmpty() ? desktop : family,
                       QStringLiteral("Courier New"),
                       QStringLiteral("Liberation Mono"),
                       QStringLiteral("DejaVu Sans Mono"),
                       QStringLiteral("Noto Sans Mono"),
                       QStringLiteral("Noto Mono"),
                       QStringLiteral("Courier"),
                       desktop,
                       QStringLiteral("monospace")};
  families.removeDuplicates();
  for (const QString& name : families) {
    const QFont f = Candidate(name, pointSize);
    if (HasOneAdvance(f)) return f;
  }
  // A machine without any of them: the installed families, the ones the database calls fixed
  // first, each measured all the same.
  QStringList installed = QFontDatabase::families();
  std::stable_partition(installed.begin(), installed.end(),
                        [](const QString& name) { return QFontDatabase::isFixedPitch(name); });
  for (const QString& name : installed) {
    if (families.contains(name)) continue;
    const QFont f = Candidate(name, pointSize);
    if (HasOneAdvance(f)) return f;
  }
  return Candidate(families.front(), pointSize);
}

}  // namespace cv
