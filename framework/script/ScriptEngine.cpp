#include "ScriptEngine.h"

#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <system_error>

#include "MsgIds.h"
#include "Messages.h"
#include "Pll.h"

using cv::script::Hex;
using cv::script::IfLevels;
using cv::script::ReadDouble;
using cv::script::ReadHex0x;
using cv::script::ReadInt;
using cv::script::RegRef;
using cv::script::Subst;

namespace {

using cv::script::LevelsText;

bool ReadPiece(FILE* file, std::string& piece) { return cv::script::ReadScriptPiece(file, piece); }

int CountPieces(FILE* file) {
  std::rewind(file);
  int count = 0;
  std::string piece;
  while (ReadPiece(file, piece)) ++count;
  std::rewind(file);
  return count;
}

bool IsSign(char c) { return c == '<' || c == '=' || c == '>'; }

template <typename T>
bool Compare(T a, char sign, T b) {
  return sign == '<' ? a < b : sign == '=' ? a == b : a > b;
}

}  // namespace

std::string SecondsToMinSecText(int32_t seconds) {
  const int32_t m = seconds / 60, s = seconds % 60;
  std::string text = (m < 10 ? "0" : "") + std::to_string(m) + ":" + (s < 10 ? "0" : "") +
                     std::to_string(s);
  return text.substr(0, 5);
}

TScriptEngine::TAct::TAct(const char* k, int32_t c, int32_t t) : code(c), tokenCount(t) {
  std::strncpy(keyword, k, sizeof keyword - 1);
  keyword[sizeof keyword - 1] = '\0';
}

TScriptEngine::TScriptEngine(ScriptLink* l, ScriptHost* h, const ScriptDialect& d)
    : lnbTable(static_cast<size_t>(d.planCap > 0 ? d.planCap : 0), 0.0f), dialect(&d), link(l), host(h) {
  acts.reserve(d.keywords.size());
  for (size_t i = 0; i < d.keywords.size(); ++i)
    acts.emplace_back(d.keywords[i].keyword.c_str(), static_cast<int32_t>(i + 1), d.keywords[i].tokens);
  BeginRun();
}

void TScriptEngine::BeginRun() {
  logFlag = 1;
  std::strcpy(directoryName, "CANALITZACI");
  std::strcpy(blankName, "        ");
  ifLevels.Reset();
  errorFlag = 0;
  version = 0;
}

int TScriptEngine::ParseLine(const char* line) { return dialect->Parse(line, statement); }

void TScriptEngine::AddZone(const std::string& line) {
  if (view) view->AddLogLine(line);
}

bool TScriptEngine::ExecuteAction() {
  if (host) host->RepaintMain();
  if (view) view->Repaint();
  if (statement.keywordIndex < 0) return false;
  // A keyword without an executor belongs to another dialect's instruments: it succeeds and
  // leaves the previous result text in place.
  const ScriptExecutor execute = dialect->ExecutorOf(statement.keywordIndex + 1);
  return execute ? execute(*this) : true;
}

namespace cv::script::exec {
bool Send(TScriptEngine& e) { return e.DoSend(); }
bool Ask(TScriptEngine& e) { return e.DoAsk(); }
bool Wait(TScriptEngine& e) { return e.DoWait(); }
bool Force(TScriptEngine& e) { return e.DoForce(); }
bool Log(TScriptEngine& e) { return e.DoLog(); }
bool Alert(TScriptEngine& e) { return e.DoAlert(); }
bool Org(TScriptEngine& e) { return e.DoOrg(); }
bool SendHex(TScriptEngine& e) { return e.DoSendHex(); }
bool Plan(TScriptEngine& e) { return e.DoPlan(); }
bool Display(TScriptEngine& e) { return e.DoDisplay(); }
bool Endif(TScriptEngine& e) { return e.DoEndif(); }
bool GetKey(TScriptEngine& e) { return e.DoGetKey(); }
bool IfVer(TScriptEngine& e) { return e.DoIfVer(); }
bool Header3(TScriptEngine& e) { return e.DoHeader3(); }
bool Chan3T(TScriptEngine& e) { return e.DoChan3T(); }
bool Chan3S(TScriptEngine& e) { return e.DoChan3S(); }
bool Directory(TScriptEngine& e) { return e.DoDirectory(); }
bool Command3(TScriptEngine& e) { return e.DoCommand3(); }
bool Read(TScriptEngine& e) { return e.DoRead(); }
bool Write(TScriptEngine& e) { return e.DoWrite(); }
bool Calc(TScriptEngine& e) { return e.DoCalc(); }
bool If(TScriptEngine& e) { return e.DoIf(); }
bool Set(TScriptEngine& e) { return e.DoSet(); }
bool Else(TScriptEngine& e) { return e.DoElse(); }
bool Test(TScriptEngine& e) { return e.DoTest(); }
bool IfError(TScriptEngine& e) { return e.DoIfError(); }
bool RawTx(TScriptEngine& e) { return e.DoRawTx(); }
}  // namespace cv::script::exec

