#pragma once
// The CORVANE-2 channel-plan editor: the DV-800's editor, script writer and reader and channel
// dialogs on the family's values. The script names the CORVANE-2 and writes a satellite downlink
// with the C-band rule; the plan text file is the framework's (terrestrial and satellite plans);
// the channel dialogs take terrestrial 45 to 862 MHz and satellite 900 to 2150 MHz, while the
// readers take terrestrial channels from 5 MHz so that the plan check judges a low one against
// the meter's options. Send checks the plans against what "*?ID" reports.
#include <functional>
#include <string>

#include "Dv8PlanScript.h"
#include "InstalledOptions.h"
#include "PlanEditor.h"
#include "PlanFamily.h"

namespace cv::cv2 {

class Cv2ScriptWriter : public cv::dv8::Dv8ScriptWriter {
 public:
  Cv2ScriptWriter();
};

// The temporary script Save and Send write in the working directory.
constexpr const char* kCv2TempScript = "___CH2__.TMP";
// The entries of a script's command-code list the reader keeps (later ones are passed over).
constexpr int kCv2CommandListSize = 88;

const cv::plan::PlanFamily& Cv2PlanFamily();

// The options as Send's check gets them: true when the meter reported them.
using OptionsReader = std::function<bool(cv::dv8::InstalledOptions& into)>;

// The plan check's values: the DV-800's with the bands checked on the "*?ID" positions the memory
// check reads too (terrestrial flag 11, satellite flag 12).
cv::plan::PlanCheckTable Cv2CheckTable();

// The check Send runs over the editor's plans on the options "*?ID" reports. Options that could
// not be read fail it with a log line (the query has shown its own box).
bool CheckCv2Plans(cv::plan::PlanEditor& editor, const OptionsReader& readOptions);

}  // namespace cv::cv2
