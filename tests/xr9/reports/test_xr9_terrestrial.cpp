// The terrestrial certificate's three sections (RF signals, user signals A, BER): golden files of
// every kind's texts and of an INI file without sections, the elements the plan and the roles
// give, the pages of the edge cases, and what the outside tools make of the goldens.
#include <gtest/gtest.h>

#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <cmath>

#include "CertificateSections.h"
#include "DataLoggerCtl.h"
#include "HostForm.h"
#include "OutsideTools.h"
#include "ReportDispatch.h"
#include "StartDir.h"
#include "TerrestrialSections.h"
#include "Xr9DlFixture.h"
#include "Xr9Equip.h"
#include "Xr9ReportPdf.h"
#include "Xr9TestFiles.h"

using namespace cv::xr9;
namespace img = cvsim::xr9img;

namespace {

using Section = void (*)(DataLoggerCtl&, int, TReportFiles*);
using Role = std::pair<int, int>;  // pointType, branch

std::string ReadAll(const std::string& path) {
  const auto bytes = xr9test::ReadBytes(path);
  return std::string(bytes.begin(), bytes.end());
}

const std::string& SectionsIni() {
  static const std::string ini = ReadAll(xr9test::GoldenPath("reports/terr_sections.ini"));
  return ini;
}

bool StartsWith(const std::string& text, const std::string& start) { return text.rfind(start, 0) == 0; }

int Count(const std::string& text, const std::string& what) {
  int n = 0;
  for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
  return n;
}

// A .DL file with its roles given as the measurement sheet gives them, and a fake observations
// question that records its prompts and types two lines.
struct Ter {
  StartDir dir;
  std::vector<std::string> memo, prompts;
  HostForm host;
  TXR9Equip equip{&host.form, nullptr};
  DataLoggerCtl ctl{equip, [this](const std::string& l) { memo.push_back(l); }};
  int slot = -1;
  Ter(const img::DataLog& d, const std::vector<Role>& roles, const std::string& ini = SectionsIni()) {
    const auto image = img::DataLogFile(d);
    slot = ctl.store.DecodeDataLogFile(image.data(), image.size(), "TER.DL");
    EXPECT_GE(slot, 0);
    memo.clear();  // the load line
    auto& points = *ctl.store.File(slot).testPoints;
    for (size_t i = 0; i < roles.size(); ++i) {
      points[i].pointType = roles[i].first;
      points[i].branch = roles[i].second;
    }
    ctl.ini.Parse(ini);
    ctl.observationsQuestion = [this](const std::string& prompt) {
      prompts.push_back(prompt);
      QFile f(QString::fromStdString(ObservationsPath(ctl)));
      EXPECT_TRUE(f.open(QIODevice::WriteOnly));
      f.write("Roof & mast <ok>\r\nSe\xF1" "al ]]> fin\r\n");
      return true;
    };
  }
  TReportFiles Run(Section section, int kind = 0) {
    TReportFiles files;
    files.hasXml = true;
    ctl.generatingKind = kind;
    section(ctl, slot, &files);
    ctl.generatingKind = -1;
    return files;
  }
};

// The values of test point t at channel c, by code; a '<' level, an invalid power.
uint32_t ValueOf(int t, int c, uint8_t code) {
  switch (code) {
    case MeasLevel: return img::MeasValue(t == 2 && c == 0 ? 0x40 : 0, 600 + 10 * t + c);
    case MeasVA: return img::MeasValue(0, 450 + t);
    case MeasPower: return img::MeasValue(t == 3 && c == 2 ? 0xC0 : 0, 550 + t + c);
    default: return img::BerValue(0, uint8_t(10 + t), -3 - c % 4);
  }
}

// Eight channels: ANALOG BG, ANALOG without colour system, DVB-T, DVB-T without POWER, DSS,
// 8-VSB, one without TYPE, DVB-C; head-end input (dBuV) and output (dBmV), then best and worst
// points of branches 1, 2 and 7.
img::DataLog TerPlan() {
  img::DataLog d;
  d.planName = "EDIFICIO";
  using xr9test::DlChan;
  d.plan.channels = {DlChan("E21", 471250, {{2, 3}, {1, 0x0100}}), DlChan("E22", 479250, {{2, 3}}),
                     DlChan("E23", 490000, {{2, 0}}),                DlChan("E24", 498000, {{2, 0}}),
                     DlChan("E25", 506000, {{2, 4}}),                DlChan("E26", 514000, {{2, 5}}),
                     DlChan("E27", 522000, {}),                      DlChan("E28", 530000, {{2, 1}})};
  d.plan.channels[2].value1 = 487000;  // the DVB frequency is the second value
  const std::vector<std::vector<uint8_t>> codes = {{0, 1}, {0, 1}, {3, 6}, {6}, {0, 1}, {0, 1}, {0}, {3, 6}};
  for (const auto& c : codes) d.channels.push_back({c});
  for (int t = 0; t < 8; ++t) {
    img::DlTestPoint tp{"TP" + std::to_string(t), uint8_t(t == 1 ? 2 : 1), {}};
    for (size_t c = 0; c < codes.size(); ++c)
      for (uint8_t code : codes[c]) tp.values.push_back(ValueOf(t, int(c), code));
    d.testPoints.push_back(tp);
  }
  return d;
}

const std::vector<Role> kTerRoles = {{2, -1}, {3, -1}, {0, 0}, {1, 0}, {0, 1}, {1, 1}, {0, 6}, {1, 6}};

Ter& NamedServices(Ter& t) {
  auto& ch = t.ctl.store.File(t.slot).channels;
  ch[0].serviceName = "TVE 1";
  ch[2].serviceName = "La 2 & <Ni\xF1o>";
  ch[4].serviceName = "DSS";
  return t;
}

std::string Golden(const std::string& name, const std::string& made) {
  const auto g = xr9test::Golden("reports/" + name, std::vector<uint8_t>(made.begin(), made.end()));
  return std::string(g.begin(), g.end());
}

QString GoldenFile(const std::string& name) { return QString::fromStdString(xr9test::GoldenPath("reports/" + name)); }

// The section's element under the terrestrial root, as the driver puts it.
std::string XmlDocument(const std::string& element) {
  return XmlDeclaration() + "<CAPTACION_Y_DISTRIBUCION_TERRENAL>\n" + element + "</CAPTACION_Y_DISTRIBUCION_TERRENAL>\n";
}

struct SectionCase {
  const char* prefix;
  Section write;
  const char* tag;
  int columns;
  std::vector<std::pair<QString, int>> xpathCounts;
};

const SectionCase kSections[] = {
    {"rf", WriteRfSignalsSection, "RF", 7, {{"//SENALRFA", 4}, {"//SENALRFD", 3}, {"//OBSERVACIONES", 1}}},
    {"ua", WriteUserSignalsASection, "UA", 12, {{"//SENALAA", 4}, {"//SENALAD", 3}, {"//RAMAL", 21}}},
    {"berter", WriteBerTerSection, "BER", 5, {{"//SENALBER", 3}, {"//RAMAL", 9}, {"//OBSERVACIONES", 1}}},
};

}  // namespace

