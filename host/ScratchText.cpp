#include "ScratchText.h"

#include "AtomicFile.h"

#include <QFile>
#include <algorithm>
#include <cmath>

namespace cv {

EditorText SplitLineBreaks(const std::string& bytes) {
  EditorText t;
  size_t lf = bytes.find('\n');
  if (lf != std::string::npos) t.lineBreak = (lf > 0 && bytes[lf - 1] == '\r') ? "\r\n" : "\n";
  t.finalBreak = !bytes.empty() && bytes.back() == '\n';
  std::string body = bytes;
  if (t.finalBreak) {
    body.pop_back();
    if (t.lineBreak == "\r\n" && !body.empty() && body.back() == '\r') body.pop_back();
  }
  if (t.lineBreak == "\r\n") {
    std::string out;
    out.reserve(body.size());
    for (size_t i = 0; i < body.size(); ++i) {
      if (body[i] == '\r' && i + 1 < body.size() && body[i + 1] == '\n') continue;
      out.push_back(body[i]);
    }
    body.swap(out);
  }
  t.text = std::move(body);
  return t;
}

std::string JoinLineBreaks(const EditorText& t) {
  std::string out;
  out.reserve(t.text.size() + t.text.size() / 16);
  for (char c : t.text) {
    if (c == '\n')
      out += t.lineBreak;
    else
      out.push_back(c);
  }
  if (t.finalBreak) out += t.lineBreak;
  return out;
}

EditorLoad LoadEditorFile(const QString& path, EditorText& out) {
  QFile f(path);
  if (!f.open(QIODevice::ReadOnly)) return EditorLoad::CannotOpen;
  if (f.size() > kEditorMaxFileSize) return EditorLoad::TooLong;
  QByteArray bytes = f.readAll();
  if (f.error() != QFileDevice::NoError) return EditorLoad::CannotOpen;
  out = SplitLineBreaks(bytes.toStdString());
  return EditorLoad::Ok;
}

bool SaveEditorFile(const QString& path, const EditorText& text, QString* error) {
  std::string why;
  if (WriteFileAtomically(QFile::encodeName(path).toStdString(), JoinLineBreaks(text), &why) == SaveResult::Saved)
    return true;
  if (error) *error = QString::fromLocal8Bit(why.c_str());
  return false;
}

namespace {
bool IsWordChar(QChar c) { return c.isLetterOrNumber() || c == QLatin1Char('_'); }
}  // namespace

int FindInText(const QString& text, const QString& what, int from, bool matchCase, bool wholeWord) {
  if (what.isEmpty()) return -1;
  Qt::CaseSensitivity cs = matchCase ? Qt::CaseSensitive : Qt::CaseInsensitive;
  for (qsizetype pos = text.indexOf(what, std::max(0, from), cs); pos >= 0;
       pos = text.indexOf(what, pos + 1, cs)) {
    if (!wholeWord) return static_cast<int>(pos);
    qsizetype end = pos + what.size();
    bool startOk = pos == 0 || !IsWordChar(text[pos - 1]);
    bool endOk = end >= text.size() || !IsWordChar(text[end]);
    if (startOk && endOk) return static_cast<int>(pos);
  }
  return -1;
}

int PrintLineHeight(double pointSize, int dpiY) {
  long pixels = std::lround(pointSize * dpiY / 72.0);
  return std::max(1, static_cast<int>(std::labs(pixels) * 1.4));
}

int PrintLinesPerPage(int pageHeight, int lineHeight) {
  return pageHeight / std::max(1, lineHeight) - 4;
}

std::vector<PrintRow> LayoutPrintRows(int lineCount, int linesPerPage) {
  // With fewer rows than the header needs, the page counter would never meet the limit and
  // every line would land below the previous one, off the page.
  int last = std::max(linesPerPage, 5);
  std::vector<PrintRow> rows;
  rows.reserve(std::max(0, lineCount));
  int page = 0;
  int n = 4;
  for (int i = 0; i < lineCount; ++i) {
    if (n == last) {
      ++page;
      n = 4;
    } else {
      ++n;
    }
    rows.push_back({page, n});
  }
  return rows;
}

}  // namespace cv
