#include "PlanTextFile.h"

#include <cctype>
#include <cstring>

#include "Cv3Equip.h"
#include "Format.h"
#include "Messages.h"
#include "MsgIds.h"
#include "Pll.h"
#include "Text1252.h"

namespace cv::plan {

namespace {

const std::string kHashes(45, '#');
constexpr const char* kNoCommandText = "0xFFFF";  // matches no row of the command table: no command

TChan3 FromFrequencyAsTChan3(std::string_view name, float mhz, int32_t bandwidth, char band, std::string_view c1,
                             std::string_view c2, std::string_view c3) {
  return TChan3::FromFrequency(name, mhz, bandwidth, band, c1, c2, c3);
}

std::string LocalDecimal(std::string text, char decimalSeparator) {
  for (char& c : text)
    if (c == '.') c = decimalSeparator;
  return text;
}

class PlanTextReader {
 public:
  PlanTextReader(const FieldSplitter& split, Report& report, const PlanFamily& family)
      : split(split), report(report), family(family) {}

  // 1 read on, 0 stop without failure, -1 failed.
  int Line(const TextLine& line, PlanSlot& slot);
  bool Failed(const std::string& text, cv::MsgIcon icon = cv::MsgIcon::Error) {
    cv::ShowBox(report.Ask(), text, Msg(msg::PlanCaptionError), icon);
    report.Log(text);
    return false;
  }
  int BadValue(int what, const TextLine& line) {
    const PlanTextRules& rules = family.planText;
    Failed(rules.badValueMsg ? Fill(Msg(rules.badValueMsg), {DisplayLine(line)})
                             : Fill(Msg(msg::PlanBadValue), {Msg(what), DisplayLine(line)}));
    return -1;
  }

  bool planRead = false;

