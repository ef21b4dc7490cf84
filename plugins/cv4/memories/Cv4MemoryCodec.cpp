#include "Cv4MemoryCodec.h"

#include "Cv3Equip.h"
#include "Format.h"
#include "MemoryEditor.h"
#include "Messages.h"
#include "MsgIds.h"
#include "Pll.h"

namespace cv::cv4 {

using namespace cv::mem;

namespace {

namespace m4 = cv::msg::cv4mem;

constexpr uint32_t kCnBandBit = 0x8000;
// The switches' case of the DAB family, apart from every character.
constexpr int kDabCase = 0x100;

bool Between(char c, char lo, char hi) { return c >= lo && c <= hi; }
bool SpecInvOk(char c) { return c == '1' || c == '2'; }

// Where a form's fields stand: `o` after the prefix, `p` after the sound field.
struct Layout {
  explicit Layout(Cv4MemoryCodec::Form form)
      : xsr(form == Cv4MemoryCodec::Form::XSR), o(xsr ? 1 : 0), p(xsr ? 2 : 0) {}
  bool xsr;
  size_t o, p;
};

// The XSR form's two sound digits: '0'..'9' are 0..9, 'A' and on 10 and on. A code the two
// digits cannot carry gives no digits, so that the record comes out short and is never sent.
std::string SoundDigits(char sound) {
  const auto c = static_cast<unsigned char>(sound);
  if (c >= '0' && c <= '9') return cv::Format("%02X", c - '0');
  if (c >= 'A') return cv::Format("%02X", c - 'A' + 10);
  return std::string(1, '\0');
}

const char* const kLegend[] = {
    "#Legend:\n",
    "#Band: %c T:TER %c S:SAT\n",
    "#Color: %c0:PAL%c1:SECAM%c2:NTSC%c3:DIGITAL\n",
    "#Std: %c0:BG %c 1:DK %c 2:I %c 3:L %c 4:M %c 5:N %c 6:DIGITAL %c 7:SAT\n",
    "#Carriers: %c 0:2K %c 4:8K\n",
    "#SpecInv : %c 1:NO %c 2:YES\n",
    "#Ch/Fr: %c 0:channel %c 1:frequency\n",
    "#Units: %c 0:dBuV %c 1:dBmV %c 2:dBm %c 3:dB\n",
    "#LNB supply:%c 0:EXT %c 1:13V %c 2:15V %c 3:18V %c 4:24V %c5:13+22KHz %c 6:15+22KHz %c 7:18+22KHz\n",
    "#Meas: %c 0:Level %c 1:V/A %c 2:Power %c 3:C/N Auto %c 4:BER QPSK %c5:BER QAM %c 6:BER COFDM %c 7:C/N Ref\n",
    "#Frame (only Cv7): %c 0:60Hz %c 1:50Hz\n",
    "#Sound: %c 0:AM %c 1:FM %c 2:Level %c 3:OFF %c 4:T.Narrow %c5:4.50 %c 6:5.50 %c 7:5.74 %c 8:6.00 %c "
    "9:6.50FM %c A:6.50AM %cB:5.80 %c C:6.65 %c D:Nicam %c E:7.02 %c F:T.Broad %cG:6.26FM %c H:6.80\n",
    "#CodeRateQPSK: %c 0:AUTO %c 1:1/2 %c 2:2/3 %c 3:3/4 %c 4:4/5 %c 5:5/6%c 6:6/7 %c 7:7/8 %c 8:8/9\n",
    "#ModulaTypeQAM: %c 0:QAM16 %c 1: QAM32 %c 2:QAM64 %c 3:QAM128%c 4:QAM256\n",
    "#GuardIntCOFDM: %c 0:1/32 %c 1:1/16 %c 2:1/8 %c 3:1/4 %c 4:AUTO\n",
    "#Fields marked with (*) can't never be empty.\n",
};

// A row's band and measure for a family that keeps every measure code as it is: no folding,
// the family of the measure checked against the band.
void ReadRowMeasureAsIs(const std::string& band, const std::string& meas, MemoryRecord& r, MemErrors& e,
                        const Cv4RecordRules& rules) {
  r.band = FirstOf(band);
  if (r.band != 'T' && r.band != 'S') e.set(ErrBand);
  r.meas = FirstOf(meas);
  if (!Between(r.meas, '0', rules.lastFileMeasure)) e.set(ErrMeasure);
  const char family = rules.Family(r.meas);
  if (family == '4' && r.band != 'S') e.set(ErrMustBeSat);
  if ((family == '5' || family == '6' || rules.Dab(family)) && r.band != 'T') e.set(ErrMustBeTer);
}

}  // namespace

const ErrorLineIds& Cv4MemoryCodec::LineIds() {
  static const ErrorLineIds ids = [] {
    ErrorLineIds t = Cv3ErrorLineIds();
    t[ErrSpecInvQpsk] = m4::LineSpecInv;
    t[ErrSpecInvQam] = 0;
    t[ErrFreqSat] = m4::LineFreqSat;
    t[ErrGuardInterval] = m4::LineGuardInterval;
    t[ErrSound] = m4::LineSound;
    return t;
  }();
  return ids;
}

MemoryRecord Cv4MemoryCodec::Cleared() const {
  MemoryRecord r;
  r.specInv = '1';
  r.diseqC = 'f';
  return r;
}

void Cv4MemoryCodec::ChooseForm(MemoryEquipment& equip) {
  float version = 0;
  if (!equip.ReadVersion(version)) version = 0;
  form = FormOfVersion(version);
}

bool Cv4MemoryCodec::BeginSendOne(MemoryEquipment& equip) { return CheckedSendOne(equip); }

std::string Cv4MemoryCodec::QueryCommand(int number) const {
  return cv::Format(form == Form::XSR ? "*?XSR%02X" : "*?SR%02X", number);
}

std::string Cv4MemoryCodec::Encode(MemoryRecord& record) const { return EncodeForm(form, record, rules); }

bool Cv4MemoryCodec::Sendable(const std::string& text, const MemoryRecord&) const {
  // A value that failed its check can widen its field as well as a NUL can cut one: either way
  // the instrument would read every later field from the wrong place.
  return text.size() == LengthOf(form);
}

int Cv4MemoryCodec::BadLengthMessage() const {
  return form == Form::XSR ? m4::BadXsrLength : cv::msg::mem::BadLength;
}

DecodedMemory Cv4MemoryCodec::Decode(const std::string& reply, MemoryRecord& record) const {
  return DecodeForm(form, reply, record, rules);
}

std::string Cv4MemoryCodec::EncodeForm(Form form, MemoryRecord& record, const Cv4RecordRules& rules) {
  const Layout at(form);
  // Every field choice is made on the measure's family; the measure goes out as it is.
  MemoryRecord r = record;
  r.meas = rules.Family(record.meas);
  const bool dab = at.xsr && rules.Dab(r.meas);
  std::string s = (at.xsr ? "*XSR" : "*SR") + EncodeRecordHead(r);
  const size_t units = s.size() - 4, meas = s.size() - 2;
  s[meas] = record.meas;
  if (dab) {
    s[units] = '0';
    // What the instrument holds in the sound and symbol-rate fields of a DAB memory.
    s += "120000";
  } else {
    const char setting = RecordSetting(r);
    if (!at.xsr)
      s += setting;
    else if (IsBerMeasure(r.meas))
      s += std::string("0") + setting;
    else
      s += SoundDigits(r.sound);
    s += r.meas == '6' ? std::string("000") + r.specInv : EncodeRecordField(r);
  }
  s += EncodeRecordTail(r);
  record.lnbOsc = r.lnbOsc;
  s += r.diseqC;
  return s.substr(0, s.find('\0'));
}

DecodedMemory Cv4MemoryCodec::DecodeForm(Form form, const std::string& t, MemoryRecord& r,
                                         const Cv4RecordRules& rules) {
  DecodedMemory d;
  if (t.size() != LengthOf(form)) return d;
  d.complete = true;
  const Layout at(form);
  const size_t o = at.o, p = at.p;
  MemErrors& e = d.errors;
  d.numberText = t.substr(3 + o, 2);
  const long number = HexAt(t, 3 + o, 2);
  const bool numberOk = number >= 1 && number <= kMemoryCount;
  if (!numberOk) e.set(ErrNumber);
  r.number = numberOk ? static_cast<int32_t>(number) : 1;
  d.index = r.number - 1;
  for (int i = 0; i < 4; ++i) r.label[i] = t[5 + o + i];
  r.label[4] = '\0';
  r.band = t[9 + o];
  if (r.band != 'T' && r.band != 'S') e.set(ErrBand);
  r.meas = t[22 + o];
  if (rules.replyMeasureChecked && !Between(r.meas, '0', '7')) e.set(ErrMeasure);
  // Every field choice below is made on the measure's family.
  const char meas = rules.Family(r.meas);
  const bool dab = rules.Dab(meas);
  const char c10 = t[10 + o];
  switch (dab ? kDabCase : static_cast<unsigned char>(meas)) {
    case kDabCase:
      r.std = '6';
      break;
    case '4':
    case '5':
      r.std = '6';
      r.specInv = c10;
      if (!SpecInvOk(r.specInv)) e.set(ErrSpecInvQpsk);
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
  const cv::PllBand& band = cv::PllBandOf(r.band, cv::kCorvane4Ranges);
  r.freq = ScaledWord(HexAt(t, 11 + o, 4), band.stepMHz, band.offsetMHz);
  if (!cv::PllInRange(r.band, r.freq, cv::kCorvane4Ranges)) e.set(sat ? ErrFreqSat : ErrFreqTer);
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
  const char setting = t[24 + p];  // SR 24, XSR 26
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
      if (!Between(r.guardInt, '0', '4')) e.set(ErrGuardInterval);
      break;
    default:
      if (!at.xsr) {
        r.sound = setting;
      } else {
        const long v = HexAt(t, 25, 2);
        if (v < 0)
          r.sound = t[25];
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
    r.specInv = t[28 + p];
    if (!SpecInvOk(r.specInv)) e.set(ErrSpecInvQpsk);
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
  if (meas == '7' && !InRangeF(r.cnRefFreq, 5, 2150)) e.set(ErrCnRef);
  r.diseqC = sat ? t[42 + p] : 'f';
  return d;
}

std::vector<std::string> Cv4MemoryCodec::ErrorLines(const MemErrors& errors, const MemoryRecord& record,
                                                    int index) const {
  return MemoryErrorLines(errors, record, index, LineIds());
}

bool Cv4MemoryCodec::FreqInRange(char band, float mhz) const {
  return cv::PllInRange(band, mhz, cv::kCorvane4Ranges);
}

float Cv4MemoryCodec::FallbackFreq(char band) const {
  return cv::PllBandOf(band, cv::kCorvane4Ranges).fallbackMHz;
}

// ---- the memory text file ----

std::string Cv4MemoryCodec::FileHeader(char list) const {
  return "#File generated by " + versionText + "\n" +
         ExpandLegend({std::begin(kLegend), std::end(kLegend)}, list) + FileColumnRows(kFileColumns, list);
}

std::string Cv4MemoryCodec::FormatFileRow(const MemoryRecord& record, char decimal, char list) const {
  MemoryRecord r = record;
  r.meas = rules.Family(record.meas);
  if (rules.Dab(r.meas)) {
    r.units = '0';
    r.sound = 0;  // a DAB row leaves the sound columns blank
  }
  std::string row = cv::mem::FormatFileRow(r, decimal, list, {kFileColumns, true});
  if (r.meas != record.meas) PutColumn(row, cMeas, std::string(1, record.meas));
  return row;
}

ParsedRow Cv4MemoryCodec::ParseFileRow(const std::vector<std::string>& fieldList, MemoryRecord& r) const {
  std::vector<std::string> f = fieldList;
  f.resize(kFileColumns);
  ParsedRow p;
  MemErrors& e = p.errors;
  p.numberText = f[cN];
  // A row without a memory number of 1..99 is taken as memory 1.
  const std::optional<int> n = ScanFieldInt(f[cN], 2);
  r.number = n && *n >= 1 && *n <= kMemoryCount ? *n : 1;
  p.numberOk = true;
  p.index = r.number - 1;
  const std::string label = f[cLabel].substr(0, 4);
  std::fill(std::begin(r.label), std::end(r.label), '\0');
  label.copy(r.label, 4);
  if (rules.measureFamily)
    ReadRowMeasureAsIs(f[cBand], f[cMeas], r, e, rules);
  else
    ReadRowBandAndMeasure(f[cBand], f[cMeas], r, e);
  // Every field choice below is made on the measure's family.
  const char meas = rules.Family(r.meas);
  const bool dab = rules.Dab(meas);
  const bool ber = IsBerMeasure(meas) || dab;
  if (dab) {
    r.std = '6';
    r.specInv = '0';
  } else if (ber) {
    r.std = '6';
    r.specInv = FirstOf(f[cSpecInv]);
    if (!SpecInvOk(r.specInv)) e.set(ErrSpecInvQpsk);
    if (meas == '6') {
      r.carriers = FirstOf(f[cCarriers]);
      if (r.carriers != '0' && r.carriers != '4') e.set(ErrCarriers);
    }
  } else {
    r.std = FirstOf(f[cStd]);
    if (!Between(r.std, '0', '7')) e.set(ErrStandard);
  }
  r.freq = FieldReal(f[cFreq]);
  if (!FreqInRange(r.band, r.freq)) e.set(r.band == 'S' ? ErrFreqSat : ErrFreqTer);
  r.chFr = FirstOf(f[cChFr]);
  if (r.chFr != '0' && r.chFr != '1') {
    r.chFr = '0';
    e.set(ErrTuningMode);
  }
  ReadRowPlan(f[cNPlan], rules.filePlanMax, r, e);
  r.codePlan = ScanFieldInt(f[cCodePlan], 2).value_or(0);
  if (ber) {
    r.units = '0';  // what the column and the wire hold for these; it is not read
  } else {
    r.units = FirstOf(f[cUnits]);
    if (!Between(r.units, '0', '3')) e.set(ErrUnits);
  }
  r.lnbSup = FirstOf(f[cLnbSup]);
  if (!Between(r.lnbSup, '0', '7')) e.set(ErrLnbSupply);
  r.color = FirstOf(f[cColor]);
  if (!Between(r.color, '0', '3')) e.set(ErrColour);
  switch (dab ? kDabCase : static_cast<unsigned char>(meas)) {
    case kDabCase:
      break;  // no sound
    case '4':
      r.codeRate = FirstOf(f[cCodeRate]);
      if (!Between(r.codeRate, '0', '8')) e.set(ErrCodeRate);
      break;
    case '5':
      r.modulation = FirstOf(f[cModulation]);
      if (!Between(r.modulation, '0', '4')) e.set(ErrModulation);
      break;
    case '6':
      r.guardInt = FirstOf(f[cGuardInt]);
      if (!Between(r.guardInt, '0', '4')) e.set(ErrGuardInterval);
      break;
    default: {
      char sound = FirstOf(f[cSound]);
      if (sound >= 'a' && sound <= 'z') sound = static_cast<char>(sound - 'a' + 'A');
      r.sound = sound;
      if (static_cast<unsigned char>(r.sound) < '0') e.set(ErrSound);
    }
  }
  // The values are read by the family too; a DAB memory's stale sound asks for no sound frequency.
  const MemoryRecord kept = r;
  r.meas = meas;
  if (dab) r.sound = 0;
  ParseRowValues(f, r, e);
  r.meas = kept.meas;
  r.sound = kept.sound;
  if (!f[cDiseqC].empty()) r.diseqC = f[cDiseqC][0];
  return p;
}

std::vector<std::string> Cv4MemoryCodec::FileLines(const std::string& content) const {
  return cv::mem::FileLines(content, 254);
}

bool Cv4MemoryCodec::SkippedFileLine(const std::string& line) const {
  // An empty line is a row (of memory 1): only comments and lines opening with CR are passed over.
  return !line.empty() && (line[0] == '#' || line[0] == '\r');
}

std::string Cv4MemoryCodec::RowText(const std::string& line) const { return cv::mem::RowText(line, kFileRowLength); }

int Cv4MemoryCodec::FileColumns() const { return kFileColumns; }

}  // namespace cv::cv4
