#include "Dv8Options.h"

#include "Configdlg.h"

namespace cv::dv8 {

const cv::settings::TOptionFamily& Dv8OptionFamily() {
  static const cv::settings::TOptionFamily family = [] {
    cv::settings::TOptionFamily f = cv::settings::Corvane3OptionFamily();
    f.unreadRotaryIsClockwise = false;
    f.closeEmptyReport = true;
    return f;
  }();
  return family;
}

std::unique_ptr<QDialog> MakeConfigurationDlg8(QWidget* owner, TCv3Equip* equipment) {
  return std::make_unique<TConfigurationDlg>(owner, equipment, Dv8OptionFamily());
}

}  // namespace cv::dv8
