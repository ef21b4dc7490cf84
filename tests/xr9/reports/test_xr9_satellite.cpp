// The satellite file's certificate sections: amplifier levels, BER satellite and the IF SAT test.
// Golden HTML and XML files of each (Spanish and Catalan, plain and UPD keys), checked by the
// outside tools; the page sequences of the channel pages and branch groups as tables; the
// placeholders of missing keys; and what each section writes when points are missing.
#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>
#include <algorithm>

#include "CertificateFrame.h"
#include "CertificateSections.h"
#include "DataLoggerCtl.h"
#include "HostForm.h"
#include "OutsideTools.h"
#include "RecordingOpener.h"
#include "ReportDispatch.h"
#include "SatSections.h"
#include "StartDir.h"
#include "Xr9DlFixture.h"
#include "Xr9Equip.h"
#include "Xr9Images.h"
#include "Xr9TestFiles.h"

using namespace cv::xr9;
namespace img = cvsim::xr9img;

namespace {

// TYPE attribute values.
constexpr int kDvbS = 2, kDvbS2 = 7, kDvbC = 1, kAnalog = 3, kDss = 4, kNoType = -1;
// Every channel measures POWER, VBER, LEVEL and REF. in this order.
const std::vector<uint8_t> kCodes = {MeasPower, MeasVber, MeasLevel, MeasRef};

struct Chan {
  int type = kDvbS;
  uint32_t khz = 0;  // 0: made from the index
  uint8_t lnbMode = 0;
  uint32_t osc = 0;
};

// A satellite file: the channels given, test points with roles (type, branch); the values of
// point t at channel i are POWER 600+10t+i, VBER (10+t)/10 E-(3+i%4), LEVEL 500+10t+i, REF 700+10t+i.
img::DataLog SatLog(const std::vector<Chan>& chans, size_t points) {
  img::DataLog d;
  d.planName = "ASTRA";
  d.plan.type = 5;
  for (size_t i = 0; i < chans.size(); ++i) {
    const Chan& c = chans[i];
    const uint32_t khz = c.khz ? c.khz : 10700000 + 10000 * uint32_t(i);
    std::vector<img::Attr> attrs;
    if (c.type != kNoType) attrs.push_back({2, uint32_t(c.type)});
    d.plan.channels.push_back(xr9test::DlChan("S" + std::to_string(i), khz, attrs));
    d.channels.push_back({kCodes, c.lnbMode, c.osc});
  }
  for (size_t t = 0; t < points; ++t) {
    img::DlTestPoint tp{"TP" + std::to_string(t), 1, {}};
    for (size_t i = 0; i < chans.size(); ++i) {
      const int n = int(10 * t + i);
      tp.values.push_back(img::MeasValue(0, 600 + n));
      tp.values.push_back(img::BerValue(0, uint8_t(10 + t), -3 - int(i % 4)));
      tp.values.push_back(img::MeasValue(0, 500 + n));
      tp.values.push_back(img::MeasValue(0, 700 + n));
    }
    d.testPoints.push_back(tp);
  }
  return d;
}

std::vector<Chan> Chans(int n, int type) { return std::vector<Chan>(size_t(n), Chan{type}); }

using Role = std::pair<int, int>;  // pointType, branch (0-based)
// One best and one worst point on each of the branches (0-based), in that order.
std::vector<Role> Branches(std::initializer_list<int> branches) {
  std::vector<Role> r;
  for (int b : branches) {
    r.push_back({RoleBest, b});
    r.push_back({RoleWorst, b});
  }
  return r;
}
std::vector<Role> FirstBranches(int n) {
  std::vector<Role> r;
  for (int b = 0; b < n; ++b) {
    r.push_back({RoleBest, b});
    r.push_back({RoleWorst, b});
  }
  return r;
}

constexpr const char* kTestIni =
    "[DLReportESP]\n"
    "tdStyle=td { font-size: 8pt }\n"
    "tableStyle=table { border-collapse: collapse }\n"
    "pagebreaking=P.breakhere {page-break-before: always}\n"
    "tableAtt=border=1\n"
    "[DLReportESPBranchsSAT]\n"
    "observations=Amp obs?\n"
    "observationsUPD=Amp obs UPD?\n"
    "HeadObservations=<b>AMP-OBS</b>\n"
    "prologue1=<h3>Niveles</h3>\n"
    "prologue1UPD=<h3>Niveles UPD</h3>\n"
    "prologue2=<p>P2</p>\n"
    "prologue3=<p>P3</p>\n"
    "continued=<p>(cont)</p>\n"
    "tableHead1=Frec.\n"
    "tableHead5=Entrada\n"
    "tableHead5UPD=Entrada UPD\n"
    "tableHead6=Salida\n"
    "tableHead6UPD=Salida UPD\n"
    "tableHead7=Mejor\n"
    "tableHead8=Peor\n"
    "tableHead9=Ramal\n"
    "tableHead10=Ramal\n"
    "[DLReportCATBranchsSAT]\n"
    "observations=CAT amp obs?\n"
    "observationsUPD=CAT amp obs UPD?\n"
    "HeadObservations=<b>CAT-AMP-OBS</b>\n"
    "prologue1=<h3>Nivells</h3>\n"
    "prologue1UPD=<h3>Nivells UPD</h3>\n"
    "prologue2=<p>CP2</p>\n"
    "prologue3=<p>CP3</p>\n"
    "continued=<p>(cont. CAT)</p>\n"
    "tableHead1=Freq.\n"
    "tableHead5=Entrada CAT\n"
    "tableHead5UPD=Entrada CAT UPD\n"
    "tableHead6=Sortida CAT\n"
    "tableHead6UPD=Sortida CAT UPD\n"
    "tableHead7=Millor\n"
    "tableHead8=Pitjor\n"
    "tableHead9=Branca\n"
    "tableHead10=Branca\n"
    "[DLReportESPBERSAT]\n"
    "observations=BER obs?\n"
    "observationsUPD=BER obs UPD?\n"
    "HeadObservations=<b>BER-OBS</b>\n"
    "prologue1=<h3>BER</h3>\n"
    "prologue1UPD=<h3>BER UPD</h3>\n"
    "prologue2=<p>B2</p>\n"
    "prologue3=<p>B3</p>\n"
    "prologue4=<p>B4</p>\n"
    "prologue4UPD=<p>B4 UPD</p>\n"
    "continued=<p>(cont)</p>\n"
    "tableHead1=Frec.\n"
    "tableHead2=R#\n"
    "[DLReportCATBERSAT]\n"
    "observations=CAT BER obs?\n"
    "observationsUPD=CAT BER obs UPD?\n"
    "HeadObservations=<b>CAT-BER-OBS</b>\n"
    "prologue1=<h3>BER CAT</h3>\n"
    "prologue1UPD=<h3>BER CAT UPD</h3>\n"
    "prologue2=<p>CB2</p>\n"
    "prologue3=<p>CB3</p>\n"
    "prologue4=<p>CB4</p>\n"
    "prologue4UPD=<p>CB4 UPD</p>\n"
    "continued=<p>(cont. CAT)</p>\n"
    "tableHead1=Freq.\n"
    "tableHead2=B#\n"
    "[DLReportESPTestIFSAT]\n"
    "observations=IF obs?\n"
    "observationsUPD=never read\n"
    "HeadObservations=<b>IF-OBS</b>\n"
    "prologue1=<h3>FI SAT</h3>\n"
    "prologue2=<p>I2</p>\n"
    "prologue3=<p>I3</p>\n"
    "prologue4=<p>I4</p>\n"
    "prologue5=<p>I5</p>\n"
    "prologue6=<p>I6</p>\n"
    "prologue7=<p>I7</p>\n"
    "continued=<p>(cont)</p>\n"
    "tableHead1=Frec.\n"
    "tableHead2=Salida\n"
    "tableHead7=Mejor\n"
    "tableHead8=Peor\n"
    "tableHead9=Ramal\n"
    "tableHead10=Ramal\n"
    "[DLReportCATTestIFSAT]\n"
    "observations=CAT IF obs?\n"
    "HeadObservations=<b>CAT-IF-OBS</b>\n"
    "prologue1=<h3>FI SAT CAT</h3>\n"
    "prologue7=<p>CI7</p>\n"
    "tableHead1=Freq.\n";

// A data-logger dialog's rules with one satellite file whose test points have roles, the INI text
// and page size given, and an observations question that records its prompts and leaves
// `observations` behind (none when empty).
struct Sat {
  StartDir dir;
  std::vector<std::string> memo;
  HostForm host;
  TXR9Equip equip{&host.form, nullptr};
  DataLoggerCtl ctl{equip, [this](const std::string& l) { memo.push_back(l); }};
  int slot = -1;
  std::vector<std::string> prompts;
  std::string observations = "Toma & reparto\r\nfin ]]> <ok>\r\n";
  TReportFiles files;

