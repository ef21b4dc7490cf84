// The SKY certificate: golden HTML files of a terrestrial and a satellite file side by side
// (flats, blocks, satellite bands, marked values, information texts, escaping, INI keys), the
// offsets printed and taken away again, the error table, and every golden through Chromium's
// DOM (25 columns a row) and our PDF layer (one landscape page).
#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "CertificateSections.h"
#include "OutsideTools.h"
#include "RecordingOpener.h"
#include "ReportDispatch.h"
#include "SkyLimits.h"
#include "SkyReport.h"
#include "SkySheetFake.h"
#include "Xr9DlFixture.h"
#include "Xr9TestFiles.h"

using namespace cv::xr9;
namespace img = cvsim::xr9img;
using xr9test::Count;
using xr9test::ReportGolden;
using xr9test::DlChan;

namespace {

constexpr uint8_t kAnalog = 3, kDvbT = 0, kDvbS = 2, kDvbS2 = 7;

constexpr const char* kStyles =
    "[DLReportSKYTER]\n"
    "tdStyle=td { font-family: Arial, Helvetica, sans-serif; font-size: 6pt }\n"
    "tdFreq=td.freq { font-size: 5pt; text-align: center }\n"
    "tableStyle=table { border-collapse: collapse }\n"
    "cellBG1=td.shadowBG1 { background-color: #b0c4de; font-weight: bold }\n"
    "cellBG2=td.shadowBG2 { background-color: #e8e8e8 }\n"
    "cellEmphas=td.shadowEmphas { background-color: yellow; color: red; font-weight: bold }\n"
    "tableAtt=border=\"1\" cellspacing=\"0\" cellpadding=\"1\" width=\"100%\"\n";

constexpr const char* kTexts =
    "Title=SKY DIGITAL INSTALLATION CERTIFICATE\n"
    "Header1=Analogue TX\nHeader2=Channel 5 TX\nHeader3=Digital TX\nHeader4=FM TX\nHeader5=DAB TX\n"
    "Header6=Sat One\nHeader9=Sat Two\nHeader7=Project engineer\nHeader8=Site address\nHeader10=Radio\n"
    "tableHead1=SIGNAL LEVELS\ntableHead2=TERRESTRIAL\ntableHead3=RADIO\ntableHead4=DIGITAL\n"
    "tableHead5=BAND ONE\ntableHead6=BAND TWO\ntableHead7=Service\ntableHead8=Frequency\n"
    "tableHead9=Channel\ntableHead11=OFF AIR\ntableHead12=LAUNCH\ntableHead13=Level\ntableHead14=C/N\n"
    "tableHead15=BER\ntableHead16=OUTLETS\ntableHead17=Flat\n"
    "tableService1=A1\ntableService2=A2\ntableService3=A3\ntableService4=A4\ntableService5=A5\n"
    "tableService6=FM\ntableService7=DAB\ntableService8=Mux 1\ntableService9=Mux 2\ntableService10=Mux A\n"
    "tableService11=Mux B\ntableService12=Mux C\ntableService13=Mux D\ntableService14=LOW BAND\n"
    "Tail1=All outlets measured\nTail2=Values marked lie outside their window\nTail3=Date\n"
    "Tail4=Engineer\nTail5=For\nTail6=Signed\n";

// Values by code, channel and test point, so every cell of a golden tells where it came from.
uint32_t ValueOf(uint8_t code, int ch, int tp, bool sat) {
  switch (code) {
    case MeasLevel: return img::MeasValue(0, 600 + 20 * ch + 7 * tp);
    case MeasPower: return img::MeasValue(0, sat ? 560 + 30 * ch + tp : 500 + 30 * ch + 7 * tp);
    case MeasCnAuto: return img::MeasValue(0, 250 + 10 * ch + tp);
    default: return img::BerValue(0, uint8_t(10 + ch), -4 - tp);
  }
}

void FillValues(img::DataLog& d, bool sat) {
  for (size_t tp = 0; tp < d.testPoints.size(); ++tp)
    for (size_t ch = 0; ch < d.channels.size(); ++ch)
      for (uint8_t code : d.channels[ch].codes) d.testPoints[tp].values.push_back(ValueOf(code, int(ch), int(tp), sat));
}

// Terrestrial: A1 and A2 analogue, FM and DAB, an analogue channel on Mux 1, Mux 2, a name with
// markup on Mux A, and a channel without service; Off Air, Launch and `flats` flats.
img::DataLog TerFile(int flats) {
  img::DataLog d;
  d.plan.type = 7;
  const std::pair<const char*, uint8_t> chans[] = {{"BBC1", kAnalog}, {"ITV", kAnalog}, {"FM", kDvbT},
                                                   {"DAB", kDvbT},    {"CH5", kAnalog}, {"PSB2", kDvbT},
                                                   {"A&B<C", kDvbT},  {"COM5", kDvbT}};
  uint32_t khz = 175250;
  for (const auto& [name, type] : chans) {
    d.plan.channels.push_back(DlChan(name, khz, {{2, type}}));
    d.channels.push_back({type == kAnalog ? std::vector<uint8_t>{MeasLevel, MeasCnAuto}
                                          : std::vector<uint8_t>{MeasPower, MeasCnAuto, MeasVber}});
    khz += 8000;
  }
  d.testPoints = {{"OA", 1, {}}, {"LN", 1, {}}};
  for (int i = 0; i < flats; ++i) d.testPoints.push_back({std::to_string(101 + i), 1, {}});
  FillValues(d, false);
  return d;
}

// Satellite: six DVB channels on band 1 (one without TYPE), two on band 3; Off Air, Launch and
// `flats` flats. `band3` false leaves band 1 alone.
img::DataLog SatFile(int flats, bool band3 = true) {
  img::DataLog d;
  d.plan.type = 5;
  struct C { const char* name; uint8_t type; uint8_t mode; };
  const C chans[] = {{"S1", kDvbS, 1}, {"S2", kDvbS2, 3}, {"S3", kDvbS, 1}, {"S4", 255, 1}, {"S5", kDvbS, 1},
                     {"S6", kDvbS2, 1}, {"S7", kDvbS, 1}, {"S8", kDvbS, 3}};
  uint32_t khz = 10744000;
  for (const C& c : chans) {
    const uint8_t mode = band3 ? c.mode : 1;
    d.plan.channels.push_back(DlChan(c.name, khz, c.type == 255 ? std::vector<img::Attr>{} : std::vector<img::Attr>{{2, c.type}}));
    d.channels.push_back({{MeasPower, MeasCnAuto, MeasVber}, mode, mode == 1 ? 9750000u : 10600000u});
    khz += 20000;
  }
  d.testPoints = {{"SOA", 1, {}}, {"SLN", 1, {}}};
  for (int i = 0; i < flats; ++i) d.testPoints.push_back({"S" + std::to_string(201 + i), 1, {}});
  FillValues(d, true);
  return d;
}

struct Sky : xr9test::SkyFixture {
  int questions = 0;

