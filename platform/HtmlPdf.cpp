#include "HtmlPdf.h"

#include <QAbstractTextDocumentLayout>
#include <QCoreApplication>
#include <QFile>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QRegularExpression>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextTable>
#include <QThread>
#include <QThreadPool>
#include <algorithm>
#include <cmath>
#include <deque>
#include <future>
#include <vector>
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
  html_ = UncommentStyleSheets(From1252(std::string_view(bytes.constData(), static_cast<size_t>(bytes.size()))));
  loaded_ = true;
}

QString UncommentStyleSheets(const QString& html) {
  // Qt's rich text drops a style sheet held in "<!-- -->" (the old way of hiding it from
  // browsers without styles); for the style sheet itself the markers mean nothing.
  static const QRegularExpression styleTag(QStringLiteral("<style\\b[^>]*>"), QRegularExpression::CaseInsensitiveOption);
  QString out;
  qsizetype at = 0;
  for (auto m = styleTag.match(html); m.hasMatch(); m = styleTag.match(html, at)) {
    const qsizetype body = m.capturedEnd();
    qsizetype end = html.indexOf(QStringLiteral("</style"), body, Qt::CaseInsensitive);
    if (end < 0) end = html.size();
    QString sheet = html.mid(body, end - body);
    sheet.remove(QStringLiteral("<!--")).remove(QStringLiteral("-->"));
    out += html.mid(at, body - at) + sheet;
    at = end;
  }
  return out + html.mid(at);
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

namespace {

// Heights at which a page may end without cutting a line of text: between the lines of the
// paragraphs outside tables, at the top and bottom of each table, and between two table rows
// that no cell spans. A break between rows lies midway between the text of the row above and
// the text of the row below.
void CollectBreaks(const QTextDocument& doc, QTextFrame* frame, std::vector<double>& out) {
  QAbstractTextDocumentLayout* layout = doc.documentLayout();
  for (auto it = frame->begin(); !it.atEnd(); ++it) {
    if (QTextFrame* child = it.currentFrame()) {
      const QRectF box = layout->frameBoundingRect(child);
      out.push_back(box.top());
      out.push_back(box.bottom());
      auto* table = qobject_cast<QTextTable*>(child);
      if (!table) {
        CollectBreaks(doc, child, out);
        continue;
      }
      std::vector<double> textTop(table->rows(), 1e300), textBottom(table->rows(), -1e300);
      std::vector<bool> spanned(table->rows(), false);
      for (int r = 0; r < table->rows(); ++r)
        for (int c = 0; c < table->columns(); ++c) {
          const QTextTableCell cell = table->cellAt(r, c);
          if (cell.row() != r || cell.column() != c) continue;
          const int last = r + cell.rowSpan() - 1;
          for (int k = r + 1; k <= last && k < table->rows(); ++k) spanned[k] = true;
          textTop[r] = std::min(textTop[r], layout->blockBoundingRect(cell.firstCursorPosition().block()).top());
          const int lastRow = std::min(last, table->rows() - 1);
          textBottom[lastRow] = std::max(
              textBottom[lastRow], layout->blockBoundingRect(cell.lastCursorPosition().block()).bottom());
        }
      for (int r = 1; r < table->rows(); ++r)
        if (!spanned[r] && textTop[r] < 1e300 && textBottom[r - 1] > -1e300)
          out.push_back((textBottom[r - 1] + textTop[r]) / 2);
    } else if (it.currentBlock().isValid()) {
      const QTextBlock block = it.currentBlock();
      const QRectF box = layout->blockBoundingRect(block);
      const QTextLayout* lines = block.layout();
      for (int i = 0; lines && i < lines->lineCount(); ++i) out.push_back(box.top() + lines->lineAt(i).y());
      out.push_back(box.bottom());
    }
  }
}

// The tops of the pages of a laid-out document, with the document's height last: each page ends
// at the lowest break that fits on it, or is cut at the page height when none does.
std::vector<double> PageTops(const QTextDocument& doc, double pageHeight) {
  const double height = doc.size().height();
  std::vector<double> tops{0.0};
  const double tiny = pageHeight * 1e-6;
  // A piece that fits on one page needs no breaks (looking for them walks every table cell).
  if (height <= pageHeight + tiny) return {0.0, height};
  std::vector<double> breaks;
  CollectBreaks(doc, doc.rootFrame(), breaks);
  std::sort(breaks.begin(), breaks.end());
  while (height - tops.back() > pageHeight + tiny) {
    const double top = tops.back();
    auto fit = std::upper_bound(breaks.begin(), breaks.end(), top + pageHeight);
    double next = top + pageHeight;
    if (fit != breaks.begin() && *std::prev(fit) > top + pageHeight / 4) next = *std::prev(fit);
    tops.push_back(next);
  }
  tops.push_back(height);
  return tops;
}

// Whether some paragraph inside a table of the laid-out document takes more than one line.
bool TableTextWraps(const QTextDocument& doc) {
  for (QTextBlock b = doc.begin(); b.isValid(); b = b.next()) {
    const QTextLayout* lines = b.layout();
    if (lines && lines->lineCount() > 1 && QTextCursor(b).currentTable()) return true;
  }
  return false;
}

// The width the content takes at the page's width when no line inside a table wraps. Paragraphs
// outside tables keep wrapping, and a table of percentage width is measured at the page's
// width, since it takes whatever width it is offered.
double UnwrappedTableWidth(const QTextDocument& doc, double pageWidth) {
  const std::unique_ptr<QTextDocument> wide(doc.clone());
  wide->setDocumentMargin(0);
  QTextBlockFormat whole;
  whole.setNonBreakableLines(true);
  for (QTextBlock b = wide->begin(); b.isValid(); b = b.next()) {
    QTextCursor c(b);
    if (c.currentTable()) c.mergeBlockFormat(whole);
  }
  wide->setTextWidth(pageWidth);
  return wide->idealWidth();
}

// How far past the laid-out width a page's drawing may reach: the half of a border line that
// lies beyond a table's edge (the page's margin has room for it).
constexpr double kBorderBleed = 2.0;

// One piece of the HTML laid out for its pages: the document, the width that was laid out, the
// scale that puts it on the page, and the tops of its pages.
struct LaidPiece {
  std::unique_ptr<QTextDocument> doc;
  double width = 0, scale = 1;
  std::vector<double> tops;
};

LaidPiece LayOutPiece(const QString& html, double pageW, double pageH, bool autoWidth, QThread* drawer) {
  LaidPiece piece;
  piece.doc = std::make_unique<QTextDocument>();
  QTextDocument& doc = *piece.doc;
  doc.setDocumentMargin(0);
  doc.setHtml(html);
  // A paragraph's layout normally throws its shaped glyphs away once its lines are set, and
  // drawing then shapes every line again, in the one thread that draws. Kept, the shaping is
  // done once, here, on a core of its own.
  for (QTextBlock b = doc.begin(); b.isValid(); b = b.next())
    if (QTextLayout* lines = b.layout()) lines->setCacheEnabled(true);
  doc.setTextWidth(pageW);
  // A long document is laid out bit by bit on a timer; asking for its ideal width finishes the
  // layout here, in this thread, before its lines are looked at.
  doc.idealWidth();
  // When no line in a table wraps at the page's width, the layout at that width is already the
  // unwrapped one: it is measured a second time only when some cell wraps.
  if (autoWidth && TableTextWraps(doc)) {
    const double needed = UnwrappedTableWidth(doc, pageW);
    // Lay out at the width the content needs, to be shrunk onto the page below.
    if (needed > pageW + 0.5) doc.setTextWidth(needed);
  }
  // What was laid out, a table that could not be narrowed as far as the text width included.
  piece.width = std::max({doc.textWidth(), doc.idealWidth(), doc.size().width()});
  piece.scale = autoWidth && piece.width > pageW + 0.5 ? pageW / piece.width : 1.0;
  piece.tops = PageTops(doc, pageH / piece.scale);
  // The finished layout leaves a zero-time timer behind (its size notice); it runs here, so that
  // no timer of this thread goes with the document to the converter's thread, which draws it.
  QCoreApplication::processEvents();
  doc.moveToThread(drawer);
  return piece;
}

}  // namespace

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
  // Parsing and laying out a piece is most of the work and needs no painter: the next pieces are
  // laid out on the other cores while this thread draws the pages of the earlier ones, in order.
  // At most a few pieces wait laid out, so the memory stays bounded however long the report.
  const QStringList pieces = SplitHtmlPages(html_);
  QThreadPool& pool = *QThreadPool::globalInstance();
  const qsizetype ahead = std::max(1, pool.maxThreadCount());
  std::deque<std::future<LaidPiece>> pending;
  qsizetype next = 0;
  QThread* drawer = QThread::currentThread();
  const bool autoWidth = autoWidth_;
  auto layOutNext = [&] {
    auto promise = std::make_shared<std::promise<LaidPiece>>();
    pending.push_back(promise->get_future());
    const QString html = pieces[next++];
    pool.start([promise, html, pageW, pageH, autoWidth, drawer] {
      promise->set_value(LayOutPiece(html, pageW, pageH, autoWidth, drawer));
    });
  };
  while (next < pieces.size() && qsizetype(pending.size()) < ahead) layOutNext();
  while (!pending.empty()) {
    const LaidPiece piece = pending.front().get();
    pending.pop_front();
    if (next < pieces.size()) layOutNext();
    for (size_t i = 0; i + 1 < piece.tops.size(); ++i) {
      if (!doc_->NewPage()) {
        doc_->AddError(QStringLiteral("Couldn't add a page"));
        for (auto& f : pending) f.wait();  // the pieces laid out meanwhile go with their futures
        return;
      }
      // Transform and clip are set whole for each page (a save and restore would write the whole
      // graphics state into the page once more).
      const double top = piece.tops[i];
      QTransform at;
      at.scale(scale * piece.scale, scale * piece.scale);
      at.translate(0, -top);
      p->setWorldTransform(at);
      QAbstractTextDocumentLayout::PaintContext ctx;
      ctx.clip = QRectF(-kBorderBleed, top, piece.width + 2 * kBorderBleed, piece.tops[i + 1] - top);
      p->setClipRect(ctx.clip, Qt::ReplaceClip);
      piece.doc->documentLayout()->draw(p, ctx);
    }
  }
}

}  // namespace cv
