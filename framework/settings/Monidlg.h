#pragma once
// The "Monitor" dialog: polls the instrument on a 40 ms timer through TMonitorPoller and shows
// what it measures; retunes it by frequency or channel and sets its measure type and standard.
#include <QDialog>
#include <QWidget>
#include <memory>
#include <vector>

#include "MonitorPoller.h"

class QButtonGroup;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTimer;
class QToolButton;
class TCv3Equip;

// An up-down control: two arrow buttons ("Up", "Down"); only the direction of a click counts.
class TUpDown : public QWidget {
  Q_OBJECT
 public:
  explicit TUpDown(QWidget* parent);
 signals:
  void Clicked(bool up);
};

// A titled group of radio buttons ("Item0", "Item1", ...), in `columns` columns.
class TMonitorRadioGroup : public QWidget {
  Q_OBJECT
 public:
  TMonitorRadioGroup(QWidget* parent, const QString& caption, const QStringList& items, int columns);
  int ItemIndex() const;
  // An index that names no item leaves none selected.
  void SetItemIndex(int index);
  QWidget* CheckedButton() const;
 signals:
  void Clicked();

 private:
  QButtonGroup* buttons;
};

class TMonitorDlg : public QDialog {
  Q_OBJECT
 public:
  // `profile` is kept, not copied: a family's static profile.
  TMonitorDlg(QWidget* owner, TCv3Equip* equipment,
              const cv::settings::MonitorProfile& profile = cv::settings::DefaultMonitorProfile());
  // With a command layer of the caller's (a test's or a benchmark's wrapping of the equipment's).
  TMonitorDlg(QWidget* owner, TCv3Equip* equipment, cv::settings::Link link,
              const cv::settings::MonitorProfile& profile = cv::settings::DefaultMonitorProfile());
  ~TMonitorDlg() override;

  cv::settings::TMonitorPoller& Poller() { return poller; }
  bool Receiving() const { return receiving; }
  bool Closing() const { return closing; }
  int Cycles() const { return cycles; }

  QLineEdit* FreqEdit;
  QLabel* Label1;
  TUpDown* FreqUpDown;
  QLineEdit* ChannelEdit;
  QLabel* Label9;
  TUpDown* ChannelUpDown;
  QLabel* BandLabel;
  QPlainTextEdit* DisplayMemo;
  TMonitorRadioGroup* MeasRadioGroup;
  TMonitorRadioGroup* StdRadioGroup;
  QPushButton* CloseBtn;
  QPushButton* HelpBtn;
  QLabel* Image1;
  QTimer* TimerToReceiveAll;

 public slots:
  void ReceiveAll();
  void FreqUpDownClick(bool up);
  void FreqEditEnter();
  void OnExitFreqEdit();
  void ChannelUpDownClick(bool up);
  void ChannelEditClick();
  void MeasRadioGroupClick();
  void StdRadioGroupClick();
  void CloseBtnClick();
  void HelpBtnClick();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  void PlaceBandAboveFreq();
  void ClearFlags();
  void ShowMeasurement(const cv::settings::MonitorMeasurement& record);
  bool SendFrequency();
  bool EditToData(QObject* edit, int key);

  TCv3Equip* equipment;
  QPlainTextEdit* logMemo;
  cv::settings::TMonitorPoller poller;
  bool receiving = false;
  bool closing = false;
  int cycles = 0;
};