TEST(Xr9Terrestrial, GoldensOfEveryKindAndOfAnIniWithoutSections) {
  // The data-logger file of the goldens (also a seed of the sections' fuzz target).
  xr9test::Golden("reports/terr_plan.dl", img::DataLogFile(TerPlan()));
  for (const SectionCase& sc : kSections) {
    SCOPED_TRACE(sc.prefix);
    const std::string p = sc.prefix;
    std::string xml0, html[8];
    for (int kind : {0, 1, 2, 4, 6, 7}) {
      Ter t(TerPlan(), kTerRoles);
      t.ctl.settings.pages.channelsPerPageTer = 4;
      t.ctl.settings.pages.channelsPerPageSat = 2;
      const TReportFiles f = NamedServices(t).Run(sc.write, kind);
      const bool cat = kind == 2 || kind == 4, upd = kind == 1 || kind == 4 || kind == 7;
      const std::string lang = std::string(sc.tag) + (cat ? "-CAT" : "-ESP");
      EXPECT_EQ(t.prompts, std::vector<std::string>{lang + (upd ? " UPD" : "") + " observations?"}) << kind;
      html[kind] = f.htmlFile + (p == "rf" ? "</body>\n</html>" : "");
      // The texts come from the kind's language only; the UPD kinds read their own first prologue.
      EXPECT_NE(html[kind].find(lang + (upd ? " UPD prologue 1" : " prologue 1")), std::string::npos) << kind;
      EXPECT_EQ(html[kind].find(std::string(sc.tag) + (cat ? "-ESP" : "-CAT")), std::string::npos) << kind;
      EXPECT_NE(html[kind].find("<b>" + lang + " notes</b>\n<br>Roof &amp; mast &lt;ok&gt;\n<br>Se\xF1" "al ]]&gt; fin\n"),
                std::string::npos) << kind;
      // The UPD kinds of user signals A have no fifth and sixth prologue.
      EXPECT_EQ(html[kind].find(lang + " prologue 5") != std::string::npos, p == "ua" && !upd) << kind;
      // The XML holds no INI text: the same for every kind.
      if (kind == 0) xml0 = f.xmlFile;
      EXPECT_EQ(f.xmlFile, xml0) << kind;
      if (kind < 5) Golden(p + "_k" + std::to_string(kind) + ".htm", html[kind]);
    }
    EXPECT_EQ(html[6], html[0]);
    EXPECT_EQ(html[7], html[1]);
    Golden(p + ".xml", XmlDocument(xml0));

    Ter t(TerPlan(), kTerRoles, "");
    t.ctl.settings.pages.channelsPerPageTer = 4;
    t.ctl.settings.pages.channelsPerPageSat = 2;
    const TReportFiles f = NamedServices(t).Run(sc.write, 0);
    EXPECT_EQ(t.prompts, std::vector<std::string>{"??13"});
    Golden(p + "_noini.htm", f.htmlFile + (p == "rf" ? "</body>\n</html>" : ""));
    EXPECT_EQ(f.xmlFile, xml0);

    for (const std::string& name : {p + "_k0.htm", p + "_k1.htm", p + "_k2.htm", p + "_k4.htm", p + "_noini.htm"})
      EXPECT_TRUE(outside::EveryRowSpans(GoldenFile(name), sc.columns)) << name;
    const QString xmlFile = GoldenFile(p + ".xml");
    EXPECT_TRUE(outside::XmlWellFormed(xmlFile));
    for (const auto& [expr, n] : sc.xpathCounts) EXPECT_EQ(outside::XPathCount(xmlFile, expr), n) << expr.toStdString();
  }
}

