// The data logger's decoders, text tables, CSV file and print metrics, without an instrument.
#include <gtest/gtest.h>

#include <QFile>
#include <QProcessEnvironment>
#include <fstream>
#include <sstream>

#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include "CsvTable.h"
#include "LoggerCsv.h"
#include "LoggerPrintMetrics.h"
#include "LoggerRecords.h"
#include "PythonCsv.h"
#include "SaveLimits.h"

using namespace cv::logger;

namespace {

TLoggerMemory Memory(int number, const char* name, char band, float mhz, int units, int measure) {
  TLoggerMemory m;
  m.number = static_cast<uint8_t>(number);
  std::snprintf(m.name, sizeof m.name, "%.4s", name);
  m.band = band;
  m.frequency = mhz;
  m.units = static_cast<uint8_t>(units);
  m.measure = static_cast<uint8_t>(measure);
  return m;
}

// A 42-character "*SR" record with the fields the logger reads.
std::string SrRecord(const char* number, const char* name, char band, const char* word, char units, char measure) {
  std::string r = std::string("*SR") + number + name + band + "0" + word + "00001" + units + "0" + measure;
  r.resize(42, '0');
  return r;
}

}  // namespace

// The reply decoders as one table: the cell text of "*?DL" replies, and what "*?SR" replies do
// to the memory table.
TEST(LoggerDecoders, DataRepliesGiveTheirCells) {
  const TLoggerMemory dbuv = Memory(1, "LEV", 'T', 100, 0, 0), dbmv = Memory(2, "LEV", 'T', 100, 1, 0),
                      dbm = Memory(3, "POW", 'T', 100, 2, 2), cnAutoDbm = Memory(4, "CN", 'T', 100, 2, 3),
                      vaDbmv = Memory(5, "VA", 'T', 100, 1, 1), ber = Memory(6, "BER", 'S', 1200, 5, 4);
  struct Row {
    const char* name;
    const TLoggerMemory& memory;
    const char* reply;
    char decimal;
    const char* cell;
  } rows[] = {
      {"'=' dBuV, the Part's example", dbuv, "*DL=+1F4", ',', "    50,0"},
      {"'=' dBmV loses 60", dbmv, "*DL=+1F4", ',', "   -10,0"},
      {"'>' with 20.0", dbuv, "*DL>+0C8", '.', ">   20.0"},
      {"'<' keeps its place", dbuv, "*DL<+0C8", '.', "<   20.0"},
      {"flag 'E' stands alone", dbuv, "*DLE+1F4", '.', "E"},
      {"flag '!' stands alone", ber, "*DL!-2FB", '.', "!"},
      {"BER word 0x2FB", ber, "*DL=+2FB", '.', "   2.3E-04"},
      {"BER with the locale's mark", ber, "*DL=+2FB", ',', "   2,3E-04"},
      {"BER '-' is shown", ber, "*DL=-2FB", '.', " - 2.3E-04"},
      {"dBm loses 108.75", dbm, "*DL=+1F4", '.', "   -58.8"},
      {"C/N auto in dBm keeps its value", cnAutoDbm, "*DL=+1F4", '.', "    50.0"},
      {"V/A in dBmV keeps its value", vaDbmv, "*DL=+0C8", '.', "    20.0"},
      {"'-' with a level of 0", dbuv, "*DL=-000", '.', " -   0.0"},
      {"'-' with a level above 0", dbuv, "*DL>-0C8", '.', ">-  20.0"},
      {"'-' with a negative level adds nothing", dbmv, "*DL=-0C8", '.', "   -40.0"},
      {"lower-case hex digits", dbuv, "*DL=+1f4", '.', "    50.0"},
      {"top of the 12 bits", dbuv, "*DL=+FFF", '.', "   409.5"},
      {"short reply: empty", dbuv, "*DL=+1F", '.', ""},
      {"empty reply", dbuv, "", '.', ""},
  };
  for (const Row& r : rows) EXPECT_EQ(ParseDataReply(r.memory, r.reply, r.decimal), r.cell) << r.name;
}

