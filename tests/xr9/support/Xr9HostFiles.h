#pragma once
// The host INI file and the registry of a test of its own, in a folder of the test's: the program
// reads `iniText` as its CvTools.INI until ForgetHostFiles.
#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "IniFile.h"
#include "Registry.h"

namespace xr9test {

inline void UseHostFiles(const QTemporaryDir& dir, const char* iniText) {
  ASSERT_TRUE(dir.isValid());
  cv::SetRegistryFile(dir.filePath("registry.ini").toStdString());
  const QString ini = dir.filePath("CvTools.INI");
  QFile f(ini);
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  f.write(iniText);
  f.close();
  cv::SetHostIniPath(ini.toStdString());
}

inline void ForgetHostFiles() {
  cv::SetRegistryFile("");
  cv::SetHostIniPath("");
}

}  // namespace xr9test
