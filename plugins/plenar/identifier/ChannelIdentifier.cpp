#include "ChannelIdentifier.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "Format.h"
#include "Messages.h"
#include "MsgIds.h"
#include "PlenEquip.h"
#include "Pll.h"
#include "ScriptCore.h"

namespace cv::plenar {

namespace m = cv::msg::plenar::ident;

namespace {

// A reply is read by fixed positions; one too short for a position holds nothing there.
char At(const std::string& reply, size_t at) { return at < reply.size() ? reply[at] : '\0'; }

std::string Part(const std::string& reply, size_t at, size_t length) {
  return at < reply.size() ? reply.substr(at, length) : std::string();
}

bool Begins(const std::string& reply, const char* letters) { return reply.compare(0, 3, letters) == 0; }

// Positions 3 and 4 hold "!!": the meter refused the query.
bool Refused(const std::string& reply) { return At(reply, 3) == '!' && At(reply, 4) == '!'; }

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

// `count` hexadecimal digits at `at`; -1 when the reply lacks one.
int HexDigits(const std::string& reply, size_t at, int count) {
  int value = 0;
  for (int i = 0; i < count; ++i) {
    const int d = HexDigit(At(reply, at + i));
    if (d < 0) return -1;
    value = value * 16 + d;
  }
  return value;
}

const std::string& M(int id) { return cv::Msg(id); }

}  // namespace

IdentLink EquipIdentLink(TCvPlenEquip* equipment) {
  IdentLink link;
  link.send = [equipment](const std::string& command) { return equipment->SendCommand(command.c_str()); };
  link.query = [equipment](const std::string& command, std::string& reply) {
    char buffer[256] = {};
    const bool ok = equipment->Query(command.c_str(), buffer);
    reply = ok ? buffer : "";
    return ok;
  };
  link.tune = [equipment](float mhz) { return equipment->TuneFrequency(mhz, 0); };
  link.wait = [equipment](int ms) { equipment->Wait(ms); };
  return link;
}

ChannelIdentifier::ChannelIdentifier(IdentLink link, cv::Clock& clock, IdentView* view)
    : link(std::move(link)), clock(clock), view(view ? view : &noView) {
  pump = [&clock] { clock.PumpEvents(0); };
}

// ---------------------------------------------------------------------------------------------
// Plumbing

// Within a pass a meter that does not answer ends it (see NoAnswer); a reader run on its own
// takes the failure as an empty reply.
std::string ChannelIdentifier::Ask(const std::string& command) {
  std::string reply;
  if (link.query && !link.query(command, reply)) {
    if (busy) throw NoAnswer{command};
    reply.clear();
  }
  return reply;
}

void ChannelIdentifier::Send(const std::string& command) {
  if (link.send && !link.send(command) && busy) throw NoAnswer{command};
}

void ChannelIdentifier::Tune(float mhz) {
  if (link.tune && !link.tune(mhz) && busy) throw NoAnswer{cv::Format("%.2f", mhz) + M(m::MHz)};
}

void ChannelIdentifier::Restore() {
  const std::vector<std::function<void()>> steps = std::move(restore);
  restore.clear();
  for (const std::function<void()>& step : steps) step();
}

void ChannelIdentifier::Restoring(std::initializer_list<std::string> commands) {
  restore.clear();
  for (const std::string& command : commands) restore.push_back([this, command] { Send(command); });
}

void ChannelIdentifier::Note(const std::string& line) {
  lines.push_back(line);
  view->AddLine(line);
}

void ChannelIdentifier::SetProgress(int percent) {
  progress = percent;
  view->SetProgress(percent);
}

// The bar starts over once it passes its end.
void ChannelIdentifier::Step() { SetProgress(progress + 5 > 100 ? 0 : progress + 5); }

void ChannelIdentifier::Pump() {
  if (pump) pump();
}

void ChannelIdentifier::Wait(int milliseconds) {
  if (link.wait) link.wait(milliseconds);
  Pump();
}

void ChannelIdentifier::SetTimer(bool on) { timerDueMs = on ? clock.NowMs() + kLoopMs : -1; }

bool ChannelIdentifier::Poll(const std::string& command, int polls, int wait,
                             const std::function<bool(const std::string&)>& found) {
  for (int i = 0; i < polls && !aborted; ++i) {
    const std::string reply = Ask(command);
    Step();
    Pump();
    if (wait > 0) Wait(wait);
    if (found(reply)) return true;
  }
  return false;
}

// ---------------------------------------------------------------------------------------------
// Handlers

void ChannelIdentifier::Identify() {
  // The person's press reaches a running pass through its pumped waits: it neither starts a
  // second pass nor ends the first, nor undoes an Abort.
  if (busy) return;
  aborted = false;
  ResetResult();
  view->ShowResult();
  Pump();
  IdentifySignal();
}

void ChannelIdentifier::StartByTimer() {
  if (busy) return;
  ResetResult();
  IdentifySignal();
}

void ChannelIdentifier::SetLoop(bool on) {
  loop = on;
  // Without the loop no further pass is due, even one the last pass already scheduled.
  if (!on) SetTimer(false);
}

void ChannelIdentifier::Abort() {
  aborted = true;
  SetLoop(false);
  view->LoopCleared();
}

bool ChannelIdentifier::RequestClose() {
  closing = true;
  aborted = true;
  SetTimer(false);
  return depth == 0;
}

bool ChannelIdentifier::TimerTick() {
  if (timerDueMs < 0 || closing || clock.NowMs() < timerDueMs) return false;
  // A periodic timer: it fires again 5 s on unless the pass stops it.
  timerDueMs += kLoopMs;
  StartByTimer();
  return true;
}

// ---------------------------------------------------------------------------------------------
// One pass

void ChannelIdentifier::IdentifySignal() {
  ++depth;
  if (!busy) {
    view->ShowBusy(true);
    busy = true;
    SetTimer(false);
    SetProgress(0);
    Note(M(m::Started));
    Pump();
    try {
      if (ReadFrequency()) {
        view->ShowResult();
        Step();
        ReadTuningMode(result.tuningMode);
        Step();
        if (!result.tuningMode) {
          FindChannelName();
          view->ShowResult();
          Step();
        }
        Classify();
      }
    } catch (const NoAnswer& silent) {
      // Nothing after the silence is judged: every verdict would stand on replies that never came.
      Note(M(m::MeterSilent));
      Note(" -> " + silent.command);
      // What the running test changed is put back while the meter takes it.
      try {
        Restore();
      } catch (const NoAnswer&) {
      }
    }
    restore.clear();
  }
  ClosePass();
  --depth;
}

void ChannelIdentifier::ClosePass() {
  SetProgress(100);
  Pump();
  busy = false;
  view->ShowBusy(false);
  if (loop && !closing) SetTimer(true);
  view->ShowResult();
  Note(M(m::Finished));
}

void ChannelIdentifier::Classify() {
  int code = 0;
  ReadSystem(code);
  Step();
  ReadFrequency();
  Step();
  if (At(Ask("*?SP"), 3) == '1') Send("*SP0");
  Step();
  if (result.satellite) {
    // The class is set before the test, which keeps it whatever it finds.
    if ((code & 0x0F) == 6) {
      Note(M(m::AssumeDigitalSat));
      result.cls = 4;
      TestSatelliteDigital();
    } else {
      Note(M(m::AssumeAnalogSat));
      result.cls = 1;
      TestSatelliteTeletext();
    }
    return;
  }
  bool byFrequency = true;
  ReadTuningMode(byFrequency);
  Step();
  result.analogVideo = DetectAnalogVideo();
  Step();
  if (result.analogVideo) {
    result.cls = 0;
    Note(M(m::AnalogVideo));
    TestTerrestrialTeletext();
    return;
  }
  Note(M(m::NoAnalogVideo));
  if (TestRds() || TestTerrestrialDigital()) return;
  Note(M(m::AllFailed));
  SetProgress(0);
  MeasureLevels(byFrequency);
}

void ChannelIdentifier::MeasureLevels(bool byFrequency) {
  const std::string plan = Part(Ask("*?SC"), 3, 3);
  const int code = PlanSystemCode(Ask("*?JI" + plan));
  Step();
  Send("*SY" + ByteToHex(code));
  Send("*ME0");
  if (!byFrequency) Send("*CF");
  ReadFrequency();
  Step();
  const float f0 = result.frequency;
  const float d = SoundOffset(code);
  const float points[3] = {f0, f0 + d / 2, f0 + d};
  int levels[3] = {0, 0, 0};
  restore = {[this, f0] { Tune(f0); }};
  for (int p = 0; p < 3; ++p) {
    Tune(points[p]);
    for (int i = 0; i < 50 && !aborted; ++i) {
      std::string text;
      const bool valid = ReadLevel(levels[p], text);
      Pump();
      if (valid) break;
    }
    Step();
  }
  Restore();
  if (!aborted) JudgeLevels(levels[0], levels[1], levels[2], points[0], points[1], points[2]);
}

// ---------------------------------------------------------------------------------------------
// Readers

bool ChannelIdentifier::ReadSystem(int& code) {
  const std::string reply = Ask("*?SY");
  const int value = HexByte(reply, 3);
  if (!Begins(reply, "*SY") || value < 0) return false;
  code = value;
  return true;
}

bool ChannelIdentifier::ReadFrequency() {
  const std::string reply = Ask("*?FR");
  const int word = HexDigits(reply, 4, 4);
  if (!Begins(reply, "*FR") || word < 0) return false;
  const char band = reply[3];
  // 'T' is terrestrial; every other letter reads as satellite.
  result.satellite = band != 'T';
  result.frequency = static_cast<float>(cv::PllFrequency(result.satellite ? 'S' : 'T', static_cast<uint32_t>(word)));
  return true;
}

bool ChannelIdentifier::ReadTuningMode(bool& byFrequency) {
  const std::string reply = Ask("*?CF");
  if (!Begins(reply, "*CF") || reply.size() < 4) return false;
  byFrequency = reply[3] == '1';
  return true;
}

bool ChannelIdentifier::ReadLevel(int& level, std::string& text) {
  const std::string reply = Ask("*?LN");
  const int value = HexDigits(reply, 6, 3);
  if (!Begins(reply, "*LN") || At(reply, 3) != '1' || value < 0) {
    text = "- - -";
    return false;
  }
  level = value;
  text = std::string(1, reply[4] == '=' ? ' ' : reply[4]) + reply[5] + cv::Format("%7.1f", value * 0.1);
  return true;
}

bool ChannelIdentifier::FindChannelName() {
  std::string reply = Part(Ask("*?SC"), 0, 5);
  const int plan = Refused(reply) ? -1 : HexByte(reply, 3);
  if (!Begins(reply, "*SC") || plan < 0) {
    Note(M(m::NoActivePlan));
    Note(reply);
    return false;
  }
  std::string suffix;
  reply = Part(Ask(cv::Format("*?JI%02x", plan)), 0, 11);
  if (!Begins(reply, "*JI") || Refused(reply)) {
    Note(M(m::NoPlan));
  } else {
    suffix = " (" + Part(reply, 3, 8) + ") ";
  }
  reply = Part(Ask("*?CH"), 0, 5);
  const int channel = Refused(reply) ? -1 : HexByte(reply, 3);
  if (!Begins(reply, "*CH") || channel < 0) {
    Note(M(m::NoActiveChannel));
    Note(reply);
    return false;
  }
  reply = Part(Ask(cv::Format("*?CI%02x%02x", channel, plan)), 0, 7);
  if (!Begins(reply, "*CI") || Refused(reply)) {
    Note(M(m::NoChannel));
    Note(reply);
    return false;
  }
  result.channelName = Part(reply, 3, 4) + suffix;
  return true;
}

bool ChannelIdentifier::DetectAnalogVideo() {
  const std::string system = Part(Ask("*?SY"), 3, std::string::npos);
  Restoring({"*SY" + system});
  Send("*SY00");
  Send("*SO03");
  int run = 0;
  for (int i = 0; i < 4; ++i) {
    const std::string reply = Ask("*?VD");
    if (!Begins(reply, "*VD")) continue;
    run = At(reply, 3) == '1' ? run + 1 : 0;
  }
  Restore();
  return run == 4;
}

// ---------------------------------------------------------------------------------------------
// Tests

bool ChannelIdentifier::TestTeletext(bool satellite) {
  std::string system;
  if (!satellite) {
    system = Part(Ask("*?SY"), 3, std::string::npos);
    Restoring({"*TX000", "*SY" + system});
    Send("*SY00");
  } else {
    Restoring({"*TX000"});
  }
  Note(M(m::AnalyzingTeletext));
  Send("*TX064");

  SetProgress(0);
  const bool page = Poll("*?TXH", 10, 0, [&](const std::string& reply) {
    const bool found = At(reply, 4) == '1';
    if (found) Note(M(m::PageFound));
    else if (satellite) Note(M(m::PageNotFoundYet));
    result.teletextHeader = Part(reply, 5, 30);
    if (satellite || !result.teletextHeader.empty()) Note(" -> " + result.teletextHeader);
    return found;
  });
  if (!page) Note(M(m::PageNotArrived));

  SetProgress(0);
  const bool id = Poll("*?TXI", 10, 0, [&](const std::string& full) {
    const std::string reply = Part(full, 0, 9);
    if (At(reply, 4) != '1') return false;
    Note(M(m::PdcIdFound));
    result.pdcId = Part(reply, 5, 4);
    Note(" -> " + result.pdcId);
    return true;
  });
  if (!id) Note(M(m::PdcIdNotFound));

  SetProgress(0);
  const bool text = Poll("*?TXT", 10, 0, [&](const std::string& reply) {
    if (At(reply, 4) != '1') return false;
    Note(M(m::PdcTextFound));
    result.pdcDescription = Part(reply, 5, 30);
    Note(" -> " + result.pdcDescription);
    return true;
  });
  if (!text) Note(M(m::PdcTextNotFound));

  Restore();
  return page || id || text;
}

bool ChannelIdentifier::TestTerrestrialTeletext() { return TestTeletext(false); }

bool ChannelIdentifier::TestSatelliteTeletext() { return TestTeletext(true); }

bool ChannelIdentifier::TestRds() {
  const std::string system = Part(Ask("*?SY"), 3, std::string::npos);
  Restoring({"*SO03", "*SY" + system});
  Send("*SY00");
  Send("*SO01");
  Note(M(m::AnalyzingRds));
  const bool detected = Poll("*?RDS", 10, 0, [&](const std::string& full) {
    std::string reply = Part(full, 0, 6);
    for (char& c : reply) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    // A reply without both positions is no answer, not a station.
    if (reply.size() < 6 || reply.compare(4, 2, "FF") == 0) return false;
    Note(M(m::RdsDetected));
    result.cls = 5;
    return true;
  });
  if (!detected) Note(M(m::RdsNotDetected));
  if (!aborted) {
    result.rdsPi = Part(Part(Ask("*?RDI"), 0, 8), 4, 4);
    Note(M(m::RdsPi));
    Note(" -> " + result.rdsPi);
  } else {
    Note(M(m::RdsPiNotFound));
  }
  if (!aborted) {
    result.rdsPs = Part(Part(Ask("*?RDP"), 0, 12), 4, 8);
    Note(M(m::RdsPs));
    Note(" -> " + result.rdsPs);
  } else {
    Note(M(m::RdsPsNotFound));
  }
  Restore();
  return detected;
}

bool ChannelIdentifier::TestLock(const char* mode, int analyzing, const char* query, int polls, int detected,
                                 int8_t cls) {
  Send(mode);
  Note(M(analyzing));
  const bool locked = Poll(query, polls, kLockWaitMs, [](const std::string& reply) { return At(reply, 3) == '1'; });
  if (locked) {
    Note(M(detected));
    result.cls = cls;
  } else {
    Note(M(m::MpegNotDetected));
  }
  return locked;
}

bool ChannelIdentifier::TestTerrestrialDigital() {
  Send("*SY06");
  const bool locked = TestLock("*ME6", m::AnalyzingCofdm, "*?CO", 12, m::CofdmDetected, 2) ||
                      TestLock("*ME5", m::AnalyzingQam, "*?QA", 12, m::QamDetected, 3);
  if (locked) ReadMpegTexts();
  return locked;
}

bool ChannelIdentifier::TestSatelliteDigital() {
  Send("*SY06");
  const bool locked = TestLock("*ME4", m::AnalyzingQpsk, "*?QP", 10, m::QpskDetected, 4);
  if (locked) ReadMpegTexts();
  return locked;
}

void ChannelIdentifier::ReadMpegTexts() {
  const bool network = Poll("*?SLN", 60, kLockWaitMs, [&](const std::string& reply) {
    if (reply.size() < 5 || reply[4] == '!') return false;
    result.network = Part(reply, 6, 35);
    Note(M(m::NetworkFound));
    Note(" -> " + result.network);
    return true;
  });
  if (!network) Note(M(m::NetworkNotFound));
  const bool provider = Poll("*?SL00", 60, kLockWaitMs, [&](const std::string& reply) {
    if (reply.size() < 6 || reply[5] == '!') return false;
    // The text starts past a field whose length the reply gives; only what the reply holds
    // from there is taken.
    const int skip = HexDigits(reply, 9, 2);
    result.provider = skip < 0 ? std::string() : Part(reply, 13 + static_cast<size_t>(skip), 35);
    Note(M(m::ProviderFound));
    Note(" -> " + result.provider);
    return true;
  });
  if (!provider) Note(M(m::ProviderNotFound));
}

// ---------------------------------------------------------------------------------------------
// Level heuristic

void ChannelIdentifier::JudgeLevels(int l0, int l1, int l2, float f0, float f1, float f2) {
  if (l0 <= 200 && l1 <= 200 && l2 <= 200) {
    Note(M(m::LevelTooLow));
    return;
  }
  const int spread = std::max({std::abs(l0 - l1), std::abs(l0 - l2), std::abs(l1 - l2)});
  if (spread <= 120) {
    if (l0 > 250 || l1 > 250 || l2 > 250) {
      Note(M(m::SeemsDigital));
      return;
    }
  }
  Note(M(m::NotDigital));
  // Points in hundredths of MHz and tenths of the level unit; S is twice the triangle's area.
  const float x0 = 100 * f0, x1 = 100 * f1, x2 = 100 * f2;
  const float y0 = static_cast<float>(l0), y1 = static_cast<float>(l1), y2 = static_cast<float>(l2);
  const float a = std::hypot(x1 - x0, y1 - y0);
  const float b = std::hypot(x2 - x1, y2 - y1);
  const float c = std::hypot(x2 - x0, y2 - y0);
  float s = 0;
  if (a > 0 && b > 0) {
    // Rounding can put the cosine a hair outside [-1, 1], where arccos has no value.
    const float cosine = std::clamp((a * a + b * b - c * c) / (2 * a * b), -1.0f, 1.0f);
    s = a * b * std::sin(std::acos(cosine));
  }
  if (l1 < l0 && l1 < l2 && l0 > 200 && l2 > 200)
    Note(M(s < 50000 ? m::NoisyAnalog : m::SeemsAnalog));
  else
    Note(M(m::StrangeLevels));
}

// ---------------------------------------------------------------------------------------------
// Texts and codes

std::string ChannelIdentifier::ClassText(int cls) {
  static const int texts[] = {m::TerrestrialAnalog, m::SatelliteAnalog, m::TerrestrialDigital,
                              m::CableDigital,      m::SatelliteDigital, m::RdsRadio};
  return cls >= 0 && cls <= 5 ? M(texts[cls]) : M(m::UnknownSignal);
}

std::string ChannelIdentifier::NameText() const {
  switch (result.cls) {
    case 0:
    case 1: return result.teletextHeader;
    case 2:
    case 3:
    case 4: return result.network;
    case 5: return result.rdsPs;
    default: return M(m::UnknownName);
  }
}

std::string ChannelIdentifier::ProviderText() const {
  return result.cls >= 2 && result.cls <= 4 ? result.provider : std::string();
}

std::string ChannelIdentifier::FrequencyText() const {
  return (result.frequency == 0 ? M(m::UnknownFrequency) : cv::Format("%7.2f", result.frequency)) + M(m::MHz);
}

int ChannelIdentifier::HexByte(const std::string& text, size_t at) { return HexDigits(text, at, 2); }

std::string ChannelIdentifier::ByteToHex(int value) { return cv::Format("%02X", value & 0xFF); }

int ChannelIdentifier::PlanSystemCode(const std::string& reply) {
  if (reply.size() < 22 || reply[21] != ',') return 0;
  size_t start = 22;
  while (start <= reply.size()) {
    size_t end = reply.find(',', start);
    if (end == std::string::npos) end = reply.size();
    const std::string field = reply.substr(start, std::min<size_t>(end - start, 15));
    if (field.find("SY") != std::string::npos) {
      const int code = HexByte(field, 2);
      return code < 0 || (code & 0x0F) == 6 ? 0 : code;
    }
    start = end + 1;
  }
  return 0;
}

float ChannelIdentifier::SoundOffset(int code) {
  switch (code & 0x0F) {
    case 1:
    case 3: return 6.5f;
    case 2: return 6.0f;
    case 4:
    case 5: return 4.5f;
    default: return 5.5f;
  }
}

// ---------------------------------------------------------------------------------------------
// Report

std::string ChannelIdentifier::ReportText(const std::string& date, const std::string& time) const {
  std::string text = M(m::FileHeader) + "\n" + cv::script::TranscriptHeader(M(m::ReportTitle), date, time);
  for (const std::string& line : lines) text += line + "\n";
  return text;
}

cv::SaveResult ChannelIdentifier::Save(const std::string& path, const std::string& date, const std::string& time) {
  const cv::SaveResult saved = cv::WriteFileAtomically(path, ReportText(date, time));
  if (saved == cv::SaveResult::Saved) Note(M(m::Saved));
  else Note(M(saved == cv::SaveResult::NotCreated ? m::OpenError : m::WriteError));
  return saved;
}

}  // namespace cv::plenar
