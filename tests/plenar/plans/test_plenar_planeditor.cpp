// The CORVANE-PLENAR plan-set editor and channel dialogs through their controllers: 64 slots,
// the DAB band, the LNB field, plan sizes, and the channel list and block rules of the family's
// record (255 channels, bandwidths in hundredths, DAB defaults).
#include <gtest/gtest.h>

#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <stdexcept>
#include <QLineEdit>

#include "../../plans/PlanFakes.h"
#include "ChanPlen.h"
#include "Chandlg.h"
#include "ChannelListEditor.h"
#include "PlenPlanFamily.h"
#include "PlenPlanScript.h"

using cv::plenar::PlenPlanFamily;
using cv::plenar::TChanPlen;
using namespace plantest;

namespace {

class CountingChooser : public ScriptedChooser {
 public:
  std::string OpenFile(const std::string& f, const std::string& d) override {
    ++opened;
    return ScriptedChooser::OpenFile(f, d);
  }
  int opened = 0;
};

class PlenFakeEquipment : public FakeEquipment {
 public:
  bool RunScript(const std::string& path) override {
    if (throws) throw std::runtime_error("boom");
    return FakeEquipment::RunScript(path);
  }
  bool throws = false;
};

struct PlenRig {
  PlenRig() : old(QDir::currentPath()) { QDir::setCurrent(dir.path()); }
  ~PlenRig() { QDir::setCurrent(old); }
  QTemporaryDir dir;
  QString old;
  PlenFakeEquipment equip;
  RecordingPrompter prompter;
  CountingChooser chooser;
  NullView view;
  PlanEditor editor{equip, prompter, chooser, view, PlenPlanFamily()};
};

PlanSlot Plan(char band, int n = 0, float lnb = 0, float first = 474.0f, int commands = 0) {
  PlanSlot s;
  NewPlan(s);
  s.band = band;
  s.lnbMHz = lnb;
  for (int i = 0; i < n; ++i)
    s.Channels().push_back(TChanPlen::FromFrequency("C" + std::to_string(i), first + 6.0f * i, 800, band,
                                                    commands > 0 ? "ME4" : "", commands > 1 ? "ME5" : "",
                                                    commands > 2 ? "ME6" : ""));
  s.channelCount = n;
  return s;
}

std::vector<std::string> Names(const ChannelListEditor& e) {
  std::vector<std::string> names;
  for (const TChan3& c : e.Channels()) names.push_back(c.name);
  return names;
}

}  // namespace

TEST(PlenPlanEditor, PlanMemorySizeCountsTheBandsCommandSlots) {
  EXPECT_EQ(cv::plenar::PlanMemorySize(Plan('S', 80, 9750, 1000.0f, 3)), 1280);
  EXPECT_EQ(cv::plenar::PlanMemorySize(Plan('T', 128, 0, 47.0f, 0)), 1280);
  // A terrestrial or DAB channel's second and third commands take no memory.
  EXPECT_EQ(cv::plenar::PlanMemorySize(Plan('D', 10, 0, 174.0f, 3)), 120);
}

TEST(PlenPlanEditor, LnbFieldAndTheDabBand) {
  PlenRig r;
  r.editor.NewBtnClick();
  PlanSlot& s = r.editor.planSlots[0];
  ASSERT_EQ(r.editor.ReadBandCombo(1), 1);
  struct Row {
    const char* typed;
    int result;
    const char* lnbText;
    int beeps;
  } rows[] = {
      {"52428.7", 1, "7FFFF", 0},
      {"52428.8", -1, "7FFFF", 1},
      {"-1", -1, "7FFFF", 1},
      {"9750", 1, "17CDC", 0},
      {"9750.0", 0, "17CDC", 0},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.typed);
    r.prompter.beeps = 0;
    EXPECT_EQ(r.editor.ReadLNBEdit(row.typed), row.result);
    EXPECT_STREQ(s.lnbText, row.lnbText);
    EXPECT_EQ(r.prompter.beeps, row.beeps);
  }
  // DAB (the third item) clears the oscillator as TER does; an entry there is only cleared.
  EXPECT_EQ(r.editor.ReadBandCombo(2), 1);
  EXPECT_EQ(s.band, 'D');
  EXPECT_EQ(s.lnbMHz, 0.0f);
  EXPECT_STREQ(s.lnbText, "00000");
  EXPECT_EQ(r.editor.ReadLNBEdit("9750"), -2);
  EXPECT_EQ(s.lnbMHz, 0.0f);
  EXPECT_STREQ(s.lnbText, "00000");
  EXPECT_EQ(r.editor.ReadBandCombo(0), 1);
  EXPECT_EQ(s.band, 'T');
}

