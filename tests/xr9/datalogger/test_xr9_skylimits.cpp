// The SKY acceptance windows by plan, code and service, the level offsets at Off Air and Launch
// points taken away to the received numbers exactly, and the plan's DVB channel list.
#include <gtest/gtest.h>

#include "AppServices.h"
#include "CertificateFrame.h"
#include "MeasValue.h"
#include "SkyLimits.h"
#include "SkySheetFake.h"
#include "Xr9Attributes.h"
#include "Xr9DlFixture.h"

using namespace cv::xr9;
namespace img = cvsim::xr9img;
using xr9test::DlChan;

namespace {

constexpr uint8_t kAnalog = 3, kDvbT = 0, kDvbS = 2;

struct SkyFiles : xr9test::SkyFixture {
  SkyFiles() {
    // Terrestrial: analogue, DVB-T, DVB-T carrying DAB, DVB-T carrying FM, a channel without TYPE.
    img::DataLog t;
    t.plan.type = 7;
    t.plan.channels = {DlChan("ANA", 175250, {{2, kAnalog}}), DlChan("MUX", 474000, {{2, kDvbT}}),
                       DlChan("DAB", 482000, {{2, kDvbT}}), DlChan("FM", 490000, {{2, kDvbT}}),
                       DlChan("NONE", 498000, {})};
    t.channels = {{{MeasLevel, MeasCnAuto}}, {{MeasPower, MeasCnAuto}}, {{MeasPower}}, {{MeasPower}}, {{MeasCnAuto}}};
    t.testPoints = {{"OFFAIR", 1, {}}, {"LAUNCH", 1, {}}, {"FLAT", 1, {}}, {"NONE", 1, {}}};
    // Values channel after channel: LEVEL and C/N, POWER and C/N, POWER, POWER, C/N.
    using img::MeasValue;
    const std::vector<std::vector<uint32_t>> values = {
        {MeasValue(0, 600), MeasValue(0, 300), MeasValue(0x40, 640), MeasValue(0, 300), MeasValue(0x80, 700),
         MeasValue(0, 600), MeasValue(0, 100)},
        {MeasValue(0, 32760), MeasValue(0, 300), MeasValue(0, 640), MeasValue(0, 300), MeasValue(0xC0, 600),
         MeasValue(0, -32768), MeasValue(0, 100)},
        {MeasValue(0, 600), MeasValue(0, 300), MeasValue(0, 640), MeasValue(0, 300), MeasValue(0, 600),
         MeasValue(0, 600), MeasValue(0, 100)},
        {MeasValue(0, 600), MeasValue(0, 300), MeasValue(0, 640), MeasValue(0, 300), MeasValue(0, 600),
         MeasValue(0, 600), MeasValue(0, 100)}};
    for (size_t i = 0; i < values.size(); ++i) t.testPoints[i].values = values[i];
    ter = Load(t, "TER.DL");
    img::DataLog s;
    s.plan.type = 5;
    s.plan.channels = {DlChan("SAT", 11000000, {{2, kDvbS}})};
    s.channels = {{{MeasLevel, MeasPower, MeasCnAuto}, 1, 9750000}};
    s.testPoints = {{"S", 1, {img::MeasValue(0, 300), img::MeasValue(0, 700), img::MeasValue(0, 100)}}};
    sat = Load(s, "SAT.DL");
    sheet.services = {{{ter, 2}, kSkyServiceDab}, {{ter, 3}, kSkyServiceFmRadio}, {{sat, 0}, kSkyServiceDab}};
  }
  TDataLogMeas& Value(int slot, int channel, int tp, int m) {
    return ctl.store.File(slot).channels[size_t(channel)].Cell(tp).meas[m];
  }
};

int32_t Number(const TDataLogMeas& m) { return int16_t(uint16_t(m.value >> 8)); }

}  // namespace

