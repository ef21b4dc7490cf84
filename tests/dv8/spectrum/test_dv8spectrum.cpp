// The DV-800 spectrum analyser over the simulated meter: the equipment object's command layer on
// a real pseudo-terminal, every wait on a fake clock.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <chrono>
#include <functional>
#include <thread>

#include "Clock.h"
#include "Dv8Equip.h"
#include "Dv8Sim.h"
#include "Dv8Spectrum.h"
#include "HostForm.h"
#include "OutsideTools.h"
#include "PythonCsv.h"
#include "Specdlg.h"
#include "SpectrumChecks.h"

using cv::dv8::TDV8Equip;

namespace {

class Dv8Spectrum : public SpectrumOnSim<Dv8Sim, TDV8Equip> {
 protected:
  std::unique_ptr<QDialog> MakeDialog() override { return cv::dv8::MakeDv8SpectrumDlg(*equip); }
  void Make() { SpectrumOnSim::Make(',', ';'); }
  QString Text(const char* edit) { return W<QLineEdit>(edit)->text(); }
  int LoggedCount(const QString& line) const { return static_cast<int>(host.Lines().count(line)); }
  // Runs `action` from the message loop once the fake clock has reached `ms` (inside a pumped
  // wait of the sweep).
  void At(int64_t ms, std::function<void()> action) {
    auto* poll = new QTimer(dlg.get());
    poll->setInterval(0);
    QObject::connect(poll, &QTimer::timeout, dlg.get(), [this, ms, action, poll] {
      if (clock.now < ms) return;
      poll->stop();
      poll->deleteLater();
      action();
    });
    poll->start();
  }
  std::string Save(const QString& name) {
    const QString path = tmp.filePath(name);
    dlg->chooseSaveFile = [path] { return path; };
    dlg->SaveBtnClick();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {};
    return file.readAll().toStdString();
  }
  // The snapshot rows of a saved file: each row's level fields.
  static std::vector<std::vector<std::string>> Rows(const std::string& text) {
    std::vector<std::vector<std::string>> rows;
    for (const QString& line : QString::fromStdString(text).split('\n')) {
      if (!QRegularExpression("^ \\S+; \\S*; \\d+;").match(line).hasMatch()) continue;
      QStringList fields = line.split(';');
      std::vector<std::string> levels;
      for (int i = 3; i < fields.size() - 1; ++i) levels.push_back(fields[i].toStdString());
      rows.push_back(levels);
    }
    return rows;
  }
};

TEST_F(Dv8Spectrum, DefaultsListsAndBoxes) {
  EXPECT_EQ(Text("InitialFreqEdit"), "48,00");
  EXPECT_EQ(Text("FinalFreqEdit"), "52,00");
  EXPECT_EQ(Text("StepFreqEdit"), "0,05");
  EXPECT_EQ(Text("TimeStepEdit"), "5");
  EXPECT_EQ(Text("SnapsEdit"), "1");
  auto* ref = W<QComboBox>("ReferenceLevelCombo");
  ASSERT_EQ(ref->count(), 7);
  EXPECT_EQ(ref->itemText(0), "70 dB");
  EXPECT_EQ(ref->itemText(6), "130 dB");
  EXPECT_EQ(ref->currentIndex(), 0);
  auto* meas = W<QComboBox>("MeasCombo");
  QStringList items;
  for (int i = 0; i < meas->count(); ++i) items << meas->itemText(i);
  EXPECT_EQ(items, (QStringList{"Level", "V/A", "POWER", "C/N Auto", "C/N Ref"}));

  // TER sets the whole band; SAT is disabled and its handler does nothing.
  auto* sat = W<QCheckBox>("FullSatCheckBox");
  EXPECT_FALSE(sat->isEnabled());
  sat->setChecked(true);
  dlg->FullSatCheckBoxClick();
  EXPECT_EQ(Text("InitialFreqEdit"), "48,00");
  EXPECT_EQ(Text("FinalFreqEdit"), "52,00");
  W<QCheckBox>("FullTerCheckBox")->setChecked(true);
  dlg->FullTerCheckBoxClick();
  EXPECT_EQ(Text("InitialFreqEdit"), "5,00");
  EXPECT_EQ(Text("FinalFreqEdit"), "862,00");
}

TEST_F(Dv8Spectrum, FrequencyEditsTakeTheTerrestrialBandOnly) {
  struct Row {
    const char* edit;
    const char* text;
    bool accepted;
  } rows[] = {
      {"FinalFreqEdit", "862", true},      {"FinalFreqEdit", "862,01", false}, {"InitialFreqEdit", "5", true},
      {"FinalFreqEdit", "5", false},       {"FinalFreqEdit", "5,01", true},    {"InitialFreqEdit", "4,99", false},
      {"InitialFreqEdit", "862", true},    {"InitialFreqEdit", "862,01", false}, {"InitialFreqEdit", "1000", false},
      {"FinalFreqEdit", "2150", false},    {"FinalFreqEdit", "20", true},  // below the initial: left to Start
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(std::string(r.edit) + " " + r.text);
    Make();
    beeps = 0;
    const QString before = Text(r.edit);
    Type(r.edit, r.text);
    if (r.accepted) {
      EXPECT_EQ(beeps, 0);
      EXPECT_FALSE(W<QPushButton>("SaveBtn")->isEnabled());
    } else {
      EXPECT_EQ(beeps, 1);
      EXPECT_EQ(Text(r.edit), before);  // the stored value shown again
    }
  }
  // An initial above the final is taken by the edit and refused at Start.
  Make();
  Type("InitialFreqEdit", "60");
  EXPECT_EQ(dlg->Sweep().initialFreq, 60.0f);
  boxes.clear();
  dlg->StartBtnClick();
  ASSERT_FALSE(boxes.empty());
  EXPECT_EQ(boxes[0], "Bad frequency values");
  EXPECT_TRUE(Tunings().empty());
  EXPECT_EQ(dlg->Sweep().state, 0);
}

TEST_F(Dv8Spectrum, StartChecksAndSweeps) {
  struct Row {
    float initial, final, step;
    const char* box;  // nullptr: the sweep runs
    int points;
    const char* stepShown;
    std::vector<float> swept;  // the first and last tuned frequencies, or all of them
  } rows[] = {
      {5, 862, 0.05f, "17141 points: Too many points to make the spectrum\nNew suggested step value: 3.50", 17141,
       "3,50", {}},
      {48, 52, 0.05f, nullptr, 81, "0,05", {48.0f, 52.0f}},
      {100, 100.1f, 0.05f, "Not enough points to make the spectrum\nMinimun number of points: 4", 3, "0,05", {}},
      // No gap at 862 MHz: evenly across it.
      {860, 864, 1, nullptr, 5, "1,00", {860, 861, 862, 863, 864}},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(std::to_string(r.initial) + ".." + std::to_string(r.final));
    Make();
    boxes.clear();
    host.Clear();
    sim->ClearTraffic();
    TSpectrumSweep& s = dlg->Sweep();
    s.initialFreq = r.initial;
    s.finalFreq = r.final;
    s.stepFreq = r.step;
    const int64_t started = clock.now;
    dlg->StartBtnClick();
    EXPECT_EQ(s.points, r.points);
    EXPECT_EQ(Text("StepFreqEdit").toStdString(), r.stepShown);
    const std::vector<std::string> tunings = Tunings();
    if (r.box) {
      ASSERT_EQ(boxes.size(), 1u);
      EXPECT_EQ(boxes[0], r.box);
      EXPECT_TRUE(tunings.empty());
      continue;
    }
    EXPECT_TRUE(boxes.empty());
    ASSERT_EQ(s.state, 1) << host.Lines().join('\n').toStdString();
    ASSERT_EQ(static_cast<int>(tunings.size()), r.points);
    auto word = [](float mhz) {
      char w[16];
      std::snprintf(w, sizeof w, "*FRT%04x", static_cast<unsigned>(std::trunc((mhz + 38.9) * 20 + 0.5)));
      return std::string(w);
    };
    if (r.swept.size() == tunings.size()) {
      for (size_t i = 0; i < tunings.size(); ++i) EXPECT_EQ(tunings[i], word(r.swept[i])) << i;
    } else {
      EXPECT_EQ(tunings.front(), word(r.swept.front()));
      EXPECT_EQ(tunings.back(), word(r.swept.back()));
    }
    EXPECT_EQ(clock.now - started, r.points * (1000 + 75));
    EXPECT_TRUE(Logged("Taking snap 1/1"));
    EXPECT_TRUE(Logged("Snaps finished"));
    const std::vector<std::string> lines = Sent();
    EXPECT_EQ(std::vector<std::string>(lines.begin(), lines.begin() + 6),
              (std::vector<std::string>{"*SP0", "*7205&", "*MF0F", "*?SY", "*?SP", "*ME0"}));
    EXPECT_EQ(std::vector<std::string>(lines.end() - 2, lines.end()), (std::vector<std::string>{"*7205&", "*MF1F"}));
  }
  // The carrier at 49.75 MHz stands out of the floor.
  TSpectrumSweep& s = dlg->Sweep();
  s.initialFreq = 48;
  s.finalFreq = 52;
  s.stepFreq = 0.05f;
  dlg->StartBtnClick();
  ASSERT_EQ(s.levels.size(), 1u);
  EXPECT_NEAR(s.levels[0][35], 66.0f, 0.05f);
  EXPECT_LT(s.levels[0][0], 30.0f);
}

TEST_F(Dv8Spectrum, NineHundredMegahertzIsRefusedWithoutSending) {
  TSpectrumSweep& s = dlg->Sweep();
  s.initialFreq = 898;
  s.finalFreq = 901;
  s.stepFreq = 1;
  dlg->StartBtnClick();
  EXPECT_EQ(Tunings(), (std::vector<std::string>{"*FRT4932", "*FRT4946"}));  // 898, 899
  EXPECT_TRUE(Logged("Error when sending Frequency"));
  EXPECT_TRUE(Logged("Error when doing first snap"));
  EXPECT_EQ(s.pointIndex, 2);
  EXPECT_EQ(s.state, 0);
}

TEST_F(Dv8Spectrum, StopInsideASweepKeepsThePartialRowAndSavesEveryPoint) {
  TSpectrumSweep& s = dlg->Sweep();
  At(10 * 1075 + 500, [this] { dlg->StartBtnClick(); });
  dlg->StartBtnClick();
  EXPECT_TRUE(Logged("Snap stopped by user"));
  EXPECT_EQ(s.state, 0);
  EXPECT_EQ(s.pointIndex, 11);
  EXPECT_EQ(Tunings().size(), 11u);
  // Save is disabled in state 0, but its handler still writes what the run left.
  const std::vector<std::vector<std::string>> rows = Rows(Save("partial.csv"));
  ASSERT_EQ(rows.size(), 1u);
  ASSERT_EQ(rows[0].size(), 81u);
  EXPECT_NE(rows[0][10], "   0,0");
  for (size_t i = 11; i < 81; ++i) EXPECT_EQ(rows[0][i], "   0,0") << i;
}

TEST_F(Dv8Spectrum, SnapshotsFollowTheirTimerAndTheRowsAllocatedAtStart) {
  Type("SnapsEdit", "3");
  Type("TimeStepEdit", "5");
  dlg->StartBtnClick();
  EXPECT_EQ(LoggedCount("Taking snap 1/3"), 1);
  // The countdown shows 4, 3, 2, 1, 0; the sixth tick takes the next snapshot.
  for (int tick = 1; tick <= 5; ++tick) {
    dlg->LessToNextSnap();
    EXPECT_EQ(Text("CurrentTimeStepEdit"), QString::number(5 - tick));
  }
  EXPECT_FALSE(Logged("Taking snap 2/3"));
  // Raising the count with the up-down during the run changes nothing of this run.
  W<QScrollBar>("SnapsUpDown")->setValue(9);
  EXPECT_EQ(dlg->Sweep().snapshots, 9);
  dlg->LessToNextSnap();
  EXPECT_EQ(LoggedCount("Taking snap 2/3"), 1);
  for (int tick = 0; tick < 6; ++tick) dlg->LessToNextSnap();
  EXPECT_EQ(LoggedCount("Taking snap 3/3"), 1);
  EXPECT_EQ(LoggedCount("Snaps finished"), 1);
  EXPECT_EQ(dlg->Sweep().state, 1);
  for (int tick = 0; tick < 12; ++tick) dlg->LessToNextSnap();  // the timer is off: a stray tick
  EXPECT_FALSE(Logged("Taking snap 4/3"));
  EXPECT_FALSE(Logged("Taking snap 4/9"));
  ASSERT_EQ(dlg->Sweep().levels.size(), 3u);
  // Raised again after the run, before Save: the file holds the run's three rows.
  W<QScrollBar>("SnapsUpDown")->setValue(12);
  const std::vector<std::vector<std::string>> rows = Rows(Save("three.csv"));
  ASSERT_EQ(rows.size(), 3u);
  for (const auto& row : rows) EXPECT_EQ(row.size(), 81u);
  // The next Start takes the new count.
  host.Clear();
  dlg->StartBtnClick();
  EXPECT_TRUE(Logged("Taking snap 1/12"));
  EXPECT_EQ(dlg->Sweep().levels.size(), 12u);
  dlg->StartBtnClick();  // stop, as a user does before closing
}

TEST_F(Dv8Spectrum, StartInsideTheWaitOfAStoppedSweepStartsACleanRun) {
  TSpectrumSweep& s = dlg->Sweep();
  At(5 * 1075 + 300, [this] {
    dlg->StartBtnClick();  // stop
    dlg->StartBtnClick();  // start again while the stopped sweep is still inside its wait
  });
  dlg->StartBtnClick();
  for (int i = 0; i < 5; ++i) QCoreApplication::processEvents();
  EXPECT_EQ(s.state, 1);
  EXPECT_EQ(LoggedCount("Taking snap 1/1"), 2);
  EXPECT_EQ(LoggedCount("Snaps finished"), 1);
  // The second run swept all 81 points from 48 MHz: 6 of the first, 81 of the second.
  const std::vector<std::string> tunings = Tunings();
  ASSERT_EQ(tunings.size(), 6u + 81u);
  EXPECT_EQ(tunings[6], "*FRT06ca");  // 48 MHz
  EXPECT_EQ(s.pointIndex, 81);
  for (float level : s.levels[0]) EXPECT_GT(level, 0.0f);
}

TEST_F(Dv8Spectrum, AskMeasurementByTheFamilysModes) {
  TSpectrumSweep& s = dlg->Sweep();
  dlg->StartBtnClick();
  ASSERT_EQ(s.state, 1);
  s.currentFreq = 49.75f;
  struct Row {
    int item;
    const char* command;
    int waitMs;
    const char* units;
    const char* received;
    const char* name;
  } rows[] = {
      {0, "*ME0", 1500, "dBuV", "Level received", "Level"},
      {1, "*ME1", 1500, "dB", "V/A received", "V/A"},
      {2, "*ME2", 1500, "dBuV", "Power received", "POWER"},
      {3, "*ME3", 6000, "dB", "C/N auto received", "C/N auto"},  // "*SY000": index 5 is missing
      {4, "*ME7", 3000, "dB", "C/N referenced received", "C/N referenced"},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.command);
    host.Clear();
    sim->ClearTraffic();
    clock.sleptMs = 0;
    W<QComboBox>("MeasCombo")->setCurrentIndex(r.item);
    dlg->MeasBtnClick();
    std::vector<std::string> expected{"*SP0", "*7205&", "*MF1F", "*FRT06ed"};
    if (r.item == 3) expected.push_back("*?SY");
    expected.push_back(r.command);
    expected.push_back("*?LV");
    EXPECT_EQ(Sent(), expected);
    EXPECT_EQ(clock.sleptMs, r.waitMs);
    EXPECT_EQ(W<QLabel>("UnitsLabel")->text().toStdString(), r.units);
    EXPECT_TRUE(Logged(r.received));
    EXPECT_STREQ(s.meas.name, r.name);
    EXPECT_EQ(s.state, 3);
    EXPECT_TRUE(W<QPushButton>("MeasBtn")->isEnabled());
    EXPECT_EQ(Text("CurrentFreqEdit"), "49,75");
  }
  EXPECT_EQ(Text("CurrentLevelEdit"), "=+ 38,5");  // the simulated ratio
  // C/N auto: '6' or '7' at index 5 of the system reply is a stable reading.
  for (const char* system : {"*SY0060", "*SY0070", "*SY0080", "*SY00"}) {
    SCOPED_TRACE(system);
    Profile([&](cvsim::Dv8Profile& p) { p.systemReply = system; });
    host.Clear();
    clock.sleptMs = 0;
    W<QComboBox>("MeasCombo")->setCurrentIndex(3);
    dlg->MeasBtnClick();
    const bool stable = std::strlen(system) > 5 && (system[5] == '6' || system[5] == '7');
    EXPECT_EQ(clock.sleptMs, stable ? 1500 : 6000);
    EXPECT_EQ(Logged("Please wait. Waiting stable measurement..."), !stable);
  }
}

