// The CORVANE-4 spectrum analyser over the simulated meter: the equipment object's command layer
// on a real pseudo-terminal, every wait on a fake clock.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QCoreApplication>
#include <QFile>
#include <QLineEdit>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTimer>
#include <chrono>
#include <thread>

#include "Clock.h"
#include "Cv4Equip.h"
#include "Cv4Sim.h"
#include "HostForm.h"
#include "Specdlg.h"
#include "Specdlg4.h"
#include "SpectrumChecks.h"
#include "TCv3SpectrumLink.h"

using cv::cv4::TCv4Equip;

namespace {

class Spectrum4 : public SpectrumOnSim<Cv4Sim, TCv4Equip> {
 protected:
  std::unique_ptr<QDialog> MakeDialog() override { return cv::cv4::MakeSpectrumDlg4(*equip); }
};

TEST_F(Spectrum4, ASweepAcrossTheGapTunesBothBandsAndSavesItsGrid) {
  EXPECT_EQ(W<QComboBox>("ReferenceLevelCombo")->currentText(), "70 dB");
  EXPECT_EQ(W<QComboBox>("ReferenceLevelCombo")->itemText(0), "50 dB");
  EXPECT_EQ(W<QComboBox>("ReferenceLevelCombo")->itemText(6), "110 dB");
  Type("InitialFreqEdit", "850");
  Type("FinalFreqEdit", "910");
  dlg->StartBtnClick();
  TSpectrumSweep& s = dlg->Sweep();
  ASSERT_EQ(s.state, 1) << host.Lines().join('\n').toStdString();
  EXPECT_EQ(s.points, 61);
  const std::vector<float> grid = s.SweptFrequencies();
  ASSERT_EQ(grid.size(), 23u);
  EXPECT_FLOAT_EQ(grid[12], 862.0f);
  EXPECT_FLOAT_EQ(grid[13], 901.0f);  // 862 + 1 + the 38 MHz gap
  EXPECT_FLOAT_EQ(grid[22], 910.0f);
  const std::vector<std::string> tunings = Tunings();
  ASSERT_EQ(tunings.size(), 23u);
  EXPECT_EQ(tunings[12], "*FRT4662");  // (862 + 38.9) x 20
  EXPECT_EQ(tunings[13], "*FRS2b24");  // (901 + 479.5) x 8
  // The carriers at 855 and 905 MHz stand out of the floor on either side of the gap.
  const std::vector<float>& row = s.levels[0];
  EXPECT_NEAR(row[5], 68.0f, 0.05f);
  EXPECT_NEAR(row[17], 63.0f, 0.05f);
  EXPECT_NEAR(row[0], 34.7f, 0.05f);
  // The 2000 ms pause after "*SP0", then 1000 ms and 75 ms a point.
  EXPECT_EQ(clock.now, 2000 + 23 * (1000 + 75));
  const std::vector<std::string> lines = Sent();
  EXPECT_EQ(std::vector<std::string>(lines.begin(), lines.begin() + 7),
            (std::vector<std::string>{"*SP0", "*7205&", "*MF6F", "*?SY", "*?SP", "*ME0", "*FRT4572"}));
  EXPECT_EQ(std::vector<std::string>(lines.end() - 2, lines.end()), (std::vector<std::string>{"*7205&", "*MF7F"}));
  EXPECT_TRUE(Logged("Snaps finished"));

  // Saved with ';' and ',', and with ',' as both separators.
  for (char list : {';', ','}) {
    SCOPED_TRACE(list);
    const QString name = list == ';' ? "spectrum_850_910.csv" : "spectrum_850_910_commas.csv";
    const QString path = tmp.filePath(name);
    dlg->chooseSaveFile = [&] { return path; };
    // The separators are the equipment's, read when the dialog is made: save from a dialog made
    // with them, holding the same sweep.
    if (list == ',') {
      std::vector<std::vector<float>> levels = s.levels;
      std::vector<std::string> times = s.snapTimes;
      Make(',', ',');
      TSpectrumSweep& t = dlg->Sweep();
      t.initialFreq = 850;
      t.finalFreq = 910;
      t.points = 61;
      t.levels = levels;
      t.haveLevels = true;
      t.snapTimes = times;
      t.haveSnapTimes = true;
      dlg->chooseSaveFile = [&] { return path; };
    }
    dlg->SaveBtnClick();
    ASSERT_TRUE(Logged("Spectrums saved in: " + name));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QString text = WithoutMoment(QString::fromLatin1(file.readAll()));
    EXPECT_TRUE(text.contains("# CORVANE-4 Spectrum Logger output file\n"));
    EXPECT_TRUE(text.contains("# CORVANE-4 Spectrum Logger end\n"));
    ExpectLoggerGolden(text.toLatin1(), CV_TEST_DATA_DIR "/cv4/" + name);
    // A spreadsheet's reader takes the grid and the snapshot as 23 numbers each.
    QProcess python;
    python.start("python3", {"-c", R"(
import csv, sys
rows = list(csv.reader(open(sys.argv[1], encoding='latin-1'), delimiter=sys.argv[2]))
table = [r for r in rows if len(r) > 20]
assert len(table) == 2, table
for r in table:
    values = r[3:-1]
    assert len(values) == 23 and r[-1] == '', r
    [float(v.strip().replace(',', '.')) for v in values]
print('ok')
)",
                             path, QString(list)});
    ASSERT_TRUE(python.waitForFinished(20000));
    EXPECT_EQ(python.readAllStandardOutput().trimmed().toStdString(), "ok")
        << python.readAllStandardError().toStdString();
  }
}

