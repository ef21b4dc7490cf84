// Fuzz target: a DV-800 memory text file read by the memory editor from disk, with the
// equipment's field splitter, under either pair of separators, and saved again.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "Cv3MemoryEquipment.h"
#include "Dv8Equip.h"
#include "Dv8MemoryCodec.h"
#include "FuzzSupport.h"
#include "MemoryEditor.h"
#include "MemorySupport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static cvfuzz::QuietPrompter& prompter = cvfuzz::InitApplication();
  static std::unique_ptr<cv::dv8::TDV8Equip> equip(TCv3Equip::Build<cv::dv8::TDV8Equip>(nullptr, nullptr));
  cvfuzz::PickSeparators(*equip, data, size);
  cv::mem::Cv3MemoryEquipment link(*equip);
  cvfuzz::Screenless screen;
  cv::dv8::Dv8MemoryCodec codec;
  cv::mem::MemoryEditor editor(link, prompter, screen, screen, codec);
  const std::string path = cvfuzz::WriteScratch("fuzz.csv", cvfuzz::Text(data, size));
  const bool ok = editor.ReadMemoryFile(path);
  cvfuzz::CheckReadMemories(editor, codec, ok, [](const MemoryRecord&) {});
  return 0;
}
