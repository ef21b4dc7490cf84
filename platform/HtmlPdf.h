#pragma once
// The PDF output the report writers use: a document (file name, automatic opening, orientation)
// and an HTML converter connected to it. The HTML file is read as Windows-1252, laid out by Qt's
// rich-text engine and drawn page by page on A4 paper. The paragraph class "breakhere" starts a
// new page; content wider than the page is scaled down to its width when automatic adjustment is
// on. No call returns a result: failures are recorded and read with Failed()/Errors() at the end.
// A long report is drawn in parts on several threads and the parts' files joined into one.
#include <QByteArray>
#include <QString>
#include <QStringList>
#include <memory>
#include <string>
#include <vector>

class QBuffer;
class QPdfWriter;
class QPainter;

namespace cv {

class PdfDocument {
 public:
  PdfDocument();
  virtual ~PdfDocument();
  PdfDocument(const PdfDocument&) = delete;
  PdfDocument& operator=(const PdfDocument&) = delete;

  virtual void StartEngine();
  virtual void set_FileName(const QString& path);
  virtual void set_AutoLaunch(int on);
  virtual void BeginDoc();
  virtual void set_PDFPAGE_Orientation(int orientation);  // 0 portrait, 1 landscape
  virtual void EndDoc();  // finishes the file; opens it when automatic opening is on and all went well

  bool Failed() const { return !errors_.isEmpty(); }
  const QStringList& Errors() const { return errors_; }
  void AddError(const QString& text) { errors_ << text; }

  // Used by the converter while connected.
  QPdfWriter* Writer() { return writer_.get(); }
  QPainter* Painter();
  bool NewPage();  // starts a new page after the first drawn one
  int Orientation() const { return orientation_; }
  bool Drawing() const { return painter_ != nullptr || !finished_.isEmpty(); }
  // The whole file made elsewhere (pages drawn in parts at once and joined): EndDoc writes these
  // bytes instead of anything drawn through Painter().
  void SetFinishedFile(QByteArray bytes) { finished_ = std::move(bytes); }

 private:
  void SaveFile(const QByteArray& bytes);  // the whole file, or an error

  QString fileName_;
  bool autoLaunch_ = false;
  int orientation_ = 0;
  bool pagesDrawn_ = false;
  // The document is drawn in memory and saved whole at the end, so a failed write never leaves a
  // cut PDF in place of the one that stood there.
  std::unique_ptr<QBuffer> buffer_;
  std::unique_ptr<QPdfWriter> writer_;
  std::unique_ptr<QPainter> painter_;
  QByteArray finished_;
  QStringList errors_;
};

// The operations are virtual so that a test can watch the order in which they are called.
class HtmlToPdf {
 public:
  virtual ~HtmlToPdf() = default;
  virtual void StartHTMLEngine() { started_ = true; }
  virtual void ConnectToPDFLibrary(PdfDocument* doc) { doc_ = doc; }
  virtual void set_AutoAdjustContentWidth(int on) { autoWidth_ = on != 0; }
  virtual void set_MarginLeft(int points) { marginLeft_ = points; }
  virtual void set_MarginTop(int points) { marginTop_ = points; }
  virtual void LoadHTMLFile(const QString& path);
  virtual void ConvertAll();
  virtual void DisconnectFromPDFLibrary() { doc_ = nullptr; }

 private:
  bool started_ = false;
  bool loaded_ = false;
  bool autoWidth_ = false;
  int marginLeft_ = 0;
  int marginTop_ = 0;
  PdfDocument* doc_ = nullptr;
  QString html_;
};

// The HTML text with the comment markers inside its <style> blocks removed, so that Qt reads them.
QString UncommentStyleSheets(const QString& html);

// Splits the HTML text at the page-break paragraphs (<p class=breakhere ...>), one piece a page.
QStringList SplitHtmlPages(const QString& html);

// Joins PDF files written by QPdfWriter into one holding all their pages in order. Empty when a
// part is not laid out as that writer lays out its files.
QByteArray JoinPdfParts(const std::vector<QByteArray>& parts);

}  // namespace cv