  Sat(const img::DataLog& d, const std::vector<Role>& roles, int kind = 0, const char* ini = kTestIni,
      int pageSize = 40) {
    const auto image = img::DataLogFile(d);
    slot = ctl.store.DecodeDataLogFile(image.data(), image.size(), "SAT.DL");
    EXPECT_GE(slot, 0);
    auto& tps = *ctl.store.File(slot).testPoints;
    EXPECT_LE(roles.size(), tps.size());
    for (size_t i = 0; i < roles.size() && i < tps.size(); ++i) {
      tps[i].pointType = roles[i].first;
      tps[i].branch = roles[i].second;
    }
    ctl.ini.Parse(ini);
    ctl.settings.pages.channelsPerPageSat = pageSize;
    ctl.generatingKind = kind;
    files.hasXml = true;
    ctl.observationsQuestion = [this](const std::string& prompt) {
      prompts.push_back(prompt);
      if (observations.empty()) return false;
      QFile f(QString::fromStdString(ObservationsPath(ctl)));
      f.open(QIODevice::WriteOnly);
      f.write(observations.data(), qint64(observations.size()));
      return true;
    };
  }
};

using SectionFn = void (*)(DataLoggerCtl&, int, TReportFiles*);

int Count(const std::string& text, const std::string& what) {
  int n = 0;
  for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + what.size())) ++n;
  return n;
}

std::string Golden(const std::string& name, const std::string& made) {
  const auto g = xr9test::Golden("reports/" + name, std::vector<uint8_t>(made.begin(), made.end()));
  return std::string(g.begin(), g.end());
}

QString GoldenFile(const std::string& name) { return QString::fromStdString(xr9test::GoldenPath("reports/" + name)); }

