// The memory editor while Receive, Send One and Send All talk to the simulated meter: a person
// presses every button, double-clicks the list, presses Esc and the close box from inside the run
// (when its gauge moves or it logs, as a window event let run there would). Nothing acts: the
// wire carries what an undisturbed run carries, the editor stays open, and each control is back
// as it was.
#include <gtest/gtest.h>

#include <QApplication>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "FileDialogs.h"
#include "Memdlg.h"
#include "MemoryTestKit.h"
#include "SimOnCom1.h"

namespace {

class MemoryLockout : public testing::Test, public SimOnCom1 {
 public:
  void SetUp() override {
    ASSERT_NO_FATAL_FAILURE(StartSim());
    port.timeScale = 0.15;
    rig = std::make_unique<memtest::Rig>(&port);
    ASSERT_NO_FATAL_FAILURE(SettleAndOpen());
    ASSERT_NO_FATAL_FAILURE(SettleAfterWakeLine());
  }
  void TearDown() override { port.Close(); }

  struct Seen {
    bool pressed = false, anyOn = true, stayed = false, edited = false;
    std::vector<std::string> lines;  // on the wire during the run
  };

  // A new editor with the meter's memories received, memory 4 selected; then `button` clicked,
  // with every control pressed, when `disturb`, once the run's gauge reaches `percent` or, with
  // `percent` 0, at its first log line.
  Seen Run(QPushButton* TMemoryDlg::*button, int percent, bool disturb) {
    Seen seen;
    TMemoryDlg d(nullptr, &rig->equip);
    d.show();
    d.ReceiveBtn->click();
    EXPECT_EQ(d.MemoryListBox->count(), 99);
    d.MemoryListBox->setCurrentRow(3);
    d.settingsEditor = [&](TMemoryDlg*) { return seen.edited = true; };
    const QList<QPushButton*> locked = {d.SaveBtn, d.ReadBtn, d.EditBtn, d.SendOneBtn,
                                        d.SendBtn, d.ReceiveBtn, d.CloseBtn};
    const QString enabledBefore = Enabled(d);
    bool armed = false;
    auto press = [&] {
      if (!armed || seen.pressed) return;
      seen.pressed = true;
      seen.anyOn = d.MemoryListBox->isEnabled();
      for (QPushButton* b : locked) {
        seen.anyOn = seen.anyOn || b->isEnabled();
        QTest::mouseClick(b, Qt::LeftButton);
      }
      QListWidget* list = d.MemoryListBox;
      QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(6)).center());
      QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : &d, Qt::Key_Escape);
      d.close();
      seen.stayed = d.isVisible();
    };
    if (percent > 0)
      QObject::connect(d.Gauge, &QProgressBar::valueChanged, &d, [&](int v) {
        if (v >= percent) press();
      });
    else
      QObject::connect(rig->host.memo, &QPlainTextEdit::textChanged, &d, press);
    sim->WaitTxIdle();
    sim->ClearTraffic();
    armed = disturb;
    (d.*button)->click();
    armed = false;
    seen.lines = sim->Lines();
    EXPECT_EQ(Enabled(d), enabledBefore);
    return seen;
  }

  static QString Enabled(TMemoryDlg& d) {
    QString s;
    for (QWidget* w : std::initializer_list<QWidget*>{d.SaveBtn, d.ReadBtn, d.EditBtn, d.SendOneBtn, d.SendBtn,
                                                      d.ReceiveBtn, d.HelpBtn, d.CloseBtn, d.MemoryListBox})
      if (w->isEnabled()) s += w->objectName() + " ";
    return s;
  }

  std::unique_ptr<memtest::Rig> rig;
  cv::RecordingPrompter prompter;
  cv::RecordingFileChooser chooser;
};

TEST_F(MemoryLockout, NoControlActsWhileMemoriesTravel) {
  struct Case {
    const char* name;
    QPushButton* TMemoryDlg::*button;
    int percent;  // of the gauge at the presses; 0: at the first log line
  } cases[] = {
      {"Receive", &TMemoryDlg::ReceiveBtn, 10},
      {"Send One", &TMemoryDlg::SendOneBtn, 0},  // no gauge: it logs once the memory is sent
      {"Send All", &TMemoryDlg::SendBtn, 10},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const Seen calm = Run(c.button, c.percent, false);
    const Seen fire = Run(c.button, c.percent, true);
    EXPECT_TRUE(fire.pressed) << "the run ended before the presses";
    EXPECT_FALSE(fire.anyOn);
    EXPECT_TRUE(fire.stayed);
    EXPECT_FALSE(fire.edited) << "the double-click opened the settings";
    EXPECT_EQ(fire.lines, calm.lines);
    EXPECT_TRUE(prompter.shown.empty());
    EXPECT_TRUE(chooser.opens.isEmpty() && chooser.saves.isEmpty());
  }
}

}  // namespace
