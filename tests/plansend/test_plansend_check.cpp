// The plan check before Send, as one table over the families that have one (DV-800, CORVANE-2,
// CORVANE-PLENAR), each editor against its simulated meter over a pseudo-terminal: a channel
// below 45 MHz that the meter's options allow, followed by a channel with a command the meter
// lacks. What was logged, what was shown and what went over the wire are checked.
#include <gtest/gtest.h>

#include <QFile>
#include <QPlainTextEdit>
#include <algorithm>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "AppServices.h"
// Both families name their option record's header alike: the PLENAR's is reached by its path.
#include "../../plugins/plenar/core/InstalledOptions.h"
#include "Chanplandlg2.h"
#include "Chanplandlgplen.h"
#include "Corvane2Profile.h"
#include "Cv2Equip.h"
#include "Cv2PlanFamily.h"
#include "Dv8Equip.h"
#include "Dv8PlanScript.h"
#include "Dv8Profile.h"
#include "PacedPlanSend.h"
#include "PlenEquip.h"
#include "PlenPlanFamily.h"
#include "PlenarProfile.h"
#include "RefusingWorkDir.h"
#include "SimOnCom1.h"

namespace {

using cv::cv2::TCv2Equip;
using cv::dv8::TDV8Equip;
using cv::plenar::TCvPlenEquip;

struct Dv800 {
  using Profile = cvsim::Dv8Profile;
  using Equip = TDV8Equip;
  static const cv::plan::PlanFamily& Family() { return cv::dv8::Dv8PlanFamily(); }
  static std::unique_ptr<TChannelsPlanDlg> Dialog(QWidget* host, Equip* equip) {
    return std::make_unique<TChannelsPlanDlg>(host, equip, Family());
  }
  // The DV-800's options are fixed: no BER COFDM, channels below 45 MHz taken.
  static void Meter(Profile&) {}
};

struct Corvane2 {
  using Profile = cvsim::Corvane2Profile;
  using Equip = TCv2Equip;
  static const cv::plan::PlanFamily& Family() { return cv::cv2::Cv2PlanFamily(); }
  static std::unique_ptr<TChannelsPlanDlg> Dialog(QWidget* host, Equip* equip) {
    return cv::cv2::MakeChannelsPlanDlg2(host, equip);
  }
  static void Meter(Profile& p) { p.optionWord = Profile::kDefaultOptions & ~Profile::kBerCofdm; }
};

struct Plenar {
  using Profile = cvsim::PlenarProfile;
  using Equip = TCvPlenEquip;
  static const cv::plan::PlanFamily& Family() { return cv::plenar::PlenPlanFamily(); }
  static std::unique_ptr<TChannelsPlanDlg> Dialog(QWidget* host, Equip* equip) {
    return cv::plenar::MakeChannelsPlanDlgPlen(host, equip);
  }
  static void Meter(Profile& p) { p.optionWord &= ~Profile::kCofdmOption; }
};

struct Outcome {
  std::vector<std::string> refusals;  // the host log's "not supported" lines
  bool sentOk = false;                // "Sending successful" logged
  std::vector<std::string> boxes;     // caption: text
  std::vector<std::string> wire;      // what the meter received from the Send
  int recordsBeforeSecondChannel = -1;  // the meter's flash records when the log shows C21's line
};

// Loads plan LOW (a terrestrial channel at 40 MHz without a command, then one at 471.25 MHz with
// "ME6", the BER COFDM measure) into the family's editor and presses Send.
// allOptions: the meter as it comes, taking the plan; fromStick: the plan opened from a
// write-protected stick, so that the working directory takes no file; silentAtRecord: the meter
// falls silent from that flash record of the Send on.
template <class F>
Outcome SendLowPlan(bool allOptions = false, bool fromStick = false, int silentAtRecord = 0) {
  Outcome out;
  SimOn<typename F::Profile, 19200> meter;
  EXPECT_NO_FATAL_FAILURE(meter.StartSim());
  if (testing::Test::HasFatalFailure()) return out;
  if (!allOptions) meter.Profile([](typename F::Profile& p) { F::Meter(p); });
  PlanSendParts<typename F::Equip> parts;
  parts.memo = new QPlainTextEdit(&parts.host);
  parts.memo->setObjectName("LogMemo");
  parts.equip.reset(TCv3Equip::Build<typename F::Equip>(&parts.host, &meter.port));
  parts.equip->clock = &parts.clock;
  EXPECT_NO_FATAL_FAILURE(meter.SettleAndOpen());
  if (F::Family().loaderFile) {
    EXPECT_TRUE(QFile::copy(QString(CV_TEST_DATA_DIR) + "/plans/update.hex", parts.dir.filePath(F::Family().loaderFile)));
  }
  parts.dlg = F::Dialog(&parts.host, parts.equip.get());
  auto& ed = parts.dlg->Editor();
  for (auto& p : ed.planSlots) ClearPlan(p);
  PlanSlot& plan = ed.planSlots[0];
  NewPlan(plan);
  CopyField(plan.name, "LOW");
  plan.band = 'T';
  plan.Channels() = {cv::plan::MakeChannel(F::Family(), "C1", 40.0f, 8, 'T'),
                     cv::plan::MakeChannel(F::Family(), "C21", 471.25f, 8, 'T', "ME6")};
  plan.channelCount = 2;
  EXPECT_LT(plan.Channels()[0].frequency, 45.0f);
  ShowLoadedPlans(*parts.dlg);
  EXPECT_NO_FATAL_FAILURE(meter.SettleAfterWakeLine());
  meter.sim->ClearTraffic();

  cv::RecordingPrompter prompter;
  std::optional<cvtest::RefusingWorkDir> stick;
  if (fromStick) {
    stick.emplace(parts.dir.path());
    EXPECT_FALSE(cvtest::RefusingWorkDir::TakesFiles());
  }
  if (silentAtRecord > 0) {
    cvsim::Faults f;
    f.failPrefix = "*FL:";
    f.failAtLine = silentAtRecord;
    meter.sim->SetFaults(f);
  }
  auto count = QObject::connect(parts.dlg->LogZone, &QPlainTextEdit::textChanged, [&] {
    if (out.recordsBeforeSecondChannel < 0 && parts.dlg->LogZone->toPlainText().contains("CHAN3T (1,")) {
      out.recordsBeforeSecondChannel = 0;
      for (const std::string& l : meter.sim->Lines()) out.recordsBeforeSecondChannel += l.rfind("*FL:", 0) == 0;
    }
  });
  parts.dlg->SendBtnClick();
  QObject::disconnect(count);
  meter.sim->SetFaults({});
  meter.Settle();
  for (const QString& line : parts.memo->toPlainText().split('\n')) {
    if (line.contains("not supported")) out.refusals.push_back(line.toStdString());
    if (line == "Sending successful") out.sentOk = true;
  }
  for (const auto& box : prompter.shown) out.boxes.push_back((box.caption + ": " + box.text).toStdString());
  out.wire = meter.sim->Lines();
  parts.dlg.reset();
  meter.port.Close();
  return out;
}

bool StartsAny(const std::vector<std::string>& lines, std::initializer_list<const char*> prefixes) {
  return std::any_of(lines.begin(), lines.end(), [&](const std::string& l) {
    return std::any_of(prefixes.begin(), prefixes.end(), [&](const char* p) { return l.rfind(p, 0) == 0; });
  });
}

// Every family whose plan editor sends through the shared one, with its Send.
struct SendingFamily {
  const char* family;
  Outcome (*send)(bool, bool, int);
};
const SendingFamily kSendingFamilies[] = {
    {"DV-800", &SendLowPlan<Dv800>}, {"CORVANE-2", &SendLowPlan<Corvane2>}, {"CORVANE-PLENAR", &SendLowPlan<Plenar>}};

}  // namespace

