#pragma once
// The DV-800 plan script and the plan dialogs' family record. The script is the framework's with
// this meter's name in its header and power-on comment, satellite downlinks written as oscillator
// plus intermediate frequency, and a plan's channel data held to its 1280-byte block exactly. The
// CORVANE-2 plug-in builds its own record over the same writer.
#include <string>

#include "PlanCheck.h"
#include "PlanEditor.h"
#include "PlanFamily.h"
#include "PlanScript.h"

namespace cv::dv8 {

class Dv8ScriptWriter : public cv::plan::PlanScriptWriter {
 public:
  explicit Dv8ScriptWriter(const TCommandTable& commands);

 protected:
  // A channel is refused when it would take the plan's data past its block.
  bool ChannelFits(int planBytes, int channelBytes) const override;
};

// The temporary script Send writes in the working directory (Save writes the framework's).
constexpr const char* kDv8TempScript = "_DV800__.TMP";
// The entries of a script's command-code list the reader keeps (later ones are passed over).
constexpr int kDv8CommandListSize = 74;

// The channel dialogs' satellite frequencies: the meter adds its oscillator plainly, with no
// C-band case.
float IFToFreq(float oscillatorMHz, float intermediateMHz);
float FreqToIF(float oscillatorMHz, float frequencyMHz);

// The plan check's values over a family's table (the DV-800's or the CORVANE-2's): the BER COFDM
// measure on option flag 2 and channels below 45 MHz on flag 10, the bands not checked.
cv::plan::PlanCheckTable Dv8CheckTable(const TCommandTable& commands);

// Send asks the meter first, then writes the script and checks it against the fixed options; a
// received plan whose channels stop coming is named in the log and a "PLANS ERROR" box.
const cv::plan::PlanFamily& Dv8PlanFamily();

// Writes the plan script of the editor's plans into `path`: received plans' channels are read
// from the meter first, and a refused plan set leaves no file. False when nothing was written.
bool WritePlanScript(cv::plan::PlanEditor& editor, const std::string& path);
// Reads the plans of a plan script into `planSlots` (cleared first); true when every plan of its
// directory was read whole.
bool ReadPlanScript(cv::plan::PlanEditor& editor, const std::string& path, PlanSlots& planSlots);

}  // namespace cv::dv8
