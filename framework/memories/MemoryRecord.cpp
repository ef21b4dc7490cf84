#include "MemoryRecord.h"

#include <cmath>
#include <cstdio>
#include <limits>
#include <utility>

#include "Format.h"
#include "Messages.h"
#include "MsgIds.h"
#include "Pll.h"

namespace cv::mem {

namespace {

namespace m = cv::msg::mem;

constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
constexpr uint32_t kSatCnWord = 1500;
constexpr uint32_t kTerCnWord = 655;
constexpr uint32_t kCnBandBit = 0x8000;

bool Between(char c, char lo, char hi) { return c >= lo && c <= hi; }

// The switches' case of the DAB family, apart from every character.
constexpr int kDabCase = 0x100;

}  // namespace

uint32_t CutWord(double value) {
  if (!(value > 0)) return 0;
  if (value >= 4294967295.0) return 0xFFFFFFFFu;
  return static_cast<uint32_t>(value);
}
uint32_t RoundWord(double value) { return CutWord(value + 0.5); }

std::string HexText(uint32_t value, int digits) {
  char text[16];
  std::snprintf(text, sizeof text, "%0*x", digits, value);
  return text;
}

namespace {
int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}
}  // namespace

long HexAt(const std::string& text, size_t at, size_t length) {
  if (text.size() < at + length) return -1;
  long value = 0;
  for (size_t i = at; i < at + length; ++i) {
    int d = HexDigit(text[i]);
    if (d < 0) return -1;
    value = value * 16 + d;
  }
  return value;
}

float ScaledWord(long word, double step, double offset) {
  return word < 0 ? kNaN : static_cast<float>(word * step - offset);
}

bool InRangeF(float value, double lo, double hi) {
  return value >= static_cast<float>(lo) && value <= static_cast<float>(hi);
}

std::string RealText(float value) { return cv::Format("%.15g", static_cast<double>(value)); }

size_t MemoryRecordLength(char meas) { return meas == '6' ? 38 : 42; }

bool MemoryRecordSendable(const std::string& text, char meas) {
  return text.size() == MemoryRecordLength(meas);
}

std::string EncodeRecordHead(const MemoryRecord& r) {
  const char meas = r.meas;
  std::string s = HexText(static_cast<uint32_t>(r.number), 2);
  s.append(r.label, 4);
  s += r.band;
  s += meas == '4' || meas == '5' ? r.specInv : meas == '6' ? r.carriers : r.std;
  s += HexText(cv::PllWord(r.band, r.freq), 4);
  s += r.chFr;
  s += HexText(static_cast<uint32_t>(r.nPlan), 2) + HexText(static_cast<uint32_t>(r.codePlan), 2);
  s += IsBerMeasure(meas) ? '0' : r.units;
  s += r.lnbSup;
  s += meas;
  s += r.color;
  return s;
}

char RecordSetting(const MemoryRecord& r) {
  return r.meas == '4' ? r.codeRate : r.meas == '5' ? r.modulation : r.meas == '6' ? r.guardInt : r.sound;
}

std::string EncodeRecordField(const MemoryRecord& r) {
  if (r.meas == '4' || r.meas == '5') return HexText(static_cast<uint32_t>(r.symRate), 4);
  if (r.meas != '6' && HasManualSound(r.sound)) {
    std::string digits = HexText(RoundWord((r.soundFreq + 10.7) * 100.0), 4);
    return "0" + digits.substr(digits.size() - 3);
  }
  return "0000";
}

std::string EncodeRecordTail(MemoryRecord& r) {
  std::string s = HexText(RoundWord(r.bw * 100.0), 4);
  if (r.lnbOsc == 0.0f) r.lnbOsc = 9750.0f;
  // Cut in single precision, where a typed tenth (9750.1) keeps its last digit.
  s += HexText(CutWord(static_cast<float>(r.lnbOsc * 10.0f)), 5);
  uint32_t cn;
  if (cv::IsSatelliteBand(r.band))
    cn = (r.meas == '7' ? cv::PllWord('S', r.cnRefFreq) : kSatCnWord) | kCnBandBit;
  else
    cn = r.meas == '7' ? cv::PllWord('T', r.cnRefFreq) : kTerCnWord;
  return s + HexText(cn, 4);
}

std::string EncodeMemoryRecord(MemoryRecord& r) {
  std::string s = "*SR" + EncodeRecordHead(r) + RecordSetting(r);
  // A BER COFDM record carries no symbol-rate field.
  if (r.meas != '6') s += EncodeRecordField(r);
  s += EncodeRecordTail(r);
  return s.substr(0, s.find('\0'));
}

bool RecordFreqOk(char band, float mhz, const RecordRules& rules) {
  if (rules.satelliteRefused && cv::IsSatelliteBand(band)) return false;
  return cv::PllInRange(band, mhz, *rules.ranges);
}

