#pragma once
// Steps of the host tests that drive a tool's modal forms from the main window: select a
// plug-in offline, act on the modal window the next click opens, answer its file dialog, find a control by its name, leave
// an edit, read a list's lines, read a file the tool wrote.
#include <gtest/gtest.h>

#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QFocusEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>
#include <functional>
#include <string>

#include "Mainform.h"
#include "Selectdlg.h"

namespace hoststeps {

inline std::string ReadAll(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll().toStdString() : std::string("<missing>");
}

// Runs `step` on the modal window the next click opens.
inline void OnNextModal(const std::function<void(QWidget*)>& step) {
  QTimer::singleShot(0, [step] {
    QWidget* dlg = QApplication::activeModalWidget();
    ASSERT_NE(dlg, nullptr);
    step(dlg);
  });
}

// Answers the file dialog the next click opens with `path`.
inline void ChooseFile(const QString& path) {
  OnNextModal([path](QWidget* w) {
    auto* d = qobject_cast<QFileDialog*>(w);
    ASSERT_NE(d, nullptr);
    d->selectFile(path);
    QMetaObject::invokeMethod(d, "accept");
  });
}

template <class T>
T* Child(QWidget* dlg, const char* name) {
  T* c = dlg->findChild<T*>(name);
  EXPECT_NE(c, nullptr) << name;
  return c;
}

inline void Leave(QWidget* edit) {
  QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
  QCoreApplication::sendEvent(edit, &out);
}

inline QStringList Items(QListWidget* list) {
  QStringList out;
  for (int i = 0; i < list->count(); ++i) out << list->item(i)->text().trimmed();
  return out;
}

// Picks the plug-in `item` (its name upper-cased) in the Select dialog, without an instrument.
inline void SelectOffline(TMainForm& w, const char* item) {
  OnNextModal([item](QWidget* dlg) {
    auto* select = qobject_cast<TSelectEquipmentDlg*>(dlg);
    ASSERT_NE(select, nullptr);
    select->ListDLLsComboBox->setCurrentIndex(select->ListDLLsComboBox->findText(item));
    select->OKBtn->click();
  });
  w.SelectBtnClick();
  ASSERT_NE(w.equipment, nullptr);
  ASSERT_EQ(w.port, nullptr);
  w.UpdateTools();
}

// What a plan editor showed along the steps below.
struct PlanEditorSeen {
  QString blockFirst;  // the block dialog's first channel
  QStringList channels, plans, readBack;
};

// On the plan editor `dlg`: Edit the selected plan, Block with its defaults, OK, OK.
inline void BlockOfDefaults(QWidget* dlg, PlanEditorSeen& seen) {
  OnNextModal([&seen](QWidget* channels) {
    OnNextModal([&seen](QWidget* block) {
      seen.blockFirst = Child<QLineEdit>(block, "FirstChannelEdit")->text();
      Child<QPushButton>(block, "OKBtn")->click();
    });
    Child<QPushButton>(channels, "BlockBtn")->click();
    seen.channels = Items(Child<QListWidget>(channels, "ChanListBox"));
    Child<QPushButton>(channels, "OKBtn")->click();
  });
  Child<QPushButton>(dlg, "EditBtn")->click();
}

// On the plan editor `dlg`: Add the plan text file `added`, Extract the first plan to
// `extracted`, Save the canalization to `script` and Read it back over the plans held; the first
// two plan lines after Save and after Read.
inline void AddExtractSaveRead(QWidget* dlg, const QString& added, const QString& extracted, const QString& script,
                               PlanEditorSeen& seen) {
  auto* list = Child<QListWidget>(dlg, "ChanPlanListBox");
  ChooseFile(added);
  Child<QPushButton>(dlg, "AddBtn")->click();
  list->setCurrentRow(0);
  emit list->itemClicked(list->item(0));
  ChooseFile(extracted);
  Child<QPushButton>(dlg, "ExtractBtn")->click();
  ChooseFile(script);
  Child<QPushButton>(dlg, "SaveBtn")->click();
  seen.plans = Items(list).mid(0, 2);
  ChooseFile(script);
  Child<QPushButton>(dlg, "ReadBtn")->click();
  seen.readBack = Items(list).mid(0, 2);
}

}  // namespace hoststeps
