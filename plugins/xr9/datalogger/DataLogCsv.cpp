#include "DataLogCsv.h"

#include <algorithm>

#include "MeasValue.h"
#include "Messages.h"
#include "MsgIds.h"
#include "Prompt.h"
#include "Xr9Attributes.h"

namespace cv::xr9 {

namespace {

namespace m = cv::msg::xr9dl;

constexpr int kSignalTypeCode = 2;

std::string Swapped(std::string text, char decimal) {
  std::replace(text.begin(), text.end(), '.', decimal);
  return text;
}

class Writer {
 public:
  Writer(std::string& out, const TDataLogStore& store, int slot, const CsvContext& ctx)
      : out_(out), store_(store), slot_(slot), ctx_(ctx) {}

  void Cell(const std::string& text) {
    out_ += CsvCell(text, ctx_.listSeparator);
    out_ += ctx_.listSeparator;
  }
  void EndLine() { out_ += '\n'; }

  void Head(int leadingEmpty, bool selected) {
    const TDataLogFile& f = store_.File(slot_);
    out_ += "## " + Msg(msg::xr9rep::GeneratedBy) + " " + ctx_.date + "\n";
    out_ += Msg(msg::xr9rep::CsvUsedFile) + f.name + "\n\n";
    // The "#" cell is the first of the leading cells, so each units heading stands above its
    // test point's column.
    Cell(std::string(45, '#'));
    for (int i = 1; i < leadingEmpty; ++i) Cell("");
    for (int t = 0; t < f.testPointCount; ++t) Cell(store_.LevelUnitsText(slot_, t));
    EndLine();
    Cell(Msg(msg::xr9rep::CsvConfiguration));
    Cell(Msg(msg::xr9rep::CsvChannel));
    if (selected) Cell(Msg(msg::xr9rep::CsvFreq));
    Cell(Msg(msg::xr9rep::CsvMeas));
    for (int t = 0; t < f.testPointCount; ++t) {
      const std::string name = f.testPoints && size_t(t) < f.testPoints->size() ? (*f.testPoints)[size_t(t)].name : "";
      Cell(name.substr(0, TestPointNameMax));
    }
    EndLine();
  }
  void End() { out_ += "## " + Msg(msg::xr9rep::CsvEnd) + "\n"; }

  // Measurement k of the channel at every test point; empty cells where it has none.
  void Values(int channel, int k) {
    const TDataLogFile& f = store_.File(slot_);
    auto& ch = const_cast<TDataLogChannel&>(f.channels[size_t(channel)]);
    for (int t = 0; t < f.testPointCount; ++t) {
      const TDataLogCell cell = ch.Cell(t);
      std::string text;
      if (k >= 0 && k < cell.count && k < ch.measCount) {
        const int units = f.testPoints && size_t(t) < f.testPoints->size() ? (*f.testPoints)[size_t(t)].levelUnits : 0;
        MeasValueText(cell.meas[k], units, text);
        text = Swapped(text, ctx_.decimalSeparator);
      }
      Cell(text);
    }
  }

  std::string FreqText(const TChanXR9& chan) const {
    return Swapped(store_.ChannelFreqText(slot_, &chan), ctx_.decimalSeparator) + " MHz";
  }

  // The channels to write, or false after the boxes of an empty channel entry.
  bool ChannelCount(size_t& n) const {
    const TDataLogFile& f = store_.File(slot_);
    const TPlanXR9& plan = *f.plan;
    const size_t held = plan.Channels ? plan.Channels->size() : 0;
    n = std::max<size_t>(held, plan.ChannelCount);
    return true;
  }
  bool Holds(size_t i) const {
    const TDataLogFile& f = store_.File(slot_);
    return f.plan->Channels && i < f.plan->Channels->size() && i < f.channels.size();
  }
  void EmptyEntry() const {
    Prompter& p = ctx_.prompter ? *ctx_.prompter : PrompterInForce();
    ShowBox(p, Msg(m::EmptyChannelList), Msg(m::ErrorCaption), MsgIcon::Error);
    ShowBox(p, Msg(m::CouldntGenerateCsv), Msg(m::ErrorCaption), MsgIcon::Error);
  }

