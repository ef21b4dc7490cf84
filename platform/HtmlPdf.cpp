#include "HtmlPdf.h"

#include <QAbstractTextDocumentLayout>
#include <QBuffer>
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
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <functional>
#include <future>
#include <unordered_map>
#include <vector>
#include <QUrl>

#include "AtomicFile.h"
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
  writer_.reset();
  buffer_ = std::make_unique<QBuffer>();
  buffer_->open(QIODevice::WriteOnly);
  writer_ = std::make_unique<QPdfWriter>(buffer_.get());
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
  if (!finished_.isEmpty() && !painter_) {
    writer_.reset();
    const QByteArray bytes = std::move(finished_);
    finished_.clear();
    SaveFile(bytes);
    return;
  }
  if (!painter_ && !Failed()) Painter();  // an empty document still gets its one page
  bool ok = true;
  if (painter_) ok = painter_->end();
  painter_.reset();
  writer_.reset();
  if (!ok) AddError(QStringLiteral("Couldn't finish %1").arg(fileName_));
  const QByteArray bytes = buffer_ ? buffer_->data() : QByteArray();
  buffer_.reset();
  if (!Failed()) SaveFile(bytes);
}

void PdfDocument::SaveFile(const QByteArray& bytes) {
  // The name as the file system spells it, the same as the toolkit opens it by.
  const QByteArray name = QFile::encodeName(fileName_);
  if (bytes.isEmpty() || WriteFileAtomically(std::string(name.constData(), size_t(name.size())),
                                             std::string(bytes.constData(), size_t(bytes.size()))) !=
                             SaveResult::Saved)
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

// Draws pieces on a painter that has its first page ready: each piece's pages in turn. False
// when a new page could not be started.
bool DrawPieces(QPainter& p, const std::function<bool()>& newPage, double scale, const LaidPiece& piece) {
  for (size_t i = 0; i + 1 < piece.tops.size(); ++i) {
    if (!newPage()) return false;
    // Transform and clip are set whole for each page (a save and restore would write the whole
    // graphics state into the page once more).
    const double top = piece.tops[i];
    QTransform at;
    at.scale(scale * piece.scale, scale * piece.scale);
    at.translate(0, -top);
    p.setWorldTransform(at);
    QAbstractTextDocumentLayout::PaintContext ctx;
    ctx.clip = QRectF(-kBorderBleed, top, piece.width + 2 * kBorderBleed, piece.tops[i + 1] - top);
    p.setClipRect(ctx.clip, Qt::ReplaceClip);
    piece.doc->documentLayout()->draw(&p, ctx);
  }
  return true;
}

// One file of QPdfWriter's: where each object starts and ends, and the numbers of its document
// information, catalogue and page tree.
struct PdfPart {
  const QByteArray* bytes = nullptr;
  struct Object { int number; qsizetype begin, end; };
  std::vector<Object> objects;  // in file order
  int info = 0, root = 0, pages = 0;
  std::vector<int> kids;
};

int RefAfter(const QByteArray& text, const char* key) {
  const qsizetype at = text.indexOf(key);
  if (at < 0) return 0;
  return std::atoi(text.constData() + at + qstrlen(key));
}

bool ReadPart(const QByteArray& bytes, PdfPart& part) {
  part.bytes = &bytes;
  const qsizetype sx = bytes.lastIndexOf("startxref");
  if (sx < 0) return false;
  const qsizetype xref = std::atoll(bytes.constData() + sx + 9);
  if (xref <= 0 || xref >= sx || !bytes.mid(xref, 4).startsWith("xref")) return false;
  qsizetype at = bytes.indexOf('\n', xref) + 1;
  int first = 0, count = 0;
  if (at <= 0 || std::sscanf(bytes.constData() + at, "%d %d", &first, &count) != 2 || first != 0 || count < 1)
    return false;
  at = bytes.indexOf('\n', at) + 1;
  if (at <= 0 || at + qsizetype(count) * 20 > bytes.size()) return false;
  for (int n = 0; n < count; ++n) {
    const char* entry = bytes.constData() + at + qsizetype(n) * 20;
    if (entry[17] != 'n') continue;
    const qsizetype begin = std::atoll(entry);
    if (begin <= 0 || begin >= xref) return false;
    part.objects.push_back({n, begin, 0});
  }
  std::sort(part.objects.begin(), part.objects.end(),
            [](const PdfPart::Object& a, const PdfPart::Object& b) { return a.begin < b.begin; });
  for (size_t i = 0; i < part.objects.size(); ++i)
    part.objects[i].end = i + 1 < part.objects.size() ? part.objects[i + 1].begin : xref;
  const QByteArray trailer = bytes.mid(at + qsizetype(count) * 20, sx - at - qsizetype(count) * 20);
  part.info = RefAfter(trailer, "/Info ");
  part.root = RefAfter(trailer, "/Root ");
  auto body = [&](int number) -> QByteArray {
    for (const auto& o : part.objects)
      if (o.number == number) return bytes.mid(o.begin, o.end - o.begin);
    return {};
  };
  part.pages = RefAfter(body(part.root), "/Pages ");
  const QByteArray tree = body(part.pages);
  const qsizetype open = tree.indexOf('['), close = tree.indexOf(']');
  if (!part.root || !part.pages || open < 0 || close < open) return false;
  static const QRegularExpression ref(QStringLiteral("(\\d+) 0 R"));
  const QString list = QString::fromLatin1(tree.mid(open, close - open));
  for (auto it = ref.globalMatch(list); it.hasNext();) part.kids.push_back(it.next().captured(1).toInt());
  return !part.kids.empty();
}

// The dictionary part of an object with its object numbers changed; a stream after it is kept
// byte for byte.
void AppendRenumbered(QByteArray& out, const QByteArray& bytes, const PdfPart::Object& o,
                      const std::function<int(int)>& number) {
  const QByteArray span = QByteArray::fromRawData(bytes.constData() + o.begin, o.end - o.begin);
  qsizetype head = span.indexOf("stream");
  if (head < 0) head = span.size();
  static const QRegularExpression ref(QStringLiteral("\\b(\\d+) (\\d+) (R|obj)\\b"));
  const QString dict = QString::fromLatin1(span.constData(), head);
  qsizetype at = 0;
  for (auto it = ref.globalMatch(dict); it.hasNext();) {
    const auto m = it.next();
    out += dict.mid(at, m.capturedStart() - at).toLatin1();
    out += QByteArray::number(number(m.captured(1).toInt())) + ' ' + m.captured(2).toLatin1() + ' ' +
           m.captured(3).toLatin1();
    at = m.capturedEnd();
  }
  out += dict.mid(at).toLatin1();
  out.append(span.constData() + head, span.size() - head);
}

}  // namespace

