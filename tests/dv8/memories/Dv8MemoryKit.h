#pragma once
// The DV-800 memory editor's and settings dialog's rules over a DV-800 equipment object whose
// log goes to a host form, with the framework tests' scripted chooser and recording view, and the
// simulated meter's default memories as records.
#include <array>
#include <memory>

#include "../../cv4/memories/Cv4MemoryKit.h"
#include "../../memories/MemoryTestKit.h"
#include "Dv8Equip.h"
#include "Dv8MemoryCodec.h"
#include "Dv8MemoryData.h"
#include "Dv8Profile.h"

namespace memtest8 {

using Rig = memtest::FamilyRig<cv::dv8::TDV8Equip, cv::dv8::Dv8MemoryCodec>;

// The DV-800 settings rules over the rig's equipment object, with the CORVANE-4 tests' view.
struct DataRig : Rig {
  explicit DataRig(TSerial* port = nullptr) : Rig(port) {}
  memtest4::DataView dataView;
  cv::mem::MemoryData data{link, prompter, dataView, cv::dv8::Dv8MemoryData()};
};

// The simulated meter's 99 memories at start, decoded.
inline std::array<MemoryRecord, cv::mem::kMemoryCount> DefaultRecords() {
  std::array<MemoryRecord, cv::mem::kMemoryCount> records{};
  cv::dv8::Dv8MemoryCodec codec;
  for (int n = 1; n <= cv::mem::kMemoryCount; ++n) codec.Decode(cvsim::Dv8Profile::Dv8Record(n), records[n - 1]);
  return records;
}

}  // namespace memtest8