TEST_F(Dv8Spectrum, SavedFileMatchesItsGoldenAndReadsAsCsv) {
  dlg->StartBtnClick();
  ASSERT_EQ(dlg->Sweep().state, 1);
  const std::string saved = Save("dv8_spectrum_48_52.csv");
  ASSERT_TRUE(Logged("Spectrums saved in: dv8_spectrum_48_52.csv"));
  const QString text = WithoutMoment(QString::fromLatin1(saved.c_str()));
  EXPECT_TRUE(text.contains("# DV-800 Spectrum Logger output file\n"));
  EXPECT_TRUE(text.contains("# DV-800 Spectrum Logger end\n"));
  ExpectLoggerGolden(QByteArray::fromStdString(saved), CV_TEST_DATA_DIR "/dv8/dv8_spectrum_48_52.csv");
  // A spreadsheet's reader takes the frequency row and the snapshot as 81 numbers each.
  int table = 0;
  for (const std::vector<std::string>& row : cvtest::PythonCsvRows(tmp.filePath("dv8_spectrum_48_52.csv").toStdString(), ';')) {
    if (row.size() <= 20) continue;
    ++table;
    ASSERT_EQ(row.size(), 3u + 81u + 1u);
    EXPECT_EQ(row.back(), "");
    for (size_t i = 3; i < 84; ++i) EXPECT_TRUE(QString::fromStdString(row[i]).trimmed().contains(QRegularExpression("^\\d+,\\d+$"))) << row[i];
  }
  EXPECT_EQ(table, 2);
}

