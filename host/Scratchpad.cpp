#include "Scratchpad.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QEvent>
#include <QFileDialog>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QMimeData>
#include <QPageSetupDialog>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPrintDialog>
#include <QPagedPaintDevice>
#include <QPrinter>
#include <QStatusBar>
#include <QStyle>
#include <QTextBlock>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

#include "AppServices.h"
#include "DialogExit.h"
#include "FindDialog.h"
#include "FixedFont.h"
#include "Messages.h"
#include "MsgIds.h"
#include "PrintFailure.h"
#include "PrintOutput.h"
#include "Prompt.h"
#include "Registry.h"
#include "Text1252.h"

namespace {

const char* const kEditorKey = "Software\\Tessary\\CvTools\\Editor";

// Fills the first "%s" or "%d" of a message with `value`.
QString Fill(const QString& format, const QString& value) {
  QString out = format;
  qsizetype at = out.indexOf(QLatin1Char('%'));
  while (at >= 0 && at + 1 < out.size()) {
    QChar k = out[at + 1];
    if (k == QLatin1Char('s') || k == QLatin1Char('d')) return out.replace(at, 2, value);
    at = out.indexOf(QLatin1Char('%'), at + 2);
  }
  return out;
}

QToolButton* SpeedButton(QToolBar* bar, const char* name, QStyle::StandardPixmap icon) {
  auto* b = new QToolButton(bar);
  b->setObjectName(QLatin1String(name));
  b->setIcon(bar->style()->standardIcon(icon));
  bar->addWidget(b);
  return b;
}

}  // namespace

TScratchPad* ScratchPad = nullptr;