// ---------------------------------------------------------------------------------------------
// Runner and transcript

void TScriptEngine::LogStart(cv::script::TranscriptFile& file, const std::string& text) {
  file.Write(cv::script::TranscriptHeader(text, host ? host->DateString() : "", host ? host->TimeString() : ""));
  startMs = host ? host->NowMs() : 0;
}

void TScriptEngine::LogEnd(cv::script::TranscriptFile& file) {
  const int64_t elapsed = ((host ? host->NowMs() : 0) - startMs) / 1000;
  file.Write(cv::script::TranscriptFooter(host ? host->DateString() : "", host ? host->TimeString() : "", elapsed));
}

bool TScriptEngine::RunScript(const std::string& path, ScriptView* dialog) {
  view = dialog;
  BeginRun();
  lineNumber = 0;  // a run that never starts names no line

  const std::string logName = cv::script::TranscriptPath(path);

  if (view) view->SetGauge(0);
  if (cv::script::TranscriptIsScript(path, logName)) {
    // Opening the transcript would truncate the very script about to be run.
    if (host) host->Log(Subst(cv::Msg(cv::msg::ScriptLogIsScript), {logName}));
    return false;
  }
  if (logName.size() > cv::script::kTranscriptPathLimit) {
    if (host) host->Log(Subst(cv::Msg(cv::msg::ScriptLogTooLong), {logName}));
    return false;
  }
  // The script is opened first, so a missing script leaves an earlier transcript alone. The
  // transcript is written as the script runs, not saved at its end: what ran stays readable.
  FILE* script = std::fopen(path.c_str(), "rb");
  cv::script::TranscriptFile transcript;
  if (!script || !transcript.Open(logName)) {
    if (script) std::fclose(script);
    if (host) host->Log(Subst(cv::Msg(cv::msg::ScriptCannotOpen), {path, logName}));
    return false;
  }

  const int lineCount = CountPieces(script);
  if (host) {
    host->Log(Subst(cv::Msg(cv::msg::ScriptLogFile), {logName}));
    host->Log(Subst(cv::Msg(cv::msg::ScriptProFile), {path}));
  }
  LogStart(transcript, logName);

  int last = 0;
  lineNumber = 0;
  std::string line;
  for (;;) {
    ++lineNumber;
    if (view) {
      const int percent = lineCount > 0 ? lineNumber * 100 / lineCount : 0;
      view->SetGauge(percent > 100 ? 100 : percent);
      view->Repaint();
    }
    if (!ReadPiece(script, line)) break;
    char number[16];
    std::snprintf(number, sizeof number, "(%2d) ", lineNumber);
    outputLine = number + line + " -> ";
    if (line.empty()) continue;
    if (cv::script::IsCommentLine(line.c_str())) {
      transcript.Write("\n" + line + "\n");
      continue;
    }
    last = ParseLine(line.c_str());
    if (last < 0) continue;
    if (last == 0) {
      outputLine += " parser error.";
      AddZone(outputLine);
      transcript.Write(outputLine + "\n\n");
      break;
    }
    const bool ok = ExecuteAction();
    last = ok ? 1 : 0;
    AddZone(outputLine + resultText);
    if (logFlag == 1) transcript.Write(line + " -> " + resultText + "\n");
    if (!ok) break;
  }
  LogEnd(transcript);
  std::fclose(script);
  if (!transcript.Close()) {
    // The statements ran as their lines say: only the record of them is cut, which the run's
    // result (the instrument's side) does not tell.
    const std::string cut = transcript.IncompleteText(logName);
    AddZone(cut);
    if (host) host->Log(cut);
  }
  if (view) view->SetGauge(0);
  return last != 0;
}

