#include "Specdlgplen.h"

#include "Cv3Equip.h"
#include "Messages.h"
#include "MsgIds.h"
#include "Specdlg.h"
#include "Specdlg4.h"

namespace cv::plenar {

TSpectrumProfile SpectrumPlenProfile() {
  TSpectrumProfile p = cv::cv4::Spectrum4Profile();
  p.firstRefLevel = 10;
  p.refLevelCount = 13;
  p.defaultRefItem = 6;
  p.loggerTitle = cv::Msg(msg::plenspectrum::LoggerTitle);
  p.loggerEnd = cv::Msg(msg::plenspectrum::LoggerEnd);
  p.quickMode = true;
  p.quickCaptionId = msg::plenspectrum::QuickMode;
  p.measHintId = msg::plenspectrum::MeasHint;
  p.quickRefusedLineId = msg::plenspectrum::SpModeOnError;
  p.quickBlockLineId = msg::plenspectrum::BlockMissing;
  return p;
}

std::unique_ptr<QDialog> MakeSpectrumDlgPlen(TCv3Equip& equipment) {
  return std::make_unique<TSpectrumDlg>(equipment.GetOwner(), &equipment, SpectrumPlenProfile());
}

}  // namespace cv::plenar