TEST(LoggerDecoders, MemoryRepliesFillTheRecordTheirNumberNames) {
  struct Row {
    const char* name;
    std::string reply;
    bool ok;
    int slot;  // 0-based record changed, -1: none
    TLoggerMemory expected;
    std::vector<std::string> log;
  } rows[] = {
      {"terrestrial level", SrRecord("05", "ABCD", 'T', "0cfb", '1', '0'), true, 4,
       Memory(5, "ABCD", 'T', 127.25f, 1, 0), {}},
      {"satellite, upper-case hex", SrRecord("63", "SAT1", 'S', "3BEC", '0', '2'), true, 98,
       Memory(99, "SAT1", 'S', 1438.0f, 0, 2), {}},
      {"BER forces no unit", SrRecord("0A", "BERQ", 'S', "3BEC", '2', '5'), true, 9,
       Memory(10, "BERQ", 'S', 1438.0f, 5, 5), {}},
      {"number 00 fills memory 1", SrRecord("00", "ZERO", 'T', "0cfb", '0', '0'), false, 0,
       Memory(0, "ZERO", 'T', 127.25f, 0, 0), {"Memory number out of range in SR answer: "}},
      {"number 64 fills memory 1", SrRecord("64", "BIG!", 'T', "0cfb", '0', '0'), false, 0,
       Memory(100, "BIG!", 'T', 127.25f, 0, 0), {"Memory number out of range in SR answer: "}},
      {"37 characters change nothing", SrRecord("05", "ABCD", 'T', "0cfb", '1', '0').substr(0, 37), false, -1, {},
       {"Longer SR answer expected from the equipment"}},
  };
  for (const Row& r : rows) {
    MemoryTable table;
    for (int i = 0; i < kItems; ++i) table[i] = Memory(i + 1, "OLD", 'T', 1.0f, 3, 7), table[i].selected = true;
    const MemoryTable before = table;
    std::vector<std::string> log;
    EXPECT_EQ(ParseMemoryReply(r.reply, table, [&](const std::string& l) { log.push_back(l); }), r.ok) << r.name;
    ASSERT_EQ(log.size(), r.log.size()) << r.name;
    for (size_t i = 0; i < log.size(); ++i) EXPECT_EQ(log[i].rfind(r.log[i], 0), 0u) << r.name << ": " << log[i];
    for (int i = 0; i < kItems; ++i) {
      const TLoggerMemory& got = table[i];
      const TLoggerMemory& want = i == r.slot ? r.expected : before[i];
      EXPECT_EQ(got.number, want.number) << r.name << " record " << i;
      EXPECT_STREQ(got.name, want.name) << r.name << " record " << i;
      EXPECT_EQ(got.band, want.band) << r.name << " record " << i;
      EXPECT_FLOAT_EQ(got.frequency, want.frequency) << r.name << " record " << i;
      EXPECT_EQ(got.units, want.units) << r.name << " record " << i;
      EXPECT_EQ(got.measure, want.measure) << r.name << " record " << i;
      EXPECT_EQ(got.selected, i == r.slot ? false : true) << r.name << " record " << i;
    }
  }
}

TEST(LoggerDecoders, StatusRepliesReadCharacterThree) {
  TLoggerMemory m;
  EXPECT_TRUE(ParseMemoryStatus("*SM0", m));
  EXPECT_TRUE(m.selected);
  EXPECT_TRUE(ParseMemoryStatus("*SM1", m));
  EXPECT_FALSE(m.selected);
  m.selected = true;
  EXPECT_FALSE(ParseMemoryStatus("*SM", m));
  EXPECT_TRUE(m.selected) << "a short reply leaves the flag";
  EXPECT_TRUE(ParseTPStatus("*ST0"));
  EXPECT_FALSE(ParseTPStatus("*ST1"));
  EXPECT_FALSE(ParseTPStatus("*ST"));
}