TScratchPad::TScratchPad(QWidget* parent) : QDialog(parent) {
  if (!ScratchPad) ScratchPad = this;
  setObjectName(QStringLiteral("ScratchPad"));
  resize(640, 480);

  MainMenu = new QMenuBar(this);
  FileMenu = MainMenu->addMenu(QString());
  EditMenu = MainMenu->addMenu(QString());
  auto item = [](QMenu* menu, const char* name, QKeySequence key) {
    QAction* a = menu->addAction(QString());
    a->setObjectName(QLatin1String(name));
    if (!key.isEmpty()) a->setShortcut(key);
    return a;
  };
  FileNewItem = item(FileMenu, "FileNewItem", QKeySequence(Qt::CTRL | Qt::Key_N));
  FileOpenItem = item(FileMenu, "FileOpenItem", QKeySequence(Qt::CTRL | Qt::Key_O));
  FileSaveItem = item(FileMenu, "FileSaveItem", QKeySequence(Qt::CTRL | Qt::Key_S));
  FileSaveAsItem = item(FileMenu, "FileSaveAsItem", {});
  FilePrintItem = item(FileMenu, "FilePrintItem", QKeySequence(Qt::CTRL | Qt::Key_I));
  FilePrintSetupItem = item(FileMenu, "FilePrintSetupItem", {});
  FileMenu->addSeparator();
  FileExitItem = item(FileMenu, "FileExitItem", {});
  EditUndoItem = item(EditMenu, "EditUndoItem", QKeySequence(Qt::CTRL | Qt::Key_Z));
  EditMenu->addSeparator();
  EditSelectAllItem = item(EditMenu, "EditSelectAllItem", QKeySequence(Qt::CTRL | Qt::Key_A));
  EditCutItem = item(EditMenu, "EditCutItem", QKeySequence(Qt::CTRL | Qt::Key_X));
  EditCopyItem = item(EditMenu, "EditCopyItem", QKeySequence(Qt::CTRL | Qt::Key_C));
  EditPasteItem = item(EditMenu, "EditPasteItem", QKeySequence(Qt::CTRL | Qt::Key_V));
  EditMenu->addSeparator();
  EditSearchItem = item(EditMenu, "EditSearchItem", {});

  SpeedBar = new QToolBar(this);
  SpeedBar->setObjectName(QStringLiteral("SpeedBar"));
  SpeedNewBtn = SpeedButton(SpeedBar, "SpeedNewBtn", QStyle::SP_FileIcon);
  SpeedOpenBtn = SpeedButton(SpeedBar, "SpeedOpenBtn", QStyle::SP_DialogOpenButton);
  SpeedSaveBtn = SpeedButton(SpeedBar, "SpeedSaveBtn", QStyle::SP_DialogSaveButton);
  SpeedPrintBtn = SpeedButton(SpeedBar, "SpeedPrintBtn", QStyle::SP_FileDialogDetailedView);
  SpeedSearchBtn = SpeedButton(SpeedBar, "SpeedSearchBtn", QStyle::SP_FileDialogContentsView);
  SpeedExitBtn = SpeedButton(SpeedBar, "SpeedExitBtn", QStyle::SP_DialogCloseButton);

  Memo = new QPlainTextEdit(this);
  Memo->setObjectName(QStringLiteral("Memo"));
  Memo->setLineWrapMode(QPlainTextEdit::NoWrap);
  Memo->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  Memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  Memo->setFont(cv::FixedPitchFont(QString(), 10));

  StatusBar = new QStatusBar(this);
  StatusBar->setObjectName(QStringLiteral("StatusBar"));
  StatusBar->setSizeGripEnabled(false);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->setMenuBar(MainMenu);
  layout->addWidget(SpeedBar);
  layout->addWidget(Memo, 1);
  layout->addWidget(StatusBar);

  OpenScratchDlg = new QFileDialog(this);
  OpenScratchDlg->setObjectName(QStringLiteral("OpenScratchDlg"));
  OpenScratchDlg->setOption(QFileDialog::DontUseNativeDialog);
  OpenScratchDlg->setFileMode(QFileDialog::ExistingFile);
  OpenScratchDlg->setAcceptMode(QFileDialog::AcceptOpen);
  // The filter texts name their patterns already; the patterns Qt matches with stay unseen.
  OpenScratchDlg->setOption(QFileDialog::HideNameFilterDetails);
  SaveScratchDlg = new QFileDialog(this);
  SaveScratchDlg->setObjectName(QStringLiteral("SaveScratchDlg"));
  SaveScratchDlg->setOption(QFileDialog::DontUseNativeDialog);
  SaveScratchDlg->setFileMode(QFileDialog::AnyFile);
  SaveScratchDlg->setAcceptMode(QFileDialog::AcceptSave);
  Printer = new QPrinter(QPrinter::HighResolution);
  FindDlg = new TFindDialog(this);

  connect(FileNewItem, &QAction::triggered, this, &TScratchPad::FileNewClick);
  connect(FileOpenItem, &QAction::triggered, this, &TScratchPad::FileOpenClick);
  connect(FileSaveItem, &QAction::triggered, this, &TScratchPad::FileSaveClick);
  connect(FileSaveAsItem, &QAction::triggered, this, &TScratchPad::FileSaveAsClick);
  connect(FilePrintItem, &QAction::triggered, this, &TScratchPad::FilePrintClick);
  connect(FilePrintSetupItem, &QAction::triggered, this, &TScratchPad::FilePrintSetupClick);
  connect(FileExitItem, &QAction::triggered, this, &TScratchPad::FileExitClick);
  connect(EditUndoItem, &QAction::triggered, this, &TScratchPad::EditUndoClick);
  connect(EditSelectAllItem, &QAction::triggered, this, &TScratchPad::EditSelectAllClick);
  connect(EditCutItem, &QAction::triggered, this, &TScratchPad::EditCutClick);
  connect(EditCopyItem, &QAction::triggered, this, &TScratchPad::EditCopyClick);
  connect(EditPasteItem, &QAction::triggered, this, &TScratchPad::EditPasteClick);
  connect(EditSearchItem, &QAction::triggered, this, &TScratchPad::SpeedSearchBtnClick);
  connect(SpeedNewBtn, &QToolButton::clicked, this, &TScratchPad::FileNewClick);
  connect(SpeedOpenBtn, &QToolButton::clicked, this, &TScratchPad::FileOpenClick);
  connect(SpeedSaveBtn, &QToolButton::clicked, this, &TScratchPad::FileSaveClick);
  connect(SpeedPrintBtn, &QToolButton::clicked, this, &TScratchPad::FilePrintClick);
  connect(SpeedSearchBtn, &QToolButton::clicked, this, &TScratchPad::SpeedSearchBtnClick);
  connect(SpeedExitBtn, &QToolButton::clicked, this, &TScratchPad::FileExitClick);
  connect(FindDlg, &TFindDialog::Find, this, &TScratchPad::FindDlgFind);

  // The enabling follows every change that can alter it, in place of a pass on every idle loop.
  connect(Memo, &QPlainTextEdit::textChanged, this, &TScratchPad::AppIdle);
  connect(Memo, &QPlainTextEdit::selectionChanged, this, &TScratchPad::AppIdle);
  connect(Memo, &QPlainTextEdit::modificationChanged, this, &TScratchPad::AppIdle);
  if (QClipboard* cb = QGuiApplication::clipboard())
    connect(cb, &QClipboard::dataChanged, this, &TScratchPad::AppIdle);

  Memo->clear();
  Memo->document()->setModified(false);
  currentFile.clear();
  saveName.clear();
  RetranslateUi();
  // Esc and the close box ask as Exit does, but keep the text for the next opening where Exit
  // empties it.
  cv::ExitThrough(*this, *SpeedExitBtn, [this] {
    if (SavePrompt()) reject();
  });
  FormCreate();
  AppIdle();
}

