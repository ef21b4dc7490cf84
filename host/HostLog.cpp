#include "HostLog.h"

#include <QObject>
#include <QPlainTextEdit>
#include <QTextEdit>

namespace cv {

void AddHostLog(QObject* mainForm, const QString& line) {
  if (!mainForm) return;
  QObject* memo = mainForm->objectName() == QLatin1String("LogMemo")
                      ? mainForm
                      : mainForm->findChild<QObject*>(QStringLiteral("LogMemo"));
  if (auto* p = qobject_cast<QPlainTextEdit*>(memo)) {
    p->appendPlainText(line);
  } else if (auto* t = qobject_cast<QTextEdit*>(memo)) {
    t->append(line);
  }
}

}  // namespace cv
