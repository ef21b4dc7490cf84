// The CORVANE-PLENAR spectrum analyser over the simulated meter, every wait on a fake clock: the
// family's reference levels, and quick mode, in which the meter sweeps by itself and the trace
// is read in blocks.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>

#include "PlenEquip.h"
#include "PlenarSim.h"
#include "PythonCsv.h"
#include "Specdlgplen.h"
#include "SpectrumChecks.h"

using cv::plenar::TCvPlenEquip;
using cvsim::PlenarProfile;

namespace {

class PlenarSpectrum : public SpectrumOnSim<PlenarSim, TCvPlenEquip> {
 protected:
  std::unique_ptr<QDialog> MakeDialog() override { return cv::plenar::MakeSpectrumDlgPlen(*equip); }
  void Quick(bool on) {
    W<QCheckBox>("QuickCheckBox")->setChecked(on);
    dlg->QuickCheckBoxClick();
  }
  int Count(const std::string& prefix) {
    int n = 0;
    for (const std::string& l : Sent()) n += l.rfind(prefix, 0) == 0;
    return n;
  }
};

}  // namespace

TEST_F(PlenarSpectrum, FamilyValuesAndTheQuickBox) {
  QComboBox* ref = W<QComboBox>("ReferenceLevelCombo");
  ASSERT_EQ(ref->count(), 13);
  EXPECT_EQ(ref->itemText(0), "10 dB");
  EXPECT_EQ(ref->itemText(12), "130 dB");
  EXPECT_EQ(ref->currentText(), "70 dB");
  QCheckBox* quick = W<QCheckBox>("QuickCheckBox");
  EXPECT_EQ(quick->text(), "Quick mode");
  EXPECT_FALSE(quick->isChecked());
  // The right-hand column (Save, Printer setup, Close) has its room.
  for (QWidget* w : dlg->findChildren<QWidget*>())
    if (w->parentWidget() == dlg.get() && !w->isHidden()) {
      EXPECT_TRUE(dlg->rect().contains(w->geometry())) << w->objectName().toStdString();
    }
  EXPECT_EQ(W<QPushButton>("MeasBtn")->toolTip(), "Ask the equipment to make a measurement");
  Quick(true);
  for (const char* name : {"InitialFreqEdit", "FinalFreqEdit", "StepFreqEdit"})
    EXPECT_FALSE(W<QLineEdit>(name)->isEnabled()) << name;
  EXPECT_FALSE(ref->isEnabled());
  Quick(false);
  EXPECT_TRUE(W<QLineEdit>("InitialFreqEdit")->isEnabled());
  EXPECT_TRUE(ref->isEnabled());
}

