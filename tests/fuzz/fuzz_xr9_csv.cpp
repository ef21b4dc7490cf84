// Satellite CSV import files of the TV MIRELTO plan editor: the split of each line and the plans
// and channels made of it.
#include "Xr9InSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static cvfuzz::Xr9Loader* loader = new cvfuzz::Xr9Loader;
  const std::string path = cvfuzz::WriteScratch("in.csv", cvfuzz::Text(data, size));
  loader->editor.ClearAllPlans();
  loader->editor.csvPlanCounter = 0;
  FUZZ_CHECK(loader->in.ImportCsvPlanFile(path, 5));
  loader->CheckStore();
  for (const cv::xr9::TPlanXR9& p : loader->editor.plans)
    if (p.Channels)
      for (size_t i = 1; i < p.Channels->size(); ++i)
        FUZZ_CHECK((*p.Channels)[i - 1].value2 <= (*p.Channels)[i].value2);  // sorted
  return 0;
}
