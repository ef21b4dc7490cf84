#include "Updatedlg8.h"

#include <QPushButton>

#include "Cv3Equip.h"
#include "Messages.h"
#include "MsgIds.h"

namespace cv::dv8 {

TUpdateFirmDlg8::TUpdateFirmDlg8(QWidget* owner, TCv3Equip* equipment) : TUpdateFirmDlg(owner, equipment) {
  // The CORVANE-4's caption: the same button on the same dialog.
  StartBtn->setText(cv::MsgQ(cv::msg::cv4settings::StartBtn));
}

std::unique_ptr<QDialog> MakeUpdateFirmDlg8(TCv3Equip& equipment) {
  return std::make_unique<TUpdateFirmDlg8>(equipment.GetOwner(), &equipment);
}

}  // namespace cv::dv8
