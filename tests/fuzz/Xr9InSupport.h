#pragma once
// The TV MIRELTO plan editor without a form for the targets that load plans into it, and the
// promises every loaded store keeps.
#include "FuzzSupport.h"
#include "Xr9Equip.h"
#include "Xr9PlanEditor.h"
#include "Xr9PlanIn.h"

namespace cvfuzz {

struct QuietEditorView : cv::xr9::EditorView {
  void RefreshAll() override {}
  void RefreshChannels() override {}
  void SetTransferButtons(bool, bool, bool) override {}
  cv::xr9::ReceiveChoice RunReceiveDialog(cv::xr9::TPlanEditor&, const std::vector<std::string>&) override {
    return cv::xr9::ReceiveChoice::Cancel;
  }
  void SetGauge(int) override {}
  void Repaint() override {}
  void AddLogZone(const std::string&) override {}
  void SetBusy(bool) override {}
};

struct Xr9Loader {
  Xr9Loader() : prompter(InitApplication()), equip(nullptr, nullptr), editor(equip, prompter, view), in(editor) {}
  void CheckStore() const {
    int named = 0;
    for (const cv::xr9::TPlanXR9& p : editor.plans) {
      if (p.Name.empty()) continue;
      ++named;
      FUZZ_CHECK(p.Name.size() <= cv::xr9::PlanNameMax);
      FUZZ_CHECK(p.FilePath.size() <= 260);
      if (p.Channels) FUZZ_CHECK(p.Channels->size() == p.ChannelCount);
    }
    FUZZ_CHECK(named <= cv::xr9::PlanSlots);
  }
  QuietPrompter& prompter;  // the application first: the equipment object asks it for paths
  cv::xr9::TXR9Equip equip;
  QuietEditorView view;
  cv::xr9::TPlanEditor editor;
  cv::xr9::TPlanIn in;
};

}  // namespace cvfuzz