  Sky(const img::DataLog* t, const img::DataLog* s, const std::string& iniText = std::string(kStyles) + kTexts +
                                                                               "tableService15=HIGH BAND\n") {
    ctl.ini.Parse(iniText);
    ctl.skyInformationQuestion = [this] { ++questions; };
    if (t) ter = Load(*t, "TER.DL");
    if (s) sat = Load(*s, "SAT.DL");
    sheet.terSlot = ter;
    sheet.satSlot = sat;
    sheet.services = {{{ter, 0}, 1}, {{ter, 1}, 2}, {{ter, 2}, 6}, {{ter, 3}, 7},
                      {{ter, 4}, 8}, {{ter, 5}, 9}, {{ter, 6}, 10}};
    const std::string texts[] = {"Crystal Palace", "Mendip & <Wenvoe>", "Sandy Heath", "Wrotham", "Croydon",
                                 "28.2E", "", "J. Smith",
                                 "Flat 4, Harbour View Court, 221 Long Quay Road, Bristol",
                                 "10/12/2026", "A. Jones", "Sky UK"};
    for (int n = 1; n <= 12; ++n) sheet.SetInfoText(n, texts[n - 1]);
    for (int slot : {ter, sat}) {
      if (slot < 0) continue;
      auto& tps = *ctl.store.File(slot).testPoints;
      sheet.Rows(slot, int(tps.size()));
      for (size_t i = 0; i < tps.size(); ++i) tps[i].pointType = i == 0 ? 1 : i == 1 ? 2 : 0;
    }
  }
  // The marks of every value, as the sheet sets them when it shows a file.
  void MarkAll() {
    for (int slot : {ter, sat}) {
      if (slot < 0) continue;
      auto& chans = ctl.store.File(slot).channels;
      for (size_t c = 0; c < chans.size(); ++c)
        for (auto& m : chans[c].values) m.mark = MeetsSkyThreshold(ctl, slot, int(c), &m) ? 0 : 1;
    }
  }
  // The certificate through the report dispatch (kind 3): HTML saved, PDF made.
  std::string Certificate(const QTemporaryDir& dir) {
    MarkAll();
    TReportFiles files;
    files.htmlPath = dir.filePath("sky.htm").toStdString();
    files.pdfPath = dir.filePath("sky.pdf").toStdString();
    RecordingOpener opener;
    const ReportOutcome out = GenerateReport(ctl, ter, files, 3);
    EXPECT_TRUE(out.Ok()) << (out.errors.empty() ? "" : out.errors[0]);
    EXPECT_EQ(files.landscape, 1);
    return files.htmlFile;
  }
};

// The golden in Chromium (25 columns in every one of its `rows` rows) and as our landscape PDF of
// one page holding `texts`.
void CheckOutside(const std::string& name, int rows, const std::vector<QString>& texts) {
  const QString html = QString::fromStdString(xr9test::GoldenPath("reports/" + name));
  int seen = 0;
  EXPECT_TRUE(outside::EveryRowSpans(html, 25, &seen)) << name;
  EXPECT_EQ(seen, rows) << name;
  QTemporaryDir dir;
  TReportFiles files;
  files.htmlPath = html.toStdString();
  files.pdfPath = dir.filePath("g.pdf").toStdString();
  files.landscape = 1;
  RecordingOpener opener;
  EXPECT_TRUE(ConvertHtmlToPdf(files).empty()) << name;
  const QString pdf = QString::fromStdString(files.pdfPath);
  EXPECT_EQ(outside::PdfPages(pdf), 1) << name;
  EXPECT_EQ(outside::PdfPageSize(pdf), "842 x 595") << name;  // A4 across
  const QString text = outside::PdfText(pdf);
  for (const QString& t : texts) EXPECT_TRUE(text.contains(t)) << name << ": " << t.toStdString();
  EXPECT_GT(outside::PdfYellowPixels(pdf, dir.filePath("page")), 10) << name;  // marked values stand out
}

// 29 rows: 9 above the blocks, 6 in them, the flat heading, 10 flats, 3 below.
constexpr int kRows = 29;

}  // namespace

