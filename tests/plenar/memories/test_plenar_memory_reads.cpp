// A memory file that fails to read, through the CORVANE-PLENAR editor form: the received set stays and a
// box says why; a good file replaces it.
#include <gtest/gtest.h>

#include "PlenMemoryKit.h"
#include "PlenarSim.h"
#include "Memdlgplen.h"
#include "../../memories/FailedReads.h"

namespace {

class PlenarMemoryReads : public testing::Test, public PlenarSim {};

TEST_F(PlenarMemoryReads, AFailedReadKeepsTheSetAndSaysWhy) {
  ASSERT_NO_FATAL_FAILURE(StartSim());
  memtestplen::Rig rig(&port);
  ASSERT_NO_FATAL_FAILURE(SettleAndOpen());
  ASSERT_NO_FATAL_FAILURE(SettleAfterWakeLine());
  memtestplen::Rig writer;
  const std::string good = memtest::FamilyFile(writer, memtestplen::DefaultRecords());
  auto rows = memtest::FailedReadRows(good, "The file ends before memory number 24", "The file ends before memory number 1");
  rows.push_back({"foreign.csv", memtest::Cv3FileWithMemory4('S', "0870,00"), {"Error(s) in memory number 4: Frequency: 870 (900-2150)"}});
  memtest::FailedReadsKeepTheSet([&] { return cv::plenar::MakeMemoryDlgPlen(nullptr, rig.equip.get()); }, rows,
                                 memtest::WithNewSeventhLabel(good));
}

}  // namespace
