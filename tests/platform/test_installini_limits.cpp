// The build's install step for the user's CvTools.INI under the file-size limits of the save
// table: the file is written whole, or the step fails and leaves what was there.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <fstream>

#include "SaveLimits.h"

namespace {

// A shipped file past the largest limit but one, so each side of the write buffer is cut.
std::string ShippedText() {
  std::string text = "; shipped\r\n[Ports]\r\nCOM1=\r\n\r\n[Spectrum]\r\n";
  for (int i = 0; i < 200; ++i) text += "Key" + std::to_string(i) + "=" + std::string(60, 'v') + "\r\n";
  return text;
}

}  // namespace

TEST(InstallIniLimits, AFreshInstallIsWholeOrNothing) {
  QTemporaryDir dir;
  const QString shipped = dir.filePath("shipped.INI"), user = dir.filePath("CvTools.INI");
  const std::string text = ShippedText();
  std::ofstream(shipped.toStdString(), std::ios::binary) << text;
  for (rlim_t limit : {rlim_t{1}, rlim_t{4096}, rlim_t{12000}, rlim_t{20000}}) {
    SCOPED_TRACE(limit);
    QFile::remove(user);
    int status = 0;
    {
      // The step's process inherits the limit.
      cvtest::FileSizeLimit fence(limit);
      status = QProcess::execute(CV_INSTALL_INI, {shipped, user});
    }
    if (text.size() <= limit) {
      EXPECT_EQ(status, 0);
      EXPECT_EQ(cvtest::FileBytes(user.toStdString()), text);
    } else {
      EXPECT_EQ(status, 1);
      EXPECT_FALSE(QFile::exists(user));
    }
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files, QDir::Name),
              text.size() <= limit ? QStringList({"CvTools.INI", "shipped.INI"}) : QStringList({"shipped.INI"}));
  }
}

TEST(InstallIniLimits, AMergeIntoTheUsersFileIsWholeOrTheOldFileStays) {
  QTemporaryDir dir;
  const QString shipped = dir.filePath("shipped.INI"), user = dir.filePath("CvTools.INI");
  std::ofstream(shipped.toStdString(), std::ios::binary) << ShippedText();
  // The user's file is there from the start, so every run merges rather than copies; it holds what
  // the table puts back before each run, so each run makes the same file.
  std::ofstream(user.toStdString(), std::ios::binary) << "the old file, which a failed save must leave alone\n";
  cvtest::ExpectWholeOrOldFile(user.toStdString(), [&] { return QProcess::execute(CV_INSTALL_INI, {shipped, user}) == 0; });
}
