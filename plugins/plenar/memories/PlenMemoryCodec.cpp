#include "PlenMemoryCodec.h"

#include "Cv3Equip.h"
#include "Format.h"
#include "MemoryEditor.h"
#include "Messages.h"
#include "MsgIds.h"
#include "PlenEquip.h"

namespace cv::plenar {

using namespace cv::mem;

namespace {

namespace mp = cv::msg::plenmem;
namespace m8 = cv::msg::dv8mem;

}  // namespace

char MeasureFamily(char meas) {
  // '1'..'8' fold to themselves on the CORVANE-3 rule as well; '8' is this family's DAB.
  return TCv3Equip::FoldTypeCode(meas);
}

const cv::cv4::Cv4RecordRules& RecordRules() {
  static const cv::cv4::Cv4RecordRules rules = [] {
    cv::cv4::Cv4RecordRules r;
    r.measureFamily = MeasureFamily;
    r.dabFamily = '8';
    r.replyMeasureChecked = false;
    r.lastFileMeasure = 'F';
    r.replyPlanMax = 63;
    r.filePlanMax = 64;
    return r;
  }();
  return rules;
}

const cv::mem::CompatibilityRules& OptionRules() {
  static const cv::mem::CompatibilityRules rules = [] {
    cv::mem::CompatibilityRules r;
    using Flag = TInstalledOptions;
    r.terrestrialFlag = Flag::kTerrestrialBand;
    r.satelliteFlag = Flag::kSatelliteBand;
    r.below45Flag = Flag::kBelow45MHz;
    r.measureFamily = MeasureFamily;
    r.measureOptions = {{'8', Flag::kDab, mp::DabNotSupported},
                        {'6', Flag::kCofdm, m8::CofdmNotSupported},
                        {'5', Flag::kQam, mp::QamNotSupported},
                        {'4', Flag::kQpsk, mp::QpskNotSupported}};
    r.newMeasuresFrom = '9';
    r.newMeasuresVersion = PlenMemoryCodec::kNewMeasuresVersion;
    r.newMeasuresLines = {mp::MeasureNotSupported, mp::MeasureNotSupported2};
    r.allBoxId = m8::NotCompatibleAll;
    r.oneBoxId = m8::NotCompatibleOne;
    r.captionId = m8::CompatibleCaption;
    return r;
  }();
  return rules;
}

bool CheckMemoryCompatible(const MemoryRecord& r, int index, const TInstalledOptions& options,
                           const std::function<void(const std::string&)>& log) {
  return cv::mem::CheckMemoryCompatible(r, index, MeterOptions(options.optionFlags, options.version),
                                        OptionRules(), log);
}

PlenMemoryCodec::PlenMemoryCodec(std::function<bool(TInstalledOptions&)> read)
    : Cv4MemoryCodec(TCvPlenEquip::GetVersionText(), RecordRules()), readOptions(std::move(read)) {
  form = Form::XSR;
  compatibility = &OptionRules();
}

bool PlenMemoryCodec::ReadMeterOptions(MemoryEquipment&, MeterOptions& options) const {
  TInstalledOptions read;
  // A meter that does not say what it holds takes nothing.
  if (!readOptions || !readOptions(read)) return false;
  options = MeterOptions(read.optionFlags, read.version);
  return true;
}

std::vector<std::string> PlenMemoryCodec::ErrorLines(const MemErrors& errors, const MemoryRecord& record,
                                                     int index) const {
  static const ErrorLineIds ids = [] {
    ErrorLineIds t = Cv4MemoryCodec::LineIds();
    t[ErrMeasure] = mp::LineMeasure;
    t[ErrPlanNumber] = mp::LinePlanNumber;
    // No measure is ever folded here.
    t[ErrQpskReplaced] = t[ErrQamReplaced] = t[ErrCofdmReplaced] = 0;
    return t;
  }();
  return MemoryErrorLines(errors, record, index, ids);
}

std::string PlenMemoryCodec::FileHeader(char list) const {
  std::string header = Cv4MemoryCodec::FileHeader(list);
  // The legend's measure line names this family's sixteen measures.
  const size_t at = header.find("#Meas:");
  if (at == std::string::npos) return header;
  const size_t end = header.find('\n', at);
  const std::string line = ExpandLegend(
      {"#Meas: %c 0:Level %c 1:V/A %c 2:Power %c 3:C/N Auto %c 4:VBER QPSK %c5:BER QAM %c 6:VBER COFDM %c 7:C/N "
       "Ref %c 8:CBER DAB %c 9:CBER QPSK %cA:MER QPSK %c B:MER QAM %c C:CSI COFDM %c D:MER COFDM %c E:CBER COFDM "
       "%cF:SNR DAB\n"},
      list);
  return header.replace(at, end + 1 - at, line);
}

std::string PlenMemoryCodec::Unwritable(const MemoryRecord& r) const {
  // A plan number wider than its two-digit column would push the next separator out of place.
  if (r.nPlan < 0 || r.nPlan > 99) return cv::Format(Msg(m8::PlanNumberTooLarge), r.number, r.nPlan);
  return Cv4MemoryCodec::Unwritable(r);
}

}  // namespace cv::plenar
