#include "MonitorPoller.h"

#include <cstdio>

#include "Format.h"
#include "Messages.h"
#include "MsgIds.h"
#include "NumFormat.h"
#include "Pll.h"

namespace m = cv::msg::settings;

namespace cv::settings {

namespace {

// The hexadecimal number of `digits` characters at `at`, read up to the first other character.
unsigned HexAt(const std::string& text, size_t at, size_t digits) {
  unsigned value = 0;
  for (size_t i = at; i < at + digits && i < text.size(); ++i) {
    const int d = HexDigitValue(text[i]);
    if (d < 0) break;
    value = value * 16 + static_cast<unsigned>(d);
  }
  return value;
}

char At(const std::string& text, size_t i) { return i < text.size() ? text[i] : ' '; }

std::string Field(const std::string& text, size_t from, size_t length) {
  return from < text.size() ? text.substr(from, length) : std::string();
}

std::vector<std::string> Split(const std::string& text) {
  std::vector<std::string> out;
  size_t from = 0;
  for (size_t bar; (bar = text.find('|', from)) != std::string::npos; from = bar + 1)
    out.push_back(text.substr(from, bar - from));
  out.push_back(text.substr(from));
  return out;
}

}  // namespace

std::string LevelText(const std::string& reply) {
  if (At(reply, 3) == '!') return Msg(m::MonNoValue);
  const char qualifier = At(reply, 3) == '=' ? ' ' : At(reply, 3);
  return std::string{qualifier, At(reply, 4)} + PrintfFixed(HexAt(reply, 5, 3) * 0.1, 7, 2);
}

std::string BerText(const std::string& reply) {
  if (At(reply, 3) == '!') return Msg(m::MonNoValue);
  const char qualifier = At(reply, 3) == '=' ? ' ' : At(reply, 3);
  return std::string{qualifier} + PrintfSci(DecodeBerWord(HexAt(reply, 5, 3)), 3, 1);
}

float FrequencyOf(char band, unsigned word) {
  return band == 'T' ? static_cast<float>(word * 0.05 - 38.9) : static_cast<float>(word * 0.125 - 479.5);
}

std::string MeasureName(char type, char& units) {
  static constexpr char kUnits[] = {'0', '3', '0', '3', '5', '5', '5', '3'};
  if (type < '0' || type > '7') {
    units = '5';
    return Msg(m::MonUnknown);
  }
  units = kUnits[type - '0'];
  return Split(Msg(m::MonMeasNames))[static_cast<size_t>(type - '0')];
}

std::string UnitsName(char units) {
  switch (units) {
    case '0': return "dBuV";
    case '1': return "dBmV";
    case '2': return "dBm";
    case '3': return "dB";
    case '5': return "";
    default: return Msg(m::MonUnknown);
  }
}

std::string StdCode(int index) { return DefaultMonitorProfile().StdCode(index); }

int StdIndex(const std::string& code) { return DefaultMonitorProfile().StdIndex(code); }

std::string FrequencyText(float mhz) { return DefaultMonitorProfile().FrequencyText(mhz); }

bool FrequencyAllowed(double mhz, int modelVariant) { return DefaultMonitorProfile().FrequencyAllowed(mhz, modelVariant); }

double SteppedFrequency(double mhz, bool up) { return DefaultMonitorProfile().SteppedFrequency(mhz, up); }

int SteppedChannel(int channel, int count, bool up) {
  if (count <= 0) return -1;
  if (channel < 0 || channel >= count) return up ? 0 : count - 1;
  if (up) return channel + 1 >= count ? 0 : channel + 1;
  return channel == 0 ? count - 1 : channel - 1;
}

std::vector<std::string> DisplayLines(const MonitorMeasurement& record, bool channelMode,
                                      const MonitorProfile& profile) {
  char units = '5';
  std::vector<std::string> lines{"", MeasureName(record.measureType, units),
                                 record.value + " " + UnitsName(record.units) + "   " + profile.FrequencyText(record.mhz) +
                                     " MHz"};
  if (channelMode) lines.push_back(record.channel);
  return lines;
}

TMonitorPoller::TMonitorPoller(Link link, const MonitorProfile& profile) : link(std::move(link)), profile(&profile) {}

void TMonitorPoller::CountTxError() {
  if (!link.txErrors || !link.txWarnings) return;
  if (++*link.txErrors > 10) {
    *link.txErrors = 0;
    ++*link.txWarnings;
    link.log(Format(Msg(m::MonWarning), *link.txWarnings));
  }
}

bool TMonitorPoller::Ask(const std::string& command, size_t cut, std::string& reply) {
  if (!link.query(command, reply)) {
    CountTxError();
    return false;
  }
  if (reply.size() > cut) reply.resize(cut);
  return true;
}

void TMonitorPoller::LogBad(int id, const std::string& reply) {
  link.log(Msg(id));
  link.log(reply);
}

bool TMonitorPoller::ReceiveSystem(int& index) {
  std::string reply;
  if (!Ask("*?SY", 5, reply)) return false;
  if (reply.compare(0, 3, "*SY") != 0) return LogBad(m::MonBadSystem, reply), false;
  index = profile->StdIndex(Field(reply, 3, 2));
  return true;
}

bool TMonitorPoller::ReceiveMeasureType(char& type) {
  std::string reply;
  if (!Ask("*?ME", 4, reply)) return false;
  if (reply.compare(0, 3, "*ME") != 0) return LogBad(m::MonBadMeasType, reply), false;
  type = At(reply, 3);
  return true;
}

bool TMonitorPoller::ReceiveLevel(std::string& value) {
  std::string reply;
  if (!Ask("*?LV", 8, reply)) return false;
  if (reply.compare(0, 3, "*LV") != 0) return LogBad(m::MonBadValue, reply), false;
  value = LevelText(reply);
  return true;
}

bool TMonitorPoller::ReceiveBer(std::string& value) {
  std::string reply;
  if (!Ask("*?LV", 8, reply)) return false;
  if (reply.compare(0, 3, "*LV") != 0) return LogBad(m::MonBadValue, reply), false;
  value = BerText(reply);
  return true;
}

bool TMonitorPoller::ReceiveFrequency(float& mhz, char& band) {
  std::string reply;
  if (!Ask("*?FR", 8, reply)) return false;
  if (reply.compare(0, 3, "*FR") != 0) return LogBad(m::MonBadFrequency, reply), false;
  band = At(reply, 3);
  mhz = FrequencyOf(band, HexAt(reply, 4, 4));
  return true;
}

bool TMonitorPoller::ReceiveTuningMode() {
  std::string reply;
  if (!Ask("*?CF", 4, reply)) return false;
  if (reply.compare(0, 3, "*CF") != 0) return LogBad(m::MonBadTuningMode, reply), false;
  channelMode = At(reply, 3) != '1';
  return true;
}

bool TMonitorPoller::ReceiveChannel(std::string& channel) {
  channel.clear();
  std::string reply;
  auto fail = [&](bool answered, int txId, int missingId) {
    LogBad(answered ? missingId : txId, reply);
    channel.clear();
    return false;
  };
  bool answered = link.query("*?SC", reply);
  reply = Field(reply, 0, 5);
  if (!answered || Field(reply, 3, 2) == "!!") return fail(answered, m::MonTxActivePlan, m::MonNoActivePlan);
  const unsigned plan = HexAt(reply, 3, 2);
  char command[16];
  std::snprintf(command, sizeof command, "*?JI%02x", plan);
  answered = link.query(command, reply);
  reply = Field(reply, 0, 11);
  if (!answered || Field(reply, 3, 2) == "!!") return fail(answered, m::MonTxPlan, m::MonNoPlan);
  const std::string planName = Field(reply, 3, 8);
  answered = link.query("*?CH", reply);
  reply = Field(reply, 0, 5);
  if (!answered || Field(reply, 3, 2) == "!!") return fail(answered, m::MonTxActiveChannel, m::MonNoActiveChannel);
  const unsigned active = HexAt(reply, 3, 2);
  std::snprintf(command, sizeof command, "*?CI%02x%02x", active, plan);
  answered = link.query(command, reply);
  const std::string whole = reply;
  reply = Field(reply, 0, 7);
  if (!answered || Field(reply, 3, 2) == "!!") return fail(answered, m::MonTxChannel, m::MonNoChannel);
  channel = profile->ChannelText(whole, planName);
  return true;
}

bool TMonitorPoller::Cycle(MonitorMeasurement& record) {
  if (!ReceiveSystem(record.standard) || !ReceiveMeasureType(record.measureType)) return false;
  const bool ber = record.measureType >= '4' && record.measureType <= '6';
  if (!(ber ? ReceiveBer(record.value) : ReceiveLevel(record.value))) return false;
  MeasureName(record.measureType, record.units);
  if (!ReceiveFrequency(record.mhz, record.band)) return false;
  const bool anyway = profile->showDespiteTuningFailure;
  if (!ReceiveTuningMode() && !anyway) return false;
  return !channelMode || ReceiveChannel(record.channel) || anyway;
}

bool TMonitorPoller::SendFrequency(const std::string& text, bool* refused) {
  if (refused) *refused = false;
  if (text.empty()) {
    if (profile->emptyEditTunes) link.tune(1500.0f, 1);
    return false;
  }
  double f = 0.0;
  if (!ParseDouble(text, f) || !profile->FrequencyAllowed(f, link.modelVariant)) {
    if (refused) *refused = true;
    return false;
  }
  if (!link.tune(static_cast<float>(f), 1)) {
    link.log(Msg(msg::cv3::FrequencySendError));
    return false;
  }
  return true;
}

void TMonitorPoller::StepFrequency(const std::string& text, bool up) {
  if (text.empty()) {
    if (profile->emptyEditTunes) link.tune(1500.0f, 1);
    return;
  }
  double f = 0.0;
  if (!ParseDouble(text, f)) return;
  const double next = profile->SteppedFrequency(f, up);
  if (profile->FrequencyAllowed(next, link.modelVariant)) link.tune(static_cast<float>(next), 1);
}

void TMonitorPoller::ToChannelMode() {
  if (!channelMode) link.send("*CF");
}

void TMonitorPoller::StepChannel(bool up) {
  ToChannelMode();
  std::string reply;
  auto fail = [&](bool answered, int txId, int missingId) { LogBad(answered ? missingId : txId, reply); };
  bool answered = link.query("*?SC", reply);
  reply = Field(reply, 0, 5);
  if (!answered || Field(reply, 3, 2) == "!!") return fail(answered, m::MonStepActivePlanError, m::MonStepNoActivePlan);
  char command[16];
  std::snprintf(command, sizeof command, "*?JI%02x", HexAt(reply, 3, 2));
  answered = link.query(command, reply);
  reply = Field(reply, 0, 13);
  if (!answered || Field(reply, 3, 2) == "!!") return fail(answered, m::MonStepPlanError, m::MonNoPlan);
  const int count = static_cast<int>(HexAt(reply, 11, 2));
  answered = link.query("*?CH", reply);
  reply = Field(reply, 0, 5);
  if (!answered || Field(reply, 3, 2) == "!!") return fail(answered, m::MonStepChannelError, m::MonStepNoChannel);
  const int next = SteppedChannel(static_cast<int>(HexAt(reply, 3, 2)), count, up);
  if (next < 0) {
    link.log(Msg(m::MonNoChannels));
    return;
  }
  std::snprintf(command, sizeof command, "*CH%02x", next);
  if (!link.send(command)) {
    link.log(Msg(m::MonChannelSendError));
    link.log(command);
  }
}

void TMonitorPoller::SelectMeasure(int index) {
  const std::vector<int>& codes = profile->measureCodes;
  if (index < 0 || static_cast<size_t>(index) >= codes.size()) return;
  const std::string command = "*ME" + std::to_string(codes[static_cast<size_t>(index)]);
  if (!link.send(command)) link.log(Msg(m::MonMeasRefused) + command);
}

void TMonitorPoller::SelectStandard(int index) {
  const std::string command = "*SY" + profile->StdCode(index);
  if (!link.send(command)) link.log(Msg(m::MonStdRefused) + command);
}

}  // namespace cv::settings