TEST(Xr9Terrestrial, RfSignalsElementsAndCells) {
  const std::string xml = ReadAll(xr9test::GoldenPath("reports/rf.xml"));
  const std::string html = ReadAll(xr9test::GoldenPath("reports/rf_k0.htm"));
  const std::string noini = ReadAll(xr9test::GoldenPath("reports/rf_noini.htm"));
  auto in = [](const std::string& text, const std::string& what) { return text.find(what) != std::string::npos; };
  // BG sound carrier; an ANALOG channel without colour system has no sound carrier.
  EXPECT_TRUE(in(xml, "<FRECUENCIA_PV_EMISOR>471.25</FRECUENCIA_PV_EMISOR><FRECUENCIA_PS_EMISOR>476.75"
                      "</FRECUENCIA_PS_EMISOR>\n"));
  EXPECT_TRUE(in(xml, "<CANAL>     E22</CANAL><BANDA>UHF BIV</BANDA><FRECUENCIA_PV_EMISOR>479.25</FRECUENCIA_PV_EMISOR>\n"));
  EXPECT_TRUE(in(html, "<p align=\"center\">471.25</p><p align=\"center\">476.75</p></td>"));
  EXPECT_TRUE(in(html, "<td rowspan=\"2\"><p align=\"center\">479.25</p></td>"));
  // DSS and 8-VSB are analogue class; the channel without TYPE is nowhere.
  const size_t digital = xml.find("<TELEVISION_DIGITAL_RF>");
  EXPECT_LT(xml.find("E25</CANAL>"), digital);
  EXPECT_LT(xml.find("E26</CANAL>"), digital);
  EXPECT_GT(xml.find("E23</CANAL>"), digital);
  EXPECT_FALSE(in(xml, "E27") || in(html, "E27"));
  // Head-end values: dBmV output in dBuV (+60.0), a '<' value escaped in the HTML, an invalid one.
  EXPECT_TRUE(in(xml, "TVE 1</NOMBRE_EMISION><PV_ENTRADA><![CDATA[ 60.0]]></PV_ENTRADA>"
                      "<PV_SALIDA><![CDATA[ 121.0]]></PV_SALIDA><PV-PS_ENTRADA><![CDATA[ 45.0]]></PV-PS_ENTRADA>"
                      "<PV-PS_SALIDA><![CDATA[ 45.1]]></PV-PS_SALIDA>\n</SENALRFA>\n"));
  EXPECT_TRUE(in(html, "<td>RF-ESP h10</td><td> 60.0</td><td> 121.0</td></tr>\n<tr><td>RF-ESP h11</td><td> 45.0</td>"
                       "<td> 45.1</td></tr>"));
  // A DVB-T channel without POWER: empty CDATA sections and cells; the DVB frequency is value 2.
  EXPECT_TRUE(in(xml, "<FRECUENCIA_PORTADORA_EMISOR>498.00</FRECUENCIA_PORTADORA_EMISOR><NOMBRE_EMISION></NOMBRE_EMISION>"
                      "<FC_ENTRADA><![CDATA[]]></FC_ENTRADA><FC_SALIDA><![CDATA[]]></FC_SALIDA></SENALRFD>\n"));
  EXPECT_TRUE(in(html, "498.00</p></td><td></td><td>RF-ESP h12</td><td></td><td></td></tr>\n"));
  EXPECT_TRUE(in(xml, "<FRECUENCIA_PORTADORA_EMISOR>490.00<"));
  // "ñ" as two UTF-8 bytes in the XML and one byte in the HTML, '&' and '<' escaped in both.
  EXPECT_TRUE(in(xml, "<NOMBRE_EMISION>La 2 &amp; &lt;Ni\xC3\xB1o&gt;</NOMBRE_EMISION>"));
  EXPECT_TRUE(in(html, "<td>La 2 &amp; &lt;Ni\xF1o&gt;</td>"));
  // The head's style lines and the table attributes, from the INI or their placeholders.
  EXPECT_TRUE(in(html, "<!--\ntd { font-family: Arial; font-size: 8pt }\ntable { border-collapse: collapse }\n"
                       "P.breakhere {page-break-before: always}\n-->"));
  EXPECT_TRUE(in(noini, "<!--\nDefault Style\n??\n??42\n-->\n</style>\n<title>DataLogger</title></head>\n<body>\n"
                        "??13??14??15??16<table ??41>\n<tr><td rowspan=\"2\">??1</td>"));
  EXPECT_EQ(Count(noini, "\n<p class=breakhere\n>??18??13??14??15??16<table ??41>"), 1);

  // Our PDF of the golden: one page a table, the texts in order.
  QTemporaryDir out;
  const QString pdf = out.filePath("rf.pdf");
  xr9test::PdfOf(GoldenFile("rf_k0.htm"), pdf);
  EXPECT_EQ(outside::PdfPages(pdf), 2);
  const QString text = outside::PdfText(pdf);
  // Readable letters: the table as wide as the page is not shrunk towards nothing.
  static const QRegularExpression word("yMin=\"([0-9.]+)\" xMax=\"[0-9.]+\" yMax=\"([0-9.]+)\">prologue<");
  const auto m = word.match(outside::Run("pdftotext", {"-bbox", pdf, "-"}));
  ASSERT_TRUE(m.hasMatch());
  EXPECT_GT(m.captured(2).toDouble() - m.captured(1).toDouble(), 5.0);
  const QStringList order = {"RF-ESP prologue 1", "471.25", "121.0", "476.75", "RF-ESP continued", "E28",
                             "RF-ESP notes", "Roof & mast <ok>"};
  qsizetype at = 0;
  for (const QString& s : order) {
    const qsizetype next = text.indexOf(s, at);
    EXPECT_GE(next, at) << s.toStdString();
    if (next >= 0) at = next;
  }
}

