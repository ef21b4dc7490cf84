#pragma once
// The check a plan set passes before it is sent: what the connected meter's options cannot take
// is logged line by line in the host's log, then one box says the set was refused. One check for
// every family that has one; a family hands its command table and which option flag stands for
// which measure, band and channels below 45 MHz.
#include <cstdint>
#include <optional>
#include <span>

#include "CommandTable.h"
#include "PlanReport.h"
#include "PlanSlot.h"

namespace cv::plan {

// A measure command a meter may lack, and the option flag that gives it.
struct CheckedMeasure {
  int32_t code;
  int flag;
  // How a channel's use of it is found and told: in the commands the channel is tuned with (one
  // for a terrestrial or DAB channel, three for a satellite one), in a line naming the channel;
  // or in all three of its commands, in a line naming the plan only.
  bool tunedCommandsOnly;
};

struct PlanCheckTable {
  const TCommandTable* commands;
  std::span<const CheckedMeasure> measures;  // in the order they are checked
  int below45MHzFlag;
  // The flags of the terrestrial band (a DAB plan's as well) and of the satellite band; -1: the
  // family's plans are not checked for their band.
  int terrestrialBandFlag = -1;
  int satelliteBandFlag = -1;
};

// The options a meter has, one byte a flag by position; a flag past the end is clear.
using OptionFlags = std::span<const uint8_t>;

// True when every plan passes; false after the refusal lines and the "PLANS ERROR" box. A plan
// refused for its band or for a channel below 45 MHz is examined no further; every other finding
// is logged and the check goes on. Options the meter did not report (none: its query has shown
// its own box) fail the check with a log line and no box of its own.
bool CheckPlansAgainstOptions(const PlanSlots& planSlots, const PlanCheckTable& table,
                              std::optional<OptionFlags> options, Report& report);

}  // namespace cv::plan
