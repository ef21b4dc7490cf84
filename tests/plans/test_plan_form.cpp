// The channel-plan editor's form: buttons and edits found by their control names drive the
// controller, the launcher shows the form, Edit opens the channel editor, Help opens the page.
#include <gtest/gtest.h>

#include <QApplication>
#include <QFrame>
#include <QProgressBar>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <functional>
#include <memory>

#include "AppServices.h"
#include "RecordingOpener.h"
#include "Chandlg.h"
#include "Chanplandlg.h"
#include "Cv3Equip.h"
#include "Help.h"
#include "HostForm.h"
#include "Messages.h"
#include "StartDir.h"

namespace {

// Runs `act` on the modal dialog of type T once its exec() has shown it.
template <class T>
void OnModal(std::function<void(T*)> act) {
  auto* timer = new QTimer;
  QObject::connect(timer, &QTimer::timeout, [timer, act] {
    if (auto* d = qobject_cast<T*>(QApplication::activeModalWidget())) {
      timer->stop();
      timer->deleteLater();
      act(d);
    }
  });
  timer->start(5);
}

// An offline editor (no port) working in a directory of its own, which is also the equipment's
// start directory.
class PlanForm : public testing::Test {
 protected:
  void SetUp() override {
    equip = std::make_unique<TCv3Equip>(&host.form, nullptr);
    dlg = std::make_unique<TChannelsPlanDlg>(&host.form, equip.get());
  }
  void TearDown() override { dlg.reset(); }
  template <class W = QPushButton>
  W* Find(const char* name) {
    W* w = dlg->findChild<W*>(name);
    EXPECT_NE(w, nullptr) << name;
    return w;
  }
  // The edit's exit handler runs as when the focus leaves it for another control (or, with another
  // reason, as when another window or a popup takes it).
  void TypeAndLeave(const char* name, const QString& text, Qt::FocusReason reason = Qt::TabFocusReason) {
    auto* e = Find<QLineEdit>(name);
    e->setText(text);
    QFocusEvent out(QEvent::FocusOut, reason);
    QApplication::sendEvent(e, &out);
  }

