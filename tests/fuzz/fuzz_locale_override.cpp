// The language the program starts in, chosen by the per-user override in the registry store.
// Input: the store's file. The override read is the store's string value named by the program's
// path, or nothing; starting loads a language only for a code of the table whose module is
// there (English is built in; the program stands where no module is); a choice written
// over whatever the store held reads back.
#include "FuzzSupport.h"
#include "Language.h"
#include "LanguageModule.h"
#include "Messages.h"
#include "MsgIds.h"
#include "Registry.h"

namespace {
// A program where none is installed: no language module lies beside it.
const std::string kProgram = "/opt/cvtools/CvTools";
}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  cvfuzz::InitApplication();
  cv::SetProgramPath(kProgram);
  if (std::filesystem::exists(kProgram)) std::abort();  // an installed program would bring modules
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  cv::SetRegistryFile(cvfuzz::WriteScratch("registry.ini", cvfuzz::Text(data, size)));

  const std::string code = cv::ReadLocaleOverride(kProgram);
  std::string stored;
  auto key = cv::RegKey::Open(cv::kLocaleOverrideKey, false);
  if (!key || key->ReadString(kProgram, stored) != cv::RegRead::Ok) stored.clear();
  FUZZ_CHECK(code == stored);

  const int index = cv::LanguageIndexOfCode(code);
  FUZZ_CHECK(index >= -1 && index < cv::kLanguageCount);
  FUZZ_CHECK(cv::LoadStartupLanguage() == (index == 0));
  FUZZ_CHECK(!cv::Msg(cv::msg::LanguageMarker).empty());

  for (const char* choice : {"esp", "eng"}) {
    if (!cv::WriteLocaleOverride(kProgram, choice)) return 0;  // the store could not be written
    FUZZ_CHECK(cv::ReadLocaleOverride(kProgram) == choice);
  }
  return 0;
}
