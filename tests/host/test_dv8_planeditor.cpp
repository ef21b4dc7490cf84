// The DV-800 channel-plan editor opened from the main window after Select without an instrument:
// a plan made with New, its channels from a block, one plan added from a plan text file, the
// plan extracted, the canalization saved (a golden file) and read back; Send and Receive stay off.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QFileDialog>
#include <QFocusEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>
#include <fstream>
#include <functional>
#include <sstream>

#include "AppServices.h"
#include "FamilyOnCom3.h"
#include "HostHome.h"
#include "Mainform.h"
#include "Selectdlg.h"
#include "ToolButtons.h"

namespace {

std::string ReadAll(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll().toStdString() : std::string("<missing>");
}

// Runs `step` on the modal window the next click opens.
void OnNextModal(const std::function<void(QWidget*)>& step) {
  QTimer::singleShot(0, [step] {
    QWidget* dlg = QApplication::activeModalWidget();
    ASSERT_NE(dlg, nullptr);
    step(dlg);
  });
}

// Answers the file dialog the next click opens with `path`.
void ChooseFile(const QString& path) {
  OnNextModal([path](QWidget* w) {
    auto* d = qobject_cast<QFileDialog*>(w);
    ASSERT_NE(d, nullptr);
    d->selectFile(path);
    QMetaObject::invokeMethod(d, "accept");
  });
}

template <class T>
T* Child(QWidget* dlg, const char* name) {
  T* c = dlg->findChild<T*>(name);
  EXPECT_NE(c, nullptr) << name;
  return c;
}

void Leave(QWidget* edit) {
  QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
  QCoreApplication::sendEvent(edit, &out);
}

QStringList Items(QListWidget* list) {
  QStringList out;
  for (int i = 0; i < list->count(); ++i) out << list->item(i)->text().trimmed();
  return out;
}

TEST(Dv8PlanEditorOffline, NewBlockAddExtractSaveAndReadWithoutAnInstrument) {
  HostHome home;
  std::unique_ptr<cvsim::Simulator> sim;
  ASSERT_NO_FATAL_FAILURE(PlaceFamilyOnCom3(home, "DV8Tools", "dv8", sim));
  ASSERT_TRUE(QFile::copy(QString(CV_TEST_DATA_DIR) + "/dv8/plan_semicolon.csv", home.filePath("test.csv")));
  cv::RecordingPrompter prompter;
  TMainForm w;
  OnNextModal([](QWidget* dlg) {
    auto* select = qobject_cast<TSelectEquipmentDlg*>(dlg);
    ASSERT_NE(select, nullptr);
    select->ListDLLsComboBox->setCurrentIndex(select->ListDLLsComboBox->findText("DV8TOOLS"));
    select->OKBtn->click();
  });
  w.SelectBtnClick();
  ASSERT_NE(w.equipment, nullptr);
  ASSERT_EQ(w.port, nullptr);
  w.UpdateTools();

  struct Seen {
    QString title;
    bool sendOn = true, receiveOn = true;
    int commandRows = 0;
    QStringList channels, plans, readBack;
    QString blockFirst;
  } seen;
  OnNextModal([&](QWidget* dlg) {
    seen.title = dlg->windowTitle();
    seen.commandRows = Child<QComboBox>(dlg, "Comm1Combo")->count();
    auto* list = Child<QListWidget>(dlg, "ChanPlanListBox");
    Child<QPushButton>(dlg, "NewBtn")->click();
    // A name the script must carry whole: a leading '#', a dot, a quote and a non-ASCII letter.
    auto* name = Child<QLineEdit>(dlg, "NameEdit");
    name->setText(QString::fromUtf8("#TV.\"\u00d1"));
    Leave(name);
    // Edit, Block with its defaults, OK, OK.
    OnNextModal([&](QWidget* channels) {
      OnNextModal([&](QWidget* block) {
        seen.blockFirst = Child<QLineEdit>(block, "FirstChannelEdit")->text();
        Child<QPushButton>(block, "OKBtn")->click();
      });
      Child<QPushButton>(channels, "BlockBtn")->click();
      seen.channels = Items(Child<QListWidget>(channels, "ChanListBox"));
      Child<QPushButton>(channels, "OKBtn")->click();
    });
    Child<QPushButton>(dlg, "EditBtn")->click();
    seen.sendOn = Child<QPushButton>(dlg, "SendBtn")->isEnabled();
    seen.receiveOn = Child<QPushButton>(dlg, "ReceiveBtn")->isEnabled();
    // Add a terrestrial plan from a plan text file in the host's separators (without a setting:
    // decimal comma, list semicolon), extract the first one again.
    ChooseFile(home.filePath("test.csv"));
    Child<QPushButton>(dlg, "AddBtn")->click();
    list->setCurrentRow(0);
    emit list->itemClicked(list->item(0));
    ChooseFile(home.filePath("first.csv"));
    Child<QPushButton>(dlg, "ExtractBtn")->click();
    ChooseFile(home.filePath("plans.pro"));
    Child<QPushButton>(dlg, "SaveBtn")->click();
    seen.plans = Items(list).mid(0, 2);
    // Read it back over the plans held.
    ChooseFile(home.filePath("plans.pro"));
    Child<QPushButton>(dlg, "ReadBtn")->click();
    seen.readBack = Items(list).mid(0, 2);
    Child<QPushButton>(dlg, "CloseBtn")->click();
  });
  w.EditChBtn->click();

  EXPECT_EQ(seen.title, "Channel Plan Editor");
  EXPECT_EQ(seen.commandRows, 37);
  EXPECT_FALSE(seen.sendOn);
  EXPECT_FALSE(seen.receiveOn);
  EXPECT_EQ(seen.blockFirst, "A00, 471.25 MHz.");
  EXPECT_EQ(seen.channels, QStringList({"A00 (471.25)", "A01 (479.25)"}));
  // A leading '#' would make the name a comment of the script.
  EXPECT_EQ(seen.plans, QStringList({QString::fromUtf8("_TV.\"\u00d1"), "TEST"}));
  EXPECT_EQ(seen.readBack, seen.plans);
  EXPECT_TRUE(prompter.shown.empty()) << (prompter.shown.empty() ? "" : prompter.shown[0].text.toStdString());
  const QStringList log = LogLines(w);
  EXPECT_TRUE(log.contains("Saved CSV file first.csv")) << log.join('\n').toStdString();
  EXPECT_TRUE(log.contains("Plans saved to file: plans.pro")) << log.join('\n').toStdString();
  EXPECT_TRUE(ReadAll(home.filePath("first.csv")).find("479,25;8") != std::string::npos)
      << ReadAll(home.filePath("first.csv"));

  const std::string golden = std::string(CV_TEST_DATA_DIR) + "/dv8/offline_plans.pro";
  const std::string saved = ReadAll(home.filePath("plans.pro"));
  if (std::getenv("CV_WRITE_GOLDENS")) std::ofstream(golden, std::ios::binary) << saved;
  EXPECT_EQ(saved, ReadAll(QString::fromStdString(golden)));
  // Saved through the framework's temporary script; Send's own is never written offline.
  EXPECT_TRUE(QFile::exists(home.filePath("___CH3__.TMP")));
  EXPECT_FALSE(QFile::exists(home.filePath("_DV800__.TMP")));
  sim->WaitTxIdle();
  EXPECT_EQ(sim->Received(), "");
}

}  // namespace
