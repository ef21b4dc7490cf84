#pragma once
// "Channel Block Generator": edits the block settings of the channel list editor and shows the
// first and last channel the block will make; the list editor generates the channels.
#include <QDialog>
#include <string>

#include "ChannelListEditor.h"

class QLabel;
class QLineEdit;
class TCv3Equip;
class QPushButton;

class TChannelsBlockDlg : public QDialog {
  Q_OBJECT

 public:
  // `startDir`: where the program started, which the help page's path is relative to.
  TChannelsBlockDlg(QWidget* owner, BlockSettings& settings, char band, float lnbMHz,
                    const std::string& startDir = std::string(), int maxQuantity = kMaxPlanChannels);
  ~TChannelsBlockDlg() override;
  // The equipment whose help page Help opens; without one, the CORVANE-3 page from `startDir`.
  const TCv3Equip* helpEquip = nullptr;

  QLineEdit* InitCharEdit = nullptr;
  QLineEdit* InitIndexEdit = nullptr;
  QLineEdit* InitFreqEdit = nullptr;
  QLineEdit* StepFreqEdit = nullptr;
  QLineEdit* QuantityEdit = nullptr;
  QLineEdit* FirstChannelEdit = nullptr;
  QLineEdit* LastChannelEdit = nullptr;
  QPushButton* RefreshBitBtn = nullptr;
  QPushButton* OKBtn = nullptr;
  QPushButton* CancelBtn = nullptr;
  QPushButton* HelpBtn = nullptr;

 public slots:
  void ShowBlock();
  void RefreshBitBtnClick();
  void OKBtnClick();
  void HelpBtnClick();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  bool ReadInitChar();
  bool ReadInitFreq();
  bool ReadInitIndex();
  bool ReadQuantity();
  bool ReadStepFreq();
  void ClearEdits();
  void EditToBlock();

  ChannelBlockEditor block;
  std::string startDir;
};
