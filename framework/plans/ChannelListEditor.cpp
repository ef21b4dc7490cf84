#include "ChannelListEditor.h"

#include <algorithm>

#include "CommandTable.h"
#include "Format.h"
#include "NumFormat.h"
#include "PlanFormat.h"
#include "Pll.h"

namespace {

// A typed number as atof reads it; a decimal comma is taken for the point, so that "471,25" is
// not read as 471.
double ReadNumber(std::string_view text) {
  std::string t(text);
  for (char& c : t) {
    if (c == ',') c = '.';
  }
  return cv::AtoF(t);
}

std::string Mhz(float value) { return cv::Format("%4.2f", value); }

}  // namespace

int32_t NextBlockIndex(int32_t index) { return index == 999 ? 0 : index + 1; }

int32_t LastBlockIndex(int32_t first, int32_t quantity) {
  int32_t index = first;
  for (int32_t i = 1; i < quantity; ++i) index = NextBlockIndex(index);
  return index;
}

std::vector<float> BlockFrequencies(const BlockSettings& block, const cv::plan::PlanFamily& family, char band) {
  std::vector<float> made;
  float f = block.firstFreq;
  while (static_cast<int32_t>(made.size()) < block.quantity && static_cast<int32_t>(made.size()) < block.room &&
         cv::plan::EditorInBand(family, band, f)) {
    made.push_back(f);
    f += block.step;
  }
  return made;
}

std::string BlockChannelName(char firstChar, int32_t index) {
  std::string text = cv::Format("%4s", cv::Format("%c%02.2d", firstChar, index));
  if (text.size() > 4) text.resize(4);
  return text;
}

ChannelListEditor::ChannelListEditor(const PlanSlot& source, const cv::plan::PlanFamily& family)
    : plan(cv::plan::DeepCopyPlan(source, family)), family(family) {
  if (!plan.channels) plan.channels.emplace();
  SortChannels(*plan.channels);
}

bool ChannelListEditor::IsSatellite() const { return cv::IsSatelliteBand(plan.band); }

void ChannelListEditor::Select(int index) {
  selected = index >= 0 && index < Count() ? index : -1;
}

float ChannelListEditor::ShownFrequency(int index) const {
  float f = Channels()[index].frequency;
  return IsSatellite() ? family.ifToFreq(plan.lnbMHz, f) : f;
}

std::string ChannelListEditor::ListLine(int index) const {
  return cv::Format("%4s (%4.2f)", Channels()[index].name, ShownFrequency(index));
}

std::string ChannelListEditor::NameText() const { return selected < 0 ? "" : cv::plan::ShownName(Current().name); }

std::string ChannelListEditor::FrequencyText() const {
  return selected < 0 ? "" : Mhz(ShownFrequency(selected));
}

bool ChannelListEditor::ShowsBandwidth() const {
  return !IsSatellite() && !cv::plan::IsThirdBand(family, plan.band);
}

int ChannelListEditor::BandwidthChars() const { return family.bandwidthUnitsPerMHz > 1 ? 5 : 2; }

std::string ChannelListEditor::BandwidthText() const {
  if (selected < 0) return "";
  if (family.bandwidthUnitsPerMHz > 1)
    return cv::Format("%2.2f", Current().bandwidth / static_cast<double>(family.bandwidthUnitsPerMHz));
  return std::to_string(Current().bandwidth);
}

int ChannelListEditor::CommandRow(int which) const {
  if (selected < 0 || which < 0 || which > 2) return family.commands->NoCommandRow();
  return family.commands->IndexOfMnemonic(Current().commands[which]);
}

int ChannelListEditor::Insert(const TChan3& chan) {
  auto& list = *plan.channels;
  auto at = std::upper_bound(list.begin(), list.end(), chan.word,
                             [](uint32_t word, const TChan3& c) { return word < c.word; });
  auto inserted = list.insert(at, chan);  // may reallocate: take begin() only afterwards
  return static_cast<int>(inserted - list.begin());
}

