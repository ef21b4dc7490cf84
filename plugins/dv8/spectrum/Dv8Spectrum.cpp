#include "Dv8Spectrum.h"

#include "Dv8Equip.h"
#include "Messages.h"
#include "MsgIds.h"
#include "Specdlg.h"

namespace cv::dv8 {

namespace {
TSpectrumProfile MakeProfile() {
  TSpectrumProfile p;
  p.bandGap = 0.0f;
  p.satelliteBand = false;
  p.editsKeepOrder = false;
  p.variantRule = false;
  p.defaultInitial = 48.0f;
  p.defaultFinal = 52.0f;
  p.defaultStep = 0.05f;
  p.measModes.assign(std::begin(measureCodes), std::end(measureCodes));
  p.loggerTitle = cv::Msg(msg::dv8::SpectrumLoggerTitle);
  p.loggerEnd = cv::Msg(msg::dv8::SpectrumLoggerEnd);
  p.rowsOfPoints = true;
  return p;
}
}  // namespace

const TSpectrumProfile& Dv8SpectrumProfile() {
  static const TSpectrumProfile profile = MakeProfile();
  return profile;
}

TDv8SpectrumLink::TDv8SpectrumLink(TDV8Equip& equipment) : TCv3SpectrumLink(equipment), dv8(equipment) {}

bool TDv8SpectrumLink::TuneFrequency(float mhz, int milliseconds) { return dv8.TDV8Equip::TuneFrequency(mhz, milliseconds); }

std::unique_ptr<QDialog> MakeDv8SpectrumDlg(TDV8Equip& equipment) {
  return std::make_unique<TSpectrumDlg>(equipment.GetOwner(), &equipment,
                                        std::make_unique<TDv8SpectrumLink>(equipment), Dv8SpectrumProfile());
}

}  // namespace cv::dv8
