// The CORVANE-PLENAR's analyser: the CORVANE-4's dialog with the DAB panel, against the simulated
// meter over a pseudo-terminal. The DAB timer's ticks are called in by hand.
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>
#include <algorithm>
#include <functional>
#include <optional>

#include "FamilySettingsSim.h"
#include "Mpegdialogplen.h"
#include "PlenEquip.h"
#include "PlenarSim.h"

namespace {

using cv::plenar::TMpegDlg;
using PlenMpegSim = FamilySettingsSim<PlenarSim, cv::plenar::TCvPlenEquip>;

class DabSim : public PlenMpegSim {
 protected:
  void SetUp() override {
    PlenMpegSim::SetUp();
    dlg = std::make_unique<TMpegDlg>(&host.form, equip.get());
  }
  std::vector<std::string> AllSent() { return Sent(""); }
  void SetDab(bool locked, unsigned snr, unsigned qual, unsigned capture) {
    Profile([&](cvsim::PlenarProfile& p) { p.SetDab(locked, snr, qual, capture); });
  }
  std::unique_ptr<TMpegDlg> dlg;
};

TEST_F(DabSim, ThePanel) {
  EXPECT_EQ(dlg->TimerDAB->interval(), 1000);
  EXPECT_TRUE(dlg->TimerDAB->isActive()) << "from creation";
  EXPECT_FALSE(dlg->DabRunning);
  EXPECT_FALSE(dlg->TestStopRequested);
  EXPECT_EQ(dlg->Button1->text(), "MEAS DAB");
  EXPECT_EQ(dlg->windowTitle(), "Mpeg2 Analyzer");
  EXPECT_EQ(dlg->EnviarComboBox->currentText(), "*7205&") << "the inspector's own form beneath";
}

TEST_F(DabSim, ReadingOnTheTimer) {
  struct Step {
    const char* what;
    std::function<void()> before;
    std::vector<std::string> sent;
    const char* label;
    const char* lock, *snr, *qual, *captura;
  };
  const Step steps[] = {
      {"never pressed", nullptr, {}, "Stopped", "Label5", "", "", ""},
      {"pressed", [&] { dlg->Button1->click(); }, {"*?I21DA20005", "*?I21DA30002"}, "Doing", "OK", "0123", "0456", "0007"},
      {"lock lost", [&] { SetDab(false, 0x0999, 0x0888, 0x0042); }, {"*?I21DA20005", "*?I21DA30002"}, "Doing", "KO",
       "0123", "0456", "0042"},
      {"locked again", [&] { SetDab(true, 0x00AB, 0x0C0D, 0x0100); }, {"*?I21DA20005", "*?I21DA30002"}, "Doing", "OK",
       "00AB", "0C0D", "0100"},
      {"short replies take what they hold",
       [&] {
         Profile([](cvsim::PlenarProfile& p) {
           p.fixedReplies["*?I21DA20005"] = "*I2011";
           p.fixedReplies["*?I21DA30002"] = "*I20";
         });
       },
       {"*?I21DA20005", "*?I21DA30002"}, "Doing", "OK", "1", "", "0"},
      {"pressed again", [&] { dlg->Button1->click(); }, {}, "Stopped", "OK", "1", "", "0"},
  };
  for (const Step& s : steps) {
    SCOPED_TRACE(s.what);
    if (s.before) s.before();
    sim->ClearTraffic();
    dlg->TimerDABTimer();
    EXPECT_EQ(AllSent(), s.sent);
    EXPECT_EQ(dlg->DABLabel->text(), s.label);
    EXPECT_EQ(dlg->Label5->text(), s.lock);
    EXPECT_EQ(dlg->SNREdit->text(), s.snr);
    EXPECT_EQ(dlg->QUALEdit->text(), s.qual);
    EXPECT_EQ(dlg->CapturaEdit->text(), s.captura);
  }
  EXPECT_TRUE(dlg->MUXEdit->text().isEmpty());
}

// A reading that gets no answer says so and leaves no figure of an earlier one standing as
// current; a silent meter is asked nothing more that second.
TEST_F(DabSim, AReadingThatFailsShowsNoStaleFigure) {
  struct Case {
    const char* what;
    bool silent;
    std::vector<std::string> refused;
    std::optional<std::vector<std::string>> sent;
    const char *lock, *snr, *qual, *captura;
  } cases[] = {
      {"silent", true, {}, std::nullopt, "No answer from the equipment", "", "", ""},
      {"the status refused", false, {"*?I21DA2"}, std::vector<std::string>{"*?I21DA20005"},
       "No answer from the equipment", "", "", ""},
      {"the counter refused", false, {"*?I21DA3"}, std::vector<std::string>{"*?I21DA20005", "*?I21DA30002"}, "OK",
       "0123", "0456", ""},
  };
  dlg->Button1->click();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Profile([](cvsim::PlenarProfile& p) { p.refused.clear(); });
    dlg->TimerDABTimer();
    ASSERT_EQ(dlg->CapturaEdit->text(), "0007") << "a good reading first";
    Profile([&](cvsim::PlenarProfile& p) { p.refused = c.refused; });
    sim->UpdateFaults([&](cvsim::Faults& f) { f.silent = c.silent; });
    sim->ClearTraffic();
    dlg->TimerDABTimer();
    sim->UpdateFaults([](cvsim::Faults& f) { f.silent = false; });
    if (c.sent) {
      EXPECT_EQ(AllSent(), *c.sent);
    } else {
      const std::vector<std::string> sent = AllSent();
      EXPECT_EQ(std::count(sent.begin(), sent.end(), "*?I21DA30002"), 0) << "nothing more asked";
    }
    EXPECT_EQ(dlg->DABLabel->text(), "Doing");
    EXPECT_EQ(dlg->Label5->text(), c.lock);
    EXPECT_EQ(dlg->SNREdit->text(), c.snr);
    EXPECT_EQ(dlg->QUALEdit->text(), c.qual);
    EXPECT_EQ(dlg->CapturaEdit->text(), c.captura);
    if (c.silent) {
      port.Close();
      ASSERT_NO_FATAL_FAILURE(SettleAndOpen());
    }
  }
}

