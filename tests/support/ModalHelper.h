#pragma once
// Answers the next modal window of type T that opens while the code under test sits in exec().
// A window nobody expected is closed after a few seconds, so a wrong path fails instead of hanging.
#include <QApplication>
#include <QDialog>
#include <QFileDialog>
#include <QTimer>
#include <functional>

#include <gtest/gtest.h>

namespace cvtest {

template <class T>
void WhenModal(std::function<void(T*)> act) {
  auto* timer = new QTimer(qApp);
  auto* waited = new int(0);
  QObject::connect(timer, &QTimer::timeout, [timer, waited, act] {
    QWidget* w = QApplication::activeModalWidget();
    if (auto* t = qobject_cast<T*>(w)) {
      timer->stop();
      timer->deleteLater();
      delete waited;
      act(t);
    } else if (++*waited > 1000) {
      timer->stop();
      timer->deleteLater();
      delete waited;
      if (auto* d = qobject_cast<QDialog*>(w)) d->reject();
      ADD_FAILURE() << "expected modal window did not open";
    }
  });
  timer->start(5);
}

// Chooses `path` in the next file dialog and confirms it, as a person typing the name would.
inline void PickFile(const QString& path) {
  WhenModal<QFileDialog>([path](QFileDialog* d) {
    // selectFile leaves the name field alone while it has the focus.
    if (QWidget* focused = QApplication::focusWidget()) focused->clearFocus();
    d->selectFile(path);
    QMetaObject::invokeMethod(d, "accept", Qt::DirectConnection);
    if (d->isVisible()) {
      ADD_FAILURE() << "file dialog refused " << path.toStdString();
      d->reject();
    }
  });
}

inline void CancelFileDialog() {
  WhenModal<QFileDialog>([](QFileDialog* d) { d->reject(); });
}

}  // namespace cvtest
