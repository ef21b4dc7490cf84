#pragma once
// The CORVANE-2 memory editor's and settings dialog's rules over a CORVANE-2 equipment object
// whose log goes to a host form, with the framework tests' scripted chooser and recording view,
// and the simulated meter's default memories as records.
#include <array>
#include <memory>

#include "../../cv4/memories/Cv4MemoryKit.h"
#include "../../memories/MemoryTestKit.h"
#include "Corvane2Profile.h"
#include "Cv2Equip.h"
#include "Cv2MemoryCodec.h"
#include "Cv2MemoryData.h"

namespace memtest2 {

using Rig = memtest::FamilyRig<cv::cv2::TCv2Equip, cv::cv2::Cv2MemoryCodec>;

// The CORVANE-2 settings rules over the rig's equipment object, with the CORVANE-4 tests' view.
struct DataRig : Rig {
  explicit DataRig(TSerial* port = nullptr) : Rig(port) {}
  memtest4::DataView dataView;
  cv::mem::MemoryData data{link, prompter, dataView, cv::cv2::Cv2MemoryData()};
};

// The simulated meter's 99 memories at start, decoded.
inline std::array<MemoryRecord, cv::mem::kMemoryCount> DefaultRecords() {
  std::array<MemoryRecord, cv::mem::kMemoryCount> records{};
  cv::cv2::Cv2MemoryCodec codec([](cv::cv2::InstalledOptions&) { return false; });
  for (int n = 1; n <= cv::mem::kMemoryCount; ++n)
    codec.Decode(cvsim::Corvane2Profile::Cv2Record(n), records[n - 1]);
  return records;
}

}  // namespace memtest2