TEST(Xr9SkyReport, TerrestrialAndSatelliteFlatsShareRows) {
  const img::DataLog t = TerFile(3), s = SatFile(5);
  Sky sky(&t, &s);
  QTemporaryDir dir;
  const std::string html = ReportGolden("sky_shared_flats.htm", sky.Certificate(dir));
  EXPECT_EQ(sky.questions, 1);
  // The head with its six style lines, the table, the tail.
  EXPECT_NE(html.find("<!--\ntd { font-family"), std::string::npos);
  EXPECT_NE(html.find("td.shadowEmphas { background-color: yellow; color: red; font-weight: bold }\n-->"),
            std::string::npos);
  EXPECT_TRUE(html.ends_with("</tr>\n</table>\n</body>\n</html>"));
  EXPECT_EQ(Count(html, "<tr"), kRows);
  // Flats: rows 2 to 4 of both files (terrestrial numbers), then the satellite's rows 5 and 6
  // (no terrestrial test point there: no number), then five empty labelled rows.
  for (const char* number : {">Flat&nbsp;101</td>", ">Flat&nbsp;102</td>", ">Flat&nbsp;103</td>"})
    EXPECT_EQ(Count(html, number), 1) << number;
  EXPECT_EQ(Count(html, ">Flat&nbsp;&nbsp;</td>"), 7);
  std::string empty23;
  for (int i = 0; i < 23; ++i) empty23 += "<td>&nbsp;</td>";
  EXPECT_EQ(Count(html, ">Flat&nbsp;&nbsp;</td>" + empty23 + "</tr>"), 5);
  // Off Air: BBC1's level of exactly 60.0 is marked; ITV's 62.0 is not.
  EXPECT_NE(html.find("<td class=\"shadowEmphas\">&nbsp; 60.0</td><td>&nbsp; 62.0</td>"), std::string::npos);
  // Satellite bands from the oscillators; the sixth channel of band 1 is left out.
  EXPECT_NE(html.find("<td class=\"shadowBG1\" colspan=\"5\">9750</td><td class=\"shadowBG1\" colspan=\"5\">10600</td>"),
            std::string::npos);
  EXPECT_EQ(html.find(">      S7<"), std::string::npos);
  // S8 at the band-3 Off Air power of 77.0 is marked; S4 without TYPE stays empty.
  EXPECT_NE(html.find("<td class=\"shadowEmphas\">&nbsp; 77.0</td><td>&nbsp;</td>"), std::string::npos);
  // The analogue channel assigned to Mux 1 gives empty cells in every block row.
  EXPECT_NE(html.find("<td class=\"shadowBG2\">     CH5</td>"), std::string::npos);
  EXPECT_EQ(Count(html, "&nbsp; 59.0</td><td>&nbsp;</td><td class=\"shadowEmphas\">&nbsp; 65.0</td>"), 1);
  EXPECT_EQ(Count(html, "</td><td>&nbsp;</td><td class=\"shadowEmphas\">&nbsp; 6"), 2 + 3);  // Off Air, Launch, flats
  // Escaped data texts, the 40 characters of a longer text, INI texts as read.
  EXPECT_NE(html.find(">   A&amp;B&lt;C<"), std::string::npos);
  EXPECT_NE(html.find("&nbsp;Mendip &amp; &lt;Wenvoe&gt;</p>"), std::string::npos);
  EXPECT_NE(html.find("&nbsp;Flat 4, Harbour View Court, 221 Long Qua</p>"), std::string::npos);
  EXPECT_EQ(html.find("Long Quay"), std::string::npos);  // the 41st character on
  // The loaded files are back at their received values.
  Sky fresh(&t, &s);
  EXPECT_EQ(sky.Values(sky.ter), fresh.Values(fresh.ter));
  EXPECT_EQ(sky.Values(sky.sat), fresh.Values(fresh.sat));
  // The satellite box: the satellite file's numbers on the rows both files share, and on its own.
  sky.sheet.flatSource = 5;
  std::string sat;
  WriteSkyCertificate(sky.ctl, sky.ter, sky.sat, &sat);
  for (const char* number : {">Flat&nbsp;S201</td>", ">Flat&nbsp;S205</td>"}) EXPECT_EQ(Count(sat, number), 1) << number;
  EXPECT_EQ(sat.find("Flat&nbsp;101"), std::string::npos);
  // The satellite file alone: its numbers whatever the box, empty service columns.
  sky.sheet.flatSource = 7;
  sat.clear();
  WriteSkyCertificate(sky.ctl, -1, sky.sat, &sat);
  EXPECT_EQ(Count(sat, ">Flat&nbsp;S20"), 5);
  std::string empty13;
  for (int i = 0; i < 13; ++i) empty13 += "<td>&nbsp;</td>";
  EXPECT_EQ(Count(sat, "</td>" + empty13 + "<td>&nbsp; 5"), 2 + 5);  // power rows of both blocks, five flats
  CheckOutside("sky_shared_flats.htm", kRows,
               {"SKY DIGITAL INSTALLATION CERTIFICATE", "OFF AIR", "LAUNCH", "9750", "10600", "60.0", "77.0"});
}

