// The lock a form takes for a transfer and the route of Esc and the close box through its exit
// button: each control gets back its own state, and a button that is off is not pressed.
#include <gtest/gtest.h>

#include <QDialog>
#include <QGroupBox>
#include <QPushButton>
#include <QTest>

#include "ControlsOff.h"
#include "DialogExit.h"

namespace {

TEST(ControlsOff, EachControlGetsBackItsOwnState) {
  QWidget form;
  auto* on = new QPushButton("on", &form);
  auto* off = new QPushButton("off", &form);
  off->setEnabled(false);
  auto* group = new QGroupBox(&form);
  auto* inside = new QPushButton("inside", group);  // on by itself, off through its group
  group->setEnabled(false);
  auto* gone = new QPushButton("gone", &form);
  {
    cv::ControlsOff lock{on, off, inside, gone, nullptr};
    for (QWidget* w : {on, off, inside}) EXPECT_FALSE(w->isEnabled()) << w->objectName().toStdString();
    delete gone;
  }
  EXPECT_TRUE(on->isEnabled());
  EXPECT_FALSE(off->isEnabled());
  EXPECT_FALSE(inside->isEnabled());
  group->setEnabled(true);
  EXPECT_TRUE(inside->isEnabled());
}

TEST(DialogExit, EscAndTheCloseBoxPressOnlyAnEnabledButton) {
  for (const bool asking : {false, true}) {  // the button's click, or a leave function of its own
    for (const bool escape : {true, false}) {
      SCOPED_TRACE(std::string(asking ? "leave function, " : "click, ") + (escape ? "Esc" : "close box"));
      QDialog dialog;
      auto* close = new QPushButton("Close", &dialog);
      int pressed = 0;
      QObject::connect(close, &QPushButton::clicked, [&] { ++pressed; });
      if (asking)
        cv::ExitThrough(dialog, *close, [&] { ++pressed; });
      else
        cv::ExitThrough(dialog, *close);
      dialog.show();
      auto leave = [&] {
        if (escape)
          QTest::keyClick(&dialog, Qt::Key_Escape);
        else
          dialog.close();
      };
      {
        cv::ControlsOff lock{close};
        leave();
      }
      EXPECT_EQ(pressed, 0);
      EXPECT_TRUE(dialog.isVisible());
      leave();
      EXPECT_EQ(pressed, 1);
      EXPECT_TRUE(dialog.isVisible()) << "the button's handler decides";
    }
  }
}

}  // namespace
