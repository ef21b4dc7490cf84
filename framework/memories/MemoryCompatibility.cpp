#include "MemoryCompatibility.h"

#include "Format.h"
#include "Messages.h"
#include "MsgIds.h"

namespace cv::mem {

namespace {
// The band and frequency lines read the same in every family that checks.
namespace m8 = cv::msg::dv8mem;
}  // namespace

bool CheckMemoryCompatible(const MemoryRecord& r, int index, const MeterOptions& options,
                           const CompatibilityRules& rules, const std::function<void(const std::string&)>& log) {
  const int number = index + 1;
  if (r.band == 'T' && !options.Has(rules.terrestrialFlag)) {
    log(cv::Format(Msg(m8::NoTerBand), number));
    return false;
  }
  if (r.band == 'S' && !options.Has(rules.satelliteFlag)) {
    log(cv::Format(Msg(m8::NoSatBand), number));
    return false;
  }
  bool ok = true;
  // Whether the check goes on after a refusal.
  auto refuse = [&](const std::vector<std::string>& lines) {
    for (const std::string& line : lines) log(line);
    ok = false;
    return !rules.firstRefusalOnly;
  };
  if (r.freq < 45.0f && !options.Has(rules.below45Flag) &&
      !refuse({cv::Format(Msg(m8::FreqNotSupported), number, static_cast<double>(r.freq))}))
    return false;
  if (rules.newMeasuresFrom && static_cast<unsigned char>(r.meas) >= static_cast<unsigned char>(rules.newMeasuresFrom) &&
      options.version < rules.newMeasuresVersion) {
    std::vector<std::string> lines;
    for (int id : rules.newMeasuresLines) lines.push_back(cv::Format(Msg(id), number));
    if (!refuse(lines)) return false;
  }
  const char family = rules.measureFamily ? rules.measureFamily(r.meas) : r.meas;
  for (const MeasureOption& f : rules.measureOptions)
    if (family == f.family && !options.Has(f.flag) && !refuse({cv::Format(Msg(f.lineId), number)})) return false;
  return ok;
}

}  // namespace cv::mem
