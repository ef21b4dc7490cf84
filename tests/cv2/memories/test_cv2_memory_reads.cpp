// A memory file that fails to read, through the CORVANE-2 editor form: the received set stays and a
// box says why; a good file replaces it.
#include <gtest/gtest.h>

#include "Cv2MemoryKit.h"
#include "Cv2Sim.h"
#include "Memdlg2.h"
#include "../../memories/FailedReads.h"

namespace {

class Cv2MemoryReads : public testing::Test, public Cv2Sim {};

TEST_F(Cv2MemoryReads, AFailedReadKeepsTheSetAndSaysWhy) {
  ASSERT_NO_FATAL_FAILURE(StartSim());
  memtest2::Rig rig(&port);
  ASSERT_NO_FATAL_FAILURE(SettleAndOpen());
  ASSERT_NO_FATAL_FAILURE(SettleAfterWakeLine());
  memtest2::Rig writer;
  const std::string good = memtest::FamilyFile(writer, memtest2::DefaultRecords());
  auto rows = memtest::FailedReadRows(good, "Error(s) in memory number 24: Band:  (T-S) TV Standard:  (0-7) Frequency: 0 (",
                                      "The file ends before memory number 1");
  rows.push_back({"foreign.csv", memtest::Cv3FileWithMemory4('T', "0010,00"), {"Error(s) in memory number 4: Frequency: 10 (45-862)"}});
  memtest::FailedReadsKeepTheSet([&] { return cv::cv2::MakeMemoryDlg2(nullptr, rig.equip.get()); }, rows,
                                 memtest::WithNewSeventhLabel(good));
}

}  // namespace