bool ChannelListEditor::Add() {
  if (!CanAddChannels()) return false;
  selected = Insert(cv::plan::MakeChannel(family, " NEW", cv::plan::NewChannelMHz(family, plan.band),
                                         cv::plan::NewChannelBandwidth(family), plan.band));
  edited = true;
  return true;
}

bool ChannelListEditor::Delete() {
  if (selected < 0) return false;
  plan.channels->erase(plan.channels->begin() + selected);
  if (selected >= Count()) selected = Count() - 1;
  edited = true;
  return true;
}

bool ChannelListEditor::EnsureSelection() {
  if (selected >= 0) return true;
  Select(0);
  return false;
}

ChannelListEditor::Exit ChannelListEditor::ReadName(std::string_view text, std::string& shown) {
  if (!EnsureSelection()) return selected < 0 ? Exit::Unchanged : Exit::Reselected;
  // The field shows the name without its padding: that text, left as it is, is no change.
  if (text == cv::plan::ShownName(Current().name)) {
    shown = std::string(text);
    return Exit::Unchanged;
  }
  // The meter holds a channel's name right-aligned in its 4 characters (every generated script's
  // channel statement is written so), and so does the plan: what is saved before a Send is then
  // what a Receive brings back.
  const std::string name = cv::plan::PadLeft(cv::plan::ShownName(FixWidth(text.substr(0, 4), 4)), 4);
  shown = cv::plan::ShownName(name);
  if (name == Current().name) return Exit::Unchanged;
  CopyField(Current().name, name);
  edited = true;
  return Exit::Changed;
}

ChannelListEditor::Exit ChannelListEditor::ReadFrequency(std::string_view text) {
  if (!EnsureSelection()) return selected < 0 ? Exit::Unchanged : Exit::Reselected;
  float f = static_cast<float>(ReadNumber(text.substr(0, 8)));
  if (IsSatellite()) f = family.freqToIF(plan.lnbMHz, f);
  if (!cv::plan::EditorInBand(family, plan.band, f)) return Exit::Refused;
  if (f == Current().frequency) return Exit::Unchanged;
  TChan3 old = Current();
  plan.channels->erase(plan.channels->begin() + selected);
  selected = Insert(cv::plan::MakeChannel(family, old.name, f, old.bandwidth, plan.band, old.commands[0],
                                         old.commands[1], old.commands[2]));
  edited = true;
  return Exit::Changed;
}

ChannelListEditor::Exit ChannelListEditor::ReadBandwidth(std::string_view text) {
  if (IsSatellite()) return Exit::Unchanged;
  if (!EnsureSelection()) return selected < 0 ? Exit::Unchanged : Exit::Reselected;
  const int units = family.bandwidthUnitsPerMHz;
  int32_t bw = 0;
  if (units > 1) {
    // MHz with decimals, rounded to the unit: 8 is 800 hundredths, 15.004 still 1500.
    bw = static_cast<int32_t>((ReadNumber(text.substr(0, 5)) + 0.5 / units) * units);
    // Only a terrestrial channel's bandwidth tunes anything.
    if (!cv::plan::IsThirdBand(family, plan.band) && (bw <= 0 || bw > 15 * units)) return Exit::Refused;
  } else {
    bw = cv::AtoI(text.substr(0, 2));
    if (bw < 1 || bw > 15) return Exit::Refused;
  }
  if (bw == Current().bandwidth) return Exit::Unchanged;
  TChan3 old = Current();
  plan.channels->erase(plan.channels->begin() + selected);
  selected = Insert(cv::plan::MakeChannel(family, old.name, old.frequency, bw, plan.band, old.commands[0],
                                         old.commands[1], old.commands[2]));
  edited = true;
  return Exit::Changed;
}

ChannelListEditor::Exit ChannelListEditor::ReadCommand(int which, int row) {
  if (which < 0 || which > 2 || (which > 0 && !IsSatellite())) return Exit::Unchanged;
  if (!EnsureSelection()) return selected < 0 ? Exit::Unchanged : Exit::Reselected;
  const char* mnemonic = family.commands->Row(row).mnemonic;
  if (std::string_view(mnemonic) == Current().commands[which]) return Exit::Unchanged;
  CopyField(Current().commands[which], mnemonic);
  edited = true;
  return Exit::Changed;
}

