#include "Cv2Options.h"

#include "Configdlg.h"
#include "Dv8Options.h"

namespace cv::cv2 {

const cv::settings::TOptionFamily& Cv2OptionFamily() {
  static const cv::settings::TOptionFamily family = [] {
    cv::settings::TOptionFamily f = cv::dv8::Dv8OptionFamily();
    f.version = cv::settings::VersionForm::FixedCut;
    f.rotarySelector = false;
    f.reportFirstLine = kReportFirstLine2;
    return f;
  }();
  return family;
}

std::unique_ptr<QDialog> MakeConfigurationDlg2(QWidget* owner, TCv3Equip* equipment) {
  return std::make_unique<TConfigurationDlg>(owner, equipment, Cv2OptionFamily());
}

}  // namespace cv::cv2
