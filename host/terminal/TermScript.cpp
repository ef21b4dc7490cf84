// The host dialect's runner, tokenizer, dispatch and the statements of the runner itself (LOG,
// DISPLAY and the condition blocks).
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <cstdio>
#include <cstring>

#include "ConsoleWindow.h"
#include "DateTimeText.h"
#include "Messages.h"
#include "MsgIds.h"
#include "SerialDevice.h"
#include "Term.h"
#include "TermOutput.h"
#include "Text1252.h"

namespace msg = cv::msg::term;
using cv::script::IfLevels;
using cv::script::Subst;

namespace {

std::string Now(bool date) {
  const QDateTime now = QDateTime::currentDateTime();
  return date ? cv::DateText(now) : cv::TimeText(now);
}

}  // namespace

void TTerm::ResetRunState() {
  ifLevels.level = 0;
  ifLevels.depth = 0;
  lastVersion = 0;
  planIndex = 0;
  model1 = 0;
  plan1 = 0;
  std::strcpy(directoryName, "CANALITZACI");
  std::strcpy(nameTemplate, "        ");
}

bool TTerm::RunProFileDialog() {
  ResetRunState();
  std::string path;
  if (chooseScript) {
    path = chooseScript();
  } else {
    path = QFile::encodeName(QFileDialog::getOpenFileName(window.get(), cv::MsgQ(msg::SelectFile),
                                                          QDir::currentPath(), cv::MsgQ(msg::ProFilter)))
               .toStdString();
  }
  if (path.empty()) return false;
  return RunProFile(path);
}

int TTerm::ParseLine(const char* line) {
  cv::script::KeywordRow rows[kKeywordCount];
  for (int i = 0; i < kKeywordCount; ++i) rows[i] = {acts[i].keyword, acts[i].tokenCount};
  cv::script::LexRules rules;
  rules.quotedIndex = kDisplay - 1;
  rules.quotedRefusesHash = false;  // the host's DISPLAY text may begin with '#'
  return cv::script::ParseStatement(line, rows, kKeywordCount, rules, statement);
}

bool TTerm::RunProFile(const std::string& path) {
  logging = true;
  ifLevels.Reset();
  const std::string logName = cv::script::TranscriptPath(path);
  const size_t slash = path.find_last_of('/');
  scriptDirectory = slash == std::string::npos ? std::string() : path.substr(0, slash + 1);

  auto finish = [this](bool result) {
    // Whatever the instrument still had to say belongs to no statement.
    DrainReceive();
    Changed();
    return result;
  };
  const std::string shown = cv::term::ShownPath(path);
  if (cv::script::TranscriptIsScript(path, logName)) {
    WriteMessageRow(Subst(cv::Msg(msg::ScriptMissing), {shown}));
    owner.AddLog(Subst(cv::Msg(msg::LogIsScript), {shown}));
    return finish(false);
  }
  if (logName.size() > cv::script::kTranscriptPathLimit) {
    const std::string text = Subst(cv::Msg(msg::LogTooLong), {cv::term::ShownPath(logName)});
    WriteMessageRow(text);
    owner.AddLog(text);
    return finish(false);
  }
  // The script first, so that a missing script leaves an earlier transcript alone. The transcript
  // is written line by line as the script runs, not saved at the end: what ran before a crash or a
  // lost line stays readable.
  FILE* script = std::fopen(path.c_str(), "rb");
  cv::script::TranscriptFile transcript;
  if (!script || !transcript.Open(logName)) {
    if (script) std::fclose(script);
    WriteMessageRow(Subst(cv::Msg(msg::ScriptMissing), {shown}));
    return finish(false);
  }
  owner.AddLog(Subst(cv::Msg(msg::ProToExecute), {shown}));
  transcript.Write(cv::script::TranscriptHeader(cv::term::ShownPath(logName), Now(true), Now(false)));
  startMs = clock->NowMs();

  int last = 0;  // the last result handed back by the parser or an executor
  bool stopped = false;
  lineNumber = 0;
  std::string line;
  for (;;) {
    lineText.clear();
    testModeText.clear();
    ++lineNumber;
    if (!cv::script::ReadScriptPiece(script, line)) break;
    char number[16];
    std::snprintf(number, sizeof number, "(%2d) ", lineNumber);
    lineText = number + line + " -> ";
    if (line.empty()) continue;
    if (cv::script::IsCommentLine(line.c_str())) {
      transcript.Write("\n" + line + "\n");
      continue;
    }
    const int parsed = ParseLine(line.c_str());
    if (parsed < 0) {
      last = 1;  // a line of blanks counts as a good line
      continue;
    }
    if (parsed == 0) {
      last = 0;
      lineText += " parser error.";
      owner.AddLog(lineText);
      transcript.Write(lineText + "\n\n");
      stopped = true;
      break;
    }
    resultText.clear();
    const bool ok = ExecuteAction();
    last = ok ? 1 : 0;
    lineText += testModeText + resultText;
    PrintLine(lineText);
    if (logging) transcript.Write("\n" + lineText);
    Repaint();
    if (!ok) {
      owner.AddLog(lineText);
      stopped = true;
      break;
    }
  }
  std::fclose(script);
  transcript.Write(cv::script::TranscriptFooter(Now(true), Now(false), (clock->NowMs() - startMs) / 1000));
  if (!transcript.Close()) {
    // The statements ran as the screen shows: only their record is cut, which the run's result
    // (the instrument's side) does not tell.
    const std::string cut = transcript.IncompleteText(cv::term::ShownPath(logName));
    WriteMessageRow(cut);
    owner.AddLog(cut);
  }
  return finish(!stopped && last != 0);
}