BlockSettings ChannelListEditor::NewBlockSettings() const {
  BlockSettings b;
  b.firstFreq = family.newChannelMHz ? family.newChannelMHz(plan.band)
                                     : IsSatellite() ? family.satelliteBlockStartMHz : 471.25f;
  b.room = family.maxPlanChannels - Count();
  return b;
}

int ChannelListEditor::GenerateBlock(const BlockSettings& block) {
  int made = 0;
  int32_t index = block.firstIndex;
  for (float f : BlockFrequencies(block, family, plan.band)) {
    if (!CanAddChannels()) break;
    selected = Insert(cv::plan::MakeChannel(family, BlockChannelName(block.firstChar, index), f,
                                           cv::plan::NewChannelBandwidth(family), plan.band));
    index = NextBlockIndex(index);
    ++made;
  }
  if (made > 0) edited = true;
  return made;
}

bool ChannelListEditor::HasDuplicateFrequency() const {
  const auto& list = Channels();
  for (size_t i = 1; i < list.size(); ++i) {
    if (list[i].frequency == list[i - 1].frequency) return true;
  }
  return false;
}

ChannelBlockEditor::ChannelBlockEditor(BlockSettings& s, char b, float lnb, const cv::plan::PlanFamily& f)
    : settings(s), band(b), lnbMHz(lnb), family(f) {}

ChannelBlockEditor::Texts ChannelBlockEditor::ShowBlock() const {
  Texts t;
  t.initChar = std::string(1, settings.firstChar);
  t.initIndex = cv::Format("%02d", settings.firstIndex);
  auto shown = [&](float f) { return cv::IsSatelliteBand(band) ? family.ifToFreq(lnbMHz, f) : f; };
  t.initFreq = Mhz(shown(settings.firstFreq));
  t.firstChannel = t.initChar + t.initIndex + ", " + t.initFreq + " MHz.";
  // The last channel the block will make, not the one its quantity would reach past the band's
  // end or the plan's room; none when it makes none.
  const std::vector<float> made = BlockFrequencies(settings, family, band);
  if (!made.empty())
    t.lastChannel = t.initChar +
                    cv::Format("%02d", LastBlockIndex(settings.firstIndex, static_cast<int32_t>(made.size()))) +
                    ", " + Mhz(shown(made.back())) + " MHz.";
  t.quantity = std::to_string(settings.quantity);
  t.step = Mhz(settings.step);
  return t;
}

bool ChannelBlockEditor::ReadInitChar(std::string_view text) {
  // An emptied edit keeps the letter: a name cannot start with nothing.
  if (text.empty() || text[0] == settings.firstChar) return false;
  settings.firstChar = text[0];
  return true;
}

bool ChannelBlockEditor::ReadInitFreq(std::string_view text) {
  float f = static_cast<float>(ReadNumber(text));
  if (cv::IsSatelliteBand(band)) f = family.freqToIF(lnbMHz, f);
  if (f == settings.firstFreq) return false;
  settings.firstFreq = f;
  return true;
}

bool ChannelBlockEditor::ReadInitIndex(std::string_view text) {
  int32_t index = cv::AtoI(text);
  if (index == settings.firstIndex) return false;
  settings.firstIndex = index;
  return true;
}

bool ChannelBlockEditor::ReadQuantity(std::string_view text, std::optional<std::string>& restore) {
  restore.reset();
  int32_t q = cv::AtoI(text);
  if (q < 1 || q > family.maxPlanChannels) {
    restore = std::to_string(settings.quantity);
    return false;
  }
  if (q == settings.quantity) return false;
  settings.quantity = q;
  return true;
}

bool ChannelBlockEditor::ReadStepFreq(std::string_view text) {
  float step = static_cast<float>(ReadNumber(text));
  if (step == settings.step) return false;
  settings.step = step;
  return true;
}
