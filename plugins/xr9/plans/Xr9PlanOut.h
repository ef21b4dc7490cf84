#pragma once
// Plans leaving the channel-plan editor: the check of a plan against the connected analyser's
// options, sending one or all plans, saving plans as ".can" files and the store as a canalization
// script. A plain class over the editor's store; the form gives it the selected lines and the
// send buttons, files and folders are chosen through the platform's file dialogs.
#include <string>
#include <vector>

#include "Xr9Equip.h"
#include "AppServices.h"
#include "Xr9Plan.h"
#include "Xr9PlanFiles.h"

class QWidget;

namespace cv::xr9 {

class TPlanEditor;

// What the compatibility check needs of the plan list on the form.
class PlanOutView {
 public:
  virtual ~PlanOutView() = default;
  virtual std::vector<int> SelectedPlanLines() const = 0;  // rows of PlanListBox, in list order
  virtual void DisableSendButton(bool sendAll) = 0;
  virtual QWidget* DialogParent() { return nullptr; }
};

// The unsupported items of `plan` on an analyser identified as `ident`, as the log lines that
// report them, plan level first, then every channel in list order.
std::vector<std::string> CompatibilityFailures(const TPlanXR9& plan, const TEquipIdent& ident);

// The canalization script of the plan store at `path`; "Creating PRO file" goes to both logs.
// False (with a message naming the file) when the file cannot be written whole.
bool WriteCanalizationScript(const std::vector<TPlanXR9>& plans, const std::string& path, const PlanSinks& sinks);
// The script's text.
std::string CanalizationScriptText(const std::vector<TPlanXR9>& plans);

class TPlanOut {
 public:
  TPlanOut(TPlanEditor& editor, PlanOutView& view);

  bool CheckPlanCompatibility(int slot);
  // One attempt: written, checked and uploaded.
  bool SendPlan(int slot);
  void SendBtnClick();
  void SendAllBtnClick();

  void SaveBtnClick();
  bool SaveSelectedPlan(int slot, bool withDialog);
  void SaveAllSelectedPlans();
  void SavePROFileBtnClick();

  static constexpr int kSendAttempts = 5;
  static constexpr const char* kPlanTemp = "__XR9B_.TMP";
  static constexpr const char* kScriptTemp = "_XR9PRO_.TMP";

 private:
  static bool HasChannels(const TPlanXR9& plan) { return plan.Channels && !plan.Channels->empty(); }
  void Box(const std::string& text, int captionId, cv::MsgIcon icon);
  void BothLogs(const std::string& line);

  TPlanEditor& editor;
  PlanOutView& view;
};

}  // namespace cv::xr9
