// The user signals A section: per channel of the plan and per branch, the level and
// vision-to-sound ratio (analogue class) or the channel power (digital class) at the branch's best
// and worst points, in tables of four branches.
#include <algorithm>

#include "CertificateSections.h"
#include "DataLoggerCtl.h"
#include "ReportDispatch.h"
#include "ReportText.h"
#include "TerrestrialSections.h"

namespace cv::xr9 {

namespace {

constexpr const char* kUaSection = "DLReportESPBranchsTER";

int PointAt(const BranchTable& table, int b) { return b >= 0 && b < kBranchCount ? table[size_t(b)] : -1; }

}  // namespace

BranchPoints PairedBranchPoints(const TDataLogStore& store, int slot) {
  BranchPoints p;
  CollectBranchPoints(store, slot, p.best, p.worst, p.nBest, p.nWorst);
  PairBranchPoints(store, slot, p.best, p.worst);
  return p;
}

std::string BranchCells(DataLoggerCtl& ctl, int slot, int channel, const BranchTable& table, int g, int code) {
  std::string cells;
  for (int b = g; b < g + 4; ++b) {
    const int point = PointAt(table, b);
    cells += point < 0 ? "<td></td>" : "<td>" + HtmlEscape(ValueText(ctl.store, slot, channel, point, code)) + "</td>";
  }
  return cells;
}

void WriteUserSignalsAXml(DataLoggerCtl& ctl, int slot, std::string* xml, const BranchTable& worst,
                          const BranchTable& best) {
  if (!xml || !SlotInRange(ctl, slot)) return;
  const auto* chans = PlanChannelsOf(ctl.store, slot);
  if (!chans) return;
  auto value = [&](const char* element, int channel, int point, int code) {
    return std::string("<") + element + "><![CDATA[" + ValueText(ctl.store, slot, channel, point, code) +
           "]]></" + element + ">";
  };
  // The branches of the channel; the second pair of values only for analogue-class channels.
  auto branches = [&](int c, bool analogue) {
    std::string r = "<RAMALES>\n";
    for (int b = 0; b < kBranchCount; ++b) {
      const int bp = best[size_t(b)], wp = worst[size_t(b)];
      if (bp < 0 && wp < 0) continue;
      const int first = analogue ? MeasLevel : MeasPower;
      r += "<RAMAL>\n";
      if (bp >= 0) r += value("VALOR_MEJOR1", c, bp, first);
      if (wp >= 0) r += value("VALOR_PEOR1", c, wp, first);
      if (analogue && bp >= 0) r += value("VALOR_MEJOR2", c, bp, MeasVA);
      if (analogue && wp >= 0) r += value("VALOR_PEOR2", c, wp, MeasVA);
      const std::string n = std::to_string(b + 1);
      r += "<NOMBRE_MEJOR>" + n + "</NOMBRE_MEJOR><NOMBRE_PEOR>" + n + "</NOMBRE_PEOR>\n</RAMAL>\n";
    }
    return r + "</RAMALES>\n";
  };
  std::string& x = *xml;
  x += "<SENALESUSUARIOA>\n<TELEVISION_ANALOGICA_A>\n";
  for (size_t i = 0; i < chans->size(); ++i) {
    const TChanXR9& ch = (*chans)[i];
    if (ClassOf(ch) != ChannelClass::Analogue) continue;
    x += "<SENALAA>\n<CANAL>" + XmlText(ch.name) + "</CANAL><PV>" + TerChannelFreqText(&ch) + "</PV>";
    const std::string sound = SoundCarrierText(&ch);
    if (!sound.empty()) x += "<PV-PS>" + sound + "</PV-PS>";
    x += "\n" + branches(int(i), true) + "</SENALAA>\n";
  }
  x += "</TELEVISION_ANALOGICA_A>\n<TELEVISION_DIGITAL_A>\n";
  for (size_t i = 0; i < chans->size(); ++i) {
    const TChanXR9& ch = (*chans)[i];
    if (ClassOf(ch) != ChannelClass::Digital) continue;
    x += "<SENALAD>\n<CANAL>" + XmlText(ch.name) + "</CANAL><FC>" + TerChannelFreqText(&ch) + "</FC>\n" +
         branches(int(i), false) + "</SENALAD>\n";
  }
  x += "</TELEVISION_DIGITAL_A>\n";
  WriteObservationsXml(ctl, "OBSERVACIONES", xml);
  x += "</SENALESUSUARIOA>\n";
}

void WriteUserSignalsAHtmlPage(DataLoggerCtl& ctl, int slot, std::string* html, const BranchTable& worst,
                               const BranchTable& best, int g, int c) {
  if (!html || !SlotInRange(ctl, slot)) return;
  const std::string s = KindSection(ctl, kUaSection);
  auto text = [&](const std::string& key, const std::string& def) { return IniText(ctl, s, key, def); };
  const std::string tableAtt = IniText(ctl, kStyleSection, "tableAtt", "??");
  const std::string continued = text("continued", "??18");
  std::string prologues;
  if (IsUpdKind(ctl.generatingKind)) {
    for (int k = 1; k <= 4; ++k)
      prologues += text("prologue" + std::to_string(k) + "UPD", "??" + std::to_string(12 + k));
  } else {
    for (int k = 1; k <= 6; ++k) prologues += text("prologue" + std::to_string(k), "??" + std::to_string(12 + k));
  }
  std::string head[14];
  for (int k = 1; k <= 13; ++k) head[k] = text("tableHead" + std::to_string(k), "??" + std::to_string(k));

  const auto* chans = PlanChannelsOf(ctl.store, slot);
  const int count = chans ? int(chans->size()) : 0;
  const int last = std::min(c + TerPageSize(ctl), count);
  auto nameAndBand = [](const TChanXR9& ch) { return HtmlEscape(ch.name) + " <p>(" + BandName(&ch) + ")</p></td>"; };
  auto cells = [&](int channel, int code) {
    return BranchCells(ctl, slot, channel, best, g, code) + BranchCells(ctl, slot, channel, worst, g, code);
  };

  std::string& h = *html;
  if (c != 0 || g != 0) h += continued;
  h += prologues;
  h += "<table " + tableAtt + ">\n";
  h += "<tr><td rowspan=\"3\">" + head[1] + "</td><td rowspan=\"3\">" + head[4] +
       "</td><td colspan=\"2\" rowspan=\"3\">" + head[5] + head[6] + "</td><td colspan=\"4\">" + head[7] +
       "</td><td colspan=\"4\">" + head[9] + "</td></tr>";
  h += "<tr><td align=\"center\" colspan=\"4\">" + head[8] + "</td><td align=\"center\" colspan=\"4\">" + head[10] +
       "</td></tr>";
  std::string numbers;
  for (int k = g + 1; k <= g + 4; ++k) numbers += "<td align=\"center\">" + std::to_string(k) + "</td>";
  h += "<tr>" + numbers + numbers + "</tr>";
  for (int i = c; i < last; ++i) {
    const TChanXR9& ch = (*chans)[size_t(i)];
    if (ClassOf(ch) != ChannelClass::Analogue) continue;
    h += "<tr><td rowspan=\"2\">" + head[2] + "</td><td rowspan=\"2\">" + nameAndBand(ch) + "<td>" + head[11] +
         "</td><td><p align=\"center\">" + TerChannelFreqText(&ch) + "</p>" + cells(i, MeasLevel) + "</tr>\n";
    const std::string sound = SoundCarrierText(&ch);
    h += "<tr><td>" + head[12] + "</td>" + (sound.empty() ? "<td></td>" : "<td align=\"center\">" + sound + "</td>") +
         cells(i, MeasVA) + "</tr>\n";
  }
  for (int i = c; i < last; ++i) {
    const TChanXR9& ch = (*chans)[size_t(i)];
    if (ClassOf(ch) != ChannelClass::Digital) continue;
    h += "<tr><td>" + head[3] + "</td><td>" + nameAndBand(ch) + "<td>" + head[13] + "</td><td><p align=\"center\">" +
         TerChannelFreqText(&ch) + "</p></td>" + cells(i, MeasPower) + "</tr>\n";
  }
  h += "</table>\n";
}

void WriteUserSignalsASection(DataLoggerCtl& ctl, int slot, TReportFiles* files) {
  if (!files || !files->hasXml || !SlotInRange(ctl, slot)) return;
  const SectionTexts texts = ReadSectionTexts(ctl, kUaSection);
  const BranchPoints bp = PairedBranchPoints(ctl.store, slot);
  if (!bp.Any()) return;
  AskObservations(ctl, texts.prompt);
  WriteUserSignalsAXml(ctl, slot, &files->xmlFile, bp.worst, bp.best);
  std::string& html = files->htmlFile;
  const auto* chans = PlanChannelsOf(ctl.store, slot);
  ForEachSectionPage(
      html, chans ? int(chans->size()) : 0, TerPageSize(ctl), BranchGroupLimit(std::max(bp.nBest, bp.nWorst), bp.best, bp.worst),
      [&](int c, int g) { WriteUserSignalsAHtmlPage(ctl, slot, &html, bp.worst, bp.best, g, c); },
      [&] { WriteObservationsHtml(ctl, texts.heading, &html); });
}

}  // namespace cv::xr9