bool TTerm::ExecuteAction() {
  Repaint();
  if (statement.keywordIndex < 0) return false;
  switch (Code()) {
    case kSend: return DoSend();
    case kAsk: return DoAsk();
    case kWait: return DoWait();
    case kForce: return DoForce();
    case kLog: return DoLog();
    case kAlert: return DoAlert();
    case kSendHex: return DoTransfer(false);
    case kDisplay: return DoDisplay();
    case kEndif: return DoEndif();
    case kGetKey: return DoGetKey();
    case kElse: return DoElse();
    case kTest: return DoTest();
    case kIfError: return DoIfError();
    case kRawTx: return DoRawTx();
    case kSendMoto: return DoTransfer(true);
    case kSendAck: return DoSendAck();
    case kAskAck: return DoAskAck();
    case kWaitAnswer: return DoWaitAnswer();
    case kWaitFlushing: return DoWaitFlushing();
    case kRead: return DoRead();
    case kWrite: return DoWrite();
    case kSet: return DoSet();
    case kCalc: return DoCalc();
    case kIf: return DoIf();
    case kIfVer: case kIfVer3: case kIfVer7: return DoIfVer('V');
    case kIfVer2: case kIfVer4: return DoIfVer(' ');
    case kAdj: return DoAdj();
    case kFStep: case kFStepS: case kIfVal: case kIfValS: return DoConstant();
    case kOrg: return DoOrg();
    case kPlan: return DoPlan();
    case kDirectory: case kDirectory3: case kDirectory4: return DoDirectory();
    case kHeader3: case kHeader7: return DoPlanHeader();
    case kChan3T: case kChan3S: case kChan7T: case kChan7S: case kChanD: case kChanGV:
      return DoChannelRecord();
    case kCommand: case kCommand3: return DoCommandRecord();
    case kModel1: case kPlan1: return DoModelOrPlan1();
    case kHeader: return DoHeader1();
    case kChannel: return DoChannel1();
    case kGetChPlan: return DoGetChPlan();
    case kGetCfg: return DoGetCfg();
    case kSetCfg: return DoSetCfg();
    case kDataL3: return DoDataLog(false);
    case kDataL7: return DoDataLog(true);
    default: return false;
  }
}

bool TTerm::DoLog() {
  if (!ifLevels.Running()) return resultText = "FALSE", true;
  logging = std::strcmp(Tok(1), "YES") == 0;
  resultText = "OK";
  return true;
}

bool TTerm::DoDisplay() {
  if (!ifLevels.Running()) return resultText = "FALSE", true;
  lineText = "\r\n>>> ";
  resultText = Tok(1);
  return true;
}

bool TTerm::DoElse() {
  resultText = ifLevels.Else();
  return true;
}

bool TTerm::DoEndif() {
  resultText = ifLevels.Endif();
  return true;
}

bool TTerm::DoIfError() {
  switch (ifLevels.OpenBlock()) {
    case IfLevels::Open::Skipped: resultText = "FALSE"; return true;
    case IfLevels::Open::Overflow: resultText = cv::Msg(msg::LevelsFull); return false;
    case IfLevels::Open::Opened: break;
  }
  ifLevels.SetOutcome(testError);
  resultText = cv::script::LevelsText(testError ? "TRUE OK" : "FALSE OK", ifLevels);
  return true;
}
