#include "AppServices.h"

#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QEvent>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QWidget>
#include <QStatusTipEvent>
#include <QVariant>

namespace cv {

bool AppTerminating() {
  QCoreApplication* app = QCoreApplication::instance();
  return !app || QCoreApplication::closingDown() || app->property("cvTerminating").toBool();
}

void SetAppTerminating(bool terminating) {
  if (QCoreApplication* app = QCoreApplication::instance()) app->setProperty("cvTerminating", terminating);
}

void ProcessEvents() {
  if (QCoreApplication::instance()) QCoreApplication::processEvents();
}

namespace {

// Holds the idle and hint handlers; a child of the application object, so it goes with it.
class AppHooks : public QObject {
 public:
  AppHooks() : QObject(QCoreApplication::instance()) {
    if (auto* d = QAbstractEventDispatcher::instance(QCoreApplication::instance()->thread()))
      connect(d, &QAbstractEventDispatcher::aboutToBlock, this, &AppHooks::OnIdle);
    QCoreApplication::instance()->installEventFilter(this);
  }

  void OnIdle() {
    // A handler that shows a box would run its own loop and come back here: run it once at a time.
    if (!idle || running) return;
    running = true;
    auto handler = idle;  // the handler may replace itself
    handler();
    running = false;
  }

  bool eventFilter(QObject* watched, QEvent* event) override {
    // A tip travels up the parent chain to its window; hand it on once, when it gets there.
    if (event->type() == QEvent::StatusTip && hint && watched->isWidgetType() &&
        static_cast<QWidget*>(watched)->isWindow()) {
      const QString tip = static_cast<QStatusTipEvent*>(event)->tip();
      hintWindow = tip.isEmpty() ? nullptr : static_cast<QWidget*>(watched);
      hint(tip);
    }
    // A hint goes with the window that gave it: no leave event clears it when the window closes
    // under the mouse.
    if (event->type() == QEvent::Hide && hintWindow && watched == hintWindow.data()) {
      hintWindow = nullptr;
      if (hint) hint(QString());
    }
    return QObject::eventFilter(watched, event);
  }

  std::function<void()> idle;
  std::function<void(const QString&)> hint;
  QPointer<QWidget> hintWindow;  // the window whose hint is shown
  bool running = false;
};

AppHooks* Hooks() {
  static QPointer<AppHooks> hooks;
  if (!hooks && QCoreApplication::instance()) hooks = new AppHooks;
  return hooks.data();
}

const char* const kButtonTextsProperty = "cvButtonTexts";

class MessageBoxPrompter : public Prompter {
 public:
  MsgAnswer Message(MsgIcon icon, const QString& caption, const QString& text, int buttons) override {
    QMessageBox box(icon == MsgIcon::Error         ? QMessageBox::Critical
                    : icon == MsgIcon::Warning     ? QMessageBox::Warning
                    : icon == MsgIcon::Information ? QMessageBox::Information
                                                   : QMessageBox::Question,
                    caption, text, QMessageBox::NoButton, QApplication::activeWindow());
    QStringList texts = QCoreApplication::instance()->property(kButtonTextsProperty).toStringList();
    auto add = [&](QMessageBox::StandardButton which, int index) {
      QPushButton* b = box.addButton(which);
      if (texts.size() == 4 && !texts[index].isEmpty()) b->setText(texts[index]);
    };
    if (buttons & MsgYes) add(QMessageBox::Yes, 1);
    if (buttons & MsgNo) add(QMessageBox::No, 2);
    if (buttons & MsgYesToAll) box.addButton(QMessageBox::YesToAll);
    if ((buttons & MsgOk) || buttons == 0) add(QMessageBox::Ok, 0);
    if (buttons & MsgCancel) add(QMessageBox::Cancel, 3);
    switch (box.exec()) {
      case QMessageBox::Yes: return MsgAnswer::Yes;
      case QMessageBox::No: return MsgAnswer::No;
      case QMessageBox::YesToAll: return MsgAnswer::YesToAll;
      case QMessageBox::Cancel: return MsgAnswer::Cancel;
      default: return MsgAnswer::Ok;
    }
  }
  void Beep() override { QApplication::beep(); }
};

const char* const kPrompterProperty = "cvPrompter";

}  // namespace

void SetIdleHandler(std::function<void()> handler) {
  if (AppHooks* h = Hooks()) h->idle = std::move(handler);
}

void RunIdleHandler() {
  if (AppHooks* h = Hooks()) h->OnIdle();
}

bool HasIdleHandler() {
  AppHooks* h = Hooks();
  return h && h->idle;
}

void SetHintHandler(std::function<void(const QString&)> handler) {
  if (AppHooks* h = Hooks()) h->hint = std::move(handler);
}

Prompter& CurrentPrompter() {
  static MessageBoxPrompter real;
  if (QCoreApplication* app = QCoreApplication::instance()) {
    auto p = app->property(kPrompterProperty).value<quintptr>();
    if (p) return *reinterpret_cast<Prompter*>(p);
  }
  return real;
}

Prompter& PrompterInForce() {
  struct InForce : Prompter {
    MsgAnswer Message(MsgIcon icon, const QString& caption, const QString& text, int buttons) override {
      return CurrentPrompter().Message(icon, caption, text, buttons);
    }
    void Beep() override { CurrentPrompter().Beep(); }
  };
  static InForce inForce;
  return inForce;
}

void SetMessageBoxButtonTexts(const QString& ok, const QString& yes, const QString& no, const QString& cancel) {
  if (QCoreApplication* app = QCoreApplication::instance())
    app->setProperty(kButtonTextsProperty, QStringList{ok, yes, no, cancel});
}

void SetPrompter(Prompter* prompter) {
  if (QCoreApplication* app = QCoreApplication::instance())
    app->setProperty(kPrompterProperty, QVariant::fromValue(reinterpret_cast<quintptr>(prompter)));
}

void ShowError(const QString& caption, const QString& text) {
  CurrentPrompter().Message(MsgIcon::Error, caption, text, MsgOk);
}
void ShowWarning(const QString& caption, const QString& text) {
  CurrentPrompter().Message(MsgIcon::Warning, caption, text, MsgOk);
}
void ShowInformation(const QString& caption, const QString& text) {
  CurrentPrompter().Message(MsgIcon::Information, caption, text, MsgOk);
}
MsgAnswer AskYesNo(const QString& caption, const QString& text) {
  return CurrentPrompter().Message(MsgIcon::Question, caption, text, MsgYes | MsgNo);
}
MsgAnswer AskYesNoCancel(const QString& caption, const QString& text) {
  return CurrentPrompter().Message(MsgIcon::Question, caption, text, MsgYes | MsgNo | MsgCancel);
}
void Beep() { CurrentPrompter().Beep(); }

RecordingPrompter::RecordingPrompter() { SetPrompter(this); }

RecordingPrompter::~RecordingPrompter() {
  if (&CurrentPrompter() == this) SetPrompter(nullptr);
}

bool RecordingPrompter::Showed(const QString& part) const {
  for (const Shown& s : shown)
    if (s.text.contains(part)) return true;
  return false;
}

MsgAnswer RecordingPrompter::Message(MsgIcon icon, const QString& caption, const QString& text, int buttons) {
  shown.push_back({icon, caption, text, buttons});
  if (!answers.empty()) {
    MsgAnswer a = answers.front();
    answers.pop_front();
    return a;
  }
  return (buttons & MsgYes) ? MsgAnswer::Yes : MsgAnswer::Ok;
}

}  // namespace cv
