#pragma once
// What the plan editors' Send tests against a simulated meter share: virtual time for the
// script's waits, and a canalization put into the editor as if the person had just loaded it.
#include <QPlainTextEdit>
#include <QWidget>
#include <chrono>
#include <memory>
#include <thread>

#include "Chanplandlg.h"
#include "Clock.h"
#include "StartDir.h"

// Virtual time, with a real millisecond for the simulator's thread per virtual second.
class PacedSendClock : public cv::FakeClock {
 public:
  void PumpEvents(int maxBlockMs = 0, bool userInput = true) override {
    FakeClock::PumpEvents(maxBlockMs, userInput);
    if (now % 1000 == 0) std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
};

// The editor's plans as loaded and unmodified, the first slot selected, and the form showing them.
inline void ShowLoadedPlans(TChannelsPlanDlg& dlg) {
  auto& ed = dlg.Editor();
  ed.listFilled = true;
  ed.listIndex = 0;
  ed.planSelected = true;
  ed.modified = false;
  dlg.Refresh();
}

// The objects of such a test: a start directory, the host window with its log memo, the clock,
// the family's equipment object and the plan editor.
template <class Equip>
struct PlanSendParts {
  StartDir dir;
  QWidget host;
  QPlainTextEdit* memo = nullptr;
  PacedSendClock clock;
  std::unique_ptr<Equip> equip;
  std::unique_ptr<TChannelsPlanDlg> dlg;
};
