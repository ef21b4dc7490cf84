// Whole certificates as the report command writes them: golden HTML and XML files of the
// terrestrial certificate of every kind and of an INI file without sections, of the satellite
// certificate and of the IF SAT test report, read by the outside tools and converted to PDF.
#include <gtest/gtest.h>

#include <QStringList>

#include "CertificateFrame.h"
#include "OutsideTools.h"
#include "Xr9CertFixture.h"

using namespace cv::xr9;
using xr9test::CertOutput;
using xr9test::CertRun;
using xr9test::ReadText;
using xr9test::TableRuns;
namespace img = cvsim::xr9img;

namespace {

const std::string kTer = "CAPTACION_Y_DISTRIBUCION_TERRENAL";
const std::string kSat = "CAPTACION_Y_DISTRIBUCION_SATELITE";
const std::string kTail = "</body>\n</html>";

std::string Data(const std::string& name) { return xr9test::GoldenPath("reports/" + name); }
QString DataFile(const std::string& name) { return QString::fromStdString(Data(name)); }

// Both fixtures' texts in one INI file: every section and language tells itself apart.
std::string WholeIni() { return ReadText(Data("terr_sections.ini")) + ReadText(Data("cert_sat_sections.ini")); }

// The terrestrial file of the section goldens with their roles and service names.
const std::vector<xr9test::Role> kTerRoles = {{2, -1}, {3, -1}, {0, 0}, {1, 0}, {0, 1}, {1, 1}, {0, 6}, {1, 6}};
struct TerRun : CertRun {
  explicit TerRun(const std::string& ini) : CertRun(xr9test::ReadBytes(Data("terr_plan.dl")), kTerRoles, ini) {
    auto& ch = ctl.store.File(slot).channels;
    ch[0].serviceName = "TVE 1";
    ch[2].serviceName = "La 2 & <Ni\xF1o>";
    ch[4].serviceName = "DSS";
    ctl.settings.pages.channelsPerPageTer = 4;
    ctl.settings.pages.channelsPerPageSat = 2;
  }
};

// The texts, each found after the one before it.
void InOrder(const QString& text, const QStringList& texts) {
  qsizetype at = 0;
  for (const QString& t : texts) {
    const qsizetype next = text.indexOf(t, at);
    EXPECT_GE(next, at) << t.toStdString() << " in\n" << text.toStdString();
    if (next >= 0) at = next + t.size();
  }
}

std::string Inner(const std::string& document) {
  const std::string open = XmlDeclaration() + "<" + kTer + ">\n", close = "</" + kTer + ">\n";
  if (!document.starts_with(open) || !document.ends_with(close)) return "not a terrestrial document";
  return document.substr(open.size(), document.size() - open.size() - close.size());
}

std::string WithoutTail(const std::string& html) {
  return html.ends_with(kTail) ? html.substr(0, html.size() - kTail.size()) : "no tail";
}

}  // namespace