TEST(LoggerTexts, BandMeasureAndUnitTexts) {
  EXPECT_STREQ(BandName('S'), "SAT");
  EXPECT_STREQ(BandName('T'), "TER");
  EXPECT_STREQ(BandName('x'), "???");
  const char* measures[] = {"LEVEL", "V/A", "POWER", "C/N auto", "BER(QPSK)", "BER(QAM)", "BER(COFDM)", "C/N refer."};
  for (int i = 0; i < 8; ++i) EXPECT_STREQ(MeasureName(i), measures[i]) << i;
  EXPECT_STREQ(MeasureName(8), "???");
  EXPECT_STREQ(MeasureName(-1), "???");
  struct Row {
    int units, measure;
    const char* text;
  } rows[] = {{0, 0, "(dBuV)"}, {1, 0, "(dBmV)"}, {2, 2, "(dBm)"}, {3, 0, "(dBuV)"}, {0, 1, "(dB)"},
              {2, 3, "(dB)"},   {3, 7, "(dB)"},   {5, 4, ""},       {5, 0, ""},       {4, 0, "(\?\?\?)"},
              {4, 1, "(\?\?\?)"},  {9, 0, "(\?\?\?)"}};
  for (const Row& r : rows) EXPECT_STREQ(UnitName(r.units, r.measure), r.text) << r.units << "/" << r.measure;
}

// ---------------------------------------------------------------------------------------------
// CSV files, compared byte for byte with the golden files (the date is fixed here).

namespace {

struct GoldenCase {
  const char* file;
  TLoggerDownload download;
  TPTable tps;
  TLoggerCsvStyle style;
  const TLoggerReport* report = nullptr;
};

TPTable DefaultTPs() {
  TPTable t;
  for (int i = 0; i < kItems; ++i) t[i].number = static_cast<uint8_t>(i + 1), t[i].name = "TP" + std::to_string(i + 1);
  return t;
}

// Memories 2 (level dBuV), 5 (BER QPSK, satellite) and 7 (power dBm); test points 1, 3 and 4 with
// every kind of cell and an empty and a comma-less time stamp.
GoldenCase Mixed(bool firmware245, char list, char decimal) {
  GoldenCase c;
  TLoggerDownload& d = c.download;
  d.timeColumns = firmware245;
  d.wantedMemories = {1, 4, 6};
  d.wantedTPs = {0, 2, 3};
  d.memories = {Memory(2, "LEV1", 'T', 175.25f, 0, 0), Memory(5, "BERS", 'S', 1438.0f, 5, 4),
                Memory(7, "POW\xC9", 'T', 48.25f, 2, 2)};
  if (firmware245) d.timeStamps = {"10:21:05,03/04/05", "", "11:00:00"};
  else d.timeStamps = {"", "", ""};
  const char* replies[3][3] = {{"*DL=+1F4", "*DL>+0C8", "*DL=-000"},
                               {"*DL=+2FB", "*DL<-2FB", "*DLE+000"},
                               {"*DL=+1F4", "*DL=+1", "*DL=+3E8"}};
  d.cells.assign(3, std::vector<std::string>(3));
  for (int m = 0; m < 3; ++m)
    for (int t = 0; t < 3; ++t) d.cells[m][t] = ParseDataReply(d.memories[m], replies[m][t], decimal);
  c.tps = DefaultTPs();
  c.tps[2].name = "R\xE9sidenc";  // renamed after the download, Windows-1252 bytes
  c.style = {list, decimal, "9/12/2026", "23:05"};
  return c;
}

// "All" memories with none received: every memory record still cleared.
GoldenCase AllNoneReceived() {
  GoldenCase c;
  TLoggerDownload& d = c.download;
  d.timeColumns = true;
  for (int i = 0; i < kItems; ++i) d.wantedMemories.push_back(i), d.memories.push_back(TLoggerMemory{});
  d.wantedTPs = {0};
  d.timeStamps = {"09:00:00,01/01/26"};
  d.cells.assign(kItems, std::vector<std::string>(1));
  c.tps = DefaultTPs();
  c.style = {';', ',', "1/1/2026", "9:00"};
  return c;
}

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

std::vector<std::string> SplitLines(const std::string& text) {
  std::vector<std::string> lines;
  std::stringstream s(text);
  for (std::string line; std::getline(s, line);) lines.push_back(line);
  return lines;
}

size_t Cells(const std::string& line, char separator) { return std::count(line.begin(), line.end(), separator); }

}  // namespace

