// The CORVANE-4 memory settings dialog against the simulated meter over a pseudo-terminal: the
// memory's channel found by its PLL word or the fall-back to its frequency, Modify Channel through
// the family's picker (its start a fake timer), and received memories opened and taken with OK
// going back to the meter unchanged.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "Cv4MemoryKit.h"
#include "Cv4Sim.h"
#include "Format.h"
#include "Memchanneldlg4.h"
#include "Memdatadlg4.h"
#include "Memdlg4.h"
#include "ModalHelper.h"

using cvsim::Corvane4Profile;

namespace {

// A terrestrial LEVEL memory tuned by channel in plan 0.
MemoryRecord ByChannel(float mhz) {
  return memtest4::TerMemory([mhz](MemoryRecord& r) {
    r.number = 12;
    r.freq = mhz;
    r.chFr = '0';
    r.codePlan = 0x21;
  });
}

class Cv4MemoryDataSim : public testing::Test, public Cv4Sim {
 public:
  void Start(const char* version = "2.00") {
    auto profile = std::make_unique<Corvane4Profile>("CORVANE-4", version);
    profile->plans[0] = {"UHF", 'T', 0, 0x21, {},
                          {memtest4::Channel("C21", 'T', 471.25), memtest4::Channel("C22", 'T', 479.25)}};
    profile->plans[1] = {"ASTRA", 'S', 97500, 0x30, {}, {memtest4::Channel("ARD", 'S', 1200)}};
    ASSERT_NO_FATAL_FAILURE(StartSim(std::move(profile)));
    rig = std::make_unique<memtest4::DataRig>(&port);
    ASSERT_NO_FATAL_FAILURE(SettleAndOpen());
    ASSERT_NO_FATAL_FAILURE(SettleAfterWakeLine());  // past the wake line of the opening
    rig->host.Clear();
    sim->ClearTraffic();
  }
  void Silence() {
    cvsim::Faults f;
    f.silent = true;
    sim->SetFaults(f);
  }
  void TearDown() override { port.Close(); }
  std::unique_ptr<memtest4::DataRig> rig;
};

}  // namespace

