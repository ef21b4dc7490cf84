#pragma once
// The "Channel Identifier" form: a thin view over ChannelIdentifier, which drives the meter. It
// shows the running account, the progress and the result, repeats a pass 5 s after each end while
// Loop is ticked, and is never closed while a pass is still on the stack.
#include <QDialog>
#include <QString>
#include <functional>
#include <memory>

#include "ChannelIdentifier.h"

class QCheckBox;
class QLabel;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QTimer;

namespace cv::plenar {

class TIdentifierForm : public QDialog, private IdentView {
  Q_OBJECT
 public:
  TIdentifierForm(QWidget* owner, TCvPlenEquip* equipment);
  ~TIdentifierForm() override;

  ChannelIdentifier& Identifier() { return *ident; }

  QLabel* ChannelLabel;
  QLabel* FreqLabel;
  QLabel* StdLabel;
  QLabel* NameLabel;
  QLabel* ProviderLabel;
  QPlainTextEdit* IdentMemo;
  QProgressBar* ProgressBar;
  QLabel* DoNotChangeLabel;
  QPushButton* IdentifyBtn;
  QPushButton* AbortBtn;
  QCheckBox* LoopCheckBox;
  QPushButton* SaveBtn;
  QPushButton* CloseBtn;
  QPushButton* HelpBtn;
  // Checks the identifier's 5 s loop against the equipment's clock.
  QTimer* TimerToStart;

 public slots:
  void IdentifyBtnClick();
  void StartIdentificationByTimer();
  void AbortBtnClick();
  void LoopCheckBoxClick();
  void SaveBtnClick();
  void CloseBtnClick();
  void HelpBtnClick();

 private:
  void AddLine(const std::string& line) override;
  void SetProgress(int percent) override;
  void ShowBusy(bool busy) override;
  void ShowResult() override;
  void LoopCleared() override;
  // Ends the modal loop once a close was asked for and no pass is left on the stack.
  void CloseIfDue();

  TCvPlenEquip* equipment;
  std::unique_ptr<ChannelIdentifier> ident;
};

}  // namespace cv::plenar
