// What the certificate sections share: XML texts and CDATA bodies that stay well formed, the
// branch tables and how far their groups run, the page walk, and the texts chosen by kind.
#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "CertificateFrame.h"
#include "DataLoggerCtl.h"
#include "HostForm.h"
#include "HtmlPdf.h"
#include "OutsideTools.h"
#include "ReportText.h"
#include "StartDir.h"
#include "Xr9DlFixture.h"
#include "Xr9Equip.h"
#include "Xr9TestFiles.h"

using namespace cv::xr9;
namespace img = cvsim::xr9img;

TEST(Xr9ReportFrame, XmlTextsAreEscapedConvertedAndStripped) {
  EXPECT_EQ(XmlText("A&B<C>\x01\tD\xF1"), "A&amp;B&lt;C&gt;\tD\xC3\xB1");
  EXPECT_EQ(CdataText("a]]>b]]>"), "a]]]]><![CDATA[>b]]]]><![CDATA[>");
  EXPECT_EQ(CdataText("\x80\x1F"), "\xE2\x82\xAC");
}

namespace {

// Test points with roles (type, branch) on a grid of `channels` DVB-T channels.
struct Roles {
  StartDir dir;  // the observations file's folder
  std::vector<std::string> memo;
  HostForm host;
  TXR9Equip equip{&host.form, nullptr};
  DataLoggerCtl ctl{equip, [this](const std::string& l) { memo.push_back(l); }};
  int slot = -1;
  Roles(int channels, const std::vector<std::pair<int, int>>& roles) {
    const auto image = img::DataLogFile(xr9test::DlGrid(channels, int(roles.size())));
    slot = ctl.store.DecodeDataLogFile(image.data(), image.size(), "R.DL");
    for (size_t i = 0; i < roles.size(); ++i) {
      (*ctl.store.File(slot).testPoints)[i].pointType = roles[i].first;
      (*ctl.store.File(slot).testPoints)[i].branch = roles[i].second;
    }
  }
};

}  // namespace

TEST(Xr9ReportFrame, BranchTablesPairAndGroupLimit) {
  // best on branches 0 and 6, worst on 6, 0 and 0 again, a worst alone on branch 2.
  Roles r(3, {{0, 0}, {1, 6}, {0, 6}, {1, 0}, {1, 0}, {1, 2}, {2, -1}});
  BranchTable best, worst;
  int nBest = 0, nWorst = 0;
  CollectBranchPoints(r.ctl.store, r.slot, best, worst, nBest, nWorst);
  EXPECT_EQ(nBest, 2);
  EXPECT_EQ(nWorst, 4);
  PairBranchPoints(r.ctl.store, r.slot, best, worst);
  EXPECT_EQ(best[0], 0);
  EXPECT_EQ(worst[0], 3);
  EXPECT_EQ(best[6], 2);
  EXPECT_EQ(worst[6], 1);
  EXPECT_EQ(worst[2], -1);  // no best point on branch 2
  EXPECT_EQ(BranchGroupLimit(2, best, worst), 7);
  best.fill(-1);
  worst.fill(-1);
  best[1] = 0;
  EXPECT_EQ(BranchGroupLimit(4, best, worst), 4);
  EXPECT_EQ(FindTestPointByType(r.ctl.store, r.slot, 2, 0), 6);
  EXPECT_EQ(FindTestPointInBranch(r.ctl.store, r.slot, 0, 4, 1), 4);
  EXPECT_EQ(FindTestPointByType(r.ctl.store, -1, 2, 0), -1);
  EXPECT_EQ(FindMeasCode(r.ctl.store, r.slot, 2, 0), 0);
  EXPECT_EQ(FindMeasCode(r.ctl.store, r.slot, 3, 0), -1);
}

