// The CORVANE-4 data logger and its result sheet against the simulated meter: the 43-character
// memory record, the value decoding, the selection messages, the download with Cancel, the CSV
// files, the sheet's paging, identification and printed header.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTableWidget>
#include <QTimer>
#include <QToolButton>
#include <fstream>
#include <regex>

#include "AppServices.h"
#include "Cv4Equip.h"
#include "Cv4Logger.h"
#include "Cv4Sim.h"
#include "Datalogdlg.h"
#include "Datalogsheetdlg.h"
#include "FileSizeLimit.h"
#include "HostForm.h"
#include "LoggerRecords.h"
#include "Printers.h"
#include "PythonCsv.h"
#include "Registry.h"
#include "SaveLimits.h"
#include "StartDir.h"

namespace {

using cv::cv4::Cv4LoggerFamily;
using cv::cv4::TCv4Equip;
using cv::logger::TLoggerMemory;
using cvsim::Corvane4Profile;

// The decoders on the family's table, one case a row.
TEST(Cv4LoggerRecords, MemoryRecordsAndValues) {
  const std::string record = Corvane4Profile::Cv4Record(4, Corvane4Profile::DefaultLoggerMemory(4));
  ASSERT_EQ(record.size(), 43u);
  {
    cv::logger::MemoryTable table;
    std::vector<std::string> log;
    EXPECT_TRUE(cv::logger::ParseMemoryReply(record, table, [&](const std::string& l) { log.push_back(l); },
                                             Cv4LoggerFamily()));
    EXPECT_TRUE(log.empty());
    EXPECT_EQ(table[3].number, 4);
    EXPECT_STREQ(table[3].name, "M004");
    EXPECT_EQ(table[3].measure, 3);
    EXPECT_FALSE(cv::logger::ParseMemoryReply(record.substr(0, 42), table,
                                              [&](const std::string& l) { log.push_back(l); }, Cv4LoggerFamily()));
    EXPECT_EQ(log, std::vector<std::string>{"Longer SR answer expected from the equipment"});
  }
  auto memory = [](int measure, int units) {
    TLoggerMemory m;
    m.measure = static_cast<uint8_t>(measure);
    m.units = static_cast<uint8_t>(units);
    return m;
  };
  const struct Row {
    const char* what;
    TLoggerMemory memory;
    const char* reply;
    char decimal;
    const char* cell;
  } rows[] = {
      {"qualifier neither <, = nor >", memory(0, 0), "*DLX+1F4", ',', "X"},
      {"short reply", memory(0, 0), "*DL=+1F", ',', ""},
      {"level dBuV", memory(0, 0), "*DL=+1F4", ',', "    50,0"},
      {"level dBmV corrected", memory(0, 1), "*DL=+1F4", ',', "   -10,0"},
      {"power dBm corrected", memory(2, 2), "*DL=+2F0", '.', "   -33.5"},
      {"V/A not corrected", memory(1, 1), "*DL=+1F4", ',', "    50,0"},
      {"C/N auto not corrected", memory(3, 2), "*DL=+1F4", ',', "    50,0"},
      {"C/N referenced not corrected", memory(7, 1), "*DL=+1F4", '.', "    50.0"},
      {"BER 0x0A3", memory(4, 5), "*DL=+0A3", ',', "   5,0E+03"},
      {"BER 0x0B0", memory(6, 5), "*DL<+0B0", '.', "<  5.0E-16"},
      {"sign of a positive value", memory(0, 0), "*DL>-1F4", '.', ">-  50.0"},
  };
  for (const Row& r : rows)
    EXPECT_EQ(cv::logger::ParseDataReply(r.memory, r.reply, r.decimal, Cv4LoggerFamily()), r.cell) << r.what;
}

// Print All into `pdf`, read back as text.
QString PrintedText(TDataLoggerSheetDlg& sheet, const QString& pdf) {
  sheet.confirmPrint = [pdf](QPrinter& printer) {
    printer.setOutputFileName(pdf);  // a ".pdf" name makes the printer write a PDF file
    return printer.outputFormat() == QPrinter::PdfFormat;
  };
  sheet.PrintAllBtnClick();
  QProcess pdftotext;
  pdftotext.start("pdftotext", {"-layout", pdf, "-"});
  EXPECT_TRUE(pdftotext.waitForFinished(20000));
  return QString::fromUtf8(pdftotext.readAllStandardOutput());
}

// The date and time of the title line masked; the file's Windows-1252 bytes kept as they are.
std::string Masked(const std::string& text) {
  static const std::regex stamp(R"(CvTools\. \d+/\d+/\d{4}\(\d+:\d\d\))");
  return std::regex_replace(text, stamp, "CvTools. D(T)");
}

class Cv4Logger : public ::testing::Test, public Cv4Sim {
 protected:
  void SetUp() override {
    cv::SetInstalledPrinterCount(0);
    cv::SetRegistryFile(start.Path("registry.ini"));
    ASSERT_NO_FATAL_FAILURE(StartSim());
    equip.reset(TCv3Equip::Build<TCv4Equip>(&host.form, &port));
    ASSERT_NO_FATAL_FAILURE(SettleAndOpen());
    ASSERT_NO_FATAL_FAILURE(SettleAfterWakeLine());
    Make(',', ';');
  }
  void TearDown() override {
    sheet.reset();
    dlg.reset();
    port.Close();
    cv::SetInstalledPrinterCount(-1);
    cv::SetRegistryFile("");
  }
  void Make(char decimal, char list) {
    sheet.reset();
    dlg.reset();
    equip->decimalSeparator = decimal;
    equip->listSeparator = list;
    std::unique_ptr<QDialog> made = cv::cv4::MakeDataLoggerDlg4(&host.form, equip.get());
    dlg.reset(static_cast<TDataLoggerDlg*>(made.release()));
    dlg->runViewer = [this] { ++viewerRuns; };
    Settle();
    sim->ClearTraffic();
    host.Clear();
  }
  void Click(const char* name) { dlg->findChild<QPushButton*>(name)->click(); }
  std::vector<std::string> Sent(const std::string& prefix) {
    Settle();
    std::vector<std::string> out;
    for (const std::string& l : sim->Lines())
      if (l.rfind(prefix, 0) == 0) out.push_back(l);
    return out;
  }
  // A download of the meter's selection (every third memory, every fourth test point).
  void Download() {
    Click("ReceiveDataBtn");
    ASSERT_TRUE(dlg->Logger().download);
  }
  TDataLoggerSheetDlg& OpenSheet() {
    sheet = std::make_unique<TDataLoggerSheetDlg>(dlg.get(), equip.get());
    grid = sheet->findChild<QTableWidget*>("StringGrid");
    return *sheet;
  }
  QString Cell(int row, int column) const { return grid->item(row, column)->text(); }
  void Press(const char* button) { sheet->findChild<QToolButton*>(button)->click(); }
  QString Info() const { return sheet->findChild<QLabel*>("InfoEquipLabel")->text(); }

