#pragma once
// A stand-in for the SKY certificate sheet: services by channel, a row order per file, the
// flat-number source, the four offsets and the information texts, all set by the test.
#include <algorithm>
#include <array>
#include <map>
#include <string>
#include <vector>

#include "SkySheetQuery.h"

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

}  // namespace xr9test
