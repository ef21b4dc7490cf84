#pragma once
// Enter in a field of the plan dialogs: the key is swallowed and the focus moves to another
// control, whose focus change runs the field's exit check. Without this, Enter would also click
// the dialog's default push button.
#include <QEvent>
#include <QKeyEvent>
#include <QWidget>

namespace cv {

inline bool IsEnterKey(const QEvent* event) {
  if (event->type() != QEvent::KeyPress) return false;
  const int key = static_cast<const QKeyEvent*>(event)->key();
  return key == Qt::Key_Return || key == Qt::Key_Enter;
}

// True when the event was Enter, which then moved the focus to `target`.
inline bool EnterMovesFocus(const QEvent* event, QWidget* target) {
  if (!IsEnterKey(event)) return false;
  target->setFocus();
  return true;
}

}  // namespace cv
