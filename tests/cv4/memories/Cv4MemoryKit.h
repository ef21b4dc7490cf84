#pragma once
// The CORVANE-4 memory editor's rules over a CORVANE-4 equipment object whose log goes to a host
// form, with the framework tests' scripted chooser and recording view, and the simulator's
// default memories as records.
#include <array>
#include <memory>

#include "../../memories/MemoryTestKit.h"
#include "Corvane4Profile.h"
#include "Cv4Equip.h"
#include "Cv4MemoryCodec.h"

namespace memtest4 {

using Rig = memtest::FamilyRig<cv::cv4::TCv4Equip, cv::cv4::Cv4MemoryCodec>;

// The simulator's 99 default memories, decoded.
inline std::array<MemoryRecord, cv::mem::kMemoryCount> DefaultRecords() {
  std::array<MemoryRecord, cv::mem::kMemoryCount> records{};
  cv::cv4::Cv4MemoryCodec codec("Cv4Tools 1.16");
  for (int n = 1; n <= cv::mem::kMemoryCount; ++n) {
    records[n - 1] = codec.Cleared();
    codec.Decode(cvsim::Corvane4Profile::Cv4Record(n, cvsim::Corvane3Profile::DefaultLoggerMemory(n)), records[n - 1]);
  }
  return records;
}

}  // namespace memtest4