TEST(LoggerCsv, GoldenFiles) {
  static const TLoggerReport report{"Job 17", "Client \xC0", "V2.45. Serial: CV3-0427", "roof"};
  std::vector<GoldenCase> cases;
  cases.push_back(Mixed(true, ';', ','));
  cases.back().file = "fw245_semicolon.csv";
  cases.push_back(Mixed(false, ',', '.'));
  cases.back().file = "fw244_comma.csv";
  cases.push_back(Mixed(true, ';', ','));
  cases.back().file = "sheet_report.csv";
  cases.back().report = &report;
  cases.push_back(AllNoneReceived());
  cases.back().file = "all_none_received.csv";
  const bool update = qEnvironmentVariableIsSet("CV_UPDATE_GOLDEN");
  for (const GoldenCase& c : cases) {
    const std::string text = CsvFileText(c.download, c.tps, c.style, c.report);
    const std::string path = std::string(CV_TEST_DATA_DIR "/logger/") + c.file;
    if (update) std::ofstream(path, std::ios::binary) << text;
    EXPECT_EQ(text, ReadFile(path)) << c.file;

    // Every heading and data line has one cell per column, and the CSV viewer reads the file.
    const std::vector<std::string> lines = SplitLines(text);
    const size_t comments = c.report ? 5 : 1;
    ASSERT_EQ(lines.size(), comments + 5 + c.download.TPCount()) << c.file;
    const size_t columns = c.download.MemoryCount() + (c.download.timeColumns ? 3 : 1);
    for (size_t i = comments; i < lines.size(); ++i)
      EXPECT_EQ(Cells(lines[i], c.style.listSeparator), columns) << c.file << " line " << i + 1 << ": " << lines[i];
    cv::CsvTable table;
    ASSERT_TRUE(cv::ReadCsvFile(path, c.style.listSeparator, table)) << c.file;
    EXPECT_EQ(table.rows.size(), lines.size()) << c.file;
    EXPECT_EQ(table.rows[comments][0], c.download.timeColumns ? " " : "Num:") << c.file;
  }
}

TEST(LoggerCsv, TimeStampPiecesAlwaysMakeTwoFields) {
  struct Row {
    const char* stamp;
    const char* time;
    const char* day;
  } rows[] = {{"10:21:05,03/04/05", "10:21:05", "03/04/05"},
              {"", "", ""},
              {"10:21:05", "10:21:05", ""},
              {",03/04/05", "", "03/04/05"},
              {"a,b,c", "a", "b"}};
  for (const Row& r : rows) {
    std::string time, day;
    SplitTimeStamp(r.stamp, time, day);
    EXPECT_EQ(time, r.time) << r.stamp;
    EXPECT_EQ(day, r.day) << r.stamp;
  }
}

// ---------------------------------------------------------------------------------------------
// Print metrics by printer size.

