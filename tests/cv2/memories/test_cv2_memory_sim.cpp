// The CORVANE-2 memory editor against the simulated meter over a pseudo-terminal: Receive of both
// bands with the meter's faults, the memory file through the editor's own save and read paths,
// Send All and Send One against the meter's options, the channel picker on the meter's plans,
// and Edit through the family's settings dialog.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <cstdlib>
#include <cstring>
#include <functional>

#include "Cv2MemoryKit.h"
#include "../../memories/SendFailures.h"
#include "Cv2Sim.h"
#include "Format.h"
#include "Memchanneldlg.h"
#include "Memdatadlg.h"
#include "Memdlg2.h"
#include "ModalHelper.h"

using cvsim::Corvane2Profile;
using memtest2::Rig;
using Lines = std::vector<std::string>;

namespace {

const QString kData = QString(CV_TEST_DATA_DIR) + "/cv2/";

class Cv2MemorySim : public testing::Test, public Cv2Sim {
 public:
  void SetUp() override { ASSERT_NO_FATAL_FAILURE(Start(std::make_unique<Corvane2Profile>())); }
  void Start(std::unique_ptr<Corvane2Profile> profile) {
    ASSERT_NO_FATAL_FAILURE(StartSim(std::move(profile)));
    rig = std::make_unique<Rig>(&port);
    ASSERT_NO_FATAL_FAILURE(SettleAndOpen());
    ASSERT_NO_FATAL_FAILURE(SettleAfterWakeLine());  // past the wake line of the opening
    Clear();
  }
  void TearDown() override { port.Close(); }
  void Clear() {
    rig->host.Clear();
    rig->prompter.shown.clear();
    sim->ClearTraffic();
  }
  std::vector<std::string> Stored() {
    std::vector<std::string> m;
    Profile([&](Corvane2Profile& p) {
      for (int n = 1; n <= 99; ++n) m.push_back(p.Cv2MemoryReply(n));
    });
    return m;
  }
  Lines SentStarting(const std::string& prefix) { return memtest::LinesStarting(sim->Lines(), prefix); }
  void LoadDefaults() {
    rig->editor.records = memtest2::DefaultRecords();
    rig->editor.loaded = true;
    rig->editor.FillMemoryList();
  }
  void Options(uint32_t word, bool silent = false) {
    Profile([=](Corvane2Profile& p) {
      p.optionWord = word;
      p.idSilent = silent;
    });
  }
  std::unique_ptr<Rig> rig;
};

}  // namespace

// Receive, Save (the golden file, names with dots, a leading '#' or blank, quotes and a
// Windows-1252 letter), Read the file back and Send every memory.
TEST_F(Cv2MemorySim, ReceiveSaveReadAndSendBack) {
  rig->editor.ReceiveBtnClick();
  EXPECT_TRUE(rig->editor.loaded);
  EXPECT_TRUE(rig->prompter.shown.empty());
  EXPECT_EQ(rig->Log(), (Lines{"Receiving memories from equipment...", "Receiving memories complete"}));
  ASSERT_EQ(SentStarting("*?SR").size(), 99u);
  EXPECT_EQ(rig->editor.records, memtest2::DefaultRecords());
  ASSERT_EQ(rig->editor.listLines.size(), 99u);
  EXPECT_EQ(rig->editor.listLines[0], " 1 M001 TER   53,25");
  EXPECT_EQ(rig->editor.listLines[4], " 5 M005 SAT 1000,00");
  EXPECT_EQ(rig->editor.listLines[5], " 6 M006 TER   93,25");

  const char* names[] = {"A.B.", "#M12", " Q\"1", "\xE9t\xE9.", "    "};
  for (int i = 0; i < 5; ++i) std::memcpy(rig->editor.records[10 * i + 1].label, names[i], 4);
  const auto edited = rig->editor.records;
  QTemporaryDir dir;
  const std::string path = dir.filePath("cv2.csv").toStdString();
  rig->chooser.savePath = path;
  EXPECT_TRUE(rig->editor.SaveBtnClick());
  const std::string content = memtest::ReadAll(QString::fromStdString(path));
  const QString golden = kData + "memories_cv2.csv";
  if (std::getenv("CV_WRITE_GOLDENS")) {
    ASSERT_TRUE(memtest::WriteAll(golden, content));
  }
  EXPECT_EQ(content, memtest::ReadAll(golden));

  rig->editor.records = {};
  rig->editor.loaded = false;
  rig->chooser.openPath = path;
  Clear();
  rig->editor.ReadBtnClick();
  EXPECT_TRUE(rig->editor.loaded);
  EXPECT_EQ(rig->Log(), (Lines{"Reading memories from cv2.csv", "Reading memories complete"}));
  for (int i = 0; i < 99; ++i) EXPECT_EQ(rig->editor.records[i], edited[i]) << "memory " << i + 1;

  Clear();
  rig->editor.SendBtnClick();
  EXPECT_EQ(rig->Log(), (Lines{"Sending memories to equipment...", "Sending memories complete"}));
  const auto sent = SentStarting("*SR");
  ASSERT_EQ(sent.size(), 99u);
  EXPECT_EQ(sim->Lines().front(), "*?VE");
  EXPECT_EQ(SentStarting("*?ID").size(), 1u);
  EXPECT_EQ(Stored(), sent);
  EXPECT_EQ(sent[21].substr(0, 9), "*SR16 Q\"1");
  EXPECT_EQ(sent[5].size(), 38u);  // BER COFDM
}

