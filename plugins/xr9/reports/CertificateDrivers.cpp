#include "CertificateDrivers.h"

#include "CertificateFrame.h"
#include "CertificateSections.h"
#include "DataLoggerCtl.h"
#include "ReportDispatch.h"

namespace cv::xr9 {
namespace {

constexpr const char* kHtmlTail = "</body>\n</html>";
constexpr const char* kTerRoot = "CAPTACION_Y_DISTRIBUCION_TERRENAL";
constexpr const char* kSatRoot = "CAPTACION_Y_DISTRIBUCION_SATELITE";

void OpenRoot(std::string& xml, const char* root) { xml += XmlDeclaration() + "<" + root + ">\n"; }
void CloseRoot(std::string& xml, const char* root) { xml += std::string("</") + root + ">\n"; }

}  // namespace

const CertificateSections& ProgramSections() {
  static const CertificateSections sections{WriteRfSignalsSection,       WriteUserSignalsASection,
                                            WriteBerTerSection,          WriteAmplifierLevelsSection,
                                            WriteBerSatSection,          WriteIfSatTestSection};
  return sections;
}

void WriteCertificateFrame(DataLoggerCtl& ctl, int slot, TReportFiles* files, bool ifSatAllowed,
                           const CertificateSections& s) {
  if (!files || !SlotInRange(ctl, slot)) return;
  const TDataLogFile& file = ctl.store.File(slot);
  if (file.IsFree() || !file.plan) return;
  std::string& html = files->htmlFile;
  std::string& xml = files->xmlFile;
  switch (file.plan->PlanType) {
    case 7:
      OpenRoot(xml, kTerRoot);
      s.rfSignals(ctl, slot, files);
      html += kPageBreak;
      s.userSignalsA(ctl, slot, files);
      html += kPageBreak;
      s.berTer(ctl, slot, files);
      html += kHtmlTail;
      CloseRoot(xml, kTerRoot);
      break;
    case 5:
      if (ifSatAllowed && (!ctl.sheet || ctl.sheet->IsSatIfTest())) {
        OpenRoot(xml, kTerRoot);
        s.ifSatTest(ctl, slot, files);
        CloseRoot(xml, kTerRoot);
        html += kHtmlTail;
      } else {
        OpenRoot(xml, kSatRoot);
        s.amplifierLevels(ctl, slot, files);
        html += kPageBreak;
        s.berSat(ctl, slot, files);
        CloseRoot(xml, kSatRoot);
        html += kHtmlTail;
      }
      break;
    default:
      break;
  }
}

void WriteCertificateReport(DataLoggerCtl& ctl, int slot, TReportFiles* files) {
  WriteCertificateFrame(ctl, slot, files, true, ProgramSections());
}
void WriteCertificateReportCat(DataLoggerCtl& ctl, int slot, TReportFiles* files) {
  WriteCertificateReport(ctl, slot, files);
}
void WriteCertificateReportUpd(DataLoggerCtl& ctl, int slot, TReportFiles* files) {
  WriteCertificateFrame(ctl, slot, files, false, ProgramSections());
}
void WriteCertificateReportUpdCat(DataLoggerCtl& ctl, int slot, TReportFiles* files) {
  WriteCertificateReportUpd(ctl, slot, files);
}
void WriteSkyReport(DataLoggerCtl& ctl, int terSlot, int satSlot, std::string* html) {
  WriteSkyCertificate(ctl, terSlot, satSlot, html);
  if (html) *html += kHtmlTail;
}

}  // namespace cv::xr9