void ReadSpecInv(char meas, char value, MemoryRecord& r, MemErrors& e, const RecordRules& rules) {
  r.specInv = value;
  if (rules.specInvNoYes) {
    if (value != '1' && value != '2') e.set(ErrSpecInvQpsk);
  } else if (meas == '4') {
    if (!Between(value, '0', '2')) e.set(ErrSpecInvQpsk);
  } else if (!Between(value, '0', '1')) {
    e.set(ErrSpecInvQam);
  }
}

DecodedMemory DecodeMemoryRecord(const std::string& reply, MemoryRecord& r, const RecordRules& rules) {
  DecodedMemory d;
  if (rules.replyLength ? reply.size() != rules.replyLength : reply.size() < 38) return d;
  d.complete = true;
  std::string t = reply;
  // `o` after the command echo, `p` after the setting's field.
  const size_t o = rules.prefixShift, p = rules.settingShift;
  MemErrors& e = d.errors;
  d.numberText = t.substr(3 + o, 2);
  long number = HexAt(t, 3 + o, 2);
  d.index = number < 0 ? -1 : static_cast<int>(number) - 1;
  bool numberOk = d.index >= 0 && d.index < kMemoryCount;
  if (!numberOk) e.set(ErrNumber);
  r.number = numberOk ? d.index + 1 : 1;
  if (rules.badNumberIsMemoryOne) d.index = r.number - 1;
  for (int i = 0; i < 4; ++i) r.label[i] = t[5 + o + i];
  r.label[4] = '\0';
  r.band = t[9 + o];
  if (r.band != 'T' && r.band != 'S') e.set(ErrBand);
  r.meas = t[22 + o];
  if (rules.replyMeasureChecked && !Between(r.meas, '0', '7')) e.set(ErrMeasure);
  // Every field choice below is made on the measure's family.
  const char meas = rules.Family(r.meas);
  const bool dab = rules.Dab(meas);
  if (meas == '6' && !rules.specInvNoYes) t.insert(25, "0000");
  const char c10 = t[10 + o];
  switch (dab ? kDabCase : static_cast<unsigned char>(meas)) {
    case kDabCase:
      r.std = '6';
      break;
    case '4':
    case '5':
      r.std = '6';
      ReadSpecInv(meas, c10, r, e, rules);
      break;
    case '6':
      r.std = '6';
      r.carriers = c10;
      if (r.carriers != '0' && r.carriers != '4') e.set(ErrCarriers);
      break;
    default:
      r.std = c10;
      if (!Between(r.std, '0', '7')) e.set(ErrStandard);
  }
  const bool sat = cv::IsSatelliteBand(r.band);
  const cv::PllBand& band = cv::PllBandOf(r.band, *rules.ranges);
  r.freq = ScaledWord(HexAt(t, 11 + o, 4), band.stepMHz, band.offsetMHz);
  if (!RecordFreqOk(r.band, r.freq, rules)) e.set(sat ? ErrFreqSat : ErrFreqTer);
  r.chFr = t[15 + o];
  if (r.chFr != '0' && r.chFr != '1') e.set(ErrTuningMode);
  r.nPlan = static_cast<int32_t>(HexAt(t, 16 + o, 2));
  if (r.nPlan < 0 || r.nPlan > rules.replyPlanMax) e.set(ErrPlanNumber);
  r.codePlan = static_cast<int32_t>(HexAt(t, 18 + o, 2));
  r.units = t[20 + o];
  if (!Between(r.units, '0', '3')) e.set(ErrUnits);
  r.lnbSup = t[21 + o];
  if (!Between(r.lnbSup, '0', '7')) e.set(ErrLnbSupply);
  r.color = t[23 + o];
  if (!Between(r.color, '0', '3')) e.set(ErrColour);
  const char setting = t[24 + p];
  switch (dab ? kDabCase : static_cast<unsigned char>(meas)) {
    case kDabCase:
      r.guardInt = '0';
      break;
    case '4':
      r.codeRate = setting;
      if (!Between(r.codeRate, '0', '8')) e.set(ErrCodeRate);
      break;
    case '5':
      r.modulation = setting;
      if (!Between(r.modulation, '0', '4')) e.set(ErrModulation);
      break;
    case '6':
      r.guardInt = setting;
      if (!Between(r.guardInt, '0', rules.guardIntMax)) e.set(ErrGuardInterval);
      break;
    default:
      if (!rules.twoDigitSound) {
        r.sound = setting;
      } else {
        const long v = HexAt(t, 24 + o, 2);
        if (v < 0)
          r.sound = t[24 + o];
        else
          r.sound = static_cast<char>(v <= 9 ? '0' + v : 'A' + (v - 10));
        // Past 0xFF the code would wrap round to a digit or a letter that reads as valid.
        if (v < 0 || v > 0xFF - 'A' + 10) e.set(ErrSound);
      }
      if (static_cast<unsigned char>(r.sound) < '0') e.set(ErrSound);
  }
  if (dab) {
    r.specInv = '0';
  } else if (meas == '4' || meas == '5') {
    r.symRate = static_cast<int32_t>(HexAt(t, 25 + p, 4));
    if (r.symRate < 1000 || r.symRate > 45000) e.set(ErrSymbolRate);
  } else if (meas == '6') {
    if (rules.specInvNoYes) ReadSpecInv(meas, t[28 + p], r, e, rules);
  } else if (HasManualSound(r.sound)) {
    r.soundFreq = ScaledWord(HexAt(t, 25 + p, 4), 0.01, 10.7);
    if (!InRangeF(r.soundFreq, 4, 9)) e.set(ErrSoundFreq);
  }
  r.bw = ScaledWord(HexAt(t, 29 + p, 4), 0.01);
  if (!InRangeF(r.bw, 0.1, 81.91)) e.set(ErrBandwidth);
  r.lnbOsc = ScaledWord(HexAt(t, 33 + p, 5), 0.1);
  if (!InRangeF(r.lnbOsc, 0, 52428.7)) e.set(ErrLnbFreq);
  long cn = HexAt(t, 38 + p, 4);
  if (cn >= 0) cn &= kCnBandBit - 1;
  r.cnRefFreq = ScaledWord(cn, band.stepMHz, band.offsetMHz);
  // The default words of the other measures (1500, 655) lie outside the range: only a C/N
  // reference memory carries a frequency here.
  if (meas == '7' && !InRangeF(r.cnRefFreq, rules.cnRefMinMHz, rules.cnRefMaxMHz)) e.set(ErrCnRef);
  if (rules.diseqC) r.diseqC = sat ? t[42 + p] : 'f';
  return d;
}

