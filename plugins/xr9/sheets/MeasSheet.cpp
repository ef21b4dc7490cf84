#include "MeasSheet.h"

#include <QFileInfo>

#include "AtomicFile.h"
#include "DataLoggerCtl.h"
#include "Format.h"
#include "MeasValue.h"
#include "Messages.h"
#include "MsgIds.h"
#include "Prompt.h"

namespace cv::xr9 {

namespace {
namespace m = cv::msg::xr9dl;
}

MeasSheet::MeasSheet(DataLoggerCtl& owner) : owner_(owner), selectedMeas_(DataLogSlots) {}

TDataLogFile* MeasSheet::File() const {
  if (slot_ < 0 || slot_ >= DataLogSlots) return nullptr;
  return &owner_.store.File(slot_);
}

int MeasSheet::ReportKind() const { return owner_.CurrentReportKind(); }

bool MeasSheet::ReportControlsShown() const {
  const int k = ReportKind();
  return k != -1 && k != 5;
}

bool MeasSheet::Init() {
  const TDataLogFile& first = owner_.store.File(0);
  if (!first.plan || !first.plan->Channels) return false;
  for (int s = 0; s < DataLogSlots; ++s) {
    TDataLogFile& f = owner_.store.File(s);
    if (!f.plan) break;
    const size_t n = f.plan->Channels ? f.plan->Channels->size() : 0;
    selectedMeas_[size_t(s)].assign(n, 0);
    for (TDataLogChannel& ch : f.channels) ch.serviceName.clear();
  }
  for (int s = 0; s < DataLogSlots; ++s) {
    TDataLogFile& f = owner_.store.File(s);
    if (f.testPointCount == 0) break;
    if (f.testPoints)
      for (TDataLogTestPoint& tp : *f.testPoints) {
        tp.pointType = kNoRole;
        tp.branch = -1;
      }
  }
  allMeasurements_ = true;
  modified = false;
  satIfTest_ = false;
  slot_ = -1;
  return true;
}

std::vector<std::string> MeasSheet::FileNames() const {
  std::vector<std::string> names;
  for (int s = 0; s < DataLogSlots && owner_.store.File(s).plan; ++s) names.push_back(owner_.store.File(s).name);
  return names;
}

bool MeasSheet::ShowFile(int slot) {
  if (slot < 0 || slot >= DataLogSlots) return false;
  const TDataLogFile& f = owner_.store.File(slot);
  if (f.testPointCount == 0 || !f.plan) return false;
  slot_ = slot;
  return true;
}

int MeasSheet::ChannelCount() const {
  const TDataLogFile* f = File();
  return f && f->plan && f->plan->Channels ? int(f->plan->Channels->size()) : 0;
}

int MeasSheet::TestPointCount() const {
  const TDataLogFile* f = File();
  return f && f->testPoints ? int(std::min<size_t>(size_t(f->testPointCount), f->testPoints->size())) : 0;
}

std::string MeasSheet::ChannelName(int channel) const {
  if (channel < 0 || channel >= ChannelCount()) return {};
  return (*File()->plan->Channels)[size_t(channel)].name;
}

std::string MeasSheet::TestPointName(int tp) const {
  if (tp < 0 || tp >= TestPointCount()) return {};
  return (*File()->testPoints)[size_t(tp)].name;
}

std::string MeasSheet::CellText(int tp, int channel) const {
  TDataLogFile* f = File();
  if (!f || tp < 0 || tp >= TestPointCount() || channel < 0 || channel >= ChannelCount() ||
      size_t(channel) >= f->channels.size())
    return {};
  TDataLogChannel& ch = f->channels[size_t(channel)];
  const int k = SelectedMeasIndex(slot_, channel);
  const TDataLogCell cell = ch.Cell(tp);
  // A channel without measurements (or a choice beyond its list) names no measurement.
  if (k < 0 || k >= ch.measCount || k >= cell.count) return {};
  std::string text;
  if (MeasValueText(cell.meas[k], (*f->testPoints)[size_t(tp)].levelUnits, text))
    text += " " + MeasUnitText(&cell.meas[k]);
  return text;
}

int MeasSheet::GridHeight() const { return ChannelCount() > kVisibleColumns ? 275 : 257; }
int MeasSheet::GridWidth() const { return TestPointCount() > kVisibleRows ? 427 : 409; }

std::string MeasSheet::BandText() const {
  const TDataLogFile* f = File();
  if (!f || !f->plan) return {};
  if (f->plan->PlanType == 5) return Msg(m::Satellite);
  if (f->plan->PlanType == 7) return Msg(m::Terrestrial);
  return {};
}

bool MeasSheet::IfSatVisible() const {
  const TDataLogFile* f = File();
  const int k = ReportKind();
  return f && f->plan && (k == 0 || k == 2) && f->plan->PlanType == 5;
}

bool MeasSheet::ReportRadioVisible() const { return ReportKind() == 5; }

std::array<MeasSheet::ChannelControl, MeasSheet::kVisibleColumns> MeasSheet::ChannelControls(int first) const {
  std::array<ChannelControl, kVisibleColumns> out{};
  TDataLogFile* f = File();
  for (int i = 0; i < kVisibleColumns; ++i) {
    const int c = first + i;
    if (!f || c < 0 || c >= ChannelCount() || size_t(c) >= f->channels.size()) continue;
    const TDataLogChannel& ch = f->channels[size_t(c)];
    ChannelControl& cc = out[size_t(i)];
    cc.used = true;
    for (int k = 0; k < ch.measCount && k < MaxMeasPerChannel; ++k) cc.items.push_back(MeasName(ch.measCodes[k]));
    cc.selected = ch.measCount > 0 ? SelectedMeasIndex(slot_, c) : -1;
    cc.serviceName = ch.serviceName;
  }
  return out;
}

std::array<MeasSheet::RowControl, MeasSheet::kVisibleRows> MeasSheet::RowControls(int first) const {
  std::array<RowControl, kVisibleRows> out{};
  const int n = TestPointCount();
  for (int i = 0; i < kVisibleRows; ++i) {
    const int t = first + i;
    RowControl& rc = out[size_t(i)];
    if (t < 0 || t >= n) continue;
    const TDataLogTestPoint& tp = (*File()->testPoints)[size_t(t)];
    rc.role = tp.pointType >= 0 && tp.pointType <= 4 ? tp.pointType : kNoRole;
    if (rc.role == 2 || rc.role == 3) {
      rc.branchEnabled = false;
      rc.branch = -1;
    } else if (tp.branch < kBranches) {
      rc.branch = tp.branch < 0 ? -1 : tp.branch;
    } else {
      rc.branch = -1;
    }
  }
  return out;
}

int SelectedMeasOf(const std::vector<std::vector<int>>& selected, int slot, int channel) {
  if (slot < 0 || size_t(slot) >= selected.size()) return 0;
  const auto& sel = selected[size_t(slot)];
  if (channel < 0 || size_t(channel) >= sel.size()) return 0;
  return sel[size_t(channel)];
}

int MeasSheet::SelectedMeasIndex(int slot, int channel) const { return SelectedMeasOf(selectedMeas_, slot, channel); }

void ChooseSheetMeas(const TDataLogFile& f, std::vector<int>& sel, int channel, int item, bool block) {
  const int channels = f.plan && f.plan->Channels ? int(f.plan->Channels->size()) : 0;
  if (channel < 0 || channel >= channels || size_t(channel) >= f.channels.size() || item < 0) return;
  if (sel.size() < size_t(channels)) sel.resize(size_t(channels), 0);
  const TDataLogChannel& ch = f.channels[size_t(channel)];
  if (item >= ch.measCount) return;
  if (!block) {
    sel[size_t(channel)] = item;
    return;
  }
  const uint8_t code = ch.measCodes[item];
  for (size_t j = 0; j < f.channels.size() && j < sel.size(); ++j) {
    const TDataLogChannel& other = f.channels[j];
    for (int k = 0; k < other.measCount && k < MaxMeasPerChannel; ++k)
      if (other.measCodes[k] == code) {
        sel[j] = k;
        break;
      }
  }
}

void MeasSheet::ChooseMeas(int channel, int item, bool block) {
  TDataLogFile* f = File();
  if (!f) return;
  ChooseSheetMeas(*f, selectedMeas_[size_t(slot_)], channel, item, block);
}

MeasSheet::Edit MeasSheet::SetRole(int tp, int item) {
  if (tp < 0 || tp >= TestPointCount()) return Edit::NoPoint;
  if ((item == 2 || item == 3) && satIfTest_) {
    ShowBox(PrompterInForce(), Msg(m::SatIfRefused), Msg(m::ErrorCaption), MsgIcon::Error);
    return Edit::Refused;
  }
  TDataLogTestPoint& p = (*File()->testPoints)[size_t(tp)];
  p.pointType = item;
  if (item == 2 || item == 3) p.branch = -1;
  modified = true;
  return Edit::Done;
}

void MeasSheet::ClearPointType(int tp) {
  if (tp < 0 || tp >= TestPointCount()) return;
  (*File()->testPoints)[size_t(tp)].pointType = kNoRole;
}

MeasSheet::Edit MeasSheet::SetBranch(int tp, int item) {
  if (tp < 0 || tp >= TestPointCount()) return Edit::NoPoint;
  (*File()->testPoints)[size_t(tp)].branch = item;
  modified = true;
  return Edit::Done;
}

void MeasSheet::ClearBranch(int tp) {
  if (tp < 0 || tp >= TestPointCount()) return;
  (*File()->testPoints)[size_t(tp)].branch = -1;
}

void MeasSheet::StoreServiceName(int channel, const std::string& text) {
  TDataLogFile* f = File();
  if (!f || channel < 0 || channel >= ChannelCount() || size_t(channel) >= f->channels.size()) return;
  f->channels[size_t(channel)].serviceName = text.substr(0, kServiceNameMax);
  modified = true;
}

void MeasSheet::StoreTestPointName(int tp, const std::string& text) {
  if (tp < 0 || tp >= TestPointCount()) return;
  (*File()->testPoints)[size_t(tp)].name = text.substr(0, TestPointNameMax);
  modified = true;
}

bool SaveSheetCsv(DataLoggerCtl& owner, int slot, bool allMeasurements, std::function<int(int, int)> selectedMeas,
                  const std::string& path) {
  const QString qpath = QString::fromLocal8Bit(path.c_str());
  const std::string shortName = QFileInfo(qpath).fileName().toLocal8Bit().toStdString();
  auto fail = [&owner](const std::string& text) {
    owner.LogLine(text);
    ShowBox(PrompterInForce(), text, Msg(m::ErrorCaption), MsgIcon::Error);
    return false;
  };
  owner.LogLine(Msg(m::CreatingCsv));
  CsvContext ctx = owner.MakeCsvContext();
  ctx.selectedMeas = std::move(selectedMeas);
  std::string text;
  bool complete = false;
  if (!allMeasurements) {
    owner.LogLine(Msg(m::SavingSelected));
    complete = WriteCSVSelectedMeas(text, owner.store, slot, ctx);
  } else {
    owner.LogLine(Msg(m::SavingAll));
    complete = WriteCSVAllMeas(text, owner.store, slot, ctx);
  }
  // A file cut short by an empty channel entry (told by its own boxes) never takes the place of
  // an earlier file; where there was none it is written as far as it goes.
  if (!complete && QFileInfo::exists(qpath)) return false;
  std::string error;
  switch (WriteFileAtomically(path, text, &error)) {
    case SaveResult::Saved: break;
    case SaveResult::NotCreated: return fail(Format(Msg(m::CouldntCreateFile).c_str(), shortName.c_str()));
    case SaveResult::NotWritten: return fail(Format(Msg(m::CsvNotSaved).c_str(), shortName.c_str(), error.c_str()));
  }
  if (!complete) return false;
  owner.LogLine(Msg(m::CsvSaved));
  ShowBox(PrompterInForce(), Msg(m::CsvSavedBox) + " :\n" + path, Msg(cv::msg::xr9::TempoCaption), MsgIcon::Information);
  return true;
}

bool MeasSheet::SaveCsv(const std::string& path) {
  return SaveSheetCsv(owner_, slot_, allMeasurements_, [this](int slot, int channel) { return SelectedMeasIndex(slot, channel); },
                      path);
}

}  // namespace cv::xr9
