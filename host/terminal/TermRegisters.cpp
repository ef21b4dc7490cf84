// The host dialect's registers and conditions: READ, WRITE, SET, CALC, IF, the version
// conditions IFVER, IFVER2, IFVER3, IFVER4 and IFVER7, and the key-driven adjustment ADJ.
#include <cstdint>
#include <string>

#include "AppServices.h"
#include "ConsoleWait.h"
#include "Format.h"
#include "Messages.h"
#include "MsgIds.h"
#include "NumFormat.h"
#include "Term.h"

namespace msg = cv::msg::term;
using cv::script::IfLevels;
using cv::script::RegRef;

namespace {

bool IsSign(char c) { return c == '<' || c == '=' || c == '>'; }

template <typename T>
bool Compare(T a, char sign, T b) {
  return sign == '<' ? a < b : sign == '=' ? a == b : a > b;
}

// The leading hexadecimal digits of `text`, 0 when there are none: what the instrument's reply
// characters give even when they are no number (a test-mode reply).
uint32_t LeadingHex(const std::string& text) {
  uint32_t value = 0;
  for (char c : text) {
    const int digit = cv::HexDigitValue(c);
    if (digit < 0) break;
    value = value * 16 + static_cast<uint32_t>(digit);
  }
  return value;
}

}  // namespace

#define SKIP_WHEN_FALSE() \
  if (!ifLevels.Running()) return resultText = "FALSE", true

// Shows "\n\r" and the report on the screen and ends the result text with it and " OK" or
// " ERROR".
bool TTerm::RegisterDone(const std::string& report, bool ok) {
  Print("\n\r" + report, kTextAttr);
  Changed();
  resultText += report + (ok ? " OK" : " ERROR");
  return ok;
}

bool TTerm::DoRead() {
  SKIP_WHEN_FALSE();
  resultText.clear();
  const RegRef r = cv::script::ParseRegRef(Tok(1));
  if (!r.valid) return RegisterDone(cv::script::FailReport(r, Tok(1)), false);
  std::string reply = Tok(2);
  if (!Query(reply)) {
    resultText = "ERROR";
    return RegisterDone(cv::script::FailReport(r, Tok(1)), false);
  }
  resultText = reply;
  const size_t width = r.isByte ? 2 : 4;
  if (reply.size() < width) return RegisterDone(cv::script::FailReport(r, Tok(1)), false);
  uint32_t value = LeadingHex(reply.substr(reply.size() - width));
  if (!r.isByte && Tok(3)[0] == 'S') value = cv::script::Swap16(value);
  registers.Set(r, value);
  return RegisterDone(registers.Report(r), true);
}

bool TTerm::DoWrite() {
  SKIP_WHEN_FALSE();
  resultText.clear();
  const RegRef r = cv::script::ParseRegRef(Tok(1));
  if (!r.valid) return RegisterDone(cv::script::FailReport(r, Tok(1)), false);
  const uint32_t value = registers.Get(r);
  uint32_t sent = r.isByte ? value : (value & 0xFFFF);
  if (!r.isByte && Tok(3)[0] == 'S') sent = cv::script::Swap16(sent);
  const bool ok = SendWithAck(Tok(2) + cv::script::Hex(sent, r.isByte ? 2 : 4));
  resultText = ok ? "OK" : "ERROR";
  if (!ok) return RegisterDone(cv::script::FailReport(r, Tok(1)), false);
  std::string report = registers.Report(r);
  if (!r.isByte) report += " (0x" + cv::script::Hex(sent, 4) + ")";
  return RegisterDone(report, true);
}

bool TTerm::DoSet() {
  SKIP_WHEN_FALSE();
  resultText.clear();
  const RegRef r = cv::script::ParseRegRef(Tok(1));
  uint32_t value = 0;
  // A constant not written "0x" and hexadecimal digits has no value to store.
  if (!r.valid || !cv::script::ReadHex0x(Tok(2), value))
    return RegisterDone(cv::script::FailReport(r, Tok(1)), false);
  if (!r.isByte && Tok(3)[0] == 'S') value = cv::script::Swap16(value);
  registers.Set(r, value);
  return RegisterDone(registers.Report(r), true);
}

bool TTerm::DoCalc() {
  SKIP_WHEN_FALSE();
  resultText.clear();
  const RegRef a = cv::script::ParseRegRef(Tok(1));
  const RegRef b = cv::script::ParseRegRef(Tok(3));
  const RegRef r = cv::script::ParseRegRef(Tok(4));
  if (!a.valid || !b.valid || !r.valid) {
    const int bad = !a.valid ? 1 : !b.valid ? 3 : 4;
    return RegisterDone(cv::script::FailReport(cv::script::ParseRegRef(Tok(bad)), Tok(bad)), false);
  }
  int32_t result = 0;
  if (!cv::script::Calc(static_cast<int32_t>(registers.Get(a)), Tok(2)[0], static_cast<int32_t>(registers.Get(b)),
                        result))
    return RegisterDone(cv::script::FailReport(r, Tok(4)), false);
  registers.Set(r, static_cast<uint32_t>(result));
  return RegisterDone(registers.Report(r), true);
}