TEST(Xr9ReportFrame, PagesRunByChannelBlockThenBranchGroup) {
  struct Row { int channels, size, groups; const char* pages; };
  const Row rows[] = {{40, 18, 1, "0/0 18/0 36/0 obs"}, {30, 18, 6, "0/0 0/4 18/0 18/4 obs"},
                      {0, 18, 1, ""}, {5, 18, 0, "0/0 obs"}};
  for (const Row& row : rows) {
    std::string html, seen;
    ForEachSectionPage(html, row.channels, row.size, row.groups,
                       [&](int c, int g) { seen += std::to_string(c) + "/" + std::to_string(g) + " "; },
                       [&] { seen += "obs"; });
    EXPECT_EQ(seen, row.pages);
    const size_t pages = std::count(seen.begin(), seen.end(), '/');
    EXPECT_EQ(html, pages ? [&] { std::string b; for (size_t i = 1; i < pages; ++i) b += kPageBreak; return b; }() : "");
  }
  EXPECT_EQ(PageSizeOr(0, 18), 18);
  EXPECT_EQ(PageSizeOr(-3, 40), 40);
  EXPECT_EQ(PageSizeOr(1, 40), 1);
}

TEST(Xr9ReportFrame, TextsByKindAndObservations) {
  Roles r(1, {{0, 0}});
  struct Row { int kind; const char* section; const char* key; };
  const Row rows[] = {{0, "DLReportESPInOutTER", "prologue1"}, {1, "DLReportESPInOutTER", "prologue1UPD"},
                      {2, "DLReportCATInOutTER", "prologue1"}, {4, "DLReportCATInOutTER", "prologue1UPD"},
                      {6, "DLReportESPInOutTER", "prologue1"}, {7, "DLReportESPInOutTER", "prologue1UPD"}};
  for (const Row& row : rows) {
    r.ctl.generatingKind = row.kind;
    EXPECT_EQ(KindSection(r.ctl, "DLReportESPInOutTER"), row.section);
    EXPECT_EQ(KindKey(r.ctl, "prologue1"), row.key);
  }
  const std::string head = CertificateHtmlHead(r.ctl);
  EXPECT_NE(head.find("\nDefault Style\n??\n??42\n-->"), std::string::npos);

  std::string xml, html;
  r.ctl.observationsQuestion = [&](const std::string&) {
    QFile f(QString::fromStdString(ObservationsPath(r.ctl)));
    EXPECT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("a ]]> & <b>\r\n\xF1\r\n");
    return true;
  };
  EXPECT_TRUE(AskObservations(r.ctl, "Obs?"));
  WriteObservationsXml(r.ctl, "OBSERVACIONES", &xml);
  WriteObservationsHtml(r.ctl, "<b>Notes</b>", &html);
  EXPECT_EQ(xml, "<OBSERVACIONES>\n<![CDATA[a ]]]]><![CDATA[> & <b>\n\xC3\xB1\n]]>\n</OBSERVACIONES>\n");
  EXPECT_EQ(html, "<br><b>Notes</b>\n<br>a ]]&gt; &amp; &lt;b&gt;\n<br>\xF1\n");
  QTemporaryDir out;
  QFile x(out.filePath("o.xml"));
  ASSERT_TRUE(x.open(QIODevice::WriteOnly));
  x.write(QByteArray::fromStdString(XmlDeclaration() + "<R>" + xml + "</R>\n"));
  x.close();
  EXPECT_TRUE(outside::XmlWellFormed(x.fileName()));
  // An empty file: the element alone in the XML, nothing in the HTML; no file: nothing.
  r.ctl.observationsQuestion = [&](const std::string&) {
    QFile f(QString::fromStdString(ObservationsPath(r.ctl)));
    return f.open(QIODevice::WriteOnly) && false;
  };
  EXPECT_FALSE(AskObservations(r.ctl, "Obs?"));
  xml.clear();
  html.clear();
  WriteObservationsXml(r.ctl, "OBSERVACIONES", &xml);
  WriteObservationsHtml(r.ctl, "H", &html);
  EXPECT_EQ(xml, "<OBSERVACIONES>\n<![CDATA[]]>\n</OBSERVACIONES>\n");
  EXPECT_EQ(html, "");
  r.ctl.observationsQuestion = nullptr;
  AskObservations(r.ctl, "Obs?");
  xml.clear();
  WriteObservationsXml(r.ctl, "OBSERVACIONES", &xml);
  EXPECT_EQ(xml, "");
}

