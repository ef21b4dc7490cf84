#pragma once
// A transfer that lets window events run must not let the person start another exchange or change
// what it works on: the controls that would are off for the transfer's whole run, by scope.
#include <QPointer>
#include <initializer_list>
#include <utility>
#include <vector>

class QWidget;

namespace cv {

// Turns the given controls off; each gets back the state it had before (one that was off stays
// off, one gone meanwhile is skipped) when this goes. Input the window system held while the lock
// was on (a run that lets no input through, or none since its last wait) is delivered first,
// while the controls are still off: a click on one of them, Esc or the close box of a dialog
// whose Close is among them does nothing, as it would have done during the run.
class ControlsOff {
 public:
  explicit ControlsOff(std::initializer_list<QWidget*> controls);
  explicit ControlsOff(const std::vector<QWidget*>& controls);
  ~ControlsOff();
  ControlsOff(ControlsOff&& other) noexcept = default;
  ControlsOff(const ControlsOff&) = delete;
  ControlsOff& operator=(const ControlsOff&) = delete;
  ControlsOff& operator=(ControlsOff&&) = delete;

 private:
  void TurnOff(QWidget* w);
  std::vector<std::pair<QPointer<QWidget>, bool>> saved;
};

// For a run whose waits let no input through (paint and timer events only) and that turns no
// control off: when this goes, the input the window system held for the run is taken and
// ignored, as a form whose every control was off would ignore it. Nothing the person did during
// the run acts once it has ended.
class HeldInputIgnored {
 public:
  HeldInputIgnored() = default;
  ~HeldInputIgnored();
  HeldInputIgnored(const HeldInputIgnored&) = delete;
  HeldInputIgnored& operator=(const HeldInputIgnored&) = delete;
};

}  // namespace cv