namespace {

// One word a page: "+" when it begins with the continued text, the first and last channel
// ("C3" of a grid, or the channel index of a BER frequency) or "-" for none, "/" and the first
// branch number, "ERROR" for an error page; " obs" after the page that the observations follow.
std::string PageWords(const std::string& html) {
  static const QRegularExpression name("(\\S+) <p>\\("), berRow("<tr><td><p align=\"center\">([0-9.]+)</p></td>"),
      branch("<td align=\"center\">(?:BER-ESP h2)?(\\d+)</td>");
  std::string words;
  size_t from = 0;
  while (from <= html.size()) {
    size_t end = html.find(kPageBreak, from);
    if (end == std::string::npos) end = html.size();
    const QString page = QString::fromLatin1(html.substr(from, end - from));
    std::string w;
    if (page.contains("ERROR!!")) w = "ERROR";
    if (page.contains("continued</i>")) w += "+";
    QStringList chans;
    for (auto it = name.globalMatch(page); it.hasNext();) chans << it.next().captured(1);
    for (auto it = berRow.globalMatch(page); it.hasNext();)
      chans << "C" + QString::number(std::lround((it.next().captured(1).toDouble() - 474.0) / 8));
    if (w != "ERROR") w += chans.isEmpty() ? "-" : (chans.first() + "-" + chans.last()).toStdString();
    const auto b = branch.match(page);
    if (b.hasMatch()) w += "/" + b.captured(1).toStdString();
    if (page.contains(" notes</b>")) w += " obs";
    if (!page.isEmpty()) words += (words.empty() ? "" : " ") + w;
    from = end + std::string(kPageBreak).size();
  }
  return words;
}

// A grid of DVB-T channels of one code; `analogue` channels become ANALOG, `untyped` lose TYPE.
img::DataLog Grid(int channels, uint8_t code, const std::vector<int>& analogue = {}, const std::vector<int>& untyped = {}) {
  img::DataLog d = xr9test::DlGrid(channels, 40, {code});
  for (int c : analogue) d.plan.channels[size_t(c)].attrs = {{2, 3}};
  for (int c : untyped) d.plan.channels[size_t(c)].attrs = {};
  return d;
}

// Best and worst points (in that order) of the given branch numbers (1 ..).
std::vector<Role> Branches(const std::vector<int>& numbers, bool worst = true) {
  std::vector<Role> roles = {{2, -1}, {3, -1}};
  for (int n : numbers) {
    roles.push_back({0, n - 1});
    if (worst) roles.push_back({1, n - 1});
  }
  return roles;
}

std::vector<int> Numbers(int n) {
  std::vector<int> v;
  for (int i = 1; i <= n; ++i) v.push_back(i);
  return v;
}

// The branch numbers of the first channel element's RAMAL elements.
std::string FirstChannelBranches(const std::string& xml, const std::string& element) {
  const size_t a = xml.find("<" + element + ">"), b = xml.find("</" + element + ">");
  if (a == std::string::npos || b == std::string::npos) return "";
  static const QRegularExpression n("<NOMBRE_PEOR>(\\d+)</NOMBRE_PEOR>");
  std::string out;
  for (auto it = n.globalMatch(QString::fromStdString(xml.substr(a, b - a))); it.hasNext();)
    out += (out.empty() ? "" : " ") + it.next().captured(1).toStdString();
  return out;
}

struct PageRow {
  const char* what;
  img::DataLog dl;
  std::vector<Role> roles;
  int pageSize;
  const char* pages;
  int elements;         // channel elements in the XML (-1: no section element at all)
  const char* branches; // NOMBRE_PEOR of the first channel element
};

void CheckPages(Section write, const char* element, const char* channelElement, const std::vector<PageRow>& rows) {
  for (const PageRow& row : rows) {
    SCOPED_TRACE(row.what);
    Ter t(row.dl, row.roles);
    t.ctl.settings.pages.channelsPerPageTer = row.pageSize;
    t.ctl.settings.pages.channelsPerPageSat = row.pageSize;
    const TReportFiles f = t.Run(write);
    std::string html = f.htmlFile;
    const size_t body = html.find("<body>\n");
    if (body != std::string::npos) html.erase(0, body + 7);
    EXPECT_EQ(PageWords(html), row.pages);
    if (row.elements < 0) {
      EXPECT_EQ(f.xmlFile.find(element), std::string::npos);
    } else {
      EXPECT_EQ(Count(f.xmlFile, std::string("<") + channelElement + ">"), row.elements);
      EXPECT_EQ(Count(f.xmlFile, std::string("<") + element + ">"), 1);
      EXPECT_EQ(FirstChannelBranches(f.xmlFile, channelElement), row.branches);
    }
  }
}

}  // namespace

