#include "SkySheet.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "DataLoggerCtl.h"
#include "MeasSheet.h"
#include "MeasValue.h"
#include "Messages.h"
#include "MsgIds.h"
#include "Prompt.h"
#include "SkyLimits.h"

namespace cv::xr9 {

namespace {

namespace m = cv::msg::xr9skysheet;

// The labels of services 1 to 13 in the service check.
constexpr const char* kCheckLabels[] = {"A1", "A2", "A3", "A4", "A5", "FM", "DAB",
                                        "MUX1", "MUX2", "MUXA", "MUXB", "MUXC", "MUXD"};
constexpr int kLastFirstLineService = 7;  // "DAB" ends the first line of labels

}  // namespace

SkySheet::SkySheet(DataLoggerCtl& owner)
    : owner_(owner), selectedMeas_(DataLogSlots), channelServices_(DataLogSlots), rowOrder_(DataLogSlots) {
  terSlots_.fill(-1);
  satSlots_.fill(-1);
}

TDataLogFile* SkySheet::File(int slot) const {
  if (slot < 0 || slot >= DataLogSlots) return nullptr;
  return &owner_.store.File(slot);
}

int SkySheet::Channels(int slot) const {
  const TDataLogFile* f = File(slot);
  if (!f || !f->plan || !f->plan->Channels) return 0;
  return int(std::min(f->plan->Channels->size(), f->channels.size()));
}

int SkySheet::Points(int slot) const {
  const TDataLogFile* f = File(slot);
  if (!f || !f->testPoints || f->testPointCount <= 0) return 0;
  const size_t n = std::min(size_t(f->testPointCount), f->testPoints->size());
  return int(std::min(n, rowOrder_[size_t(slot)].size()));
}

int SkySheet::ReportKind() const { return owner_.CurrentReportKind(); }

bool SkySheet::Init() {
  const TDataLogFile& first = owner_.store.File(0);
  if (!first.plan || !first.plan->Channels) return false;
  for (int s = 0; s < DataLogSlots; ++s) {
    selectedMeas_[size_t(s)].clear();
    channelServices_[size_t(s)].clear();
    rowOrder_[size_t(s)].clear();
  }
  for (int s = 0; s < DataLogSlots && owner_.store.File(s).plan; ++s) {
    TDataLogFile& f = owner_.store.File(s);
    const size_t n = f.plan->Channels ? f.plan->Channels->size() : 0;
    selectedMeas_[size_t(s)].assign(n, 0);
    channelServices_[size_t(s)].assign(n, 0);
    // Every file with a plan gets its order, also those after a file without test points.
    const size_t points = f.testPoints ? std::min(size_t(std::max(f.testPointCount, 0)), f.testPoints->size()) : 0;
    auto& order = rowOrder_[size_t(s)];
    order.resize(points);
    for (size_t r = 0; r < points; ++r) order[r] = int(r);
  }
  for (int s = 0; s < DataLogSlots; ++s) {
    TDataLogFile& f = owner_.store.File(s);
    if (f.plan)
      for (TDataLogChannel& ch : f.channels) ch.serviceName.clear();
    if (f.testPoints)
      for (TDataLogTestPoint& tp : *f.testPoints) {
        tp.pointType = kNoType;
        tp.branch = -1;
      }
  }
  terSlots_.fill(-1);
  satSlots_.fill(-1);
  int ter = 0, sat = 0;
  for (int s = 0; s < DataLogSlots && owner_.store.File(s).plan; ++s) {
    const int type = owner_.store.File(s).plan->PlanType;
    if (type == kTerPlan) terSlots_[size_t(ter++)] = s;
    if (type == kSatPlan) satSlots_[size_t(sat++)] = s;
  }
  terItem_ = satItem_ = -1;
  allMeasurements_ = true;
  modified = false;
  return true;
}

std::vector<std::string> SkySheet::FileNames(SkySide side) const {
  const auto& sideSlots = side == SkySide::Ter ? terSlots_ : satSlots_;
  std::vector<std::string> names;
  for (int s : sideSlots) {
    if (s < 0) break;
    names.push_back(owner_.store.File(s).name);
  }
  return names;
}

bool SkySheet::ShowFile(SkySide side, int item) {
  if (item < 0 || item >= DataLogSlots) return false;
  const int slot = (side == SkySide::Ter ? terSlots_ : satSlots_)[size_t(item)];
  const TDataLogFile* f = File(slot);
  if (!f || f->testPointCount == 0 || !f->plan) return false;
  (side == SkySide::Ter ? terItem_ : satItem_) = item;
  return true;
}

int SkySheet::Slot(SkySide side) const {
  const int item = Item(side);
  if (item < 0 || item >= DataLogSlots) return -1;
  return (side == SkySide::Ter ? terSlots_ : satSlots_)[size_t(item)];
}

int SkySheet::DataRows() const { return std::max(Points(Slot(SkySide::Ter)), Points(Slot(SkySide::Sat))); }
int SkySheet::ChannelCount(SkySide side) const { return Channels(Slot(side)); }
int SkySheet::TestPointCount(SkySide side) const { return Points(Slot(side)); }

std::string SkySheet::ChannelName(SkySide side, int channel) const {
  if (channel < 0 || channel >= ChannelCount(side)) return {};
  return (*File(side)->plan->Channels)[size_t(channel)].name;
}

const TDataLogMeas* SkySheet::ShownMeas(SkySide side, int row, int channel) const {
  const int slot = Slot(side);
  if (row < 0 || row >= Points(slot) || channel < 0 || channel >= Channels(slot)) return nullptr;
  TDataLogChannel& ch = File(slot)->channels[size_t(channel)];
  const int k = SelectedMeasIndex(slot, channel);
  const TDataLogCell cell = ch.Cell(rowOrder_[size_t(slot)][size_t(row)]);
  if (k < 0 || k >= ch.measCount || k >= cell.count) return nullptr;
  return &cell.meas[k];
}

std::string SkySheet::CellText(SkySide side, int row, int channel) const {
  const TDataLogMeas* meas = ShownMeas(side, row, channel);
  if (!meas) return {};
  const int slot = Slot(side);
  const TDataLogTestPoint& tp = (*File(slot)->testPoints)[size_t(rowOrder_[size_t(slot)][size_t(row)])];
  std::string text;
  MeasValueText(*meas, tp.levelUnits, text);
  return text;
}

bool SkySheet::Marked(SkySide side, int row, int channel) const {
  const TDataLogMeas* meas = ShownMeas(side, row, channel);
  return meas && meas->mark == 1;
}

void SkySheet::MarkThresholds(SkySide side) {
  const int slot = Slot(side);
  const int n = Points(slot);
  TDataLogFile* f = File(slot);
  for (int c = 0; c < Channels(slot); ++c) {
    TDataLogChannel& ch = f->channels[size_t(c)];
    for (int r = 0; r < n; ++r) {
      const TDataLogCell cell = ch.Cell(rowOrder_[size_t(slot)][size_t(r)]);
      for (int k = 0; k < cell.count; ++k)
        cell.meas[k].mark = MeetsSkyThreshold(owner_, slot, c, &cell.meas[k]) ? 0 : 1;
    }
  }
}

int SkySheet::GridHeight(SkySide side) const { return ChannelCount(side) > kVisibleColumns ? 275 : 257; }
int SkySheet::GridWidth() const { return DataRows() + 1 > kVisibleRows ? 309 : 291; }

std::optional<std::array<SkySheet::ColumnControl, SkySheet::kVisibleColumns>> SkySheet::ColumnControls(SkySide side,
                                                                                                      int first) const {
  const int slot = Slot(side);
  const int channels = Channels(slot);
  if (slot < 0 || first < 0 || channels <= first) return std::nullopt;
  std::array<ColumnControl, kVisibleColumns> out{};
  for (int i = 0; i < kVisibleColumns; ++i) {
    const int c = first + i;
    if (c >= channels) continue;
    const TDataLogChannel& ch = File(slot)->channels[size_t(c)];
    ColumnControl& cc = out[size_t(i)];
    cc.used = true;
    for (int k = 0; k < ch.measCount && k < MaxMeasPerChannel; ++k) cc.items.push_back(MeasName(ch.measCodes[k]));
    cc.selected = ch.measCount > 0 ? SelectedMeasIndex(slot, c) : -1;
    const auto& services = channelServices_[size_t(slot)];
    cc.service = size_t(c) < services.size() ? services[size_t(c)] : 0;
  }
  return out;
}

std::optional<std::array<int, SkySheet::kVisibleRows>> SkySheet::Types(SkySide side, int first) const {
  const int slot = Slot(side);
  const int n = Points(slot);
  if (slot < 0 || first < 0 || first >= n) return std::nullopt;
  std::array<int, kVisibleRows> out;
  out.fill(kKeep);
  for (int i = 0; i < kVisibleRows && first + i < n; ++i) {
    const int t = (*File(slot)->testPoints)[size_t(rowOrder_[size_t(slot)][size_t(first + i)])].pointType;
    out[size_t(i)] = t >= 0 && t <= 2 ? t : kNoType;
  }
  return out;
}

std::string SkySheet::FlatNumberAtRow(SkySide side, int row) const {
  const int slot = Slot(side);
  if (row < 0 || row >= Points(slot)) return {};
  return (*File(slot)->testPoints)[size_t(rowOrder_[size_t(slot)][size_t(row)])].name;
}

std::optional<std::array<std::string, SkySheet::kVisibleRows>> SkySheet::FlatNumbers(SkySide side, int first) const {
  const int slot = Slot(side);
  if (slot < 0 || first < 0 || first > Points(slot)) return std::nullopt;
  std::array<std::string, kVisibleRows> out;
  for (int i = 0; i < kVisibleRows; ++i) out[size_t(i)] = FlatNumberAtRow(side, first + i);
  return out;
}

void SkySheet::ChooseMeas(SkySide side, int channel, int item, bool block) {
  const int slot = Slot(side);
  if (const TDataLogFile* f = File(slot)) ChooseSheetMeas(*f, selectedMeas_[size_t(slot)], channel, item, block);
}

bool SkySheet::SetService(SkySide side, int channel, int item) {
  const int slot = Slot(side);
  if (slot < 0 || channel < 0 || channel >= Channels(slot) || item < 0 || item >= kServices) return false;
  auto& services = channelServices_[size_t(slot)];
  if (services.size() <= size_t(channel)) services.resize(size_t(channel) + 1, 0);
  services[size_t(channel)] = item;
  return true;
}

bool SkySheet::SetType(SkySide side, int row, int type) {
  const int slot = Slot(side);
  if (slot < 0 || row < 0 || row >= Points(slot)) return false;
  (*File(slot)->testPoints)[size_t(rowOrder_[size_t(slot)][size_t(row)])].pointType = type;
  modified = true;
  return true;
}

bool SkySheet::MoveRow(SkySide side, int from, int to) {
  const int slot = Slot(side);
  const int n = Points(slot);
  if (from == to || from < 1 || to < 1 || from > n || to > n) return false;
  auto& order = rowOrder_[size_t(slot)];
  const int moved = order[size_t(from - 1)];
  order.erase(order.begin() + (from - 1));
  order.insert(order.begin() + (to - 1), moved);
  // The types no longer fit the rows they were given to.
  for (SkySide s : {SkySide::Ter, SkySide::Sat})
    if (TDataLogFile* f = File(Slot(s)); f && f->testPoints)
      for (TDataLogTestPoint& tp : *f->testPoints) tp.pointType = kNoType;
  return true;
}

bool SkySheet::StoreFlatNumber(SkySide side, int row, const std::string& text) {
  const int slot = Slot(side);
  if (slot < 0 || row < 0 || row >= Points(slot)) return false;
  (*File(slot)->testPoints)[size_t(rowOrder_[size_t(slot)][size_t(row)])].name = text.substr(0, TestPointNameMax);
  modified = true;
  return true;
}

void SkySheet::TickFlatNumbers(SkySide side, bool on) {
  if (side == SkySide::Ter) {
    flatTer_ = on;
    flatSat_ = false;
  } else {
    flatSat_ = on;
    flatTer_ = false;
  }
}

int SkySheet::ParseOffset(const std::string& typed) {
  std::string text = typed.substr(0, 10);
  const size_t b = text.find_first_not_of(" \t");
  if (b == std::string::npos) return 0;
  text = text.substr(b, text.find_last_not_of(" \t") - b + 1);
  std::replace(text.begin(), text.end(), ',', '.');
  double v = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), v);
  if (ec != std::errc() || end != text.data() + text.size() || !std::isfinite(v)) return 0;
  if (v < 0 || v >= 30) return 0;
  // Tenths, truncated; the small addition keeps 2.3 from becoming 22 tenths through rounding.
  return int(v * 10 + 1e-6);
}

