// The DV-800 data logger: the cell text of one value under the family's sign rule, and the
// logger opened from the host's Data Logger button against the simulated meter, whose firmware
// version decides whether test-point time stamps are asked, with its CSV file and printed sheet.
#include <gtest/gtest.h>

#include <QApplication>
#include <QPushButton>
#include <QRegularExpression>
#include <fstream>
#include <regex>

#include "Datalogdlg.h"
#include "Datalogsheetdlg.h"
#include "Dv8Equip.h"
#include "Dv8Logger.h"
#include "Dv8Sim.h"
#include "FamilySettingsSim.h"
#include "LoggerRecords.h"
#include "OutsideTools.h"
#include "Printers.h"
#include "PythonCsv.h"
#include "Registry.h"
#include "SaveLimits.h"
#include "ToolButtonChecks.h"

namespace {

using cv::dv8::Dv8LoggerFamily;
using cv::dv8::TDV8Equip;
using cv::logger::TLoggerMemory;
using cvsim::Dv8Profile;

TLoggerMemory Memory(int measure, int units) {
  TLoggerMemory m;
  m.measure = static_cast<uint8_t>(measure);
  m.units = static_cast<uint8_t>(units);
  return m;
}

TEST(Dv8LoggerCells, OneValueAsTheSheetShowsIt) {
  const struct Row {
    const char* what;
    TLoggerMemory memory;
    const char* reply;
    const char* cell;
    const char* units;
  } rows[] = {
      {"dBm level, '=', '-': negative, the sign adds nothing", Memory(0, 2), "*DL=-3A2", "   -15.8", "(dBm)"},
      {"dBuV level, '<', '-': not negative, the sign shows", Memory(0, 0), "*DL<-1F4", "<-  50.0", "(dBuV)"},
      {"dBmV level, '>', '+'", Memory(2, 1), "*DL>+1F4", ">  -10.0", "(dBmV)"},
      {"BER word 4F9 with '-': the sign is not shown", Memory(6, 5), "*DL=-4F9", "   3.9E-06", ""},
      {"BER word 4F9 with '+'", Memory(4, 5), "*DL<+4F9", "<  3.9E-06", ""},
      {"relation 'E': the letter alone", Memory(0, 0), "*DLE-3A2", "E", "(dBuV)"},
      {"C/N auto in dBmV: no offset, in dB", Memory(3, 1), "*DL=+1F4", "    50.0", "(dB)"},
      {"V/A in dBm: no offset, in dB", Memory(1, 2), "*DL=+1F4", "    50.0", "(dB)"},
      {"short reply: nothing", Memory(0, 0), "*DL=-3A", "", "(dBuV)"},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.what);
    EXPECT_EQ(cv::logger::ParseDataReply(r.memory, r.reply, '.', Dv8LoggerFamily()), r.cell);
    EXPECT_STREQ(cv::logger::UnitName(r.memory.units, r.memory.measure, Dv8LoggerFamily()), r.units);
  }
  EXPECT_EQ(cv::logger::ParseDataReply(Memory(0, 0), "*DL<-1F4", ',', Dv8LoggerFamily()), "<-  50,0");
  EXPECT_STREQ(cv::logger::MeasureName(3, Dv8LoggerFamily()), "C/N auto");
  EXPECT_STREQ(cv::logger::MeasureName(8, Dv8LoggerFamily()), "???");
}

// A ratio carries no level unit: C/N and V/A show the meter's figure whatever the memory's units
// code, while a level takes each unit's offset.
TEST(Dv8LoggerCells, RatiosKeepTheirValueUnderEveryLevelUnit) {
  const struct Unit {
    int code;
    const char* levelCell;  // 93.0 as a level in this unit
    const char* levelUnits;
  } units[] = {{0, "    93.0", "(dBuV)"}, {1, "    33.0", "(dBmV)"}, {2, "   -15.8", "(dBm)"}, {3, "    93.0", "(dBuV)"}};
  for (const Unit& u : units) {
    SCOPED_TRACE(u.levelUnits);
    for (int ratio : {1, 3, 7}) {  // V/A, C/N auto, C/N refer.
      SCOPED_TRACE(cv::logger::MeasureName(ratio, Dv8LoggerFamily()));
      EXPECT_EQ(cv::logger::ParseDataReply(Memory(ratio, u.code), "*DL=+14C", '.', Dv8LoggerFamily()), "    33.2");
      EXPECT_EQ(cv::logger::ParseDataReply(Memory(ratio, u.code), "*DL<-14C", ',', Dv8LoggerFamily()), "<-  33,2");
      EXPECT_STREQ(cv::logger::UnitName(u.code, ratio, Dv8LoggerFamily()), "(dB)");
    }
    for (int level : {0, 2}) {  // LEVEL, POWER
      EXPECT_EQ(cv::logger::ParseDataReply(Memory(level, u.code), "*DL=+3A2", '.', Dv8LoggerFamily()), u.levelCell);
      EXPECT_STREQ(cv::logger::UnitName(u.code, level, Dv8LoggerFamily()), u.levelUnits);
    }
  }
}

// The date and time of the title line masked.
std::string Masked(const std::string& text) {
  static const std::regex stamp(R"(CvTools\. \d+/\d+/\d{4}\(\d+:\d\d\))");
  return std::regex_replace(text, stamp, "CvTools. D(T)");
}

