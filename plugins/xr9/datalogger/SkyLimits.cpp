#include "SkyLimits.h"

#include <algorithm>

#include "CertificateFrame.h"
#include "DataLoggerCtl.h"
#include "Messages.h"
#include "MeasValue.h"
#include "MsgIds.h"
#include "Prompt.h"
#include "Xr9Attributes.h"

namespace cv::xr9 {

namespace {

bool IsDvbChannel(const TPlanXR9& plan, int channel) {
  if (!plan.Channels || channel < 0 || channel >= int(plan.Channels->size())) return false;
  return ClassOf((*plan.Channels)[size_t(channel)]) == ChannelClass::Digital;
}

bool Inside(int v, int min, int max) { return min < v && v < max; }

int32_t Held16(int64_t n) { return int32_t(std::clamp<int64_t>(n, INT16_MIN, INT16_MAX)); }

}  // namespace

bool MeetsSkyThreshold(const DataLoggerCtl& ctl, int slot, int channel, const TDataLogMeas* meas) {
  if (slot < 0 || slot >= DataLogSlots || !meas || !ctl.skySheet) return false;
  const TDataLogFile& f = ctl.store.File(slot);
  if (!f.plan) return false;
  int32_t v = 0;
  char status = ' ';
  // The limits are in dBuV, and so is every level the certificate prints: a test point measured
  // in dBmV or dBm is judged by its figure in dBuV.
  if (!MeasNumber(*meas, UnitsDbuv, v, status)) return false;
  const SkyThresholds& t = ctl.settings.thresholds;
  const int type = f.plan->PlanType;
  const bool sat = type == 5;
  auto service = [&](int s) { return ctl.skySheet->HasService(slot, channel, s); };
  switch (meas->code) {
    case MeasLevel:
      return type == 7 ? Inside(v, t.analogTerrestrialMin, t.analogTerrestrialMax) : true;
    case MeasCnAuto:
      if (!IsDvbChannel(*f.plan, channel)) return true;
      if (sat) return v > t.cnDigitalSatelliteMin;
      if (service(kSkyServiceFmRadio)) return true;
      return v > t.cnDigitalTerrestrialMin;
    case MeasPower:
      if (sat) return Inside(v, t.powerSatelliteMin, t.powerSatelliteMax);
      if (service(kSkyServiceDab)) return Inside(v, t.powerDabMin, t.powerDabMax);
      if (service(kSkyServiceFmRadio)) return Inside(v, t.powerFmRadioMin, t.powerFmRadioMax);
      return Inside(v, t.powerTerrestrialMin, t.powerTerrestrialMax);
    default:
      return true;
  }
}

void ApplySkyOffsets(DataLoggerCtl& ctl, int direction, int slot, int offset2, int offset1) {
  if (!SlotInRange(ctl, slot)) return;
  TDataLogFile& f = ctl.store.File(slot);
  if (!f.plan || !f.testPoints) return;
  const int sign = direction == -1 ? -1 : 1;
  const size_t planChannels = f.plan->Channels ? f.plan->Channels->size() : 0;
  const size_t channels = std::max<size_t>(f.plan->ChannelCount, planChannels);
  for (size_t c = 0; c < channels; ++c) {
    if (c >= planChannels || c >= f.channels.size()) {
      ShowBox(PrompterInForce(), Msg(msg::xr9sky::EmptyChannelList), Msg(msg::xr9dl::ErrorCaption),
              MsgIcon::Error);
      return;
    }
    TDataLogChannel& ch = f.channels[c];
    for (int tp = 0; tp < int(f.testPoints->size()); ++tp) {
      const int type = (*f.testPoints)[size_t(tp)].pointType;
      if (type != 1 && type != 2) continue;
      const int offset = sign * (type == 1 ? offset1 : offset2);
      TDataLogCell cell = ch.Cell(tp);
      for (int m = 0; m < cell.count; ++m) {
        TDataLogMeas& meas = cell.meas[m];
        if (meas.code != MeasLevel && meas.code != MeasPower) continue;
        const uint32_t qualifier = meas.value & 0xFF;
        if (qualifier != 0x00 && qualifier != 0x40) continue;
        // The number the value was received with is kept while it carries an offset, so taking
        // the offsets away gives it back exactly even where the sum was held at the 16-bit limit.
        const auto key = std::make_pair(int32_t(c), size_t(&meas - ch.values.data()));
        auto held = f.skyHeld.find(key);
        if (held == f.skyHeld.end())
          held = f.skyHeld.emplace(key, TSkyHeldValue{int16_t(uint16_t(meas.value >> 8)), 0}).first;
        held->second.added += offset;
        const int32_t number =
            held->second.added == 0 ? held->second.received
                                    : Held16(int64_t(held->second.received) + held->second.added);
        if (held->second.added == 0) f.skyHeld.erase(held);
        meas.value = (meas.value & 0xFF0000FFu) | (uint32_t(uint16_t(number)) << 8);
        meas.mark = MeetsSkyThreshold(ctl, slot, int(c), &meas) ? 0 : 1;
      }
    }
  }
}

}  // namespace cv::xr9