TEST(Xr9Terrestrial, RfSignalsPages) {
  CheckPages(WriteRfSignalsSection, "SENALESRF", "SENALRFD",
             {{"40 channels", Grid(40, 3), Branches({1}), 18, "C0-C17 +C18-C35 +C36-C39 obs", 40, ""},
              {"20 channels", Grid(20, 3), Branches({1}), 18, "C0-C17 +C18-C19 obs", 20, ""},
              {"page size 0 is 18", Grid(20, 3), Branches({1}), 0, "C0-C17 +C18-C19 obs", 20, ""},
              {"a page without TYPE", Grid(20, 3, {}, {18, 19}), Branches({1}), 18, "C0-C17 +- obs", 18, ""},
              {"no output point", Grid(20, 3), {{2, -1}}, 18, "ERROR ERROR obs", -1, ""},
              {"no channels", Grid(0, 3), Branches({1}), 18, "", 0, ""}});
  // The error pages are that text alone.
  Ter t(Grid(3, 3), {{3, -1}});
  const TReportFiles f = t.Run(WriteRfSignalsSection);
  EXPECT_EQ(f.htmlFile.substr(f.htmlFile.find("<body>\n") + 7), "\nERROR!!\n<br><b>RF-ESP notes</b>\n"
                                                                "<br>Roof &amp; mast &lt;ok&gt;\n<br>Se\xF1" "al ]]&gt; fin\n");
  EXPECT_EQ(f.xmlFile, "");
}

