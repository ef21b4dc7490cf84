#pragma once
// A sink for Motorola S-records sent one per line behind a prefix ("*MO" + "S1137AF0..."): each
// record's count and checksum are checked, a bad record is refused (NAK), a good one is kept.
#include <string>
#include <vector>

#include "Simulator.h"

namespace cvsim {

struct SRecordSink {
  std::vector<std::string> records;  // the records taken, without the prefix
  int refused = 0;
};

// True when `record` ("S" + type + count + address, data and checksum in hex) is well formed and
// its checksum (ones' complement of the byte sum from the count on) matches.
bool SRecordValid(const std::string& record);

// Registers the sink's handler on `profile` for lines starting with prefix + "S". The sink must
// outlive the simulator's use of the profile.
void AddSRecordSink(Profile& profile, const std::string& prefix, SRecordSink& sink);

}  // namespace cvsim