bool TTerm::DoIf() {
  switch (ifLevels.OpenBlock()) {
    case IfLevels::Open::Skipped: resultText = "FALSE"; return true;
    case IfLevels::Open::Overflow: resultText = cv::Msg(msg::LevelsFull); return false;
    case IfLevels::Open::Opened: break;
  }
  const RegRef r = cv::script::ParseRegRef(Tok(1));
  const char sign = Tok(2)[0];
  uint32_t constant = 0;
  if (!r.valid || !IsSign(sign) || !cv::script::ReadHex0x(Tok(3), constant)) {
    ifLevels.SetOutcome(false);
    resultText = "(?\?\?) ERROR";
    return false;
  }
  const uint32_t full = registers.Get(r);
  const uint32_t value = r.isByte ? full : (full & 0xFFFF);
  const bool outcome = Compare(static_cast<int32_t>(value), sign, static_cast<int32_t>(constant));
  ifLevels.SetOutcome(outcome);
  const std::string text =
      r.isByte ? cv::Format("B%d =  0x%02X %c 0x%04X? %s OK", r.index, full, sign, constant, outcome ? "TRUE" : "FALSE")
               : cv::Format("I%d = 0x%04X %c 0x%04X? %s OK", r.index, full, sign, constant, outcome ? "TRUE" : "FALSE");
  resultText = cv::script::LevelsText(text.c_str(), ifLevels);
  return true;
}

// IFVER, IFVER3 and IFVER7 find the version after the letter 'V', IFVER2 and IFVER4 after a blank.
bool TTerm::DoIfVer(char marker) {
  switch (ifLevels.OpenBlock()) {
    case IfLevels::Open::Skipped: resultText = "FALSE"; return true;
    case IfLevels::Open::Overflow: resultText = cv::Msg(msg::LevelsFull); return false;
    case IfLevels::Open::Opened: break;
  }
  lastVersion = 0;
  double wanted = 0;
  cv::script::ReadDouble(Tok(2), wanted);
  const float reference = static_cast<float>(wanted);
  std::string reply = "*?VE";
  if (!Query(reply)) {
    ifLevels.SetOutcome(false);
    resultText = "(UNKNOWN VERSION) ERROR";
    return false;
  }
  for (char& c : reply)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  Print(reply, kTextAttr);
  Changed();
  if (reply.size() > 3) {
    const size_t at = reply.find(marker, 3);
    if (at != std::string::npos) {
      double version = 0;
      cv::script::ReadDouble(reply.c_str() + at + 1, version);
      lastVersion = static_cast<float>(version);
    }
  }
  const char sign = Tok(1)[0];
  if (!IsSign(sign)) {
    ifLevels.SetOutcome(false);
    resultText = "(?\?\?) ERROR";
    return false;
  }
  const bool outcome = Compare(lastVersion, sign, reference);
  ifLevels.SetOutcome(outcome);
  const std::string text = cv::Format("ver: %4.2f %c %4.2f? %s OK", lastVersion, sign, reference,
                                      outcome ? "TRUE" : "FALSE");
  resultText = cv::script::LevelsText(text.c_str(), ifLevels);
  return true;
}

bool TTerm::DoAdj() {
  SKIP_WHEN_FALSE();
  resultText.clear();
  uint32_t lowest = 0, highest = 0;
  if (!cv::script::ReadHex0x(Tok(1), lowest) || !cv::script::ReadHex0x(Tok(2), highest)) {
    resultText = "(?\?\?) ERROR";
    return false;
  }
  const int minimum = static_cast<int>(lowest & 0xFF), maximum = static_cast<int>(highest & 0xFF);
  Print(cv::Format("\n\rLimits: %02X to %02X", minimum, maximum), kTextAttr);
  int value = minimum;
  int start = -1;  // the value before the adjustment, when the instrument told it
  if (Tok(3)[0] != '-') {
    std::string reply = Tok(3);
    if (!Query(reply)) {
      resultText = "ERROR";
      return false;
    }
    if (reply.size() >= 2) value = start = static_cast<int>(LeadingHex(reply.substr(reply.size() - 2)));
  }
  // An instrument's value outside the limits is brought inside them: Enter must never store a
  // value the script does not allow.
  if (value > maximum) value = maximum;
  if (value < minimum) value = minimum;
  Print(cv::Format("\n\rCurrent value: %02X", value), kTextAttr);
  Print("\n\rEnter a key: Cur-Up, Cur-Dn, Enter(ok), ESC(cancel)", kTextAttr);
  Changed();
  const std::string live = Tok(4), store = Tok(5);
  bool ok = true;
  for (bool done = false; !done;) {
    if (cv::ConsoleWait(&console, cv::kInvalidSerialHandle, kIdleTimeoutMs, *clock, sliceMs) !=
        cv::ConsoleEvent::Input)
      break;
    const cv::ConsoleInput in = console.input.front();
    console.input.pop_front();
    if (!in.keyDown) continue;
    using Key = cv::ConsoleInput::Key;
    if (in.key == Key::Up || in.key == Key::Down) {
      const int next = value + (in.key == Key::Up ? 1 : -1);
      if (next > maximum || next < minimum) {
        cv::Beep();
        continue;
      }
      value = next;
      if (!SendWithAck(live + cv::script::Hex(static_cast<uint32_t>(value), 2))) {
        ok = false;
        break;
      }
      Print(cv::Format("Current value: %02X", value), kTextAttr);
    } else if (in.key == Key::Enter) {
      if (!SendWithAck(store + cv::script::Hex(static_cast<uint32_t>(value), 2))) {
        ok = false;
        break;
      }
      Print(cv::Format("Saving new value: %02X", value), kTextAttr);
      resultText = cv::Format("New value: %02X ", value);
      done = true;
    } else if (in.key == Key::Escape) {
      if (start >= 0) {
        if (!SendWithAck(live + cv::script::Hex(static_cast<uint32_t>(start), 2))) {
          ok = false;
          break;
        }
        Print("Adjustment cancelled", kTextAttr);
      } else {
        Print("Adjustment cancelled:                                        \t reset the equipment", kTextAttr);
      }
      resultText = "Adjustment cancelled";
      done = true;
    }
    Changed();
  }
  Changed();
  resultText += ok ? " OK" : " ERROR";
  return ok;
}
