#include "Dv8MemoryCodec.h"

#include "Dv8Equip.h"
#include "MemoryFile.h"
#include "Format.h"
#include "MemoryEditor.h"
#include "Messages.h"
#include "MsgIds.h"
#include "Pll.h"

namespace cv::dv8 {

using namespace cv::mem;

namespace {

namespace m = cv::msg::mem;
namespace m8 = cv::msg::dv8mem;

const ErrorLineIds& Dv8ErrorLineIds() {
  static const ErrorLineIds ids = [] {
    ErrorLineIds t = Cv3ErrorLineIds();
    // One frequency range for either band: the meter tunes nothing above it.
    t[ErrFreqSat] = m::LineFreqTer;
    t[ErrCnRef] = m8::LineCnRef;
    return t;
  }();
  return ids;
}

// Whether every field the decoder reads as hexadecimal is hexadecimal: a garbled digit would
// leave its value undefined.
bool HexFieldsRead(const std::string& reply) {
  if (reply.size() < 38) return false;
  std::string t = reply;
  const char meas = t[22];
  if (meas == '6') t.insert(25, "0000");
  struct Field {
    size_t at, length;
  };
  for (const Field f : {Field{3, 2}, Field{11, 4}, Field{16, 2}, Field{18, 2}, Field{29, 4}, Field{33, 5}, Field{38, 4}})
    if (HexAt(t, f.at, f.length) < 0) return false;
  const bool symbolRate = meas == '4' || meas == '5';
  const bool soundFreq = !IsBerMeasure(meas) && HasManualSound(t[24]);
  return !(symbolRate || soundFreq) || HexAt(t, 25, 4) >= 0;
}

}  // namespace

bool CheckMemoryCompatible(const MemoryRecord& r, int index, const InstalledOptions& options,
                           const std::function<void(const std::string&)>& log) {
  return cv::mem::CheckMemoryCompatible(r, index, MeterOptions(options.flags), Dv8MemoryCodec::OptionRules(), log);
}

Dv8MemoryCodec::Dv8MemoryCodec(std::function<void(InstalledOptions&)> read)
    : readOptions(read ? std::move(read) : TDV8Equip::ReadInstalledOptions) {
  compatibility = &OptionRules();
}

Dv8MemoryCodec::Dv8MemoryCodec(const RecordRules& familyRules) : Dv8MemoryCodec(nullptr) { rules = &familyRules; }

const RecordRules& Dv8MemoryCodec::Rules() {
  static const RecordRules rules{&cv::kDv800Ranges, true, 862};
  return rules;
}

const CompatibilityRules& Dv8MemoryCodec::OptionRules() {
  static const CompatibilityRules rules = [] {
    CompatibilityRules r;
    r.terrestrialFlag = InstalledOptions::kTerrestrialBand;
    r.satelliteFlag = InstalledOptions::kSatelliteBand;
    r.below45Flag = InstalledOptions::kBelow45MHz;
    r.measureOptions = {{'6', InstalledOptions::kBerCofdm, m8::CofdmNotSupported}};
    r.allBoxId = m8::NotCompatibleAll;
    r.oneBoxId = m8::NotCompatibleOne;
    r.captionId = m8::CompatibleCaption;
    return r;
  }();
  return rules;
}

bool Dv8MemoryCodec::ReadMeterOptions(MemoryEquipment&, MeterOptions& options) const {
  InstalledOptions read;
  readOptions(read);
  options = MeterOptions(read.flags);
  return true;
}

bool Dv8MemoryCodec::MaySend(MemoryEquipment&, const std::function<bool()>&) const {
  return TDV8Equip::CanSendMemories();
}

DecodedMemory Dv8MemoryCodec::Decode(const std::string& reply, MemoryRecord& record) const {
  if (!HexFieldsRead(reply)) return {};
  return DecodeMemoryRecord(reply, record, *rules);
}

std::vector<std::string> Dv8MemoryCodec::RefusedReplyLines(const std::string& reply) const {
  std::vector<std::string> lines = MemoryCodec::RefusedReplyLines(reply);
  // The report's heading alone: no field of such a line was read, and no memory number either.
  lines.push_back(ErrorLines({}, {}, 0).front());
  return lines;
}

std::vector<std::string> Dv8MemoryCodec::ErrorLines(const MemErrors& errors, const MemoryRecord& record,
                                                    int index) const {
  return MemoryErrorLines(errors, record, index, Dv8ErrorLineIds());
}

// A meter without a satellite tuner lists every memory by its terrestrial range.
bool Dv8MemoryCodec::FreqInRange(char band, float mhz) const {
  return cv::PllInRange(rules->satelliteRefused ? 'T' : band, mhz, *rules->ranges);
}

float Dv8MemoryCodec::FallbackFreq(char band) const {
  return cv::PllBandOf(rules->satelliteRefused ? 'T' : band, *rules->ranges).fallbackMHz;
}

std::string Dv8MemoryCodec::FileHeader(char list) const {
  std::vector<const char*> legend = Cv3Legend();
  for (const char*& line : legend)
    if (std::string(line).rfind("#SpecInv QAM", 0) == 0) line = "#SpecInv QAM: %c 0:NO %c 1:YES\n";
  return ExpandLegend(legend, list) + FileColumnRows(kCv3FileColumns, list);
}

ParsedRow Dv8MemoryCodec::ParseFileRow(const std::vector<std::string>& fields, MemoryRecord& record) const {
  ParsedRow p = cv::mem::ParseFileRow(fields, record, *rules);
  // A number column that does not read holds 0 (its check has failed already), so that the
  // record stays writable.
  auto unread = [&fields](FileColumn column, size_t width) {
    return column >= static_cast<int>(fields.size()) || !ScanFieldInt(fields[column], width);
  };
  if (unread(cNPlan, 2)) record.nPlan = 0;
  if ((record.meas == '4' || record.meas == '5') && unread(cSymRate, 5)) record.symRate = 0;
  return p;
}

std::vector<std::string> Dv8MemoryCodec::FileLines(const std::string& content) const {
  return cv::mem::FileLines(content, 254);
}

std::string Dv8MemoryCodec::Unwritable(const MemoryRecord& r) const {
  // Either number wider than its two-digit column would push the next separator out of place.
  if (r.nPlan < 0 || r.nPlan > 99) return cv::Format(Msg(m8::PlanNumberTooLarge), r.number, r.nPlan);
  return MemoryCodec::Unwritable(r);
}

}  // namespace cv::dv8
