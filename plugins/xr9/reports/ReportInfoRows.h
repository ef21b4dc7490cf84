#pragma once
// The report information texts a user types before a report: rows of a key (the field name) and
// a text, and the small information file that keeps them between reports. No widget: the
// information dialogs show these rows through ReportInfoModel.
//
// The file is Windows-1252 text with CR LF line ends (LF and CR alone are read too): the 15-byte
// signature and "=", the notice and "=", then one line "key=text" per row. A line is split at its
// first "="; a line without one is a row with that key and an empty text.
#include <cstddef>
#include <string>
#include <vector>

#include "AtomicFile.h"

namespace cv::xr9 {

inline constexpr const char* kCvToolsInfoSignature = ";CVTOOLS_REPORT";
inline constexpr const char* kSkyInfoSignature = ";SKYCERTIFICATE";
inline constexpr size_t kInfoSignatureBytes = 15;

struct InfoRow {
  std::string key;
  std::string text;
  bool operator==(const InfoRow&) const = default;
};

class ReportInfoRows {
 public:
  const std::vector<InfoRow>& Rows() const { return rows_; }
  int Count() const { return int(rows_.size()); }
  void Append(const std::string& key, const std::string& text = {}) { rows_.push_back({key, text}); }
  void SetText(int row, const std::string& text) { rows_[size_t(row)].text = text; }
  void Replace(std::vector<InfoRow> rows) { rows_ = std::move(rows); }

  // The text of the first row whose key is exactly `key`; empty when no row has it.
  std::string TextOf(const std::string& key) const;

  // Every line of a file's bytes as a row.
  static std::vector<InfoRow> ParseLines(const std::string& bytes);
  // Whether the bytes begin with the 15 bytes of `signature`.
  static bool HasSignature(const std::string& bytes, const std::string& signature);
  // The rows a file's bytes give: its lines without the first two (at most as many as there are).
  static std::vector<InfoRow> RowsOfFile(const std::string& bytes);
  // The file of these rows: the signature line, the notice line (`notice` is the whole key, with
  // its ';'), then the rows. A line break in a key or text is written as a blank.
  std::string FileBytes(const std::string& signature, const std::string& notice) const;

  enum class Loaded { Ok, NotOpened, NoSignature };
  // When the file opens and carries the signature, each row takes the text of the file's first
  // line with its key, a row the file lacks keeps its text (a file cut short or written by hand
  // loses nothing typed), and keys only the file has are added after the rows in file order.
  // Otherwise the rows stay as they were.
  Loaded Load(const std::string& path, const std::string& signature);
  // Writes the file through a temporary file renamed over `path`; the rows are not changed.
  SaveResult Save(const std::string& path, const std::string& signature, const std::string& notice,
                  std::string* why = nullptr) const;

 private:
  std::vector<InfoRow> rows_;
};

}  // namespace cv::xr9
