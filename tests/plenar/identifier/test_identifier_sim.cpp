// The channel identifier against the simulated CORVANE-PLENAR meter on a fake clock: each signal's
// pass with its account, class and labels, and the state rules (Abort, Identify during a pass,
// Loop), then the form's save and close.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <algorithm>
#include <fstream>
#include <functional>
#include <regex>

#include "ChannelIdentifier.h"
#include "FileDialogs.h"
#include "HostForm.h"
#include "Identifierplen.h"
#include "PlenEquip.h"
#include "PlenarSim.h"
#include "RecordingOpener.h"
#include "SaveLimits.h"
#include "StartDir.h"

using cv::plenar::ChannelIdentifier;
using cv::plenar::TCvPlenEquip;
using Lines = std::vector<std::string>;

namespace {

class IdentifierSim : public ::testing::Test, public PlenarSim {
 protected:
  void SetUp() override { ASSERT_NO_FATAL_FAILURE(StartSim()); }

  // The meter playing `scenario`, the equipment on it with the port open as the launcher leaves it.
  void Start(const std::string& scenario, int pollsBeforeAnswer = 0) {
    Profile([&](cvsim::PlenarProfile& p) {
      ASSERT_TRUE(p.SetScenario(scenario));
      p.pollsBeforeAnswer = pollsBeforeAnswer;
    });
    equip.reset(TCv3Equip::Build<TCvPlenEquip>(&host.form, &port));
    equip->clock = &clock;
    ASSERT_NO_FATAL_FAILURE(SettleAndOpen());
    ASSERT_NO_FATAL_FAILURE(SettleAfterWakeLine());
    sim->ClearTraffic();
    ident = std::make_unique<ChannelIdentifier>(cv::plenar::EquipIdentLink(equip.get()), clock);
  }

  size_t Sent(const std::string& line) {
    const auto lines = sim->Lines();
    return static_cast<size_t>(std::count(lines.begin(), lines.end(), line));
  }

  HostForm host;
  cv::FakeClock clock;
  std::unique_ptr<TCvPlenEquip> equip;
  std::unique_ptr<ChannelIdentifier> ident;
};

const std::string kHeader = cvsim::PlenarProfile().teletextHeader.substr(0, 30);  // the 30 a header holds
const Lines kMpegTexts = {"Mpeg-2 Network_ID found:", " -> CVNET TERRESTRIAL", "Mpeg-2 Provider found:",
                          " -> CV BROADCAST SERVICES"};
const Lines kNoRds = {"Analyzing RDS...", "RDS not detected.", "RDS Identifier Code:", " -> 0000",
                      "RDS Program Service:", " -> " + std::string(8, ' ')};

// The account's last line, none before the first.
std::string Last(const ChannelIdentifier& ident) { return ident.lines.empty() ? "" : ident.lines.back(); }

Lines Join(std::initializer_list<Lines> parts) {
  Lines all;
  for (const Lines& p : parts) all.insert(all.end(), p.begin(), p.end());
  return all;
}

// Runs a pass on a shown form and, once it analyses teletext, leaves the form by `leave` (Close,
// Esc or the close box): "Wait...", the form stays while the pass winds down, then it ends.
void LeaveMidPass(cv::plenar::TIdentifierForm& form, const std::function<void()>& leave) {
  form.Identifier().pump = [&] {
    if (Last(form.Identifier()) == "Analyzing Teletext..." && !form.Identifier().closing) {
      leave();
      EXPECT_EQ(form.CloseBtn->text(), "Wait...");
      EXPECT_TRUE(form.Identifier().busy);
      EXPECT_TRUE(form.isVisible());
    }
  };
  form.show();
  form.IdentifyBtn->click();
  EXPECT_TRUE(form.Identifier().closing);
  EXPECT_EQ(form.Identifier().lines.back(), "This identification has finished.");
  EXPECT_FALSE(form.isVisible());
  EXPECT_EQ(form.result(), QDialog::Rejected);
}

}  // namespace