TEST(Xr9SkyLimits, WindowsByPlanCodeAndService) {
  SkyFiles f;
  struct Row { bool satellite; int channel; uint8_t code; int value; bool passes; const char* why; };
  const Row rows[] = {
      {false, 0, MeasLevel, 600, false, "analogue level at the lower limit"},
      {false, 0, MeasLevel, 601, true, "just above it"},
      {false, 0, MeasLevel, 799, true, "just below the upper limit"},
      {false, 0, MeasLevel, 800, false, "at the upper limit"},
      {true, 0, MeasLevel, 10, true, "satellite level"},
      {true, 0, MeasPower, 770, false, "satellite power at the upper limit"},
      {true, 0, MeasPower, 769, true, "satellite power below it"},
      {true, 0, MeasPower, 520, false, "satellite power at the lower limit"},
      {true, 0, MeasPower, 700, true, "satellite power ignores the DAB service"},
      {true, 0, MeasCnAuto, 90, false, "satellite C/N at its limit"},
      {true, 0, MeasCnAuto, 91, true, "satellite C/N above it"},
      {false, 0, MeasCnAuto, 10, true, "C/N of an analogue channel"},
      {false, 4, MeasCnAuto, 10, true, "C/N of a channel without TYPE"},
      {false, 1, MeasCnAuto, 260, false, "terrestrial DVB C/N at its limit"},
      {false, 1, MeasCnAuto, 261, true, "terrestrial DVB C/N above it"},
      {false, 3, MeasCnAuto, 10, true, "C/N of the FM service"},
      {false, 1, MeasPower, 650, false, "terrestrial power at its upper limit"},
      {false, 1, MeasPower, 649, true, "below it"},
      {false, 1, MeasPower, 450, false, "at its lower limit"},
      {false, 2, MeasPower, 450, false, "DAB at its lower limit"},
      {false, 2, MeasPower, 451, true, "DAB above it"},
      {false, 2, MeasPower, 650, false, "DAB at its upper limit"},
      {false, 3, MeasPower, 540, false, "FM at its lower limit"},
      {false, 3, MeasPower, 541, true, "FM above it"},
      {false, 3, MeasPower, 700, true, "FM window, above the terrestrial one"},
      {false, 3, MeasPower, 740, false, "FM at its upper limit"},
      {false, 1, MeasMer, 0, true, "other codes"},
  };
  for (const Row& r : rows) {
    TDataLogMeas m{r.code, 1, img::MeasValue(0, r.value), 0};
    EXPECT_EQ(MeetsSkyThreshold(f.ctl, r.satellite ? f.sat : f.ter, r.channel, &m), r.passes) << r.why;
  }
  // A plan type neither terrestrial nor satellite: levels pass, power takes the terrestrial window.
  f.ctl.store.File(f.ter).plan->PlanType = 4;
  TDataLogMeas level{MeasLevel, 1, img::MeasValue(0, 10), 0}, power{MeasPower, 1, img::MeasValue(0, 700), 0};
  EXPECT_TRUE(MeetsSkyThreshold(f.ctl, f.ter, 1, &level));
  EXPECT_FALSE(MeetsSkyThreshold(f.ctl, f.ter, 1, &power));
  f.ctl.store.File(f.ter).plan->PlanType = 7;
  // The configured thresholds decide.
  f.ctl.settings.thresholds.analogTerrestrialMin = 500;
  TDataLogMeas l550{MeasLevel, 1, img::MeasValue(0, 550), 0};
  EXPECT_TRUE(MeetsSkyThreshold(f.ctl, f.ter, 0, &l550));
  // No number, no measurement, no plan, no sheet: fails.
  TDataLogMeas invalid{MeasLevel, 1, img::MeasValue(0xC0, 700), 0};
  EXPECT_FALSE(MeetsSkyThreshold(f.ctl, f.ter, 0, &invalid));
  EXPECT_FALSE(MeetsSkyThreshold(f.ctl, f.ter, 0, nullptr));
  EXPECT_FALSE(MeetsSkyThreshold(f.ctl, 5, 0, &l550));
  f.ctl.skySheet = nullptr;
  EXPECT_FALSE(MeetsSkyThreshold(f.ctl, f.ter, 0, &l550));
}

// The limits are dBuV: a level measured in dBmV or dBm is judged by its figure in dBuV (the one the
// certificate prints), one step inside and one on each bound; ratios are never converted.
TEST(Xr9SkyLimits, WindowEdgesInEveryLevelUnit) {
  SkyFiles f;
  struct Row { bool satellite; int channel; uint8_t code; int dbuv; bool passes; };
  const Row rows[] = {
      {false, 0, MeasLevel, 600, false}, {false, 0, MeasLevel, 601, true},
      {false, 0, MeasLevel, 799, true},  {false, 0, MeasLevel, 800, false},
      {false, 1, MeasPower, 450, false}, {false, 1, MeasPower, 451, true},
      {false, 1, MeasPower, 649, true},  {false, 1, MeasPower, 650, false},
      {true, 0, MeasPower, 520, false},  {true, 0, MeasPower, 521, true},
      {true, 0, MeasPower, 769, true},   {true, 0, MeasPower, 770, false},
  };
  struct Unit { uint8_t units; int fromDbuv; const char* name; };
  const Unit units[] = {{UnitsDbuv, 0, "dBuV"}, {UnitsDbmv, -600, "dBmV"}, {UnitsDbm, -1088, "dBm"}};
  for (const Unit& u : units)
    for (const Row& r : rows) {
      TDataLogMeas m{r.code, u.units, img::MeasValue(0, r.dbuv + u.fromDbuv), 0};
      EXPECT_EQ(MeetsSkyThreshold(f.ctl, r.satellite ? f.sat : f.ter, r.channel, &m), r.passes)
          << u.name << " code " << int(r.code) << " at " << r.dbuv << " tenths of dBuV";
    }
  // A C/N is a ratio: the same 26.1 dB passes at a dBm point, 26.0 fails.
  for (const int cn : {260, 261}) {
    TDataLogMeas m{MeasCnAuto, UnitsDbm, img::MeasValue(0, cn), 0};
    EXPECT_EQ(MeetsSkyThreshold(f.ctl, f.ter, 1, &m), cn == 261);
  }
}