std::string SkySheet::OffsetText(int tenths) {
  const int a = tenths < 0 ? -tenths : tenths;
  return (tenths < 0 ? "-" : "") + std::to_string(a / 10) + "." + std::to_string(a % 10);
}

std::string SkySheet::SetOffset(Offset which, const std::string& text) {
  offsets_[size_t(which)] = ParseOffset(text);
  return OffsetText(offsets_[size_t(which)]);
}

void SkySheet::GetOffsets(int& offAirTer, int& launchTer, int& launchSat, int& offAirSat) const {
  offAirTer = offsets_[size_t(Offset::OffAirTer)];
  launchTer = offsets_[size_t(Offset::LaunchTer)];
  launchSat = offsets_[size_t(Offset::LaunchSat)];
  offAirSat = offsets_[size_t(Offset::OffAirSat)];
}

bool SkySheet::SaveCsv(SkySide side, const std::string& path) {
  const int slot = Slot(side);
  if (slot < 0) return false;
  return SaveSheetCsv(owner_, slot, allMeasurements_, [this](int s, int c) { return SelectedMeasIndex(s, c); }, path);
}

bool SkySheet::CheckServices(int slot) const {
  if (slot >= DataLogSlots) return false;
  if (slot < 0) return true;
  std::string error = Msg(m::ServicesTwice) + "\n";
  std::string warning = Msg(m::ServicesUnassigned) + "\n";
  bool twice = false, unassigned = false;
  for (int service = 1; service < kServices; ++service) {
    uint8_t count = 0;
    FindService(slot, service, count);
    const std::string label = std::string(kCheckLabels[service - 1]) + " ";
    if (count > 1) {
      error += label;
      twice = true;
    } else if (count == 0) {
      warning += label;
      unassigned = true;
    }
    if (service == kLastFirstLineService || service == kServices - 1) {
      error += "\n";
      warning += "\n";
    }
  }
  Prompter& prompter = PrompterInForce();
  if (unassigned &&
      !AskBoxYesNo(prompter, warning + Msg(m::ContinueQuestion), Msg(m::WarningCaption), MsgIcon::Information))
    return false;
  if (twice) {
    ShowBox(prompter, error, Msg(cv::msg::xr9dl::ErrorCaption), MsgIcon::Error);
    return false;
  }
  return true;
}