TEST_F(IdentifierSim, EachSignalGivesItsAccountClassAndLabels) {
  const Lines teletext = {"Analyzing Teletext...", "Page 100 of Teletext found:", " -> " + kHeader, "PDC ID found",
                          " -> 1A2B", "PDC's description found", " -> EVENING NEWS"};
  struct Row {
    const char* scenario;
    int polls;  // polls before the meter answers
    Lines lines;
    int cls;
    const char *freq, *type, *name, *provider, *channel;
    bool videoCheck, heuristic;
  } rows[] = {
      {"sat-digital", 3,
       Join({{"Assuming digital satellite!!", "Analyzing QPSK measurements...",
              "MPEG-2 Detected with QPSK modulation!!"}, kMpegTexts}),
       4, "1200.00 MHz", "SATELLITE DIGITAL TV", "CVNET TERRESTRIAL", "CV BROADCAST SERVICES", "", false, false},
      // No lock within its ten polls: the class set before the test stays.
      {"sat-digital", 11, {"Assuming digital satellite!!", "Analyzing QPSK measurements...", "Mpeg-2 not detected."},
       4, "1200.00 MHz", "SATELLITE DIGITAL TV", "", "", "", false, false},
      {"sat-analog", 2,
       {"Assuming analog satellite!!", "Analyzing Teletext...", "Page 100 of Teletext not found yet...", " -> ",
        "Page 100 of Teletext not found yet...", " -> ", "Page 100 of Teletext found:", " -> " + kHeader,
        "PDC ID found", " -> 1A2B", "PDC's description found", " -> EVENING NEWS"},
       1, "1200.00 MHz", "SATELLITE ANALOG TV", kHeader.c_str(), "", "", false, false},
      {"analog", 0, Join({{"Analog video detected!!"}, teletext}), 0, " 471.25 MHz", "TERRESTRIAL ANALOG TV",
       kHeader.c_str(), "", " C21 (CVNET   ) ", true, false},
      {"rds", 4,
       {"Analog video not detected", "Analyzing RDS...", "RDS detected!!", "RDS Identifier Code:", " -> D3C1",
        "RDS Program Service:", " -> CV RADIO"},
       5, " 471.25 MHz", "RDS RADIO", "CV RADIO", "", "", true, false},
      {"cofdm", 2,
       Join({{"Analog video not detected"}, kNoRds,
             {"Analyzing COFDM measurements...", "MPEG-2 Detected with COFDM modulation!!"}, kMpegTexts}),
       2, " 471.25 MHz", "TERRESTRIAL DIGITAL TV", "CVNET TERRESTRIAL", "CV BROADCAST SERVICES", "", true, false},
      {"qam", 0,
       Join({{"Analog video not detected"}, kNoRds,
             {"Analyzing COFDM measurements...", "Mpeg-2 not detected.", "Analyzing QAM measurements...",
              "MPEG-2 Detected with QAM modulation!!"},
             kMpegTexts}),
       3, " 471.25 MHz", "CABLE DIGITAL TV", "CVNET TERRESTRIAL", "CV BROADCAST SERVICES", "", true, false},
      {"nothing", 3,
       Join({{"Analog video not detected"}, kNoRds,
             {"Analyzing COFDM measurements...", "Mpeg-2 not detected.", "Analyzing QAM measurements...",
              "Mpeg-2 not detected.", "All test have failed!!", "Signal not recognized as digital.",
              "Signal seems to be analog."}}),
       -1, " 471.25 MHz", "UNKNOWN SIGNAL", "UNKNOWN NAME", "", "", true, true},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(std::string(r.scenario) + " after " + std::to_string(r.polls));
    ASSERT_NO_FATAL_FAILURE(Start(r.scenario, r.polls));
    const int64_t start = clock.NowMs();
    ident->Identify();
    Settle();
    Lines expected = Join({{"The identification has started."}, r.lines, {"This identification has finished."}});
    EXPECT_EQ(ident->lines, expected);
    EXPECT_EQ(ident->result.cls, r.cls);
    EXPECT_EQ(ident->FrequencyText(), r.freq);
    EXPECT_EQ(ChannelIdentifier::ClassText(ident->result.cls), r.type);
    EXPECT_EQ(ident->NameText(), r.name);
    EXPECT_EQ(ident->ProviderText(), r.provider);
    EXPECT_EQ(ident->result.channelName, r.channel);
    EXPECT_EQ(Sent("*?VD"), r.videoCheck ? 4u : 0u);
    EXPECT_EQ(Sent("*?RDS") > 0, r.videoCheck && r.cls != 0);
    EXPECT_EQ(Sent("*?LN") > 0, r.heuristic);
    EXPECT_EQ(ident->progress, 100);
    EXPECT_FALSE(ident->busy);
    // Each system change is undone by the test that made it; the meter ends where it started
    // unless the identifier itself set a digital or measuring mode.
    Profile([&](cvsim::PlenarProfile& p) {
      if (r.videoCheck && !r.heuristic && r.cls != 2 && r.cls != 3) {
        EXPECT_EQ(p.systemReply, "*SY000");
      }
    });
    if (std::string(r.scenario) == "nothing") {
      // The level points at F0, F0 + 2.75 and F0 + 5.5 MHz, then back to F0, after the plan's
      // system (none: 0) and the level mode.
      const Lines lines = sim->Lines();
      Lines tail;
      for (const std::string& l : lines)
        if (l.rfind("*FR", 0) == 0 || l == "*SY00" || l == "*ME0") tail.push_back(l);
      EXPECT_EQ(tail, (Lines{"*SY00", "*SY00", "*SY00", "*ME0", "*FRT27db", "*FRT2812", "*FRT2849", "*FRT27db"}));
      // The lock tests waited a second after each of their 24 polls.
      EXPECT_GE(clock.NowMs() - start, 24000);
    }
    port.Close();
  }
}

