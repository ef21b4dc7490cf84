// The CORVANE-PLENAR plan-set editor's form on the equipment object against the simulated meter
// over a pseudo-terminal: Receive of a full plan set and of none, Send of a 40-plan canalization
// read back by Receive, and a canalization the meter's options refuse.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <algorithm>
#include <chrono>
#include <fstream>
#include <thread>

#include "AppServices.h"
#include "ChanPlen.h"
#include "Commandsplen.h"
#include "Chanplandlgplen.h"
#include "ChannelListEditor.h"
#include "ModalHelper.h"
#include "PlenPlanFamily.h"
#include "PlenEquip.h"
#include "FortyPlans.h"
#include "PacedClock.h"
#include "PlenarSim.h"
#include "StartDir.h"
#include "Text1252.h"

using namespace std::chrono_literals;
using cv::plenar::TChanPlen;
using cv::plenar::TCvPlenEquip;

namespace {

class PlenEditorSim : public testing::Test, public PlenarSim {
 protected:
  void Open(std::function<void(cvsim::PlenarProfile&)> setUp = nullptr) {
    ASSERT_NO_FATAL_FAILURE(StartSim());
    if (setUp) Profile(setUp);
    if (!memo) {
      memo = new QPlainTextEdit(&host);
      memo->setObjectName("LogMemo");
    }
    equip.reset(TCv3Equip::Build<TCvPlenEquip>(&host, &port));
    equip->clock = &clock;
    ASSERT_NO_FATAL_FAILURE(SettleAndOpen());
    dlg = cv::plenar::MakeChannelsPlanDlgPlen(&host, equip.get());
  }
  void TearDown() override {
    dlg.reset();
    port.Close();
  }
  int Count(const std::string& prefix) const {
    const auto lines = sim->Lines();
    return static_cast<int>(std::count_if(lines.begin(), lines.end(),
                                          [&](const std::string& l) { return l.rfind(prefix, 0) == 0; }));
  }
  QStringList Log() const { return memo->toPlainText().split('\n'); }

  StartDir dir;
  QWidget host;
  QPlainTextEdit* memo = nullptr;
  PacedClock clock;
  cv::RecordingPrompter prompter;
  std::unique_ptr<TCvPlenEquip> equip;
  std::unique_ptr<TChannelsPlanDlg> dlg;
};

void Load(TChannelsPlanDlg& dlg, const PlanSlots& plans) {
  cv::plan::PlanEditor& e = dlg.Editor();
  e.planSlots = plans;
  e.listFilled = true;
  e.planSelected = true;
  e.listIndex = 0;
  dlg.Refresh();
}

}  // namespace

TEST_F(PlenEditorSim, ReceiveFillsSixtyFourLinesAndAsksNoSixtyFifth) {
  ASSERT_NO_FATAL_FAILURE(Open([](cvsim::PlenarProfile& p) { p.StoreFullPlanSet(); }));
  std::vector<int> gauge;
  QObject::connect(dlg->Gauge, &QProgressBar::valueChanged, [&](int v) { gauge.push_back(v); });
  sim->ClearTraffic();
  dlg->ReceiveBtnClick();
  ASSERT_EQ(dlg->ChanPlanListBox->count(), 64);
  for (int i = 0; i < 64; ++i) EXPECT_EQ(dlg->ChanPlanListBox->item(i)->text().trimmed(), QString("P%1").arg(i)) << i;
  EXPECT_EQ(dlg->Editor().planSlots[2].band, 'D');
  EXPECT_EQ(Count("*?JI"), 64);
  EXPECT_EQ(Count("*?JI40"), 0);
  ASSERT_GE(gauge.size(), 2u);
  EXPECT_EQ(gauge[gauge.size() - 2], 100);
  EXPECT_EQ(gauge.back(), 0);
  EXPECT_TRUE(dlg->NameEdit->isEnabled());
  // The DAB plan shows the third band; its commands show descriptions, " -none-" the last row.
  dlg->ChanPlanListBox->setCurrentRow(2);
  dlg->OnClickListBox();
  EXPECT_EQ(dlg->BandCombo->currentIndex(), 2);
  EXPECT_EQ(dlg->BandCombo->currentText(), "DAB");
  EXPECT_EQ(dlg->Comm1Combo->count(), 60);
  EXPECT_EQ(dlg->Comm1Combo->currentIndex(), 59);
  EXPECT_EQ(dlg->Comm1Combo->currentText(), " -none-");
  EXPECT_EQ(dlg->SendBtn->toolTip(), "Send canalization to the equipment");
  EXPECT_EQ(dlg->ReceiveBtn->toolTip(), "Receive plans from the equipment");
  EXPECT_EQ(dlg->ExtractBtn->toolTip(), "Generate CSV plan with selected plan");
  EXPECT_TRUE(prompter.shown.empty());
}

