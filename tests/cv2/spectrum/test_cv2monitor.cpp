// The CORVANE-2 monitor against the simulated meter over a pseudo-terminal: readings in both
// bands with the band label, the arrows and typed frequencies inside the two ranges, the
// family's seven measurements and five standards.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

#include "Clock.h"
#include "Cv2Equip.h"
#include "Cv2Monitor.h"
#include "Cv2Spectrum.h"
#include "Cv2Sim.h"
#include "FamilySettingsSim.h"
#include "Help.h"
#include "Monidlg.h"
#include "RecordingOpener.h"
#include "ToolButtonChecks.h"

using cv::cv2::TCv2Equip;
using cvsim::Corvane2Profile;

namespace {

class Cv2Monitor : public FamilySettingsSim<Cv2Sim, TCv2Equip> {
 protected:
  void SetUp() override {
    FamilySettingsSim::SetUp();
    equip->clock = &clock;
    std::unique_ptr<QDialog> made = cv::cv2::MakeCv2MonitorDlg(*equip);
    dlg.reset(static_cast<TMonitorDlg*>(made.release()));
  }
  static QStringList Items(TMonitorRadioGroup* group) {
    QStringList items;
    for (int i = 0; auto* b = group->findChild<QRadioButton*>(QString("Item%1").arg(i)); ++i) items << b->text();
    return items;
  }

