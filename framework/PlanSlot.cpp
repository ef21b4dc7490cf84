#include "PlanSlot.h"

#include <algorithm>

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
