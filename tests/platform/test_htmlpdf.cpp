#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include "FileSizeLimit.h"
#include "HtmlPdf.h"
#include "OutsideTools.h"
#include "RecordingOpener.h"
#include "SaveLimits.h"

namespace {

QString RunTool(const QString& tool, const QStringList& args) {
  QProcess p;
  p.start(tool, args);
  EXPECT_TRUE(p.waitForFinished(30000)) << tool.toStdString();
  EXPECT_EQ(p.exitCode(), 0) << tool.toStdString();
  return QString::fromUtf8(p.readAllStandardOutput());
}

// A report in the writers' own form: the style block, page-break paragraphs with the line feed
// inside the tag, colspan, an unclosed tag, and Windows-1252 letters (euro, n tilde, quotes).
std::string Fixture(int pages, int columns) {
  std::string h =
      "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01 Transitional//EN\" "
      "\"http://www.w3.org/TR/html4/loose.dtd\">\n<html>\n<head>\n"
      "<meta http-equiv=Content-Type content=\"text/html; charset=windows-1252\">\n"
      "<style type = \"text/css\">\n<!--\ntd { font-size: 8pt }\n"
      "P.breakhere {page-break-before: always}\n-->\n</style>\n<title>DataLogger</title></head>\n"
      "<body>\n";
  for (int p = 0; p < pages; ++p) {
    if (p > 0) h += "\n<p class=breakhere\n>(continued)";
    h += "<table border=1>\n<tr><td colspan=\"" + std::to_string(columns) + "\">PAGE" +
         std::to_string(p + 1) + " Precio \x80 5 Espa\xf1" "a \x93quoted\x94</td></tr>\n<tr>";
    for (int c = 0; c < columns; ++c) h += "<td>COL" + std::to_string(c + 1) + "WIDE-CELL";
    h += "</tr>\n</table>\n";
  }
  return h + "</body>\n</html>";
}

struct Converted {
  QStringList errors;
};

Converted Convert(const QString& html, const QString& pdf, int orientation) {
  cv::PdfDocument doc;
  cv::HtmlToPdf conv;
  doc.StartEngine();
  doc.set_FileName(pdf);
  doc.set_AutoLaunch(1);
  doc.BeginDoc();
  doc.set_PDFPAGE_Orientation(orientation);
  conv.StartHTMLEngine();
  conv.ConnectToPDFLibrary(&doc);
  conv.set_AutoAdjustContentWidth(1);
  conv.set_MarginLeft(25);
  conv.set_MarginTop(35);
  conv.LoadHTMLFile(html);
  conv.ConvertAll();
  conv.DisconnectFromPDFLibrary();
  doc.EndDoc();
  return {doc.Errors()};
}

void WriteBytes(const QString& path, const std::string& bytes) {
  QFile f(path);
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  f.write(bytes.data(), static_cast<qint64>(bytes.size()));
}

TEST(HtmlPdf, PagesOrientationTextAndOpening) {
  QTemporaryDir dir;
  const QString html = dir.filePath("r.htm");
  WriteBytes(html, Fixture(3, 4));
  struct Row { int orientation; const char* size; };
  for (const Row& row : {Row{0, "595(\\.\\d+)? x 84[12](\\.\\d+)? pts"}, Row{1, "84[12](\\.\\d+)? x 595(\\.\\d+)? pts"}}) {
    SCOPED_TRACE(row.orientation);
    RecordingOpener opener;
    const QString pdf = dir.filePath(QStringLiteral("r%1.pdf").arg(row.orientation));
    EXPECT_TRUE(Convert(html, pdf, row.orientation).errors.isEmpty());
    const QString info = RunTool("pdfinfo", {pdf});
    EXPECT_TRUE(info.contains(QRegularExpression("Pages:\\s+3\\n"))) << info.toStdString();
    EXPECT_TRUE(info.contains(QRegularExpression(row.size))) << info.toStdString();
    const QString text = RunTool("pdftotext", {"-layout", pdf, "-"});
    const QStringList pages = text.split(QChar('\f'));
    ASSERT_GE(pages.size(), 3);
    for (int p = 0; p < 3; ++p) {
      EXPECT_TRUE(pages[p].contains(QStringLiteral("PAGE%1").arg(p + 1))) << p;
      EXPECT_EQ(pages[p].contains("(continued)"), p > 0) << p;
    }
    EXPECT_TRUE(text.contains(QString::fromUtf8("Precio € 5 España “quoted”"))) << text.toStdString();
    ASSERT_EQ(opener.urls.size(), 1u);
    EXPECT_EQ(opener.urls[0].toLocalFile(), pdf);
  }
}

// Many pieces, every third one wide (shrunk) and every seventh tall (two pages, one when it is
// shrunk as well). A short report
// is laid out ahead on other threads and drawn by one painter; a long one is drawn in parts on
// several threads whose files are joined: either way every page comes out once, in its order, in
// a file a reader takes without repairing it.
std::string ManyPieces(int count) {
  std::string h = Fixture(1, 1);
  const std::string tail = "</body>\n</html>";
  h.resize(h.size() - tail.size());
  for (int p = 2; p <= count; ++p) {
    h += "\n<p class=breakhere\n><table border=1>\n<tr><td>PAGE" + std::to_string(p) + "</td></tr>\n";
    const int rows = p % 7 == 0 ? 90 : 1, columns = p % 3 == 0 ? 30 : 1;
    for (int r = 0; r < rows; ++r) {
      h += "<tr>";
      for (int c = 0; c < columns; ++c) h += "<td>CELL-" + std::to_string(c) + "-WIDE</td>";
      h += "</tr>\n";
    }
    h += "</table>";
  }
  return h + tail;
}

// Whether every object the cross-reference table lists starts where the table says (readers
// quietly rebuild a wrong table, so their silence proves nothing).
bool CrossReferencesExact(const QString& pdf) {
  QFile f(pdf);
  if (!f.open(QIODevice::ReadOnly)) return false;
  const QByteArray bytes = f.readAll();
  const qsizetype sx = bytes.lastIndexOf("startxref");
  const qsizetype xref = sx < 0 ? -1 : bytes.mid(sx + 9, 24).simplified().split(' ').value(0).toLongLong();
  if (xref <= 0 || !bytes.mid(xref).startsWith("xref\n0 ")) return false;
  const qsizetype countAt = xref + 7, entries = bytes.indexOf('\n', countAt) + 1;
  const int count = bytes.mid(countAt, entries - countAt).trimmed().toInt();
  if (count < 2 || bytes.mid(entries + qsizetype(count) * 20).left(7) != "trailer") return false;
  for (int n = 1; n < count; ++n) {
    const QByteArray entry = bytes.mid(entries + qsizetype(n) * 20, 20);
    if (entry.mid(17, 1) != "n") return false;
    if (!bytes.mid(entry.left(10).toLongLong()).startsWith(QByteArray::number(n) + " 0 obj")) return false;
  }
  return true;
}

TEST(HtmlPdf, ManyPiecesKeepTheirOrder) {
  for (int count : {20, 40, 150}) {
    SCOPED_TRACE(count);
    QTemporaryDir dir;
    RecordingOpener opener;
    WriteBytes(dir.filePath("m.htm"), ManyPieces(count));
    const QString pdf = dir.filePath("m.pdf");
    ASSERT_TRUE(Convert(dir.filePath("m.htm"), pdf, 0).errors.isEmpty());
    QProcess text;
    text.start("pdftotext", {"-layout", pdf, "-"});
    ASSERT_TRUE(text.waitForFinished(30000));
    EXPECT_EQ(text.readAllStandardError(), QByteArray());
    EXPECT_TRUE(CrossReferencesExact(pdf));
    const QStringList pages = QString::fromUtf8(text.readAllStandardOutput()).split(QChar('\f'), Qt::SkipEmptyParts);
    const int pageCount = count + count / 7 - count / 21;
    EXPECT_EQ(pages.size(), pageCount);
    EXPECT_TRUE(RunTool("pdfinfo", {pdf}).contains(QRegularExpression(QStringLiteral("Pages:\\s+%1\\n").arg(pageCount))));
    int seen = 1;
    for (const QString& page : pages) {
      const QRegularExpressionMatch m = QRegularExpression("PAGE(\\d+)").match(page);
      if (!m.hasMatch()) continue;  // the second page of a tall piece
      EXPECT_EQ(m.captured(1).toInt(), seen++) << page.toStdString();
    }
    EXPECT_EQ(seen, count + 1);
    EXPECT_TRUE(pages.last().contains(QStringLiteral("CELL-0-WIDE")));
    EXPECT_EQ(opener.urls.size(), 1u);
  }
}

// A long report's joined file is saved whole or not at all: a write cut short by a file-size
// limit leaves the earlier file, records the failure and opens nothing.
TEST(HtmlPdf, LongReportCutShortLeavesTheOldFile) {
  QTemporaryDir dir;
  RecordingOpener opener;
  WriteBytes(dir.filePath("m.htm"), ManyPieces(150));
  const QString pdf = dir.filePath("m.pdf");
  WriteBytes(pdf, "OLD");
  Converted result;
  {
    cvtest::FileSizeLimit limit(64 * 1024);
    result = Convert(dir.filePath("m.htm"), pdf, 0);
  }
  EXPECT_FALSE(result.errors.isEmpty());
  QFile old(pdf);
  ASSERT_TRUE(old.open(QIODevice::ReadOnly));
  EXPECT_EQ(old.readAll(), QByteArray("OLD"));
  EXPECT_TRUE(opener.urls.empty());
}

TEST(HtmlPdf, WideTableScaledIntoThePage) {
  QTemporaryDir dir;
  RecordingOpener opener;
  const QString html = dir.filePath("w.htm");
  WriteBytes(html, Fixture(1, 25));
  const QString pdf = dir.filePath("w.pdf");
  EXPECT_TRUE(Convert(html, pdf, 1).errors.isEmpty());
  // Every column's text reaches the page, the last one included.
  const QString text = RunTool("pdftotext", {"-layout", pdf, "-"});
  EXPECT_TRUE(text.contains("COL1WIDE-CELL"));
  EXPECT_TRUE(text.contains("COL25WIDE-CELL")) << text.toStdString();
  EXPECT_TRUE(RunTool("pdfinfo", {pdf}).contains(QRegularExpression("Pages:\\s+1\\n")));
}

TEST(HtmlPdf, TableAsWideAsThePageKeepsItsLetterSize) {
  QTemporaryDir dir;
  RecordingOpener opener;
  const QString html = dir.filePath("p.htm");
  std::string h = Fixture(1, 4);
  h.replace(h.find("<table border=1>"), 16, "<table border=1 width=\"100%\">");
  WriteBytes(html, h);
  const QString pdf = dir.filePath("p.pdf");
  EXPECT_TRUE(Convert(html, pdf, 0).errors.isEmpty());
  // The words are as high as the text of a page, not shrunk towards nothing.
  static const QRegularExpression word("yMin=\"([0-9.]+)\" xMax=\"[0-9.]+\" yMax=\"([0-9.]+)\">PAGE1<");
  const auto m = word.match(RunTool("pdftotext", {"-bbox", pdf, "-"}));
  ASSERT_TRUE(m.hasMatch());
  EXPECT_GT(m.captured(2).toDouble() - m.captured(1).toDouble(), 5.0);
}

TEST(HtmlPdf, FailuresRecordedNeverOpened) {
  QTemporaryDir dir;
  RecordingOpener opener;
  const QString html = dir.filePath("ok.htm");
  WriteBytes(html, Fixture(1, 3));
  // Unreadable HTML file.
  const auto missing = Convert(dir.filePath("missing.htm"), dir.filePath("a.pdf"), 0);
  EXPECT_FALSE(missing.errors.isEmpty());
  EXPECT_TRUE(missing.errors.join(' ').contains("missing.htm"));
  // PDF in a folder that does not exist.
  const QString bad = dir.filePath("no/such/dir/b.pdf");
  const auto unwritable = Convert(html, bad, 0);
  EXPECT_FALSE(unwritable.errors.isEmpty());
  EXPECT_FALSE(QFile::exists(bad));
  EXPECT_TRUE(opener.urls.empty());
}

// The PDF is drawn in memory and saved whole: under file-size limits below, at and above the write
// buffer it is written entirely or the failure is recorded and the old file stays.
TEST(HtmlPdf, ThePdfIsSavedWholeOrTheOldOneStays) {
  QTemporaryDir dir;
  RecordingOpener opener;
  const QString html = dir.filePath("ok.htm");
  WriteBytes(html, Fixture(4, 6));
  const QString pdf = dir.filePath("r.pdf");
  cvtest::ExpectWholeOrOldFile(pdf.toStdString(), [&] { return Convert(html, pdf, 0).errors.isEmpty(); }, false);
}

// A name outside ASCII reaches the file system spelt alike whether the pages were drawn at once or
// in parts and joined.
TEST(HtmlPdf, NonAsciiFileNameIsTheFileWritten) {
  QTemporaryDir dir;
  RecordingOpener opener;
  for (int pieces : {1, 40}) {
    SCOPED_TRACE(pieces);
    const QString html = dir.filePath(QStringLiteral("m%1.htm").arg(pieces));
    WriteBytes(html, pieces == 1 ? Fixture(1, 3) : ManyPieces(pieces));
    const QString pdf = dir.filePath(QStringLiteral("Informe C\u00e9sar \u00d1 %1.pdf").arg(pieces));
    EXPECT_TRUE(Convert(html, pdf, 0).errors.isEmpty());
    EXPECT_TRUE(QFile::exists(pdf));
    EXPECT_TRUE(RunTool("pdfinfo", {pdf}).contains("Pages:"));
  }
  EXPECT_EQ(QDir(dir.path()).entryList({"*.pdf"}, QDir::Files).size(), 2);
}

// A table taller than a page in the certificate form: channels of two rows each, the channel's
// name cell spanning both, a paragraph before it and one after.
std::string TallTable(int channels, int columns) {
  std::string h =
      "<html><head><style type = \"text/css\">\n<!--\ntd { font-size: 8pt }\n-->\n</style></head>\n"
      "<body>\n<p>BEFORE THE TABLE</p>\n<table border=1 cellspacing=0>\n";
  char cell[32];
  for (int ch = 0; ch < channels; ++ch)
    for (int half = 0; half < 2; ++half) {
      h += "<tr>";
      if (half == 0) h += "<td rowspan=2>CH" + std::to_string(ch) + "</td>";
      for (int c = 0; c < columns; ++c) {
        std::snprintf(cell, sizeof cell, "<td>R%03d.%02d", 2 * ch + half, c);
        h += cell;
      }
      h += "</tr>\n";
    }
  return h + "</table>\n<p>AFTER THE TABLE</p>\n</body>\n</html>";
}

}  // namespace

