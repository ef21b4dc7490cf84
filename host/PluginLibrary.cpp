#include "PluginLibrary.h"

#include <QDir>
#include <QFileInfo>

std::string TPluginLibrary::FindLibraryFile(const std::string& dir, const std::string& name) {
  QString stem = QString::fromLocal8Bit(name.c_str()).trimmed();
  if (stem.endsWith(".dll", Qt::CaseInsensitive) || stem.endsWith(LibrarySuffix(), Qt::CaseInsensitive))
    stem = QFileInfo(stem).completeBaseName();
  // A configured name is a bare library name, never a path.
  if (stem.isEmpty() || stem.contains('/')) return {};
  QString wanted = stem + LibrarySuffix();
  QDir d(QString::fromLocal8Bit(dir.c_str()));
  const QStringList files = d.entryList(QDir::Files | QDir::Readable, QDir::Name);
  // An exact match wins over one that differs only in case.
  if (files.contains(wanted)) return d.absoluteFilePath(wanted).toLocal8Bit().toStdString();
  for (const QString& f : files)
    if (f.compare(wanted, Qt::CaseInsensitive) == 0) return d.absoluteFilePath(f).toLocal8Bit().toStdString();
  return {};
}

TPluginLibrary::LoadResult TPluginLibrary::Load(const std::string& dir, const std::string& name,
                                                std::string& error) {
  Unload();
  error.clear();
  path = FindLibraryFile(dir, name);
  if (path.empty()) return LoadResult::NotFound;
  if (!library.Open(path, error)) return LoadResult::NotFound;
  runMain = reinterpret_cast<RunCvsMainFn>(library.Symbol("_RunCvsMain"));
  freeEquip = reinterpret_cast<FreeEquipFn>(library.Symbol("_FreeEquip"));
  return runMain ? LoadResult::Loaded : LoadResult::NoEntry;
}

void TPluginLibrary::Unload() {
  library.Close();
  runMain = nullptr;
  freeEquip = nullptr;
  path.clear();
}
