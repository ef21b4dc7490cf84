#include "TermOutput.h"

#include <QFile>
#include <QStringDecoder>
#include <filesystem>

#include "AtomicFile.h"
#include "Text1252.h"

namespace cv::term {

bool OutputFile::Begin(const std::string& path) {
  namespace fs = std::filesystem;
  std::error_code ec;
  if (path.empty()) return false;
  if (fs::exists(path, ec) && !fs::is_regular_file(path, ec)) return false;
  const fs::path parent = fs::path(path).parent_path();
  if (!parent.empty() && !fs::is_directory(parent, ec)) return false;
  path_ = path;
  text_.clear();
  return true;
}

bool OutputFile::Commit() { return cv::WriteFileAtomically(path_, text_) == cv::SaveResult::Saved; }

std::string ShownPath(const std::string& path) { return cv::To1252(QFile::decodeName(QByteArray::fromStdString(path))); }

std::string NamedPath(const std::string& scriptText) {
  QStringDecoder utf8(QStringDecoder::Utf8);
  const QString asUtf8 = utf8.decode(QByteArray::fromStdString(scriptText));
  const QString text = utf8.hasError() ? cv::From1252(scriptText) : asUtf8;
  return QFile::encodeName(text).toStdString();
}

}  // namespace cv::term