// Received and sent back untouched, every memory of both bands goes out as the meter gave it.
TEST_F(Cv2MemorySim, ReceivedMemoriesGoBackByteForByte) {
  const auto before = Stored();
  rig->editor.ReceiveBtnClick();
  ASSERT_TRUE(rig->editor.loaded);
  Clear();
  rig->editor.SendBtnClick();
  EXPECT_EQ(SentStarting("*SR"), before);
  EXPECT_EQ(Stored(), before);
}

TEST_F(Cv2MemorySim, LabelsWithSeparatorsGoThroughSaveReadAndSendUnshifted) {
  memtest::HostileLabelsThroughTheMeter(*rig, *rig->equip, [this] { LoadDefaults(); });
}

TEST_F(Cv2MemorySim, ReceiveFaults) {
  struct Case {
    const char* name;
    std::function<void(Corvane2Profile&)> fault;
    bool ok;
    Lines log;  // between the first line and the last
    size_t listed;
    std::function<void(const cv::mem::MemoryEditor&)> check{};
  };
  const std::string short4 = Corvane2Profile::Cv2Record(4).substr(0, 37);
  const Case cases[] = {
      {"43.6 MHz is reported, listed at 48.25 and ends it", [](Corvane2Profile& p) { p.below45Memory = 3; }, false,
       {"Error(s) in memory number 3:", " Frequency: 43.5999984741211 (45-862)", "Warning. Bad data in memory number 3"},
       2, [](const cv::mem::MemoryEditor& e) { EXPECT_EQ(e.entries[2].freq, 48.25f); }},
      {"a C/N word with its top bit set", [](Corvane2Profile& p) { p.cnTopBitMemory = 7; }, true, {}, 99,
       [](const cv::mem::MemoryEditor& e) { EXPECT_FLOAT_EQ(e.records[6].cnRefFreq, 100.0f); }},
      {"a reply of 37 characters", [](Corvane2Profile& p) { p.shortReplyFor = 4; }, false,
       {"Bad SR answer from equipment:", short4, "Warning. Bad data in memory number 4"}, 3},
      {"a reply numbered 00", [](Corvane2Profile& p) { p.zeroNumberFor = 6; }, false,
       {"Error. The answer for memory number 6 names memory number 00: nothing stored",
        "Warning. Bad data in memory number 6"},
       5},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Profile([](Corvane2Profile& p) { p.below45Memory = p.cnTopBitMemory = p.shortReplyFor = p.zeroNumberFor = 0; });
    Profile(c.fault);
    Clear();
    rig->editor.loaded = false;
    rig->editor.ReceiveBtnClick();
    EXPECT_EQ(rig->editor.loaded, c.ok);
    auto log = rig->Log();
    ASSERT_GE(log.size(), 2u);
    EXPECT_EQ(Lines(log.begin() + 1, log.end() - (c.ok ? 1 : 0)), c.log);
    EXPECT_EQ(rig->editor.listLines.size(), c.listed);
    if (c.check) c.check(rig->editor);
  }
}