TEST(Xr9ReportFrame, ChromiumColumnWalkCountsSpans) {
  QTemporaryDir dir;
  QFile f(dir.filePath("t.htm"));
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  // Unclosed cells and rows as the writers leave them; a rowspan carried into the next rows.
  f.write("<html><body><table border=1><tr><td rowspan=\"2\">a<td colspan=\"2\">b</tr>"
          "<tr><td>c<td><p>d</p></tr><tr><td colspan=3>e</td></tr></table></body></html>");
  f.close();
  const auto cols = outside::TableColumns(f.fileName());
  ASSERT_EQ(cols.size(), 1u);
  EXPECT_EQ(cols.at(0), (std::vector<int>{3, 3, 3}));
}

// The host INI file as shipped styles the certificate and SKY heads with no placeholder left, and
// a marked SKY value shows red on yellow in our PDF.
TEST(Xr9ReportFrame, ShippedIniStylesTheHeads) {
  Roles r(1, {{0, 0}});
  QFile shipped(QStringLiteral(CV_TEST_DATA_DIR "/../../resources/bin/CvTools.INI"));
  ASSERT_TRUE(shipped.open(QIODevice::ReadOnly));
  r.ctl.ini.Parse(shipped.readAll().toStdString());
  const std::string head = CertificateHtmlHead(r.ctl);
  EXPECT_EQ(head.find("??"), std::string::npos) << head;
  EXPECT_EQ(head.find("Default Style"), std::string::npos) << head;
  EXPECT_NE(head.find("P.breakhere { page-break-before: always }"), std::string::npos) << head;
  EXPECT_NE(IniText(r.ctl, "DLReportESP", "tableAtt", "??").find("border=\"1\""), std::string::npos);

  std::string sky;
  for (const char* key : {"tdStyle", "tdFreq", "tableStyle", "cellBG1", "cellBG2", "cellEmphas"}) {
    const std::string line = IniText(r.ctl, "DLReportSKYTER", key, "??");
    EXPECT_NE(line, "??") << key;
    sky += line + "\n";
  }
  for (const char* cls : {"td.shadowBG1", "td.shadowBG2", "td.shadowEmphas", "td.freq"})
    EXPECT_NE(sky.find(cls), std::string::npos) << cls;
  const std::string att = IniText(r.ctl, "DLReportSKYTER", "tableAtt", "??");
  EXPECT_NE(att.find("border=\"1\""), std::string::npos) << att;

  QTemporaryDir dir;
  const QString html = dir.filePath("sky.htm"), pdf = dir.filePath("sky.pdf");
  {
    QFile f(html);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(("<html><head><style type = \"text/css\">\n<!--\n" + sky + "-->\n</style></head><body>\n<table " + att +
             ">\n<tr><td class=\"shadowBG2\">LEVEL</td><td class=\"shadowEmphas\">59.9 59.9 59.9 59.9</td>"
             "<td>65.0</td></tr>\n</table></body></html>")
                .c_str());
  }
  cv::PdfDocument doc;
  cv::HtmlToPdf conv;
  doc.StartEngine();
  doc.set_FileName(pdf);
  doc.BeginDoc();
  doc.set_PDFPAGE_Orientation(1);
  conv.StartHTMLEngine();
  conv.ConnectToPDFLibrary(&doc);
  conv.set_AutoAdjustContentWidth(1);
  conv.LoadHTMLFile(html);
  conv.ConvertAll();
  conv.DisconnectFromPDFLibrary();
  doc.EndDoc();
  ASSERT_FALSE(doc.Failed());
  EXPECT_TRUE(outside::PdfFirstPageHasPixel(pdf, [](int r, int g, int b) { return r > 230 && g > 230 && b < 40; }));
  EXPECT_TRUE(outside::PdfFirstPageHasPixel(pdf, [](int r, int g, int b) { return r > 200 && g < 80 && b < 80; }));
}
