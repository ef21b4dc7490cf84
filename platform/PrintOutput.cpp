#include "PrintOutput.h"

#include <QBuffer>
#include <QFile>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>

#include "AtomicFile.h"

namespace cv {

PrintOutput::PrintOutput(QPrinter& printer) : printer_(printer), file_(printer.outputFileName()) {
  if (file_.isEmpty()) return;
  buffer_ = std::make_unique<QBuffer>();
  buffer_->open(QIODevice::WriteOnly);
  writer_ = std::make_unique<QPdfWriter>(buffer_.get());
  writer_->setResolution(printer.resolution());
  writer_->setPageLayout(printer.pageLayout());
  writer_->setTitle(printer.docName());
  writer_->setCreator(printer.creator());
}

PrintOutput::~PrintOutput() = default;

QPagedPaintDevice& PrintOutput::Device() {
  if (writer_) return *writer_;
  return printer_;
}

bool PrintOutput::Begin(QPainter& painter) {
  begun_ = painter.begin(&Device());
  return begun_;
}

bool PrintOutput::NewPage() { return Device().newPage(); }

PrintResult PrintOutput::End(QPainter& painter) {
  const bool ended = begun_ && painter.isActive() && painter.end();
  begun_ = false;
  if (!writer_) return ended ? PrintResult::Printed : PrintResult::PrinterRefused;
  writer_.reset();  // finishes the document in the buffer
  const QByteArray bytes = buffer_->data();
  buffer_.reset();
  const QByteArray name = QFile::encodeName(file_);
  if (!ended || bytes.isEmpty() ||
      WriteFileAtomically(std::string(name.constData(), size_t(name.size())),
                          std::string(bytes.constData(), size_t(bytes.size()))) != SaveResult::Saved)
    return PrintResult::FileNotSaved;
  return PrintResult::Printed;
}

}  // namespace cv
