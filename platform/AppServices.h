#pragma once
// Application services the tools use: the terminating flag that every long wait polls, the event
// pump, the application's one idle handler and one hint handler, message boxes and the beep.
// The flag and the current prompter live on the application object, so the host and every
// plug-in (each deliverable carries its own copy of this code) see the same ones.
#include <QString>
#include <deque>
#include <functional>
#include <vector>

namespace cv {

bool AppTerminating();
void SetAppTerminating(bool terminating);

// Lets the message loop run once (pending events only; never waits).
void ProcessEvents();

// The idle handler runs each time the message loop has handled its events and is about to wait
// for more; pumped waits (ProcessEvents) do not run it. Setting one replaces the previous one;
// an empty function removes it. RunIdleHandler runs it now (tests, and after a modal tool).
void SetIdleHandler(std::function<void()> handler);
void RunIdleHandler();
bool HasIdleHandler();

// The hint handler receives the status tip of every control or menu item the mouse moves onto,
// in any window of the application, and an empty text when the tip is cleared.
void SetHintHandler(std::function<void(const QString&)> handler);

// Message boxes and the beep go through a prompter, which a test replaces with a recording one.
enum class MsgIcon { Error, Warning, Information, Question };
enum MsgButtons { MsgOk = 1, MsgYes = 2, MsgNo = 4, MsgCancel = 8, MsgYesToAll = 16 };
enum class MsgAnswer { Ok, Yes, No, Cancel, YesToAll };

class Prompter {
 public:
  virtual ~Prompter() = default;
  // Shows `text` with `caption`, `icon` and the buttons of `buttons` (MsgButtons bits) modally.
  virtual MsgAnswer Message(MsgIcon icon, const QString& caption, const QString& text, int buttons) = 0;
  virtual void Beep() = 0;
};

// The captions of the real message boxes' buttons (Qt's own English ones until the host sets
// them from its message table); kept on the application object so every plug-in shows them too.
void SetMessageBoxButtonTexts(const QString& ok, const QString& yes, const QString& no, const QString& cancel);

// The prompter in force: the one set by SetPrompter, else real message boxes.
Prompter& CurrentPrompter();
void SetPrompter(Prompter* prompter);  // nullptr restores the real message boxes
// A prompter that passes each call to the one in force at the time of the call, for controllers
// that keep a prompter for longer than a test's recording one may live.
Prompter& PrompterInForce();

// Conveniences over CurrentPrompter().
void ShowError(const QString& caption, const QString& text);
void ShowWarning(const QString& caption, const QString& text);
void ShowInformation(const QString& caption, const QString& text);
MsgAnswer AskYesNo(const QString& caption, const QString& text);
MsgAnswer AskYesNoCancel(const QString& caption, const QString& text);
void Beep();

// Records every box and beep and answers from a queue (Ok, or Yes for a question, when empty).
// Installs itself while it lives; the real message boxes come back when it goes.
class RecordingPrompter : public Prompter {
 public:
  struct Shown {
    MsgIcon icon;
    QString caption;
    QString text;
    int buttons;
  };
  RecordingPrompter();
  ~RecordingPrompter() override;
  MsgAnswer Message(MsgIcon icon, const QString& caption, const QString& text, int buttons) override;
  void Beep() override { ++beeps; }

  // Whether a box whose text contains `part` was shown.
  bool Showed(const QString& part) const;

  std::vector<Shown> shown;
  std::deque<MsgAnswer> answers;
  int beeps = 0;
};

}  // namespace cv
