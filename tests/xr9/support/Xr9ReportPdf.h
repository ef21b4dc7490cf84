#pragma once
// An HTML report file turned into a PDF by our PDF layer, as the report dispatch converts it
// (portrait, the dispatch's margins); gives pdfinfo's text of the PDF.
#include <gtest/gtest.h>

#include <QProcess>
#include <QString>

#include "HtmlPdf.h"

namespace xr9test {

inline QString PdfOf(const QString& html, const QString& pdf) {
  cv::PdfDocument doc;
  cv::HtmlToPdf conv;
  doc.StartEngine();
  doc.set_FileName(pdf);
  doc.BeginDoc();
  doc.set_PDFPAGE_Orientation(0);
  conv.StartHTMLEngine();
  conv.ConnectToPDFLibrary(&doc);
  conv.set_AutoAdjustContentWidth(1);
  conv.set_MarginLeft(25);
  conv.set_MarginTop(35);
  conv.LoadHTMLFile(html);
  conv.ConvertAll();
  conv.DisconnectFromPDFLibrary();
  doc.EndDoc();
  EXPECT_FALSE(doc.Failed()) << doc.Errors().join(' ').toStdString();
  QProcess p;
  p.start("pdfinfo", {pdf});
  EXPECT_TRUE(p.waitForFinished(30000));
  return QString::fromUtf8(p.readAllStandardOutput());
}

}  // namespace xr9test
