#pragma once
// The TV MIRELTO channel-plan editor's form and its receive dialog: thin views over TPlanEditor,
// which holds the plan store and every rule.
#include <QDialog>
#include <memory>
#include <string>
#include <vector>

#include "Xr9PlanEditor.h"
#include "Xr9PlanIn.h"
#include "Xr9PlanOut.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;

namespace cv::xr9 {

class TXR9Equip;

// Captions that this platform's font draws wider than their controls get smaller type (down to
// kSmallestCaptionPixels); CaptionFits tells whether a control's caption fits it.
constexpr int kSmallestCaptionPixels = 8;
void FitCaptions(QWidget* dialog);
bool CaptionFits(QWidget* control);

class TChannelsPlanDlg : public QDialog, public EditorView, public PlanOutView {
  Q_OBJECT

 public:
  TChannelsPlanDlg(QWidget* owner, TXR9Equip* equip);
  ~TChannelsPlanDlg() override;

  TPlanEditor& Editor() { return *editor; }

  // EditorView
  void RefreshAll() override;
  void RefreshChannels() override;
  void SetTransferButtons(bool save, bool send, bool receive) override;
  ReceiveChoice RunReceiveDialog(TPlanEditor& editor, const std::vector<std::string>& lines) override;
  void SendBehind() override;
  void SetGauge(int) override {}
  void Repaint() override { repaint(); }
  void AddLogZone(const std::string& line) override;
  void SetBusy(bool busy) override;

  // PlanOutView
  std::vector<int> SelectedPlanLines() const override;
  void DisableSendButton(bool sendAll) override;
  QWidget* DialogParent() override { return this; }
  TPlanOut& Out() { return *out; }
  TPlanIn& In() { return *in; }

  // What the lists show.
  void FillPlanList();
  void ShowPlanAttributes(int plan);
  void FillChannelList(int plan);
  void ShowChannelAttributes(int channel);

  // The field and enable operations of the attribute and field editing.
  void ShowPlanFields(int slot);
  void ShowChannelFields(int channel);
  void ShowChannelFieldsVideo(int channel);
  // A field's text as the program shows it; its exit stores nothing while the text is unchanged.
  static void ShowFieldText(QLineEdit* field, const QString& text);
  static bool FieldUnchanged(const QLineEdit* field);
  void ShowBandControls(int planType);
  void ApplyChannelTypeEnables(int typeId);
  void ApplyPlanTypeEnables(int typeId);
  void RefreshEnables();
  void FillBandCombo();
  // The ids shown by the TYPE choosers (-1 with no choice).
  int ChannelTypeId() const;
  int PlanTypeId() const;

  QPushButton *ReadBtn = nullptr, *AddChannelSetBtn = nullptr, *ReceiveBtn = nullptr, *SavePROFileBtn = nullptr,
              *SaveBtn = nullptr, *SendAllBtn = nullptr, *SendBtn = nullptr, *CloseBtn = nullptr,
              *HelpBtn = nullptr, *AddChannelBtn = nullptr, *DeleteChannelBtn = nullptr, *AddPlanBtn = nullptr,
              *DeletePlanBtn = nullptr, *MovePlanUpBtn = nullptr, *MoveDownPlanBtn = nullptr;
  QListWidget *PlanListBox = nullptr, *ComPlanListBox = nullptr, *ChanListBox = nullptr, *ComChanListBox = nullptr;
  QLabel *ChannelLabel = nullptr, *Image3 = nullptr;
  QPlainTextEdit* LogZone = nullptr;
  QLineEdit *PlanNameEdit = nullptr, *ChannelNameEdit = nullptr, *FreqEdit = nullptr, *ChannelSpacingEdit = nullptr;
  QComboBox* BandComboBox = nullptr;
  QGroupBox *PlanAttRadioGroup = nullptr, *FreqRadioGroup = nullptr;