// A memory the meter cannot take is never sent: the first refusal logged, the box of Send All or
// of Send One.
TEST_F(Cv2MemorySim, IncompatibleMemoriesAreNeverSent) {
  using P = Corvane2Profile;
  struct Case {
    const char* name;
    uint32_t options;
    int memory;
    const char* line;
  } cases[] = {
      {"no TER band", P::kDefaultOptions & ~P::kTerrestrial, 1, "Memory 1: connected equipment has not TER band"},
      {"no SAT band", P::kDefaultOptions & ~P::kSatellite, 5, "Memory 5: connected equipment has not SAT band"},
      {"no BER COFDM (bit 18)", P::kDefaultOptions & ~P::kBerCofdm, 6, "Memory 6: COFDM not supported."},
  };
  const auto before = Stored();
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Options(c.options);
    LoadDefaults();
    Clear();
    rig->editor.SelectLine(c.memory - 1);
    rig->editor.SendOneBtnClick();
    EXPECT_EQ(rig->Log(), Lines{c.line});
    ASSERT_EQ(rig->prompter.shown.size(), 1u);
    EXPECT_EQ(rig->prompter.shown[0].text, "This memory is not compatible\nwith the connected equipment");
    EXPECT_EQ(rig->prompter.shown[0].caption, "MEMORIES ERROR");
    EXPECT_EQ(rig->prompter.shown[0].icon, cv::MsgIcon::Warning);

    Clear();
    rig->editor.SendBtnClick();
    EXPECT_EQ(rig->Log(), Lines{c.line});
    ASSERT_EQ(rig->prompter.shown.size(), 1u);
    EXPECT_EQ(rig->prompter.shown[0].text, "There are memories not compatible\nwith connected equipment");
    EXPECT_EQ(rig->prompter.shown[0].caption, "MEMORIES ERROR");
    EXPECT_TRUE(SentStarting("*SR").empty());
    EXPECT_EQ(Stored(), before);
  }
  // A memory the meter takes goes out alone.
  Options(P::kDefaultOptions & ~P::kBerCofdm);
  Clear();
  rig->editor.SelectLine(0);
  rig->editor.SendOneBtnClick();
  EXPECT_EQ(rig->Log(), Lines{"Memory number 1 sent"});
  EXPECT_EQ(SentStarting("*SR"), Lines{Corvane2Profile::Cv2Record(1)});
}

// Every send asks "*?ID" afresh: a Send One that the meter took decides nothing for a Send All
// after the meter's options changed, and the other way round.
TEST_F(Cv2MemorySim, EachSendChecksTheMetersOptionsOfTheMoment) {
  using P = Corvane2Profile;
  LoadDefaults();
  const auto before = Stored();
  rig->editor.SelectLine(5);  // memory 6, BER COFDM
  rig->editor.SendOneBtnClick();
  EXPECT_EQ(rig->Log(), Lines{"Memory number 6 sent"});
  EXPECT_EQ(SentStarting("*?ID").size(), 1u);

  Options(P::kDefaultOptions & ~P::kBerCofdm);
  Clear();
  rig->editor.SendBtnClick();
  EXPECT_EQ(SentStarting("*?ID").size(), 1u);
  EXPECT_EQ(rig->Log(), Lines{"Memory 6: COFDM not supported."});
  ASSERT_EQ(rig->prompter.shown.size(), 1u);
  EXPECT_EQ(rig->prompter.shown[0].text, "There are memories not compatible\nwith connected equipment");
  EXPECT_TRUE(SentStarting("*SR").empty());
  EXPECT_EQ(Stored(), before);

  // Refused by one reply, taken by the next.
  Clear();
  rig->editor.SendOneBtnClick();
  EXPECT_EQ(rig->Log(), Lines{"Memory 6: COFDM not supported."});
  EXPECT_TRUE(SentStarting("*SR").empty());
  Options(P::kDefaultOptions);
  Clear();
  rig->editor.SendBtnClick();
  EXPECT_EQ(SentStarting("*?ID").size(), 1u);
  EXPECT_EQ(rig->Log(), (Lines{"Sending memories to equipment...", "Sending memories complete"}));
  EXPECT_EQ(SentStarting("*SR").size(), 99u);
}

// A meter that does not report its options takes nothing: Send One stops at the query's box,
// Send All shows its refusal as well. Such a meter stays stuck, so each send has a fresh one.
TEST_F(Cv2MemorySim, ASilentOptionQueryStopsSendOne) {
  Options(Corvane2Profile::kDefaultOptions, true);
  LoadDefaults();
  rig->editor.SendOneBtnClick();
  ASSERT_EQ(rig->prompter.shown.size(), 1u);
  EXPECT_EQ(rig->prompter.shown[0].text, "Equipment not detected!");
  EXPECT_TRUE(rig->Log().empty());
  EXPECT_TRUE(SentStarting("*SR").empty());
}