  StartDir start;
  HostForm host;
  std::unique_ptr<TCv4Equip> equip;
  std::unique_ptr<TDataLoggerDlg> dlg;
  std::unique_ptr<TDataLoggerSheetDlg> sheet;
  QTableWidget* grid = nullptr;
  cv::RecordingPrompter prompter;
  int viewerRuns = 0;
};

TEST_F(Cv4Logger, NamesReadEveryTimeStampAndAShortRecordKeepsItsStatus) {
  Profile([](Corvane4Profile& p) { p.shortReplyFor = 4; });
  Click("ReceiveNamesBtn");
  EXPECT_TRUE(dlg->Logger().namesReceived);
  EXPECT_TRUE(Sent("*?VE").empty()) << "time stamps are read whatever the firmware";
  EXPECT_EQ(Sent("*?TP").size(), 99u);
  EXPECT_EQ(Sent("*?SR").size(), 99u);
  EXPECT_EQ(Sent("*?DSM").size(), 99u);
  EXPECT_EQ(host.Lines().count("Longer SR answer expected from the equipment"), 1);
  EXPECT_TRUE(dlg->Logger().memories[3].selected) << "memory 4 still gets its status";
  EXPECT_EQ(dlg->Logger().memories[3].number, 0) << "its record is not taken";
  EXPECT_EQ(dlg->Logger().testPoints[0].timeStamp, "10:01:05,03/04/05");
  EXPECT_EQ(dlg->Logger().testPoints[4].timeStamp, "10:05:05");
  EXPECT_EQ(dlg->Logger().testPoints[8].name, "TP9");
}

TEST_F(Cv4Logger, SelectionMessagesReadNothing) {
  Click("ReceiveNamesBtn");
  const struct Row {
    bool tps, memories;
    const char* box;
  } rows[] = {{false, false, "You must select Test Points and Memories"},
              {false, true, "You must select Test Points "},
              {true, false, "You must select Memories"}};
  for (const Row& r : rows) {
    SCOPED_TRACE(r.box);
    Click("ReceiveNamesBtn");
    if (!r.tps) Click("UnselectTPBtn");
    if (!r.memories) Click("UnselectMemBtn");
    prompter.shown.clear();
    sim->ClearTraffic();
    Click("ReceiveDataBtn");
    ASSERT_EQ(prompter.shown.size(), 1u);
    EXPECT_EQ(prompter.shown[0].text, r.box);
    EXPECT_EQ(prompter.shown[0].caption, "DataLogger Error");
    EXPECT_TRUE(Sent("*?DL").empty());
  }
}

TEST_F(Cv4Logger, DownloadWithoutPrinterReadsValuesAndOpensNoSheet) {
  Download();
  const auto& d = *dlg->Logger().download;
  EXPECT_EQ(d.MemoryCount(), 33);
  EXPECT_EQ(d.TPCount(), 25);
  EXPECT_TRUE(d.timeColumns);
  EXPECT_EQ(Sent("*?DL").size(), 33u * 25u);
  EXPECT_EQ(Sent("*?DL").front(), "*?DL0101") << "memory first, then test point";
  EXPECT_EQ(viewerRuns, 0);
  EXPECT_FALSE(host.Lines().contains("Running DataLogger viewer"));
  EXPECT_EQ(host.Lines().last(), "DataLogger done");
  EXPECT_TRUE(dlg->findChild<QPushButton*>("SaveAllBtn")->isEnabled());

  cv::SetInstalledPrinterCount(1);
  Download();
  EXPECT_EQ(viewerRuns, 1);
  EXPECT_TRUE(host.Lines().contains("Running DataLogger viewer"));
}

TEST_F(Cv4Logger, CancelBetweenTestPointsStopsTheDownload) {
  Click("ReceiveNamesBtn");
  sim->ClearTraffic();
  host.Clear();
  // The first pump after test point 1 sees the Cancel.
  QTimer::singleShot(0, dlg.get(), [this] { Click("CancelDataLogBtn"); });
  Click("ReceiveDataBtn");
  EXPECT_EQ(Sent("*?DL").size(), 33u);
  EXPECT_EQ(host.Lines().last(), "DataLogger stopped by user");
  EXPECT_EQ(viewerRuns, 0);
}

// The logger's and the sheet's CSV files with either separator pair, each read by Python's csv
// module with every row as long as its header row.
TEST_F(Cv4Logger, CsvFilesMatchTheGoldenFiles) {
  const struct Row {
    char decimal, list;
    bool sheetFile;
    const char* golden;
  } rows[] = {{',', ';', false, "logger4_semicolon.csv"},
              {'.', ',', false, "logger4_comma.csv"},
              {',', ';', true, "sheet4_semicolon.csv"},
              {'.', ',', true, "sheet4_comma.csv"}};
  for (const Row& r : rows) {
    SCOPED_TRACE(r.golden);
    Make(r.decimal, r.list);
    // Two memories and three test points, the second without a comma in its time stamp.
    Profile([](Corvane4Profile& p) {
      for (int n = 1; n <= 99; ++n) p.loggerMemories[n - 1].selected = n == 4 || n == 5;
      for (int n = 1; n <= 99; ++n) p.loggerTPSelected[n - 1] = n == 1 || n == 5 || n == 9;
      p.loggerValues[{5, 9}] = {'X', '+', "000"};
    });
    Download();
    // The file holds the download, whatever the lists show by the time it is saved.
    Click("UnselectMemBtn");
    Click("UnselectTPBtn");
    const std::string path = start.Path(r.golden);
    if (r.sheetFile) {
      OpenSheet();
      sheet->findChild<QLineEdit*>("IdentificationEdit")->setText(QString("Job; \"17\", roof"));
      sheet->findChild<QLineEdit*>("ClientEdit")->setText(QString::fromUtf8("Client \xC3\x80"));
      sheet->findChild<QLineEdit*>("CommentsEdit")->setText("clear sky");
      sheet->chooseSaveFile = [&] { return QString::fromStdString(path); };
      sheet->SaveBtnClick();
    } else {
      dlg->chooseSaveFile = [&] { return QString::fromStdString(path); };
      Click("SaveAllBtn");
    }
    EXPECT_EQ(host.Lines().last(), QString("DataLogger file: ") + r.golden);
    const std::string text = Masked(cvtest::FileBytes(path));
    const std::string goldenPath = std::string(CV_TEST_DATA_DIR) + "/cv4/" + r.golden;
    if (qEnvironmentVariableIsSet("CV_UPDATE_GOLDEN")) std::ofstream(goldenPath, std::ios::binary) << text;
    EXPECT_EQ(text, cvtest::FileBytes(goldenPath));
    const auto rows = cvtest::PythonCsvRows(path, r.list);
    const size_t header = r.sheetFile ? 5 : 1;
    ASSERT_EQ(rows.size(), header + 5 + 3);
    for (size_t i = 0; i < header; ++i) EXPECT_EQ(rows[i].size(), 1u) << "report line " << i + 1;
    EXPECT_EQ(rows[header + 4][0], "Time");
    EXPECT_EQ(rows[header + 4][1], "Day");
    for (size_t i = header; i < rows.size(); ++i) EXPECT_EQ(rows[i].size(), rows[header].size()) << "row " << i + 1;
    EXPECT_EQ(rows[header + 6][0], "10:05:05");
    EXPECT_EQ(rows[header + 6][1], "");
    EXPECT_EQ(rows[header + 6][2], "TP5");
  }
}

TEST_F(Cv4Logger, FailedCsvWritesAreReportedAndKeepTheOldFile) {
  Download();
  OpenSheet();
  const std::string path = start.Path("old.csv");
  struct Save {
    const char* what;
    std::function<void()> run;
  } saves[] = {{"logger", [&] { Click("SaveAllBtn"); }}, {"sheet", [&] { sheet->SaveBtnClick(); }}};
  dlg->chooseSaveFile = [&] { return QString::fromStdString(path); };
  sheet->chooseSaveFile = dlg->chooseSaveFile;
  for (const Save& s : saves) {
    SCOPED_TRACE(s.what);
    { std::ofstream(path) << "old contents\n"; }
    host.Clear();
    prompter.shown.clear();
    {
      cvtest::FileSizeLimit limit(60);  // the first line fits, the rest does not
      s.run();
    }
    EXPECT_TRUE(host.Lines().join('|').contains(QString::fromStdString("Couldn't write file " + path)))
        << host.Lines().join('|').toStdString();
    EXPECT_FALSE(host.Lines().join('|').contains("DataLogger file: "));
    EXPECT_EQ(prompter.shown.size(), 1u);
    EXPECT_EQ(cvtest::FileBytes(path), "old contents\n");
    cvtest::ExpectWholeOrOldFile(path, [&] {
      host.Clear();
      s.run();
      return host.Lines().join('|').contains("DataLogger file: ");
    });
  }
}

// A download of `memories` x `tps`, each shown value its ordinals.
void FakeDownload(TDataLoggerDlg& dlg, int memories, int tps) {
  auto d = std::make_shared<cv::logger::TLoggerDownload>();
  d->family = &Cv4LoggerFamily();
  d->timeColumns = true;
  for (int k = 0; k < memories; ++k) {
    d->wantedMemories.push_back(k);
    TLoggerMemory m;
    m.number = static_cast<uint8_t>(k + 1);
    std::snprintf(m.name, sizeof m.name, "N%03u", static_cast<unsigned>(k + 1) % 1000u);
    m.band = 'T';
    d->memories.push_back(m);
  }
  for (int j = 0; j < tps; ++j) d->wantedTPs.push_back(j), d->timeStamps.push_back("10:00:00,03/04/05");
  d->cells.assign(memories, std::vector<std::string>(tps, "v"));
  dlg.Logger().download = d;
}

TEST_F(Cv4Logger, SheetPagingAsksTheIdentificationOnEveryRedraw) {
  const struct Row {
    const char* what;
    int memories, tps;
    const char* button;
    int presses;
    int memory, tp;
    size_t identifications;  // "*?NA" queries after the first page
  } rows[] = {
      {"9 x 18: right one does nothing", 9, 18, "RightOneBtn", 1, 1, 1, 0},
      {"9 x 18: right page does nothing", 9, 18, "RightPageBtn", 1, 1, 1, 0},
      {"9 x 18: down one does nothing", 9, 18, "DownOneBtn", 1, 1, 1, 0},
      {"9 x 18: down page does nothing", 9, 18, "DownPageBtn", 1, 1, 1, 0},
      {"9 x 18: left one does nothing", 9, 18, "LeftOneBtn", 1, 1, 1, 0},
      {"9 x 18: up one does nothing", 9, 18, "UpOneBtn", 1, 1, 1, 0},
      {"9 x 18: left page redraws", 9, 18, "LeftPageBtn", 1, 1, 1, 1},
      {"9 x 18: up page redraws", 9, 18, "UpPageBtn", 1, 1, 1, 1},
      {"10 memories: right one moves once", 10, 3, "RightOneBtn", 3, 2, 1, 1},
      {"19 test points: down one moves once", 3, 19, "DownOneBtn", 3, 1, 2, 1},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.what);
    FakeDownload(*dlg, r.memories, r.tps);
    OpenSheet();
    EXPECT_EQ(Sent("*?NA").size(), 1u) << "the first page asks once";
    sim->ClearTraffic();
    for (int i = 0; i < r.presses; ++i) Press(r.button);
    EXPECT_EQ(sheet->FirstMemory(), r.memory);
    EXPECT_EQ(sheet->FirstTP(), r.tp);
    EXPECT_EQ(Sent("*?NA").size(), r.identifications);
    sheet.reset();
    sim->ClearTraffic();
  }
  FakeDownload(*dlg, 10, 3);
  OpenSheet();
  EXPECT_EQ(grid->rowCount(), 23);
  EXPECT_EQ(grid->columnCount(), 11);
  EXPECT_EQ(Cell(1, 10), "N009");
  Press("RightOneBtn");
  EXPECT_EQ(Cell(1, 2), "N002");
  EXPECT_EQ(Cell(1, 10), "N010");
}

