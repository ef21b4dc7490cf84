// The BER terrestrial section: per DVB channel of the plan and per branch, the VBER at the
// branch's worst point, in tables of four branches.
#include <algorithm>

#include "CertificateSections.h"
#include "DataLoggerCtl.h"
#include "ReportDispatch.h"
#include "ReportText.h"
#include "TerrestrialSections.h"

namespace cv::xr9 {

namespace {

constexpr const char* kBerSection = "DLReportESPBERTER";

// The listed plan channel, when it is one of the plan's DVB channels.
const TChanXR9* ListedChannel(const std::vector<TChanXR9>& chans, int index) {
  if (index < 0 || index >= int(chans.size())) return nullptr;
  const TChanXR9& ch = chans[size_t(index)];
  return ClassOf(ch) == ChannelClass::Digital ? &ch : nullptr;
}

}  // namespace

void WriteBerTerXml(DataLoggerCtl& ctl, int slot, std::string* xml, const std::vector<int>* list,
                    const BranchTable* worst) {
  if (!xml || !list || !worst || !SlotInRange(ctl, slot)) return;
  const auto* chans = PlanChannelsOf(ctl.store, slot);
  if (!chans) return;
  std::string& x = *xml;
  x += "<BER_TERRENAL>\n";
  for (const int index : *list) {
    const TChanXR9* ch = ListedChannel(*chans, index);
    if (!ch) continue;
    x += "<SENALBER><FRECUENCIA>" + TerChannelFreqText(ch) + "</FRECUENCIA><RAMALES>";
    for (int b = 0; b < kBranchCount; ++b) {
      const int point = (*worst)[size_t(b)];
      if (point < 0) continue;
      x += "<RAMAL><VALOR_PEOR1><![CDATA[" + ValueText(ctl.store, slot, index, point, MeasVber) +
           "]]></VALOR_PEOR1><NOMBRE_PEOR>" + std::to_string(b + 1) + "</NOMBRE_PEOR></RAMAL>";
    }
    x += "\n</RAMALES>\n</SENALBER>";
  }
  WriteObservationsXml(ctl, "OBSERVACIONES", xml);
  x += "</BER_TERRENAL>\n";
}

void WriteBerTerHtmlPage(DataLoggerCtl& ctl, int slot, std::string* html, int c, const std::vector<int>* list,
                         int g, const BranchTable* worst) {
  if (!html || !list || !worst || !SlotInRange(ctl, slot)) return;
  const std::string t = KindSection(ctl, kBerSection);
  auto text = [&](const std::string& key, const std::string& def) { return IniText(ctl, t, key, def); };
  const std::string tableAtt = IniText(ctl, kStyleSection, "tableAtt", "??");
  const std::string continued = text("continued", "??18");
  const std::string prologues =
      text(KindKey(ctl, "prologue1"), "??13") + text("prologue2", "??14") + text("prologue3", "??15");
  const std::string head1 = text("tableHead1", "??1");
  const std::string head2 = text("tableHead2", "??1");

  const auto* chans = PlanChannelsOf(ctl.store, slot);
  const int last = std::min(c + SatPageSize(ctl), int(list->size()));
  std::string& h = *html;
  if (c != 0 || g != 0) h += continued;
  h += prologues;
  h += "<table " + tableAtt + ">\n";
  h += "<tr><td>" + head1 + "</td>";
  for (int k = g + 1; k <= g + 4; ++k) h += "<td align=\"center\">" + head2 + std::to_string(k) + "</td>";
  h += "</tr>";
  for (int i = c; chans && i < last; ++i) {
    const int index = (*list)[size_t(i)];
    const TChanXR9* ch = ListedChannel(*chans, index);
    if (!ch) continue;
    h += "<tr><td><p align=\"center\">" + TerChannelFreqText(ch) + "</p></td>" +
         BranchCells(ctl, slot, index, *worst, g, MeasVber) + "</tr>\n";
  }
  h += "</table>\n";
}

void WriteBerTerSection(DataLoggerCtl& ctl, int slot, TReportFiles* files) {
  if (!files || !files->hasXml || !SlotInRange(ctl, slot)) return;
  const SectionTexts texts = ReadSectionTexts(ctl, kBerSection);
  const BranchPoints bp = PairedBranchPoints(ctl.store, slot);
  if (!bp.Any()) return;
  const std::vector<int> list = ListDvbChannels(ctl.store.File(slot).plan.get());
  const int n = int(list.size());
  AskObservations(ctl, texts.prompt);
  WriteBerTerXml(ctl, slot, &files->xmlFile, &list, &bp.worst);
  // Only the worst points count for the groups; none, no page.
  const int groups = BranchGroupLimit(bp.nWorst, bp.worst, bp.worst);
  if (groups == 0) return;
  std::string& html = files->htmlFile;
  ForEachSectionPage(
      html, n, SatPageSize(ctl), groups, [&](int c, int g) { WriteBerTerHtmlPage(ctl, slot, &html, c, &list, g, &bp.worst); },
      [&] { WriteObservationsHtml(ctl, texts.heading, &html); });
}

}  // namespace cv::xr9