// The pages of a section's HTML as "rows/first branch number", with "+obs" on the page that holds
// the observations block; the page break separates them.
std::string PageSequence(const std::string& html, const std::string& obsHead) {
  std::string seq, body = html;
  const size_t head = body.find("<body>\n");
  if (head != std::string::npos) body = body.substr(head + 7);
  size_t from = 0;
  while (from <= body.size()) {
    size_t end = body.find(kPageBreak, from);
    const std::string page = body.substr(from, end == std::string::npos ? std::string::npos : end - from);
    int first = 0;
    const size_t n = page.find("<td align=\"center\">");
    if (n != std::string::npos) {
      size_t d = page.find_first_of("0123456789", n + 19);
      first = std::atoi(page.c_str() + d);
    }
    if (!seq.empty()) seq += " ";
    seq += std::to_string(Count(page, "<tr><td><p align=\"center\">")) + "/" + std::to_string(first);
    if (page.find(obsHead) != std::string::npos) seq += "+obs";
    if (end == std::string::npos) break;
    from = end + std::string(kPageBreak).size();
  }
  return seq;
}

struct Outputs {
  QTemporaryDir dir;
  QString html, xml;
  Outputs(const std::string& h, const std::string& x) {
    html = dir.filePath("s.htm");
    xml = dir.filePath("s.xml");
    QFile a(html), b(xml);
    a.open(QIODevice::WriteOnly);
    a.write(h.data(), qint64(h.size()));
    b.open(QIODevice::WriteOnly);
    b.write(x.data(), qint64(x.size()));
  }
};

// A DVB-S channel above the LNB, a DVB-S2, an ANALOG, a DVB-C, a DSS, one without TYPE, a DVB-S
// (inverted LNB) and an ANALOG again: eight channels, page size 5 gives two channel pages.
std::vector<Chan> MixedPlan() {
  return {{kDvbS, 11954000, 1, 9750000}, {kDvbS2}, {kAnalog, 11000000, 1, 9750000}, {kDvbC}, {kDss},
          {kNoType}, {kDvbS, 10000000, 2, 10600000}, {kAnalog}};
}
// Head-end input and output, best and worst points of branches 1 and 2, a point without role;
// the worst point of branch 2 in dBm, and branch 1's best POWER of channel 1 flagged invalid.
img::DataLog MixedLog() {
  img::DataLog d = SatLog(MixedPlan(), 7);
  d.testPoints[5].units = 3;
  d.testPoints[2].values[4 * 1 + 0] = img::MeasValue(0xC0, 0);
  d.testPoints[3].values[4 * 0 + 1] = img::BerValue(0, 23, -4);
  d.testPoints[5].values[4 * 6 + 1] = img::BerValue(0xC0, 0, 0);
  return d;
}
const std::vector<Role> kMixedRoles = {{RoleHeadEndIn, -1}, {RoleHeadEndOut, -1}, {RoleBest, 0}, {RoleWorst, 0},
                                       {RoleBest, 1},       {RoleWorst, 1},       {4, -1}};

struct GoldenCase {
  SectionFn section;
  int kind;
  const char* name;       // golden file stem
  const char* prompt;     // the observations question asked
  const char* element;    // the section's channel element
  int elements;           // how many
  int ramals;             // RAMAL elements in all
  int columns;            // of every HTML row
  int pdfPages;
};

}  // namespace

TEST(Xr9SatSections, GoldenFilesByKindCheckedByOutsideTools) {
  const GoldenCase cases[] = {
      // Amplifier levels: the four digital channels, two branches; Spanish plain and Catalan UPD.
      {WriteAmplifierLevelsSection, 0, "amp_kind0", "Amp obs?", "SENALAM", 4, 8, 11, 2},
      {WriteAmplifierLevelsSection, 4, "amp_kind4", "CAT amp obs UPD?", "SENALAM", 4, 8, 11, 2},
      {WriteAmplifierLevelsSection, 1, "amp_kind1", "Amp obs UPD?", "SENALAM", 4, 8, 11, 2},
      // BER satellite: the four DVB channels on one page (no second page of headings alone).
      {WriteBerSatSection, 0, "bersat_kind0", "BER obs?", "SENALBER_S", 4, 8, 5, 1},
      {WriteBerSatSection, 4, "bersat_kind4", "CAT BER obs UPD?", "SENALBER_S", 4, 8, 5, 1},
      // IF SAT test: the three analogue-class channels (ANALOG, DSS, ANALOG); no UPD keys.
      {WriteIfSatTestSection, 0, "ifsat_kind0", "IF obs?", "SENALAB", 3, 6, 10, 2},
      {WriteIfSatTestSection, 2, "ifsat_kind2", "CAT IF obs?", "SENALAB", 3, 6, 10, 2},
  };
  for (const GoldenCase& gc : cases) {
    SCOPED_TRACE(gc.name);
    Sat s(MixedLog(), kMixedRoles, gc.kind, kTestIni, 5);
    gc.section(s.ctl, s.slot, &s.files);
    EXPECT_EQ(s.prompts, std::vector<std::string>{gc.prompt});
    const std::string html = Golden(std::string(gc.name) + ".htm", s.files.htmlFile);
    const std::string xml = Golden(std::string(gc.name) + ".xml", s.files.xmlFile);
    EXPECT_EQ(html.find('\r'), std::string::npos);
    EXPECT_EQ(Count(html, kPageBreak), gc.pdfPages - 1);

    const QString htmlPath = GoldenFile(std::string(gc.name) + ".htm");
    const QString xmlPath = GoldenFile(std::string(gc.name) + ".xml");
    EXPECT_TRUE(outside::XmlWellFormed(xmlPath));
    EXPECT_EQ(outside::XPathCount(xmlPath, QString("//") + gc.element), gc.elements);
    EXPECT_EQ(outside::XPathCount(xmlPath, "//RAMAL"), gc.ramals);
    EXPECT_EQ(outside::XPathCount(xmlPath, "/*/OBSERVACIONES"), 1);
    int rows = 0;
    EXPECT_TRUE(outside::EveryRowSpans(htmlPath, gc.columns, &rows));
    EXPECT_GT(rows, 3);
  }
}

