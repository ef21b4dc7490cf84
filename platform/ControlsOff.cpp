#include "ControlsOff.h"

#include <QCoreApplication>
#include <QWidget>
#include <exception>

namespace cv {

namespace {

// Runs what the window system holds and what was posted, and nothing else: a timer or a socket
// that runs an exchange of its own waits for the event loop as before.
void DeliverHeldInput() {
  if (!QCoreApplication::instance() || std::uncaught_exceptions() != 0) return;
  QCoreApplication::processEvents(QEventLoop::ExcludeSocketNotifiers | QEventLoop::X11ExcludeTimers);
  QCoreApplication::sendPostedEvents();
}

// Takes every input event on its way while it is installed on the application.
class InputSink : public QObject {
 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    switch (event->type()) {
      case QEvent::MouseButtonPress:
      case QEvent::MouseButtonRelease:
      case QEvent::MouseButtonDblClick:
      case QEvent::MouseMove:
      case QEvent::Wheel:
      case QEvent::KeyPress:
      case QEvent::KeyRelease:
      case QEvent::ShortcutOverride:
      case QEvent::Shortcut:
      case QEvent::ContextMenu:
      case QEvent::TouchBegin:
      case QEvent::TouchUpdate:
      case QEvent::TouchEnd:
      case QEvent::TabletPress:
      case QEvent::TabletRelease:
      case QEvent::TabletMove:
        return true;
      case QEvent::Close:
        // The close box asks the native window; a widget closed from code is left alone.
        return watched->isWindowType();
      default:
        return false;
    }
  }
};

}  // namespace

ControlsOff::ControlsOff(std::initializer_list<QWidget*> controls) {
  for (QWidget* w : controls) TurnOff(w);
}

ControlsOff::ControlsOff(const std::vector<QWidget*>& controls) {
  for (QWidget* w : controls) TurnOff(w);
}

void ControlsOff::TurnOff(QWidget* w) {
  if (!w) return;
  // The widget's own setting, not what its parent imposes: a control inside a disabled group
  // still gets back the setting it had.
  saved.emplace_back(w, !w->testAttribute(Qt::WA_ForceDisabled));
  w->setEnabled(false);
}

ControlsOff::~ControlsOff() {
  // A lock left by an exception hands the controls back at once.
  if (!saved.empty()) DeliverHeldInput();
  for (auto it = saved.rbegin(); it != saved.rend(); ++it)
    if (it->first) it->first->setEnabled(it->second);
}

HeldInputIgnored::~HeldInputIgnored() {
  QCoreApplication* app = QCoreApplication::instance();
  if (!app) return;
  InputSink sink;
  app->installEventFilter(&sink);
  DeliverHeldInput();
  app->removeEventFilter(&sink);
}

}  // namespace cv
