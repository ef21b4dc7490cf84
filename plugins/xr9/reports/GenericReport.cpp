#include "GenericReport.h"

#include <algorithm>

#include "CertificateFrame.h"
#include "MeasValue.h"
#include "Messages.h"
#include "MsgIds.h"
#include "ReportText.h"
#include "Xr9Attributes.h"
#include "Xr9Plan.h"

namespace cv::xr9 {
namespace {

constexpr const char* kSection = "DLCVTOOLS";
constexpr int kSignalTypeCode = 2;

std::string Ini(const GenericReportContext& ctx, const char* section, const char* key,
                const char* def) {
  return ctx.ini ? ctx.ini->ReadString(section, key, def) : std::string(def);
}

size_t ChannelCount(const TDataLogFile& f) {
  if (!f.plan || !f.plan->Channels) return 0;
  return std::min(f.plan->Channels->size(), f.channels.size());
}


bool SlotInRange(int slot, const GenericReportContext& ctx) {
  if (slot >= 0 && slot < DataLogSlots) return true;
  if (ctx.dlMemo) ctx.dlMemo(Msg(cv::msg::xr9dl::IndexOutOfBounds));
  return false;
}

std::string Cell(const std::string& text) { return "<td>" + text + "</td>"; }

bool WriteDocument(std::string& out, const TDataLogStore& store, int slot, bool selected,
                   const GenericReportContext& ctx) {
  if (!SlotInRange(slot, ctx)) return false;
  const std::string style = Ini(ctx, kSection, "tdStyle", "Default Style") + "\n" +
                            Ini(ctx, kSection, "tableStyle", "??") + "\n" +
                            Ini(ctx, kSection, "tdPoint", "??") + "\n" +
                            Ini(ctx, kSection, "pagebreaking", "??42") + "\n";
  out += HtmlReportHead(style, "DataLogger");
  const TDataLogFile& f = store.File(slot);
  const int perPage = selected ? PageSizeOr(ctx.channelsPerPageSelected, 50)
                               : PageSizeOr(ctx.channelsPerPageAll, 7);
  const int channels = static_cast<int>(ChannelCount(f));
  bool first = true;
  for (int c = 0; c == 0 || c < channels; c += perPage) {
    for (int t = 0; t == 0 || t < f.testPointCount; t += kTestPointsPerPage) {
      if (!first) out += kPageBreak;
      if (first && !selected)
        out += "## " + Msg(msg::xr9rep::GeneratedBy) + " " + ctx.date + "(" + ctx.time + ")";
      first = false;
      WriteGenericTable(out, store, slot, t, c, selected, ctx);
    }
  }
  out += "</body>\n</html>";
  return true;
}

}  // namespace

std::string HtmlReportHead(const std::string& styleLines, const std::string& title) {
  return "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01 Transitional//EN\" "
         "\"http://www.w3.org/TR/html4/loose.dtd\">\n"
         "<html>\n<head>\n"
         "<meta http-equiv=Content-Type content=\"text/html; charset=windows-1252\">\n"
         "<style type = \"text/css\">\n<!--\n" +
         styleLines + "-->\n</style>\n<title>" + title + "</title></head>\n<body>\n";
}

void WriteGenericTable(std::string& out, const TDataLogStore& store, int slot, int firstPoint,
                       int firstChannel, bool selected, const GenericReportContext& ctx) {
  const TDataLogFile& f = store.File(slot);
  if (firstPoint != 0 || firstChannel != 0) out += Msg(msg::xr9rep::Continued);
  out += "<table " + Ini(ctx, "DLReportESP", "tableAtt", "??") + ">\n";
  const std::string planName = f.plan ? f.plan->Name : std::string();
  namespace m = msg::xr9rep;
  const std::pair<int, const std::string*> heads[] = {{m::HeadIdentification, &ctx.info.identification},
                                                      {m::HeadAddress, &ctx.info.address},
                                                      {m::HeadObs, &ctx.info.observations},
                                                      {m::HeadFile, &f.name},
                                                      {m::HeadPlan, &planName}};
  for (const auto& [label, value] : heads)
    out += "<tr><td colspan=\"9\">" + HtmlEscape(Msg(label)) + HtmlEscape(*value) + "</td></tr>\n";
  out += "<tr>" + Cell(HtmlEscape(Msg(m::HeadChannel))) + Cell(HtmlEscape(Msg(m::HeadFreq))) +
         Cell(HtmlEscape(Msg(m::HeadType))) + Cell(HtmlEscape(Msg(m::HeadMeas))) + Cell(HtmlEscape(Msg(m::HeadUnits)));
  const int lastPoint = std::min(firstPoint + kTestPointsPerPage, f.testPointCount);
  for (int t = firstPoint; t < firstPoint + kTestPointsPerPage; ++t) {
    if (t < lastPoint && f.testPoints && size_t(t) < f.testPoints->size())
      out += "<td align=\"center\" class=\"point\">" + HtmlEscape((*f.testPoints)[size_t(t)].name) +
             "</td>";
    else
      out += selected ? "<td  class=\"point\">&nbsp;</td>" : "<td class=\"point\">&nbsp;</td>";
  }
  out += "</tr>\n";
  const int perPage = selected ? PageSizeOr(ctx.channelsPerPageSelected, 50)
                               : PageSizeOr(ctx.channelsPerPageAll, 7);
  const int channels = static_cast<int>(ChannelCount(f));
  const int lastChannel = std::min(firstChannel + perPage, channels);
  for (int c = firstChannel; c < lastChannel; ++c) {
    const TChanXR9& chan = (*f.plan->Channels)[size_t(c)];
    auto& ch = const_cast<TDataLogChannel&>(f.channels[size_t(c)]);
    int k0 = 0, k1 = ch.measCount;
    if (selected) {
      k0 = ctx.selectedMeas ? ctx.selectedMeas(slot, c) : 0;
      k1 = k0 + 1;
    }
    for (int k = k0; k < k1 && k < MaxMeasPerChannel; ++k) {
      const TDataLogCell firstCell = ch.Cell(0);
      const TDataLogMeas* meas = k < firstCell.count ? &firstCell.meas[k] : nullptr;
      // The row names one unit (test point 0's): every figure in it is written in that unit, or
      // a point measured in dBmV would stand as a small number beside "dBuV".
      const int rowUnits = meas ? meas->levelUnits : int{UnitsNone};
      const int code = k < ch.measCount ? ch.measCodes[k] : -1;
      out += "<tr>" + Cell(HtmlEscape(chan.name)) + Cell(store.ChannelFreqText(slot, &chan)) +
             Cell(HtmlCellText(ListAttributeText(chan.attrs1, kSignalTypeCode))) +
             Cell(HtmlCellText(code >= 0 ? MeasName(code) : std::string())) +
             Cell(HtmlCellText(meas ? MeasUnitText(meas) : std::string()));
      for (int t = firstPoint; t < firstPoint + kTestPointsPerPage; ++t) {
        std::string text;
        if (t < lastPoint) {
          const TDataLogCell cell = ch.Cell(t);
          if (k < cell.count) {
            const int own = f.testPoints && size_t(t) < f.testPoints->size()
                                ? (*f.testPoints)[size_t(t)].levelUnits : 0;
            MeasValueText(cell.meas[k], rowUnits != UnitsNone ? rowUnits : own, text);
          }
        }
        out += Cell(HtmlCellText(text));
      }
      out += "</tr>\n";
    }
  }
  out += "</table>\n";
}

bool WriteGenericReportAll(std::string& out, const TDataLogStore& store, int slot,
                           const GenericReportContext& ctx) {
  return WriteDocument(out, store, slot, false, ctx);
}

bool WriteGenericReportSelected(std::string& out, const TDataLogStore& store, int slot,
                                const GenericReportContext& ctx) {
  return WriteDocument(out, store, slot, true, ctx);
}

}  // namespace cv::xr9
