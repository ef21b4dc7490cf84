#pragma once
// The channel picker's rules, apart from its form: the plan names and channel lines it reads from
// the instrument, its gauge and enabled state, and the records it leaves in its owner (the
// settings dialog's picked plan header, picked channel and picked plan number).
#include <functional>
#include <string>
#include <vector>

#include "AppServices.h"
#include "Chan3.h"
#include "MemoryEditor.h"

namespace cv::mem {

class ChannelPickerView {
 public:
  virtual ~ChannelPickerView() = default;
  virtual void Render() = 0;  // show the lists, the gauge and the enabled state now
};

// The picker's start, a second after it opens: the form's timer in the program, a fake in tests.
class PickerStart {
 public:
  virtual ~PickerStart() = default;
  virtual void Arm(std::function<void()> fire) = 0;
  virtual void Disarm() = 0;
};

// Where the picker leaves what was picked: the owner's plan header, channel and plan number.
struct PickTarget {
  PlanInfo& plan;
  TChan3& channel;
  int& planNumber;
};

class ChannelPicker {
 public:
  enum class Result { Open, Ok, Cancel };

  // Writes into `plan`, `channel` and `planNumber` (the owner's).
  ChannelPicker(MemoryEquipment& equip, cv::Prompter& prompter, ChannelPickerView& view, PlanInfo& plan,
                TChan3& channel, int& planNumber);

  void LoadChannels();
  void OnChangePlan(int index);
  void OnChangeChannel(int index);
  void OKBtnClick();
  // The channel line: "%s (%4.2f MHz)" with the downlink frequency of a satellite plan.
  std::string ChannelLine(const TChan3& chan) const;

  std::vector<std::string> plans, channels;
  int planIndex = -1, channelIndex = -1;
  int gauge = 0;
  bool enabled = false;  // the two lists, OK and Cancel
  int planSlots = 32;    // the plan headers read at most
  Result result = Result::Open;
  // The line's frequency: the plan's oscillator plus the channel's, a plain sum for either band
  // (a meter whose satellite plans hold the intermediate frequency as it is); else the
  // oscillator's conversion with its C band.
  bool plainDownlink = false;

 private:
  // Lists the channels of plan `p`; on a failure the failed channel's number, else -1.
  int ListChannels(int p);
  void Enable(bool on);
  void Detail(int captionId, int c);
  MemoryEquipment& equip;
  cv::Prompter& prompter;
  ChannelPickerView& view;
  PlanInfo& plan;
  TChan3& channel;
  int& planNumber;
};

}  // namespace cv::mem
