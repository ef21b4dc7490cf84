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
// off, one gone meanwhile is skipped) when this goes.
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

}  // namespace cv
