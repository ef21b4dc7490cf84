// The RF signals section: per channel of the plan, the level and vision-to-sound ratio (analogue
// class) or the channel power (digital class) at the head-end input and output.
#include <algorithm>

#include "CertificateSections.h"
#include "DataLoggerCtl.h"
#include "ReportDispatch.h"
#include "ReportText.h"
#include "TerrestrialSections.h"

namespace cv::xr9 {

namespace {

constexpr const char* kRfSection = "DLReportESPInOutTER";

struct HeadEnd {
  int in = -1, out = -1;
  bool Found() const { return in >= 0 && out >= 0; }
};

HeadEnd FindHeadEnd(const TDataLogStore& store, int slot) {
  return {FindTestPointByType(store, slot, RoleHeadEndIn, 0), FindTestPointByType(store, slot, RoleHeadEndOut, 0)};
}

std::string Cell(const std::string& text) { return "<td>" + text + "</td>"; }

}  // namespace

SectionTexts ReadSectionTexts(const DataLoggerCtl& ctl, const std::string& espSection) {
  SectionTexts t;
  t.section = KindSection(ctl, espSection);
  t.prompt = IniText(ctl, t.section, KindKey(ctl, "observations"), "??13");
  t.heading = IniText(ctl, t.section, "HeadObservations", "??14");
  return t;
}

const std::vector<TChanXR9>* PlanChannelsOf(const TDataLogStore& store, int slot) {
  if (slot < 0 || slot >= DataLogSlots) return nullptr;
  const TDataLogFile& f = store.File(slot);
  return f.plan && f.plan->Channels ? &*f.plan->Channels : nullptr;
}

void WriteRfSignalsXml(DataLoggerCtl& ctl, int slot, std::string* xml) {
  if (!xml || !SlotInRange(ctl, slot)) return;
  const HeadEnd he = FindHeadEnd(ctl.store, slot);
  const auto* chans = PlanChannelsOf(ctl.store, slot);
  if (!he.Found() || !chans) return;
  const auto& dl = ctl.store.File(slot).channels;
  auto service = [&](size_t i) { return i < dl.size() ? XmlText(dl[i].serviceName) : std::string(); };
  auto cdata = [&](const char* element, int channel, int point, int code) {
    return std::string("<") + element + "><![CDATA[" + ValueText(ctl.store, slot, channel, point, code) +
           "]]></" + element + ">";
  };
  std::string& x = *xml;
  x += "<SENALESRF>\n<TELEVISION_ANALOGICA_RF>\n";
  for (size_t i = 0; i < chans->size(); ++i) {
    const TChanXR9& ch = (*chans)[i];
    if (ClassOf(ch) != ChannelClass::Analogue) continue;
    const int c = int(i);
    x += "<SENALRFA>\n<CANAL>" + XmlText(ch.name) + "</CANAL><BANDA>" + XmlText(BandName(&ch)) +
         "</BANDA><FRECUENCIA_PV_EMISOR>" + TerChannelFreqText(&ch) + "</FRECUENCIA_PV_EMISOR>";
    const std::string sound = SoundCarrierText(&ch);
    if (!sound.empty()) x += "<FRECUENCIA_PS_EMISOR>" + sound + "</FRECUENCIA_PS_EMISOR>";
    x += "\n<NOMBRE_EMISION>" + service(i) + "</NOMBRE_EMISION>" + cdata("PV_ENTRADA", c, he.in, MeasLevel) +
         cdata("PV_SALIDA", c, he.out, MeasLevel) + cdata("PV-PS_ENTRADA", c, he.in, MeasVA) +
         cdata("PV-PS_SALIDA", c, he.out, MeasVA) + "\n</SENALRFA>\n";
  }
  x += "</TELEVISION_ANALOGICA_RF>\n<TELEVISION_DIGITAL_RF>\n";
  for (size_t i = 0; i < chans->size(); ++i) {
    const TChanXR9& ch = (*chans)[i];
    if (ClassOf(ch) != ChannelClass::Digital) continue;
    const int c = int(i);
    x += "<SENALRFD>\n<CANAL>" + XmlText(ch.name) + "</CANAL><BANDA>" + XmlText(BandName(&ch)) +
         "</BANDA><FRECUENCIA_PORTADORA_EMISOR>" + TerChannelFreqText(&ch) +
         "</FRECUENCIA_PORTADORA_EMISOR><NOMBRE_EMISION>" + service(i) + "</NOMBRE_EMISION>" +
         cdata("FC_ENTRADA", c, he.in, MeasPower) + cdata("FC_SALIDA", c, he.out, MeasPower) + "</SENALRFD>\n";
  }
  x += "</TELEVISION_DIGITAL_RF>\n";
  WriteObservationsXml(ctl, "OBSERVACIONES", xml);
  x += "</SENALESRF>\n";
}

void WriteRfSignalsHtmlPage(DataLoggerCtl& ctl, int slot, std::string* html, int first) {
  if (!html || !SlotInRange(ctl, slot)) return;
  const std::string s = KindSection(ctl, kRfSection);
  auto text = [&](const std::string& key, const std::string& def) { return IniText(ctl, s, key, def); };
  const std::string tableAtt = IniText(ctl, kStyleSection, "tableAtt", "??41");
  const std::string prologues = text(KindKey(ctl, "prologue1"), "??13") + text("prologue2", "??14") +
                                text("prologue3", "??15") + text("prologue4", "??16");
  const std::string continued = text("continued", "??18");
  std::string head[13];
  for (int k = 1; k <= 12; ++k) head[k] = text("tableHead" + std::to_string(k), "??" + std::to_string(k));

  const HeadEnd he = FindHeadEnd(ctl.store, slot);
  std::string& h = *html;
  if (!he.Found()) {
    h += "\nERROR!!\n";
    return;
  }
  const auto* chans = PlanChannelsOf(ctl.store, slot);
  const int count = chans ? int(chans->size()) : 0;
  const int last = std::min(first + TerPageSize(ctl), count);
  const auto& dl = ctl.store.File(slot).channels;
  auto service = [&](int i) { return i < int(dl.size()) ? HtmlEscape(dl[size_t(i)].serviceName) : std::string(); };
  auto value = [&](int channel, int point, int code) {
    return Cell(HtmlEscape(ValueText(ctl.store, slot, channel, point, code)));
  };
  auto nameAndBand = [](const TChanXR9& ch) { return HtmlEscape(ch.name) + " <p>(" + BandName(&ch) + ")</p></td>"; };

  if (first != 0) h += continued;
  h += prologues;
  h += "<table " + tableAtt + ">\n";
  h += "<tr>";
  for (int k : {1, 4, 5, 6}) h += "<td rowspan=\"2\">" + head[k] + "</td>";
  h += "<td width=45 rowspan=\"2\">&nbsp;</td><td colspan=\"2\">" + head[7] + "</td>";
  h += "<tr>" + Cell(head[8]) + Cell(head[9]) + "</tr>";
  for (int i = first; i < last; ++i) {
    const TChanXR9& ch = (*chans)[size_t(i)];
    if (ClassOf(ch) != ChannelClass::Analogue) continue;
    h += "<tr><td rowspan=\"2\">" + head[2] + "</td><td rowspan=\"2\">" + nameAndBand(ch) +
         "<td rowspan=\"2\"><p align=\"center\">" + TerChannelFreqText(&ch) + "</p>";
    const std::string sound = SoundCarrierText(&ch);
    if (!sound.empty()) h += "<p align=\"center\">" + sound + "</p>";
    h += "</td><td rowspan=\"2\">" + service(i) + "</td>" + Cell(head[10]) + value(i, he.in, MeasLevel) +
         value(i, he.out, MeasLevel) + "</tr>\n";
    h += "<tr>" + Cell(head[11]) + value(i, he.in, MeasVA) + value(i, he.out, MeasVA) + "</tr>";
  }
  for (int i = first; i < last; ++i) {
    const TChanXR9& ch = (*chans)[size_t(i)];
    if (ClassOf(ch) != ChannelClass::Digital) continue;
    h += "<tr>" + Cell(head[3]) + "<td>" + nameAndBand(ch) + "<td><p align=\"center\">" + TerChannelFreqText(&ch) +
         "</p></td>" + Cell(service(i)) + Cell(head[12]) + value(i, he.in, MeasPower) +
         value(i, he.out, MeasPower) + "</tr>\n";
  }
  h += "</table>\n";
}

void WriteRfSignalsSection(DataLoggerCtl& ctl, int slot, TReportFiles* files) {
  if (!files || !files->hasXml || !SlotInRange(ctl, slot)) return;
  const SectionTexts texts = ReadSectionTexts(ctl, kRfSection);
  AskObservations(ctl, texts.prompt);
  WriteRfSignalsXml(ctl, slot, &files->xmlFile);
  std::string& html = files->htmlFile;
  html += CertificateHtmlHead(ctl);
  const auto* chans = PlanChannelsOf(ctl.store, slot);
  const int pageSize = TerPageSize(ctl);
  ForEachSectionPage(
      html, chans ? int(chans->size()) : 0, pageSize, 1, [&](int c, int) { WriteRfSignalsHtmlPage(ctl, slot, &html, c); },
      [&] { WriteObservationsHtml(ctl, texts.heading, &html); });
}

}  // namespace cv::xr9
