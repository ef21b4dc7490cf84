#pragma once
// Small data-logger files for the dialog, CSV and sheet tests, made by the image builder.
#include <string>
#include <vector>

#include "Xr9Images.h"

namespace xr9test {

namespace img = cvsim::xr9img;

inline img::Channel DlChan(const std::string& name, uint32_t khz, std::vector<img::Attr> attrs) {
  img::Channel c;
  c.name = name;
  c.value1 = khz;
  c.value2 = khz;
  c.attrs = std::move(attrs);
  return c;
}

// Four DVB-T channels of one, two, three and no measurements; test points "A;B" in dBuV and
// "ROOF "N"" in dBmV.
inline img::DataLog DlFixture() {
  img::DataLog d;
  d.planName = "MADRID";
  d.plan.type = 7;
  d.plan.channels = {DlChan("21", 474000, {{2, 0}}), DlChan("22", 482000, {{2, 0}}),
                     DlChan("C23", 490000, {{2, 1}, {6, 0}, {1, 0x0101}}), DlChan("E24", 498000, {})};
  d.channels = {{{0}}, {{0, 4}}, {{0, 2, 4}}, {{}}};
  auto values = [](int base) {
    return std::vector<uint32_t>{img::MeasValue(0, base),         img::MeasValue(0, base + 10), img::MeasValue(0, 321),
                                 img::MeasValue(0x40, base + 20), img::MeasValue(0, 287),       img::MeasValue(0, 301)};
  };
  d.testPoints = {{"A;B", 1, values(600)}, {"ROOF \"N\"", 2, values(-100)}};
  return d;
}

// `channels` channels of the given codes each and `points` test points, plan type `type`.
inline img::DataLog DlGrid(int channels, int points, std::vector<uint8_t> codes = {0}, uint8_t type = 7) {
  img::DataLog d;
  d.plan.type = type;
  for (int c = 0; c < channels; ++c) {
    d.plan.channels.push_back(DlChan("C" + std::to_string(c), 474000 + 8000 * uint32_t(c), {{2, 0}}));
    d.channels.push_back({codes});
  }
  for (int t = 0; t < points; ++t) {
    img::DlTestPoint tp{"TP" + std::to_string(t), 1, {}};
    tp.values.assign(size_t(channels) * codes.size(), img::MeasValue(0, 500 + t));
    d.testPoints.push_back(tp);
  }
  return d;
}

inline std::string DlBytes(const img::DataLog& d) {
  const auto v = img::DataLogFile(d);
  return std::string(v.begin(), v.end());
}

}  // namespace xr9test
