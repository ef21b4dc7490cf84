#pragma once
// The channel-plan editor's rules, apart from its form: the family's plan slots, the selection, the
// "modified" state, and what each button does with the planSlots, the files and the instrument.
// The form turns widget events into these calls and shows the state; tests drive it directly.
#include <functional>
#include <string>
#include <vector>

#include "PlanFamily.h"
#include "PlanImport.h"
#include "PlanReport.h"
#include "PlanScript.h"
#include "PlanSlot.h"

namespace cv::plan {

// What a plan header query gave: the plan, the instrument's word that it holds none there, a reply
// that is neither (garbled), or no answer at all (the link was lost). The last two say nothing
// about that plan or the ones after it.
enum class PlanAnswer { Plan, NoPlan, Lost, Garbled };

// What the editor needs of the equipment object: the instrument reads and the script run, and
// the equipment's text services.
class PlanEquipment {
 public:
  virtual ~PlanEquipment() = default;
  virtual bool HasPort() const = 0;
  virtual bool CheckVersion() = 0;
  virtual PlanAnswer ReadPlanInfo(int plan, PlanInfo& info) = 0;
  virtual bool ReadChannelInfo(int channel, int plan, TChan3& chan, char band) = 0;
  // Runs a script through the script engine; true when its last statement succeeded.
  virtual bool RunScript(const std::string& path) = 0;
  // The script line (piece, from 1) where the last failed run stopped; 0 when unknown.
  virtual int StoppedLine() const { return 0; }
  virtual int ParseLine(const std::string& line, int& keyword, std::vector<std::string>& args) = 0;
  virtual bool SplitFields(const std::string& line, std::vector<std::string>& fields) = 0;
  virtual void Log(const std::string& line) = 0;  // the host's LogMemo
  virtual std::string ModelName() const = 0;
  virtual std::string StartDir() const = 0;
  virtual char DecimalSeparator() const = 0;
  virtual char ListSeparator() const = 0;
};

// File dialogs; an empty result means the person cancelled.
class FileChooser {
 public:
  virtual ~FileChooser() = default;
  virtual std::string OpenFile(const std::string& filter, const std::string& initialDir) = 0;
  virtual std::string SaveFile(const std::string& filter, const std::string& defaultExt,
                               const std::string& initialDir) = 0;
};

// The form as the controller sees it during long loops.
class PlanView {
 public:
  virtual ~PlanView() = default;
  virtual void SetGauge(int percent) = 0;
  virtual void Repaint() = 0;
  virtual void AddLogZone(const std::string& line) = 0;
  virtual void SetBusy(bool busy) = 0;  // hourglass cursor while a script runs
};

class PlanEditor : public Report {
 public:
  PlanEditor(PlanEquipment& equip, cv::Prompter& prompter, FileChooser& chooser, PlanView& view,
             const PlanFamily& family = Corvane3PlanFamily());

  // Buttons and the plan list.
  void NewBtnClick();
  void InsertBtnClick();
  void DeleteBtnClick();
  void UpBtnClick();
  void DownBtnClick();
  // The slot whose channels the channel editor may open (received channels read first), or -1.
  int EditBtnClick();
  // The channel editor accepted its changes into slot `index`.
  void ChannelsEdited(int index);
  void ReceiveBtnClick();
  void ReadBtnClick();
  void AddBtnClick();
  void ExtractBtnClick();
  // True when the canalization was saved (or there is nothing to save).
  bool SaveBtnClick();
  void SendBtnClick();
  // True when the dialog may close.
  bool CloseBtnClick();
  void OnClickListBox(int index);

  // Readers of the header edits: 1 the value changed, 0 unchanged, -1 refused (the edit is to be
  // emptied and focused). `text` returns what the edit shows afterwards.
  int ReadNameEdit(std::string& text);
  int ReadCodeEdit(const std::string& text);
  int ReadLNBEdit(const std::string& text);  // -2: refused on a terrestrial plan, not focused
  int ReadBandCombo(int index);
  int ReadCommandCombo(int k, int index);

  // Slot operations.
  PlanSlot* GetSelectedPlan();
  void ClearAllPlans();
  bool AllPlansEmpty() const;
  int NextFreePlan(int i) const;
  int PrevFreePlan(int i) const;
  int FirstFreePlan() const;
  void SwapPlans(int a, int b);
  bool AskToSave();
  bool LoadPlanChannelsIfNeeded();
  // Reads a received plan's channels; true when all of them came. Else the plan is marked
  // incomplete and, when `tell`, the log and a box name the plan and the channel that failed.
  bool ReadPlanChannels(PlanSlot& slot, bool tell = true);
  // Writes the programming script of the canalization (received channels read first); on failure
  // no file is left at `path`.
  bool WriteScript(const std::string& path, PlanScriptWriter::Variant variant = PlanScriptWriter::Saved);
  // Reads a canalization script into `into` (cleared first); true when every announced plan was
  // read whole.
  bool ReadScriptFile(const std::string& path, PlanSlots& into);
  // Add's and Extract's file work: the family's plan file read into slot `slot` (the editor is
  // then modified; a file that cannot be opened is shown), or `slot` written to `path`.
  bool ReadPlanTextFile(const std::string& path, int slot);
  bool WritePlanTextFile(const std::string& path, const PlanSlot& slot);

  // Report, for the readers and writers.
  void Log(const std::string& line) override { equip.Log(line); }
  void LogZone(const std::string& line) override { view.AddLogZone(line); }
  cv::Prompter& Ask() override { return prompter; }
  void Repaint() override { view.Repaint(); }

  // What a family checks before Send runs the script (the canalization against the meter's
  // options); false stops the send. None by default.
  std::function<bool()> sendCheck;

  PlanSlots planSlots;
  bool planSelected = false;
  bool modified = false;
  bool listFilled = false;  // the plan list shows the family's plan slots
  // The first plan the last Receive did not get because the instrument stopped answering, -1
  // when the set is whole. A set cut short is no canalization to save or send: the plans after
  // the cut are unknown, and a send erases the instrument's channel memory first.
  int unreadPlan = -1;
  int listIndex = -1;       // selected item of the plan list, -1 none

  PlanEquipment& equip;
  const PlanFamily& family;

 private:
  void Select(int slot);
  void FillPlanList();
  void BackToInitialState();
  int FirstPlanFrom(int index) const;
  void Error(const std::string& text, cv::MsgIcon icon = cv::MsgIcon::Error);
  bool LoaderPresent();
  std::string UnreadText(const PlanSlot& slot);
  // What a box says of a Send whose script stopped at piece `line` of `script`: the plan and the
  // channel the line writes, or the line alone outside them.
  std::string SendStoppedText(const std::string& script, int line);
  void TellUnread(const PlanSlot& slot);
  static std::vector<uint32_t> ChannelWords(const PlanSlot& slot);

  cv::Prompter& prompter;
  FileChooser& chooser;
  PlanView& view;
  // The slot Edit opened and its channels then, to tell a plan the person rebuilt.
  int editedSlot = -1;
  std::vector<uint32_t> wordsBeforeEdit;
};

}  // namespace cv::plan