TEST_F(Cv2MemorySim, ASilentOptionQueryStopsSendAll) {
  Options(Corvane2Profile::kDefaultOptions, true);
  LoadDefaults();
  rig->editor.SendBtnClick();
  ASSERT_EQ(rig->prompter.shown.size(), 2u);
  EXPECT_EQ(rig->prompter.shown[0].text, "Equipment not detected!");
  EXPECT_EQ(rig->prompter.shown[1].text, "There are memories not compatible\nwith connected equipment");
  EXPECT_TRUE(rig->Log().empty());
  EXPECT_TRUE(SentStarting("*SR").empty());
}

TEST_F(Cv2MemorySim, SendOneRefusedOrTooLong) {
  LoadDefaults();
  Profile([](Corvane2Profile& p) { p.refusedMemory = 1; });
  rig->editor.SendOneBtnClick();
  EXPECT_EQ(rig->Log(), (Lines{"Error: memory not accepted by equipment: ", Corvane2Profile::Cv2Record(1)}));

  Clear();
  rig->editor.records[0].bw = 999.99f;
  rig->editor.SendOneBtnClick();
  const Lines log = rig->Log();
  ASSERT_EQ(log.size(), 2u);
  EXPECT_EQ(log[0], "Error. Bad *?SR length: ");
  EXPECT_EQ(log[1].size(), 43u);
  EXPECT_TRUE(SentStarting("*SR").empty());
}

namespace {

class Cv2Picking : public Cv2MemorySim {
 public:
  void SetUp() override {}
  // The meter with `plans` plans of three channels each (none when 0).
  void StartWithPlans(int plans) {
    auto profile = std::make_unique<Corvane2Profile>();
    profile->flash.Erase();
    profile->plans.clear();
    for (int p = 0; p < plans; ++p)
      profile->plans[p] = {cv::Format("P%02d", p), 'T', 0, 0x21, {},
                           {memtest4::Channel("C21", 'T', 471.25), memtest4::Channel("C22", 'T', 479.25),
                            memtest4::Channel("C23", 'T', 487.25)}};
    if (plans > 1) profile->plans[1] = {"ASTRA", 'S', 97500, 0x30, {}, {memtest4::Channel("NAME", 'S', 1200)}};
    ASSERT_NO_FATAL_FAILURE(Start(std::move(profile)));
  }
  static QStringList Items(QComboBox* c) {
    QStringList items;
    for (int i = 0; i < c->count(); ++i) items << c->itemText(i);
    return items;
  }
  PlanInfo plan;
  TChan3 channel;
  int number = -1;
};

}  // namespace

TEST_F(Cv2Picking, NoPlansCancelsWithItsBox) {
  ASSERT_NO_FATAL_FAILURE(StartWithPlans(0));
  memtest4::FakeStart start;
  TMemoryChannelDlg picker(nullptr, rig->equip.get(), {plan, channel, number}, &start);
  start.fire();
  ASSERT_EQ(rig->prompter.shown.size(), 1u);
  EXPECT_EQ(rig->prompter.shown[0].text, "No Channel Plans present");
  EXPECT_EQ(rig->prompter.shown[0].caption, "Error");
  EXPECT_EQ(picker.result(), QDialog::Rejected);
  EXPECT_EQ(SentStarting("*?JI"), Lines{"*?JI00"});
}

TEST_F(Cv2Picking, ThirtyTwoPlansAndNoThirtyThirdQuery) {
  ASSERT_NO_FATAL_FAILURE(StartWithPlans(32));
  memtest4::FakeStart start;
  TMemoryChannelDlg picker(nullptr, rig->equip.get(), {plan, channel, number}, &start);
  start.fire();
  EXPECT_TRUE(rig->prompter.shown.empty());
  EXPECT_EQ(picker.PlanCombo->count(), 32);
  EXPECT_EQ(picker.PlanCombo->itemText(31), "P31     ");
  const Lines queries = SentStarting("*?JI");
  EXPECT_EQ(std::count(queries.begin(), queries.end(), "*?JI20"), 0);
  EXPECT_EQ(queries.back(), "*?JI00");
  EXPECT_EQ(Items(picker.ChannelCombo), QStringList({"C21  (471,25 MHz)", "C22  (479,25 MHz)", "C23  (487,25 MHz)"}));
  // A satellite plan's line: the channel through the oscillator's conversion.
  emit picker.PlanCombo->activated(1);
  EXPECT_EQ(picker.ChannelCombo->count(), 1);
  EXPECT_TRUE(picker.ChannelCombo->itemText(0).startsWith("NAME (")) << picker.ChannelCombo->itemText(0).toStdString();
  emit picker.PlanCombo->activated(2);
  picker.OKBtn->click();
  EXPECT_EQ(picker.result(), QDialog::Accepted);
  EXPECT_EQ(number, 2);
}