QByteArray JoinPdfParts(const std::vector<QByteArray>& parts) {
  if (parts.empty()) return {};
  std::vector<PdfPart> read(parts.size());
  for (size_t k = 0; k < parts.size(); ++k)
    if (!ReadPart(parts[k], read[k])) return {};
  // New numbers: 1 the information, 2 the catalogue, 3 the page tree, then every other object of
  // every part in turn.
  std::vector<std::unordered_map<int, int>> renumber(parts.size());
  int next = 4;
  for (size_t k = 0; k < parts.size(); ++k) {
    const PdfPart& part = read[k];
    renumber[k][part.info] = 1;
    renumber[k][part.root] = 2;
    renumber[k][part.pages] = 3;
    for (const auto& o : part.objects)
      if (o.number != part.info && o.number != part.root && o.number != part.pages) renumber[k][o.number] = next++;
  }
  QByteArray out;
  qsizetype total = 0;
  for (const QByteArray& b : parts) total += b.size();
  out.reserve(total + 4096);
  out += parts[0].left(read[0].objects.front().begin);  // the header
  std::vector<qsizetype> offsets(size_t(next), 0);
  QByteArray kids;
  int pageCount = 0;
  for (size_t k = 0; k < parts.size(); ++k) {
    const PdfPart& part = read[k];
    const auto& map = renumber[k];
    auto number = [&map](int n) {
      const auto it = map.find(n);
      return it == map.end() ? n : it->second;  // unknown numbers are left for a reader to flag
    };
    for (const auto& o : part.objects) {
      if (o.number == part.pages) continue;
      if (k > 0 && (o.number == part.info || o.number == part.root)) continue;
      offsets[size_t(number(o.number))] = out.size();
      AppendRenumbered(out, parts[k], o, number);
    }
    for (int kid : part.kids) {
      kids += QByteArray::number(number(kid)) + " 0 R\n";
      ++pageCount;
    }
  }
  offsets[3] = out.size();
  out += "3 0 obj\n<<\n/Type /Pages\n/Kids \n[\n" + kids + "]\n/Count " + QByteArray::number(pageCount) +
         "\n/ProcSet [/PDF /Text /ImageB /ImageC]\n>>\nendobj\n";
  const qsizetype xref = out.size();
  out += "xref\n0 " + QByteArray::number(next) + "\n0000000000 65535 f \n";
  char entry[32];
  for (int n = 1; n < next; ++n) {
    std::snprintf(entry, sizeof entry, "%010lld 00000 n \n", static_cast<long long>(offsets[size_t(n)]));
    out += entry;
  }
  out += "trailer\n<<\n/Size " + QByteArray::number(next) + " \n/Info 1 0 R\n/Root 2 0 R\n>>\nstartxref\n" +
         QByteArray::number(xref) + " \n%%EOF\n";
  return out;
}