TEST_F(Cv4Logger, IdentificationNameVersionAndSerial) {
  FakeDownload(*dlg, 1, 1);
  OpenSheet();
  EXPECT_EQ(Info(), "CORVANE-4 v2.00. Serial: CV4-0815");
  const std::vector<std::string> sent = Sent("*");
  EXPECT_EQ(std::vector<std::string>(sent.end() - 4, sent.end()),
            (std::vector<std::string>{"*?NA", "*?VE", "*7205&", "*?I20A01F00010"}));
  sheet.reset();

  const struct Row {
    const char* reply;
    const char* serial;
  } rows[] = {{"*I2FF4356342D30383135", ""},
              {"*I25FF141", "_\xF1" "A"},  // "FF" across two bytes is no end
              {"*I24142FF4344", "AB"},
              {"*I2414200FF", "AB"},
              {"*I24142434445464748494A4B4C4D4E4F5051", "ABCDEFGHIJKLMNOP"}};
  for (const Row& r : rows) {
    SCOPED_TRACE(r.reply);
    EXPECT_EQ(cv::cv4::SerialFromReply(r.reply), r.serial);
  }
  Profile([](Corvane4Profile& p) { p.SetRegisterText(0x1F00, "\xFF" "CV4", 16); });
  OpenSheet();
  EXPECT_EQ(Info(), "CORVANE-4 v2.00. Serial: ");
  sheet.reset();
  // A silent meter: the sheet stays usable with the bare label.
  Profile([](Corvane4Profile& p) { p.refused = {"*?NA", "*?VE", "*?I20A0"}; });
  OpenSheet();
  EXPECT_EQ(Info(), ". Serial: ");
}

