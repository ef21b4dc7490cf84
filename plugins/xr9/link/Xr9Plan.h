#pragma once
// Binary channel plans of the TV MIRELTO analyser: the channel and plan records, the decoder of
// the binary layout (received plans, ".CAN" files and the plan inside every data-logger file),
// the writer, and copying plan attributes onto channels. Plain functions; the equipment object
// forwards to them.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "Xr9Attributes.h"

namespace cv {
class Prompter;
}

namespace cv::xr9 {

// Where messages and log lines go: boxes through a prompter (the one in force when none is
// given), lines to the host log (LogMemo) and to the plan editor's log zone.
using LogSink = std::function<void(const std::string&)>;
struct PlanSinks {
  Prompter* prompter = nullptr;
  LogSink hostLog;
  LogSink editorLog;
  Prompter& Boxes() const;
};

uint16_t ReadU16LE(const uint8_t* p);
uint32_t ReadU24LE(const uint8_t* p);
uint32_t ReadU32LE(const uint8_t* p);
void WriteU32LE(uint32_t value, uint8_t* p);

// A reader that knows where its buffer ends: every read past the end fails and leaves the
// position where it was.
class ByteReader {
 public:
  ByteReader(const uint8_t* data, size_t size) : data_(data), size_(size) {}
  bool U8(uint8_t& v);
  bool U16(uint16_t& v);
  bool U24(uint32_t& v);
  bool U32(uint32_t& v);
  bool Bytes(size_t n, const uint8_t*& at);  // points at the next n bytes and steps over them
  bool Skip(size_t n);
  size_t Pos() const { return pos_; }
  size_t Left() const { return size_ - pos_; }

 private:
  const uint8_t* data_;
  size_t size_;
  size_t pos_ = 0;
};

struct TChanXR9 {
  char name[9] = {};  // the 8 stored bytes as they are (left padding included) and a NUL
  uint32_t value1 = 0;  // kHz
  uint32_t value2 = 0;  // kHz
  TChanAttribute attrs1[AttrListSize];  // up to 14 records and the end marker
  TChanAttribute attrs2[AttrListSize];  // read and kept, never written

  TChanXR9() = default;
  // Name bytes (the first 8 are kept), both values, and the records of each list (at most 14
  // each; the marker is added).
  TChanXR9(std::string_view name8, uint32_t v1, uint32_t v2, const std::vector<TChanAttribute>& list1 = {},
           const std::vector<TChanAttribute>& list2 = {});
};

constexpr int PlanSlots = 450;
constexpr size_t PlanNameMax = 12;

struct TPlanXR9 {
  uint8_t Modified = 0;
  uint8_t InUse = 0;     // 0 free, 1 received from the analyser, 3 loaded, imported or created
  uint8_t FileType = 1;  // 1, 2 terrestrial (protected, modifiable); 4, 5 satellite
  std::string FilePath;  // up to 260 characters
  std::string Name;      // up to 12 characters
  uint8_t PlanType = 7;  // 7 terrestrial, any other value satellite
  uint32_t ChannelCount = 0;
  std::optional<std::vector<TChanXR9>> Channels;  // absent until the slot first holds channels
  TChanAttribute Attributes[AttrListSize];        // plan attributes and their end marker
};

// Fills an empty plan record (in use, no channel list) from a binary plan of `size` bytes. A
// refusal shows its message and leaves the record unchanged; false then.
bool DecodeBinaryPlan(TPlanXR9& plan, const uint8_t* data, size_t size, const PlanSinks& sinks);

// Writes `plan` (held in slot `slot` of the editor) as a binary plan file at `path`. The file is
// written beside `path` and renamed over it only when complete, so a failure leaves no file and
// keeps a file that stood there.
bool WriteBinaryPlan(const std::string& path, const TPlanXR9& plan, int slot, const PlanSinks& sinks);
// The two halves of the layout, appended to `out`; the header refuses what cannot be written.
bool WriteBinaryPlanHeader(std::vector<uint8_t>& out, const TPlanXR9& plan, int slot, const PlanSinks& sinks);
void WriteBinaryPlanChannels(std::vector<uint8_t>& out, const TPlanXR9& plan);

// Reads the ".CAN" file named by the plan's FilePath (with or without its 16-byte header) and
// decodes it into the plan.
bool ReadCanFile(TPlanXR9& plan, const PlanSinks& sinks);
// Where the plan of a ".CAN" file image starts: 16 when bytes 1, 2 and 3 are all 255, else 0.
size_t CanHeaderSize(const uint8_t* data, size_t size);

// Plan attributes onto channels.
void ApplyPlanAttributes(TPlanXR9& plan, const PlanSinks& sinks);
void AddPlanAttributeToChannel(TPlanXR9& plan, int channel, int id, const uint8_t* value, const PlanSinks& sinks);
int FindChannelAttributeSlot(const TPlanXR9& plan, int channel, int code);  // position or 255
int FindChannelAttributeEnd(const TPlanXR9& plan, int channel);             // position or 255
void SetChannelAttributeAt(TPlanXR9& plan, int channel, int position, int id, const uint8_t* value);

// Attribute searches of a channel (list 1) and of a plan.
void FindChannelAttribute(const TChanXR9& chan, int code, TChanAttribute& out);
void FindTypeAttribute(const TChanXR9& chan, TChanAttribute& out);
void FindSysAttribute(const TChanXR9& chan, TChanAttribute& out);
void FindPlanAttribute(const TPlanXR9& plan, int code, TChanAttribute& out);
std::string ChannelAttributeText(const TChanXR9& chan, int code);

}  // namespace cv::xr9
