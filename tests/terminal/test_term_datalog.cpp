// The host dialect's data-logger dumps DATAL3 and DATAL7 against the simulated logger, with both
// pairs of separators, read back through the CSV viewer's table reader.
#include "CsvTable.h"
#include "PythonCsv.h"
#include "SaveLimits.h"
#include "TermFixture.h"

namespace {

using Profile3 = cvsim::Corvane3Profile;

// Four selected memories that show the edge cases, logged at test points 1 and 3.
std::unique_ptr<Profile3> Logger(bool seven) {
  auto p = std::make_unique<Profile3>();
  p->loggerSeven = seven;
  for (auto& m : p->loggerMemories) m.selected = false;
  p->loggerTPSelected.assign(99, false);
  p->loggerTPSelected[0] = p->loggerTPSelected[2] = true;
  auto set = [&](int n, const char* name, char band, unsigned word, int units, int measure) {
    Profile3::LoggerMemory& m = p->loggerMemories[n - 1];
    m = {name, band, word, units, measure, true};
  };
  set(2, "LEV", 'T', 10203, 0, 0);      // 471.25 MHz
  set(5, "DBMV", 'S', 13836, 1, 0);     // 1250 MHz IF
  set(7, "BER", 'T', 10203, 0, seven ? 5 : 4);
  set(9, "VA", 'T', 2000, 1, 1);        // 61.1 MHz
  p->loggerValues[{2, 1}] = {'<', '-', "064"};  // 10.0
  p->loggerValues[{2, 3}] = {'>', '+', "1F4"};  // 50.0
  p->loggerValues[{5, 1}] = {'=', '+', "2EE"};  // 75.0 dBuV is 15.0 dBmV
  p->loggerValues[{5, 3}] = {'=', '-', "000"};
  p->loggerValues[{7, 1}] = {'=', '+', seven ? "253" : "33F"};  // 2.5E+00 (DATAL3), 2.5E-03 (DATAL7)
  p->loggerValues[{7, 3}] = {'=', '+', seven ? "109" : "3F1"};
  p->loggerValues[{9, 1}] = {'=', '+', "2EE"};  // a ratio is not shifted
  p->loggerValues[{9, 3}] = {'X', '+', "000"};  // a letter that stands alone
  return p;
}

}  // namespace

struct TermDataLog : TermTest {
  // Dumps with the given separators into `name` and returns the file.
  std::string Dump(const char* keyword, char list, char decimal, const std::string& name) {
    term->listSeparator = list;
    term->decimalSeparator = decimal;
    const std::string path = home.Path(QString::fromStdString(name));
    EXPECT_TRUE(RunScript(std::string(keyword) + " " + path + "\n")) << Transcript("d.LOG");
    return ReadFile(path);
  }
  // Every header and test-point line has the same number of cells.
  void ExpectEvenCells(const std::string& name, char list, size_t cells) {
    cv::CsvTable table;
    ASSERT_TRUE(cv::ReadCsvFile(home.Path(QString::fromStdString(name)), list, table));
    for (const auto& row : table.rows) EXPECT_EQ(row.size(), cells) << name << ": " << row[0];
  }
};

TEST_F(TermDataLog, GoldenTablesWithBothSeparatorPairs) {
  for (bool seven : {false, true}) {
    ASSERT_NO_FATAL_FAILURE(StartOn(Logger(seven)));
    const std::string base = seven ? "datal7" : "datal3";
    const char* keyword = seven ? "DATAL7" : "DATAL3";
    ExpectGolden(Dump(keyword, ';', ',', base + "_semicolon.csv"), base + "_semicolon.csv");
    ExpectEvenCells(base + "_semicolon.csv", ';', 5);
    ExpectGolden(Dump(keyword, ',', '.', base + "_comma.csv"), base + "_comma.csv");
    if (!seven) ExpectEvenCells(base + "_comma.csv", ',', 5);
    term.reset();
    sim.reset();
  }
  // DATAL7 always ends "TP%d" with a semicolon, whatever the list separator.
  EXPECT_EQ(ReadFile(home.Path("datal7_comma.csv")).find("TP1,"), std::string::npos);
}

TEST_F(TermDataLog, TestModeWritesOnlyTheTestPointLines) {
  MakeTerm();
  UseFakeClock();
  term->testMode = true;
  for (bool seven : {false, true}) {
    const std::string name = seven ? "datal7_test.csv" : "datal3_test.csv";
    term->listSeparator = ',';
    ASSERT_TRUE(RunScript(std::string(seven ? "DATAL7 " : "DATAL3 ") + home.Path(QString::fromStdString(name)) + "\n"));
    ExpectGolden(ReadFile(home.Path(QString::fromStdString(name))), name);
    ExpectEvenCells(name, seven ? ';' : ',', 1);
  }
}

