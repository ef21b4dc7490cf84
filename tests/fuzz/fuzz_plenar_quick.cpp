// Fuzz target: a CORVANE-PLENAR quick sweep over replies from the input, one line a query in
// the order asked ("*?SPA", "*?SPR", "*?FR", "*?SPH", then "*?SPS" blocks; "!" leaves a query
// unanswered), every wait on a fake clock.
#include <deque>

#include "Specdlgplen.h"
#include "SpectrumSupport.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  cvfuzz::InitApplication();
  return 0;
}

namespace {

class QuickView : public TSpectrumView {
 public:
  bool QuickTicked() override { return true; }
  void SetReferenceItem(int item) override { reference = item; }
  int reference = 6;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::vector<std::string> lines = cvfuzz::Lines(cvfuzz::Text(data, size));
  cvfuzz::SweepReplies link(std::deque<std::string>(lines.begin(), lines.end()), 0);
  QuickView view;
  TSpectrumSweep sweep(link, view, cv::plenar::SpectrumPlenProfile());
  // A huge header may ask for tables no memory holds: the allocation reports, it does not throw.
  sweep.tableByteLimit = 1 << 20;
  sweep.StartBtnClick();
  FUZZ_CHECK(link.tuned.empty());
  FUZZ_CHECK(view.reference >= 0 && view.reference < 13);
  // Stores never pass the rows allocated at Start, and never more points than asked.
  for (const std::vector<float>& row : sweep.levels) FUZZ_CHECK(static_cast<int32_t>(row.size()) == sweep.points);
  FUZZ_CHECK(sweep.pointIndex <= std::max(0, sweep.quickPoints));
  FUZZ_CHECK(sweep.SweptFrequencies().size() <= static_cast<size_t>(std::max(0, sweep.points)));
  // The logger file the run's Save writes: a level under every frequency of its heading.
  cvfuzz::CheckLogFile(sweep, ';', ',');
  cvfuzz::CheckLogFile(sweep, ',', ',');
  return 0;
}
