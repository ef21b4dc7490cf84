#include "Monidlg4.h"

#include "Cv3Equip.h"
#include "Monidlg.h"

namespace cv::cv4 {

namespace {

cv::settings::MonitorProfile MakeProfile() {
  cv::settings::MonitorProfile p;
  p.satelliteStart = 900.0;
  p.formatSwitch = 900.0;
  p.variantRule = false;
  // Digital transmissions come back with any colour digit; "36" is the one sent.
  p.standards.back().codes = {"36", "06", "16", "26"};
  return p;
}

}  // namespace

const cv::settings::MonitorProfile& Monitor4Profile() {
  static const cv::settings::MonitorProfile profile = MakeProfile();
  return profile;
}

std::unique_ptr<QDialog> MakeMonitorDlg4(TCv3Equip& equipment) {
  return std::make_unique<TMonitorDlg>(equipment.GetOwner(), &equipment, Monitor4Profile());
}

}  // namespace cv::cv4