TEST(Xr9Terrestrial, UserSignalsAPages) {
  CheckPages(WriteUserSignalsASection, "SENALESUSUARIOA", "SENALAD",
             {{"30 channels by 6 branches", Grid(30, 3), Branches({1, 2, 3, 4, 5, 6}), 18,
               "C0-C17/1 +C0-C17/5 +C18-C29/1 +C18-C29/5 obs", 30, "1 2 3 4 5 6"},
              {"branches 1 and 2", Grid(3, 3), Branches({1, 2}), 18, "C0-C2/1 obs", 3, "1 2"},
              {"five branches", Grid(3, 3), Branches({1, 2, 3, 4, 5}), 18, "C0-C2/1 +C0-C2/5 obs", 3, "1 2 3 4 5"},
              {"branches 1 and 7 in two groups", Grid(3, 3), Branches({1, 7}), 18, "C0-C2/1 +C0-C2/5 obs", 3, "1 7"},
              {"a best point only", Grid(3, 3), Branches({1}, false), 18, "C0-C2/1 obs", 3, "1"},
              {"analogue channels", Grid(3, 0, {0, 1, 2}), Branches({1}), 18, "C0-C2/1 obs", 0, ""},
              {"no best or worst point", Grid(3, 3), {{2, -1}, {3, -1}}, 18, "", -1, ""}});
  // Branch 7's values reach the HTML: best (TP4) and worst (TP5) in its column of the second group.
  Ter t(Grid(2, 3), Branches({1, 7}));
  const TReportFiles f = t.Run(WriteUserSignalsASection);
  const std::string second = f.htmlFile.substr(f.htmlFile.find(kPageBreak));
  EXPECT_EQ(Count(second, "</td><td></td><td></td><td> 50.4</td><td></td><td></td><td></td><td> 50.5</td><td></td></tr>\n"), 2);
  EXPECT_EQ(Count(second, "<tr><td align=\"center\">5</td><td align=\"center\">6</td><td align=\"center\">7</td>"
                          "<td align=\"center\">8</td><td align=\"center\">5</td>"), 1);
  // No question and no bytes without points.
  Ter none(Grid(2, 3), {{2, -1}});
  const TReportFiles g = none.Run(WriteUserSignalsASection);
  EXPECT_TRUE(none.prompts.empty());
  EXPECT_EQ(g.htmlFile + g.xmlFile, "");
}

