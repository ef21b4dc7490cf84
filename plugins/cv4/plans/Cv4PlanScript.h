#pragma once
// The CORVANE-4 canalization script: the framework's writer with this family's header, start,
// directory and end sections and its command table. The saved variant boots the meter and starts
// its resident loader; the sent one clears the plans of a firmware that can, and boots only older
// ones.
#include "PlanEditor.h"
#include "PlanScript.h"

namespace cv::cv4 {

class Cv4ScriptWriter : public cv::plan::PlanScriptWriter {
 public:
  Cv4ScriptWriter();

 protected:
  // A descendant family's writer: its command table and its model name, which the header and
  // the saved variant's power-on comment give.
  Cv4ScriptWriter(const TCommandTable& commands, const char* model);
  const char* model = "CORVANE-4";

  void WriteScriptHeader(cv::plan::ScriptLines& out) const override;
  void WriteBootSection(cv::plan::ScriptLines& out) const override;
  void WriteQuickStartSection(cv::plan::ScriptLines& out) const override;
  void WriteDirectorySection(cv::plan::ScriptLines& out, int plans) const override;
  void WriteEndSection(cv::plan::ScriptLines& out) const override;
  void WriteQuickEndSection(cv::plan::ScriptLines& out) const override;
};

// The firmware from which on the meter clears its plans by command instead of by its loader.
constexpr double kQuickTransferAbove = 1.95;
// The temporary script Save and Send write in the working directory.
constexpr const char* kCv4TempScript = "___CH4__.TMP";

}  // namespace cv::cv4
