// A memory file that fails to read, through the CORVANE-4 editor form: the received set stays and a
// box says why; a good file replaces it.
#include <gtest/gtest.h>

#include "Cv4MemoryKit.h"
#include "Cv4Sim.h"
#include "Memdlg4.h"
#include "../../memories/FailedReads.h"

namespace {

class Cv4MemoryReads : public testing::Test, public Cv4Sim {};

TEST_F(Cv4MemoryReads, AFailedReadKeepsTheSetAndSaysWhy) {
  ASSERT_NO_FATAL_FAILURE(StartSim());
  memtest4::Rig rig(&port);
  ASSERT_NO_FATAL_FAILURE(SettleAndOpen());
  ASSERT_NO_FATAL_FAILURE(SettleAfterWakeLine());
  memtest4::Rig writer;
  const std::string good = memtest::FamilyFile(writer, memtest4::DefaultRecords());
  auto rows = memtest::FailedReadRows(good, "The file ends before memory number 25", "The file ends before memory number 1");
  rows.push_back({"foreign.csv", memtest::Cv3FileWithMemory4('S', "0870,00"), {"Error(s) in memory number 4: Frequency: 870 (900-2150)"}});
  memtest::FailedReadsKeepTheSet([&] { return cv::cv4::MakeMemoryDlg(nullptr, rig.equip.get()); }, rows,
                                 memtest::WithNewSeventhLabel(good));
}

}  // namespace
