// The TV MIRELTO plan editor's form: the launcher shows it, EXIT and the close box ask about
// changed plans, HELP opens the page, the lists show the store, the receive dialog's buttons.
#include <gtest/gtest.h>

#include <QApplication>
#include <functional>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include "AppServices.h"
#include "FileDialogs.h"
#include "Help.h"
#include "LogoImage.h"
#include "HostForm.h"
#include "ModalHelper.h"
#include "RecordingOpener.h"
#include "StartDir.h"
#include "Xr9Chanplandlg.h"
#include "Xr9Equip.h"

namespace {

using cv::xr9::TChannelsPlanDlg;
using cv::xr9::TReceivePlansDlg;

class Xr9PlanForm : public ::testing::Test {
 protected:
  void SetUp() override {
    equip = std::make_unique<cv::xr9::TXR9Equip>(&host.form, nullptr);
    dlg = std::make_unique<TChannelsPlanDlg>(&host.form, equip.get());
  }
  template <class W = QPushButton>
  W* Find(const char* name, QWidget* in = nullptr) {
    W* w = (in ? in : dlg.get())->findChild<W*>(name);
    EXPECT_NE(w, nullptr) << name;
    return w;
  }
  QStringList Items(const char* list) {
    QStringList l;
    auto* box = Find<QListWidget>(list);
    for (int i = 0; i < box->count(); ++i) l << box->item(i)->text();
    return l;
  }