TEST_F(IdentifierSim, AbortDuringAPollSkipsTheRestButRestoresSystemAndSound) {
  ASSERT_NO_FATAL_FAILURE(Start("nothing", 50));
  ident->SetLoop(true);
  ident->pump = [this] {
    if (!ident->aborted && Last(*ident) == "Analyzing RDS...") ident->Abort();
  };
  ident->Identify();
  Settle();
  EXPECT_EQ(ident->lines,
            (Lines{"The identification has started.", "Analog video not detected", "Analyzing RDS...",
                   "RDS not detected.", "RDS Program Identifier code not found.", "RDS Program Service not found.",
                   "Analyzing COFDM measurements...", "Mpeg-2 not detected.", "Analyzing QAM measurements...",
                   "Mpeg-2 not detected.", "All test have failed!!", "This identification has finished."}));
  EXPECT_EQ(Sent("*?RDS"), 1u);
  EXPECT_EQ(Sent("*?CO") + Sent("*?QA") + Sent("*?LN") + Sent("*?RDI"), 0u);
  const Lines lines = sim->Lines();
  const auto rds = std::find(lines.begin(), lines.end(), "*?RDS");
  EXPECT_EQ(Lines(rds + 1, rds + 3), (Lines{"*SO03", "*SY000"}));
  EXPECT_FALSE(ident->loop);
  EXPECT_FALSE(ident->TimerEnabled());
}

