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

uint32_t MeasValue(uint8_t flags, int number) { return flags | (uint32_t(uint16_t(number)) << 8); }

uint32_t BerValue(uint8_t flags, uint8_t mantissaTenths, int exponent) {
  return flags | uint32_t(mantissaTenths) << 8 | uint32_t(uint8_t(int8_t(exponent))) << 16;
}

}  // namespace cvsim::xr9img