TEST_F(DabSim, AudioSelection) {
  for (const char* audio : {"", "05"}) {
    sim->ClearTraffic();
    dlg->AudioEdit->setText(audio);
    dlg->SelectBtn->click();
    EXPECT_EQ(AllSent(), std::vector<std::string>{std::string("*I21DA18") + audio});
  }
  Profile([](cvsim::PlenarProfile& p) { EXPECT_EQ(p.dabAudio, "05"); });
}

TEST_F(DabSim, SerialTestsWriteRaw) {
  dlg->Button3->click();
  EXPECT_TRUE(dlg->TestStopRequested);
  dlg->Button4->click();
  EXPECT_TRUE(dlg->TestStopRequested) << "test 2 leaves the stop request";
  dlg->Button2->click();
  EXPECT_FALSE(dlg->TestStopRequested);
  Settle();
  EXPECT_EQ(sim->Received(), "*RC05\r*RC01\r");
  for (const cvsim::TrafficEntry& e : sim->Traffic()) EXPECT_TRUE(e.fromHost) << "nothing answered: " << e.bytes;
  Profile([](cvsim::PlenarProfile& p) { EXPECT_EQ(p.rawLines, (std::vector<std::string>{"*RC05", "*RC01"})); });
  EXPECT_TRUE(dlg->AsciiMemo->toPlainText().isEmpty());
  // The line stays in step for a handshaked exchange.
  dlg->EstatMpegBtn->click();
  EXPECT_TRUE(dlg->EstatMpegEdit->text().startsWith(" LOCK"));

  port.Close();
  dlg->Button2->click();
  dlg->Button4->click();
  EXPECT_EQ(dlg->AsciiMemo->toPlainText(), "Error 0\nError 0");
}

}  // namespace
