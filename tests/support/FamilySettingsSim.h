#pragma once
// A family's simulated meter on COM1, its equipment object on it with the port open as the
// launchers leave it, the host's log memo and a recording prompter.
#include <gtest/gtest.h>

#include <QStringList>
#include <memory>
#include <string>
#include <vector>

#include "AppServices.h"
#include "Cv3Equip.h"
#include "HostForm.h"
#include "StartDir.h"

template <class Sim, class Equip>
class FamilySettingsSim : public ::testing::Test, public Sim {
 protected:
  void SetUp() override {
    ASSERT_NO_FATAL_FAILURE(this->StartSim());
    equip.reset(TCv3Equip::Build<Equip>(&host.form, &this->port));
    ASSERT_NO_FATAL_FAILURE(this->SettleAndOpen());
    ASSERT_NO_FATAL_FAILURE(this->SettleAfterWakeLine());
    host.Clear();
    this->sim->ClearTraffic();
  }
  void TearDown() override { this->port.Close(); }

  // The lines the instrument received that start with `prefix`, once it has answered them.
  std::vector<std::string> Sent(const std::string& prefix) {
    this->Settle();
    std::vector<std::string> out;
    for (const std::string& l : this->sim->Lines())
      if (l.rfind(prefix, 0) == 0 && l != "*") out.push_back(l);
    return out;
  }
  QStringList Log() const { return host.Lines(); }

  StartDir start;
  HostForm host;
  std::unique_ptr<Equip> equip;
  cv::RecordingPrompter prompter;
};
