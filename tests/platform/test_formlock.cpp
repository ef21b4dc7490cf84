// Locking a form for a transfer and leaving a dialog: each control gets back its own state when
// the lock ends, and Esc and the close box go through the dialog's exit button, doing nothing
// while it is off.
#include <gtest/gtest.h>

#include <QDialog>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <memory>
#include <optional>

#include "ControlsOff.h"
#include "DialogExit.h"
#include "HeldInput.h"

namespace {

// Whether the control is on by its own setting, whatever its parent says.
bool OwnSettingOn(const QWidget* w) { return !w->testAttribute(Qt::WA_ForceDisabled); }

TEST(ControlsOff, EachControlGetsBackItsOwnEarlierState) {
  QWidget form;
  auto* on = new QPushButton("on", &form);
  auto* offBefore = new QPushButton("off", &form);
  offBefore->setEnabled(false);
  auto* group = new QGroupBox(&form);
  auto* inOffGroup = new QPushButton("in group", group);
  auto* offInOffGroup = new QPushButton("off in group", group);
  offInOffGroup->setEnabled(false);
  group->setEnabled(false);
  auto* gone = new QPushButton("gone", &form);
  {
    const cv::ControlsOff lock{on, offBefore, inOffGroup, offInOffGroup, gone, nullptr};
    for (QWidget* w : {on, offBefore, inOffGroup, offInOffGroup}) {
      EXPECT_FALSE(w->isEnabled()) << w->objectName().toStdString();
      EXPECT_FALSE(OwnSettingOn(w));
    }
    delete gone;  // a control the work removed is skipped
  }
  EXPECT_TRUE(on->isEnabled());
  EXPECT_FALSE(offBefore->isEnabled()) << "a control off before the transfer stays off";
  EXPECT_FALSE(inOffGroup->isEnabled()) << "its parent still says off";
  EXPECT_TRUE(OwnSettingOn(inOffGroup)) << "its own setting is back";
  EXPECT_FALSE(OwnSettingOn(offInOffGroup));
  group->setEnabled(true);
  EXPECT_TRUE(inOffGroup->isEnabled());
  EXPECT_FALSE(offInOffGroup->isEnabled());
}

// A lock inside another over the same control (a handler run from a locked one) leaves it off
// until the outer one ends; a lock handed out of the function that made it restores once.
TEST(ControlsOff, NestedAndHandedOutLocksRestoreOnceInOrder) {
  QWidget form;
  auto* button = new QPushButton(&form);
  auto* other = new QPushButton(&form);
  const auto lockBoth = [&] { return cv::ControlsOff{button, other}; };
  {
    const cv::ControlsOff outer = lockBoth();
    EXPECT_FALSE(button->isEnabled());
    {
      const cv::ControlsOff inner{button};
      EXPECT_FALSE(button->isEnabled());
    }
    EXPECT_FALSE(button->isEnabled()) << "the outer lock still holds";
  }
  EXPECT_TRUE(button->isEnabled());
  EXPECT_TRUE(other->isEnabled());
}

// A run that lets no input through ends with input held for the form: a click on a locked
// button, Esc and the close box, queued to the window during the run. It falls on the locked
// form and does nothing; the same input queued without the lock acts (the helper delivers it).
TEST(ControlsOff, InputHeldDuringTheLockFallsOnTheLockedForm) {
  for (const bool locked : {false, true}) {
    SCOPED_TRACE(locked ? "locked" : "not locked");
    QDialog dialog;
    auto* run = new QPushButton("Run", &dialog);
    auto* close = new QPushButton("Close", &dialog);
    run->setGeometry(0, 0, 80, 24);
    close->setGeometry(0, 30, 80, 24);
    int runs = 0, closes = 0;
    QObject::connect(run, &QPushButton::clicked, [&] { ++runs; });
    QObject::connect(close, &QPushButton::clicked, [&] {
      ++closes;
      dialog.reject();
    });
    cv::ExitThrough(dialog, *close);
    dialog.show();
    cvtest::DrainEvents();
    {
      std::optional<cv::ControlsOff> lock;
      if (locked) lock.emplace(std::initializer_list<QWidget*>{run, close});
      cvtest::QueueClick(run);
      cvtest::QueueKey(&dialog, Qt::Key_Escape);
      cvtest::QueueCloseRequest(&dialog);
    }
    EXPECT_EQ(run->isEnabled() && close->isEnabled(), true);
    cvtest::DrainEvents();
    EXPECT_EQ(runs, locked ? 0 : 1);
    EXPECT_EQ(closes, locked ? 0 : 1) << "Esc and the close box press Close once it is on";
    EXPECT_EQ(dialog.isVisible(), locked);
  }
}

// A run that lets no input through and turns nothing off: the input held for it is ignored when
// it ends, and the dialog takes input again afterwards.
TEST(HeldInputIgnored, InputHeldDuringTheRunActsNeitherThenNorAfter) {
  QDialog dialog;
  auto* run = new QPushButton("Run", &dialog);
  auto* close = new QPushButton("Close", &dialog);
  run->setGeometry(0, 0, 80, 24);
  close->setGeometry(0, 30, 80, 24);
  int runs = 0;
  QObject::connect(run, &QPushButton::clicked, [&] { ++runs; });
  QObject::connect(close, &QPushButton::clicked, &dialog, &QDialog::reject);
  cv::ExitThrough(dialog, *close);
  dialog.show();
  cvtest::DrainEvents();
  {
    const cv::HeldInputIgnored held;
    cvtest::QueueClick(run);
    cvtest::QueueKey(&dialog, Qt::Key_Escape);
    cvtest::QueueCloseRequest(&dialog);
  }
  cvtest::DrainEvents();
  EXPECT_EQ(runs, 0);
  EXPECT_TRUE(dialog.isVisible());
  cvtest::QueueClick(run);
  cvtest::QueueCloseRequest(&dialog);
  cvtest::DrainEvents();
  EXPECT_EQ(runs, 1) << "input after the run acts";
  EXPECT_FALSE(dialog.isVisible());
}

// A shown dialog whose Close rejects it, routed through ExitThrough with or without its own
// leave step; counts the clicks and the leave steps.
struct ExitForm {
  explicit ExitForm(bool withLeave) {
    field = new QLineEdit(&dialog);
    close = new QPushButton("Close", &dialog);
    QObject::connect(close, &QPushButton::clicked, [this] {
      ++clicks;
      dialog.reject();
    });
    std::function<void()> leave;
    if (withLeave) leave = [this] { ++leaves; };
    cv::ExitThrough(dialog, *close, leave);
    dialog.show();
    field->setFocus();
  }
  QDialog dialog;
  QLineEdit* field;
  QPushButton* close;
  int clicks = 0;
  int leaves = 0;
};

enum class Way { EscInField, EscOnDialog, CloseBox };

void Leave(ExitForm& f, Way way) {
  switch (way) {
    case Way::EscInField:
      QTest::keyClick(f.field, Qt::Key_Escape);
      break;
    case Way::EscOnDialog:
      QTest::keyClick(&f.dialog, Qt::Key_Escape);
      break;
    case Way::CloseBox:
      f.dialog.close();
      break;
  }
}

TEST(ExitThrough, EscAndTheCloseBoxPressTheExitOnlyWhileItIsOn) {
  for (const bool withLeave : {false, true}) {
    for (const Way way : {Way::EscInField, Way::EscOnDialog, Way::CloseBox}) {
      SCOPED_TRACE(testing::Message() << "leave step " << withLeave << ", way " << static_cast<int>(way));
      ExitForm off(withLeave);
      off.close->setEnabled(false);
      Leave(off, way);
      EXPECT_TRUE(off.dialog.isVisible()) << "nothing ends the dialog while its exit is off";
      EXPECT_EQ(off.clicks + off.leaves, 0);

      ExitForm on(withLeave);
      Leave(on, way);
      EXPECT_EQ(on.clicks, withLeave ? 0 : 1);
      EXPECT_EQ(on.leaves, withLeave ? 1 : 0);
      EXPECT_EQ(on.dialog.isVisible(), withLeave) << "the leave step, not Qt, decides whether it ends";
    }
  }
}

// Ending the dialog from code is untouched by the route.
TEST(ExitThrough, DoneFromCodeStillEnds) {
  ExitForm f(true);
  f.close->setEnabled(false);
  f.dialog.reject();
  EXPECT_FALSE(f.dialog.isVisible());
  EXPECT_EQ(f.clicks + f.leaves, 0);
}

}  // namespace
