#pragma once
// The memory settings dialog: a thin view over cv::mem::MemoryData, which holds the working
// record and every rule. Combos and radio buttons answer user actions only (activated, clicked),
// so filling the form from the record never runs a handler that changes it.
#include <QDialog>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

#include "MemoryChannel.h"
#include "MemoryData.h"
#include "MsgIds.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class TCv3Equip;
class TMemoryDlg;

// What a family's settings form differs in: its rules and lists, two hints and its channel picker.
struct MemoryDataFormFamily {
  const cv::mem::MemoryDataFamily* data = nullptr;  // none: the CORVANE-3's
  int modifyChannelHint = cv::msg::memdata::ModifyChannelHint;
  int specInvHint = cv::msg::memdata::SpecInvHint;
  // The name edit's and the measure list's hints; 0: none.
  int nameHint = 0;
  int levelHint = 0;
  // Runs the family's picker modally over `target`; true when it closed with OK. None: the
  // framework's picker.
  std::function<bool(QWidget* owner, cv::mem::PickTarget target, cv::mem::PickerStart* start)> runPicker;
  // The labels the family's form words otherwise: each label's object name and its text's id.
  std::vector<std::pair<const char*, int>> labels;
};

class TMemoryDataDlg : public QDialog {
  Q_OBJECT

 public:
  // Copies `owner`'s current record in; when it is invalid, shows "Invalid memory data" and
  // presets the result to Cancel (Opened() is false) so that the owner does not show the dialog.
  TMemoryDataDlg(TMemoryDlg* owner, TCv3Equip* equip, const MemoryDataFormFamily& family = {});
  ~TMemoryDataDlg() override;

  bool Opened() const { return opened; }
  cv::mem::MemoryData& Model() { return *model; }
  // Shows the model's state in the controls.
  void Render();
  // The channel picker's start; none: the picker's own timer. Tests put a fake here.
  cv::mem::PickerStart* pickerStart = nullptr;

  QLabel* Image1 = nullptr;
  QLineEdit *NameEdit = nullptr, *FreqEdit = nullptr, *ChannelEdit = nullptr, *SoundSubEdit = nullptr,
            *BWEdit = nullptr, *LNBOscEdit = nullptr, *SymRateEdit = nullptr, *NoiseEdit = nullptr;
  QRadioButton *FreqRadioButton = nullptr, *ChannelRadioButton = nullptr;
  QPushButton *ModifyChannelBtn = nullptr, *OKBtn = nullptr, *CancelBtn = nullptr, *HelpBtn = nullptr;
  QComboBox *LevelCombo = nullptr, *BandCombo = nullptr, *SoundCombo = nullptr, *StandardCombo = nullptr,
            *UnitsCombo = nullptr, *LNBSupCombo = nullptr, *CodeRateCombo = nullptr, *ModulationCombo = nullptr,
            *SpecInvCombo = nullptr, *IntervalCombo = nullptr, *CarriersCombo = nullptr;

 public slots:
  void OKBtnClick();
  void HelpBtnClick();
  void NameEditClick();
  void ModifyChannelBtnClick();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  class Adapter;
  QLineEdit* EditOf(cv::mem::DataEdit edit) const;
  void EditExit(QLineEdit* edit);
  // Esc and the close box: the question about a changed record, after the field being typed in.
  void LeaveAsking();
  MemoryRecord openedAs;  // the working record as it would have gone back untouched
  TMemoryDlg* owner = nullptr;
  TCv3Equip* equip = nullptr;
  MemoryDataFormFamily family;
  std::unique_ptr<Adapter> adapter;
  std::unique_ptr<cv::mem::MemoryData> model;
  bool opened = false;
  bool rendering = false;
};
