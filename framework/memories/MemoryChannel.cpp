#include "MemoryChannel.h"

#include "Format.h"
#include "Messages.h"
#include "MsgIds.h"
#include "Pll.h"
#include "Prompt.h"

namespace cv::mem {

namespace {
namespace d = cv::msg::memdata;
}  // namespace

ChannelPicker::ChannelPicker(MemoryEquipment& e, cv::Prompter& p, ChannelPickerView& v, PlanInfo& pl, TChan3& ch,
                             int& number)
    : equip(e), prompter(p), view(v), plan(pl), channel(ch), planNumber(number) {}

std::string ChannelPicker::ChannelLine(const TChan3& chan) const {
  const float mhz = plainDownlink ? plan.lnbMHz + chan.frequency : cv::IFToFreq(plan.lnbMHz, chan.frequency);
  return std::string(chan.name) + " (" + cv::PrintfFixed(mhz, 4, 2, equip.DecimalSeparator()) + " MHz)";
}

void ChannelPicker::Enable(bool on) {
  enabled = on;
  view.Render();
}

int ChannelPicker::ListChannels(int p) {
  for (int c = 0; c < plan.channelCount; ++c) {
    if (!equip.ReadChannelInfo(c, p, channel, plan.band)) return c;
    gauge = static_cast<int>((c + 1) * 100.0 / plan.channelCount);
    channels.push_back(ChannelLine(channel));
    view.Render();
  }
  equip.ReadChannelInfo(0, p, channel, plan.band);
  channelIndex = channels.empty() ? -1 : 0;
  return -1;
}

void ChannelPicker::LoadChannels() {
  plans.clear();
  for (int p = 0; p < planSlots; ++p) {
    if (!equip.ReadPlanInfo(p, plan)) break;
    plans.push_back(plan.name);
  }
  if (plans.empty()) {
    cv::ShowBox(prompter, Msg(d::NoPlans), Msg(d::CaptionErrorBox), cv::MsgIcon::Warning);
    result = Result::Cancel;
    return;
  }
  equip.ReadPlanInfo(0, plan);
  planIndex = 0;
  channels.clear();
  if (ListChannels(0) >= 0) {
    cv::ShowBox(prompter, Msg(d::PlanError), Msg(d::CaptionErrorBox), cv::MsgIcon::Warning);
    result = Result::Cancel;
    return;
  }
  Enable(true);
}

void ChannelPicker::Detail(int captionId, int c) {
  std::string text = Msg(captionId) + Msg(d::DetailChannel) + std::to_string(c) + Msg(d::DetailName) +
                     channel.name + Msg(d::DetailPll) + channel.wordText + Msg(d::DetailFreq) +
                     cv::PrintfFixed(channel.frequency, 4, 2, equip.DecimalSeparator());
  cv::ShowBox(prompter, text, Msg(d::CaptionErrorBox), cv::MsgIcon::Warning);
}

void ChannelPicker::OnChangePlan(int index) {
  planIndex = index;
  Enable(false);
  const bool read = index >= 0 && index < planSlots && equip.ReadPlanInfo(index, plan);
  channels.clear();
  channelIndex = -1;
  gauge = 0;
  view.Render();
  if (read) {
    int failed = ListChannels(index);
    if (failed >= 0) Detail(d::PlanErrorDetail, failed);
  }
  Enable(true);
}

void ChannelPicker::OnChangeChannel(int index) {
  channelIndex = index;
  if (!equip.ReadChannelInfo(index, planIndex, channel, plan.band)) Detail(d::ChannelErrorDetail, index);
}

void ChannelPicker::OKBtnClick() {
  planNumber = planIndex < 0 ? 0 : planIndex;
  result = Result::Ok;
}

}  // namespace cv::mem
