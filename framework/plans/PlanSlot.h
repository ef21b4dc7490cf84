#pragma once
// One plan slot of the channel-plan editor: the plan header, its channels and where it came
// from. The channel list editor works on a copy of one slot.
#include <cstdint>
#include <optional>
#include <vector>

#include "Chan3.h"

constexpr int kMaxPlanChannels = 128;

struct PlanSlot : PlanInfo {
  uint8_t empty = 1;                            // 1 = no plan in the slot
  std::optional<std::vector<TChan3>> channels;  // kept sorted by ascending PLL word; none = no list
  int32_t origin = 0;  // 0 none, 1 created, 2 imported from a script, 3 received (channels unread),
                       // 4 read from a plan text file
  int32_t instrumentPlan = 0;
  uint16_t memoryAddress = 0;
  // A received plan whose channels did not all arrive: the index of the first channel the
  // instrument did not give, -1 when none is missing. A script of it would send a shorter plan
  // than the instrument holds, so it is not written until its channels are read whole or the
  // person rebuilds them.
  int32_t unreadChannel = -1;

  enum Origin : int32_t { None = 0, Created = 1, Imported = 2, Received = 3, FromTextFile = 4 };
  bool HoldsPlan() const { return empty == 0; }
  bool ChannelsUnread() const { return origin == Received && Channels().empty(); }
  bool Incomplete() const { return unreadChannel >= 0; }
  // The channel list; a slot without one reads as an empty list and gets one when written to.
  std::vector<TChan3>& Channels() {
    if (!channels) channels.emplace();
    return *channels;
  }
  const std::vector<TChan3>& Channels() const {
    static const std::vector<TChan3> none;
    return channels ? *channels : none;
  }
};

#include <array>
// The slots of the largest family's plan set; a family uses the first PlanFamily::planSlots.
constexpr int kPlanSlots = 64;
using PlanSlots = std::array<PlanSlot, kPlanSlots>;

// Slot defaults: a cleared slot (no channel list) and a new plan (an empty one). ClearPlanHeader
// is the header part of ClearPlan, for the other families' import slots that share the header.
void ClearPlanHeader(PlanInfo& header);
void ClearPlan(PlanSlot& slot);
void NewPlan(PlanSlot& slot);

// Ascending PLL word, which is ascending frequency; channels of the same word keep their order.
void SortChannels(std::vector<TChan3>& channels);
// A copy whose channels are rebuilt from their words with the plan's band (frequency, second
// word and bandwidth recomputed), the working copy of the channel list editor.
PlanSlot DeepCopyPlan(const PlanSlot& source);
