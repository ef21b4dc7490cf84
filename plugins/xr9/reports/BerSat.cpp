// The BER satellite section: VBER of the plan's DVB channels at the worst point of each branch.
#include <algorithm>

#include "CertificateSections.h"
#include "DataLoggerCtl.h"
#include "ReportDispatch.h"
#include "ReportText.h"
#include "SatSections.h"

namespace cv::xr9 {

namespace {

constexpr const char* kBerSatSection = "DLReportESPBERSAT";

}  // namespace

void WriteBerSatXml(DataLoggerCtl& ctl, int slot, std::string* xml, const DvbChannelList& list,
                    const BranchTable& worst) {
  if (!xml || !SlotInRange(ctl, slot)) return;
  const auto* chans = PlanChannels(ctl.store, slot);
  if (!chans) return;
  TDataLogStore& store = ctl.store;
  *xml += "<BER_SATELITE>\n";
  for (int k = 0; k < int(list.size()); ++k) {
    const int i = list[size_t(k)];
    if (i >= int(chans->size())) continue;
    *xml += "<SENALBER_S>\n<FRECUENCIA>" + XmlText(store.SatChannelFreqText(slot, &(*chans)[size_t(i)])) +
            "</FRECUENCIA><RAMALES>";
    for (int b = 0; b < kBranchCount; ++b) {
      const int wp = worst[size_t(b)];
      if (wp < 0) continue;
      *xml += "<RAMAL><VALOR_PEOR1><![CDATA[" + CdataText(ValueText(store, slot, i, wp, MeasVber)) +
              "]]></VALOR_PEOR1><NOMBRE_PEOR>" + std::to_string(b + 1) + "</NOMBRE_PEOR></RAMAL>";
    }
    *xml += "</RAMALES>\n\n</SENALBER_S>\n";
  }
  WriteObservationsXml(ctl, "OBSERVACIONES", xml);
  *xml += "</BER_SATELITE>\n";
}

void WriteBerSatHtmlPage(DataLoggerCtl& ctl, int slot, std::string* html, int c, const DvbChannelList& list,
                         int g, const BranchTable& worst) {
  if (!html || !SlotInRange(ctl, slot)) return;
  const auto* chans = PlanChannels(ctl.store, slot);
  if (!chans) return;
  TDataLogStore& store = ctl.store;
  const std::string sec = KindSection(ctl, kBerSatSection);
  auto text = [&](const std::string& key, const char* def) { return IniText(ctl, sec, key, def); };
  const int last = std::min(c + SatPageSize(ctl), int(list.size()));
  if (c != 0 || g != 0) *html += text("continued", "??18");
  *html += text(KindKey(ctl, "prologue1"), "??13") + text("prologue2", "??14") + text("prologue3", "??15") +
           text(KindKey(ctl, "prologue4"), "??14");
  *html += "<table " + IniText(ctl, kStyleSection, "tableAtt", "??") + ">\n";
  const std::string branchHead = text("tableHead2", "??1");
  *html += "<tr><td>" + text("tableHead1", "??1") + "</td>";
  for (int n = g + 1; n <= g + 4; ++n) *html += "<td align=\"center\">" + branchHead + std::to_string(n) + "</td>";
  *html += "</tr>";
  for (int k = std::max(c, 0); k < last; ++k) {
    const int i = list[size_t(k)];
    if (i >= int(chans->size())) continue;
    *html += "<tr><td><p align=\"center\">" + HtmlEscape(store.SatChannelFreqText(slot, &(*chans)[size_t(i)])) +
             "</p></td>" + BranchCells(store, slot, i, g, worst, MeasVber) + "</tr>\n";
  }
  *html += "</table>\n";
}

void WriteBerSatSection(DataLoggerCtl& ctl, int slot, TReportFiles* files) {
  DvbChannelList list;
  if (slot >= 0 && slot < DataLogSlots) list = ListDvbChannels(ctl.store.File(slot).plan.get());
  RunSatSection(ctl, slot, files,
                {kBerSatSection, true, false,
                 [&](std::string* xml, const SectionBranches& br) { WriteBerSatXml(ctl, slot, xml, list, br.worst); },
                 // Only worst points are shown: the groups run by them alone; none, no page at all.
                 [](const SectionBranches& br) {
                   BranchTable none;
                   none.fill(-1);
                   return BranchGroupLimit(br.nWorst, none, br.worst);
                 },
                 [&](std::string* html, int c, int g, const SectionBranches& br) {
                   WriteBerSatHtmlPage(ctl, slot, html, c, list, g, br.worst);
                 },
                 // The pages run over the listed channels, so that none holds headings alone.
                 [&] { return int(list.size()); }});
}

}  // namespace cv::xr9
