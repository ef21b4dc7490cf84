#include <gtest/gtest.h>

#include "FakeLink.h"
#include "Format.h"
#include "NumFormat.h"
#include "TSpectrumSweep.h"

namespace {

struct SweepFixture : ::testing::Test {
  FakeLink link;
  RecordingView view;
  TSpectrumSweep sweep{link, view};
  void Range(float a, float b, float step) {
    sweep.initialFreq = a;
    sweep.finalFreq = b;
    sweep.stepFreq = step;
  }
  // Lets the timer run one tick at a time until the run is over.
  void RunTimer(int maxTicks = 100) {
    for (int i = 0; i < maxTicks && sweep.running; ++i) {
      link.clock.Advance(1000);
      if (view.timer) sweep.LessToNextSnap();
    }
  }
};

TEST_F(SweepFixture, DefaultsSweepFortyOnePointsWithTheFilterOffAndTheWaitsOfEachPoint) {
  sweep.StartBtnClick();
  EXPECT_EQ(sweep.points, 41);
  ASSERT_EQ(link.tuned.size(), 41u);
  EXPECT_FLOAT_EQ(link.tuned.front(), 1165.0f);
  EXPECT_FLOAT_EQ(link.tuned.back(), 1205.0f);
  // Order of one sweep: spectrum mode off, filter off, mode check, level mode, points, filter on.
  std::vector<std::string> head(link.commands.begin(), link.commands.begin() + 9);
  EXPECT_EQ(head, (std::vector<std::string>{"*SP0", "*7205&", "*MF0F", "*?SY", "*?SP", "*ME0", "*FR",
                                            "*?LV", "*FR"}));
  std::vector<std::string> tail(link.commands.end() - 2, link.commands.end());
  EXPECT_EQ(tail, (std::vector<std::string>{"*7205&", "*MF1F"}));
  EXPECT_EQ(link.clock.sleptMs, 41 * 75);
  EXPECT_EQ(link.clock.pumpedMs, 41 * 1000);
  EXPECT_EQ(sweep.state, 1);
  EXPECT_FALSE(sweep.running);
  EXPECT_TRUE(link.Logged("Taking snap 1/1"));
  EXPECT_TRUE(link.Logged("Snaps finished"));
  // The carrier at 1175 MHz peaks at 70 dBuV in the stored row.
  ASSERT_TRUE(sweep.haveLevels);
  EXPECT_FLOAT_EQ(sweep.levels[0][10], 70.0f);
  EXPECT_FLOAT_EQ(sweep.levels[0][0], 25.0f);
  EXPECT_FLOAT_EQ(sweep.currentFreq, 1205.0f);
}

TEST_F(SweepFixture, ASweepAcross862MHzSkipsTheBandGap) {
  Range(860, 866, 1);
  sweep.StartBtnClick();
  std::vector<float> want = {860, 861, 862, 863.1f, 864.1f, 865.1f};
  ASSERT_EQ(link.tuned.size(), want.size());
  for (size_t i = 0; i < want.size(); ++i) EXPECT_NEAR(link.tuned[i], want[i], 1e-3) << i;
  EXPECT_EQ(sweep.SweptFrequencies().size(), 6u);
  EXPECT_EQ(sweep.points, 7);  // the table keeps a spare column, left at 0
  EXPECT_FLOAT_EQ(sweep.levels[0][6], 0.0f);
}

TEST_F(SweepFixture, StartRefusesBadSettingsAndSendsNothing) {
  struct Case {
    float a, b, step;
    std::string box;
    float newStep;
  } cases[] = {
      {1000, 1002.5f, 1, "Not enough points to make the spectrum\nMinimun number of points: 4", 1},
      {950, 2150, 1, "1201 points: Too many points to make the spectrum\nNew suggested step value: 4.90",
       4.9f},
      {1205, 1165, 1, "Bad frequency values", 1},
  };
  for (const Case& c : cases) {
    FakeLink l;
    RecordingView v;
    TSpectrumSweep s(l, v);
    s.initialFreq = c.a;
    s.finalFreq = c.b;
    s.stepFreq = c.step;
    s.StartBtnClick();
    ASSERT_FALSE(v.boxes.empty()) << c.a;
    EXPECT_EQ(v.boxes[0], c.box) << c.a;
    EXPECT_FLOAT_EQ(s.stepFreq, c.newStep) << c.a;
    EXPECT_TRUE(l.commands.empty()) << c.a;
    EXPECT_EQ(s.state, 0) << c.a;
  }
}

TEST_F(SweepFixture, AdjustFinalFreqFitsTheRangeToWholeSteps) {
  Range(1000, 1002.5f, 1);
  sweep.AdjustFinalFreq();
  EXPECT_FLOAT_EQ(sweep.finalFreq, 1002.0f);
}

TEST_F(SweepFixture, SettingsEditsAcceptOrRefuseAsTheirRangesSay) {
  enum Edit { Initial, Final, Step, Snaps, Time, Current };
  struct Case {
    Edit edit;
    const char* text;
    int variant;
    TEditResult want;
    const char* final = nullptr;  // the final frequency typed first
  } cases[] = {
      {Initial, "862,1", 0, TEditResult::Refused},  // the float lies below the double 862.1
      {Initial, "862.11", 0, TEditResult::Accepted},
      {Initial, "5", 0, TEditResult::Accepted},
      {Initial, "4.99", 0, TEditResult::Refused},
      {Initial, "862", 0, TEditResult::Accepted},
      {Initial, "100", 4, TEditResult::Refused},
      {Initial, "1205", 0, TEditResult::Accepted},  // equal to the final one is allowed here
      {Initial, "1205.01", 0, TEditResult::Refused},
      {Initial, "1165", 0, TEditResult::Unchanged},
      {Initial, "abc", 0, TEditResult::Refused},
      {Initial, "", 0, TEditResult::Refused},
      {Initial, "1170.0000009", 0, TEditResult::Accepted},  // cut to its first 9 characters
      {Initial, "2150", 0, TEditResult::Refused, "2150"},     // the top is for the final one only
      {Initial, "2149.9", 0, TEditResult::Accepted, "2150"},
      {Final, "2150", 0, TEditResult::Accepted},
      {Final, "2150.01", 0, TEditResult::Refused},
      {Final, "1164", 0, TEditResult::Refused},
      {Final, "100", 4, TEditResult::Refused},
      {Step, "0.05", 0, TEditResult::Accepted},
      {Step, "0.04", 0, TEditResult::Refused},
      {Step, "50", 0, TEditResult::Accepted},
      {Step, "50.5", 0, TEditResult::Refused},
      {Snaps, "1000", 0, TEditResult::Accepted},
      {Snaps, "0", 0, TEditResult::Refused},
      {Snaps, "1001", 0, TEditResult::Refused},
      {Snaps, "2.5", 0, TEditResult::Refused},
      {Time, "19999", 0, TEditResult::Accepted},
      {Time, "20000", 0, TEditResult::Refused},
      {Time, "0", 0, TEditResult::Refused},
      {Current, "1180", 0, TEditResult::Accepted},
      {Current, "1206", 0, TEditResult::Refused},
  };
  for (const Case& c : cases) {
    FakeLink l;
    l.variant = c.variant;
    RecordingView v;
    TSpectrumSweep s(l, v);
    if (c.final) {
      ASSERT_EQ(s.ValidateFinalFreq(c.final, ','), TEditResult::Accepted);
    }
    TEditResult got{};
    switch (c.edit) {
      case Initial: got = s.ValidateInitialFreq(c.text, ','); break;
      case Final: got = s.ValidateFinalFreq(c.text, ','); break;
      case Step: got = s.ValidateStep(c.text, ','); break;
      case Snaps: got = s.ValidateSnaps(c.text); break;
      case Time: got = s.ValidateTimeStep(c.text); break;
      case Current: got = s.ValidateCurrentFreq(c.text, ','); break;
    }
    EXPECT_EQ(static_cast<int>(got), static_cast<int>(c.want)) << c.edit << " '" << c.text << "'";
  }
}

TEST_F(SweepFixture, FullSpanBoxesSetTheRange) {
  EXPECT_FALSE(sweep.SetFullSpan(false, false));
  EXPECT_FLOAT_EQ(sweep.initialFreq, 1165.0f);
  sweep.SetFullSpan(true, true);
  EXPECT_EQ(sweep.initialFreq, 5.0f);
  EXPECT_EQ(sweep.finalFreq, 2150.0f);
  sweep.SetFullSpan(true, false);
  EXPECT_EQ(sweep.finalFreq, 862.0f);
  sweep.SetFullSpan(false, true);
  EXPECT_EQ(sweep.initialFreq, 862.1f);
}

TEST_F(SweepFixture, LevelRepliesDecodeOrFailWithTheirLogLines) {
  struct Case {
    const char* reply;
    bool ok;
    float level;
    char s1, s2;
    const char* line;
  } cases[] = {
      {"*LV=+2A3", true, 67.5f, '=', '+', nullptr},
      {"*LV<-000", true, 0.0f, '<', '-', nullptr},
      {"*LV=+2A3XYZ", true, 67.5f, '=', '+', nullptr},  // cut after 8 characters
      {"*LV!?000", false, 0.0f, '\xBF', '?', "Impossible to take measurement in the equipment"},
      {"*XX=+2A3", false, 0.0f, '=', '+', "Bad answer from the equipment when asking for level:"},
      {"*LV=+2G", false, 0.0f, '=', '+', "Bad answer from the equipment when asking for level:"},
      {"*LV=+2AG", false, 0.0f, '=', '+', "*LV=+2AG"},  // each of the three digits is checked
      {"*LV=+G23", false, 0.0f, '=', '+', "*LV=+G23"},
  };
  for (const Case& c : cases) {
    FakeLink l;
    RecordingView v;
    TSpectrumSweep s(l, v);
    l.levelOverride = c.reply;
    s.meas.level = 5;
    EXPECT_EQ(s.ReadLevel(s.meas, 75), c.ok) << c.reply;
    EXPECT_FLOAT_EQ(s.meas.level, c.level) << c.reply;
    EXPECT_EQ(s.meas.status1, c.s1) << c.reply;
    EXPECT_EQ(s.meas.status2, c.s2) << c.reply;
    if (c.line) {
      EXPECT_TRUE(l.Logged(c.line)) << c.reply;
    }
  }
}

TEST_F(SweepFixture, BerRepliesDecodeMantissaAndSignedExponent) {
  struct Case {
    const char* reply;
    double ber;
  } cases[] = {{"*LV=+2A3", 21000}, {"*LV=+2B9", 2.1e-6}, {"*LV=+FEF", 127e15}, {"*LV=+030", 1e-16}};
  for (const Case& c : cases) {
    link.levelOverride = c.reply;
    ASSERT_TRUE(sweep.MeasureBer("*ME4", sweep.meas, 1500)) << c.reply;
    EXPECT_NEAR(sweep.meas.level / c.ber, 1.0, 1e-6) << c.reply;
  }
}

TEST_F(SweepFixture, ImpossibleLevelEndsTheSweepAndTheFirstSnapEndsTheRun) {
  link.levelOverride = "*LV!?000";
  sweep.StartBtnClick();
  EXPECT_EQ(link.tuned.size(), 1u);
  EXPECT_TRUE(link.Logged("Impossible to take measurement in the equipment"));
  EXPECT_TRUE(link.Logged("Error when asking Level"));
  EXPECT_TRUE(link.Logged("Error when doing first snap"));
  EXPECT_EQ(sweep.state, 0);
  EXPECT_FALSE(sweep.running);
  EXPECT_EQ(link.commands.back(), "*MF1F");  // the filter goes back on all the same
}

TEST_F(SweepFixture, TuningFailureInALaterSnapshotKeepsTheRunWaitingForStop) {
  sweep.snapshots = 2;
  sweep.timeStep = 1;
  link.failTuneAt = 41 + 3;
  sweep.StartBtnClick();
  RunTimer(5);
  EXPECT_EQ(link.tuned.size(), 45u);
  EXPECT_TRUE(sweep.running);
  EXPECT_EQ(sweep.state, 2);
  EXPECT_FALSE(view.timer);
  // The first row is whole; the second keeps the three points it reached.
  EXPECT_FLOAT_EQ(sweep.levels[1][2], sweep.levels[0][2]);
  EXPECT_FLOAT_EQ(sweep.levels[1][3], 0.0f);
}

TEST_F(SweepFixture, SnapshotsFollowTheCountdownOfTimeStepPlusOneTicks) {
  sweep.snapshots = 3;
  sweep.timeStep = 2;
  sweep.StartBtnClick();
  EXPECT_TRUE(view.timer);
  EXPECT_EQ(sweep.snapNo, 2);
  sweep.LessToNextSnap();
  sweep.LessToNextSnap();
  EXPECT_EQ(link.tuned.size(), 41u);  // two ticks count down
  sweep.LessToNextSnap();             // the third takes the snapshot
  EXPECT_EQ(link.tuned.size(), 82u);
  RunTimer();
  EXPECT_EQ(link.tuned.size(), 123u);
  std::vector<std::string> taking;
  for (auto& l : link.log)
    if (l.rfind("Taking snap", 0) == 0 || l == "Snaps finished") taking.push_back(l);
  EXPECT_EQ(taking, (std::vector<std::string>{"Taking snap 1/3", "Taking snap 2/3", "Taking snap 3/3",
                                              "Snaps finished"}));
  EXPECT_EQ(link.Count("*MF0F"), 3);
  EXPECT_EQ(link.Count("*MF1F"), 3);
  EXPECT_EQ(sweep.state, 1);
}

TEST_F(SweepFixture, NonAnalogueModeSkipsEachSnapshotButTheRunGoesOn) {
  link.systemReply = "*SY060";
  sweep.snapshots = 2;
  sweep.timeStep = 1;
  sweep.StartBtnClick();
  RunTimer();
  EXPECT_TRUE(link.tuned.empty());
  EXPECT_EQ(view.boxes.size(), 2u);
  EXPECT_EQ(view.boxes[0], "Please switch the equipment to ANALOG\nto make remote spectrums.");
  EXPECT_EQ(sweep.state, 1);
  EXPECT_EQ(link.Count("*ME0"), 0);
}

TEST_F(SweepFixture, StopDuringAWaitEndsTheSweepBeforeItsNextPoint) {
  link.duringTune = [&](int i) {
    if (i == 5) sweep.StartBtnClick();
  };
  sweep.StartBtnClick();
  EXPECT_EQ(link.tuned.size(), 6u);
  EXPECT_TRUE(link.Logged("Snap stopped by user"));
  EXPECT_EQ(sweep.state, 0);
  EXPECT_FALSE(sweep.busy);
  EXPECT_FALSE(sweep.stopRequested);
  EXPECT_EQ(link.commands.back(), "*MF1F");
}

// Start pressed again while the stopped sweep is still in its settling wait must not let the old
// sweep carry on inside the new run; the new run starts once the old sweep has unwound.
TEST_F(SweepFixture, StartDuringTheStoppedSweepsWaitWaitsForItToUnwind) {
  sweep.snapshots = 2;
  link.duringTune = [&](int i) {
    if (i == 5) {
      sweep.StartBtnClick();  // Stop
      sweep.StartBtnClick();  // Start again, still inside the wait
      EXPECT_FALSE(sweep.running);
    }
  };
  sweep.StartBtnClick();
  link.duringTune = nullptr;
  EXPECT_EQ(link.tuned.size(), 6u);  // the old sweep took no further point
  EXPECT_EQ(view.pendingReady, 1);
  ASSERT_TRUE(sweep.TakePendingStart());
  sweep.StartBtnClick();
  EXPECT_EQ(link.tuned.size(), 6u + 41u);
  EXPECT_EQ(sweep.snapNo, 2);
  EXPECT_FLOAT_EQ(sweep.levels[0][40], 25.0f);  // a whole first row from the new run
  EXPECT_FLOAT_EQ(sweep.levels[1][0], 0.0f);
  EXPECT_TRUE(sweep.running);
}

TEST_F(SweepFixture, CloseDuringASweepStopsItAndClosesAfterItUnwinds) {
  bool closedAtOnce = true;
  link.duringTune = [&](int i) {
    if (i == 2) closedAtOnce = sweep.StopForClose();
  };
  sweep.StartBtnClick();
  EXPECT_FALSE(closedAtOnce);
  EXPECT_TRUE(sweep.closePending);
  EXPECT_EQ(view.pendingReady, 1);
  EXPECT_EQ(link.tuned.size(), 3u);
  EXPECT_EQ(link.commands.back(), "*MF1F");
  EXPECT_FALSE(sweep.running);
  EXPECT_FALSE(sweep.TakePendingStart());
}

TEST_F(SweepFixture, AskMeasurementByKind) {
  struct Case {
    int item;
    std::string cmd, units, asking, received, name;
    int waitMs;
  } cases[] = {
      {-1, "*ME0", "dBuV", "Asking level...", "Level received", "Level", 1500},
      {1, "*ME1", "dB", "Asking V/A...", "V/A received", "V/A", 1500},
      {2, "*ME2", "dBuV", "Asking power...", "Power received", "POWER", 1500},
      {3, "*ME3", "dB", "Asking C/N auto...", "C/N auto received", "C/N auto", 6000},
      {4, "*ME4", "", "Asking BER QPSK...", "BER QPSK received", "BER QPSK", 1500},
      {6, "*ME6", "", "Asking BER COFDM...", "BER COFDM received", "BER COFDM", 1500},
      {7, "*ME7", "dB", "Asking C/N referenced...", "C/N referenced received", "C/N referenced", 3000},
  };
  for (const Case& c : cases) {
    FakeLink l;
    RecordingView v;
    TSpectrumSweep s(l, v);
    s.state = 1;
    s.currentFreq = 1175;
    s.MeasBtnClick(c.item);
    EXPECT_EQ(s.state, 3);
    EXPECT_EQ(l.commands[0], "*SP0");
    EXPECT_NE(std::find(l.commands.begin(), l.commands.end(), c.cmd), l.commands.end()) << c.item;
    EXPECT_EQ(v.units, c.units) << c.item;
    EXPECT_TRUE(l.Logged(c.asking)) << c.item;
    EXPECT_TRUE(l.Logged(c.received)) << c.item;
    EXPECT_STREQ(s.meas.name, c.name.c_str());
    EXPECT_EQ(l.clock.sleptMs, c.waitMs) << c.item;
    EXPECT_FLOAT_EQ(l.tuned.at(0), 1175.0f);
  }
}

TEST_F(SweepFixture, AskMeasurementShowsTheStatusAndValue) {
  sweep.state = 1;
  link.levelOverride = "*LV!?000";
  sweep.MeasBtnClick(0);
  EXPECT_EQ(sweep.MeasText(0, ','), std::string("\xBF?") + "  0,0");
  link.levelOverride = "*LV=+2B9";
  sweep.MeasBtnClick(4);
  EXPECT_EQ(sweep.MeasText(4, ','), "=? 2,1E-06");  // BER keeps the earlier second status
  // A refused "*SP0" leaves the previous measurement on show.
  link.failCommand = "*SP0";
  sweep.MeasBtnClick(0);
  EXPECT_EQ(sweep.MeasText(0, '.'), "=?  0.0");
}

TEST(SpecFormat, FormatsAndParsesWithoutTheCLocale) {
  EXPECT_EQ(cv::PrintfFixed(1165, 4, 2, ','), "1165,00");
  EXPECT_EQ(cv::PrintfFixed(1, 6, 4, ','), "1,0000");
  EXPECT_EQ(cv::PrintfFixed(7.5, 5, 1), "  7.5");
  EXPECT_EQ(cv::PrintfSci(2.1e-6, 3, 1), "2.1E-06");
  EXPECT_EQ(cv::FormatStyled({',', true}, "%d points %4.2f %s%c %-3d|%%", int64_t{3}, 4.9, std::string("x"), 'y',
                             int64_t{7}),
            "3 points 4,90 xy 7  |%");
  float f;
  EXPECT_TRUE(cv::ParseFixedNotation(" 12,5 ", f, ','));
  EXPECT_FLOAT_EQ(f, 12.5f);
  EXPECT_TRUE(cv::ParseFixedNotation("12.5", f, ','));
  EXPECT_FALSE(cv::ParseFixedNotation("12.5x", f, ','));
  EXPECT_FALSE(cv::ParseFixedNotation("1e5", f, ','));
  int32_t n;
  EXPECT_TRUE(cv::ParseInteger("+42", n));
  EXPECT_FALSE(cv::ParseInteger("4 2", n));
}

}  // namespace