TEST(Xr9CertificateGoldens, TerrestrialOfEveryKindIsItsThreeSectionsInOrder) {
  TerRun run(WholeIni());
  std::string xml0, html[8];
  const std::string sectionsXml =
      Inner(ReadText(Data("rf.xml"))) + Inner(ReadText(Data("ua.xml"))) + Inner(ReadText(Data("berter.xml")));
  for (int kind : {0, 1, 2, 4, 6, 7}) {
    SCOPED_TRACE(kind);
    const CertOutput out = run.Generate(kind, false, QString("k%1").arg(kind));
    EXPECT_TRUE(out.errors.empty());
    const bool cat = kind == 2 || kind == 4, upd = kind == 1 || kind == 4 || kind == 7;
    const std::string lang = cat ? "-CAT" : "-ESP", q = std::string(upd ? " UPD" : "") + " observations?";
    EXPECT_EQ(out.prompts, (std::vector<std::string>{"RF" + lang + q, "UA" + lang + q, "BER" + lang + q}));
    html[kind] = out.html;
    // The sections' own goldens joined by page breaks under one head and tail.
    if (kind < 5) {
      const std::string k = "_k" + std::to_string(kind) + ".htm";
      EXPECT_EQ(out.html, WithoutTail(ReadText(Data("rf" + k))) + kPageBreak + ReadText(Data("ua" + k)) + kPageBreak +
                              ReadText(Data("berter" + k)) + kTail);
      xr9test::ReportGolden("cert_ter_k" + std::to_string(kind) + ".htm", out.html);
    }
    // The XML holds no INI text: one golden for every kind.
    if (kind == 0) xml0 = xr9test::ReportGolden("cert_ter.xml", out.xml);
    EXPECT_EQ(out.xml, xml0);
    EXPECT_EQ(Inner(out.xml), sectionsXml);
    // The PDF: the three sections' pages, their texts in order.
    EXPECT_EQ(outside::PdfPages(out.pdfPath), 10);
    const QString l = QString::fromStdString(lang), u = upd ? " UPD" : "";
    InOrder(outside::PdfText(out.pdfPath), {"RF" + l + u + " prologue 1", "471.25", "RF" + l + " continued", "E28",
                                            "RF" + l + " notes", "Roof & mast <ok>", "UA" + l + u + " prologue 1",
                                            "UA" + l + " notes", "BER" + l + u + " prologue 1", "BER" + l + " notes",
                                            "Roof & mast <ok>"});
  }
  EXPECT_EQ(html[6], html[0]);
  EXPECT_EQ(html[7], html[1]);
  // The IF SAT test box is for satellite files only.
  EXPECT_EQ(run.Generate(0, true, "box").html, html[0]);

  // An INI file without sections: every placeholder.
  TerRun bare("");
  const CertOutput out = bare.Generate(0, false, "bare");
  EXPECT_TRUE(out.errors.empty());
  EXPECT_EQ(out.prompts, (std::vector<std::string>{"??13", "??13", "??13"}));
  EXPECT_EQ(out.xml, xml0);
  const std::string noini = xr9test::ReportGolden("cert_ter_noini.htm", out.html);
  EXPECT_NE(noini.find("<!--\nDefault Style\n??\n??42\n-->\n</style>\n<title>DataLogger</title></head>\n<body>\n"),
            std::string::npos);
  EXPECT_EQ(xr9test::Count(noini, "<head>"), 1);
  EXPECT_EQ(out.html, WithoutTail(ReadText(Data("rf_noini.htm"))) + kPageBreak + ReadText(Data("ua_noini.htm")) +
                          kPageBreak + ReadText(Data("berter_noini.htm")) + kTail);
  EXPECT_EQ(outside::PdfPages(out.pdfPath), 10);

  // The outside tools on the goldens: 7 columns in every RF row, 12 in every user signals A
  // row, 5 in every BER row; the elements the plan and the roles give.
  for (const char* name : {"cert_ter_k0.htm", "cert_ter_k1.htm", "cert_ter_k2.htm", "cert_ter_k4.htm",
                           "cert_ter_noini.htm"})
    EXPECT_EQ(TableRuns(DataFile(name)), "7 12 5") << name;
  const QString xml = DataFile("cert_ter.xml");
  EXPECT_TRUE(outside::XmlWellFormed(xml));
  const std::pair<QString, int> counts[] = {
      {"/" + QString::fromStdString(kTer) + "/*", 3},
      {"/*/*[1][self::SENALESRF]", 1}, {"/*/*[2][self::SENALESUSUARIOA]", 1}, {"/*/*[3][self::BER_TERRENAL]", 1},
      {"//SENALRFA", 4}, {"//SENALRFD", 3}, {"//SENALAA", 4}, {"//SENALAD", 3}, {"//SENALBER", 3},
      {"//SENALESRF//RAMAL", 0}, {"//SENALESUSUARIOA//RAMAL", 21}, {"//BER_TERRENAL//RAMAL", 9},
      {"/*/*/OBSERVACIONES", 3}, {"//SENALAM | //SENALBER_S | //SENALAB", 0}};
  for (const auto& [expr, n] : counts) EXPECT_EQ(outside::XPathCount(xml, expr), n) << expr.toStdString();
}

