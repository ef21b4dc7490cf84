#pragma once
// The host program started from a directory of its own, with its own INI file and registry
// store there and a fast timer. For tests that link cvhost.
#include "IniFile.h"
#include "Mainform.h"
#include "Registry.h"
#include "StartDir.h"

class HostHome : public StartDir {
 public:
  explicit HostHome(const QString& registryFile = "registry.ini") {
    cv::SetHostIniPath(Path("CvTools.INI"));
    cv::SetRegistryFile(Path(registryFile));
    TMainForm::SetTimerIntervalForTests(1);
  }
  ~HostHome() {
    cv::SetHostIniPath("");
    cv::SetRegistryFile("");
  }
};