TEST(Dv8SpectrumScale, LevelAndFrequencyDivisions) {
  TSpectrumScale scale;
  scale.SetLevelScale(0);
  EXPECT_EQ(scale.levelBottom, 20);
  EXPECT_EQ(scale.levelTop, 70);
  for (int i = 0; i <= 5; ++i) EXPECT_EQ(scale.LevelOfDivision(i), 20 + 10 * i);
  EXPECT_EQ(scale.LevelToY(20), 0);
  EXPECT_EQ(scale.LevelToY(21), 4);
  EXPECT_EQ(scale.LevelToY(70), 200);
  struct Row {
    float initial, final;
    int perDiv, divisions, lastLine;
  } rows[] = {{48, 52, 1, 5, 52}, {5, 862, 86, 10, 779}, {100.2f, 100.8f, 1, 2, 101}, {860, 864, 1, 5, 864}};
  for (const Row& r : rows) {
    SCOPED_TRACE(r.initial);
    scale.ComputeScale(r.initial, r.final);
    EXPECT_EQ(scale.mhzPerDiv, r.perDiv);
    EXPECT_EQ(scale.freqDivisions, r.divisions);
    EXPECT_EQ(scale.FreqOfDivision(scale.freqDivisions - 1), r.lastLine);
    EXPECT_LE(scale.FreqToX(scale.FreqOfDivision(scale.freqDivisions - 1)), scale.width);
    EXPECT_EQ(scale.FreqToX(scale.startMHz), 0);
  }
}