TEST(Xr9SatSections, GoldenValuesAndTexts) {
  // Amplifier levels, kind 0: frequencies after the LNB, the dBm point in dBuV, "!!", the head.
  {
    const std::string html = Golden("amp_kind0.htm", [] {
      Sat s(MixedLog(), kMixedRoles, 0, kTestIni, 5);
      WriteAmplifierLevelsSection(s.ctl, s.slot, &s.files);
      return s.files.htmlFile;
    }());
    EXPECT_EQ(html.rfind("<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01 Transitional//EN\"", 0), 0u);
    EXPECT_NE(html.find("<h3>Niveles</h3><p>P2</p><p>P3</p><table border=1>\n<tr><td rowspan=\"3\">Frec.</td>"
                        "<td rowspan=\"3\">Entrada</td><td rowspan=\"3\">Salida</td><td colspan=\"4\">Mejor</td>"
                        "<td colspan=\"4\">Peor</td></tr><tr><td colspan=\"4\"><p align=\"center\">Ramal</p></td>"
                        "<td colspan=\"4\"><p align=\"center\">Ramal</p></td></tr><tr><td align=\"center\">1</td>"),
              std::string::npos);
    // Channel 0: 2204.00; input 60.0, output 61.0, best 62.0/64.0, worst 63.0/65.0 (dBm point shown in dBuV).
    EXPECT_NE(html.find("<tr><td><p align=\"center\">2204.00</p></td><td> 60.0</td><td> 61.0</td><td> 62.0</td>"
                        "<td> 64.0</td><td></td><td></td><td> 63.0</td>"),
              std::string::npos);
    EXPECT_NE(html.find("<td>!!</td>"), std::string::npos);
    EXPECT_NE(html.find("<p align=\"center\">600.00</p>"), std::string::npos);  // inverted LNB
    EXPECT_EQ(Count(html, "<p>(cont)</p><h3>Niveles</h3>"), 1);
    EXPECT_EQ(html.find("11000.00"), std::string::npos);  // analogue channel left out
    EXPECT_NE(html.find("<br><b>AMP-OBS</b>\n<br>Toma &amp; reparto\n<br>fin ]]&gt; &lt;ok&gt;\n"), std::string::npos);
  }
  // UPD keys from the Catalan section for kind 4; the plain keys from the same section.
  {
    Sat s(MixedLog(), kMixedRoles, 4, kTestIni, 5);
    WriteAmplifierLevelsSection(s.ctl, s.slot, &s.files);
    const std::string& html = s.files.htmlFile;
    EXPECT_NE(html.find("<h3>Nivells UPD</h3><p>CP2</p><p>CP3</p><table border=1>\n<tr><td rowspan=\"3\">Freq.</td>"
                        "<td rowspan=\"3\">Entrada CAT UPD</td><td rowspan=\"3\">Sortida CAT UPD</td>"),
              std::string::npos);
    EXPECT_NE(html.find("<p>(cont. CAT)</p>"), std::string::npos);
    EXPECT_NE(html.find("<br><b>CAT-AMP-OBS</b>\n"), std::string::npos);
  }
  // BER satellite XML: one line per channel, VBER texts, "!!" for a flagged value.
  {
    Sat s(MixedLog(), kMixedRoles, 0, kTestIni, 5);
    WriteBerSatSection(s.ctl, s.slot, &s.files);
    const std::string& xml = s.files.xmlFile;
    EXPECT_EQ(xml.rfind("<BER_SATELITE>\n<SENALBER_S>\n<FRECUENCIA>2204.00</FRECUENCIA><RAMALES><RAMAL><VALOR_PEOR1>"
                        "<![CDATA[ 2.3E-4]]></VALOR_PEOR1><NOMBRE_PEOR>1</NOMBRE_PEOR></RAMAL><RAMAL>",
                        0),
              0u);
    EXPECT_NE(xml.find("<![CDATA[!!]]>"), std::string::npos);
    EXPECT_NE(xml.find("</RAMALES>\n\n</SENALBER_S>\n"), std::string::npos);
    EXPECT_NE(xml.find("<OBSERVACIONES>\n<![CDATA[Toma & reparto\nfin ]]]]><![CDATA[> <ok>\n]]>\n</OBSERVACIONES>\n"
                       "</BER_SATELITE>\n"),
              std::string::npos);
    const std::string& html = s.files.htmlFile;
    EXPECT_EQ(html.rfind("<h3>BER</h3><p>B2</p><p>B3</p><p>B4</p><table border=1>\n<tr><td>Frec.</td>"
                         "<td align=\"center\">R#1</td><td align=\"center\">R#2</td>"
                         "<td align=\"center\">R#3</td><td align=\"center\">R#4</td></tr><tr>",
                         0),
              0u);
  }
  // IF SAT test: REF. at the best point of the lowest branch; line feeds of the RAMAL run.
  {
    Sat s(MixedLog(), kMixedRoles, 0, kTestIni, 5);
    WriteIfSatTestSection(s.ctl, s.slot, &s.files);
    const std::string& xml = s.files.xmlFile;
    // Channel 2 (ANALOG at 11000000 kHz, LNB 9750000): REF. at point 2 = 72.2, LEVEL 52.2 / 53.2 / 54.2 / 55.2.
    EXPECT_EQ(xml.rfind("<SENALESUSUARIOB>\n<SENALAB>\n<FRECUENCIA>1250.00</FRECUENCIA><NIVEL_SALIDA><![CDATA[ 72.2]]>"
                        "</NIVEL_SALIDA>\n<RAMALES>\n<RAMAL>\n<VALOR_MEJOR1><![CDATA[ 52.2]]></VALOR_MEJOR1><VALOR_PEOR1>"
                        "<![CDATA[ 53.2]]></VALOR_PEOR1><NOMBRE_MEJOR>1</NOMBRE_MEJOR><NOMBRE_PEOR>1</NOMBRE_PEOR>\n"
                        "</RAMAL><RAMAL>\n",
                        0),
              0u);
    EXPECT_NE(xml.find("<NOMBRE_PEOR>2</NOMBRE_PEOR>\n</RAMAL>\n</RAMALES>\n</SENALAB>\n"), std::string::npos);
    const std::string& html = s.files.htmlFile;
    EXPECT_NE(html.find("<h3>FI SAT</h3><p>I2</p><p>I3</p><p>I4</p><p>I5</p><p>I6</p><p>I7</p><table border=1>\n"
                        "<tr><td rowspan=\"3\">Frec.</td><td rowspan=\"3\">Salida</td><td colspan=\"4\">Mejor</td>"
                        "<td colspan=\"4\">Peor</td></tr>"),
              std::string::npos);
    EXPECT_NE(html.find("<tr><td><p align=\"center\">1250.00</p></td><td> 72.2</td><td> 52.2</td><td> 54.2</td><td></td>"
                        "<td></td><td> 53.2</td>"),
              std::string::npos);
  }
}