TEST(LoggerPrint, PaginationByPrinterSize) {
  struct Row {
    const char* name;
    TPrinterInfo printer;
    PrintLayout layout;
    bool timeStamps;
    int tps, memories;
    int lineHeight, columnWidth, timeStampWidth, rowsPerPage, columnsPerPage, rowPages, columnPages;
  } rows[] = {
      // A4 at 300 dpi, 10 points: pX = pY = 42, lh 58, colW 9 x 33.6 = 302, tsW 17 x 29.4 = 499.
      {"A4 300 dpi rows 2.45", {300, 300, 2480, 3508, 3508, 0, 10}, PrintLayout::TPInRows, true, 40, 20,
       58, 302, 499, (3508 - 500 - 200 - 174) / 58, (2480 - 302 - 499 - 300) / 302, 1, 5},
      {"A4 300 dpi rows 2.44: no time column", {300, 300, 2480, 3508, 3508, 0, 10}, PrintLayout::TPInRows, false, 40,
       20, 58, 302, 0, 45, (2480 - 302 - 300) / 302, 1, 4},
      {"A4 300 dpi columns 2.44 keeps the time column", {300, 300, 2480, 3508, 3508, 0, 10}, PrintLayout::TPInColumns,
       false, 40, 20, 58, 302, 499, 4, 45, 10, 1},
      // The bottom margin is the larger of the unprintable strip and 200 x dpi / 300.
      {"unprintable strip at the bottom", {300, 300, 2480, 3300, 3508, 100, 10}, PrintLayout::TPInRows, true, 40, 20,
       58, 302, 499, (3300 - 500 - 200 - 174) / 58, 4, 1, 5},
      // 600 dpi, 8 points: pX = pY = 67, lh 93, colW 9 x 53.6 = 482, tsW 17 x 46.9 = 797.
      {"600 dpi 8 points", {600, 600, 4960, 7016, 7016, 0, 8}, PrintLayout::TPInRows, true, 99, 99, 93, 482, 797,
       (7016 - 1000 - 400 - 279) / 93, (4960 - 482 - 797 - 600) / 482, 2, 17},
      {"nothing fits across", {300, 300, 900, 3508, 3508, 0, 10}, PrintLayout::TPInRows, true, 40, 20, 58, 302, 499,
       45, 0, 1, 0},
      {"nothing fits down", {300, 300, 2480, 800, 800, 0, 10}, PrintLayout::TPInRows, true, 40, 20, 58, 302, 499, 0, 4,
       0, 5},
  };
  for (const Row& r : rows) {
    const TLoggerPrintMetrics m(r.printer, r.layout, r.timeStamps, r.tps, r.memories);
    EXPECT_EQ(m.lineHeight, r.lineHeight) << r.name;
    EXPECT_EQ(m.columnWidth, r.columnWidth) << r.name;
    EXPECT_EQ(m.timeStampWidth, r.timeStampWidth) << r.name;
    EXPECT_EQ(m.RowsPerPage(), r.rowsPerPage) << r.name;
    EXPECT_EQ(m.ColumnsPerPage(), r.columnsPerPage) << r.name;
    EXPECT_EQ(m.RowPageCount(), r.rowPages) << r.name;
    EXPECT_EQ(m.ColumnPageCount(), r.columnPages) << r.name;
    EXPECT_EQ(m.PageCount(), r.rowPages * r.columnPages) << r.name;
  }
}

// 20 memories with 9 across and 40 test points with 35 down: memory pages of 9, 9 and 2,
// test-point pages of 35 and 5, 6 pages.
TEST(LoggerPrint, LastPageOfEachDirectionHoldsTheRemainder) {
  // colW = 302 at 10 points, 300 dpi: 9 across needs 302 x 10 + tsW + 2L up to < 302 x 11.
  TPrinterInfo p{300, 300, 302 * 10 + 499 + 300 + 10, 500 + 200 + 3 * 58 + 35 * 58 + 20, 0, 0, 10};
  p.physicalHeight = p.pageHeight;
  const TLoggerPrintMetrics m(p, PrintLayout::TPInRows, true, 40, 20);
  ASSERT_EQ(m.ColumnsPerPage(), 9);
  ASSERT_EQ(m.RowsPerPage(), 35);
  EXPECT_EQ(m.PageCount(), 6);
  EXPECT_EQ(m.ColumnsOnPage(0), 9);
  EXPECT_EQ(m.ColumnsOnPage(1), 9);
  EXPECT_EQ(m.ColumnsOnPage(2), 2);
  EXPECT_EQ(m.RowsOnPage(0), 35);
  EXPECT_EQ(m.RowsOnPage(1), 5);
  const TLoggerPrintMetrics exact(p, PrintLayout::TPInRows, true, 35, 18);
  EXPECT_EQ(exact.RowsOnPage(0), 35) << "a full last page";
  EXPECT_EQ(exact.ColumnsOnPage(1), 9);
}

// The save under file-size limits below, at and above the write buffer: the whole file, or a
// failure said and the old file as it was. A file that cannot be created is told apart.
TEST(LoggerCsv, SaveWritesTheWholeFileOrKeepsTheOldOne) {
  char dir[] = "/tmp/logger_saveXXXXXX";
  ASSERT_NE(mkdtemp(dir), nullptr);
  const std::string path = std::string(dir) + "/run.csv";
  // 99 memories over 12 test points: about 15,000 bytes, past 12,000 and under Qt's 16 KiB buffer.
  TLoggerDownload d;
  for (int m = 0; m < kItems; ++m) {
    d.wantedMemories.push_back(m);
    d.memories.push_back(Memory(m + 1, "LEV", 'T', 175.25f, 0, 0));
  }
  for (int t = 0; t < 12; ++t) d.wantedTPs.push_back(t), d.timeStamps.push_back("");
  d.cells.assign(kItems, std::vector<std::string>(12, "    50,0"));
  const std::string text = CsvFileText(d, DefaultTPs(), {';', ',', "1/1/2026", "9:00"});
  ASSERT_GT(text.size(), 12000u);
  ASSERT_LT(text.size(), 16384u);
  std::string error;
  cvtest::ExpectWholeOrOldFile(path, [&] { return SaveCsvText(path, text, error) == CsvSave::Saved; });
  {
    cvtest::FileSizeLimit fence(4096);
    EXPECT_EQ(SaveCsvText(path, text, error), CsvSave::NotWritten);
    EXPECT_FALSE(error.empty());
  }
  EXPECT_EQ(SaveCsvText(std::string(dir) + "/none/run.csv", "x", error), CsvSave::NotOpened);
  std::remove(path.c_str());
  rmdir(dir);
}

