#pragma once
// A cell typed in and not left: its editor open with the typed text, and the two ways out of a
// sheet that do not leave it (Esc in the editor, the window's close box).
#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QTableWidget>
#include <QTest>

#include "AppServices.h"

namespace xr9test {

// The editor of the cell, open with `text` typed over what it held.
inline QLineEdit* TypeInCell(QTableWidget& grid, int row, int column, const QString& text) {
  grid.setCurrentCell(row, column);
  grid.editItem(grid.item(row, column));
  auto* editor = qobject_cast<QLineEdit*>(grid.indexWidget(grid.currentIndex()));
  EXPECT_NE(editor, nullptr);
  if (!editor) return nullptr;
  editor->selectAll();
  QTest::keyClicks(editor, text);
  return editor;
}

enum class LeaveBy { Esc, CloseBox };

inline void Leave(QDialog& form, QWidget* editor, LeaveBy how) {
  if (how == LeaveBy::Esc && editor)
    QTest::keyClick(editor, Qt::Key_Escape);
  else
    form.close();
  QApplication::processEvents();  // Esc in a cell presses Close once the editor has gone
}

// Leaves as `how` says and answers Cancel: the sheet's reset question came once and the sheet
// stays open.
inline void LeaveAndCancel(QDialog& form, QWidget* editor, LeaveBy how, cv::RecordingPrompter& prompter) {
  prompter.shown.clear();
  prompter.answers = {cv::MsgAnswer::Cancel};
  Leave(form, editor, how);
  ASSERT_EQ(prompter.shown.size(), 1u);
  EXPECT_EQ(prompter.shown[0].text, "The data in the DataLogger Viewer will be reset.\nDo you wish to continue?");
  EXPECT_TRUE(form.isVisible());
}

// The close box answered Yes closes the sheet.
inline void CloseAnsweringYes(QDialog& form, cv::RecordingPrompter& prompter) {
  prompter.answers = {cv::MsgAnswer::Yes};
  form.close();
  EXPECT_FALSE(form.isVisible());
}

}  // namespace xr9test
