// Fuzz target: the CORVANE-PLENAR compatibility check before Send All and Send One, over a memory
// file the user read and the meter's answers. The first line is the "*?ID" reply, the second the
// firmware version, the rest the file. Besides not crashing: every memory that goes out uses only
// what the reply says the meter has (its band, a frequency below 45 MHz, the option of its
// measure's family, a measure from '9' on only from firmware 2.22).
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "FuzzSupport.h"
#include "InstalledOptions.h"
#include "MemoryEditor.h"
#include "MemorySupport.h"
#include "NumFormat.h"
#include "PlenEquip.h"
#include "PlenMemoryCodec.h"

using cv::plenar::TInstalledOptions;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static cvfuzz::QuietPrompter& prompter = cvfuzz::InitApplication();
  static std::unique_ptr<cv::plenar::TCvPlenEquip> equip(TCv3Equip::Build<cv::plenar::TCvPlenEquip>(nullptr, nullptr));
  cvfuzz::PickSeparators(*equip, data, size);
  const std::vector<std::string> lines = cvfuzz::Lines(cvfuzz::Text(data, size));
  if (lines.size() < 2) return 0;
  TInstalledOptions has;
  cv::plenar::ParseOptionsReply(lines[0], has);
  if (!cv::ParseFixedNotation(lines[1], has.version)) has.version = 0;
  std::string file;
  for (size_t i = 2; i < lines.size(); ++i) file += lines[i] + "\n";

  cvfuzz::TakingMemoryEquipment link(*equip);
  cvfuzz::Screenless screen;
  cv::plenar::PlenMemoryCodec codec([&has](TInstalledOptions& o) {
    o = has;
    return true;
  });
  cv::mem::MemoryEditor editor(link, prompter, screen, screen, codec);
  editor.ReadMemoryText(file, "fuzz.csv");

  auto allowed = [&has](const MemoryRecord& r) {
    const char family = cv::plenar::MeasureFamily(r.meas);
    const int flag = family == '8' ? 0 : family == '6' ? 6 : family == '5' ? 7 : family == '4' ? 8 : -1;
    return (r.band != 'T' || has.Has(15)) && (r.band != 'S' || has.Has(16)) && (!(r.freq < 45.0f) || has.Has(14)) &&
           (static_cast<unsigned char>(r.meas) < '9' || has.version >= 2.22f) && (flag < 0 || has.Has(flag));
  };
  cvfuzz::CheckSentMemoriesAllowed(editor, link, allowed);
  return 0;
}
