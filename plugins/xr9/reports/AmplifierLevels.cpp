// The amplifier levels section of the satellite certificate, and the pieces the satellite file's
// sections share.
#include <algorithm>

#include "CertificateSections.h"
#include "DataLoggerCtl.h"
#include "ReportDispatch.h"
#include "ReportText.h"
#include "SatSections.h"

namespace cv::xr9 {

void RunSatSection(DataLoggerCtl& ctl, int slot, TReportFiles* files, const SatSectionSteps& steps) {
  if (!files || !files->hasXml || !SlotInRange(ctl, slot)) return;
  SectionBranches br;
  CollectBranchPoints(ctl.store, slot, br.best, br.worst, br.nBest, br.nWorst);
  PairBranchPoints(ctl.store, slot, br.best, br.worst);
  if (br.nBest == 0 && br.nWorst == 0) return;
  const std::string sec = KindSection(ctl, steps.iniSection);
  const std::string promptKey = steps.updObservations ? KindKey(ctl, "observations") : "observations";
  const std::string headObs = IniText(ctl, sec, "HeadObservations", "??14");
  AskObservations(ctl, IniText(ctl, sec, promptKey, "??13"));
  steps.xml(&files->xmlFile, br);
  if (steps.writesHead) files->htmlFile += CertificateHtmlHead(ctl);
  const int groups = steps.groupLimit(br);
  if (groups < 1) return;
  const auto* chans = PlanChannels(ctl.store, slot);
  ForEachSectionPage(
      files->htmlFile, steps.rows ? steps.rows() : chans ? int(chans->size()) : 0, SatPageSize(ctl), groups,
      [&](int c, int g) { steps.page(&files->htmlFile, c, g, br); },
      [&] { WriteObservationsHtml(ctl, headObs, &files->htmlFile); });
}

const std::vector<TChanXR9>* PlanChannels(const TDataLogStore& store, int slot) {
  if (slot < 0 || slot >= DataLogSlots) return nullptr;
  const TDataLogFile& f = store.File(slot);
  return f.plan && f.plan->Channels ? &*f.plan->Channels : nullptr;
}

std::string ValueCell(const std::string& value) { return "<td>" + HtmlEscape(value) + "</td>"; }

std::string BranchCells(TDataLogStore& store, int slot, int channel, int g, const BranchTable& table, int code) {
  std::string out;
  for (int b = g; b < g + 4; ++b) {
    const int tp = b >= 0 && b < kBranchCount ? table[size_t(b)] : -1;
    out += tp < 0 ? std::string("<td></td>") : ValueCell(ValueText(store, slot, channel, tp, code));
  }
  return out;
}

std::string BranchHeadingRows(const std::string& bestHead, const std::string& worstHead, int g) {
  std::string out = "<tr><td colspan=\"4\"><p align=\"center\">" + bestHead + "</p></td>" +
                    "<td colspan=\"4\"><p align=\"center\">" + worstHead + "</p></td></tr><tr>";
  std::string numbers;
  for (int n = g + 1; n <= g + 4; ++n) numbers += "<td align=\"center\">" + std::to_string(n) + "</td>";
  return out + numbers + numbers + "</tr>";
}

std::string RamalXml(TDataLogStore& store, int slot, int channel, int b, const BranchTable& best,
                     const BranchTable& worst, int code) {
  const int bp = best[size_t(b)], wp = worst[size_t(b)];
  std::string out = "<RAMAL>\n";
  if (bp >= 0)
    out += "<VALOR_MEJOR1><![CDATA[" + CdataText(ValueText(store, slot, channel, bp, code)) + "]]></VALOR_MEJOR1>";
  if (wp >= 0)
    out += "<VALOR_PEOR1><![CDATA[" + CdataText(ValueText(store, slot, channel, wp, code)) + "]]></VALOR_PEOR1>";
  const std::string n = std::to_string(b + 1);
  return out + "<NOMBRE_MEJOR>" + n + "</NOMBRE_MEJOR><NOMBRE_PEOR>" + n + "</NOMBRE_PEOR>\n</RAMAL>";
}

namespace {

constexpr const char* kAmpSection = "DLReportESPBranchsSAT";

// The head-end input and output points; false when either is missing.
bool HeadEndPoints(const TDataLogStore& store, int slot, int& in, int& out) {
  in = FindTestPointByType(store, slot, RoleHeadEndIn, 0);
  out = FindTestPointByType(store, slot, RoleHeadEndOut, 0);
  return in >= 0 && out >= 0;
}

}  // namespace

void WriteAmplifierLevelsXml(DataLoggerCtl& ctl, int slot, std::string* xml, const BranchTable& best,
                             const BranchTable& worst) {
  if (!xml || !SlotInRange(ctl, slot)) return;
  const auto* chans = PlanChannels(ctl.store, slot);
  int in = -1, out = -1;
  if (!chans || !HeadEndPoints(ctl.store, slot, in, out)) return;
  TDataLogStore& store = ctl.store;
  *xml += "<NIVELESAMPLI>\n";
  for (int i = 0; i < int(chans->size()); ++i) {
    const TChanXR9& chan = (*chans)[size_t(i)];
    if (ClassOf(chan) != ChannelClass::Digital) continue;
    *xml += "<SENALAM>\n<FRECUENCIA>" + XmlText(store.SatChannelFreqText(slot, &chan)) + "</FRECUENCIA>";
    *xml += "<NIVEL_ENTRADA><![CDATA[" + CdataText(ValueText(store, slot, i, in, MeasPower)) + "]]></NIVEL_ENTRADA>";
    *xml += "<NIVEL_SALIDA><![CDATA[" + CdataText(ValueText(store, slot, i, out, MeasPower)) + "]]></NIVEL_SALIDA>";
    *xml += "<RAMALES>\n";
    for (int b = 0; b < kBranchCount; ++b)
      if (best[size_t(b)] >= 0 || worst[size_t(b)] >= 0)
        *xml += RamalXml(store, slot, i, b, best, worst, MeasPower) + "\n";
    *xml += "</RAMALES>\n</SENALAM>\n";
  }
  WriteObservationsXml(ctl, "OBSERVACIONES", xml);
  *xml += "</NIVELESAMPLI>\n";
}

void WriteAmplifierLevelsHtmlPage(DataLoggerCtl& ctl, int slot, std::string* html, int c, int g,
                                  const BranchTable& best, const BranchTable& worst) {
  if (!html || !SlotInRange(ctl, slot)) return;
  const std::string sec = KindSection(ctl, kAmpSection);
  auto text = [&](const std::string& key, const char* def) { return IniText(ctl, sec, key, def); };
  int in = -1, out = -1;
  if (!HeadEndPoints(ctl.store, slot, in, out)) {
    *html += "\nERROR!!\n";
    return;
  }
  const auto* chans = PlanChannels(ctl.store, slot);
  if (!chans) return;
  TDataLogStore& store = ctl.store;
  const int last = std::min(c + SatPageSize(ctl), int(chans->size()));
  if (c != 0 || g != 0) *html += text("continued", "??18");
  *html += text(KindKey(ctl, "prologue1"), "??13") + text("prologue2", "??14") + text("prologue3", "??15");
  *html += "<table " + IniText(ctl, kStyleSection, "tableAtt", "??") + ">\n";
  *html += "<tr><td rowspan=\"3\">" + text("tableHead1", "??1") + "</td><td rowspan=\"3\">" +
           text(KindKey(ctl, "tableHead5"), "??2") + "</td><td rowspan=\"3\">" +
           text(KindKey(ctl, "tableHead6"), "??3") + "</td><td colspan=\"4\">" + text("tableHead7", "??4") +
           "</td><td colspan=\"4\">" + text("tableHead8", "??5") + "</td></tr>";
  *html += BranchHeadingRows(text("tableHead9", "??6"), text("tableHead10", "??7"), g);
  for (int i = std::max(c, 0); i < last; ++i) {
    const TChanXR9& chan = (*chans)[size_t(i)];
    if (ClassOf(chan) != ChannelClass::Digital) continue;
    *html += "<tr><td><p align=\"center\">" + HtmlEscape(store.SatChannelFreqText(slot, &chan)) + "</p></td>" +
             ValueCell(ValueText(store, slot, i, in, MeasPower)) +
             ValueCell(ValueText(store, slot, i, out, MeasPower)) +
             BranchCells(store, slot, i, g, best, MeasPower) + BranchCells(store, slot, i, g, worst, MeasPower) +
             "</tr>\n";
  }
  *html += "</table>\n";
}

void WriteAmplifierLevelsSection(DataLoggerCtl& ctl, int slot, TReportFiles* files) {
  RunSatSection(ctl, slot, files,
                {kAmpSection, true, true,
                 [&](std::string* xml, const SectionBranches& br) {
                   WriteAmplifierLevelsXml(ctl, slot, xml, br.best, br.worst);
                 },
                 [](const SectionBranches& br) {
                   return BranchGroupLimit(std::max(br.nBest, br.nWorst), br.best, br.worst);
                 },
                 [&](std::string* html, int c, int g, const SectionBranches& br) {
                   WriteAmplifierLevelsHtmlPage(ctl, slot, html, c, g, br.best, br.worst);
                 }});
}

}  // namespace cv::xr9
