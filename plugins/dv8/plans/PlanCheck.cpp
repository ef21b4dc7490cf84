#include "PlanCheck.h"

#include <algorithm>

#include "Format.h"
#include "Messages.h"
#include "MsgIds.h"
#include "Prompt.h"

namespace cv::dv8 {

namespace {

constexpr int32_t kBerCofdmCode = 0x1B06;
constexpr float kLowestUnoptionedMHz = 45.0f;

// A command the meter lacks: the BER COFDM measure without its option. A mnemonic missing from
// the table reads as the "no command" code, which nothing refuses.
bool Unsupported(const char* mnemonic, const TCommandTable& commands, const InstalledOptions& options) {
  return commands.CodeOfMnemonic(mnemonic) == kBerCofdmCode && !options.Has(InstalledOptions::kBerCofdm);
}

bool CheckPlan(int slot, const PlanSlot& held, const TCommandTable& commands, const InstalledOptions& options,
               plan::Report& report, PlanCheckRules rules) {
  if (rules.checkBands) {
    const bool satellite = cv::IsSatelliteBand(held.band);
    const int flag = rules.memoryBandFlags
                         ? (satellite ? InstalledOptions::kSatelliteBand : InstalledOptions::kTerrestrialBand)
                         : (satellite ? 11 : 12);
    if (!options.Has(flag)) {
      report.Log(cv::Format(cv::Msg(satellite ? msg::dv8::NoSatelliteBand : msg::dv8::NoTerrestrialBand), slot));
      return false;
    }
  }
  bool ok = true;
  const char* berLabel = commands.RowOfCode(kBerCofdmCode).label;
  for (const char* mnemonic : held.commands) {
    if (!Unsupported(mnemonic, commands, options)) continue;
    report.Log(cv::Format(cv::Msg(msg::xr9out::PlanNotSupported), held.name, berLabel));
    ok = false;
  }
  const std::vector<TChan3>& channels = held.Channels();
  const size_t count = std::min(channels.size(), static_cast<size_t>(std::max(held.channelCount, 0)));
  const int slotsPerChannel = held.band == 'T' ? 1 : 3;
  for (size_t i = 0; i < count; ++i) {
    const TChan3& chan = channels[i];
    if (chan.frequency < kLowestUnoptionedMHz) {
      // With the option the meter takes the channel, but the rest of the plan goes unexamined.
      if (options.Has(InstalledOptions::kBelow45MHz)) return ok;
      report.Log(cv::Format(cv::Msg(msg::dv8::ChannelFrequencyNotSupported), held.name, chan.name,
                            static_cast<double>(chan.frequency)));
      return false;
    }
    for (int c = 0; c < slotsPerChannel; ++c) {
      if (!Unsupported(chan.commands[c], commands, options)) continue;
      report.Log(cv::Format(cv::Msg(msg::xr9out::ChannelNotSupported), held.name, chan.name, berLabel));
      ok = false;
    }
  }
  return ok;
}

}  // namespace

bool CheckCanalization(const PlanSlots& planSlots, const TCommandTable& commands, const InstalledOptions& options,
                       plan::Report& report, PlanCheckRules rules) {
  bool ok = true;
  for (int slot = 0; slot < kPlanSlots; ++slot) {
    const PlanSlot& held = planSlots[slot];
    if (!held.HoldsPlan() || !held.channels) continue;
    if (!CheckPlan(slot, held, commands, options, report, rules)) ok = false;
  }
  if (!ok)
    cv::ShowBox(report.Ask(), cv::Msg(msg::xr9out::NotCompatible), cv::Msg(msg::xr9out::PlansErrorCaption),
                cv::MsgIcon::Warning);
  return ok;
}

}  // namespace cv::dv8
