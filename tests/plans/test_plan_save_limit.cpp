// A plan file save that the disk refuses halfway reports it and leaves the old file whole.
#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "FileSizeLimit.h"
#include "PlanFormat.h"

TEST(PlanSave, RefusedWriteKeepsTheOldFile) {
  QTemporaryDir dir;
  const QString path = dir.filePath("plans.pro");
  ASSERT_TRUE(cv::plan::WriteWholeFile(path.toStdString(), "old\n"));
  bool saved;
  {
    FileSizeLimit limit(1024);
    ASSERT_TRUE(limit.ok());
    saved = cv::plan::WriteWholeFile(path.toStdString(), std::string(5000, 'x'));
  }
  EXPECT_FALSE(saved);
  QFile f(path);
  ASSERT_TRUE(f.open(QIODevice::ReadOnly));
  EXPECT_EQ(f.readAll().toStdString(), "old\n");
}
