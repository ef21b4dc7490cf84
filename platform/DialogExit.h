#pragma once
// Esc and the window's close box end a QDialog through reject(), past the handler of its Close
// button: the question about unsaved edits is skipped, and a dialog whose Close is off while a
// transfer lets window events run is ended under the transfer. A dialog that routes them through
// its button leaves only as the button lets it.
#include <functional>

class QAbstractButton;
class QDialog;

namespace cv {

// From now on Esc and the close box of `dialog` press `exit` (its Close or Cancel button): a
// click while the button is enabled, nothing while it is off. With `leave`, that runs instead of
// the click (a dialog whose Cancel throws edits away without a word asks first). Ending the
// dialog from code (done, accept, reject) is untouched.
void ExitThrough(QDialog& dialog, QAbstractButton& exit, std::function<void()> leave = {});

}  // namespace cv
