// The report's HTML and XML files saved under every file-size limit of the save table: each
// file is whole, or its old content stays.
#include <gtest/gtest.h>

#include <QFileInfo>

#include "SaveLimits.h"
#include "Xr9CertFixture.h"

using namespace cv::xr9;

namespace {

std::string Data(const std::string& name) { return xr9test::GoldenPath("reports/" + name); }

// True when the report's errors name no failure of `path`'s file.
bool Written(const ReportOutcome& out, const std::string& path) {
  const std::string name = QFileInfo(QString::fromStdString(path)).fileName().toStdString();
  for (const std::string& e : out.errors)
    if (e.find(name) != std::string::npos) return false;
  return true;
}

}  // namespace

TEST(Xr9ReportSaveLimits, HtmlAndXmlFilesAreWholeOrOld) {
  const std::string ini = xr9test::ReadText(Data("terr_sections.ini")) + xr9test::ReadText(Data("cert_sat_sections.ini"));
  xr9test::CertRun run(cvsim::xr9img::DataLogFile(xr9test::SatCertLog()), xr9test::SatCertRoles(), ini);
  const TReportFiles names = ReportFileNames(run.dir.Path("cert.pdf"));
  // The conversion to PDF has a table of its own; here it is left out.
  auto generate = [&](const std::string& which) {
    TReportFiles files = names;
    const ReportOutcome out = GenerateReport(run.ctl, run.slot, files, 0, [](const std::function<void()>&) {});
    return Written(out, which);
  };
  {
    SCOPED_TRACE("HTML");
    cvtest::ExpectWholeOrOldFile(names.htmlPath, [&] { return generate(names.htmlPath); });
  }
  {
    SCOPED_TRACE("XML");
    cvtest::ExpectWholeOrOldFile(names.xmlPath, [&] { return generate(names.xmlPath); });
  }
}
