// Fuzz target: a CORVANE-4 memory text file read by the memory editor from disk, with the
// equipment's field splitter, under either pair of separators.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "Cv3MemoryEquipment.h"
#include "Cv4Equip.h"
#include "Cv4MemoryCodec.h"
#include "FuzzSupport.h"
#include "MemoryEditor.h"
#include "MemorySupport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static cvfuzz::QuietPrompter& prompter = cvfuzz::InitApplication();
  static std::unique_ptr<cv::cv4::TCv4Equip> equip(TCv3Equip::Build<cv::cv4::TCv4Equip>(nullptr, nullptr));
  cvfuzz::PickSeparators(*equip, data, size);
  cv::mem::Cv3MemoryEquipment link(*equip);
  cvfuzz::Screenless screen;
  cv::cv4::Cv4MemoryCodec codec(equip->VersionText());
  cv::mem::MemoryEditor editor(link, prompter, screen, screen, codec);
  const std::string path = cvfuzz::WriteScratch("fuzz.csv", cvfuzz::Text(data, size));
  const bool ok = editor.ReadMemoryFile(path);
  FUZZ_CHECK(editor.listLines.size() <= 99 && (!ok || editor.listLines.size() == 99));
  for (int i = 0; i < 99; ++i) {
    const MemoryRecord& r = editor.records[i];
    FUZZ_CHECK(r.number == 0 || r.number == i + 1);
    if (r.number == 0) continue;
    editor.current = r;
    FUZZ_CHECK(editor.FormatFileRow().size() == cv::cv4::Cv4MemoryCodec::kFileRowLength);
  }
  return 0;
}
