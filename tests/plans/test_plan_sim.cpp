// The road of a channel-plan send, end to end: the editor writes its programming script, the
// equipment's script engine runs it over a pseudo-terminal into the simulated CORVANE-3 (boot
// monitor, loader transfer, plan memory, restart), and Receive reads the same plans back.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTemporaryDir>
#include <QTimer>
#include <chrono>
#include <memory>
#include <thread>

#include "AppServices.h"
#include "Chanplandlg.h"
#include "CommandTable.h"
#include "FileDialogs.h"
#include "Format.h"
#include "Text1252.h"
#include "Cv3Equip.h"
#include "HeldInput.h"
#include "PlanSlot.h"
#include "PlanScript.h"
#include "SimOnCom1.h"
#include "StartDir.h"

using namespace std::chrono_literals;

namespace {

using cvsim::Corvane3Profile;

std::string ReadFile(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll().toStdString() : std::string("<missing>");
}

TChan3 Chan(const char* name, float mhz, char band, const char* c1 = "", const char* c2 = "",
            const char* c3 = "") {
  return TChan3::FromFrequency(name, mhz, 8, band, c1, c2, c3);
}

// Names as the instrument keeps them (four characters, right-aligned), frequencies on the PLL
// grid and bandwidth 8, so that every value survives the trip through plan memory unchanged.
PlanSlot Plan(const char* name, char band, float lnb, int code, std::vector<TChan3> channels,
                        const char* command = "") {
  PlanSlot s;
  NewPlan(s);
  CopyField(s.name, name);
  s.band = band;
  s.lnbMHz = lnb;
  s.code = code;
  CopyField(s.commands[0], command);
  s.Channels() = std::move(channels);
  s.channelCount = static_cast<int32_t>(s.Channels().size());
  return s;
}

// Virtual time for the script's waits, with a real millisecond granted to the simulator's
// thread per virtual second: the instrument answers a line in far less, so every answer is in
// the port by the time a wait of the script has passed, as on the real line.
class PacedClock : public cv::FakeClock {
 public:
  void PumpEvents(int maxBlockMs = 0, bool userInput = true) override {
    FakeClock::PumpEvents(maxBlockMs, userInput);
    if (now % 1000 == 0) std::this_thread::sleep_for(1ms);
  }
};

class PlanSend : public testing::Test, public SimOnCom1 {
 protected:
  void SetUp() override {
    QFile::copy(QString(CV_TEST_DATA_DIR) + "/plans/update.hex", dir.filePath("update.hex"));

    ASSERT_NO_FATAL_FAILURE(StartSim());
    // The instrument names the commands of its records from the plan command table.
    Profile([](Corvane3Profile& p) { p.flash.commandName = [](uint16_t o) { return MnemonicOfPlanOffset(o); }; });
    memo = new QPlainTextEdit(&host);
    memo->setObjectName("LogMemo");
    equip = std::make_unique<TCv3Equip>(&host, &port);
    equip->clock = &clock;
    ASSERT_NO_FATAL_FAILURE(SettleAndOpen());
    dlg = std::make_unique<TChannelsPlanDlg>(&host, equip.get());
  }
  void TearDown() override {
    dlg.reset();
    port.Close();
  }
  QStringList Memo() const { return memo->toPlainText().split('\n', Qt::SkipEmptyParts); }
  QPushButton* Button(const char* name) { return dlg->findChild<QPushButton*>(name); }

  // Slot 1 stays empty: the instrument gets the plans one after the other.
  void LoadCanalization() {
    auto& ed = dlg->Editor();
    ed.planSlots[0] = Plan("TDT-MAD ", 'T', 0, 1,
                           {Chan("  21", 471.25f, 'T', "CW0320"), Chan("  45", 663.25f, 'T'),
                            Chan("  69", 858.0f, 'T', "CW0320")},
                           "SY00");
    ed.planSlots[2] = Plan("ASTRA   ", 'S', 9750, 12,
                           {Chan(" RTL", 1200.0f, 'S', "SY00", "UN1", "ME2"), Chan(" ZDF", 1953.5f, 'S', "UN1"),
                            Chan(" ARD", 1836.0f, 'S')});
    ed.planSlots[3] = Plan("C-BAND  ", 'S', 5150, 255, {Chan("  CB", 1200.0f, 'S')});
    ed.listFilled = true;
    ed.listIndex = 0;
    ed.planSelected = true;
    ed.modified = false;
    dlg->Refresh();
  }

