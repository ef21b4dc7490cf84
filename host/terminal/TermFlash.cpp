// The host dialect's frequency constants and flash-record writers: FSTEP, FSTEPS, IFVAL, IFVALS,
// ORG and PLAN; "*FL:" records (DIRECTORY3, DIRECTORY4, HEADER3, CHAN3T, CHAN3S, CHAND, CHANGV,
// COMMAND3) and "*PF:" records (DIRECTORY, HEADER7, CHAN7T, CHAN7S, COMMAND). The record bytes
// come from the same builders the plug-ins' script engine uses.
#include <cmath>
#include <string>
#include <vector>

#include "Messages.h"
#include "MsgIds.h"
#include "Pll.h"
#include "Term.h"

namespace msg = cv::msg::term;
using cv::script::Subst;

#define SKIP_WHEN_FALSE() \
  if (!ifLevels.Running()) return resultText = "FALSE", true

namespace {

bool InWordRange(float word) { return word >= 0.0f && word < 65536.0f; }

int IntArg(const char* text) {
  int v = 0;
  cv::script::ReadInt(text, v);
  return v;
}

double DoubleArg(const char* text) {
  double v = 0;
  cv::script::ReadDouble(text, v);
  return v;
}

}  // namespace

bool TTerm::DoConstant() {
  SKIP_WHEN_FALSE();
  const float value = static_cast<float>(DoubleArg(Tok(1)));
  switch (Code()) {
    case kFStep: fStep = value > 0 ? value : 0.05f; break;
    case kFStepS: fStepS = value > 0 ? value : 0.125f; break;
    case kIfVal: ifVal = value >= 0 ? value : 38.9f; break;
    default: ifValS = value >= 0 ? value : 479.5f; break;
  }
  resultText = "OK";
  return true;
}

bool TTerm::DoOrg() {
  SKIP_WHEN_FALSE();
  uint32_t value = 0;
  const bool ok = cv::script::ReadHex0x(Tok(1), value);
  if (ok) address = static_cast<uint16_t>(value);
  resultText = ok ? "OK" : "ERROR";
  return ok;
}

bool TTerm::DoPlan() {
  SKIP_WHEN_FALSE();
  planIndex = IntArg(Tok(1)) - 1;
  resultText = "OK";
  return true;
}

// One record at the address counter; the counter moves on by the record's length whether or not
// the instrument takes it.
bool TTerm::SendRecord(const char* prefix, const std::vector<uint8_t>& data, int declared) {
  const std::string record = cv::script::FlashRecord(prefix, address, data, declared);
  address = static_cast<uint16_t>(address + (declared < 0 ? static_cast<int>(data.size()) : declared));
  return SendWithAck(record);
}

bool TTerm::WordList(const char* prefix, int first, int last) {
  std::vector<const char*> words;
  for (int i = first; i <= last; ++i) words.push_back(Tok(i));
  return cv::script::SendWordList(words, [&](const std::vector<uint8_t>& data) { return SendRecord(prefix, data); });
}

bool TTerm::FlashDone(bool ok) {
  resultText = ok ? "OK" : "ERROR";
  return ok;
}

bool TTerm::DoDirectory() {
  SKIP_WHEN_FALSE();
  const bool seven = Code() == kDirectory;
  const char* prefix = seven ? "*PF:" : "*FL:";
  if (!seven) {
    // The address-extension record of the plan memory; it does not move the address counter.
    const std::string extension = std::string("*FL:") + (Code() == kDirectory3 ? "0200000280007C" : "020000022000DC");
    Print("\n\r" + extension, kTextAttr);
    Changed();
    if (!SendWithAck(extension)) return FlashDone(false);
  }
  planIndex = 0;
  const std::vector<uint8_t> data = cv::script::DirectoryData(directoryName, IntArg(Tok(1)), seven ? 24 : 32);
  if (!seven) {
    Print("\n\r" + cv::script::FlashRecord(prefix, address, data), kTextAttr);
    Changed();
  }
  return FlashDone(SendRecord(prefix, data));
}

