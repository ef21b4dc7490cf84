#pragma once
// A whole certificate from a data-logger file: the file decoded into the dialog's rules with its
// test points' roles, an INI text, a fake measurement sheet, an observations question that types
// two lines, and the report kind generated into files by the report dispatch.
#include <QFile>
#include <QString>
#include <QStringList>
#include <string>
#include <utility>
#include <vector>

#include "CertificateFrame.h"
#include "DataLoggerCtl.h"
#include "HostForm.h"
#include "OutsideTools.h"
#include "RecordingOpener.h"
#include "ReportDispatch.h"
#include "StartDir.h"
#include "Xr9DlFixture.h"
#include "Xr9Equip.h"
#include "Xr9SheetFakes.h"
#include "Xr9TestFiles.h"

namespace xr9test {

using Role = std::pair<int, int>;  // pointType, branch (0-based)

// A satellite file: DVB-S channels above and below the LNB oscillator, a DVB-S2, two ANALOG and a
// DSS, every channel measuring POWER, VBER, LEVEL and REF.; point t at channel i gives POWER
// 600+10t+i, VBER (10+t)/10 E-(3+i%4), LEVEL 500+10t+i and REF. 700+10t+i (tenths of dBuV).
inline img::DataLog SatCertLog() {
  struct C { uint32_t type, khz; uint8_t lnb; uint32_t osc; };
  const C chans[] = {{2, 11954000, 1, 9750000}, {7, 11000000, 0, 0}, {3, 11200000, 1, 9750000},
                     {4, 11300000, 0, 0},       {2, 10000000, 2, 10600000}, {3, 11400000, 0, 0}};
  img::DataLog d;
  d.planName = "ASTRA";
  d.plan.type = 5;
  const std::vector<uint8_t> codes = {3, 6, 0, 10};  // POWER, VBER, LEVEL, REF.
  int i = 0;
  for (const C& c : chans) {
    d.plan.channels.push_back(DlChan("S" + std::to_string(i++), c.khz, {{2, c.type}}));
    d.channels.push_back({codes, c.lnb, c.osc});
  }
  for (int t = 0; t < 6; ++t) {
    img::DlTestPoint tp{"SAT" + std::to_string(t), 1, {}};
    for (int c = 0; c < i; ++c) {
      tp.values.push_back(img::MeasValue(0, 600 + 10 * t + c));
      tp.values.push_back(img::BerValue(0, uint8_t(10 + t), -3 - c % 4));
      tp.values.push_back(img::MeasValue(0, 500 + 10 * t + c));
      tp.values.push_back(img::MeasValue(0, 700 + 10 * t + c));
    }
    d.testPoints.push_back(tp);
  }
  return d;
}

// Head-end input and output, then the best and worst points of branches 1 and 2.
inline const std::vector<Role>& SatCertRoles() {
  static const std::vector<Role> roles = {{2, -1}, {3, -1}, {0, 0}, {1, 0}, {0, 1}, {1, 1}};
  return roles;
}

inline std::string ReadText(const std::string& path) {
  const auto bytes = ReadBytes(path);
  return std::string(bytes.begin(), bytes.end());
}

// The column counts of an HTML file's tables in order, one entry for a run of tables of the same
// count; "mixed" for a table whose rows differ.
inline std::string TableRuns(const QString& html) {
  QStringList runs;
  for (const auto& [table, rows] : outside::TableColumns(html)) {
    QString n = rows.empty() ? "none" : QString::number(rows.front());
    for (int r : rows)
      if (r != rows.front()) n = "mixed";
    if (runs.isEmpty() || runs.last() != n) runs << n;
  }
  return runs.join(' ').toStdString();
}

// What one report gave: the texts and the paths of the files GenerateReport wrote.
struct CertOutput {
  std::string html, xml;
  QString htmlPath, xmlPath, pdfPath;
  std::vector<std::string> prompts, errors;
};

struct CertRun {
  StartDir dir;  // the observations file and the report files
  std::vector<std::string> memo, prompts;
  HostForm host;
  cv::xr9::TXR9Equip equip{&host.form, nullptr};
  cv::xr9::DataLoggerCtl ctl{equip, [this](const std::string& l) { memo.push_back(l); }};
  FakeSheet sheet;
  RecordingOpener opener;  // the finished PDF is opened in the user's viewer
  int slot = -1;

  CertRun(const std::vector<uint8_t>& image, const std::vector<Role>& roles, const std::string& ini) {
    slot = ctl.store.DecodeDataLogFile(image.data(), image.size(), "CERT.DL");
    EXPECT_GE(slot, 0);
    if (slot < 0) return;
    auto& points = *ctl.store.File(slot).testPoints;
    EXPECT_LE(roles.size(), points.size());
    for (size_t i = 0; i < roles.size() && i < points.size(); ++i) {
      points[i].pointType = roles[i].first;
      points[i].branch = roles[i].second;
    }
    ctl.ini.Parse(ini);
    ctl.sheet = &sheet;
    ctl.observationsQuestion = [this](const std::string& prompt) {
      prompts.push_back(prompt);
      QFile f(QString::fromStdString(cv::xr9::ObservationsPath(ctl)));
      EXPECT_TRUE(f.open(QIODevice::WriteOnly));
      f.write("Roof & mast <ok>\r\nSe\xF1" "al ]]> fin\r\n");
      return true;
    };
  }

  // The report of `kind` with the sheet's IF SAT test box as given, saved as `name`.htm/.xml/.pdf.
  CertOutput Generate(int kind, bool ifSatBox, const QString& name) {
    sheet.ifSat = ifSatBox;
    prompts.clear();
    cv::xr9::TReportFiles files = cv::xr9::ReportFileNames(dir.Path(name + ".pdf"));
    CertOutput out;
    out.errors = cv::xr9::GenerateReport(ctl, slot, files, kind).errors;
    out.html = ReadText(files.htmlPath);
    out.xml = ReadText(files.xmlPath);
    out.htmlPath = QString::fromStdString(files.htmlPath);
    out.xmlPath = QString::fromStdString(files.xmlPath);
    out.pdfPath = QString::fromStdString(files.pdfPath);
    out.prompts = prompts;
    return out;
  }
};

}  // namespace xr9test
