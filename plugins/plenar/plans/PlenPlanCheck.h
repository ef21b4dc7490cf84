#pragma once
// Whether a CORVANE-PLENAR canalization may go to the connected meter: every used plan against
// the options "*?ID" reported (its band, the measures its plan and channel commands ask for,
// channels below 45 MHz). Every finding is a line of the host log; the check goes on after one
// and, when anything was found, ends with one box.
#include "InstalledOptions.h"
#include "PlanReport.h"
#include "PlanSlot.h"

namespace cv::plenar {

// The option flags the check reads.
constexpr int kFlagDab = 0;
constexpr int kFlagBerCofdm = 6;
constexpr int kFlagBerQam = 7;
constexpr int kFlagBerQpsk = 8;
constexpr int kFlagBelow45MHz = 14;
constexpr int kFlagTerBand = 15;
constexpr int kFlagSatBand = 16;

// `options` null: the meter did not report them (its query has shown its own box); the check
// logs that and fails without a box of its own.
bool CheckCanalization(const PlanSlots& plans, int slotCount, const TInstalledOptions* options,
                       cv::plan::Report& report);

}  // namespace cv::plenar