// The same installation measured with Off Air in dBmV, Launch in dBm and the flats in dBuV: the
// certificate prints every level in dBuV and judges it there, so it is the all-dBuV certificate
// to the byte (BBC1's Off Air 60.0 marked, ITV's 62.0 not, S8's 77.0 marked).
TEST(Xr9SkyReport, MixedUnitsFileJudgedAndPrintedInDbuv) {
  auto inUnits = [](img::DataLog d) {
    const std::pair<uint8_t, int> units[] = {{2, -600}, {3, -1088}};  // Off Air, Launch
    for (size_t tp = 0; tp < 2; ++tp) {
      d.testPoints[tp].units = units[tp].first;
      size_t at = 0;
      for (const auto& ch : d.channels)
        for (uint8_t code : ch.codes) {
          uint32_t& v = d.testPoints[tp].values[at++];
          if (code != MeasLevel && code != MeasPower) continue;
          v = img::MeasValue(0, int16_t(uint16_t(v >> 8)) + units[tp].second);
        }
    }
    return d;
  };
  const img::DataLog t = TerFile(3), s = SatFile(2);
  const img::DataLog tm = inUnits(t), sm = inUnits(s);
  QTemporaryDir dir;
  Sky plain(&t, &s), mixed(&tm, &sm);
  const std::string want = plain.Certificate(dir);
  const std::string html = ReportGolden("sky_mixed_units.htm", mixed.Certificate(dir));
  EXPECT_EQ(html, want);
  EXPECT_NE(html.find("<td class=\"shadowEmphas\">&nbsp; 60.0</td><td>&nbsp; 62.0</td>"), std::string::npos);
  EXPECT_NE(html.find("<td class=\"shadowEmphas\">&nbsp; 77.0</td><td>&nbsp;</td>"), std::string::npos);
  // The sheet's marks agree with the certificate's.
  for (int slot : {mixed.ter, mixed.sat}) {
    const auto& a = mixed.ctl.store.File(slot).channels;
    const auto& b = plain.ctl.store.File(slot == mixed.ter ? plain.ter : plain.sat).channels;
    for (size_t c = 0; c < a.size(); ++c)
      for (size_t m = 0; m < a[c].values.size(); ++m) EXPECT_EQ(a[c].values[m].mark, b[c].values[m].mark) << c << " " << m;
  }
}

