#include "Xr9Images.h"

#include <algorithm>

namespace cvsim::xr9img {

namespace {

void Put(std::vector<uint8_t>& out, uint32_t v, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(uint8_t(v >> (8 * i)));
}

void PutAttrs(std::vector<uint8_t>& out, const std::vector<Attr>& attrs) {
  for (const Attr& a : attrs) {
    out.push_back(a.code);
    Put(out, a.value, 4);
  }
  const uint8_t marker[5] = {0xFF, 0xFF, 0, 0, 0};
  out.insert(out.end(), marker, marker + 5);
}

}  // namespace

std::vector<uint8_t> BinaryPlan(const Plan& plan) {
  std::vector<uint8_t> out;
  if (plan.header16) {
    out = {0x10, 0xFF, 0xFF, 0xFF};
    out.resize(16, 0);
  }
  Put(out, plan.countOverride ? *plan.countOverride : uint32_t(plan.channels.size()), 2);
  out.push_back(plan.type);
  PutAttrs(out, plan.attrs);
  for (const Channel& c : plan.channels) {
    std::string name = c.name.substr(0, 8);
    out.insert(out.end(), 8 - name.size(), ' ');
    out.insert(out.end(), name.begin(), name.end());
    Put(out, c.value1, 4);
    Put(out, c.value2, 4);
    PutAttrs(out, c.attrs);
    PutAttrs(out, c.attrs2);
  }
  return out;
}

std::vector<uint8_t> DataLogFile(const DataLog& log, std::vector<size_t>* boundaries) {
  std::vector<uint8_t> out;
  auto mark = [&] {
    if (boundaries) boundaries->push_back(out.size());
  };
  mark();
  out.push_back(log.magic);
  mark();
  out.push_back(uint8_t(log.planName.size()));
  mark();
  out.insert(out.end(), log.planName.begin(), log.planName.end());
  std::vector<uint8_t> plan = BinaryPlan(log.plan);
  mark();
  Put(out, log.planLengthOverride ? *log.planLengthOverride : uint32_t(plan.size()), 3);
  mark();
  out.insert(out.end(), plan.begin(), plan.end());
  mark();
  out.push_back(uint8_t(log.text.size()));
  mark();
  out.insert(out.end(), log.text.begin(), log.text.end());
  for (const DlChannel& c : log.channels) {
    mark();
    out.push_back(uint8_t(c.codes.size()));
    mark();
    out.insert(out.end(), c.codes.begin(), c.codes.end());
    mark();
    out.push_back(c.lnbMode);
    mark();
    Put(out, c.oscillator, 3);
  }
  mark();
  Put(out, log.testPointCountOverride ? *log.testPointCountOverride : uint32_t(log.testPoints.size()), 2);
  for (const DlTestPoint& tp : log.testPoints) {
    mark();
    out.push_back(uint8_t(tp.name.size()));
    mark();
    out.insert(out.end(), tp.name.begin(), tp.name.end());
    mark();
    out.push_back(tp.units);
    for (uint32_t v : tp.values) {
      mark();
      Put(out, v, 3);
    }
  }
  mark();
  if (boundaries) {
    std::sort(boundaries->begin(), boundaries->end());
    boundaries->erase(std::unique(boundaries->begin(), boundaries->end()), boundaries->end());
  }
  return out;
}

DataLog LargestDataLog(size_t limit) {
  DataLog d;
  d.planName.clear();
  const size_t testPoints = 65535;
  // magic, name length, plan length, plan count, type and marker, text length, test-point count
  const size_t fixed = 1 + 1 + 3 + (2 + 1 + 5) + 1 + 2 + testPoints * 2;
  const size_t perChannel = 26 + 5;  // channel record with its two markers, empty channel block
  const size_t channels = limit > fixed ? (limit - fixed) / perChannel : 0;
  d.plan.channels.assign(channels, {"", 474000, 474000, {}, {}});
  d.channels.assign(channels, {{}, 0, 0});
  d.testPoints.assign(testPoints, {"", 1, {}});
  return d;
}

DataLog DenseDataLog(size_t limit) {
  DataLog d;
  const size_t channels = 200;
  for (size_t c = 0; c < channels; ++c) {
    d.plan.channels.push_back({"C" + std::to_string(c), uint32_t(47000 + c * 4000), uint32_t(47000 + c * 4000),
                               {{2, 0}}, {}});
    std::vector<uint8_t> codes;
    for (uint8_t k = 0; k < 15; ++k) codes.push_back(k % 14);
    d.channels.push_back({codes, 0, 0});
  }
  size_t head = DataLogFile(d).size();
  const size_t perPoint = 2 + 8 + channels * 15 * 3;
  size_t points = limit > head ? (limit - head) / perPoint : 0;
  for (size_t t = 0; t < points; ++t) {
    DlTestPoint tp{"TP" + std::to_string(100000 + t).substr(1), uint8_t(1 + t % 3), {}};
    for (size_t v = 0; v < channels * 15; ++v) tp.values.push_back(MeasValue(0, int(v % 1000)));
    d.testPoints.push_back(tp);
  }
  return d;
}

uint32_t MeasValue(uint8_t flags, int number) { return flags | (uint32_t(uint16_t(number)) << 8); }

uint32_t BerValue(uint8_t flags, uint8_t mantissaTenths, int exponent) {
  return flags | uint32_t(mantissaTenths) << 8 | uint32_t(uint8_t(int8_t(exponent))) << 16;
}

}  // namespace cvsim::xr9img
