#pragma once
// One of the channel-plan editor's 32 slots: a plan header and the plan's channels.
#include <array>
#include <cstdint>
#include <vector>

#include "Chan3.h"

struct PlanSlot : PlanInfo {
  // Where the plan came from; a received plan's channels are read from the instrument only when
  // they are needed (editing, extracting, saving, sending).
  enum Origin : int32_t { None = 0, Created = 1, Imported = 2, Received = 3, FromTextFile = 4 };

  uint8_t empty = 1;              // 1 = slot empty
  std::vector<TChan3> channels;   // kept sorted by ascending PLL word
  int32_t origin = None;
  int32_t instrumentPlan = 0;     // plan number in the instrument or in the source, 0-based
  uint16_t memoryAddress = 0;     // plan address in plan memory, set by script writing and import

  bool HoldsPlan() const { return empty == 0; }
  bool ChannelsUnread() const { return origin == Received && channels.empty(); }
};

constexpr int kPlanSlots = 32;
constexpr int kMaxPlanChannels = 128;
using PlanSlots = std::array<PlanSlot, kPlanSlots>;

// Sorts a plan's channels by ascending PLL word, which is the order of frequency.
void SortChannels(std::vector<TChan3>& channels);

// Slot defaults: a cleared slot and a new plan.
void ClearPlan(PlanSlot& slot);
void NewPlan(PlanSlot& slot);
