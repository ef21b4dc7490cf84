// The CORVANE-PLENAR memory settings rules without a form, as one table over the sixteen
// measures and their families (DAB among them), and the plan-and-channel picker of 64 plans
// against the simulated meter.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QPushButton>
#include <cctype>
#include <functional>

#include "../../cv4/memories/Cv4MemoryKit.h"
#include "Format.h"
#include "Memdlgplen.h"
#include "MemoryChannel.h"
#include "PlenMemoryData.h"
#include "PlenMemoryKit.h"
#include "PlenarSim.h"
#include "Pll.h"

using cv::mem::MemoryData;

namespace {

struct DataRig : memtestplen::Rig {
  memtest4::DataView dataView;
  cv::mem::MemoryData data{link, prompter, dataView, cv::plenar::PlenMemoryData()};
};

MemoryRecord With(MemoryRecord r, const std::function<void(MemoryRecord&)>& change) {
  change(r);
  return r;
}

MemoryRecord Ter() { return memtest::TerLevel(); }
MemoryRecord Sat() {
  return With(Ter(), [](MemoryRecord& r) {
    r.band = 'S';
    r.freq = 1500;
    r.std = '7';
    r.sound = 'E';
    r.lnbOsc = 9750;
  });
}

std::string C(char c) { return c ? std::string(1, c) : std::string("-"); }

// The fields the rules touch and the field group.
std::string Summary(DataRig& rig) {
  const MemoryRecord& r = rig.data.w.r;
  std::string word = rig.data.w.wordText;
  for (char& ch : word) ch = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
  return cv::Format("%s %g %s %s%s s%s u%s m%s cr%s si%s mo%s ca%s gi%s sr%d lnb%g G%d", C(r.band), r.freq,
                    word, C(r.color), C(r.std), C(r.sound), C(r.units), C(r.meas), C(r.codeRate),
                    C(r.specInv), C(r.modulation), C(r.carriers), C(r.guardInt), r.symRate, r.lnbOsc,
                    rig.data.layoutMode);
}

// Which demodulation controls are on: symbol rate, code rate, modulation, spectral inversion,
// carriers, guard interval, sound, units.
std::string Controls(const cv::mem::MemoryDataForm& f) {
  std::string s;
  for (const bool on : {f.symRate.enabled, f.codeRate.enabled, f.modulation.enabled, f.specInv.enabled,
                        f.carriers.enabled, f.interval.enabled, f.sound.enabled, f.units.enabled})
    s += on ? '1' : '0';
  return s;
}

std::string Word(char band, double mhz) { return cv::Format("%04X", cv::PllWord(band, mhz) & 0xFFFF); }

}  // namespace

