// Report dispatch and the measurement sheet's report command: the writer of each kind, the files
// made from one chosen name, the PDF opened on success, and failures told in an "Error" box with
// no success message.
#include <gtest/gtest.h>

#include <QApplication>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include "AppServices.h"
#include "DataLoggerCtl.h"
#include "DataLoggerSheetDlg.h"
#include "FileDialogs.h"
#include "FileSizeLimit.h"
#include "HostForm.h"
#include "RecordingOpener.h"
#include "HtmlPdf.h"
#include "ReportDispatch.h"
#include "TempoMessageDlg.h"
#include "Xr9DlFixture.h"
#include "Xr9Equip.h"

using namespace cv::xr9;
namespace img = cvsim::xr9img;

namespace {

class Reports : public ::testing::Test {
 protected:
  void SetUp() override {
    const auto image = img::DataLogFile(xr9test::DlGrid(10, 9, {0, 4}));
    ASSERT_GE(ctl.store.DecodeDataLogFile(image.data(), image.size(), "GRID.DL"), 0);
    ctl.reportsEnabled = true;
    ctl.chosenKind = 5;
  }
  std::unique_ptr<TDataLoggerSheetDlg> Form() {
    auto f = std::make_unique<TDataLoggerSheetDlg>(nullptr, ctl, equip);
    EXPECT_TRUE(f->Init());
    f->ShowFile(0);
    ctl.sheet = &f->Sheet();
    return f;
  }
  cv::RecordingPrompter prompter;
  HostForm host;
  TXR9Equip equip{&host.form, nullptr};
  QStringList memo;
  DataLoggerCtl ctl{equip, [this](const std::string& l) { memo << QString::fromStdString(l); }};
};

// The document and converter with every call written down (name and argument) before the real one.
struct CallLog {
  QStringList calls;
  void Add(const QString& name, const QString& arg = {}) { calls << (arg.isNull() ? name : name + "(" + arg + ")"); }
};
class RecordingDocument : public cv::PdfDocument {
 public:
  explicit RecordingDocument(CallLog& log) : log_(log) {}
  void StartEngine() override { log_.Add("StartEngine"); PdfDocument::StartEngine(); }
  void set_FileName(const QString& p) override { log_.Add("set_FileName", p); PdfDocument::set_FileName(p); }
  void set_AutoLaunch(int on) override { log_.Add("set_AutoLaunch", QString::number(on)); PdfDocument::set_AutoLaunch(on); }
  void BeginDoc() override { log_.Add("BeginDoc"); PdfDocument::BeginDoc(); }
  void set_PDFPAGE_Orientation(int o) override {
    log_.Add("set_PDFPAGE_Orientation", QString::number(o));
    PdfDocument::set_PDFPAGE_Orientation(o);
  }
  void EndDoc() override { log_.Add("EndDoc"); PdfDocument::EndDoc(); }
 private:
  CallLog& log_;
};
class RecordingConverter : public cv::HtmlToPdf {
 public:
  RecordingConverter(CallLog& log, cv::PdfDocument* expected) : log_(log), expected_(expected) {}
  void StartHTMLEngine() override { log_.Add("StartHTMLEngine"); HtmlToPdf::StartHTMLEngine(); }
  void ConnectToPDFLibrary(cv::PdfDocument* d) override {
    log_.Add("ConnectToPDFLibrary", d == expected_ ? "the document" : "another");
    HtmlToPdf::ConnectToPDFLibrary(d);
  }
  void set_AutoAdjustContentWidth(int on) override {
    log_.Add("set_AutoAdjustContentWidth", QString::number(on));
    HtmlToPdf::set_AutoAdjustContentWidth(on);
  }
  void set_MarginLeft(int v) override { log_.Add("set_MarginLeft", QString::number(v)); HtmlToPdf::set_MarginLeft(v); }
  void set_MarginTop(int v) override { log_.Add("set_MarginTop", QString::number(v)); HtmlToPdf::set_MarginTop(v); }
  void LoadHTMLFile(const QString& p) override { log_.Add("LoadHTMLFile", p); HtmlToPdf::LoadHTMLFile(p); }
  void ConvertAll() override { log_.Add("ConvertAll"); HtmlToPdf::ConvertAll(); }
  void DisconnectFromPDFLibrary() override { log_.Add("DisconnectFromPDFLibrary"); HtmlToPdf::DisconnectFromPDFLibrary(); }
 private:
  CallLog& log_;
  cv::PdfDocument* expected_;
};

}  // namespace

