#pragma once
// A host tool button over a closed port: the launcher opens the port, shows the family's dialog
// of type `Dialog` (`check` looks at it and closes it, or it is rejected), and closes the port.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QTimer>
#include <functional>

#include "Serial.h"

// `check` returns false while the dialog is not ready to be looked at yet; it closes the dialog
// itself when it returns true and `reject` is false.
template <class Dialog>
void ExpectToolButtonOpens(TSerial& port, const std::function<bool()>& run, const std::function<bool(Dialog&)>& check,
                           bool reject = true) {
  port.Close();
  bool shown = false;
  QTimer watch;
  watch.setInterval(10);
  QObject::connect(&watch, &QTimer::timeout, [&] {
    for (QWidget* w : QApplication::topLevelWidgets())
      if (auto* d = qobject_cast<Dialog*>(w); d && d->isVisible() && !shown && check(*d)) {
        shown = true;
        if (reject) static_cast<QDialog*>(d)->reject();
      }
  });
  watch.start();
  EXPECT_TRUE(run());
  EXPECT_TRUE(shown);
  EXPECT_FALSE(port.IsOpen());
}
