#pragma once
// A temporary directory that is the current one for a test's lifetime: the programs look for
// their INI files, logs and plug-ins in the directory they start from.
#include <QDir>
#include <QString>
#include <QTemporaryDir>
#include <string>

class StartDir {
 public:
  StartDir() : old(QDir::currentPath()) { QDir::setCurrent(dir.path()); }
  ~StartDir() { QDir::setCurrent(old); }
  StartDir(const StartDir&) = delete;
  StartDir& operator=(const StartDir&) = delete;

  bool isValid() const { return dir.isValid(); }
  QString path() const { return dir.path(); }
  QString filePath(const QString& name) const { return dir.filePath(name); }
  std::string Path(const QString& name) const { return dir.filePath(name).toStdString(); }

 private:
  QTemporaryDir dir;
  QString old;
};