TEST(ReportPdf, ConversionCallsTheLayerInItsOrder) {
  for (uint8_t landscape : {0, 1}) {
    SCOPED_TRACE(landscape);
    QTemporaryDir dir;
    RecordingOpener opener;
    TReportFiles files = ReportFileNames(dir.filePath("order.pdf").toStdString());
    files.landscape = landscape;
    QFile html(QString::fromStdString(files.htmlPath));
    ASSERT_TRUE(html.open(QIODevice::WriteOnly));
    html.write("<html><body><p>ORDER</p></body></html>");
    html.close();
    CallLog log;
    RecordingDocument doc(log);
    RecordingConverter conv(log, &doc);
    EXPECT_TRUE(ConvertHtmlToPdf(files, doc, conv).empty());
    const QString pdf = QString::fromStdString(files.pdfPath), htm = QString::fromStdString(files.htmlPath);
    EXPECT_EQ(log.calls, QStringList({"StartEngine", "set_FileName(" + pdf + ")", "set_AutoLaunch(1)", "BeginDoc",
                                      QStringLiteral("set_PDFPAGE_Orientation(%1)").arg(landscape),
                                      "StartHTMLEngine", "ConnectToPDFLibrary(the document)",
                                      "set_AutoAdjustContentWidth(1)", "set_MarginLeft(25)", "set_MarginTop(35)",
                                      "LoadHTMLFile(" + htm + ")", "ConvertAll", "DisconnectFromPDFLibrary",
                                      "EndDoc"}));
    ASSERT_EQ(opener.urls.size(), 1u);
    EXPECT_EQ(opener.urls[0].toLocalFile(), pdf);
  }
}

TEST_F(Reports, KindsWritersAndOrientation) {
  struct Row { int kind; ReportWriter writer; uint8_t landscape; };
  const Row rows[] = {{0, ReportWriter::Certificate, 0},     {6, ReportWriter::Certificate, 0},
                      {2, ReportWriter::CertificateCat, 0},  {1, ReportWriter::CertificateUpd, 0},
                      {7, ReportWriter::CertificateUpd, 0},  {4, ReportWriter::CertificateUpdCat, 0},
                      {3, ReportWriter::Sky, 1},             {5, ReportWriter::Generic, 0},
                      {8, ReportWriter::Generic, 0},         {-1, ReportWriter::Generic, 0}};
  QTemporaryDir dir;
  RecordingOpener opener;
  auto f = Form();
  for (const Row& row : rows) {
    SCOPED_TRACE(row.kind);
    EXPECT_EQ(WriterOfKind(row.kind), row.writer);
    EXPECT_EQ(KindWritable(row.kind), row.writer != ReportWriter::Sky);
    TReportFiles files = ReportFileNames(dir.filePath("k.pdf").toStdString());
    files.landscape = 7;
    GenerateReport(ctl, 0, files, row.kind);
    EXPECT_EQ(files.landscape, row.landscape);
    EXPECT_EQ(ctl.generatingKind, -1);
    EXPECT_FALSE(files.htmlFile.empty());  // at least the frame of every writer
  }
  // Names from one chosen name, with or without an extension.
  const TReportFiles n = ReportFileNames("/a.b/rep");
  EXPECT_EQ(n.htmlPath, "/a.b/rep.htm");
  EXPECT_EQ(n.pdfPath, "/a.b/rep.pdf");
  EXPECT_EQ(n.xmlPath, "/a.b/rep.xml");
  EXPECT_EQ(ReportFileNames("x/rep.PDF").htmlPath, "x/rep.htm");
}

TEST_F(Reports, PageSizeBelowOneUsesTheDefault) {
  ctl.settings.pages.channelsPerPageAllMeas = 0;
  auto f = Form();
  TReportFiles files;
  WriteMeasurementReport(ctl, 0, files, "1/1/2026", "9:00");
  // 10 channels at 7 a page, 9 test points at 4 a page.
  int tables = 0;
  for (size_t at = files.htmlFile.find("<table "); at != std::string::npos; at = files.htmlFile.find("<table ", at + 1)) ++tables;
  EXPECT_EQ(tables, 6);
  ctl.sheet = nullptr;
  TReportFiles none;
  WriteMeasurementReport(ctl, 0, none, "", "");
  EXPECT_TRUE(none.htmlFile.empty());
}