bool TTerm::DoPlanHeader() {
  SKIP_WHEN_FALSE();
  const bool seven = Code() == kHeader7;
  if (planIndex < 0 || planIndex >= kPlanTable) {
    resultText = Subst(cv::Msg(msg::PlanOutside), {std::to_string(planIndex + 1), std::to_string(kPlanTable)});
    return false;
  }
  const char* prefix = seven ? "*PF:" : "*FL:";
  uint32_t attribute = 0, extra = 0;
  cv::script::ReadHex0x(Tok(2), attribute);
  const float tenths = cv::script::OscillatorTenths(DoubleArg(Tok(5)));
  std::vector<uint8_t> data = cv::script::PlanHeaderData(nameTemplate, Tok(1), attribute, IntArg(Tok(3)),
                                                         IntArg(Tok(4)), tenths, IntArg(Tok(6)));
  if (seven) {
    cv::script::ReadHex0x(Tok(7), extra);
    data.push_back(static_cast<uint8_t>(extra & 0xFF));
    data.push_back(static_cast<uint8_t>((extra >> 8) & 0xFF));
  }
  planOscillator[planIndex] = tenths;
  const bool ok = SendRecord(prefix, data) && (seven ? WordList(prefix, 8, 10) : WordList(prefix, 7, 9));
  ++planIndex;
  return FlashDone(ok);
}

// The terrestrial word of a frequency argument: (MHz + IFVAL) / FSTEP through a 32-bit float,
// before it is cut; false with the statement's text when it lies outside 0..FFFF.
bool TTerm::TerrestrialWord(const char* mhz, float& word) {
  word = static_cast<float>((DoubleArg(mhz) + ifVal) / fStep);
  if (InWordRange(word)) return true;
  resultText = Subst(cv::Msg(msg::WordOutside), {mhz});
  return false;
}

bool TTerm::DoChannelRecord() {
  SKIP_WHEN_FALSE();
  const int code = Code();
  const bool seven = code == kChan7T || code == kChan7S;
  const char* prefix = seven ? "*PF:" : "*FL:";
  std::vector<uint8_t> data = cv::script::ChannelName4(Tok(2));
  float word = 0;
  if (code == kChan3S || code == kChan7S) {
    if (planIndex < 0 || planIndex >= kPlanTable) {
      resultText = Subst(cv::Msg(msg::PlanOutside), {std::to_string(planIndex + 1), std::to_string(kPlanTable)});
      return false;
    }
    const float oscillator = planOscillator[planIndex] * 0.1f;
    const float mhz = static_cast<float>(DoubleArg(Tok(3)));
    const float intermediate = code == kChan3S ? cv::FreqToIF(oscillator, mhz) : mhz - oscillator;
    word = static_cast<float>((intermediate + static_cast<double>(ifValS)) / fStepS);
    if (!InWordRange(word)) {
      resultText = Subst(cv::Msg(msg::WordOutside), {Tok(3)});
      return false;
    }
  } else if (!TerrestrialWord(Tok(3), word)) {
    return false;
  }
  cv::script::PushWord(data, word);
  int listFirst = 4, listLast = 6;
  switch (code) {
    case kChan3T: {
      const float second = static_cast<float>(std::trunc(word) + (DoubleArg(Tok(4)) * 0.5 - 1.25) / fStep);
      if (!InWordRange(second)) {
        resultText = Subst(cv::Msg(msg::WordOutside), {Tok(3)});
        return false;
      }
      cv::script::PushWord(data, second);
      listFirst = listLast = 5;
      break;
    }
    case kChan3S: cv::script::PushWord(data, word); break;
    case kChanD: cv::script::PushWord(data, word); listLast = 4; break;
    case kChan7T: listLast = 4; break;
    case kChanGV: data.push_back(0xFF); data.push_back(0xFF); listFirst = 0; break;
    default: break;
  }
  const bool ok = SendRecord(prefix, data) && (listFirst == 0 || WordList(prefix, listFirst, listLast));
  return FlashDone(ok);
}

bool TTerm::DoCommandRecord() {
  SKIP_WHEN_FALSE();
  uint32_t a = 0, b = 0;
  if (!cv::script::ReadHex0x(Tok(1), a) || !cv::script::ReadHex0x(Tok(2), b)) {
    resultText = "(?\?\?) ERROR";
    return false;
  }
  return FlashDone(SendRecord(Code() == kCommand ? "*PF:" : "*FL:",
                              {static_cast<uint8_t>(a & 0xFF), static_cast<uint8_t>(b & 0xFF)}));
}