TEST(PlanSendCheck, ALowChannelTheMeterTakesDoesNotEndThePlansCheck) {
  const std::string box = "PLANS ERROR: Canalization not compatible with connected equipment\nPlease see LOG file";
  struct Row {
    const char* family;
    Outcome (*send)(bool, bool, int);
    std::vector<std::string> refusals;  // empty: sent
  } rows[] = {
      // The DV-800's table has no BER COFDM command, so its fixed options take every plan.
      {"DV-800", &SendLowPlan<Dv800>, {}},
      {"CORVANE-2", &SendLowPlan<Corvane2>, {"Plan LOW, channel C21: Meas BER (COFDM) not supported."}},
      {"CORVANE-PLENAR", &SendLowPlan<Plenar>, {"Plan LOW, channel C21: Meas BER (COFDM) not supported."}},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.family);
    const Outcome out = r.send(false, false, 0);
    ASSERT_FALSE(testing::Test::HasFatalFailure());
    EXPECT_EQ(out.refusals, r.refusals);
    // The script's first statements: the DV-800 loader's boot, the PLENAR's sweep stop, erase
    // and plan records.
    const bool scriptRan = StartsAny(out.wire, {"*BO", "*SP0", "*CC", "*FL:"});
    if (r.refusals.empty()) {
      EXPECT_TRUE(out.sentOk);
      EXPECT_TRUE(scriptRan);
      EXPECT_TRUE(out.boxes.empty()) << out.boxes[0];
      continue;
    }
    EXPECT_FALSE(out.sentOk);
    EXPECT_EQ(out.boxes, std::vector<std::string>{box});
    EXPECT_FALSE(scriptRan);
    // The meter was asked, and told nothing: its version, the access code and its options.
    EXPECT_NE(std::find(out.wire.begin(), out.wire.end(), "*?ID"), out.wire.end());
    for (const std::string& line : out.wire) EXPECT_TRUE(line == "*?VE" || line == "*7205&" || line == "*?ID") << line;
  }
}

