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

struct Rig {
  explicit Rig(TSerial* port = nullptr, char decimal = ',', char list = ';')
      : equip(TCv3Equip::Build<cv::cv4::TCv4Equip>(&host.form, port)) {
    equip->decimalSeparator = decimal;
    equip->listSeparator = list;
  }
  std::vector<std::string> Log() const {
    std::vector<std::string> lines;
    for (const QString& l : host.Lines()) lines.push_back(cv::To1252(l));
    return lines;
  }
  HostForm host;
  std::unique_ptr<cv::cv4::TCv4Equip> equip;
  cv::mem::Cv3MemoryEquipment link{*equip};
  cv::cv4::Cv4MemoryCodec codec{equip->VersionText()};
  memtest::ScriptedChooser chooser;
  memtest::RecordingView view;
  cv::RecordingPrompter prompter;
  cv::mem::MemoryEditor editor{link, prompter, chooser, view, codec};
};

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
