// The CORVANE-4 memory file saved through the editor under every file-size limit of the save
// table: the file is whole, or the old one stays.
#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "Cv4MemoryKit.h"
#include "SaveLimits.h"

TEST(Cv4MemorySaveLimits, TheMemoryFileIsWholeOrOld) {
  QTemporaryDir dir;
  memtest4::Rig rig;
  rig.editor.records = memtest4::DefaultRecords();
  rig.editor.records[0].freq = 474.0f;
  rig.editor.loaded = true;
  const std::string path = dir.filePath("mem.csv").toStdString();
  rig.chooser.savePath = path;
  cvtest::ExpectWholeOrOldFile(path, [&] { return rig.editor.SaveBtnClick(); });
}
