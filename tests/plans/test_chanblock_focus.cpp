// The channel block dialog's fields lose the focus to another window or to a popup without that
// counting as leaving the field: nothing typed is taken or put back.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QFocusEvent>
#include <QLineEdit>

#include "Chanblockdlg.h"
#include "ChannelListEditor.h"

TEST(ChannelBlockFocus, AnotherWindowOrAPopupTakingTheFocusTakesNothing) {
  BlockSettings block;
  TChannelsBlockDlg dlg(nullptr, block, 'T', 0);
  const QString first = dlg.FirstChannelEdit->text(), last = dlg.LastChannelEdit->text();
  struct Row {
    QLineEdit* edit;
    const char* typed;
  } rows[] = {{dlg.InitCharEdit, "B"},   {dlg.InitIndexEdit, "5"}, {dlg.InitFreqEdit, "500"},
              {dlg.StepFreqEdit, "7"},   {dlg.QuantityEdit, "3"},  {dlg.QuantityEdit, "200"}};
  for (const Row& r : rows) {
    for (Qt::FocusReason reason : {Qt::ActiveWindowFocusReason, Qt::PopupFocusReason}) {
      SCOPED_TRACE(r.edit->objectName().toStdString() + " " + r.typed +
                   (reason == Qt::PopupFocusReason ? ", popup" : ", window"));
      const QString shown = r.edit->text();
      r.edit->setText(r.typed);
      QFocusEvent away(QEvent::FocusOut, reason);
      QCoreApplication::sendEvent(r.edit, &away);
      EXPECT_EQ(r.edit->text(), r.typed);
      EXPECT_EQ(dlg.FirstChannelEdit->text(), first);
      EXPECT_EQ(dlg.LastChannelEdit->text(), last);
      r.edit->setText(shown);
    }
  }
  // Leaving the field takes it: the rows above would have seen it.
  dlg.QuantityEdit->setText("3");
  QFocusEvent out(QEvent::FocusOut);
  QCoreApplication::sendEvent(dlg.QuantityEdit, &out);
  EXPECT_NE(dlg.LastChannelEdit->text(), last);
  dlg.OKBtnClick();
  EXPECT_EQ(block.quantity, 3);
}