// ---------------------------------------------------------------------------------------------
// Line statements

bool TScriptEngine::Send(const std::string& command) { return link && link->SendCommand(command); }

bool TScriptEngine::Query(const std::string& query, std::string& reply) {
  reply.clear();
  return link && link->Transact(query, reply);
}

bool TScriptEngine::DoSend() {
  if (!ifLevels.Running()) return resultText = "FALSE", true;
  const bool ok = Send(Tok(1));
  resultText = ok ? "OK" : "ERROR";
  return ok;
}

bool TScriptEngine::DoAsk() {
  if (!ifLevels.Running()) return resultText = "FALSE", true;
  std::string reply;
  const bool ok = Query(Tok(1), reply);
  resultText = ok ? reply : "ERROR";
  return ok;
}

bool TScriptEngine::DoForce() {
  if (!ifLevels.Running()) return resultText = "FALSE", true;
  const bool ok = link && link->WriteLine(Tok(1)) && link->WaitChar(0x13) && link->WaitChar(0x06);
  resultText = ok ? "OK" : "ERROR";
  return ok;
}

bool TScriptEngine::DoRawTx() {
  if (!ifLevels.Running()) return resultText = "FALSE", true;
  if (link) link->WriteLine(Tok(1));
  resultText = "OK";
  return true;
}

bool TScriptEngine::DoWait() {
  if (!ifLevels.Running()) return resultText = "FALSE", true;
  int seconds = 0;
  ReadInt(Tok(1), seconds);
  AddZone(Subst(cv::Msg(cv::msg::ScriptWaiting), {std::to_string(seconds)}));
  // The wait itself caps at 15 s; capping here too keeps the product inside an int.
  const int ms = seconds <= 0 ? 0 : (seconds > 15 ? 15000 : seconds * 1000);
  if (host) host->Wait(ms);
  resultText = "OK";
  return true;
}

bool TScriptEngine::DoLog() {
  if (!ifLevels.Running()) return resultText = "FALSE", true;
  logFlag = std::strcmp(Tok(1), "YES") == 0 ? 1 : 0;
  resultText = "OK";
  return true;
}

bool TScriptEngine::DoAlert() {
  if (!ifLevels.Running()) return resultText = "FALSE", true;
  resultText = (host && host->Beep()) ? "OK" : "ERROR";
  return true;
}

bool TScriptEngine::DoGetKey() {
  if (!ifLevels.Running()) return resultText = "FALSE", true;
  if (host) host->GetKey();
  resultText = "OK";
  return true;
}

bool TScriptEngine::DoDisplay() {
  if (!ifLevels.Running()) return resultText = "FALSE", true;
  outputLine = ">>> ";
  resultText = Tok(1);
  return true;
}

bool TScriptEngine::DoTest() {
  if (!ifLevels.Running()) return resultText = "FALSE", true;
  std::string reply;
  if (Query(Tok(1), reply)) {
    errorFlag = 0;
    resultText = reply + " (TEST MODE OK)";
  } else {
    errorFlag = 1;
    resultText = "ERROR (TEST MODE)";
  }
  return true;
}

// ---------------------------------------------------------------------------------------------
// Conditions

bool TScriptEngine::DoElse() {
  resultText = ifLevels.Else();
  return true;
}

bool TScriptEngine::DoEndif() {
  resultText = ifLevels.Endif();
  return true;
}

bool TScriptEngine::DoIfError() {
  switch (ifLevels.OpenBlock()) {
    case IfLevels::Open::Skipped: resultText = "FALSE"; return true;
    case IfLevels::Open::Overflow: resultText = "(IF LEVELS) ERROR"; return false;
    case IfLevels::Open::Opened: break;
  }
  ifLevels.SetOutcome(errorFlag == 1);
  resultText = LevelsText(errorFlag == 1 ? "TRUE OK" : "FALSE OK", ifLevels);
  return true;
}