TScratchPad::~TScratchPad() {
  if (ScratchPad == this) ScratchPad = nullptr;
  SaveGeometry();
  delete Printer;
}

void TScratchPad::RetranslateUi() {
  using namespace cv::msg;
  FileMenu->setTitle(cv::MsgQ(EdMenuFile));
  EditMenu->setTitle(cv::MsgQ(EdMenuEdit));
  FileNewItem->setText(cv::MsgQ(EdMenuNew));
  FileOpenItem->setText(cv::MsgQ(EdMenuOpen));
  FileSaveItem->setText(cv::MsgQ(EdMenuSave));
  FileSaveAsItem->setText(cv::MsgQ(EdMenuSaveAs));
  FilePrintItem->setText(cv::MsgQ(EdMenuPrint));
  FilePrintSetupItem->setText(cv::MsgQ(EdMenuPrinterSetup));
  FileExitItem->setText(cv::MsgQ(EdMenuExit));
  EditUndoItem->setText(cv::MsgQ(EdMenuUndo));
  EditSelectAllItem->setText(cv::MsgQ(EdMenuSelectAll));
  EditCutItem->setText(cv::MsgQ(EdMenuCut));
  EditCopyItem->setText(cv::MsgQ(EdMenuCopy));
  EditPasteItem->setText(cv::MsgQ(EdMenuPaste));
  EditSearchItem->setText(cv::MsgQ(EdMenuSearch));
  const std::pair<QToolButton*, int> hints[] = {
      {SpeedNewBtn, EdHintNew},     {SpeedOpenBtn, EdHintOpen},     {SpeedSaveBtn, EdHintSave},
      {SpeedPrintBtn, EdHintPrint}, {SpeedSearchBtn, EdHintSearch}, {SpeedExitBtn, EdHintExit}};
  for (auto [button, id] : hints) {
    button->setToolTip(cv::MsgQ(id));
    button->setStatusTip(cv::MsgQ(id));
  }
  OpenScratchDlg->setNameFilters({cv::MsgQ(EdFilterCvTools) + QStringLiteral(" (*.log *.pro *.csv *.txt)"),
                                  cv::MsgQ(EdFilterOther) + QStringLiteral(" (*)")});
  // New and Exit leave the caption alone, so it names the file last opened or saved.
  setWindowTitle(captionFile.isEmpty() ? cv::MsgQ(EdCaption) : cv::MsgQ(EdCaptionFile) + captionFile);
}

