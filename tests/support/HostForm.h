#pragma once
// A stand-in for the host's main window as a plug-in finds it: a top-level form "MainForm"
// holding the memo "LogMemo".
#include <QPlainTextEdit>
#include <QStringList>
#include <QWidget>

struct HostForm {
  QWidget form;
  QPlainTextEdit* memo;
  HostForm() {
    form.setObjectName("MainForm");
    memo = new QPlainTextEdit(&form);
    memo->setObjectName("LogMemo");
  }
  QStringList Lines() const { return memo->toPlainText().split('\n', Qt::SkipEmptyParts); }
  void Clear() { memo->clear(); }
};
