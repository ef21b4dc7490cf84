// The certificate drivers' frame: the XML declaration and the root by plan type and kind, the
// sections in order with page breaks between them, the tails, and nothing for other plan types.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include "CertificateDrivers.h"
#include "CertificateFrame.h"
#include "CertificateSections.h"
#include "DataLoggerCtl.h"
#include "HostForm.h"
#include "OutsideTools.h"
#include "RecordingOpener.h"
#include "ReportDispatch.h"
#include "StartDir.h"
#include "Xr9DlFixture.h"
#include "Xr9Equip.h"
#include "Xr9SheetFakes.h"

using namespace cv::xr9;
namespace img = cvsim::xr9img;
using xr9test::FakeSheet;

namespace {

// Sections that write a mark of their own into each file.
template <char C>
void Mark(DataLoggerCtl&, int, TReportFiles* f) {
  f->htmlFile += std::string("[") + C + "]";
  f->xmlFile += std::string("<") + C + "/>\n";
}
const CertificateSections kMarks{Mark<'R'>, Mark<'U'>, Mark<'B'>, Mark<'A'>, Mark<'S'>, Mark<'I'>};

const std::string kTer = "CAPTACION_Y_DISTRIBUCION_TERRENAL";
const std::string kSat = "CAPTACION_Y_DISTRIBUCION_SATELITE";
const std::string kDecl = "\xEF\xBB\xBF<?xml version=\"1.0\" encoding=\"utf-8\"?>\n";
const std::string kBreak = "\n<p class=breakhere\n>";
const std::string kTail = "</body>\n</html>";

std::string Xml(const std::string& root, const std::string& body) {
  return kDecl + "<" + root + ">\n" + body + "</" + root + ">\n";
}

struct Files {
  StartDir dir;  // the observations file of the real sections
  std::vector<std::string> memo;
  HostForm host;
  TXR9Equip equip{&host.form, nullptr};
  DataLoggerCtl ctl{equip, [this](const std::string& l) { memo.push_back(l); }};
  FakeSheet sheet;
  int ter = -1, sat = -1, other = -1;
  Files() {
    auto load = [this](uint8_t type, const char* name) {
      const auto image = img::DataLogFile(xr9test::DlGrid(3, 2, {0}, type));
      return ctl.store.DecodeDataLogFile(image.data(), image.size(), name);
    };
    ter = load(7, "T.DL");
    sat = load(5, "S.DL");
    other = load(3, "X.DL");
  }
};

}  // namespace

TEST(Xr9CertificateDrivers, FrameBySectionsPlanTypeAndIfSatChoice) {
  Files f;
  ASSERT_EQ(f.ter, 0);
  ASSERT_EQ(f.sat, 1);
  ASSERT_EQ(f.other, 2);
  const std::string terXml = Xml(kTer, "<R/>\n<U/>\n<B/>\n"), terHtml = "[R]" + kBreak + "[U]" + kBreak + "[B]" + kTail;
  const std::string satXml = Xml(kSat, "<A/>\n<S/>\n"), satHtml = "[A]" + kBreak + "[S]" + kTail;
  const std::string ifXml = Xml(kTer, "<I/>\n"), ifHtml = "[I]" + kTail;
  enum Sheet { None, Plain, IfBox };
  struct Row { int slot; bool ifSatAllowed; Sheet sheet; std::string xml, html; };
  const Row rows[] = {
      {0, true, None, terXml, terHtml},   {0, false, IfBox, terXml, terHtml},
      {1, true, Plain, satXml, satHtml},  {1, true, None, ifXml, ifHtml},   {1, true, IfBox, ifXml, ifHtml},
      {1, false, None, satXml, satHtml},  {1, false, IfBox, satXml, satHtml},
      {2, true, IfBox, "", ""},           {2, false, None, "", ""},
      {3, true, None, "", ""},  // a free slot
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(testing::Message() << row.slot << " " << row.ifSatAllowed << " " << row.sheet);
    f.sheet.ifSat = row.sheet == IfBox;
    f.ctl.sheet = row.sheet == None ? nullptr : &f.sheet;
    TReportFiles files;
    WriteCertificateFrame(f.ctl, row.slot, &files, row.ifSatAllowed, kMarks);
    EXPECT_EQ(files.xmlFile, row.xml);
    EXPECT_EQ(files.htmlFile, row.html);
  }
  // No files, or a slot beyond the 200: nothing, and the slot is logged.
  f.memo.clear();
  WriteCertificateFrame(f.ctl, 0, nullptr, true, kMarks);
  EXPECT_TRUE(f.memo.empty());
  TReportFiles files;
  WriteCertificateFrame(f.ctl, 200, &files, true, kMarks);
  EXPECT_TRUE(files.htmlFile.empty() && files.xmlFile.empty());
  EXPECT_EQ(f.memo, std::vector<std::string>{"DataLogger index out of bounds"});
}

