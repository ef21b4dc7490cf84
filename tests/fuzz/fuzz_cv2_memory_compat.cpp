// Fuzz target: the CORVANE-2 compatibility check before Send All and Send One, over a memory
// file the user read and the meter's "*?ID" reply. The first line is the reply, the rest the
// file. Besides not crashing: every memory that goes out uses only what the reply says the
// meter has (its band, a frequency below 45 MHz, BER COFDM).
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "Cv2Equip.h"
#include "Cv2MemoryCodec.h"
#include "FuzzSupport.h"
#include "MemoryEditor.h"
#include "MemorySupport.h"

using cv::cv2::InstalledOptions;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static cvfuzz::QuietPrompter& prompter = cvfuzz::InitApplication();
  static std::unique_ptr<cv::cv2::TCv2Equip> equip(TCv3Equip::Build<cv::cv2::TCv2Equip>(nullptr, nullptr));
  cvfuzz::PickSeparators(*equip, data, size);
  const std::string text = cvfuzz::Text(data, size);
  const size_t lf = text.find('\n');
  const std::string reply = text.substr(0, lf);
  const std::string file = lf == std::string::npos ? std::string() : text.substr(lf + 1);

  cvfuzz::TakingMemoryEquipment link(*equip);
  cvfuzz::Screenless screen;
  cv::cv2::Cv2MemoryCodec codec([&reply](InstalledOptions& o) {
    cv::cv2::ParseInstalledOptions(reply, o);
    return true;
  });
  cv::mem::MemoryEditor editor(link, prompter, screen, screen, codec);
  editor.ReadMemoryText(file, "fuzz.csv");

  InstalledOptions has;
  cv::cv2::ParseInstalledOptions(reply, has);
  auto allowed = [&has](const MemoryRecord& r) {
    return (r.band != 'T' || has.Has(InstalledOptions::kTerrestrialBand)) &&
           (r.band != 'S' || has.Has(InstalledOptions::kSatelliteBand)) &&
           (!(r.freq < 45.0f) || has.Has(InstalledOptions::kBelow45MHz)) &&
           (r.meas != '6' || has.Has(InstalledOptions::kBerCofdm));
  };
  cvfuzz::CheckSentMemoriesAllowed(editor, link, allowed);
  return 0;
}
