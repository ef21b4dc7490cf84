#include "PlanImport.h"

#include <cctype>

#include "CommandTable.h"
#include "Format.h"
#include "Cv3Equip.h"
#include "Messages.h"
#include "MsgIds.h"
#include "Pll.h"
#include "ScriptCore.h"
#include "ScriptEngine.h"
#include "Text1252.h"

namespace cv::plan {

namespace {

const std::string& Arg(const std::vector<std::string>& args, size_t n) {
  static const std::string none;
  return n >= 1 && n <= args.size() ? args[n - 1] : none;
}

uint16_t OffsetOrNone(const std::string& text) { return ParseHex16(text).value_or(0xFFFF); }

TChan3 FromFrequencyAsTChan3(std::string_view name, float mhz, int32_t bandwidth, char band, std::string_view c1,
                             std::string_view c2, std::string_view c3) {
  return TChan3::FromFrequency(name, mhz, bandwidth, band, c1, c2, c3);
}

}  // namespace

int ParseDialectLine(const ScriptDialect& dialect, const std::string& line, int& keyword,
                     std::vector<std::string>& args) {
  cv::script::Statement statement;
  args.clear();
  int r = dialect.Parse(line.c_str(), statement);
  if (r != 1) return r;
  keyword = statement.keywordIndex + 1;
  for (int i = 1; i < cv::script::kMaxTokens && statement.tokens[i]; ++i) args.emplace_back(statement.tokens[i]);
  return 1;
}

int ParseScriptLine(const std::string& line, int& keyword, std::vector<std::string>& args) {
  return ParseDialectLine(cv::script::Corvane3Dialect(), line, keyword, args);
}

int PlanImport::Bad(int what, const TextLine& line) {
  std::string text = Fill(Msg(msg::PlanBadValue), {Msg(what), DisplayLine(line)});
  cv::ShowBox(report.Ask(), text, Msg(msg::PlanCaptionError), cv::MsgIcon::Error);
  report.Log(text);
  return 0;
}

int PlanImport::ImportLine(int keyword, const std::vector<std::string>& args, const TextLine& line) {
  namespace x = cv::script::exec;
  // The statements are known by what they run, so a dialect may name and number them its way.
  const ScriptExecutor execute = dialect.ExecutorOf(keyword);
  if (!execute) return -1;
  if (execute == x::Org) {
    auto a = ParseHex16(Arg(args, 1));
    if (!a) return Bad(msg::PlanBadAddress, line);
    orgAddress = *a;
    return 1;
  }
  if (execute == x::Directory)
    return importState == ExpectDirectory ? ImportDirectory(args, line) : Bad(msg::PlanOutOfPlace, line);
  if (execute == x::Header3)
    return importState == ExpectHeader ? ImportHeader(args, line) : Bad(msg::PlanOutOfPlace, line);
  if (execute == x::Command3)
    return importState == ExpectCommand ? ImportCommand(args, line) : Bad(msg::PlanOutOfPlace, line);
  if (execute == x::Plan)
    return importState == ExpectPlan ? ImportPlan(args, line) : Bad(msg::PlanOutOfPlace, line);
  if (execute == x::Chan3T || execute == x::Chan3S || (execute == family.thirdBandChannel))
    return importState == ExpectChannels ? ImportChannel(execute == x::Chan3S   ? Kind::Satellite
                                                         : execute == x::Chan3T ? Kind::Terrestrial
                                                                                : Kind::ThirdBand,
                                                         args, line)
                                         : importState >= ExpectPlan && family.skipsExtraChannels
                                               ? -1
                                               : Bad(msg::PlanOutOfPlace, line);
  return -1;
}

int PlanImport::ImportDirectory(const std::vector<std::string>& args, const TextLine& line) {
  auto n = ParseInteger(Arg(args, 1));
  if (n && *n < 0) {
    cv::ShowBox(report.Ask(), Msg(msg::PlanBadDirectory), Msg(msg::PlanCaptionError), cv::MsgIcon::Error);
    return 0;
  }
  if (n && *n > family.planSlots) {
    const int tooMany = family.tooManyPlansMsg ? family.tooManyPlansMsg : msg::PlanTooManyPlans;
    report.Log(Msg(tooMany));
    cv::ShowBox(report.Ask(), Msg(tooMany), Msg(msg::PlanCaptionError), cv::MsgIcon::Error);
    return 0;
  }
  // A directory of no plan would leave nothing to complete the import.
  if (!n || *n == 0) return Bad(msg::PlanBadPlanCount, line);
  directoryCount = headersLeft = static_cast<int>(*n);
  planSeen.fill(false);
  for (auto& h : headerCommands) h.fill(0xFFFF);
  importState = ExpectHeader;
  return 1;
}

int PlanImport::ImportHeader(const std::vector<std::string>& args, const TextLine& line) {
  int s = directoryCount - headersLeft;
  auto address = ParseHex16(Arg(args, 2));
  if (!address) return Bad(msg::PlanBadAddress, line);
  auto count = ParseInteger(Arg(args, 3));
  // A plan of no channel would never complete; more than the family's do not fit a plan.
  if (!count || *count < 1 || *count > family.maxPlanChannels) return Bad(msg::PlanBadChannelCount, line);
  auto bandCode = ParseInteger(Arg(args, 4));
  if (!bandCode) return Bad(msg::PlanBadNumber, line);
  auto lnb = ParseNumber(Arg(args, 5));
  if (!lnb || *lnb < 0 || *lnb > 52428.7) return Bad(msg::PlanBadLnb, line);
  auto code = ParseInteger(Arg(args, 6));
  if (!code || *code < 0 || *code > 255) return Bad(msg::PlanBadCode, line);
  std::array<uint16_t, 3> offsets{};
  for (int c = 0; c < 3; ++c) {
    offsets[c] = OffsetOrNone(Arg(args, 7 + c));
    if (offsets[c] != 0xFFFF && (offsets[c] % 2 != 0 || offsets[c] >= 2 * family.commandListSize))
      return Bad(msg::PlanBadOffset, line);
  }

  PlanSlot& slot = planSlots[s];
  ClearPlan(slot);
  CopyField(slot.name, ScriptSafeName(TCv3Equip::FixWidth(Arg(args, 1), 8)));
  slot.channelCount = static_cast<int32_t>(*count);
  CopyField(slot.countText, Hex(static_cast<unsigned>(*count), 2));
  slot.band = *bandCode == 5                                                      ? 'S'
              : family.thirdBandNumber != 0 && *bandCode == family.thirdBandNumber ? family.thirdBand
                                                                                   : 'T';
  slot.code = static_cast<int32_t>(*code);
  CopyField(slot.codeText, Dec(*code, 2, true));
  slot.lnbMHz = static_cast<float>(*lnb);
  CopyField(slot.lnbText, Hex(static_cast<unsigned long long>(slot.lnbMHz * 10.0), 5));
  slot.empty = 0;
  slot.origin = PlanSlot::Imported;
  slot.instrumentPlan = s;
  slot.memoryAddress = *address;
  headerCommands[s] = offsets;
  if (--headersLeft == 0) importState = ExpectCommand;
  return 1;
}

int PlanImport::ImportCommand(const std::vector<std::string>& args, const TextLine& line) {
  auto high = ParseHex16(Arg(args, 1));
  auto low = ParseHex16(Arg(args, 2));
  if (!high || !low) return Bad(msg::PlanBadCommandWord, line);
  uint16_t word = static_cast<uint16_t>(((*high & 0xFF) << 8) | (*low & 0xFF));
  if (commandCount < family.commandListSize) {
    commandList[commandCount++] = word;
    commandWords = commandCount;
  }
  if (word == 0xFFFF) {
    importState = ExpectPlan;
    commandCount = 0;
    ResolvePlanCommands();
  }
  return 1;
}

int PlanImport::ImportPlan(const std::vector<std::string>& args, const TextLine& line) {
  auto n = ParseInteger(Arg(args, 1));
  if (!n || *n < 1 || *n > directoryCount) return Bad(msg::PlanBadPlanNumber, line);
  currentPlan = static_cast<int>(*n) - 1;
  planSeen[currentPlan] = true;
  planSlots[currentPlan].Channels().clear();
  channelsRead = 0;
  importState = ExpectChannels;
  return 1;
}

int PlanImport::ImportChannel(Kind kind, const std::vector<std::string>& args, const TextLine& line) {
  PlanSlot& slot = planSlots[currentPlan];
  const bool satellite = kind == Kind::Satellite;
  auto mhz = ParseNumber(Arg(args, 3));
  if (!mhz) return Bad(msg::PlanBadNumber, line);
  char commands[3][16] = {};
  std::string name;
  float frequency = 0;
  int32_t bandwidth = 0;
  int used = satellite ? 3 : 1;
  // The command offsets follow the frequency, after CHAN3T's bandwidth.
  const size_t firstCommand = kind == Kind::Terrestrial ? 5 : 4;
  for (int c = 0; c < used; ++c) {
    uint16_t offset = OffsetOrNone(Arg(args, firstCommand + c));
    if (!OffsetUsable(offset)) return Bad(msg::PlanBadOffset, line);
    CopyField(commands[c], ResolveCommand(offset));
  }
  if (satellite) {
    name = TCv3Equip::FixWidth(Arg(args, 2), 4);
    frequency = IntermediateOf(slot.lnbMHz, static_cast<float>(*mhz), dialect.plainIntermediate);
    if (family.satelliteOutOfRangeMsg && !InBand(family, slot.band, frequency)) {
      report.Log(ScriptSafeName(name) + Msg(family.satelliteOutOfRangeMsg) + Dec(channelsRead) + ", " +
                 cv::PrintfFixed(frequency, 1, 2) + " MHz");
      report.Log(Msg(family.satelliteFallbackMsg));
      frequency = family.ranges->satellite.fallbackMHz;
    }
  } else {
    name = TCv3Equip::FixWidth(PadLeft(Arg(args, 2), 4), 4);
    frequency = static_cast<float>(*mhz);
    if (kind == Kind::ThirdBand) {
      bandwidth = family.thirdBandBandwidth;
    } else {
      auto bw = ParseNumber(Arg(args, 4));
      if (!bw || *bw < 0 || *bw > 255) return Bad(msg::PlanBadBandwidth, line);
      bandwidth = family.bandwidthUnitsPerMHz == 1 ? static_cast<int32_t>(*bw)
                                                   : BandwidthInUnits(*bw, family.bandwidthUnitsPerMHz);
    }
  }
  if (!InBand(family, slot.band, frequency)) return Bad(msg::PlanBadFrequency, line);
  CompactCommands(commands, used, *family.commands);
  const auto build = family.channelFromMHz ? family.channelFromMHz : &FromFrequencyAsTChan3;
  slot.Channels().push_back(build(ScriptSafeName(name), frequency, bandwidth, slot.band, commands[0], commands[1],
                                  commands[2]));
  if (++channelsRead == slot.channelCount) {
    SortChannels(slot.Channels());
    bool all = true;
    for (int p = 0; p < directoryCount; ++p) all = all && planSeen[p];
    importState = all ? Complete : ExpectPlan;
  }
  return 1;
}

bool PlanImport::OffsetUsable(uint16_t offset) const {
  return offset == 0xFFFF || (offset % 2 == 0 && offset / 2 < commandWords);
}

std::string PlanImport::ResolveCommand(uint16_t offset) const {
  if (offset == 0xFFFF || offset / 2 >= commandWords) return {};
  int entry = offset / 2;
  int32_t code = commandList[entry];
  int32_t parameter = 0xFFFF;
  int16_t rowOffset = family.commands->PlanOffsetOfCode(code, parameter);
  if (rowOffset == -1) return {};
  uint16_t found = static_cast<uint16_t>(rowOffset);
  if (parameter != 0xFFFF) {
    // The option bytes follow the code low byte first.
    uint16_t word = entry + 1 < commandWords ? commandList[entry + 1] : 0xFFFF;
    int32_t swapped = ((word & 0xFF) << 8) | (word >> 8);
    found = family.commands->PlanOffsetOfCodeParameter(code, swapped);
  }
  return family.commands->MnemonicOfPlanOffset(found);
}

void PlanImport::ResolvePlanCommands() {
  for (int p = 0; p < directoryCount; ++p) {
    for (int c = 0; c < 3; ++c) CopyField(planSlots[p].commands[c], ResolveCommand(headerCommands[p][c]));
    CompactCommands(planSlots[p].commands, 3, *family.commands);
  }
}

void CompactCommands(char (&commands)[3][16], int count, const TCommandTable& table) {
  int to = 0;
  for (int from = 0; from < count; ++from) {
    if (table.PlanOffsetOfMnemonic(commands[from]) == -1) continue;
    if (from != to) {
      CopyField(commands[to], commands[from]);
      commands[from][0] = '\0';
    }
    ++to;
  }
}

bool ConvertDirectory4(const std::string& line, const std::string& modelName, cv::Prompter& prompter,
                       std::string& converted) {
  size_t start = line.find_first_not_of(" \t\r\n(");
  if (start == std::string::npos) return false;
  size_t end = line.find_first_of(" \t\r\n(", start);
  std::string first = line.substr(start, end == std::string::npos ? std::string::npos : end - start);
  for (char& c : first) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  if (first != "DIRECTORY4") return false;
  if (!cv::AskBoxYesNo(prompter, Fill(Msg(msg::PlanNotForModel), {modelName}) + Msg(msg::PlanTryImport),
                         Msg(msg::PlanCaptionImport), cv::MsgIcon::Error))
    return false;
  std::string next;
  if (end != std::string::npos) {
    size_t a = line.find_first_not_of(" \t\r\n,()", end);
    if (a != std::string::npos) {
      size_t b = line.find_first_of(" \t\r\n,()", a);
      next = line.substr(a, b == std::string::npos ? std::string::npos : b - a);
    }
  }
  converted = "DIRECTORY3 (" + next + ")" + " #Imported from DIRECTORY4";
  return true;
}

bool RewriteDirectory3(const std::string& line, std::string& output) {
  static const cv::script::KeywordRow kRow[] = {{"DIRECTORY3", 2}};
  cv::script::Statement st;
  if (cv::script::ParseStatement(line.c_str(), kRow, 1, cv::script::LexRules{}, st) != 1) return false;
  output = std::string("DIRECTORY4") + " (" + st.tokens[1] + ")";
  return true;
}

bool ConvertDirectory3(const std::string& line, const std::string& modelName, cv::Prompter& prompter,
                       std::string& converted) {
  std::string rewritten;
  if (!RewriteDirectory3(line, rewritten)) return false;
  if (!cv::AskBoxYesNo(prompter, Fill(Msg(msg::PlanNotForModel), {modelName}) + Msg(msg::PlanTryImport),
                       Msg(msg::PlanCaptionImport), cv::MsgIcon::Error))
    return false;
  converted = rewritten + " #Imported from DIRECTORY3";
  return true;
}

bool ReadProPlans(const TextFileLines& file, const std::string& path, const LineParser& parse,
                  const std::string& modelName, PlanSlots& planSlots, Report& report,
                  const PlanFamily& family) {
  const std::string fileName = cv::LoggedFileName(path);
  report.Log(Msg(msg::PlanParsing) + fileName);
  if (file.binaryLine != 0) {
    std::string text = Fill(Msg(msg::PlanNotText), {fileName, Dec(file.binaryLine)});
    cv::ShowBox(report.Ask(), text, Msg(msg::PlanCaptionError), cv::MsgIcon::Error);
    report.Log(text);
    return false;
  }
  PlanImport import(planSlots, report, family);
  int last = 1;
  for (const TextLine& line : file.lines) {
    if (IsCommentOrEmpty(line.text)) continue;
    report.Repaint();
    int keyword = 0;
    std::vector<std::string> args;
    int parsed = parse(line.text, keyword, args);
    if (parsed < 0) continue;
    if (parsed == 0) {
      std::string converted;
      if (family.convertDirectory(line.text, modelName, report.Ask(), converted))
        parsed = parse(converted, keyword, args);
    }
    if (parsed == 0) {
      cv::ShowBox(report.Ask(), Fill(Msg(msg::PlanParserErrorBox), {DisplayLine(line)}),
                           Msg(msg::PlanCaptionError), cv::MsgIcon::Error);
      report.Log(Fill(Msg(msg::PlanParserErrorLog), {Dec(line.number), DisplayLine(line)}));
      last = 0;
      break;
    }
    int r = import.ImportLine(keyword, args, line);
    if (r == 1) report.LogZone(DisplayLine(line));
    if (r == 0) {
      last = 0;
      break;
    }
  }
  if (import.importState == PlanImport::Complete) {
    report.Log(Fill(Msg(msg::PlanProLoaded), {fileName}));
    return last != 0;
  }
  std::string text = Fill(Msg(msg::PlanDataFileError), {fileName});
  cv::ShowBox(report.Ask(), text, Msg(msg::PlanCaptionError), cv::MsgIcon::Error);
  report.Log(text);
  return false;
}

}  // namespace cv::plan
