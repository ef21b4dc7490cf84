#include "Xr9PlanIn.h"

#include <QDir>
#include <QFile>
#include <QStringList>
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>

#include "AppServices.h"
#include "BusyCursor.h"
#include "FileDialogs.h"
#include "Format.h"
#include "Messages.h"
#include "MsgIds.h"
#include "NumFormat.h"
#include "PlanImport.h"
#include "Prompt.h"
#include "Separators.h"
#include "Xr9Corvane.h"
#include "Xr9Equip.h"
#include "Xr9Fields.h"
#include "Xr9PlanEditor.h"
#include "Xr9PlanFiles.h"
#include "Text1252.h"

namespace cv::xr9 {

namespace m = cv::msg::xr9in;
namespace {

constexpr cv::script::KeywordRow kRows[TXR9Equip::kKeywordCount] = {
    {"SEND", 2},    {"ASK", 2},     {"WAIT", 2},     {"FORCE", 2},    {"LOG", 2},     {"ALERT", 1},
    {"FSTEP", 2},   {"IFVAL", 2},   {"FSTEPS", 2},   {"IFVALS", 2},   {"ORG", 2},     {"SENDHEX", 3},
    {"PLAN", 2},    {"DISPLAY", 2}, {"ENDIF", 1},    {"GETKEY", 1},   {"IFVER4", 3},  {"DATAL3", 2},
    {"HEADER3", 10}, {"CHAN3T", 6}, {"CHAND", 5},    {"CHAN3S", 7},   {"DIRECTORY4", 2}, {"COMMAND3", 3},
    {"ADJ", 6},     {"READ", 4},    {"WRITE", 4},    {"CALC", 5},     {"IF", 4},      {"SET", 4},
    {"ELSE", 1},    {"TEST", 2},    {"IFERROR", 1},  {"RAWTX", 2},    {"SENDRESOURCE", 3}};

enum Code { kOrg = 11, kPlan = 13, kHeader3 = 19, kChan3T = 20, kChanD = 21, kChan3S = 22, kDirectory4 = 23, kCommand3 = 24,
            kSendResource = 35 };

std::string Upper(std::string s) {
  for (char& c : s)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return s;
}

bool Contains(const char* field, const char* what) { return std::strstr(field, what) != nullptr; }

void LittleEndian(uint32_t v, uint8_t out[4]) {
  for (int i = 0; i < 4; ++i) out[i] = static_cast<uint8_t>(v >> (8 * i));
}

// A text line of at most 255 characters as the readers take it (the rest of a longer line is the
// next one), without its LF.
bool ReadTextLine(std::FILE* f, std::string& line) {
  char buffer[256];
  if (!std::fgets(buffer, sizeof buffer, f)) return false;
  line.assign(buffer);
  const size_t lf = line.find('\n');
  if (lf != std::string::npos) line.resize(lf);
  return true;
}

}  // namespace

const cv::script::KeywordRow* ScriptKeywordRows() { return kRows; }

const cv::script::LexRules& ScriptLexRules() {
  static const cv::script::LexRules rules = [] {
    cv::script::LexRules r;
    r.quotedIndex = 13;    // DISPLAY
    r.resourceIndex = 34;  // SENDRESOURCE
    return r;
  }();
  return rules;
}

int TokenizeScriptLine(const char* line, cv::script::Statement& st) {
  return cv::script::ParseStatement(line, kRows, TXR9Equip::kKeywordCount, ScriptLexRules(), st);
}

int DetectPlanFileKind(const std::string& path, const PlanSinks& sinks) {
  std::FILE* f = std::fopen(path.c_str(), "r");
  if (!f) return 0;
  std::string line;
  int kind = 0;
  while (ReadTextLine(f, line)) {
    std::replace(line.begin(), line.end(), '\t', ' ');
    const size_t start = line.find_first_not_of(' ');
    if (start == std::string::npos) continue;
    const std::string text = line.substr(start);
    if (text.rfind("#<IMPORT FORMAT SAT>", 0) == 0) {
      kind = 2;
      break;
    }
    if (text.rfind("SENDRESOURCE", 0) == 0) {
      std::string rest = text.substr(12);
      rest.erase(0, rest.find_first_not_of(' ') == std::string::npos ? rest.size() : rest.find_first_not_of(' '));
      const std::string logLine = cv::Msg(m::ChannelSetFound) + Upper(rest) + ",...";
      if (sinks.editorLog) sinks.editorLog(logLine);
      if (sinks.hostLog) sinks.hostLog(logLine);
      kind = 1;
      break;
    }
  }
  std::fclose(f);
  return kind;
}

bool SplitCsvLine(const std::string& source, char fields[kCsvFields][kCsvFieldChars + 1]) {
  std::string line = source.substr(0, source.find('\n'));
  const char list = cv::ListSeparator();
  if (cv::DecimalSeparator() == ',') std::replace(line.begin(), line.end(), ',', '.');
  for (int i = 0; i < kCsvFields; ++i) fields[i][0] = '\0';
  bool stored = false;
  int field = 0, n = 0;
  for (char c : line) {
    if (c == list) {
      if (++field >= kCsvFields) break;  // fields after the 25th are ignored
      n = 0;
      continue;
    }
    if (c == '\t' || c == '\r') continue;  // a CR of a CRLF file is no part of the last field
    fields[field][n++] = c;
    fields[field][n] = '\0';
    stored = true;
    if (n >= kCsvFieldChars) break;
  }
  return stored;
}

std::string FindFileNoCase(const std::string& dir, const std::string& name) {
  namespace fs = std::filesystem;
  std::string relative = name;
  std::replace(relative.begin(), relative.end(), '\\', '/');
  fs::path at = dir.empty() ? fs::path(".") : fs::path(dir);
  std::error_code ec;
  size_t pos = 0;
  while (pos <= relative.size()) {
    const size_t slash = relative.find('/', pos);
    const std::string part = relative.substr(pos, slash == std::string::npos ? std::string::npos : slash - pos);
    pos = slash == std::string::npos ? relative.size() + 1 : slash + 1;
    if (part.empty()) continue;
    if (fs::exists(at / part, ec)) {
      at /= part;
      continue;
    }
    const std::string wanted = Upper(part);
    bool found = false;
    for (fs::directory_iterator it(at, ec), end; !ec && it != end; it.increment(ec)) {
      if (Upper(it->path().filename().string()) == wanted) {
        at = it->path();
        found = true;
        break;
      }
    }
    if (!found) return {};
  }
  return fs::is_regular_file(at, ec) ? at.string() : std::string();
}

// ---------------------------------------------------------------------------------------------

TPlanIn::TPlanIn(TPlanEditor& e) : editor(e) {}

void TPlanIn::BothLogs(const std::string& line) {
  editor.LogZone(line);
  editor.Log(line);
}

bool TPlanIn::ReadCanalizationScript(const std::string& path) { return ReadScript(path, false); }

bool TPlanIn::ReadCorvaneCanalization(const std::string& path) { return ReadScript(path, true); }

bool TPlanIn::ReadScript(const std::string& path, bool corvaneScript) {
  std::FILE* f = std::fopen(path.c_str(), "r");
  if (!f) return false;
  const std::string fileName = cv::LoggedFileName(path);
  BothLogs(cv::Msg(m::ParsingFile) + fileName);
  importState = 0;
  corvane = CorvaneReading{};
  std::string line;
  int lineNumber = 0;
  int result = 1;
  while (ReadTextLine(f, line)) {
    ++lineNumber;
    if (line.empty() || cv::script::IsCommentLine(line.c_str())) continue;
    int tokenized = TokenizeScriptLine(line.c_str(), statement);
    if (tokenized == 0 && corvaneScript) {
      std::string rewritten;
      if (cv::plan::RewriteDirectory3(line, rewritten)) tokenized = TokenizeScriptLine(rewritten.c_str(), statement);
    }
    if (tokenized < 0) continue;
    result = tokenized == 0 ? 0 : ImportStatement();
    if (result == 1) editor.Log(cv::Format("(%2d) %s", lineNumber, line.c_str()));
    if (result == kStop) break;
    if (result == 0) {
      cv::ShowBox(editor.Ask(), cv::Format(cv::Msg(m::ParserErrorBox).c_str(), line.c_str()),
                  cv::Msg(cv::msg::xr9fmt::CvToolsErrorCaption), cv::MsgIcon::Error);
      BothLogs(cv::Format(cv::Msg(m::ParserErrorLine).c_str(), lineNumber, line.c_str()));
      break;
    }
  }
  std::fclose(f);
  if (corvaneScript) {
    // A cut file, an empty one or one without its directory leaves plans unread: that is no
    // canalization, however well its lines parsed.
    const bool whole = importState == 5;
    corvane.readFlags.clear();
    corvane.commandWords.clear();
    if (whole) {
      editor.Log(cv::Format(cv::Msg(m::PlanLoadedFrom).c_str(), fileName.c_str()));
    } else {
      BothLogs(cv::Format(cv::Msg(m::DataFileError).c_str(), fileName.c_str()));
      result = 0;
    }
  }
  return result != 0;
}

int TPlanIn::ImportStatement() {
  const int code = statement.keywordIndex + 1;
  auto inState = [&](int state, int (TPlanIn::*step)()) { return importState == state ? (this->*step)() : 0; };
  switch (code) {
    case kOrg: {
      uint32_t address = 0;
      if (!cv::script::ReadHex0x(statement.tokens[1], address)) return 0;
      scriptAddress = static_cast<uint16_t>(address);
      return 1;
    }
    case kPlan:
      return inState(3, &TPlanIn::ImportPlanStart);
    case kHeader3:
      return inState(1, &TPlanIn::ImportHeader3);
    case kChan3T:
      return inState(4, &TPlanIn::ImportTerChannel);
    case kChanD:
      return inState(4, &TPlanIn::ImportDigitalChannel);
    case kChan3S:
      return inState(4, &TPlanIn::ImportSatChannel);
    case kDirectory4:
      return inState(0, &TPlanIn::ImportDirectory4);
    case kCommand3:
      return inState(2, &TPlanIn::ImportCommand3);
    case kSendResource:
      return ImportSendResource();
    default:
      return -1;
  }
}

int TPlanIn::ImportSendResource() {
  const std::string dir = QFile::encodeName(QDir::currentPath()).toStdString();
  const std::string token = statement.tokens[1] ? statement.tokens[1] : "";
  const std::string found = FindFileNoCase(dir, FileSystemName(token));
  if (found.empty()) {
    const std::string path = (NameFromFileSystem(dir) + "/" + token).substr(0, 260);
    const std::string notFound = cv::Msg(cv::msg::xr9fmt::NotFoundSuffix);
    editor.Log(cv::Msg(m::WarningPrefix) + path + notFound);
    const bool cancel = cv::AskBoxYesNo(editor.Ask(), path + notFound + "\n" + cv::Msg(m::CancelLoading),
                                        cv::Msg(cv::msg::xr9::WarningCaption), cv::MsgIcon::Warning);
    return cancel ? 0 : 1;
  }
  if (editor.nextImportSlot >= PlanSlots) {
    cv::ShowBox(editor.Ask(), cv::Msg(cv::msg::xr9::NoMoreRoom), cv::Msg(cv::msg::xr9fmt::CvToolsErrorCaption),
                cv::MsgIcon::Error);
    return kStop;
  }
  TPlanXR9& slot = editor.plans[editor.nextImportSlot];
  slot = TPlanXR9{};
  slot.FilePath = found.substr(0, 260);
  slot.InUse = 3;
  slot.Name = PlanNameFromFile(token);
  slot.FileType = static_cast<uint8_t>(statement.tokens[2] ? cv::AtoI(statement.tokens[2]) : 0);
  slot.Modified = 0;
  ++editor.nextImportSlot;
  return 1;
}

bool TPlanIn::ImportCsvPlanFile(const std::string& path, int format) {
  const cv::BusyCursor cursor;
  std::FILE* f = std::fopen(path.c_str(), "r");
  if (!f) {
    editor.LogZone(cv::LoggedFileName(path) + cv::Msg(cv::msg::xr9fmt::NotFoundSuffix));
    return false;
  }
  csvSlot = -1;
  std::string line;
  while (ReadTextLine(f, line)) {
    if (!line.empty() && line[0] == '#') continue;
    if (!ImportCsvPlanLine(line, format)) break;
  }
  std::fclose(f);
  if (csvSlot >= 0) TPlanEditor::SortChannels(editor.plans[csvSlot]);
  editor.LogZone(cv::Msg(m::LoadedFile) + cv::LoggedFileName(path));
  return true;
}

bool TPlanIn::ImportCsvPlanLine(const std::string& line, int format) {
  char f[kCsvFields][kCsvFieldChars + 1];
  if (!SplitCsvLine(line, f)) return true;
  if (editor.csvPlanCounter == 0 || csvSlot < 0 || lastSatellite != f[9]) {
    const int slot = editor.FindFreePlanSlot();
    if (slot < 0) return false;
    if (csvSlot >= 0) TPlanEditor::SortChannels(editor.plans[csvSlot]);
    csvSlot = slot;
    lastSatellite = f[9];
    ++editor.csvPlanCounter;
    TPlanXR9& p = editor.plans[slot];
    p.InUse = 3;
    p.PlanType = static_cast<uint8_t>(format);
    p.FileType = 4;
    p.Name = std::string(f[10]).substr(0, PlanNameMax);
    if (p.Name.empty()) p.Name = "?";  // an unnamed slot would count as free
    p.FilePath = std::string(f[10]).substr(0, PlanNameMax);
  }
  TPlanXR9& p = editor.plans[csvSlot];
  p.Modified = 1;
  if (!p.Channels) p.Channels.emplace();
  const uint32_t khz = static_cast<uint32_t>(cv::AtoL(f[1])) * 1000u;
  p.Channels->push_back(TChanXR9(f[0][0] ? f[0] : "ch??", khz, khz));
  p.ChannelCount = static_cast<uint32_t>(p.Channels->size());
  const int ch = static_cast<int>(p.Channels->size()) - 1;
  auto set = [&](int id, const uint8_t* value = nullptr) { editor.SetChannelAttribute(csvSlot, ch, id, value); };

  bool analogue = false;
  const char* type = f[3];
  if (Contains(type, "DVB-S2") || Contains(type, "DVB-S")) {
    set(13);
  } else if (Contains(type, "PAL") || Contains(type, "SECAM") || Contains(type, "NTSC")) {
    set(10);
    analogue = true;
  } else if (Contains(type, "422") || Contains(type, "DIC") || Contains(type, "MPG") || Contains(type, "MPEG")) {
    set(13);
  } else {
    analogue = true;
  }
  const char pol = f[2][0], band = f[6][0];
  if (pol == 'H' || pol == 'L') {
    if (band == 'H') set(21);
    else if (band == 'L') set(18);
  } else if (pol == 'V') {
    if (band == 'H') set(20);
    else if (band == 'L') set(16);
  }
  uint8_t value[4];
  if (const long sr = cv::AtoL(f[4]); sr != 0) {
    LittleEndian(static_cast<uint32_t>(ClampSymbolRate(sr)) * 1000u, value);
    set(23, value);
  }
  static const char* const kRates[] = {"1/2", "2/3", "3/4", "4/5", "5/6", "7/8", "6/7"};
  for (int i = 0; i < 7; ++i) {
    if (Contains(f[5], kRates[i])) {
      set(38 + i);
      break;
    }
  }
  if (!analogue) set(Contains(f[7], "ON") ? 25 : 24);
  if (const long bw = cv::AtoL(f[8]); bw != 0) {
    LittleEndian(static_cast<uint32_t>(ClampBandwidth(std::clamp<int64_t>(bw, -1000000000, 1000000000) * 1000)), value);
    set(22, value);
  }
  TPlanEditor::SortChannels(p);
  return true;
}

// ---------------------------------------------------------------------------------------------
// Loading

bool TPlanIn::LoadCanalization(const std::string& path) {
  editor.ClearModifiedMarks();
  editor.EnableTransferButtons(false);
  editor.planIndex = -1;
  editor.channelIndex = -1;
  editor.View().RefreshAll();
  editor.nextImportSlot = 0;
  const std::string fileName = cv::LoggedFileName(path);
  const bool ok = ReadCanalizationScript(path) && LoadCanalizationPlanFiles();
  if (ok) {
    BothLogs(cv::Format(cv::Msg(m::PlanLoadedFrom).c_str(), fileName.c_str()));
    editor.LogZone(cv::Msg(m::LoadedFile) + fileName);
  } else {
    BothLogs(cv::Msg(m::CouldNotFinish) + fileName);
    editor.View().RefreshAll();
  }
  editor.EnableTransferButtons(true);
  return ok;
}

bool TPlanIn::LoadCanalizationPlanFiles() {
  const PlanSinks sinks = editor.Sinks();
  for (int i = 0; i < PlanSlots && editor.plans[i].InUse != 0 && !editor.plans[i].FilePath.empty(); ++i) {
    TPlanXR9& plan = editor.plans[i];
    // A ".CAN" file holds no file type: only the script line says that a plan is modifiable.
    const uint8_t scripted = plan.FileType;
    if (!ReadCanFile(plan, sinks)) {
      BothLogs(cv::Format(cv::Msg(m::PlanFileNotRead).c_str(), cv::LoggedFileName(plan.FilePath).c_str()));
      return false;
    }
    if (scripted == 2 || scripted == 5) plan.FileType = plan.PlanType == 7 ? 2 : 5;
  }
  return true;
}

void TPlanIn::ReadBtnClick(QWidget* parent) {
  if (editor.AnyPlanModified() && editor.AskSaveChanges()) return;
  // The store is replaced only by a canalization read whole: anything less gives back what the
  // person had, marks and focus included, and says so in a box.
  std::vector<TPlanXR9> before = editor.plans;
  const int planBefore = editor.planIndex, channelBefore = editor.channelIndex;
  editor.ClearModifiedMarks();
  editor.EnableTransferButtons(false);
  cv::FileDialogRequest request;
  request.filter = QString::fromStdString(cv::Msg(m::ProFilter));
  request.initialDir = QDir::currentPath();
  const QString chosen = cv::OpenFileDialog(parent, request);
  if (chosen.isEmpty()) {
    // No file, no change: the marks come back, so Close still asks about the unsaved plans.
    editor.plans = std::move(before);
  } else {
    const std::string path = chosen.toLocal8Bit().toStdString();
    editor.ClearAllPlans();
    bool read = false;
    switch (DetectPlanFileKind(path, editor.Sinks())) {
      case 0:
        BothLogs(cv::Msg(m::CorvaneImported));
        read = ImportCorvaneCanalization(path);
        if (read) ConvertImportedPlans();
        break;
      case 1:
        read = LoadCanalization(path);
        break;
      default:  // a satellite CSV import file holds plans to add, not a canalization
        break;
    }
    if (!read) {
      editor.plans = std::move(before);
      editor.planIndex = planBefore;
      editor.channelIndex = channelBefore;
      const std::string text = cv::Format(cv::Msg(m::CanalizationNotLoaded).c_str(), cv::LoggedFileName(path).c_str());
      BothLogs(text);
      cv::ShowBox(editor.Ask(), text, cv::Msg(cv::msg::xr9fmt::CvToolsErrorCaption), cv::MsgIcon::Error);
    }
    editor.View().RefreshAll();
  }
  editor.EnableTransferButtons(editor.ListedPlans() > 0);
}

void TPlanIn::AddChannelSetBtnClick(QWidget* parent) {
  cv::FileDialogRequest request;
  request.filter = QString::fromStdString(cv::Msg(m::CanFilter) + "|" + cv::Msg(m::CsvFilter));
  request.initialDir = QDir::currentPath();
  request.multiSelect = true;
  QStringList files = cv::OpenFilesDialog(parent, request);
  if (files.isEmpty()) return;
  while (!files.isEmpty()) {
    const std::string path = files.takeFirst().toLocal8Bit().toStdString();
    const std::string fileName = TXR9Equip::GetFileName(path);
    const size_t dot = fileName.find_last_of('.');
    const std::string ext = dot == std::string::npos ? std::string() : Upper(fileName.substr(dot));
    if (ext == ".CSV") {
      if (DetectPlanFileKind(path, editor.Sinks()) == 2) {
        editor.LogZone(cv::Msg(m::CsvAccepted));
        editor.csvPlanCounter = 0;
        ImportCsvPlanFile(path, 5);
      }
    } else if (ext == ".CAN") {
      const int slot = editor.FindFreePlanSlot();
      if (slot >= 0) {
        TPlanXR9& p = editor.plans[slot];
        p.InUse = 3;
        p.FilePath = path.substr(0, 260);
        p.Name = PlanNameFromFile(NameFromFileSystem(TXR9Equip::GetFileName(path)));
        if (!ReadCanFile(p, editor.Sinks())) p = TPlanXR9{};
      }
    }
    editor.View().RefreshAll();
  }
  editor.EnableTransferButtons(editor.ListedPlans() > 0);
}

}  // namespace cv::xr9
