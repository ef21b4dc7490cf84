#pragma once
// Esc and the window's close box end a QDialog through reject(), past the handler of its Close
// button: the question about unsaved edits is skipped, and a dialog whose Close is off while a
// transfer lets window events run is ended under the transfer. A dialog that routes them through
// its button leaves only as the button lets it.
#include <QPointer>
#include <functional>
#include <initializer_list>
#include <utility>
#include <vector>

class QAbstractButton;
class QDialog;
class QWidget;

namespace cv {

// From now on Esc and the close box of `dialog` press `exit` (its Close or Cancel button): a
// click while the button is enabled, nothing while it is off. With `leave`, that runs instead of
// the click (a dialog whose Cancel throws edits away without a word asks first). Ending the
// dialog from code (done, accept, reject) is untouched.
void ExitThrough(QDialog& dialog, QAbstractButton& exit, std::function<void()> leave = {});

// The controls of a form that would start another exchange or change what a transfer works on,
// off while a transfer runs; each gets back the state it had (a control gone meanwhile is skipped).
class ControlsOff {
 public:
  explicit ControlsOff(std::initializer_list<QWidget*> controls);
  ~ControlsOff();
  ControlsOff(const ControlsOff&) = delete;
  ControlsOff& operator=(const ControlsOff&) = delete;

 private:
  std::vector<std::pair<QPointer<QWidget>, bool>> saved;
};

}  // namespace cv