TEST(PlenPlanEditor, SixtyFourSlotsThenAddAndNewRefuse) {
  PlenRig r;
  for (int i = 0; i < 64; ++i) r.editor.NewBtnClick();
  for (int i = 0; i < 64; ++i) ASSERT_TRUE(r.editor.planSlots[i].HoldsPlan()) << i;
  EXPECT_TRUE(r.prompter.Boxes().empty());
  r.editor.listIndex = 63;
  r.editor.DownBtnClick();  // the last slot goes no further
  EXPECT_EQ(r.editor.listIndex, 63);
  r.editor.UpBtnClick();
  EXPECT_EQ(r.editor.listIndex, 62);

  r.editor.AddBtnClick();
  r.editor.NewBtnClick();
  r.editor.InsertBtnClick();
  ASSERT_EQ(r.prompter.Boxes().size(), 3u);
  for (const Box& b : r.prompter.Boxes()) {
    EXPECT_EQ(b.text, "Maximum number of plans reached");
    EXPECT_EQ(b.caption, "PLANS ERROR");
  }
  EXPECT_EQ(r.chooser.opened, 0);

  // With one slot free Add takes it and numbers the plan after it.
  ClearPlan(r.editor.planSlots[40]);
  r.editor.listIndex = 50;
  r.chooser.openPath = r.editor.equip.StartDir() + "/missing.csv";
  r.editor.AddBtnClick();
  EXPECT_EQ(r.chooser.opened, 1);
  EXPECT_TRUE(r.prompter.Shown("Couldn't open file"));
}

TEST(PlenPlanEditor, SendRunsTheFamilysCheckAndSurvivesAThrowingRun) {
  PlenRig r;
  r.editor.NewBtnClick();
  PlanSlot& s = r.editor.planSlots[0];
  s.Channels().push_back(TChanPlen::FromFrequency("C0", 474.0f, 800, 'T'));
  s.channelCount = 1;
  int checks = 0;
  bool compatible = false;
  r.editor.sendCheck = [&] {
    ++checks;
    return compatible;
  };
  r.editor.SendBtnClick();
  EXPECT_EQ(checks, 1);
  EXPECT_TRUE(r.equip.ranScripts.empty());

  compatible = true;
  r.equip.throws = true;
  EXPECT_NO_THROW(r.editor.SendBtnClick());
  EXPECT_EQ(checks, 2);
  EXPECT_FALSE(r.view.busy);
  EXPECT_TRUE(r.equip.Logged("Sending Channels Error: the script stopped before its end."));
  EXPECT_FALSE(r.equip.Logged("Sending successful"));
  ASSERT_EQ(r.prompter.Boxes().size(), 1u);
  EXPECT_EQ(r.prompter.Boxes()[0].text, "Sending Channels Error: the script run stopped (boom).");
  EXPECT_EQ(r.prompter.Boxes()[0].caption, "CvTools Error");

  r.equip.throws = false;
  r.editor.SendBtnClick();
  EXPECT_EQ(r.equip.ranScripts.size(), 1u);
  EXPECT_TRUE(r.equip.Logged("Sending successful"));
}

