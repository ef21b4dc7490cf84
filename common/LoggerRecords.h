#pragma once
// The data logger's records, the decoders of the instrument's logger replies, the text tables of
// a memory's band, measurement and units, and one download's result. Plain C++: the dialogs,
// the CSV writer, the sheet and the fuzz targets use them directly.
#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "LoggerFamily.h"

namespace cv::logger {

constexpr int kItems = 99;  // memories and test points the instrument keeps

struct TLoggerMemory {
  uint8_t number = 0;  // 1..99; 0 while nothing was received
  char name[5] = {};   // 4 characters and a NUL
  char band = 0;       // 'S' satellite, anything else terrestrial
  float frequency = 0; // MHz
  uint8_t units = 0;   // 0 dBuV, 1 dBmV, 2 dBm, 3 dBuV, 5 none
  uint8_t measure = 0; // 0 level .. 7 C/N referenced
  bool selected = false;
};

struct TLoggerTP {
  uint8_t number = 0;     // 1..99
  std::string name;       // at most 8 characters
  bool selected = false;
  std::string timeStamp;  // "hh:mm:ss,dd/mm/yy"; empty before firmware 2.45
};

using MemoryTable = std::array<TLoggerMemory, kItems>;
using TPTable = std::array<TLoggerTP, kItems>;

constexpr int kTPNameLength = 8;
constexpr int kTimeStampLength = 19;
constexpr int kCellLength = 15;

inline bool IsBerMeasure(int measure) { return measure >= 4 && measure <= 6; }

using LogFn = std::function<void(const std::string&)>;

// "*?SR" reply: fills the record its number field names. A reply shorter than the family's
// record changes nothing; a number outside 1..99 fills memory 1's record. Both fail with a log line.
bool ParseMemoryReply(const std::string& reply, MemoryTable& memories, const LogFn& log,
                      const TLoggerFamily& family = Corvane3LoggerFamily());
// "*?DSM" reply for `memory`: selected when character 3 is '0'; shorter than 4 characters fails.
bool ParseMemoryStatus(const std::string& reply, TLoggerMemory& memory);
// "*?DST" reply: whether the test point is selected.
bool ParseTPStatus(const std::string& reply);
// "*?DL" reply of `memory`: the cell text (at most 15 characters; empty for a short reply).
// Its number is DataValue's, so every tool that shows a logged value shows the same one.
std::string ParseDataReply(const TLoggerMemory& memory, const std::string& reply, char decimal,
                           const TLoggerFamily& family = Corvane3LoggerFamily());

// The number of a "*?DL" reply (at least 8 characters) for `memory`: a BER, or the tenths in
// the unit the value is shown in (TenthsInUnits).
double DataValue(const TLoggerMemory& memory, const std::string& reply,
                 const TLoggerFamily& family = Corvane3LoggerFamily());
// Tenths of dBuV or dB in the unit they are shown in: a level takes the offset of the memory's
// units (dBmV, dBm); a ratio carries no level unit and is never shifted.
float TenthsInUnits(unsigned tenths, int units, bool relative);

const char* BandName(char band);
const char* MeasureName(int measure, const TLoggerFamily& family = Corvane3LoggerFamily());
bool IsRatioMeasure(int measure, const TLoggerFamily& family = Corvane3LoggerFamily());
const char* UnitName(int units, int measure, const TLoggerFamily& family = Corvane3LoggerFamily());

// One download: what was asked for, the memory records as they were, the test points' time
// stamps and one cell per memory and test point. The writers and the sheet read it, so a later
// change of the selection on screen cannot shift its columns. Test-point names are read from the
// dialog's live table, so a rename after the download shows.
struct TLoggerDownload {
  const TLoggerFamily* family = &Corvane3LoggerFamily();  // the meter's types and texts
  bool timeColumns = false;          // time stamps were read (the family's firmware or always)
  std::vector<int> wantedTPs;        // 0-based positions, ascending
  std::vector<int> wantedMemories;   // 0-based positions, ascending
  std::vector<TLoggerMemory> memories;   // one per wanted memory
  std::vector<std::string> timeStamps;   // one per wanted test point
  std::vector<std::vector<std::string>> cells;  // [memory ordinal][test-point ordinal]

  int MemoryCount() const { return static_cast<int>(wantedMemories.size()); }
  int TPCount() const { return static_cast<int>(wantedTPs.size()); }
};

// The two pieces of a time stamp cut at its first comma ("10:21:05,03/04/05"): time and day,
// each empty when missing.
void SplitTimeStamp(const std::string& stamp, std::string& time, std::string& day);

// The printed sheet's "OBS:" row: the equipment text, ". " and the comment, which the family's
// `commentLength` bounds (without one the whole row is cut at 255 characters).
std::string ObsRowText(const std::string& equipment, const std::string& comment, const TLoggerFamily& family);

}  // namespace cv::logger
