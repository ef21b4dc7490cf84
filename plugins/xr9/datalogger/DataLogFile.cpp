#include "DataLogFile.h"

#include <cstring>
#include <new>

#include "AppServices.h"
#include "Format.h"
#include "Messages.h"
#include "MsgIds.h"
#include "Prompt.h"

namespace cv::xr9 {

namespace m = cv::msg::xr9fmt;

namespace {

std::string CText(const uint8_t* bytes, size_t n) {
  const char* s = reinterpret_cast<const char*>(bytes);
  return std::string(s, strnlen(s, n));
}

std::string Mhz(int64_t khz) { return Format("%.2f", double(khz) / 1000.0); }

const std::string& Unknown() { return Msg(m::MeasNameUnknown); }

}  // namespace

TDataLogCell TDataLogChannel::Cell(int tp) {
  TDataLogCell cell;
  cell.testPoint = tp;
  if (tp < 0 || tp >= cellCount || measCount == 0) return cell;
  size_t at = size_t(tp) * size_t(measCount);
  if (at + size_t(measCount) > values.size()) return cell;
  cell.meas = values.data() + at;
  cell.count = measCount;
  return cell;
}

TDataLogStore::TDataLogStore(DataLogSinks s) : sinks(std::move(s)), files_(DataLogSlots) {}

void TDataLogStore::Box(const std::string& text) const {
  ShowBox(sinks.prompter ? *sinks.prompter : CurrentPrompter(), text, Msg(m::ErrorCaption), MsgIcon::Error);
}
void TDataLogStore::Box(int msgId) const { Box(Msg(msgId)); }

int TDataLogStore::FindFreeSlot() const {
  for (int i = 0; i < DataLogSlots; ++i)
    if (files_[i].IsFree()) return i;
  return -1;
}

void TDataLogStore::FreeDataLogFile(int slot) {
  if (slot < 0 || slot >= DataLogSlots) return;
  files_[slot] = TDataLogFile();
}

void TDataLogStore::FreeAllDataLogFiles() {
  for (int i = 0; i < DataLogSlots; ++i) FreeDataLogFile(i);
  if (sinks.resetFileList) sinks.resetFileList();
}

int TDataLogStore::DecodeDataLogFile(const uint8_t* image, size_t size, const char* name) {
  ByteReader r(image, size);
  uint8_t magic = 0;
  if (!r.U8(magic) || magic != DataLogMagic) {
    Box(m::DlCodeNotFound);
    return -1;
  }
  uint8_t nameLen;
  const uint8_t* planName;
  if (!r.U8(nameLen) || !r.Bytes(nameLen, planName)) {
    Box(m::DlEndsInPlanName);
    return -1;
  }
  uint32_t planLen;
  if (!r.U24(planLen)) {
    Box(m::DlEndsInPlanLength);
    return -1;
  }
  if (planLen == 0) {
    Box(m::DlNoPlan);
    return -1;
  }
  int slot = FindFreeSlot();
  if (slot < 0) {
    Box(m::DlMaxFiles);
    return -1;
  }
  const uint8_t* planBytes;
  if (!r.Bytes(planLen, planBytes)) {
    Box(m::DlEndsInPlan);
    return -1;
  }
  TDataLogFile& file = files_[slot];
  file.name = name ? std::string(name).substr(0, DataLogNameMax) : std::string("no-name");
  PlanSinks planSinks{sinks.prompter, {}, {}};
  try {
    file.plan = std::make_unique<TPlanXR9>();
  } catch (const std::bad_alloc&) {
    Box(m::NotEnoughMemory);
    FreeDataLogFile(slot);
    return -1;
  }
  file.plan->InUse = 1;
  file.plan->Name = CText(planName, std::min<size_t>(nameLen, PlanNameMax));
  // The embedded plan is decoded within its own bytes, never past them.
  if (!DecodeBinaryPlan(*file.plan, planBytes, planLen, planSinks)) {
    FreeDataLogFile(slot);
    return -1;
  }
  ApplyPlanAttributes(*file.plan, planSinks);
  if (!DecodeMeasurements(slot, r)) {
    FreeDataLogFile(slot);
    return -1;
  }
  if (sinks.dlMemo) sinks.dlMemo(Msg(m::DlLoaded) + file.name);
  return slot;
}

bool TDataLogStore::DecodeMeasurements(int slot, ByteReader& r) {
  TDataLogFile& file = files_[slot];
  uint8_t textLen;
  if (!r.U8(textLen) || !r.Skip(textLen)) {
    Box(m::DlEndsInText);
    return false;
  }
  const size_t channelCount = file.plan->Channels->size();
  try {
    file.channels.resize(channelCount);
  } catch (const std::bad_alloc&) {
    Box(m::DlMemChannels);
    return false;
  }
  size_t valuesPerPoint = 0;
  for (size_t c = 0; c < channelCount; ++c) {
    TDataLogChannel& ch = file.channels[c];
    uint8_t n;
    const uint8_t* codes;
    if (!r.U8(n)) {
      Box(Format(Msg(m::DlEndsInChannel), c + 1));
      return false;
    }
    if (n > MaxMeasPerChannel) {
      Box(m::DlTooManyMeas);
      return false;
    }
    if (!r.Bytes(n, codes) || !r.U8(ch.lnbMode) || !r.U24(ch.lnbOscillator)) {
      Box(Format(Msg(m::DlEndsInChannel), c + 1));
      return false;
    }
    ch.measCount = n;
    std::memcpy(ch.measCodes, codes, n);
    valuesPerPoint += n;
  }
  uint16_t count;
  if (!r.U16(count)) {
    Box(m::DlEndsInTestPointCount);
    return false;
  }
  // A first pass checks that every test point lies within the image, so nothing is allocated
  // for values a short file does not hold.
  {
    ByteReader check = r;
    for (int t = 0; t < count; ++t) {
      uint8_t k;
      if (!check.U8(k) || !check.Skip(k) || !check.Skip(1) || !check.Skip(valuesPerPoint * 3)) {
        Box(Format(Msg(m::DlEndsInTestPoint), t + 1));
        return false;
      }
    }
  }
  try {
    file.testPoints.emplace(count);
  } catch (const std::bad_alloc&) {
    Box(m::DlMemTestPoints);
    return false;
  }
  // Channels without measurements take no bytes and no work at a test point.
  std::vector<TDataLogChannel*> measured;
  try {
    for (TDataLogChannel& ch : file.channels) {
      ch.values.resize(size_t(ch.measCount) * count);
      ch.cellCount = count;
      if (ch.measCount > 0) measured.push_back(&ch);
    }
  } catch (const std::bad_alloc&) {
    Box(m::DlMemMeasurements);
    return false;
  }
  for (int t = 0; t < count; ++t) {
    TDataLogTestPoint& tp = (*file.testPoints)[size_t(t)];
    uint8_t k;
    const uint8_t* nameBytes;
    r.U8(k);
    r.Bytes(k, nameBytes);
    tp.name = CText(nameBytes, std::min<size_t>(k, TestPointNameMax));
    r.U8(tp.levelUnits);
    for (TDataLogChannel* chp : measured) {
      TDataLogChannel& ch = *chp;
      TDataLogMeas* meas = ch.values.data() + size_t(t) * size_t(ch.measCount);
      for (int i = 0; i < ch.measCount; ++i) {
        meas[i].code = ch.measCodes[i];
        meas[i].levelUnits = tp.levelUnits;
        r.U24(meas[i].value);
        meas[i].mark = 0;
      }
    }
  }
  file.testPointCount = count;
  return true;
}

std::string TDataLogStore::LevelUnitsText(int slot, int testPoint) const {
  if (slot < 0 || slot >= DataLogSlots) {
    if (sinks.dlMemo) sinks.dlMemo(Msg(m::DlIndexOutOfBounds));
    return {};
  }
  const TDataLogFile& file = files_[slot];
  if (testPoint < 0 || testPoint >= file.testPointCount || !file.testPoints) return {};
  switch ((*file.testPoints)[size_t(testPoint)].levelUnits) {
    case 0: return " ";
    case 1: return "(dBuV & dB)";
    case 2: return "(dBmV & dB)";
    case 3: return "(dBm & dB)";
    default: return Unknown();
  }
}

std::string TDataLogStore::ChannelFreqText(int slot, const TChanXR9* chan) const {
  if (slot < 0 || slot >= DataLogSlots) {
    if (sinks.dlMemo) sinks.dlMemo(Msg(m::DlIndexOutOfBounds));
    return Unknown();
  }
  const TDataLogFile& file = files_[slot];
  if (!file.plan || !file.plan->Channels || file.plan->Channels->empty() || !chan) return Unknown();
  return file.plan->PlanType == 5 ? SatChannelFreqText(slot, chan) : TerChannelFreqText(chan);
}

std::string TDataLogStore::SatChannelFreqText(int slot, const TChanXR9* chan) const {
  if (slot < 0 || slot >= DataLogSlots || !chan) return {};
  const TDataLogFile& file = files_[slot];
  if (!file.plan || !file.plan->Channels) return {};
  const auto& list = *file.plan->Channels;
  if (chan < list.data() || chan >= list.data() + list.size()) return {};
  size_t index = size_t(chan - list.data());
  int64_t freq = chan->value2;
  if (index < file.channels.size()) {
    const TDataLogChannel& ch = file.channels[index];
    int64_t osc = ch.lnbOscillator;
    if (ch.lnbMode == 1 || ch.lnbMode == 3) freq -= osc;
    else if (ch.lnbMode == 2 || ch.lnbMode == 4) freq = osc - freq;
  }
  return Mhz(freq);
}

std::string MeasName(int code) {
  if (code >= 0 && code <= MeasLber) return Msg(m::MeasNameFirst + code);
  return Unknown();
}

std::string MeasUnitText(const TDataLogMeas* meas) {
  if (!meas) return {};
  switch (meas->code) {
    case MeasVA: case MeasCnAuto: case MeasMer: case MeasNoiseMargin: case MeasCnRef: return "dB";
    case MeasCber: case MeasVber: case MeasMpeg2: case MeasSer: case MeasLber: return " ";
    case MeasOffset: return "kHz";
    default: break;  // levels and unknown codes: the test point's level unit
  }
  switch (meas->levelUnits) {
    case 1: return "dBuV";
    case 2: return "dBmV";
    case 3: return "dBm";
    default: return " ";
  }
}

bool IsAnalogChannel(const TChanXR9& chan) {
  TChanAttribute type;
  FindTypeAttribute(chan, type);
  return type.code == AttrType && type.value[0] == TypeAnalog;
}

std::string TerChannelFreqText(const TChanXR9* chan) {
  if (!chan) return {};
  return Mhz(IsAnalogChannel(*chan) ? chan->value1 : chan->value2);
}

std::string SoundCarrierText(const TChanXR9* chan) {
  if (!chan || !IsAnalogChannel(*chan)) return {};
  TChanAttribute sys;
  FindSysAttribute(*chan, sys);
  if (sys.code != AttrSys) return {};
  int64_t spacing = 0;
  switch (sys.value[1]) {
    case 1: spacing = 5500; break;
    case 2: case 6: spacing = 6500; break;
    case 3: spacing = 6000; break;
    case 4: case 5: spacing = 4500; break;
    default: break;
  }
  return Mhz(int64_t(chan->value1) + spacing);
}

std::string BandName(const TChanXR9* chan) {
  if (!chan) return {};
  uint32_t f = chan->value1;
  if (f < 68001) return "VHF BI";
  if (f < 110001) return "FM";
  if (f < 230001) return "VHF BIII";
  if (f < 606001) return "UHF BIV";
  if (f < 862001) return "UHF BV";
  return Unknown();
}

}  // namespace cv::xr9
