#include "MeasValue.h"

#include "Format.h"
#include "Messages.h"
#include "MsgIds.h"

namespace cv::xr9 {

namespace m = cv::msg::xr9fmt;

namespace {

int32_t Signed16(uint32_t raw) { return int16_t(uint16_t(raw >> 8)); }

bool IsLevel(int code) { return code == MeasLevel || code == MeasPower || code == MeasRef; }
bool IsRatio(int code) {
  return code == MeasVA || code == MeasCnAuto || code == MeasMer || code == MeasNoiseMargin || code == MeasCnRef;
}
bool IsErrorRate(int code) { return code == MeasCber || code == MeasVber || code == MeasSer || code == MeasLber; }

// Tenths of a dB added to go from the row's units to the column's (dBuV, dBmV, dBm).
constexpr int32_t Conversion[3][3] = {
    {0, -600, -1088},
    {600, 0, -488},
    {1088, 488, 0},
};

}  // namespace

char MeasStatusChar(uint32_t raw) {
  switch (raw & 0xFF) {
    case 0x00: return ' ';
    case 0x40: return '<';
    case 0x80: return '>';
    case 0xC0: return '!';
    default: return '?';
  }
}

void ConvertLevelUnits(int from, int to, int32_t& tenths) {
  if (from < UnitsDbuv || from > UnitsDbm || to < UnitsDbuv || to > UnitsDbm) return;
  tenths += Conversion[from - 1][to - 1];
}

bool MeasValueText(const TDataLogMeas& meas, int targetUnits, std::string& text) {
  const char s = MeasStatusChar(meas.value);
  if (meas.code == MeasMpeg2) {
    text = Msg((meas.value & 1) ? m::MeasLocked : m::MeasNotLocked);
    return true;
  }
  if (!IsLevel(meas.code) && !IsRatio(meas.code) && !IsErrorRate(meas.code) && meas.code != MeasOffset) {
    text = Msg(m::MeasNameUnknown);
    return true;
  }
  if (s == '!') {
    text = "!!";
    return false;
  }
  if (IsErrorRate(meas.code)) {
    text = Format("%c%.1fE%d", s, ((meas.value >> 8) & 0xFF) * 0.1, int(int8_t(uint8_t(meas.value >> 16))));
  } else if (meas.code == MeasOffset) {
    text = Format("%d", (meas.value >> 8) & 0xFFFF);
  } else {
    int32_t n = Signed16(meas.value);
    if (IsLevel(meas.code) && meas.levelUnits != targetUnits) ConvertLevelUnits(meas.levelUnits, targetUnits, n);
    text = Format("%c%.1f", s, n * 0.1);
  }
  return true;
}

int MeasValueTextOfCode(const TDataLogCell& cell, int code, std::string& text) {
  text.clear();
  for (int i = 0; i < cell.count; ++i) {
    if (cell.meas[i].code == code) {
      MeasValueText(cell.meas[i], UnitsDbuv, text);
      return i;
    }
  }
  return -1;
}

bool MeasNumber(const TDataLogMeas& meas, int targetUnits, int32_t& number, char& status) {
  number = 0;
  status = MeasStatusChar(meas.value);
  if (status == '!' || meas.code == MeasMpeg2 || meas.code > MeasLber) {
    status = '!';
    return false;
  }
  if (IsErrorRate(meas.code)) return true;
  if (meas.code == MeasOffset) {
    number = int32_t((meas.value >> 8) & 0xFFFF);
    return true;
  }
  number = Signed16(meas.value);
  if (IsLevel(meas.code) && meas.levelUnits != targetUnits) ConvertLevelUnits(meas.levelUnits, targetUnits, number);
  return true;
}

}  // namespace cv::xr9