  cv::FakeClock clock;
  std::unique_ptr<TMonitorDlg> dlg;
};

TEST_F(Cv2Monitor, TheFormHasTheFamilysItemsAndTheBandLabel) {
  EXPECT_EQ(Items(dlg->MeasRadioGroup), (QStringList{"Level", "Video/Audio", "Power", "C/N auto", "BER QPSK",
                                                     "BER COFDM", "C/N referenced"}));
  EXPECT_EQ(Items(dlg->StdRadioGroup), (QStringList{"PAL BG", "PAL DK", "PAL I", "PAL SAT", "DIGITAL"}));
  EXPECT_EQ(dlg->MeasRadioGroup->ItemIndex(), 0);
  EXPECT_FALSE(dlg->BandLabel->isHidden());
  // The band label is bold and sits above the frequency edit, and the grown form holds every control.
  EXPECT_TRUE(dlg->BandLabel->font().bold());
  const QRect band = dlg->BandLabel->geometry(), freq = dlg->FreqEdit->geometry();
  EXPECT_LE(band.bottom(), freq.top());
  EXPECT_TRUE(band.left() < freq.right() && freq.left() < band.right());
  for (QWidget* w : dlg->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
    EXPECT_TRUE(dlg->rect().contains(w->geometry())) << w->objectName().toStdString();
    if (w != dlg->BandLabel && !w->isHidden()) {
      EXPECT_FALSE(w->geometry().intersects(band)) << w->objectName().toStdString();
    }
  }
  // Two columns: the fifth item starts the second.
  auto* first = dlg->MeasRadioGroup->findChild<QRadioButton*>("Item0");
  auto* fifth = dlg->MeasRadioGroup->findChild<QRadioButton*>("Item4");
  dlg->show();
  EXPECT_GT(fifth->x(), first->x());
  dlg->hide();
  dlg->TimerToReceiveAll->stop();
}

// One case a row: a reading shown, an arrow, a typed frequency, a reply's measure type or
// standard, or an item clicked; what the meter received and what the form shows afterwards.
TEST_F(Cv2Monitor, ThePartsCasesAsOneTable) {
  struct Case {
    enum Kind { Shown, Up, Down, Type, Mode, Standard, ClickMeas, ClickStd } kind;
    const char* text;  // the meter's tuning (Shown), the edit before (Up, Down, Type), the reply
                       // (Standard); the measure type (Mode); the item (Click*)
    const char* sent;  // what the meter received ("" nothing)
    const char* shown;  // the edit (Shown, Type), the band label (Shown), the display's measure line (Mode)
    int item;           // the radio item afterwards (Mode, Standard); the band label's case (Shown: 'T'/'S')
    int beeps;
  } cases[] = {
      {Case::Shown, "*FRS3ddc", "", "1500.0", 'S', 0},   // 1500 MHz on band 'S'
      {Case::Shown, "*FRT2812", "", "474.00", 'T', 0},   // 474 MHz on band 'T'
      {Case::Shown, "*FRS2b1c", "", " 900.0", 'S', 0},
      {Case::Shown, "*FRT4662", "", "862.00", 'T', 0},
      {Case::Up, "862.00", "", nullptr, 0, 0},           // 862.05: in neither range
      {Case::Up, " 900.0", "*FRS2b20", nullptr, 0, 0},   // 900.5
      {Case::Down, " 900.0", "", nullptr, 0, 0},         // 899.5: in neither range
      {Case::Up, "899.95", "*FRS2b1c", nullptr, 0, 0},   // 900.00 by the terrestrial step
      {Case::Down, "45.05", "*FRT068e", nullptr, 0, 0},  // 45.00
      {Case::Down, "45.00", "", nullptr, 0, 0},
      {Case::Up, "2150.0", "", nullptr, 0, 0},
      {Case::Up, "", "*FRS3ddc", nullptr, 0, 0},         // an empty edit tunes 1500
      {Case::Type, "30", "", "", 0, 1},
      {Case::Type, "44.99", "", "", 0, 1},
      {Case::Type, "880", "", "", 0, 1},
      {Case::Type, "2150.5", "", "", 0, 1},
      {Case::Type, "45", "*FRT068e", "45", 0, 0},
      {Case::Type, "862", "*FRT4662", "862", 0, 0},
      {Case::Type, "900", "*FRS2b1c", "900", 0, 0},
      {Case::Type, "2150", "*FRS522c", "2150", 0, 0},
      {Case::Type, "", "*FRS3ddc", "", 0, 0},
      {Case::Mode, "6", "", "BER (COFDM)", 5, 0},
      {Case::Mode, "5", "", "BER (QAM)", -1, 0},
      {Case::Mode, "7", "", "C/N (Referenced)", 6, 0},
      {Case::Mode, "4", "", "BER (QPSK)", 4, 0},
      {Case::Mode, "0", "", "LEVEL", 0, 0},
      {Case::Standard, "*SY070", "", nullptr, 3, 0},
      {Case::Standard, "*SY360", "", nullptr, 4, 0},
      {Case::Standard, "*SY020", "", nullptr, 2, 0},
      {Case::Standard, "*SY060", "", nullptr, 0, 0},    // no item reads "06"
      {Case::ClickStd, "3", "*SY07", nullptr, 0, 0},     // PAL SAT
      {Case::ClickStd, "4", "*SY36", nullptr, 0, 0},
      {Case::ClickMeas, "5", "*ME6", nullptr, 0, 0},     // BER COFDM
      {Case::ClickMeas, "6", "*ME7", nullptr, 0, 0},     // C/N referenced
      {Case::ClickMeas, "4", "*ME4", nullptr, 0, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.text) + " kind " + std::to_string(c.kind));
    Profile([](Corvane2Profile& p) {
      p.fixedReplies.clear();
      p.measureMode = 0;
      p.systemReply = "*SY000";
    });
    sim->ClearTraffic();
    prompter.beeps = 0;
    switch (c.kind) {
      case Case::Shown:
        Profile([&](Corvane2Profile& p) { p.lastTuning = c.text; });
        dlg->ReceiveAll();
        EXPECT_EQ(dlg->FreqEdit->text().toStdString(), c.shown);
        EXPECT_TRUE(dlg->DisplayMemo->toPlainText().endsWith(QString(c.shown) + " MHz"))
            << dlg->DisplayMemo->toPlainText().toStdString();
        EXPECT_EQ(dlg->BandLabel->text(), c.item == 'T' ? "TER" : "SAT");
        break;
      case Case::Up:
      case Case::Down:
        dlg->FreqEdit->setText(c.text);
        dlg->FreqUpDownClick(c.kind == Case::Up);
        break;
      case Case::Type:
        dlg->FreqEdit->setText(c.text);
        dlg->OnExitFreqEdit();
        EXPECT_EQ(dlg->FreqEdit->text().toStdString(), c.shown);
        break;
      case Case::Mode:
        Profile([&](Corvane2Profile& p) {
          p.measureMode = c.text[0] - '0';
          p.fixedReplies["*?LV"] = "*LV=+A3E";
        });
        dlg->ReceiveAll();
        EXPECT_EQ(dlg->DisplayMemo->toPlainText().split('\n').value(1).toStdString(), c.shown);
        EXPECT_EQ(dlg->MeasRadioGroup->ItemIndex(), c.item);
        break;
      case Case::Standard:
        Profile([&](Corvane2Profile& p) { p.systemReply = c.text; });
        dlg->ReceiveAll();
        EXPECT_EQ(dlg->StdRadioGroup->ItemIndex(), c.item);
        break;
      case Case::ClickMeas:
      case Case::ClickStd: {
        TMonitorRadioGroup* group = c.kind == Case::ClickMeas ? dlg->MeasRadioGroup : dlg->StdRadioGroup;
        group->findChild<QRadioButton*>(QString("Item%1").arg(c.text))->click();
        break;
      }
    }
    dlg->TimerToReceiveAll->stop();
    const std::vector<std::string> sent = c.kind == Case::ClickMeas   ? Sent("*ME")
                                          : c.kind == Case::ClickStd ? Sent("*SY")
                                                                     : Sent("*FR");
    EXPECT_EQ(sent, *c.sent ? std::vector<std::string>{c.sent} : std::vector<std::string>{});
    if (c.kind != Case::ClickMeas && c.kind != Case::ClickStd) {
      EXPECT_TRUE(Sent("*ME").empty() && Sent("*SY").empty()) << "the cycle's own selections send nothing";
    }
    EXPECT_EQ(prompter.beeps, c.beeps);
  }
  EXPECT_TRUE(Log().isEmpty()) << Log().join('\n').toStdString();
}