// The drivers the kinds run, with the program's sections: the root tells which report a
// satellite file gave (its sections write nothing for a file without best and worst points).
TEST(Xr9CertificateDrivers, KindsChooseTheSatelliteOrIfSatReport) {
  Files f;
  using Driver = void (*)(DataLoggerCtl&, int, TReportFiles*);
  struct Row { int kind; Driver driver; bool ifSatReport; };
  const Row rows[] = {{0, WriteCertificateReport, true},        {6, WriteCertificateReport, true},
                      {2, WriteCertificateReportCat, true},     {1, WriteCertificateReportUpd, false},
                      {7, WriteCertificateReportUpd, false},    {4, WriteCertificateReportUpdCat, false}};
  for (const Row& row : rows) {
    for (bool box : {false, true}) {
      SCOPED_TRACE(testing::Message() << "kind " << row.kind << " box " << box);
      f.sheet.ifSat = box;
      f.ctl.sheet = &f.sheet;
      f.ctl.generatingKind = row.kind;
      TReportFiles files;
      row.driver(f.ctl, f.sat, &files);
      const std::string& root = row.ifSatReport && box ? kTer : kSat;
      EXPECT_EQ(files.xmlFile.substr(0, kDecl.size() + root.size() + 3), kDecl + "<" + root + ">\n");
      EXPECT_TRUE(files.xmlFile.ends_with("</" + root + ">\n"));
      EXPECT_TRUE(files.htmlFile.ends_with(kTail));
      // The terrestrial file always gives the terrestrial root; plan type 3 nothing at all.
      TReportFiles terFiles, otherFiles;
      row.driver(f.ctl, f.ter, &terFiles);
      EXPECT_TRUE(terFiles.xmlFile.starts_with(kDecl + "<" + kTer + ">\n"));
      EXPECT_TRUE(terFiles.htmlFile.ends_with(kTail));
      row.driver(f.ctl, f.other, &otherFiles);
      EXPECT_EQ(otherFiles.xmlFile, "");
      EXPECT_EQ(otherFiles.htmlFile, "");
    }
  }
  // Through the dispatch: kind 0 without a sheet reports a satellite file as IF SAT test.
  f.ctl.sheet = nullptr;
  StartDir out;
  RecordingOpener opener;
  TReportFiles files = ReportFileNames(out.Path("sat.pdf"));
  EXPECT_TRUE(GenerateReport(f.ctl, f.sat, files, 0).Ok());
  EXPECT_TRUE(files.xmlFile.starts_with(kDecl + "<" + kTer + ">\n"));
}

// A sample of what the fuzz target writes, checked by xmllint: the fuzz corpus's files under a
// few role patterns, with observations that hold markup, a CDATA end and a control character.
TEST(Xr9CertificateDrivers, CorpusSampleIsWellFormedForXmllint) {
  Files f;
  StartDir out;  // the observations file too
  f.ctl.observationsQuestion = [&f](const std::string&) {
    QFile obs(QString::fromStdString(ObservationsPath(f.ctl)));
    EXPECT_TRUE(obs.open(QIODevice::WriteOnly));
    obs.write("a]]>b & <c>\x01\xF1\r\n\r\n");
    return true;
  };
  const QDir corpus(QStringLiteral(CV_TEST_SUPPORT_DIR) + "/../fuzz/corpus/xr9_certificate");
  const QStringList seeds = corpus.entryList(QDir::Files, QDir::Name);
  ASSERT_FALSE(seeds.isEmpty());
  int written = 0;
  for (const QString& seed : seeds) {
    QFile in(corpus.filePath(seed));
    ASSERT_TRUE(in.open(QIODevice::ReadOnly));
    const QByteArray bytes = in.readAll();
    const int slot = f.ctl.store.DecodeDataLogFile(reinterpret_cast<const uint8_t*>(bytes.constData()),
                                                   size_t(bytes.size()), "SEED.DL");
    if (slot < 0) continue;
    auto& tps = *f.ctl.store.File(slot).testPoints;
    for (int pattern = 0; pattern < 3; ++pattern) {
      for (size_t t = 0; t < tps.size(); ++t) {
        tps[t].pointType = int(t + size_t(pattern)) % 5;
        tps[t].branch = pattern == 2 ? 14 - int(t % 15) : int(t % 3) - 1;
      }
      for (int kind : {0, 1, 2, 4}) {
        for (bool ifBox : {false, true}) {
          SCOPED_TRACE(testing::Message() << seed.toStdString() << " pattern " << pattern << " kind " << kind);
          f.sheet.ifSat = ifBox;
          f.ctl.sheet = &f.sheet;
          f.ctl.generatingKind = kind;
          TReportFiles files;
          (IsUpdKind(kind) ? WriteCertificateReportUpd : WriteCertificateReport)(f.ctl, slot, &files);
          const QString path = out.filePath(QString("s%1.xml").arg(written++));
          QFile xml(path);
          ASSERT_TRUE(xml.open(QIODevice::WriteOnly));
          xml.write(files.xmlFile.data(), qint64(files.xmlFile.size()));
          xml.close();
          EXPECT_TRUE(outside::XmlWellFormed(path));
        }
      }
    }
    f.ctl.store.FreeDataLogFile(slot);
  }
  EXPECT_GE(written, 24);
}
