#pragma once
// The programming script of a canalization: the PRO script that Save keeps and Send runs, and
// that the plan import reads back. Plain text generation; reading received plans' channels from
// the instrument beforehand is the editor's business.
#include <string>

#include "PlanSlot.h"

// The command tables are declared here only: the free CORVANE-3 lookups of CommandTable.h would
// meet other families' lookups of the same names in their callers.
class TCommandTable;
extern const TCommandTable kCv3CommandTable;

namespace cv::plan {

// Plan memory as the script lays it out: plans from 0x0400 in blocks of 0x500 bytes, one block
// per started 128 channels; within a block 10 bytes per channel and 2 per command offset.
constexpr uint16_t kFirstPlanAddress = 0x0400;
constexpr uint16_t kPlanBlockBytes = 0x500;
constexpr int kChannelsPerBlock = 128;
constexpr int kChannelBytes = 10;
constexpr int kCommandBytes = 2;
// A plan is refused once its channels already take more than this many bytes before the next.
constexpr int kPlanByteLimit = 1270;

// The rule line that separates the script's sections.
constexpr const char* kScriptRule = "#----------------------------------------------";

// Lines of a script being written, each ended by a line feed.
class ScriptLines {
 public:
  ScriptLines& operator<<(const std::string& line) {
    text += line;
    text += '\n';
    return *this;
  }
  std::string text;
};

// The script writer, one section an operation, so that a family whose script differs replaces
// only the sections it words otherwise. This class writes the CORVANE-3 script, whose saved and
// sent variants are alike.
class PlanScriptWriter {
 public:
  enum Variant { Saved = 0, Sent = 1 };
  explicit PlanScriptWriter(const TCommandTable& commands = kCv3CommandTable) : commands(commands) {}
  virtual ~PlanScriptWriter() = default;

  // The script of every slot that holds a plan, in slot order; every such plan's channels must be
  // in memory. Sets `memoryAddress` of each written plan. On a plan the instrument cannot hold
  // (more than 128 channels, or too many command bytes) returns false with the message naming it.
  bool Build(PlanSlots& planSlots, Variant variant, std::string& script, std::string& error) const;

  // The host log's line that goes with a refusal of Build over these plans (beside its message);
  // empty when the refusal has none.
  virtual std::string RefusalLogLine(const PlanSlots&) const { return {}; }

  // The text of one plan header or channel line, as the script writes them.
  virtual std::string HeaderLine(const PlanSlot& slot, uint16_t address) const;
  virtual std::string ChannelLine(const PlanSlot& slot, const TChan3& chan, int index) const;

 protected:
  virtual void WriteScriptHeader(ScriptLines& out) const;
  virtual void WriteBootSection(ScriptLines& out) const;
  // The start of the sent variant; the CORVANE-3 instrument takes the saved one.
  virtual void WriteQuickStartSection(ScriptLines& out) const { WriteBootSection(out); }
  virtual void WriteDirectorySection(ScriptLines& out, int plans) const;
  virtual void WriteLimitsComment(ScriptLines& out) const;
  virtual void WritePlanHeaders(ScriptLines& out, PlanSlots& planSlots) const;
  virtual void WriteCommandCodes(ScriptLines& out) const;
  virtual void WriteFrequencyConstants(ScriptLines& out) const;
  virtual bool WritePlans(ScriptLines& out, const PlanSlots& planSlots, std::string& error) const;
  virtual void WriteEndSection(ScriptLines& out) const;
  virtual void WriteQuickEndSection(ScriptLines& out) const { WriteEndSection(out); }

  // Whether a channel costing `channelBytes` may follow `planBytes` of a plan's channel data:
  // here while the data so far stays within PlanByteLimit().
  virtual bool ChannelFits(int planBytes, int channelBytes) const;

  // HEADER3's band number of a plan's band: 5 satellite, 7 terrestrial.
  virtual int BandNumber(char band) const { return band == 'S' ? 5 : 7; }
  // The 0x500-byte blocks of plan memory a plan takes: one per started 128 channels, at least one.
  virtual int PlanBlocks(const PlanSlot& slot) const;
  // A plan's limits: the most channels (0: no such limit), the channel bytes already written
  // above which the next channel refuses the plan, and that refusal's text.
  virtual int PlanChannelLimit() const { return kMaxPlanChannels; }
  virtual int PlanByteLimit() const { return kPlanByteLimit; }
  virtual std::string PlanTooBigText(const PlanSlot& slot) const;
  // What stands between a COMMAND3 statement and its comment.
  virtual const char* CommandCommentGap() const { return "\t"; }
  // The plan offset a command mnemonic is written as; -1 (0xFFFF) for none.
  int16_t PlanOffsetOf(const char* mnemonic) const;
  // The downlink text of a satellite channel that reads back into the channel's own word.
  std::string DownlinkText(const PlanSlot& slot, const TChan3& chan) const;

  const TCommandTable& commands;
  // CHAN3S downlinks as oscillator plus intermediate frequency whatever the oscillator, as a
  // dialect with ScriptDialect::plainIntermediate reads them; else the C-band rule.
  bool plainDownlink = false;
  // The meter's name line of the header and the comment before the power-on lines.
  const char* modelLine = "# CORVANE-3";
  const char* powerOnComment = "# try to POWER ON CORVANE-3";
};

// The CORVANE-3 script (both variants alike).
bool BuildPlanScript(PlanSlots& planSlots, std::string& script, std::string& error);

// The CORVANE-3 header and channel lines.
std::string HeaderLine(const PlanSlot& slot, uint16_t address);
std::string ChannelLine(const PlanSlot& slot, const TChan3& chan, int index);

// The loader file the script's boot section sends to the instrument.
constexpr const char* kLoaderFile = "update.hex";
// The temporary script Save and Send write in the working directory.
constexpr const char* kTempScript = "___CH3__.TMP";

}  // namespace cv::plan