// The same plan sent from a folder that takes no file (a write-protected stick) goes out as it
// does from a writable one: the script is written elsewhere, its content unchanged.
TEST(PlanSendCheck, SendFromAFolderThatTakesNoFileSendsTheSameScript) {
  for (const SendingFamily& r : kSendingFamilies) {
    SCOPED_TRACE(r.family);
    const Outcome writable = r.send(true, false, 0);
    const Outcome stick = r.send(true, true, 0);
    ASSERT_FALSE(testing::Test::HasFatalFailure());
    EXPECT_TRUE(writable.sentOk);
    EXPECT_TRUE(stick.sentOk);
    EXPECT_TRUE(stick.boxes.empty()) << stick.boxes[0];
    EXPECT_TRUE(StartsAny(stick.wire, {"*FL:"}));
    EXPECT_EQ(stick.wire, writable.wire);
  }
}

// A meter that falls silent once a plan's channels are written stops the Send with one box that
// names where the script stopped, in every family whose editor sends through the shared one. These
// families write the plans as one image after the channel statements, so the stop is at an image
// record the box quotes.
TEST(PlanSendCheck, ASendThatStopsIsToldInOneBoxNamingWhereItStopped) {
  for (const SendingFamily& r : kSendingFamilies) {
    SCOPED_TRACE(r.family);
    const Outcome whole = r.send(true, false, 0);
    ASSERT_FALSE(testing::Test::HasFatalFailure());
    ASSERT_TRUE(whole.sentOk);
    ASSERT_GE(whole.recordsBeforeSecondChannel, 0);
    const Outcome cut = r.send(true, false, whole.recordsBeforeSecondChannel + 1);
    EXPECT_FALSE(cut.sentOk);
    ASSERT_EQ(cut.boxes.size(), 1u);
    EXPECT_EQ(cut.boxes[0].rfind("CvTools Error: Sending Channels Error: the script stopped at its line ", 0), 0u)
        << cut.boxes[0];
    EXPECT_NE(cut.boxes[0].find(": SEND *FL:"), std::string::npos) << cut.boxes[0];
  }
}