 public slots:
  void PlanListBoxClick();
  void ChanListBoxClick();
  void AddChannelBtnClick();
  void DeleteChannelBtnClick();
  void AddPlanBtnClick();
  void DeletePlanBtnClick();
  void MovePlanUpBtnClick();
  void MoveDownPlanBtnClick();
  void ReceiveBtnClick();
  void CloseBtnClick();
  void HelpBtnClick();
  void ReadBtnClick();
  void AddChannelSetBtnClick();
  // Attribute area.
  void AddComChanSYSBtnClick();
  void AddComChanTYPEBtnClick();
  void AddComChanLNBBtnClick();
  void AddComChanSPINVBtnClick();
  void AddComChanCONSTBtnClick();
  void AddComChanCARRIERSBtnClick();
  void AddComChanGUARDBtnClick();
  void AddComChanCRBtnClick();
  void AddComChanBWBtnClick();
  void AddComChanOFFSETFREQBtnClick();
  void AddComChanSRBtnClick();
  void DelComChanBtnClick();
  void AddComPlanSYSBtnClick();
  void AddComPlanTYPEBtnClick();
  void AddComPlanLNBBtnClick();
  void AddComPlanBWBtnClick();
  void DelComPlanBtnClick();
  void ComChanSYSComboBoxSelect();
  void ComChanTYPEComboBoxSelect();
  void ComPlanSYSComboBoxSelect();
  void ComPlanTYPEComboBoxSelect();
  void BandComboBoxSelect();
  // Field area.
  void ChannelNameEditExit();
  void FreqEditExit();
  void ChannelSpacingEditExit();
  void FreqRadioGroupClick();
  void PlanNameEditExit();
  void PlanAttRadioGroupClick();
  void ComPlanBWEditExit();
  void ComChanBWEditExit();
  void ComChanSREditExit();
  void ComChanOFFSETFREQEditExit();
  // The exit handler of the field that holds the focus: Esc and the close box press EXIT without
  // leaving the field, so what was typed there is read before the unsaved-changes question.
  void ReadFieldBeingTyped();
  void SaveBtnClick();
  void SavePROFileBtnClick();
  void SendBtnClick();
  void SendAllBtnClick();

 private:
  void BuildFieldArea();
  void BuildAttributeArea();
  // Wires the choosers, add buttons, radio groups and the eight fields' Enter and exit.
  void ConnectEditing();
  bool eventFilter(QObject* watched, QEvent* event) override;
  template <class W>
  W* Ctl(const char* name) const;
  void AddToChannels(int id, const uint8_t* value);
  void AddToPlans(int id, const uint8_t* value);
  void SystemChosen(bool channelSide);
  void TypeChosen(bool channelSide);
  void ShowFocusedChannelAgain(int top);
  bool Satellite() const;
  int ChooserId(const char* chooser, int code) const;
  void SetChooserId(const char* chooser, int code, int id);
  bool CenterChosen() const;
  bool fieldExitRan = false;  // set when a field's focus loss ran its exit handler

  TXR9Equip* equip;
  std::unique_ptr<TPlanEditor> editor;
  std::unique_ptr<TPlanOut> out;
  std::unique_ptr<TPlanIn> in;
};

class TReceivePlansDlg : public QDialog {
  Q_OBJECT

 public:
  // The modal results of its buttons.
  enum Result { ResultCancel = 0, ResultOk = 1, ResultYes = 6 };

  TReceivePlansDlg(QWidget* owner, TPlanEditor& editor, TXR9Equip* equip, const std::vector<std::string>& lines);

  QListWidget* PlansCheckListBox = nullptr;
  QPushButton *SelectAllBtn = nullptr, *UnselectAllBtn = nullptr, *EraseBtn = nullptr, *ReceiveBtn = nullptr,
              *CancelBtn = nullptr;

 public slots:
  void SelectAllBtnClick();
  void UnselectAllBtnClick();
  void ReceiveBtnClick();
  void EraseBtnClick();
  void CancelBtnClick();

 private:
  std::vector<int> Ticked() const;

  TPlanEditor& editor;
  TXR9Equip* equip;
};

}  // namespace cv::xr9
