#pragma once
// The CORVANE-PLENAR's MPEG-2 analyser: the CORVANE-4's dialog with the DAB panel (a reading
// every second while MEAS DAB is on, the audio selection and the two raw line tests).
#include <memory>

#include "Mpegdialog.h"

class QLabel;
class QLineEdit;
class QPushButton;
class QTimer;
class TCv3Equip;

namespace cv::plenar {

class TCvPlenEquip;

class TMpegDlg : public cv::cv4::TMpegDlg {
  Q_OBJECT
 public:
  TMpegDlg(QWidget* owner, TCvPlenEquip* equipment);

  bool DabRunning = false;
  bool TestStopRequested = false;

  QPushButton* Button1;
  QTimer* TimerDAB;
  QLabel* DABLabel;
  QLabel* Label5;
  QLabel* SNR;
  QLineEdit* SNREdit;
  QLabel* Label3;
  QLineEdit* QUALEdit;
  QLabel* Label4;
  QLineEdit* MUXEdit;
  QLabel* Label6;
  QLineEdit* CapturaEdit;
  QPushButton* SelectBtn;
  QLineEdit* AudioEdit;
  QPushButton* Button2;
  QPushButton* Button4;
  QPushButton* Button3;

  void ReadDab();

 public slots:
  void Button1Click();
  void TimerDABTimer();
  void SelectBtnClick();
  void Button2Click();
  void Button3Click();
  void Button4Click();

 private:
  void SerialTest(int test);
};

// The analyser the CORVANE-PLENAR's "MP" button makes (on the family's equipment object).
std::unique_ptr<QDialog> MakeMpegDlgPlen(QWidget* owner, TCv3Equip& equipment);

}  // namespace cv::plenar
