// The CORVANE-2 spectrum analyser over the simulated meter: both bands and the gap between them,
// the seven measurements, the saved file, the scale and the printed page; the equipment object's
// command layer on a real pseudo-terminal, every wait on a fake clock.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <cmath>
#include <cstdio>

#include "Clock.h"
#include "Cv2Equip.h"
#include "Cv2Sim.h"
#include "Cv2Spectrum.h"
#include "FileSizeLimit.h"
#include "HostForm.h"
#include "OutsideTools.h"
#include "PythonCsv.h"
#include "Specdlg.h"
#include "SpectrumChecks.h"
#include "TSpectrumScale.h"

using cv::cv2::TCv2Equip;

namespace {

std::string Tuning(float mhz) {
  char w[16];
  if (mhz < 900.0f)
    std::snprintf(w, sizeof w, "*FRT%04x", static_cast<unsigned>(std::trunc((mhz + 38.9) * 20 + 0.5)));
  else
    std::snprintf(w, sizeof w, "*FRS%04x", static_cast<unsigned>(std::trunc((mhz + 479.5) * 8 + 0.5)));
  return w;
}

class Cv2Spectrum : public SpectrumOnSim<Cv2Sim, TCv2Equip> {
 protected:
  std::unique_ptr<QDialog> MakeDialog() override { return cv::cv2::MakeCv2SpectrumDlg(*equip); }
  QString Text(const char* edit) { return W<QLineEdit>(edit)->text(); }
  std::string Save(const QString& name) {
    const QString path = tmp.filePath(name);
    dlg->chooseSaveFile = [path] { return path; };
    dlg->SaveBtnClick();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {};
    return file.readAll().toStdString();
  }
  void Tick(const char* box, bool on) {
    W<QCheckBox>(box)->setChecked(on);
    if (std::string(box) == "FullTerCheckBox") dlg->FullTerCheckBoxClick();
    else dlg->FullSatCheckBoxClick();
  }
};

TEST_F(Cv2Spectrum, DefaultsListsAndFullSpans) {
  EXPECT_EQ(Text("InitialFreqEdit"), "1165,00");
  EXPECT_EQ(Text("FinalFreqEdit"), "1205,00");
  EXPECT_EQ(Text("StepFreqEdit"), "1,00");
  auto* ref = W<QComboBox>("ReferenceLevelCombo");
  ASSERT_EQ(ref->count(), 7);
  EXPECT_EQ(ref->itemText(0), "70 dB");
  EXPECT_EQ(ref->itemText(6), "130 dB");
  auto* meas = W<QComboBox>("MeasCombo");
  QStringList items;
  for (int i = 0; i < meas->count(); ++i) items << meas->itemText(i);
  EXPECT_EQ(items, (QStringList{"Level", "V/A", "POWER", "C/N Auto", "BER (QPSK)", "BER (COFDM)", "C/N Ref"}));
  EXPECT_TRUE(W<QCheckBox>("FullSatCheckBox")->isEnabled());
  EXPECT_TRUE(W<QCheckBox>("FullTerCheckBox")->isEnabled());

  // Each step shows the span the two boxes give.
  W<QCheckBox>("FullSpanCheckBox")->setChecked(true);
  dlg->FullSpanCheckBoxClick();
  struct Step {
    const char* box;
    bool on;
    const char *initial, *final;
  } steps[] = {
      {"FullTerCheckBox", true, "45,00", "862,00"},   {"FullSatCheckBox", true, "45,00", "2150,00"},
      {"FullTerCheckBox", false, "900,00", "2150,00"}, {"FullSatCheckBox", false, "900,00", "2150,00"},
      {"FullSatCheckBox", true, "900,00", "2150,00"},  {"FullTerCheckBox", true, "45,00", "2150,00"},
      {"FullSatCheckBox", false, "45,00", "862,00"},
  };
  for (const Step& s : steps) {
    SCOPED_TRACE(std::string(s.box) + (s.on ? " on" : " off"));
    Tick(s.box, s.on);
    EXPECT_EQ(Text("InitialFreqEdit").toStdString(), s.initial);
    EXPECT_EQ(Text("FinalFreqEdit").toStdString(), s.final);
  }
}

TEST_F(Cv2Spectrum, FrequencyEditsTakeBothBandsInOrder) {
  struct Row {
    const char* edit;
    const char* text;
    bool accepted;
    const char* shown;  // the edit afterwards
  };
  // With the final at 2150, then with the initial at 45; each row follows the one before.
  const std::vector<std::vector<Row>> runs = {
      {{"FinalFreqEdit", "2150", true, "2150"},
       {"InitialFreqEdit", "44", false, "1165,00"},
       {"InitialFreqEdit", "45", true, "45"},
       {"InitialFreqEdit", "880", false, "45,00"},
       {"InitialFreqEdit", "2150", false, "45,00"},
       {"InitialFreqEdit", "2149,99", true, "2149,99"},
       {"InitialFreqEdit", "899,99", false, "2149,99"},
       {"InitialFreqEdit", "862", true, "862"}},
      {{"InitialFreqEdit", "45", true, "45"},
       {"FinalFreqEdit", "45", false, "1205,00"},
       {"FinalFreqEdit", "862", true, "862"},
       {"FinalFreqEdit", "880", false, "862,00"},
       {"FinalFreqEdit", "2150", true, "2150"},
       {"FinalFreqEdit", "2150,01", false, "2150,00"},
       {"FinalFreqEdit", "900", true, "900"},
       {"FinalFreqEdit", "45,01", true, "45,01"}},
      // Past the other end: refused at once.
      {{"InitialFreqEdit", "1300", false, "1165,00"},
       {"FinalFreqEdit", "1000", false, "1205,00"},
       {"InitialFreqEdit", "1205", true, "1205"}},
  };
  for (const std::vector<Row>& run : runs) {
    Make(',', ';');
    for (const Row& r : run) {
      SCOPED_TRACE(std::string(r.edit) + " " + r.text);
      beeps = 0;
      Type(r.edit, r.text);
      EXPECT_EQ(beeps, r.accepted ? 0 : 1);
      EXPECT_EQ(Text(r.edit).toStdString(), r.shown);
    }
  }
  EXPECT_FLOAT_EQ(dlg->Sweep().initialFreq, 1205.0f);
  EXPECT_TRUE(Tunings().empty());
}

// A step whose next point jumps the gap past the final frequency ends the sweep: the marker stays
// on the last point swept, never one step back from the jump, and a marker frequency typed in
// the gap is refused, so a measurement never tunes what the meter lacks.
TEST_F(Cv2Spectrum, TheMarkerNeverRestsInTheGap) {
  Type("InitialFreqEdit", "860");
  Type("FinalFreqEdit", "900");
  Type("StepFreqEdit", "5");
  dlg->StartBtnClick();
  TSpectrumSweep& s = dlg->Sweep();
  EXPECT_EQ(Tunings(), std::vector<std::string>{Tuning(860)});
  EXPECT_FLOAT_EQ(s.currentFreq, 860.0f);
  for (const char* typed : {"880,00", "899,95"})
    EXPECT_EQ(s.ValidateCurrentFreq(typed, ','), TEditResult::Refused) << typed;
  EXPECT_EQ(s.ValidateCurrentFreq("900,00", ','), TEditResult::Accepted);
}

TEST_F(Cv2Spectrum, ASweepAcrossTheGapMeasuresEachSideAndSavesItsFrequencies) {
  Type("InitialFreqEdit", "860");
  Type("FinalFreqEdit", "905");
  const int64_t started = clock.now;
  dlg->StartBtnClick();
  TSpectrumSweep& s = dlg->Sweep();
  ASSERT_EQ(s.state, 1) << host.Lines().join('\n').toStdString();
  EXPECT_EQ(s.points, 46);  // counted without the gap
  const std::vector<float> swept = {860, 861, 862, 901, 902, 903, 904, 905};
  std::vector<std::string> expected;
  for (float f : swept) expected.push_back(Tuning(f));
  EXPECT_EQ(Tunings(), expected);
  EXPECT_EQ(Tunings()[3], "*FRS2b24");
  EXPECT_EQ(clock.now - started, 8 * (1000 + 75));
  const std::vector<std::string> lines = Sent();
  EXPECT_EQ(std::vector<std::string>(lines.begin(), lines.begin() + 7),
            (std::vector<std::string>{"*SP0", "*7205&", "*MF0F", "*?SY", "*?SP", "*ME0", Tuning(860)}));
  // The carriers at 861 and 903 MHz stand out on each side; the unmeasured places stay 0.
  ASSERT_EQ(s.levels.size(), 1u);
  ASSERT_EQ(s.levels[0].size(), 46u);
  EXPECT_NEAR(s.levels[0][1], 66.0f, 0.05f);
  EXPECT_NEAR(s.levels[0][5], 64.0f, 0.05f);
  for (size_t i = 8; i < 46; ++i) EXPECT_EQ(s.levels[0][i], 0.0f) << i;

  const std::string saved = Save("cv2_spectrum_860_905.csv");
  ASSERT_TRUE(Logged("Spectrums saved in: cv2_spectrum_860_905.csv"));
  const QString text = WithoutMoment(QString::fromLatin1(saved.c_str()));
  EXPECT_TRUE(text.contains("# CORVANE-2 Spectrum Logger output file\n"));
  EXPECT_TRUE(text.contains("# CORVANE-2 Spectrum Logger end\n"));
  EXPECT_TRUE(text.contains(" DATE; TIME; N; 860,00; 861,00; 862,00; 901,00; 902,00; 903,00; 904,00; 905,00;\n"))
      << text.toStdString();
  ExpectLoggerGolden(QByteArray::fromStdString(saved), CV_TEST_DATA_DIR "/cv2/cv2_spectrum_860_905.csv");
  // Under a name a technician may well type, the same file.
  const QString hostile = QString::fromUtf8("#  sat; \"r\u00e9ception\" 1.2.csv");
  host.Clear();
  EXPECT_EQ(WithoutMoment(QString::fromLatin1(Save(hostile).c_str())), text);
  EXPECT_TRUE(Logged("Spectrums saved in: " + hostile)) << host.Lines().join('\n').toStdString();
  // A save that fails while writing keeps the earlier file whole and says so.
  boxes.clear();
  host.Clear();
  {
    cvtest::FileSizeLimit limit(64);
    dlg->SaveBtnClick();
  }
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_TRUE(QString::fromStdString(boxes[0]).startsWith("Couldn't write file ")) << boxes[0];
  EXPECT_FALSE(Logged("Spectrums saved in: " + hostile));
  QFile kept(tmp.filePath(hostile));
  ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
  EXPECT_EQ(WithoutMoment(QString::fromLatin1(kept.readAll())), text);
  // A spreadsheet's reader takes the header and the snapshot as 8 numbers each.
  int table = 0;
  for (const std::vector<std::string>& row :
       cvtest::PythonCsvRows(tmp.filePath("cv2_spectrum_860_905.csv").toStdString(), ';')) {
    if (row.size() < 3 || (row[0] != " DATE" && row[2] != " 1")) continue;
    ++table;
    EXPECT_EQ(row.size(), 3u + 8u + 1u);
  }
  EXPECT_EQ(table, 2);
}

TEST_F(Cv2Spectrum, MeasurementsByTheFamilysSevenModes) {
  TSpectrumSweep& s = dlg->Sweep();
  s.state = 1;
  s.currentFreq = 905;
  struct Row {
    int item;  // -1: no item chosen
    const char* command;
    int waitMs;
    const char* units;
    const char* asking;
    const char* received;
    const char* name;
    const char* shown;
  } rows[] = {
      {0, "*ME0", 1500, "dBuV", "Asking level...", "Level received", "Level", "=+ 50,7"},
      {1, "*ME1", 1500, "dB", "Asking V/A...", "V/A received", "V/A", "=+ 38,5"},
      {2, "*ME2", 1500, "dBuV", "Asking power...", "Power received", "POWER", "=+ 50,7"},
      {3, "*ME3", 6000, "dB", "Asking C/N auto...", "C/N auto received", "C/N auto", "=+ 38,5"},
      {4, "*ME4", 1500, "", "Asking BER QPSK...", "BER QPSK received", "BER QPSK", "=+ 2,1E-06"},
      {5, "*ME6", 1500, "", "Asking BER COFDM...", "BER COFDM received", "BER COFDM", "=+ 2,1E-06"},
      {6, "*ME7", 3000, "dB", "Asking C/N referenced...", "C/N referenced received", "C/N referenced", "=+ 38,5"},
      {-1, "*ME0", 1500, "dBuV", "Asking level...", "Level received", "Level", "=+ 50,7"},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.command);
    host.Clear();
    sim->ClearTraffic();
    clock.sleptMs = 0;
    W<QComboBox>("MeasCombo")->setCurrentIndex(r.item);
    dlg->MeasBtnClick();
    std::vector<std::string> expected{"*SP0", "*7205&", "*MF1F", "*FRS2b44"};
    if (r.item == 3) expected.push_back("*?SY");
    expected.push_back(r.command);
    expected.push_back("*?LV");
    EXPECT_EQ(Sent(), expected);
    EXPECT_EQ(clock.sleptMs, r.waitMs);
    EXPECT_EQ(W<QLabel>("UnitsLabel")->text().toStdString(), r.units);
    EXPECT_TRUE(Logged(r.asking));
    EXPECT_TRUE(Logged(r.received));
    EXPECT_STREQ(s.meas.name, r.name);
    EXPECT_EQ(Text("CurrentLevelEdit").toStdString(), r.shown);
    EXPECT_EQ(Text("CurrentFreqEdit"), "905,00");
    EXPECT_EQ(s.state, 3);
  }
  // A BER reply with the '!' flag: the failure's line and a level of 0, shown in exponent form.
  Profile([](cvsim::Corvane2Profile& p) { p.fixedReplies["*?LV"] = "*LV!?000"; });
  host.Clear();
  W<QComboBox>("MeasCombo")->setCurrentIndex(5);
  dlg->MeasBtnClick();
  EXPECT_TRUE(Logged("Impossible to take measurement in the equipment"));
  EXPECT_FALSE(Logged("BER COFDM received"));
  EXPECT_TRUE(Text("CurrentLevelEdit").startsWith('!'));
  EXPECT_TRUE(Text("CurrentLevelEdit").endsWith(" 0,0E+00")) << Text("CurrentLevelEdit").toStdString();
}

