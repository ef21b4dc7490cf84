#include "DialogExit.h"

#include <QAbstractButton>
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

}  // namespace cv