TEST(PlenarMemoryDataRules, MeasureFamiliesAndDab) {
  const MemoryRecord dabBer = With(Ter(), [](MemoryRecord& r) {
    r.meas = '8';
    r.color = '3';
    r.std = '6';
    r.sound = '3';
    r.units = '0';
  });
  struct Case {
    const char* name;
    MemoryRecord start;
    std::function<void(MemoryData&)> act;
    std::string expected, controls;
  } cases[] = {
      {"QPSK-MER is BER(QPSK) storing 'A'", Ter(), [](MemoryData& m) { m.EvLevelChange(10); },
       "S 1500 " + Word('S', 1500) + " 36 s3 u- mA cr0 si1 mo- ca- gi- sr27500 lnb9750 G3", "11010000"},
      {"QPSK-CBER too, storing '9'", Ter(), [](MemoryData& m) { m.EvLevelChange(9); },
       "S 1500 " + Word('S', 1500) + " 36 s3 u- m9 cr0 si1 mo- ca- gi- sr27500 lnb9750 G3", "11010000"},
      {"COFDM-MER is BER(COFDM) storing 'D'", Sat(), [](MemoryData& m) { m.EvLevelChange(13); },
       "T 450 " + Word('T', 450) + " 36 s3 u- mD cr- si1 mo- ca4 gi0 sr0 lnb0 G1", "00011100"},
      {"DAB SNR on a satellite memory", Sat(), [](MemoryData& m) { m.EvLevelChange(15); },
       "T 222.05 " + Word('T', 222.05) + " 36 s3 u- mF cr- si- mo- ca- gi- sr0 lnb0 G1", "00000000"},
      {"DAB-BER on a terrestrial memory", Ter(), [](MemoryData& m) { m.EvLevelChange(8); },
       "T 48.25 " + Word('T', 48.25) + " 36 s3 u- m8 cr- si- mo- ca- gi- sr0 lnb0 G1", "00000000"},
      {"PAL_BG on DAB-BER gives LEVEL", dabBer, [](MemoryData& m) { m.EvStandChange(0); },
       "T 48.25 " + Word('T', 48.25) + " 00 s3 u0 m0 cr- si- mo- ca- gi- sr0 lnb0 G0", "00000011"},
      {"SAT on DAB SNR gives LEVEL", With(dabBer, [](MemoryRecord& r) { r.meas = 'F'; }),
       [](MemoryData& m) { m.EvBandChange(1); },
       "S 1500 " + Word('S', 1500) + " 36 s3 u0 m0 cr- si- mo- ca- gi- sr0 lnb9750 G2", "00000011"},
      {"900 MHz on DAB-BER gives LEVEL", dabBer, [](MemoryData& m) { m.EvFreqChange("900"); },
       "S 900 " + Word('S', 900) + " 36 s3 u0 m0 cr- si- mo- ca- gi- sr0 lnb9750 G2", "00000011"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    DataRig rig;
    ASSERT_TRUE(rig.data.OpenRecord(c.start));
    c.act(rig.data);
    EXPECT_EQ(Summary(rig), c.expected);
    EXPECT_EQ(Controls(rig.data.form), c.controls);
  }
}

TEST(PlenarMemoryDataRules, SixteenMeasuresAndTheirCodesShownBack) {
  DataRig rig;
  ASSERT_TRUE(rig.data.OpenRecord(Ter()));
  ASSERT_EQ(rig.data.form.level.items.size(), 16u);
  EXPECT_EQ(rig.data.form.level.items[0], "LEVEL");
  EXPECT_EQ(rig.data.form.level.items[15], "DAB SNR");
  const std::string codes = "0123456789ABCDEF";
  for (int i = 0; i < 16; ++i) {
    rig.data.w.r.meas = codes[i];
    rig.data.form.level.index = -1;
    rig.data.ShowLevel();
    EXPECT_EQ(rig.data.form.level.index, i);
  }
  rig.data.w.r.meas = 'G';
  rig.data.form.level.index = -1;
  rig.data.ShowLevel();
  EXPECT_EQ(rig.data.form.level.index, -1);
}

TEST(PlenarMemoryDataRules, PlanNumbersToSixtyThree) {
  for (const int plan : {40, 63, 64}) {
    SCOPED_TRACE(plan);
    DataRig rig;
    const bool opened = rig.data.OpenRecord(With(Ter(), [plan](MemoryRecord& r) { r.nPlan = plan; }));
    EXPECT_EQ(opened, plan < 64);
    if (plan == 64) {
      EXPECT_EQ(rig.Log(), (std::vector<std::string>{"Error(s) in memory number 5:", "Number of plan:64 (64)"}));
      ASSERT_EQ(rig.prompter.shown.size(), 1u);
      EXPECT_EQ(rig.prompter.shown[0].text, "Invalid memory data");
    }
  }
}

namespace {

class PlenarPicker : public testing::Test, public PlenarSim {
 public:
  void Start(const std::function<void(cvsim::PlenarProfile&)>& plans) {
    auto profile = std::make_unique<cvsim::PlenarProfile>();
    plans(*profile);
    ASSERT_NO_FATAL_FAILURE(StartSim(std::move(profile)));
    rig = std::make_unique<memtestplen::Rig>(&port);
    ASSERT_NO_FATAL_FAILURE(SettleAndOpen());
    ASSERT_NO_FATAL_FAILURE(SettleAfterWakeLine());  // past the wake line of the opening
    sim->ClearTraffic();
    picker = std::make_unique<cv::plenar::TPlenMemoryChannelDlg>(nullptr, rig->equip.get(),
                                                                  cv::mem::PickTarget{plan, channel, number}, &start);
  }
  void TearDown() override {
    picker.reset();
    port.Close();
  }
  QStringList Items(QComboBox* c) {
    QStringList items;
    for (int i = 0; i < c->count(); ++i) items << c->itemText(i);
    return items;
  }
  std::unique_ptr<memtestplen::Rig> rig;
  PlanInfo plan;
  TChan3 channel;
  int number = -1;
  memtest4::FakeStart start;
  std::unique_ptr<cv::plenar::TPlenMemoryChannelDlg> picker;
};

}  // namespace

TEST_F(PlenarPicker, SixtyFourPlansAndNoSixtyFifthHeader) {
  ASSERT_NO_FATAL_FAILURE(Start([](cvsim::PlenarProfile& p) {
    p.plans.clear();
    for (int i = 0; i < 64; ++i)
      p.plans[i] = {cv::Format("P%02d", i), 'T', 0, 0x21, {}, {memtest4::Channel("C21", 'T', 471.25)}};
    p.plans[40] = {"KU", 'S', 97500, 0x30, {}, {memtest4::Channel("ARD", 'S', 1200), memtest4::Channel("ZDF", 'S', 1100)}};
    p.plans[41] = {"CBAND", 'S', 51500, 0x30, {}, {memtest4::Channel("C1", 'S', 1200)}};
  }));
  start.fire();
  EXPECT_EQ(picker->PlanCombo->count(), 64);
  int headers = 0;
  for (const std::string& l : sim->Lines()) {
    if (l.rfind("*?JI", 0) == 0) ++headers;
    EXPECT_NE(l, "*?JI40");
  }
  EXPECT_EQ(headers, 65);  // 64 plans, then plan 0 again
  emit picker->PlanCombo->activated(40);
  EXPECT_EQ(Items(picker->ChannelCombo), QStringList({"ARD  (10950,00 MHz)", "ZDF  (10850,00 MHz)"}));
  emit picker->PlanCombo->activated(41);
  EXPECT_EQ(Items(picker->ChannelCombo), QStringList({"C1   (3950,00 MHz)"}));
  picker->OKBtn->click();
  EXPECT_EQ(number, 41);
  EXPECT_TRUE(rig->prompter.shown.empty());
}