bool TScriptEngine::DoIf() {
  switch (ifLevels.OpenBlock()) {
    case IfLevels::Open::Skipped: resultText = "FALSE"; return true;
    case IfLevels::Open::Overflow: resultText = "(IF LEVELS) ERROR"; return false;
    case IfLevels::Open::Opened: break;
  }
  const RegRef r = cv::script::ParseRegRef(Tok(1));
  // A variable whose index lies outside the tables fails as CALC reports it.
  const std::string name = Tok(1);
  if (!r.valid && name.size() > 1 && (name[0] == 'B' || name[0] == 'I' || name[0] == 'W') &&
      name.find_first_not_of("0123456789", 1) == std::string::npos) {
    ifLevels.SetOutcome(false);
    return RegisterFailed(r, Tok(1));
  }
  const char sign = Tok(2)[0];
  uint32_t constant = 0;
  if (!r.valid || !IsSign(sign) || !ReadHex0x(Tok(3), constant)) {
    ifLevels.SetOutcome(false);
    resultText = "(?\?\?) ERROR";
    return false;
  }
  const uint32_t full = registers.Get(r);
  const int32_t value = static_cast<int32_t>(r.isByte ? full : (full & 0xFFFF));
  const bool outcome = Compare(value, sign, static_cast<int32_t>(constant));
  ifLevels.SetOutcome(outcome);
  std::string text = r.isByte ? "B" + std::to_string(r.index) + " =  0x" + Hex(full, 2)
                              : "I" + std::to_string(r.index) + " = 0x" + Hex(full, 4);
  text += std::string(" ") + sign + " 0x" + Hex(constant, 4) + "? " + (outcome ? "TRUE" : "FALSE") +
          " OK";
  resultText = LevelsText(text.c_str(), ifLevels);
  return true;
}

bool TScriptEngine::DoIfVer() {
  switch (ifLevels.OpenBlock()) {
    case IfLevels::Open::Skipped: resultText = "FALSE"; return true;
    case IfLevels::Open::Overflow: resultText = "(IF LEVELS) ERROR"; return false;
    case IfLevels::Open::Opened: break;
  }
  std::string reply;
  if (!Query("*?VE", reply)) {
    ifLevels.SetOutcome(false);
    resultText = "(UNKNOWN VERSION) ERROR";
    return false;
  }
  // A reply naming no version compares as version 0.
  cv::script::ReadVersionReply(reply, dialect->versionMark, version);
  const char sign = Tok(1)[0];
  double wanted = 0;
  ReadDouble(Tok(2), wanted);
  if (!IsSign(sign)) {
    ifLevels.SetOutcome(false);
    resultText = "(?\?\?) ERROR";
    return false;
  }
  const float reference = static_cast<float>(wanted);
  const bool outcome = Compare(version, sign, reference);
  ifLevels.SetOutcome(outcome);
  const std::string text = "ver: " + cv::script::FormatFixed(version, 2, 4) + " " + sign + " " +
                           cv::script::FormatFixed(reference, 2, 4) + "? " +
                           (outcome ? "TRUE" : "FALSE") + " OK";
  resultText = LevelsText(text.c_str(), ifLevels);
  return true;
}

// ---------------------------------------------------------------------------------------------
// Registers

// A register statement's outcome: its report line goes to the log zone and, after `before`,
// into the statement's result.
bool TScriptEngine::RegisterDone(const std::string& line, const std::string& before) {
  AddZone(line);
  resultText = before + line + " OK";
  return true;
}

bool TScriptEngine::RegisterFailed(const RegRef& r, const char* text, const std::string& before) {
  const std::string line = cv::script::FailReport(r, text);
  AddZone(line);
  resultText = before + line + " ERROR";
  return false;
}

bool TScriptEngine::DoRead() {
  if (!ifLevels.Running()) return resultText = "FALSE", true;
  const RegRef r = cv::script::ParseRegRef(Tok(1));
  auto fail = [&](const std::string& before) { return RegisterFailed(r, Tok(1), before); };
  if (!r.valid) return fail("");
  std::string reply;
  if (!Query(Tok(2), reply)) return fail("ERROR");
  const size_t width = r.isByte ? 2 : 4;
  if (reply.size() < width) return fail(reply);
  uint32_t value = 0;
  for (size_t i = reply.size() - width; i < reply.size(); ++i) {
    const char c = reply[i];
    int digit = -1;
    if (c >= '0' && c <= '9') digit = c - '0';
    if (c >= 'A' && c <= 'F') digit = c - 'A' + 10;
    if (c >= 'a' && c <= 'f') digit = c - 'a' + 10;
    if (digit < 0) return fail(reply);
    value = value * 16 + digit;
  }
  if (!r.isByte && Tok(3)[0] == 'S') value = cv::script::Swap16(value);
  registers.Set(r, value);
  return RegisterDone(registers.Report(r), reply);
}

