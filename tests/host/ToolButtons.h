#pragma once
// What the main window shows of a bound plug-in: its log lines, and which of the eight tool
// buttons are on (EditCh, EditMem, DataLog, Monitor, Spectrum, Config, Update, Ident).
#include <QPlainTextEdit>
#include <QPushButton>
#include <vector>

#include "Mainform.h"

inline QStringList LogLines(TMainForm& w) { return w.LogMemo->toPlainText().split('\n'); }

inline std::vector<bool> ToolButtonsEnabled(TMainForm& w) {
  std::vector<bool> e;
  for (QPushButton* b : {w.EditChBtn, w.EditMemBtn, w.DataLogBtn, w.MonitorBtn, w.SpectrumBtn, w.ConfigBtn,
                         w.UpdateBtn, w.IdentBtn})
    e.push_back(b->isEnabled());
  return e;
}
