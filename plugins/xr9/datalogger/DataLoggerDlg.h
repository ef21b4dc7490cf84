#pragma once
// The data-logger dialog "TV MIRELTO DATALOGGER": a thin form over DataLoggerCtl. Opened modally
// by the equipment object's data-logger launcher, online and offline.
#include <QDialog>
#include <memory>

#include "DataLoggerCtl.h"

class QCheckBox;
class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QPlainTextEdit;
class QPushButton;

namespace cv::xr9 {

class TDataLoggerSheetDlg;
class TXR9Equip;

class TDataLoggerDlg : public QDialog {
 public:
  TDataLoggerDlg(QWidget* owner, TXR9Equip& equipment);
  // Writes the registry (folder, chosen kind, reports enabled).
  ~TDataLoggerDlg() override;

  bool LoadSettings();
  void EnableControls(bool enable);
  int CurrentReportKind() const { return ctl_.CurrentReportKind(); }
  void LogLine(const std::string& line);
  DataLoggerCtl& Ctl() { return ctl_; }
  // The sheet while View shows it.
  TDataLoggerSheetDlg* Sheet() const { return sheet_; }

  // Handlers.
  void ListAllBtnClick();
  void ReceiveFileBtnClick();
  void FilesCheckListClickCheck(QListWidgetItem* item);
  void ReadFromFileBtnClick();
  void ViewBtnClick();
  // The SKY certificate sheet, opened by View for report kind 3.
  void ViewSkySheet();
  void ReportsComboBoxChange(int index);
  void EnableReportsCheckBoxClick();
  void SaveReceivedCheckBoxClick();
  void SelectFolderBtnClick();
  void HelpBtnClick();
  void CloseBtnClick();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void BuildForm();
  void FillList();

  DataLoggerCtl ctl_;
  TXR9Equip& equipment_;
  TDataLoggerSheetDlg* sheet_ = nullptr;
  bool settingsLoaded_ = false;
  bool filling_ = false;
  int shownKindItem_ = -1;

  QLabel* Label1 = nullptr;
  QListWidget* FilesCheckList = nullptr;
  QPushButton* ListAllBtn = nullptr;
  QPushButton* ReceiveFileBtn = nullptr;
  QPushButton* ReadFromFileBtn = nullptr;
  QPushButton* ViewBtn = nullptr;
  QCheckBox* SaveReceivedCheckBox = nullptr;
  QLineEdit* NameFolderEdit = nullptr;
  QPushButton* SelectFolderBtn = nullptr;
  QCheckBox* EnableReportsCheckBox = nullptr;
  QComboBox* ReportsComboBox = nullptr;
  QPlainTextEdit* DLMemo = nullptr;
  QPushButton* CloseBtn = nullptr;
  QPushButton* HelpBtn = nullptr;
  QLabel* Image1 = nullptr;
  QLabel* Image2 = nullptr;
  QLabel* Image3 = nullptr;
  QFrame* Bevel1 = nullptr;
  QFrame* Bevel2 = nullptr;
};

// Runs the dialog for the equipment object: false (nothing shown) when its settings cannot be read.
bool ShowDataLoggerDialog(TXR9Equip& equipment);

}  // namespace cv::xr9