TEST(PlenChannels, DabAddAndTheFormShowsOneCommandNoBandwidth) {
  PlanSlot dab = Plan('D');
  TChannelsDlg dlg(nullptr, dab, nullptr, PlenPlanFamily());
  dlg.AddBtnClick();
  ChannelListEditor& e = dlg.Editor();
  ASSERT_EQ(e.Count(), 1);
  EXPECT_STREQ(e.Channels()[0].name, " NEW");
  EXPECT_FLOAT_EQ(e.Channels()[0].frequency, 222.05f);
  EXPECT_EQ(e.Channels()[0].word2, static_cast<int32_t>(e.Channels()[0].word));  // the DAB record
  EXPECT_TRUE(dlg.BWEdit->isHidden());
  EXPECT_FALSE(dlg.BWEdit->isEnabled());
  EXPECT_TRUE(dlg.BWLabel->isHidden());
  EXPECT_TRUE(dlg.Comm1Combo->isEnabled());
  EXPECT_FALSE(dlg.Comm2Combo->isEnabled());
  EXPECT_FALSE(dlg.Comm3Combo->isEnabled());
  EXPECT_EQ(dlg.Comm1Combo->count(), 60);

  PlanSlot ter = Plan('T');
  TChannelsDlg terDlg(nullptr, ter, nullptr, PlenPlanFamily());
  EXPECT_FALSE(terDlg.BWEdit->isHidden());
  EXPECT_EQ(terDlg.BWEdit->maxLength(), 5);
  terDlg.AddBtnClick();
  EXPECT_FLOAT_EQ(terDlg.Editor().Channels()[0].frequency, 471.25f);
  EXPECT_EQ(terDlg.BWEdit->text(), "8.00");
}

TEST(PlenChannels, BandwidthInHundredths) {
  PlanSlot ter = Plan('T', 1);
  ChannelListEditor e(ter, PlenPlanFamily());
  e.Select(0);
  using Exit = ChannelListEditor::Exit;
  struct Row {
    const char* typed;
    Exit exit;
    int32_t stored;
    const char* shown;
  } rows[] = {
      {"8", Exit::Unchanged, 800, "8.00"},  {"15", Exit::Changed, 1500, "15.00"},
      {"15.01", Exit::Refused, 1500, "15.00"}, {"0", Exit::Refused, 1500, "15.00"},
      {"1,53", Exit::Changed, 153, "1.53"},  {"0.01", Exit::Changed, 1, "0.01"},
      {"-3", Exit::Refused, 1, "0.01"},       {"7.999", Exit::Changed, 800, "8.00"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.typed);
    EXPECT_EQ(e.ReadBandwidth(row.typed), row.exit);
    EXPECT_EQ(e.Channels()[0].bandwidth, row.stored);
    EXPECT_EQ(e.BandwidthText(), row.shown);
  }
  // The copy the editor works on keeps a channel's bandwidth and the family's words.
  ter.Channels()[0] = TChanPlen::FromFrequency("C0", 474.0f, 153, 'T');
  ChannelListEditor copy(ter, PlenPlanFamily());
  EXPECT_EQ(copy.Channels()[0].bandwidth, 153);
  EXPECT_EQ(copy.Channels()[0].word2, ter.Channels()[0].word2);
}

TEST(PlenChannels, SatelliteFrequencyThroughTheOscillator) {
  PlanSlot sat = Plan('S', 0, 9750);
  sat.Channels().push_back(TChanPlen::FromFrequency("S1", 1500.0f, 0, 'S'));
  ChannelListEditor e(sat, PlenPlanFamily());
  EXPECT_EQ(e.ListLine(0), "  S1 (11250.00)");
  e.Select(0);
  EXPECT_EQ(e.ReadFrequency("11300"), ChannelListEditor::Exit::Changed);
  EXPECT_FLOAT_EQ(e.Channels()[0].frequency, 1550.0f);
  EXPECT_EQ(e.ReadFrequency("11250"), ChannelListEditor::Exit::Changed);
  EXPECT_FLOAT_EQ(e.Channels()[0].frequency, 1500.0f);
  EXPECT_EQ(e.ReadFrequency("10600"), ChannelListEditor::Exit::Refused);  // an IF of 850 MHz
}

