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
  void LoadChannels();
  void OnChangePlan(int index);
  void OnChangeChannel(int index);
  void OKBtnClick();

 private:
  class Adapter;
  void Finish();
  std::unique_ptr<Adapter> adapter;
  std::unique_ptr<cv::mem::ChannelPicker> picker;
};
