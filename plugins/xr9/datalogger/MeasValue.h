#pragma once
// The text and the number of one data-logger measurement, and the conversion of levels between
// the test points' units. Numbers are written with '.', whatever the locale.
#include <cstdint>
#include <string>

#include "DataLogFile.h"

namespace cv::xr9 {

// Level units of a test point.
enum LevelUnits : uint8_t { UnitsNone = 0, UnitsDbuv = 1, UnitsDbmv = 2, UnitsDbm = 3 };

// The status character of the value's flag byte: ' ', '<', '>', '!' or '?'.
char MeasStatusChar(uint32_t raw);
// Converts `tenths` (tenths of a dB) from one level unit to another; units 0 are not converted.
void ConvertLevelUnits(int from, int to, int32_t& tenths);
// Writes the value's text; false for a value flagged invalid ("!!").
bool MeasValueText(const TDataLogMeas& meas, int targetUnits, std::string& text);
// Formats the cell's first measurement of `code` in dBuV; its index, or -1 with an empty text.
int MeasValueTextOfCode(const TDataLogCell& cell, int code, std::string& text);
// The value as integer tenths (levels in `targetUnits`) and its status character; false for an
// invalid value (number 0, status '!'). The error rates give only their status character.
bool MeasNumber(const TDataLogMeas& meas, int targetUnits, int32_t& number, char& status);

}  // namespace cv::xr9
