#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QFile>
#include <QFileDialog>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QTemporaryDir>
#include <QTextCursor>
#include <QToolButton>
#include <functional>

#include "PrintToFileChecks.h"
#include "AppServices.h"
#include "FindDialog.h"
#include "FileSizeLimit.h"
#include "SaveLimits.h"
#include "ModalHelper.h"
#include "Registry.h"
#include "Scratchpad.h"

namespace {

using cv::MsgAnswer;
using cvtest::CancelFileDialog;
using cvtest::PickFile;
using cvtest::WhenModal;

QByteArray ReadAll(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void WriteAll(const QString& path, const QByteArray& bytes) {
  QFile f(path);
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  f.write(bytes);
}

void Type(QPlainTextEdit* memo, const QString& text) {
  QTextCursor c = memo->textCursor();
  c.movePosition(QTextCursor::End);
  c.insertText(text);
  memo->setTextCursor(c);
}

// Each test has its own registry store, so the editor's window position starts unknown.
struct RegistryInTempDir {
  QTemporaryDir dir;
  RegistryInTempDir() { cv::SetRegistryFile(dir.filePath("registry.ini").toStdString()); }
  ~RegistryInTempDir() { cv::SetRegistryFile(""); }
};

class ScratchPadTest : public ::testing::Test {
 protected:
  RegistryInTempDir registry;
  cv::RecordingPrompter prompter;
  QTemporaryDir dir;
  TScratchPad pad;
  QString Path(const char* name) { return dir.filePath(QLatin1String(name)); }
  QString LastBox() const { return prompter.shown.empty() ? QString() : prompter.shown.back().text; }
};

TEST_F(ScratchPadTest, OpenEditSaveKeepsWindows1252AndCrlf) {
  const QByteArray original("Caf\xe9 \x80 line one\r\nsecond \x93quoted\x94\r\nlast");
  QString file = Path("notes.txt");
  WriteAll(file, original);

  PickFile(file);
  pad.FileOpenClick();
  EXPECT_EQ(pad.CurrentFile(), file);
  EXPECT_EQ(pad.windowTitle(), QStringLiteral("CvTools Editor  -  ") + file);
  EXPECT_EQ(pad.Memo->toPlainText(), QString::fromUtf8("Café € line one\nsecond “quoted”\nlast"));
  EXPECT_FALSE(pad.FileSaveItem->isEnabled());  // nothing changed yet

  Type(pad.Memo, QString::fromUtf8("\nadded ñ"));
  EXPECT_TRUE(pad.FileSaveItem->isEnabled());
  EXPECT_TRUE(pad.SpeedSaveBtn->isEnabled());
  ASSERT_TRUE(pad.FileSaveClick());
  EXPECT_EQ(ReadAll(file), original + QByteArray("\r\nadded \xf1"));
  EXPECT_FALSE(pad.Memo->document()->isModified());

  // Unchanged text saved again is written back byte for byte.
  QByteArray lf("unix\xa0no-break\nfile\n");
  WriteAll(file, lf);
  ASSERT_TRUE(pad.LoadFile(file));
  ASSERT_TRUE(pad.FileSaveClick());
  EXPECT_EQ(ReadAll(file), lf);
}

TEST_F(ScratchPadTest, SaveQuestionAnswers) {
  QString file = Path("a.txt");
  WriteAll(file, "first\r\n");
  ASSERT_TRUE(pad.LoadFile(file));
  Type(pad.Memo, "x");

  // Cancel: nothing is lost, the file stays current.
  prompter.answers = {MsgAnswer::Cancel};
  pad.FileNewClick();
  ASSERT_EQ(prompter.shown.size(), 1u);
  EXPECT_EQ(prompter.shown[0].icon, cv::MsgIcon::Warning);
  EXPECT_EQ(prompter.shown[0].caption, QStringLiteral("CvTools Editor"));
  EXPECT_EQ(prompter.shown[0].text, QStringLiteral("The current file has been modified. Save changes?"));
  EXPECT_EQ(prompter.shown[0].buttons, cv::MsgYes | cv::MsgNo | cv::MsgCancel);
  EXPECT_EQ(pad.Memo->toPlainText(), "firstx");
  EXPECT_EQ(pad.CurrentFile(), file);

  // Yes: saved, then New goes on; the caption is left as it was.
  prompter.answers = {MsgAnswer::Yes};
  pad.FileNewClick();
  EXPECT_EQ(ReadAll(file), "firstx\r\n");
  EXPECT_TRUE(pad.Memo->toPlainText().isEmpty());
  EXPECT_TRUE(pad.CurrentFile().isEmpty());
  EXPECT_EQ(pad.windowTitle(), QStringLiteral("CvTools Editor  -  ") + file);

  // No: the changes are dropped.
  Type(pad.Memo, "scratch");
  prompter.answers = {MsgAnswer::No};
  pad.FileNewClick();
  EXPECT_TRUE(pad.Memo->toPlainText().isEmpty());
  EXPECT_EQ(ReadAll(file), "firstx\r\n");
}

TEST_F(ScratchPadTest, YesWithCancelledSaveAsKeepsTextAndWindow) {
  pad.show();
  Type(pad.Memo, "unsaved work");
  prompter.answers = {MsgAnswer::Yes};
  CancelFileDialog();  // New after Open: no current file, so Save asks for a name
  pad.FileExitClick();
  EXPECT_EQ(pad.Memo->toPlainText(), "unsaved work");
  EXPECT_TRUE(pad.Memo->document()->isModified());
  EXPECT_TRUE(pad.isVisible());
}

TEST_F(ScratchPadTest, YesWithFailedWriteKeepsTextAndReportsIt) {
  QString file = Path("gone/b.txt");
  QDir().mkpath(Path("gone"));
  WriteAll(file, "b\n");
  ASSERT_TRUE(pad.LoadFile(file));
  Type(pad.Memo, "b2");
  ASSERT_TRUE(QDir(Path("gone")).removeRecursively());  // the write cannot succeed now

  prompter.answers = {MsgAnswer::Yes};
  pad.FileNewClick();
  ASSERT_EQ(prompter.shown.size(), 2u);
  EXPECT_EQ(prompter.shown[1].icon, cv::MsgIcon::Error);
  QString error = prompter.shown[1].text;
  EXPECT_TRUE(error.startsWith(QStringLiteral("Unable to save the file ") + file)) << error.toStdString();
  EXPECT_EQ(pad.Memo->toPlainText(), "bb2");
  EXPECT_EQ(pad.CurrentFile(), file);
}

TEST_F(ScratchPadTest, ASaveCutShortKeepsTheOldFileAndTheText) {
  QString file = Path("c.txt");
  WriteAll(file, "old\r\n");
  ASSERT_TRUE(pad.LoadFile(file));
  Type(pad.Memo, QString(200, 'x'));
  {
    cvtest::FileSizeLimit limit(64);
    EXPECT_FALSE(pad.FileSaveClick());
  }
  ASSERT_EQ(prompter.shown.size(), 1u);
  EXPECT_EQ(prompter.shown[0].icon, cv::MsgIcon::Error);
  EXPECT_TRUE(LastBox().startsWith(QStringLiteral("Unable to save the file ") + file)) << LastBox().toStdString();
  EXPECT_EQ(ReadAll(file), "old\r\n");
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"c.txt"});
  EXPECT_TRUE(pad.Memo->document()->isModified());
  EXPECT_EQ(pad.Memo->toPlainText(), "old" + QString(200, 'x'));
}