TEST(Xr9SkyReport, TwelveTerrestrialFlatsGiveTheFirstTen) {
  const img::DataLog t = TerFile(12), s = SatFile(12);
  Sky sky(&t, &s);
  // Satellite flats on rows past the terrestrial ones are not added: the list is full.
  QTemporaryDir dir;
  const std::string html = ReportGolden("sky_ter12flats.htm", sky.Certificate(dir));
  for (int n = 101; n <= 110; ++n) EXPECT_EQ(Count(html, ">Flat&nbsp;" + std::to_string(n) + "</td>"), 1) << n;
  EXPECT_EQ(html.find("Flat&nbsp;111"), std::string::npos);
  EXPECT_EQ(html.find("Flat&nbsp;&nbsp;"), std::string::npos);
  CheckOutside("sky_ter12flats.htm", kRows, {"110", "OUTLETS"});
}

TEST(Xr9SkyReport, TerrestrialFileAloneTakesTheBandHeadingsFromTheIni) {
  const img::DataLog t = TerFile(3);
  // No tableService15: the second band heading falls back to tableService14.
  Sky sky(&t, nullptr, std::string(kStyles) + kTexts);
  sky.sheet.flatSource = 5;  // the satellite box: no satellite file, the terrestrial numbers
  QTemporaryDir dir;
  const std::string html = ReportGolden("sky_ter_alone.htm", sky.Certificate(dir));
  EXPECT_EQ(Count(html, "<td class=\"shadowBG1\" colspan=\"5\">LOW BAND</td>"), 2);
  EXPECT_EQ(Count(html, "<td class=\"freq\">&nbsp;</td>"), 13 - 7 + 10);
  EXPECT_EQ(Count(html, ">Flat&nbsp;101</td>"), 1);
  std::string emptySat;
  for (int i = 0; i < 10; ++i) emptySat += "<td>&nbsp;</td>";
  EXPECT_EQ(Count(html, emptySat + "</tr>"), 6 + 10);
  CheckOutside("sky_ter_alone.htm", kRows, {"LOW BAND", "60.0"});
}

TEST(Xr9SkyReport, SatelliteOnBandOneOnlyAndAnEmptyIniText) {
  const img::DataLog t = TerFile(3), s = SatFile(3, false);
  Sky sky(&t, &s, std::string(kStyles) + kTexts + "tableService15=\n");
  QTemporaryDir dir;
  const std::string html = ReportGolden("sky_lnb1_only.htm", sky.Certificate(dir));
  // Band 1 from its oscillator; band 2 has no channel: its INI text, present and empty.
  EXPECT_NE(html.find("<td class=\"shadowBG1\" colspan=\"5\">9750</td><td class=\"shadowBG1\" colspan=\"5\"></td></tr>"),
            std::string::npos);
  std::string emptyBand;
  for (int i = 0; i < 5; ++i) emptyBand += "<td>&nbsp;</td>";
  EXPECT_NE(html.find("<td class=\"freq\">&nbsp;</td><td class=\"freq\">&nbsp;</td><td class=\"freq\">&nbsp;</td>"
                      "<td class=\"freq\">&nbsp;</td><td class=\"freq\">&nbsp;</td></tr>"),
            std::string::npos);
  EXPECT_EQ(Count(html, emptyBand + "</tr>"), 6 + 10);
  CheckOutside("sky_lnb1_only.htm", kRows, {"9750", "LAUNCH"});
}