// Identify as the window system delivers it during a pass (a click or Enter posted to the form,
// run by the pass's own pumped waits): no second pass, the notice stays, the wire is the one of
// an undisturbed pass; once the pass is over the same input starts one.
TEST_F(IdentifierSim, IdentifyPostedDuringAPassIsIgnored) {
  // The wire of an undisturbed pass, on the meter as the pass before leaves it.
  auto fresh = [&] {
    port.Close();
    Start("rds", 3);
    Profile([](cvsim::PlenarProfile& p) { p.spectrumMode = true; });
  };
  auto undisturbedPass = [&] {
    fresh();
    cv::plenar::TIdentifierForm form(&host.form, equip.get());
    form.IdentifyBtn->click();
    Settle();
    return sim->Lines();
  };
  auto click = [](cv::plenar::TIdentifierForm& form) {
    const QPointF at = QRectF(form.IdentifyBtn->rect()).center();
    QCoreApplication::postEvent(form.IdentifyBtn, new QMouseEvent(QEvent::MouseButtonPress, at, form.IdentifyBtn->mapToGlobal(at),
                                                                  Qt::LeftButton, Qt::LeftButton, Qt::NoModifier));
    QCoreApplication::postEvent(form.IdentifyBtn, new QMouseEvent(QEvent::MouseButtonRelease, at, form.IdentifyBtn->mapToGlobal(at),
                                                                  Qt::LeftButton, Qt::NoButton, Qt::NoModifier));
  };
  auto enter = [](cv::plenar::TIdentifierForm& form) {
    QCoreApplication::postEvent(&form, new QKeyEvent(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier));
  };
  const std::pair<const char*, std::function<void(cv::plenar::TIdentifierForm&)>> inputs[] = {{"click", click},
                                                                                             {"Enter", enter}};
  for (const auto& [what, press] : inputs) {
    SCOPED_TRACE(what);
    const Lines undisturbed = undisturbedPass();
    ASSERT_NO_FATAL_FAILURE(fresh());
    cv::plenar::TIdentifierForm form(&host.form, equip.get());
    form.show();
    bool posted = false, noticeLost = false;
    form.Identifier().pump = [&] {
      if (!posted && Last(form.Identifier()) == "Analyzing RDS...") {
        posted = true;
        press(form);
      }
      clock.PumpEvents(0);
      // Every pump after the input is the first pass's own, before it ends.
      noticeLost = noticeLost || (posted && !form.DoNotChangeLabel->isVisibleTo(&form));
    };
    form.IdentifyBtn->click();
    QCoreApplication::processEvents();
    Settle();
    EXPECT_TRUE(posted);
    EXPECT_FALSE(noticeLost) << "the notice went while the pass still sent";
    EXPECT_EQ(sim->Lines(), undisturbed);
    EXPECT_EQ(std::count(form.Identifier().lines.begin(), form.Identifier().lines.end(), "This identification has finished."), 1);
    EXPECT_EQ(form.Identifier().result.cls, 5);
    EXPECT_TRUE(form.IdentifyBtn->isEnabled());
    EXPECT_TRUE(form.isVisible());

    // The same input with no pass running starts one.
    press(form);
    QCoreApplication::processEvents();
    EXPECT_EQ(std::count(form.Identifier().lines.begin(), form.Identifier().lines.end(), "The identification has started."), 2);
  }
}

// A meter that stops answering, from the start or part way through a pass, or refuses one query:
// the pass ends there, says the meter did not answer and which exchange, and gives no verdict;
// what the running test changed is sent back while the meter still takes it.
TEST_F(IdentifierSim, AMeterThatStopsAnsweringEndsThePassWithNoVerdict) {
  const Lines verdicts = {"Analog video not detected", "RDS not detected.", "Mpeg-2 not detected.",
                          "All test have failed!!", "Signal level too low to properly analyze.",
                          "Signal not recognized as digital.", "Signal seems to be analog.", "Signal seems to be digital."};
  struct Row {
    const char* what;
    const char* silentFrom;  // the account's last line when the meter falls silent; "" before the pass
    std::vector<std::string> refused;
    Lines account;           // between the start and the end lines
    Lines restored;          // the lines the meter takes after the one that failed
  } rows[] = {
      {"silent from the start", "", {}, {"The equipment did not answer; the identification has stopped.", " -> *?FR"}, {}},
      {"silent during the RDS test", "Analyzing RDS...", {},
       {"Analog video not detected", "Analyzing RDS...", "The equipment did not answer; the identification has stopped.",
        " -> *?RDS"},
       {}},
      {"silent while measuring levels", "All test have failed!!", {},
       Join({{"Analog video not detected"}, kNoRds,
             {"Analyzing COFDM measurements...", "Mpeg-2 not detected.", "Analyzing QAM measurements...",
              "Mpeg-2 not detected.", "All test have failed!!",
              "The equipment did not answer; the identification has stopped.", " -> 474.00 MHz"}}),
       {}},
      {"one query refused", nullptr, {"*?RDS"},
       {"Analog video not detected", "Analyzing RDS...", "The equipment did not answer; the identification has stopped.",
        " -> *?RDS"},
       {"*SO03", "*SY000"}},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.what);
    ASSERT_NO_FATAL_FAILURE(Start("nothing"));
    Profile([&](cvsim::PlenarProfile& p) { p.refused = r.refused; });
    auto silence = [&] { sim->UpdateFaults([](cvsim::Faults& f) { f.silent = true; }); };
    if (r.silentFrom && !*r.silentFrom) silence();
    ident->pump = [&] {
      if (r.silentFrom && *r.silentFrom && Last(*ident) == r.silentFrom && !sim->GetFaults().silent) silence();
    };
    ident->Identify();
    sim->UpdateFaults([](cvsim::Faults& f) { f.silent = false; });
    Settle();
    EXPECT_EQ(ident->lines, Join({{"The identification has started."}, r.account, {"This identification has finished."}}));
    for (const std::string& verdict : verdicts)
      if (std::find(r.account.begin(), r.account.end(), verdict) == r.account.end()) {
        EXPECT_EQ(std::count(ident->lines.begin(), ident->lines.end(), verdict), 0) << verdict;
      }
    EXPECT_FALSE(ident->busy);
    EXPECT_EQ(ident->progress, 100);
    if (!r.restored.empty()) {
      const Lines lines = sim->Lines();
      const auto failed = std::find(lines.begin(), lines.end(), "*?RDS");
      ASSERT_NE(failed, lines.end());
      EXPECT_EQ(Lines(failed + 1, lines.end()), r.restored);
    }
    Profile([](cvsim::PlenarProfile& p) { p.refused.clear(); });
    port.Close();
  }
}

