#include "Updatedlg4.h"

#include <QPushButton>

#include "Cv3Equip.h"
#include "Messages.h"
#include "Mpegdialog.h"
#include "MsgIds.h"

namespace cv::cv4 {

namespace m = cv::msg::cv4settings;

TUpdateFirmDlg4::TUpdateFirmDlg4(QWidget* owner, TCv3Equip* equipment, MakeAnalyzer makeAnalyzer)
    : TUpdateFirmDlg(owner, equipment) {
  StartBtn->setText(cv::MsgQ(m::StartBtn));
  if (makeAnalyzer) AddMpeg2Button(cv::MsgQ(m::Mpeg2Btn), cv::MsgQ(cv::msg::mpeg::Mpeg2Hint), std::move(makeAnalyzer));
}

std::unique_ptr<QDialog> MakeUpdateFirmDlg4(TCv3Equip& equipment, TUpdateFirmDlg::MakeAnalyzer makeAnalyzer) {
  return std::make_unique<TUpdateFirmDlg4>(equipment.GetOwner(), &equipment,
                                           makeAnalyzer ? std::move(makeAnalyzer) : TUpdateFirmDlg::MakeAnalyzer(MakeMpegDlg));
}

std::unique_ptr<QDialog> MakeUpdateFirmDlgNoAnalyzer(TCv3Equip& equipment) {
  return std::make_unique<TUpdateFirmDlg4>(equipment.GetOwner(), &equipment, TUpdateFirmDlg::MakeAnalyzer());
}

}  // namespace cv::cv4
