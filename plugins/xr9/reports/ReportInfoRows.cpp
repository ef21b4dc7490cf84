#include "ReportInfoRows.h"

#include <QFile>
#include <algorithm>

namespace cv::xr9 {

namespace {

std::string OneLine(const std::string& s) {
  std::string out;
  out.reserve(s.size());
  for (size_t i = 0; i < s.size(); ++i) {
    if (s[i] == '\r' || s[i] == '\n') {
      if (s[i] == '\r' && i + 1 < s.size() && s[i + 1] == '\n') ++i;
      out += ' ';
    } else {
      out += s[i];
    }
  }
  return out;
}

}  // namespace

std::string ReportInfoRows::TextOf(const std::string& key) const {
  for (const InfoRow& r : rows_)
    if (r.key == key) return r.text;
  return {};
}

std::vector<InfoRow> ReportInfoRows::ParseLines(const std::string& bytes) {
  std::vector<InfoRow> rows;
  size_t start = 0;
  while (start < bytes.size()) {
    size_t end = bytes.find_first_of("\r\n", start);
    if (end == std::string::npos) end = bytes.size();
    const std::string line = bytes.substr(start, end - start);
    const size_t eq = line.find('=');
    if (eq == std::string::npos)
      rows.push_back({line, {}});
    else
      rows.push_back({line.substr(0, eq), line.substr(eq + 1)});
    start = end;
    if (start < bytes.size() && bytes[start] == '\r') ++start;  // CR LF, or CR alone
    if (start < bytes.size() && bytes[start] == '\n') ++start;
  }
  return rows;
}

bool ReportInfoRows::HasSignature(const std::string& bytes, const std::string& signature) {
  return bytes.size() >= kInfoSignatureBytes && signature.size() >= kInfoSignatureBytes &&
         bytes.compare(0, kInfoSignatureBytes, signature, 0, kInfoSignatureBytes) == 0;
}

std::vector<InfoRow> ReportInfoRows::RowsOfFile(const std::string& bytes) {
  std::vector<InfoRow> rows = ParseLines(bytes);
  rows.erase(rows.begin(), rows.begin() + std::min<ptrdiff_t>(2, ptrdiff_t(rows.size())));
  return rows;
}

std::string ReportInfoRows::FileBytes(const std::string& signature, const std::string& notice) const {
  std::string out = signature + "=\r\n" + notice + "=\r\n";
  for (const InfoRow& r : rows_) out += OneLine(r.key) + "=" + OneLine(r.text) + "\r\n";
  return out;
}

ReportInfoRows::Loaded ReportInfoRows::Load(const std::string& path, const std::string& signature) {
  QFile f(QString::fromLocal8Bit(path.c_str()));
  if (!f.open(QIODevice::ReadOnly)) return Loaded::NotOpened;
  const QByteArray all = f.readAll();
  if (f.error() != QFileDevice::NoError) return Loaded::NotOpened;
  const std::string bytes(all.constData(), size_t(all.size()));
  if (!HasSignature(bytes, signature)) return Loaded::NoSignature;
  const std::vector<InfoRow> fileRows = RowsOfFile(bytes);
  auto inFile = [&fileRows](const std::string& key) {
    return std::find_if(fileRows.begin(), fileRows.end(), [&key](const InfoRow& r) { return r.key == key; });
  };
  std::vector<InfoRow> merged = rows_;
  for (InfoRow& row : merged)
    if (const auto it = inFile(row.key); it != fileRows.end()) row.text = it->text;
  for (const InfoRow& row : fileRows) {
    const bool known = std::any_of(merged.begin(), merged.end(), [&row](const InfoRow& r) { return r.key == row.key; });
    if (!known) merged.push_back(row);
  }
  rows_ = std::move(merged);
  return Loaded::Ok;
}

SaveResult ReportInfoRows::Save(const std::string& path, const std::string& signature,
                                const std::string& notice, std::string* why) const {
  return WriteFileAtomically(path, FileBytes(signature, notice), why);
}

}  // namespace cv::xr9
