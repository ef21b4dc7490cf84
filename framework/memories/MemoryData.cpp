#include "MemoryData.h"

#include <cctype>
#include <charconv>
#include <cmath>
#include <cstring>

#include "Format.h"
#include "Messages.h"
#include "MemoryTables.h"
#include "MsgIds.h"
#include "Pll.h"
#include "Prompt.h"

namespace cv::mem {

namespace {

namespace d = cv::msg::memdata;

constexpr float kTerFreq = 450.0f;
constexpr float kSatFreq = 1500.0f;
// Where a memory moved to a DAB measure is tuned.
constexpr float kDabFreq = 222.05f;
constexpr float kDefaultLnb = 9750.0f;

bool IsOneOf(char c, const char* set) { return c && std::strchr(set, c) != nullptr; }

std::vector<std::string> Texts(const std::vector<CodeText>& table) {
  std::vector<std::string> texts;
  for (const CodeText& e : table) texts.push_back(e.text);
  return texts;
}

// Selects the entry of `code` in `table`; nothing when the code is not there.
void Select(ComboState& combo, const std::vector<CodeText>& table, char code) {
  int i = IndexOfCode(table, code);
  if (i >= 0) combo.index = i;
}

std::string ToDots(std::string text) {
  for (char& c : text)
    if (c == ',') c = '.';
  return text;
}

}  // namespace

FieldGroupTable Cv3FieldGroups() {
  using S = GroupSwitch;
  FieldGroupTable t{};
  auto row = [&](GroupControl c, std::array<S, kFieldGroups> groups) { t[static_cast<size_t>(c)] = groups; };
  //                               0       1          2       3       4
  row(GroupControl::Sound,      {S::On,  S::Off,    S::On,  S::Off, S::Off});
  row(GroupControl::SymRate,    {S::Off, S::ForQam, S::Off, S::On,  S::Off});
  row(GroupControl::CodeRate,   {S::Off, S::Off,    S::Off, S::On,  S::Off});
  row(GroupControl::Modulation, {S::Off, S::ForQam, S::Off, S::Off, S::Off});
  row(GroupControl::SpecInv,    {S::Off, S::ForQam, S::Off, S::On,  S::Off});
  row(GroupControl::Carriers,   {S::Off, S::ForCofdm, S::Off, S::Off, S::Off});
  row(GroupControl::LnbOsc,     {S::Off, S::Off,    S::On,  S::On,  S::ForSatellite});
  row(GroupControl::Units,      {S::On,  S::Off,    S::On,  S::Off, S::On});
  return t;
}

const MemoryDataFamily& Cv3MemoryData() {
  static const MemoryDataFamily family;
  return family;
}

bool MemoryData::FreqValid(double f) const {
  return (f >= family.rules.terrestrialStartMHz && f <= 862.0) ||
         (family.rules.satelliteBand && f >= family.rules.satelliteStartMHz && f <= 2150.0);
}

bool LeadingNumber(const std::string& text, double& value) {
  size_t i = 0, n = text.size();
  while (i < n && std::isspace(static_cast<unsigned char>(text[i]))) ++i;
  std::string s;
  if (i < n && (text[i] == '+' || text[i] == '-')) s += text[i++];
  size_t digits = 0;
  while (i < n && std::isdigit(static_cast<unsigned char>(text[i]))) s += text[i++], ++digits;
  if (i < n && text[i] == '.') {
    s += text[i++];
    while (i < n && std::isdigit(static_cast<unsigned char>(text[i]))) s += text[i++], ++digits;
  }
  if (!digits) return false;
  if (i < n && (text[i] == 'e' || text[i] == 'E')) {
    size_t j = i + 1;
    std::string e = "e";
    if (j < n && (text[j] == '+' || text[j] == '-')) e += text[j++];
    size_t ed = 0;
    while (j < n && std::isdigit(static_cast<unsigned char>(text[j])) && ed < 6) e += text[j++], ++ed;
    if (ed) s += e;
  }
  // Only a sign, digits, one point and an exponent remain: read them without the locale.
  const char* first = s.data() + (!s.empty() && s[0] == '+' ? 1 : 0);
  auto result = std::from_chars(first, s.data() + s.size(), value);
  if (result.ec != std::errc()) return false;
  return std::isfinite(value);
}

MemoryData::MemoryData(MemoryEquipment& e, cv::Prompter& p, MemoryDataView& v, const MemoryDataFamily& f)
    : equip(e), prompter(p), view(v), family(f) {
  form.modifyCaption = Msg(d::ModifyChannel);
  if (!family.rules.satelliteAndBerLists) form.lnbSup.enabled = false;
}

// ---- The working record ----

void MemoryData::ClearMemory() {
  w = WorkingRecord{};
  w.manualSound = true;
}

std::string MemoryData::WordText(char band, float freq) const {
  return cv::Format("%04X", cv::PllWord(band, freq) & 0xFFFF);
}

std::string MemoryData::Fixed(double value, int precision) const {
  return cv::PrintfFixed(value, 4, precision, equip.DecimalSeparator());
}

bool MemoryData::LoadRecord(const MemoryRecord& in) {
  ClearMemory();
  MemErrors e;
  MemoryRecord& r = w.r;
  r.number = in.number;
  w.numberText = cv::Format("%02d", r.number);
  if (r.number < 1 || r.number > kMemoryCount) e.set(ErrNumber);
  std::copy(std::begin(in.label), std::end(in.label), std::begin(r.label));
  r.label[4] = 0;
  r.band = in.band;
  r.freq = in.freq;
  const bool sat = r.band == 'S';
  if (sat && !family.rules.satelliteBand)
    e.set(ErrFreqSat);
  else if (sat ? InRangeF(r.freq, family.rules.satelliteStartMHz, 2150)
               : InRangeF(r.freq, family.rules.terrestrialStartMHz, 862))
    w.wordText = cv::Format("%04x", cv::PllWord(r.band, r.freq) & 0xFFFF);
  else
    e.set(sat ? ErrFreqSat : ErrFreqTer);
  r.chFr = in.chFr;
  r.nPlan = in.nPlan;
  if (r.nPlan >= 0 && r.nPlan <= family.rules.planMax)
    w.planText = cv::Format("%02d", r.nPlan);
  else
    e.set(ErrPlanNumber);
  r.codePlan = in.codePlan;
  w.codeText = cv::Format("%02d", r.codePlan);
  r.meas = in.meas;
  const char kind = Kind(r.meas);
  r.units = IsBerMeasure(kind) ? 0 : in.units;
  r.lnbSup = in.lnbSup;
  r.specInv = in.specInv;
  r.carriers = in.carriers;
  r.codeRate = in.codeRate;
  r.guardInt = in.guardInt;
  r.modulation = in.modulation;
  r.color = in.color;
  r.std = in.std;
  r.symRate = in.symRate;
  w.symRateText = cv::Format("%04x", r.symRate);
  if ((kind == '4' || kind == '5') && (r.symRate < 1000 || r.symRate > 45000)) e.set(ErrSymbolRate);
  r.sound = in.sound;
  w.manualSound = HasManualSound(r.sound);
  r.soundFreq = in.soundFreq;
  w.soundSubText = cv::Format("%03x", RoundWord((r.soundFreq + 10.7) * 100));
  if (w.manualSound && !InRangeF(r.soundFreq, 4, 9)) e.set(ErrSoundFreq);
  r.bw = in.bw;
  // A record from the meter or a file may hold any number here: the texts take it cut into a word.
  w.bwText = cv::Format("%04x", CutWord(r.bw * 100));
  if (!InRangeF(r.bw, 0.1, 81.91)) e.set(ErrBandwidth);
  r.lnbOsc = in.lnbOsc;
  if (sat) w.lnbText = cv::Format("%05x", CutWord(r.lnbOsc * 10));
  if (!InRangeF(r.lnbOsc, 0, 52428.7)) e.set(ErrLnbFreq);
  r.cnRefFreq = in.cnRefFreq;
  if (kind == '7') {
    if (!InRangeF(r.cnRefFreq, family.rules.terrestrialStartMHz, family.rules.satelliteBand ? 2150 : 862))
      e.set(ErrCnRef);
    w.cnRefText = cv::Format("%04x", cv::PllWord(r.band, r.cnRefFreq) & 0xFFFF);
  }
  r.diseqC = in.diseqC;
  if (e.none()) return true;
  for (const std::string& line : LoadErrorLines(e)) equip.Log(line);
  return false;
}

std::vector<std::string> MemoryData::LoadErrorLines(const MemErrors& e) const {
  const MemoryRecord& r = w.r;
  std::vector<std::string> lines{cv::Format(Msg(d::ErrorsInMemory), r.number)};
  auto add = [&](MemError kind, int id, const std::string& value) {
    if (e.test(kind)) lines.push_back(cv::Format(Msg(id), value));
  };
  add(ErrNumber, d::LineNumber, std::to_string(r.number));
  add(ErrFreqSat, family.rules.satFreqLineId, RealText(r.freq));
  add(ErrFreqTer, family.rules.terFreqLineId, RealText(r.freq));
  add(ErrPlanNumber, family.rules.planLineId, std::to_string(r.nPlan));
  add(ErrSymbolRate, d::LineSymbolRate, std::to_string(r.symRate));
  add(ErrSoundFreq, d::LineSoundFreq, RealText(r.soundFreq));
  add(ErrBandwidth, d::LineBandwidth, RealText(r.bw));
  add(ErrLnbFreq, d::LineLnbFreq, RealText(r.lnbOsc));
  add(ErrCnRef, family.rules.cnRefLineId, RealText(r.cnRefFreq));
  return lines;
}

void MemoryData::StoreRecord(MemoryRecord& record) const {
  const char frame = record.frame;
  record = w.r;
  record.frame = frame;
  // Units left empty (a BER measure, or a band change away from one) go back as '0': a record
  // with an empty field could be neither sent nor saved whole.
  if (!record.units) record.units = '0';
}

bool MemoryData::OpenRecord(const MemoryRecord& record) {
  if (!LoadRecord(record)) {
    cv::ShowBox(prompter, Msg(d::InvalidData), Msg(d::CaptionError), cv::MsgIcon::Warning);
    return false;
  }
  form.caption = cv::Format(Msg(d::DataCaption), w.r.number);
  layoutMode = -1;
  ArrangeControls();
  ValidateMemoryData();
  return true;
}

// ---- Rule helpers ----

void MemoryData::ToBand(char band) {
  if (w.r.band == band) return;
  w.r.band = band;
  w.r.freq = band == 'S' ? kSatFreq : kTerFreq;
  w.wordText = WordText(band, w.r.freq);
}

void MemoryData::SetStandard(const char* code) {
  w.r.color = code[0];
  w.r.std = code[1];
}

void MemoryData::SetSound(char sound) {
  w.r.sound = sound;
  w.manualSound = HasManualSound(sound) || (family.rules.manualSoundKept && w.manualSound);
}

// ---- Combos ----

bool MemoryData::KindIn(char meas, const char* kinds) const {
  if (IsOneOf(Kind(meas), kinds)) return true;
  return Dab(meas) && std::strchr(kinds, '5') && std::strchr(kinds, '6');
}

bool MemoryData::ApplyLevel(int index) {
  MemoryRecord& r = w.r;
  const std::vector<CodeText> table = family.measureTable();
  const char meas = index < 0 || index >= static_cast<int>(table.size()) ? '0' : table[index].code;
  if (meas == r.meas) return false;
  r.meas = meas;
  const bool digital = Digital();
  const MemoryDataRules& rules = family.rules;
  if (Dab(meas)) {
    if (r.std != '6') SetStandard("36");
    if (r.band != 'T') {
      r.band = 'T';
      r.freq = kDabFreq;
      w.wordText = WordText('T', r.freq);
    }
    r.guardInt = r.carriers = r.units = r.codeRate = r.modulation = r.specInv = 0;
    SetSound('3');
    r.symRate = 0;
    r.lnbOsc = 0;
    return true;
  }
  switch (Kind(meas)) {
    case '0':
      if (digital) {
        SetStandard(r.band == 'S' ? "07" : "00");
        SetSound(r.band == 'S' ? 'E' : '6');
      }
      r.units = '0';
      break;
    case '1':
      if (r.band == 'S' || digital) {
        SetStandard("00");
        SetSound('6');
      }
      ToBand('T');
      r.units = '0';
      break;
    case '2':
      if (!digital) SetStandard("36");
      SetSound('3');
      r.units = '0';
      break;
    case '4':
      if (!digital) SetStandard("36");
      ToBand('S');
      SetSound('3');
      r.units = 0;
      r.codeRate = '0';
      r.specInv = rules.qpskSpecInv;
      r.modulation = 0;
      r.symRate = 27500;
      r.carriers = 0;
      r.guardInt = 0;
      if (r.lnbOsc == 0) r.lnbOsc = kDefaultLnb;
      break;
    case '5':
      if (!digital) SetStandard("36");
      ToBand('T');
      SetSound('3');
      r.units = 0;
      r.modulation = rules.qamModulation;
      r.specInv = rules.qamSpecInv;
      r.codeRate = 0;
      r.symRate = 6875;
      r.carriers = 0;
      r.guardInt = 0;
      r.lnbOsc = 0;
      break;
    case '6':
      if (!digital) SetStandard("36");
      ToBand('T');
      SetSound('3');
      r.units = 0;
      r.carriers = '4';
      r.guardInt = '0';
      r.codeRate = 0;
      r.specInv = rules.cofdmSpecInv;
      r.modulation = 0;
      r.symRate = 0;
      r.lnbOsc = 0;
      break;
    default:  // C/N Auto, C/N Ref
      r.units = '0';
  }
  return true;
}

bool MemoryData::ApplyBand(int index) {
  const auto table = family.bandTable();
  if (index < 0 || index >= static_cast<int>(table.size())) return false;
  MemoryRecord& r = w.r;
  const char band = table[index].text[0];
  if (band == r.band) return false;
  r.band = band;
  if (band == 'T') {
    r.freq = kTerFreq;
    w.wordText = WordText(band, r.freq);
    if (r.std == '7') {
      SetStandard("00");
      SetSound('6');
    }
    if (Kind(r.meas) == '4') {
      r.meas = '0';
      r.units = '0';
    }
  } else {
    r.freq = kSatFreq;
    w.wordText = WordText(band, r.freq);
    if (Digital()) {
      SetSound('3');
    } else {
      SetStandard("07");
      SetSound('E');
    }
    if (KindIn(r.meas, "156")) r.meas = '0';
    r.lnbOsc = kDefaultLnb;
  }
  return true;
}

bool MemoryData::ApplySound(int index) {
  MemoryRecord& r = w.r;
  const std::vector<CodeText> table = family.soundTable();
  const char sound = index >= 0 && index < static_cast<int>(table.size()) ? table[index].code : '0';
  if (sound == r.sound) return false;
  SetSound(sound);
  r.soundFreq = 0;
  switch (IsOneOf(sound, family.rules.soundsAsSatelliteCarriers) ? 'E' : sound) {
    case '0':
    case '1':
      ToBand('T');
      if (IsOneOf(r.std, "67")) SetStandard("00");
      break;
    case '2':
    case '3':
      break;
    case '4':
    case 'F':
      if (IsOneOf(r.std, "63")) SetStandard("00");
      r.soundFreq = 5.5f;
      break;
    case '5':
      ToBand('T');
      if (!IsOneOf(r.std, "45")) SetStandard("04");
      break;
    case '6':
    case '7':
      ToBand('T');
      SetStandard("00");
      break;
    case 'G':
      ToBand('T');
      SetStandard("01");
      break;
    case '8':
      ToBand('T');
      SetStandard("02");
      break;
    case '9':
      if (r.band == 'S') {
        SetStandard("07");
        if (Kind(r.meas) == '1') r.meas = '0';
      } else {
        SetStandard("01");
      }
      break;
    case 'A':
      ToBand('T');
      SetStandard("13");
      break;
    case 'B':
    case 'C':
    case 'E':
    case 'H':
      ToBand('S');
      if (r.std != '7') SetStandard("07");
      if (KindIn(r.meas, "156")) r.meas = '0';
      break;
    default:  // NICAM
      ToBand('T');
      if (!IsOneOf(r.std, "023")) SetStandard("00");
  }
  return true;
}

bool MemoryData::ApplyStandard(int index) {
  MemoryRecord& r = w.r;
  const std::vector<StandardEntry> standards = family.standardTable();
  const std::string code = index >= 0 && index < static_cast<int>(standards.size())
                               ? std::string{standards[index].color, standards[index].std}
                               : std::string("00");
  if (code[0] == r.color && code[1] == r.std) return false;
  SetStandard(code.c_str());
  auto asForBG = [&] {
    if (KindIn(r.meas, "2456")) r.meas = '0';
    if (!r.units) r.units = '0';
  };
  // Every terrestrial standard gives the family's own satellite carriers way to its carrier.
  auto terrestrial = [&](const char* from, char to) {
    ToBand('T');
    if (IsOneOf(r.sound, from) || IsOneOf(r.sound, family.rules.soundsAsSatelliteCarriers)) SetSound(to);
    asForBG();
  };
  switch (code[1]) {
    case '0': terrestrial("589ABCE", '6'); break;
    case '1': terrestrial(family.rules.soundsReplacedByDK, '9'); break;
    case '2': terrestrial(family.rules.soundsReplacedByI, '8'); break;
    case '3': terrestrial(family.rules.soundsReplacedByL, 'A'); break;
    case '4':
    case '5': terrestrial("689ABCDE", '5'); break;
    case '6':
      if (!IsOneOf(r.sound, "23")) SetSound('3');
      if (IsOneOf(Kind(r.meas), "01")) r.meas = '2';
      if (KindIn(r.meas, "456")) r.units = 0;
      break;
    default:  // SAT
      if (r.band != 'S') {
        ToBand('S');
        SetSound('E');
        if (KindIn(r.meas, "156")) r.meas = '0';
      }
      asForBG();
  }
  return true;
}

bool MemoryData::ApplyCarriers(int index) {
  const char code = index == 0 ? '0' : '4';
  if (code == w.r.carriers) return false;
  w.r.carriers = code;
  return true;
}

bool MemoryData::ApplySpInv(int index) {
  const std::vector<CodeText> table = family.specInvTable(w.r.band);
  if (table.empty()) return false;
  const char code = index >= 0 && index < static_cast<int>(table.size()) ? table[index].code : table[0].code;
  if (code == w.r.specInv) return false;
  w.r.specInv = code;
  return true;
}

bool MemoryData::ApplyUnits(int index) {
  const std::vector<CodeText> table = family.unitsTable();
  if (table.empty()) return false;
  const char code = index >= 0 && index < static_cast<int>(table.size()) ? table[index].code : table[0].code;
  if (code == w.r.units) return false;
  w.r.units = code;
  return true;
}

bool MemoryData::ApplyCode(char& field, int index) {
  const char code = static_cast<char>('0' + (index < 0 ? 0 : index));
  if (code == field) return false;
  field = code;
  return true;
}

// ---- Typed edits ----

void MemoryData::Exit(EditState& edit, const std::string& text, Apply apply) {
  // Leaving an edit whose text is what the dialog showed changes nothing: reading the shown
  // text back would lose what its format rounded off.
  if (text == edit.text) return;
  edit.text = text;
  Changed((this->*apply)(text));
}

void MemoryData::Refuse(DataEdit which, EditState& edit) {
  edit.text.clear();
  view.FocusEdit(which);
  prompter.Beep();
}

bool MemoryData::TypedReal(DataEdit which, EditState& edit, const std::string& text, bool commas, float& field,
                           const std::function<bool(double)>& valid) {
  if (text.empty()) return false;
  double value = 0;
  if (!LeadingNumber(commas ? ToDots(text) : text, value) || !valid(value)) {
    Refuse(which, edit);
    return false;
  }
  const float old = field;
  field = static_cast<float>(value);
  return field != old;
}

bool MemoryData::ApplyFreq(const std::string& text) {
  if (text.empty()) return false;
  MemoryRecord& r = w.r;
  double f = 0;
  if (!LeadingNumber(ToDots(text), f) || !FreqValid(f)) {
    form.freq.text = Fixed(r.freq, 2);
    prompter.Beep();
    return false;
  }
  const MemoryRecord before = r;
  const std::string beforeWord = w.wordText;
  if (f > 862.0) {
    r.band = 'S';
    if (Digital()) {
      SetSound('3');
    } else if (!w.manualSound) {
      SetStandard("07");
      SetSound('E');
    }
    if (KindIn(r.meas, "156")) r.meas = '0';
    if (r.lnbOsc == 0) r.lnbOsc = kDefaultLnb;
  } else {
    r.band = 'T';
    if (r.std == '7') {
      SetStandard("00");
      SetSound('6');
    }
    if (Kind(r.meas) == '4') {
      r.meas = '0';
      r.units = '0';
    }
  }
  r.freq = static_cast<float>(f);
  w.wordText = WordText(r.band, r.freq);
  return !(r == before) || w.wordText != beforeWord;
}

bool MemoryData::ApplyChBW(const std::string& text) {
  return TypedReal(DataEdit::BW, form.bw, text, true, w.r.bw, [](double v) { return v >= 0.1 && v <= 81.91; });
}

bool MemoryData::ApplyFreqSo(const std::string& text) {
  return TypedReal(DataEdit::SoundSub, form.soundSub, text, true, w.r.soundFreq,
                   [](double v) { return v >= 4.0 && v <= 9.0; });
}

bool MemoryData::ApplyLNBOsc(const std::string& text) {
  return TypedReal(DataEdit::LNBOsc, form.lnbOsc, text, false, w.r.lnbOsc,
                   [](double v) { return v >= 0 && v <= 52428.7; });
}

bool MemoryData::ApplyNoise(const std::string& text) {
  return TypedReal(DataEdit::Noise, form.noise, text, true, w.r.cnRefFreq, [this](double v) { return FreqValid(v); });
}

bool MemoryData::ApplySymRate(const std::string& text) {
  if (text.empty()) return false;
  double value = 0;
  // A whole number as typed: what follows the digits ("27500,5") is not read.
  std::string digits = text;
  size_t cut = digits.find_first_of(".eE");
  if (cut != std::string::npos) digits.resize(cut);
  if (!LeadingNumber(digits, value) || value < 1000 || value > 45000) {
    Refuse(DataEdit::SymRate, form.symRate);
    return false;
  }
  const int32_t rate = static_cast<int32_t>(value);
  if (rate == w.r.symRate) return false;
  w.r.symRate = rate;
  return true;
}

bool MemoryData::ApplyName(const std::string& text) {
  if (text.empty()) return false;
  std::string name = text.size() < 4 ? std::string(4 - text.size(), ' ') + text : text.substr(0, 4);
  if (name == std::string(w.r.label)) return false;
  std::copy(name.begin(), name.end(), w.r.label);
  w.r.label[4] = 0;
  return true;
}

// ---- Tuning ----

void MemoryData::SetFreqMode() {
  w.r.chFr = '1';
  form.freq.enabled = true;
  form.channel.enabled = false;
}

void MemoryData::SetChannelMode() {
  w.r.chFr = '0';
  form.channel.enabled = true;
  form.freq.enabled = false;
}

void MemoryData::FreqRadioButtonClick() {
  form.freqRadio = true;
  form.channelRadio = false;
  SetFreqMode();
  if (!busy) ShowFreq();
}

void MemoryData::ChannelRadioButtonClick() {
  form.channelRadio = true;
  form.freqRadio = false;
  SetChannelMode();
  if (!busy) ShowTuning();
}

bool MemoryData::FindChannel() {
  auto upper = [](std::string s) {
    for (char& c : s) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return s;
  };
  const std::string word = upper(w.wordText);
  for (int c = 0; c < plan.channelCount; ++c) {
    if (!equip.ReadChannelInfo(c, w.r.nPlan, chan, plan.band)) return false;
    if (upper(chan.wordText) == word) return true;
  }
  return false;
}

bool MemoryData::ShowTuning() {
  bool channelMode = false;
  if (w.r.chFr == '1') {
    form.channel.text.clear();
  } else if (!equip.HasPort()) {
    channelMode = true;
  } else if (!equip.CheckVersion()) {
    equip.Log(Msg(d::ChannelsNoEquip));
  } else if (equip.ReadPlanInfo(w.r.nPlan, plan) && FindChannel()) {
    form.channel.text = chan.name;
    channelMode = true;
  }
  form.channelRadio = channelMode;
  form.freqRadio = !channelMode;
  if (channelMode) {
    SetChannelMode();
  } else {
    SetFreqMode();
    ShowFreq();
  }
  return true;
}

void MemoryData::ModifyChannelBtnClick() {
  form.modifyEnabled = false;
  view.Render();
  if (equip.HasPort()) {
    if (!equip.CheckVersion()) {
      equip.Log(Msg(d::EquipNotDetected));
    } else {
      pickedPlan = PlanInfo{};
      pickedChannel = TChan3{};
      form.modifyCaption = Msg(d::Loading);
      view.Render();
      // A terrestrial-only meter cannot tune a satellite plan's channel.
      if (view.RunChannelPicker() && (family.rules.satelliteBand || pickedPlan.band == 'T')) {
        CopyPlanInfo(plan, pickedPlan);
        CopyChannel(chan, pickedChannel);
        ApplyChannel();
      }
      form.modifyCaption = Msg(d::ModifyChannel);
    }
  }
  form.modifyEnabled = true;
}

void MemoryData::ApplyChannel() {
  MemoryRecord& r = w.r;
  form.channel.text = chan.name;
  form.channelRadio = true;
  form.freqRadio = false;
  SetChannelMode();
  r.lnbOsc = plan.lnbMHz;
  r.codePlan = static_cast<int32_t>(ParseHex(plan.codeText, 2));
  r.nPlan = pickedPlanNumber;
  w.planText = cv::Format("%02X", r.nPlan);
  w.lnbText = plan.lnbText;
  if (!family.rules.satelliteBand && !FreqValid(chan.frequency)) {
    // A channel the meter cannot tune: the memory stays tuned by its own frequency.
    form.channel.text.clear();
    form.channelRadio = false;
    form.freqRadio = true;
    SetFreqMode();
    ShowFreq();
    return;
  }
  w.wordText = chan.wordText;
  form.freq.text = Fixed(chan.frequency, 2);
  Changed(ApplyFreq(form.freq.text));
}

// ---- Layout ----

int MemoryData::FieldGroup() const {
  const char kind = Kind(w.r.meas);
  if (kind == '2') return 4;
  if (w.r.band == 'S') return kind == '4' ? 3 : 2;
  return KindIn(w.r.meas, "56") ? 1 : 0;
}

void MemoryData::Switch(GroupControl control, int group) {
  bool on = false;
  switch (family.rules.groups[static_cast<size_t>(control)][group]) {
    case GroupSwitch::Off: break;
    case GroupSwitch::On: on = true; break;
    case GroupSwitch::ForQam: on = Kind(w.r.meas) == '5'; break;
    case GroupSwitch::ForCofdm: on = Kind(w.r.meas) == '6'; break;
    case GroupSwitch::ForSatellite: on = w.r.band == 'S'; break;
    case GroupSwitch::ForQpskOrQam: on = IsOneOf(Kind(w.r.meas), "45"); break;
    case GroupSwitch::ForQpsk: on = Kind(w.r.meas) == '4'; break;
  }
  // A DAB memory in the terrestrial digital group demodulates nothing the dialog sets.
  if (group == 1 && Dab(w.r.meas)) on = false;
  auto edit = [on](EditState& e) {
    e.text.clear();
    e.enabled = e.labelEnabled = on;
  };
  auto combo = [on](ComboState& c) {
    c.Clear();
    c.enabled = c.labelEnabled = on;
  };
  switch (control) {
    case GroupControl::Sound:
      combo(form.sound);
      edit(form.soundSub);
      break;
    case GroupControl::SymRate: edit(form.symRate); break;
    case GroupControl::CodeRate: combo(form.codeRate); break;
    case GroupControl::Modulation: combo(form.modulation); break;
    case GroupControl::SpecInv: combo(form.specInv); break;
    case GroupControl::Carriers:
      combo(form.carriers);
      combo(form.interval);
      break;
    case GroupControl::LnbOsc: edit(form.lnbOsc); break;
    case GroupControl::Units: combo(form.units); break;
    case GroupControl::kCount: break;
  }
}

void MemoryData::ArrangeControls() {
  const int group = FieldGroup();
  if (group != layoutMode) {
    layoutMode = group;
    for (size_t c = 0; c < static_cast<size_t>(GroupControl::kCount); ++c) Switch(static_cast<GroupControl>(c), group);
  } else if (group == 1) {
    // The QAM and COFDM measures share the group: their controls follow the measure.
    for (GroupControl c : {GroupControl::SymRate, GroupControl::SpecInv, GroupControl::CodeRate,
                           GroupControl::Modulation, GroupControl::Carriers})
      Switch(c, group);
  }
  EditState& noise = form.noise;
  noise.text.clear();
  noise.enabled = noise.labelEnabled = Kind(w.r.meas) == '7';
}

void MemoryData::ValidateMemoryData() {
  if (busy) return;
  busy = true;
  struct Hourglass {
    explicit Hourglass(MemoryDataView& v) : view(v) { view.SetHourglass(true); }
    ~Hourglass() { view.SetHourglass(false); }
    MemoryDataView& view;
  };
  std::string message = Msg(d::InvalidParams);
  bool failed = false;
  try {
    Hourglass hourglass(view);
    auto check = [&](bool ok, int line) {
      if (ok) return;
      failed = true;
      message += Msg(line);
    };
    check(ShowName(), d::BadName);
    check(ShowFreq(), d::BadFreq);
    check(ShowTuning(), d::BadTuning);
    check(ShowSoundSub(), d::BadSoundSub);
    check(ShowChBW(), d::BadBandwidth);
    const bool berLists = family.rules.satelliteAndBerLists;
    if (berLists) check(ShowLNBOsc(), d::BadLnbOsc);
    if (berLists) check(ShowSymRate(), d::BadSymRate);
    check(ShowNoise(), d::BadNoise);
    FillBandCombo();
    check(ShowBand(), d::BadBand);
    FillLevelCombo();
    check(ShowLevel(), d::BadLevel);
    FillUnitsCombo();
    check(ShowUnits(), d::BadUnits);
    FillStandardCombo();
    check(ShowStandard(), d::BadStandard);
    FillSoundCombo();
    check(ShowSound(), d::BadSound);
    if (berLists) {
      FillLNBSupCombo();
      check(ShowLNBSup(), d::BadLnbSup);
      FillCodeRateCombo();
      check(ShowCodeRate(), d::BadCodeRate);
      FillSpecInvCombo();
      check(ShowSpecInv(), d::BadSpecInv);
      FillModulationCombo();
      check(ShowModulation(), d::BadModulation);
      FillCarriersCombo();
      check(ShowCarriers(), d::BadCarriers);
      FillIntervalCombo();
      check(ShowInterval(), d::BadInterval);
    }
  } catch (...) {
    busy = false;
    throw;
  }
  if (failed) cv::ShowBox(prompter, message, Msg(d::CaptionErrorBox), cv::MsgIcon::Warning);
  busy = false;
}

// ---- Edits ----

bool MemoryData::ShowName() {
  form.name.text = w.r.label;
  return true;
}

bool MemoryData::ShowFreq() {
  form.freq.text = Fixed(w.r.freq, 2);
  return true;
}

bool MemoryData::ShowSoundSub() {
  const bool withoutSound = layoutMode == 1 || layoutMode == 3 || layoutMode == 4;
  form.soundSub.text = HasManualSound(w.r.sound) && !withoutSound ? Fixed(w.r.soundFreq, 2) : std::string();
  return true;
}

bool MemoryData::ShowChBW() {
  form.bw.text = Fixed(w.r.bw, 2);
  return true;
}

bool MemoryData::ShowLNBOsc() {
  form.lnbOsc.text = w.r.band != 'T' ? cv::PrintfFixed(w.r.lnbOsc, 3, 1, equip.DecimalSeparator()) : std::string();
  return true;
}

bool MemoryData::ShowSymRate() {
  form.symRate.text = IsOneOf(Kind(w.r.meas), "45") ? std::to_string(w.r.symRate) : std::string();
  return true;
}

bool MemoryData::ShowNoise() {
  form.noise.text = Kind(w.r.meas) == '7' ? Fixed(w.r.cnRefFreq, 2) : std::string();
  return true;
}

// ---- Combos: fill and show ----

void MemoryData::FillBandCombo() {
  form.band.Fill(Texts(family.bandTable()));
  form.band.index = 0;
}

bool MemoryData::ShowBand() {
  const int entry = IndexOfCode(family.bandTable(), w.r.band);
  if (entry >= 0)
    form.band.index = entry;
  else if (!family.rules.satelliteBand)
    form.band.index = -1;
  return true;
}

void MemoryData::FillLevelCombo() { form.level.Fill(Texts(family.measureTable())); }
bool MemoryData::ShowLevel() {
  Select(form.level, family.measureTable(), w.r.meas);
  return true;
}

void MemoryData::FillUnitsCombo() { form.units.Fill(Texts(family.unitsTable())); }
bool MemoryData::ShowUnits() {
  if (KindIn(w.r.meas, "456"))
    form.units.Clear();
  else
    Select(form.units, family.unitsTable(), w.r.units);
  return true;
}

void MemoryData::FillStandardCombo() {
  std::vector<std::string> texts;
  for (const StandardEntry& e : family.standardTable()) texts.push_back(e.text);
  form.standard.Fill(texts);
}

bool MemoryData::ShowStandard() {
  int i = family.standardIndex(w.r.color, w.r.std);
  if (i >= 0) form.standard.index = i;
  return true;
}

void MemoryData::FillSoundCombo() { form.sound.Fill(Texts(family.soundTable())); }
bool MemoryData::ShowSound() {
  const char s = w.r.sound;
  const int entry = IndexOfCode(family.soundTable(), s);
  if (KindIn(w.r.meas, "2456")) {
    form.sound.Clear();
  } else if (entry >= 0) {
    form.sound.index = entry;
    form.soundSub.enabled = HasManualSound(s);
  } else {
    form.soundSub.enabled = false;
    form.sound.index = -1;
  }
  return true;
}

void MemoryData::FillLNBSupCombo() { form.lnbSup.Fill(Texts(LnbSupplyTable())); }
bool MemoryData::ShowLNBSup() {
  Select(form.lnbSup, LnbSupplyTable(), w.r.lnbSup);
  return true;
}

void MemoryData::FillCodeRateCombo() { form.codeRate.Fill(Texts(CodeRateTable())); }
bool MemoryData::ShowCodeRate() {
  if (Kind(w.r.meas) != '4')
    form.codeRate.Clear();
  else
    Select(form.codeRate, CodeRateTable(), w.r.codeRate);
  return true;
}

void MemoryData::FillModulationCombo() {
  // Adds its entries without emptying the list first.
  for (const std::string& t : Texts(ModulationTable())) form.modulation.items.push_back(t);
}
bool MemoryData::ShowModulation() {
  if (Kind(w.r.meas) != '5')
    form.modulation.Clear();
  else
    Select(form.modulation, ModulationTable(), w.r.modulation);
  return true;
}

void MemoryData::FillSpecInvCombo() { form.specInv.Fill(Texts(family.specInvTable(w.r.band))); }
bool MemoryData::ShowSpecInv() {
  if (IsOneOf(Kind(w.r.meas), family.rules.specInvMeasures))
    Select(form.specInv, family.specInvTable(w.r.band), w.r.specInv);
  return true;
}

void MemoryData::FillCarriersCombo() { form.carriers.Fill(Texts(CarriersTable())); }
bool MemoryData::ShowCarriers() {
  if (Kind(w.r.meas) != '6')
    form.carriers.Clear();
  else
    Select(form.carriers, CarriersTable(), w.r.carriers);
  return true;
}

void MemoryData::FillIntervalCombo() { form.interval.Fill(Texts(family.intervalTable())); }
bool MemoryData::ShowInterval() {
  if (Kind(w.r.meas) != '6')
    form.interval.Clear();
  else
    Select(form.interval, family.intervalTable(), w.r.guardInt);
  return true;
}

}  // namespace cv::mem