  StartDir dir;
  QWidget host;
  QPlainTextEdit* memo = nullptr;
  PacedClock clock;
  cv::RecordingPrompter prompter;
  std::unique_ptr<TCv3Equip> equip;
  std::unique_ptr<TChannelsPlanDlg> dlg;
};

TEST_F(PlanSend, SentPlansComeBackFromTheInstrumentUnchanged) {
  LoadCanalization();
  // With the port but no plan selected there is nothing to send.
  dlg->Editor().planSelected = false;
  dlg->Refresh();
  EXPECT_TRUE(Button("ReceiveBtn")->isEnabled());
  EXPECT_FALSE(Button("SendBtn")->isEnabled());
  dlg->Editor().planSelected = true;
  dlg->Refresh();
  ASSERT_TRUE(Button("SendBtn")->isEnabled());
  Button("SendBtn")->click();

  ASSERT_TRUE(Memo().contains("Sending successful")) << memo->toPlainText().toStdString();
  const QString zone = dlg->LogZone->toPlainText();
  EXPECT_TRUE(zone.contains("SENDHEX update.hex *HX -> OK")) << zone.toStdString();
  EXPECT_TRUE(zone.endsWith("Sending successful"));
  EXPECT_EQ(dlg->Gauge->value(), 0);
  // The script's waits (47 s) passed on the equipment's clock, not in real time.
  EXPECT_GE(clock.NowMs(), 47000);
  const std::string transcript = ReadFile(dir.filePath("___CH3__.LOG"));
  EXPECT_NE(transcript.find("DIRECTORY3 (3)\t\t#number of channel plans -> OK\n"), std::string::npos);
  EXPECT_NE(transcript.find("rawtx ******* -> OK\n"), std::string::npos);
  EXPECT_EQ(transcript.find("ERROR"), std::string::npos);
  Profile([](Corvane3Profile& p) {
    EXPECT_EQ(p.hexLines, 5);
    EXPECT_EQ(p.loaderState, Corvane3Profile::LoaderState::Main);  // back after the wake-up
    EXPECT_EQ(p.flash.PlanCount(), 3);
  });
  Profile([](Corvane3Profile& p) {
    cvsim::FlashImage::Plan plan;
    ASSERT_TRUE(p.flash.ReadPlan(1, plan));
    EXPECT_EQ(plan.name, "ASTRA   ");
    EXPECT_EQ(plan.channelCount, 3);
    EXPECT_EQ(plan.lnbTenths, 97500u);
    EXPECT_EQ(p.flash.ChannelReply(1, 0), "*CI RTL347C347C,SY00,UN1,ME2");
  });
}

// The raw power-on lines at the script's end get no handshake, so the first command after the
// send meets the instrument in step.
TEST_F(PlanSend, ReceiveRightAfterSendGetsTheSamePlans) {
  LoadCanalization();
  Button("SendBtn")->click();
  ASSERT_TRUE(Memo().contains("Sending successful")) << memo->toPlainText().toStdString();
  const std::string sent = ReadFile(dir.filePath("___CH3__.TMP"));

  Button("ReceiveBtn")->click();
  auto& ed = dlg->Editor();
  EXPECT_TRUE(ed.planSelected);
  const char* names[] = {"TDT-MAD ", "ASTRA   ", "C-BAND  "};
  for (int i = 0; i < 32; ++i) EXPECT_EQ(ed.planSlots[i].HoldsPlan(), i < 3) << i;
  for (int i = 0; i < 3; ++i) {
    EXPECT_STREQ(ed.planSlots[i].name, names[i]);
    EXPECT_TRUE(ed.planSlots[i].ChannelsUnread()) << "channels are read only when needed";
  }
  // Written again from what the instrument holds (its channels read on the way), the script is
  // the one that was sent: names, bands, LNBs, codes, channels and commands all came back.
  const QString again = dir.filePath("again.pro");
  ASSERT_TRUE(ed.WriteScript(again.toStdString()));
  EXPECT_EQ(ReadFile(again), sent);
  ASSERT_FALSE(ed.planSlots[1].Channels().empty());
  EXPECT_STREQ(ed.planSlots[1].Channels()[0].commands[2], "ME2");
  ASSERT_FALSE(ed.planSlots[2].Channels().empty());
  EXPECT_FLOAT_EQ(ed.planSlots[2].Channels()[0].frequency, 1200.0f);  // C band, inverted
}

// Satellite channels whose downlink falls halfway between two two-decimal texts (10950.125 MHz
// under a Ku oscillator, 3949.375 MHz under a C-band one): received from the instrument and sent
// straight back, the plan memory holds what it held before (a satellite record holds its word twice).
TEST_F(PlanSend, ReceivedSatellitePlansGoBackWordForWord) {
  using Stored = Corvane3Profile::StoredPlan;
  const Stored plans[] = {
      {"KU-TIES ", 'S', 100000, 7, {}, {{"  K1", 11437, 11437, {}}, {"  K2", 11441, 11441, {}}, {"  K3", 13440, 13440, {}}}},
      {"C-TIES  ", 'S', 51500, 9, {}, {{"  C1", 13441, 13441, {}}, {"  C2", 13445, 13445, {}}, {"  C3", 13447, 13447, {}}}},
  };
  Profile([&](Corvane3Profile& p) {
    for (int i = 0; i < 2; ++i) p.plans[i] = plans[i];
  });
  Button("ReceiveBtn")->click();
  ASSERT_TRUE(dlg->Editor().planSlots[1].HoldsPlan());
  Button("SendBtn")->click();
  ASSERT_TRUE(Memo().contains("Sending successful")) << memo->toPlainText().toStdString();
  Profile([&](Corvane3Profile& p) {
    ASSERT_EQ(p.flash.PlanCount(), 2);
    for (int i = 0; i < 2; ++i) {
      EXPECT_EQ(p.flash.PlanReply(i), cvsim::Corvane3PlanReply(plans[i]));
      for (size_t c = 0; c < plans[i].channels.size(); ++c)
        EXPECT_EQ(p.flash.ChannelReply(i, static_cast<int>(c)), cvsim::Corvane3ChannelReply(plans[i].channels[c]))
            << plans[i].name << " channel " << c;
    }
  });
}

// The link lost part way through Receive, at each kind of position: before the first plan, on a
// slot the instrument holds empty, on a held plan and on the last slot. The plans that came stay,
// a box and the host log name the plan where it stopped, and the set is not saved or sent as if
// whole until a Receive brings all of it.
TEST_F(PlanSend, ReceiveCutShortKeepsWhatCameAndIsNeitherSavedNorSent) {
  using Stored = Corvane3Profile::StoredPlan;
  Profile([](Corvane3Profile& p) {
    p.plans[0] = Stored{"TDT     ", 'T', 0, 1, {}, {{"  21", 10203, 10258, {}}}};
    p.plans[1] = Stored{"ASTRA   ", 'S', 97500, 2, {}, {{" RTL", 13436, 13436, {}}}};
    p.plans[3] = Stored{"C-BAND  ", 'S', 51500, 3, {}, {{"  CB", 13441, 13441, {}}}};
  });
  auto& ed = dlg->Editor();
  struct Row {
    const char* what;
    int lostAt;  // the first plan query that gets no answer
  } rows[] = {{"first plan", 0}, {"an empty slot", 2}, {"a held plan", 3}, {"last slot", 31}};
  for (const Row& r : rows) {
    SCOPED_TRACE(r.what);
    prompter.shown.clear();
    memo->clear();
    sim->UpdateFaults([](cvsim::Faults& f) { f.silent = false; });
    // Receive sets the gauge to 0 after its version check and moves it on after each plan's
    // query: the instrument goes quiet after plan lostAt - 1.
    dlg->Gauge->setValue(1);
    int moves = 0;
    auto cut = QObject::connect(dlg->Gauge, &QProgressBar::valueChanged, [&] {
      if (++moves == r.lostAt + 1) sim->UpdateFaults([](cvsim::Faults& f) { f.silent = true; });
    });
    Button("ReceiveBtn")->click();
    QObject::disconnect(cut);
    const std::string plan = std::to_string(r.lostAt + 1);
    const QString told = QString::fromStdString("Receiving plans stopped at plan " + plan +
                                                ": the equipment did not answer.\nThe plans received before it are "
                                                "kept; receive again for the rest.");
    ASSERT_EQ(prompter.shown.size(), 1u) << memo->toPlainText().toStdString();
    EXPECT_EQ(prompter.shown[0].text, told);
    EXPECT_TRUE(Memo().contains(told.split('\n')[0])) << memo->toPlainText().toStdString();
    const char* names[] = {"TDT     ", "ASTRA   ", "", "C-BAND  "};
    for (int i = 0; i < 4; ++i) {
      EXPECT_EQ(ed.planSlots[i].HoldsPlan(), i < r.lostAt && i != 2) << i;
      if (i < r.lostAt && i != 2) {
        EXPECT_STREQ(ed.planSlots[i].name, names[i]);
      }
    }
    EXPECT_EQ(ed.unreadPlan, r.lostAt);
    // The link back, as after plugging the cable in again.
    sim->UpdateFaults([](cvsim::Faults& f) { f.silent = false; });
    sim->SendXon();
    Settle();
    if (r.lostAt == 0) {
      EXPECT_FALSE(Button("SendBtn")->isEnabled()) << "no plan came, none is selected";
      continue;
    }

    // Neither Save nor Send writes or runs a script of the plans that came.
    prompter.shown.clear();
    const QString kept = dir.filePath("kept.pro");
    EXPECT_FALSE(ed.WriteScript(kept.toStdString()));
    EXPECT_FALSE(QFile::exists(kept));
    ASSERT_EQ(prompter.shown.size(), 1u);
    EXPECT_TRUE(prompter.shown[0].text.startsWith(QString::fromStdString("The plans from plan " + plan + " on")))
        << prompter.shown[0].text.toStdString();
    Settle();
    sim->ClearTraffic();
    ASSERT_TRUE(Button("SendBtn")->isEnabled());
    Button("SendBtn")->click();
    EXPECT_EQ(prompter.shown.size(), 2u);
    EXPECT_TRUE(sim->Lines().empty()) << "nothing goes to the instrument";
    EXPECT_FALSE(Memo().contains("Sending successful"));
  }
  // A whole Receive makes it a canalization again.
  prompter.shown.clear();
  Button("ReceiveBtn")->click();
  EXPECT_TRUE(prompter.shown.empty());
  EXPECT_EQ(ed.unreadPlan, -1);
  EXPECT_TRUE(ed.WriteScript(dir.filePath("whole.pro").toStdString()));
}

// A plan query that gets no answer, or an answer that is no plan and not the meter's "no such
// plan", ends the Receive there: nothing more is asked, even of a meter that answers again, and
// the box tells a lost link from a garbled reply. The meter's own "*JI!!" stays an empty slot.
TEST_F(PlanSend, AReceiveStopsAtALostOrGarbledPlanAndAsksNoMore) {
  using Stored = Corvane3Profile::StoredPlan;
  const Stored c3{"C-BAND  ", 'S', 51500, 3, {}, {{"  CB", 13441, 13441, {}}}};
  Stored bad = c3;
  bad.band = 'X';
  const std::string lost = ": the equipment did not answer.\n";
  const std::string garbled = ": the equipment's answer for it could not be read.\n";
  struct Row {
    const char* what;
    int at;  // the plan (0..) where the Receive stops
    std::string reply;  // its garbled reply; none: no answer, then the meter answers again
    std::string why;
  } rows[] = {{"no answer, the meter back at once", 1, "", lost},
              {"a short reply", 1, "*JIASTRA", garbled},
              {"a band letter outside the family's", 3, Corvane3PlanReply(bad), garbled}};
  auto& ed = dlg->Editor();
  for (const Row& r : rows) {
    SCOPED_TRACE(r.what);
    Profile([&](Corvane3Profile& p) {
      p.plans.clear();
      p.plans[0] = Stored{"TDT     ", 'T', 0, 1, {}, {{"  21", 10203, 10258, {}}}};
      p.plans[1] = Stored{"ASTRA   ", 'S', 97500, 2, {}, {{" RTL", 13436, 13436, {}}}};
      p.plans[3] = c3;
      p.plans[4] = c3;
      p.fixedReplies.clear();
      if (!r.reply.empty()) p.fixedReplies[cv::Format("*?JI%02X", r.at)] = r.reply;
    });
    if (r.reply.empty()) {
      cvsim::Faults f;
      f.failPrefix = "*?JI";
      f.failAtLine = r.at + 1;
      sim->SetFaults(f);
    }
    // The gauge moves once after the version check and once after each plan's query: right after
    // the lost one the meter answers again.
    dlg->Gauge->setValue(1);
    int moves = 0;
    auto back = QObject::connect(dlg->Gauge, &QProgressBar::valueChanged, [&] {
      if (++moves == r.at + 2 && r.reply.empty()) {
        sim->SetFaults({});
        sim->SendXon();
        Settle();
      }
    });
    prompter.shown.clear();
    sim->ClearTraffic();
    Button("ReceiveBtn")->click();
    QObject::disconnect(back);
    int queries = 0;
    for (const std::string& l : sim->Lines()) queries += l.rfind("*?JI", 0) == 0;
    EXPECT_EQ(queries, r.at + 1);
    ASSERT_EQ(prompter.shown.size(), 1u);
    EXPECT_EQ(cv::To1252(prompter.shown[0].text), "Receiving plans stopped at plan " + std::to_string(r.at + 1) +
                                                      r.why +
                                                      "The plans received before it are kept; receive again for "
                                                      "the rest.");
    EXPECT_EQ(ed.unreadPlan, r.at);
    for (int i = 0; i < 5; ++i) EXPECT_EQ(ed.planSlots[i].HoldsPlan(), i < r.at && i != 2) << i;
    sim->SetFaults({});
    sim->SendXon();
    Settle();
  }
}

// After a Receive cut short, Read of a whole canalization script makes the set whole: Save writes
// it and Send takes it.
TEST_F(PlanSend, AWholeReadAfterACutReceiveIsSavedAndSent) {
  cvsim::Faults f;
  f.failPrefix = "*?JI";
  f.failAtLine = 2;
  sim->SetFaults(f);
  Button("ReceiveBtn")->click();
  ASSERT_EQ(dlg->Editor().unreadPlan, 1);
  sim->SetFaults({});
  sim->SendXon();
  Settle();
  ASSERT_TRUE(QFile::copy(QString(CV_TEST_DATA_DIR) + "/plans/cv3_canalization.pro", dir.filePath("whole.pro")));
  cv::RecordingFileChooser chooser;
  chooser.openAnswers = {{dir.filePath("whole.pro")}};
  chooser.saveAnswers = {dir.filePath("saved.pro")};
  prompter.shown.clear();
  Button("ReadBtn")->click();
  EXPECT_EQ(dlg->Editor().unreadPlan, -1);
  Button("SaveBtn")->click();
  EXPECT_TRUE(QFile::exists(dir.filePath("saved.pro")));
  Button("SendBtn")->click();
  EXPECT_TRUE(prompter.shown.empty()) << (prompter.shown.empty() ? "" : prompter.shown[0].text.toStdString());
  EXPECT_TRUE(Memo().contains("Sending successful")) << memo->toPlainText().toStdString();
  Profile([](Corvane3Profile& p) { EXPECT_EQ(p.flash.PlanCount(), 2); });
}

// A meter that falls silent part way through the plans: one box names the plan and the channel
// it did not take, and nothing says the send succeeded.
TEST_F(PlanSend, ASendSilentAfterAChannelLineNamesThePlanAndChannel) {
  LoadCanalization();
  // An undisturbed send counts the flash records up to ASTRA's second channel line.
  int records = -1;
  auto count = QObject::connect(dlg->LogZone, &QPlainTextEdit::textChanged, [&] {
    if (records < 0 && dlg->LogZone->toPlainText().contains("CHAN3S (1,")) {
      records = 0;
      for (const std::string& l : sim->Lines()) records += l.rfind("*FL:", 0) == 0;
    }
  });
  Button("SendBtn")->click();
  QObject::disconnect(count);
  ASSERT_TRUE(Memo().contains("Sending successful"));
  ASSERT_GT(records, 0);
  Settle();

  memo->clear();
  dlg->LogZone->clear();
  prompter.shown.clear();
  sim->ClearTraffic();
  cvsim::Faults f;
  f.failPrefix = "*FL:";
  f.failAtLine = records + 1;
  sim->SetFaults(f);
  Button("SendBtn")->click();
  EXPECT_FALSE(Memo().contains("Sending successful"));
  ASSERT_EQ(prompter.shown.size(), 1u);
  const std::string box = cv::To1252(prompter.shown[0].text);
  EXPECT_EQ(box.rfind("Sending Channels Error: the equipment did not take plan ASTRA, channel 3 (ARD).\n"
                      "The script stopped at its line ",
                      0),
            0u)
      << box;
  EXPECT_NE(box.find(": CHAN3S (2,  ARD, 11586.00, "), std::string::npos) << box;
  EXPECT_EQ(box.substr(box.rfind('\n')), "\nThe equipment's channel plans are incomplete; send them again.");
  EXPECT_EQ(prompter.shown[0].caption, "CvTools Error");
}

// Send and Receive let window events run while they talk to the meter, and what a person does
// after the last of them is held by the window system until the run has ended. A person who
// presses every control of the editor during the run, picks in its list, types into its fields
// and combos and presses Esc and the close box changes nothing, then or afterwards: the meter's
// wire carries what an undisturbed run sends, no second run starts, and the editor is still open.
TEST_F(PlanSend, NoControlActsWhileSendOrReceiveRuns) {
  LoadCanalization();
  dlg->show();
  QApplication::setActiveWindow(dlg.get());
  ASSERT_TRUE(QTest::qWaitForWindowActive(dlg.get()));
  auto queueEverything = [this] {
    std::vector<QWidget*> controls;
    for (QPushButton* b : dlg->findChildren<QPushButton*>()) controls.push_back(b);
    for (QWidget* w : std::initializer_list<QWidget*>{dlg->NameEdit, dlg->CodeEdit, dlg->LNBEdit, dlg->BandCombo,
                                                      dlg->Comm1Combo, dlg->Comm2Combo, dlg->Comm3Combo}) {
      cvtest::QueueClick(w);
      cvtest::QueueKey(w, Qt::Key_9);
      cvtest::QueueKey(w, Qt::Key_Down);
    }
    QListWidget* list = dlg->ChanPlanListBox;
    if (list->count() > 2) {
      const QPoint at = list->visualItemRect(list->item(2)).center();
      cvtest::QueueClick(list->viewport(), at);
      cvtest::QueueDoubleClick(list->viewport(), at);
      cvtest::QueueKey(list, Qt::Key_Return);
    }
    cvtest::QueueEverything(*dlg, controls);
  };
  struct Row {
    const char* what;
    QPushButton* button;
    const char* done;  // the host log's line of a good end
  } rows[] = {{"Send", Button("SendBtn"), "Sending successful"}, {"Receive", Button("ReceiveBtn"), nullptr}};
  for (const Row& r : rows) {
    SCOPED_TRACE(r.what);
    std::vector<std::string> wire[2];
    int presses = 0;
    for (bool disturbed : {false, true}) {
      Settle();
      sim->ClearTraffic();
      memo->clear();
      QMetaObject::Connection pressing;
      // A control that opened a window of its own must not hold the test.
      QTimer closer;
      QObject::connect(&closer, &QTimer::timeout, [] {
        if (QWidget* top = QApplication::activeModalWidget()) top->close();
      });
      closer.start(100);
      // At every step of the gauge, the last one after the run's last wait among them.
      if (disturbed) {
        pressing = QObject::connect(dlg->Gauge, &QProgressBar::valueChanged, [&](int value) {
          if (value == 0) return;
          ++presses;
          queueEverything();
        });
      }
      ASSERT_TRUE(r.button->isEnabled());
      r.button->click();
      QObject::disconnect(pressing);
      cvtest::DrainEvents();
      wire[disturbed] = sim->Lines();
      if (r.done) {
        EXPECT_TRUE(Memo().contains(r.done)) << memo->toPlainText().toStdString();
      }
    }
    EXPECT_GT(presses, 0) << "the run moved its gauge";
    EXPECT_TRUE(dlg->isVisible());
    EXPECT_EQ(wire[1], wire[0]);
    EXPECT_TRUE(prompter.shown.empty());
    EXPECT_FALSE(dlg->Editor().modified);
  }
  EXPECT_STREQ(dlg->Editor().planSlots[0].name, "TDT-MAD ");
}

// A plan's name sits in its field without the blanks that pad it to the meter's 8 characters:
// End puts the cursor after the name and letters go on up to 8; a box names the plan unpadded;
// the script (the file and what the meter gets) carries the padded name.
TEST_F(PlanSend, APlanNameIsShownAndTypedWithoutItsPaddingAndWrittenPadded) {
  using Stored = Corvane3Profile::StoredPlan;
  Profile([](Corvane3Profile& p) {
    p.plans[0] = Stored{"TDT     ", 'T', 0, 1, {}, {{"  21", 10203, 10258, {}}}};
    p.plans[1] = Stored{"ASTRA   ", 'S', 97500, 2, {}, {{" RTL", 13436, 13436, {}}}};
  });
  Button("ReceiveBtn")->click();
  auto* name = dlg->NameEdit;
  EXPECT_EQ(name->text(), "TDT");
  dlg->show();
  QApplication::setActiveWindow(dlg.get());
  ASSERT_TRUE(QTest::qWaitForWindowActive(dlg.get()));
  name->setFocus();
  QTest::keyClick(name, Qt::Key_End);
  QTest::keyClicks(name, "-MADRID");
  EXPECT_EQ(name->text(), "TDT-MADR") << "letters go on up to the limit";
  dlg->ChanPlanListBox->setFocus();
  auto& ed = dlg->Editor();
  EXPECT_STREQ(ed.planSlots[0].name, "TDT-MADR");
  EXPECT_EQ(dlg->ChanPlanListBox->item(0)->text(), "TDT-MADR");

  const QString script = dir.filePath("names.pro");
  ASSERT_TRUE(ed.WriteScript(script.toStdString()));
  const std::string text = ReadFile(script);
  EXPECT_NE(text.find("HEADER3 (TDT-MADR, 0x"), std::string::npos) << text;
  EXPECT_NE(text.find("HEADER3 (ASTRA   , 0x"), std::string::npos) << text;

  // A refusal names the plan as the person sees it.
  ed.planSlots[1].Channels().clear();
  ed.planSlots[1].origin = PlanSlot::Created;
  EXPECT_FALSE(ed.WriteScript(script.toStdString()));
  ASSERT_FALSE(prompter.shown.empty());
  EXPECT_EQ(prompter.shown.back().text, "Plan ASTRA without channels. Error");
  dlg->hide();
}

TEST_F(PlanSend, AFailedRunIsNotReportedAsASend) {
  LoadCanalization();
  // A loader line the instrument refuses stops the script before the plan memory is erased.
  QFile hex(dir.filePath("update.hex"));
  ASSERT_TRUE(hex.open(QIODevice::WriteOnly));
  hex.write(":101FE0005374616E642D696E206C6F61646572203D\n");
  hex.close();
  Button("SendBtn")->click();
  EXPECT_FALSE(Memo().contains("Sending successful"));
  EXPECT_FALSE(dlg->LogZone->toPlainText().contains("Sending successful"));
  EXPECT_TRUE(dlg->LogZone->toPlainText().contains("SENDHEX update.hex *HX -> ERROR"));
  Profile([](Corvane3Profile& p) { EXPECT_EQ(p.flash.PlanCount(), -1); });
  EXPECT_TRUE(Button("SendBtn")->isEnabled());
}

}  // namespace