TEST_F(IdentifierSim, LoopRepeatsAPassFiveSecondsAfterEachEndUntilCleared) {
  ASSERT_NO_FATAL_FAILURE(Start("rds"));
  auto passes = [&] { return std::count(ident->lines.begin(), ident->lines.end(), "The identification has started."); };
  ident->Identify();
  EXPECT_FALSE(ident->TimerEnabled());  // no loop: no further pass
  ident->SetLoop(true);
  ident->Identify();
  for (int pass = 2; pass <= 4; ++pass) {
    ASSERT_TRUE(ident->TimerEnabled());
    clock.Advance(ident->TimerDueMs() - clock.NowMs() - 1);
    EXPECT_FALSE(ident->TimerTick());
    clock.Advance(1);
    // The timer's pass resets the result but leaves the abort flag.
    ident->result.rdsPs = "STALE";
    EXPECT_TRUE(ident->TimerTick());
    EXPECT_EQ(passes(), pass + 1);
    EXPECT_EQ(ident->result.rdsPs, "CV RADIO");
  }
  ident->SetLoop(false);
  clock.Advance(60000);
  EXPECT_FALSE(ident->TimerTick());
  EXPECT_EQ(passes(), 5);
}

TEST_F(IdentifierSim, FormSavesItsReportAndClosesOnceThePassHasWoundDown) {
  StartDir dir;
  ASSERT_NO_FATAL_FAILURE(Start("analog"));
  cv::plenar::TIdentifierForm form(&host.form, equip.get());
  ASSERT_EQ(form.DoNotChangeLabel->isVisible(), false);
  EXPECT_EQ(form.StdLabel->text(), "Signal Type");
  EXPECT_TRUE(form.IdentifyBtn->isDefault());
  bool busyShown = false;
  form.Identifier().pump = [&] {
    busyShown = busyShown || (form.DoNotChangeLabel->isVisibleTo(&form) && form.Identifier().busy);
  };
  form.IdentifyBtn->click();
  EXPECT_TRUE(busyShown);
  EXPECT_FALSE(form.DoNotChangeLabel->isVisibleTo(&form));
  EXPECT_EQ(form.StdLabel->text(), "TERRESTRIAL ANALOG TV");
  EXPECT_EQ(form.NameLabel->text(), QString::fromStdString(kHeader));
  EXPECT_EQ(form.FreqLabel->text(), " 471.25 MHz");
  EXPECT_EQ(form.ChannelLabel->text(), " C21 (CVNET   ) ");
  EXPECT_EQ(form.ProgressBar->value(), 100);

  // Save: the report, byte for byte but its date and time; its line lands in the account.
  const std::string path = dir.filePath("ident #1 'é'.log").toStdString();
  cv::RecordingFileChooser chooser;
  chooser.saveAnswers = {QString::fromStdString(path)};
  form.SaveBtn->click();
  ASSERT_EQ(chooser.saves.size(), 1u);
  EXPECT_TRUE(chooser.saves[0].overwritePrompt);
  EXPECT_EQ(chooser.saves[0].filter, "Logs (*.log)|*.log|Text (*.txt)|*.txt|All (*.*)|*.*");
  EXPECT_EQ(form.IdentMemo->toPlainText().split('\n').last(), "Channel Identifier file saved.");
  std::string saved = cvtest::FileBytes(path);
  saved = std::regex_replace(saved, std::regex(R"(# Start: .*)"), "# Start: DATE (TIME)");
  const std::string golden = std::string(CV_TEST_DATA_DIR) + "/plenar/identifier-report.log";
  if (std::getenv("CV_WRITE_GOLDENS")) std::ofstream(golden, std::ios::binary) << saved;
  EXPECT_EQ(saved, cvtest::FileBytes(golden));

  // A save that fails at its write says so in the account and leaves the old file whole. Each
  // save writes the same account.
  const Lines account = form.Identifier().lines;
  cvtest::ExpectWholeOrOldFile(path, [&] {
    form.Identifier().lines = account;
    chooser.saveAnswers = {QString::fromStdString(path)};
    form.SaveBtn->click();
    const QString last = form.IdentMemo->toPlainText().split('\n').last();
    EXPECT_TRUE(last == "Channel Identifier file saved." || last == "Impossible to write to this file")
        << last.toStdString();
    return last == "Channel Identifier file saved.";
  });
  chooser.saveAnswers = {dir.filePath("no-such-folder/x.log")};
  form.SaveBtn->click();
  EXPECT_EQ(form.IdentMemo->toPlainText().split('\n').last(), "Impossible to open this file");

  // Close in the middle of a pass: "Wait...", the pass winds down (aborted), then the form ends.
  LeaveMidPass(form, [&] { form.CloseBtn->click(); });
  EXPECT_EQ(Sent("*TX000"), 2u);  // the teletext test still restored its mode
}

