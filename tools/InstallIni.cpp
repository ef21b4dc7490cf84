// cvinstallini SHIPPED TARGET: what the build does with the program's INI file. A missing TARGET
// gets a copy of SHIPPED; an existing one keeps every value its user set and only gains the
// sections and keys SHIPPED has and it lacks. Exit status 1, with TARGET untouched, on failure.
#include <QFile>
#include <cstdio>

#include "AtomicFile.h"
#include "IniFile.h"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: cvinstallini SHIPPED TARGET\n");
    return 2;
  }
  cv::IniFile shipped(argv[1]);
  if (!shipped.Exists() || shipped.LoadFailed()) {
    std::fprintf(stderr, "cvinstallini: cannot read %s\n", argv[1]);
    return 1;
  }
  cv::IniFile target(argv[2]);
  if (target.LoadFailed()) {
    std::fprintf(stderr, "cvinstallini: cannot read %s; left as it is\n", argv[2]);
    return 1;
  }
  if (!target.Exists()) {
    QFile in(QString::fromLocal8Bit(argv[1]));
    std::string why = "cannot be read";
    if (in.open(QIODevice::ReadOnly) &&
        cv::WriteFileAtomically(argv[2], in.readAll().toStdString(), &why) == cv::SaveResult::Saved)
      return 0;
    std::fprintf(stderr, "cvinstallini: cannot write %s: %s\n", argv[2], why.c_str());
    return 1;
  }
  if (target.AddMissingFrom(shipped) > 0 && !target.Save()) {
    std::fprintf(stderr, "cvinstallini: cannot write %s; left as it was\n", argv[2]);
    return 1;
  }
  return 0;
}