TEST_F(Cv4Logger, PrintedPageHeaderInBothLayouts) {
  FakeDownload(*dlg, 12, 30);
  OpenSheet();
  sheet->findChild<QLineEdit*>("IdentificationEdit")->setText("JOB-17");
  sheet->findChild<QLineEdit*>("ClientEdit")->setText("ACME CABLE");
  sheet->findChild<QLineEdit*>("CommentsEdit")->setText("clear sky");
  auto* layout = sheet->findChild<QComboBox*>("LayoutCombo");
  for (int index : {0, 1}) {
    SCOPED_TRACE(index);
    layout->setCurrentIndex(index);
    const QString text = PrintedText(*sheet, start.filePath(QString("sheet%1.pdf").arg(index)));
    const QString first = text.split('\f').first();
    EXPECT_TRUE(first.contains("DATALOGGER generated by CvTools")) << first.toStdString();
    EXPECT_TRUE(first.contains(QRegularExpression(R"(: \d+/\d+/\d{4} \(\d+:\d\d\))"))) << first.toStdString();
    EXPECT_TRUE(first.contains("IDENTIFICATION:")) << first.toStdString();
    EXPECT_TRUE(first.contains("JOB-17"));
    EXPECT_TRUE(first.contains("CLIENT:"));
    EXPECT_TRUE(first.contains("ACME CABLE"));
    EXPECT_TRUE(first.contains("OBS:"));
    EXPECT_TRUE(first.contains("CORVANE-4 v2.00. Serial: CV4-0815. clear sky"));
    EXPECT_TRUE(first.contains("Page 1 /"));
  }
}

