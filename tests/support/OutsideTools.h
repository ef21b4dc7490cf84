#pragma once
// The outside tools that check report outputs: headless Chromium's DOM with the column walk of
// dom_columns.py, xmllint, and poppler's pdfinfo and pdftotext. A tool that is missing fails the
// test: ./test.sh installs them all.
#include <gtest/gtest.h>
#include <unistd.h>

#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QString>
#include <QStringList>
#include <map>
#include <vector>

namespace outside {

inline QByteArray RunBytes(const QString& tool, const QStringList& args, int* exitCode = nullptr,
                           const QByteArray& input = {}) {
  QProcess p;
  p.start(tool, args);
  if (!p.waitForStarted(30000)) {
    ADD_FAILURE() << tool.toStdString() << " could not be started";
    if (exitCode) *exitCode = -1;
    return {};
  }
  if (!input.isEmpty()) p.write(input);
  p.closeWriteChannel();
  EXPECT_TRUE(p.waitForFinished(120000)) << tool.toStdString();
  if (exitCode)
    *exitCode = p.exitCode();
  else
    EXPECT_EQ(p.exitCode(), 0) << tool.toStdString() << ": " << p.readAllStandardError().toStdString();
  return p.readAllStandardOutput();
}

inline QString Run(const QString& tool, const QStringList& args, int* exitCode = nullptr,
                   const QByteArray& input = {}) {
  return QString::fromUtf8(RunBytes(tool, args, exitCode, input));
}

// The DOM headless Chromium built from the file.
inline QString ChromiumDom(const QString& htmlPath) {
  QStringList args{"--headless", "--disable-gpu", "--no-first-run", "--dump-dom"};
  if (geteuid() == 0) args.prepend("--no-sandbox");
  args << "file://" + htmlPath;
  return Run("chromium", args);
}

// Columns of every row of every table of the DOM, counting colspan and rowspan: table -> rows.
inline std::map<int, std::vector<int>> TableColumns(const QString& htmlPath) {
  const QString dom = ChromiumDom(htmlPath);
  EXPECT_FALSE(dom.isEmpty()) << "no DOM from chromium for " << htmlPath.toStdString();
  const QString walk = Run("python3", {QStringLiteral(CV_TEST_SUPPORT_DIR) + "/dom_columns.py"}, nullptr,
                           dom.toUtf8());
  std::map<int, std::vector<int>> out;
  static const QRegularExpression line("table (\\d+) row (\\d+) columns (\\d+)");
  for (const QString& l : walk.split('\n', Qt::SkipEmptyParts)) {
    const auto m = line.match(l);
    if (m.hasMatch()) out[m.captured(1).toInt()].push_back(m.captured(3).toInt());
  }
  return out;
}

// True when every row of every table spans `columns`; the rows checked are counted into `rows`.
inline bool EveryRowSpans(const QString& htmlPath, int columns, int* rows = nullptr) {
  int n = 0;
  bool ok = true;
  for (const auto& [table, counts] : TableColumns(htmlPath))
    for (size_t r = 0; r < counts.size(); ++r) {
      ++n;
      if (counts[r] != columns) {
        ADD_FAILURE() << htmlPath.toStdString() << ": table " << table << " row " << r << " spans "
                      << counts[r] << " columns, not " << columns;
        ok = false;
      }
    }
  if (rows) *rows = n;
  return ok && n > 0;
}

inline bool XmlWellFormed(const QString& xmlPath) {
  int code = 0;
  Run("xmllint", {"--noout", xmlPath}, &code);
  return code == 0;
}

inline int XPathCount(const QString& xmlPath, const QString& expr) {
  return Run("xmllint", {"--xpath", "count(" + expr + ")", xmlPath}).trimmed().toInt();
}

inline int PdfPages(const QString& pdfPath) {
  static const QRegularExpression pages("Pages:\\s+(\\d+)");
  return pages.match(Run("pdfinfo", {pdfPath})).captured(1).toInt();
}

// "595.276 x 841.89" style page size text of pdfinfo.
inline QString PdfPageSize(const QString& pdfPath) {
  static const QRegularExpression size("Page size:\\s+([0-9.]+ x [0-9.]+)");
  return size.match(Run("pdfinfo", {pdfPath})).captured(1);
}

// True when some pixel of the PDF's first page, drawn by pdftoppm at 60 dots per inch, passes
// `colour` (red, green, blue).
template <class Pred>
bool PdfFirstPageHasPixel(const QString& pdfPath, Pred colour) {
  const QByteArray ppm = RunBytes("pdftoppm", {"-r", "60", "-f", "1", "-l", "1", pdfPath});
  if (!ppm.startsWith("P6")) return false;
  // A binary pixel map: the magic, width, height and maximum, each followed by one blank.
  qsizetype at = 0;
  for (int fields = 0; fields < 4; ++fields) {
    while (at < ppm.size() && !QChar(ppm[at]).isSpace()) ++at;
    ++at;
  }
  for (qsizetype i = at; i + 2 < ppm.size(); i += 3)
    if (colour(uint8_t(ppm[i]), uint8_t(ppm[i + 1]), uint8_t(ppm[i + 2]))) return true;
  return false;
}

inline QString PdfText(const QString& pdfPath) { return Run("pdftotext", {"-layout", pdfPath, "-"}); }

// The yellow pixels of the first page drawn by pdftoppm at 30 dots per inch (`png` is the
// picture's path without its extension): how much of what the styles mark stands out.
inline int PdfYellowPixels(const QString& pdfPath, const QString& png) {
  Run("pdftoppm", {"-r", "30", "-png", "-singlefile", "-f", "1", "-l", "1", pdfPath, png});
  const QImage page(png + ".png");
  EXPECT_FALSE(page.isNull()) << png.toStdString();
  int yellow = 0;
  for (int y = 0; y < page.height(); ++y)
    for (int x = 0; x < page.width(); ++x) {
      const QColor c = page.pixelColor(x, y);
      yellow += c.red() > 200 && c.green() > 200 && c.blue() < 80;
    }
  return yellow;
}

}  // namespace outside
