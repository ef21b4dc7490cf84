#pragma once
// The CORVANE-PLENAR memory editor's rules over a CORVANE-PLENAR equipment object whose log goes
// to a host form, with the framework tests' scripted chooser and recording view, the option
// record read from the meter, and the simulated meter's delivery memories as records.
#include <array>
#include <memory>

#include "../../memories/MemoryTestKit.h"
#include "PlenEquip.h"
#include "PlenMemoryCodec.h"
#include "PlenarProfile.h"

namespace memtestplen {

struct Rig : memtest::FamilyRig<cv::plenar::TCvPlenEquip, cv::plenar::PlenMemoryCodec> {
  explicit Rig(TSerial* port = nullptr) : FamilyRig(port) {
    codec.readOptions = [this](cv::plenar::TInstalledOptions& o) { return equip->ReadInstalledOptions(o); };
  }
};

inline std::array<MemoryRecord, cv::mem::kMemoryCount> DefaultRecords() {
  std::array<MemoryRecord, cv::mem::kMemoryCount> records{};
  cv::plenar::PlenMemoryCodec codec;
  for (int n = 1; n <= cv::mem::kMemoryCount; ++n) {
    records[n - 1] = codec.Cleared();
    codec.Decode(cvsim::PlenarProfile::XsrRecord(n), records[n - 1]);
  }
  return records;
}

}  // namespace memtestplen
