#pragma once
// Checks every family's configuration dialog shares, whatever its register map.
#include <gtest/gtest.h>

#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <functional>
#include <string>
#include <vector>

#include "Configdlg.h"
#include "HostForm.h"

// Runs the reading with a click on CCW at the first line it logs (the meter must make it log
// one), then checks that the click changed no button and wrote no register. `exchanged` gives
// the lines the meter received.
inline void ExpectRotaryClickWhileReadingIgnored(TConfigurationDlg& dlg, HostForm& host,
                                                 const std::function<std::vector<std::string>()>& exchanged) {
  int clicks = 0;
  QObject::connect(host.memo, &QPlainTextEdit::textChanged, &dlg, [&] {
    if (clicks++ == 0) dlg.CCWRadioButton->click();
  });
  dlg.AskForOptions();
  EXPECT_GT(clicks, 0);
  EXPECT_TRUE(dlg.CWRadioButton->isChecked());
  EXPECT_FALSE(dlg.CCWRadioButton->isChecked());
  EXPECT_FALSE(dlg.ApplyBtn->isEnabled());
  for (const std::string& l : exchanged()) EXPECT_NE(l.rfind("*I20A0", 0), 0u) << l;
}
