#pragma once
// A working directory that takes no new file, as a folder on a write-protected stick: while it
// lives, the current directory is a folder of `parent` that this process cannot create files in.
// An ordinary user gets a read-only folder; root writes into any folder, so for root the folder is
// removed while it is the working directory (a stick pulled out), which refuses every new file.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QString>

namespace cvtest {

class RefusingWorkDir {
 public:
  explicit RefusingWorkDir(const QString& parent) : old_(QDir::currentPath()), path_(parent + "/stick") {
    QDir().mkpath(path_);
    QDir::setCurrent(path_);
    if (geteuid() != 0)
      ::chmod(path_.toLocal8Bit().constData(), 0555);
    else
      QDir().rmdir(path_);
  }
  ~RefusingWorkDir() {
    ::chmod(path_.toLocal8Bit().constData(), 0755);
    QDir::setCurrent(old_);
  }
  RefusingWorkDir(const RefusingWorkDir&) = delete;
  RefusingWorkDir& operator=(const RefusingWorkDir&) = delete;

  // Whether a file can be made there now (a test's own check of its set-up).
  static bool TakesFiles() {
    const int fd = ::open("probe", O_WRONLY | O_CREAT | O_EXCL, 0600);
    if (fd < 0) return false;
    ::close(fd);
    ::unlink("probe");
    return true;
  }

 private:
  QString old_, path_;
};

}  // namespace cvtest
