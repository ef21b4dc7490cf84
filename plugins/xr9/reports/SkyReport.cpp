#include "SkyReport.h"

#include <algorithm>
#include <array>

#include "CertificateFrame.h"
#include "CertificateSections.h"
#include "DataLoggerCtl.h"
#include "GenericReport.h"
#include "MeasValue.h"
#include "Messages.h"
#include "MsgIds.h"
#include "ReportText.h"
#include "SkyLimits.h"

namespace cv::xr9 {

namespace {

constexpr int kServices = 13;
constexpr int kSatPerBand = 5;
constexpr size_t kInfoLength = kSkyInfoPrinted;
constexpr const char* kEmptyCell = "<td>&nbsp;</td>";

// False, after the log line, when a slot is 200 or more; false quietly without file or sheet.
bool CanWrite(const DataLoggerCtl& ctl, int terSlot, int satSlot, const std::string* html) {
  if (!html || !ctl.skySheet) return false;
  if (terSlot >= DataLogSlots || satSlot >= DataLogSlots) {
    ctl.LogLine(Msg(msg::xr9dl::IndexOutOfBounds));
    return false;
  }
  return true;
}

std::string Sky(const DataLoggerCtl& ctl, const std::string& key, const std::string& def) {
  return IniText(ctl, kSkySection, key, def);
}

// Cell formats.
std::string L(int span, const std::string& text) {
  return "<td class=\"shadowBG2\" colspan=\"" + std::to_string(span) + "\"><p align=\"center\">" + text +
         "</p></td>";
}
std::string V(int span, const std::string& text) {
  return "<td colspan=\"" + std::to_string(span) + "\"><p align=\"center\">&nbsp;" + text + "</p></td>";
}
std::string S2(const std::string& text) { return "<td class=\"shadowBG2\" colspan=\"2\">" + text + "</td>"; }

// The codes of a column's three block rows (-1: an empty text) and the class its channel needs.
struct ColumnRule {
  ChannelClass needs;
  int codes[3];
};
ColumnRule ServiceRule(int service) {
  if (service <= 5) return {ChannelClass::Analogue, {MeasLevel, MeasCnAuto, -1}};
  if (service <= 7) return {ChannelClass::Digital, {MeasPower, MeasCnAuto, -1}};
  return {ChannelClass::Digital, {MeasPower, MeasCnAuto, MeasVber}};
}
constexpr ColumnRule kSatRule{ChannelClass::Digital, {MeasPower, MeasCnAuto, MeasVber}};

// The table's columns: the terrestrial channel of every service and the satellite channels of
// both bands.
struct SkyTable {
  DataLoggerCtl& ctl;
  int ter, sat;
  std::array<int, kServices> serviceChannel{};
  std::array<int, 2 * kSatPerBand> satChannel{};

  SkyTable(DataLoggerCtl& c, int terSlot, int satSlot) : ctl(c), ter(terSlot), sat(satSlot) {
    for (int s = 0; s < kServices; ++s) {
      uint8_t count = 0;
      serviceChannel[size_t(s)] = ter >= 0 ? ctl.skySheet->FindService(ter, s + 1, count) : -1;
    }
    satChannel.fill(-1);
    for (int band = 0; band < 2; ++band) {
      int ch = FindChannelByLnbMode(ctl.store, sat, band == 0 ? 1 : 3, 0);
      for (int i = 0; i < kSatPerBand && ch >= 0; ++i) {
        satChannel[size_t(band * kSatPerBand + i)] = ch;
        ch = FindChannelByLnbMode(ctl.store, sat, band == 0 ? 1 : 3, ch + 1);
      }
    }
  }

  const TChanXR9* Chan(int slot, int channel) const {
    if (slot < 0 || channel < 0) return nullptr;
    const TDataLogFile& f = ctl.store.File(slot);
    if (!f.plan || !f.plan->Channels || channel >= int(f.plan->Channels->size())) return nullptr;
    return &(*f.plan->Channels)[size_t(channel)];
  }

