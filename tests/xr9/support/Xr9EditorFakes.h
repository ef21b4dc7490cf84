#pragma once
// The plan editor's form as the editor tests see it: counts refreshes, keeps the transfer-button
// state and the log zone's lines.
#include <string>
#include <vector>

#include "Xr9PlanEditor.h"

namespace xr9test {

struct FakeView : cv::xr9::EditorView {
  void RefreshAll() override { ++refreshes; }
  void RefreshChannels() override { ++channelRefreshes; }
  void SetTransferButtons(bool s, bool se, bool r) override {
    save = s;
    send = se;
    receive = r;
  }
  cv::xr9::ReceiveChoice RunReceiveDialog(cv::xr9::TPlanEditor&, const std::vector<std::string>&) override {
    return cv::xr9::ReceiveChoice::Cancel;
  }
  void SetGauge(int) override {}
  void Repaint() override {}
  void AddLogZone(const std::string& line) override { zone.push_back(line); }
  void SetBusy(bool) override {}  // the editor keeps the hourglass by scope itself
  int refreshes = 0, channelRefreshes = 0;
  bool save = false, send = false, receive = false;
  std::vector<std::string> zone;
};

}  // namespace xr9test
