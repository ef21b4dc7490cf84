// The memory editor's form as the CORVANE-3 launcher opens it: its controls, its buttons offline
// and online, the list it shows, Edit, the close question and Help.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>

#include "Memdlg.h"
#include "MemoryTestKit.h"
#include "ModalHelper.h"
#include "RecordingOpener.h"
#include "SimOnCom1.h"
#include "StartDir.h"

namespace {

const char* const kControls[] = {"Label1",     "MemoryListBox", "SaveBtn", "ReadBtn", "EditBtn", "SendOneBtn",
                                 "SendBtn",    "ReceiveBtn",    "HelpBtn", "CloseBtn", "Gauge",  "Bevel1"};

QString Enabled(TMemoryDlg* d) {
  QString s;
  for (QPushButton* b : {d->SaveBtn, d->ReadBtn, d->EditBtn, d->SendOneBtn, d->SendBtn, d->ReceiveBtn, d->HelpBtn,
                         d->CloseBtn})
    if (b->isEnabled()) s += b->objectName() + " ";
  return s.trimmed();
}

TEST(MemoryForm, OfflineFromTheLauncher) {
  HostForm host;
  TCv3Equip equip(&host.form, nullptr);
  equip.decimalSeparator = ',';
  equip.listSeparator = ';';
  cv::RecordingPrompter prompter;
  bool ran = false;
  cvtest::WhenModal<TMemoryDlg>([&](TMemoryDlg* d) {
    ran = true;
    EXPECT_EQ(d->windowTitle(), "Memory Editor");
    for (const char* name : kControls) EXPECT_NE(d->findChild<QWidget*>(name), nullptr) << name;
    EXPECT_EQ(Enabled(d), "ReadBtn HelpBtn CloseBtn");
    EXPECT_EQ(d->Label1->text(), "Measurement Config. &List:");
    EXPECT_EQ(d->SendOneBtn->toolTip(), "Send selected memory to Cv3");

    cvtest::PickFile(QString(CV_TEST_DATA_DIR) + "/memories/semicolon.csv");
    d->ReadBtn->click();
    EXPECT_EQ(d->MemoryListBox->count(), 99);
    EXPECT_EQ(d->MemoryListBox->item(0)->text(), " 1 M001 TER   53,25");
    EXPECT_EQ(d->MemoryListBox->item(98)->text(), "99 M099 TER  837,25");
    EXPECT_EQ(Enabled(d), "SaveBtn ReadBtn EditBtn HelpBtn CloseBtn");
    EXPECT_EQ(d->Gauge->value(), 100);

    // Edit hands the selected memory over; an OK marks the set modified and shows the change.
    int edited = -1;
    d->settingsEditor = [&](TMemoryDlg* owner) {
      edited = owner->Editor().listIndex;
      owner->Editor().current.freq = 474.0f;
      return true;
    };
    d->MemoryListBox->setCurrentRow(2);
    d->EditBtn->click();
    EXPECT_EQ(edited, 2);
    EXPECT_TRUE(d->Editor().modified);
    EXPECT_EQ(d->MemoryListBox->item(2)->text(), " 3 M003 TER  474,00");
    EXPECT_EQ(d->MemoryListBox->currentRow(), 2);

    // Esc asks as Close does: Cancel keeps the editor, No closes it.
    prompter.answers = {cv::MsgAnswer::Cancel, cv::MsgAnswer::No};
    QTest::keyClick(d, Qt::Key_Escape);
    EXPECT_TRUE(d->isVisible());
    d->CloseBtn->click();
    EXPECT_EQ(prompter.shown.size(), 2u);
  });
  EXPECT_TRUE(equip.RunMemoryEditor());
  EXPECT_TRUE(ran);
  QStringList log = host.Lines();
  ASSERT_GE(log.size(), 2);
  EXPECT_EQ(log.first(), "Executing Memory Editor (without equipment)");
  EXPECT_EQ(log.last(), "Memory Editor closed. Ready");
}

// The editor has no field to type in: an edit reaches it through the settings dialog's OK. Esc
// and the close box then ask as Close does; Cancel keeps the editor and the edit, No leaves.
TEST(MemoryForm, EscAndTheCloseBoxAskAfterAnEdit) {
  for (const bool escape : {true, false}) {
    SCOPED_TRACE(escape ? "Esc" : "close box");
    HostForm host;
    TCv3Equip equip(&host.form, nullptr);
    cv::RecordingPrompter prompter;
    TMemoryDlg d(nullptr, &equip);
    d.Editor().records = memtest::DefaultRecords();
    d.Editor().loaded = true;
    d.Editor().EnableControls(true);
    d.Editor().FillMemoryList();
    d.settingsEditor = [](TMemoryDlg* owner) {
      owner->Editor().current.freq = 474.0f;
      return true;
    };
    d.show();
    d.MemoryListBox->setCurrentRow(2);
    d.EditBtn->click();
    d.MemoryListBox->setFocus();
    auto leave = [&] {
      if (escape)
        QTest::keyClick(d.MemoryListBox, Qt::Key_Escape);
      else
        d.close();
    };
    prompter.answers = {cv::MsgAnswer::Cancel, cv::MsgAnswer::No};
    leave();
    ASSERT_EQ(prompter.shown.size(), 1u);
    EXPECT_EQ(prompter.shown[0].text, "Data has been modified\nDo you want to save?");
    EXPECT_TRUE(d.isVisible());
    EXPECT_EQ(d.Editor().records[2].freq, 474.0f);
    EXPECT_TRUE(d.Editor().modified);
    leave();
    EXPECT_EQ(prompter.shown.size(), 2u);
    EXPECT_FALSE(d.isVisible());
  }
}

class MemoryFormSim : public testing::Test, public SimOnCom1 {};

TEST_F(MemoryFormSim, ReceiveFromTheLauncherShowsTheList) {
  ASSERT_NO_FATAL_FAILURE(StartSim());
  HostForm host;
  TCv3Equip equip(&host.form, &port);
  equip.decimalSeparator = '.';
  Settle();
  host.Clear();
  cv::RecordingPrompter prompter;
  cvtest::WhenModal<TMemoryDlg>([&](TMemoryDlg* d) {
    EXPECT_EQ(Enabled(d), "ReadBtn ReceiveBtn HelpBtn CloseBtn");
    d->ReceiveBtn->click();
    EXPECT_EQ(d->MemoryListBox->count(), 99);
    EXPECT_EQ(d->MemoryListBox->item(1)->text(), " 2 M002 TER   61.25");
    EXPECT_EQ(Enabled(d), "SaveBtn ReadBtn EditBtn SendOneBtn SendBtn ReceiveBtn HelpBtn CloseBtn");
    EXPECT_TRUE(prompter.shown.empty());
    d->CloseBtn->click();
  });
  EXPECT_TRUE(equip.RunMemoryEditor());
  QStringList log = host.Lines();
  ASSERT_GE(log.size(), 4);
  EXPECT_EQ(log[0], "Executing Memory Editor");
  EXPECT_EQ(log[1], "Receiving memories from equipment...");
  EXPECT_EQ(log[2], "Receiving memories complete");
  EXPECT_EQ(log[3], "Memory Editor closed. Ready");
  EXPECT_FALSE(port.IsOpen());
}

TEST(MemoryForm, HelpOpensTheMemoryEditorSection) {
  StartDir dir;
  HostForm host;
  TCv3Equip equip(&host.form, nullptr);
  ASSERT_TRUE(QDir(dir.path()).mkpath("help"));
  ASSERT_TRUE(QDir(dir.path()).mkpath("work"));
  const QString page = dir.filePath("help/Cv3Tools.html");
  ASSERT_TRUE(QFile::copy(QStringLiteral(CV_BIN_DIR "/help/Cv3Tools.html"), page));
  const std::string html = memtest::ReadAll(page);
  QDir::setCurrent(dir.filePath("work"));
  TMemoryDlg dialog(nullptr, &equip);
  RecordingOpener opener;
  dialog.HelpBtn->click();
  ASSERT_EQ(opener.urls.size(), 1u);
  EXPECT_EQ(opener.urls[0].toLocalFile(), QFileInfo(page).absoluteFilePath());
  EXPECT_EQ(opener.urls[0].fragment(), "MemoryEditor");
  EXPECT_NE(html.find("id=\"MemoryEditor\""), std::string::npos);
  EXPECT_EQ(QDir::currentPath(), dir.filePath("work"));
  cv::SetAppHelpFile("");
}

}  // namespace
