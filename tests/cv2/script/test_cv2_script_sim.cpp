// Scripts run against the simulated CORVANE-2 on a fake clock: the family's CHAN3S takes the
// C-band rule for the intermediate frequency, where the DV-800 dialect it shares takes the plain
// difference.
#include <gtest/gtest.h>

#include <QDir>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <fstream>

#include "Clock.h"
#include "Cv2Equip.h"
#include "Cv2Sim.h"
#include "Dv8Equip.h"
#include "HostForm.h"
#include "Loggerform.h"

namespace {

struct Cv2SimScript : ::testing::Test, Cv2Sim {
  void SetUp() override {
    ASSERT_NO_FATAL_FAILURE(StartSim());
    ASSERT_NO_FATAL_FAILURE(SettleAndOpen());
    ASSERT_NO_FATAL_FAILURE(SettleAfterWakeLine());  // past the wake line of the opening
  }
  void TearDown() override { port.Close(); }
  std::string Write(const std::string& name, const std::string& text) const {
    const std::string path = (dir.path() + "/").toStdString() + name;
    std::ofstream(path, std::ios::binary) << text;
    return path;
  }

  QTemporaryDir dir;
  HostForm host;
  cv::FakeClock clock;
};

}  // namespace

TEST_F(Cv2SimScript, SatelliteChannelsTakeTheCBandRule) {
  struct Case {
    bool cv2;  // the CORVANE-2 object, else the DV-800's on the same meter
    const char* lnb;
    const char* mhz;
    const char* record;  // the channel's record, nullptr none sent
  } cases[] = {
      // 5150 - 3950 = 1200 MHz: (1200 + 479.5) x 8 = 13436 = 0x347C.
      {true, "5150.0", "3950.00", "*FL:08041200202043317C347C34"},
      {true, "9750.0", "10950.00", "*FL:08041200202043317C347C34"},
      {true, "10600.0", "11800.00", "*FL:08041200202043317C347C34"},
      // Above 6000 MHz the oscillator adds as for any other LNB: 5900 + 1200.
      {true, "5900.0", "7100.00", "*FL:08041200202043317C347C34"},
      {false, "5150.0", "3950.00", nullptr},
      {false, "9750.0", "10950.00", "*FL:08041200202043317C347C34"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << (c.cv2 ? "CORVANE-2 " : "DV-800 ") << c.lnb << " " << c.mhz);
    std::unique_ptr<TCv3Equip> equip(c.cv2 ? static_cast<TCv3Equip*>(TCv3Equip::Build<cv::cv2::TCv2Equip>(&host.form, &port))
                                           : TCv3Equip::Build<cv::dv8::TDV8Equip>(&host.form, &port));
    equip->clock = &clock;
    const std::string line = std::string("CHAN3S (0, C1, ") + c.mhz + ", 0xFFFF, 0xFFFF, 0xFFFF)";
    const std::string script = std::string("ORG (0x0400)\nPLAN (1)\nHEADER3 (C, 0x0400, 1, 5, ") + c.lnb +
                               ", 0, 0xFFFF, 0xFFFF, 0xFFFF)\nPLAN (1)\n" + line + "\n";
    sim->ClearTraffic();
    TLogForm form;
    EXPECT_EQ(equip->RunScript(Write("S.PRO", script), &form), c.record != nullptr);
    Settle();
    const std::vector<std::string> lines = sim->Lines();
    ASSERT_FALSE(lines.empty());
    if (c.record) {
      bool found = false;
      for (const auto& l : lines) found = found || l.rfind(c.record, 0) == 0;
      EXPECT_TRUE(found) << c.record;
    } else {
      // The header's words and their end were the last records sent.
      EXPECT_EQ(lines.back().rfind("*FL:02", 0), 0u) << lines.back();
      EXPECT_TRUE(form.LogZone->toPlainText().contains(QString::fromStdString(line + " -> ERROR")));
    }
  }
}