TEST_F(Spectrum4, SettingChecks) {
  TSpectrumSweep& s = dlg->Sweep();
  TCv3SpectrumLink cv3Link(*equip);
  TSpectrumView cv3View;
  TSpectrumSweep cv3(cv3Link, cv3View);  // the framework's own values
  struct Row {
    const char* edit;
    const char* text;
    bool here, cv3;
  } rows[] = {
      {"initial", "900", true, true},      {"final", "2150", true, true},   {"final", "2150,5", false, false},
      {"initial", "2150", false, false},   {"initial", "870", false, true}, {"initial", "899,9", false, true},
      {"final", "899,9", false, true},     {"initial", "862", true, true},  {"final", "5", false, false},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(std::string(r.edit) + " " + r.text);
    for (TSpectrumSweep* sweep : {&s, &cv3}) {
      const bool initial = std::string(r.edit) == "initial";
      sweep->initialFreq = 5;
      sweep->finalFreq = initial ? 2150 : 1000;
      const TEditResult got =
          initial ? sweep->ValidateInitialFreq(r.text, ',') : sweep->ValidateFinalFreq(r.text, ',');
      EXPECT_EQ(got == TEditResult::Accepted, sweep == &s ? r.here : r.cv3);
    }
  }
  // SAT full span starts at this family's band.
  EXPECT_TRUE(s.SetFullSpan(false, true));
  EXPECT_FLOAT_EQ(s.initialFreq, 900.0f);
  // Both bands are always offered (no model-variant rule), even for a variant-4 object.
  equip->modelVariant = 4;
  EXPECT_TRUE(s.TerrestrialAllowed());
  EXPECT_FALSE(cv3.TerrestrialAllowed());

  // Start's checks, through the edits.
  struct StartRow {
    const char *initial, *final, *step;
    const char* box;  // nullptr: the sweep runs
    const char* finalShown;
    const char* stepShown;
    size_t tunings;
  } starts[] = {
      {"5", "862", "1",
       "858 points: Too many points to make the spectrum\nNew suggested step value: 3.50", "862,00", "3,50", 0},
      {"10", "12,3", "0,25", nullptr, "12,25", "0,25", 10},
      {"10", "10,3", "0,25", "Not enough points to make the spectrum\nMinimun number of points: 4", "10,25",
       "0,25", 0},
  };
  for (const StartRow& r : starts) {
    SCOPED_TRACE(std::string(r.initial) + ".." + r.final);
    Make(',', ';');
    boxes.clear();
    sim->ClearTraffic();
    Type("StepFreqEdit", r.step);
    Type("InitialFreqEdit", r.initial);
    Type("FinalFreqEdit", r.final);
    dlg->StartBtnClick();
    if (r.box) {
      ASSERT_EQ(boxes.size(), 1u);
      EXPECT_EQ(boxes[0], r.box);
    } else {
      EXPECT_TRUE(boxes.empty());
    }
    EXPECT_EQ(W<QLineEdit>("FinalFreqEdit")->text().toStdString(), r.finalShown);
    EXPECT_EQ(W<QLineEdit>("StepFreqEdit")->text().toStdString(), r.stepShown);
    EXPECT_EQ(Tunings().size(), r.tunings);
    if (!r.box) {
      EXPECT_EQ(Tunings().back(), "*FRT03ff");  // 12.25 MHz: (12.25 + 38.9) x 20 = 1023
    }
  }
}

