#include "ControlsOff.h"

#include <QWidget>

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
  for (auto it = saved.rbegin(); it != saved.rend(); ++it)
    if (it->first) it->first->setEnabled(it->second);
}

}  // namespace cv