void TScratchPad::changeEvent(QEvent* e) {
  if (e->type() == QEvent::LanguageChange) RetranslateUi();
  QDialog::changeEvent(e);
}

void TScratchPad::ErrorBox(const QString& text) { cv::ShowError(cv::MsgQ(cv::msg::EdCaption), text); }

void TScratchPad::FormCreate() {
  // First run for a user: no key, the form keeps its own place and no message is shown.
  if (!cv::RegKey::KeyExists(kEditorKey)) return;
  auto key = cv::RegKey::Open(kEditorKey, false);
  int32_t left = 0, top = 0, height = 0, width = 0;
  if (!key || key->ReadInteger("Left", left) != cv::RegRead::Ok || key->ReadInteger("Top", top) != cv::RegRead::Ok ||
      key->ReadInteger("Height", height) != cv::RegRead::Ok || key->ReadInteger("Width", width) != cv::RegRead::Ok) {
    ErrorBox(cv::MsgQ(cv::msg::EdRegistryReadFailed));
    return;
  }
  move(left, top);
  resize(std::max(width, 160), std::max(height, 120));
}

void TScratchPad::SaveGeometry() {
  auto key = cv::RegKey::Open(kEditorKey, true);
  bool ok = key && key->WriteInteger("Left", x()) && key->WriteInteger("Top", y()) &&
            key->WriteInteger("Height", height()) && key->WriteInteger("Width", width());
  if (!ok) ErrorBox(cv::MsgQ(cv::msg::EdRegistryWriteFailed));
}

void TScratchPad::showEvent(QShowEvent* e) {
  QDialog::showEvent(e);
  FormShow();
}

void TScratchPad::FormShow() {
  QPointer<TScratchPad> self(this);
  cv::SetHintHandler([self](const QString& hint) {
    if (self) self->StatusBar->showMessage(hint);
  });
  cv::SetIdleHandler([self] {
    if (self) self->AppIdle();
  });
  AppIdle();
}

void TScratchPad::AppIdle() {
  QTextDocument* doc = Memo->document();
  bool hasSelection = Memo->textCursor().hasSelection();
  bool hasLines = !doc->isEmpty();
  bool modified = doc->isModified();
  const QMimeData* clip = QGuiApplication::clipboard() ? QGuiApplication::clipboard()->mimeData() : nullptr;
  EditCutItem->setEnabled(hasSelection);
  EditCopyItem->setEnabled(hasSelection);
  EditPasteItem->setEnabled(clip && clip->hasText());
  FilePrintItem->setEnabled(hasLines);
  SpeedPrintBtn->setEnabled(hasLines);
  EditSelectAllItem->setEnabled(hasLines);
  EditSearchItem->setEnabled(hasLines);
  SpeedSearchBtn->setEnabled(hasLines);
  FileSaveItem->setEnabled(modified && hasLines);
  SpeedSaveBtn->setEnabled(modified && hasLines);
  FileSaveAsItem->setEnabled(modified && hasLines);
  EditUndoItem->setEnabled(modified);
}

bool TScratchPad::SavePrompt() {
  if (!Memo->document()->isModified()) return true;
  cv::MsgAnswer answer = cv::CurrentPrompter().Message(cv::MsgIcon::Warning, cv::MsgQ(cv::msg::EdCaption),
                                                       cv::MsgQ(cv::msg::EdSaveChanges),
                                                       cv::MsgYes | cv::MsgNo | cv::MsgCancel);
  if (answer == cv::MsgAnswer::Yes) return FileSaveClick();
  return answer == cv::MsgAnswer::No;
}

