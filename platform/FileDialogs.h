#pragma once
// The tools' file, folder and print dialogs, shown modally over `parent`.
//
// Every open, save and folder dialog goes through the chooser in force (CurrentFileChooser), which
// a test replaces. The helpers below call it and, when a file or folder was chosen with OK, make
// its folder the process's working directory, as the tools' forms expect of their dialogs.
#include <QString>
#include <QStringList>

class QPrinter;
class QWidget;

namespace cv {

// A Windows filter string "CAN files (*.CAN)|*.CAN|CSV files (*.csv)|*.csv" as Qt name filters
// ("CAN files (*.CAN)", "CSV files (*.csv)"): one per label and pattern pair, the patterns taken
// from the pattern half (several joined by ';' become several). A string without '|' is already
// one Qt filter.
QStringList QtNameFilters(const QString& windowsFilter);

struct FileDialogRequest {
  QString caption;
  QString filter;          // Windows filter string (see QtNameFilters)
  int filterIndex = 1;     // the filter shown first, counted from 1
  QString defaultExt;      // without the dot; given to a name typed without extension
  QString initialDir;      // empty: the working directory
  QString fileName;        // name proposed in the name field
  bool overwritePrompt = false;  // save: ask before replacing an existing file
  bool multiSelect = false;      // open: several files may be chosen
};

// The dialogs themselves. Each returns empty when the person cancelled.
class FileChooser {
 public:
  virtual ~FileChooser() = default;
  virtual QStringList OpenFiles(QWidget* parent, const FileDialogRequest& request) = 0;
  virtual QString SaveFile(QWidget* parent, const FileDialogRequest& request) = 0;
  // A folder chooser in which a new folder can be made.
  virtual QString Folder(QWidget* parent, const QString& caption, const QString& initialDir) = 0;
};

// The chooser in force: the one set by SetFileChooser, else real dialogs.
FileChooser& CurrentFileChooser();
void SetFileChooser(FileChooser* chooser);  // nullptr restores the real dialogs

// The dialogs through the chooser in force; the chosen file's (or folder's) folder becomes the
// working directory. OpenFile gives the first file chosen.
QString OpenFileDialog(QWidget* parent, const FileDialogRequest& request);
QStringList OpenFilesDialog(QWidget* parent, FileDialogRequest request);
QString SaveFileDialog(QWidget* parent, const FileDialogRequest& request);
QString FolderDialog(QWidget* parent, const QString& caption, const QString& initialDir = QString());

// A file name with `defaultExt` appended when its last part has no extension ("plans" -> "plans.pro").
QString WithDefaultExtension(const QString& path, const QString& defaultExt);

// The save dialog "SaveDlg": starts in the current directory, gives a name typed without an
// extension `suffix`, asks before replacing a file. Empty when cancelled. Leaves the working
// directory where it was.
QString RunSaveDialog(QWidget* parent, const QStringList& filters, const QString& suffix);
// The print dialog "PrinterDlg": true when the person confirmed it.
bool RunPrintDialog(QPrinter& printer, QWidget* parent);

// A chooser for tests: answers from queues (empty when a queue is empty: a cancel) and records
// every request. Installs itself while it lives.
class RecordingFileChooser : public FileChooser {
 public:
  RecordingFileChooser();
  ~RecordingFileChooser() override;
  QStringList OpenFiles(QWidget* parent, const FileDialogRequest& request) override;
  QString SaveFile(QWidget* parent, const FileDialogRequest& request) override;
  QString Folder(QWidget* parent, const QString& caption, const QString& initialDir) override;

  QList<QStringList> openAnswers;
  QStringList saveAnswers;
  QStringList folderAnswers;
  QList<FileDialogRequest> opens, saves;
  QStringList folderCaptions;
};

}  // namespace cv
