// The memory data dialog's fields lose the focus to another window or to a popup without that
// counting as leaving the field: nothing typed is stored, refused or beeped at.
#include <gtest/gtest.h>

#include <QApplication>
#include <QFocusEvent>
#include <QLineEdit>

#include "AppServices.h"
#include "Cv3Equip.h"
#include "HostForm.h"
#include "Memdatadlg.h"
#include "Memdlg.h"
#include "MemoryTestKit.h"

TEST(MemoryDataFocus, AnotherWindowOrAPopupTakingTheFocusStoresNothing) {
  HostForm host;
  TCv3Equip equip(&host.form, nullptr);
  cv::RecordingPrompter prompter;
  TMemoryDlg owner(nullptr, &equip);
  owner.Editor().current = memtest::DefaultRecords()[0];
  TMemoryDataDlg d(&owner, &equip);
  ASSERT_TRUE(d.Opened());
  const MemoryRecord before = d.Model().w.r;
  struct Row {
    const char* field;
    QLineEdit* edit;
    const char* typed;  // a value the field would take, and one it would refuse
  } rows[] = {{"freq taken", d.FreqEdit, "500"}, {"freq refused", d.FreqEdit, "3"},
              {"bw taken", d.BWEdit, "7"},       {"bw refused", d.BWEdit, "90"}};
  for (const Row& r : rows) {
    for (Qt::FocusReason reason : {Qt::ActiveWindowFocusReason, Qt::PopupFocusReason}) {
      SCOPED_TRACE(std::string(r.field) + (reason == Qt::PopupFocusReason ? ", popup" : ", window"));
      const QString shown = r.edit->text();
      r.edit->setText(r.typed);
      QFocusEvent away(QEvent::FocusOut, reason);
      QApplication::sendEvent(r.edit, &away);
      EXPECT_EQ(prompter.beeps, 0);
      EXPECT_EQ(r.edit->text(), r.typed);
      EXPECT_EQ(d.Model().w.r, before);
      r.edit->setText(shown);
    }
  }
  // Leaving the field does store: the rows above would have seen it.
  d.FreqEdit->setText("500");
  QFocusEvent out(QEvent::FocusOut);
  QApplication::sendEvent(d.FreqEdit, &out);
  EXPECT_EQ(d.Model().w.r.freq, 500.0f);
  EXPECT_EQ(prompter.beeps, 0);
}
