// The observations question: which memo texts count as observations, the file they are saved
// to, a file that cannot be written, and the form's controls.
#include <gtest/gtest.h>

#include <QFile>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>

#include "AppServices.h"
#include "AskObsDlg.h"
#include "FileSizeLimit.h"
#include "HostForm.h"
#include "StartDir.h"
#include "Xr9Equip.h"

using namespace cv::xr9;

namespace {

QByteArray Read(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<none>");
}

}  // namespace

TEST(Xr9Observations, MemoTextsAndTheFile) {
  QTemporaryDir dir;
  const QString file = dir.filePath("ReportObsXR9.TMP");
  struct Row { const char* memo; bool has; const char* saved; };
  const Row rows[] = {{"", false, "<none>"},
                      {"\n\n", true, "\r\n\r\n"},
                      {"Roof \x80\nsecond", true, "Roof \x80\r\nsecond\r\n"},
                      {"one\n", true, "one\r\n"}};
  for (const Row& row : rows) {
    SCOPED_TRACE(row.memo);
    DataLoggerObservations obs(dir.path().toStdString());
    obs.Done({"old"});  // a file from an earlier answer
    obs.Done(DataLoggerObservations::MemoLines(row.memo));
    EXPECT_EQ(obs.HasObservations(), row.has);
    EXPECT_EQ(Read(file), QByteArray(row.saved));
  }
}

TEST(Xr9Observations, UnwritableFileAsksBeforeGoingOnWithout) {
  cv::RecordingPrompter prompter;
  QTemporaryDir dir;
  DataLoggerObservations obs(dir.filePath("missing").toStdString());
  for (cv::MsgAnswer answer : {cv::MsgAnswer::No, cv::MsgAnswer::Yes}) {
    SCOPED_TRACE(int(answer));
    prompter.shown.clear();
    prompter.answers = {answer};
    EXPECT_EQ(obs.Done({"text"}), answer == cv::MsgAnswer::Yes);  // may the question close
    EXPECT_FALSE(obs.HasObservations());
    ASSERT_EQ(prompter.shown.size(), 1u);
    EXPECT_EQ(prompter.shown[0].caption, "Error");
    EXPECT_EQ(prompter.shown[0].buttons, cv::MsgYes | cv::MsgNo);
    EXPECT_TRUE(prompter.shown[0].text.startsWith("The observations could not be saved in " + dir.filePath("missing")));
    EXPECT_TRUE(prompter.shown[0].text.endsWith("\nGenerate the report without these observations?\n"
                                                "No goes back to them, to save them again."));
  }
}

// A save that fails at its write keeps the question open with the typed text; the report goes on
// without observations only when the person says so.
TEST(Xr9Observations, AFailedSaveKeepsTheTypedText) {
  cv::RecordingPrompter prompter;
  StartDir dir;
  HostForm host;
  TXR9Equip equip{&host.form, nullptr};
  const QString file = dir.filePath("ReportObsXR9.TMP");
  TDataLoggerAskObsDlg dlg(nullptr, equip);
  auto* done = dlg.findChild<QPushButton*>("DoneBtn");
  auto* memo = dlg.findChild<QPlainTextEdit*>("ObsMemo");
  ASSERT_TRUE(done && memo);
  const QString typed = QString("Mast fixed on the north wall, amplifier replaced.\n").repeated(20);
  memo->setPlainText(typed);
  dlg.show();
  for (cv::MsgAnswer answer : {cv::MsgAnswer::No, cv::MsgAnswer::Yes}) {
    SCOPED_TRACE(int(answer));
    prompter.shown.clear();
    prompter.answers = {answer};
    {
      cvtest::FileSizeLimit limit(64);
      done->click();
    }
    ASSERT_EQ(prompter.shown.size(), 1u);
    EXPECT_TRUE(prompter.shown[0].text.contains("Generate the report without these observations?"));
    EXPECT_EQ(dlg.isVisible(), answer == cv::MsgAnswer::No);
    EXPECT_EQ(memo->toPlainText(), typed);
    EXPECT_FALSE(dlg.HasObservations());
    EXPECT_FALSE(QFile::exists(file));
  }
  EXPECT_EQ(dlg.result(), QDialog::Accepted);
}

TEST(Xr9Observations, TheForm) {
  StartDir dir;
  HostForm host;
  TXR9Equip equip{&host.form, nullptr};
  TDataLoggerAskObsDlg dlg(nullptr, equip);
  EXPECT_EQ(dlg.windowTitle(), "Observations?");
  auto* done = dlg.findChild<QPushButton*>("DoneBtn");
  auto* none = dlg.findChild<QPushButton*>("NoObsBtn");
  auto* memo = dlg.findChild<QPlainTextEdit*>("ObsMemo");
  ASSERT_TRUE(done && none && memo);
  EXPECT_EQ(done->text(), "DONE");
  EXPECT_EQ(none->text(), "NO OBSERVATIONS");
  EXPECT_EQ(memo->toolTip(), "Enter text that will appear after the table");
  memo->setPlainText(QString::fromUtf8("Señal €"));
  done->click();
  EXPECT_TRUE(dlg.HasObservations());
  EXPECT_EQ(Read(dir.filePath("ReportObsXR9.TMP")), QByteArray("Se\xf1" "al \x80\r\n"));
  none->click();
  EXPECT_FALSE(dlg.HasObservations());
  EXPECT_FALSE(QFile::exists(dir.filePath("ReportObsXR9.TMP")));
}