TEST(Xr9CertificateGoldens, SatelliteCertificateAndIfSatTestReport) {
  CertRun run(img::DataLogFile(xr9test::SatCertLog()), xr9test::SatCertRoles(), WholeIni());
  run.ctl.settings.pages.channelsPerPageSat = 4;

  // Kind 1: amplifier levels and BER satellite under the satellite root, the box or not.
  const CertOutput sat = run.Generate(1, false, "sat");
  EXPECT_TRUE(sat.errors.empty());
  EXPECT_EQ(sat.prompts, (std::vector<std::string>{"Amp obs UPD?", "BER obs UPD?"}));
  xr9test::ReportGolden("cert_sat_k1.htm", sat.html);
  xr9test::ReportGolden("cert_sat_k1.xml", sat.xml);
  const CertOutput satBox = run.Generate(1, true, "satbox");
  EXPECT_EQ(satBox.html, sat.html);
  EXPECT_EQ(satBox.xml, sat.xml);
  // Kind 4: the Catalan UPD keys of both sections, the same XML.
  const CertOutput cat = run.Generate(4, true, "cat");
  EXPECT_TRUE(cat.errors.empty());
  EXPECT_EQ(cat.prompts, (std::vector<std::string>{"CAT amp obs UPD?", "CAT BER obs UPD?"}));
  xr9test::ReportGolden("cert_sat_k4.htm", cat.html);
  EXPECT_EQ(cat.xml, sat.xml);

  // Kind 0 with the box ticked: the IF SAT test alone under the terrestrial root.
  const CertOutput ifSat = run.Generate(0, true, "ifsat");
  EXPECT_TRUE(ifSat.errors.empty());
  EXPECT_EQ(ifSat.prompts, std::vector<std::string>{"IF obs?"});
  xr9test::ReportGolden("cert_ifsat_k0.htm", ifSat.html);
  xr9test::ReportGolden("cert_ifsat_k0.xml", ifSat.xml);

  struct Case {
    const char* stem;
    const char* xmlStem;
    const CertOutput& out;
    std::string tables;
    std::vector<std::pair<QString, int>> counts;
    int pages;
    QStringList inOrder;
  };
  const Case cases[] = {
      {"cert_sat_k1", "cert_sat_k1", sat, "11 5",
       {{"/" + QString::fromStdString(kSat) + "/*", 2}, {"/*/*[1][self::NIVELESAMPLI]", 1},
        {"/*/*[2][self::BER_SATELITE]", 1}, {"//SENALAM", 3}, {"//SENALBER_S", 3}, {"//RAMAL", 12},
        {"/*/*/OBSERVACIONES", 2}, {"//SENALAB | //SENALRFA | //SENALBER", 0}},
       4,
       {"Niveles UPD", "Entrada UPD", "Salida UPD", "AMP-OBS", "Roof & mast <ok>", "BER UPD", "B4 UPD", "BER-OBS"}},
      {"cert_sat_k4", "cert_sat_k1", cat, "11 5", {{"//SENALAM", 3}, {"//SENALBER_S", 3}}, 4,
       {"Nivells UPD", "Entrada CAT UPD", "Sortida CAT UPD", "CAT-AMP-OBS", "BER CAT UPD", "CB4 UPD", "CAT-BER-OBS"}},
      {"cert_ifsat_k0", "cert_ifsat_k0", ifSat, "10",
       {{"/" + QString::fromStdString(kTer) + "/*", 1}, {"/*/SENALESUSUARIOB", 1}, {"//SENALAB", 3},
        {"//RAMAL", 6}, {"/*/*/OBSERVACIONES", 1}, {"//SENALAM | //SENALBER_S | //SENALRFA", 0}},
       2,
       {"FI SAT", "I7", "IF-OBS", "Roof & mast <ok>"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.stem);
    EXPECT_EQ(TableRuns(DataFile(std::string(c.stem) + ".htm")), c.tables);
    const QString xml = DataFile(std::string(c.xmlStem) + ".xml");
    EXPECT_TRUE(outside::XmlWellFormed(xml));
    for (const auto& [expr, n] : c.counts) EXPECT_EQ(outside::XPathCount(xml, expr), n) << expr.toStdString();
    EXPECT_EQ(outside::PdfPages(c.out.pdfPath), c.pages);
    InOrder(outside::PdfText(c.out.pdfPath), c.inOrder);
  }
}