// A dump that stops part way saves nothing: the file of the last whole dump stays as it was.
TEST_F(TermDataLog, BadRepliesStopTheDumpAndLeaveTheOldFile) {
  const struct {
    const char* what;
    std::function<void(Profile3&)> fault;
  } rows[] = {
      {"short memory reply", [](Profile3& p) { p.loggerSrOverride[5] = "*SR05DBMVS0360C0000100"; }},
      {"memory number 0", [](Profile3& p) { p.loggerSrOverride[5] = Profile3::LoggerRecord(0, p.loggerMemories[4]); }},
      {"short selection reply",
       [](Profile3& p) { p.On("*?DSM", [](const std::string&) { return cvsim::Answer::Reply("*S"); }); }},
      {"short test-point reply",
       [](Profile3& p) { p.On("*?DST03", [](const std::string&) { return cvsim::Answer::Reply("*ST"); }); }},
      {"short value reply", [](Profile3& p) { p.loggerDlOverride[{7, 3}] = "*DL=+3F"; }},
  };
  const std::string old = "Num:;the last whole dump\n";
  for (const auto& row : rows) {
    SCOPED_TRACE(row.what);
    auto p = Logger(false);
    row.fault(*p);
    ASSERT_NO_FATAL_FAILURE(StartOn(std::move(p)));
    const std::string path = home.Path("bad.csv");
    WriteFile(path, old);
    EXPECT_FALSE(RunScript("DATAL3 " + path + "\nSEND *AFTER\n"));
    EXPECT_EQ(Statements(Transcript("d.LOG")).back(), "( 1) DATAL3 <dir>/bad.csv -> ERROR");
    EXPECT_EQ(ReadFile(path), old);
    term.reset();
    sim.reset();
  }
}

// A memory name or a flag holding the separator or a quote is quoted: the host's CSV viewer and
// Python's csv module read every value under its memory. (DATAL7 ends "TP%d" with ';' whatever
// the separator, so it is read with ';' only.)
TEST_F(TermDataLog, NamesAndFlagsHoldingSeparatorsOrQuotesStayInTheirCells) {
  const struct Row {
    const char* what;
    const char* name;
    char flag;
  } rows[] = {{"name with semicolons", "A;B;", 'E'}, {"name with commas", "A,B,", 'E'},
              {"name with quotes", "A\"B\"", 'E'},     {"flag ';'", "LEVL", ';'},
              {"flag ','", "LEVL", ','},                {"flag '\"'", "LEVL", '"'}};
  const struct {
    const char* keyword;
    char list, decimal;
  } dumps[] = {{"DATAL3", ';', ','}, {"DATAL3", ',', '.'}, {"DATAL7", ';', ','}};
  for (const auto& dump : dumps) {
    const bool seven = dump.keyword[5] == '7';
    auto p = Logger(seven);
    for (const Row& r : rows) {
      SCOPED_TRACE(std::string(r.what) + ", " + dump.keyword + " separator " + dump.list);
      p = Logger(seven);
      p->loggerMemories[1].name = r.name;
      p->loggerValues[{2, 1}] = {r.flag, '+', "064"};
      ASSERT_NO_FATAL_FAILURE(StartOn(std::move(p)));
      Dump(dump.keyword, dump.list, dump.decimal, "q.csv");
      const std::string path = home.Path("q.csv");
      cv::CsvTable viewer;
      ASSERT_TRUE(cv::ReadCsvFile(path, dump.list, viewer));
      const auto python = cvtest::PythonCsvRows(path, dump.list);
      ASSERT_EQ(viewer.rows.size(), 7u);
      ASSERT_EQ(python.size(), 7u);
      for (size_t i = 0; i < 7; ++i) {
        ASSERT_EQ(viewer.rows[i].size(), 5u) << "line " << i + 1;
        auto cells = viewer.rows[i];
        cells.push_back("");
        EXPECT_EQ(python[i], cells) << "line " << i + 1;
      }
      EXPECT_EQ(viewer.rows[1][1], std::string(" ") + r.name);
      EXPECT_EQ(viewer.rows[5][1], std::string(1, r.flag));
      term.reset();
      sim.reset();
    }
  }
}

