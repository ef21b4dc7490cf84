#pragma once
// The data logger dialog: lists the instrument's memories and test points, downloads the wanted
// values (TDataLogger under it) and hands the download to the CSV file and the result sheet.
#include <QDialog>
#include <QString>
#include <functional>
#include <memory>
#include <string>

#include "ControlsOff.h"
#include "DataLogger.h"
#include "LoggerCsv.h"

class QGroupBox;
class QLabel;
class QListWidget;
class QListWidgetItem;
class QProgressBar;
class QPushButton;
class QRadioButton;
class TCv3Equip;
class TDataLoggerTPDlg;

// A radio group of the form: a frame with its items, one of them chosen.
class TLoggerRadioGroup : public QWidget {
  Q_OBJECT
 public:
  TLoggerRadioGroup(QWidget* parent, const QString& caption, const QStringList& items);
  int ItemIndex() const;
  void SetItemIndex(int index);
 signals:
  void Clicked();

 private:
  std::vector<QRadioButton*> buttons;
};

class TDataLoggerDlg : public QDialog, private cv::logger::TDataLoggerView {
  Q_OBJECT
 public:
  TDataLoggerDlg(QWidget* owner, TCv3Equip* equipment,
                 const cv::logger::TLoggerFamily& family = cv::logger::Corvane3LoggerFamily());
  ~TDataLoggerDlg() override;

  cv::logger::TDataLogger& Logger() { return logger; }
  TCv3Equip* Equipment() const { return equipment; }
  TDataLoggerTPDlg* NameDialog() const { return nameDialog; }
  QListWidget* TPList() const { return TPCheckListBox; }
  // The CSV file text of the last download (the sheet adds its report lines).
  std::string CsvText(const cv::logger::TLoggerReport* report) const;
  // Saves the last download to `path`, with the messages of a failed save; true when saved.
  bool WriteCsvFile(const QString& path, const cv::logger::TLoggerReport* report);

  // Person-facing services; tests replace them.
  std::function<QString()> chooseSaveFile;  // empty: cancelled
  std::function<void()> runViewer;          // shows the result sheet modally

  // Rewrites the test point's line (0-based) after a rename.
  void ShowLoggerItem(int line);
  int NextSelectedTP(int line) const { return logger.NextSelectedTP(line); }

 public slots:
  void ReceiveNamesBtnClick();
  void ReceiveDataBtnClick();
  void SaveAllBtnClick();
  void SaveCSVFile();
  void CancelDataLogBtnClick();
  void CloseDataLogBtnClick();
  void HelpDataLogBtnClick();
  void TPCheckListBoxClickCheck(QListWidgetItem* item);
  void MemCheckListBoxClickCheck(QListWidgetItem* item);
  void TPCheckListBoxClick();
  void TPCheckListBoxDblClick(QListWidgetItem* item);
  void UnselectTPBtnClick();
  void UnselectMemBtnClick();

 private:
  // TDataLoggerView
  void ShowMemoryNumber(int number) override;
  void ShowTPNumber(int number) override;
  void SetGauge(int percent) override;
  void Repaint() override;
  void PumpMessages() override;
  // The download lets window events run once per test point: every control that would start
  // another exchange, change what it works on or leave is off for its whole run.
  cv::ControlsOff TransferLock();

  void BuildForm();
  bool ReceiveNames();
  void FillMemoryList();
  void FillTPList();
  void ScrollRule(QListWidget* list, QListWidgetItem* item);
  void AddLine(QListWidget* list, const QString& text, bool ticked);
  bool UntickAll(QListWidget* list);
  void RunViewer();
  QString TPLine(int index) const;

  TCv3Equip* equipment;
  cv::logger::TDataLogger logger;
  bool filling = false;
  TDataLoggerTPDlg* nameDialog = nullptr;

  QLabel *Image1, *TPLabel, *MemLabel;
  QProgressBar* Gauge;
  TLoggerRadioGroup *TPButtonRadio, *MemButtonRadio;
  QListWidget *TPCheckListBox, *MemCheckListBox;
  QPushButton *ReceiveNamesBtn, *ReceiveDataBtn, *SaveAllBtn, *HelpDataLogBtn, *CancelDataLogBtn, *CloseDataLogBtn;
  QPushButton *UnselectTPBtn, *UnselectMemBtn;
};
