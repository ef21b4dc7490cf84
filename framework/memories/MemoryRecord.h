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

// What a family's record differs in from the CORVANE-3's, on the wire and in its memory file
// row: where the fields stand, the ranges and the rules its decoder and row parser check. Every
// default is the CORVANE-3's.
struct RecordRules {
  const cv::FamilyRanges* ranges = &cv::kCorvane3Ranges;
  bool satelliteRefused = false;  // every satellite frequency fails its check
  double cnRefMaxMHz = 2150;
  double cnRefMinMHz = 5;  // where the C/N reference range starts
  // The measure family every field choice decides by; the measure itself is always kept,
  // sent and written as it is. None: the measure itself.
  char (*measureFamily)(char meas) = nullptr;
  // The family of a measure with neither sound nor demodulation settings ('8' DAB); 0: none.
  char dabFamily = 0;
  // A reply's measure must lie in '0'..'7'; a file's lies in '0'..`lastFileMeasure`, folded as
  // the CORVANE-3 folds it unless `measureFamily` is set.
  bool replyMeasureChecked = true;
  char lastFileMeasure = '7';
  int replyPlanMax = 31;
  int filePlanMax = 32;
  char guardIntMax = '3';
  // The reply's length; 0: at least 38 characters, a BER COFDM reply lacking the four-character
  // field after the setting.
  size_t replyLength = 0;
  // How far the fields stand behind the CORVANE-3's: from the number on (a longer command echo),
  // and from the setting's field on (a two-character setting).
  size_t prefixShift = 0;
  size_t settingShift = 0;
  // The sound is two hexadecimal digits ('0'..'9' for 0..9, 'A' and on for 10 and on).
  bool twoDigitSound = false;
  // Every BER measure's spectral inversion is '1' NO or '2' YES, BER COFDM's included, which the
  // reply carries last in the four-character field and the file in its column.
  bool specInvNoYes = false;
  // A memory number outside 1..99 names memory 1 (otherwise no memory).
  bool badNumberIsMemoryOne = false;
  // The DiSEqC setting ends the reply and is the file's 25th column.
  bool diseqC = false;
  // The file row: a label shorter than four characters padded with blanks in front (otherwise
  // kept short), a DIGITAL memory's colour always '3', a sound letter in either case.
  bool labelPadded = true;
  bool digitalColourForced = true;
  bool soundEitherCase = false;

  char Family(char meas) const { return measureFamily ? measureFamily(meas) : meas; }
  bool Dab(char family) const { return dabFamily && family == dabFamily; }
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
// The spectral inversion `value` of a BER measure of family `meas`, checked.
void ReadSpecInv(char meas, char value, MemoryRecord& record, MemErrors& errors, const RecordRules& rules);

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
