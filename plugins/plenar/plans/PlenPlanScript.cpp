#include "PlenPlanScript.h"

#include "ChanPlen.h"
#include "Commandsplen.h"
#include "Format.h"
#include "Messages.h"
#include "MsgIds.h"
#include "PlanFormat.h"
#include "PlenPlanFamily.h"

namespace cv::plenar {

using cv::plan::ScriptLines;
using cv::plan::kScriptRule;

int PlanMemorySize(const PlanSlot& slot) {
  const int commandSlots = cv::IsSatelliteBand(slot.band) ? 3 : 1;
  int bytes = 0;
  for (const TChan3& chan : slot.Channels()) {
    bytes += cv::plan::kChannelBytes;
    for (int c = 0; c < commandSlots; ++c)
      if (kCommandsPlen.PlanOffsetOfMnemonic(chan.commands[c]) != -1) bytes += cv::plan::kCommandBytes;
  }
  return bytes;
}

PlenScriptWriter::PlenScriptWriter() : Cv4ScriptWriter(kCommandsPlen, "CORVANE-PLENAR") {}

const PlenScriptWriter& ScriptWriter() {
  static const PlenScriptWriter writer;
  return writer;
}

int PlenScriptWriter::PlanChannelLimit() const { return kMaxChannels; }

int PlenScriptWriter::BandNumber(char band) const { return band == 'S' ? 5 : IsDabBand(band) ? 8 : 7; }

int PlenScriptWriter::PlanBlocks(const PlanSlot& slot) const {
  const int bytes = PlanMemorySize(slot);
  const int blocks = (bytes + cv::plan::kPlanBlockBytes - 1) / cv::plan::kPlanBlockBytes;
  return blocks < 1 ? 1 : blocks;
}

PlenScriptWriter::Placement PlenScriptWriter::PlacePlans(const PlanSlots& planSlots) const {
  Placement placed;
  unsigned address = cv::plan::kFirstPlanAddress;
  for (const PlanSlot& slot : planSlots) {
    if (!slot.HoldsPlan()) continue;
    // Checked whole: a plan one channel past the limit would still pass a check made before
    // each channel, and its count would no longer fit the header's byte.
    if (PlanMemorySize(slot) > kPlanByteLimit) {
      placed.tooBig = &slot;
      return placed;
    }
    address += static_cast<unsigned>(PlanBlocks(slot)) * cv::plan::kPlanBlockBytes;
    if (address > kPlanMemoryEnd) {
      placed.overflowAddress = address;
      return placed;
    }
  }
  return placed;
}

std::string PlenScriptWriter::RefusalLogLine(const PlanSlots& planSlots) const {
  const Placement placed = PlacePlans(planSlots);
  if (placed.tooBig || !placed.overflowAddress) return {};
  return cv::plan::Fill(cv::Msg(msg::plenar::BigCanalizationLog), {std::to_string(placed.overflowAddress)});
}

std::vector<std::string> PlenScriptWriter::CommandCodeLines() const {
  ScriptLines out;
  WriteCommandCodes(out);
  std::vector<std::string> lines;
  size_t at = 0;
  for (size_t end; (end = out.text.find('\n', at)) != std::string::npos; at = end + 1) {
    std::string line = out.text.substr(at, end - at);
    if (line.rfind("COMMAND3", 0) == 0) lines.push_back(std::move(line));
  }
  return lines;
}

std::string PlenScriptWriter::PlanTooBigText(const PlanSlot& slot) const {
  return cv::plan::Fill(cv::Msg(msg::plenar::PlanTooBig), {cv::plan::ShownName(slot.name)});
}

void PlenScriptWriter::WriteQuickStartSection(ScriptLines& out) const {
  out << "SEND *SP0" << "SEND *FRT363B" << "SEND *SY00" << "SEND *ME0"
      << "# Channels erase---------------------------" << "SEND *CC" << "WAIT 3";
}

void PlenScriptWriter::WriteLimitsComment(ScriptLines& out) const {
  // The first line is the instrument's old comment: the limit that holds is 64 plans.
  out << "# Max. number of plans per canalization --> 32"
      << "# Max. number of channels per plan (1280 bytes/plan):"
      << "# - TER with 0 commands (10 bytes/channel) --> 128 channels/plan"
      << "# - TER with 1 command  (12 bytes/channel) --> 106 channels/plan"
      << "# - DAB with 0 commands (10  bytes/channel) --> 128 channels/plan"
      << "# - DAB with 1 command  (12 bytes/channel) --> 106 channels/plan"
      << "# - SAT with 0 commands (10 bytes/channel) --> 128 channels/plan"
      << "# - SAT with 1 command  (12 bytes/channel) --> 106 channels/plan"
      << "# - SAT with 2 commands (14 bytes/channel) --> 91 channels/plan"
      << "# - SAT with 3 commands (16 bytes/channel) --> 80 channels/plan";
}

bool PlenScriptWriter::WritePlans(ScriptLines& out, const PlanSlots& planSlots, std::string& error) const {
  // The headers placed every plan; one that ends past the plan memory does not fit.
  const Placement placed = PlacePlans(planSlots);
  if (placed.tooBig) {
    error = PlanTooBigText(*placed.tooBig);
    return false;
  }
  if (placed.overflowAddress) {
    error = cv::plan::Fill(cv::Msg(msg::plenar::CanalizationTooBig), {std::to_string(placed.overflowAddress)});
    return false;
  }
  return PlanScriptWriter::WritePlans(out, planSlots, error);
}

std::string PlenScriptWriter::ChannelLine(const PlanSlot& slot, const TChan3& chan, int index) const {
  if (cv::IsSatelliteBand(slot.band)) return PlanScriptWriter::ChannelLine(slot, chan, index);
  const std::string head = std::to_string(index) + ", " + cv::plan::ScriptSafeName(chan.name) + ", " +
                           cv::PrintfFixed(chan.frequency, 3, 2) + ", ";
  const std::string command = "0x" + cv::plan::Hex(static_cast<uint16_t>(PlanOffsetOf(chan.commands[0])), 4) + ")";
  if (IsDabBand(slot.band)) return "CHAND (" + head + command;
  return "CHAN3T (" + head + cv::PrintfFixed(chan.bandwidth * 0.01, 2, 2) + ", " + command;
}

void PlenScriptWriter::WriteQuickEndSection(ScriptLines& out) const {
  out << kScriptRule << "SEND *FL:00000001FF" << "# Executing Firmware App (*CC done)" << "WAIT 3" << "ALERT"
      << "ALERT" << "ALERT" << "# END OF CANALIZATION";
}

}  // namespace cv::plenar
