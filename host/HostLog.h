#pragma once
// The host main window's LogMemo, found by name as the plug-ins find it.
#include <QString>

class QObject;

namespace cv {

void AddHostLog(QObject* mainForm, const QString& line);

}  // namespace cv
