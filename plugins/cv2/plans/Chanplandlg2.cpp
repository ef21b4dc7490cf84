#include "Chanplandlg2.h"

#include "Cv2Equip.h"

namespace cv::cv2 {

std::unique_ptr<TChannelsPlanDlg> MakeChannelsPlanDlg2(QWidget* owner, TCv2Equip* equip, OptionsReader readOptions) {
  auto dialog = std::make_unique<TChannelsPlanDlg>(owner, equip, Cv2PlanFamily());
  if (!readOptions)
    readOptions = [equip](cv::dv8::InstalledOptions& into) { return equip->ReadInstalledOptions(into); };
  cv::plan::PlanEditor& editor = dialog->Editor();
  editor.sendCheck = [&editor, readOptions] { return CheckCv2Plans(editor, readOptions); };
  return dialog;
}

}  // namespace cv::cv2