void TScratchPad::SetFileCaption(const QString& fileName) {
  captionFile = fileName;
  setWindowTitle(cv::MsgQ(cv::msg::EdCaptionFile) + fileName);
}

void TScratchPad::FileNewClick() {
  if (!SavePrompt()) return;
  Memo->clear();
  Memo->document()->setModified(false);
  format = cv::EditorText();
  currentFile.clear();
  AppIdle();
}

void TScratchPad::FileOpenClick() {
  if (!SavePrompt()) return;
  // The current file is the open dialog's name, emptied here: after a cancelled Open the next
  // Save asks for a name.
  currentFile.clear();
  OpenScratchDlg->selectFile(QString());
  if (OpenScratchDlg->exec() != QDialog::Accepted || OpenScratchDlg->selectedFiles().isEmpty()) return;
  LoadFile(OpenScratchDlg->selectedFiles().first());
}

bool TScratchPad::LoadFile(const QString& fileName) {
  cv::EditorText loaded;
  if (cv::LoadEditorFile(fileName, loaded) != cv::EditorLoad::Ok) {
    // The text and the file it belongs to stay as they were, so a later Save cannot write this
    // text over the file that was refused.
    ErrorBox(cv::MsgQ(cv::msg::EdFileTooLong));
    return false;
  }
  Memo->setPlainText(cv::From1252(loaded.text));
  format = std::move(loaded);
  format.text.clear();
  currentFile = fileName;
  saveName = fileName;
  Memo->document()->setModified(false);
  SetFileCaption(fileName);
  AppIdle();
  return true;
}

// The text as typed: the plain-text view turns a no-break space (byte 0xA0) into a blank, which
// would change a file that was only opened and saved.
QString TScratchPad::MemoText() const {
  QString text = Memo->document()->toRawText();
  text.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
  text.replace(QChar::LineSeparator, QLatin1Char('\n'));
  return text;
}

bool TScratchPad::WriteTo(const QString& fileName) {
  cv::EditorText out = format;
  out.text = cv::To1252(MemoText());
  if (out.text.empty()) out.finalBreak = false;  // no lines: an empty file
  QString why;
  if (!cv::SaveEditorFile(fileName, out, &why)) {
    ErrorBox(Fill(cv::MsgQ(cv::msg::EdSaveFailed), fileName) + QStringLiteral("\n") + why);
    return false;
  }
  Memo->document()->setModified(false);
  AppIdle();
  return true;
}

bool TScratchPad::FileSaveClick() {
  if (currentFile.isEmpty()) return FileSaveAsClick();
  return WriteTo(currentFile);
}

bool TScratchPad::FileSaveAsClick() {
  SaveScratchDlg->setWindowTitle(cv::MsgQ(cv::msg::EdSaveAsTitle));
  SaveScratchDlg->selectFile(saveName);
  if (SaveScratchDlg->exec() != QDialog::Accepted || SaveScratchDlg->selectedFiles().isEmpty()) return false;
  QString name = SaveScratchDlg->selectedFiles().first();
  if (!WriteTo(name)) return false;
  currentFile = name;
  saveName = name;
  SetFileCaption(name);
  return true;
}

void TScratchPad::FileExitClick() {
  if (!SavePrompt()) return;
  Memo->clear();
  Memo->document()->setModified(false);
  format = cv::EditorText();
  currentFile.clear();
  saveName.clear();
  AppIdle();
  done(QDialog::Accepted);
}

void TScratchPad::EditUndoClick() { Memo->undo(); }
void TScratchPad::EditCutClick() { Memo->cut(); }
void TScratchPad::EditCopyClick() { Memo->copy(); }
void TScratchPad::EditPasteClick() { Memo->paste(); }
void TScratchPad::EditSelectAllClick() { Memo->selectAll(); }

void TScratchPad::FilePrintSetupClick() {
  QPageSetupDialog dlg(Printer, this);
  dlg.setObjectName(QStringLiteral("PrinterSetupDialog"));
  dlg.exec();
}