// A text of 14,000 characters under file-size limits below, at and above the write buffer: saved
// whole, or reported with the old file left as it was.
TEST_F(ScratchPadTest, SaveWritesTheWholeFileOrKeepsTheOldOne) {
  QString file = Path("d.txt");
  WriteAll(file, "old\r\n");
  ASSERT_TRUE(pad.LoadFile(file));
  pad.Memo->setPlainText(QString(14000, 'y'));
  cvtest::ExpectWholeOrOldFile(file.toStdString(), [&] {
    pad.Memo->document()->setModified(true);
    return pad.FileSaveClick();
  });
}

TEST_F(ScratchPadTest, SaveAsThenSaveWritesTheNewName) {
  QString first = Path("first.pro");
  QString second = Path("second.pro");
  WriteAll(first, "*?VE\r\n");
  ASSERT_TRUE(pad.LoadFile(first));
  Type(pad.Memo, "\n*?NA");
  PickFile(second);
  ASSERT_TRUE(pad.FileSaveAsClick());
  EXPECT_EQ(pad.CurrentFile(), second);
  EXPECT_EQ(pad.windowTitle(), QStringLiteral("CvTools Editor  -  ") + second);
  Type(pad.Memo, "\n*?LV");
  ASSERT_TRUE(pad.FileSaveClick());
  EXPECT_EQ(ReadAll(second), "*?VE\r\n*?NA\r\n*?LV\r\n");
  EXPECT_EQ(ReadAll(first), "*?VE\r\n");
}