  StartDir dir;
  HostForm host;
  cv::RecordingPrompter prompter;
  std::unique_ptr<TCv3Equip> equip;
  std::unique_ptr<TChannelsPlanDlg> dlg;
};

TEST_F(PlanForm, ButtonsDriveTheControllerAndFollowTheSelection) {
  auto* list = Find<QListWidget>("ChanPlanListBox");
  EXPECT_EQ(list->count(), 0);
  for (const char* name : {"EditBtn", "DeleteBtn", "SaveBtn", "UpBtn", "DownBtn", "ExtractBtn", "SendBtn",
                           "ReceiveBtn"})
    EXPECT_FALSE(Find(name)->isEnabled()) << name;
  EXPECT_FALSE(Find<QLineEdit>("NameEdit")->isEnabled());

  Find("NewBtn")->click();
  Find("NewBtn")->click();
  ASSERT_EQ(list->count(), 32);
  EXPECT_EQ(list->item(0)->text(), "NEW");
  EXPECT_EQ(list->item(2)->text(), " -empty-");
  EXPECT_EQ(list->currentRow(), 1);
  EXPECT_EQ(Find<QLineEdit>("CodeEdit")->text(), "01");
  EXPECT_TRUE(Find<QLineEdit>("NameEdit")->isEnabled());
  for (const char* name : {"EditBtn", "DeleteBtn", "SaveBtn", "UpBtn", "ExtractBtn"})
    EXPECT_TRUE(Find(name)->isEnabled()) << name;
  // Without a port there is nothing to send to or receive from.
  EXPECT_FALSE(Find("SendBtn")->isEnabled());
  EXPECT_FALSE(Find("ReceiveBtn")->isEnabled());

  TypeAndLeave("NameEdit", "SECOND X");
  EXPECT_EQ(Find<QLineEdit>("NameEdit")->text(), "SECOND");
  EXPECT_EQ(list->item(1)->text(), "SECOND  ");
  Find<QComboBox>("BandCombo")->setCurrentIndex(1);
  emit Find<QComboBox>("BandCombo")->activated(1);
  EXPECT_EQ(dlg->Editor().planSlots[1].band, 'S');

  Find("UpBtn")->click();
  EXPECT_EQ(list->item(0)->text(), "SECOND  ");
  EXPECT_EQ(list->currentRow(), 0);
  Find("DeleteBtn")->click();
  EXPECT_EQ(list->item(0)->text(), " -empty-");
  EXPECT_EQ(list->currentRow(), 1);
  Find("DeleteBtn")->click();  // the last plan: back to the initial state
  EXPECT_EQ(list->count(), 0);
  EXPECT_FALSE(Find("EditBtn")->isEnabled());
  EXPECT_FALSE(dlg->Editor().modified);
}

// Another window or a popup taking the focus is no exit from a header field: nothing is stored
// until the focus moves within the dialog.
// The empty slot's name in a language with an accent fills the eight characters of the field whole
// and reaches the list as written.
TEST_F(PlanForm, AnEmptySlotKeepsItsAccentInTheList) {
  ASSERT_TRUE(cv::LoadLanguageTable(CV_BIN_DIR "/Cv3Tools.esp"));
  Find("NewBtn")->click();
  cv::ResetLanguageTable();
  auto* list = Find<QListWidget>("ChanPlanListBox");
  ASSERT_EQ(list->count(), 32);
  EXPECT_EQ(list->item(1)->text(), QString::fromUtf8(" -vacío-"));
  EXPECT_EQ(list->item(31)->text(), QString::fromUtf8(" -vacío-"));
}

TEST_F(PlanForm, HeaderFieldsStoreNothingWhenAnotherWindowTakesTheFocus) {
  Find("NewBtn")->click();
  auto* list = Find<QListWidget>("ChanPlanListBox");
  const int code = dlg->Editor().planSlots[0].code;
  for (Qt::FocusReason reason : {Qt::ActiveWindowFocusReason, Qt::PopupFocusReason}) {
    TypeAndLeave("NameEdit", "HALF", reason);
    EXPECT_EQ(list->item(0)->text(), "NEW") << reason;
    TypeAndLeave("CodeEdit", "77", reason);
    EXPECT_EQ(dlg->Editor().planSlots[0].code, code) << reason;
  }
  TypeAndLeave("NameEdit", "WHOLE");
  EXPECT_EQ(list->item(0)->text(), "WHOLE   ");
}

// A header field typed in and not left, then Esc or the close box: Close reads it first, so the
// question comes and Cancel keeps the editor and the value.
TEST_F(PlanForm, AFieldTypedAndNotLeftAsksBeforeEscAndTheCloseBoxLeave) {
  struct Row {
    const char* edit;
    const char* typed;
    std::function<bool(const PlanSlot&)> kept;
  } rows[] = {
      {"NameEdit", "TYPED", [](const PlanSlot& s) { return std::string(s.name) == "TYPED   "; }},
      {"CodeEdit", "77", [](const PlanSlot& s) { return s.code == 77; }},
      {"LNBEdit", "9750", [](const PlanSlot& s) { return s.lnbMHz == 9750.0f; }},
  };
  dlg->show();
  QApplication::setActiveWindow(dlg.get());
  ASSERT_TRUE(QTest::qWaitForWindowActive(dlg.get()));
  for (const Row& r : rows) {
    for (bool escape : {true, false}) {
      SCOPED_TRACE(std::string(r.edit) + (escape ? ", Esc" : ", close box"));
      if (dlg->Editor().planSelected) Find("DeleteBtn")->click();  // the one plan: back to none
      Find("NewBtn")->click();
      dlg->Editor().planSlots[0].band = 'S';
      dlg->Editor().modified = false;
      auto* e = Find<QLineEdit>(r.edit);
      e->setFocus();
      e->selectAll();
      QTest::keyClicks(e, r.typed);
      prompter.shown.clear();
      prompter.answers = {cv::MsgAnswer::Cancel};
      if (escape)
        QTest::keyClick(e, Qt::Key_Escape);
      else
        dlg->close();
      ASSERT_EQ(prompter.shown.size(), 1u);
      EXPECT_EQ(prompter.shown[0].text, "Data has been modified\nDo you want to save?");
      EXPECT_TRUE(dlg->isVisible());
      EXPECT_TRUE(r.kept(dlg->Editor().planSlots[0]));
    }
  }
  dlg->Editor().modified = false;
}

TEST_F(PlanForm, RefusedHeaderValueShowsTheStoredValueAgain) {
  Find("NewBtn")->click();
  struct Row {
    const char* edit;
    const char* typed;
    char band;
    const char* shown;
    int beeps;
  } rows[] = {
      {"CodeEdit", "256", 'T', "01", 1},
      {"CodeEdit", "", 'T', "01", 1},  // an emptied edit is refused too, not taken as 0
      {"CodeEdit", "12", 'T', "12", 0},
      {"LNBEdit", "52428.8", 'S', "0.0", 1},
      {"LNBEdit", "9750", 'S', "9750.0", 0},
      {"LNBEdit", "abc", 'S', "9750.0", 1},
      {"LNBEdit", "10600", 'T', "0.0", 1},  // a terrestrial plan has no LNB
  };
  for (const Row& r : rows) {
    dlg->Editor().planSlots[0].band = r.band;
    if (r.band == 'T') dlg->Editor().planSlots[0].lnbMHz = 0;
    prompter.beeps = 0;
    TypeAndLeave(r.edit, r.typed);
    EXPECT_EQ(Find<QLineEdit>(r.edit)->text(), r.shown) << r.edit << " " << r.typed;
    EXPECT_EQ(prompter.beeps, r.beeps) << r.edit << " " << r.typed;
  }
  EXPECT_EQ(dlg->Editor().planSlots[0].code, 12);
}

TEST_F(PlanForm, EditOpensTheChannelEditorOnTheSelectedPlan) {
  Find("NewBtn")->click();
  Find("NewBtn")->click();
  dlg->Editor().modified = false;
  OnModal<TChannelsDlg>([](TChannelsDlg* d) {
    d->findChild<QPushButton*>("AddBtn")->click();
    d->findChild<QPushButton*>("OKBtn")->click();
  });
  Find("EditBtn")->click();
  EXPECT_EQ(dlg->Editor().planSlots[1].Channels().size(), 1u);
  EXPECT_EQ(dlg->Editor().planSlots[1].channelCount, 1);
  EXPECT_EQ(dlg->Editor().planSlots[0].Channels().size(), 0u);
  EXPECT_EQ(Find<QLineEdit>("NumberChanEdit")->text(), "1");
  EXPECT_TRUE(dlg->Editor().modified);

  // Cancel leaves the plan as it was.
  dlg->Editor().modified = false;
  OnModal<TChannelsDlg>([](TChannelsDlg* d) {
    d->findChild<QPushButton*>("AddBtn")->click();
    d->findChild<QPushButton*>("CancelBtn")->click();
  });
  emit Find<QListWidget>("ChanPlanListBox")->itemDoubleClicked(nullptr);
  EXPECT_EQ(dlg->Editor().planSlots[1].Channels().size(), 1u);
  EXPECT_FALSE(dlg->Editor().modified);
}

// The gauge's frame is drawn where the form's layout put the gauge, not where the log form had it.
TEST_F(PlanForm, GaugeFrameSitsOnTheGauge) {
  dlg->show();
  QApplication::processEvents();
  EXPECT_NE(dlg->Gauge->geometry(), QRect(8, 8, 520, 18));
  EXPECT_EQ(dlg->GaugeBevel->geometry(), dlg->Gauge->geometry());
  EXPECT_FALSE(dlg->GaugeBevel->geometry().intersects(Find<QWidget>("ListBoxLabel")->geometry()));
  dlg->hide();
}

TEST_F(PlanForm, HelpOpensThePluginPageFromTheStartDirectory) {
  RecordingOpener opener;
  QDir(dir.path()).mkdir("help");
  QDir elsewhere(dir.path());
  elsewhere.mkdir("work");
  QDir::setCurrent(dir.filePath("work"));  // where a file dialog may have left it

  Find("HelpBtn")->click();
  ASSERT_EQ(prompter.shown.size(), 1u);
  EXPECT_EQ(prompter.shown[0].caption, "CvTools Error");
  EXPECT_TRUE(prompter.shown[0].text.contains("Cv3Tools.html")) << prompter.shown[0].text.toStdString();
  EXPECT_TRUE(opener.urls.empty());

  QFile page(dir.filePath("help/Cv3Tools.html"));
  ASSERT_TRUE(page.open(QIODevice::WriteOnly));
  page.close();
  Find("HelpBtn")->click();
  ASSERT_EQ(opener.urls.size(), 1u);
  EXPECT_EQ(opener.urls[0].toLocalFile(), QFileInfo(page).absoluteFilePath());
  EXPECT_EQ(QDir::currentPath(), dir.filePath("work"));
  EXPECT_EQ(cv::AppHelpFile(), "help\\Cv3Tools.hlp");
  cv::SetAppHelpFile("");
}

TEST_F(PlanForm, LauncherShowsTheEditorModallyAndLogsAroundIt) {
  dlg.reset();
  bool shown = false;
  OnModal<TChannelsPlanDlg>([&](TChannelsPlanDlg* d) {
    shown = true;
    d->findChild<QPushButton*>("NewBtn")->click();
    d->findChild<QPushButton*>("CloseBtn")->click();  // asks to save: No closes
  });
  prompter.answers = {cv::MsgAnswer::No};
  EXPECT_TRUE(equip->RunChannelEditor());
  EXPECT_TRUE(shown);
  ASSERT_EQ(prompter.shown.size(), 1u);
  EXPECT_EQ(prompter.shown[0].text, "Data has been modified\nDo you want to save?");
  EXPECT_EQ(host.Lines(), (QStringList{"Executing Channel Editor (without equipment)", "Channel Editor closed. Ready"}));
}

}  // namespace
