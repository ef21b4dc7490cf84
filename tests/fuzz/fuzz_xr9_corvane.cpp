// CORVANE canalizations of the TV MIRELTO plan editor: the reading into the import slots (states,
// plan and command bounds, channels by band letter) and the conversion into plans.
#include <cstring>

#include "Xr9Corvane.h"
#include "Xr9InSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static cvfuzz::Xr9Loader* loader = new cvfuzz::Xr9Loader;
  const std::string path = cvfuzz::WriteScratch("in.PRO", cvfuzz::Text(data, size));
  loader->editor.ClearAllPlans();
  loader->in.ImportCorvaneCanalization(path);
  const int state = loader->in.importState;
  FUZZ_CHECK(state >= 0 && state <= 5);
  FUZZ_CHECK(loader->in.corvane.commands.size() <= static_cast<size_t>(cv::xr9::TPlanIn::kCommandListSize));
  for (const cv::xr9::ImportSlot& s : loader->editor.imports) {
    FUZZ_CHECK(std::memchr(s.name, 0, sizeof s.name) != nullptr);
    for (const auto& command : s.commands) FUZZ_CHECK(std::memchr(command, 0, sizeof command) != nullptr);
    if (!s.channels) continue;
    for (const cv::xr9::TChanXR9CV& c : *s.channels) {
      FUZZ_CHECK(c.name.size() == 4);
      if (s.band == 'S') FUZZ_CHECK(c.mhz >= 900.0f && c.mhz < 2150.0f);
      for (const auto& command : c.commands)
        FUZZ_CHECK(command[0] == 0 || cv::xr9::PlanOffsetOfMnemonic(command) != -1);
    }
  }
  loader->in.ConvertImportedPlans();
  loader->CheckStore();
  return 0;
}