TEST_F(ScratchPadTest, OpenThenCancelForgetsTheFileName) {
  QString file = Path("kept.txt");
  WriteAll(file, "kept\n");
  ASSERT_TRUE(pad.LoadFile(file));
  Type(pad.Memo, " edited");
  prompter.answers = {MsgAnswer::No};
  CancelFileDialog();
  pad.FileOpenClick();
  EXPECT_TRUE(pad.CurrentFile().isEmpty());
  EXPECT_EQ(pad.Memo->toPlainText(), "kept edited");
  // Save now asks for a name, and the file opened before is left as it was.
  QString other = Path("other.txt");
  PickFile(other);
  ASSERT_TRUE(pad.FileSaveClick());
  EXPECT_EQ(ReadAll(other), "kept edited\n");
  EXPECT_EQ(ReadAll(file), "kept\n");
}

// Escape and the close box go through the save question; the window closes only past it, with
// the text kept for the next opening.
TEST_F(ScratchPadTest, EscapeAndCloseBoxAskBeforeClosing) {
  struct Way {
    const char* name;
    std::function<void(TScratchPad&)> close;
  } ways[] = {{"Escape",
               [](TScratchPad& p) {
                 QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
                 QApplication::sendEvent(&p, &escape);
               }},
              {"close box", [](TScratchPad& p) { p.close(); }}};
  for (const Way& way : ways) {
    SCOPED_TRACE(way.name);
    pad.Memo->clear();
    Type(pad.Memo, "draft");
    pad.show();
    prompter.shown.clear();
    prompter.answers = {MsgAnswer::Cancel};
    way.close(pad);
    ASSERT_EQ(prompter.shown.size(), 1u);
    EXPECT_EQ(prompter.shown[0].text, QStringLiteral("The current file has been modified. Save changes?"));
    EXPECT_TRUE(pad.isVisible());
    prompter.answers = {MsgAnswer::No};
    way.close(pad);
    EXPECT_FALSE(pad.isVisible());
    EXPECT_EQ(pad.Memo->toPlainText(), "draft");
    EXPECT_TRUE(pad.Memo->document()->isModified());  // the program's exit asks again
  }
  // Unmodified text closes without a question.
  pad.Memo->document()->setModified(false);
  pad.show();
  prompter.shown.clear();
  pad.close();
  EXPECT_FALSE(pad.isVisible());
  EXPECT_TRUE(prompter.shown.empty());
}

// Each filter shows its text once; its patterns still choose the files.
TEST_F(ScratchPadTest, OpenFiltersShowTheirPatternsOnce) {
  auto* types = pad.OpenScratchDlg->findChild<QComboBox*>("fileTypeCombo");
  ASSERT_NE(types, nullptr);
  ASSERT_EQ(types->count(), 2);
  EXPECT_EQ(types->itemText(0), QStringLiteral("CvTools (*.log,*.pro,*.csv,*.txt)"));
  EXPECT_EQ(types->itemText(1), QStringLiteral("Other(*.*)"));
  const QStringList filters = pad.OpenScratchDlg->nameFilters();
  ASSERT_EQ(filters.size(), 2);
  EXPECT_TRUE(filters[0].endsWith(QStringLiteral("(*.log *.pro *.csv *.txt)"))) << filters[0].toStdString();
  EXPECT_TRUE(filters[1].endsWith(QStringLiteral("(*)"))) << filters[1].toStdString();
}

TEST_F(ScratchPadTest, RefusedFileLeavesTextAndFileAlone) {
  QString good = Path("good.txt");
  WriteAll(good, "keep me\n");
  ASSERT_TRUE(pad.LoadFile(good));
  QString big = Path("big.log");
  {
    QFile f(big);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    ASSERT_TRUE(f.resize(cv::kEditorMaxFileSize + 1));
  }
  EXPECT_FALSE(pad.LoadFile(big));
  EXPECT_EQ(LastBox(), QStringLiteral("Unable to edit: the file is too long"));
  EXPECT_EQ(pad.Memo->toPlainText(), "keep me");
  EXPECT_EQ(pad.CurrentFile(), good);
}

