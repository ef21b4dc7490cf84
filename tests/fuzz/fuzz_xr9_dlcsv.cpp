// Data-logger CSV files of whatever a .DL file decodes to: both forms, with separators that the
// names and texts of the file may hold. Every line between the column heading and the end line
// must have as many cells as the heading (cells quoted where they hold the separator, a quote or
// a line break), and the units line too.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "AppServices.h"
#include "DataLogCsv.h"
#include "DataLogFile.h"

using namespace cv::xr9;

namespace {

// Cells of each line as a spreadsheet splits them (quotes honoured, lines inside quotes kept).
std::vector<size_t> CellCounts(const std::string& text, char sep) {
  std::vector<size_t> counts;
  size_t cells = 0;
  bool quoted = false;
  for (size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (quoted) {
      if (c == '"') {
        if (i + 1 < text.size() && text[i + 1] == '"') ++i;
        else quoted = false;
      }
    } else if (c == '"') {
      quoted = true;
    } else if (c == sep) {
      ++cells;
    } else if (c == '\n') {
      counts.push_back(cells);
      cells = 0;
    }
  }
  if (quoted) abort();
  return counts;
}

void Check(const std::string& text, char sep, bool complete) {
  const std::vector<size_t> counts = CellCounts(text, sep);
  // Head, used file, empty line, units line, heading, then the channels.
  if (counts.size() < 5) abort();
  const size_t heading = counts[4];
  if (counts[3] != heading) abort();
  const size_t last = complete ? counts.size() - 1 : counts.size();
  for (size_t i = 5; i < last; ++i)
    if (counts[i] != heading) abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1) return 0;
  cv::RecordingPrompter boxes;
  TDataLogStore store;
  store.sinks.prompter = &boxes;
  // The first byte picks the separators; the rest is the file.
  const bool comma = (data[0] & 1) != 0;
  const int slot = store.DecodeDataLogFile(data + 1, size - 1, "FUZZ.DL");
  if (slot < 0) return 0;
  CsvContext ctx;
  ctx.prompter = &boxes;
  ctx.decimalSeparator = comma ? '.' : ',';
  ctx.listSeparator = comma ? ',' : ';';
  ctx.date = "1/2/2026";
  ctx.selectedMeas = [&](int, int channel) { return (channel * 7 + data[0]) % 17 - 1; };
  std::string all, selected;
  const bool allDone = WriteCSVAllMeas(all, store, slot, ctx);
  Check(all, ctx.listSeparator, allDone);
  const bool selectedDone = WriteCSVSelectedMeas(selected, store, slot, ctx);
  Check(selected, ctx.listSeparator, selectedDone);
  return 0;
}
