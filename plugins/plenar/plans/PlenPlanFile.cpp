#include "PlenPlanFile.h"

#include "AtomicFile.h"
#include "ChanPlen.h"
#include "Commandsplen.h"
#include "Cv3Equip.h"
#include "Format.h"
#include "Messages.h"
#include "MsgIds.h"
#include "PlanImport.h"
#include "PlenEquip.h"
#include "PlenPlanFamily.h"
#include "Text1252.h"

namespace cv::plenar {

namespace {

using cv::plan::Fill;
using cv::plan::TextLine;

const std::string kHashes(45, '#');
constexpr const char* kStart = "#<START COMMANDS>";
constexpr const char* kEnd = "#<END COMMANDS>";
constexpr int kCommandList = 120;

std::string Number(double value, int width, int decimals, char decimalSeparator) {
  return cv::PrintfFixed(value, width, decimals, decimalSeparator);
}

// ";0x%04hX" for each command slot up to the first without a plan offset.
std::string Commands(const char (&commands)[3][16], int slotCount, char listSeparator) {
  std::string out;
  for (int c = 0; c < slotCount; ++c) {
    const int16_t offset = kCommandsPlen.PlanOffsetOfMnemonic(commands[c]);
    if (offset == -1) break;
    out += listSeparator + std::string("0x") + cv::plan::Hex(static_cast<uint16_t>(offset), 4);
  }
  return out;
}

class Format2Reader {
 public:
  Format2Reader(const cv::plan::FieldSplitter& split, cv::plan::Report& report)
      : split(split), report(report), import(scratch, report, PlenPlanFamily()) {}

  bool Read(const cv::plan::TextFileLines& file, PlanSlot& slot);

 private:
  enum Class { None, Start, Command, End, Data };
  static Class ClassOf(const std::string& text);
  void CommandLine(const std::string& text);
  // 1 read on, 0 stop (enough channels), -1 failed.
  int DataLine(const TextLine& line, PlanSlot& slot);
  // "Bad data in line:" in a box and the log; -1.
  int Bad(const TextLine& line);
  // The mnemonic an offset of the file's command list stands for; empty for none.
  std::string Resolve(const std::string& field) {
    return import.ResolveCommand(cv::plan::ParseHex16(field.empty() ? "0xFFFF" : field).value_or(0xFFFF));
  }

