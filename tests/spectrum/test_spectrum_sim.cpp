// Sweeps over the simulated instrument, through the real port object and line protocol, on a
// fake clock: the waits cost nothing, the wire is real.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <thread>

#include "PortMap.h"
#include "SerialSpectrumLink.h"
#include "Simulator.h"
#include "TSpectrumSweep.h"

namespace {

struct SimSweep : ::testing::Test {
  std::unique_ptr<cvsim::Simulator> sim;
  TSerial port{6};
  cv::FakeClock clock;
  std::unique_ptr<SerialSpectrumLink> link;
  struct View : TSpectrumView {
    std::vector<std::string> boxes;
    bool timer = false;
    void ErrorBox(const std::string&, const std::string& t) override { boxes.push_back(t); }
    void SetTimer(bool on) override { timer = on; }
  } view;
  std::unique_ptr<TSpectrumSweep> sweep;

  void SetUp() override {
    // The plain CORVANE-3 profile, as the cvsim program plays it: the sweep needs nothing added.
    sim = std::make_unique<cvsim::Simulator>();
    unsetenv("CV_PORT_COM7");
    std::string error;
    ASSERT_TRUE(sim->Start(&error)) << error;
    cv::SetPortPaths({{7, sim->Path()}});
    port.timeScale = 0.05;
    ASSERT_TRUE(port.OpenConfigured(19200, 8, 0, 0));
    // The set-up's wake line is answered before the case starts.
    for (int i = 0; i < 200 && sim->Lines().empty(); ++i) std::this_thread::sleep_for(std::chrono::milliseconds(5));
    ASSERT_TRUE(sim->WaitTxIdle());
    clock.pumpStepMs = 90;  // with the 10 ms slices, a pass is 100 ms
    link = std::make_unique<SerialSpectrumLink>(port, clock);
    sweep = std::make_unique<TSpectrumSweep>(*link, view);
    sim->ClearTraffic();
  }
  void TearDown() override {
    port.Close();
    cv::SetPortPaths({});
  }
  template <class F>
  auto Cv3(F f) {
    return sim->WithProfile([&](cvsim::Profile& p) { return f(static_cast<cvsim::Corvane3Profile&>(p)); });
  }
  std::vector<std::string> Tunings() {
    std::vector<std::string> out;
    for (auto& l : sim->Lines())
      if (l.rfind("*FR", 0) == 0) out.push_back(l);
    return out;
  }
};

TEST_F(SimSweep, ASweepAcross862MHzTunesTerrestrialThenSatelliteAndSkipsTheGap) {
  sweep->initialFreq = 858;
  sweep->finalFreq = 868;
  sweep->StartBtnClick();
  ASSERT_TRUE(link->log.empty() || link->log.back() == "Snaps finished") << link->log.back();
  EXPECT_EQ(sweep->points, 11);
  // 858 .. 862 terrestrial (word (f + 38.9) x 20), then 863.1 .. 867.1 satellite ((f + 479.5) x 8).
  std::vector<std::string> want = {"*FRT4612", "*FRT4626", "*FRT463A", "*FRT464E", "*FRT4662",
                                   "*FRS29F5", "*FRS29FD", "*FRS2A05", "*FRS2A0D", "*FRS2A15"};
  EXPECT_EQ(Tunings(), want);
  // The carrier at 863 MHz shows in the first satellite point; the floor elsewhere.
  const std::vector<float>& row = sweep->levels[0];
  EXPECT_NEAR(row[5], Cv3([](auto& p) { return p.LevelAt(863.1); }), 0.15);
  EXPECT_GT(row[5], row[0] + 20);
  EXPECT_FLOAT_EQ(row[10], 0.0f);  // the spare column past 867.1 is never reached
  EXPECT_EQ(sweep->state, 1);
  EXPECT_TRUE(Cv3([](auto& p) { return p.filterOn; }));
  EXPECT_FALSE(Cv3([](auto& p) { return p.spectrumMode; }));
  // Per point: the settling wait and the pause before the level query, nothing more.
  EXPECT_EQ(clock.now, 10 * (1000 + 75));
  EXPECT_EQ(clock.pumpedMs, 10 * 10 * 90);
  std::vector<std::string> lines = sim->Lines();
  std::vector<std::string> head(lines.begin(), lines.begin() + 7);
  EXPECT_EQ(head, (std::vector<std::string>{"*SP0", "*7205&", "*MF0F", "*?SY", "*?SP", "*ME0", "*FRT4612"}));
}

TEST_F(SimSweep, DigitalModeAndRefusedFilterAreReportedAndNoPointIsTaken) {
  Cv3([](auto& p) { p.systemReply = "*SY060"; });
  sweep->StartBtnClick();
  ASSERT_EQ(view.boxes.size(), 1u);
  EXPECT_TRUE(Tunings().empty());
  sim->WithProfile([](cvsim::Profile& p) { p.Remove("*7205&"); });
  sweep->StartBtnClick();
  EXPECT_EQ(link->log.back(), "Error when going to protected mode");
  EXPECT_TRUE(Tunings().empty());
}

TEST_F(SimSweep, MeasurementsOverTheWire) {
  sweep->state = 1;
  sweep->currentFreq = 1175;
  sweep->MeasBtnClick(0);
  EXPECT_FLOAT_EQ(sweep->meas.level, 70.0f);
  sweep->MeasBtnClick(5);
  EXPECT_NEAR(sweep->meas.level, 2.1e-6, 1e-9);
  EXPECT_EQ(Cv3([](auto& p) { return p.measureMode; }), 5);
  Cv3([](auto& p) { p.levelImpossible = true; });
  sweep->MeasBtnClick(0);
  EXPECT_EQ(sweep->MeasText(0, ','), std::string("\xBF?") + "  0,0");
}

}  // namespace
