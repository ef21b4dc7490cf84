// A CORVANE-4 canalization sent through the plan editor into the simulated meter over a
// pseudo-terminal, on firmware that clears its plans by command and on older firmware that boots
// into its loader; Receive reads the same plans back.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QFile>
#include <QFocusEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <chrono>
#include <memory>
#include <thread>

#include "Chandlg.h"
#include "Chanplandlg.h"
#include "Commands4.h"
#include "Cv4Equip.h"
#include "Cv4PlanFamily.h"
#include "Cv4Sim.h"
#include "PlanSlot.h"
#include "StartDir.h"

using namespace std::chrono_literals;

namespace {

using cvsim::Corvane4Profile;
using cv::cv4::TCv4Equip;

std::string ReadFile(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll().toStdString() : std::string("<missing>");
}

// Frequencies on the PLL grid and names of four characters, so that a plan comes back as sent.
TChan3 Chan(const char* name, float mhz, char band, const char* c1 = "", const char* c2 = "", const char* c3 = "") {
  return TChan3::FromFrequency(name, mhz, 8, band, c1, c2, c3);
}

PlanSlot Plan(const char* name, char band, float lnb, int code, std::vector<TChan3> channels, const char* command = "") {
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

// Virtual time for the script's waits, with a real millisecond for the simulator's thread per
// virtual second.
class PacedClock : public cv::FakeClock {
 public:
  void PumpEvents(int maxBlockMs = 0, bool userInput = true) override {
    FakeClock::PumpEvents(maxBlockMs, userInput);
    if (now % 1000 == 0) std::this_thread::sleep_for(1ms);
  }
};

class Cv4PlanSend : public testing::Test, public Cv4Sim {
 protected:
  void Start(const std::string& version) {
    ASSERT_NO_FATAL_FAILURE(StartSim());
    Profile([&](Corvane4Profile& p) {
      p.version = version;
      p.flash.commandName = [](uint16_t o) { return cv::cv4::MnemonicOfPlanOffset(o); };
    });
    memo = new QPlainTextEdit(&host);
    memo->setObjectName("LogMemo");
    equip.reset(TCv3Equip::Build<TCv4Equip>(&host, &port));
    equip->clock = &clock;
    ASSERT_NO_FATAL_FAILURE(SettleAndOpen());
    dlg = std::make_unique<TChannelsPlanDlg>(&host, equip.get(), cv::cv4::Cv4PlanFamily());
  }
  void TearDown() override {
    dlg.reset();
    port.Close();
  }
  QStringList Memo() const { return memo->toPlainText().split('\n', Qt::SkipEmptyParts); }
  QPushButton* Button(const char* name) { return dlg->findChild<QPushButton*>(name); }

  void LoadCanalization() {
    auto& ed = dlg->Editor();
    ed.planSlots[0] = Plan("TDT-MAD ", 'T', 0, 1,
                           {Chan("  21", 471.25f, 'T', "SY06"), Chan("  45", 663.25f, 'T'), Chan("  69", 858.0f, 'T', "SY00")},
                           "SY00");
    ed.planSlots[2] = Plan("ASTRA   ", 'S', 9750, 12,
                           {Chan(" RTL", 1200.0f, 'S', "SY06", "LB5", "SY07"), Chan(" ZDF", 1953.5f, 'S', "LB5"),
                            Chan(" ARD", 1836.0f, 'S')});
    ed.listFilled = true;
    ed.listIndex = 0;
    ed.planSelected = true;
    ed.modified = false;
    dlg->Refresh();
  }

  void SendAndReceive(const std::vector<std::string>& expectedStart) {
    LoadCanalization();
    Button("SendBtn")->click();
    ASSERT_TRUE(Memo().contains("Sending successful")) << memo->toPlainText().toStdString();
    EXPECT_TRUE(dlg->LogZone->toPlainText().endsWith("Sending successful"));
    // Only the level query may fail: it tells the loader from the firmware.
    std::string transcript = ReadFile(dir.filePath("___CH4__.LOG"));
    const std::string loaderTest = "TEST *?LV -> ERROR (TEST MODE)";
    if (auto at = transcript.find(loaderTest); at != std::string::npos) transcript.erase(at, loaderTest.size());
    EXPECT_EQ(transcript.find("-> ERROR"), std::string::npos) << transcript;
    // What reached the meter, in order, from the access code on.
    const std::vector<std::string> lines = sim->Lines();
    auto at = std::find(lines.begin(), lines.end(), "*7205&");
    ASSERT_NE(at, lines.end());
    std::vector<std::string> start(at, std::min(lines.end(), at + static_cast<long>(expectedStart.size())));
    EXPECT_EQ(start, expectedStart);
    EXPECT_NE(std::find(lines.begin(), lines.end(), "*FL:00000001FF"), lines.end());
    EXPECT_NE(std::find(lines.begin(), lines.end(), "*?LV"), lines.end());
    const std::string sent = ReadFile(dir.filePath("___CH4__.TMP"));

    // Receive, and the canalization written again from what the meter holds is the one sent.
    Button("ReceiveBtn")->click();
    auto& ed = dlg->Editor();
    for (int i = 0; i < 32; ++i) EXPECT_EQ(ed.planSlots[i].HoldsPlan(), i < 2) << i;
    EXPECT_STREQ(ed.planSlots[0].name, "TDT-MAD ");
    EXPECT_STREQ(ed.planSlots[1].name, "ASTRA   ");
    const QString again = dir.filePath("again.pro");
    ASSERT_TRUE(ed.WriteScript(again.toStdString(), cv::plan::PlanScriptWriter::Sent));
    EXPECT_EQ(ReadFile(again), sent);
    EXPECT_STREQ(ed.planSlots[1].Channels()[0].commands[2], "SY07");
  }

  StartDir dir;
  QWidget host;
  QPlainTextEdit* memo = nullptr;
  PacedClock clock;
  std::unique_ptr<TCv4Equip> equip;
  std::unique_ptr<TChannelsPlanDlg> dlg;
};

TEST_F(Cv4PlanSend, FirmwareAbove195ClearsThePlansByCommand) {
  ASSERT_NO_FATAL_FAILURE(Start("2.00"));
  SendAndReceive({"*7205&", "*?VE", "*SP0", "*FRT363B", "*SY00", "*ME0", "*CC"});
  Profile([](Corvane4Profile& p) { EXPECT_EQ(p.loaderState, Corvane4Profile::LoaderState::Main); });
}

TEST_F(Cv4PlanSend, OlderFirmwareBootsIntoItsLoader) {
  ASSERT_NO_FATAL_FAILURE(Start("1.90"));
  SendAndReceive({"*7205&", "*?VE", "*7205&", "*BO", "*?VE", "*GOF7E0:0000", "*?VE", "*FE2"});
  Profile([](Corvane4Profile& p) { EXPECT_EQ(p.loaderState, Corvane4Profile::LoaderState::Main); });
}

// Channel names typed in the channel dialog, on a terrestrial and a satellite plan: the file saved
// before a Send and the one saved after a Receive are the same, name lines included, since the
// plan holds a name as the meter does.
TEST_F(Cv4PlanSend, TypedChannelNamesSaveAlikeBeforeSendAndAfterReceive) {
  ASSERT_NO_FATAL_FAILURE(Start("2.00"));
  LoadCanalization();
  auto& ed = dlg->Editor();
  for (int slot : {0, 2}) {
    TChannelsDlg channels(dlg.get(), ed.planSlots[slot], equip.get(), cv::cv4::Cv4PlanFamily());
    channels.ChanListBox->setCurrentRow(0);
    channels.NameEdit->setText(slot == 0 ? "K21" : "S1");
    QFocusEvent out(QEvent::FocusOut);
    QCoreApplication::sendEvent(channels.NameEdit, &out);
    EXPECT_EQ(channels.NameEdit->text(), slot == 0 ? "K21" : "S1") << "shown without its padding";
    channels.OKBtnClick();
  }
  const QString before = dir.filePath("before.pro"), after = dir.filePath("after.pro");
  ASSERT_TRUE(ed.WriteScript(before.toStdString()));
  EXPECT_NE(ReadFile(before).find("CHAN3T (0,  K21, 471.25"), std::string::npos) << ReadFile(before);
  Button("SendBtn")->click();
  ASSERT_TRUE(Memo().contains("Sending successful")) << memo->toPlainText().toStdString();
  Button("ReceiveBtn")->click();
  ASSERT_TRUE(ed.WriteScript(after.toStdString()));
  EXPECT_EQ(ReadFile(after), ReadFile(before));
}

// A meter that does not answer the version query: Send says so and sends nothing after it.
TEST_F(Cv4PlanSend, AMeterThatDoesNotAnswerTheVersionQueryGetsNothing) {
  ASSERT_NO_FATAL_FAILURE(Start("2.00"));
  LoadCanalization();
  sim->SetFaults([] {
    cvsim::Faults f;
    f.silent = true;
    return f;
  }());
  sim->ClearTraffic();
  Button("SendBtn")->click();
  EXPECT_TRUE(Memo().contains("Sending Channels Error: Equipment not detected")) << memo->toPlainText().toStdString();
  EXPECT_FALSE(Memo().contains("Sending successful"));
  // At most the wake line and the query went out: a silent meter gives no XON to send on.
  for (const std::string& line : sim->Lines()) EXPECT_TRUE(line == "*" || line == "*?VE") << line;
  EXPECT_FALSE(QFile::exists(dir.filePath("___CH4__.LOG")));
}

TEST_F(Cv4PlanSend, AReceivedPlanWhoseChannelsDoNotAllComeIsNeitherSavedNorSent) {
  ASSERT_NO_FATAL_FAILURE(Start("2.00"));
  Profile([](Corvane4Profile& p) {
    // The second channel's word lies outside the satellite band: its read fails.
    p.plans[0] = {"ASTRA   ", 'S', 97500, 2, {}, {{" RTL", 13800, 13800, {}}, {"BAD ", 0, 0, {}}, {" ARD", 18500, 18500, {}}}};
  });
  Button("ReceiveBtn")->click();
  ASSERT_TRUE(dlg->Editor().planSlots[0].ChannelsUnread());
  const size_t before = sim->Lines().size();
  cv::RecordingPrompter prompter;
  cv::SetPrompter(&prompter);
  Button("SendBtn")->click();
  Button("SaveBtn")->click();
  cv::SetPrompter(nullptr);
  int named = 0;
  for (const auto& box : prompter.shown) named += box.text.contains("Only 1 of the 3 channels of plan ASTRA") ? 1 : 0;
  EXPECT_EQ(named, 2);
  EXPECT_FALSE(Memo().contains("Sending successful"));
  EXPECT_FALSE(QFile::exists(dir.filePath("___CH4__.TMP")));
  const std::vector<std::string> lines = sim->Lines();
  for (size_t i = before; i < lines.size(); ++i)
    EXPECT_TRUE(lines[i].rfind("*?CI", 0) == 0 || lines[i] == "*?VE") << lines[i];  // reads only
}

}  // namespace
