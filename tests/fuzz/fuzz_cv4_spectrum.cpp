// A CORVANE-4 spectrum run over replies from the input: the first line may hold the initial,
// final and step frequencies as typed ("850 910 1"); every further line answers the next query
// ("*?SY", "*?SP", the levels; "!" fails the exchange). Start sweeps with the family's values,
// then each measure item is asked once.
#include <algorithm>
#include <cstdlib>
#include <deque>
#include <sstream>

#include "Specdlg4.h"
#include "SpectrumSupport.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  cvfuzz::InitApplication();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::vector<std::string> lines = cvfuzz::Lines(cvfuzz::Text(data, size));
  std::deque<std::string> replies(lines.begin(), lines.end());
  std::string settings = "850 910 1";
  if (!replies.empty() && !replies.front().empty() && replies.front()[0] != '*') {
    settings = replies.front();
    replies.pop_front();
  }
  cvfuzz::SweepReplies link(replies, 4);
  TSpectrumView view;
  TSpectrumSweep sweep(link, view, cv::cv4::Spectrum4Profile());
  std::istringstream in(settings);
  std::string initial, final, step;
  in >> initial >> final >> step;
  sweep.ValidateInitialFreq(initial, '.');
  sweep.ValidateFinalFreq(final, '.');
  sweep.ValidateStep(step, '.');
  sweep.StartBtnClick();

  const std::vector<float> grid = sweep.SweptFrequencies();
  FUZZ_CHECK(static_cast<int32_t>(grid.size()) <= sweep.points);
  // Every tuning is a point of the grid, and no point lies in the gap between the bands.
  FUZZ_CHECK(link.tuned.size() <= grid.size());
  for (size_t i = 0; i < link.tuned.size(); ++i) {
    FUZZ_CHECK(link.tuned[i] == grid[i]);
    FUZZ_CHECK(link.tuned[i] <= 862.0f || link.tuned[i] >= 900.0f);
  }
  // Stored rows keep the length allocated at Start.
  for (const std::vector<float>& row : sweep.levels)
    FUZZ_CHECK(static_cast<int32_t>(row.size()) == sweep.points);
  if (sweep.haveLevels && !sweep.levels.empty())
    for (size_t i = std::min(link.tuned.size(), sweep.levels[0].size()); i < sweep.levels[0].size(); ++i)
      FUZZ_CHECK(sweep.levels[0][i] == 0.0f);
  sweep.state = 1;
  for (int item = 0; item < 8; ++item) {
    sweep.MeasBtnClick(item);
    sweep.MeasText(item, ',');
  }
  return 0;
}
