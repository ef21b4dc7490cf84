#include "CertificateFrame.h"

#include <QFile>
#include <algorithm>

#include "AskObsDlg.h"
#include "DataLoggerCtl.h"
#include "GenericReport.h"
#include "MeasValue.h"
#include "Messages.h"
#include "MsgIds.h"
#include "ReportText.h"
#include "Xr9Attributes.h"
#include "Xr9Equip.h"

namespace cv::xr9 {

bool IsCatalanKind(int kind) { return kind == 2 || kind == 4; }
bool IsUpdKind(int kind) { return kind == 1 || kind == 4 || kind == 7; }

std::string KindSection(const DataLoggerCtl& ctl, const std::string& espSection) {
  if (!IsCatalanKind(ctl.generatingKind)) return espSection;
  std::string s = espSection;
  const size_t at = s.find("ESP");
  if (at != std::string::npos) s.replace(at, 3, "CAT");
  return s;
}

std::string KindKey(const DataLoggerCtl& ctl, const std::string& key) {
  return IsUpdKind(ctl.generatingKind) ? key + "UPD" : key;
}

std::string IniText(const DataLoggerCtl& ctl, const std::string& section, const std::string& key,
                    const std::string& def) {
  return ctl.ini.ReadString(section, key, def);
}

int PageSizeOr(int configured, int def) { return configured < 1 ? def : configured; }
int TerPageSize(const DataLoggerCtl& ctl) { return PageSizeOr(ctl.settings.pages.channelsPerPageTer, 18); }
int SatPageSize(const DataLoggerCtl& ctl) { return PageSizeOr(ctl.settings.pages.channelsPerPageSat, 40); }

std::string CertificateHtmlHead(const DataLoggerCtl& ctl) {
  return HtmlReportHead(IniText(ctl, kStyleSection, "tdStyle", "Default Style") + "\n" +
                            IniText(ctl, kStyleSection, "tableStyle", "??") + "\n" +
                            IniText(ctl, kStyleSection, "pagebreaking", "??42") + "\n",
                        "DataLogger");
}

std::string XmlDeclaration() { return "\xEF\xBB\xBF<?xml version=\"1.0\" encoding=\"utf-8\"?>\n"; }

bool SlotInRange(const DataLoggerCtl& ctl, int slot) {
  if (slot < 0) return false;
  if (slot >= DataLogSlots) {
    ctl.LogLine(Msg(cv::msg::xr9dl::IndexOutOfBounds));
    return false;
  }
  return true;
}

namespace {

const std::vector<TDataLogTestPoint>* PointsOf(const TDataLogStore& store, int slot) {
  if (slot < 0 || slot >= DataLogSlots) return nullptr;
  const auto& tp = store.File(slot).testPoints;
  return tp ? &*tp : nullptr;
}

const std::vector<TChanXR9>* ChannelsOf(const TDataLogStore& store, int slot) {
  if (slot < 0 || slot >= DataLogSlots) return nullptr;
  const TDataLogFile& f = store.File(slot);
  if (!f.plan || !f.plan->Channels) return nullptr;
  return &*f.plan->Channels;
}

}  // namespace

int FindTestPointByType(const TDataLogStore& store, int slot, int type, int start) {
  const auto* tps = PointsOf(store, slot);
  if (!tps) return -1;
  for (int i = std::max(start, 0); i < int(tps->size()); ++i)
    if ((*tps)[size_t(i)].pointType == type) return i;
  return -1;
}

int FindTestPointInBranch(const TDataLogStore& store, int slot, int branch, int start, int type) {
  const auto* tps = PointsOf(store, slot);
  if (!tps) return -1;
  for (int i = std::max(start, 0); i < int(tps->size()); ++i) {
    const TDataLogTestPoint& tp = (*tps)[size_t(i)];
    if (tp.branch == branch && tp.pointType == type) return i;
  }
  return -1;
}

int FindChannelByLnbMode(const TDataLogStore& store, int slot, int mode, int start) {
  const auto* chans = ChannelsOf(store, slot);
  if (!chans || start < 0) return -1;
  const auto& dl = store.File(slot).channels;
  for (int i = start; i < int(chans->size()) && i < int(dl.size()); ++i)
    if (dl[size_t(i)].lnbMode == mode) return i;
  return -1;
}

int FindMeasCode(const TDataLogStore& store, int slot, int channel, int code) {
  const auto* chans = ChannelsOf(store, slot);
  if (!chans || channel < 0 || channel >= int(chans->size())) return -1;
  const auto& dl = store.File(slot).channels;
  if (channel >= int(dl.size())) return -1;
  const TDataLogChannel& c = dl[size_t(channel)];
  for (int i = 0; i < c.measCount && i < MaxMeasPerChannel; ++i)
    if (c.measCodes[i] == code) return i;
  return -1;
}

std::string ValueText(TDataLogStore& store, int slot, int channel, int testPoint, int code) {
  std::string text;
  if (testPoint < 0 || slot < 0 || slot >= DataLogSlots) return text;
  auto& dl = store.File(slot).channels;
  if (channel < 0 || channel >= int(dl.size())) return text;
  MeasValueTextOfCode(dl[size_t(channel)].Cell(testPoint), code, text);
  return text;
}

ChannelClass ClassOf(const TChanXR9& chan) {
  TChanAttribute type;
  FindListAttribute(chan.attrs1, AttrType, type);
  if (type.code != AttrType) return ChannelClass::None;
  return IsNonDvbSignalType(type.value[0]) ? ChannelClass::Analogue : ChannelClass::Digital;
}

std::vector<int> ListDvbChannels(const TPlanXR9* plan) {
  std::vector<int> list;
  if (!plan || !plan->Channels) return list;
  const auto& chans = *plan->Channels;
  for (int i = 0; i < int(chans.size()); ++i) {
    TChanAttribute type;
    FindListAttribute(chans[size_t(i)].attrs1, AttrType, type);
    if (type.code != AttrType) continue;
    const uint8_t v = type.value[0];
    if (v == 0 || v == 1 || v == 2 || v == 7) list.push_back(i);
  }
  return list;
}

void CollectBranchPoints(const TDataLogStore& store, int slot, BranchTable& best, BranchTable& worst,
                         int& nBest, int& nWorst) {
  best.fill(-1);
  worst.fill(-1);
  nBest = nWorst = 0;
  const auto* tps = PointsOf(store, slot);
  if (!tps) return;
  for (int i = 0; i < int(tps->size()); ++i) {
    const int type = (*tps)[size_t(i)].pointType;
    if (type == RoleBest && nBest < kBranchCount) best[size_t(nBest++)] = i;
    if (type == RoleWorst && nWorst < kBranchCount) worst[size_t(nWorst++)] = i;
  }
}

void PairBranchPoints(const TDataLogStore& store, int slot, BranchTable& best, BranchTable& worst) {
  const auto* tps = PointsOf(store, slot);
  const BranchTable bestIn = best, worstIn = worst;
  best.fill(-1);
  worst.fill(-1);
  if (!tps) return;
  auto branchOf = [tps](int tp) { return tp >= 0 && tp < int(tps->size()) ? (*tps)[size_t(tp)].branch : -1; };
  for (int b = 0; b < kBranchCount; ++b) {
    for (int tp : bestIn)
      if (tp >= 0 && branchOf(tp) == b) {
        best[size_t(b)] = tp;
        break;
      }
    if (best[size_t(b)] < 0) continue;
    for (int tp : worstIn)
      if (tp >= 0 && branchOf(tp) == b) {
        worst[size_t(b)] = tp;
        break;
      }
  }
}

int BranchGroupLimit(int count, const BranchTable& best, const BranchTable& worst) {
  int limit = count;
  for (int b = 0; b < kBranchCount; ++b)
    if (best[size_t(b)] >= 0 || worst[size_t(b)] >= 0) limit = std::max(limit, b + 1);
  return limit;
}

void ForEachSectionPage(std::string& html, int channelCount, int pageSize, int groupLimit,
                        const std::function<void(int c, int g)>& page,
                        const std::function<void()>& observations) {
  const int groups = std::max(groupLimit, 1);
  bool first = true;
  for (int c = 0; c < channelCount; c += pageSize) {
    for (int g = 0; g < groups; g += 4) {
      if (!first) html += kPageBreak;
      first = false;
      page(c, g);
      if (g + 4 >= groups && c + pageSize >= channelCount && observations) observations();
    }
  }
}

std::string ObservationsPath(const DataLoggerCtl& ctl) {
  return DataLoggerObservations(ctl.equip.GetStartDir()).Path();
}

bool AskObservations(DataLoggerCtl& ctl, const std::string& prompt) {
  QFile::remove(QString::fromLocal8Bit(ObservationsPath(ctl).c_str()));
  return ctl.observationsQuestion ? ctl.observationsQuestion(prompt) : false;
}

namespace {

// The observations file's lines (CR LF or LF); false when there is no file.
bool ObservationLines(const DataLoggerCtl& ctl, std::vector<std::string>& lines) {
  QFile f(QString::fromLocal8Bit(ObservationsPath(ctl).c_str()));
  if (!f.open(QIODevice::ReadOnly)) return false;
  const QByteArray all = f.readAll();
  std::string text(all.constData(), size_t(all.size()));
  size_t pos = 0;
  while (pos < text.size()) {
    size_t nl = text.find('\n', pos);
    std::string line = text.substr(pos, nl == std::string::npos ? std::string::npos : nl - pos);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
    if (nl == std::string::npos) break;
    pos = nl + 1;
  }
  return true;
}

}  // namespace

void WriteObservationsXml(const DataLoggerCtl& ctl, const std::string& element, std::string* xml) {
  if (!xml) return;
  std::vector<std::string> lines;
  if (!ObservationLines(ctl, lines)) return;
  *xml += "<" + element + ">\n<![CDATA[";
  for (const std::string& l : lines) *xml += CdataText(l) + "\n";
  *xml += "]]>\n</" + element + ">\n";
}

void WriteObservationsHtml(const DataLoggerCtl& ctl, const std::string& heading, std::string* html) {
  if (!html) return;
  std::vector<std::string> lines;
  if (!ObservationLines(ctl, lines) || lines.empty()) return;
  *html += "<br>" + heading + "\n";
  for (const std::string& l : lines) *html += "<br>" + HtmlEscape(l) + "\n";
}

}  // namespace cv::xr9
