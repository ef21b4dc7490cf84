#pragma once
// One print job of a tool, on the printer the print dialog chose. When that printer writes a file
// (the dialog's PDF printer), the pages are drawn on a PDF in memory shaped as the printer's pages
// (layout and resolution alike, so every size the tool measures on the printer holds) and the
// file is saved whole through cv::WriteFileAtomically at the end: a full disk, a file-size limit
// or a folder that takes no file leaves an earlier file as it was, and the job says it failed.
// A printer that refuses the document fails the job too. No job reports success it did not have.
#include <QString>
#include <memory>

class QBuffer;
class QPagedPaintDevice;
class QPainter;
class QPdfWriter;
class QPrinter;

namespace cv {

enum class PrintResult { Printed, PrinterRefused, FileNotSaved };

class PrintOutput {
 public:
  explicit PrintOutput(QPrinter& printer);
  ~PrintOutput();
  PrintOutput(const PrintOutput&) = delete;
  PrintOutput& operator=(const PrintOutput&) = delete;

  // Starts `painter` on the first page; false when the pages cannot be begun (End tells).
  bool Begin(QPainter& painter);
  // What the pages are drawn on: the size, resolution and pages the drawing asks for.
  QPagedPaintDevice& Device();
  bool NewPage();
  // Ends the painter and, for a file, saves it. The file's name is File().
  PrintResult End(QPainter& painter);

  bool ToFile() const { return !file_.isEmpty(); }
  const QString& File() const { return file_; }

 private:
  QPrinter& printer_;
  QString file_;
  std::unique_ptr<QBuffer> buffer_;
  std::unique_ptr<QPdfWriter> writer_;
  bool begun_ = false;
};

}  // namespace cv