// The "OBS:" row keeps a CORVANE-4 comment of up to 220 characters whole, however long the
// equipment text; the CORVANE-3 cuts the whole row at 255 instead. Both bounds on both sides.
TEST(Cv4LoggerSheet, ObsRowKeepsTheFamilysCommentLength) {
  const std::string equipment = "CORVANE-4 v2.00. Serial: CV4-0815";
  // A comment with the list separator, quotes and a Windows-1252 letter in it.
  auto comment = [](size_t length) {
    std::string c = "#; \"roof\" caf\xE9 ";
    while (c.size() < length) c += static_cast<char>('a' + c.size() % 26);
    c.resize(length);
    return c;
  };
  const size_t rest3 = 255 - equipment.size() - 2;  // what a CORVANE-3 row leaves the comment
  struct Row {
    const cv::logger::TLoggerFamily& family;
    size_t typed, kept;
  } rows[] = {{Cv4LoggerFamily(), 219, 219},
              {Cv4LoggerFamily(), 220, 220},
              {Cv4LoggerFamily(), 221, 220},
              {Cv4LoggerFamily(), 400, 220},
              {cv::logger::Corvane3LoggerFamily(), rest3, rest3},
              {cv::logger::Corvane3LoggerFamily(), rest3 + 1, rest3},
              {cv::logger::Corvane3LoggerFamily(), 400, rest3}};
  for (const Row& r : rows) {
    SCOPED_TRACE(testing::Message() << r.family.commentLength << " typed " << r.typed);
    EXPECT_EQ(cv::logger::ObsRowText(equipment, comment(r.typed), r.family), equipment + ". " + comment(r.kept));
  }
}

}  // namespace
