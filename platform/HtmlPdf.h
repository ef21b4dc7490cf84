#pragma once
// The PDF output the report writers use: a document (file name, automatic opening, orientation)
// and an HTML converter connected to it. The HTML file is read as Windows-1252, laid out by Qt's
// rich-text engine and drawn page by page on A4 paper. The paragraph class "breakhere" starts a
// new page; content wider than the page is scaled down to its width when automatic adjustment is
// on. No call returns a result: failures are recorded and read with Failed()/Errors() at the end.
#include <QString>
#include <QStringList>
#include <memory>
#include <string>

class QPdfWriter;
class QPainter;

namespace cv {

class PdfDocument {
 public:
  PdfDocument();
  ~PdfDocument();
  PdfDocument(const PdfDocument&) = delete;
  PdfDocument& operator=(const PdfDocument&) = delete;

  void StartEngine();
  void set_FileName(const QString& path);
  void set_AutoLaunch(int on);
  void BeginDoc();
  void set_PDFPAGE_Orientation(int orientation);  // 0 portrait, 1 landscape
  void EndDoc();  // finishes the file; opens it when automatic opening is on and all went well

  bool Failed() const { return !errors_.isEmpty(); }
  const QStringList& Errors() const { return errors_; }
  void AddError(const QString& text) { errors_ << text; }

  // Used by the converter while connected.
  QPdfWriter* Writer() { return writer_.get(); }
  QPainter* Painter();
  bool NewPage();  // starts a new page after the first drawn one
  int Orientation() const { return orientation_; }

 private:
  QString fileName_;
  bool autoLaunch_ = false;
  int orientation_ = 0;
  bool pagesDrawn_ = false;
  std::unique_ptr<QPdfWriter> writer_;
  std::unique_ptr<QPainter> painter_;
  QStringList errors_;
};

class HtmlToPdf {
 public:
  void StartHTMLEngine() { started_ = true; }
  void ConnectToPDFLibrary(PdfDocument* doc) { doc_ = doc; }
  void set_AutoAdjustContentWidth(int on) { autoWidth_ = on != 0; }
  void set_MarginLeft(int points) { marginLeft_ = points; }
  void set_MarginTop(int points) { marginTop_ = points; }
  void LoadHTMLFile(const QString& path);
  void ConvertAll();
  void DisconnectFromPDFLibrary() { doc_ = nullptr; }

 private:
  bool started_ = false;
  bool loaded_ = false;
  bool autoWidth_ = false;
  int marginLeft_ = 0;
  int marginTop_ = 0;
  PdfDocument* doc_ = nullptr;
  QString html_;
};

// Splits the HTML text at the page-break paragraphs (<p class=breakhere ...>), one piece a page.
QStringList SplitHtmlPages(const QString& html);
// The HTML with the comment markers inside its <style> blocks taken out.
QString StyleSheetsUncommented(const QString& html);

}  // namespace cv
