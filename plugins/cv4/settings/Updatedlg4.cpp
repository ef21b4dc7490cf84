#include "Updatedlg4.h"

#include <QProgressBar>
#include <QPushButton>

#include "Cv3Equip.h"
#include "Messages.h"
#include "MsgIds.h"

namespace cv::cv4 {

namespace m = cv::msg::cv4settings;

TUpdateFirmDlg4::TUpdateFirmDlg4(QWidget* owner, TCv3Equip* equipment) : TUpdateFirmDlg(owner, equipment) {
  StartBtn->setText(cv::MsgQ(m::StartBtn));
  Mpeg2Btn = new QPushButton(cv::MsgQ(m::Mpeg2Btn), this);
  Mpeg2Btn->setObjectName("Mpeg2Btn");
  Mpeg2Btn->setToolTip(cv::MsgQ(m::Mpeg2Hint));
  // Under Close, in the free strip above the gauge; never the default button.
  const QRect close = CloseBtn->geometry();
  Mpeg2Btn->setGeometry(close.x(), close.bottom() + 3, close.width(), Gauge->geometry().top() - close.bottom() - 6);
  Mpeg2Btn->setAutoDefault(false);
  Mpeg2Btn->setEnabled(false);
  connect(Mpeg2Btn, &QPushButton::clicked, this, &TUpdateFirmDlg4::Mpeg2BtnClick);
}

void TUpdateFirmDlg4::Mpeg2BtnClick() {}

std::unique_ptr<QDialog> MakeUpdateFirmDlg4(TCv3Equip& equipment) {
  return std::make_unique<TUpdateFirmDlg4>(equipment.GetOwner(), &equipment);
}

}  // namespace cv::cv4