TEST_F(Spectrum4, MeasurementsAtTheMarker) {
  TSpectrumSweep& s = dlg->Sweep();
  s.state = 1;
  s.currentFreq = 905;
  struct Row {
    int item;
    const char* lv;  // nullptr: the meter's own reply
    double value;
  } rows[] = {{0, nullptr, 63.0}, {4, "*LV=+A23", 81e3}, {6, "*LV=+A3F", 8.1}};
  for (const Row& r : rows) {
    SCOPED_TRACE(r.item);
    Profile([&](cvsim::Corvane4Profile& p) {
      p.fixedReplies.clear();
      if (r.lv) p.fixedReplies["*?LV"] = r.lv;
    });
    W<QComboBox>("MeasCombo")->setCurrentIndex(r.item);
    dlg->MeasBtnClick();
    EXPECT_NEAR(s.meas.level, r.value, r.value * 1e-5);
  }
  Profile([&](cvsim::Corvane4Profile& p) { p.fixedReplies.clear(); });
  // C/N Auto waits for a stable reading unless the meter says it has one.
  for (const char* system : {"*SY0060", "*SY0000"}) {
    SCOPED_TRACE(system);
    Profile([&](cvsim::Corvane4Profile& p) { p.systemReply = system; });
    host.Clear();
    sim->ClearTraffic();
    clock.sleptMs = 0;
    W<QComboBox>("MeasCombo")->setCurrentIndex(3);
    dlg->MeasBtnClick();
    const bool stable = system[5] == '6';
    EXPECT_EQ(clock.sleptMs, stable ? 1500 : 6000);
    EXPECT_EQ(Logged("Please wait. Waiting stable measurement..."), !stable);
    EXPECT_TRUE(Logged("C/N auto received"));
    const std::vector<std::string> lines = Sent();
    EXPECT_EQ(lines, (std::vector<std::string>{"*SP0", "*7205&", "*MF7F", "*FRS2b44", "*?SY", "*ME3", "*?LV"}));
  }
}

TEST_F(Spectrum4, RefusalsDuringASweep) {
  // Digital mode: a box and no sweep.
  Profile([&](cvsim::Corvane4Profile& p) { p.systemReply = "*SY060"; });
  Type("InitialFreqEdit", "850");
  Type("FinalFreqEdit", "910");
  dlg->StartBtnClick();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0], "Please switch the equipment to ANALOG\nto make remote spectrums.");
  EXPECT_TRUE(Tunings().empty());

  // The '!' flag at the fourth point: logged, neither plotted nor stored, and the snapshot ends.
  Profile([&](cvsim::Corvane4Profile& p) {
    p.systemReply = "*SY000";
    p.On("*FR", [&p](const std::string&) {
      p.levelImpossible = ++p.tuneCount == 4;
      return cvsim::Answer::Ok();
    });
  });
  host.Clear();
  sim->ClearTraffic();
  dlg->StartBtnClick();
  EXPECT_TRUE(Logged("Impossible to take measurement in the equipment"));
  EXPECT_TRUE(Logged("Error when doing first snap"));
  TSpectrumSweep& s = dlg->Sweep();
  EXPECT_EQ(s.pointIndex, 3);
  EXPECT_GT(s.levels[0][2], 0.0f);
  EXPECT_EQ(s.levels[0][3], 0.0f);
  EXPECT_EQ(Tunings().size(), 4u);
  EXPECT_EQ(s.state, 0);
  // Nothing was drawn at the fourth point's column or right of it.
  const QImage& trace = dlg->TraceBitmap();
  const int x3 = dlg->Scale().FreqToX(853);
  for (int x = x3 - 1; x < x3 + 4; ++x)
    for (int y = 1; y < trace.height() - 1; ++y)
      EXPECT_NE(trace.pixel(x, y), qRgb(0, 0, 0)) << x << "," << y;
}

