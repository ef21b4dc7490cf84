// One logged value read by the data logger and by the terminal's DATAL3 dump from the same
// simulated meter: each measurement type under each level unit shows one number in both tools.
#include <fstream>

#include "CsvTable.h"
#include "LoggerFixture.h"
#include "Term.h"

namespace {

struct QuietOwner : TermOwner {
  void AddLog(const std::string&) override {}
  std::string DetectedPort() const override { return {}; }
};

// The number of a cell in either tool's layout ("<-  10,0", "   33,2", "  2,5E+00"): its
// qualifier and blanks dropped, a point for the decimal character.
std::string Number(const std::string& cell) {
  std::string out;
  for (char c : cell) {
    if (c == ' ' || c == '<' || c == '>' || c == '=') continue;
    out += c == ',' ? '.' : c;
  }
  return out;
}

}  // namespace

TEST_F(LoggerSim, TerminalDumpAndDataLoggerShowOneValueForOneReply) {
  // Memory 1 + 4 x type + units: every type 0..7 (and a code past the table) under dBuV, dBmV,
  // dBm and the second dBuV code; test point 1 holds 33.2, test point 2 "<" and "-" on 100.0,
  // whose dBm level (-8.75) falls between two tenths.
  constexpr int kTypes = 9;
  sim->WithProfile([](cvsim::Profile& base) {
    auto& p = static_cast<cvsim::Corvane3Profile&>(base);
    for (auto& m : p.loggerMemories) m.selected = false;
    p.loggerTPSelected.assign(99, false);
    p.loggerTPSelected[0] = p.loggerTPSelected[1] = true;
    for (int type = 0; type < kTypes; ++type)
      for (int units = 0; units < 4; ++units) {
        const int n = 1 + 4 * type + units;
        p.loggerMemories[n - 1] = {"M" + std::to_string(n), 'T', 10203, units, type, true};
        p.loggerValues[{n, 1}] = {'=', '+', "14C"};
        p.loggerValues[{n, 2}] = {'<', '-', "3E8"};
      }
    return 0;
  });
  Click("ReceiveDataBtn");
  ASSERT_TRUE(dlg->Logger().download);
  const auto& d = *dlg->Logger().download;
  ASSERT_EQ(d.MemoryCount(), 4 * kTypes);
  ASSERT_EQ(d.TPCount(), 2);

  port.Close();
  QuietOwner owner;
  TTerm term(owner);
  term.showWindow = false;
  term.portName = "COM1";
  ASSERT_TRUE(term.OpenPort());
  term.ResetRunState();
  term.listSeparator = ';';
  term.decimalSeparator = ',';
  // The simulator drops what it sends before it has seen the port open: XON until one arrives.
  for (int attempt = 0; attempt < 20 && !cv::SerialWaitReadable(term.port, 0); ++attempt) {
    sim->SendXon();
    sim->WaitTxIdle();
    cv::SerialWaitReadable(term.port, 50);
  }
  const std::string csv = start.Path("dump.csv"), script = start.Path("dump.pro");
  std::ofstream(script) << "DATAL3 " << csv << "\n";
  ASSERT_TRUE(term.RunProFile(script));
  cv::CsvTable table;
  ASSERT_TRUE(cv::ReadCsvFile(csv, ';', table));
  ASSERT_EQ(table.rows.size(), 7u);

  for (int m = 0; m < d.MemoryCount(); ++m) {
    const int type = m / 4, units = m % 4;
    ASSERT_EQ(table.rows[5].size(), 1u + d.MemoryCount());
    for (int t = 0; t < 2; ++t) {
      SCOPED_TRACE("type " + std::to_string(type) + ", units " + std::to_string(units) + ", test point " +
                   std::to_string(t + 1) + ": " + table.rows[4][1 + m]);
      EXPECT_EQ(Number(table.rows[5 + t][1 + m]), Number(d.cells[m][t]));
    }
  }
  // The values a technician checks by hand: a ratio keeps its dB, a level loses the unit's offset.
  auto cell = [&](int type, int units, int tp) { return Number(table.rows[5 + tp][1 + 4 * type + units]); };
  EXPECT_EQ(cell(7, 1, 0), "33.2");   // C/N refer. in a dBmV memory
  EXPECT_EQ(cell(7, 2, 0), "33.2");
  EXPECT_EQ(cell(3, 1, 0), "33.2");   // C/N auto
  EXPECT_EQ(cell(0, 1, 0), "-26.8");  // LEVEL in dBmV
  EXPECT_EQ(cell(2, 3, 1), "-100.0"); // POWER in dBuV, sign from the reply
  EXPECT_EQ(table.rows[4][1 + 4 * 7 + 1], " C/N refer. (dB)");
}
