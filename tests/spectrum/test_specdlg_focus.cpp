// The spectrum dialog's fields lose the focus to another window or to a popup without that
// counting as leaving the field: nothing typed is taken, refused or beeped at.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QFocusEvent>
#include <QLineEdit>
#include <tuple>

#include "FakeLink.h"
#include "Specdlg.h"

TEST(SpectrumDlgFocus, AnotherWindowOrAPopupTakingTheFocusTakesNothing) {
  FakeLink link;
  TSpectrumHostInfo info{',', ';', "", "Cv3Tools 1.22"};
  TSpectrumDlg dlg(nullptr, link, info);
  int beeps = 0, boxes = 0;
  dlg.showError = [&](const QString&, const QString&) { ++boxes; };
  dlg.beep = [&] { ++beeps; };
  auto settings = [&] {
    const TSpectrumSweep& s = dlg.Sweep();
    return std::make_tuple(s.initialFreq, s.finalFreq, s.stepFreq, s.timeStep, s.snapshots);
  };
  const auto before = settings();
  // Each field with a value it would take and one it would refuse.
  const std::pair<const char*, const char*> rows[] = {
      {"InitialFreqEdit", "1170"}, {"InitialFreqEdit", "862,1"}, {"FinalFreqEdit", "1200"}, {"FinalFreqEdit", "2151"},
      {"StepFreqEdit", "2"},       {"StepFreqEdit", "0,01"},     {"SnapsEdit", "3"},        {"SnapsEdit", "0"},
      {"TimeStepEdit", "7"},       {"TimeStepEdit", "x"},        {"CurrentFreqEdit", "1180"}, {"CurrentFreqEdit", "2000"}};
  for (const auto& [name, typed] : rows) {
    auto* edit = dlg.findChild<QLineEdit*>(name);
    ASSERT_NE(edit, nullptr) << name;
    for (Qt::FocusReason reason : {Qt::ActiveWindowFocusReason, Qt::PopupFocusReason}) {
      SCOPED_TRACE(std::string(name) + " " + typed + (reason == Qt::PopupFocusReason ? ", popup" : ", window"));
      const QString shown = edit->text();
      edit->setText(typed);
      QFocusEvent away(QEvent::FocusOut, reason);
      QCoreApplication::sendEvent(edit, &away);
      EXPECT_EQ(edit->text(), typed);
      EXPECT_EQ(beeps, 0);
      EXPECT_EQ(boxes, 0);
      EXPECT_EQ(settings(), before);
      edit->setText(shown);
    }
  }
  // Leaving the field takes it: the rows above would have seen it.
  auto* initial = dlg.findChild<QLineEdit*>("InitialFreqEdit");
  initial->setText("1170");
  QFocusEvent out(QEvent::FocusOut);
  QCoreApplication::sendEvent(initial, &out);
  EXPECT_FLOAT_EQ(dlg.Sweep().initialFreq, 1170.0f);
}
