#pragma once
// The tools' save and print dialogs, shown modally over `parent`.
#include <QString>
#include <QStringList>

class QPrinter;
class QWidget;

namespace cv {

// The save dialog "SaveDlg": starts in the current directory, gives a name typed without an
// extension `suffix`, asks before replacing a file; `name`, when given, is the name offered.
// Empty when cancelled.
QString RunSaveDialog(QWidget* parent, const QStringList& filters, const QString& suffix,
                      const QString& name = QString());
// The print dialog "PrinterDlg": true when the person confirmed it.
bool RunPrintDialog(QPrinter& printer, QWidget* parent);

}  // namespace cv
