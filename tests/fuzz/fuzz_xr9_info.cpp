// Report information files: any bytes are loaded the way the information dialogs load them, with
// either signature. A file is taken exactly when its first 15 bytes are the signature; its rows
// are its lines from the third, split at the first "=": a row already shown takes the text of the
// first line with its key and keeps its own without one, and the other keys follow once each in
// file order; saved again and loaded back they are the same rows, and a text typed with line
// breaks is written on one line.
#include <cstddef>
#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "FuzzSupport.h"
#include "ReportInfoRows.h"

using namespace cv::xr9;

namespace {

bool OneLine(const std::string& s) { return s.find_first_of("\r\n") == std::string::npos; }

// The rows a load of `file` leaves over `shown`, row by row.
std::vector<InfoRow> Merged(std::vector<InfoRow> shown, const std::vector<InfoRow>& file) {
  auto has = [](const std::vector<InfoRow>& rows, const std::string& key) {
    return std::find_if(rows.begin(), rows.end(), [&key](const InfoRow& r) { return r.key == key; });
  };
  for (InfoRow& row : shown)
    if (const auto it = has(file, row.key); it != file.end()) row.text = it->text;
  for (const InfoRow& row : file)
    if (has(shown, row.key) == shown.end()) shown.push_back(row);
  return shown;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string bytes = cvfuzz::Text(data, size);
  const std::string path = cvfuzz::WriteScratch("info.txt", bytes);
  size_t lines = 1;
  for (char c : bytes) lines += (c == '\n' || c == '\r');
  for (const char* signature : {kCvToolsInfoSignature, kSkyInfoSignature}) {
    ReportInfoRows rows;
    rows.Append("before", "x");
    const auto loaded = rows.Load(path, signature);
    FUZZ_CHECK((loaded == ReportInfoRows::Loaded::Ok) == ReportInfoRows::HasSignature(bytes, signature));
    if (loaded != ReportInfoRows::Loaded::Ok) {
      FUZZ_CHECK(rows.Count() == 1 && rows.Rows()[0] == (InfoRow{"before", "x"}));
      continue;
    }
    FUZZ_CHECK(rows.Rows() == Merged({{"before", "x"}}, ReportInfoRows::RowsOfFile(bytes)));
    FUZZ_CHECK(size_t(rows.Count()) + 2 <= lines + 2);
    for (const InfoRow& r : rows.Rows()) {
      FUZZ_CHECK(OneLine(r.key) && OneLine(r.text));
      FUZZ_CHECK(r.key.find('=') == std::string::npos);
    }
    // Saved and loaded again: the same rows, the file beginning with its two lines.
    const std::string saved = rows.FileBytes(signature, ";Do not modify this file manually");
    FUZZ_CHECK(saved.rfind(std::string(signature) + "=\r\n;Do not modify this file manually=\r\n", 0) == 0);
    FUZZ_CHECK(ReportInfoRows::RowsOfFile(saved) == rows.Rows());
    // The whole input typed as a text: one line, read back as written.
    ReportInfoRows typed;
    typed.Append("OBS: ", bytes);
    const auto back = ReportInfoRows::RowsOfFile(typed.FileBytes(signature, ";n"));
    FUZZ_CHECK(back.size() == 1 && back[0].key == "OBS: " && OneLine(back[0].text));
    FUZZ_CHECK(back[0].text.size() <= bytes.size());
  }
  return 0;
}
