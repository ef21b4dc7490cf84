#pragma once
// The "Equipment configuration" dialog: a thin form over TOptionReader, showing the model, maker,
// serial number and fitted options, setting the rotary selector's direction and saving the list.
#include <QDialog>
#include <QString>
#include <functional>
#include <memory>

#include "ControlsOff.h"
#include "DialogExit.h"
#include "OptionRecords.h"

class QLabel;
class QListWidget;
class QPushButton;
class QRadioButton;
class QGroupBox;
class QTimer;
class QPlainTextEdit;
class TCv3Equip;

class TConfigurationDlg : public QDialog {
  Q_OBJECT
 public:
  TConfigurationDlg(QWidget* owner, TCv3Equip* equipment,
                    const cv::settings::TOptionFamily& family = cv::settings::Corvane3OptionFamily());
  ~TConfigurationDlg() override;

  cv::settings::TOptionReader& Reader() { return *reader; }
  bool Asking() const { return asking; }

  // The save dialog; tests replace it. Empty: cancelled.
  std::function<QString()> chooseSaveFile;

  QLabel* MakeLabel;
  QLabel* EquipLabel;
  QLabel* Label2;
  QLabel* SerialLabel;
  QLabel* Label1;
  QListWidget* OptionsListBox;
  // Null for a family without the rotary selector.
  QGroupBox* GroupBox1 = nullptr;
  QRadioButton* CWRadioButton = nullptr;
  QRadioButton* CCWRadioButton = nullptr;
  QPushButton* ApplyBtn = nullptr;
  QPushButton* CancelBtn;
  QPushButton* HelpBtn;
  QPushButton* SaveBtn;
  QTimer* TimerToShowForm;

 public slots:
  void AskForOptions();
  void CWRadioButtonClick();
  void CCWRadioButtonClick();
  void ApplyBtnClick();
  void SaveBtnClick();
  void HelpBtnClick();

 private:
  cv::ControlsOff ExchangeRunning();
  void BuildOptions();
  void BuildRotaryGroup();
  bool AskRotary();
  void ShowOptions();
  void ChangeRotary(bool toCcw);

  TCv3Equip* equipment;
  const cv::settings::TOptionFamily& family;
  QPlainTextEdit* logMemo;
  std::unique_ptr<cv::settings::TOptionReader> reader;
  bool asking = false;
};
