#include "Dv8Logger.h"

#include "Datalogdlg.h"

namespace cv::dv8 {

const cv::logger::TLoggerFamily& Dv8LoggerFamily() {
  static const cv::logger::TLoggerFamily family = [] {
    cv::logger::TLoggerFamily f = cv::logger::Corvane3LoggerFamily();
    // The meter's sign character means nothing for a bit error ratio.
    f.berSignShown = false;
    return f;
  }();
  return family;
}

std::unique_ptr<QDialog> MakeDataLoggerDlg8(QWidget* owner, TCv3Equip* equipment) {
  return std::make_unique<TDataLoggerDlg>(owner, equipment, Dv8LoggerFamily());
}

}  // namespace cv::dv8
