#pragma once
// A tool printing to a file (the print dialog's PDF printer) where the file cannot be written:
// under a file-size limit over an earlier whole PDF, and in a folder that takes no file (a target
// whose folder is a plain file, which refuses root as well as anyone). Each time the earlier file
// stays byte for byte, nothing is left beside it, and exactly one box names the file.
// `print` runs the tool's own print path onto the file; `takeBoxes` gives the texts of the boxes
// shown since it was last asked.
#include <gtest/gtest.h>

#include <QDir>
#include <QStringList>
#include <functional>

#include "FileSizeLimit.h"
#include "SaveLimits.h"

namespace cvtest {

inline void ExpectFailedPrintsToFileKeepTheOldFile(const QString& folder, const std::function<void(const QString&)>& print,
                                                   const std::function<QStringList()>& takeBoxes) {
  const QString earlier = folder + "/earlier.pdf";
  print(earlier);
  const std::string whole = FileBytes(earlier.toStdString());
  ASSERT_EQ(whole.substr(0, 5), "%PDF-");
  ASSERT_EQ(takeBoxes(), QStringList()) << "printing without a limit failed";
  auto expectedBox = [](const QString& file) {
    return QStringList{"Couldn't print to file " + file + ": an earlier file of that name is left as it was"};
  };
  {
    SCOPED_TRACE("file-size limit below the file");
    {
      FileSizeLimit limit(whole.size() / 2);
      print(earlier);
    }
    EXPECT_EQ(FileBytes(earlier.toStdString()), whole) << "the earlier PDF was replaced";
    EXPECT_EQ(takeBoxes(), expectedBox(earlier));
    EXPECT_EQ(QDir(folder).entryList(QDir::Files), QStringList{"earlier.pdf"}) << "a file was left beside it";
  }
  {
    SCOPED_TRACE("a folder that takes no file");
    const QString notAFolder = folder + "/notes.txt";
    {
      QFile f(notAFolder);
      ASSERT_TRUE(f.open(QIODevice::WriteOnly));
      f.write("notes\n");
    }
    const QString target = notAFolder + "/out.pdf";
    print(target);
    EXPECT_EQ(takeBoxes(), expectedBox(target));
    EXPECT_EQ(FileBytes(notAFolder.toStdString()), "notes\n");
  }
}

}  // namespace cvtest