// DATAL7 keeps a memory's own units on the BER types (only DATAL3 blanks them), yet only a level
// takes their offset: a ratio or a BER type carries no level unit, as in the data logger.
TEST_F(TermDataLog, Datal7ShiftsOnlyLevelsByTheirUnits) {
  auto p = Logger(true);
  for (auto& m : p->loggerMemories) m.selected = false;
  const char* expected[] = {"   15,0", "   75,0", "   15,0", "   75,0", "   75,0", nullptr, "   75,0", "   75,0"};
  for (int measure = 0; measure < 8; ++measure) {
    p->loggerMemories[10 + measure] = {"M", 'T', 10203, 1, measure, measure != 5};
    p->loggerValues[{11 + measure, 1}] = {'=', '+', "2EE"};  // 75.0 dBuV, 15.0 dBmV
  }
  ASSERT_NO_FATAL_FAILURE(StartOn(std::move(p)));
  Dump("DATAL7", ';', ',', "u.csv");
  cv::CsvTable viewer;
  ASSERT_TRUE(cv::ReadCsvFile(home.Path("u.csv"), ';', viewer));
  ASSERT_EQ(viewer.rows.size(), 7u);
  ASSERT_EQ(viewer.rows[5].size(), 8u);
  for (int measure = 0, column = 1; measure < 8; ++measure) {
    if (!expected[measure]) continue;
    EXPECT_EQ(viewer.rows[5][column++], expected[measure]) << "measure " << measure << ", " << viewer.rows[4][column - 1];
  }
}

// The dump and the first generation's plan and configuration go through one atomic save: under a
// file-size limit the statement fails and the old file stays as it was.
TEST_F(TermDataLog, DumpSaveWritesTheWholeFileOrKeepsTheOldOne) {
  for (bool seven : {false, true}) {
    SCOPED_TRACE(seven ? "DATAL7" : "DATAL3");
    ASSERT_NO_FATAL_FAILURE(StartOn(Logger(seven)));
    const std::string path = home.Path("limit.csv");
    const std::string script = Script("limit.pro", (seven ? "DATAL7 " : "DATAL3 ") + path + "\n");
    cvtest::ExpectWholeOrOldFile(path, [&] {
      Ready();
      return term->RunProFile(script);
    });
    term.reset();
    sim.reset();
  }
}

// Each dump's heading names every measure in its own words, whatever the data logger calls them:
// one memory of each measure (and one past them) in dBmV, and a level in units no table has.
TEST_F(TermDataLog, HeadingNamesEveryMeasureAndUnitInTheDumpsOwnWords) {
  const struct {
    int measure, units;
    const char* three;  // DATAL3's cell
    const char* seven;  // DATAL7's cell
  } rows[] = {
      {0, 1, " LEVEL (dBmV)", " LEVEL (dBmV)"},        {1, 1, " V/A (dB)", " V/A (dB)"},
      {2, 1, " POWER (dBmV)", " POWER (dBmV)"},        {3, 1, " C/N auto (dB)", " C/N auto (dB)"},
      {4, 1, " BER (QPSK) ", " BER"},                   {5, 1, " BER (QAM) ", " BER"},
      {6, 1, " BER (COFDM) ", " BER"},                  {7, 1, " C/N refer. (dB)", " C/N refer. (dB)"},
      {8, 1, " ??? (dBmV)", " ??? (dBmV)"},            {0, 4, " LEVEL (?\?\?)", " LEVEL (?\?\?)"},
      {0, 2, " LEVEL (dBm)", " LEVEL (dBm)"},           {0, 3, " LEVEL (dBuV)", " LEVEL (dBuV)"},
  };
  for (bool seven : {false, true}) {
    SCOPED_TRACE(seven ? "DATAL7" : "DATAL3");
    auto p = Logger(seven);
    for (auto& m : p->loggerMemories) m.selected = false;
    for (size_t i = 0; i < std::size(rows); ++i) {
      p->loggerMemories[10 + i] = {"M", 'T', 10203, rows[i].units, rows[i].measure, true};
      p->loggerValues[{static_cast<int>(11 + i), 1}] = {'=', '+', "000"};
    }
    ASSERT_NO_FATAL_FAILURE(StartOn(std::move(p)));
    Dump(seven ? "DATAL7" : "DATAL3", ';', ',', "h.csv");
    cv::CsvTable viewer;
    ASSERT_TRUE(cv::ReadCsvFile(home.Path("h.csv"), ';', viewer));
    ASSERT_GE(viewer.rows.size(), 5u);
    ASSERT_EQ(viewer.rows[4].size(), std::size(rows) + 1) << "the label and a cell a memory";
    EXPECT_EQ(viewer.rows[4][0], "Level:");
    for (size_t i = 0; i < std::size(rows); ++i)
      EXPECT_EQ(viewer.rows[4][i + 1], seven ? rows[i].seven : rows[i].three)
          << "measure " << rows[i].measure << ", units " << rows[i].units;
    term.reset();
    sim.reset();
  }
}
