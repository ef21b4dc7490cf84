// Each CORVANE family as a new user meets it through `./run.sh --sim NAME`: the simulated meter
// in the state the simulator starts in, the simulator's loader beside the program as run.sh puts
// it, the plug-in found by Detect. In the plan editor Receive, Save, Read, Send and Receive again
// give the same plans with their commands; in the memory editor Receive, Send All and Receive
// again give the same memories. No box warns of anything the user did not cause.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QFile>
#include <QListWidget>
#include <QPushButton>
#include <QRegularExpression>
#include <QTimer>

#include "AppServices.h"
#include "Clock.h"
#include "FamilyOnCom3.h"
#include "HostHome.h"
#include "Mainform.h"
#include "ModalSteps.h"
#include "ToolButtons.h"

namespace {

using namespace hoststeps;

struct Family {
  const char* profile;
  const char* plugin;
};

const Family kFamilies[] = {
    {"corvane3", "Cv3Tools"}, {"corvane4", "Cv4Tools"}, {"dv8", "DV8Tools"}, {"plenar", "CvPlenar"}, {"corvane2", "Cv2Tools"},
};

class FamilyOnDefaultSim : public ::testing::TestWithParam<Family> {
 protected:
  void SetUp() override {
    ASSERT_NO_FATAL_FAILURE(PlaceFamilyOnCom3(home, GetParam().plugin, GetParam().profile, sim));
    ASSERT_TRUE(QFile::copy(QString(CV_TEST_SUPPORT_DIR) + "/../sim/SimulatorLoader.hex", home.filePath("update.hex")));
    w = std::make_unique<TMainForm>();
    w->DetectBtnClick();
    ASSERT_NE(w->equipment, nullptr);
    // The scripts' WAIT lines pass at once; the exchanges with the meter keep their own timing.
    w->equipment->clock = &clock;
    w->UpdateTools();
  }
  void TearDown() override { w.reset(); }

  // Every box shown that is not a plain question or note, as text.
  std::string Warnings() const {
    std::string out;
    for (const auto& s : prompter.shown)
      if (s.icon == cv::MsgIcon::Warning || s.icon == cv::MsgIcon::Error)
        out += s.caption.toStdString() + ": " + s.text.toStdString() + "\n";
    return out;
  }

