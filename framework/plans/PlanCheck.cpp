#include "PlanCheck.h"

#include "Format.h"
#include "Messages.h"
#include "MsgIds.h"
#include "PlanFormat.h"
#include "Prompt.h"

namespace cv::plan {

namespace {

namespace m = cv::msg::plancheck;

constexpr float kLowestUnoptionedMHz = 45.0f;

class PlanChecker {
 public:
  PlanChecker(const PlanCheckTable& table, OptionFlags options, Report& report)
      : table(table), options(options), report(report) {}

  // False when the plan holds anything the meter cannot take.
  bool Check(int slot, const PlanSlot& plan) {
    const bool satellite = cv::IsSatelliteBand(plan.band);
    const int bandFlag = satellite ? table.satelliteBandFlag : table.terrestrialBandFlag;
    // A band the meter lacks makes the rest of the plan moot.
    if (bandFlag >= 0 && !Has(bandFlag)) {
      report.Log(cv::Format(cv::Msg(satellite ? m::NoSatelliteBand : m::NoTerrestrialBand), slot));
      return false;
    }
    ok = true;
    for (const CheckedMeasure& measure : table.measures)
      for (const char* command : plan.commands)
        if (Lacks(command, measure)) PlanLine(plan, measure);
    const int tunedCommands = satellite ? 3 : 1;
    for (const TChan3& chan : plan.Channels()) {
      // A channel below 45 MHz that the meter takes is checked like any other.
      if (chan.frequency < kLowestUnoptionedMHz && !Has(table.below45MHzFlag)) {
        report.Log(cv::Format(cv::Msg(m::ChannelFrequencyNotSupported), ShownName(plan.name).c_str(),
                              ShownName(chan.name).c_str(),
                              static_cast<double>(chan.frequency)));
        return false;
      }
      for (const CheckedMeasure& measure : table.measures) {
        if (!measure.tunedCommandsOnly) {
          for (const char* command : chan.commands)
            if (Lacks(command, measure)) PlanLine(plan, measure);
          continue;
        }
        for (int c = 0; c < tunedCommands; ++c)
          if (Lacks(chan.commands[c], measure)) {
            report.Log(cv::Format(cv::Msg(m::ChannelNotSupported), ShownName(plan.name).c_str(),
                                  ShownName(chan.name).c_str(), Label(measure)));
            ok = false;
          }
      }
    }
    return ok;
  }

 private:
  bool Has(int flag) const { return flag >= 0 && static_cast<size_t>(flag) < options.size() && options[flag]; }
  // A text the table does not hold has the "no command" code, which nothing refuses.
  bool Lacks(const char* mnemonic, const CheckedMeasure& measure) const {
    return table.commands->CodeOfMnemonic(mnemonic) == measure.code && !Has(measure.flag);
  }
  const char* Label(const CheckedMeasure& measure) const { return table.commands->RowOfCode(measure.code).label; }
  void PlanLine(const PlanSlot& plan, const CheckedMeasure& measure) {
    report.Log(cv::Format(cv::Msg(m::PlanNotSupported), ShownName(plan.name).c_str(), Label(measure)));
    ok = false;
  }

  const PlanCheckTable& table;
  OptionFlags options;
  Report& report;
  bool ok = true;
};

}  // namespace

bool CheckPlansAgainstOptions(const PlanSlots& planSlots, const PlanCheckTable& table,
                              std::optional<OptionFlags> options, Report& report) {
  if (!options) {
    report.Log(cv::Msg(m::OptionsUnread));
    return false;
  }
  PlanChecker checker(table, *options, report);
  bool result = true;
  for (int slot = 0; slot < kPlanSlots; ++slot) {
    const PlanSlot& held = planSlots[slot];
    if (!held.HoldsPlan() || !held.channels) continue;
    if (!checker.Check(slot, held)) result = false;
  }
  if (!result)
    cv::ShowBox(report.Ask(), cv::Msg(m::NotCompatible), cv::Msg(msg::PlanCaptionPlansError),
                cv::MsgIcon::Warning);
  return result;
}

}  // namespace cv::plan
