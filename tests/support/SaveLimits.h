#pragma once
// A save run under file-size limits below, at and above the toolkit's write buffer: under each it
// either writes the whole file and says so, or says it failed and leaves the old file
// byte-identical, with no temporary file of it left beside the target. `save` runs the program's own save path
// onto `path` and returns whether it reported success. Dates and times a file holds are blanked
// before whole files are compared, so a save that straddles a minute still matches; a format that
// stamps each file its own way (a PDF's creation time and identifier) is compared by size.
#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>
#include <fstream>
#include <functional>
#include <regex>
#include <sstream>
#include <string>

#include "FileSizeLimit.h"

namespace cvtest {

inline std::string FileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

inline void ExpectWholeOrOldFile(const std::string& path, const std::function<bool()>& save,
                                 bool sameBytes = true) {
  auto masked = [](const std::string& s) {
    static const std::regex stamp(R"(\d{1,4}[/:.-]\d{1,2}([/:.-]\d{1,4})?)");
    return std::regex_replace(s, stamp, "#");
  };
  ASSERT_TRUE(save()) << "the save fails without a limit";
  const std::string first = FileBytes(path);
  const std::string whole = masked(first);
  const std::string old = "the old file, which a failed save must leave alone\n";
  const QFileInfo target(QString::fromStdString(path));
  // A temporary file of the save is named after its target.
  auto leftBeside = [&] {
    return target.absoluteDir().entryList({target.fileName() + "?*"}, QDir::Files | QDir::Hidden);
  };
  for (rlim_t limit : {rlim_t{1}, rlim_t{4096}, rlim_t{12000}, rlim_t{20000}}) {
    SCOPED_TRACE("file-size limit " + std::to_string(limit) + ", file of " + std::to_string(first.size()));
    std::ofstream(path, std::ios::binary | std::ios::trunc) << old;
    bool saved = false;
    {
      FileSizeLimit fence(limit);
      saved = save();
    }
    const std::string now = FileBytes(path);
    if (first.size() <= limit) {
      EXPECT_TRUE(saved);
      if (sameBytes) EXPECT_EQ(masked(now), whole);
      else EXPECT_EQ(now.size(), first.size());
    } else {
      EXPECT_FALSE(saved) << "a failed save reported as saved";
      EXPECT_EQ(now, old);
    }
    EXPECT_EQ(leftBeside(), QStringList()) << "a file was left beside the target";
  }
}

}  // namespace cvtest