bool TScriptEngine::DoWrite() {
  if (!ifLevels.Running()) return resultText = "FALSE", true;
  const RegRef r = cv::script::ParseRegRef(Tok(1));
  auto fail = [&](const std::string& before) { return RegisterFailed(r, Tok(1), before); };
  if (!r.valid) return fail("");
  const uint32_t value = registers.Get(r);
  uint32_t sent = r.isByte ? value : (value & 0xFFFF);
  if (!r.isByte && Tok(3)[0] == 'S') sent = cv::script::Swap16(sent);
  if (!Send(Tok(2) + Hex(sent, r.isByte ? 2 : 4))) return fail("ERROR");
  std::string line = registers.Report(r);
  if (!r.isByte) line += " (0x" + Hex(sent, 4) + ")";
  return RegisterDone(line, "OK");
}

bool TScriptEngine::DoSet() {
  if (!ifLevels.Running()) return resultText = "FALSE", true;
  const RegRef r = cv::script::ParseRegRef(Tok(1));
  uint32_t value = 0;
  if (!r.valid || !ReadHex0x(Tok(2), value)) return RegisterFailed(r, Tok(1));
  if (!r.isByte && Tok(3)[0] == 'S') value = cv::script::Swap16(value);
  registers.Set(r, value);
  return RegisterDone(registers.Report(r));
}

bool TScriptEngine::DoCalc() {
  if (!ifLevels.Running()) return resultText = "FALSE", true;
  const RegRef a = cv::script::ParseRegRef(Tok(1));
  const RegRef b = cv::script::ParseRegRef(Tok(3));
  const RegRef r = cv::script::ParseRegRef(Tok(4));
  int32_t result = 0;
  const bool ok = a.valid && b.valid && r.valid &&
                  cv::script::Calc(static_cast<int32_t>(registers.Get(a)), Tok(2)[0],
                                   static_cast<int32_t>(registers.Get(b)), result);
  if (!ok) {
    const RegRef& shown = !a.valid ? a : !b.valid ? b : r;
    const char* text = !a.valid ? Tok(1) : !b.valid ? Tok(3) : Tok(4);
    return RegisterFailed(shown, text);
  }
  registers.Set(r, static_cast<uint32_t>(result));
  return RegisterDone(registers.Report(r));
}

// ---------------------------------------------------------------------------------------------
// Flash records

bool TScriptEngine::SendRecord(const std::vector<uint8_t>& data) {
  const std::string record = cv::script::FlashRecord("*FL:", flashAddress, data);
  flashAddress = static_cast<uint16_t>(flashAddress + data.size());
  return Send(record);
}

// The command words of a header or channel, then the 0xFFFF record that ends the list.
bool TScriptEngine::SendWordList(const int* tokenIndexes, int count) {
  std::vector<const char*> words;
  for (int i = 0; i < count; ++i) words.push_back(Tok(tokenIndexes[i]));
  return cv::script::SendWordList(words, [this](const std::vector<uint8_t>& data) { return SendRecord(data); });
}

bool TScriptEngine::PlanInTable(int index) {
  if (index >= 0 && index < static_cast<int>(lnbTable.size())) return true;
  if (host)
    host->Log(Subst(cv::Msg(cv::msg::ScriptPlanRange), {std::to_string(index + 1), std::to_string(lnbTable.size())}));
  resultText = "ERROR";
  return false;
}

bool TScriptEngine::WordInRange(float word, const char* mhz) {
  if (word >= 0.0f && word < 65536.0f) return true;
  if (host) host->Log(Subst(cv::Msg(cv::msg::ScriptWordRange), {mhz}));
  resultText = "ERROR";
  return false;
}

std::vector<uint8_t> TScriptEngine::ChannelName() const { return cv::script::ChannelName4(Tok(2)); }

using cv::script::PushWord;

bool TScriptEngine::DoOrg() {
  if (!ifLevels.Running()) return resultText = "FALSE", true;
  uint32_t address = 0;
  const bool ok = ReadHex0x(Tok(1), address);
  if (ok) flashAddress = static_cast<uint16_t>(address);
  resultText = ok ? "OK" : "ERROR";
  return ok;
}

