#include "HtmlPdf.h"

#include <QAbstractTextDocumentLayout>
#include <QFile>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QRegularExpression>
#include <QTextDocument>
#include <QUrl>

#include "Help.h"
#include "Text1252.h"

namespace cv {

PdfDocument::PdfDocument() = default;
PdfDocument::~PdfDocument() {
  if (painter_ && painter_->isActive()) painter_->end();
}

void PdfDocument::StartEngine() { errors_.clear(); }
void PdfDocument::set_FileName(const QString& path) { fileName_ = path; }
void PdfDocument::set_AutoLaunch(int on) { autoLaunch_ = on != 0; }

void PdfDocument::BeginDoc() {
  writer_ = std::make_unique<QPdfWriter>(fileName_);
  writer_->setPageSize(QPageSize(QPageSize::A4));
  writer_->setResolution(300);
  pagesDrawn_ = false;
}

void PdfDocument::set_PDFPAGE_Orientation(int orientation) {
  orientation_ = orientation == 1 ? 1 : 0;
  if (writer_)
    writer_->setPageOrientation(orientation_ == 1 ? QPageLayout::Landscape : QPageLayout::Portrait);
}

QPainter* PdfDocument::Painter() {
  if (!writer_) return nullptr;
  if (!painter_) {
    painter_ = std::make_unique<QPainter>();
    if (!painter_->begin(writer_.get())) {
      AddError(QStringLiteral("Couldn't write %1").arg(fileName_));
      painter_.reset();
      return nullptr;
    }
  }
  return painter_.get();
}

bool PdfDocument::NewPage() {
  if (!writer_) return false;
  if (pagesDrawn_ && !writer_->newPage()) return false;
  pagesDrawn_ = true;
  return true;
}

void PdfDocument::EndDoc() {
  if (!writer_) {
    AddError(QStringLiteral("No PDF document was begun"));
    return;
  }
  if (!painter_ && !Failed()) Painter();  // an empty document still gets its one page
  bool ok = true;
  if (painter_) ok = painter_->end();
  painter_.reset();
  writer_.reset();
  if (!ok) AddError(QStringLiteral("Couldn't finish %1").arg(fileName_));
  if (!Failed() && (!QFile::exists(fileName_) || QFile(fileName_).size() == 0))
    AddError(QStringLiteral("Couldn't write %1").arg(fileName_));
  if (!Failed() && autoLaunch_) OpenUrlExternally(QUrl::fromLocalFile(fileName_));
}

void HtmlToPdf::LoadHTMLFile(const QString& path) {
  QFile f(path);
  loaded_ = false;
  if (!f.open(QIODevice::ReadOnly)) {
    if (doc_) doc_->AddError(QStringLiteral("Couldn't read %1").arg(path));
    return;
  }
  const QByteArray bytes = f.readAll();
  html_ = StyleSheetsUncommented(From1252(std::string_view(bytes.constData(), static_cast<size_t>(bytes.size()))));
  loaded_ = true;
}

QString StyleSheetsUncommented(const QString& html) {
  // Reports hide their style sheets from old browsers inside "<!--" and "-->"; browsers read
  // them all the same, Qt's rich text would take the whole sheet for a comment.
  static const QRegularExpression style(QStringLiteral("(<style[^>]*>)(.*?)(</style>)"),
                                        QRegularExpression::CaseInsensitiveOption |
                                            QRegularExpression::DotMatchesEverythingOption);
  QString out;
  qsizetype from = 0;
  for (auto it = style.globalMatch(html); it.hasNext();) {
    const auto m = it.next();
    QString sheet = m.captured(2);
    sheet.replace(QStringLiteral("<!--"), QString()).replace(QStringLiteral("-->"), QString());
    out += html.mid(from, m.capturedStart(0) - from) + m.captured(1) + sheet + m.captured(3);
    from = m.capturedEnd(0);
  }
  return out + html.mid(from);
}

QStringList SplitHtmlPages(const QString& html) {
  static const QRegularExpression brk(
      QStringLiteral(R"(<p\s+class\s*=\s*"?breakhere"?\s*>)"),
      QRegularExpression::CaseInsensitiveOption);
  // Every page keeps the head (style sheet) so that each piece is styled alike.
  const qsizetype bodyAt = html.indexOf(QStringLiteral("<body"), 0, Qt::CaseInsensitive);
  QString head;
  QString body = html;
  if (bodyAt >= 0) {
    const qsizetype gt = html.indexOf(QLatin1Char('>'), bodyAt);
    head = html.left(gt + 1);
    body = html.mid(gt + 1);
  }
  QStringList pages;
  for (const QString& piece : body.split(brk)) pages << head + piece;
  return pages;
}

void HtmlToPdf::ConvertAll() {
  if (!doc_ || !started_ || !loaded_) return;
  QPdfWriter* writer = doc_->Writer();
  if (!writer) return;
  writer->setPageMargins(QMarginsF(marginLeft_, marginTop_, marginLeft_, marginTop_),
                         QPageLayout::Point);
  QPainter* p = doc_->Painter();
  if (!p) return;
  const QRectF page = writer->pageLayout().paintRectPixels(writer->resolution());
  // Lay out at 96 dots per inch (the HTML pixel), draw at the writer's resolution.
  const double scale = writer->resolution() / 96.0;
  const double pageW = page.width() / scale;
  const double pageH = page.height() / scale;
  for (const QString& pieceHtml : SplitHtmlPages(html_)) {
    QTextDocument doc;
    doc.setDocumentMargin(0);
    doc.setHtml(pieceHtml);
    doc.setTextWidth(pageW);
    double s = 1.0;
    if (autoWidth_) {
      // The width the content takes when nothing has to wrap. Laid out without a width, so a
      // table as wide as its page ("width=100%") is measured by its content, not stretched to
      // the layout width and then shrunk to a sliver.
      QTextDocument wide;
      wide.setDocumentMargin(0);
      wide.setHtml(pieceHtml);
      wide.setTextWidth(-1);
      double ideal = wide.idealWidth();
      if (ideal > pageW) {
        // Lay out at the width the content needs and shrink it onto the page; a few pixels more
        // where the layout at that width still wraps a cell (it would grow taller).
        const double unwrapped = wide.size().height();
        doc.setTextWidth(ideal);
        for (int i = 0; i < 20 && doc.size().height() > unwrapped + 0.5; ++i) doc.setTextWidth(ideal += 4);
        s = pageW / ideal;
      }
    }
    const double h = doc.size().height() * s;
    const int sheets = std::max(1, static_cast<int>(std::ceil(h / pageH - 1e-6)));
    for (int i = 0; i < sheets; ++i) {
      if (!doc_->NewPage()) {
        doc_->AddError(QStringLiteral("Couldn't add a page"));
        return;
      }
      p->save();
      p->scale(scale * s, scale * s);
      const double top = i * pageH / s;
      p->translate(0, -top);
      QAbstractTextDocumentLayout::PaintContext ctx;
      ctx.clip = QRectF(0, top, pageW / s, pageH / s);
      p->setClipRect(ctx.clip);
      doc.documentLayout()->draw(p, ctx);
      p->restore();
    }
  }
}

}  // namespace cv
