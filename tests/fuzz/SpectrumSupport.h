#pragma once
// What the spectrum fuzz targets share: a command layer answering from the input's lines, and a
// whole run of a family's sweep on its own record: typed settings, Start, the timer's ticks to the
// last snapshot, a measurement of each item and the logger file its Save writes. Every tuning
// lies in one of the family's bands, never in the gap between them, and every line of the logger
// file has the field count its heading promises.
#include <algorithm>
#include <deque>
#include <sstream>
#include <string>
#include <vector>

#include "FuzzSupport.h"
#include "TSpectrumLogFile.h"
#include "TSpectrumSweep.h"

namespace cvfuzz {

// Queries and level asks answered by the lines in turn ("!" fails the exchange; nothing once they
// are spent); every send taken; each tuning kept.
class SweepReplies : public TSpectrumLink {
 public:
  SweepReplies(std::deque<std::string> lines, int32_t variant) : lines(std::move(lines)), variant(variant) {}
  std::vector<float> tuned;
  bool SendCommand(const char*) override { return true; }
  bool Query(const char*, char* reply) override { return Next(reply); }
  bool AskLevel(char* reply, int) override { return Next(reply); }
  bool TuneFrequency(float mhz, int) override {
    tuned.push_back(mhz);
    return true;
  }
  void Log(const std::string&) override {}
  int32_t GetModelVariant() const override { return variant; }

