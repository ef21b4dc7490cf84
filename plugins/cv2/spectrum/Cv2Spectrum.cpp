#include "Cv2Spectrum.h"

#include <iterator>

#include "Cv2Equip.h"
#include "Dv8Spectrum.h"
#include "Messages.h"
#include "MsgIds.h"
#include "Specdlg.h"

namespace cv::cv2 {

namespace {
TSpectrumProfile MakeProfile() {
  TSpectrumProfile p = cv::dv8::Dv8SpectrumProfile();
  p.terrestrialStart = 45.0;
  p.satelliteBand = true;
  p.satelliteStart = 900.0;
  p.bandGap = 38.0f;
  p.editsKeepOrder = true;
  p.defaultInitial = 1165.0f;
  p.defaultFinal = 1205.0f;
  p.defaultStep = 1.0f;
  p.measModes.assign(std::begin(measureCodes), std::end(measureCodes));
  p.loggerTitle = cv::Msg(msg::cv2spectrum::LoggerTitle);
  p.loggerEnd = cv::Msg(msg::cv2spectrum::LoggerEnd);
  // A row across the gap has fewer measured points than the sweep counts; each frequency of the
  // header gets its own level.
  p.rowsOfPoints = false;
  // A sweep over both bands keeps every line of its rounded-up count: the labels run evenly over
  // the whole span, the last one past the right edge when the count rounds up.
  p.scaleLinesInsideSpan = false;
  return p;
}
}  // namespace

const TSpectrumProfile& Cv2SpectrumProfile() {
  static const TSpectrumProfile profile = MakeProfile();
  return profile;
}

std::unique_ptr<QDialog> MakeCv2SpectrumDlg(TCv2Equip& equipment) {
  return std::make_unique<TSpectrumDlg>(equipment.GetOwner(), &equipment, Cv2SpectrumProfile());
}

}  // namespace cv::cv2