 private:
  const FieldSplitter& split;
  Report& report;
  const PlanFamily& family;
};

int PlanTextReader::Line(const TextLine& line, PlanSlot& slot) {
  std::vector<std::string> f;
  if (!split(line.text, f)) {
    Failed(Fill(Msg(msg::PlanBadData), {DisplayLine(line)}));
    return -1;
  }
  f.resize(TCv3Equip::kFieldCount);
  if (!planRead) {
    planRead = true;
    CopyField(slot.name, ScriptSafeName(f[0].substr(0, 8)));
    char band = static_cast<char>(std::toupper(static_cast<unsigned char>(f[1].empty() ? ' ' : f[1][0])));
    const bool third = IsThirdBand(family, band);
    const PlanTextRules& rules = family.planText;
    if (!third && band != '\0' && std::strchr(rules.refusedBands, band)) {
      Failed(Msg(msg::PlanCannotLoadD), cv::MsgIcon::Warning);
      return -1;
    }
    if (band != 'T' && band != 'S' && !third) {
      if (!rules.otherBandsTerrestrial) return BadValue(msg::PlanBadBand, line);
      band = 'T';
    }
    slot.band = band;
    slot.lnbMHz = 0;
    CopyField(slot.lnbText, "00000");
    if (band == 'S') {
      auto lnb = ParseNumber(f[2]);
      if (!lnb || *lnb < 0 || *lnb > 52428.7) return BadValue(msg::PlanBadLnb, line);
      slot.lnbMHz = static_cast<float>(*lnb);
      CopyField(slot.lnbText, Hex(static_cast<unsigned long long>(slot.lnbMHz * 10.0), 5));
    }
    for (auto& c : slot.commands) CopyField(c, kNoCommandText);
    slot.Channels().clear();
    report.LogZone(Msg(msg::PlanLogPlan) + DisplayLine(line));
    return 1;
  }
  // A plan file of exactly the family's most channels is whole: only a channel beyond them is
  // dropped, and only then is the person told.
  if (slot.Channels().size() >= static_cast<size_t>(family.maxPlanChannels)) {
    cv::ShowBox(report.Ask(), Msg(msg::PlanTruncated), Msg(msg::PlanCaptionWarning), cv::MsgIcon::Warning);
    return 0;
  }
  std::string name = ScriptSafeName(f[0].substr(0, family.planText.channelNameChars));
  auto mhz = ParseNumber(f[1]);
  if (!mhz) return BadValue(msg::PlanBadNumber, line);
  float frequency = family.freqToIF(slot.lnbMHz, static_cast<float>(*mhz));
  if (!InBand(family, slot.band, frequency)) return BadValue(msg::PlanBadFrequency, line);
  int32_t bandwidth = 0;
  if (slot.band == 'T') {
    if (family.bandwidthUnitsPerMHz == 1) {
      auto bw = ParseInteger(f[2]);
      if (!bw || *bw < 0 || *bw > 255) return BadValue(msg::PlanBadBandwidth, line);
      bandwidth = static_cast<int32_t>(*bw);
    } else {
      // MHz with decimals, kept in the family's units (1.53 MHz: 153 hundredths).
      auto bw = ParseNumber(f[2]);
      if (!bw || *bw < 0 || *bw > 255) return BadValue(msg::PlanBadBandwidth, line);
      bandwidth = BandwidthInUnits(*bw, family.bandwidthUnitsPerMHz);
    }
  } else if (slot.band != 'S') {
    bandwidth = family.thirdBandBandwidth;
  }
  const auto build = family.channelFromMHz ? family.channelFromMHz : &FromFrequencyAsTChan3;
  slot.Channels().push_back(build(name, frequency, bandwidth, slot.band, kNoCommandText, kNoCommandText, kNoCommandText));
  report.LogZone(Msg(msg::PlanLogChannel) + DisplayLine(line));
  return 1;
}

}  // namespace

float FileOscillator(float lnbMHz) {
  const auto shown = ParseNumber(cv::PrintfFixed(lnbMHz, 0, 1, '.'));
  return shown ? static_cast<float>(*shown) : lnbMHz;
}

std::string PlanTextFileContent(const PlanSlot& slot, char decimalSeparator, char listSeparator,
                                const PlanFamily& family) {
  const std::string L(1, listSeparator);
  std::string out;
  auto line = [&](const std::string& text) { out += text + "\n"; };
  bool ter = slot.band == 'T';
  const float lnb = FileOscillator(slot.lnbMHz);
  line(kHashes);
  line("#File generated by CvTools");
  if (ter) {
    line("#Legend for TER plans:");
    line("#Plan:Name" + L + "Band");
    line("#Chan:Name" + L + "Freq" + L + "BW");
  } else {
    line("#Legend for SAT plans:");
    line("#Plan:Name" + L + "Band" + L + "LNB Osc");
    line("#Chan:Name" + L + "Freq(SAT)");
  }
  line(kHashes);
  const std::string planName = ListSafeName(slot.name, listSeparator);
  if (ter)
    line(LocalDecimal(planName + L + slot.band, decimalSeparator));
  else
    line(LocalDecimal(planName + L + "S" + L + cv::PrintfFixed(lnb, 7, 1), decimalSeparator));
  for (const TChan3& chan : slot.Channels()) {
    const std::string name = ListSafeName(chan.name, listSeparator);
    if (ter)
      line(LocalDecimal(name + L + cv::PrintfFixed(FileFrequency(slot.band, chan.frequency), 8, 2) + L +
                            Dec(chan.bandwidth),
                        decimalSeparator));
    else
      line(LocalDecimal(name + L + cv::PrintfFixed(
                            family.ifToFreq(lnb, static_cast<float>(FileFrequency('S', chan.frequency))), 8, 2),
                        decimalSeparator));
  }
  line("# End of plan");
  return out;
}

bool ReadPlanText(const TextFileLines& file, const std::string& path, const FieldSplitter& split,
                  PlanSlot& slot, Report& report, const PlanFamily& family) {
  PlanTextReader reader(split, report, family);
  PlanSlot scratch;
  ClearPlan(scratch);
  const std::string fileName = cv::LoggedFileName(path);
  bool failed = false;
  if (file.binaryLine != 0) {
    failed = !reader.Failed(Fill(Msg(msg::PlanNotText), {fileName, Dec(file.binaryLine)}));
  } else {
    for (const TextLine& line : file.lines) {
      if (IsCommentOrEmpty(line.text)) continue;
      int r = reader.Line(line, scratch);
      if (r < 0) failed = true;
      if (r <= 0) break;
    }
  }
  // A refused file leaves the slot as it was; one without a channel leaves it empty.
  if (failed) {
    report.Log(Msg(msg::PlanErrorLoading) + (family.planText.errorLogNamesFile ? fileName : cv::FileSystemTo1252(path)));
    return false;
  }
  if (scratch.Channels().empty()) {
    ClearPlan(slot);
    return false;
  }
  scratch.channelCount = static_cast<int32_t>(scratch.Channels().size());
  CopyField(scratch.countText, Hex(static_cast<unsigned>(scratch.channelCount), 2));
  scratch.origin = PlanSlot::FromTextFile;
  scratch.empty = 0;
  SortChannels(scratch.Channels());
  slot = std::move(scratch);
  report.Log(Msg(msg::PlanLoadedFrom) + cv::LoggedFileName(path));
  return true;
}

}  // namespace cv::plan
