#pragma once
// The rules of the channel list editor and the channel block generator, apart from their forms:
// a working copy of one plan, kept sorted by PLL word, the exit checks of the edits, Add,
// Delete, block generation and the duplicate-frequency check of OK.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "PlanFamily.h"
#include "PlanSlot.h"

// A run of equally spaced channels to generate. For a satellite plan the first frequency is the
// intermediate frequency.
struct BlockSettings {
  char firstChar = 'A';
  int32_t firstIndex = 0;
  int32_t quantity = 2;
  float firstFreq = 471.25f;
  float step = 8.0f;
  // The channels the plan has room for (NewBlockSettings sets it), which bound a block as its
  // quantity does.
  int32_t room = INT32_MAX;
};

// The frequencies a block makes, in order: up to its quantity and the plan's room, while each
// lies in the band the channel editor takes (a satellite plan's: intermediate frequencies). The
// generator and the block dialog's preview both follow it.
std::vector<float> BlockFrequencies(const BlockSettings& block, const cv::plan::PlanFamily& family, char band);

// Block channel numbers run from 999 back to 0, so that a name keeps its 4 characters.
int32_t NextBlockIndex(int32_t index);
// The index `quantity - 1` steps after `first`.
int32_t LastBlockIndex(int32_t first, int32_t quantity);
// "%c%02.2d" (at least two digits after a sign: 'A', -5 gives "A-05"), right-aligned in 4
// characters; a typed first index outside -99..999 would give more, which the instrument's
// 4-character name cannot hold, so the name is cut to 4.
std::string BlockChannelName(char firstChar, int32_t index);

class ChannelListEditor {
 public:
  // Result of an edit's exit check.
  enum class Exit {
    Unchanged,   // nothing to do
    Changed,     // the channel changed: rewrite its list line (it may have moved)
    Refused,     // show the channel again and beep
    Reselected,  // no channel was selected: the first one now is; show it
  };

  // The family gives the command table of the combos and the bands a frequency must lie in.
  explicit ChannelListEditor(const PlanSlot& plan,
                             const cv::plan::PlanFamily& family = cv::plan::Corvane3PlanFamily());

  const PlanSlot& Plan() const { return plan; }
  const cv::plan::PlanFamily& Family() const { return family; }
  const std::vector<TChan3>& Channels() const { return *plan.channels; }
  int Count() const { return static_cast<int>(plan.channels->size()); }
  bool IsSatellite() const;
  int Selected() const { return selected; }
  void Select(int index);

  // The frequency a person sees: a satellite channel's downlink frequency.
  float ShownFrequency(int index) const;
  // "%4s (%4.2f)": name and shown frequency.
  std::string ListLine(int index) const;
  // Texts of the selected channel's edits, and the command-table rows of its commands.
  std::string NameText() const;
  std::string FrequencyText() const;
  std::string BandwidthText() const;
  // Whether the band's channels have a bandwidth to edit (not satellite, not the third band), and
  // how many characters it is typed in (whole MHz: 2; MHz with hundredths: 5).
  bool ShowsBandwidth() const;
  int BandwidthChars() const;
  int CommandRow(int which) const;

  // Add a " NEW" channel and select it; false when the plan already holds the family's limit of
  // channels (128 unless the family says otherwise).
  bool Add();
  // Remove the selected channel; the same position (or the last channel) is selected.
  bool Delete();

  // Exit checks; `text` is what the edit holds (Windows-1252).
  Exit ReadName(std::string_view text, std::string& shown);
  Exit ReadFrequency(std::string_view text);
  Exit ReadBandwidth(std::string_view text);
  Exit ReadCommand(int which, int row);

  // Block settings a new block starts from, and whether a block may start (below the limit).
  BlockSettings NewBlockSettings() const;
  bool CanAddChannels() const { return Count() < family.maxPlanChannels; }
  // Generates the block while its quantity, the band's range and the plan's limit allow;
  // returns the number of channels made, the last of them selected.
  int GenerateBlock(const BlockSettings& block);

  // Whether two neighbours of the sorted list share a frequency: OK refuses such a plan.
  bool HasDuplicateFrequency() const;
  // Whether a channel was added, deleted, generated or changed since the editor opened.
  bool Edited() const { return edited; }

 private:
  bool EnsureSelection();
  int Insert(const TChan3& chan);
  TChan3& Current() { return (*plan.channels)[selected]; }
  const TChan3& Current() const { return (*plan.channels)[selected]; }

  PlanSlot plan;
  const cv::plan::PlanFamily& family;
  int selected = -1;
  bool edited = false;
};

// The block generator's fields over the list editor's block settings.
class ChannelBlockEditor {
 public:
  struct Texts {
    std::string initChar, initIndex, initFreq, firstChannel, lastChannel, quantity, step;
  };

  // The family gives the satellite frequency rule of the first frequency.
  ChannelBlockEditor(BlockSettings& settings, char band, float lnbMHz,
                     const cv::plan::PlanFamily& family = cv::plan::Corvane3PlanFamily());

  Texts ShowBlock() const;
  // Each reads its edit's text into the settings and tells whether the value changed.
  bool ReadInitChar(std::string_view text);
  bool ReadInitFreq(std::string_view text);
  bool ReadInitIndex(std::string_view text);
  // Accepts 1 to the most channels the family lets a plan hold; another value leaves the
  // quantity and gives the text to restore.
  bool ReadQuantity(std::string_view text, std::optional<std::string>& restore);
  bool ReadStepFreq(std::string_view text);

  const BlockSettings& Settings() const { return settings; }

 private:
  BlockSettings& settings;
  char band;
  float lnbMHz;
  const cv::plan::PlanFamily& family;
};