TEST(Xr9SatSections, GoldenPdfHasOnePagePerTableInOrder) {
  struct Case {
    const char* golden;
    int pages;
    std::vector<QString> inOrder;  // texts as the pages show them
  };
  const Case cases[] = {{"amp_kind0.htm", 2, {"Niveles", "2204.00", "10730.00", "(cont)", "600.00", "AMP-OBS"}},
                        {"bersat_kind0.htm", 1, {"BER", "2204.00", "600.00", "BER-OBS"}},
                        {"ifsat_kind0.htm", 2, {"FI SAT", "1250.00", "10740.00", "(cont)", "10770.00", "IF-OBS"}}};
  QTemporaryDir dir;
  RecordingOpener opener;  // the finished PDF is opened in the user's viewer
  for (const Case& c : cases) {
    SCOPED_TRACE(c.golden);
    const QString pdf = dir.filePath(QString(c.golden) + ".pdf");
    TReportFiles files;
    files.htmlPath = GoldenFile(c.golden).toStdString();
    files.pdfPath = pdf.toStdString();
    EXPECT_EQ(ConvertHtmlToPdf(files), std::vector<std::string>{});
    EXPECT_EQ(outside::PdfPages(pdf), c.pages);
    const QString text = outside::PdfText(pdf);
    qsizetype at = 0;
    for (const QString& t : c.inOrder) {
      const qsizetype next = text.indexOf(t, at);
      EXPECT_GE(next, at) << t.toStdString() << " in\n" << text.toStdString();
      if (next >= 0) at = next;
    }
  }
}