bool TScriptEngine::DoPlan() {
  if (!ifLevels.Running()) return resultText = "FALSE", true;
  int plan = 0;
  ReadInt(Tok(1), plan);
  if (!PlanInTable(plan - 1)) return false;
  planIndex = plan - 1;
  resultText = "OK";
  return true;
}

bool TScriptEngine::DoCommand3() {
  if (!ifLevels.Running()) return resultText = "FALSE", true;
  uint32_t a = 0, b = 0;
  const bool ok = ReadHex0x(Tok(1), a) && ReadHex0x(Tok(2), b) &&
                  SendRecord({static_cast<uint8_t>(a & 0xFF), static_cast<uint8_t>(b & 0xFF)});
  resultText = ok ? "OK" : "ERROR";
  return ok;
}

bool TScriptEngine::DoDirectory() {
  if (!ifLevels.Running()) return resultText = "FALSE", true;
  // The extended segment address of the family's plan memory; it does not move the address.
  if (!Send("*FL:" + dialect->segmentRecord)) return resultText = "ERROR", false;
  planIndex = 0;
  int plans = 0;
  ReadInt(Tok(1), plans);
  const bool ok = SendRecord(cv::script::DirectoryData(directoryName, plans, dialect->planCap));
  resultText = ok ? "OK" : "ERROR";
  return ok;
}

float Header3LnbTenths(double lnbMHz) { return cv::script::OscillatorTenths(lnbMHz); }

float IntermediateOf(float oscillatorMHz, float downlinkMHz, bool plain) {
  return plain ? downlinkMHz - oscillatorMHz : cv::FreqToIF(oscillatorMHz, downlinkMHz);
}

float DownlinkOf(float oscillatorMHz, float intermediateMHz, bool plain) {
  return plain ? oscillatorMHz + intermediateMHz : cv::IFToFreq(oscillatorMHz, intermediateMHz);
}

float Chan3SWord(float lnbTenths, double mhz, bool plain) {
  const float intermediate = IntermediateOf(lnbTenths * 0.1f, static_cast<float>(mhz), plain);
  const cv::PllBand& band = cv::PllBandOf('S');
  return static_cast<float>((intermediate + band.offsetMHz) * band.wordsPerMHz);
}

bool TScriptEngine::DoHeader3() {
  if (!ifLevels.Running()) return resultText = "FALSE", true;
  if (!PlanInTable(planIndex)) return false;
  uint32_t address = 0;
  int count = 0, band = 0, code = 0;
  double lnb = 0;
  ReadHex0x(Tok(2), address);
  ReadInt(Tok(3), count);
  ReadInt(Tok(4), band);
  ReadDouble(Tok(5), lnb);
  ReadInt(Tok(6), code);

  const float lnb10 = Header3LnbTenths(lnb);
  // The header holds the oscillator in tenths of MHz in three bytes.
  if (!(lnb10 >= 0.0f && lnb10 <= 16777215.0f)) {
    if (host) host->Log(Subst(cv::Msg(cv::msg::ScriptLnbRange), {Tok(5)}));
    resultText = "ERROR";
    return false;
  }
  const std::vector<uint8_t> data = cv::script::PlanHeaderData(blankName, Tok(1), address, count, band, lnb10, code);
  lnbTable[planIndex] = lnb10;
  static const int kWords[] = {7, 8, 9};
  const bool ok = SendRecord(data) && SendWordList(kWords, 3);
  ++planIndex;
  resultText = ok ? "OK" : "ERROR";
  return ok;
}

bool TScriptEngine::DoChan3T() {
  if (!ifLevels.Running()) return resultText = "FALSE", true;
  double mhz = 0, bandwidth = 0;
  ReadDouble(Tok(3), mhz);
  ReadDouble(Tok(4), bandwidth);
  const cv::PllBand& band = cv::PllBandOf('T');
  const float n = static_cast<float>((mhz + band.offsetMHz) * band.wordsPerMHz);
  const float n2 = static_cast<float>(n + (bandwidth * 0.5 - 1.25) * band.wordsPerMHz);
  if (!WordInRange(n, Tok(3)) || !WordInRange(n2, Tok(3))) return false;
  std::vector<uint8_t> data = ChannelName();
  PushWord(data, n);
  PushWord(data, n2);
  static const int kWords[] = {5};
  const bool ok = SendRecord(data) && SendWordList(kWords, 1);
  resultText = ok ? "OK" : "ERROR";
  return ok;
}

