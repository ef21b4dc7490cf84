#pragma once
// The CORVANE-PLENAR canalization script: the CORVANE-4 writer with this family's model, 64 plan
// slots, DAB plans (band number 8, CHAND lines), terrestrial bandwidths in hundredths of MHz
// (CHAN3T writes them in MHz with two decimals), plan memory assigned by each plan's size, a
// sent variant that clears the plans by command whatever the firmware, and the family's limits.
#include "Cv4PlanScript.h"
#include "PlanSlot.h"

#include <string>
#include <vector>

namespace cv::plenar {

// Plan memory a canalization may reach, and the most channel bytes a plan may hold.
constexpr unsigned kPlanMemoryEnd = 0xFA00;
constexpr int kPlanByteLimit = 2550;

// Bytes a plan takes in the instrument: 10 a channel and 2 a command the table knows (one
// command slot of a terrestrial or DAB channel, three of a satellite one).
int PlanMemorySize(const PlanSlot& slot);

class PlenScriptWriter : public cv::cv4::Cv4ScriptWriter {
 public:
  PlenScriptWriter();

  std::string ChannelLine(const PlanSlot& slot, const TChan3& chan, int index) const override;
  // "Big canalization: <address> bytes" when the plans reach past the plan memory.
  std::string RefusalLogLine(const PlanSlots& planSlots) const override;
  // The COMMAND3 lines of the command-code list, as the script writes them.
  std::vector<std::string> CommandCodeLines() const;

 protected:
  void WriteQuickStartSection(cv::plan::ScriptLines& out) const override;
  void WriteLimitsComment(cv::plan::ScriptLines& out) const override;
  bool WritePlans(cv::plan::ScriptLines& out, const PlanSlots& planSlots, std::string& error) const override;
  void WriteQuickEndSection(cv::plan::ScriptLines& out) const override;
  int BandNumber(char band) const override;
  int PlanBlocks(const PlanSlot& slot) const override;
  int PlanChannelLimit() const override;
  int PlanByteLimit() const override { return kPlanByteLimit; }
  std::string PlanTooBigText(const PlanSlot& slot) const override;
  const char* CommandCommentGap() const override { return "   "; }

 private:
  // The plans placed in plan memory from 0x0400 on, in slot order, up to the first that does not
  // fit: a plan above kPlanByteLimit, or the address past kPlanMemoryEnd it takes the
  // canalization to (0 when everything fits).
  struct Placement {
    const PlanSlot* tooBig = nullptr;
    unsigned overflowAddress = 0;
  };
  Placement PlacePlans(const PlanSlots& planSlots) const;
};

const PlenScriptWriter& ScriptWriter();

}  // namespace cv::plenar
