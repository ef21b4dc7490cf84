// A memory file that fails to read, through the CORVANE-3 editor form: the received set stays and
// a box says why; a good file, another family's among them, replaces it.
#include <gtest/gtest.h>

#include "FailedReads.h"
#include "Memdlg.h"
#include "SimOnCom1.h"

namespace {

class MemoryReads : public testing::Test, public SimOnCom1 {};

TEST_F(MemoryReads, AFailedReadKeepsTheSetAndSaysWhy) {
  ASSERT_NO_FATAL_FAILURE(StartSim());
  memtest::Rig rig(&port);
  ASSERT_NO_FATAL_FAILURE(SettleAndOpen());
  ASSERT_NO_FATAL_FAILURE(SettleAfterWakeLine());
  const std::string good = memtest::ReadAll(QString(CV_TEST_DATA_DIR) + "/memories/semicolon.csv");
  auto rows = memtest::FailedReadRows(good, "Error. Row 24 of the file names memory number 2: nothing stored",
                                      "The file ends before memory number 1");
  rows.push_back({"range.csv", memtest::Cv3FileWithMemory4('T', "0870,00"),
                  {"Error(s) in memory number 4: Frequency: 870 (5-862)"}});
  // Every other family's memories lie within this family's ranges.
  // Its measures past this family's are kept as read, and one box lists them.
  rows.push_back({"plenar.csv", memtest::PlenarFile(), {}, memtest::FailedRead::Answer::File,
                  "The memories were read from plenar.csv with values outside their ranges, kept as they stand:\n"
                  "Error(s) in memory number "});
  memtest::FailedReadsKeepTheSet([&] { return std::make_unique<TMemoryDlg>(nullptr, &rig.equip); }, rows,
                                 memtest::WithNewSeventhLabel(good));
}

}  // namespace
