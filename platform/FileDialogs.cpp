#include "FileDialogs.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QPrintDialog>
#include <QPrinter>
#include <QVariant>

namespace cv {

namespace {

// A dialog of ours rather than the desktop's, so every tool shows the same one; its filters match
// names without regard to case ("*.PRO" shows x.pro).
void Prepare(QFileDialog& dlg, const QString& dir) {
  dlg.setOption(QFileDialog::DontUseNativeDialog, true);
  dlg.setDirectory(dir.isEmpty() ? QDir::currentPath() : dir);
  dlg.setFilter(dlg.filter() & ~QDir::CaseSensitive);
}

void Prepare(QFileDialog& dlg, const FileDialogRequest& r) {
  Prepare(dlg, r.initialDir);
  dlg.setWindowTitle(r.caption);
  QStringList filters = QtNameFilters(r.filter);
  if (!filters.isEmpty()) {
    dlg.setNameFilters(filters);
    if (r.filterIndex >= 1 && r.filterIndex <= filters.size()) dlg.selectNameFilter(filters[r.filterIndex - 1]);
  }
  dlg.setDefaultSuffix(r.defaultExt);
  if (!r.fileName.isEmpty()) dlg.selectFile(r.fileName);
}

class RealFileChooser : public FileChooser {
 public:
  QStringList OpenFiles(QWidget* parent, const FileDialogRequest& r) override {
    QFileDialog dlg(parent);
    dlg.setObjectName("OpenDlg");
    Prepare(dlg, r);
    dlg.setAcceptMode(QFileDialog::AcceptOpen);
    dlg.setFileMode(r.multiSelect ? QFileDialog::ExistingFiles : QFileDialog::ExistingFile);
    if (dlg.exec() != QDialog::Accepted) return {};
    return dlg.selectedFiles();
  }
  QString SaveFile(QWidget* parent, const FileDialogRequest& r) override {
    QFileDialog dlg(parent);
    dlg.setObjectName("SaveDlg");
    Prepare(dlg, r);
    dlg.setAcceptMode(QFileDialog::AcceptSave);
    dlg.setFileMode(QFileDialog::AnyFile);
    dlg.setOption(QFileDialog::DontConfirmOverwrite, !r.overwritePrompt);
    if (dlg.exec() != QDialog::Accepted || dlg.selectedFiles().isEmpty()) return {};
    return dlg.selectedFiles().first();
  }
  QString Folder(QWidget* parent, const QString& caption, const QString& initialDir) override {
    QFileDialog dlg(parent);
    dlg.setObjectName("FolderDlg");
    Prepare(dlg, initialDir);
    dlg.setWindowTitle(caption);
    dlg.setFileMode(QFileDialog::Directory);
    dlg.setOption(QFileDialog::ShowDirsOnly, true);
    if (dlg.exec() != QDialog::Accepted || dlg.selectedFiles().isEmpty()) return {};
    return dlg.selectedFiles().first();
  }
};

const char* const kChooserProperty = "cvFileChooser";

void MoveToFolderOf(const QString& file) {
  if (!file.isEmpty()) QDir::setCurrent(QFileInfo(file).absolutePath());
}

}  // namespace

QStringList QtNameFilters(const QString& windowsFilter) {
  if (windowsFilter.isEmpty()) return {};
  QStringList parts = windowsFilter.split('|');
  if (parts.size() == 1) return parts;
  QStringList filters;
  for (int i = 0; i + 1 < parts.size(); i += 2) {
    QStringList patterns = parts[i + 1].split(';', Qt::SkipEmptyParts);
    for (QString& p : patterns) p = p.trimmed();
    // A label that shows its patterns ("PRO files (*.PRO)") keeps its words; the patterns are the
    // pattern half's.
    QString label = parts[i].trimmed();
    if (label.endsWith(')') && label.contains('(')) label = label.left(label.lastIndexOf('(')).trimmed();
    filters << label + " (" + patterns.join(' ') + ")";
  }
  return filters;
}

FileChooser& CurrentFileChooser() {
  static RealFileChooser real;
  if (QCoreApplication* app = QCoreApplication::instance()) {
    auto p = app->property(kChooserProperty).value<quintptr>();
    if (p) return *reinterpret_cast<FileChooser*>(p);
  }
  return real;
}

void SetFileChooser(FileChooser* chooser) {
  if (QCoreApplication* app = QCoreApplication::instance())
    app->setProperty(kChooserProperty, QVariant::fromValue(reinterpret_cast<quintptr>(chooser)));
}

QString WithDefaultExtension(const QString& path, const QString& defaultExt) {
  if (path.isEmpty() || defaultExt.isEmpty() || !QFileInfo(path).suffix().isEmpty()) return path;
  if (path.endsWith('.')) return path + defaultExt;
  return path + '.' + defaultExt;
}

QStringList OpenFilesDialog(QWidget* parent, FileDialogRequest request) {
  request.multiSelect = true;
  QStringList files = CurrentFileChooser().OpenFiles(parent, request);
  if (!files.isEmpty()) MoveToFolderOf(files.first());
  return files;
}

QString OpenFileDialog(QWidget* parent, const FileDialogRequest& request) {
  QStringList files = CurrentFileChooser().OpenFiles(parent, request);
  if (files.isEmpty()) return {};
  MoveToFolderOf(files.first());
  return files.first();
}

QString SaveFileDialog(QWidget* parent, const FileDialogRequest& request) {
  QString file = WithDefaultExtension(CurrentFileChooser().SaveFile(parent, request), request.defaultExt);
  MoveToFolderOf(file);
  return file;
}

QString FolderDialog(QWidget* parent, const QString& caption, const QString& initialDir) {
  QString folder = CurrentFileChooser().Folder(parent, caption, initialDir);
  if (!folder.isEmpty()) QDir::setCurrent(folder);
  return folder;
}

QString RunSaveDialog(QWidget* parent, const QStringList& filters, const QString& suffix) {
  QFileDialog dlg(parent);
  dlg.setObjectName("SaveDlg");
  dlg.setAcceptMode(QFileDialog::AcceptSave);
  dlg.setDirectory(QDir::currentPath());
  dlg.setDefaultSuffix(suffix);
  dlg.setNameFilters(filters);
  dlg.setFileMode(QFileDialog::AnyFile);
  if (dlg.exec() != QDialog::Accepted || dlg.selectedFiles().isEmpty()) return QString();
  return dlg.selectedFiles().first();
}

bool RunPrintDialog(QPrinter& printer, QWidget* parent) {
  QPrintDialog dlg(&printer, parent);
  dlg.setObjectName("PrinterDlg");
  return dlg.exec() == QDialog::Accepted;
}

RecordingFileChooser::RecordingFileChooser() { SetFileChooser(this); }

RecordingFileChooser::~RecordingFileChooser() {
  if (&CurrentFileChooser() == this) SetFileChooser(nullptr);
}

QStringList RecordingFileChooser::OpenFiles(QWidget*, const FileDialogRequest& request) {
  opens << request;
  return openAnswers.isEmpty() ? QStringList() : openAnswers.takeFirst();
}

QString RecordingFileChooser::SaveFile(QWidget*, const FileDialogRequest& request) {
  saves << request;
  return saveAnswers.isEmpty() ? QString() : saveAnswers.takeFirst();
}

QString RecordingFileChooser::Folder(QWidget*, const QString& caption, const QString&) {
  folderCaptions << caption;
  return folderAnswers.isEmpty() ? QString() : folderAnswers.takeFirst();
}

}  // namespace cv
