#include "LoggerRecords.h"

#include <algorithm>
#include <cstring>

#include "Format.h"
#include "Messages.h"
#include "MsgIds.h"
#include "NumFormat.h"
#include "Pll.h"

namespace cv::logger {

namespace msg = cv::msg::logger;

namespace {

// Leading hexadecimal digits of a field, as the C library's reader takes them: the first
// character that is not a digit ends the number.
unsigned HexField(const std::string& text, size_t pos, size_t length) {
  unsigned value = 0;
  for (size_t i = pos; i < pos + length && i < text.size(); ++i) {
    const int d = cv::HexDigitValue(text[i]);
    if (d < 0) break;
    value = value * 16 + static_cast<unsigned>(d);
  }
  return value;
}

}  // namespace

const TLoggerFamily& Corvane3LoggerFamily() {
  static const TLoggerFamily family = [] {
    TLoggerFamily f;
    using V = ValueCoding;
    f.measures = {{"LEVEL", false, V::Tenths},    {"V/A", true, V::Tenths},       {"POWER", false, V::Tenths},
                  {"C/N auto", true, V::Tenths}, {"BER(QPSK)", true, V::Ber},    {"BER(QAM)", true, V::Ber},
                  {"BER(COFDM)", true, V::Ber},  {"C/N refer.", true, V::Tenths}};
    f.unitTexts = {"(dBuV)", "(dBmV)", "(dBm)", "(dBuV)"};
    return f;
  }();
  return family;
}

bool ParseMemoryReply(const std::string& reply, MemoryTable& memories, const LogFn& log,
                      const TLoggerFamily& family) {
  if (reply.size() < std::max(family.minMemoryReply, std::max(family.unitsAt, family.measureAt) + 1)) {
    log(cv::Msg(msg::DlShortSrAnswer));
    return false;
  }
  const unsigned number = HexField(reply, 3, 2);
  const bool numberOk = number >= 1 && number <= kItems;
  TLoggerMemory& m = memories[numberOk ? number - 1 : 0];
  m.number = static_cast<uint8_t>(number);
  std::memcpy(m.name, reply.data() + 5, 4);
  m.name[4] = '\0';
  m.band = reply[9];
  m.frequency = static_cast<float>(cv::PllFrequency(m.band, HexField(reply, 11, 4)));
  m.units = static_cast<uint8_t>(reply[family.unitsAt] - '0');
  m.measure = family.MeasureCode(reply[family.measureAt]);
  m.selected = false;
  if (family.IsBer(m.measure)) m.units = 5;
  if (!numberOk) {
    log(cv::Format(cv::Msg(msg::DlBadMemoryNumber), reply));
    return false;
  }
  return true;
}

bool ParseMemoryStatus(const std::string& reply, TLoggerMemory& memory) {
  if (reply.size() < 4) return false;
  memory.selected = reply[3] == '0';
  return true;
}

bool ParseTPStatus(const std::string& reply) { return reply.size() >= 4 && reply[3] == '0'; }

std::string ParseDataReply(const TLoggerMemory& memory, const std::string& reply, char decimal,
                           const TLoggerFamily& family) {
  if (reply.size() < 8) return {};
  const char flag = reply[3];
  const char sign = reply[4];
  const TMeasureType* type = family.Measure(memory.measure);
  const bool ber = type && type->coding == ValueCoding::Ber;
  std::string cell;
  if (flag == '=') {
    cell = "  ";
  } else if (flag == '<' || flag == '>') {
    cell = {flag, ' '};
  } else {
    return std::string(1, flag);
  }
  const double value = DataValue(memory, reply, family);
  std::string number;
  if (ber) {
    // The reply carries no level for a BER value: its sign character is shown as it comes.
    if (sign == '-' && family.berSignShown) cell[1] = '-';
    number = cv::PrintfSci(value, 3, 1, decimal);
  } else {
    if (sign == '-' && value >= 0) cell[1] = '-';
    number = cv::PrintfFixed(value, 5, 1, decimal);
  }
  cell += " " + number;
  if (cell.size() > static_cast<size_t>(kCellLength)) cell.resize(kCellLength);
  return cell;
}

double DataValue(const TLoggerMemory& memory, const std::string& reply, const TLoggerFamily& family) {
  const unsigned word = HexField(reply, 5, 3);
  const TMeasureType* type = family.Measure(memory.measure);
  if (!type) return TenthsInUnits(word, memory.units, false);
  switch (type->coding) {
    case ValueCoding::Ber:
      return cv::DecodeBerWord(word);
    case ValueCoding::Whole:
      return static_cast<float>(word);
    case ValueCoding::Tenths:
      break;
  }
  return TenthsInUnits(word, memory.units, type->relative);
}

float TenthsInUnits(unsigned tenths, int units, bool relative) {
  float value = static_cast<float>(tenths) * 0.1f;
  if (!relative) {
    if (units == 1) value -= 60.0f;
    if (units == 2) value -= 108.75f;
  }
  return value;
}

const char* BandName(char band) {
  if (band == 'S') return "SAT";
  if (band == 'T') return "TER";
  return "???";
}

const char* MeasureName(int measure, const TLoggerFamily& family) {
  const TMeasureType* type = family.Measure(measure);
  return type ? type->name : "???";
}

bool IsRatioMeasure(int measure, const TLoggerFamily& family) {
  const TMeasureType* type = family.Measure(measure);
  return type && type->relative;
}

const char* UnitName(int units, int measure, const TLoggerFamily& family) {
  if (units >= 0 && units <= 3) {
    if (IsRatioMeasure(measure, family)) return "(dB)";
    const TMeasureType* type = family.Measure(measure);
    return units == 0 && type && type->percent ? "(%)" : family.unitTexts[units];
  }
  if (units == 5) return "";
  return "(\?\?\?)";
}

void SplitTimeStamp(const std::string& stamp, std::string& time, std::string& day) {
  const size_t comma = stamp.find(',');
  time = stamp.substr(0, comma);
  day.clear();
  if (comma == std::string::npos) return;
  const size_t end = stamp.find(',', comma + 1);
  day = stamp.substr(comma + 1, end == std::string::npos ? std::string::npos : end - comma - 1);
}

std::string ObsRowText(const std::string& equipment, const std::string& comment, const TLoggerFamily& family) {
  if (family.commentLength > 0) return equipment + ". " + comment.substr(0, family.commentLength);
  std::string obs = equipment + ". " + comment;
  if (obs.size() > 255) obs.resize(255);
  return obs;
}

}  // namespace cv::logger
