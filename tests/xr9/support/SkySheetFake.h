#pragma once
// A stand-in for the SKY certificate sheet: services by channel, a row order per file, the
// flat-number source, the four offsets and the information texts, all set by the test.
#include <algorithm>
#include <array>
#include <map>
#include <string>
#include <vector>

#include "DataLoggerCtl.h"
#include "HostForm.h"
#include "SkySheetQuery.h"
#include "Xr9Equip.h"
#include "Xr9Images.h"

namespace xr9test {

class SkySheetFake : public cv::xr9::SkySheetQuery {
 public:
  int terSlot = -1, satSlot = -1;
  std::map<std::pair<int, int>, int> services;  // (slot, channel) -> service
  std::map<int, std::vector<int>> rowOrder;      // slot -> test point of every display row
  int flatSource = 7;
  int offAirTer = 0, launchTer = 0, launchSat = 0, offAirSat = 0;  // tenths of a dB
  std::array<std::string, cv::xr9::kSkyInfoTexts> info;

  // The identity order of `points` test points.
  void Rows(int slot, int points) {
    auto& r = rowOrder[slot];
    r.resize(size_t(points));
    for (int i = 0; i < points; ++i) r[size_t(i)] = i;
  }

  int SelectedMeasIndex(int, int) const override { return 0; }
  void SelectedSlots(int& ter, int& sat) const override { ter = terSlot, sat = satSlot; }
  int FindService(int slot, int service, uint8_t& count) const override {
    int first = -1;
    count = 0;
    for (const auto& [key, s] : services)
      if (key.first == slot && s == service) {
        if (first < 0 || key.second < first) first = key.second;
        ++count;
      }
    return first;
  }
  bool HasService(int slot, int channel, int service) const override {
    const auto it = services.find({slot, channel});
    return it != services.end() && it->second == service;
  }
  int RowOfTestPoint(int slot, int testPoint) const override {
    const auto it = rowOrder.find(slot);
    if (it == rowOrder.end()) return -1;
    const auto at = std::find(it->second.begin(), it->second.end(), testPoint);
    return at == it->second.end() ? -1 : int(at - it->second.begin());
  }
  int TestPointAtRow(int slot, int row) const override {
    const auto it = rowOrder.find(slot);
    if (it == rowOrder.end() || row < 0 || row >= int(it->second.size())) return -1;
    return it->second[size_t(row)];
  }
  int FlatNumbersSource() const override { return flatSource; }
  void GetOffsets(int& oat, int& lt, int& ls, int& oas) const override {
    oat = offAirTer, lt = launchTer, ls = launchSat, oas = offAirSat;
  }
  void SetInfoText(int n, const std::string& text) override {
    if (n >= 1 && n <= cv::xr9::kSkyInfoTexts) info[size_t(n - 1)] = text;
  }
  std::string GetInfoText(int n, size_t length) const override {
    if (n < 1 || n > cv::xr9::kSkyInfoTexts) return {};
    return info[size_t(n - 1)].substr(0, length);
  }
};

// The data-logger dialog's rules with the fake sheet open, and the files loaded into them.
struct SkyFixture {
  std::vector<std::string> memo;
  HostForm host;
  cv::xr9::TXR9Equip equip{&host.form, nullptr};
  cv::xr9::DataLoggerCtl ctl{equip, [this](const std::string& l) { memo.push_back(l); }};
  SkySheetFake sheet;
  int ter = -1, sat = -1;

  SkyFixture() { ctl.skySheet = &sheet; }
  int Load(const cvsim::xr9img::DataLog& d, const char* name) {
    const auto image = cvsim::xr9img::DataLogFile(d);
    return ctl.store.DecodeDataLogFile(image.data(), image.size(), name);
  }
  // Every value of the slot, channel after channel.
  std::vector<uint32_t> Values(int slot) const {
    std::vector<uint32_t> all;
    for (const auto& ch : ctl.store.File(slot).channels)
      for (const auto& m : ch.values) all.push_back(m.value);
    return all;
  }
};

}  // namespace xr9test