class Dv8Logger : public FamilySettingsSim<Dv8Sim, TDV8Equip> {
 protected:
  void SetUp() override {
    cv::SetInstalledPrinterCount(0);
    cv::SetRegistryFile(start.Path("registry.ini"));
    FamilySettingsSim::SetUp();
  }
  void TearDown() override {
    FamilySettingsSim::TearDown();
    cv::SetInstalledPrinterCount(-1);
    cv::SetRegistryFile("");
  }
  // Five memories (levels in dBuV and dBm, C/N auto, C/N refer. in dBmV, a BER COFDM memory) and
  // three test points, the second with a time stamp without a comma.
  void SelectFew(const std::string& version) {
    Profile([&](Dv8Profile& p) {
      p.version = version;
      for (int n = 1; n <= 99; ++n) p.loggerMemories[n - 1].selected = n == 1 || n == 4 || n == 7 || n == 10 || n == 13 || n == 16;
      for (int n = 1; n <= 99; ++n) p.loggerTPSelected[n - 1] = n == 1 || n == 5 || n == 9;
      p.cofdmMemory = 13;
    });
  }
  static void Click(TDataLoggerDlg& d, const char* name) { d.findChild<QPushButton*>(name)->click(); }
};

// The host's button opens the logger on the DV-800's values: 2.40 asks no "*?TP", 2.45 asks it
// for every test point; each download saved as its golden CSV file, and the sheet printed with
// the file's memory and test-point columns.
TEST_F(Dv8Logger, HostButtonVersionTimeStampsCsvAndPrintedSheet) {
  const struct Case {
    const char* version;
    size_t timeStampQueries;
    char decimal, list;
    const char* golden;
  } cases[] = {{"2.40", 0, ',', ';', "logger8_240_semicolon.csv"}, {"2.45", 99, '.', ',', "logger8_245_comma.csv"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.version);
    SelectFew(c.version);
    equip->decimalSeparator = c.decimal;
    equip->listSeparator = c.list;
    const std::string path = start.Path(c.golden);
    const QString pdf = start.filePath(QString(c.golden) + ".pdf");
    bool busy = false;
    ExpectToolButtonOpens<TDataLoggerDlg>(
        port, [&] { return equip->RunDataLogger(); },
        [&](TDataLoggerDlg& d) {
          if (busy) return false;  // the check pumps the loop it runs in
          busy = true;
          sim->ClearTraffic();
          Click(d, "ReceiveNamesBtn");
          EXPECT_TRUE(d.Logger().namesReceived);
          EXPECT_EQ(Sent("*?VE").size(), 1u) << "the version decides the time stamps";
          EXPECT_EQ(Sent("*?TP").size(), c.timeStampQueries);
          EXPECT_EQ(d.Logger().testPoints[4].name, "TP5");
          d.runViewer = [] {};
          Click(d, "ReceiveDataBtn");
          EXPECT_TRUE(d.Logger().download);
          d.chooseSaveFile = [&] { return QString::fromStdString(path); };
          Click(d, "SaveAllBtn");
          EXPECT_EQ(host.Lines().last(), QString("DataLogger file: ") + c.golden);
          TDataLoggerSheetDlg sheet(&d, equip.get());
          sheet.confirmPrint = [&](QPrinter& printer) {
            printer.setOutputFileName(pdf);
            return printer.outputFormat() == QPrinter::PdfFormat;
          };
          sheet.PrintAllBtnClick();
          Click(d, "CloseDataLogBtn");
          return true;
        },
        false);
    const std::string text = Masked(cvtest::FileBytes(path));
    const std::string goldenPath = std::string(CV_TEST_DATA_DIR) + "/dv8/" + c.golden;
    if (qEnvironmentVariableIsSet("CV_UPDATE_GOLDEN")) std::ofstream(goldenPath, std::ios::binary) << text;
    EXPECT_EQ(text, cvtest::FileBytes(goldenPath));

    // The printed sheet's rows, blanks aside, end as the file's rows do (memory columns, then
    // one row a test point, its name first), in the file's order.
    const auto rows = cvtest::PythonCsvRows(path, c.list);
    ASSERT_EQ(rows.size(), 9u);
    auto bare = [](QString text) { return text.remove(QRegularExpression("\\s")); };
    QStringList printed = outside::PdfText(pdf).split('\n');
    for (QString& line : printed) line = bare(line);
    const size_t label = c.timeStampQueries ? 2 : 0;  // the time and day columns come first
    qsizetype at = 0;
    for (size_t i = 1; i < rows.size(); ++i) {
      QString values;
      for (size_t k = label + 1; k < rows[i].size(); ++k) values += bare(QString::fromStdString(rows[i][k]));
      // The sheet prints the frequencies with a point whatever the file's separator.
      if (i == 4) values.replace(',', '.');
      SCOPED_TRACE(values.toStdString());
      while (at < printed.size() && !printed[at].endsWith(values)) ++at;
      ASSERT_LT(at, printed.size()) << outside::PdfText(pdf).toStdString();
      if (i >= 6) {
        EXPECT_TRUE(printed[at].startsWith(QString::fromStdString(rows[i][label]))) << printed[at].toStdString();
      }
    }
  }
}

}  // namespace