  StartDir start;
  HostForm host;
  cv::RecordingPrompter prompter;
  std::unique_ptr<cv::xr9::TXR9Equip> equip;
  std::unique_ptr<TChannelsPlanDlg> dlg;
};

TEST_F(Xr9PlanForm, TheFormAndWhatItsListsShow) {
  EXPECT_EQ(dlg->windowTitle(), "TV MIRELTO Channel Plan Editor");
  EXPECT_EQ(dlg->size(), QSize(792, 476));
  for (const char* name : {"ReadBtn", "AddChannelSetBtn", "ReceiveBtn", "SavePROFileBtn", "SaveBtn", "SendAllBtn",
                           "SendBtn", "CloseBtn", "HelpBtn", "AddChannelBtn", "DeleteChannelBtn", "AddPlanBtn",
                           "DeletePlanBtn", "MovePlanUpBtn", "MoveDownPlanBtn", "AddComChanSYSBtn", "DelComChanBtn",
                           "AddComPlanBWBtn", "DelComPlanBtn"})
    Find(name);
  EXPECT_EQ(Find("ReceiveBtn")->toolTip(), "Receive plans from a Veldix-5 connected through serial port");
  EXPECT_EQ(Find<QListWidget>("PlanListBox")->palette().color(QPalette::Base), QColor(0xFF, 0x99, 0x77));
  EXPECT_EQ(Find<QListWidget>("PlanListBox")->palette().color(QPalette::Text), QColor(0, 0, 0x66));
  EXPECT_GT(Find<QComboBox>("ComChanTYPEComboBox")->count(), 1);
  // Offline: nothing to save or send, nothing to receive.
  for (const char* name : {"SaveBtn", "SavePROFileBtn", "SendBtn", "SendAllBtn", "ReceiveBtn"})
    EXPECT_FALSE(Find(name)->isEnabled()) << name;

  Find("AddPlanBtn")->click();
  Find("AddPlanBtn")->click();
  dlg->Editor().plans[1].Name = "MADRID";
  Find("AddChannelBtn")->click();
  dlg->RefreshAll();
  EXPECT_EQ(Items("PlanListBox"), (QStringList{"(TER) NEW", "(TER) MADRID"}));
  EXPECT_EQ(Find<QListWidget>("PlanListBox")->currentRow(), 1);
  EXPECT_EQ(Find<QLabel>("ChannelLabel")->text(), "CHANNELS IN MADRID:");
  EXPECT_EQ(Items("ChanListBox"), QStringList{" no-name (497.25)"});
  EXPECT_TRUE(Find("SaveBtn")->isEnabled());
  EXPECT_FALSE(Find("SendBtn")->isEnabled());
  Find<QListWidget>("PlanListBox")->setCurrentRow(0);
  EXPECT_EQ(dlg->Editor().planIndex, 0);
  EXPECT_TRUE(Items("ChanListBox").isEmpty());
  EXPECT_EQ(Find<QLabel>("ChannelLabel")->text(), "CHANNELS IN NEW:");
}

TEST_F(Xr9PlanForm, ExitAndTheCloseBoxAskAboutChangedPlans) {
  Find("AddPlanBtn")->click();  // one changed plan
  dlg->show();
  struct Row {
    const char* name;
    std::function<void()> close;
  } rows[] = {
      {"EXIT", [this] { Find("CloseBtn")->click(); }},
      {"close box", [this] { dlg->close(); }},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    prompter.shown.clear();
    prompter.answers = {cv::MsgAnswer::Cancel};
    r.close();
    EXPECT_TRUE(dlg->isVisible());
    ASSERT_EQ(prompter.shown.size(), 1u);
    EXPECT_EQ(prompter.shown[0].text,
              "The loaded data have changed and will be lost.\nDo you want to save them?\nPlans not saved: NEW");
    prompter.answers = {cv::MsgAnswer::Yes};
    r.close();
    EXPECT_TRUE(dlg->isVisible());
    prompter.answers = {cv::MsgAnswer::No};
    r.close();
    EXPECT_FALSE(dlg->isVisible());
    EXPECT_EQ(prompter.shown.size(), 3u);
    dlg->show();
  }
  dlg->hide();
}

// Esc and the close box right after typing, the focus still in the field: what was typed is read
// first, so the question comes and Cancel keeps the dialog with the value stored.
TEST_F(Xr9PlanForm, EscAndTheCloseBoxReadTheFieldBeingTyped) {
  struct Field {
    const char* name;
    const char* typed;
    std::function<bool(const cv::xr9::TPlanXR9&)> stored;
  } fields[] = {
      {"PlanNameEdit", "MADRID", [](const cv::xr9::TPlanXR9& p) { return p.Name == "MADRID"; }},
      {"ChannelNameEdit", "K21", [](const cv::xr9::TPlanXR9& p) { return std::string((*p.Channels)[0].name).find("K21") != std::string::npos; }},
      {"FreqEdit", "482.25", [](const cv::xr9::TPlanXR9& p) { return (*p.Channels)[0].value1 == 482250u; }},
  };
  struct Way {
    const char* name;
    std::function<void(QWidget*)> leave;
  } ways[] = {
      {"Esc", [](QWidget* field) { QTest::keyClick(field, Qt::Key_Escape); }},
      {"close box", [this](QWidget*) { dlg->close(); }},
  };
  for (const Field& f : fields) {
    for (const Way& w : ways) {
      SCOPED_TRACE(std::string(f.name) + " " + w.name);
      dlg = std::make_unique<TChannelsPlanDlg>(&host.form, equip.get());
      Find("AddPlanBtn")->click();
      Find("AddChannelBtn")->click();
      dlg->Editor().ClearModifiedMarks();
      dlg->show();
      QApplication::setActiveWindow(dlg.get());
      ASSERT_TRUE(QTest::qWaitForWindowActive(dlg.get()));
      auto* field = Find<QLineEdit>(f.name);
      field->setFocus();
      field->selectAll();
      QTest::keyClicks(field, f.typed);
      prompter.shown.clear();
      prompter.answers = {cv::MsgAnswer::Cancel};
      w.leave(field);
      ASSERT_EQ(prompter.shown.size(), 1u);
      EXPECT_TRUE(prompter.shown[0].text.startsWith("The loaded data have changed and will be lost."));
      EXPECT_TRUE(dlg->isVisible());
      EXPECT_TRUE(f.stored(dlg->Editor().plans[0]));
      EXPECT_EQ(dlg->Editor().plans[0].Modified, 1);
      prompter.answers = {cv::MsgAnswer::No};
      w.leave(field);
      EXPECT_FALSE(dlg->isVisible());
    }
  }
}

TEST_F(Xr9PlanForm, HelpOpensThePageAtItsTopic) {
  RecordingOpener opener;
  QDir(start.path()).mkdir("help");
  QFile page(start.filePath("help/XR9Tools.html"));
  ASSERT_TRUE(page.open(QIODevice::WriteOnly));
  page.close();
  QDir(start.path()).mkdir("work");
  QDir::setCurrent(start.filePath("work"));  // where a file dialog may have left it
  Find("HelpBtn")->click();
  ASSERT_EQ(opener.urls.size(), 1u) << (prompter.shown.empty() ? "" : prompter.shown[0].text.toStdString());
  EXPECT_EQ(opener.urls[0].fragment(), "ChannelEditor");
  EXPECT_EQ(QFileInfo(opener.urls[0].toLocalFile()).fileName(), "XR9Tools.html");
  EXPECT_EQ(QDir::currentPath(), QDir(start.filePath("work")).canonicalPath());
  EXPECT_EQ(cv::AppHelpFile(), "help\\XR9Tools.hlp");
  cv::SetAppHelpFile("");
}

TEST_F(Xr9PlanForm, TheLauncherShowsTheEditor) {
  bool shown = false;
  cvtest::WhenModal<TChannelsPlanDlg>([&](TChannelsPlanDlg* d) {
    shown = true;
    d->findChild<QPushButton*>("CloseBtn")->click();
  });
  EXPECT_TRUE(equip->RunChannelEditor());
  EXPECT_TRUE(shown);
  EXPECT_TRUE(prompter.shown.empty());
}

// What a new user sees first: every caption whole in this platform's fonts, the receive list's
// longest line whole, the channel label's own caption, the plan BW controls off for the TER and
// ANALOG shown, and the logo band drawn.
TEST_F(Xr9PlanForm, AtStartEveryCaptionIsWhole) {
  const std::vector<std::string> lines = {"(PROT.SAT) ASTRA 19.2E", "(MOD. TER) WWWWWWWWWWWW"};
  TReceivePlansDlg receive(dlg.get(), dlg->Editor(), equip.get(), lines);
  for (QWidget* form : {static_cast<QWidget*>(dlg.get()), static_cast<QWidget*>(&receive)})
    for (QWidget* w : form->findChildren<QWidget*>())
      EXPECT_TRUE(cv::xr9::CaptionFits(w)) << w->objectName().toStdString();
  QListWidget* list = receive.PlansCheckListBox;
  receive.show();
  for (int i = 0; i < list->count(); ++i)
    EXPECT_LE(list->visualItemRect(list->item(i)).x() + list->sizeHintForColumn(0), list->viewport()->width()) << i;
  EXPECT_LE(Find("ReceiveBtn", &receive)->geometry().right(), receive.width());
  EXPECT_GE(Find("ReceiveBtn", &receive)->x(), list->geometry().right());
  receive.hide();

  EXPECT_EQ(Find<QLabel>("ChannelLabel")->text(), "CHANNELS:");
  EXPECT_EQ(Find<QComboBox>("ComPlanTYPEComboBox")->currentText().trimmed(), "ANALOG");
  EXPECT_FALSE(Find<QWidget>("ComPlanBWEdit")->isEnabled());
  EXPECT_FALSE(Find<QWidget>("AddComPlanBWBtn")->isEnabled());
  auto* logo = qobject_cast<TLogoImage*>(Find<QLabel>("Image3"));
  ASSERT_NE(logo, nullptr);
  EXPECT_FALSE(logo->Shown().isNull());
}

// The editor and the main form went behind the receive dialog; when it closes the person goes on
// in the editor, not behind the main form.
TEST_F(Xr9PlanForm, TheEditorComesBackAfterTheReceiveDialog) {
  host.form.show();
  dlg->show();
  QApplication::setActiveWindow(dlg.get());
  ASSERT_TRUE(QTest::qWaitForWindowActive(dlg.get()));
  dlg->SendBehind();
  QApplication::setActiveWindow(&host.form);
  cvtest::WhenModal<TReceivePlansDlg>([](TReceivePlansDlg* d) { d->findChild<QPushButton*>("CancelBtn")->click(); });
  EXPECT_EQ(dlg->RunReceiveDialog(dlg->Editor(), {"(PROT.TER) A"}), cv::xr9::ReceiveChoice::Cancel);
  EXPECT_TRUE(QTest::qWaitForWindowActive(dlg.get()));
  dlg->hide();
  host.form.hide();
}

TEST_F(Xr9PlanForm, TheReceiveDialogStaysOpenWithNothingTicked) {
  TReceivePlansDlg receive(dlg.get(), dlg->Editor(), equip.get(), {"(PROT.TER) A", "(MOD. SAT) B", "(PROT.SAT) C"});
  EXPECT_EQ(receive.windowTitle(), "SELECT");
  EXPECT_EQ(receive.size(), QSize(297, 290));
  struct Row {
    const char* button;
    int result;
  } rows[] = {{"ReceiveBtn", TReceivePlansDlg::ResultOk}, {"EraseBtn", TReceivePlansDlg::ResultYes}};
  for (const Row& r : rows) {
    SCOPED_TRACE(r.button);
    dlg->Editor().ClearDirectory();
    prompter.shown.clear();
    receive.setResult(-1);
    receive.show();
    Find("UnselectAllBtn", &receive)->click();
    Find(r.button, &receive)->click();
    EXPECT_TRUE(receive.isVisible());
    EXPECT_EQ(receive.result(), -1);
    ASSERT_EQ(prompter.shown.size(), 1u);
    EXPECT_EQ(prompter.shown[0].text, "No plan selected!");

    Find("SelectAllBtn", &receive)->click();
    receive.PlansCheckListBox->item(1)->setCheckState(Qt::Unchecked);
    prompter.answers = {cv::MsgAnswer::Yes};  // the erase question
    Find(r.button, &receive)->click();
    EXPECT_FALSE(receive.isVisible());
    EXPECT_EQ(receive.result(), r.result);
    const auto& dir = dlg->Editor().directory;
    EXPECT_EQ((std::vector<int>{dir[0].Selected, dir[1].Selected, dir[2].Selected}), (std::vector<int>{1, 0, 1}));
  }
  // Erase answered No: cancelled, nothing marked.
  dlg->Editor().ClearDirectory();
  receive.show();
  Find("SelectAllBtn", &receive)->click();
  prompter.answers = {cv::MsgAnswer::No};
  Find("EraseBtn", &receive)->click();
  EXPECT_EQ(receive.result(), TReceivePlansDlg::ResultCancel);
  EXPECT_EQ(dlg->Editor().directory[0].Selected, 0);
  ASSERT_FALSE(prompter.shown.empty());
  EXPECT_EQ(prompter.shown.back().text, "Selected plans will be deleted in the equipment\nAre you sure?");
  EXPECT_EQ(prompter.shown.back().caption, "Warning");
}

}  // namespace

