#include "DialogExit.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QMetaObject>
#include <QCloseEvent>
#include <QDialog>
#include <QKeyEvent>

namespace cv {

namespace {

class ExitRoute : public QObject {
 public:
  ExitRoute(QDialog& dialog, QAbstractButton& exit, std::function<void()> leave)
      : QObject(&dialog), dialog(&dialog), exit(&exit), leave(std::move(leave)) {}

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (watched != dialog || !dialog->isVisible()) return false;
    if (event->type() == QEvent::Close) {
      event->ignore();  // the dialog stays unless the button ends it
      Press();
      return true;
    }
    if (event->type() == QEvent::KeyPress) {
      // The key QDialog itself takes for reject().
      if (static_cast<QKeyEvent*>(event)->matches(QKeySequence::Cancel)) {
        Press();
        return true;
      }
    }
    return false;
  }

 private:
  void Press() {
    if (!exit || !exit->isEnabled()) return;
    if (leave)
      leave();
    else
      exit->click();
  }

  QPointer<QDialog> dialog;
  QPointer<QAbstractButton> exit;
  std::function<void()> leave;
};

}  // namespace

void ExitThrough(QDialog& dialog, QAbstractButton& exit, std::function<void()> leave) {
  dialog.installEventFilter(new ExitRoute(dialog, exit, std::move(leave)));
}

void CommitCellBeingTyped(QAbstractItemView& view) {
  const QModelIndex current = view.currentIndex();
  if (!current.isValid()) return;
  if (QWidget* editor = view.indexWidget(current)) view.itemDelegateForIndex(current)->setModelData(editor, view.model(), current);
}

void CellEscThrough(QAbstractItemView& view, QAbstractButton& exit) {
  QPointer<QAbstractItemView> grid(&view);
  QPointer<QAbstractButton> button(&exit);
  // The delegate ends an edit with RevertModelCache on Esc only.
  QObject::connect(view.itemDelegate(), &QAbstractItemDelegate::closeEditor, &exit,
                   [grid, button](QWidget* editor, QAbstractItemDelegate::EndEditHint hint) {
                     if (hint != QAbstractItemDelegate::RevertModelCache || !grid || !button || !editor) return;
                     const QModelIndex current = grid->currentIndex();
                     if (current.isValid()) grid->itemDelegateForIndex(current)->setModelData(editor, grid->model(), current);
                     // After the editor has gone, so the question comes over the grid as it is.
                     QMetaObject::invokeMethod(
                         button.data(), [button] { if (button && button->isEnabled()) button->click(); }, Qt::QueuedConnection);
                   });
}

}  // namespace cv