TEST_F(ScratchPadTest, SearchFindsNextOccurrenceThenReportsNotFound) {
  pad.Memo->setPlainText("level LEVEL level");
  pad.SpeedSearchBtnClick();
  pad.FindDlg->FindEdit->setText("level");
  pad.FindDlg->MatchCaseCheck->setChecked(true);
  pad.FindDlgFind();
  EXPECT_EQ(pad.Memo->textCursor().selectionStart(), 0);
  pad.FindDlgFind();
  EXPECT_EQ(pad.Memo->textCursor().selectionStart(), 12);
  pad.FindDlgFind();
  EXPECT_EQ(LastBox(), QStringLiteral("Text not found"));
  EXPECT_FALSE(pad.Memo->textCursor().hasSelection());
  EXPECT_EQ(pad.Memo->textCursor().position(), 17);
}

TEST_F(ScratchPadTest, EnablingFollowsTextAndSelection) {
  EXPECT_FALSE(pad.FilePrintItem->isEnabled());
  EXPECT_FALSE(pad.EditSearchItem->isEnabled());
  EXPECT_FALSE(pad.EditUndoItem->isEnabled());
  Type(pad.Memo, "abc");
  EXPECT_TRUE(pad.FilePrintItem->isEnabled());
  EXPECT_TRUE(pad.EditUndoItem->isEnabled());
  EXPECT_FALSE(pad.EditCopyItem->isEnabled());
  pad.EditSelectAllClick();
  EXPECT_TRUE(pad.EditCopyItem->isEnabled());
  EXPECT_TRUE(pad.EditCutItem->isEnabled());
}

TEST(ScratchPadWindow, PositionAndSizeKeptPerUser) {
  RegistryInTempDir registry;
  cv::RecordingPrompter prompter;
  QRect placed;
  {
    TScratchPad first;  // first run: no key, no message
    first.move(40, 50);
    first.resize(500, 300);
    placed = QRect(first.pos(), first.size());
  }
  auto key = cv::RegKey::Open("Software\\Tessary\\CvTools\\Editor", false);
  ASSERT_TRUE(key);
  int32_t width = 0;
  EXPECT_EQ(key->ReadInteger("Width", width), cv::RegRead::Ok);
  EXPECT_EQ(width, 500);
  TScratchPad second;
  EXPECT_EQ(QRect(second.pos(), second.size()), placed);
  EXPECT_TRUE(prompter.shown.empty());

  key->WriteString("Top", "not a number");
  TScratchPad third;
  ASSERT_EQ(prompter.shown.size(), 1u);
  EXPECT_EQ(prompter.shown[0].text, QStringLiteral("Unable to read data from the Registry"));
  EXPECT_EQ(prompter.shown[0].caption, QStringLiteral("CvTools Editor"));
}

int CountPdfPages(const QByteArray& pdf) {
  int pages = 0;
  for (qsizetype at = pdf.indexOf("/Type /Page"); at >= 0; at = pdf.indexOf("/Type /Page", at + 1))
    if (pdf.mid(at + 11, 1) != "s") ++pages;
  return pages;
}

TEST_F(ScratchPadTest, PrintsToPdfWithTheRowsPerPageOfTheLayout) {
  QStringList lines;
  for (int i = 0; i < 150; ++i) lines << QStringLiteral("line %1").arg(i);
  pad.Memo->setPlainText(lines.join('\n'));
  QString pdf = Path("out.pdf");
  QPrinter printer(QPrinter::HighResolution);
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setOutputFileName(pdf);
  pad.PrintText(printer);

  int h = cv::PrintLineHeight(pad.Memo->font().pointSizeF(), printer.logicalDpiY());
  int lpp = cv::PrintLinesPerPage(printer.height(), h);
  int expected = cv::LayoutPrintRows(150, lpp).back().page + 1;
  EXPECT_GT(expected, 1);
  EXPECT_EQ(CountPdfPages(ReadAll(pdf)), expected);
  EXPECT_EQ(printer.docName(), QStringLiteral("CvTools Editor"));
}

TEST_F(ScratchPadTest, APrintToAFileThatCannotBeWrittenSaysSo) {
  QStringList lines;
  for (int i = 0; i < 150; ++i) lines << QStringLiteral("line %1").arg(i);
  pad.Memo->setPlainText(lines.join('\n'));
  QPrinter printer(QPrinter::HighResolution);
  printer.setOutputFormat(QPrinter::PdfFormat);
  QTemporaryDir folder;
  cvtest::ExpectFailedPrintsToFileKeepTheOldFile(
      folder.path(),
      [&](const QString& pdf) {
        printer.setOutputFileName(pdf);
        pad.PrintText(printer);
      },
      [&] {
        QStringList shown;
        for (const auto& box : prompter.shown) shown << box.text;
        prompter.shown.clear();
        return shown;
      });
}

}  // namespace
