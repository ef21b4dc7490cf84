#pragma once
// The CORVANE-3 channel-plan editor's form: a thin view over PlanEditor, which holds the 32 plan
// slots and every rule. Each handler passes its event to the controller and shows the result.
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "Loggerform.h"
#include "PlanEditor.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class TCv3Equip;

class TChannelsPlanDlg : public TLogForm {
  Q_OBJECT

 public:
  TChannelsPlanDlg(QWidget* owner, TCv3Equip* equip,
                   const cv::plan::PlanFamily& family = cv::plan::Corvane3PlanFamily());
  ~TChannelsPlanDlg() override;

  // Runs a script with this dialog as its progress form; set by the launcher from the
  // equipment's script engine. Without it Send reports failure.
  std::function<bool(const std::string& path, TLogForm* progress)> scriptRunner;
  // Opens the channel editor on slot `index`; true when it accepted its changes.
  std::function<bool(TChannelsPlanDlg* editor, int index)> channelEditor;

  cv::plan::PlanEditor& Editor() { return *editor; }
  PlanSlot* GetSelectedPlan() { return editor->GetSelectedPlan(); }
  // Fills a command combo with the labels of a plan command table, " -none-" selected.
  static void FillCommandCombo(QComboBox* combo, const TCommandTable& table = kCv3CommandTable);

  QListWidget* ChanPlanListBox = nullptr;
  QLabel* ListBoxLabel = nullptr;
  QPushButton *UpBtn = nullptr, *DownBtn = nullptr, *EditBtn = nullptr, *NewBtn = nullptr,
              *InsertBtn = nullptr, *DeleteBtn = nullptr, *ExtractBtn = nullptr, *AddBtn = nullptr,
              *SaveBtn = nullptr, *ReadBtn = nullptr, *SendBtn = nullptr, *ReceiveBtn = nullptr,
              *CloseBtn = nullptr, *HelpBtn = nullptr;
  QLineEdit *NameEdit = nullptr, *CodeEdit = nullptr, *LNBEdit = nullptr, *NumberChanEdit = nullptr;
  QComboBox *BandCombo = nullptr, *Comm1Combo = nullptr, *Comm2Combo = nullptr, *Comm3Combo = nullptr;
  QLabel* LogoTessary = nullptr;

 public slots:
  void NewBtnClick();
  void InsertBtnClick();
  void DeleteBtnClick();
  void UpBtnClick();
  void DownBtnClick();
  void EditBtnClick();
  void ReadBtnClick();
  void SaveBtnClick();
  void AddBtnClick();
  void ExtractBtnClick();
  void SendBtnClick();
  void ReceiveBtnClick();
  void CloseBtnClick();
  void HelpBtnClick();
  void OnClickListBox();
  void OnExitNameEdit();
  void OnExitCodeEdit();
  void OnExitLNBEdit();
  void OnExitBandCombo();
  void OnExitComm1Combo();
  void OnExitComm2Combo();
  void OnExitComm3Combo();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 public:
  void FillPlanList();
  void ShowPlan();
  void ClearEdits();
  void EnableEdits(bool on);
  // Each button as the editor's state allows (a plan selected, a port).
  void EnableButtons();
  void Refresh();

 private:
  // A handler with every button off for its run, and the form shown afresh from the editor after.
  template <typename F>
  void Run(F&& handler);
  // Run for a handler that talks to the meter (and lets window events run meanwhile).
  template <typename F>
  void Transfer(F&& handler);
  std::vector<QWidget*> Buttons() const;
  void ReadAllEdits();
  void Refused(QLineEdit* edit, bool refocus);

  class Adapter;
  TCv3Equip* equip = nullptr;
  const cv::plan::PlanFamily& family;
  std::unique_ptr<Adapter> adapter;
  std::unique_ptr<cv::plan::PlanEditor> editor;
};