namespace {

// LOAD ONE PLAN and LOAD CANALIZATION reach the loaders from the form, and the plan list shows
// what they loaded.
TEST_F(Xr9PlanForm, LoadButtonsFillThePlanList) {
  QTemporaryDir dir;
  cv::xr9::TPlanXR9 plan;
  plan.InUse = 3;
  plan.Name = "P";
  plan.Channels = std::vector<cv::xr9::TChanXR9>{cv::xr9::TChanXR9("ONE", 474000, 474000)};
  plan.ChannelCount = 1;
  const std::string can = dir.filePath("Mine.can").toStdString();
  ASSERT_TRUE(cv::xr9::WriteBinaryPlan(can, plan, 0, {&prompter, {}, {}}));
  QFile script(dir.filePath("set.PRO"));
  ASSERT_TRUE(script.open(QIODevice::WriteOnly));
  script.write("SENDRESOURCE Mine.CAN  01\nSENDRESOURCE MINE.can 01\n");
  script.close();

  cv::RecordingFileChooser chooser;
  chooser.openAnswers << QStringList{QString::fromStdString(can)};
  Find("AddChannelSetBtn")->click();
  EXPECT_EQ(Items("PlanListBox"), QStringList{"(TER) Mine"});

  chooser.openAnswers << QStringList{dir.filePath("set.PRO")};
  Find("ReadBtn")->click();
  EXPECT_EQ(Items("PlanListBox"), (QStringList{"(TER) Mine", "(TER) MINE"}));
  EXPECT_TRUE(Find("SaveBtn")->isEnabled());
}

}  // namespace
