#pragma once
// Entering and leaving a control as the original platform knows them: a move of the focus inside
// the window (Tab, a click on another control, a key handler moving it). Qt also sends focus
// events when the window is deactivated or activated again and when a popup opens; those are no
// entry and no exit, so a half-typed value is neither sent nor stored by them.
#include <QEvent>
#include <QFocusEvent>

namespace cv {

// True for a FocusIn or FocusOut event that is a move of the focus inside the window.
inline bool IsFocusMove(const QEvent* event, QEvent::Type type) {
  if (event->type() != type) return false;
  const Qt::FocusReason reason = static_cast<const QFocusEvent*>(event)->reason();
  return reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason;
}
inline bool IsControlExit(const QEvent* event) { return IsFocusMove(event, QEvent::FocusOut); }
inline bool IsControlEntry(const QEvent* event) { return IsFocusMove(event, QEvent::FocusIn); }

}  // namespace cv
