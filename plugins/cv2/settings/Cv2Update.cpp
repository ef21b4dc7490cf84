#include "Cv2Update.h"

#include <QDialog>

#include "Updatedlg8.h"

namespace cv::cv2 {

std::unique_ptr<QDialog> MakeUpdateFirmDlg2(TCv3Equip& equipment) { return cv::dv8::MakeUpdateFirmDlg8(equipment); }

}  // namespace cv::cv2