bool TScriptEngine::DoChan3S() {
  if (!ifLevels.Running()) return resultText = "FALSE", true;
  if (!PlanInTable(planIndex)) return false;
  double mhz = 0;
  ReadDouble(Tok(3), mhz);
  const float n = Chan3SWord(lnbTable[planIndex], mhz, dialect->plainIntermediate);
  if (!WordInRange(n, Tok(3))) return false;
  std::vector<uint8_t> data = ChannelName();
  PushWord(data, n);
  PushWord(data, n);
  static const int kWords[] = {4, 5, 6};
  const bool ok = SendRecord(data) && SendWordList(kWords, 3);
  resultText = ok ? "OK" : "ERROR";
  return ok;
}

// ---------------------------------------------------------------------------------------------
// SENDHEX

void TScriptEngine::ShowSendingTime(int32_t elapsedSeconds, int32_t expectedSeconds) {
  if (view)
    view->SetRemoteLabel(Subst(cv::Msg(cv::msg::ScriptSendingTime),
                               {SecondsToMinSecText(elapsedSeconds),
                                SecondsToMinSecText(expectedSeconds)}));
}

bool TScriptEngine::DoSendHex() {
  if (!ifLevels.Running()) return resultText = "FALSE", true;
  namespace fs = std::filesystem;
  const uint32_t savedColor = view ? view->GaugeColor() : 0;
  if (view) {
    view->SetGaugeColor(kGreen);
    view->SetGauge(0);
  }
  std::error_code ec;
  const fs::path savedDir = fs::current_path(ec);
  auto finish = [&](bool ok) {
    resultText = ok ? "OK" : "ERROR";
    if (view) view->SetGaugeColor(savedColor);
    if (!savedDir.empty()) fs::current_path(savedDir, ec);
    return ok;
  };

  const std::string fileArg = Tok(1);
  const std::string prefix = Tok(2);
  std::ifstream in(fileArg, std::ios::binary);
  if (!in && host && dialect->hexTriesStartDir) {
    const std::string fileName = fs::path(fileArg).filename().string();
    in.open(fs::path(host->StartDir()) / fileName, std::ios::binary);
  }
  if (!in) {
    if (host) host->Log(cv::Msg(cv::msg::ScriptFileMissing) + fileArg);
    return finish(false);
  }

  std::vector<std::string> lines;
  for (std::string l; std::getline(in, l);) {
    if (!l.empty() && l.back() == '\r') l.pop_back();
    lines.push_back(std::move(l));
  }
  std::string ext = fs::path(fileArg).extension().string();
  for (char& c : ext)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  const bool timed = ext == ".UPD";
  const int total = static_cast<int>(lines.size());
  const uint32_t start = view ? view->GetTicks() : 0;
  const int32_t expected = dialect->updSeconds(total);
  if (timed) ShowSendingTime(0, expected);
  if (host) host->Log(cv::Msg(cv::msg::ScriptSendHexStart) + fileArg);

  for (int i = 0; i < total; ++i) {
    const int number = i + 1;
    if (timed) {
      if (host) host->ProcessMessages();
      ShowSendingTime(static_cast<int32_t>((view ? view->GetTicks() : 0) - start), expected);
    }
    if (view) view->SetGauge(number * 100 / total);
    if (host) host->RepaintMain();
    if (view) view->Repaint();

    std::string text = lines[i];
    if (text.empty() || text[0] != ':') continue;
    for (char& c : text)
      if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    const std::string command = prefix + text;
    // Cut short, a record would reach the instrument as a different, shorter record.
    const bool tooLong = static_cast<int>(command.size()) > kCommandLimit;
    if (tooLong || !Send(command)) {
      if (host) {
        host->Log(cv::Msg(cv::msg::ScriptLineError) + std::to_string(number) + ":");
        host->Log(command);
        if (tooLong)
          host->Log(Subst(cv::Msg(cv::msg::ScriptHexLineTooLong),
                          {std::to_string(command.size()), std::to_string(kCommandLimit)}));
      }
      return finish(false);
    }
  }
  if (host) host->Log(cv::Msg(cv::msg::ScriptSendHexDone));
  if (view) {
    view->SetRemoteLabel("");
    view->SetGauge(0);
  }
  return finish(true);
}