TEST_F(PlenEditorSim, ReceiveOfAMeterWithoutPlans) {
  ASSERT_NO_FATAL_FAILURE(Open([](cvsim::PlenarProfile& p) { p.plansAbsent = true; }));
  dlg->ReceiveBtnClick();
  ASSERT_EQ(dlg->ChanPlanListBox->count(), 64);
  for (const PlanSlot& s : dlg->Editor().planSlots) EXPECT_FALSE(s.HoldsPlan());
  ASSERT_EQ(prompter.shown.size(), 1u);
  EXPECT_EQ(prompter.shown[0].text, "No Channel Plans present");
  EXPECT_EQ(prompter.shown[0].icon, cv::MsgIcon::Warning);
  EXPECT_FALSE(dlg->NameEdit->isEnabled());
  EXPECT_FALSE(dlg->BandCombo->isEnabled());
}

TEST_F(PlenEditorSim, SendThenReceiveGivesTheCanalizationBack) {
  ASSERT_NO_FATAL_FAILURE(Open([](cvsim::PlenarProfile& p) {
    p.plans.clear();
    p.flash.commandName = [](uint16_t o) { return std::string(cv::plenar::kCommandsPlen.MnemonicOfPlanOffset(o)); };
  }));
  const PlanSlots plans = FortyPlans();
  Load(*dlg, plans);
  sim->ClearTraffic();
  dlg->SendBtnClick();
  ASSERT_TRUE(Log().contains("Sending successful")) << memo->toPlainText().toStdString();
  const auto lines = sim->Lines();
  const auto at = [&](const char* l) { return std::find(lines.begin(), lines.end(), l) - lines.begin(); };
  // The options first, then the sent variant's opening and closing lines in order.
  EXPECT_LT(at("*?ID"), at("*SP0"));
  EXPECT_LT(at("*SP0"), at("*FRT363B"));
  EXPECT_LT(at("*FRT363B"), at("*SY00"));
  EXPECT_LT(at("*SY00"), at("*ME0"));
  EXPECT_LT(at("*ME0"), at("*CC"));
  EXPECT_LT(at("*CC"), at("*FL:00000001FF"));
  EXPECT_LT(at("*FL:00000001FF"), static_cast<long>(lines.size()));

  dlg->ReceiveBtnClick();
  cv::plan::PlanEditor& e = dlg->Editor();
  for (int p = 0; p < 64; ++p) {
    SCOPED_TRACE(p);
    PlanSlot& got = e.planSlots[p];
    ASSERT_EQ(got.HoldsPlan(), p < 40);
    if (p >= 40) continue;
    // Names come back padded to the instrument's 8 characters.
    EXPECT_EQ(QString(got.name).trimmed(), QString(plans[p].name));
    EXPECT_EQ(got.band, plans[p].band);
    ASSERT_TRUE(e.ReadPlanChannels(got));
    ASSERT_EQ(got.Channels().size(), plans[p].Channels().size());
    for (size_t c = 0; c < got.Channels().size(); ++c) {
      EXPECT_EQ(got.Channels()[c].word, plans[p].Channels()[c].word) << c;
      // A terrestrial channel's bandwidth travels in its second word, in the family's hundredths;
      // under 2.5 MHz it has no word of its own and reads as 8 MHz.
      if (got.band == 'T' && c > 0) {
        EXPECT_EQ(got.Channels()[c].bandwidth, plans[p].Channels()[c].bandwidth) << c;
      }
      EXPECT_STREQ(got.Channels()[c].commands[0], plans[p].Channels()[c].commands[0]) << c;
    }
  }
  EXPECT_TRUE(prompter.shown.empty());
}

