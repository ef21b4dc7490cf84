#pragma once
// Esc and the window's close box end a QDialog through reject(), past the handler of its Close
// button: the question about unsaved edits is skipped, and a dialog whose Close is off while a
// transfer lets window events run is ended under the transfer. A dialog that routes them through
// its button leaves only as the button lets it.
#include <functional>

class QAbstractButton;
class QAbstractItemView;
class QDialog;

namespace cv {

// From now on Esc and the close box of `dialog` press `exit` (its Close or Cancel button): a
// click while the button is enabled, nothing while it is off. With `leave`, that runs instead of
// the click (a dialog whose Cancel throws edits away without a word asks first). Ending the
// dialog from code (done, accept, reject) is untouched.
void ExitThrough(QDialog& dialog, QAbstractButton& exit, std::function<void()> leave = {});

// A cell being typed in keeps its text in its editor until it is left, and Esc there reaches the
// editor, which would drop the text, never the dialog.
// The typed text of the current cell into the model, as leaving the cell would (nothing when no
// cell is being typed in).
void CommitCellBeingTyped(QAbstractItemView& view);
// From now on Esc in a cell of `view` being typed in stores the typed text and then presses `exit`
// (when enabled), as Esc anywhere else in the dialog does.
void CellEscThrough(QAbstractItemView& view, QAbstractButton& exit);

}  // namespace cv
