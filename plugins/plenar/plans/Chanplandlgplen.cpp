#include "Chanplandlgplen.h"

#include "PlenEquip.h"
#include "PlenPlanFamily.h"

namespace cv::plenar {

std::unique_ptr<TChannelsPlanDlg> MakeChannelsPlanDlgPlen(QWidget* owner, TCvPlenEquip* equip,
                                                          OptionsReader readOptions) {
  auto dialog = std::make_unique<TChannelsPlanDlg>(owner, equip, PlenPlanFamily());
  if (!readOptions)
    readOptions = [equip](TInstalledOptions& into) { return equip->ReadInstalledOptions(into) ? &into : nullptr; };
  cv::plan::PlanEditor& editor = dialog->Editor();
  editor.sendCheck = [&editor, readOptions] {
    TInstalledOptions options;
    return CheckPlenPlans(editor.planSlots, readOptions(options), editor);
  };
  return dialog;
}

}  // namespace cv::plenar