// The memory's channel, looked up in its plan by PLL word, and each way to fall back to the
// frequency (kept so by OK).
TEST_F(Cv4MemoryDataSim, ChannelLookup) {
  struct Case {
    const char* name;
    float mhz;
    std::function<void(Cv4MemoryDataSim&)> fault;
    const char* channel;  // nullptr: shown by frequency
    std::vector<std::string> log;
  };
  const Case cases[] = {
      {"found by its PLL word", 479.25f, nullptr, "C22 ", {}},
      {"no channel of that word", 500.0f, nullptr, nullptr, {}},
      {"a channel read fails before it", 479.25f,
       [](Cv4MemoryDataSim& t) {
         t.Profile([](Corvane4Profile& p) { p.plans[0].channels[0].unreadable = true; });
       },
       nullptr, {}},
      {"a plan that is not there", 479.25f,
       [](Cv4MemoryDataSim& t) { t.Profile([](Corvane4Profile& p) { p.plans.erase(0); }); }, nullptr, {}},
      {"no answer", 479.25f, [](Cv4MemoryDataSim& t) { t.Silence(); }, nullptr,
       {"Receiving Channels Error: Equipment not detected"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ASSERT_NO_FATAL_FAILURE(Start());
    if (c.fault) c.fault(*this);
    ASSERT_TRUE(rig->data.OpenRecord(ByChannel(c.mhz)));
    const cv::mem::MemoryDataForm& f = rig->data.form;
    EXPECT_EQ(rig->Log(), c.log);
    MemoryRecord back;
    rig->data.StoreRecord(back);
    if (c.channel) {
      EXPECT_EQ(f.channel.text, c.channel);
      EXPECT_TRUE(f.channelRadio);
      EXPECT_TRUE(f.channel.enabled);
      EXPECT_FALSE(f.freq.enabled);
      EXPECT_EQ(back.chFr, '0');
    } else {
      EXPECT_EQ(f.channel.text, "");
      EXPECT_TRUE(f.freqRadio);
      EXPECT_TRUE(f.freq.enabled);
      EXPECT_EQ(back.chFr, '1');
    }
    EXPECT_EQ(back.freq, c.mhz);
    port.Close();
    rig.reset();
  }
}

// Modify Channel through the form: the picker opens over the dialog ("Loading..." meanwhile) and
// its plan and channel are taken.
TEST_F(Cv4MemoryDataSim, ModifyChannelTakesThePickedChannel) {
  ASSERT_NO_FATAL_FAILURE(Start());
  auto owner = cv::cv4::MakeMemoryDlg(nullptr, rig->equip.get());
  owner->Editor().current = ByChannel(500);  // no such channel: shown by frequency
  TMemoryDataDlg dlg(owner.get(), rig->equip.get(), cv::cv4::Cv4MemoryDataForm(rig->equip.get()));
  ASSERT_TRUE(dlg.Opened());
  EXPECT_TRUE(dlg.FreqRadioButton->isChecked());
  EXPECT_EQ(dlg.ModifyChannelBtn->toolTip(), "Look for channels in equipment");
  EXPECT_EQ(dlg.SpecInvCombo->toolTip(), "QPSK / QAM / COFDM");
  memtest4::FakeStart start;
  dlg.pickerStart = &start;
  QString captionWhilePicking;
  bool enabledWhilePicking = true;
  cvtest::WhenModal<cv::cv4::TCv4MemoryChannelDlg>([&](cv::cv4::TCv4MemoryChannelDlg* picker) {
    captionWhilePicking = dlg.ModifyChannelBtn->text();
    enabledWhilePicking = dlg.ModifyChannelBtn->isEnabled();
    ASSERT_TRUE(start.fire);
    start.fire();
    emit picker->PlanCombo->activated(1);  // the satellite plan
    picker->OKBtn->click();
  });
  dlg.ModifyChannelBtn->click();
  EXPECT_EQ(captionWhilePicking, "Loading...");
  EXPECT_FALSE(enabledWhilePicking);
  EXPECT_EQ(dlg.ModifyChannelBtn->text(), "Modify Channel");
  EXPECT_TRUE(dlg.ModifyChannelBtn->isEnabled());
  EXPECT_EQ(dlg.ChannelEdit->text(), "ARD ");
  EXPECT_TRUE(dlg.ChannelRadioButton->isChecked());
  EXPECT_EQ(dlg.BandCombo->currentText(), "SAT");  // 1200 MHz made it a satellite memory
  const MemoryRecord& r = dlg.Model().w.r;
  EXPECT_EQ(r.chFr, '0');
  EXPECT_EQ(r.nPlan, 1);
  EXPECT_EQ(r.codePlan, 0x30);
  EXPECT_EQ(r.lnbOsc, 9750.0f);
  EXPECT_EQ(r.freq, 1200.0f);
  EXPECT_EQ(dlg.Model().w.wordText, cv::Format("%04X", cv::PllWord('S', 1200)));
  dlg.OKBtn->click();
  EXPECT_EQ(owner->Editor().current.nPlan, 1);
  EXPECT_EQ(owner->Editor().current.chFr, '0');
  EXPECT_EQ(rig->prompter.shown.size(), 0u);
}

TEST_F(Cv4MemoryDataSim, ModifyChannelWithoutAnInstrument) {
  ASSERT_NO_FATAL_FAILURE(Start());
  int pickers = 0;
  rig->dataView.picker = [&pickers] { return ++pickers, false; };
  ASSERT_TRUE(rig->data.OpenRecord(ByChannel(479.25f)));
  Silence();
  rig->host.Clear();
  rig->data.ModifyChannelBtnClick();
  EXPECT_EQ(rig->Log(), std::vector<std::string>({"Error. Equipment not detected"}));
  EXPECT_EQ(pickers, 0);
  EXPECT_TRUE(rig->data.form.modifyEnabled);
  EXPECT_EQ(rig->data.form.modifyCaption, "Modify Channel");
}

// Offline a memory tuned by channel stays so; the channel edit keeps what it shows.
TEST(Cv4MemoryDataOffline, ChannelModeWithoutAPort) {
  memtest4::DataRig rig;
  int pickers = 0;
  rig.dataView.picker = [&pickers] { return ++pickers, true; };
  ASSERT_TRUE(rig.data.OpenRecord(ByChannel(479.25f)));
  EXPECT_TRUE(rig.data.form.channelRadio);
  rig.data.form.channel.text = "C22 ";
  rig.data.FreqRadioButtonClick();
  rig.data.ChannelRadioButtonClick();
  EXPECT_EQ(rig.data.form.channel.text, "C22 ");
  EXPECT_EQ(rig.data.w.r.chFr, '0');
  rig.data.ModifyChannelBtnClick();
  EXPECT_EQ(pickers, 0);
  EXPECT_TRUE(rig.data.form.modifyEnabled);
  EXPECT_TRUE(rig.Log().empty());
}

// Every memory the meter holds, opened from the editor and taken with OK, goes back to the meter
// byte for byte, in either wire form.
TEST_F(Cv4MemoryDataSim, ReceivedMemoriesGoBackUnchanged) {
  constexpr size_t kChFrAt = 15;  // the tuning mode's place in an SR record
  for (const char* version : {"2.00", "1.90"}) {
    SCOPED_TRACE(version);
    ASSERT_NO_FATAL_FAILURE(Start(version));
    std::vector<std::string> before;
    Profile([&](Corvane4Profile& p) {
      for (int n = 1; n <= 99; ++n) before.push_back(p.Cv4MemoryReply(n));
    });
    auto owner = cv::cv4::MakeMemoryDlg(nullptr, rig->equip.get());
    cv::mem::MemoryEditor& editor = owner->Editor();
    editor.ReceiveBtnClick();
    ASSERT_TRUE(editor.loaded);
    for (int i = 0; i < 99; ++i) {
      editor.current = editor.records[i];
      // The meter's plans hold none of the channels its memories are tuned to: those memories are
      // shown, and kept, by frequency.
      MemoryRecord expected = editor.records[i];
      if (expected.chFr == '0') {
        expected.chFr = '1';
        before[i][kChFrAt] = '1';
      }
      TMemoryDataDlg dlg(owner.get(), rig->equip.get(), cv::cv4::Cv4MemoryDataForm(rig->equip.get()));
      ASSERT_TRUE(dlg.Opened()) << "memory " << i + 1;
      dlg.OKBtn->click();
      EXPECT_EQ(editor.current, expected) << "memory " << i + 1;
      editor.MemoryEdited(i);
    }
    EXPECT_TRUE(editor.modified);
    sim->ClearTraffic();
    editor.SendBtnClick();
    std::vector<std::string> after;
    Profile([&](Corvane4Profile& p) {
      for (int n = 1; n <= 99; ++n) after.push_back(p.Cv4MemoryReply(n));
    });
    EXPECT_EQ(after, before);
    int records = 0;
    for (const std::string& l : sim->Lines()) records += l.rfind(version[0] == '2' ? "*XSR" : "*SR", 0) == 0;
    EXPECT_EQ(records, 99);
    port.Close();
    rig.reset();
  }
}
