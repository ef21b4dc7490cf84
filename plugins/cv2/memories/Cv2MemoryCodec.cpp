#include "Cv2MemoryCodec.h"

#include "Cv2Equip.h"
#include "Format.h"
#include "MemoryEditor.h"
#include "Messages.h"
#include "MsgIds.h"
#include "Pll.h"

namespace cv::cv2 {

using namespace cv::mem;

namespace {

namespace m8 = cv::msg::dv8mem;

const ErrorLineIds& Cv2ErrorLineIds() {
  static const ErrorLineIds ids = [] {
    ErrorLineIds t = Cv3ErrorLineIds();
    t[ErrFreqSat] = cv::msg::cv4mem::LineFreqSat;
    t[ErrFreqTer] = cv::msg::cv2mem::LineFreqTer;
    t[ErrCnRef] = cv::msg::cv2mem::LineCnRef;
    return t;
  }();
  return ids;
}

}  // namespace

const RecordRules& Cv2RecordRules() {
  static const RecordRules rules{&cv::kCorvane2Ranges, false, 2150, 45};
  return rules;
}

bool CheckMemoryCompatible(const MemoryRecord& r, int index, const InstalledOptions& options,
                           const std::function<void(const std::string&)>& log) {
  const int number = index + 1;
  std::string line;
  if (r.band == 'T' && !options.Has(InstalledOptions::kTerrestrialBand))
    line = cv::Format(Msg(m8::NoTerBand), number);
  else if (r.band == 'S' && !options.Has(InstalledOptions::kSatelliteBand))
    line = cv::Format(Msg(m8::NoSatBand), number);
  else if (r.freq < 45.0f && !options.Has(InstalledOptions::kBelow45MHz))
    line = cv::Format(Msg(m8::FreqNotSupported), number, static_cast<double>(r.freq));
  else if (r.meas == '6' && !options.Has(InstalledOptions::kBerCofdm))
    line = cv::Format(Msg(m8::CofdmNotSupported), number);
  if (line.empty()) return true;
  log(line);
  return false;
}

Cv2MemoryCodec::Cv2MemoryCodec(OptionReader read)
    : Dv8MemoryCodec([](InstalledOptions&) {}, Cv2RecordRules()), readOptions(std::move(read)) {}

Cv2MemoryCodec::Cv2MemoryCodec(TCv2Equip& equip)
    : Cv2MemoryCodec([&equip](InstalledOptions& options) { return equip.ReadInstalledOptions(options); }) {}

bool Cv2MemoryCodec::BeginSendOne(MemoryEquipment& equip) {
  sendOneOptions.reset();
  if (!Dv8MemoryCodec::BeginSendOne(equip)) return false;
  InstalledOptions options;
  if (!readOptions(options)) return false;
  sendOneOptions = options;
  return true;
}

bool Cv2MemoryCodec::Compatible(std::span<const MemoryRecord> records, int firstIndex, MemoryEquipment& equip) const {
  InstalledOptions options;
  if (sendOneOptions) {
    options = *sendOneOptions;
    sendOneOptions.reset();
  } else if (!readOptions(options)) {
    return false;
  }
  auto log = [&equip](const std::string& line) { equip.Log(line); };
  for (size_t i = 0; i < records.size(); ++i)
    if (!cv2::CheckMemoryCompatible(records[i], firstIndex + static_cast<int>(i), options, log)) return false;
  return true;
}

std::vector<std::string> Cv2MemoryCodec::RefusedReplyLines(const std::string& reply) const {
  return MemoryCodec::RefusedReplyLines(reply);
}

std::vector<std::string> Cv2MemoryCodec::ErrorLines(const MemErrors& errors, const MemoryRecord& record,
                                                    int index) const {
  return MemoryErrorLines(errors, record, index, Cv2ErrorLineIds());
}

bool Cv2MemoryCodec::FreqInRange(char band, float mhz) const { return cv::PllInRange(band, mhz, cv::kCorvane2Ranges); }

float Cv2MemoryCodec::FallbackFreq(char band) const { return cv::PllBandOf(band, cv::kCorvane2Ranges).fallbackMHz; }

}  // namespace cv::cv2
