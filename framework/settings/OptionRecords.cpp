#include "OptionRecords.h"

#include <cstdio>

#include "Format.h"
#include "Messages.h"
#include "MsgIds.h"
#include "NumFormat.h"
#include "ScriptCore.h"

namespace m = cv::msg::settings;

namespace {

std::string QueryOf(const std::string& code) {
  return code.empty() ? std::string() : cv::settings::Cut("*?I20A0" + code.substr(0, 7), 14);
}

// The byte count a query asks for: its last three characters.
unsigned ByteCount(const std::string& query) {
  unsigned count = 0;
  for (size_t i = query.size() >= 3 ? query.size() - 3 : 0; i < query.size(); ++i) {
    const int d = cv::HexDigitValue(query[i]);
    if (d < 0) return 0;
    count = count * 16 + static_cast<unsigned>(d);
  }
  return count;
}

std::string JoinNames(const std::vector<std::string>& names) {
  std::string joined;
  for (const std::string& name : names) joined += (joined.empty() ? "" : ", ") + name;
  return joined;
}

unsigned HexValue(const std::string& text, size_t at, size_t digits, bool* ok) {
  unsigned value = 0;
  *ok = text.size() >= at + digits;
  for (size_t i = at; *ok && i < at + digits; ++i) {
    const int d = cv::HexDigitValue(text[i]);
    if (d < 0) *ok = false;
    value = value * 16 + static_cast<unsigned>(d < 0 ? 0 : d);
  }
  return value;
}

}  // namespace

TComana::TComana(const std::string& name, bool hasParts, const std::string& status, const std::string& description,
                 const std::string& detail, const std::string& slot)
    : name(cv::settings::Cut(name, 14)),
      hasParts(hasParts),
      statusQuery(QueryOf(status)),
      descriptionQuery(QueryOf(description)),
      detailQuery(QueryOf(detail)),
      slotQuery(QueryOf(slot)) {}

