#pragma once
// The CORVANE-3 simulator on COM1 (unpaced), an equipment object on it with the port open as the
// launchers leave it, the host's log memo and a recording prompter.
#include <gtest/gtest.h>

#include <QStringList>
#include <memory>
#include <string>
#include <vector>

#include "AppServices.h"
#include "Cv3Equip.h"
#include "HostForm.h"
#include "SimOnCom1.h"
#include "StartDir.h"

class SettingsSim : public ::testing::Test, public SimOnCom1 {
 protected:
  void SetUp() override {
    ASSERT_NO_FATAL_FAILURE(StartSim());
    Settle();
    equip = std::make_unique<TCv3Equip>(&host.form, &port);
    ASSERT_NO_FATAL_FAILURE(SettleAndOpen());
    host.Clear();
    sim->ClearTraffic();
  }
  void TearDown() override { port.Close(); }

  // The lines the instrument received that start with `prefix`.
  std::vector<std::string> Sent(const std::string& prefix) const {
    std::vector<std::string> out;
    for (const std::string& l : sim->Lines())
      if (l.rfind(prefix, 0) == 0 && l != "*") out.push_back(l);
    return out;
  }
  // Every line the instrument received but the wake line of a freshly opened port.
  std::vector<std::string> Exchanged() const { return Sent("*"); }
  QStringList Log() const { return host.Lines(); }

  StartDir start;
  HostForm host;
  std::unique_ptr<TCv3Equip> equip;
  cv::RecordingPrompter prompter;
};