TEST(Cv2SpectrumScale, BothBandsSpanElevenLines) {
  TSpectrumScale scale;
  scale.ComputeScale(45, 2150);
  EXPECT_EQ(scale.freqDivisions, 10);  // the framework's scale stops inside the span
  scale.linesInsideSpan = cv::cv2::Cv2SpectrumProfile().scaleLinesInsideSpan;
  scale.ComputeScale(45, 2150);
  EXPECT_EQ(scale.mhzPerDiv, 211);
  ASSERT_EQ(scale.freqDivisions, 11);
  for (int j = 0; j < 11; ++j) EXPECT_EQ(scale.FreqOfDivision(j), 45 + j * 211) << j;
  EXPECT_LE(scale.FreqToX(45 + 9 * 211), scale.width);
  EXPECT_GT(scale.FreqToX(2155), scale.width);
  // Every point at its own frequency: the last terrestrial and the first satellite point of a
  // 10 MHz sweep lie the gap apart.
  EXPECT_EQ(scale.FreqToX(905) - scale.FreqToX(855), scale.FreqToX(105) - scale.FreqToX(55));
}

TEST_F(Cv2Spectrum, WholeSweepsDrawTheirScaleAndPrintNamingThePlugIn) {
  // Both bands in 10 MHz steps: Start trims the final to 2145 MHz, a whole number of steps.
  Type("StepFreqEdit", "10");
  W<QCheckBox>("FullSpanCheckBox")->setChecked(true);
  dlg->FullSpanCheckBoxClick();
  Tick("FullTerCheckBox", true);
  Tick("FullSatCheckBox", true);
  dlg->StartBtnClick();
  TSpectrumSweep& s = dlg->Sweep();
  ASSERT_EQ(s.state, 1) << host.Lines().join('\n').toStdString();
  EXPECT_EQ(s.points, 211);
  std::vector<std::string> tunings = Tunings();
  ASSERT_EQ(tunings.size(), 82u + 125u);  // 45..855, then 903..2143
  EXPECT_EQ(tunings[81], Tuning(855));
  EXPECT_EQ(tunings[82], Tuning(903));
  EXPECT_EQ(tunings.back(), Tuning(2143));
  EXPECT_EQ(W<QLabel>("FreqDivLabel")->text(), "210 MHz/div");
  if (qEnvironmentVariableIsSet("CV_CV2_SPEC_SHOT")) {
    dlg->show();
    dlg->grab().save(qEnvironmentVariable("CV_CV2_SPEC_SHOT"));
    dlg->hide();
  }

  // 45 to 2150 MHz exactly (2105 MHz in 100 steps): 211 MHz a division, 11 lines evenly from
  // 45 MHz, the last one past the right edge.
  Type("StepFreqEdit", "21,05");
  Type("FinalFreqEdit", "2150");
  dlg->StartBtnClick();
  ASSERT_EQ(s.state, 1) << host.Lines().join('\n').toStdString();
  EXPECT_FLOAT_EQ(s.finalFreq, 2150.0f);
  EXPECT_EQ(W<QLabel>("FreqDivLabel")->text(), "211 MHz/div");
  const std::vector<QLabel*>& labels = dlg->FreqLabels();
  ASSERT_EQ(labels.size(), 11u);
  auto* image = dlg->findChild<QWidget*>("SpecImage");
  for (size_t j = 0; j < labels.size(); ++j) EXPECT_EQ(labels[j]->text(), QString::number(45 + 211 * j)) << j;
  EXPECT_EQ(labels[0]->x() + 7, image->x());
  EXPECT_GT(labels[10]->x() + 7, image->x() + image->width());
  EXPECT_LT(labels[9]->x() + 7, image->x() + image->width());

  const QString pdf = tmp.filePath("spectrum.pdf");
  dlg->Printer().setOutputFormat(QPrinter::PdfFormat);
  dlg->Printer().setOutputFileName(pdf);
  dlg->confirmPrint = [](QPrinter&) { return true; };
  dlg->PrintBtnClick();
  EXPECT_TRUE(Logged("Spectrum sent to print"));
  const QString text = outside::PdfText(pdf);
  EXPECT_TRUE(text.contains("10 dBuV/div, 211 MHz/div, from 45,00 MHz to 2150,00 MHz")) << text.toStdString();
  EXPECT_TRUE(text.contains(QRegularExpression("Spectrum generated by Cv2Tools 1\\.14: \\d+/\\d+/\\d{4} \\(\\d+:\\d\\d")))
      << text.toStdString();
}

TEST_F(Cv2Spectrum, TheHostsSpectrumButtonOpensTheDialog) {
  dlg.reset();
  ExpectSpectrumButtonOpensDialog(*equip, host, port, [](TSpectrumDlg& d) {
    EXPECT_EQ(d.findChild<QLineEdit*>("InitialFreqEdit")->text(), "1165,00");
  });
}

}  // namespace
