#pragma once
// Input as the window system delivers it while a handler runs without letting it through: queued
// to the window, to be handled only when events next run (a pumped wait, the end of a lock, or
// the event loop after the handler). A slot called from inside a transfer cannot show what
// happens to a click held until the transfer has ended.
#include <QAbstractButton>
#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPointer>
#include <QWidget>
#include <QWindow>

namespace cvtest {

// The native window that `w` is drawn in (its top-level's), made when it has none yet.
inline QWindow* WindowOf(QWidget* w) {
  QWidget* top = w->window();
  if (!top->windowHandle()) top->winId();
  return top->windowHandle();
}

// A left press and release at the middle of `w`, sent to its window as a click of the mouse.
inline void QueueClick(QWidget* w, QPoint at = {}) {
  if (at.isNull()) at = w->rect().center();
  QWindow* window = WindowOf(w);
  const QPointF local = w->mapTo(w->window(), at);
  const QPointF global = w->mapToGlobal(at);
  for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
    const Qt::MouseButtons held = type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton;
    QCoreApplication::postEvent(window, new QMouseEvent(type, local, local, global, Qt::LeftButton, held, {}));
  }
}

// A double click at `at` of `w` (press, release, double-click, release), as the window gets it.
inline void QueueDoubleClick(QWidget* w, QPoint at) {
  QWindow* window = WindowOf(w);
  const QPointF local = w->mapTo(w->window(), at);
  const QPointF global = w->mapToGlobal(at);
  for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease, QEvent::MouseButtonDblClick,
                            QEvent::MouseButtonRelease}) {
    const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
    QCoreApplication::postEvent(window, new QMouseEvent(type, local, local, global, Qt::LeftButton, held, {}));
  }
}

// A key press and release to the window of `w` (it reaches the window's focused control).
inline void QueueKey(QWidget* w, Qt::Key key) {
  QWindow* window = WindowOf(w);
  QCoreApplication::postEvent(window, new QKeyEvent(QEvent::KeyPress, key, Qt::NoModifier));
  QCoreApplication::postEvent(window, new QKeyEvent(QEvent::KeyRelease, key, Qt::NoModifier));
}

// The window manager's request to close the window of `w` (its close box).
inline void QueueCloseRequest(QWidget* w) { QCoreApplication::postEvent(WindowOf(w), new QCloseEvent); }

// A person at a form during a run: a click on each control, Esc and the close box.
template <class Controls>
void QueueEverything(QWidget& form, const Controls& controls) {
  for (QWidget* c : controls) QueueClick(c);
  QueueKey(&form, Qt::Key_Escape);
  QueueCloseRequest(&form);
}

// Runs every event queued, input among it, until none is left (what the event loop does once the
// handler has returned).
inline void DrainEvents() {
  for (int i = 0; i < 5; ++i) {
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents(QEventLoop::AllEvents);
  }
}

}  // namespace cvtest