TEST(PlenChannels, BlocksOverTheBandAndThePlanLimit) {
  PlanSlot ter = Plan('T');
  {
    ChannelListEditor e(ter, PlenPlanFamily());
    BlockSettings b = e.NewBlockSettings();
    EXPECT_FLOAT_EQ(b.firstFreq, 471.25f);
    EXPECT_EQ(e.GenerateBlock(b), 2);
    EXPECT_EQ(Names(e), (std::vector<std::string>{" A00", " A01"}));
    EXPECT_FLOAT_EQ(e.Channels()[1].frequency, 479.25f);
    EXPECT_EQ(e.Channels()[1].bandwidth, 800);
  }
  {
    ChannelListEditor e(ter, PlenPlanFamily());
    BlockSettings b{'A', 0, 256, 800.0f, 8.0f};
    EXPECT_EQ(e.GenerateBlock(b), 8);  // 800 to 856 MHz
    EXPECT_FLOAT_EQ(e.Channels().back().frequency, 856.0f);
  }
  {
    ChannelListEditor e(ter, PlenPlanFamily());
    BlockSettings b{'A', 999, 2, 474.0f, 8.0f};
    EXPECT_EQ(e.GenerateBlock(b), 2);
    EXPECT_EQ(Names(e), (std::vector<std::string>{"A999", " A00"}));
  }
  PlanSlot dab = Plan('D');
  EXPECT_FLOAT_EQ(ChannelListEditor(dab, PlenPlanFamily()).NewBlockSettings().firstFreq, 222.05f);

  // 250 channels: a block stops at the plan's 255th, and then none is offered.
  PlanSlot full = Plan('T');
  for (int i = 0; i < 250; ++i)
    full.Channels().push_back(TChanPlen::FromFrequency("C", 50.0f + 0.5f * i, 800, 'T'));
  ChannelListEditor e(full, PlenPlanFamily());
  EXPECT_TRUE(e.CanAddChannels());
  BlockSettings b{'B', 0, 10, 300.0f, 1.0f};
  EXPECT_EQ(e.GenerateBlock(b), 5);
  EXPECT_EQ(e.Count(), 255);
  EXPECT_FALSE(e.CanAddChannels());
  EXPECT_FALSE(e.Add());
}

TEST(PlenChannels, BlockQuantityUpTo255) {
  BlockSettings b;
  ChannelBlockEditor block(b, 'T', 0, PlenPlanFamily());
  std::optional<std::string> restore;
  EXPECT_TRUE(block.ReadQuantity("255", restore));
  EXPECT_FALSE(restore);
  EXPECT_FALSE(block.ReadQuantity("256", restore));
  EXPECT_EQ(restore, "255");
  EXPECT_EQ(b.quantity, 255);
  EXPECT_FALSE(block.ReadQuantity("0", restore));
  EXPECT_EQ(restore, "255");
}

TEST(PlenPlanEditor, ACanalizationPastThePlanMemoryIsLoggedOnSaveAndSend) {
  struct Row {
    const char* what;
    bool send;
    int plans;     // of 129 terrestrial channels, two 1280-byte steps each
    int bigPlan;   // a plan of 256 channels in this slot (-1: none), above the plan byte limit
    const char* box;  // nullptr: written
    const char* logged;
  } rows[] = {
      {"24 plans fit, Save", false, 24, -1, nullptr, nullptr},
      {"25 plans pass 0xFA00, Save", false, 25, -1, "This canalization is too big (65024 bytes reached).\n",
       "Big canalization: 65024 bytes"},
      {"25 plans pass 0xFA00, Send", true, 25, -1, "This canalization is too big (65024 bytes reached).\n",
       "Big canalization: 65024 bytes"},
      {"a plan too big before the end is reached names only the plan", true, 25, 3,
       "This plan is too big: P3,\ntry removing some optional commands or\nsome channels.", nullptr},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    PlenRig r;
    for (int p = 0; p < row.plans; ++p) {
      PlanSlot& s = r.editor.planSlots[p];
      s = Plan('T', p == row.bigPlan ? 256 : 129, 0, 45.0f);
      CopyField(s.name, ("P" + std::to_string(p)).c_str());
    }
    r.editor.listFilled = r.editor.planSelected = true;
    r.chooser.savePath = (r.dir.path() + "/SET.PRO").toStdString();
    if (row.send)
      r.editor.SendBtnClick();
    else
      r.editor.SaveBtnClick();
    const auto boxes = r.prompter.Boxes();
    if (!row.box) {
      EXPECT_TRUE(boxes.empty());
      EXPECT_FALSE(r.equip.Logged("Big canalization: "));
      EXPECT_TRUE(QFile::exists(r.dir.path() + "/SET.PRO"));
      continue;
    }
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, row.box);
    EXPECT_EQ(r.equip.Logged("Big canalization: "), row.logged != nullptr);
    if (row.logged) {
      EXPECT_TRUE(r.equip.Logged(row.logged));
    }
    EXPECT_TRUE(r.equip.ranScripts.empty());
    EXPECT_FALSE(QFile::exists(r.dir.path() + "/SET.PRO"));
  }
}
