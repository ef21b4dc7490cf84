#include "Xr9PlanEditor.h"

#include <algorithm>
#include <cstdio>

#include "BusyCursor.h"
#include "Format.h"
#include "Messages.h"
#include "MsgIds.h"
#include "PlanSlot.h"
#include "Prompt.h"
#include "Xr9Equip.h"
#include "Xr9Transfer.h"

namespace cv::xr9 {

namespace {

namespace m = cv::msg::xr9;
namespace fmt = cv::msg::xr9fmt;

constexpr const char* kNoName = "no-name";
constexpr int kNamesInQuestion = 5;

TChanAttribute AttributeRecord(int id, const uint8_t* value) {
  TChanAttribute a;
  const TAttributeEntry* row = AttributeById(id);
  a.code = row ? row->code : AttributeCodeOfId(id);
  const uint8_t* bytes = value ? value : (row ? row->value : nullptr);
  for (int i = 0; i < 4; ++i) a.value[i] = bytes ? bytes[i] : 0;
  return a;
}

bool HasChannels(const TPlanXR9& plan) { return plan.Channels && !plan.Channels->empty(); }

// The fields that travel with a plan when it moves: all of them (Modified too, so a changed plan
// keeps its mark and a freed slot carries none).
void SwapPlans(TPlanXR9& a, TPlanXR9& b) { std::swap(a, b); }

}  // namespace

void ClearImportSlot(ImportSlot& slot) {
  ClearPlanHeader(slot);
  slot.empty = 1;
  slot.channels.reset();
  slot.kind = 2;
  slot.index = 0;
  slot.address = 0;
}

TPlanEditor::TPlanEditor(TXR9Equip& equip, cv::Prompter& prompter, EditorView& view)
    : plans(PlanSlots), directory(PlanSlots), imports(ImportSlots), workBuffer(kWorkBufferBytes),
      equip(equip), prompter(prompter), view(view) {
  for (ImportSlot& s : imports) ClearImportSlot(s);
}

TPlanEditor::~TPlanEditor() = default;

void TPlanEditor::Log(const std::string& line) { equip.Log(line); }
void TPlanEditor::LogZone(const std::string& line) { view.AddLogZone(line); }

PlanSinks TPlanEditor::Sinks() {
  PlanSinks s;
  s.prompter = &prompter;
  s.hostLog = [this](const std::string& line) { Log(line); };
  s.editorLog = [this](const std::string& line) { LogZone(line); };
  return s;
}

void TPlanEditor::ErrorBox(int textId, int captionId) {
  cv::ShowBox(prompter, cv::Msg(textId), cv::Msg(captionId), cv::MsgIcon::Error);
}

bool TPlanEditor::HasPort() const { return equip.port != nullptr; }

// ---------------------------------------------------------------------------------------------
// What the lists show

int TPlanEditor::ListedPlans() const {
  int n = 0;
  while (n < PlanSlots && !plans[n].Name.empty()) ++n;
  return n;
}

std::string TPlanEditor::BandText(int planType) { return cv::Msg(planType == 5 ? m::BandSat : m::BandTer); }

const std::string& TPlanEditor::FileTypeLabel(int fileType) {
  labelBuffer = TFileTransfer::TypeLabel(fileType);
  return labelBuffer;
}

std::vector<std::string> TPlanEditor::PlanListLines() const {
  std::vector<std::string> lines;
  for (int i = 0, n = ListedPlans(); i < n; ++i)
    lines.push_back("(" + BandText(plans[i].PlanType) + ") " + plans[i].Name);
  return lines;
}

namespace {

std::vector<std::string> AttributeLines(const TChanAttribute* list) {
  std::vector<std::string> lines;
  for (int i = 0; i < AttrListSize && !list[i].IsMarker(); ++i) {
    std::string text = AttributeToText(list[i]);
    lines.push_back(text.empty() ? cv::Msg(m::NoAttributeText) : text);
  }
  return lines;
}

}  // namespace

std::vector<std::string> TPlanEditor::PlanAttributeLines(int plan) const {
  if (plan < 0 || plan >= PlanSlots) return {};
  return AttributeLines(plans[plan].Attributes);
}

std::string TPlanEditor::ChannelLabelText(int plan) const {
  if (plan < 0 || plan >= PlanSlots) plan = 0;
  // No plan to name: the label keeps its caption.
  if (plans[plan].Name.empty()) return cv::Msg(m::ChannelsLabel);
  return cv::Format(cv::Msg(m::ChannelsInPlan), plans[plan].Name);
}

void TPlanEditor::SortChannels(TPlanXR9& plan) {
  if (plan.Channels) std::stable_sort(plan.Channels->begin(), plan.Channels->end(), CompareChannels);
}

std::vector<std::string> TPlanEditor::ChannelListLines(int plan) {
  if (plan < 0) plan = 0;
  if (plan >= PlanSlots || !plans[plan].Channels) return {};
  SortChannels(plans[plan]);
  std::vector<std::string> lines;
  for (const TChanXR9& c : *plans[plan].Channels) {
    char line[64];
    const float mhz = static_cast<float>(c.value1) * 0.001f;
    std::snprintf(line, sizeof line, "%8s (%5.2f)", c.name, static_cast<double>(mhz));
    lines.push_back(line);
  }
  return lines;
}

std::vector<std::string> TPlanEditor::ChannelAttributeLines(int plan, int channel) const {
  if (plan < 0) plan = 0;
  if (plan >= PlanSlots || channel < 0 || !plans[plan].Channels) return {};
  const auto& channels = *plans[plan].Channels;
  if (channel >= static_cast<int>(channels.size())) return {};
  return AttributeLines(channels[channel].attrs1);
}

// ---------------------------------------------------------------------------------------------
// Store operations

void TPlanEditor::EnableTransferButtons(bool plansPresent) {
  const bool port = HasPort();
  if (plansPresent)
    view.SetTransferButtons(true, port, port && receiveBuffer);
  else
    view.SetTransferButtons(false, false, port && receiveBuffer);
}

void TPlanEditor::ClearAllPlans() {
  for (ImportSlot& s : imports) ClearImportSlot(s);
  for (TPlanXR9& p : plans) p = TPlanXR9{};
  planIndex = -1;
  channelIndex = -1;
  view.RefreshAll();
}

int TPlanEditor::FindFreePlanSlot() {
  for (int i = 0; i < PlanSlots; ++i)
    if (plans[i].Name.empty()) return i;
  ErrorBox(m::NoMoreRoom, fmt::CvToolsErrorCaption);
  return -1;
}

int TPlanEditor::LastUsedPlanSlot() const {
  const int n = ListedPlans();
  return n > 0 ? n - 1 : 0;
}

namespace {

void NameSlot(TPlanXR9& plan, const std::string& name, uint8_t inUse) {
  plan.Name = name.substr(0, std::min(PlanNameMax, name.find('\0')));
  plan.InUse = inUse;
}

}  // namespace

void TPlanEditor::SetPlanName(int slot, const std::string& name, uint8_t inUse) {
  if (slot >= 0 && slot < PlanSlots) NameSlot(plans[slot], name, inUse);
}

void TPlanEditor::SetPlanAttribute(int slot, int position, int id, const uint8_t* value) {
  if (slot < 0 || slot >= PlanSlots || position < 0 || position >= AttrListSize) return;
  TPlanXR9& p = plans[slot];
  p.Modified = 1;
  p.Attributes[position] = AttributeRecord(id, value);
  if (position + 1 < AttrListSize) p.Attributes[position + 1] = TChanAttribute::Marker();
}

void TPlanEditor::SetChannelAttribute(int slot, int channel, int id, const uint8_t* value) {
  if (slot < 0 || slot >= PlanSlots || channel < 0 || !plans[slot].Channels) return;
  TPlanXR9& p = plans[slot];
  if (channel >= static_cast<int>(p.Channels->size())) return;
  p.Modified = 1;
  const TChanAttribute record = AttributeRecord(id, value);
  const int existing = FindChannelAttributeSlot(p, channel, record.code);
  if (existing != 255) RemoveChannelAttributeAt(slot, channel, existing);
  const int end = FindChannelAttributeEnd(p, channel);
  if (end == 255 || end >= AttrListSize - 1) {
    cv::ShowBox(prompter, cv::Msg(fmt::CannotAddMoreCommands), cv::Msg(fmt::UserErrorCaption), cv::MsgIcon::Error);
  } else {
    SetChannelAttributeAt(p, channel, end, id, value);
  }
  view.RefreshChannels();
}

void TPlanEditor::RemoveChannelAttributeAt(int plan, int channel, int position) {
  if (plan < 0 || plan >= PlanSlots || channel < 0 || position < 0 || !plans[plan].Channels) return;
  TPlanXR9& p = plans[plan];
  if (channel >= static_cast<int>(p.Channels->size())) return;
  p.Modified = 1;
  TChanAttribute* list = (*p.Channels)[channel].attrs1;
  for (int i = position; i + 1 < AttrListSize; ++i) {
    if (list[i].IsMarker()) break;
    list[i] = list[i + 1];
  }
}

void TPlanEditor::SelectDirEntry(int entry) {
  if (entry >= 0 && entry < PlanSlots) directory[entry].Selected = 1;
}

void TPlanEditor::ClearDirectory() {
  for (TPlanDirEntry& e : directory) e = TPlanDirEntry{};
}

// ---------------------------------------------------------------------------------------------
// New, delete and move

int TPlanEditor::NewChannel(int slot) {
  if (slot < 0 || slot >= PlanSlots) return -1;
  TPlanXR9& p = plans[slot];
  p.Modified = 1;
  if (!p.Channels) p.Channels.emplace();
  const bool ter = p.PlanType == 7;
  p.Channels->push_back(TChanXR9(kNoName, ter ? 497250u : 11250000u, ter ? 500000u : 11250000u));
  const TChanXR9* added = &p.Channels->back();
  const std::string addedName = added->name;
  const uint32_t v1 = added->value1, v2 = added->value2;
  p.ChannelCount = static_cast<uint32_t>(p.Channels->size());
  // The new channel is the last of equals in a stable sort: its position is the last line with
  // its centre frequency.
  SortChannels(p);
  int position = -1;
  for (int i = 0; i < static_cast<int>(p.Channels->size()); ++i) {
    const TChanXR9& c = (*p.Channels)[i];
    if (c.value1 == v1 && c.value2 == v2 && addedName == c.name) position = i;
  }
  return position;
}

void TPlanEditor::DeleteChannel(int slot, int channel) {
  if (slot < 0 || slot >= PlanSlots || !HasChannels(plans[slot])) return;
  TPlanXR9& p = plans[slot];
  if (channel < 0 || channel >= static_cast<int>(p.Channels->size())) return;
  p.Modified = 1;
  p.Channels->erase(p.Channels->begin() + channel);
  p.ChannelCount = static_cast<uint32_t>(p.Channels->size());
}

int TPlanEditor::NewPlanInFreeSlot() {
  for (int i = 0; i < PlanSlots; ++i) {
    TPlanXR9& p = plans[i];
    if (p.InUse != 0) continue;
    p = TPlanXR9{};
    p.Modified = 1;
    p.InUse = 3;
    p.FileType = 1;
    p.Name = Msg(msg::PlanNewName);
    p.PlanType = 7;
    return i;
  }
  return -1;
}

void TPlanEditor::DeletePlanSlot(int slot) {
  if (slot < 0 || slot >= PlanSlots) return;
  TPlanXR9& p = plans[slot];
  p.Modified = 0;
  p.InUse = 0;
  p.Name.clear();
  p.ChannelCount = 0;
  p.Channels.reset();
  for (int k = slot + 1; k < PlanSlots; ++k) {
    const bool freeSlot = plans[k].InUse == 0;
    if (!MovePlanSlot(k, k - 1)) break;
    if (freeSlot) break;
  }
}

bool TPlanEditor::MovePlanSlot(int from, int to) {
  if (from < 0 || from >= PlanSlots || to < 0 || to >= PlanSlots) return false;
  if (plans[to].InUse != 0) {
    ErrorBox(m::IllegalOverwrite, fmt::CvToolsErrorCaption);
    return false;
  }
  TPlanXR9& src = plans[from];
  TPlanXR9& dst = plans[to];
  dst.Modified = src.Modified;
  dst.InUse = src.InUse;
  dst.PlanType = src.PlanType;
  dst.ChannelCount = src.ChannelCount;
  dst.Name = src.Name;
  std::copy(std::begin(src.Attributes), std::end(src.Attributes), std::begin(dst.Attributes));
  dst.FilePath = src.FilePath;
  dst.FileType = src.FileType;
  dst.Channels = std::move(src.Channels);
  src.Modified = 0;
  src.InUse = 0;
  src.Channels.reset();
  src.ChannelCount = 0;
  src.Name.clear();
  src.Attributes[0] = TChanAttribute::Marker();
  return true;
}

void TPlanEditor::SwapPlanWithPrevious(int slot) {
  if (slot >= 1 && slot < PlanSlots) SwapPlans(plans[slot], plans[slot - 1]);
}

void TPlanEditor::SwapPlanWithNext(int slot) {
  if (slot >= 0 && slot + 1 < PlanSlots) SwapPlans(plans[slot], plans[slot + 1]);
}

bool TPlanEditor::AnyPlanModified() const {
  return std::any_of(plans.begin(), plans.end(), [](const TPlanXR9& p) { return p.Modified != 0; });
}

bool TPlanEditor::UnsavedPlanNames(std::string& text) const {
  text.clear();
  int names = 0;
  bool found = false;
  for (const TPlanXR9& p : plans) {
    if (!p.Modified) continue;
    if (!found) text = cv::Msg(m::PlansNotSaved);
    found = true;
    if (names == kNamesInQuestion) {
      text += "...";
      break;
    }
    if (names > 0) text += ", ";
    text += p.Name;
    ++names;
  }
  return found;
}

bool TPlanEditor::AskSaveChanges() {
  std::string names;
  UnsavedPlanNames(names);
  const std::string text = cv::Msg(m::DataChanged) + "\n" + names;
  return cv::AskBoxYesNoCancel(prompter, text, cv::Msg(m::WarningCaption), cv::MsgIcon::Information) !=
         cv::MsgAnswer::No;
}

void TPlanEditor::ClearModifiedMarks() {
  for (TPlanXR9& p : plans) p.Modified = 0;
}

// ---------------------------------------------------------------------------------------------
// Handlers

void TPlanEditor::PlanListBoxClick(int index) {
  if (index < 0) return;
  planIndex = index;
  channelIndex = 0;
  view.RefreshChannels();
}

void TPlanEditor::ChanListBoxClick(int index) {
  if (index < 0 || planIndex < 0) return;
  channelIndex = index;
}

void TPlanEditor::AddChannelBtnClick() {
  if (ListedPlans() == 0) {
    cv::ShowBox(prompter, cv::Msg(m::CreatePlanFirst), cv::Msg(fmt::UserErrorCaption), cv::MsgIcon::Error);
    return;
  }
  if (planIndex < 0) return;
  channelIndex = NewChannel(planIndex);
  view.RefreshChannels();
  EnableTransferButtons(true);
}

void TPlanEditor::DeleteChannelBtnClick() {
  if (planIndex < 0 || channelIndex < 0) return;
  DeleteChannel(planIndex, channelIndex);
  const TPlanXR9& p = plans[planIndex];
  const int left = p.Channels ? static_cast<int>(p.Channels->size()) : 0;
  if (channelIndex >= left) channelIndex = left - 1;
  view.RefreshChannels();
  // The transfers serve the whole store, not the focused plan.
  EnableTransferButtons(ListedPlans() > 0);
}

void TPlanEditor::AddPlanBtnClick() {
  if (ListedPlans() >= PlanSlots) return;
  if (NewPlanInFreeSlot() < 0) return;
  planIndex = ListedPlans() - 1;
  channelIndex = 0;
  view.RefreshAll();
  EnableTransferButtons(true);
}

void TPlanEditor::DeletePlanBtnClick() {
  if (planIndex < 0 || planIndex >= PlanSlots) return;
  DeletePlanSlot(planIndex);
  const int listed = ListedPlans();
  if (planIndex >= listed) planIndex = listed - 1;
  channelIndex = 0;
  view.RefreshAll();
  if (listed == 0) EnableTransferButtons(false);
}

void TPlanEditor::MovePlanUpBtnClick() {
  if (planIndex <= 0 || planIndex >= PlanSlots) return;
  SwapPlanWithPrevious(planIndex);
  --planIndex;
  channelIndex = 0;
  view.RefreshAll();
}

void TPlanEditor::MoveDownPlanBtnClick() {
  if (planIndex < 0 || planIndex > ListedPlans() - 2) return;
  SwapPlanWithNext(planIndex);
  ++planIndex;
  channelIndex = 0;
  view.RefreshAll();
}

bool TPlanEditor::CloseBtnClick() { return !AnyPlanModified() || !AskSaveChanges(); }

// ---------------------------------------------------------------------------------------------
// Receiving and erasing

bool TPlanEditor::ListInstrumentPlans(std::vector<std::string>& lines) {
  lines.clear();
  std::vector<InstrumentFileEntry> listed;
  TFileTransfer transfer(equip, [this](const std::string& line) { LogZone(line); });
  const bool ok = transfer.ListPlans(listed);
  ClearDirectory();
  for (size_t i = 0; i < listed.size() && i < directory.size(); ++i) {
    TPlanDirEntry& e = directory[i];
    e.FileType = listed[i].fileType;
    e.Size = static_cast<uint32_t>(listed[i].size);
    e.Name = listed[i].name.substr(0, PlanNameMax);
    lines.push_back(FileTypeLabel(e.FileType) + " " + e.Name);
  }
  return ok;
}

void TPlanEditor::ReceiveBtnClick() {
  if (!HasPort()) {
    EnableTransferButtons(ListedPlans() > 0);  // without a port RECEIVE PLANS is disabled
    return;
  }
  auto notDetected = [this] {
    cv::ShowBox(prompter, cv::Msg(cv::msg::cv3::EquipmentNotDetected), cv::Msg(fmt::ErrorCaption), cv::MsgIcon::Error);
    LogZone(cv::Msg(cv::msg::cv3::EquipmentNotDetected));
  };
  TEquipIdent ident;
  if (!equip.Identify(ident)) {
    notDetected();
    return;
  }
  if (ident.model == kGatedModel) {
    float version = 0;
    if (!equip.ReadVersion(version)) {
      notDetected();
      return;
    }
    if (static_cast<double>(version) + 0.001 < static_cast<double>(kMinReceiveVersion)) {
      ErrorBox(m::UpgradeForPlans, fmt::ErrorCaption);
      LogZone(cv::Msg(m::PlansNotSupported));
      return;
    }
  }
  if (AnyPlanModified() && AskSaveChanges()) return;

  // The store stays as it is until the chosen plans have come: a listing that fails, a Cancel,
  // an erase or a reception where nothing arrives leaves the person's plans and marks alone.
  std::vector<std::string> lines;
  bool listed = false;
  {
    const cv::BusyCursor cursor;
    listed = ListInstrumentPlans(lines);
  }
  if (!listed) {
    ErrorBox(m::NotDetectedPlain, fmt::ErrorCaption);
    return;
  }
  view.SendBehind();
  switch (view.RunReceiveDialog(*this, lines)) {
    case ReceiveChoice::Receive: ReceiveSelected(); break;
    case ReceiveChoice::Erase: EraseSelected(); break;
    case ReceiveChoice::Cancel: break;
  }
  EnableTransferButtons(ListedPlans() > 0);
  view.RefreshAll();
}

void TPlanEditor::ReceiveSelected() {
  std::vector<TPlanXR9> received(PlanSlots);
  std::vector<std::string> missing;
  int slot = 0;
  std::string notReceived;
  {
    const cv::BusyCursor cursor;
    TFileTransfer transfer(equip, [this](const std::string& line) { LogZone(line); });
    for (const TPlanDirEntry& e : directory) {
      if (!e.Selected || e.Name.empty()) continue;
      InstrumentFileEntry entry;
      entry.fileType = e.FileType;
      entry.size = static_cast<int32_t>(e.Size);
      entry.name = e.Name;
      const DownloadResult got = transfer.Download(entry);
      TPlanXR9 p;
      NameSlot(p, e.Name, 1);
      // A plan that came short, late, damaged or that the decoder refuses takes no slot: no named
      // slot without channels is left behind.
      if (got.status != DownloadStatus::Ok || !DecodeBinaryPlan(p, got.data.data(), got.data.size(), Sinks())) {
        missing.push_back(e.Name);
        continue;
      }
      p.FileType = e.FileType;
      p.Modified = 1;
      received[static_cast<size_t>(slot)] = std::move(p);
      if (++slot >= PlanSlots) {
        ErrorBox(m::MaxPlansReached, fmt::ErrorCaption);
        break;
      }
    }
    if (!missing.empty()) {
      std::string names;
      for (const std::string& n : missing) names += (names.empty() ? "" : ", ") + n;
      notReceived = cv::Format(cv::Msg(m::PlansNotReceived), names);
      LogZone(notReceived);
    }
    Log(cv::Msg(m::ReceptionFinished));
    LogZone(cv::Msg(m::ReceptionFinished));
  }
  if (!notReceived.empty()) cv::ShowBox(prompter, notReceived, cv::Msg(fmt::ErrorCaption), cv::MsgIcon::Error);
  if (slot == 0) return;
  ClearAllPlans();
  plans = std::move(received);
  planIndex = 0;
  channelIndex = 0;
}

void TPlanEditor::EraseSelected() {
  std::vector<InstrumentFileEntry> entries;
  for (const TPlanDirEntry& e : directory) {
    InstrumentFileEntry entry;
    entry.selected = e.Selected;
    entry.fileType = e.FileType;
    entry.size = static_cast<int32_t>(e.Size);
    entry.name = e.Name;
    entries.push_back(entry);
  }
  TFileTransfer(equip, [this](const std::string& line) { LogZone(line); }).EraseSelected(entries);
}

}  // namespace cv::xr9
