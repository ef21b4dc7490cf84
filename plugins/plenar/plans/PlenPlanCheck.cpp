#include "PlenPlanCheck.h"

#include "Commandsplen.h"
#include "Format.h"
#include "Messages.h"
#include "MsgIds.h"
#include "Prompt.h"

namespace cv::plenar {

namespace {

namespace m = cv::msg::plenplans;

constexpr float kLowestUnoptionedMHz = 45.0f;

// The measures an option stands for, in the order the check takes them.
struct Measure {
  int32_t code;
  int flag;
};
constexpr Measure kBerCofdm{0x1B06, kFlagBerCofdm};
constexpr Measure kBerQam{0x1B05, kFlagBerQam};
constexpr Measure kBerQpsk{0x1B04, kFlagBerQpsk};
constexpr Measure kDab{0x1B08, kFlagDab};

// A command the meter lacks; a text the table does not hold has the "no command" code, which
// nothing refuses.
bool Lacks(const char* mnemonic, const Measure& measure, const TInstalledOptions& options) {
  return kCommandsPlen.CodeOfMnemonic(mnemonic) == measure.code && !options.Has(measure.flag);
}

class PlanChecker {
 public:
  PlanChecker(const TInstalledOptions& options, cv::plan::Report& report) : options(options), report(report) {}

  // False when the plan holds anything the meter cannot take.
  bool Check(int index, const PlanSlot& plan) {
    const bool satellite = cv::IsSatelliteBand(plan.band);
    // A band the meter lacks makes the rest of the plan moot.
    if (!options.Has(satellite ? kFlagSatBand : kFlagTerBand)) {
      report.Log(cv::Format(cv::Msg(satellite ? m::NoSatBand : m::NoTerBand), index));
      return false;
    }
    ok = true;
    for (const Measure& measure : {kBerCofdm, kBerQam, kBerQpsk, kDab})
      for (const char* command : plan.commands)
        if (Lacks(command, measure, options)) PlanLine(plan, measure);
    // A terrestrial or DAB channel carries one command; a satellite one three.
    const int tunedCommands = satellite ? 3 : 1;
    for (const TChan3& chan : plan.Channels()) {
      if (chan.frequency < kLowestUnoptionedMHz) {
        // With the option the meter takes the channel, but the rest of the plan goes unexamined.
        if (!options.Has(kFlagBelow45MHz)) {
          report.Log(cv::Format(cv::Msg(m::FrequencyNotSupported), plan.name, chan.name,
                                static_cast<double>(chan.frequency)));
          ok = false;
        }
        break;
      }
      for (const Measure& measure : {kBerCofdm, kBerQam})
        for (int c = 0; c < tunedCommands; ++c)
          if (Lacks(chan.commands[c], measure, options)) {
            report.Log(cv::Format(cv::Msg(m::ChannelCommandNotSupported), plan.name, chan.name,
                                  DescriptionOfCode(measure.code)));
            ok = false;
          }
      for (const Measure& measure : {kBerQpsk, kDab})
        for (const char* command : chan.commands)
          if (Lacks(command, measure, options)) PlanLine(plan, measure);
    }
    return ok;
  }

 private:
  void PlanLine(const PlanSlot& plan, const Measure& measure) {
    report.Log(cv::Format(cv::Msg(m::CommandNotSupported), plan.name, DescriptionOfCode(measure.code)));
    ok = false;
  }

  const TInstalledOptions& options;
  cv::plan::Report& report;
  bool ok = true;
};

}  // namespace

bool CheckCanalization(const PlanSlots& plans, int slotCount, const TInstalledOptions* options,
                       cv::plan::Report& report) {
  if (!options) {
    report.Log(cv::Msg(m::OptionsUnread));
    return false;
  }
  PlanChecker checker(*options, report);
  bool result = true;
  for (int i = 0; i < slotCount && i < kPlanSlots; ++i) {
    const PlanSlot& held = plans[i];
    if (!held.HoldsPlan() || !held.channels) continue;
    if (!checker.Check(i, held)) result = false;
  }
  if (!result)
    cv::ShowBox(report.Ask(), cv::Msg(m::NotCompatible), cv::Msg(cv::msg::PlanCaptionPlansError),
                cv::MsgIcon::Warning);
  return result;
}

}  // namespace cv::plenar
