#pragma once
// The check a plan set passes before it is sent: what the connected meter's options cannot take
// is logged line by line in the host's log, then one box says the set was refused. Shared by the
// DV-800 and the CORVANE-2, each with its own command table and option record.
#include "CommandTable.h"
#include "InstalledOptions.h"
#include "PlanReport.h"
#include "PlanSlot.h"

namespace cv::dv8 {

struct PlanCheckRules {
  // Refuse a satellite plan without flag 11 and a terrestrial one without flag 12. Off for the
  // DV-800, whose fixed record clears flag 12 although every plan it holds is terrestrial.
  bool checkBands = false;
  // The band flags as the memory check reads them: a terrestrial plan needs flag 11 and a
  // satellite one flag 12 (the CORVANE-2's "*?ID" positions).
  bool memoryBandFlags = false;
};

// True when every plan passes; false after the refusal lines and the "PLANS ERROR" box.
bool CheckCanalization(const PlanSlots& planSlots, const TCommandTable& commands, const InstalledOptions& options,
                       plan::Report& report, PlanCheckRules rules = {});

}  // namespace cv::dv8