TEST(Xr9SatSections, PageSequencesOfChannelPagesAndBranchGroups) {
  struct Row {
    const char* what;
    SectionFn section;
    std::vector<Chan> chans;
    std::vector<Role> roles;
    int pageSize;
    const char* pages;
    const char* element;
    int elements;
  };
  std::vector<Chan> sixtyTenDvb = Chans(60, kAnalog);
  for (int i = 0; i < 10; ++i) sixtyTenDvb[size_t(5 * i)].type = kDvbS;
  std::vector<Chan> hundredThirtyDvb = Chans(100, kDss);
  for (int i = 0; i < 30; ++i) hundredThirtyDvb[size_t(3 * i + 1)].type = kDvbS2;
  std::vector<Chan> fiveAnalogueTwentyDvb = Chans(20, kDvbS);
  for (int i = 0; i < 5; ++i) fiveAnalogueTwentyDvb.insert(fiveAnalogueTwentyDvb.begin() + 4 * i, Chan{kAnalog});
  const auto amp = WriteAmplifierLevelsSection;
  const auto ber = WriteBerSatSection;
  const auto ifs = WriteIfSatTestSection;
  auto withHeadEnd = [](std::vector<Role> r) {
    r.push_back({RoleHeadEndIn, -1});
    r.push_back({RoleHeadEndOut, -1});
    return r;
  };
  const Row rows[] = {
      // Amplifier levels: pages over all plan channels, branch groups inside each.
      {"amp 50 digital, 5 branches", amp, Chans(50, kDvbS), withHeadEnd(FirstBranches(5)), 40,
       "40/1 40/5 10/1 10/5+obs", "<SENALAM>", 50},
      {"amp 60 channels, 10 DVB", amp, sixtyTenDvb, withHeadEnd(FirstBranches(2)), 40, "8/1 2/1+obs", "<SENALAM>", 10},
      {"amp 130 DVB", amp, Chans(130, kDvbS), withHeadEnd(FirstBranches(1)), 40, "40/1 40/1 40/1 10/1+obs",
       "<SENALAM>", 130},
      {"amp 13 branches", amp, Chans(3, kDvbS2), withHeadEnd(FirstBranches(13)), 40, "3/1 3/5 3/9 3/13+obs",
       "<RAMAL>", 39},
      {"amp branches 1 and 7", amp, Chans(3, kDvbS), withHeadEnd(Branches({0, 6})), 40, "3/1 3/5+obs", "<RAMAL>", 6},
      {"amp all analogue page", amp, Chans(3, kAnalog), withHeadEnd(FirstBranches(1)), 40, "0/1+obs", "<SENALAM>", 0},
      // BER satellite: pages over the DVB list, never one with headings alone.
      {"ber 60 channels, 10 DVB", ber, sixtyTenDvb, FirstBranches(2), 40, "10/1+obs", "<SENALBER_S>", 10},
      {"ber 130 DVB", ber, Chans(130, kDvbS), FirstBranches(1), 40, "40/1 40/1 40/1 10/1+obs", "<SENALBER_S>", 130},
      {"ber 100 channels, 30 DVB", ber, hundredThirtyDvb, FirstBranches(2), 40, "30/1+obs", "<SENALBER_S>",
       30},
      {"ber 180 DVB, page size 200", ber, Chans(180, kDvbS), FirstBranches(1), 200, "180/1+obs", "<SENALBER_S>", 180},
      {"ber 180 DVB, page size 40", ber, Chans(180, kDvbS), FirstBranches(1), 40, "40/1 40/1 40/1 40/1 20/1+obs",
       "<SENALBER_S>", 180},
      {"ber 50 DVB, 5 branches", ber, Chans(50, kDvbC), FirstBranches(5), 40, "40/1 40/5 10/1 10/5+obs", "<RAMAL>",
       250},
      {"ber 13 branches", ber, Chans(2, kDvbS), FirstBranches(13), 40, "2/1 2/5 2/9 2/13+obs", "<RAMAL>", 26},
      {"ber branches 1 and 7", ber, Chans(2, kDvbS), Branches({0, 6}), 40, "2/1 2/5+obs", "<RAMAL>", 4},
      {"ber no DVB channel: no page", ber, Chans(10, kAnalog), FirstBranches(5), 40, "0/0", "<SENALBER_S>", 0},
      {"ber page size 0 is 40", ber, Chans(50, kDvbS), FirstBranches(1), 0, "40/1 10/1+obs", "<SENALBER_S>", 50},
      // IF SAT test: analogue-class channels only.
      {"if 5 analogue, 20 DVB-S", ifs, fiveAnalogueTwentyDvb, FirstBranches(2), 40, "5/1+obs", "<SENALAB>", 5},
      {"if 50 analogue, 6 branches", ifs, Chans(50, kAnalog), FirstBranches(6), 40, "40/1 40/5 10/1 10/5+obs",
       "<SENALAB>", 50},
      {"if 13 branches", ifs, Chans(2, kDss), FirstBranches(13), 40, "2/1 2/5 2/9 2/13+obs", "<RAMAL>", 26},
      {"if branch 7 only", ifs, Chans(2, kAnalog), Branches({6}), 40, "2/1 2/5+obs", "<RAMAL>", 2},
      {"if digital only", ifs, Chans(4, kDvbS), FirstBranches(1), 40, "0/1+obs", "<SENALAB>", 0},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    Sat s(SatLog(row.chans, row.roles.size()), row.roles, 0, kTestIni, row.pageSize);
    s.observations = "x\r\n";
    row.section(s.ctl, s.slot, &s.files);
    EXPECT_EQ(PageSequence(s.files.htmlFile, "-OBS</b>"), row.pages);
    EXPECT_EQ(Count(s.files.xmlFile, row.element), row.elements);
    // Every page after the first begins with the continued text.
    EXPECT_EQ(Count(s.files.htmlFile, std::string(kPageBreak) + "<p>(cont)</p>"), Count(s.files.htmlFile, kPageBreak));
  }
}

TEST(Xr9SatSections, GroupCellsAndReferencePoint) {
  // Thirteen branches: the last group's headings 13 to 16, values only under 13.
  {
    Sat s(SatLog(Chans(1, kDvbS), 28), [] {
      auto r = FirstBranches(13);
      r.push_back({RoleHeadEndIn, -1});
      r.push_back({RoleHeadEndOut, -1});
      return r;
    }());
    WriteAmplifierLevelsSection(s.ctl, s.slot, &s.files);
    const std::string& html = s.files.htmlFile;
    const std::string last = html.substr(html.rfind(kPageBreak));
    EXPECT_NE(last.find("<td align=\"center\">13</td><td align=\"center\">14</td><td align=\"center\">15</td>"
                        "<td align=\"center\">16</td><td align=\"center\">13</td>"),
              std::string::npos);
    // Best point of branch 13 is test point 24: POWER 60.0 + 24.0; worst 25: 85.0.
    EXPECT_NE(last.find("<td> 84.0</td><td></td><td></td><td></td><td> 85.0</td><td></td><td></td><td></td></tr>"),
              std::string::npos);
  }
  // Reference point on branch 3: points on branches 3 and 5 only; every REF. from the best of 3.
  {
    Sat s(SatLog(Chans(2, kAnalog), 4), Branches({4, 2}));
    WriteIfSatTestSection(s.ctl, s.slot, &s.files);
    EXPECT_EQ(FirstBranchPoint([] { BranchTable t; t.fill(-1); t[2] = 2; t[4] = 0; return t; }()), 2);
    EXPECT_EQ(FirstBranchPoint([] { BranchTable t; t.fill(-1); return t; }()), 0);
    // Test point 2 is the best of branch 3: REF. 70.0 + 2.0 + channel.
    EXPECT_EQ(Count(s.files.xmlFile, "<NIVEL_SALIDA><![CDATA[ 72.0]]>"), 1);
    EXPECT_EQ(Count(s.files.xmlFile, "<NIVEL_SALIDA><![CDATA[ 72.1]]>"), 1);
    EXPECT_NE(s.files.htmlFile.find("<p align=\"center\">10700.00</p></td><td> 72.0</td><td></td><td></td><td> 52.0</td>"
                                    "<td></td><td></td><td></td><td> 53.0</td><td></td></tr>"),
              std::string::npos);
    EXPECT_EQ(Count(s.files.xmlFile, "<NOMBRE_MEJOR>3</NOMBRE_MEJOR>"), 2);
    EXPECT_EQ(Count(s.files.xmlFile, "<NOMBRE_MEJOR>5</NOMBRE_MEJOR>"), 2);
  }
}