TEST(Xr9SkyReport, OffsetsArePrintedAndComeOffAgain) {
  const img::DataLog t = TerFile(3), s = SatFile(3);
  Sky sky(&t, &s);
  sky.MarkAll();
  const std::vector<uint32_t> ter = sky.Values(sky.ter), sat = sky.Values(sky.sat);
  sky.sheet.offAirTer = 30;
  sky.sheet.launchTer = 30;
  sky.sheet.offAirSat = 30;
  sky.sheet.launchSat = 30;
  QTemporaryDir dir;
  const std::string html = ReportGolden("sky_offsets.htm", sky.Certificate(dir));
  // Off Air: BBC1 63.0 and ITV 65.0 in place of 60.0 and 62.0, unmarked; S1's power 56.0 -> 59.0.
  EXPECT_NE(html.find("<td>&nbsp; 63.0</td><td>&nbsp; 65.0</td>"), std::string::npos);
  EXPECT_NE(html.find("<td>&nbsp; 59.0</td>"), std::string::npos);
  // Launch (test point 1): BBC1 60.7 -> 63.7. Flats unchanged: 101 is test point 2, 61.4.
  EXPECT_NE(html.find("<td>&nbsp; 63.7</td>"), std::string::npos);
  EXPECT_NE(html.find("Flat&nbsp;101</td><td>&nbsp; 61.4</td>"), std::string::npos);
  EXPECT_EQ(sky.Values(sky.ter), ter);
  EXPECT_EQ(sky.Values(sky.sat), sat);
  CheckOutside("sky_offsets.htm", kRows, {"63.0", "59.0"});

  // An Off Air offset of 0.1 dB lifts the level of exactly 60.0 out of its mark.
  Sky tenth(&t, &s);
  tenth.sheet.offAirTer = 1;
  std::string out;
  tenth.MarkAll();
  WriteSkyReport(tenth.ctl, tenth.ter, tenth.sat, &out);
  EXPECT_NE(out.find("<td>&nbsp; 60.1</td><td>&nbsp; 62.1</td>"), std::string::npos);
  EXPECT_EQ(out.find("&nbsp; 60.0<"), std::string::npos);
}

TEST(Xr9SkyReport, ErrorTableMissingSheetAndSlotsOutOfRange) {
  const img::DataLog t = TerFile(3), s = SatFile(3);
  Sky sky(&t, &s);
  const std::vector<uint32_t> ter = sky.Values(sky.ter);
  sky.sheet.offAirTer = 30;
  // A chosen file without plan: the head and the table tag, then the error; offsets still removed.
  sky.ctl.store.File(sky.sat).plan.reset();
  std::string out;
  WriteSkyCertificate(sky.ctl, sky.ter, sky.sat, &out);
  EXPECT_EQ(out.substr(out.find("<table")),
            "<table border=\"1\" cellspacing=\"0\" cellpadding=\"1\" width=\"100%\">\n\nERROR!!\n");
  EXPECT_EQ(sky.Values(sky.ter), ter);
  // No file or no sheet: nothing, no line; a slot of 200: the line and nothing.
  sky.memo.clear();
  WriteSkyCertificate(sky.ctl, sky.ter, -1, nullptr);
  out.clear();
  sky.ctl.skySheet = nullptr;
  WriteSkyReport(sky.ctl, sky.ter, -1, &out);
  EXPECT_EQ(out, "</body>\n</html>");
  sky.ctl.skySheet = &sky.sheet;
  out.clear();
  WriteSkyCertificate(sky.ctl, 200, -1, &out);
  EXPECT_EQ(out, "");
  EXPECT_EQ(sky.memo, (std::vector<std::string>{"DataLogger index out of bounds"}));
  EXPECT_EQ(sky.questions, 1);
  // An INI file without the section: every placeholder.
  Sky bare(&t, nullptr, "[Other]\nx=1\n");
  out.clear();
  WriteSkyCertificate(bare.ctl, bare.ter, -1, &out);
  EXPECT_NE(out.find("<!--\nDefault Style\n40\n??\n??\n??\n??\n-->"), std::string::npos);
  for (const char* p : {">??32<", ">??18<", ">??33<", ">??34<", ">??1<", ">??17&nbsp;", ">??52<", ">??53<",
                        ">??54<", ">??31<", "<table ?\?>"})
    EXPECT_NE(out.find(p), std::string::npos) << p;
}

