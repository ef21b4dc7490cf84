#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QSlider>
#include <QTableWidget>
#include <QTemporaryDir>

#include "FakeLink.h"
#include "FileSizeLimit.h"
#include "PrintToFileChecks.h"
#include "SaveLimits.h"
#include "Specdlg.h"
#include "TSpectrumLogFile.h"

namespace {

struct DlgFixture : ::testing::Test {
  FakeLink link;
  TSpectrumHostInfo info{',', ';', "", "Cv3Tools 1.22"};
  std::unique_ptr<TSpectrumDlg> dlg;
  std::vector<QString> boxes;
  int beeps = 0;
  QTemporaryDir tmp;

  void SetUp() override { Make(); }
  void Make() {
    dlg = std::make_unique<TSpectrumDlg>(nullptr, link, info);
    dlg->showError = [this](const QString&, const QString& t) { boxes.push_back(t); };
    dlg->beep = [this]() { ++beeps; };
  }
  template <class T>
  T* W(const char* name) {
    T* w = dlg->findChild<T*>(name);
    EXPECT_NE(w, nullptr) << name;
    return w;
  }
  void Type(const char* edit, const QString& text) { W<QLineEdit>(edit)->setText(text); }
};

TEST_F(DlgFixture, StartsIdleWithTheDefaultsShown) {
  EXPECT_EQ(dlg->windowTitle(), "Spectrum Analyser");
  EXPECT_EQ(dlg->size(), QSize(568, 373));
  EXPECT_EQ(W<QLineEdit>("InitialFreqEdit")->text(), "1165,00");
  EXPECT_EQ(W<QLineEdit>("FinalFreqEdit")->text(), "1205,00");
  EXPECT_EQ(W<QLineEdit>("StepFreqEdit")->text(), "1,00");
  EXPECT_EQ(W<QLineEdit>("SnapsEdit")->text(), "1");
  EXPECT_EQ(W<QLineEdit>("TimeStepEdit")->text(), "5");
  EXPECT_EQ(W<QSlider>("FreqTrackBar")->minimum(), 116500);
  EXPECT_EQ(W<QSlider>("FreqTrackBar")->maximum(), 120500);
  EXPECT_EQ(W<QPushButton>("StartBtn")->text(), "Start");
  for (const char* n : {"SaveBtn", "PrintBtn", "MeasBtn"}) EXPECT_FALSE(W<QWidget>(n)->isEnabled()) << n;
  EXPECT_EQ(W<QComboBox>("ReferenceLevelCombo")->count(), 7);
  EXPECT_EQ(W<QComboBox>("MeasCombo")->itemText(4), "BER (QPSK)");
  EXPECT_TRUE(W<QWidget>("FullTerCheckBox")->isHidden());
  EXPECT_EQ(W<QWidget>("SpecImage")->size(), QSize(250, 200));
  EXPECT_TRUE(W<QTableWidget>("DeltaStringGrid")->isHidden());
}

// Refused frequencies show the old value again; refused step and counts empty the edit.
TEST_F(DlgFixture, EditsRefuseWithABeepAsTheirKindSays) {
  struct Case {
    const char* edit;
    const char* typed;
    void (TSpectrumDlg::*exit)();
    QString shown;
  } cases[] = {
      {"InitialFreqEdit", "862,1", &TSpectrumDlg::OnExitInitialFreq, "1165,00"},
      {"FinalFreqEdit", "2151", &TSpectrumDlg::OnExitFinalFreq, "1205,00"},
      {"StepFreqEdit", "0,01", &TSpectrumDlg::OnExitStepFreq, ""},
      {"SnapsEdit", "0", &TSpectrumDlg::OnExitSnaps, ""},
      {"TimeStepEdit", "x", &TSpectrumDlg::OnExitTimeStep, ""},
      {"CurrentFreqEdit", "2000", &TSpectrumDlg::OnExitCurrentFreqEdit, ""},
  };
  for (const Case& c : cases) {
    int before = beeps;
    Type(c.edit, c.typed);
    (dlg.get()->*c.exit)();
    EXPECT_EQ(beeps, before + 1) << c.edit;
    EXPECT_EQ(W<QLineEdit>(c.edit)->text(), c.shown) << c.edit;
  }
  Type("InitialFreqEdit", "862,11");
  dlg->OnExitInitialFreq();
  EXPECT_FLOAT_EQ(dlg->Sweep().initialFreq, 862.11f);
  EXPECT_EQ(W<QSlider>("FreqTrackBar")->minimum(), 86200);
}

TEST_F(DlgFixture, FullSpanBoxesShowAndSetTheRange) {
  auto* span = W<QCheckBox>("FullSpanCheckBox");
  span->click();
  EXPECT_FALSE(W<QWidget>("FullTerCheckBox")->isHidden());
  W<QCheckBox>("FullSatCheckBox")->click();
  EXPECT_EQ(W<QLineEdit>("InitialFreqEdit")->text(), "862,10");
  EXPECT_EQ(W<QLineEdit>("FinalFreqEdit")->text(), "2150,00");
  span->click();
  EXPECT_TRUE(W<QWidget>("FullSatCheckBox")->isHidden());
  EXPECT_FALSE(W<QCheckBox>("FullSatCheckBox")->isChecked());
}

TEST_F(DlgFixture, ModelVariantFourKeepsTheTerrestrialBoxOff) {
  link.variant = 4;
  Make();
  EXPECT_FALSE(W<QWidget>("FullTerCheckBox")->isEnabled());
  Type("InitialFreqEdit", "100");
  dlg->OnExitInitialFreq();
  EXPECT_EQ(beeps, 1);
}

TEST_F(DlgFixture, ASweepDrawsItsTraceScalesAndMarker) {
  W<QPushButton>("StartBtn")->click();
  EXPECT_EQ(link.tuned.size(), 41u);
  EXPECT_EQ(dlg->Sweep().state, 1);
  EXPECT_EQ(W<QLabel>("FreqDivLabel")->text(), "4 MHz/div");
  EXPECT_EQ(W<QLabel>("LevelDivLabel")->text(), "10 dBuV/div");
  ASSERT_EQ(dlg->LevelLabels().size(), 6u);
  EXPECT_EQ(dlg->LevelLabels()[0]->text(), "20");
  EXPECT_EQ(dlg->LevelLabels()[5]->text(), "70");
  ASSERT_EQ(dlg->FreqLabels().size(), 11u);
  EXPECT_EQ(dlg->FreqLabels()[1]->text(), "1169");
  EXPECT_EQ(dlg->FreqLabels()[10]->text(), "1205");
  // The peak at 1175 MHz, 70 dBuV, sits at column 63, on the top line.
  const QImage& img = dlg->TraceBitmap();
  EXPECT_EQ(img.pixel(63, 0) & 0xFFFFFF, 0u);
  EXPECT_EQ(img.pixel(63, 100) & 0xFFFFFF, 0xFFFFFFu);  // the trace does not fall straight down
  for (const char* n : {"SaveBtn", "PrintBtn", "MeasBtn", "FreqTrackBar"})
    EXPECT_TRUE(W<QWidget>(n)->isEnabled()) << n;

  // The marker line is drawn and removed again by inverting.
  QImage before = img.copy();
  W<QSlider>("FreqTrackBar")->setValue(119000);
  EXPECT_EQ(dlg->MarkerX(), 156);
  EXPECT_EQ(W<QLineEdit>("CurrentFreqEdit")->text(), "1190,00");
  EXPECT_NE(dlg->TraceBitmap(), before);
  W<QSlider>("FreqTrackBar")->setValue(116500);
  EXPECT_EQ(dlg->TraceBitmap().pixel(156, 150), before.pixel(156, 150));
  if (qEnvironmentVariableIsSet("CV_SPEC_SHOT")) dlg->grab().save(qEnvironmentVariable("CV_SPEC_SHOT"));
}

TEST_F(DlgFixture, AZeroWideSpanDrawsAndPrintsWithoutDividingByZero) {
  dlg->Sweep().initialFreq = 1000.0f;
  dlg->Sweep().finalFreq = 1000.6f;
  dlg->Sweep().stepFreq = 0.1f;
  dlg->StartBtnClick();
  EXPECT_EQ(link.tuned.size(), 7u);
  EXPECT_EQ(dlg->Scale().endMHz, 1001);
  EXPECT_EQ(dlg->FreqLabels().size(), 2u);
  dlg->Printer().setOutputFormat(QPrinter::PdfFormat);
  dlg->Printer().setOutputFileName(tmp.filePath("narrow.pdf"));
  dlg->confirmPrint = [](QPrinter&) { return true; };
  dlg->PrintBtnClick();
  EXPECT_TRUE(QFile::exists(tmp.filePath("narrow.pdf")));
}

TEST_F(DlgFixture, MouseDragShowsTheDeltaGridAndReleaseHidesIt) {
  dlg->StartBtnClick();
  auto* image = W<QWidget>("SpecImage");
  auto* grid = W<QTableWidget>("DeltaStringGrid");
  auto send = [&](QEvent::Type t, QPoint p, Qt::MouseButton b) {
    QMouseEvent e(t, QPointF(p), image->mapToGlobal(QPointF(p)), b,
                  t == QEvent::MouseButtonRelease ? Qt::NoButton : b, Qt::NoModifier);
    QCoreApplication::sendEvent(image, &e);
  };
  send(QEvent::MouseButtonPress, {10, 10}, Qt::RightButton);
  EXPECT_TRUE(grid->isHidden());
  send(QEvent::MouseButtonPress, {25, 100}, Qt::LeftButton);
  EXPECT_FALSE(grid->isHidden());
  send(QEvent::MouseMove, {50, 60}, Qt::LeftButton);
  EXPECT_EQ(grid->item(1, 0)->text(), "Origin");
  EXPECT_EQ(grid->item(0, 2)->text(), "dBuV");
  EXPECT_EQ(grid->item(1, 1)->text(), "1169,00");
  EXPECT_EQ(grid->item(1, 2)->text(), "45,00");
  EXPECT_EQ(grid->item(3, 1)->text(), "4,00");
  EXPECT_EQ(grid->item(3, 2)->text(), "10,00");
  send(QEvent::MouseButtonRelease, {50, 60}, Qt::LeftButton);
  EXPECT_TRUE(grid->isHidden());
}

TEST_F(DlgFixture, PrintingGivesOnePageWithTheTraceAndItsTexts) {
  dlg->StartBtnClick();
  const QString pdf = tmp.filePath("spectrum.pdf");
  dlg->Printer().setOutputFormat(QPrinter::PdfFormat);
  dlg->Printer().setOutputFileName(pdf);
  bool asked = false;
  dlg->confirmPrint = [&](QPrinter&) { return asked = true; };
  dlg->PrintBtnClick();
  ASSERT_TRUE(asked);
  EXPECT_TRUE(link.Logged("Spectrum sent to print"));
  QProcess pdftotext;
  pdftotext.start("pdftotext", {"-layout", pdf, "-"});
  ASSERT_TRUE(pdftotext.waitForFinished(20000));
  const QString text = QString::fromUtf8(pdftotext.readAllStandardOutput());
  EXPECT_EQ(text.count(QChar('\f')), 1) << text.toStdString();  // one page
  EXPECT_TRUE(text.contains("10 dBuV/div, 4 MHz/div, from 1165,00 MHz to 1205,00 MHz, with reference (max) 70 dBuV"))
      << text.toStdString();
  EXPECT_TRUE(text.contains("Last measurement (Level): =+25,00 dBuV (marker at 1205,00 MHz)"))
      << text.toStdString();
  EXPECT_TRUE(text.contains("Spectrum generated by Cv3Tools 1.22:"));
  EXPECT_TRUE(text.contains("1185"));
  EXPECT_TRUE(text.contains("60"));
  // Cancelling the print dialog prints nothing.
  link.log.clear();
  dlg->confirmPrint = [](QPrinter&) { return false; };
  dlg->PrintBtnClick();
  EXPECT_FALSE(link.Logged("Spectrum sent to print"));
}

// A print to a file that cannot be written keeps the earlier file, says so and is not logged as
// sent.
TEST_F(DlgFixture, APrintToAFileThatCannotBeWrittenSaysSo) {
  dlg->StartBtnClick();
  dlg->Printer().setOutputFormat(QPrinter::PdfFormat);
  dlg->confirmPrint = [](QPrinter&) { return true; };
  QTemporaryDir folder;
  cvtest::ExpectFailedPrintsToFileKeepTheOldFile(
      folder.path(),
      [&](const QString& pdf) {
        dlg->Printer().setOutputFileName(pdf);
        link.log.clear();
        dlg->PrintBtnClick();
        EXPECT_EQ(link.Logged("Spectrum sent to print"), boxes.empty());
      },
      [&] {
        QStringList shown(boxes.begin(), boxes.end());
        boxes.clear();
        return shown;
      });
}

TEST_F(DlgFixture, SaveWritesTheLoggerFileOrSaysWhyNot) {
  dlg->SaveBtnClick();
  EXPECT_TRUE(link.Logged("Impossible to retrieve information of spectrums"));
  dlg->Sweep().snapshots = 3;
  dlg->Sweep().timeStep = 1;
  dlg->StartBtnClick();
  for (int i = 0; i < 10 && dlg->Sweep().running; ++i) dlg->LessToNextSnap();
  ASSERT_EQ(link.tuned.size(), 123u);

  link.log.clear();
  dlg->chooseSaveFile = []() { return QString(); };
  dlg->SaveBtnClick();
  EXPECT_TRUE(link.log.empty());

  const QString path = tmp.filePath("spec.csv");
  dlg->chooseSaveFile = [&]() { return path; };
  dlg->SaveBtnClick();
  EXPECT_TRUE(link.Logged("Spectrums saved in: spec.csv"));
  QFile f(path);
  ASSERT_TRUE(f.open(QIODevice::ReadOnly));
  QStringList lines = QString::fromLatin1(f.readAll()).split('\n');
  ASSERT_GE(lines.size(), 17);
  EXPECT_EQ(lines[5], "Start frequency:; 1165,00");
  EXPECT_EQ(lines[9].count(';'), 3 + 41);
  QRegularExpression row("^ \\d{1,2}/\\d{1,2}/\\d{4}; \\d{1,2}:\\d\\d; (\\d);");
  for (int k = 1; k <= 3; ++k) {
    auto m = row.match(lines[9 + k]);
    ASSERT_TRUE(m.hasMatch()) << lines[9 + k].toStdString();
    EXPECT_EQ(m.captured(1).toInt(), k);
  }

  // A save that fails while writing keeps the earlier file whole and says so.
  f.close();
  ASSERT_TRUE(f.open(QIODevice::ReadOnly));
  const QByteArray earlier = f.readAll();
  f.close();
  link.log.clear();
  {
    cvtest::FileSizeLimit limit(64);
    dlg->SaveBtnClick();
  }
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_TRUE(boxes[0].startsWith("Couldn't write file " + path)) << boxes[0].toStdString();
  EXPECT_FALSE(link.Logged("Spectrums saved in: spec.csv"));
  ASSERT_TRUE(f.open(QIODevice::ReadOnly));
  EXPECT_EQ(f.readAll(), earlier);
  EXPECT_EQ(QDir(tmp.path()).entryList(QDir::Files), QStringList{"spec.csv"});  // no temporary left

  // Under file-size limits below, at and above the write buffer: saved whole or reported.
  cvtest::ExpectWholeOrOldFile(path.toStdString(), [&] {
    const size_t shown = boxes.size();
    dlg->SaveBtnClick();
    return boxes.size() == shown;
  });

  // A file that cannot be created is reported, and no success line follows.
  link.log.clear();
  boxes.clear();
  dlg->chooseSaveFile = [&]() { return tmp.filePath("no/such/dir/spec.csv"); };
  dlg->SaveBtnClick();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_TRUE(boxes[0].startsWith("Couldn't create file ")) << boxes[0].toStdString();
  EXPECT_FALSE(link.Logged("Spectrums saved in: spec.csv"));
}

TEST_F(DlgFixture, AskMeasurementShowsItsResultInTheLevelEdit) {
  dlg->StartBtnClick();
  link.levelOverride = "*LV!?000";
  W<QPushButton>("MeasBtn")->click();
  EXPECT_EQ(W<QLineEdit>("CurrentLevelEdit")->text(), QString::fromUtf8("\u00BF?  0,0"));
  EXPECT_EQ(dlg->Sweep().state, 3);
  EXPECT_TRUE(W<QWidget>("MeasBtn")->isEnabled());  // given back once the measurement is in
}

TEST_F(DlgFixture, StopDuringASweepReturnsToIdle) {
  link.duringTune = [&](int i) {
    if (i == 3) W<QPushButton>("StartBtn")->click();
  };
  W<QPushButton>("StartBtn")->click();
  EXPECT_EQ(link.tuned.size(), 4u);
  EXPECT_TRUE(link.Logged("Snap stopped by user"));
  EXPECT_EQ(W<QPushButton>("StartBtn")->text(), "Start");
  EXPECT_FALSE(W<QWidget>("SaveBtn")->isEnabled());
  EXPECT_FALSE(W<QWidget>("PrintBtn")->isEnabled());
}

// The window closed in a sweep's settling wait: the sweep stops at its next point, switches the
// filter back on, and only then does the dialog close.
TEST_F(DlgFixture, ClosingDuringASweepStopsItCleanly) {
  dlg->show();
  link.duringTune = [&](int i) {
    if (i == 2) dlg->close();
  };
  dlg->StartBtnClick();
  EXPECT_EQ(link.tuned.size(), 3u);
  EXPECT_EQ(link.commands.back(), "*MF1F");
  for (int i = 0; i < 5; ++i) link.clock.PumpEvents();
  EXPECT_FALSE(dlg->isVisible());
  EXPECT_EQ(dlg->result(), QDialog::Rejected);
}

// A Start that fails, or is stopped, before its first level keeps the last sweep: its levels, its
// settings and Save and Print, and Save writes the same file; a box says why it failed. Without a
// last sweep Save and Print stay off.
TEST_F(DlgFixture, StartThatFailsKeepsTheLastSweepAndSaysSo) {
  struct Row {
    const char* what;
    std::string failCommand;
    int failTune;  // 0-based count of tunings from the failing Start on; -1 none
    bool stop;     // Stop pressed in the first tuning's settling wait
    const char* box;
  } rows[] = {{"*SP0 refused", "*SP0", -1, false, "Impossible disable spectrum mode in the equipment"},
              {"first tuning", "", 0, false, "Error when doing first snap"},
              {"first level", "*?LV", -1, false, "Error when doing first snap"},
              {"stopped", "", -1, true, nullptr}};
  // The save's date and time masked.
  auto saved = [&](const QString& path) {
    dlg->chooseSaveFile = [path]() { return path; };
    dlg->SaveBtnClick();
    QFile f(path);
    EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << path.toStdString();
    return QString::fromLatin1(f.readAll()).replace(QRegularExpression("\\d+[:/]\\d+(/\\d+)?"), "T");
  };
  for (bool previous : {true, false}) {
    for (const Row& r : rows) {
      SCOPED_TRACE(std::string(r.what) + (previous ? " after a sweep" : " first"));
      Make();
      link.failCommand.clear();
      link.failTuneAt = -1;
      QString before;
      std::vector<std::vector<float>> levels;
      if (previous) {
        dlg->StartBtnClick();
        ASSERT_EQ(dlg->Sweep().state, 1);
        levels = dlg->Sweep().levels;
        before = saved(tmp.filePath("before.csv"));
      }
      boxes.clear();
      link.failCommand = r.failCommand;
      link.failTuneAt = r.failTune < 0 ? -1 : static_cast<int>(link.tuned.size()) + r.failTune;
      const int firstTune = static_cast<int>(link.tuned.size());
      link.duringTune = [&](int i) {
        if (r.stop && i == firstTune) W<QPushButton>("StartBtn")->click();
      };
      W<QPushButton>("StartBtn")->click();
      link.failCommand.clear();
      link.duringTune = nullptr;
      EXPECT_EQ(boxes, r.box ? std::vector<QString>{r.box} : std::vector<QString>{});
      EXPECT_FALSE(dlg->Sweep().running);
      EXPECT_EQ(W<QPushButton>("StartBtn")->text(), "Start");
      EXPECT_EQ(W<QWidget>("SaveBtn")->isEnabled(), previous);
      EXPECT_EQ(W<QWidget>("PrintBtn")->isEnabled(), previous);
      EXPECT_EQ(dlg->Sweep().state, previous ? 1 : 0);
      EXPECT_EQ(dlg->Sweep().levels, levels);
      if (previous) {
        EXPECT_EQ(saved(tmp.filePath("after.csv")), before);
      }
    }
  }
}

// Settings typed after a sweep turn Save off; a Start that then fails keeps them as typed and
// Save still off, as it would save levels the new settings do not describe.
TEST_F(DlgFixture, StartThatFailsKeepsTypedSettingsAndSaveOff) {
  dlg->StartBtnClick();
  ASSERT_TRUE(W<QWidget>("SaveBtn")->isEnabled());
  Type("InitialFreqEdit", "1170,00");
  dlg->OnExitInitialFreq();
  ASSERT_FALSE(W<QWidget>("SaveBtn")->isEnabled());
  link.failCommand = "*SP0";
  W<QPushButton>("StartBtn")->click();
  EXPECT_FALSE(W<QWidget>("SaveBtn")->isEnabled());
  EXPECT_TRUE(W<QWidget>("PrintBtn")->isEnabled());
  EXPECT_FLOAT_EQ(dlg->Sweep().initialFreq, 1170.0f);
  EXPECT_EQ(W<QLineEdit>("InitialFreqEdit")->text(), "1170,00");
}

// Print after such a Start tells the range and scale of the trace it prints, not the ones typed.
TEST_F(DlgFixture, PrintAfterAFailedStartTellsTheKeptSweepsRangeAndScale) {
  dlg->StartBtnClick();
  Type("InitialFreqEdit", "1170,00");
  dlg->OnExitInitialFreq();
  Type("FinalFreqEdit", "1190,00");
  dlg->OnExitFinalFreq();
  W<QComboBox>("ReferenceLevelCombo")->setCurrentIndex(2);
  link.failCommand = "*SP0";
  W<QPushButton>("StartBtn")->click();
  link.failCommand.clear();
  const QString pdf = tmp.filePath("kept.pdf");
  dlg->Printer().setOutputFormat(QPrinter::PdfFormat);
  dlg->Printer().setOutputFileName(pdf);
  dlg->confirmPrint = [](QPrinter&) { return true; };
  dlg->PrintBtnClick();
  QProcess pdftotext;
  pdftotext.start("pdftotext", {"-layout", pdf, "-"});
  ASSERT_TRUE(pdftotext.waitForFinished(20000));
  const QString text = QString::fromUtf8(pdftotext.readAllStandardOutput());
  EXPECT_TRUE(text.contains("10 dBuV/div, 4 MHz/div, from 1165,00 MHz to 1205,00 MHz, with reference (max) 70 dBuV"))
      << text.toStdString();
}

TEST(SpectrumLogFile, MatchesTheGoldenFile) {
  TSpectrumLogFile file;
  file.initialFreq = 860;
  file.finalFreq = 866;
  file.stepFreq = 1;
  file.frequencies = {860, 861, 862, 863.1f, 864.1f, 865.1f};
  file.levels = {{25, 31.5f, 37.5f, 70, 64, 58}, {25.1f, 31.4f, 37.6f, 69.9f, 0, 0}};
  file.snapTimes = {"9:05", "9:06"};
  file.rows = 3;  // never more than the table holds
  file.date = "7/3/2024";
  file.time = "9:07";
  QFile golden(CV_TEST_DATA_DIR "/spectrum/logger_860_866.csv");
  ASSERT_TRUE(golden.open(QIODevice::ReadOnly));
  EXPECT_EQ(file.Text(), golden.readAll().toStdString());
}

}  // namespace
