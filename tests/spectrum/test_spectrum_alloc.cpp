// A sweep whose tables the allocator refuses: the log says which, one box says the spectrums
// cannot be saved, and the sweep runs and draws without storing.
#include <gtest/gtest.h>

#include <QSlider>

#include "FakeLink.h"
#include "Specdlg.h"

TEST(SpectrumAlloc, ARefusedTableIsLoggedAndTheSweepRunsWithoutStoring) {
  const std::string levels = "Impossible to allocate new memory for measurements";
  const std::string times = "Impossible to allocate new memory for data measurements";
  const QString box = "Impossible to allocate memory. You will not \nbe able to save the spectrums to a file.";
  const struct {
    const char* what;
    size_t limit;  // bytes; one snapshot of 41 points is 164 bytes of levels
    bool levelsRefused, timesRefused;
  } rows[] = {{"levels refused", 100, true, false}, {"both refused", 0, true, true}, {"none refused", 164, false, false}};
  for (const auto& r : rows) {
    SCOPED_TRACE(r.what);
    FakeLink link;
    TSpectrumHostInfo info{',', ';', "", "Cv3Tools 1.22"};
    TSpectrumDlg dlg(nullptr, link, info);
    QStringList boxes;
    dlg.showError = [&](const QString&, const QString& t) { boxes << t; };
    dlg.Sweep().tableByteLimit = r.limit;
    dlg.StartBtnClick();
    EXPECT_EQ(link.Logged(levels), r.levelsRefused);
    EXPECT_EQ(link.Logged(times), r.timesRefused);
    EXPECT_EQ(boxes, QStringList(r.levelsRefused + r.timesRefused, box));
    // The sweep ran through every point and drew them.
    EXPECT_EQ(link.tuned.size(), 41u);
    EXPECT_EQ(dlg.Sweep().state, 1);
    EXPECT_EQ(dlg.Sweep().haveLevels, !r.levelsRefused);
    if (r.levelsRefused) {
      EXPECT_TRUE(dlg.Sweep().levels.empty());
      // The marker reads no table.
      dlg.findChild<QSlider*>("FreqTrackBar")->setValue(119000);
      // Nothing stored, nothing to save.
      dlg.SaveBtnClick();
      EXPECT_TRUE(link.Logged("Impossible to retrieve information of spectrums"));
    } else {
      ASSERT_EQ(dlg.Sweep().levels.size(), 1u);
      EXPECT_EQ(dlg.Sweep().levels[0].size(), 41u);
    }
  }
}