TEST(Xr9Terrestrial, BerTerrestrialPages) {
  CheckPages(WriteBerTerSection, "BER_TERRENAL", "SENALBER",
             {{"50 DVB channels by six branches", Grid(50, 6), Branches({1, 2, 3, 4, 5, 6}), 40,
               "C0-C39/1 +C0-C39/5 +C40-C49/1 +C40-C49/5 obs", 50, "1 2 3 4 5 6"},
              {"10 DVB channels among 60", Grid(60, 6, [] { std::vector<int> a; for (int c = 0; c < 60; ++c) if (c % 6) a.push_back(c); return a; }()),
               Branches({1}), 40, "C0-C54/1 obs", 10, "1"},
              {"130 DVB channels", Grid(130, 6), Branches({2}), 40, "C0-C39/1 +C40-C79/1 +C80-C119/1 +C120-C129/1 obs", 130, "2"},
              {"page size 0 is 40", Grid(50, 6), Branches({1}), 0, "C0-C39/1 +C40-C49/1 obs", 50, "1"},
              {"worst in branches 1 and 7", Grid(3, 6), Branches({1, 7}), 40, "C0-C2/1 +C0-C2/5 obs", 3, "1 7"},
              {"thirteen branches", Grid(2, 6), Branches(Numbers(13)), 40, "C0-C1/1 +C0-C1/5 +C0-C1/9 +C0-C1/13 obs", 2,
               "1 2 3 4 5 6 7 8 9 10 11 12 13"},
              {"best points only", Grid(3, 6), Branches({1, 2}, false), 40, "", 3, ""},
              {"no DVB channel", Grid(3, 6, {0, 1, 2}), Branches({1}), 40, "", 0, ""},
              {"no points", Grid(3, 6), {{2, -1}, {3, -1}}, 40, "", -1, ""}});
}

