// The memory editor while Receive, Send One and Send All talk to the simulated meter: a person
// clicks every button, double-clicks the list, presses Esc and the close box during the run (when
// its gauge moves or it logs). The window system holds that input while the run lets none through
// and delivers it when it can. Nothing acts, then or afterwards: the wire carries what an
// undisturbed run carries, no second run starts, the editor stays open, and each control is back
// as it was.
#include <gtest/gtest.h>

#include <QApplication>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <QTemporaryDir>
#include <QTimer>

#include "FileDialogs.h"
#include "HeldInput.h"
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
    std::vector<std::string> lines;  // on the wire from the click until every event has run
    size_t boxes = 0;
  };

  // A new editor with the meter's memories received, memory 4 selected (with `saveFirst`, edited
  // too, and the save question answered Yes); then `button` clicked, and when `disturb`, input
  // queued to the editor's window once the run's gauge reaches `percent` or, with `percent` 0, at
  // its first log line.
  Seen Run(QPushButton* TMemoryDlg::*button, int percent, bool disturb, bool saveFirst = false) {
    Seen seen;
    TMemoryDlg d(nullptr, &rig->equip);
    d.show();
    d.ReceiveBtn->click();
    EXPECT_EQ(d.MemoryListBox->count(), 99);
    d.MemoryListBox->setCurrentRow(3);
    if (saveFirst) {
      d.settingsEditor = [](TMemoryDlg*) { return true; };
      d.EditBtn->click();
      EXPECT_TRUE(d.Editor().modified);
      rig->prompter.answers.push_back(cv::MsgAnswer::Yes);
      chooser.saveAnswers << dir.filePath("before.csv");
    }
    d.settingsEditor = [&](TMemoryDlg*) { return seen.edited = true; };
    cvtest::DrainEvents();
    const QList<QWidget*> locked = {d.SaveBtn, d.ReadBtn, d.EditBtn, d.SendOneBtn, d.SendBtn, d.ReceiveBtn, d.CloseBtn};
    const QString enabledBefore = Enabled(d);
    bool armed = false;
    auto press = [&] {
      if (!armed || seen.pressed) return;
      seen.pressed = true;
      seen.anyOn = d.MemoryListBox->isEnabled();
      for (QWidget* b : locked) seen.anyOn = seen.anyOn || b->isEnabled();
      QListWidget* list = d.MemoryListBox;
      cvtest::QueueDoubleClick(list->viewport(), list->visualItemRect(list->item(6)).center());
      cvtest::QueueEverything(d, locked);
    };
    if (percent > 0)
      QObject::connect(d.Gauge, &QProgressBar::valueChanged, &d, [&](int v) {
        if (v >= percent) press();
      });
    else
      QObject::connect(rig->host.memo, &QPlainTextEdit::textChanged, &d, press);
    sim->WaitTxIdle();
    sim->ClearTraffic();
    rig->prompter.shown.clear();
    armed = disturb;
    (d.*button)->click();
    armed = false;
    cvtest::DrainEvents();
    seen.lines = sim->Lines();
    seen.stayed = d.isVisible();
    seen.boxes = rig->prompter.shown.size();
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
  QTemporaryDir dir;
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
    EXPECT_EQ(fire.lines, calm.lines) << "a held click started another run";
    EXPECT_EQ(fire.boxes, 0u);
    EXPECT_TRUE(chooser.opens.isEmpty() && chooser.saves.isEmpty());
  }
}

// Receive over unsaved edits first saves them (Yes to the question). The save hands the editor's
// buttons back as a save ends, but the Receive that follows still holds every control off: the
// input of a person during it falls on the locked form.
TEST_F(MemoryLockout, TheSaveBeforeAReceiveKeepsTheEditorLocked) {
  const Seen calm = Run(&TMemoryDlg::ReceiveBtn, 10, false, true);
  const Seen fire = Run(&TMemoryDlg::ReceiveBtn, 10, true, true);
  EXPECT_EQ(chooser.saves.size(), 2) << "each run saved first";
  EXPECT_EQ(calm.boxes, 1u) << "the save question";
  EXPECT_EQ(fire.boxes, 1u);
  EXPECT_TRUE(fire.pressed);
  EXPECT_FALSE(fire.anyOn) << "the save turned controls on for the Receive";
  EXPECT_TRUE(fire.stayed);
  EXPECT_FALSE(fire.edited);
  EXPECT_EQ(fire.lines, calm.lines);
}

}  // namespace