TEST_F(PlenEditorSim, AnIncompatibleCanalizationSendsNothing) {
  struct Row {
    const char* what;
    std::function<void(cvsim::PlenarProfile&)> meter;
    QString logged, box;
  } rows[] = {
      {"no BER COFDM",
       [](cvsim::PlenarProfile& p) { p.optionWord &= ~(1u << cv::plenar::OptionBit(6)); },
       "Plan PLAN0, channel C0: Meas BER (COFDM) not supported.", "PLANS ERROR"},
      {"no TER band: TER and DAB plans", [](cvsim::PlenarProfile& p) { p.optionWord &= ~(1u << cv::plenar::OptionBit(15)); },
       "Plan 1: connected equipment does not have TER band", "PLANS ERROR"},
      {"silent *?ID", [](cvsim::PlenarProfile& p) { p.idSilent = true; },
       "The installed options could not be read: the canalization is not sent.", "Communication Error"},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.what);
    dlg.reset();
    port.Close();
    ASSERT_NO_FATAL_FAILURE(Open(r.meter));
    prompter.shown.clear();
    Load(*dlg, FortyPlans("ME6"));
    sim->ClearTraffic();
    dlg->SendBtnClick();
    EXPECT_EQ(Count("*?ID"), 1);
    EXPECT_EQ(Count("*SP0") + Count("*CC") + Count("*FL:"), 0);
    EXPECT_TRUE(Log().contains(r.logged)) << memo->toPlainText().toStdString();
    EXPECT_FALSE(Log().contains("Sending successful"));
    ASSERT_EQ(prompter.shown.size(), 1u);
    EXPECT_EQ(prompter.shown[0].caption, r.box);
    EXPECT_TRUE(dlg->SendBtn->isEnabled());
  }
}

