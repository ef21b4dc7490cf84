#pragma once
// The CORVANE-PLENAR build of the framework's plan dialogs and canalization scripts: its command
// table, ranges, three bands, writer, dialect, 64 plan slots and the texts that differ.
#include <string>

#include "InstalledOptions.h"
#include "PlanCheck.h"
#include "PlanEditor.h"
#include "PlanFamily.h"
#include "PlenPlanScript.h"

namespace cv::plenar {

const cv::plan::PlanFamily& PlenPlanFamily();

// The plan check's values: the BER COFDM, QAM and QPSK measures and the DAB measure on their
// option flags, channels below 45 MHz, the terrestrial band (DAB plans too) and the satellite
// band on theirs.
const cv::plan::PlanCheckTable& PlenCheckTable();
// The check Send runs over `plans` on the options "*?ID" reported (null: the query went
// unanswered).
bool CheckPlenPlans(const PlanSlots& plans, const TInstalledOptions* options, cv::plan::Report& report);

// The most channels a plan holds, in the channel editor, the plan file readers and the writer:
// the meter's plan takes 2550 bytes of channel data at most, 255 channels of 10 bytes, and its
// header counts the channels in one byte.
constexpr int kMaxChannels = 255;

// The temporary script Save and Send write in the working directory.
constexpr const char* kPlenTempScript = "___CVN__.TMP";

}  // namespace cv::plenar