TEST_F(Dv8Spectrum, PrintsOnePageNamingThePlugIn) {
  dlg->StartBtnClick();
  EXPECT_EQ(W<QLabel>("FreqDivLabel")->text(), "1 MHz/div");
  const QString pdf = tmp.filePath("spectrum.pdf");
  dlg->Printer().setOutputFormat(QPrinter::PdfFormat);
  dlg->Printer().setOutputFileName(pdf);
  dlg->confirmPrint = [](QPrinter&) { return true; };
  dlg->PrintBtnClick();
  EXPECT_TRUE(Logged("Spectrum sent to print"));
  const QString text = outside::PdfText(pdf);
  EXPECT_EQ(text.count(QChar('\f')), 1) << text.toStdString();
  EXPECT_TRUE(text.contains("10 dBuV/div, 1 MHz/div, from 48,00 MHz to 52,00 MHz, with reference (max) 70 dBuV"))
      << text.toStdString();
  EXPECT_TRUE(text.contains("Spectrum generated by DV8Tools 1.14:")) << text.toStdString();

  // A span inside one whole MHz sweeps, draws and prints.
  TSpectrumSweep& s = dlg->Sweep();
  s.initialFreq = 100.2f;
  s.finalFreq = 100.8f;
  dlg->StartBtnClick();
  ASSERT_EQ(s.state, 1);
  EXPECT_EQ(dlg->FreqLabels().size(), 2u);
  dlg->PrintBtnClick();
  EXPECT_TRUE(outside::PdfText(pdf).contains("from 100,20 MHz to 100,80 MHz"));
}

