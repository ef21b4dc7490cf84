#include "PlanSlot.h"

#include <algorithm>

#include "Messages.h"
#include "MsgIds.h"

void SortChannels(std::vector<TChan3>& channels) {
  std::stable_sort(channels.begin(), channels.end(),
                   [](const TChan3& a, const TChan3& b) { return a.word < b.word; });
}

PlanSlot DeepCopyPlan(const PlanSlot& source) {
  PlanSlot copy = source;
  if (!source.channels) return copy;
  copy.channels->clear();
  for (const TChan3& c : *source.channels) {
    copy.channels->push_back(TChan3::FromWord(c.name, c.word, c.bandwidth, source.band,
                                              c.commands[0], c.commands[1], c.commands[2]));
  }
  SortChannels(*copy.channels);
  return copy;
}

namespace {

void SetHeader(PlanInfo& slot, const char* name, const char* countText, const char* codeText, int32_t code) {
  CopyField(slot.name, name);
  CopyField(slot.countText, countText);
  slot.channelCount = 0;
  slot.band = 'T';
  CopyField(slot.lnbText, "00000");
  slot.lnbMHz = 0;
  CopyField(slot.codeText, codeText);
  slot.code = code;
  for (auto& c : slot.commands) c[0] = '\0';
}

void SetHeader(PlanSlot& slot, const char* name, const char* countText, const char* codeText, int32_t code) {
  SetHeader(static_cast<PlanInfo&>(slot), name, countText, codeText, code);
  slot.instrumentPlan = 0;
  slot.memoryAddress = 0;
  slot.unreadChannel = -1;
}

}  // namespace

void ClearPlanHeader(PlanInfo& header) { SetHeader(header, cv::Msg(cv::msg::PlanEmptyName).c_str(), "00", "00", 0); }

void ClearPlan(PlanSlot& slot) {
  SetHeader(slot, cv::Msg(cv::msg::PlanEmptyName).c_str(), "00", "00", 0);
  slot.empty = 1;
  slot.channels.reset();
  slot.origin = PlanSlot::None;
}

void NewPlan(PlanSlot& slot) {
  SetHeader(slot, cv::Msg(cv::msg::PlanNewName).c_str(), "0", "01", 1);
  slot.empty = 0;
  slot.channels.emplace();
  slot.origin = PlanSlot::Created;
}