TEST(Xr9SkyLimits, OffsetsAtOffAirAndLaunchPointsComeOffExactly) {
  SkyFiles f;
  auto& tps = *f.ctl.store.File(f.ter).testPoints;
  tps[0].pointType = 1;  // Off Air
  tps[1].pointType = 2;  // Launch
  tps[2].pointType = 0;  // Flat
  const std::vector<uint32_t> received = f.Values(f.ter);
  f.Value(f.ter, 2, 0, 0).mark = 1;  // above range: keeps number and mark

  ApplySkyOffsets(f.ctl, 1, f.ter, 20, 30);
  struct Row { int channel, tp, m; int number; uint8_t flags; int mark; const char* why; };
  const Row applied[] = {
      {0, 0, 0, 630, 0x00, 0, "Off Air level +30, now inside its window"},
      {0, 0, 1, 300, 0x00, 0, "C/N not offset (and not marked)"},
      {1, 0, 0, 670, 0x40, 1, "below range +30 keeps its qualifier, now above the power window"},
      {2, 0, 0, 700, 0x80, 1, "above range untouched"},
      {3, 0, 0, 630, 0x00, 0, "FM power +30 inside the FM window"},
      {0, 1, 0, 32767, 0x00, 1, "Launch level held at the 16-bit limit"},
      {1, 1, 0, 660, 0x00, 1, "Launch power +20 fails"},
      {2, 1, 0, 600, 0xC0, 0, "invalid untouched"},
      {3, 1, 0, -32748, 0x00, 1, "the lowest number +20"},
      {0, 2, 0, 600, 0x00, 0, "flat untouched"},
      {1, 3, 0, 640, 0x00, 0, "no type untouched"},
  };
  for (const Row& r : applied) {
    const TDataLogMeas& m = f.Value(f.ter, r.channel, r.tp, r.m);
    EXPECT_EQ(Number(m), r.number) << r.why;
    EXPECT_EQ(m.value & 0xFF, r.flags) << r.why;
    EXPECT_EQ(m.mark, r.mark) << r.why;
  }
  ApplySkyOffsets(f.ctl, -1, f.ter, 20, 30);
  EXPECT_EQ(f.Values(f.ter), received);  // 32760, not 32767 - 20
  EXPECT_EQ(f.Value(f.ter, 0, 0, 0).mark, 1);  // 600 fails again
  EXPECT_EQ(f.Value(f.ter, 2, 0, 0).mark, 1);
  EXPECT_TRUE(f.ctl.store.File(f.ter).skyHeld.empty());

  // Twice on, twice off: still the received numbers.
  ApplySkyOffsets(f.ctl, 1, f.ter, 300, 300);
  ApplySkyOffsets(f.ctl, 1, f.ter, 300, 300);
  EXPECT_EQ(Number(f.Value(f.ter, 0, 0, 0)), 1200);
  ApplySkyOffsets(f.ctl, -1, f.ter, 300, 300);
  ApplySkyOffsets(f.ctl, -1, f.ter, 300, 300);
  EXPECT_EQ(f.Values(f.ter), received);

  // Slots out of range: a line for 200, nothing for -1.
  f.memo.clear();
  ApplySkyOffsets(f.ctl, 1, -1, 20, 30);
  EXPECT_TRUE(f.memo.empty());
  ApplySkyOffsets(f.ctl, 1, 200, 20, 30);
  ASSERT_EQ(f.memo.size(), 1u);
  EXPECT_EQ(f.memo[0], "DataLogger index out of bounds");

  // A plan whose channel list is missing: the box, nothing changed.
  cv::RecordingPrompter boxes;
  f.ctl.store.File(f.ter).plan->Channels.reset();
  ApplySkyOffsets(f.ctl, 1, f.ter, 20, 30);
  ASSERT_EQ(boxes.shown.size(), 1u);
  EXPECT_EQ(boxes.shown[0].caption, "Error");
  EXPECT_EQ(boxes.shown[0].text, "Empty channel list found");
  EXPECT_EQ(f.Values(f.ter), received);
}

TEST(Xr9SkyLimits, DvbChannelListHoldsEveryDvbChannel) {
  TPlanXR9 plan;
  plan.Channels.emplace();
  for (int i = 0; i < 200; ++i)
    plan.Channels->push_back(TChanXR9("C", 474000, 474000, {TChanAttribute::Of(AttrType, uint32_t(i % 8 == 7 ? 7 : i % 3))}));
  const std::vector<int> all = ListDvbChannels(&plan);
  ASSERT_EQ(all.size(), 200u);
  EXPECT_EQ(all[160], 160);
  EXPECT_EQ(all.back(), 199);
  // Analogue, other types and channels without TYPE are left out, in plan order.
  plan.Channels->clear();
  for (uint8_t type : {3, 0, 4, 7, 5, 1, 6, 2})
    plan.Channels->push_back(TChanXR9("C", 474000, 474000, {TChanAttribute::Of(AttrType, type)}));
  plan.Channels->push_back(TChanXR9("C", 474000, 474000, {}));
  EXPECT_EQ(ListDvbChannels(&plan), (std::vector<int>{1, 3, 5, 7}));
  EXPECT_TRUE(ListDvbChannels(nullptr).empty());
}