TEST(Xr9SatSections, MissingKeysShowTheirPlaceholders) {
  const std::vector<Role> roles = {{RoleHeadEndIn, -1}, {RoleHeadEndOut, -1}, {RoleBest, 0}, {RoleWorst, 0},
                                   {RoleBest, 4},       {RoleWorst, 4}};
  {
    Sat s(SatLog(Chans(2, kDvbS), 6), roles, 0, "");
    WriteAmplifierLevelsSection(s.ctl, s.slot, &s.files);
    const std::string& html = s.files.htmlFile;
    EXPECT_EQ(s.prompts, std::vector<std::string>{"??13"});
    EXPECT_NE(html.find("\nDefault Style\n??\n??42\n-->"), std::string::npos);
    EXPECT_NE(html.find("??13??14??15<table ?\?>\n<tr><td rowspan=\"3\">??1</td><td rowspan=\"3\">??2</td>"
                        "<td rowspan=\"3\">??3</td><td colspan=\"4\">??4</td><td colspan=\"4\">??5</td></tr>"
                        "<tr><td colspan=\"4\"><p align=\"center\">??6</p></td><td colspan=\"4\">"
                        "<p align=\"center\">??7</p></td></tr>"),
              std::string::npos);
    EXPECT_NE(html.find(std::string(kPageBreak) + "??18??13??14??15<table ?\?>"), std::string::npos);
    EXPECT_NE(html.find("<br>??14\n<br>Toma"), std::string::npos);
  }
  {
    Sat s(SatLog(Chans(2, kDvbS), 6), roles, 7, "");
    WriteAmplifierLevelsSection(s.ctl, s.slot, &s.files);
    EXPECT_EQ(s.prompts, std::vector<std::string>{"??13"});  // "observationsUPD" has the same default
  }
  {
    Sat s(SatLog(Chans(2, kDvbS), 6), roles, 0, "");
    WriteBerSatSection(s.ctl, s.slot, &s.files);
    const std::string& html = s.files.htmlFile;
    EXPECT_EQ(s.prompts, std::vector<std::string>{"??13"});
    EXPECT_EQ(html.rfind("??13??14??15??14<table ?\?>\n<tr><td>??1</td><td align=\"center\">??11</td>"
                         "<td align=\"center\">??12</td><td align=\"center\">??13</td><td align=\"center\">??14</td></tr>",
                         0),
              0u);
    EXPECT_NE(html.find(std::string(kPageBreak) + "??18??13??14??15??14<table ?\?>\n<tr><td>??1</td>"
                        "<td align=\"center\">??15</td>"),
              std::string::npos);
  }
  {
    Sat s(SatLog(Chans(2, kAnalog), 6), roles, 2, "");
    WriteIfSatTestSection(s.ctl, s.slot, &s.files);
    const std::string& html = s.files.htmlFile;
    EXPECT_EQ(s.prompts, std::vector<std::string>{"??13"});
    EXPECT_NE(html.find("<body>\n??13??14??15??16??17??18??19<table ?\?>\n<tr><td rowspan=\"3\">??1</td>"
                        "<td rowspan=\"3\">??2</td><td colspan=\"4\">??3</td><td colspan=\"4\">??4</td></tr>"
                        "<tr><td colspan=\"4\"><p align=\"center\">??6</p></td><td colspan=\"4\">"
                        "<p align=\"center\">??7</p></td></tr>"),
              std::string::npos);
    EXPECT_NE(html.find(std::string(kPageBreak) + "??18??13"), std::string::npos);
  }
}

