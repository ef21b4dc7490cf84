#include "ControlsOff.h"

#include <QCoreApplication>
#include <QWidget>
#include <exception>

namespace cv {

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
  // Only input and what was posted: a timer or a socket that runs an exchange of its own waits
  // for the event loop as before. A lock left by an exception hands the controls back at once.
  if (!saved.empty() && QCoreApplication::instance() && std::uncaught_exceptions() == 0) {
    QCoreApplication::processEvents(QEventLoop::ExcludeSocketNotifiers | QEventLoop::X11ExcludeTimers);
    QCoreApplication::sendPostedEvents();
  }
  for (auto it = saved.rbegin(); it != saved.rend(); ++it)
    if (it->first) it->first->setEnabled(it->second);
}

}  // namespace cv
