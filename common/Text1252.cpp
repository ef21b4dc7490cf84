#include "Text1252.h"

#include <QByteArray>
#include <QFile>
#include <QList>

namespace cv {
namespace {
// 0x80..0x9F of Windows-1252; 0 marks the five unassigned codes, kept as the C1 control of that value.
const char16_t kHigh[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

char16_t ToUnicode(unsigned char c) {
  if (c >= 0x80 && c < 0xA0) {
    return kHigh[c - 0x80] ? kHigh[c - 0x80] : c;
  }
  return c;
}

int FromUnicode(char32_t u) {
  if (u < 0x80 || (u >= 0xA0 && u <= 0xFF)) return static_cast<int>(u);
  for (int i = 0; i < 32; ++i) {
    if (kHigh[i] == u || (kHigh[i] == 0 && u == static_cast<char32_t>(0x80 + i))) return 0x80 + i;
  }
  return -1;
}
}  // namespace

QString From1252(std::string_view bytes) {
  QString out;
  out.reserve(static_cast<qsizetype>(bytes.size()));
  for (unsigned char c : bytes) out.append(QChar(ToUnicode(c)));
  return out;
}

std::string To1252(const QString& text) {
  std::string out;
  out.reserve(static_cast<size_t>(text.size()));
  for (char32_t u : text.toUcs4()) {
    int b = FromUnicode(u);
    out.push_back(static_cast<char>(b < 0 ? '?' : b));
  }
  return out;
}

std::string Utf8To1252(std::string_view utf8) {
  return To1252(QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size())));
}

std::string Cp1252ToUtf8(std::string_view bytes) { return From1252(bytes).toUtf8().toStdString(); }

std::string FileSystemTo1252(std::string_view fsName) {
  return To1252(QFile::decodeName(QByteArray(fsName.data(), static_cast<qsizetype>(fsName.size()))));
}

std::string LoggedFileName(std::string_view fsPath) {
  // '/' is ASCII, so no multi-byte character is cut; a ':' or '\\' belongs to the name here.
  const size_t cut = fsPath.rfind('/');
  return FileSystemTo1252(cut == std::string_view::npos ? fsPath : fsPath.substr(cut + 1));
}

}  // namespace cv
