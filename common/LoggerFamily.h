#pragma once
// What a meter family's data logger differs in: the "*?SR" record's length and the positions of
// its units and measurement characters, the measurement types (name, relative or not, how the
// value's three digits code it), the units texts, when time stamps are read, and the result
// sheet's identification query and printed header. Tables any family fills; the CORVANE-3's
// values are the default. No widget here, and nothing of the framework: a family's identification
// talks to its meter through LoggerMeter, which the framework's sheet provides over its equipment.
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

namespace cv::logger {

// The meter as the result sheet's identification talks to it: a command and a query, each with
// the line's handshake. False when the meter refused or did not answer.
class LoggerMeter {
 public:
  virtual ~LoggerMeter() = default;
  virtual bool SendCommand(const std::string& command) = 0;
  virtual bool Query(const std::string& query, std::string& reply) = 0;
};

enum class ValueCoding {
  Tenths,  // tenths of dBuV or dB; a level (a type that is not relative) in dBmV or dBm corrected
  Ber,     // 7-bit mantissa, 5-bit two's-complement exponent
  Whole,   // the field itself, never corrected
};

struct TMeasureType {
  const char* name;      // in the CSV file and on the sheet
  bool relative;         // a ratio: shown in dB whatever the units, and never corrected
  ValueCoding coding;
  bool percent = false;  // units code 0 reads as a percentage
};

struct TLoggerFamily {
  size_t minMemoryReply = 38;  // shorter "*?SR" replies are refused
  size_t unitsAt = 20;         // units code character
  size_t measureAt = 22;       // measurement type character
  std::vector<TMeasureType> measures;     // by code; a code past the end is "???"
  std::array<const char*, 4> unitTexts{};  // units codes 0 to 3 of a non-relative type
  // The measurement type characters in table order; null: the digits from '0'.
  const char* measureCodes = nullptr;
  // Time stamps ("*?TP") are read, and the CSV header carries "Time" and "Day", from this
  // firmware version on; 0: always, without asking the version.
  float timeStampVersion = 2.45f;

  // The result sheet: the equipment text of the label, and whether every page change asks again.
  std::function<std::string(LoggerMeter&)> identify;  // empty: the CORVANE-3's
  bool identifyOnEveryPage = false;
  // The printed header: the title in the title font (else the text font), and how much of the
  // comment the "OBS:" row keeps (0: the whole row cut at 255 characters).
  bool titleInTitleFont = false;
  size_t commentLength = 0;
  // A BER cell shows the '-' of the reply's sign character (else only a level cell does).
  bool berSignShown = true;

  const TMeasureType* Measure(int code) const {
    return code >= 0 && static_cast<size_t>(code) < measures.size() ? &measures[static_cast<size_t>(code)] : nullptr;
  }
  // The table index of a type character; one past every table for a character it lacks.
  uint8_t MeasureCode(char c) const {
    if (!measureCodes) return static_cast<uint8_t>(c - '0');
    const char* at = c ? std::strchr(measureCodes, c) : nullptr;
    return at ? static_cast<uint8_t>(at - measureCodes) : kUnknownMeasure;
  }
  static constexpr uint8_t kUnknownMeasure = 0xFF;
  bool IsBer(int code) const {
    const TMeasureType* m = Measure(code);
    return m && m->coding == ValueCoding::Ber;
  }
};

const TLoggerFamily& Corvane3LoggerFamily();

}  // namespace cv::logger