TEST(Xr9SatSections, MissingPointsAndFiles) {
  const std::vector<SectionFn> sections = {WriteAmplifierLevelsSection, WriteBerSatSection, WriteIfSatTestSection};
  // No best and no worst point: nothing at all, no question.
  for (SectionFn section : sections) {
    Sat s(SatLog(MixedPlan(), 3), {{RoleHeadEndIn, -1}, {RoleHeadEndOut, -1}, {4, 0}});
    section(s.ctl, s.slot, &s.files);
    EXPECT_EQ(s.files.htmlFile, "");
    EXPECT_EQ(s.files.xmlFile, "");
    EXPECT_TRUE(s.prompts.empty());
  }
  // Slot 200 logs; no files or no XML file writes nothing.
  for (SectionFn section : sections) {
    Sat s(SatLog(MixedPlan(), 7), kMixedRoles);
    s.memo.clear();
    section(s.ctl, 200, &s.files);
    EXPECT_EQ(s.memo, std::vector<std::string>{"DataLogger index out of bounds"});
    section(s.ctl, s.slot, nullptr);
    s.files.hasXml = false;
    section(s.ctl, s.slot, &s.files);
    EXPECT_EQ(s.files.htmlFile + s.files.xmlFile, "");
    EXPECT_TRUE(s.prompts.empty());
  }
  // Amplifier levels without head-end points: question, head, "\nERROR!!\n" pages, observations.
  {
    Sat s(SatLog(Chans(7, kDvbS), 4), FirstBranches(2), 0, kTestIni, 5);
    WriteAmplifierLevelsSection(s.ctl, s.slot, &s.files);
    EXPECT_EQ(s.prompts.size(), 1u);
    EXPECT_EQ(s.files.xmlFile, "");
    const std::string& html = s.files.htmlFile;
    const size_t body = html.find("<body>\n");
    ASSERT_NE(body, std::string::npos);
    EXPECT_EQ(html.substr(body + 7),
              "\nERROR!!\n" + std::string(kPageBreak) +
                  "\nERROR!!\n<br><b>AMP-OBS</b>\n<br>Toma &amp; reparto\n<br>fin ]]&gt; &lt;ok&gt;\n");
  }
  // Amplifier levels with worst points only: empty RAMALES, empty branch cells, groups by nWorst.
  {
    Sat s(SatLog(Chans(1, kDvbS), 7),
          {{RoleHeadEndIn, -1}, {RoleHeadEndOut, -1}, {RoleWorst, 0}, {RoleWorst, 1}, {RoleWorst, 2}, {RoleWorst, 3},
           {RoleWorst, 4}});
    WriteAmplifierLevelsSection(s.ctl, s.slot, &s.files);
    EXPECT_NE(s.files.xmlFile.find("<RAMALES>\n</RAMALES>\n"), std::string::npos);
    EXPECT_EQ(PageSequence(s.files.htmlFile, "-OBS</b>"), "1/1 1/5+obs");
    EXPECT_EQ(Count(s.files.htmlFile, "<td></td>"), 16);
  }
  // BER satellite with best points only: the XML with empty RAMALES, no HTML at all.
  {
    Sat s(SatLog(Chans(3, kDvbS), 2), {{RoleBest, 0}, {RoleBest, 1}});
    WriteBerSatSection(s.ctl, s.slot, &s.files);
    EXPECT_EQ(s.prompts.size(), 1u);
    EXPECT_EQ(Count(s.files.xmlFile, "<RAMALES></RAMALES>\n\n</SENALBER_S>"), 3);
    EXPECT_EQ(s.files.htmlFile, "");
  }
  // IF SAT test without best points: REF. at test point 0, no RAMAL, empty cells; no channels: head only.
  {
    Sat s(SatLog(Chans(1, kAnalog), 2), {{4, -1}, {RoleWorst, 0}});
    WriteIfSatTestSection(s.ctl, s.slot, &s.files);
    EXPECT_NE(s.files.xmlFile.find("<NIVEL_SALIDA><![CDATA[ 70.0]]></NIVEL_SALIDA>\n<RAMALES>\n\n</RAMALES>"),
              std::string::npos);
    EXPECT_NE(s.files.htmlFile.find("<td> 70.0</td><td></td><td></td><td></td><td></td><td></td><td></td><td></td>"
                                    "<td></td></tr>"),
              std::string::npos);
  }
  {
    Sat s(SatLog({}, 2), FirstBranches(1));
    WriteIfSatTestSection(s.ctl, s.slot, &s.files);
    EXPECT_EQ(s.files.htmlFile, CertificateHtmlHead(s.ctl));
    EXPECT_EQ(s.files.xmlFile.rfind("<SENALESUSUARIOB>\n<OBSERVACIONES>", 0), 0u);
  }
  // A value below the meter's range keeps its '<' in the CDATA section and is escaped in the cell.
  {
    img::DataLog d = SatLog(Chans(1, kAnalog), 2);
    d.testPoints[0].values[3] = img::MeasValue(0x40, 300);
    Sat s(d, FirstBranches(1));
    WriteIfSatTestSection(s.ctl, s.slot, &s.files);
    EXPECT_NE(s.files.xmlFile.find("<NIVEL_SALIDA><![CDATA[<30.0]]></NIVEL_SALIDA>"), std::string::npos);
    EXPECT_NE(s.files.htmlFile.find("</p></td><td>&lt;30.0</td>"), std::string::npos);
  }
  // A missing measurement gives empty CDATA sections and cells.
  {
    img::DataLog d = SatLog(Chans(1, kAnalog), 2);
    d.channels[0].codes = {MeasLevel};
    for (auto& tp : d.testPoints) tp.values = {img::MeasValue(0, 555)};
    Sat s(d, FirstBranches(1));
    WriteIfSatTestSection(s.ctl, s.slot, &s.files);
    EXPECT_NE(s.files.xmlFile.find("<NIVEL_SALIDA><![CDATA[]]></NIVEL_SALIDA>"), std::string::npos);
    EXPECT_NE(s.files.htmlFile.find("</p></td><td></td><td> 55.5</td>"), std::string::npos);
  }
}
