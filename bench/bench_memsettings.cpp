// The instrument reads of the memory settings dialog against the simulator pacing the wire at
// 19200 baud: one refresh of a memory tuned to the last channel of a 100-channel plan (the plan
// header, then the channels one by one until the memory's word), and the channel picker loading
// three plans and the 100 channels of the first. Each must take at most 1.1 times the wire time of
// its bytes, with the process under 2% of a CPU meanwhile.
#include <QCoreApplication>
#include <chrono>
#include <cstdio>

#include "BenchSupport.h"
#include "Cv3Equip.h"
#include "Cv3MemoryEquipment.h"
#include "MemoryChannel.h"
#include "MemoryData.h"
#include "Pll.h"

namespace {

class Quiet : public cv::Prompter, public cv::mem::MemoryDataView, public cv::mem::ChannelPickerView {
 public:
  cv::MsgAnswer Message(cv::MsgIcon, const QString&, const QString& text, int) override {
    std::fprintf(stderr, "box: %s\n", text.toLocal8Bit().constData());
    return cv::MsgAnswer::Ok;
  }
  void Beep() override {}
  void Render() override {}
  void FocusEdit(cv::mem::DataEdit) override {}
  void SetHourglass(bool) override {}
  bool RunChannelPicker() override { return false; }
};

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  constexpr int kBaud = 19200;
  auto profile = std::make_unique<cvsim::Corvane3Profile>();
  for (int p = 0; p < 3; ++p) {
    cvsim::Corvane3Profile::StoredPlan plan{"PLAN" + std::to_string(p), 'T', 0, 1, {}, {}};
    for (int c = 0; c < 100; ++c)
      plan.channels.push_back({"C" + std::to_string(c), cv::PllWord('T', 48.25 + 8.0 * c), 0, {}});
    profile->plans[p] = plan;
  }
  auto sim = StartPacedSimulator(kBaud, nullptr, std::move(profile));
  MapComTo(*sim, 8);
  TSerial port(7);
  TCv3Equip equip(nullptr, &port);
  if (!OpenSettled(*sim, port, kBaud)) return 2;

  cv::mem::Cv3MemoryEquipment link(equip);
  Quiet quiet;
  cv::mem::MemoryData data(link, quiet, quiet);
  MemoryRecord r;
  r.number = 1;
  std::copy_n("LAST", 5, r.label);
  r.band = 'T';
  r.color = '0';
  r.std = '0';
  r.freq = 48.25f + 8.0f * 99;
  r.chFr = '0';
  r.nPlan = 2;
  r.codePlan = 1;
  r.units = '0';
  r.lnbSup = '0';
  r.meas = '0';
  r.sound = '6';
  r.bw = 8;
  bool found = false;
  const WireRun refresh = MeasureOnWire(*sim, kBaud, [&] {
    data.OpenRecord(r);
    found = data.w.r.chFr == '0' && std::string(data.form.channel.text) == "C99 ";
  });
  cv::mem::ChannelPicker picker(link, quiet, quiet, data.pickedPlan, data.pickedChannel, data.pickedPlanNumber);
  const WireRun load = MeasureOnWire(*sim, kBaud, [&] { picker.LoadChannels(); });
  const bool loaded = picker.plans.size() == 3 && picker.channels.size() == 100;

  bool ok = ReportWireRun("Refresh", refresh) & ReportWireRun("Picker", load) && found && loaded;
  std::printf("%s\n", ok ? "PASS" : "FAIL");
  port.Close();
  cv::SetPortPaths({});
  return ok ? 0 : 1;
}
