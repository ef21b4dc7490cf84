// The test-point name dialog beside the data logger dialog.
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QTest>

#include "Datalogtpdlg.h"
#include "LoggerFixture.h"

class LoggerNames : public LoggerSim {
 protected:
  void SetUp() override {
    ASSERT_NO_FATAL_FAILURE(LoggerSim::SetUp());
    Click("ReceiveNamesBtn");
    ASSERT_TRUE(dlg->Logger().namesReceived);
    list = Control<QListWidget>("TPCheckListBox");
  }
  // Ticks exactly the given 1-based test points, as clicks on the list would.
  void Want(std::initializer_list<int> tps) {
    Click("UnselectTPBtn");
    for (int t : tps) list->item(t - 1)->setCheckState(Qt::Checked);
  }
  TDataLoggerTPDlg* Open(int tp) {
    list->setCurrentRow(tp - 1);
    dlg->TPCheckListBoxDblClick(list->item(tp - 1));
    TDataLoggerTPDlg* d = dlg->NameDialog();
    EXPECT_NE(d, nullptr);
    if (d) {
      edit = d->findChild<QLineEdit*>("TPEdit");
      label = d->findChild<QLabel*>("TPLabel");
    }
    return d;
  }
  const std::string& Name(int tp) { return dlg->Logger().testPoints[tp - 1].name; }

  QListWidget* list = nullptr;
  QLineEdit* edit = nullptr;
  QLabel* label = nullptr;
};

TEST_F(LoggerNames, NineCharactersAndEnterStoreEight) {
  Want({1, 5});
  TDataLoggerTPDlg* d = Open(1);
  ASSERT_NE(d, nullptr);
  EXPECT_TRUE(d->isVisible());
  EXPECT_FALSE(d->isModal());
  EXPECT_EQ(edit->text(), "TP1");
  EXPECT_EQ(label->text(), "Test Point 1");
  edit->selectAll();
  QTest::keyClicks(edit, "ABCDEFGHI");
  QTest::keyClick(edit, Qt::Key_Return);
  EXPECT_EQ(Name(1), "ABCDEFGH");
  EXPECT_EQ(list->item(0)->text(), "1 ABCDEFGH");
  EXPECT_EQ(list->currentRow(), 4);
  EXPECT_EQ(edit->text(), "TP5");
  EXPECT_EQ(edit->selectedText(), "TP5");
  EXPECT_EQ(label->text(), "Test Point 5");
  // Opening another replaces it: only one exists.
  Open(5);
  EXPECT_EQ(dlg->findChildren<TDataLoggerTPDlg*>().size(), 1);
}

TEST_F(LoggerNames, NextWrapsFromNineToThreeAndScrollsItFourth) {
  Want({3, 7, 9});
  Open(9);
  dlg->NameDialog()->NextTPBtnClick();
  EXPECT_EQ(list->currentRow(), 2);
  EXPECT_EQ(label->text(), "Test Point 3");
  EXPECT_EQ(list->verticalScrollBar()->value(), 2) << "lines 0 to 2 stand at the top themselves";
  dlg->NameDialog()->NextTPBtnClick();
  EXPECT_EQ(list->currentRow(), 6);
  EXPECT_EQ(list->verticalScrollBar()->value(), 3) << "line 6 stands fourth";
  EXPECT_EQ(Name(3), "TP3") << "nothing typed, nothing changed";
}

TEST_F(LoggerNames, SingleWantedTestPointKeepsItsLineAndShowsItsNewName) {
  Want({7});
  Open(7);
  edit->selectAll();
  QTest::keyClicks(edit, "ROOF");
  dlg->NameDialog()->NextTPBtnClick();
  EXPECT_EQ(list->currentRow(), 6);
  EXPECT_EQ(edit->text(), "ROOF");
  EXPECT_EQ(list->item(6)->text(), "7 ROOF");
  EXPECT_EQ(list->item(6)->checkState(), Qt::Checked);
}

TEST_F(LoggerNames, NextWithoutTypingKeepsTheNameAndMovesOn) {
  Want({2, 4});
  dlg->Logger().testPoints[1].name = "OLD";
  Open(2);
  dlg->NameDialog()->NextTPBtnClick();
  EXPECT_EQ(Name(2), "OLD");
  EXPECT_EQ(list->currentRow(), 3);
  EXPECT_TRUE(prompter.shown.empty());
  // With no line selected, Next is refused with its box.
  list->clearSelection();
  list->setCurrentRow(-1);
  dlg->NameDialog()->NextTPBtnClick();
  ASSERT_EQ(prompter.shown.size(), 1u);
  EXPECT_EQ(prompter.shown[0].caption, "Error");
  EXPECT_EQ(prompter.shown[0].text, "No TP selected");
}

// The name dialog opens only on a ticked line.
TEST_F(LoggerNames, DoubleClickOnAnUntickedLineOpensNothing) {
  Want({2});
  list->setCurrentRow(0);
  dlg->TPCheckListBoxDblClick(list->item(0));
  EXPECT_EQ(dlg->NameDialog(), nullptr);
}