  HostHome home;
  std::unique_ptr<cvsim::Simulator> sim;
  std::unique_ptr<TMainForm> w;
  cv::RecordingPrompter prompter;
  cv::FakeClock clock;
};

// The header and channel lines of a saved plan script, and how many of them carry a command.
struct ScriptPlans {
  QStringList lines;
  int withCommand = 0;
};

// The plans a list shows, in order, without its empty slots: a Send writes the plans one after
// the other, so a plan set with a gap comes back without it.
std::string Held(const QStringList& items) {
  QStringList held;
  for (const QString& item : items)
    if (item != "-empty-") held << item;
  return held.join(" | ").toStdString();
}

ScriptPlans PlanLines(const QString& path) {
  ScriptPlans p;
  static const QRegularExpression planLine("^(HEADER3|CHAN[0-9A-Z]*) \\(");
  static const QRegularExpression command("0x(?!FFFF)[0-9A-F]{4}\\b");
  for (const QString& line : QString::fromStdString(ReadAll(path)).split('\n')) {
    if (!planLine.match(line).hasMatch()) continue;
    p.lines << line;
    // A header's address is no command: only what follows its band and oscillator counts.
    const QString tail = line.startsWith("HEADER3") ? line.section(',', 5) : line;
    if (command.match(tail).hasMatch()) ++p.withCommand;
  }
  return p;
}

TEST_P(FamilyOnDefaultSim, PlansReceivedSavedReadSentAndReceivedAgain) {
  struct Seen {
    QStringList received, readBack, receivedAgain;
  } seen;
  const QString first = home.filePath("received.pro"), second = home.filePath("again.pro");
  OnNextModal([&](QWidget* dlg) {
    auto* list = Child<QListWidget>(dlg, "ChanPlanListBox");
    Child<QPushButton>(dlg, "ReceiveBtn")->click();
    seen.received = Items(list);
    ChooseFile(first);
    Child<QPushButton>(dlg, "SaveBtn")->click();
    ChooseFile(first);
    Child<QPushButton>(dlg, "ReadBtn")->click();
    seen.readBack = Items(list);
    Child<QPushButton>(dlg, "SendBtn")->click();
    Child<QPushButton>(dlg, "ReceiveBtn")->click();
    seen.receivedAgain = Items(list);
    ChooseFile(second);
    Child<QPushButton>(dlg, "SaveBtn")->click();
    Child<QPushButton>(dlg, "CloseBtn")->click();
  });
  w->EditChBtn->click();

  EXPECT_EQ(Warnings(), "");
  EXPECT_EQ(Held(seen.received).rfind("TDT | ASTRA", 0), 0u) << Held(seen.received);
  EXPECT_EQ(Held(seen.readBack), Held(seen.received));
  EXPECT_EQ(Held(seen.receivedAgain), Held(seen.received));
  const ScriptPlans before = PlanLines(first), after = PlanLines(second);
  EXPECT_GE(before.lines.size(), 5) << ReadAll(first);
  EXPECT_GE(before.withCommand, 3) << "the delivered plans carry commands\n" << ReadAll(first);
  EXPECT_EQ(after.lines.join('\n').toStdString(), before.lines.join('\n').toStdString());
  const QStringList log = LogLines(*w);
  EXPECT_TRUE(log.contains("Sending successful")) << log.join('\n').toStdString();
}

// A plan Send loads the meter's loader into its memory and restarts the meter: its firmware, and so
// the version Detect finds, stays what it was.
TEST_P(FamilyOnDefaultSim, APlanSendLeavesTheMeterOnItsFirmware) {
  OnNextModal([&](QWidget* dlg) {
    Child<QPushButton>(dlg, "ReceiveBtn")->click();
    Child<QPushButton>(dlg, "SendBtn")->click();
    Child<QPushButton>(dlg, "CloseBtn")->click();
  });
  w->EditChBtn->click();
  ASSERT_TRUE(LogLines(*w).contains("Sending successful")) << LogLines(*w).join('\n').toStdString();
  w->DetectBtnClick();

  static const QRegularExpression found("^COM[0-9]+\\([0-9]+\\) -> ");
  const QStringList detected = LogLines(*w).filter(found);
  ASSERT_EQ(detected.size(), 2) << LogLines(*w).join('\n').toStdString();
  EXPECT_EQ(detected[1].toStdString(), detected[0].toStdString());
  EXPECT_EQ(Warnings(), "");
}

TEST_P(FamilyOnDefaultSim, MemoriesReceivedSentAndReceivedAgain) {
  struct Seen {
    QStringList received, receivedAgain;
    int stored = 0;
  } seen;
  OnNextModal([&](QWidget* dlg) {
    auto* list = Child<QListWidget>(dlg, "MemoryListBox");
    Child<QPushButton>(dlg, "ReceiveBtn")->click();
    seen.received = Items(list);
    sim->WaitTxIdle();
    sim->ClearTraffic();
    Child<QPushButton>(dlg, "SendBtn")->click();
    sim->WaitTxIdle();
    for (const std::string& l : sim->Lines())
      if (l.rfind("*SR", 0) == 0 || l.rfind("*XSR", 0) == 0) ++seen.stored;
    Child<QPushButton>(dlg, "ReceiveBtn")->click();
    seen.receivedAgain = Items(list);
    Child<QPushButton>(dlg, "CloseBtn")->click();
  });
  w->EditMemBtn->click();

  EXPECT_EQ(Warnings(), "");
  EXPECT_EQ(seen.received.size(), 99);
  EXPECT_EQ(seen.stored, 99);
  EXPECT_EQ(seen.receivedAgain, seen.received);
}

INSTANTIATE_TEST_SUITE_P(Families, FamilyOnDefaultSim, ::testing::ValuesIn(kFamilies),
                         [](const auto& info) { return std::string(info.param.profile); });

}  // namespace