void TScratchPad::SpeedSearchBtnClick() {
  FindDlg->show();
  FindDlg->raise();
  FindDlg->activateWindow();
}

void TScratchPad::FindDlgFind() {
  QTextCursor cursor = Memo->textCursor();
  if (cursor.hasSelection()) {
    cursor.setPosition(cursor.selectionEnd());
    Memo->setTextCursor(cursor);
  }
  int at = cv::FindInText(Memo->toPlainText(), FindDlg->FindText(), cursor.position(), FindDlg->MatchCase(),
                          FindDlg->WholeWord());
  if (at < 0) {
    ErrorBox(cv::MsgQ(cv::msg::EdTextNotFound));
    return;
  }
  cursor.setPosition(at);
  cursor.setPosition(at + static_cast<int>(FindDlg->FindText().size()), QTextCursor::KeepAnchor);
  Memo->setTextCursor(cursor);
  Memo->ensureCursorVisible();
  Memo->setFocus();
}

void TScratchPad::FilePrintClick() {
  QPrintDialog dlg(Printer, this);
  dlg.setObjectName(QStringLiteral("PrintDialog"));
  if (dlg.exec() != QDialog::Accepted) return;
  PrintText(*Printer);
}

void TScratchPad::PrintText(QPrinter& printer) {
  printer.setDocName(cv::MsgQ(cv::msg::EdCaption) + currentFile);
  cv::PrintOutput job(printer);
  QPainter p;
  if (job.Begin(p)) DrawPrintedText(p, job);
  const std::string failed = cv::PrintFailureText(job, job.End(p));
  if (!failed.empty()) cv::ShowBox(cv::CurrentPrompter(), failed, cv::Msg(cv::msg::EdCaption), cv::MsgIcon::Error);
}

void TScratchPad::DrawPrintedText(QPainter& p, cv::PrintOutput& job) {
  const QPagedPaintDevice& printer = job.Device();
  QFont font = Memo->font();
  p.setFont(font);
  const int h = cv::PrintLineHeight(font.pointSizeF() > 0 ? font.pointSizeF() : 10.0, printer.logicalDpiY());
  const int pageWidth = printer.width();
  const int pageHeight = printer.height();
  const int linesPerPage = cv::PrintLinesPerPage(pageHeight, h);
  int page = 1;

  auto footer = [&] {
    QRect band(0, pageHeight - 2 * h, pageWidth, h);
    p.setPen(Qt::black);
    p.drawLine(2 * h, band.top() - 1, pageWidth - 2 * h, band.top() - 1);
    p.drawText(band, Qt::AlignHCenter | Qt::AlignVCenter, Fill(cv::MsgQ(cv::msg::EdPrintPage), QString::number(page)));
  };

  QRect header(2 * h, h, pageWidth - 2 * h, h);
  p.setPen(Qt::black);
  p.drawText(header, Qt::AlignLeft | Qt::AlignVCenter, Fill(cv::MsgQ(cv::msg::EdPrintHeader), currentFile));
  p.setPen(Qt::blue);
  p.drawRect(header);
  p.setPen(Qt::black);

  QStringList lines;
  for (QTextBlock b = Memo->document()->begin(); b.isValid(); b = b.next()) lines << b.text();
  if (Memo->document()->isEmpty()) lines.clear();
  const std::vector<cv::PrintRow> rows = cv::LayoutPrintRows(static_cast<int>(lines.size()), linesPerPage);
  int currentPage = 0;
  for (size_t i = 0; i < rows.size(); ++i) {
    if (rows[i].page != currentPage) {
      footer();
      job.NewPage();
      ++page;
      currentPage = rows[i].page;
    }
    p.drawText(QRect(2 * h, rows[i].row * h, pageWidth - 2 * h, h),
               Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine | Qt::TextExpandTabs, lines[static_cast<int>(i)]);
  }
  footer();
}
