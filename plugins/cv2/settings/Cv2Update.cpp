#include "Cv2Update.h"

#include <QDialog>

#include "Updatedlg4.h"

namespace cv::cv2 {

std::unique_ptr<QDialog> MakeUpdateFirmDlg2(TCv3Equip& equipment) { return cv::cv4::MakeUpdateFirmDlgNoAnalyzer(equipment); }

}  // namespace cv::cv2
