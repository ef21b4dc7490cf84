// The report's files under file-size limits: the HTML and XML files saved under every limit of
// the save table are whole, or their old content stays; the sheets' report command leaves no file
// of its own behind a failure.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <fstream>

#include "AppServices.h"
#include "FileDialogs.h"
#include "SheetCommands.h"

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

// The sheets' report command under a file-size limit: the probes make empty files where none
// stood, and a report that then fails takes away those no save filled; files that stood before
// are left with their own contents, or the new report's where they were saved whole before a
// later file failed.
TEST(Xr9ReportSaveLimits, AFailedReportLeavesNoFileItMadeAndKeepsEarlierOnes) {
  cv::RecordingPrompter prompter;
  const std::string ini = xr9test::ReadText(Data("terr_sections.ini")) + xr9test::ReadText(Data("cert_sat_sections.ini"));
  xr9test::CertRun run(cvsim::xr9img::DataLogFile(xr9test::SatCertLog()), xr9test::SatCertRoles(), ini);
  const QStringList names = {"cert.htm", "cert.pdf", "cert.xml"};
  auto path = [&](const QString& name) { return run.dir.filePath(name).toStdString(); };
  auto report = [&] {
    cv::RecordingFileChooser chooser;
    chooser.saveAnswers = {run.dir.filePath("cert.pdf")};
    prompter.shown.clear();
    return RunSheetReport(nullptr, run.ctl, run.slot, 0, true, QString());
  };
  ASSERT_TRUE(report()) << "the report fails without a limit";
  std::vector<size_t> whole;
  for (const QString& n : names) whole.push_back(cvtest::FileBytes(path(n)).size());
  ASSERT_GT(whole[1], std::max(whole[0], whole[2])) << "the PDF is the largest file";
  const std::string old = "an earlier report, which a failed one must leave alone\n";
  struct Limit {
    const char* name;
    rlim_t bytes;
    bool textsWritten;  // the HTML and XML files fit, the PDF does not
  } limits[] = {{"every file too large", 64, false},
                {"only the PDF too large", rlim_t(std::max(whole[0], whole[2]) + 1), true}};
  for (const Limit& limit : limits) {
    for (bool earlier : {false, true}) {
      SCOPED_TRACE(std::string(limit.name) + (earlier ? ", earlier files" : ", no earlier file"));
      for (const QString& n : names) {
        QFile::remove(run.dir.filePath(n));
        if (earlier) std::ofstream(path(n), std::ios::binary) << old;
      }
      bool made = true;
      {
        cvtest::FileSizeLimit fence(limit.bytes);
        made = report();
      }
      EXPECT_FALSE(made);
      ASSERT_FALSE(prompter.shown.empty());
      EXPECT_EQ(prompter.shown.back().caption, "Error");
      EXPECT_TRUE(prompter.shown.back().text.startsWith("The report was not generated:")) << prompter.shown.back().text.toStdString();
      for (size_t i = 0; i < size_t(names.size()); ++i) {
        SCOPED_TRACE(names[int(i)].toStdString());
        const bool saved = limit.textsWritten && i != 1;
        if (saved) {
          EXPECT_EQ(cvtest::FileBytes(path(names[int(i)])).size(), whole[i]);
        } else if (earlier) {
          EXPECT_EQ(cvtest::FileBytes(path(names[int(i)])), old);
        } else {
          EXPECT_FALSE(QFile::exists(run.dir.filePath(names[int(i)])));
        }
      }
      const QStringList left = QDir(run.dir.filePath(".")).entryList({"cert.*"}, QDir::Files | QDir::Hidden);
      EXPECT_EQ(left.size(), earlier ? 3 : limit.textsWritten ? 2 : 0) << left.join(", ").toStdString();
    }
  }
}