// The header, the reference item and the levels, one row a case.
TEST_F(PlenarSpectrum, QuickSweepHeaderAndLevels) {
  struct Case {
    const char* name;
    char band, refItem;
    unsigned startWord, stepCode, points;
    int factor, offset;
    float initial, step, final;
    const char* refText;
    int firstLevel;  // raw Raw(0) = 0x32 through the scale
    int queries;
  } cases[] = {
      {"terrestrial, 'A' gives 100 dB", 'T', 'A', 0x0A00, 0x14, 100, 100, 0, 89.1f, 1.0f, 189.1f, "100 dB", 50, 1},
      {"'1' gives 10 dB, 250 points in three blocks", 'T', '1', 0x0A00, 0x14, 250, 25, 2000, 89.1f, 1.0f, 339.1f,
       "10 dB", (50 * 25 + 2000) / 100, 3},
      {"a satellite word with its top bit", 'S', '7', 0x8000 | 11436, 8, 10, -200, -4000, 950.0f, 1.0f, 960.0f,
       "70 dB", (50 * -200 - 4000) / 100, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Make(',', ';');
    Profile([&](PlenarProfile& p) {
      p.quick = {};
      p.quick.band = c.band;
      p.quick.refItem = c.refItem;
      p.quick.startWord = c.startWord;
      p.quick.stepCode = c.stepCode;
      p.quick.points = c.points;
      p.quick.factor = c.factor;
      p.quick.offset = c.offset;
    });
    sim->ClearTraffic();
    Quick(true);
    dlg->StartBtnClick();
    TSpectrumSweep& s = dlg->Sweep();
    EXPECT_FLOAT_EQ(s.initialFreq, c.initial);
    EXPECT_FLOAT_EQ(s.stepFreq, c.step);
    EXPECT_NEAR(s.finalFreq, c.final, 1e-3);
    EXPECT_EQ(s.points, static_cast<int>(c.points) + 1);
    EXPECT_EQ(W<QComboBox>("ReferenceLevelCombo")->currentText(), c.refText);
    ASSERT_EQ(s.state, 1) << host.Lines().join('\n').toStdString();
    EXPECT_EQ(s.levels[0][0], c.firstLevel);
    EXPECT_EQ(s.pointIndex, static_cast<int>(c.points));
    EXPECT_EQ(Count("*?SPS"), c.queries);
    // Nothing of the point-by-point sweep goes out.
    for (const char* none : {"*ME0", "*7205&", "*MF", "*?SY", "*FR", "*?LV", "*SP0"}) EXPECT_EQ(Count(none), 0) << none;
    EXPECT_TRUE(Logged("Snaps finished"));
  }
  // The carrier every tenth point: raw 0xC8 at factor 25 and offset 2000 gives 70 dBuV.
  EXPECT_EQ(TSpectrumSweep::QuickLevel(200, 25, 2000), 70);
  EXPECT_EQ(TSpectrumSweep::QuickLevel(32, -200, -4000), -104);
  EXPECT_EQ(TSpectrumSweep::QuickLevel(1, -50, 0), 0);  // -0.5 truncates toward zero
}

TEST_F(PlenarSpectrum, AMissingOrShortBlockEndsTheSnapshot) {
  for (const bool missing : {true, false}) {
    SCOPED_TRACE(missing ? "missing" : "short");
    Make(',', ';');
    Profile([&](PlenarProfile& p) {
      p.quick = {};
      p.quick.band = 'T';
      p.quick.points = 250;
      (missing ? p.quick.missingBlock : p.quick.shortBlock) = 1;
    });
    // A first snapshot that fails takes the first-snapshot error's way.
    Quick(true);
    dlg->StartBtnClick();
    TSpectrumSweep& s = dlg->Sweep();
    EXPECT_EQ(s.pointIndex, 120);
    EXPECT_FALSE(s.running);
    EXPECT_EQ(s.state, 0);
    EXPECT_TRUE(Logged("Quick sweep: block 1 of the trace missing or short, snapshot ended after 120 points"));
    EXPECT_TRUE(Logged("Error when doing first snap"));
    EXPECT_FALSE(Logged("Snaps finished"));
    if (missing) break;  // the meter stays deaf after an unanswered query
  }
}

TEST_F(PlenarSpectrum, RefusedSpectrumModeAndUnansweredHeader) {
  Profile([](PlenarProfile& p) {
    p.quick.band = 'T';
    p.quick.sp1Refused = true;
  });
  Quick(true);
  dlg->StartBtnClick();
  EXPECT_TRUE(Logged("Impossible enable spectrum mode in Corvane"));
  // The steps go on: the header and the blocks decide.
  EXPECT_EQ(dlg->Sweep().state, 1);
  EXPECT_EQ(Count("*?SPS"), 1);
}

TEST_F(PlenarSpectrum, UntickingGoesBackToPointByPoint) {
  Profile([](PlenarProfile& p) {
    p.quick.band = 'T';
    p.quick.points = 10;
  });
  Quick(true);
  dlg->StartBtnClick();
  ASSERT_EQ(dlg->Sweep().state, 1);
  Quick(false);
  EXPECT_TRUE(W<QLineEdit>("InitialFreqEdit")->isEnabled());
  sim->ClearTraffic();
  Type("FinalFreqEdit", "474");
  Type("InitialFreqEdit", "470");
  Type("StepFreqEdit", "1");
  dlg->StartBtnClick();
  EXPECT_EQ(dlg->Sweep().state, 1);
  EXPECT_EQ(Count("*?SPS"), 0);
  EXPECT_EQ(Count("*FRT"), 5);
  EXPECT_FALSE(dlg->Sweep().quickRun);
}

// A quick sweep's logger file: the frequency row on the linear grid, one level a column.
TEST_F(PlenarSpectrum, QuickSweepLoggerFile) {
  Profile([](PlenarProfile& p) {
    p.quick.band = 'T';
    p.quick.points = 12;
    p.quick.factor = 50;
    p.quick.offset = 1000;
  });
  Quick(true);
  dlg->StartBtnClick();
  ASSERT_EQ(dlg->Sweep().state, 1);
  const QString path = tmp.filePath("quick.csv");
  dlg->chooseSaveFile = [&] { return path; };
  dlg->SaveBtnClick();
  QFile saved(path);
  ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
  ExpectLoggerGolden(saved.readAll(), CV_TEST_DATA_DIR "/plenar/spectrum_quick.csv");
  // A spreadsheet reading the saved file (';' with the decimal comma) finds the frequency row and
  // the level row of one width: date, time, number and one level under each frequency.
  std::vector<std::vector<std::string>> rows;
  for (auto& row : cvtest::PythonCsvRows(path.toStdString(), ';'))
    if (!row.empty() && row[0].rfind('#', 0) != 0) rows.push_back(row);
  ASSERT_EQ(rows.size(), 5u);
  const std::vector<std::string>& freqs = rows[3];
  const std::vector<std::string>& levels = rows[4];
  ASSERT_EQ(freqs.size(), 3u + 12u + 1u);
  ASSERT_EQ(levels.size(), freqs.size());
  EXPECT_EQ(freqs[3], " 89,10");
  EXPECT_EQ(freqs[14], " 100,10");
  EXPECT_EQ(levels[2], " 1");
  for (size_t i = 3; i < 15; ++i) EXPECT_NE(levels[i].find(','), std::string::npos) << "column " << i;
  EXPECT_EQ(levels[8], " 110,0");
  EXPECT_EQ(freqs.back(), "");
}
