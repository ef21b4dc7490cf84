#pragma once
// "Channel Editor": edits the channels of one plan of the channel-plan editor. It works on a
// copy; OK writes the copy back into the plan slot it was opened on, Cancel leaves the slot as
// it was. The plan editor updates the slot's channel count after OK.
#include <QDialog>
#include <QString>
#include <functional>

#include "ChannelListEditor.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class TCv3Equip;

class TChannelsDlg : public QDialog {
  Q_OBJECT

 public:
  TChannelsDlg(QWidget* owner, PlanSlot& plan, TCv3Equip* equip = nullptr,
               const cv::plan::PlanFamily& family = cv::plan::Corvane3PlanFamily());
  ~TChannelsDlg() override;

  ChannelListEditor& Editor() { return editor; }

  QListWidget* ChanListBox = nullptr;
  QLineEdit* NameEdit = nullptr;
  QLineEdit* FreqEdit = nullptr;
  QLineEdit* BWEdit = nullptr;
  QLabel* BWLabel = nullptr;
  QComboBox* Comm1Combo = nullptr;
  QComboBox* Comm2Combo = nullptr;
  QComboBox* Comm3Combo = nullptr;
  QPushButton* AddBtn = nullptr;
  QPushButton* DeleteBtn = nullptr;
  QPushButton* BlockBtn = nullptr;
  QPushButton* OKBtn = nullptr;
  QPushButton* CancelBtn = nullptr;
  QPushButton* HelpBtn = nullptr;
  QLabel* Image1 = nullptr;

  // How the person is told: the system beep and error boxes (tests replace them).
  std::function<void()> beep;
  std::function<void(const QString& text, const QString& caption)> errorBox;

 public slots:
  void AddBtnClick();
  void DeleteBtnClick();
  void BlockBtnClick();
  void OKBtnClick();
  void CancelBtnClick();
  void HelpBtnClick();
  void OnExitNameEdit();
  void OnExitFreqEdit();
  void OnExitBWEdit();
  void OnExitCommCombo(int which);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  // Esc and the close box: the field being typed in is read, then the question about changed
  // channels, then OK's or Cancel's way out.
  void LeaveAsking();
  // False when the field refused what was typed (it beeps and shows its kept value again).
  bool ReadFieldBeingTyped();
  void FillChannelList();
  void ShowChannel();
  void ClearEdits();
  void EnableEdits();
  void EnableButtons(bool on);
  void AfterExit(ChannelListEditor::Exit result, QWidget* refocus);
  void EditToChan();

  PlanSlot& target;
  TCv3Equip* equip;
  ChannelListEditor editor;
  bool filling = false;
  bool refused = false;  // the last exit check refused its field's text
};
