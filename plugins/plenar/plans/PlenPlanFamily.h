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

// Whether a channel frequency lies in its band: 'T' and 'D' 5 to 862 MHz, 'S' an intermediate
// frequency of 900 to 2150 MHz, both ends included; no other band holds a channel.
bool IsFrequencyInBand(char band, double mhz);

const cv::plan::PlanFamily& PlenPlanFamily();

// The plan check's values: the BER COFDM, QAM and QPSK measures on option flags 6, 7 and 8, the
// DAB measure on flag 0, channels below 45 MHz on flag 14, the terrestrial band (DAB plans too)
// on flag 15 and the satellite band on flag 16.
const cv::plan::PlanCheckTable& PlenCheckTable();
// The check Send runs over `plans` on the options "*?ID" reported (null: the query went
// unanswered).
bool CheckCanalization(const PlanSlots& plans, const TInstalledOptions* options, cv::plan::Report& report);

// The most channels the channel editor lets a plan hold.
constexpr int kMaxChannels = 256;

// The temporary script Save and Send write in the working directory.
constexpr const char* kPlenTempScript = "___CVN__.TMP";

}  // namespace cv::plenar