  // A value cell, marked when its measurement fails its window.
  std::string ValueCell(int slot, int channel, int testPoint, int code) const {
    std::string text;
    bool marked = false;
    TDataLogFile& f = ctl.store.File(slot);
    if (code >= 0 && testPoint >= 0 && testPoint < f.testPointCount && channel < int(f.channels.size())) {
      const TDataLogCell cell = f.channels[size_t(channel)].Cell(testPoint);
      const int at = MeasValueTextOfCode(cell, code, text);
      marked = at >= 0 && cell.meas[at].mark != 0;
    }
    return std::string("<td") + (marked ? " class=\"shadowEmphas\"" : "") + ">&nbsp;" + HtmlEscape(text) + "</td>";
  }

  // The cell of a column for one code, when its channel is of the class the column needs.
  std::string Cell(int slot, int channel, const ColumnRule& rule, int testPoint, int code) const {
    const TChanXR9* chan = Chan(slot, channel);
    if (!chan || ClassOf(*chan) != rule.needs) return kEmptyCell;
    return ValueCell(slot, channel, testPoint, code);
  }

  // The 13 service cells and the 10 satellite cells of block row `row` (0..2).
  std::string BlockCells(int terPoint, int satPoint, int row) const {
    std::string out;
    for (int s = 0; s < kServices; ++s) {
      const ColumnRule rule = ServiceRule(s + 1);
      out += Cell(ter, serviceChannel[size_t(s)], rule, terPoint, rule.codes[row]);
    }
    for (int ch : satChannel) out += Cell(sat, ch, kSatRule, satPoint, kSatRule.codes[row]);
    return out;
  }

  std::string FreqCell(int slot, int channel) const {
    const TChanXR9* chan = Chan(slot, channel);
    return "<td class=\"freq\">" + (chan ? HtmlEscape(ctl.store.ChannelFreqText(slot, chan)) : "&nbsp;") +
           "</td>";
  }
  std::string NameCell(int slot, int channel) const {
    const TChanXR9* chan = Chan(slot, channel);
    return "<td class=\"shadowBG2\">" + (chan ? HtmlEscape(chan->name) : "&nbsp;") + "</td>";
  }

  std::string SatHeading(int mode, const std::string& iniText) const {
    const int ch = FindChannelByLnbMode(ctl.store, sat, mode, 0);
    if (ch < 0) return iniText;
    return std::to_string(ctl.store.File(sat).channels[size_t(ch)].lnbOscillator / 1000);
  }

  std::string PointName(int slot, int testPoint) const {
    if (slot < 0 || testPoint < 0) return {};
    const auto& tps = ctl.store.File(slot).testPoints;
    if (!tps || testPoint >= int(tps->size())) return {};
    return (*tps)[size_t(testPoint)].name;
  }