// The most channels a plan holds is one figure for the channel editor, the plan files and the
// script: a plan of 255 channels is built, saved, read back whole from the script and from its
// plan file, sent and received again; a 256th channel is refused before it is built, and a plan
// file of 256 channels is cut to 255 with the warning that one of 255 does not give.
TEST_F(PlenEditorSim, APlanOfTheMostChannelsSavesReadsBackAndSendsAndOneMoreIsRefused) {
  ASSERT_NO_FATAL_FAILURE(Open([](cvsim::PlenarProfile& p) {
    p.plans.clear();
    p.flash.commandName = [](uint16_t o) { return std::string(cv::plenar::kCommandsPlen.MnemonicOfPlanOffset(o)); };
  }));
  const auto& family = cv::plenar::PlenPlanFamily();
  PlanSlot plan;
  NewPlan(plan);
  CopyField(plan.name, "FULL");
  ChannelListEditor channels(plan, family);
  // One block of 255 from 48.25 MHz in 3 MHz steps; the block dialog takes no quantity above it.
  BlockSettings block{'A', 0, 255, 48.25f, 3.0f};
  std::optional<std::string> restore;
  ChannelBlockEditor quantity(block, 'T', 0, family);
  EXPECT_FALSE(quantity.ReadQuantity("256", restore));
  ASSERT_EQ(channels.GenerateBlock(block), 255);
  EXPECT_FALSE(channels.CanAddChannels());
  EXPECT_FALSE(channels.Add());
  ASSERT_EQ(channels.Count(), 255);
  const PlanSlot built = channels.Plan();
  PlanSlots plans;
  for (auto& p : plans) ClearPlan(p);
  plans[0] = built;
  plans[0].channelCount = 255;
  Load(*dlg, plans);

  cv::plan::PlanEditor& e = dlg->Editor();
  auto expectWhole = [&](const PlanSlot& got) {
    ASSERT_EQ(got.Channels().size(), 255u);
    for (size_t c = 0; c < got.Channels().size(); ++c) EXPECT_EQ(got.Channels()[c].word, built.Channels()[c].word) << c;
  };
  const QString pro = dir.filePath("FULL.PRO"), csv = dir.filePath("FULL.CSV");
  cvtest::PickFile(pro);
  dlg->SaveBtnClick();
  ASSERT_TRUE(QFile::exists(pro)) << memo->toPlainText().toStdString();
  cvtest::PickFile(csv);
  dlg->ExtractBtnClick();
  ASSERT_TRUE(QFile::exists(csv));
  cvtest::PickFile(pro);
  dlg->ReadBtnClick();
  ASSERT_NO_FATAL_FAILURE(expectWhole(e.planSlots[0]));
  cvtest::PickFile(csv);
  dlg->AddBtnClick();
  ASSERT_TRUE(e.planSlots[1].HoldsPlan());
  ASSERT_NO_FATAL_FAILURE(expectWhole(e.planSlots[1]));
  EXPECT_TRUE(prompter.shown.empty()) << prompter.shown[0].text.toStdString();

  e.OnClickListBox(1);
  e.DeleteBtnClick();  // the copy from the file: the meter gets the one plan
  e.OnClickListBox(0);
  dlg->SendBtnClick();
  ASSERT_TRUE(Log().contains("Sending successful")) << memo->toPlainText().toStdString();
  e.modified = false;
  dlg->ReceiveBtnClick();
  ASSERT_TRUE(e.planSlots[0].HoldsPlan());
  ASSERT_TRUE(e.ReadPlanChannels(e.planSlots[0]));
  ASSERT_NO_FATAL_FAILURE(expectWhole(e.planSlots[0]));
  EXPECT_TRUE(prompter.shown.empty());

  // Plan files through Add: one of 255 channels loads whole and says nothing; one of 256, plain or
  // in format 2, loads 255 and says the last was dropped.
  const std::string L(1, equip->listSeparator), D(1, equip->decimalSeparator);
  std::string plain = "FULL" + L + "T\n", format2;
  for (int c = 0; c < 255; ++c)
    plain += "C" + std::to_string(c) + L + std::to_string(48 + 3 * c) + D + "25" + L + "8\n";
  const std::string plain255 = plain;
  plain += "C255" + L + "813" + D + "25" + L + "8\n";
  {
    QFile f(csv);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    format2 = f.readAll().toStdString();
    const size_t end = format2.find("# End of plan");
    format2.insert(end, "C255" + L + "  813" + D + "25" + L + "8" + D + "00\n");
  }
  const struct {
    const char* what;
    const std::string& text;
    bool truncated;
  } files[] = {{"plain, 255", plain255, false}, {"plain, 256", plain, true}, {"format 2, 256", format2, true}};
  for (const auto& file : files) {
    SCOPED_TRACE(file.what);
    std::ofstream(dir.Path("MORE.CSV"), std::ios::binary) << file.text;
    prompter.shown.clear();
    e.modified = false;
    e.ClearAllPlans();
    e.planSelected = false;
    cvtest::PickFile(dir.filePath("MORE.CSV"));
    dlg->AddBtnClick();
    ASSERT_EQ(e.planSlots[0].Channels().size(), 255u);
    EXPECT_NEAR(e.planSlots[0].Channels().back().frequency, 48.25 + 3 * 254, 0.01) << "the last one kept";
    ASSERT_EQ(prompter.shown.size(), file.truncated ? 1u : 0u);
    if (file.truncated) {
      EXPECT_EQ(prompter.shown[0].text, "Maximum number of channels reached\nThis plan will be truncated");
    }
  }
}