namespace cv::settings {

TOptionReader::TOptionReader(Link link, const TOptionFamily& family)
    : options(BuildOptions(family)), link(std::move(link)), family(family) {}

std::vector<TComana> TOptionReader::BuildOptions() { return BuildOptions(Corvane3OptionFamily()); }

std::vector<TComana> TOptionReader::BuildOptions(const TOptionFamily& family) {
  std::vector<TComana> records;
  records.reserve(family.records.size());
  for (const TOptionDef& d : family.records)
    records.emplace_back(d.name, d.hasParts, d.status, d.description, d.detail, d.slot);
  return records;
}

const TOptionFamily& Corvane3OptionFamily() {
  static const TOptionFamily family{{{"Model", false, "", "1010010", "", ""},
          {"Make", false, "", "1020020", "", ""},
          {"Serial", false, "", "1000008", "", ""},
          {"TER tuner", true, "106A002", "1050011", "1061009", ""},
          {"SAT tuner", true, "1086002", "106C011", "107D009", ""},
          {"SubBand", true, "10A2002", "1088011", "1099009", ""},
          {"Monitor", true, "10BE002", "10A4011", "10B5009", ""},
          {"MainBoard", true, "10DA002", "10C0011", "10D1009", ""},
          {"TXT", true, "10F6002", "10DC011", "10ED009", ""},
          {"DiSEqC", true, "1112002", "10F8011", "1109009", ""},
          {"QPSK", true, "112E002", "1114011", "1125009", ""},
          {"QAM", true, "114A002", "1130011", "1141009", ""},
          {"COFDM", true, "1166002", "114C011", "115D009", ""},
          {"DVB NET", true, "1182002", "1168011", "1179009", ""},
          {"uController", true, "119E002", "1184011", "1195009", ""},
          {"Nicam", true, "11BA002", "11A0011", "11B1009", ""}}};
  return family;
}

std::string TOptionReader::RotaryCommand(const char* prefix, const char* tail) const {
  char text[32];
  std::snprintf(text, sizeof text, "%s%04X%s", prefix, family.rotaryAddress & 0xFFFF, tail);
  return text;
}

bool TOptionReader::ReadRegister(const std::string& query, std::string& reply) {
  if (!link.query(query, reply)) return false;
  reply = Upper(Cut(reply, 3 + 2 * ByteCount(query)));
  return true;
}

void TOptionReader::AskVersion() {
  std::string reply;
  versionText.clear();
  if (!link.query("*?VE", reply)) {
    link.log(Msg(m::VersionTxError));
    return;
  }
  if (family.version == VersionForm::FixedCut) {
    reply = Cut(reply, 12);
    if (reply.compare(0, 3, "*VE") != 0) {
      link.log(Msg(m::VersionBad));
      link.log(reply);
      return;
    }
    versionText = " v" + (reply.size() > 4 ? reply.substr(4) : std::string());
    return;
  }
  reply = Upper(Cut(reply, 255));
  const size_t v = reply.size() > 4 ? reply.find('V', 4) : std::string::npos;
  if (reply.compare(0, 3, "*VE") != 0 || v == std::string::npos) {
    link.log(Msg(m::VersionBad));
    link.log(reply);
    return;
  }
  versionText = " v" + reply.substr(v + 1);
}

bool TOptionReader::AskRotary(int* ccw) {
  std::string reply;
  if (!ReadRegister(RotaryCommand("*?I20A0", "001"), reply)) {
    link.log(Msg(m::RotaryTxError));
    return true;
  }
  bool ok = false;
  const unsigned byte = HexValue(reply, 3, 2, &ok);
  if (reply.compare(0, 3, "*I2") != 0 || !ok) {
    link.log(Msg(m::RotaryBad));
    link.log(reply);
    return true;
  }
  if (ccw) *ccw = byte == 0x5A;
  return byte != 0x5A;
}

bool TOptionReader::AskOption(int index, unsigned& status) {
  const TComana& option = options[static_cast<size_t>(index)];
  if (option.statusQuery.empty()) return true;
  std::string reply;
  if (!ReadRegister(option.statusQuery, reply)) {
    link.log(Msg(m::OptionTxError) + option.name);
    unread.push_back(option.name);
    return false;
  }
  bool ok = false;
  const unsigned word = HexValue(reply, 3, 4, &ok);
  if (reply.compare(0, 3, "*I2") != 0 || !ok) {
    link.log(Msg(m::OptionBad) + option.name);
    link.log(reply);
    unread.push_back(option.name);
    return false;
  }
  status = word;
  return reply.compare(5, 2, "FF") != 0;
}

void TOptionReader::ShowOption(int index, unsigned status) {
  const TComana& option = options[static_cast<size_t>(index)];
  std::string line = "     ";
  if (status < kNoStatus) {
    char text[8];
    std::snprintf(text, sizeof text, "%04X ", status);
    line = text;
  }
  std::string reply;
  auto read = [&](const std::string& query) {
    return !query.empty() && ReadRegister(query, reply) && reply.compare(0, 3, "*I2") == 0;
  };
  if (read(option.descriptionQuery)) line += DecodeHexText(std::string_view(reply).substr(3));
  if (read(option.detailQuery)) line += " (" + DecodeHexText(std::string_view(reply).substr(3)) + ")";
  if (read(option.slotQuery)) line += Msg(msg::settings::OptInSlot) + reply.substr(3, 2);
  // A text entry after the identity lines that reads nothing (the CA text of a meter without
  // one) is no option: left out, so that a meter without options says so.
  const bool textEntry = !option.hasParts && family.identityLines > 0 && static_cast<size_t>(index) >= family.identityLines;
  if (textEntry && line.find_first_not_of(' ') == std::string::npos) return;
  if (static_cast<size_t>(index) == family.VersionLine()) line += versionText;
  // A control byte in the meter's text (a line feed above all) would split the saved report's line.
  for (char& c : line)
    if (static_cast<unsigned char>(c) < 0x20) c = ' ';
  lines.push_back(line);
}

void TOptionReader::ReadOptions() {
  lines.clear();
  unread.clear();
  for (int i = 0; i < static_cast<int>(options.size()); ++i) {
    unsigned status = kNoStatus;
    if (!options[static_cast<size_t>(i)].hasParts || AskOption(i, status)) ShowOption(i, status);
  }
  for (size_t i = 0; i < lines.size() && i < family.LabelLines(); ++i) lines[i].erase(0, lines[i].find_first_not_of(' '));
}

std::string TOptionReader::UnreadNames() const { return JoinNames(unread); }

TOptionReader::Restart TOptionReader::RestartInstrument() {
  // A meter that restarts may switch off before it acknowledges the line, so only a refusal
  // tells at once that it will not restart.
  if (!link.send("*AA") && link.refused && link.refused()) {
    link.log(Msg(m::RestartRefused));
    return Restart::Refused;
  }
  if (link.wait) link.wait(kRestartWaitMs);
  // What the meter sent while it went off and on is of no use: a fresh line, as detection takes.
  std::string reply;
  if ((link.reopen && !link.reopen()) || !link.query("*?VE", reply)) {
    link.log(Msg(m::RestartUnconfirmed));
    return Restart::Unconfirmed;
  }
  link.log(Msg(m::RotaryChanged));
  return Restart::Confirmed;
}

TOptionReader::RotaryChange TOptionReader::ChangeRotary(bool toCcw, int* ccw) {
  if (!link.send(kAccessCommand)) {
    link.log(Msg(m::ProtectedModeError));
    return RotaryChange::AccessRefused;
  }
  if (!link.send(RotaryCommand("*I20A0", toCcw ? "5A" : "00"))) {
    link.log(Msg(m::RotaryChangeError));
    return RotaryChange::WriteRefused;
  }
  // An unanswered read-back counts as clockwise: confirmed after a clockwise change only.
  int readBack = -1;
  const bool clockwise = AskRotary(&readBack);
  if (ccw) *ccw = readBack;
  if (clockwise == toCcw) return RotaryChange::Refused;
  if (readBack < 0 && !family.unreadRotaryIsClockwise) return RotaryChange::Refused;
  link.log(Msg(m::RotarySent));
  return RotaryChange::Confirmed;
}

std::string ConfigurationFileText(const std::vector<std::string>& lines, const std::string& date,
                                  const std::string& time, size_t identityLines, bool closeEmpty,
                                  const std::string& firstLine, const std::vector<std::string>& unread) {
  std::string text = (firstLine.empty() ? Msg(m::FileGenerated) : firstLine) + script::TranscriptHeader(Msg(msg::detect::ConfigurationStatus), date, time);
  if (unread.empty() && lines.empty() && closeEmpty) return text + Msg(m::NoOptions) + "\n" + Msg(m::ConfigEnd);
  if (unread.empty() && lines.empty()) return text + Msg(m::NoOptions);
  for (const std::string& line : lines) text += line + "\n";
  // A report lacking options the meter did not tell must not pass for a whole one.
  if (!unread.empty())
    text += Format(Msg(m::ReportIncomplete), JoinNames(unread)) + "\n";
  // Every meter answers its identity lines: without an option after them the report says so.
  else if (identityLines > 0 && lines.size() <= identityLines)
    text += Msg(m::NoOptions) + "\n";
  return text + Msg(m::ConfigEnd);
}

}  // namespace cv::settings
