// A memory file that fails to read, through the DV-800 editor form: the received set stays and a
// box says why; a good file replaces it.
#include <gtest/gtest.h>

#include "Dv8MemoryKit.h"
#include "Dv8Sim.h"
#include "Memdlg8.h"
#include "../../memories/FailedReads.h"

namespace {

class Dv8MemoryReads : public testing::Test, public Dv8Sim {};

TEST_F(Dv8MemoryReads, AFailedReadKeepsTheSetAndSaysWhy) {
  ASSERT_NO_FATAL_FAILURE(StartSim());
  memtest8::Rig rig(&port);
  ASSERT_NO_FATAL_FAILURE(SettleAndOpen());
  ASSERT_NO_FATAL_FAILURE(SettleAfterWakeLine());
  memtest8::Rig writer;
  const std::string good = memtest::FamilyFile(writer, memtest8::DefaultRecords());
  auto rows = memtest::FailedReadRows(good, "Error(s) in memory number 24: Band:  (T-S) TV Standard:  (0-7) Frequency: 0 (",
                                      "The file ends before memory number 1");
  rows.push_back({"foreign.csv", memtest::PlenarFile(), {"Error(s) in memory number 4: Frequency: 1020 (5-862)"}});
  memtest::FailedReadsKeepTheSet([&] { return cv::dv8::MakeMemoryDlg8(nullptr, rig.equip.get()); }, rows,
                                 memtest::WithNewSeventhLabel(good));
}

}  // namespace
