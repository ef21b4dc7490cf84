#pragma once
// One measurement memory of a CORVANE-3 and its instrument text form, the "*SR" record: the codec
// both ways with every range check, and the log lines of a record's errors. Plain C++: the memory
// editor, the memory file, the settings dialog and the tests use it directly.
#include <array>
#include <bitset>
#include <cstdint>
#include <string>
#include <vector>

#include "Pll.h"

// Codes are single ASCII characters; a cleared record has every field zero. One record serves
// every CORVANE family: `frame` and `diseqC` are carried by the families whose records hold them
// and stay zero in a CORVANE-3 memory.
struct MemoryRecord {
  int32_t number = 0;    // 1..99; 0: cleared
  char label[5] = {};    // four characters and a NUL
  char band = 0;         // 'T' terrestrial, 'S' satellite
  char color = 0;        // '0' PAL .. '3' DIGITAL
  char std = 0;          // '0' BG .. '7' SAT
  char carriers = 0;     // '0' 2K, '4' 8K
  char specInv = 0;      // QPSK '0'..'2', QAM '0'..'1'
  float freq = 0;        // MHz
  char chFr = 0;         // '0' by channel, '1' by frequency
  int32_t nPlan = 0;     // 0..31
  int32_t codePlan = 0;  // 0..255
  char units = 0;        // '0'..'3'
  char lnbSup = 0;       // '0'..'7'
  char meas = 0;         // '0'..'7'
  char frame = 0;        // '0' 60 Hz, '1' 50 Hz
  char sound = 0;        // '0'..'9', 'A'..'F'
  float soundFreq = 0;   // MHz, for sound '4' and 'F'
  float bw = 0;          // MHz
  float lnbOsc = 0;      // MHz
  char codeRate = 0;     // '0'..'8'
  char modulation = 0;   // '0'..'4'
  char guardInt = 0;     // '0'..'3'
  int32_t symRate = 0;   // 1000..45000
  float cnRefFreq = 0;   // MHz, for measure '7'
  char diseqC = 0;       // as the instrument gives it

  bool operator==(const MemoryRecord&) const = default;
};

namespace cv::mem {

constexpr int kMemoryCount = 99;

// The error kinds of one record, in the order their lines are written.
enum MemError {
  ErrNumber, ErrBand, ErrMeasure, ErrSpecInvQpsk, ErrSpecInvQam, ErrCarriers, ErrStandard,
  ErrFreqSat, ErrFreqTer, ErrTuningMode, ErrPlanNumber, ErrPlanMissing, ErrUnits, ErrLnbSupply, ErrColour,
  ErrCodeRate, ErrModulation, ErrGuardInterval, ErrSound, ErrSymbolRate, ErrSoundFreq,
  ErrBandwidth, ErrLnbFreq, ErrCnRef, ErrMustBeTer, ErrMustBeSat, ErrQpskReplaced,
  ErrQamReplaced, ErrCofdmReplaced, kMemErrorKinds
};
using MemErrors = std::bitset<kMemErrorKinds>;

inline bool IsBerMeasure(char meas) { return meas == '4' || meas == '5' || meas == '6'; }
inline bool HasManualSound(char sound) { return sound == '4' || sound == 'F'; }

// The record text of `record`, as the instrument takes it. An LNB oscillator of exactly 0 is set
// to 9750 in `record` first. A field holding NUL ends the text there, as in a cleared record.
std::string EncodeMemoryRecord(MemoryRecord& record);
// The pieces every family's record shares: from the number to the colour (21 characters), the
// setting character of the measure (code rate, modulation, guard interval or sound), the
// four-character field after it (symbol rate, or the manual sound frequency, else "0000"), and
// from the bandwidth to the C/N reference word (17 characters; an LNB oscillator of 0 becomes
// 9750 in `record`). A NUL in a character field is kept: the caller cuts the text there.
std::string EncodeRecordHead(const MemoryRecord& record);
char RecordSetting(const MemoryRecord& record);
std::string EncodeRecordField(const MemoryRecord& record);
std::string EncodeRecordTail(MemoryRecord& record);
// The length a record of this measure type must have: 38 for BER COFDM, else 42.
size_t MemoryRecordLength(char meas);
// Whether `text` is a complete record of `meas`, fit to be sent.
bool MemoryRecordSendable(const std::string& text, char meas);

// What a family checks otherwise in a record from its instrument or its file: its frequency
// ranges, whether it has a satellite tuner at all, and where its C/N reference range ends.
struct RecordRules {
  const cv::FamilyRanges* ranges = &cv::kCorvane3Ranges;
  bool satelliteRefused = false;  // every satellite frequency fails its check
  double cnRefMaxMHz = 2150;
  double cnRefMinMHz = 5;  // where the C/N reference range starts
};
// Whether `mhz` passes the frequency check of `band` under `rules`.
bool RecordFreqOk(char band, float mhz, const RecordRules& rules);

// Decoding a reply into `record` (which keeps the fields the reply does not carry).
struct DecodedMemory {
  bool complete = false;  // false: the reply is shorter than 38 characters; `record` unchanged
  int index = -1;         // memory number - 1 as the reply gives it (may lie outside 0..98)
  std::string numberText; // the reply's two number digits
  MemErrors errors;
};
DecodedMemory DecodeMemoryRecord(const std::string& reply, MemoryRecord& record, const RecordRules& rules = {});

// The message of each error kind's line (0: the kind has no line of its own). A family whose
// ranges or wordings differ gives its own table.
using ErrorLineIds = std::array<int, kMemErrorKinds>;
const ErrorLineIds& Cv3ErrorLineIds();

// The log lines of a record's errors: the heading with index + 1, then one line per kind present.
std::vector<std::string> MemoryErrorLines(const MemErrors& errors, const MemoryRecord& record, int index,
                                          const ErrorLineIds& ids = Cv3ErrorLineIds());

// A real as the error lines write it: the single-precision value, general format, 15 digits.
std::string RealText(float value);

// Building blocks of the record codecs. A non-negative value cut or rounded (adding 0.5) to an
// integer: NaN and negatives give 0, huge values saturate.
uint32_t CutWord(double value);
uint32_t RoundWord(double value);
// `value` as `digits` lower-case hexadecimal digits (more when it needs them).
std::string HexText(uint32_t value, int digits);
// `length` hexadecimal digits at `at`, or -1 when one is missing or is no digit.
long HexAt(const std::string& text, size_t at, size_t length);
// A word's value scaled (word x step - offset), or NaN when the word could not be read.
float ScaledWord(long word, double step, double offset = 0.0);

// Whether `value` lies in lo..hi, compared at single precision (a NaN never does).
bool InRangeF(float value, double lo, double hi);

}  // namespace cv::mem
