// A received data-logger file stored under every file-size limit of the save table: the old
// file stays whole, or the new one is whole.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "DataLoggerCtl.h"
#include "SaveLimits.h"
#include "Xr9DlFixture.h"
#include "Xr9Sim.h"
#include "Xr9TestFiles.h"

using namespace cv::xr9;

namespace {

class DlSaveLimits : public Xr9Sim {
 protected:
  void SetUp() override {
    Xr9Sim::SetUp();
    ASSERT_TRUE(folder.isValid());
    ctl = std::make_unique<DataLoggerCtl>(*equip, [](const std::string&) {});
    ctl->folder = folder.path().toStdString();
    OpenLink();
  }
  QTemporaryDir folder;
  std::unique_ptr<DataLoggerCtl> ctl;
};

}  // namespace

TEST_F(DlSaveLimits, AReceivedFileIsWholeOrTheOldOneStays) {
  // Larger than the write buffer, so the limits cut it inside and past the first block.
  const std::string big = xr9test::DlBytes(xr9test::DlGrid(40, 30));
  ASSERT_GT(big.size(), 4096u);
  Analyser([&](cvsim::Xr9Profile& p) { p.PutFile(10, "GOOD", big); });
  const std::string path = folder.filePath("GOOD.DL").toStdString();
  cvtest::ExpectWholeOrOldFile(path, [&] {
    ctl->ListAll();
    ctl->SetTicked(0, true);
    prompter.shown.clear();
    prompter.answers = {cv::MsgAnswer::Yes};
    ctl->ReceiveTicked();
    for (const auto& s : prompter.shown)
      if (s.caption != "Warning") return false;
    return true;
  });
}
