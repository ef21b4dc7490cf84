#include "ReportDispatch.h"

#include <QDateTime>
#include <QFileInfo>

#include "AtomicFile.h"
#include "CertificateSections.h"
#include "DataLoggerCtl.h"
#include "DateTimeText.h"
#include "Format.h"
#include "HtmlPdf.h"
#include "Messages.h"
#include "MsgIds.h"

namespace cv::xr9 {
namespace {

namespace m = cv::msg::xr9rep;

std::string ChangeExt(const std::string& path, const char* ext) {
  const size_t slash = path.find_last_of("/\\");
  const size_t dot = path.find_last_of('.');
  const bool hasExt = dot != std::string::npos && (slash == std::string::npos || dot > slash);
  return (hasExt ? path.substr(0, dot) : path) + ext;
}

}  // namespace

ReportWriter WriterOfKind(int kind) {
  switch (kind) {
    case 0: case 6: return ReportWriter::Certificate;
    case 2: return ReportWriter::CertificateCat;
    case 1: case 7: return ReportWriter::CertificateUpd;
    case 4: return ReportWriter::CertificateUpdCat;
    case 3: return ReportWriter::Sky;
    default: return ReportWriter::Generic;
  }
}

bool KindWritable(int kind) { return WriterOfKind(kind) != ReportWriter::Sky; }

bool KindWritesXml(int kind) {
  const ReportWriter w = WriterOfKind(kind);
  return w != ReportWriter::Sky && w != ReportWriter::Generic;
}

TReportFiles ReportFileNames(const std::string& chosen) {
  TReportFiles f;
  f.htmlPath = ChangeExt(chosen, ".htm");
  f.pdfPath = ChangeExt(chosen, ".pdf");
  f.xmlPath = ChangeExt(chosen, ".xml");
  f.hasXml = true;
  return f;
}

void WriteMeasurementReport(DataLoggerCtl& ctl, int slot, TReportFiles& files, const std::string& date,
                            const std::string& time) {
  if (!ctl.sheet) return;
  if (ctl.cvtoolsInformationQuestion) ctl.cvtoolsInformationQuestion();
  GenericReportContext c;
  c.ini = &ctl.ini;
  c.channelsPerPageAll = ctl.settings.pages.channelsPerPageAllMeas;
  c.channelsPerPageSelected = ctl.settings.pages.channelsPerPageSelectedMeas;
  c.date = date;
  c.time = time;
  c.info = {ctl.reportInfo[0], ctl.reportInfo[1], ctl.reportInfo[2]};
  c.dlMemo = [&ctl](const std::string& l) { ctl.LogLine(l); };
  c.selectedMeas = [&ctl](int s, int ch) { return ctl.SelectedMeasIndex(s, ch); };
  if (ctl.sheet->AllMeasurements())
    WriteGenericReportAll(files.htmlFile, ctl.store, slot, c);
  else
    WriteGenericReportSelected(files.htmlFile, ctl.store, slot, c);
}

std::vector<std::string> ConvertHtmlToPdf(const TReportFiles& files) {
  PdfDocument doc;
  HtmlToPdf conv;
  return ConvertHtmlToPdf(files, doc, conv);
}

std::vector<std::string> ConvertHtmlToPdf(const TReportFiles& files, PdfDocument& doc, HtmlToPdf& conv) {
  doc.StartEngine();
  doc.set_FileName(QString::fromLocal8Bit(files.pdfPath.c_str()));
  doc.set_AutoLaunch(1);
  doc.BeginDoc();
  doc.set_PDFPAGE_Orientation(files.landscape == 1 ? 1 : 0);
  conv.StartHTMLEngine();
  conv.ConnectToPDFLibrary(&doc);
  conv.set_AutoAdjustContentWidth(1);
  conv.set_MarginLeft(25);
  conv.set_MarginTop(35);
  conv.LoadHTMLFile(QString::fromLocal8Bit(files.htmlPath.c_str()));
  conv.ConvertAll();
  conv.DisconnectFromPDFLibrary();
  doc.EndDoc();
  std::vector<std::string> errors;
  for (const QString& e : doc.Errors()) errors.push_back(e.toLocal8Bit().toStdString());
  return errors;
}

ReportOutcome GenerateReport(DataLoggerCtl& ctl, int slot, TReportFiles& files, int kind,
                             const AroundConversion& around) {
  ReportOutcome out;
  files.landscape = 0;
  const QDateTime now = QDateTime::currentDateTime();
  ctl.generatingKind = kind;
  switch (WriterOfKind(kind)) {
    case ReportWriter::Generic:
      WriteMeasurementReport(ctl, slot, files, DateText(now), TimeText(now));
      break;
    case ReportWriter::Certificate:
      WriteCertificateReport(ctl, slot, &files);
      break;
    case ReportWriter::CertificateCat:
      WriteCertificateReportCat(ctl, slot, &files);
      break;
    case ReportWriter::CertificateUpd:
      WriteCertificateReportUpd(ctl, slot, &files);
      break;
    case ReportWriter::CertificateUpdCat:
      WriteCertificateReportUpdCat(ctl, slot, &files);
      break;
    case ReportWriter::Sky: {
      files.landscape = 1;
      int ter = -1, sat = -1;
      if (ctl.skySheet) ctl.skySheet->SelectedSlots(ter, sat);
      WriteSkyReport(ctl, ter, sat, &files.htmlFile);
      break;
    }
  }
  ctl.generatingKind = -1;
  auto save = [&out](const std::string& path, const std::string& bytes) {
    std::string why;
    if (WriteFileAtomically(path, bytes, &why) != SaveResult::Saved) {
      const std::string name = QFileInfo(QString::fromLocal8Bit(path.c_str())).fileName().toLocal8Bit().toStdString();
      out.errors.push_back(Format(Msg(m::CouldntWrite), name) + (why.empty() ? "" : ": " + why));
      return false;
    }
    return true;
  };
  const bool htmlSaved = save(files.htmlPath, files.htmlFile);
  if (files.hasXml && KindWritesXml(kind)) save(files.xmlPath, files.xmlFile);
  if (!htmlSaved) return out;
  auto convert = [&] {
    for (const std::string& e : ConvertHtmlToPdf(files))
      out.errors.push_back(Format(Msg(m::PdfFailed), files.pdfPath, e));
  };
  if (around)
    around(convert);
  else
    convert();
  return out;
}

}  // namespace cv::xr9
