#pragma once
// TScratchPad: the host's plain-text editor. One window for the whole run, shown modally from the
// main window; its position and size are kept per user.
#include <QDialog>
#include <QString>

#include "ScratchText.h"

class QAction;
class QFileDialog;
class QMenu;
class QMenuBar;
class QPlainTextEdit;
class QPainter;
class QPrinter;
namespace cv {
class PrintOutput;
}
class QPrintDialog;
class QPageSetupDialog;
class QStatusBar;
class QToolBar;
class QToolButton;
class TFindDialog;

class TScratchPad : public QDialog {
  Q_OBJECT
 public:
  explicit TScratchPad(QWidget* parent = nullptr);
  ~TScratchPad() override;

  // The current file (the open dialog's name): set by Open and Save as, emptied by New and Exit.
  QString CurrentFile() const { return currentFile; }
  // Prints the text on `printer`, which is already set up (the print dialog's choice, or a PDF
  // file in tests).
  void PrintText(QPrinter& printer);
  void DrawPrintedText(QPainter& p, cv::PrintOutput& job);
  // Opens `fileName` as Open does after the dialog: false (with the error box) when refused.
  bool LoadFile(const QString& fileName);
  void RetranslateUi();
  // The editor's save question, asked when the text is modified: Yes saves, No goes on, Cancel
  // (or a save that did not happen) stops. New, Open, Exit, Escape, the close box and the
  // program's exit all go through it; false means the command stops.
  bool SavePrompt();

  QMenuBar* MainMenu;
  QMenu* FileMenu;
  QMenu* EditMenu;
  QAction* FileNewItem;
  QAction* FileOpenItem;
  QAction* FileSaveItem;
  QAction* FileSaveAsItem;
  QAction* FilePrintItem;
  QAction* FilePrintSetupItem;
  QAction* FileExitItem;
  QAction* EditUndoItem;
  QAction* EditSelectAllItem;
  QAction* EditCutItem;
  QAction* EditCopyItem;
  QAction* EditPasteItem;
  QAction* EditSearchItem;
  QToolBar* SpeedBar;
  QToolButton* SpeedNewBtn;
  QToolButton* SpeedOpenBtn;
  QToolButton* SpeedSaveBtn;
  QToolButton* SpeedPrintBtn;
  QToolButton* SpeedSearchBtn;
  QToolButton* SpeedExitBtn;
  QPlainTextEdit* Memo;
  QStatusBar* StatusBar;
  QFileDialog* OpenScratchDlg;
  QFileDialog* SaveScratchDlg;
  QPrinter* Printer;
  TFindDialog* FindDlg;

 public slots:
  void FormCreate();
  void FormShow();
  void FileNewClick();
  void FileOpenClick();
  // Save and Save as report whether the text was written, so a command that asked to save first
  // goes on only when it was.
  bool FileSaveClick();
  bool FileSaveAsClick();
  void FilePrintClick();
  void FilePrintSetupClick();
  void FileExitClick();
  void EditUndoClick();
  void EditCutClick();
  void EditCopyClick();
  void EditPasteClick();
  void EditSelectAllClick();
  void SpeedSearchBtnClick();
  void FindDlgFind();
  void AppIdle();

 protected:
  void showEvent(QShowEvent* e) override;
  void changeEvent(QEvent* e) override;

 private:
  bool WriteTo(const QString& fileName);
  QString MemoText() const;
  void SetFileCaption(const QString& fileName);
  void SaveGeometry();
  void ErrorBox(const QString& text);

  QString currentFile;
  QString saveName;
  QString captionFile;
  cv::EditorText format;  // line-break style of the file being edited
};

// The editor window of the running program (created once at start-up).
extern TScratchPad* ScratchPad;
