// The CORVANE-PLENAR data logger: its sixteen measurement types read from the type character,
// their value codings and units, and the CSV file of a download of every type from the
// simulated meter.
#include <gtest/gtest.h>

#include <QPushButton>
#include <fstream>
#include <regex>

#include "Datalogdlg.h"
#include "FamilySettingsSim.h"
#include "LoggerRecords.h"
#include "PlenEquip.h"
#include "PlenLogger.h"
#include "PlenarSim.h"
#include "PythonCsv.h"
#include "Printers.h"
#include "Registry.h"
#include "SaveLimits.h"

namespace {

using cv::plenar::PlenLoggerFamily;
using cvsim::PlenarProfile;

const char* const kTypeNames[] = {"LEVEL",     "V/A",       "POWER",    "C/N auto",  "VBER QPSK", "BER QAM",
                                  "VBER COFDM", "C/N refer.", "CBER DAB", "CBER QPSK", "MER QPSK",  "MER QAM",
                                  "CSI COFDM", "MER COFDM", "CBER COFDM", "SNR DAB"};

// A 43-character "*?SR" reply of memory 1 with the units and type characters given.
std::string Record(char units, char type) {
  std::string r = "*SR01NAMET027DB100A330" + std::string(21, '0');
  r[20] = units;
  r[22] = type;
  return r;
}

// One row a type character: the name, the units code and text the record gives, and the cell of
// a value reply.
TEST(PlenLoggerRecords, TypeCharactersCodingsAndUnits) {
  const struct Row {
    char type, units;
    const char* name;
    int unitsCode;
    const char* unitsText;
    const char* reply;
    const char* cell;
  } rows[] = {
      {'C', '0', "CSI COFDM", 0, "(%)", "*DL=+032", "    50.0"},
      {'C', '1', "CSI COFDM", 1, "(dBmV)", "*DL=+032", "    50.0"},  // a whole number is never corrected
      {'8', '1', "CBER DAB", 5, "", "*DL=+0A3", "   5.0E+03"},
      {'G', '1', "???", 1, "(dBmV)", "*DL=+1F4", "   -10.0"},  // absolute, corrected tenths
      {'0', '2', "LEVEL", 2, "(dBm)", "*DL=+2F0", "   -33.5"},
      {'1', '1', "V/A", 1, "(dB)", "*DL=+1F4", "    50.0"},
      {'3', '2', "C/N auto", 2, "(dB)", "*DL=+1F4", "    50.0"},
      {'7', '1', "C/N refer.", 1, "(dB)", "*DL=+1F4", "    50.0"},  // a ratio is never corrected
      {'A', '2', "MER QPSK", 2, "(dB)", "*DL=+1F4", "    50.0"},
      {'F', '0', "SNR DAB", 0, "(dB)", "*DL<+0FA", "<   25.0"},
      {'E', '3', "CBER COFDM", 5, "", "*DL=+0B0", "   5.0E-16"},
      {'9', '0', "CBER QPSK", 5, "", "*DL=+0A3", "   5.0E+03"},
      {'a', '0', "???", 0, "(dBuV)", "*DL=+1F4", "    50.0"},  // the letters are upper-case only
      {':', '0', "???", 0, "(dBuV)", "*DL=+1F4", "    50.0"},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(std::string(1, r.type) + r.units);
    cv::logger::MemoryTable table;
    ASSERT_TRUE(cv::logger::ParseMemoryReply(Record(r.units, r.type), table, [](const std::string&) {},
                                             PlenLoggerFamily()));
    const cv::logger::TLoggerMemory& m = table[0];
    EXPECT_STREQ(cv::logger::MeasureName(m.measure, PlenLoggerFamily()), r.name);
    EXPECT_EQ(m.units, r.unitsCode);
    EXPECT_STREQ(cv::logger::UnitName(m.units, m.measure, PlenLoggerFamily()), r.unitsText);
    EXPECT_EQ(cv::logger::ParseDataReply(m, r.reply, '.', PlenLoggerFamily()), r.cell);
  }
  // The CORVANE-4's table is unchanged: its eighth type is unknown, its digits alone are read.
  cv::logger::MemoryTable table;
  ASSERT_TRUE(cv::logger::ParseMemoryReply(Record('0', '8'), table, [](const std::string&) {}));
  EXPECT_STREQ(cv::logger::MeasureName(table[0].measure), "???");
  EXPECT_EQ(cv::logger::ParseDataReply(table[0], "*DL=+032", '.'), "     5.0");
}

// The title line's date and time masked.
std::string Masked(const std::string& text) {
  static const std::regex stamp(R"(CvTools\. \d+/\d+/\d{4}\(\d+:\d\d\))");
  return std::regex_replace(text, stamp, "CvTools. D(T)");
}

class PlenLogger : public FamilySettingsSim<PlenarSim, cv::plenar::TCvPlenEquip> {
 protected:
  void SetUp() override {
    cv::SetInstalledPrinterCount(0);
    cv::SetRegistryFile(start.Path("registry.ini"));
    FamilySettingsSim::SetUp();
  }
  void TearDown() override {
    dlg.reset();
    FamilySettingsSim::TearDown();
    cv::SetInstalledPrinterCount(-1);
    cv::SetRegistryFile("");
  }
  std::unique_ptr<TDataLoggerDlg> dlg;
};

// The meter's memories of every type at two test points, saved with either separator pair.
TEST_F(PlenLogger, EveryTypeInTheCsvFile) {
  Profile([](PlenarProfile& p) {
    p.StoreLoggerTypes();
    for (int n = 1; n <= 99; ++n) p.loggerTPSelected[n - 1] = n == 1 || n == 2;
  });
  for (auto [decimal, list, golden] : {std::tuple{'.', ',', "logger_comma.csv"}, {',', ';', "logger_semicolon.csv"}}) {
    SCOPED_TRACE(golden);
    equip->decimalSeparator = decimal;
    equip->listSeparator = list;
    std::unique_ptr<QDialog> made = cv::plenar::MakeDataLoggerDlgPlen(&host.form, equip.get());
    dlg.reset(static_cast<TDataLoggerDlg*>(made.release()));
    dlg->findChild<QPushButton*>("ReceiveDataBtn")->click();
    ASSERT_TRUE(dlg->Logger().download);
    EXPECT_EQ(Sent("*?DL").size(), 16u * 2u);
    const std::string path = start.Path(golden);
    dlg->chooseSaveFile = [&] { return QString::fromStdString(path); };
    dlg->findChild<QPushButton*>("SaveAllBtn")->click();
    EXPECT_EQ(Log().last(), QString("DataLogger file: ") + golden);
    const std::string text = Masked(cvtest::FileBytes(path));
    const std::string goldenPath = std::string(CV_TEST_DATA_DIR) + "/plenar/" + golden;
    if (qEnvironmentVariableIsSet("CV_UPDATE_GOLDEN")) std::ofstream(goldenPath, std::ios::binary) << text;
    EXPECT_EQ(text, cvtest::FileBytes(goldenPath));
    const auto rows = cvtest::PythonCsvRows(path, list);
    ASSERT_EQ(rows.size(), 1u + 5u + 2u);
    for (size_t i = 1; i < rows.size(); ++i) EXPECT_EQ(rows[i].size(), rows[1].size()) << "row " << i + 1;
    // The measure row: the three leading columns, each memory's type and units, and the empty
    // cell after the closing separator.
    const std::vector<std::string>& measures = rows[5];
    ASSERT_EQ(measures.size(), 3u + 16u + 1u);
    for (size_t i = 0; i < 16; ++i) EXPECT_EQ(measures[3 + i].rfind(std::string(" ") + kTypeNames[i] + " ", 0), 0u) << measures[3 + i];
    EXPECT_EQ(measures[3 + 12], " CSI COFDM (%)");
    sim->ClearTraffic();
    host.Clear();
  }
}

}  // namespace