 private:
  bool Next(char* reply) {
    if (lines.empty()) return false;
    std::string r = lines.front().substr(0, 255);
    lines.pop_front();
    std::copy(r.begin(), r.end(), reply);
    reply[r.size()] = '\0';
    return r != "!";
  }
  std::deque<std::string> lines;
  int32_t variant;
};

// A list-separated line's fields, a quoted field taken whole.
inline size_t FieldCount(const std::string& line, char separator) {
  size_t fields = 1;
  bool quoted = false;
  for (char c : line) {
    if (c == '"') quoted = !quoted;
    else if (c == separator && !quoted) ++fields;
  }
  return fields;
}

// The logger file of the sweep's run: its heading and one line per snapshot row, each with the
// heading's field count (a family whose rows hold the run's point count: that many levels).
inline void CheckLogFile(const TSpectrumSweep& sweep, char list, char decimal) {
  const std::string text = SpectrumLogFileOf(sweep, list, decimal, "10/12/2026", "08:00").Text();
  const std::vector<std::string> lines = Lines(text);
  const std::string rule(44, '#');
  size_t heading = 0;
  while (heading < lines.size() && lines[heading].rfind(" DATE", 0) != 0) ++heading;
  FUZZ_CHECK(heading < lines.size());
  const size_t frequencies = sweep.SweptFrequencies().size();
  // Each field, the last included, is followed by the separator.
  FUZZ_CHECK(FieldCount(lines[heading], list) == 3 + frequencies + 1);
  const size_t rows = std::min<size_t>(std::max(sweep.allocatedSnapshots, 0), sweep.levels.size());
  FUZZ_CHECK(lines.size() == heading + 1 + rows + 4);
  const size_t levels = sweep.profile.rowsOfPoints ? static_cast<size_t>(std::max(sweep.points, 0)) : frequencies;
  for (size_t r = 0; r < rows; ++r) {
    const std::string& row = lines[heading + 1 + r];
    const size_t held = std::min(levels, sweep.levels[r].size());
    FUZZ_CHECK(FieldCount(row, list) == 3 + held + 1);
    if (!sweep.profile.rowsOfPoints) FUZZ_CHECK(held == frequencies);
  }
  FUZZ_CHECK(lines[heading + 1 + rows].rfind(rule, 0) == 0);
  FUZZ_CHECK(lines[heading + 2 + rows] == sweep.profile.loggerEnd);
}

// A frequency the family's meter tunes: in the terrestrial band (unless its model has none) or,
// when it has one, in the satellite band.
inline bool InFamilyBands(const TSpectrumSweep& sweep, double mhz) {
  const TSpectrumProfile& p = sweep.profile;
  return (sweep.TerrestrialAllowed() && mhz >= p.terrestrialStart && mhz <= 862.0) ||
         (p.satelliteBand && mhz >= p.satelliteStart && mhz <= 2150.0);
}

// The input's first line, unless it is a reply ("*..."), holds the settings as typed: initial,
// final and step frequencies, snapshots, seconds between them and the marker's frequency, with
// the decimal separator given by the line's first character ("," or else "."), as in
// ",850,5 910 1 2 1 900". The other lines answer the queries in turn.
inline void RunSweep(const std::string& input, const TSpectrumProfile& profile, int32_t variant = 0) {
  std::vector<std::string> lines = Lines(input);
  std::deque<std::string> replies(lines.begin(), lines.end());
  std::string settings;
  if (!replies.empty() && !replies.front().empty() && replies.front()[0] != '*') {
    settings = replies.front();
    replies.pop_front();
  }
  const char decimal = !settings.empty() && settings[0] == ',' ? ',' : '.';
  if (!settings.empty() && (settings[0] == ',' || settings[0] == '.')) settings.erase(0, 1);
  SweepReplies link(replies, variant);
  TSpectrumView view;
  TSpectrumSweep sweep(link, view, profile);
  sweep.timeText = [] { return std::string("08:00"); };
  // A huge count may ask for tables no memory holds: the allocation reports, it does not throw.
  sweep.tableByteLimit = 1 << 20;
  std::istringstream in(settings);
  std::string initial, final, step, snaps, seconds, current;
  in >> initial >> final >> step >> snaps >> seconds >> current;
  if (sweep.ValidateInitialFreq(initial, decimal) == TEditResult::Accepted)
    FUZZ_CHECK(InFamilyBands(sweep, sweep.initialFreq) && sweep.initialFreq < 2150.0f);
  if (sweep.ValidateFinalFreq(final, decimal) == TEditResult::Accepted)
    FUZZ_CHECK(InFamilyBands(sweep, sweep.finalFreq) && sweep.finalFreq > sweep.profile.terrestrialStart);
  if (sweep.ValidateStep(step, decimal) == TEditResult::Accepted)
    FUZZ_CHECK(sweep.stepFreq >= 0.05f && sweep.stepFreq <= 50.0f);
  if (sweep.ValidateSnaps(snaps) == TEditResult::Accepted) FUZZ_CHECK(sweep.snapshots >= 1 && sweep.snapshots <= 1000);
  if (sweep.ValidateTimeStep(seconds) == TEditResult::Accepted)
    FUZZ_CHECK(sweep.timeStep >= 1 && sweep.timeStep <= 19999);
  if (sweep.ValidateCurrentFreq(current, decimal) == TEditResult::Accepted)
    FUZZ_CHECK(sweep.currentFreq >= sweep.initialFreq && sweep.currentFreq <= sweep.finalFreq);

  sweep.StartBtnClick();
  // The timer's ticks, a bounded number of them, to the run's further snapshots.
  for (int tick = 0; tick < 64 && sweep.running; ++tick) sweep.LessToNextSnap();

  const std::vector<float> grid = sweep.SweptFrequencies();
  FUZZ_CHECK(static_cast<int32_t>(grid.size()) <= std::max(sweep.points, 0));
  for (float f : grid) FUZZ_CHECK(InFamilyBands(sweep, f));
  for (const std::vector<float>& row : sweep.levels) FUZZ_CHECK(static_cast<int32_t>(row.size()) == sweep.points);
  for (size_t i = 0; i < link.tuned.size(); ++i) FUZZ_CHECK(InFamilyBands(sweep, link.tuned[i]));
  CheckLogFile(sweep, ';', ',');
  CheckLogFile(sweep, ',', ',');

  // A measurement at the marker, of each item: it too tunes only what the meter has.
  sweep.state = 1;
  for (int item = 0; item < static_cast<int>(profile.measModes.size()); ++item) {
    sweep.MeasBtnClick(item);
    sweep.MeasText(item, decimal);
  }
  for (float f : link.tuned) FUZZ_CHECK(InFamilyBands(sweep, f));
}

}  // namespace cvfuzz
