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

// The rules of a reply in `form`: the XSR's longer echo and its two sound digits.
cv::mem::RecordRules FormRules(Cv4MemoryCodec::Form form, const Cv4RecordRules& family) {
  cv::mem::RecordRules r = family;
  const bool xsr = form == Cv4MemoryCodec::Form::XSR;
  r.replyLength = Cv4MemoryCodec::LengthOf(form);
  r.prefixShift = xsr ? 1 : 0;
  r.settingShift = xsr ? 2 : 0;
  r.twoDigitSound = xsr;
  return r;
}

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
    ("#Sound: %c 0:AM %c 1:FM %c 2:Level %c 3:OFF %c 4:T.Narrow %c5:4.50 %c 6:5.50 %c 7:5.74 %c 8:6.00 %c "
     "9:6.50FM %c A:6.50AM %cB:5.80 %c C:6.65 %c D:Nicam %c E:7.02 %c F:T.Broad %cG:6.26FM %c H:6.80\n"),
    "#CodeRateQPSK: %c 0:AUTO %c 1:1/2 %c 2:2/3 %c 3:3/4 %c 4:4/5 %c 5:5/6%c 6:6/7 %c 7:7/8 %c 8:8/9\n",
    "#ModulaTypeQAM: %c 0:QAM16 %c 1: QAM32 %c 2:QAM64 %c 3:QAM128%c 4:QAM256\n",
    "#GuardIntCOFDM: %c 0:1/32 %c 1:1/16 %c 2:1/8 %c 3:1/4 %c 4:AUTO\n",
    "#Fields marked with (*) can't never be empty.\n",
};

}  // namespace

Cv4RecordRules::Cv4RecordRules() {
  ranges = &cv::kCorvane4Ranges;
  guardIntMax = '4';
  specInvNoYes = true;
  badNumberIsMemoryOne = true;
  diseqC = true;
  labelPadded = false;
  digitalColourForced = false;
  soundEitherCase = true;
}

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
  const bool xsr = form == Form::XSR;
  // Every field choice is made on the measure's family; the measure goes out as it is.
  MemoryRecord r = record;
  r.meas = rules.Family(record.meas);
  const bool dab = xsr && rules.Dab(r.meas);
  std::string s = (xsr ? "*XSR" : "*SR") + EncodeRecordHead(r);
  const size_t units = s.size() - 4, meas = s.size() - 2;
  s[meas] = record.meas;
  if (dab) {
    s[units] = '0';
    // What the instrument holds in the sound and symbol-rate fields of a DAB memory.
    s += "120000";
  } else {
    const char setting = RecordSetting(r);
    if (!xsr)
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

DecodedMemory Cv4MemoryCodec::DecodeForm(Form form, const std::string& reply, MemoryRecord& record,
                                         const Cv4RecordRules& rules) {
  return DecodeMemoryRecord(reply, record, FormRules(form, rules));
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

ParsedRow Cv4MemoryCodec::ParseFileRow(const std::vector<std::string>& fields, MemoryRecord& record) const {
  return cv::mem::ParseFileRow(fields, record, rules);
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
