#pragma once
// The channel picker of the memory settings dialog: a thin view over cv::mem::ChannelPicker. It
// reads the instrument's plans a second after it opens and leaves the picked plan header, channel
// and plan number in the settings dialog's model.
#include <QDialog>
#include <memory>

#include "MemoryChannel.h"

class QComboBox;
class QFrame;
class QLabel;
class QProgressBar;
class QPushButton;
class QTimer;
class TCv3Equip;
class TMemoryDataDlg;

class TMemoryChannelDlg : public QDialog {
  Q_OBJECT

 public:
  TMemoryChannelDlg(TMemoryDataDlg* owner, TCv3Equip* equip);
  // A picker for another owner's records; `start` (the form's own timer when null) runs
  // LoadChannels once.
  TMemoryChannelDlg(QWidget* owner, TCv3Equip* equip, cv::mem::PickTarget target,
                    cv::mem::PickerStart* start = nullptr);
  ~TMemoryChannelDlg() override;

  cv::mem::ChannelPicker& Picker() { return *picker; }
  void Render();

  QLabel *Label1 = nullptr, *Label2 = nullptr;
  QComboBox *PlanCombo = nullptr, *ChannelCombo = nullptr;
  QFrame *Bevel1 = nullptr, *Bevel2 = nullptr;
  QProgressBar* Gauge = nullptr;
  QPushButton *OKBtn = nullptr, *CancelBtn = nullptr;
  QTimer* TimerToShowForm = nullptr;

 public slots:
  // A family's picker may vary these.
  virtual void LoadChannels();
  virtual void OnChangePlan(int index);
  virtual void OnChangeChannel(int index);
  void OKBtnClick();

 private:
  class Adapter;
  void Finish();
  std::unique_ptr<Adapter> adapter;
  std::unique_ptr<cv::mem::ChannelPicker> picker;
  cv::mem::PickerStart* start = nullptr;
};
