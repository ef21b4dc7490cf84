// A spectrum logger file that the disk refuses halfway is reported and leaves the old file whole.
#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "FileSizeLimit.h"
#include "TSpectrumLogFile.h"

TEST(SpectrumLogFileSave, RefusedWriteKeepsTheOldFile) {
  QTemporaryDir dir;
  const QString path = dir.filePath("logger.csv");
  {
    QFile old(path);
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("old\n");
  }
  TSpectrumLogFile file;
  for (int i = 0; i < 60; ++i) file.frequencies.push_back(470.0f + i);
  file.levels.assign(20, std::vector<float>(60, 55.5f));
  file.snapTimes.assign(20, "12:00");
  file.rows = 20;
  // Past the limit, yet within the file's write buffer: the refusal shows only at the flush.
  ASSERT_GT(file.Text().size(), 4096u);
  ASSERT_LT(file.Text().size(), 16000u);
  std::string error;
  TSpectrumLogFile::Result result;
  {
    FileSizeLimit limit(4096);
    ASSERT_TRUE(limit.ok());
    result = file.Save(path.toStdString(), error);
  }
  EXPECT_EQ(result, TSpectrumLogFile::Result::NotWritten);
  QFile f(path);
  ASSERT_TRUE(f.open(QIODevice::ReadOnly));
  EXPECT_EQ(f.readAll().toStdString(), "old\n");
}