TEST_F(Spectrum4, StopOrStartDuringThePauseAfterLeavingSpectrumMode) {
  Type("InitialFreqEdit", "850");
  Type("FinalFreqEdit", "860");
  // Stop while the meter settles: the run ends without a snapshot.
  int64_t pressedAt = -1;
  QTimer::singleShot(0, dlg.get(), [&] {
    pressedAt = clock.now;
    dlg->StartBtnClick();
  });
  dlg->StartBtnClick();
  EXPECT_GE(pressedAt, 0);
  EXPECT_LT(pressedAt, 2000);
  EXPECT_EQ(Sent(), std::vector<std::string>{"*SP0"});
  EXPECT_EQ(dlg->Sweep().state, 0);
  EXPECT_FALSE(dlg->Sweep().running);
  EXPECT_TRUE(Logged("Snap stopped by user"));

  // Stop and Start again during the pause: the first run takes no snapshot, the second runs
  // once the first has returned, and sweeps once.
  sim->ClearTraffic();
  QTimer::singleShot(0, dlg.get(), [&] {
    dlg->StartBtnClick();
    dlg->StartBtnClick();
  });
  dlg->StartBtnClick();
  EXPECT_EQ(Sent(), std::vector<std::string>{"*SP0"});
  for (int i = 0; i < 5; ++i) QCoreApplication::processEvents();
  const std::vector<std::string> lines = Sent();
  ASSERT_GE(lines.size(), 8u);
  EXPECT_EQ(std::vector<std::string>(lines.begin(), lines.begin() + 4),
            (std::vector<std::string>{"*SP0", "*SP0", "*7205&", "*MF6F"}));
  EXPECT_EQ(Tunings().size(), 11u);
  EXPECT_EQ(dlg->Sweep().state, 1);

  // Closing during the pause closes once the pause is over, with no snapshot.
  sim->ClearTraffic();
  dlg->show();
  QTimer::singleShot(0, dlg.get(), [&] { dlg->reject(); });
  dlg->StartBtnClick();
  EXPECT_TRUE(dlg->isVisible());
  for (int i = 0; i < 5; ++i) QCoreApplication::processEvents();
  EXPECT_EQ(Sent(), std::vector<std::string>{"*SP0"});
  EXPECT_FALSE(dlg->isVisible());
  EXPECT_FALSE(dlg->Sweep().closePending);
}

TEST_F(Spectrum4, PrintsOnePageWithTheFamilysTexts) {
  Type("InitialFreqEdit", "850");
  Type("FinalFreqEdit", "910");
  dlg->StartBtnClick();
  const QString text = PrintedText("spectrum.pdf");
  EXPECT_EQ(text.count(QChar('\f')), 1) << text.toStdString();
  EXPECT_TRUE(text.contains("10 dBuV/div, 6 MHz/div, from 850,00 MHz to 910,00 MHz, with reference (max) 70 dBuV"))
      << text.toStdString();
  EXPECT_TRUE(text.contains("Spectrum generated by Cv4Tools 1.16:")) << text.toStdString();
  // The scale labels: levels 20 to 70, frequencies 850 to 910.
  for (const char* label : {"20", "70", "850", "886", "910"}) EXPECT_TRUE(text.contains(label)) << label;
}

// A span narrower than one scale step: the scale still spans a megahertz, and it prints.
TEST_F(Spectrum4, AZeroWideSpanSweepsDrawsAndPrints) {
  dlg->Sweep().initialFreq = 1000.0f;
  dlg->Sweep().finalFreq = 1000.6f;
  dlg->Sweep().stepFreq = 0.1f;
  dlg->StartBtnClick();
  ASSERT_EQ(dlg->Sweep().state, 1) << host.Lines().join('\n').toStdString();
  EXPECT_EQ(Tunings().size(), 7u);
  EXPECT_EQ(dlg->Scale().startMHz, 1000);
  EXPECT_EQ(dlg->Scale().endMHz, 1001);
  EXPECT_EQ(dlg->FreqLabels().size(), 2u);
  const QString text = PrintedText("narrow.pdf");
  EXPECT_EQ(text.count(QChar('\f')), 1) << text.toStdString();
  EXPECT_TRUE(text.contains("from 1000,00 MHz to 1000,60 MHz")) << text.toStdString();
  for (const char* label : {"1000", "1001"}) EXPECT_TRUE(text.contains(label)) << label;
}

TEST_F(Spectrum4, TheHostsSpectrumButtonOpensTheDialog) {
  dlg.reset();
  ExpectSpectrumButtonOpensDialog(*equip, host, port, [](TSpectrumDlg& d) {
    EXPECT_EQ(d.findChild<QComboBox*>("ReferenceLevelCombo")->currentText(), "70 dB");
  });
}

}  // namespace
