// The plan editor's attribute lists and typed fields: adding and removing attributes of
// channels and plans, and taking typed names, frequencies, spacings, protection and band into
// the store.
#include <algorithm>
#include <cstring>

#include "Messages.h"
#include "MsgIds.h"
#include "Prompt.h"
#include "Xr9Fields.h"
#include "Xr9PlanEditor.h"

namespace cv::xr9 {

namespace {
namespace m = cv::msg::xr9;
namespace fmt = cv::msg::xr9fmt;
constexpr const char* kNoName = "no-name";
constexpr size_t kTypedNameMax = 50;
constexpr size_t kChannelNameMax = 8;
}  // namespace

bool TPlanEditor::AddChannelAttributeToLines(const std::vector<int>& lines, int id, const uint8_t* value) {
  if (channelIndex < 0 || lines.empty()) {
    ErrorBox(m::NoChannelSelected, fmt::ErrorCaption);
    return false;
  }
  if (planIndex < 0 || id < 0) return true;
  for (int line : lines) SetChannelAttribute(planIndex, line, id, value);
  return true;
}

bool TPlanEditor::AddPlanAttributeToLines(const std::vector<int>& lines, int id, const uint8_t* value) {
  if (planIndex < 0 || lines.empty()) {
    ErrorBox(m::NoPlanSelected, fmt::ErrorCaption);
    return false;
  }
  if (id < 0) return true;
  for (int line : lines) AddPlanAttribute(line, id, value);
  return true;
}

int TPlanEditor::FindPlanAttributeSlot(int slot, int code) const {
  if (slot < 0 || slot >= PlanSlots) return 255;
  for (int i = 0; i < AttrListSize; ++i)
    if (plans[slot].Attributes[i].code == code) return i;
  return 255;
}

int TPlanEditor::FindPlanAttributeEnd(int slot) const { return FindPlanAttributeSlot(slot, TChanAttribute::EndCode); }

void TPlanEditor::RemovePlanAttributeAt(int slot, int position) {
  if (slot < 0 || slot >= PlanSlots || position < 0) return;
  TPlanXR9& p = plans[slot];
  p.Modified = 1;
  for (int i = position; i + 1 < AttrListSize; ++i) {
    if (p.Attributes[i].IsMarker()) break;
    p.Attributes[i] = p.Attributes[i + 1];
  }
}

void TPlanEditor::AddPlanAttribute(int slot, int id, const uint8_t* value) {
  if (slot < 0 || slot >= PlanSlots) return;
  const int existing = FindPlanAttributeSlot(slot, AttributeCodeOfId(id));
  if (existing != 255) RemovePlanAttributeAt(slot, existing);
  const int end = FindPlanAttributeEnd(slot);
  if (end == AttrListSize - 1) {
    ErrorBox(fmt::CannotAddMoreCommands, fmt::UserErrorCaption);
  } else if (end == 255) {
    ErrorBox(fmt::EndOfCommandsNotFound, fmt::CvToolsErrorCaption);
  } else {
    SetPlanAttribute(slot, end, id, value);
  }
}

TChanXR9* TPlanEditor::FocusedChannel() {
  if (planIndex < 0 || planIndex >= PlanSlots || channelIndex < 0) return nullptr;
  TPlanXR9& p = plans[planIndex];
  if (!p.Channels || channelIndex >= static_cast<int>(p.Channels->size())) return nullptr;
  return &(*p.Channels)[channelIndex];
}

bool TPlanEditor::StoreChannelName(const std::string& typed) {
  TChanXR9* chan = FocusedChannel();
  if (!chan) return false;
  plans[planIndex].Modified = 1;
  std::string name = typed.substr(0, kTypedNameMax);
  const size_t first = name.find_first_not_of(' ');
  name = first == std::string::npos ? std::string() : name.substr(first, kChannelNameMax);
  if (name.empty()) name = kNoName;
  std::memset(chan->name, 0, sizeof chan->name);
  std::memcpy(chan->name, name.data(), name.size());
  return true;
}

bool TPlanEditor::StoreChannelFrequency(int64_t typedKhz, bool center, int64_t shownSpacing) {
  TChanXR9* chan = FocusedChannel();
  if (!chan) return false;
  TPlanXR9& p = plans[planIndex];
  p.Modified = 1;
  const uint32_t f = ClampChannelFrequency(typedKhz, p.PlanType);
  SetChannelFrequency(*chan, p.PlanType, center, f, shownSpacing);
  // The list is sorted again; the focus goes to the first line (of the first 160) holding f.
  SortChannels(p);
  channelIndex = 0;
  const int lines = std::min<int>(static_cast<int>(p.Channels->size()), 160);
  for (int i = 0; i < lines; ++i) {
    const TChanXR9& c = (*p.Channels)[i];
    if (c.value1 == f || c.value2 == f) {
      channelIndex = i;
      break;
    }
  }
  return true;
}

bool TPlanEditor::StoreChannelSpacing(int64_t typedKhz) {
  TChanXR9* chan = FocusedChannel();
  if (!chan) return false;
  plans[planIndex].Modified = 1;
  SetChannelSpacing(*chan, ClampChannelSpacing(typedKhz));
  return true;
}

bool TPlanEditor::StorePlanName(const std::string& typed) {
  if (planIndex < 0 || planIndex >= PlanSlots) return false;
  TPlanXR9& p = plans[planIndex];
  p.Modified = 1;
  std::string name = typed.substr(0, PlanNameMax);
  if (const size_t nul = name.find('\0'); nul != std::string::npos) name.resize(nul);
  p.Name = name.empty() ? kNoName : name;
  return true;
}

bool TPlanEditor::StorePlanModifiable(bool modifiable) {
  if (planIndex < 0 || planIndex >= PlanSlots) return false;
  TPlanXR9& p = plans[planIndex];
  const bool sat = p.PlanType == 5;
  p.FileType = modifiable ? (sat ? 5 : 2) : (sat ? 4 : 1);
  return true;
}

bool TPlanEditor::StorePlanBand(bool satellite) {
  if (planIndex < 0 || planIndex >= PlanSlots) return false;
  TPlanXR9& p = plans[planIndex];
  p.Modified = 1;
  if (satellite) {
    if (p.FileType == 1) p.FileType = 4;
    if (p.FileType == 2) p.FileType = 5;
    p.PlanType = 5;
  } else {
    if (p.FileType == 4) p.FileType = 1;
    if (p.FileType == 5) p.FileType = 2;
    p.PlanType = 7;
  }
  return true;
}

}  // namespace cv::xr9