// The SKY certificate with the INI file a new installation gets: every caption is a text.
TEST(Xr9SkyReport, ShippedIniLeavesNoPlaceholder) {
  QFile shipped(QStringLiteral(CV_TEST_DATA_DIR "/../../resources/bin/CvTools.INI"));
  ASSERT_TRUE(shipped.open(QIODevice::ReadOnly));
  const img::DataLog t = TerFile(3), s = SatFile(2);
  Sky sky(&t, &s, shipped.readAll().toStdString());
  QTemporaryDir dir;
  const std::string html = sky.Certificate(dir);
  EXPECT_EQ(html.find("??"), std::string::npos) << html;
  for (const char* text : {"SKY INSTALLATION CERTIFICATE", "Off Air", "Launch", "Mux D", "Signature"})
    EXPECT_NE(html.find(text), std::string::npos) << text;
  const QString pdf = outside::PdfText(dir.filePath("sky.pdf"));
  EXPECT_TRUE(pdf.contains("SKY INSTALLATION CERTIFICATE")) << pdf.toStdString();
  EXPECT_FALSE(pdf.contains("??")) << pdf.toStdString();
}

namespace {

// The table's right border on the first page drawn by pdftoppm: the rightmost long vertical line
// runs down the whole table and nothing of the table (a cell's shade) lies beyond it, as it would
// when the border were cut off at the clip.
bool RightBorderDrawn(const QString& pdf, const QString& png, std::string* why) {
  outside::Run("pdftoppm", {"-r", "100", "-png", "-singlefile", "-f", "1", "-l", "1", pdf, png});
  const QImage page(png + ".png");
  if (page.isNull()) return *why = "no picture", false;
  auto dark = [&](int x, int y) { return qGray(page.pixel(x, y)) < 150; };  // lines, not the shades
  int right = -1, top = page.height(), bottom = -1;
  for (int x = page.width() - 1; x >= 0 && right < 0; --x) {
    int n = 0;
    for (int y = 0; y < page.height(); ++y) n += dark(x, y);
    if (n > 100) right = x;
  }
  if (right < 0) return *why = "no vertical line", false;
  int drawn = 0;
  for (int y = 0; y < page.height(); ++y)
    if (dark(right, y)) top = std::min(top, y), bottom = std::max(bottom, y), ++drawn;
  int ink = -1;
  for (int y = top; y <= bottom; ++y)
    for (int x = page.width() - 1; x > ink; --x)
      if (qGray(page.pixel(x, y)) < 250) ink = x;
  *why = "right border at " + std::to_string(right) + " over " + std::to_string(drawn) + " of rows " +
         std::to_string(top) + ".." + std::to_string(bottom) + ", ink up to " + std::to_string(ink) + " of " +
         std::to_string(page.width());
  return drawn * 10 >= (bottom - top + 1) * 9 && ink <= right + 1 && right < page.width() - 1;
}

}  // namespace

// At every font size of the style the whole table, its right border too, is inside the page.
TEST(Xr9SkyReport, RightBorderInsideThePdfAtEveryFontSize) {
  const img::DataLog t = TerFile(3), s = SatFile(2);
  QTemporaryDir dir;
  for (int pt = 4; pt <= 12; ++pt) {
    SCOPED_TRACE(pt);
    std::string styles = kStyles;
    const std::string from = "font-size: 6pt", to = "font-size: " + std::to_string(pt) + "pt";
    styles.replace(styles.find(from), from.size(), to);
    Sky sky(&t, &s, styles + kTexts);
    sky.Certificate(dir);
    std::string why;
    EXPECT_TRUE(RightBorderDrawn(dir.filePath("sky.pdf"), dir.filePath("page"), &why)) << why;
  }
}
