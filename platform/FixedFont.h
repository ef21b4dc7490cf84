#pragma once
// A font whose glyphs all have one advance, for the memos and lists whose text stands in columns.
// Fontconfig maps a family that is not installed (such as "Courier New") to whatever its rules say,
// and does not mark every monospaced family as fixed pitch, so neither the name nor the font's
// flag tells what the user will see: the choice is made by measuring the glyphs.
#include <QFont>
#include <QString>

namespace cv {

// True when every printable character of Windows-1252 has the same advance in `font`, as drawn
// (glyphs the font lacks come from a fall-back font and count with their own advance).
bool HasOneAdvance(const QFont& font);

// `family` at `pointSize` when its glyphs have one advance; otherwise the first of the usual fixed
// families, the desktop's fixed font and then every installed family that has. An empty family
// asks for the desktop's fixed font first; a size not above 0 keeps the font's own.
QFont FixedPitchFont(const QString& family = QStringLiteral("Courier New"), qreal pointSize = 0);

}  // namespace cv