// An instrument's text holding the separator, a quote or both is quoted: the host's CSV viewer and
// Python's csv module read every value under its memory's heading, with either separator.
TEST(LoggerCsv, InstrumentTextsHoldingSeparatorsOrQuotesStayInTheirCells) {
  const struct Row {
    const char* what;
    const char* name;
    const char* stamp;
    const char* flag;
    const char* time;
    const char* day;
  } rows[] = {
      {"name with semicolons", "A;B;", "10:21:05,03/04/05", "E", "10:21:05", "03/04/05"},
      {"name with commas", "A,B,", "10:21:05,03/04/05", "E", "10:21:05", "03/04/05"},
      {"name with quotes", "A\"B\"", "10:21:05,03/04/05", "E", "10:21:05", "03/04/05"},
      {"time stamp with ';' and '\"'", "LEV", "10;21\"05,03;04\"05", "E", "10;21\"05", "03;04\"05"},
      {"flag ';'", "LEV", "10:21:05,03/04/05", ";", "10:21:05", "03/04/05"},
      {"flag ','", "LEV", "10:21:05,03/04/05", ",", "10:21:05", "03/04/05"},
      {"flag '\"'", "LEV", "10:21:05,03/04/05", "\"", "10:21:05", "03/04/05"},
  };
  char dir[] = "/tmp/logger_quoteXXXXXX";
  ASSERT_NE(mkdtemp(dir), nullptr);
  const std::string path = std::string(dir) + "/q.csv";
  for (const Row& r : rows) {
    for (char sep : {';', ','}) {
      SCOPED_TRACE(std::string(r.what) + ", separator " + sep);
      TLoggerDownload d;
      d.timeColumns = true;
      d.wantedMemories = {0, 1};
      d.memories = {Memory(1, r.name, 'T', 175.25f, 0, 0), Memory(2, "M2", 'T', 48.25f, 0, 0)};
      d.wantedTPs = {0};
      d.timeStamps = {r.stamp};
      d.cells = {{r.flag}, {"    50.0"}};
      std::string error;
      ASSERT_EQ(SaveCsvText(path, CsvFileText(d, DefaultTPs(), {sep, '.', "1/1/2026", "9:00"}), error),
                CsvSave::Saved);
      cv::CsvTable viewer;
      ASSERT_TRUE(cv::ReadCsvFile(path, sep, viewer));
      const auto python = cvtest::PythonCsvRows(path, sep);
      ASSERT_EQ(viewer.rows.size(), 7u);
      ASSERT_EQ(python.size(), 7u);
      for (size_t i = 1; i < 7; ++i) {
        ASSERT_EQ(viewer.rows[i].size(), 5u) << "line " << i + 1;
        // Python also sees the empty cell after the closing separator.
        EXPECT_EQ(python[i], [&] {
          auto cells = viewer.rows[i];
          cells.push_back("");
          return cells;
        }()) << "line " << i + 1;
      }
      EXPECT_EQ(viewer.rows[2][2], "Name:");
      EXPECT_EQ(viewer.rows[2][3], std::string(" ") + r.name);
      EXPECT_EQ(viewer.rows[2][4], " M2");
      EXPECT_EQ(viewer.rows[6], (std::vector<std::string>{r.time, r.day, "TP1", r.flag, "    50.0"}));
    }
  }
  std::remove(path.c_str());
  rmdir(dir);
}