namespace {

// A long report is drawn in parts at once, each part's pieces laid out and drawn by one thread
// into a file of its own, and the files are joined: one painter would draw the pages one after
// the other, and drawing is half the work. Empty when a part fails (the caller then draws alone).
QByteArray ConvertInParts(const QStringList& pieces, const QPageLayout& layout, int resolution, double pageW,
                          double pageH, bool autoWidth) {
  QThreadPool& pool = *QThreadPool::globalInstance();
  const qsizetype count = std::min<qsizetype>(2 * std::max(1, pool.maxThreadCount()), pieces.size() / 16);
  std::vector<std::future<QByteArray>> parts;
  for (qsizetype k = 0; k < count; ++k) {
    const qsizetype from = pieces.size() * k / count, to = pieces.size() * (k + 1) / count;
    auto promise = std::make_shared<std::promise<QByteArray>>();
    parts.push_back(promise->get_future());
    pool.start([promise, from, to, &pieces, layout, resolution, pageW, pageH, autoWidth] {
      QByteArray bytes;
      {
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        QPdfWriter writer(&buffer);
        writer.setResolution(resolution);
        writer.setPageLayout(layout);
        QPainter p;
        bool ok = p.begin(&writer), drawn = false;
        const double scale = resolution / 96.0;
        auto newPage = [&] {
          if (drawn && !writer.newPage()) return false;
          drawn = true;
          return true;
        };
        for (qsizetype i = from; ok && i < to; ++i)
          ok = DrawPieces(p, newPage, scale, LayOutPiece(pieces[i], pageW, pageH, autoWidth, QThread::currentThread()));
        if (!p.end() || !ok) bytes.clear();
      }
      promise->set_value(bytes);
    });
  }
  std::vector<QByteArray> files;
  bool ok = true;
  for (auto& f : parts) {
    files.push_back(f.get());
    ok = ok && !files.back().isEmpty();
  }
  return ok ? JoinPdfParts(files) : QByteArray();
}

// From this many pieces on, a report is drawn in parts (a short one is done before the parts
// would pay for themselves).
constexpr qsizetype kPiecesDrawnInParts = 32;

}  // namespace

void HtmlToPdf::ConvertAll() {
  if (!doc_ || !started_ || !loaded_) return;
  QPdfWriter* writer = doc_->Writer();
  if (!writer) return;
  writer->setPageMargins(QMarginsF(marginLeft_, marginTop_, marginLeft_, marginTop_),
                         QPageLayout::Point);
  const QRectF page = writer->pageLayout().paintRectPixels(writer->resolution());
  // Lay out at 96 dots per inch (the HTML pixel), draw at the writer's resolution.
  const double scale = writer->resolution() / 96.0;
  const double pageW = page.width() / scale;
  const double pageH = page.height() / scale;
  const QStringList pieces = SplitHtmlPages(html_);
  if (pieces.size() >= kPiecesDrawnInParts && !doc_->Drawing() && QThreadPool::globalInstance()->maxThreadCount() > 1) {
    QByteArray joined =
        ConvertInParts(pieces, writer->pageLayout(), writer->resolution(), pageW, pageH, autoWidth_);
    if (!joined.isEmpty()) {
      doc_->SetFinishedFile(std::move(joined));
      return;
    }
  }
  QPainter* p = doc_->Painter();
  if (!p) return;
  // Parsing and laying out a piece is most of the work and needs no painter: the next pieces are
  // laid out on the other cores while this thread draws the pages of the earlier ones, in order.
  // At most a few pieces wait laid out, so the memory stays bounded however long the report.
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
    if (!DrawPieces(*p, [this] { return doc_->NewPage(); }, scale, piece)) {
      doc_->AddError(QStringLiteral("Couldn't add a page"));
      for (auto& f : pending) f.wait();  // the pieces laid out meanwhile go with their futures
      return;
    }
  }
}

}  // namespace cv