TEST_F(Reports, SheetCommandWritesHtmlAndPdfAndOpensIt) {
  QTemporaryDir dir;
  RecordingOpener opener;
  auto f = Form();
  auto* btn = f->findChild<QWidget*>("ReportsBtn");
  ASSERT_NE(btn, nullptr);
  EXPECT_TRUE(btn->isEnabled());
  cv::RecordingFileChooser chooser;
  chooser.saveAnswers = {dir.filePath("rep.pdf")};
  memo.clear();
  // The report information is asked with no waiting window up and the normal cursor.
  int asked = 0;
  ctl.cvtoolsInformationQuestion = [&] {
    ++asked;
    for (QWidget* w : QApplication::topLevelWidgets())
      EXPECT_FALSE(dynamic_cast<TTempoMessageDlg*>(w) && w->isVisible()) << "waiting window beside the question";
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
  };
  f->ReportsBtnClick();
  EXPECT_EQ(asked, 1);
  EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
  ASSERT_EQ(chooser.saves.size(), 1u);
  EXPECT_EQ(chooser.saves[0].filter, "PDF, HTML (*.pdf,*.htm)|*.pdf;*.htm");
  for (const char* name : {"rep.htm", "rep.pdf"}) EXPECT_TRUE(QFile::exists(dir.filePath(name))) << name;
  EXPECT_FALSE(QFile::exists(dir.filePath("rep.xml")));  // the measurement report has no XML
  EXPECT_EQ(memo, QStringList({"Creating HTML & PDF files", "HTML & PDF files saved"}));
  ASSERT_EQ(prompter.shown.size(), 1u);
  EXPECT_EQ(prompter.shown[0].text, "The report was generated successfully :\n" + dir.filePath("rep.pdf"));
  ASSERT_EQ(opener.urls.size(), 1u);
  EXPECT_EQ(opener.urls[0].toLocalFile(), dir.filePath("rep.pdf"));
  QProcess info;
  info.start("pdfinfo", {dir.filePath("rep.pdf")});
  ASSERT_TRUE(info.waitForFinished(30000));
  EXPECT_TRUE(QString::fromUtf8(info.readAllStandardOutput()).contains(QRegularExpression("Pages:\\s+6\\n")));
  EXPECT_TRUE(btn->isEnabled());

  // The certificate kinds are served here too; the SKY certificate only by its own sheet.
  for (int kind : {0, 1, 2, 4, 6, 7, 3}) {
    ctl.chosenKind = kind;
    f->ShowReportControls(true);
    EXPECT_EQ(btn->isEnabled(), kind != 3) << kind;
  }
}

TEST_F(Reports, FailuresEndInTheErrorBoxWithoutSuccess) {
  QTemporaryDir dir;
  RecordingOpener opener;
  auto f = Form();
  cv::RecordingFileChooser chooser;
  // A PDF that cannot be created (a folder of that name): nothing is left behind.
  ASSERT_TRUE(QDir(dir.path()).mkdir("bad.pdf"));
  chooser.saveAnswers = {dir.filePath("bad.htm")};
  f->ReportsBtnClick();
  ASSERT_EQ(prompter.shown.size(), 1u);
  EXPECT_EQ(prompter.shown[0].caption, "Error");
  EXPECT_EQ(prompter.shown[0].text, "Couldn't create file bad.pdf");
  EXPECT_TRUE(memo.contains("Couldn't create file bad.pdf"));
  EXPECT_FALSE(QFile::exists(dir.filePath("bad.htm")));

  // An HTML file that cannot be written whole.
  prompter.shown.clear();
  memo.clear();
  chooser.saveAnswers = {dir.filePath("big.pdf")};
  {
    cvtest::FileSizeLimit limit(512);
    f->ReportsBtnClick();
  }
  ASSERT_EQ(prompter.shown.size(), 1u);
  EXPECT_EQ(prompter.shown[0].caption, "Error");
  EXPECT_TRUE(prompter.shown[0].text.contains("big.htm")) << prompter.shown[0].text.toStdString();
  EXPECT_FALSE(memo.contains("HTML & PDF files saved"));
  EXPECT_TRUE(opener.urls.empty());
}

TEST_F(Reports, CertificateRefusedByTheDataChecksAsksForNoFile) {
  ctl.chosenKind = 0;
  auto f = Form();
  cv::RecordingFileChooser chooser;
  memo.clear();
  f->ReportsBtnClick();
  EXPECT_TRUE(chooser.saves.empty());
  ASSERT_EQ(prompter.shown.size(), 2u);
  EXPECT_EQ(prompter.shown[0].text,
            "Some data are wrong in order to generate the reports:\nMissing input headend measure\n"
            "Missing output headend measure\n");
  EXPECT_EQ(prompter.shown[1].text, "The report was not generated.");
  EXPECT_EQ(prompter.shown[1].caption, "Error");
  EXPECT_TRUE(memo.isEmpty());
}

// The conversion runs inside the caller's wrapper, after the writers' questions and the saved
// HTML; the XML file is written only by the kinds that have one.
TEST_F(Reports, ConversionRunsInsideTheWrapperAfterTheQuestions) {
  QTemporaryDir dir;
  RecordingOpener opener;
  auto f = Form();
  QStringList order;
  ctl.cvtoolsInformationQuestion = [&] { order << "question"; };
  TReportFiles files = ReportFileNames(dir.filePath("w.pdf").toStdString());
  const ReportOutcome out = GenerateReport(ctl, 0, files, 5, [&](const std::function<void()>& convert) {
    order << QString("wrapper, html %1, pdf %2").arg(QFile::exists(dir.filePath("w.htm"))).arg(QFile::exists(dir.filePath("w.pdf")));
    convert();
    order << QString("converted, pdf %1").arg(QFile::exists(dir.filePath("w.pdf")));
  });
  EXPECT_TRUE(out.Ok());
  EXPECT_EQ(order, (QStringList{"question", "wrapper, html 1, pdf 0", "converted, pdf 1"}));
  EXPECT_FALSE(QFile::exists(dir.filePath("w.xml")));
  for (int kind : {0, 1, 2, 4, 6, 7}) EXPECT_TRUE(KindWritesXml(kind)) << kind;
  for (int kind : {3, 5, 8, -1}) EXPECT_FALSE(KindWritesXml(kind)) << kind;
}
