#include "CertificateSections.h"

namespace cv::xr9 {

void WriteAmplifierLevelsSection(DataLoggerCtl&, int, TReportFiles*) {}

}  // namespace cv::xr9