  std::string FlatRow(int r, const std::string& label) const {
    const SkySheetQuery& sheet = *ctl.skySheet;
    std::string out = "<tr><td class=\"shadowBG2\" colspan=\"2\">" + label + "&nbsp;";
    const int t = ter >= 0 && r >= 0 ? sheet.TestPointAtRow(ter, r) : -1;
    const int s = sat >= 0 && r >= 0 ? sheet.TestPointAtRow(sat, r) : -1;
    int numberSlot = -1, numberPoint = -1;
    if (r >= 0) {
      if (sat < 0 && t != -1) {
        numberSlot = ter, numberPoint = t;
      } else if (ter < 0 && s != -1) {
        numberSlot = sat, numberPoint = s;
      } else if (sheet.FlatNumbersSource() == 5) {
        numberSlot = sat, numberPoint = s;
      } else {
        numberSlot = ter, numberPoint = t;
      }
    }
    out += numberPoint == -1 ? std::string("&nbsp;</td>") : HtmlEscape(PointName(numberSlot, numberPoint)) + "</td>";
    for (int sv = 0; sv < kServices; ++sv) {
      const ColumnRule rule = ServiceRule(sv + 1);
      out += t == -1 ? kEmptyCell : Cell(ter, serviceChannel[size_t(sv)], rule, t, rule.codes[0]);
    }
    for (int ch : satChannel) out += s == -1 ? kEmptyCell : Cell(sat, ch, kSatRule, s, MeasPower);
    return out + "</tr>";
  }
};

// The second satellite heading's own key, or the first heading's for INI files without it.
std::string SecondSatHeadingText(const DataLoggerCtl& ctl) {
  if (ctl.ini.KeyExists(kSkySection, "tableService15")) return Sky(ctl, "tableService15", "??54");
  return Sky(ctl, "tableService14", "??54");
}

void WriteRows(SkyTable& t, std::string& out) {
  const DataLoggerCtl& ctl = t.ctl;
  auto ini = [&](const std::string& key, int n) { return Sky(ctl, key, "??" + std::to_string(n)); };
  auto info = [&](int n) { return HtmlEscape(ctl.skySheet->GetInfoText(n, kInfoLength).substr(0, kInfoLength)); };

  out += "<tr><td class=\"shadowBG1\" colspan=\"25\"><p align=\"center\"><b>" + ini("Title", 32) +
         "</b></p></td></tr>\n";
  out += "<tr>" + L(4, ini("Header1", 18)) + L(4, ini("Header2", 19)) + L(4, ini("Header3", 20)) +
         L(4, ini("Header4", 21)) + L(3, ini("Header5", 22)) + L(3, ini("Header6", 23)) + L(3, ini("Header9", 33)) +
         "</tr>";
  out += "<tr>" + V(4, info(1)) + V(4, info(2)) + V(4, info(3)) + V(4, info(4)) + V(3, info(5)) + V(3, info(6)) +
         V(3, info(7)) + "</tr>\n";
  out += "<tr>" + L(4, ini("Header7", 24)) + V(6, info(8)) + L(5, ini("Header8", 25)) + V(10, info(9)) + "</tr>\n";
  out += "<tr>\n" + L(25, ini("tableHead1", 1)) + "</tr>\n";
  out += "<tr>\n" + L(7, ini("tableHead2", 2)) + L(2, ini("tableHead3", 3)) + L(6, ini("tableHead4", 4)) +
         L(5, ini("tableHead5", 5)) + L(5, ini("tableHead6", 6)) + "</tr>\n";

  out += "<tr>" + S2(ini("tableHead7", 7));
  for (int s = 1; s <= kServices; ++s)
    out += "<td class=\"shadowBG1\">" + ini("tableService" + std::to_string(s), 39 + s) + "</td>";
  out += "<td class=\"shadowBG1\" colspan=\"5\">" + t.SatHeading(1, ini("tableService14", 53)) + "</td>";
  out += "<td class=\"shadowBG1\" colspan=\"5\">" + t.SatHeading(3, SecondSatHeadingText(ctl)) + "</td>";
  out += "</tr>\n";

  out += "<tr>" + S2(ini("tableHead8", 8));
  for (int ch : t.serviceChannel) out += t.FreqCell(t.ter, ch);
  for (int ch : t.satChannel) out += t.FreqCell(t.sat, ch);
  out += "</tr>\n";

  out += "<tr>" + S2(ini("tableHead9", 9));
  for (int s = 0; s < kServices; ++s) {
    if (s == 5) out += S2(ini("Header10", 34));
    if (s == 5 || s == 6) continue;
    out += t.NameCell(t.ter, t.serviceChannel[size_t(s)]);
  }
  for (int ch : t.satChannel) out += t.NameCell(t.sat, ch);
  out += "</tr>\n";

  const std::string rowLabels[3] = {ini("tableHead13", 13), ini("tableHead14", 14), ini("tableHead15", 15)};
  for (int type : {1, 2}) {
    const int terPoint = FindTestPointByType(ctl.store, t.ter, type, 0);
    const int satPoint = FindTestPointByType(ctl.store, t.sat, type, 0);
    const std::string label = type == 1 ? ini("tableHead11", 11) : ini("tableHead12", 12);
    for (int row = 0; row < 3; ++row) {
      if (row == 0)
        out += "\n<tr><td class=\"shadowBG2\" rowspan=\"3\">" + label + "</td>";
      else
        out += "<tr>";
      out += "<td class=\"shadowBG2\" >" + rowLabels[row] + "</td>" + t.BlockCells(terPoint, satPoint, row) +
             "</tr>\n";
    }
  }

  out += "<tr>" + L(25, ini("tableHead16", 16)) + "</tr>\n";
}

}  // namespace

SkyFlatRows SkyFlatRowList(const DataLoggerCtl& ctl, int terSlot, int satSlot) {
  SkyFlatRows rows;
  rows.fill(-1);
  if (!ctl.skySheet) return rows;
  int n = 0;
  for (int tp = FindTestPointByType(ctl.store, terSlot, 0, 0); tp >= 0 && n < kSkyFlatRows;
       tp = FindTestPointByType(ctl.store, terSlot, 0, tp + 1))
    rows[size_t(n++)] = ctl.skySheet->RowOfTestPoint(terSlot, tp);
  for (int tp = FindTestPointByType(ctl.store, satSlot, 0, 0); tp >= 0 && n < kSkyFlatRows;
       tp = FindTestPointByType(ctl.store, satSlot, 0, tp + 1)) {
    const int r = ctl.skySheet->RowOfTestPoint(satSlot, tp);
    if (r != -1 && std::find(rows.begin(), rows.begin() + n, r) == rows.begin() + n) rows[size_t(n++)] = r;
  }
  return rows;
}

void WriteSkyTable(DataLoggerCtl& ctl, int terSlot, int satSlot, const SkyFlatRows& flats, std::string* html) {
  if (!CanWrite(ctl, terSlot, satSlot, html)) return;
  int offAirTer = 0, launchTer = 0, launchSat = 0, offAirSat = 0;
  ctl.skySheet->GetOffsets(offAirTer, launchTer, launchSat, offAirSat);
  ApplySkyOffsets(ctl, 1, terSlot, launchTer, offAirTer);
  ApplySkyOffsets(ctl, 1, satSlot, launchSat, offAirSat);

  std::string& out = *html;
  out += "<table " + Sky(ctl, "tableAtt", "??") + ">\n";
  const bool valid = (terSlot < 0 || ctl.store.File(terSlot).plan) && (satSlot < 0 || ctl.store.File(satSlot).plan);
  if (valid) {
    SkyTable table(ctl, terSlot, satSlot);
    WriteRows(table, out);
    const std::string label = Sky(ctl, "tableHead17", "??17");
    for (int r : flats) out += table.FlatRow(r, label);
    auto ini = [&](const std::string& key, int n) { return Sky(ctl, key, "??" + std::to_string(n)); };
    auto info = [&](int n) { return HtmlEscape(ctl.skySheet->GetInfoText(n, kInfoLength).substr(0, kInfoLength)); };
    out += "<tr><td class=\"shadowBG2\" colspan=\"25\"><p align=\"center\"><b>" + ini("Tail1", 26) +
           "</b></p></td></tr>\n";
    out += "<tr>" + L(25, ini("Tail2", 27)) + "</tr>\n";
    out += "<tr>" + L(2, ini("Tail3", 28)) + V(3, info(10)) + L(3, ini("Tail4", 29)) + V(4, info(11)) +
           L(2, ini("Tail5", 30)) + V(4, info(12)) + L(2, ini("Tail6", 31)) + "<td colspan=\"5\">&nbsp;</td>" +
           "</tr>\n";
    out += "</table>\n";
  } else {
    out += "\nERROR!!\n";
  }

  ApplySkyOffsets(ctl, -1, terSlot, launchTer, offAirTer);
  ApplySkyOffsets(ctl, -1, satSlot, launchSat, offAirSat);
}

void WriteSkyCertificate(DataLoggerCtl& ctl, int terSlot, int satSlot, std::string* html) {
  if (!CanWrite(ctl, terSlot, satSlot, html)) return;
  std::string styles;
  const std::pair<const char*, const char*> styleKeys[] = {{"tdStyle", "Default Style"}, {"tdFreq", "40"},
                                                           {"tableStyle", "??"},        {"cellBG1", "??"},
                                                           {"cellBG2", "??"},           {"cellEmphas", "??"}};
  for (const auto& [key, def] : styleKeys) styles += Sky(ctl, key, def) + "\n";
  if (ctl.skyInformationQuestion) ctl.skyInformationQuestion();
  *html += HtmlReportHead(styles, "DataLogger");
  WriteSkyTable(ctl, terSlot, satSlot, SkyFlatRowList(ctl, terSlot, satSlot), html);
}

}  // namespace cv::xr9