TEST(HtmlPdf, TallTablesContinueOnTheNextPageBetweenRows) {
  RecordingOpener opener;
  struct Row { int orientation, channels, columns, minPages; };
  for (const Row& row : {Row{0, 80, 4, 3}, Row{1, 30, 25, 2}}) {
    SCOPED_TRACE(row.columns);
    QTemporaryDir dir;
    const QString html = dir.filePath("t.htm"), pdf = dir.filePath("t.pdf");
    WriteBytes(html, TallTable(row.channels, row.columns));
    EXPECT_TRUE(Convert(html, pdf, row.orientation).errors.isEmpty());
    const QStringList pages = RunTool("pdftotext", {"-layout", pdf, "-"}).split(QChar('\f'), Qt::SkipEmptyParts);
    ASSERT_GE(pages.size(), row.minPages);
    EXPECT_TRUE(pages.first().contains("BEFORE THE TABLE"));
    EXPECT_TRUE(pages.last().contains("AFTER THE TABLE"));
    // Every row's cells on one line of one page, written once; a channel's two rows together.
    for (int ch = 0; ch < row.channels; ++ch) {
      int channelPage = -1;
      for (int p = 0; p < pages.size(); ++p)
        if (pages[p].contains(QRegularExpression(QStringLiteral("\\bCH%1\\b").arg(ch)))) {
          EXPECT_EQ(channelPage, -1) << "CH" << ch << " on two pages";
          channelPage = p;
        }
      for (int r = 2 * ch; r < 2 * ch + 2; ++r) {
        const QString first = QStringLiteral("R%1.00").arg(r, 3, 10, QChar('0'));
        int found = 0;
        for (int p = 0; p < pages.size(); ++p)
          for (const QString& line : pages[p].split('\n')) {
            if (!line.contains(first)) continue;
            ++found;
            EXPECT_EQ(p, channelPage) << first.toStdString();
            for (int c = 1; c < row.columns; ++c)
              EXPECT_TRUE(line.contains(QStringLiteral("R%1.%2").arg(r, 3, 10, QChar('0')).arg(c, 2, 10, QChar('0'))))
                  << line.toStdString();
          }
        EXPECT_EQ(found, 1) << first.toStdString();
      }
    }
  }
}

// The reports hide their style sheet in a comment, as pages did for browsers without styles:
// it still styles the PDF, and comments outside style blocks stay as they are.
TEST(HtmlPdf, StyleSheetInACommentIsApplied) {
  EXPECT_EQ(cv::UncommentStyleSheets("<STYLE type = \"text/css\">\n<!--\ntd { x }\n-->\n</style><!-- a --><style>"
                                     "<!-- b -->"),
            "<STYLE type = \"text/css\">\n\ntd { x }\n\n</style><!-- a --><style> b ");
  QTemporaryDir dir;
  const QString html = dir.filePath("s.htm"), pdf = dir.filePath("s.pdf");
  WriteBytes(html, "<html><head><style type = \"text/css\">\n<!--\ntd.mark { background-color: #ffff00 }\n-->\n"
                   "</style></head><body><table><tr><td class=\"mark\">MARKED VALUE</td></tr></table></body></html>");
  RecordingOpener opener;
  EXPECT_TRUE(Convert(html, pdf, 0).errors.isEmpty());
  EXPECT_TRUE(outside::PdfFirstPageHasPixel(pdf, [](int r, int g, int b) { return r > 230 && g > 230 && b < 40; }));
}
