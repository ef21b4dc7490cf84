#pragma once
// The simulated CORVANE-4 on COM1, the family's equipment object on it with the port open as the
// launchers leave it, the host's log memo and a recording prompter.
#include <gtest/gtest.h>

#include <QStringList>
#include <chrono>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "AppServices.h"
#include "Cv4Equip.h"
#include "Cv4Sim.h"
#include "HostForm.h"
#include "StartDir.h"

class Cv4SettingsSim : public ::testing::Test, public Cv4Sim {
 protected:
  void SetUp() override {
    ASSERT_NO_FATAL_FAILURE(StartSim());
    equip.reset(TCv3Equip::Build<cv::cv4::TCv4Equip>(&host.form, &port));
    ASSERT_NO_FATAL_FAILURE(SettleAndOpen());
    ASSERT_NO_FATAL_FAILURE(SettleAfterWakeLine());
    host.Clear();
    sim->ClearTraffic();
  }
  void TearDown() override { port.Close(); }

  // The lines the instrument received that start with `prefix`, once it has answered them.
  std::vector<std::string> Sent(const std::string& prefix) {
    Settle();
    std::vector<std::string> out;
    for (const std::string& l : sim->Lines())
      if (l.rfind(prefix, 0) == 0 && l != "*") out.push_back(l);
    return out;
  }
  QStringList Log() const { return host.Lines(); }

  StartDir start;
  HostForm host;
  std::unique_ptr<cv::cv4::TCv4Equip> equip;
  cv::RecordingPrompter prompter;
};
