// The DV-800 memory settings dialog as a user reaches it: detected on COM3, Memory Editor,
// Receive, Edit on the first memory. Enter in the name edit takes the name and moves the focus to
// OK; OK marks the memory modified and updates its list line; a later Edit ended with Cancel
// leaves the mark, so Close asks to save. The plug-in's forms are of its own copy of the
// framework, so they are found by their controls' names.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>

#include "AppServices.h"
#include "FamilyOnCom3.h"
#include "Mainform.h"

TEST(Dv8MemoryDataFromMainWindow, EditOkThenCancelKeepsTheModifiedMark) {
  HostHome home;
  std::unique_ptr<cvsim::Simulator> sim;
  ASSERT_NO_FATAL_FAILURE(PlaceFamilyOnCom3(home, "DV8Tools", "dv8", sim));
  cv::RecordingPrompter prompter;
  prompter.answers.push_back(cv::MsgAnswer::No);  // the save question on Close

  TMainForm w;
  w.DetectBtnClick();
  ASSERT_NE(w.equipment, nullptr);
  w.UpdateTools();

  struct Seen {
    QString title, nameAfterEnter, lineBefore, lineAfterOk, lineAfterCancel;
    bool visibleAfterEnter = false, okFocused = false, lnbSupEnabled = true;
    int listed = -1;
    bool editorOpenAfterClose = true;
  } seen;
  QTimer::singleShot(0, &w, [&] {
    QWidget* editor = ModalWindow();
    auto* list = NamedChild<QListWidget>(editor, "MemoryListBox");
    NamedChild<QPushButton>(editor, "ReceiveBtn")->click();
    seen.listed = list->count();
    list->setCurrentRow(0);
    seen.lineBefore = list->item(0)->text();
    QTimer::singleShot(0, editor, [&] {
      QWidget* d = ModalWindow();
      seen.title = d->windowTitle();
      seen.lnbSupEnabled = NamedChild<QComboBox>(d, "LNBSupCombo")->isEnabled();
      auto* name = NamedChild<QLineEdit>(d, "NameEdit");
      auto* ok = NamedChild<QPushButton>(d, "OKBtn");
      QApplication::setActiveWindow(d);
      name->setFocus();
      name->setText("AB");
      QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
      QApplication::sendEvent(name, &enter);
      QApplication::processEvents();
      seen.visibleAfterEnter = d->isVisible();
      seen.okFocused = QApplication::focusWidget() == ok;
      seen.nameAfterEnter = name->text();
      ok->click();
    });
    NamedChild<QPushButton>(editor, "EditBtn")->click();
    seen.lineAfterOk = list->item(0)->text();
    QTimer::singleShot(0, editor, [&] {
      QWidget* d = ModalWindow();
      NamedChild<QLineEdit>(d, "NameEdit")->setText("CD");
      NamedChild<QPushButton>(d, "CancelBtn")->click();
    });
    NamedChild<QPushButton>(editor, "EditBtn")->click();
    seen.lineAfterCancel = list->item(0)->text();
    NamedChild<QPushButton>(editor, "CloseBtn")->click();
    seen.editorOpenAfterClose = editor->isVisible();
  });
  w.EditMemBtn->click();

  EXPECT_EQ(seen.listed, 99);
  EXPECT_EQ(seen.title, "Measurement Configuration - Memory 1");
  EXPECT_FALSE(seen.lnbSupEnabled);
  EXPECT_TRUE(seen.visibleAfterEnter);
  EXPECT_TRUE(seen.okFocused);
  EXPECT_EQ(seen.nameAfterEnter, "  AB");
  EXPECT_TRUE(seen.lineAfterOk.startsWith(" 1   AB TER")) << seen.lineAfterOk.toStdString();
  EXPECT_NE(seen.lineAfterOk, seen.lineBefore);
  EXPECT_EQ(seen.lineAfterCancel, seen.lineAfterOk);
  ASSERT_EQ(prompter.shown.size(), 1u);
  EXPECT_EQ(prompter.shown[0].text, "Data has been modified\nDo you want to save?");
  EXPECT_FALSE(seen.editorOpenAfterClose);
}
