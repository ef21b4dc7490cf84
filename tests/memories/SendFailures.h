#pragma once
// Send All and Send One against a simulated meter that stops taking memories: silent from memory
// 30, refusing memory 30, or silent before anything goes. Each row must end in one box in the
// editor naming the memory and why, the gauge back at 0, nothing told as sent and the set as it
// was; the meter answering again takes a whole Send All. Every family's memory test runs the rows.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "MemoryTestKit.h"
#include "Simulator.h"

namespace memtest {

struct SendFailure {
  std::string name;
  bool all;      // Send All, else Send One of memory 30
  int at;        // the record line (from 1) the fault takes; 0: silent from the first line
  bool refuses;  // the meter refuses that line instead of falling silent
  std::string box;
  size_t records;  // record lines the meter received
};

// `oneSilentBox`: the family's box of a Send One whose meter is silent before the memory goes
// (its first question goes unanswered), and the record lines that then reach the meter.
inline std::vector<SendFailure> SendFailureRows(const std::string& oneSilentBox, size_t oneSilentRecords) {
  const std::string stopped =
      "Sending memories stopped at memory number 30: the memories before it were sent, it and the ones after it "
      "were not.\n";
  const std::string one = "Memory number 30 was not sent.\n";
  const std::string silent = "The equipment did not answer.", refused = "The equipment refused the memory.";
  return {{"Send All, silent from memory 30", true, 30, false, stopped + silent, 30},
          {"Send All, memory 30 refused", true, 30, true, stopped + refused, 30},
          {"Send All, silent before the version", true, 0, false, "Sending memories Error: Equipment not detected", 0},
          {"Send One of memory 30, silent", false, 1, false, one + silent, 1},
          {"Send One of memory 30, refused", false, 1, true, one + refused, 1},
          {"Send One, silent before the memory", false, 0, false, oneSilentBox, oneSilentRecords}};
}

// `load` puts a whole set into `rig`'s editor; `recordPrefix` starts the lines that store a memory.
template <class R>
void SendFailuresAreBoxed(cvsim::Simulator& sim, R& rig, const std::string& recordPrefix,
                          const std::function<void()>& load, const std::vector<SendFailure>& rows) {
  auto records = [&] {
    size_t n = 0;
    for (const std::string& l : sim.Lines()) n += l.rfind(recordPrefix, 0) == 0;
    return n;
  };
  for (const SendFailure& row : rows) {
    SCOPED_TRACE(row.name);
    load();
    const auto before = rig.editor.records;
    rig.host.Clear();
    rig.prompter.shown.clear();
    rig.view.gauges.clear();
    sim.ClearTraffic();
    cvsim::Faults fault;
    fault.silent = row.at == 0;
    fault.failPrefix = recordPrefix;
    fault.failAtLine = row.at;
    fault.failRefuses = row.refuses;
    sim.SetFaults(fault);
    if (row.all) {
      rig.editor.SendBtnClick();
    } else {
      rig.editor.SelectLine(29);
      rig.editor.SendOneBtnClick();
    }
    sim.SetFaults({});
    EXPECT_EQ(records(), row.records);
    ASSERT_EQ(rig.prompter.shown.size(), 1u);
    EXPECT_EQ(cv::To1252(rig.prompter.shown[0].text), row.box);
    EXPECT_EQ(rig.prompter.shown[0].caption, "CvTools Error");
    if (!rig.view.gauges.empty()) {
      EXPECT_EQ(rig.view.gauges.back(), 0);
    }
    EXPECT_FALSE(rig.Logged("Sending memories complete"));
    EXPECT_FALSE(rig.Logged("Memory number 30 sent"));
    EXPECT_EQ(rig.editor.records, before);
    EXPECT_TRUE(rig.editor.loaded);

    // The meter is back: the same set goes whole.
    sim.SendXon();
    rig.prompter.shown.clear();
    rig.host.Clear();
    sim.ClearTraffic();
    rig.editor.SendBtnClick();
    EXPECT_TRUE(rig.Logged("Sending memories complete"));
    EXPECT_EQ(records(), 99u);
    EXPECT_TRUE(rig.prompter.shown.empty());
  }
}

}  // namespace memtest
