#pragma once
// The CORVANE-PLENAR build of the framework's plan dialogs and canalization scripts: its command
// table, ranges, three bands, writer, dialect, 64 plan slots and the texts that differ.
#include <string>

#include "PlanEditor.h"
#include "PlanFamily.h"
#include "PlenPlanScript.h"

namespace cv::plenar {

// Whether a channel frequency lies in its band: 'T' and 'D' 5 to 862 MHz, 'S' an intermediate
// frequency of 900 to 2150 MHz, both ends included; no other band holds a channel.
bool IsFrequencyInBand(char band, double mhz);

const cv::plan::PlanFamily& PlenPlanFamily();

// The most channels a plan holds, in the channel editor, the plan file readers and the writer:
// the meter's plan takes 2550 bytes of channel data at most, 255 channels of 10 bytes, and its
// header counts the channels in one byte.
constexpr int kMaxChannels = 255;

// The temporary script Save and Send write in the working directory.
constexpr const char* kPlenTempScript = "___CVN__.TMP";

// Writes the editor's canalization into `path` (the saved or the sent variant). False when a
// section failed: the file is then deleted, and a canalization too big for the plan memory also
// leaves its "Big canalization: " line in the host log.
bool WriteCanalizationScript(cv::plan::PlanEditor& editor, const std::string& path,
                             cv::plan::PlanScriptWriter::Variant variant);
// Reads a canalization script into `planSlots` (cleared first); true when every declared plan was
// read whole.
bool ReadCanalizationScript(cv::plan::PlanEditor& editor, const std::string& path, PlanSlots& planSlots);

}  // namespace cv::plenar
