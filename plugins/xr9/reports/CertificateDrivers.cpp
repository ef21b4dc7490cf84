#include "CertificateSections.h"

namespace cv::xr9 {

void WriteCertificateReport(DataLoggerCtl&, int, TReportFiles*) {}
void WriteCertificateReportCat(DataLoggerCtl& ctl, int slot, TReportFiles* files) {
  WriteCertificateReport(ctl, slot, files);
}
void WriteCertificateReportUpd(DataLoggerCtl&, int, TReportFiles*) {}
void WriteCertificateReportUpdCat(DataLoggerCtl& ctl, int slot, TReportFiles* files) {
  WriteCertificateReportUpd(ctl, slot, files);
}
void WriteSkyReport(DataLoggerCtl& ctl, int terSlot, int satSlot, std::string* html) {
  WriteSkyCertificate(ctl, terSlot, satSlot, html);
  if (html) *html += "</body>\n</html>";
}

}  // namespace cv::xr9