TEST_F(Cv2Monitor, TheStepIsJudgedOnTheFrequencyBeforeIt) {
  const cv::cv2::Cv2MonitorProfile& p = cv::cv2::Cv2MonitorValues();
  EXPECT_DOUBLE_EQ(p.SteppedFrequency(862.0, true), 862.05);
  EXPECT_DOUBLE_EQ(p.SteppedFrequency(900.0, true), 900.5);
  EXPECT_DOUBLE_EQ(p.SteppedFrequency(900.0, false), 899.5);
  EXPECT_DOUBLE_EQ(p.SteppedFrequency(899.95, true), 900.0);
  EXPECT_EQ(p.FrequencyText(899.95f), "899.95");
  EXPECT_EQ(p.FrequencyText(900.0f), " 900.0");
  for (double f : {45.0, 862.0, 900.0, 2150.0}) EXPECT_TRUE(p.FrequencyAllowed(f, 4)) << f;
  for (double f : {44.99, 862.05, 899.5, 2150.5}) EXPECT_FALSE(p.FrequencyAllowed(f, 0)) << f;
  EXPECT_EQ(p.StdCode(3), "07");
  EXPECT_EQ(p.StdIndex("36"), 4);
  EXPECT_EQ(p.StdIndex("99"), 0);
}

TEST_F(Cv2Monitor, ChannelModeOnASatellitePlanKeepsTheDvEightHundredsMends) {
  auto store = [this](int count, int active) {
    Profile([count, active](Corvane2Profile& p) {
      Corvane2Profile::StoredPlan plan;
      plan.name = "ASTRA 19";
      plan.band = 'S';
      for (int i = 0; i < count; ++i)
        plan.channels.push_back({"S" + std::to_string(i), 0x3DDCu + 8u * i, 0, {"SY07", "ME4", "UN0", "SO01"}});
      p.plans[1] = plan;
      p.activePlan = 1;
      p.activeChannel = active;
      p.tuneByChannel = true;
      p.lastTuning = "*FRS3DEC";  // channel 2, 1502 MHz
    });
  };
  store(3, 2);
  dlg->ReceiveAll();
  dlg->TimerToReceiveAll->stop();
  // The channel text cut to 26 characters, the satellite frequency with one decimal.
  EXPECT_EQ(dlg->ChannelEdit->text(), "S2  3DEC0000,SY07,ME4,UN0,");
  EXPECT_EQ(dlg->FreqEdit->text(), "1502.0");
  EXPECT_EQ(dlg->BandLabel->text(), "SAT");
  struct Step {
    int count, active;
    bool up;
    std::vector<std::string> sent;
  } steps[] = {{3, 2, true, {"*CH00"}}, {3, 0, false, {"*CH02"}}, {3, 7, true, {"*CH00"}}, {0, 0, true, {}}};
  for (const Step& st : steps) {
    SCOPED_TRACE(std::to_string(st.active) + "/" + std::to_string(st.count));
    store(st.count, st.active);
    dlg->Poller().channelMode = true;
    sim->ClearTraffic();
    dlg->ChannelUpDownClick(st.up);
    dlg->TimerToReceiveAll->stop();
    EXPECT_EQ(Sent("*CH"), st.sent);
  }
}

TEST_F(Cv2Monitor, HelpButtonsOpenTheMonitorAndSpectrumTopicsOfTheFamilysPage) {
  ASSERT_TRUE(QDir(start.path()).mkpath("help"));
  const QString page = start.filePath("help/Cv2Tools.html");
  ASSERT_TRUE(QFile::copy(QStringLiteral(CV_BIN_DIR "/help/Cv2Tools.html"), page));
  std::unique_ptr<QDialog> spectrum = cv::cv2::MakeCv2SpectrumDlg(*equip);
  for (auto [dialog, topic] : {std::pair<QDialog*, const char*>{dlg.get(), "Monitor"}, {spectrum.get(), "Spectrum"}}) {
    SCOPED_TRACE(topic);
    RecordingOpener opener;
    dialog->findChild<QPushButton*>("HelpBtn")->click();
    ASSERT_EQ(opener.urls.size(), 1u);
    EXPECT_EQ(opener.urls[0].toLocalFile(), QFileInfo(page).absoluteFilePath());
    EXPECT_EQ(opener.urls[0].fragment(), topic);
    EXPECT_EQ(cv::AppHelpFile(), "help\\Cv2Tools.hlp");
  }
  dlg->TimerToReceiveAll->stop();
  cv::SetAppHelpFile("");
}

TEST_F(Cv2Monitor, TheHostsMonitorButtonOpensTheDialogPolling) {
  dlg.reset();
  ExpectToolButtonOpens<TMonitorDlg>(
      port, [&] { return equip->RunMonitor(); },
      [](TMonitorDlg& d) {
        if (d.Cycles() < 3) return false;
        EXPECT_FALSE(d.DisplayMemo->toPlainText().isEmpty());
        EXPECT_EQ(d.BandLabel->text(), "TER");
        d.CloseBtnClick();
        return true;
      },
      false);
}

}  // namespace
