// Whole certificates as the report command writes them: golden HTML and XML files of the
// terrestrial certificate of every kind and of an INI file without sections, of the satellite
// certificate and of the IF SAT test report, read by the outside tools and converted to PDF.
#include <gtest/gtest.h>

#include <QRegularExpression>
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
       3,  // the BER pages run over its three DVB channels: one page
       {"Niveles UPD", "Entrada UPD", "Salida UPD", "AMP-OBS", "Roof & mast <ok>", "BER UPD", "B4 UPD", "BER-OBS"}},
      {"cert_sat_k4", "cert_sat_k1", cat, "11 5", {{"//SENALAM", 3}, {"//SENALBER_S", 3}}, 3,
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

namespace {

std::string ShippedIni() { return ReadText(CV_TEST_DATA_DIR "/../../resources/bin/CvTools.INI"); }

// No placeholder left in any of the three files of a report.
void NoPlaceholder(const CertOutput& out) {
  EXPECT_EQ(out.html.find("??"), std::string::npos) << out.html.substr(out.html.find("??") - 200, 300);
  EXPECT_EQ(out.xml.find("??"), std::string::npos);
  const QString pdf = outside::PdfText(out.pdfPath);
  EXPECT_FALSE(pdf.isEmpty());
  EXPECT_FALSE(pdf.contains("??")) << pdf.toStdString();
}

// Each question of a report is its own and names its section by the words given.
void PromptsName(const std::vector<std::string>& prompts, const std::vector<std::string>& sections) {
  ASSERT_EQ(prompts.size(), sections.size());
  for (size_t i = 0; i < prompts.size(); ++i) {
    EXPECT_EQ(prompts[i].find("??"), std::string::npos) << prompts[i];
    EXPECT_NE(prompts[i].find(sections[i]), std::string::npos) << prompts[i] << " does not name " << sections[i];
  }
}

}  // namespace

// The certificate of every kind with the INI file a new installation gets: readable texts of the
// kind's language everywhere, each observations question naming its section.
TEST(Xr9CertificateGoldens, ShippedIniLeavesNoPlaceholderInAnyKind) {
  const std::string ini = ShippedIni();
  ASSERT_FALSE(ini.empty());
  TerRun ter(ini);
  for (int kind : {0, 1, 2, 4, 6, 7}) {
    SCOPED_TRACE(kind);
    const CertOutput out = ter.Generate(kind, false, QString("ter%1").arg(kind));
    EXPECT_TRUE(out.errors.empty());
    NoPlaceholder(out);
    if (kind == 2 || kind == 4)
      PromptsName(out.prompts, {"SENYALS RF", "SENYALS D'USUARI A", "BER TERRESTRE"});
    else
      PromptsName(out.prompts, {"SE\xD1" "ALES RF", "SE\xD1" "ALES DE USUARIO A", "BER TERRESTRE"});
    const bool upd = kind == 1 || kind == 4 || kind == 7;
    EXPECT_EQ(out.html.find("ACTUALI") != std::string::npos, upd);
  }
  CertRun sat(img::DataLogFile(xr9test::SatCertLog()), xr9test::SatCertRoles(), ini);
  for (int kind : {0, 1, 2, 4, 6, 7}) {
    SCOPED_TRACE(kind);
    const CertOutput out = sat.Generate(kind, false, QString("sat%1").arg(kind));
    EXPECT_TRUE(out.errors.empty());
    NoPlaceholder(out);
    if (kind == 2 || kind == 4)
      PromptsName(out.prompts, {"NIVELLS D'AMPLIFICACI\xD3", "BER SAT\xC8L\xB7LIT"});
    else
      PromptsName(out.prompts, {"NIVELES DE AMPLIFICACI\xD3N", "BER SAT\xC9LITE"});
  }
  for (int kind : {0, 2, 6}) {
    SCOPED_TRACE(kind);
    const CertOutput out = sat.Generate(kind, true, QString("ifsat%1").arg(kind));
    NoPlaceholder(out);
    PromptsName(out.prompts, {kind == 2 ? "PROVA FI SAT" : "PRUEBA FI SAT"});
  }
  // The generic report of the shipped list.
  const CertOutput generic = sat.Generate(5, false, "generic");
  EXPECT_TRUE(generic.errors.empty());
  EXPECT_EQ(generic.html.find("??"), std::string::npos);
  EXPECT_FALSE(outside::PdfText(generic.pdfPath).contains("??"));
}

// 180 DVB channels, terrestrial and satellite: every one in the BER sections of the XML and of
// the PDF, and no page of the PDF holds headings without a row.
TEST(Xr9CertificateGoldens, EveryDvbChannelInTheBerSections) {
  struct Case { uint8_t planType; uint8_t type; const char* element; const char* root; std::vector<xr9test::Role> roles; };
  const Case cases[] = {
      {7, 0, "SENALBER", "BER_TERRENAL", {{2, -1}, {3, -1}, {0, 0}, {1, 0}}},
      {5, 2, "SENALBER_S", "BER_SATELITE", {{2, -1}, {3, -1}, {0, 0}, {1, 0}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.element);
    img::DataLog d = xr9test::DlGrid(180, 4, {MeasLevel, MeasPower, MeasVber}, c.planType);
    for (size_t i = 0; i < d.plan.channels.size(); ++i) {
      d.plan.channels[i] = xr9test::DlChan("C" + std::to_string(i), 474000 + 1000 * uint32_t(i), {{2, c.type}});
      d.plan.channels[i].value2 = d.plan.channels[i].value1;
    }
    CertRun run(img::DataLogFile(d), c.roles, ShippedIni());
    const CertOutput out = run.Generate(1, false, QString("dvb180_%1").arg(c.planType));
    ASSERT_TRUE(out.errors.empty());
    EXPECT_EQ(outside::XPathCount(out.xmlPath, QString("//%1/%2").arg(c.root, c.element)), 180);
    // The BER pages: from the first BER prologue on, one row per channel, each frequency once.
    const QString pdf = outside::PdfText(out.pdfPath);
    const QStringList pages = pdf.split(QChar('\f'), Qt::SkipEmptyParts);
    int berRows = 0;
    bool inBer = false;
    for (const QString& page : pages) {
      if (page.contains("(BER)")) inBer = true;
      if (!inBer) continue;
      int rows = 0;
      for (const QString& line : page.split('\n'))
        if (line.contains(QRegularExpression("^\\s*\\d+\\.\\d\\d\\s+\\S"))) ++rows;
      EXPECT_GT(rows, 0) << "a BER page with headings only:\n" << page.toStdString();
      berRows += rows;
    }
    EXPECT_EQ(berRows, 180) << pdf.toStdString();
  }
}