int SkySheet::SelectedMeasIndex(int slot, int channel) const { return SelectedMeasOf(selectedMeas_, slot, channel); }

void SkySheet::SelectedSlots(int& terSlot, int& satSlot) const {
  terSlot = Slot(SkySide::Ter);
  satSlot = Slot(SkySide::Sat);
}

int SkySheet::FindService(int slot, int service, uint8_t& count) const {
  count = 0;
  if (slot < 0 || slot >= DataLogSlots) return -1;
  const auto& services = channelServices_[size_t(slot)];
  int firstChannel = -1;
  for (size_t c = 0; c < services.size(); ++c) {
    if (services[c] != service) continue;
    if (firstChannel < 0) firstChannel = int(c);
    if (count < 255) ++count;  // the count stays at 255 rather than wrap to none
  }
  return firstChannel;
}

bool SkySheet::HasService(int slot, int channel, int service) const {
  if (slot < 0 || slot >= DataLogSlots) return false;
  const auto& services = channelServices_[size_t(slot)];
  return channel >= 0 && size_t(channel) < services.size() && services[size_t(channel)] == service;
}

int SkySheet::RowOfTestPoint(int slot, int testPoint) const {
  if (slot < 0 || slot >= DataLogSlots) return -1;
  const auto& order = rowOrder_[size_t(slot)];
  const auto it = std::find(order.begin(), order.end(), testPoint);
  return it == order.end() ? -1 : int(it - order.begin());
}

int SkySheet::TestPointAtRow(int slot, int row) const {
  if (slot < 0 || slot >= DataLogSlots) return -1;
  const auto& order = rowOrder_[size_t(slot)];
  return row >= 0 && size_t(row) < order.size() ? order[size_t(row)] : -1;
}

void SkySheet::SetInfoText(int n, const std::string& text) {
  if (n >= 1 && n <= kSkyInfoTexts) infoTexts_[size_t(n - 1)] = text;
}

std::string SkySheet::GetInfoText(int n, size_t length) const {
  if (n < 1 || n > kSkyInfoTexts) return {};
  return infoTexts_[size_t(n - 1)].substr(0, length);
}

}  // namespace cv::xr9