  const cv::plan::FieldSplitter& split;
  cv::plan::Report& report;
  PlanSlots scratch;
  cv::plan::PlanImport import;
  int position = 0;
  bool planRead = false;
};

Format2Reader::Class Format2Reader::ClassOf(const std::string& text) {
  if (text.find("#COMMAND3") != std::string::npos) return Command;
  if (text.find(kStart) != std::string::npos) return Start;
  if (text.find(kEnd) != std::string::npos) return End;
  return Data;
}

void Format2Reader::CommandLine(const std::string& text) {
  std::vector<std::string> tokens;
  if (!SplitTokens(text, tokens) || tokens.size() < 3) return;
  const auto first = cv::plan::ParseHex16(tokens[1]);
  const auto second = cv::plan::ParseHex16(tokens[2]);
  if (!first || !second || position >= kCommandList) return;
  import.commandList[position++] = static_cast<uint16_t>(((*first & 0xFF) << 8) | (*second & 0xFF));
  if (position > import.commandWords) import.commandWords = position;
}

int Format2Reader::Bad(const TextLine& line) {
  const std::string text = Fill(cv::Msg(msg::plenar::BadDataLine), {line.text});
  cv::ShowBox(report.Ask(), text, cv::Msg(cv::msg::PlanCaptionError), cv::MsgIcon::Error);
  report.Log(text);
  return -1;
}

int Format2Reader::DataLine(const TextLine& line, PlanSlot& slot) {
  const size_t first = line.text.find_first_not_of(" \t");
  if (first == std::string::npos || line.text[first] == '#') return 1;
  std::vector<std::string> f;
  if (!split(line.text, f)) return Bad(line);
  f.resize(TEquipFamily::kMaxFields);
  if (!planRead) {
    planRead = true;
    ClearPlan(slot);
    CopyField(slot.name, cv::plan::ScriptSafeName(f[0].substr(0, 8)));
    const char band = f[1].empty() ? ' ' : f[1][0];
    if (band != 'T' && band != 'S' && band != 'D') return Bad(line);
    slot.band = band;
    size_t commandsAt = 2;
    if (band == 'S') {
      const auto lnb = cv::plan::ParseNumber(f[2]);
      if (!lnb || *lnb < 0 || *lnb > 52428.7) return Bad(line);
      slot.lnbMHz = static_cast<float>(*lnb);
      CopyField(slot.lnbText, cv::plan::Hex(static_cast<unsigned long long>(slot.lnbMHz * 10.0), 4));
      commandsAt = 3;
    }
    for (int c = 0; c < 3; ++c) CopyField(slot.commands[c], Resolve(f[commandsAt + c]));
    cv::plan::CompactCommands(slot.commands, 3, kCommandsPlen);
    slot.Channels().clear();
    return 1;
  }
  // A file of exactly the most channels is whole; a channel beyond them is dropped, and told.
  if (slot.Channels().size() >= static_cast<size_t>(kMaxChannels)) {
    cv::ShowBox(report.Ask(), cv::Msg(msg::plenar::MaxChannelsReached), cv::Msg(msg::plenar::CaptionWarning),
                cv::MsgIcon::Warning);
    return 0;
  }
  const auto mhz = cv::plan::ParseNumber(f[1]);
  if (!mhz) return Bad(line);
  const float frequency = TCv3Equip::FreqToIF(slot.lnbMHz, static_cast<float>(*mhz));
  if (!cv::ChannelInBand(slot.band, frequency, cv::kPlenarRanges)) return Bad(line);
  char commands[3][16] = {};
  int32_t bandwidth = 800;  // DAB: no file carries it
  int slotCount = 1;
  size_t commandsAt = 2;
  if (slot.band == 'T') {
    const auto bw = cv::plan::ParseNumber(f[2]);
    if (!bw || *bw < 0 || *bw > 255) return Bad(line);
    bandwidth = cv::plan::BandwidthInUnits(*bw, PlenPlanFamily().bandwidthUnitsPerMHz);
    commandsAt = 3;
  } else if (slot.band == 'S') {
    slotCount = 3;
  }
  for (int c = 0; c < slotCount; ++c) CopyField(commands[c], Resolve(f[commandsAt + c]));
  cv::plan::CompactCommands(commands, slotCount, kCommandsPlen);
  slot.Channels().push_back(TChanPlen::FromFrequency(cv::plan::ScriptSafeName(f[0].substr(0, 5)), frequency,
                                                     bandwidth, slot.band, commands[0], commands[1], commands[2]));
  return 1;
}

bool Format2Reader::Read(const cv::plan::TextFileLines& file, PlanSlot& slot) {
  import.commandWords = 0;
  Class previous = None;
  bool ignoring = false;
  for (const TextLine& line : file.lines) {
    if (line.text.empty()) continue;
    report.LogZone(cv::plan::DisplayLine(line));
    const Class c = ClassOf(line.text);
    if (c == Start || c == End) {
      ignoring = false;
      if (c == End) {
        if (position < kCommandList) import.commandList[position] = 0xFFFF;
        if (position + 1 > import.commandWords && position < kCommandList) import.commandWords = position + 1;
        position = 0;
      }
      previous = c;
      continue;
    }
    // A command line belongs after the start line, a data line after the end line: one out of
    // place is ignored with every such line after it until a start or an end line.
    const bool counts = c == Command ? previous == Start || previous == Command : previous == End || previous == Data;
    if (ignoring || !counts) {
      ignoring = true;
      continue;
    }
    previous = c;
    if (c == Command) {
      CommandLine(line.text);
      continue;
    }
    const int r = DataLine(line, slot);
    if (r < 0) return false;
    if (r == 0) break;
  }
  return planRead && !slot.Channels().empty();
}

}  // namespace

std::string Format2Content(const PlanSlot& slot, char decimalSeparator, char listSeparator) {
  const std::string L(1, listSeparator);
  std::string out;
  auto line = [&](const std::string& text) { out += text + "\n"; };
  line(kFormat2Mark);
  line(kStart);
  for (const std::string& command : ScriptWriter().CommandCodeLines()) line("#" + command);
  line(kEnd);
  line(kHashes);
  line("#File generated by CvTools");
  if (slot.band == 'S') {
    line("#Legend for SAT plans:");
    line("#Plan:Name" + L + "S" + L + "LNB Osc" + L + "Offset1" + L + "Offset2" + L + "Offset3");
    line("#Chan:Name" + L + "Freq(DownLink)" + L + "Offset1" + L + "Offset2" + L + "Offset3");
    line("#Plan example:EUT13-HH" + L + "S" + L + "10600" + L + "0x000E" + L + "0x0022");
    line("#Chan example:C01" + L + "12100" + L + "0x0024");
  } else if (IsDabBand(slot.band)) {
    line("#Legend for DAB plans:");
    line("#Plan:Name" + L + "D" + L + "Offset1" + L + "Offset2" + L + "Offset3");
    line("#Chan:Name" + L + "Freq" + L + "Offset1");
    line("#Chan example:C01" + L + "213");
  } else {
    line("#Legend for TER plans:");
    line("#Plan:Name" + L + "T" + L + "Offset1" + L + "Offset2" + L + "Offset3");
    line("#Chan:Name" + L + "Freq" + L + "BW" + L + "Offset1");
    line("#Chan example:C01" + L + "650" + L + "8" + L + "0x0032");
  }
  line(kHashes);
  const std::string name = cv::plan::ListSafeName(slot.name, listSeparator);
  const float lnb = cv::plan::FileOscillator(slot.lnbMHz);
  if (slot.band == 'S')
    line(name + L + "S" + L + Number(lnb, 7, 1, decimalSeparator) + Commands(slot.commands, 3, listSeparator));
  else
    line(name + L + slot.band + Commands(slot.commands, 3, listSeparator));
  for (const TChan3& chan : slot.Channels()) {
    const std::string head = cv::plan::ListSafeName(chan.name, listSeparator) + L;
    const double mhz = cv::plan::FileFrequency(slot.band, chan.frequency);
    if (slot.band == 'S')
      line(head + Number(TCv3Equip::IFToFreq(lnb, static_cast<float>(mhz)), 8, 2, decimalSeparator) +
           Commands(chan.commands, 3, listSeparator));
    else if (IsDabBand(slot.band))
      line(head + Number(mhz, 8, 2, decimalSeparator) + Commands(chan.commands, 1, listSeparator));
    else
      line(head + Number(mhz, 8, 2, decimalSeparator) + L +
           Number(chan.bandwidth * 0.01, 2, 2, decimalSeparator) + Commands(chan.commands, 1, listSeparator));
  }
  line("# End of plan");
  return out;
}

bool WriteFormat2File(const std::string& path, const PlanSlot& slot, char decimalSeparator, char listSeparator,
                      cv::plan::Report& report) {
  if (cv::WriteFileAtomically(path, Format2Content(slot, decimalSeparator, listSeparator)) == cv::SaveResult::Saved)
    return true;
  const std::string text = Fill(cv::Msg(msg::plenar::FileNotCreated), {path});
  report.Log(text);
  cv::ShowBox(report.Ask(), text, cv::Msg(cv::msg::PlanCaptionError), cv::MsgIcon::Error);
  return false;
}

bool ReadPlanFile(const cv::plan::TextFileLines& file, const std::string& path,
                  const cv::plan::FieldSplitter& split, PlanSlot& slot, cv::plan::Report& report) {
  const bool format2 = !file.lines.empty() && file.lines.front().text.find(kFormat2Mark) != std::string::npos;
  if (!format2 || file.binaryLine != 0) return cv::plan::ReadPlanText(file, path, split, slot, report, PlenPlanFamily());
  PlanSlot read;
  ClearPlan(read);
  Format2Reader reader(split, report);
  ClearPlan(slot);
  if (!reader.Read(file, read)) {
    report.Log(Fill(cv::Msg(msg::plenar::PlanLoadError), {path}));
    return false;
  }
  read.channelCount = static_cast<int32_t>(read.Channels().size());
  CopyField(read.countText, cv::plan::Hex(static_cast<unsigned>(read.channelCount), 2));
  read.origin = PlanSlot::FromTextFile;
  read.empty = 0;
  SortChannels(read.Channels());
  slot = std::move(read);
  report.Log(Fill(cv::Msg(msg::plenar::PlanLoadedFrom), {cv::LoggedFileName(path)}));
  return true;
}

}  // namespace cv::plenar
