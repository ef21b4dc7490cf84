// Fuzz target: a CORVANE-2 memory text file read by the memory editor from disk, with the
// equipment's field splitter, under either pair of separators, and saved again.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "Cv2Equip.h"
#include "Cv2MemoryCodec.h"
#include "Cv3MemoryEquipment.h"
#include "FuzzSupport.h"
#include "MemoryEditor.h"
#include "MemorySupport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static cvfuzz::QuietPrompter& prompter = cvfuzz::InitApplication();
  static std::unique_ptr<cv::cv2::TCv2Equip> equip(TCv3Equip::Build<cv::cv2::TCv2Equip>(nullptr, nullptr));
  cvfuzz::PickSeparators(*equip, data, size);
  cv::mem::Cv3MemoryEquipment link(*equip);
  cvfuzz::Screenless screen;
  cv::cv2::Cv2MemoryCodec codec(*equip);
  cv::mem::MemoryEditor editor(link, prompter, screen, screen, codec);
  const std::string path = cvfuzz::WriteScratch("fuzz.csv", cvfuzz::Text(data, size));
  const bool ok = editor.ReadMemoryFile(path);
  // A memory the list took lies in its band's range.
  cvfuzz::CheckReadMemories(editor, codec, ok, [&codec](const MemoryRecord& r) {
    FUZZ_CHECK(codec.FreqInRange(r.band, r.freq));
  });
  return 0;
}