// A plan whose third channel does not answer, chosen after loading: two channels and a box that
// names channel 2.
TEST_F(Cv2Picking, AnUnreadableThirdChannel) {
  ASSERT_NO_FATAL_FAILURE(StartWithPlans(3));
  memtest4::FakeStart start;
  TMemoryChannelDlg picker(nullptr, rig->equip.get(), {plan, channel, number}, &start);
  start.fire();
  ASSERT_TRUE(rig->prompter.shown.empty());
  Profile([](Corvane2Profile& p) { p.plans[2].channels[2].unreadable = true; });
  emit picker.PlanCombo->activated(2);
  EXPECT_EQ(Items(picker.ChannelCombo), QStringList({"C21  (471,25 MHz)", "C22  (479,25 MHz)"}));
  ASSERT_EQ(rig->prompter.shown.size(), 1u);
  EXPECT_EQ(rig->prompter.shown[0].caption, "Error");
  EXPECT_TRUE(rig->prompter.shown[0].text.startsWith("Channel Plan error:\n - Channel: 2\n - Name: "))
      << rig->prompter.shown[0].text.toStdString();
  EXPECT_TRUE(picker.OKBtn->isEnabled());
}

// Edit through the family's dialog: OK marks the memory modified, a later Cancel keeps the flag,
// so Close asks; the dialog carries the family's hint and its LNB supply list.
TEST_F(Cv2MemorySim, EditOkThenCancelKeepsTheFlag) {
  cv::SetPrompter(&rig->prompter);
  struct Restore {
    ~Restore() { cv::SetPrompter(nullptr); }
  } restore;
  auto dlg = cv::cv2::MakeMemoryDlg2(nullptr, rig->equip.get());
  cv::mem::MemoryEditor& editor = dlg->Editor();
  editor.records = memtest2::DefaultRecords();
  editor.loaded = true;
  editor.FillMemoryList();
  QString hint;
  bool lnbSupOn = false, modulationOn = true;
  QString levelLabel;
  cvtest::WhenModal<TMemoryDataDlg>([&](TMemoryDataDlg* d) {
    hint = d->ModifyChannelBtn->toolTip();
    lnbSupOn = d->LNBSupCombo->isEnabled();
    modulationOn = d->ModulationCombo->isEnabled();
    levelLabel = d->findChild<QLabel*>("LevelLabel")->text();
    d->NameEdit->setFocus();
    d->NameEdit->setText("EDIT");
    d->OKBtn->click();
  });
  dlg->EditBtnClick();
  EXPECT_EQ(hint, "Look for channels in equipment");
  EXPECT_TRUE(lnbSupOn);
  EXPECT_FALSE(modulationOn);
  EXPECT_EQ(levelLabel, "Le&vel:");
  EXPECT_TRUE(editor.modified);
  EXPECT_EQ(std::string(editor.records[0].label), "EDIT");

  cvtest::WhenModal<TMemoryDataDlg>([](TMemoryDataDlg* d) { d->CancelBtn->click(); });
  dlg->EditBtnClick();
  EXPECT_TRUE(editor.modified);
  rig->prompter.answers = {cv::MsgAnswer::Cancel};
  EXPECT_FALSE(editor.CloseBtnClick());
  ASSERT_EQ(rig->prompter.shown.size(), 1u);
  EXPECT_EQ(rig->prompter.shown[0].text, "Data has been modified\nDo you want to save?");
}

TEST_F(Cv2MemorySim, SendsThatStopAreToldInTheEditor) {
  memtest::SendFailuresAreBoxed(*sim, *rig, "*SR", [this] { LoadDefaults(); },
                                memtest::SendFailureRows("Sending memory Error: Equipment not detected", 0));
}
