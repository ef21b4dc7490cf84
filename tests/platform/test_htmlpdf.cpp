#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include "HtmlPdf.h"
#include "OutsideTools.h"
#include "RecordingOpener.h"

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

TEST(HtmlPdf, CommentedStyleSheetAndFullWidthTable) {
  EXPECT_EQ(cv::StyleSheetsUncommented("<!--a--><STYLE x>\n<!--\ntd { }\n-->\n</style><!--b-->").toStdString(),
            "<!--a--><STYLE x>\n\ntd { }\n\n</style><!--b-->");
  // A table as wide as the page, styled from a sheet inside comment markers: drawn at a size one
  // can read, the styled cell yellow.
  QTemporaryDir dir;
  RecordingOpener opener;
  const QString html = dir.filePath("f.htm");
  std::string h =
      "<html><head><style type = \"text/css\">\n<!--\ntd.hot { background-color: yellow }\n-->\n</style>"
      "</head><body>\n<table border=1 width=\"100%\"><tr><td class=\"hot\">PAGE1</td>";
  for (int c = 0; c < 24; ++c) h += "<td>COL" + std::to_string(c + 2) + "</td>";
  WriteBytes(html, h + "</tr></table></body></html>");
  const QString pdf = dir.filePath("f.pdf");
  EXPECT_TRUE(Convert(html, pdf, 1).errors.isEmpty());
  const QString boxes = RunTool("pdftotext", {"-bbox", pdf, "-"});
  const auto word = QRegularExpression(R"re(yMin="([0-9.]+)" xMax="[0-9.]+" yMax="([0-9.]+)">PAGE1<)re").match(boxes);
  ASSERT_TRUE(word.hasMatch()) << boxes.toStdString();
  EXPECT_GT(word.captured(2).toDouble() - word.captured(1).toDouble(), 5.0);
  EXPECT_GT(outside::PdfYellowPixels(pdf, dir.filePath("f")), 4);
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

}  // namespace