const ErrorLineIds& Cv3ErrorLineIds() {
  static const ErrorLineIds ids = [] {
    ErrorLineIds t{};
    const std::pair<MemError, int> lines[] = {
        {ErrBand, m::LineBand},           {ErrMeasure, m::LineMeasure},
        {ErrSpecInvQpsk, m::LineSpecInvQpsk}, {ErrSpecInvQam, m::LineSpecInvQam},
        {ErrCarriers, m::LineCarriers},   {ErrStandard, m::LineStandard},
        {ErrFreqSat, m::LineFreqSat},     {ErrFreqTer, m::LineFreqTer},
        {ErrTuningMode, m::LineTuningMode}, {ErrPlanNumber, m::LinePlanNumber},
        {ErrPlanMissing, m::LinePlanMissing},
        {ErrUnits, m::LineUnits},         {ErrLnbSupply, m::LineLnbSupply},
        {ErrColour, m::LineColour},       {ErrCodeRate, m::LineCodeRate},
        {ErrModulation, m::LineModulation}, {ErrGuardInterval, m::LineGuardInterval},
        {ErrSound, m::LineSound},         {ErrSymbolRate, m::LineSymbolRate},
        {ErrSoundFreq, m::LineSoundFreq}, {ErrBandwidth, m::LineBandwidth},
        {ErrLnbFreq, m::LineLnbFreq},     {ErrCnRef, m::LineCnRef},
        {ErrMustBeTer, m::LineMustBeTer}, {ErrMustBeSat, m::LineMustBeSat},
        {ErrQpskReplaced, m::LineQpskReplaced}, {ErrQamReplaced, m::LineQamReplaced},
        {ErrCofdmReplaced, m::LineCofdmReplaced}};
    for (const auto& [kind, id] : lines) t[kind] = id;
    return t;
  }();
  return ids;
}

std::vector<std::string> MemoryErrorLines(const MemErrors& e, const MemoryRecord& r, int index,
                                          const ErrorLineIds& ids) {
  std::vector<std::string> lines{cv::Format(Msg(m::ErrorsInMemory), index + 1)};
  auto chr = [](char c) { return c ? std::string(1, c) : std::string(); };
  // The value each kind's line shows.
  auto value = [&](int kind) -> std::string {
    switch (kind) {
      case ErrBand: return chr(r.band);
      case ErrMeasure: return chr(r.meas);
      case ErrSpecInvQpsk: case ErrSpecInvQam: return chr(r.specInv);
      case ErrCarriers: return chr(r.carriers);
      case ErrStandard: return chr(r.std);
      case ErrFreqSat: case ErrFreqTer: return RealText(r.freq);
      case ErrTuningMode: return chr(r.chFr);
      case ErrPlanNumber: return std::to_string(r.nPlan);
      case ErrUnits: return chr(r.units);
      case ErrLnbSupply: return chr(r.lnbSup);
      case ErrColour: return chr(r.color);
      case ErrCodeRate: return chr(r.codeRate);
      case ErrModulation: return chr(r.modulation);
      case ErrGuardInterval: return chr(r.guardInt);
      case ErrSound: return chr(r.sound);
      case ErrSymbolRate: return std::to_string(r.symRate);
      case ErrSoundFreq: return RealText(r.soundFreq);
      case ErrBandwidth: return RealText(r.bw);
      case ErrLnbFreq: return RealText(r.lnbOsc);
      case ErrCnRef: return RealText(r.cnRefFreq);
      default: return {};
    }
  };
  for (int kind = 0; kind < kMemErrorKinds; ++kind)
    if (e.test(kind) && ids[kind]) lines.push_back(cv::Format(Msg(ids[kind]), value(kind)));
  return lines;
}

}  // namespace cv::mem