// Esc and the close box press Close: in the middle of a pass it winds down first, then the form
// ends; with no pass it ends at once.
TEST_F(IdentifierSim, EscAndTheCloseBoxPressCloseAndWaitForThePass) {
  ASSERT_NO_FATAL_FAILURE(Start("analog"));
  for (bool esc : {true, false}) {
    SCOPED_TRACE(esc ? "Esc" : "close box");
    auto leave = [esc](QDialog& form) {
      if (esc)
        QTest::keyClick(&form, Qt::Key_Escape);
      else
        form.close();
    };
    {
      cv::plenar::TIdentifierForm form(&host.form, equip.get());
      LeaveMidPass(form, [&] { leave(form); });
    }
    cv::plenar::TIdentifierForm idle(&host.form, equip.get());
    idle.show();
    leave(idle);
    EXPECT_FALSE(idle.isVisible());
    EXPECT_TRUE(idle.Identifier().closing);
  }
}

TEST_F(IdentifierSim, HelpOpensTheIdentifierTopicOfTheFamilysPageFromTheStartDirectory) {
  StartDir dir;
  ASSERT_NO_FATAL_FAILURE(Start("nothing"));
  ASSERT_TRUE(QDir(dir.path()).mkpath("help"));
  ASSERT_TRUE(QDir(dir.path()).mkpath("work"));
  ASSERT_TRUE(QFile::copy(QStringLiteral(CV_BIN_DIR "/help/CvPlenar.html"), dir.filePath("help/CvPlenar.html")));
  QDir::setCurrent(dir.filePath("work"));  // where a save dialog may have left it
  cv::plenar::TIdentifierForm form(&host.form, equip.get());
  RecordingOpener opener;
  form.HelpBtn->click();
  ASSERT_EQ(opener.urls.size(), 1u);
  EXPECT_EQ(opener.urls[0].toLocalFile(), QFileInfo(dir.filePath("help/CvPlenar.html")).absoluteFilePath());
  EXPECT_EQ(opener.urls[0].fragment(), "Identifier");
  EXPECT_EQ(cv::AppHelpFile(), "help\\CvPlenar.hlp");
  EXPECT_EQ(QDir::currentPath(), dir.filePath("work"));
}
