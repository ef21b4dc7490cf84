#include "Cv2Monitor.h"

#include <iterator>

#include "Cv2Equip.h"
#include "Monidlg.h"
#include "MsgIds.h"

namespace cv::cv2 {

Cv2MonitorProfile::Cv2MonitorProfile() {
  terrestrialStart = 45.0;
  terrestrialEnd = 862.0;
  terrestrialStep = 0.05;
  satelliteStart = 900.0;
  satelliteEnd = 2150.0;
  satelliteStep = 0.5;
  formatSwitch = 900.0;
  SetStandardCodes(cv2::standardCodes, std::size(cv2::standardCodes));
  standardItemsId = msg::cv2spectrum::MonitorStandardItems;
  measureItemsId = msg::cv2spectrum::MonitorMeasureItems;
  measureCodes.assign(std::begin(cv2::measureCodes), std::end(cv2::measureCodes));
  showBand = true;
  bandAboveFreq = true;
  emptyEditTunes = true;
}

const Cv2MonitorProfile& Cv2MonitorValues() {
  static const Cv2MonitorProfile profile;
  return profile;
}

std::unique_ptr<QDialog> MakeCv2MonitorDlg(TCv2Equip& equipment) {
  return std::make_unique<TMonitorDlg>(equipment.GetOwner(), &equipment, Cv2MonitorValues());
}

}  // namespace cv::cv2
