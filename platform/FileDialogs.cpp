#include "FileDialogs.h"

#include <QDir>
#include <QFileDialog>
#include <QPrintDialog>
#include <QPrinter>

namespace cv {

QString RunSaveDialog(QWidget* parent, const QStringList& filters, const QString& suffix, const QString& name) {
  QFileDialog dlg(parent);
  dlg.setObjectName("SaveDlg");
  dlg.setAcceptMode(QFileDialog::AcceptSave);
  dlg.setDirectory(QDir::currentPath());
  dlg.setDefaultSuffix(suffix);
  dlg.setNameFilters(filters);
  dlg.setFileMode(QFileDialog::AnyFile);
  if (!name.isEmpty()) dlg.selectFile(name);
  if (dlg.exec() != QDialog::Accepted || dlg.selectedFiles().isEmpty()) return QString();
  return dlg.selectedFiles().first();
}

bool RunPrintDialog(QPrinter& printer, QWidget* parent) {
  QPrintDialog dlg(&printer, parent);
  dlg.setObjectName("PrinterDlg");
  return dlg.exec() == QDialog::Accepted;
}

}  // namespace cv
