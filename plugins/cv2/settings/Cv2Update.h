#pragma once
// The CORVANE-2 "Update Firmware" dialog: the CORVANE-4's without the analyser button,
// whose script runs in the equipment's CORVANE-2 dialect and whose Help opens the family's page.
#include <memory>

class QDialog;
class TCv3Equip;

namespace cv::cv2 {

std::unique_ptr<QDialog> MakeUpdateFirmDlg2(TCv3Equip& equipment);

}  // namespace cv::cv2