  std::string& out_;
  const TDataLogStore& store_;
  int slot_;
  const CsvContext& ctx_;
};

bool SlotInRange(int slot, const CsvContext& ctx) {
  if (slot >= 0 && slot < DataLogSlots) return true;
  if (ctx.dlMemo) ctx.dlMemo(Msg(m::IndexOutOfBounds));
  return false;
}

std::string AttributeCell(const TChanXR9& chan) {
  std::string text;
  for (int code = 1; code <= 11; ++code) {
    if (code == kSignalTypeCode) continue;
    const std::string a = ListAttributeText(chan.attrs1, code);
    if (!a.empty()) text += "[" + a + "]";
  }
  return text;
}

}  // namespace

bool WriteCSVAllMeas(std::string& out, const TDataLogStore& store, int slot, const CsvContext& ctx) {
  if (!SlotInRange(slot, ctx)) return false;
  Writer w(out, store, slot, ctx);
  w.Head(3, false);
  const TDataLogFile& f = store.File(slot);
  if (f.plan) {
    size_t n = 0;
    w.ChannelCount(n);
    for (size_t i = 0; i < n; ++i) {
      if (!w.Holds(i)) {
        w.EmptyEntry();
        return false;
      }
      const TChanXR9& chan = (*f.plan->Channels)[i];
      const TDataLogChannel& ch = f.channels[i];
      const int c = int(i);
      w.Cell(ListAttributeText(chan.attrs1, kSignalTypeCode));
      w.Cell(chan.name);
      w.Cell(ch.measCount > 0 ? MeasName(ch.measCodes[0]) : "");
      w.Values(c, 0);
      w.EndLine();
      w.Cell(w.FreqText(chan));
      w.Cell("");
      w.Cell(ch.measCount > 1 ? MeasName(ch.measCodes[1]) : "");
      w.Values(c, ch.measCount > 1 ? 1 : -1);
      w.EndLine();
      if (ch.measCount > 2) {
        w.Cell(AttributeCell(chan));
        w.Cell("");
        w.Cell(MeasName(ch.measCodes[2]));
        w.Values(c, 2);
        w.EndLine();
      }
      for (int k = 3; k < ch.measCount && k < MaxMeasPerChannel; ++k) {
        w.Cell("");
        w.Cell("");
        w.Cell(MeasName(ch.measCodes[k]));
        w.Values(c, k);
        w.EndLine();
      }
    }
  }
  w.End();
  return true;
}

bool WriteCSVSelectedMeas(std::string& out, const TDataLogStore& store, int slot, const CsvContext& ctx) {
  if (!SlotInRange(slot, ctx)) return false;
  Writer w(out, store, slot, ctx);
  w.Head(4, true);
  const TDataLogFile& f = store.File(slot);
  if (f.plan) {
    size_t n = 0;
    w.ChannelCount(n);
    for (size_t i = 0; i < n; ++i) {
      if (!w.Holds(i)) {
        w.EmptyEntry();
        return false;
      }
      const TChanXR9& chan = (*f.plan->Channels)[i];
      const TDataLogChannel& ch = f.channels[i];
      const int k = ctx.selectedMeas ? ctx.selectedMeas(slot, int(i)) : 0;
      const bool has = k >= 0 && k < ch.measCount;
      w.Cell(ListAttributeText(chan.attrs1, kSignalTypeCode));
      w.Cell(chan.name);
      w.Cell(w.FreqText(chan));
      w.Cell(has ? MeasName(ch.measCodes[k]) : "");
      w.Values(int(i), has ? k : -1);
      w.EndLine();
    }
  }
  w.End();
  return true;
}

}  // namespace cv::xr9
