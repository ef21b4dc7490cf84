#pragma once
// Report dispatch without widgets: the writer of each report kind, the report files, writing and
// converting one report. The form around it (cursor, waiting window, boxes) is the sheet's.
#include <functional>
#include <cstdint>
#include <string>
#include <vector>

#include "GenericReport.h"

namespace cv {
class PdfDocument;
class HtmlToPdf;
}  // namespace cv

namespace cv::xr9 {

class DataLoggerCtl;

// The report files of one report: the HTML and XML texts are collected while the writer runs and
// saved whole when it is done.
struct TReportFiles {
  std::string htmlFile;
  std::string htmlPath;
  std::string pdfPath;
  uint8_t landscape = 0;
  bool hasXml = false;
  std::string xmlFile;
  std::string xmlPath;
};

enum class ReportWriter { Certificate, CertificateCat, CertificateUpd, CertificateUpdCat, Sky, Generic };
ReportWriter WriterOfKind(int kind);
// Whether the measurement sheet's report command serves the kind: every kind but the SKY
// certificate, which its own sheet writes.
bool KindWritable(int kind);

// The three file names made from the one the user chose.
TReportFiles ReportFileNames(const std::string& chosen);

struct ReportOutcome {
  std::vector<std::string> errors;  // empty when every file was written whole and the PDF exists
  bool Ok() const { return errors.empty(); }
};

// The generic report's driver: nothing without an open measurement sheet; otherwise asks the
// report information once and prints the texts it left in the rules (`reportInfo`).
void WriteMeasurementReport(DataLoggerCtl& ctl, int slot, TReportFiles& files, const std::string& date,
                            const std::string& time);

// Whether the writer of `kind` writes an XML file (the certificates do; the generic and SKY
// reports do not, and leave none).
bool KindWritesXml(int kind);

// Runs `convert` (the HTML to PDF conversion) as the caller wishes: under a waiting window, say.
using AroundConversion = std::function<void(const std::function<void()>& convert)>;

// Runs the writer of `kind` (the kind being generated is set during the call only), saves the
// HTML and, when the kind writes one, the XML file, and converts the HTML file into the PDF
// inside `around` (after every question of the writers).
ReportOutcome GenerateReport(DataLoggerCtl& ctl, int slot, TReportFiles& files, int kind,
                             const AroundConversion& around = nullptr);
// Turns htmlPath into pdfPath at the orientation of `landscape`; the failures, none when it worked.
std::vector<std::string> ConvertHtmlToPdf(const TReportFiles& files);
// The same through a given document and converter (a test passes recording ones).
std::vector<std::string> ConvertHtmlToPdf(const TReportFiles& files, cv::PdfDocument& doc, cv::HtmlToPdf& conv);

}  // namespace cv::xr9
