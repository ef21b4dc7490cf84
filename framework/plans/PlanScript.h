#pragma once
// The programming script of a canalization: the PRO script that Save keeps and Send runs, and
// that the plan import reads back. Plain text generation; reading received plans' channels from
// the instrument beforehand is the editor's business.
#include <string>

#include "PlanSlot.h"

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

// The script of every slot that holds a plan, in slot order; every such plan's channels must be
// in memory. Sets `memoryAddress` of each written plan. On a plan the instrument cannot hold
// (more than 128 channels, or too many command bytes) returns false with the message naming it.
bool BuildPlanScript(PlanSlots& planSlots, std::string& script, std::string& error);

// The text of one plan header or channel line, as the script writes them.
std::string HeaderLine(const PlanSlot& slot, uint16_t address);
std::string ChannelLine(const PlanSlot& slot, const TChan3& chan, int index);

// The loader file the script's boot section sends to the instrument.
constexpr const char* kLoaderFile = "update.hex";
// The temporary script Save and Send write in the working directory.
constexpr const char* kTempScript = "___CH3__.TMP";

}  // namespace cv::plan
