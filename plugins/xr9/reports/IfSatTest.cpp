// The IF SAT test section: REF. of the analogue channels at the reference point and LEVEL at the
// best and worst point of each branch.
#include <algorithm>

#include "CertificateSections.h"
#include "DataLoggerCtl.h"
#include "ReportDispatch.h"
#include "ReportText.h"
#include "SatSections.h"

namespace cv::xr9 {

namespace {

constexpr const char* kIfSatSection = "DLReportESPTestIFSAT";

}  // namespace

int FirstBranchPoint(const BranchTable& table) {
  for (int tp : table)
    if (tp != -1) return tp;
  return 0;
}

void WriteIfSatTestXml(DataLoggerCtl& ctl, int slot, std::string* xml, const BranchTable& best,
                       const BranchTable& worst) {
  if (!xml || !SlotInRange(ctl, slot)) return;
  const auto* chans = PlanChannels(ctl.store, slot);
  if (!chans) return;
  TDataLogStore& store = ctl.store;
  const int ref = FirstBranchPoint(best);
  *xml += "<SENALESUSUARIOB>\n";
  for (int i = 0; i < int(chans->size()); ++i) {
    const TChanXR9& chan = (*chans)[size_t(i)];
    if (ClassOf(chan) != ChannelClass::Analogue) continue;
    *xml += "<SENALAB>\n<FRECUENCIA>" + XmlText(store.SatChannelFreqText(slot, &chan)) + "</FRECUENCIA>";
    *xml += "<NIVEL_SALIDA><![CDATA[" + CdataText(ValueText(store, slot, i, ref, MeasRef)) + "]]></NIVEL_SALIDA>";
    *xml += "\n<RAMALES>\n";
    for (int b = 0; b < kBranchCount; ++b)
      if (best[size_t(b)] >= 0 || worst[size_t(b)] >= 0) *xml += RamalXml(store, slot, i, b, best, worst, MeasLevel);
    *xml += "\n</RAMALES>\n</SENALAB>\n";
  }
  WriteObservationsXml(ctl, "OBSERVACIONES", xml);
  *xml += "</SENALESUSUARIOB>\n";
}

void WriteIfSatTestHtmlPage(DataLoggerCtl& ctl, int slot, std::string* html, int c, int g, const BranchTable& best,
                            const BranchTable& worst) {
  if (!html || !SlotInRange(ctl, slot)) return;
  const auto* chans = PlanChannels(ctl.store, slot);
  if (!chans) return;
  TDataLogStore& store = ctl.store;
  const std::string sec = KindSection(ctl, kIfSatSection);
  auto text = [&](const std::string& key, const char* def) { return IniText(ctl, sec, key, def); };
  const int last = std::min(c + SatPageSize(ctl), int(chans->size()));
  const int ref = FirstBranchPoint(best);
  if (c != 0 || g != 0) *html += text("continued", "??18");
  for (int p = 1; p <= 7; ++p) *html += text("prologue" + std::to_string(p), ("??" + std::to_string(12 + p)).c_str());
  *html += "<table " + IniText(ctl, kStyleSection, "tableAtt", "??") + ">\n";
  *html += "<tr><td rowspan=\"3\">" + text("tableHead1", "??1") + "</td><td rowspan=\"3\">" + text("tableHead2", "??2") +
           "</td><td colspan=\"4\">" + text("tableHead7", "??3") + "</td><td colspan=\"4\">" +
           text("tableHead8", "??4") + "</td></tr>";
  *html += BranchHeadingRows(text("tableHead9", "??6"), text("tableHead10", "??7"), g);
  for (int i = std::max(c, 0); i < last; ++i) {
    const TChanXR9& chan = (*chans)[size_t(i)];
    if (ClassOf(chan) != ChannelClass::Analogue) continue;
    *html += "<tr><td><p align=\"center\">" + HtmlEscape(store.SatChannelFreqText(slot, &chan)) + "</p></td>" +
             ValueCell(ValueText(store, slot, i, ref, MeasRef)) + BranchCells(store, slot, i, g, best, MeasLevel) +
             BranchCells(store, slot, i, g, worst, MeasLevel) + "</tr>\n";
  }
  *html += "</table>\n";
}

void WriteIfSatTestSection(DataLoggerCtl& ctl, int slot, TReportFiles* files) {
  RunSatSection(ctl, slot, files,
                {kIfSatSection, false, true,
                 [&](std::string* xml, const SectionBranches& br) { WriteIfSatTestXml(ctl, slot, xml, br.best, br.worst); },
                 [](const SectionBranches& br) {
                   return BranchGroupLimit(std::max(br.nBest, br.nWorst), br.best, br.worst);
                 },
                 [&](std::string* html, int c, int g, const SectionBranches& br) {
                   WriteIfSatTestHtmlPage(ctl, slot, html, c, g, br.best, br.worst);
                 }});
}

}  // namespace cv::xr9
