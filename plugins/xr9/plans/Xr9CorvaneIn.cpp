// The CORVANE canalization import of the plan editor: the statement steps that fill the import
// slots, the reading and loading around them, and the conversion of the import slots into plans.
#include <algorithm>
#include <cfloat>
#include <cmath>

#include "Chan3.h"
#include "Format.h"
#include "Messages.h"
#include "MsgIds.h"
#include "Pll.h"
#include "Prompt.h"
#include "Xr9Corvane.h"
#include "Xr9Equip.h"
#include "Xr9PlanEditor.h"
#include "Xr9PlanIn.h"
#include "Text1252.h"

namespace cv::xr9 {

namespace m = cv::msg::xr9in;

namespace {

constexpr uint16_t kNoWord = 0xFFFF;

double Real(const char* token) {
  double v = 0;
  cv::script::ReadDouble(token, v);
  return v;
}

// A real number as the single-precision value a record keeps; beyond its range, its nearest end.
float Single(double v) {
  if (std::isnan(v)) return 0.0f;
  return static_cast<float>(std::clamp(v, -static_cast<double>(FLT_MAX), static_cast<double>(FLT_MAX)));
}

int Whole(const char* token) {
  int v = 0;
  cv::script::ReadInt(token, v);
  return v;
}

// A "0x" word of a statement, kNoWord when it cannot be read.
uint16_t WordOrNone(const char* token) {
  uint32_t v = 0;
  return cv::script::ReadHex0x(token, v) ? static_cast<uint16_t>(v) : kNoWord;
}

bool IsCBandOscillator(float lnbMHz) { return cv::IFToFreq(lnbMHz, 1.0f) < lnbMHz; }

// The channel name of a CHAN3T or CHAND line: its last four characters right-aligned in four.
std::string TerName(const char* token) {
  std::string text = token ? token : "";
  if (text.size() > 4) text = text.substr(text.size() - 4);
  return FixWidth(std::string(4 - text.size(), ' ') + text, 4);
}

std::string RightAligned8(const std::string& name) {
  return name.size() >= 8 ? name.substr(0, 8) : std::string(8 - name.size(), ' ') + name;
}

}  // namespace

int TPlanIn::ImportDirectory4() {
  const int n = Whole(statement.tokens[1]);
  if (n < 1) {  // no plan at all is as bad a count as a negative one
    cv::ShowBox(editor.Ask(), cv::Msg(m::BadDirectory4), cv::Msg(cv::msg::xr9fmt::ErrorCaption), cv::MsgIcon::Error);
    return 0;
  }
  if (n > ImportSlots) {
    BothLogs(cv::Msg(m::TooManyPlans));
    cv::ShowBox(editor.Ask(), cv::Msg(m::TooManyPlans), cv::Msg(cv::msg::xr9fmt::CvToolsErrorCaption),
                cv::MsgIcon::Error);
    return 0;
  }
  corvane.plans = n;
  corvane.toRead = n;
  corvane.readFlags.assign(static_cast<size_t>(n), 0);
  corvane.commandWords.assign(static_cast<size_t>(n) * 3, kNoWord);
  importState = 1;
  return 1;
}

int TPlanIn::ImportHeader3() {
  const int plan = corvane.plans - corvane.toRead;
  if (plan < 0 || plan >= corvane.plans) return 0;
  const char* const* t = statement.tokens;
  uint32_t address = 0;
  if (!cv::script::ReadHex0x(t[2], address)) return 0;
  ImportSlot& slot = editor.imports[static_cast<size_t>(plan)];
  CopyField(slot.name, FixWidth(t[1] ? t[1] : "", 8));
  slot.address = static_cast<uint16_t>(address);
  CopyField(slot.countText, t[3] ? t[3] : "");
  slot.channelCount = Whole(t[3]);
  const int band = Whole(t[4]);
  slot.band = band == 5 ? 'S' : band == 8 ? 'D' : 'T';
  slot.lnbMHz = Single(Real(t[5]));
  CopyField(slot.lnbText, cv::script::Hex(TruncU32(slot.lnbMHz * 10.0), 5));
  slot.code = Whole(t[6]);
  CopyField(slot.codeText, cv::Format("%02d", slot.code));
  for (int k = 0; k < 3; ++k) corvane.commandWords[static_cast<size_t>(plan) * 3 + k] = WordOrNone(t[7 + k]);
  slot.channels.emplace();
  slot.empty = 0;
  slot.kind = 2;
  slot.index = plan;
  if (--corvane.toRead == 0) importState = 2;
  return 1;
}

int TPlanIn::ImportCommand3() {
  uint32_t high = 0, low = 0;
  if (!cv::script::ReadHex0x(statement.tokens[1], high) || !cv::script::ReadHex0x(statement.tokens[2], low))
    return 0;
  const uint16_t word = static_cast<uint16_t>(((high & 0xFF) << 8) | (low & 0xFF));
  if (corvane.commands.size() < static_cast<size_t>(kCommandListSize))
    corvane.commands.push_back({word, static_cast<int>(corvane.commands.size()) * 2});
  if (word == kNoWord) {
    importState = 3;
    DecodePlanCommands();
  }
  return 1;
}

std::string TPlanIn::DecodeCommand(uint16_t word) const {
  const size_t entry = word / 2u;
  if (word == kNoWord || entry >= corvane.commands.size()) return {};
  const uint32_t code = corvane.commands[entry].word;
  uint32_t parameter = 0;
  uint16_t offset = PlanOffsetOfCode(code, parameter);
  if (parameter != 65535) {
    if (entry + 1 >= corvane.commands.size()) return {};
    offset = PlanOffsetOfCodeParameter(code, cv::script::Swap16(corvane.commands[entry + 1].word));
  }
  return MnemonicOfPlanOffset(offset);
}

void TPlanIn::DecodePlanCommands() {
  for (int p = 0; p < corvane.plans; ++p) {
    ImportSlot& slot = editor.imports[static_cast<size_t>(p)];
    for (int k = 0; k < 3; ++k)
      CopyField(slot.commands[k], DecodeCommand(corvane.commandWords[static_cast<size_t>(p) * 3 + k]));
    CompactPlanCommands(slot);
  }
}

void TPlanIn::DecodeChannelCommand(TChanXR9CV& channel, int slot, uint16_t word) {
  CopyField(channel.commands[slot], DecodeCommand(word));
}

int TPlanIn::ImportPlanStart() {
  const int plan = Whole(statement.tokens[1]) - 1;
  if (plan < 0 || plan >= corvane.plans) return 0;
  corvane.readFlags[static_cast<size_t>(plan)] = 1;
  ImportSlot& slot = editor.imports[static_cast<size_t>(plan)];
  slot.channels.emplace();
  corvane.plan = plan;
  corvane.channelsRead = 0;
  importState = 4;
  // A plan of no channels is complete at once: no channel line follows it.
  if (slot.channelCount <= 0) FinishPlanIfComplete();
  return 1;
}

void TPlanIn::FinishPlanIfComplete() {
  ImportSlot& slot = editor.imports[static_cast<size_t>(corvane.plan)];
  if (corvane.channelsRead < slot.channelCount) return;
  importState = 5;
  std::stable_sort(slot.channels->begin(), slot.channels->end(),
                   [](const TChanXR9CV& a, const TChanXR9CV& b) { return a.mhz < b.mhz; });
  if (std::find(corvane.readFlags.begin(), corvane.readFlags.end(), 0) != corvane.readFlags.end()) importState = 3;
}

int TPlanIn::AddChannel(TChanXR9CV channel) {
  editor.imports[static_cast<size_t>(corvane.plan)].channels->push_back(std::move(channel));
  ++corvane.channelsRead;
  FinishPlanIfComplete();
  return 1;
}

int TPlanIn::ImportTerrestrialLine(float mhz, int32_t bandwidth, const char* commandWord) {
  const ImportSlot& slot = editor.imports[static_cast<size_t>(corvane.plan)];
  TChanXR9CV channel(TerName(statement.tokens[2]), slot.band, mhz, bandwidth, "", "", "");
  DecodeChannelCommand(channel, 0, WordOrNone(commandWord));
  CompactChannelCommands(channel, 1);
  return AddChannel(std::move(channel));
}

int TPlanIn::ImportTerChannel() {
  const char* const* t = statement.tokens;
  return ImportTerrestrialLine(Single(Real(t[3])), TruncI32((Real(t[4]) + 0.005) * 100), t[5]);
}

int TPlanIn::ImportDigitalChannel() {
  return ImportTerrestrialLine(Single(Real(statement.tokens[3])), 800, statement.tokens[4]);
}

int TPlanIn::ImportSatChannel() {
  const char* const* t = statement.tokens;
  const ImportSlot& slot = editor.imports[static_cast<size_t>(corvane.plan)];
  const std::string name = FixWidth(t[2] ? t[2] : "", 4);
  float intermediate = cv::FreqToIF(slot.lnbMHz, Single(Real(t[3])));
  if (!(intermediate >= 900.0f && intermediate < 2150.0f)) {
    editor.LogZone(std::string(slot.name) + ", " + name + cv::Msg(m::OutOfRange) +
                   cv::PrintfFixed(intermediate, 0, 2) + cv::Msg(m::MhzSuffix));
    editor.LogZone(cv::Msg(m::NewFrequency));
    intermediate = 1500.0f;
  }
  TChanXR9CV channel(name, slot.band, intermediate, 0, "", "", "");
  for (int k = 0; k < 3; ++k) DecodeChannelCommand(channel, k, WordOrNone(t[4 + k]));
  CompactChannelCommands(channel, 3);
  return AddChannel(std::move(channel));
}

// ---------------------------------------------------------------------------------------------

bool TPlanIn::ImportCorvaneCanalization(const std::string& path) {
  editor.ClearModifiedMarks();
  editor.EnableTransferButtons(false);
  for (ImportSlot& s : editor.imports) ClearImportSlot(s);
  const std::string fileName = cv::LoggedFileName(path);
  const bool ok = ReadCorvaneCanalization(path);
  if (ok) {
    editor.LogZone(cv::Msg(m::LoadedFile) + fileName);
  } else {
    BothLogs(cv::Msg(m::CouldNotFinish) + fileName);
    for (ImportSlot& s : editor.imports) ClearImportSlot(s);
    editor.planIndex = -1;
    editor.channelIndex = -1;
    editor.View().RefreshAll();
  }
  editor.EnableTransferButtons(true);
  return ok;
}

void TPlanIn::ConvertImportedPlans() {
  for (int i = 0; i < ImportSlots; ++i) ConvertImportedPlan(i);
}

void TPlanIn::ConvertImportedPlan(int i) {
  const ImportSlot& in = editor.imports[static_cast<size_t>(i)];
  if (in.empty != 0 || !in.channels) return;
  TPlanXR9& plan = editor.plans[static_cast<size_t>(i)];
  std::string name;
  TXR9Equip::TrimCopy(in.name, name);
  plan.Name = name.substr(0, PlanNameMax);
  plan.Modified = 0;
  plan.ChannelCount = static_cast<uint32_t>(in.channels->size());
  plan.PlanType = in.band == 'T' ? 7 : 5;
  plan.InUse = 3;
  plan.FileType = plan.PlanType == 7 ? 1 : 4;
  plan.FilePath.clear();
  plan.Channels.emplace();
  int n = 0;
  for (TChanAttribute& a : plan.Attributes) a = TChanAttribute::Marker();
  for (const char* command : in.commands) {
    TChanAttribute a;
    if (!MnemonicToAttribute(command, in.band, a)) break;
    plan.Attributes[n++] = a;
  }
  const bool cBand = IsCBandOscillator(in.lnbMHz);
  for (const TChanXR9CV& c : in.channels.value()) {
    uint32_t value1 = TruncU32(static_cast<double>(c.mhz) * 1000);
    uint32_t value2 = 0;
    if (in.band == 'T') {
      value2 = TruncU32((static_cast<double>(c.mhz) + 0.005 * c.bandwidth - 1.25) * 1000);
    } else if (cBand) {
      // The intermediate frequency of a C-band oscillator lies below it.
      value1 = value2 = TruncU32(static_cast<double>(in.lnbMHz) * 1000 - value1);
    } else {
      value1 = value2 = TruncU32(cv::IFToFreq(in.lnbMHz * 1000.0f, static_cast<float>(value1)));
    }
    std::vector<TChanAttribute> attributes;
    for (int k = 0; k < (in.band == 'S' ? 3 : 1); ++k) {
      TChanAttribute a;
      if (!MnemonicToAttribute(c.commands[k], in.band, a)) break;
      attributes.push_back(a);
    }
    plan.Channels->emplace_back(RightAligned8(c.name), value1, value2, attributes);
  }
}

}  // namespace cv::xr9
