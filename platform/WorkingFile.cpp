#include "WorkingFile.h"

#include <fcntl.h>
#include <cerrno>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <memory>

namespace cv {

namespace {

// Made at the first refusal, gone with the program (each plug-in holds its own, which is fine:
// a working file is written and read by the same tool).
const QTemporaryDir* PrivateFolder() {
  static std::unique_ptr<QTemporaryDir> folder;
  if (!folder || !folder->isValid()) folder = std::make_unique<QTemporaryDir>(QDir::tempPath() + "/CvTools-XXXXXX");
  return folder->isValid() ? folder.get() : nullptr;
}

}  // namespace

std::string WorkingFilePath(const std::string& name) {
  // Told without leaving a file that was not there: a tool may stop before it writes.
  int fd = ::open(name.c_str(), O_WRONLY | O_CLOEXEC);
  if (fd >= 0) {
    ::close(fd);
    return name;
  }
  if (errno == ENOENT) {
    fd = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0) {
      ::close(fd);
      ::unlink(name.c_str());
      return name;
    }
  }
  const QTemporaryDir* folder = PrivateFolder();
  if (!folder) return name;  // the write that follows tells the failure
  const QByteArray path = QFile::encodeName(folder->path()) + "/";
  return path.toStdString() + name;
}

}  // namespace cv
