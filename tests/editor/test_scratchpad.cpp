#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QDir>
#include <QLineEdit>
#include <QFile>
#include <QFileDialog>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QTemporaryDir>
#include <QTextCursor>
#include <QToolButton>

#include "FindDialog.h"
#include "ModalHelper.h"
#include "Scratchpad.h"

namespace {

using cvtest::AnswerBox;
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

void PickFile(const QString& path) {
  WhenModal<QFileDialog>([path](QFileDialog* d) {
    d->selectFile(path);
    QMetaObject::invokeMethod(d, "accept", Qt::DirectConnection);
  });
}

void CancelFileDialog() {
  WhenModal<QFileDialog>([](QFileDialog* d) { d->reject(); });
}

class ScratchPadTest : public ::testing::Test {
 protected:
  QTemporaryDir dir;
  TScratchPad pad;
  QString Path(const char* name) { return dir.filePath(QLatin1String(name)); }
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
  QByteArray lf("unix\nfile\n");
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
  QString asked;
  AnswerBox(QMessageBox::Cancel, &asked);
  pad.FileNewClick();
  EXPECT_EQ(asked, QStringLiteral("The current file has been modified. Save changes?"));
  EXPECT_EQ(pad.Memo->toPlainText(), "firstx");
  EXPECT_EQ(pad.CurrentFile(), file);

  // Yes: saved, then New goes on; the caption is left as it was.
  AnswerBox(QMessageBox::Yes);
  pad.FileNewClick();
  EXPECT_EQ(ReadAll(file), "firstx\r\n");
  EXPECT_TRUE(pad.Memo->toPlainText().isEmpty());
  EXPECT_TRUE(pad.CurrentFile().isEmpty());
  EXPECT_EQ(pad.windowTitle(), QStringLiteral("CvTools Editor  -  ") + file);

  // No: the changes are dropped.
  Type(pad.Memo, "scratch");
  AnswerBox(QMessageBox::No);
  pad.FileNewClick();
  EXPECT_TRUE(pad.Memo->toPlainText().isEmpty());
  EXPECT_EQ(ReadAll(file), "firstx\r\n");
}

TEST_F(ScratchPadTest, YesWithCancelledSaveAsKeepsTextAndWindow) {
  pad.show();
  Type(pad.Memo, "unsaved work");
  AnswerBox(QMessageBox::Yes);
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

  QString error;
  AnswerBox(QMessageBox::Yes);
  WhenModal<QMessageBox>([&error](QMessageBox* box) {
    if (box->icon() != QMessageBox::Critical) return;
    error = box->text();
    box->accept();
  });
  pad.FileNewClick();
  EXPECT_TRUE(error.startsWith(QStringLiteral("Unable to save the file ") + file)) << error.toStdString();
  EXPECT_EQ(pad.Memo->toPlainText(), "bb2");
  EXPECT_EQ(pad.CurrentFile(), file);
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
  QString text;
  AnswerBox(QMessageBox::Ok, &text);
  EXPECT_FALSE(pad.LoadFile(big));
  EXPECT_EQ(text, QStringLiteral("Unable to edit: the file is too long"));
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
  QString text;
  AnswerBox(QMessageBox::Ok, &text);
  pad.FindDlgFind();
  EXPECT_EQ(text, QStringLiteral("Text not found"));
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

}  // namespace
