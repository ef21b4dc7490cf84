#include "Specdlg4.h"

#include "Cv3Equip.h"
#include "Messages.h"
#include "MsgIds.h"
#include "Specdlg.h"

namespace cv::cv4 {

TSpectrumProfile Spectrum4Profile() {
  TSpectrumProfile p;
  p.satelliteStart = 900.0;
  p.bandGap = 38.0f;
  p.firstRefLevel = 50;
  p.refLevelCount = 7;
  p.defaultRefItem = 2;
  p.pauseAfterSpectrumOffMs = 2000;
  p.filterOffCommand = "*MF6F";
  p.filterOnCommand = "*MF7F";
  p.variantRule = false;
  p.loggerTitle = cv::Msg(msg::cv4spectrum::LoggerTitle);
  p.loggerEnd = cv::Msg(msg::cv4spectrum::LoggerEnd);
  p.printLabelPointSize = 7;
  return p;
}

std::unique_ptr<QDialog> MakeSpectrumDlg4(TCv3Equip& equipment) {
  return std::make_unique<TSpectrumDlg>(equipment.GetOwner(), &equipment, Spectrum4Profile());
}

}  // namespace cv::cv4