TEST_F(Dv8Spectrum, DraggingWithTheRightButtonDoesNothing) {
  dlg->StartBtnClick();
  dlg->show();
  auto* image = dlg->findChild<QWidget*>("SpecImage");
  ASSERT_NE(image, nullptr);
  const QImage before = image->grab().toImage();
  auto send = [&](QEvent::Type type, QPoint at, Qt::MouseButton button, Qt::MouseButtons held) {
    QMouseEvent e(type, at, image->mapToGlobal(at), button, held, Qt::NoModifier);
    QApplication::sendEvent(image, &e);
  };
  send(QEvent::MouseButtonPress, {20, 20}, Qt::RightButton, Qt::RightButton);
  send(QEvent::MouseMove, {120, 150}, Qt::NoButton, Qt::RightButton);
  EXPECT_FALSE(W<QTableWidget>("DeltaStringGrid")->isVisible());
  EXPECT_EQ(image->grab().toImage(), before);
  send(QEvent::MouseButtonRelease, {120, 150}, Qt::RightButton, Qt::NoButton);
  // The left button shows the readout.
  send(QEvent::MouseButtonPress, {20, 20}, Qt::LeftButton, Qt::LeftButton);
  EXPECT_TRUE(W<QTableWidget>("DeltaStringGrid")->isVisible());
  send(QEvent::MouseButtonRelease, {20, 20}, Qt::LeftButton, Qt::NoButton);
  dlg->hide();
}

TEST_F(Dv8Spectrum, TheHostsSpectrumButtonOpensTheDialog) {
  dlg.reset();
  ExpectSpectrumButtonOpensDialog(*equip, host, port, [](TSpectrumDlg& d) {
    EXPECT_EQ(d.findChild<QLineEdit*>("InitialFreqEdit")->text(), "48,00");
  });
}

}  // namespace