TEST(Xr9Terrestrial, BerTerrestrialCellsAndElements) {
  // A DVB-T channel at 474000 kHz with worst points in branches 1 and 3, an analogue channel.
  img::DataLog d = Grid(2, 6, {1});
  d.testPoints[3].values[0] = img::BerValue(0xC0, 0, 0);
  d.testPoints[5].values[0] = img::BerValue(0, 23, -4);
  Ter t(d, Branches({1, 3}));
  const TReportFiles f = t.Run(WriteBerTerSection);
  EXPECT_EQ(f.xmlFile.substr(0, f.xmlFile.find("<OBSERVACIONES>")),
            "<BER_TERRENAL>\n<SENALBER><FRECUENCIA>474.00</FRECUENCIA><RAMALES><RAMAL><VALOR_PEOR1><![CDATA[!!]]>"
            "</VALOR_PEOR1><NOMBRE_PEOR>1</NOMBRE_PEOR></RAMAL><RAMAL><VALOR_PEOR1><![CDATA[ 2.3E-4]]></VALOR_PEOR1>"
            "<NOMBRE_PEOR>3</NOMBRE_PEOR></RAMAL>\n</RAMALES>\n</SENALBER>");
  EXPECT_NE(f.htmlFile.find("<tr><td><p align=\"center\">474.00</p></td><td>!!</td><td></td><td> 2.3E-4</td><td></td></tr>\n"
                            "</table>\n"),
            std::string::npos);
  // Thirteen branches: the last group's headings 13 to 16, the columns of 14 to 16 empty.
  img::DataLog thirteen = Grid(1, 6);
  thirteen.testPoints[27].values[0] = img::BerValue(0, 15, -6);  // the worst point of branch 13
  Ter u(thirteen, Branches(Numbers(13)));
  const TReportFiles g = u.Run(WriteBerTerSection);
  const std::string last = g.htmlFile.substr(g.htmlFile.rfind(kPageBreak));
  EXPECT_NE(last.find("<td align=\"center\">BER-ESP h213</td><td align=\"center\">BER-ESP h214</td>"
                      "<td align=\"center\">BER-ESP h215</td><td align=\"center\">BER-ESP h216</td></tr>"),
            std::string::npos);
  EXPECT_NE(last.find("</p></td><td> 1.5E-6</td><td></td><td></td><td></td></tr>\n"), std::string::npos);
  // Best points only: a RAMALES without RAMAL per channel; no HTML at all.
  Ter b(Grid(2, 6), Branches({1}, false));
  const TReportFiles h = b.Run(WriteBerTerSection);
  EXPECT_EQ(Count(h.xmlFile, "<RAMALES>\n</RAMALES>\n</SENALBER>"), 2);
  EXPECT_EQ(h.htmlFile, "");
  // Missing keys: the first group's headings read "??11" to "??14".
  const std::string noini = ReadAll(xr9test::GoldenPath("reports/berter_noini.htm"));
  EXPECT_TRUE(StartsWith(noini, "??13??14??15<table ??" ">\n<tr><td>??1</td><td align=\"center\">??11</td>"
                                "<td align=\"center\">??12</td><td align=\"center\">??13</td>"
                                "<td align=\"center\">??14</td></tr>"));
  // Kind 4: the Catalan section, its UPD prompt and first prologue, the plain other keys.
  const std::string k4 = ReadAll(xr9test::GoldenPath("reports/berter_k4.htm"));
  EXPECT_TRUE(StartsWith(k4, "<p>BER-CAT UPD prologue 1</p><p>BER-CAT prologue 2</p><p>BER-CAT prologue 3</p>"
                             "<table border=1 cellpadding=2 width=\"100%\">\n<tr><td>BER-CAT h1</td>"));
}

TEST(Xr9Terrestrial, SectionsWriteNothingWithoutFilesOrForASlotOutOfRange) {
  for (const SectionCase& sc : kSections) {
    SCOPED_TRACE(sc.prefix);
    Ter t(TerPlan(), kTerRoles);
    TReportFiles noXml;
    sc.write(t.ctl, t.slot, &noXml);
    sc.write(t.ctl, t.slot, nullptr);
    EXPECT_EQ(noXml.htmlFile, "");
    EXPECT_TRUE(t.prompts.empty());
    EXPECT_TRUE(t.memo.empty());
    t.slot = 200;
    const TReportFiles f = t.Run(sc.write);
    EXPECT_EQ(f.htmlFile + f.xmlFile, "");
    EXPECT_EQ(t.memo, std::vector<std::string>{"DataLogger index out of bounds"});
    EXPECT_TRUE(t.prompts.empty());
  }
  // The inner writers guard themselves the same way.
  Ter t(TerPlan(), kTerRoles);
  BranchTable best, worst;
  best.fill(0);
  worst.fill(1);
  const std::vector<int> list = {2};
  std::string out;
  WriteRfSignalsXml(t.ctl, 200, &out);
  WriteRfSignalsHtmlPage(t.ctl, 200, &out, 0);
  WriteUserSignalsAXml(t.ctl, 200, &out, worst, best);
  WriteUserSignalsAHtmlPage(t.ctl, 200, &out, worst, best, 0, 0);
  WriteBerTerXml(t.ctl, 200, &out, &list, &worst);
  WriteBerTerHtmlPage(t.ctl, 200, &out, 0, &list, 0, &worst);
  EXPECT_EQ(out, "");
  EXPECT_EQ(t.memo.size(), 6u);
  WriteBerTerXml(t.ctl, t.slot, &out, nullptr, &worst);
  WriteBerTerHtmlPage(t.ctl, t.slot, &out, 0, &list, 0, nullptr);
  WriteRfSignalsXml(t.ctl, t.slot, nullptr);
  EXPECT_EQ(out, "");
}
