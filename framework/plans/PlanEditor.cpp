#include "PlanEditor.h"

#include <QDir>
#include <QFileInfo>
#include <exception>

#include "CommandTable.h"
#include "Cv3Equip.h"
#include "Messages.h"
#include "MsgIds.h"
#include "PlanFormat.h"
#include "ScriptCore.h"
#include "ScriptEngine.h"
#include "PlanScript.h"
#include "PlanTextFile.h"
#include "Text1252.h"
#include "WorkingFile.h"

namespace cv::plan {

namespace {

std::string CurrentDir() { return QDir::currentPath().toLocal8Bit().toStdString(); }

bool FileExists(const std::string& path) {
  QFileInfo info(QString::fromLocal8Bit(path.c_str()));
  return info.exists() && info.isFile();
}

}  // namespace

PlanEditor::PlanEditor(PlanEquipment& equip, cv::Prompter& prompter, FileChooser& chooser, PlanView& view,
                       const PlanFamily& family)
    : equip(equip), family(family), prompter(prompter), chooser(chooser), view(view) {
  for (PlanSlot& s : planSlots) ClearPlan(s);
}

void PlanEditor::Error(const std::string& text, cv::MsgIcon icon) {
  cv::ShowBox(prompter, text, Msg(msg::PlanCaptionError), icon);
  equip.Log(text);
}

// ---- planSlots ----

PlanSlot* PlanEditor::GetSelectedPlan() {
  return listIndex >= 0 && listIndex < family.planSlots ? &planSlots[listIndex] : nullptr;
}

void PlanEditor::ClearAllPlans() {
  for (PlanSlot& s : planSlots) ClearPlan(s);
}

bool PlanEditor::AllPlansEmpty() const {
  for (const PlanSlot& s : planSlots)
    if (s.HoldsPlan()) return false;
  return true;
}

int PlanEditor::NextFreePlan(int i) const {
  if (AllPlansEmpty()) return 0;
  for (int j = i + 1; j < family.planSlots; ++j)
    if (!planSlots[j].HoldsPlan()) return j;
  return -1;
}

int PlanEditor::PrevFreePlan(int i) const {
  if (AllPlansEmpty()) return 0;
  for (int j = i - 1; j >= 0; --j)
    if (!planSlots[j].HoldsPlan()) return j;
  return -1;
}

int PlanEditor::FirstFreePlan() const { return NextFreePlan(-1); }

void PlanEditor::SwapPlans(int a, int b) { std::swap(planSlots[a], planSlots[b]); }

int PlanEditor::FirstPlanFrom(int index) const {
  if (index < 0 || index >= family.planSlots) index = 0;
  for (int n = 0; n < family.planSlots; ++n) {
    int s = (index + n) % family.planSlots;
    if (planSlots[s].HoldsPlan()) return s;
  }
  return -1;
}

void PlanEditor::Select(int slot) {
  listIndex = slot;
  planSelected = true;
}

void PlanEditor::FillPlanList() {
  listFilled = true;
  if (listIndex < 0) listIndex = 0;
}

void PlanEditor::BackToInitialState() {
  modified = false;
  unreadPlan = -1;
  planSelected = false;
  listFilled = false;
  listIndex = -1;
}

// ---- buttons ----

void PlanEditor::NewBtnClick() {
  if (!planSelected) ClearAllPlans();
  int s = listIndex < 0 ? 0 : listIndex;
  int slot = NextFreePlan(s);
  if (slot < 0) slot = FirstFreePlan();
  if (slot < 0) {
    cv::ShowBox(prompter, Msg(msg::PlanMaxPlans), Msg(msg::PlanCaptionPlansError), cv::MsgIcon::Warning);
    return;
  }
  modified = true;
  NewPlan(planSlots[slot]);
  FillPlanList();
  Select(slot);
}

void PlanEditor::InsertBtnClick() {
  if (!planSelected) ClearAllPlans();
  int s = listIndex < 0 ? 0 : listIndex;
  int f = NextFreePlan(s);
  if (f >= 0) {
    for (int j = f; j > s; --j) planSlots[j] = planSlots[j - 1];
  } else {
    f = PrevFreePlan(s);
    if (f < 0) {
      cv::ShowBox(prompter, Msg(msg::PlanMaxPlans), Msg(msg::PlanCaptionPlansError), cv::MsgIcon::Warning);
      return;
    }
    for (int j = f; j < s; ++j) planSlots[j] = planSlots[j + 1];
  }
  modified = true;
  NewPlan(planSlots[s]);
  FillPlanList();
  Select(s);
}

void PlanEditor::DeleteBtnClick() {
  int i = listIndex;
  if (!planSelected || AllPlansEmpty() || i < 0 || i >= family.planSlots) return;
  ClearPlan(planSlots[i]);
  modified = true;
  int next = FirstPlanFrom(i);
  if (next < 0)
    BackToInitialState();
  else
    Select(next);
}

void PlanEditor::UpBtnClick() {
  int i = listIndex;
  if (!planSelected || i <= 0 || i >= family.planSlots) return;
  modified = true;
  SwapPlans(i, i - 1);
  listIndex = i - 1;
}

void PlanEditor::DownBtnClick() {
  int i = listIndex;
  if (!planSelected || i < 0 || i >= family.planSlots - 1) return;
  modified = true;
  SwapPlans(i, i + 1);
  listIndex = i + 1;
}

int PlanEditor::EditBtnClick() {
  // A double click or Enter in the list while nothing is selected must not open the channel
  // editor on a slot that holds no plan.
  PlanSlot* slot = GetSelectedPlan();
  if (!planSelected || !slot || !slot->HoldsPlan()) return -1;
  const bool readNow = slot->ChannelsUnread();
  // A plan whose channels did not all come says so before the list opens short or empty.
  if (LoadPlanChannelsIfNeeded() && !readNow && slot->Incomplete()) TellUnread(*slot);
  editedSlot = listIndex;
  wordsBeforeEdit = ChannelWords(*slot);
  return listIndex;
}

std::vector<uint32_t> PlanEditor::ChannelWords(const PlanSlot& slot) {
  std::vector<uint32_t> words;
  for (const TChan3& c : slot.Channels()) words.push_back(c.word);
  return words;
}

void PlanEditor::ChannelsEdited(int index) {
  if (index < 0 || index >= family.planSlots) return;
  PlanSlot& s = planSlots[index];
  // Channels the person added, deleted or moved make the plan theirs: it no longer stands for
  // what the instrument holds, and is whole as it is.
  if (index == editedSlot && ChannelWords(s) != wordsBeforeEdit) s.unreadChannel = -1;
  editedSlot = -1;
  // Still the instrument's plan, short: it keeps the count the instrument gave.
  if (s.Incomplete()) return;
  s.channelCount = static_cast<int32_t>(s.Channels().size());
  CopyField(s.countText, Hex(static_cast<unsigned>(s.channelCount), 2));
  modified = true;
}

bool PlanEditor::LoadPlanChannelsIfNeeded() {
  PlanSlot* slot = GetSelectedPlan();
  if (!planSelected || !slot || !slot->ChannelsUnread()) return true;
  if (!equip.CheckVersion()) {
    Error(Msg(msg::PlanReceivePlanNoEquip), cv::MsgIcon::Warning);
    return false;
  }
  ReadPlanChannels(*slot);
  return true;
}

std::string PlanEditor::UnreadText(const PlanSlot& slot) {
  return Fill(Msg(msg::PlanChannelUnread), {ShownName(slot.name), Dec(slot.unreadChannel + 1), Dec(slot.channelCount),
                                            Dec(slot.unreadChannel)});
}

void PlanEditor::TellUnread(const PlanSlot& slot) {
  std::string box = UnreadText(slot);
  if (family.readPlanFailedLogMsg) {
    equip.Log(Msg(family.readPlanFailedLogMsg) + ShownName(slot.name));
    box = Fill(Msg(family.readPlanFailedBoxMsg), {ShownName(slot.name)}) + "\n" + box;
  }
  equip.Log(UnreadText(slot));
  cv::ShowBox(prompter, box, Msg(msg::PlanCaptionPlansError), cv::MsgIcon::Warning);
}

bool PlanEditor::ReadPlanChannels(PlanSlot& slot, bool tell) {
  slot.Channels().clear();
  slot.unreadChannel = -1;
  equip.Log(Fill(Msg(msg::PlanReadingPlan), {ShownName(slot.name)}));
  view.SetGauge(0);
  for (int i = 0; i < slot.channelCount; ++i) {
    TChan3 work;
    if (!equip.ReadChannelInfo(i, slot.instrumentPlan, work, slot.band)) {
      slot.unreadChannel = i;
      break;
    }
    view.SetGauge((i + 1) * 100 / slot.channelCount);
    view.Repaint();
    const std::string name = ScriptSafeName(work.name);
    slot.Channels().push_back(
        family.channelFromTexts
            ? family.channelFromTexts(name, work.wordText, work.word2Text, slot.band, work.commands[0],
                                      work.commands[1], work.commands[2])
            : TChan3::FromTexts(name, work.wordText, work.word2Text, slot.band, work.commands[0],
                                work.commands[1], work.commands[2], *family.ranges));
  }
  view.SetGauge(0);
  if (slot.Incomplete() && tell) TellUnread(slot);
  return !slot.Incomplete();
}

bool PlanEditor::AskToSave() {
  return cv::AskToSaveChanges(prompter, Msg(msg::PlanAskSave), Msg(msg::PlanCaptionWarning), [this] {
    if (!SaveBtnClick()) return false;
    modified = false;
    return true;
  });
}

void PlanEditor::ReceiveBtnClick() {
  if (!equip.CheckVersion()) {
    equip.Log(Msg(msg::PlanReceiveNoEquip));
    return;
  }
  if (modified && !AskToSave()) return;
  modified = false;
  planSelected = false;
  listFilled = false;
  listIndex = -1;
  unreadPlan = -1;
  view.SetGauge(0);
  bool any = false;
  bool garbled = false;
  for (int p = 0; p < family.planSlots; ++p) {
    PlanSlot& slot = planSlots[p];
    PlanInfo info;
    const PlanAnswer answer = unreadPlan < 0 ? equip.ReadPlanInfo(p, info) : PlanAnswer::Lost;
    ClearPlan(slot);
    if (answer == PlanAnswer::Plan) {
      static_cast<PlanInfo&>(slot) = info;
      CopyField(slot.name, ScriptSafeName(slot.name));
      slot.empty = 0;
      slot.origin = PlanSlot::Received;
      slot.instrumentPlan = p;
      any = true;
    } else if ((answer == PlanAnswer::Lost || answer == PlanAnswer::Garbled) && unreadPlan < 0) {
      // A lost link would cost every later plan its full wait, for nothing: the rest is unknown.
      // A garbled reply is no word that the plan is absent: the meter and the program are out
      // of step, and an empty slot taken for it would be saved and sent as the meter's.
      unreadPlan = p;
      garbled = answer == PlanAnswer::Garbled;
    }
    view.SetGauge((p + 1) * 100 / family.planSlots);
    view.Repaint();
  }
  listFilled = true;
  view.SetGauge(0);
  if (unreadPlan >= 0) {
    const std::string text =
        Fill(Msg(garbled ? msg::PlanReceiveGarbled : msg::PlanReceiveStopped), {Dec(unreadPlan + 1)});
    equip.Log(text);
    cv::ShowBox(prompter, text, Msg(msg::PlanCaptionPlansError), cv::MsgIcon::Warning);
  } else if (!any) {
    cv::ShowBox(prompter, Msg(msg::PlanNonePresent), Msg(msg::PlanCaptionPlainError), cv::MsgIcon::Warning);
  }
  if (!any) return;
  // The first plan the instrument holds, which is slot 0 unless its plan 0 is missing.
  Select(FirstPlanFrom(0));
}

void PlanEditor::ReadBtnClick() {
  if (modified && !AskToSave()) return;
  std::string path = chooser.OpenFile(Msg(msg::PlanProFilter), CurrentDir());
  if (path.empty()) return;
  // The plans are read aside and replace the editor's only when the whole script was read.
  PlanSlots scratch;
  if (!ReadScriptFile(path, scratch)) {
    equip.Log(Msg(msg::PlanProLoadFailed) + cv::LoggedFileName(path));
    return;
  }
  planSlots = std::move(scratch);
  unreadPlan = -1;
  modified = false;
  listIndex = -1;
  FillPlanList();
  Select(FirstPlanFrom(0));
}

bool PlanEditor::ReadScriptFile(const std::string& path, PlanSlots& into) {
  for (PlanSlot& s : into) ClearPlan(s);
  TextFileLines file;
  return ReadTextLines(path, file) &&
         ReadProPlans(
             file, path,
             [this](const std::string& l, int& k, std::vector<std::string>& a) { return equip.ParseLine(l, k, a); },
             equip.ModelName(), into, *this, family);
}

void PlanEditor::AddBtnClick() {
  if (!planSelected) ClearAllPlans();
  int slot = NextFreePlan(listIndex < 0 ? 0 : listIndex);
  if (slot < 0) slot = FirstFreePlan();
  if (slot < 0) {
    cv::ShowBox(prompter, Msg(msg::PlanMaxPlans), Msg(msg::PlanCaptionPlansError), cv::MsgIcon::Warning);
    return;
  }
  std::string path = chooser.OpenFile(Msg(msg::PlanCsvFilter), CurrentDir());
  if (path.empty()) return;
  if (!ReadPlanTextFile(path, slot)) {
    equip.Log(Msg(msg::PlanCsvLoadFailed) + cv::LoggedFileName(path));
    return;
  }
  PlanSlot& s = planSlots[slot];
  s.code = slot + 1;
  CopyField(s.codeText, Hex(static_cast<unsigned>(s.code), 2));
  s.instrumentPlan = slot;
  modified = true;
  FillPlanList();
  planSelected = true;
}

void PlanEditor::ExtractBtnClick() {
  PlanSlot* slot = GetSelectedPlan();
  if (!planSelected || !slot) return;
  if (slot->Channels().empty()) {
    if (slot->origin == PlanSlot::Received) {
      if (!LoadPlanChannelsIfNeeded()) return;
    } else {
      cv::ShowBox(prompter, Msg(msg::PlanEmpty), Msg(msg::PlanCaptionError), cv::MsgIcon::Error);
      return;
    }
  }
  std::string path = chooser.SaveFile(Msg(msg::PlanCsvFilter), "csv", CurrentDir());
  if (path.empty()) return;
  if (WritePlanTextFile(path, *slot))
    equip.Log(Msg(msg::PlanCsvSaved) + cv::LoggedFileName(path));
  else
    equip.Log(Msg(msg::PlanCsvNotSaved) + cv::LoggedFileName(path));
}

bool PlanEditor::ReadPlanTextFile(const std::string& path, int slot) {
  TextFileLines file;
  if (!ReadTextLines(path, file)) {
    Error(Fill(Msg(msg::PlanCannotOpen), {path}));
    return false;
  }
  const FieldSplitter split = [this](const std::string& l, std::vector<std::string>& f) {
    return equip.SplitFields(l, f);
  };
  const bool read = family.readPlanFile ? family.readPlanFile(file, path, split, planSlots[slot], *this)
                                        : ReadPlanText(file, path, split, planSlots[slot], *this, family);
  if (read) modified = true;
  return read;
}

bool PlanEditor::WritePlanTextFile(const std::string& path, const PlanSlot& slot) {
  if (family.writePlanFile)
    return family.writePlanFile(path, slot, equip.DecimalSeparator(), equip.ListSeparator(), *this);
  if (WriteWholeFile(path, PlanTextFileContent(slot, equip.DecimalSeparator(), equip.ListSeparator(), family)))
    return true;
  std::string text = Fill(Msg(msg::PlanCannotCreate), {path});
  cv::ShowBox(prompter, text, Msg(msg::PlanCaptionError), cv::MsgIcon::Warning);
  equip.Log(text);
  return false;
}

bool PlanEditor::WriteScript(const std::string& path, PlanScriptWriter::Variant variant) {
  if (unreadPlan >= 0) {
    Error(Fill(Msg(msg::PlanSetIncomplete), {Dec(unreadPlan + 1)}), cv::MsgIcon::Warning);
    return false;
  }
  const QString file = QString::fromLocal8Bit(path.c_str());
  {
    // A script that cannot be created is reported before the instrument is asked for anything.
    QFile probe(file);
    if (!probe.open(QIODevice::Append)) {
      Error(Fill(Msg(family.scriptNotCreatedMsg), {path}), cv::MsgIcon::Warning);
      return false;
    }
  }
  equip.Log(Msg(msg::PlanCreatingPro));
  auto fail = [&] {
    // No script is kept that does not hold the whole canalization.
    QFile::remove(file);
    return false;
  };
  bool checked = false;
  for (PlanSlot& slot : planSlots) {
    if (!slot.HoldsPlan()) continue;
    // Every stop below is shown in the editor: Save and Send end here without a file dialog or
    // a run, and the host log is behind the modal editor.
    if (slot.ChannelsUnread()) {
      if (!checked && !equip.CheckVersion()) {
        Error(Msg(msg::PlanReceivePlansNoEquip), cv::MsgIcon::Warning);
        return fail();
      }
      checked = true;
      ReadPlanChannels(slot, false);  // a refusal is told once, by the box below
    }
    // A received plan that the instrument stopped sending halfway would be written shorter
    // than it is.
    if (slot.origin == PlanSlot::Received &&
        (slot.Incomplete() || static_cast<int>(slot.Channels().size()) != slot.channelCount)) {
      const std::string count = Fill(Msg(msg::PlanChannelsIncomplete),
                                     {Dec(static_cast<long long>(slot.Channels().size())), Dec(slot.channelCount),
                                      ShownName(slot.name)});
      Error(slot.Incomplete() ? UnreadText(slot) + "\n" + count : count, cv::MsgIcon::Warning);
      return fail();
    }
    if (slot.Channels().empty()) {
      Error(Fill(Msg(msg::PlanWithoutChannels), {ShownName(slot.name)}), cv::MsgIcon::Warning);
      return fail();
    }
  }
  std::string script, problem;
  if (!family.writer->Build(planSlots, variant, script, problem)) {
    cv::ShowBox(prompter, problem, Msg(msg::PlanCaptionError), cv::MsgIcon::Warning);
    const std::string line = family.writer->RefusalLogLine(planSlots);
    if (!line.empty()) equip.Log(line);
    return fail();
  }
  if (!WriteWholeFile(path, script)) {
    Error(Fill(Msg(family.scriptNotCreatedMsg), {path}), cv::MsgIcon::Warning);
    return fail();
  }
  equip.Log(Msg(msg::PlanProGenerated));
  return true;
}

bool PlanEditor::SaveBtnClick() {
  if (!planSelected || AllPlansEmpty()) return true;
  const std::string tempScript = cv::WorkingFilePath(family.tempScript);
  if (!WriteScript(tempScript)) return false;
  QFile temp(QString::fromLocal8Bit(tempScript.c_str()));
  if (!temp.open(QIODevice::ReadOnly)) {
    Error(Fill(Msg(msg::PlanTempNotCreated), {tempScript}), cv::MsgIcon::Warning);
    return false;
  }
  std::string script = temp.readAll().toStdString();
  temp.close();
  std::string path = chooser.SaveFile(Msg(msg::PlanProFilter), "pro", CurrentDir());
  if (path.empty()) return false;
  if (!WriteWholeFile(path, script)) {
    Error(Fill(Msg(msg::PlanCannotCreate), {path}) + "\n" + Fill(Msg(msg::PlanCannotWrite), {path}));
    return false;
  }
  equip.Log(Msg(msg::PlanSavedTo) + cv::LoggedFileName(path));
  modified = false;
  return true;
}

bool PlanEditor::LoaderPresent() {
  const char* loader = family.loaderFile;
  if (!loader || FileExists(loader) || FileExists(equip.StartDir() + "/" + loader)) return true;
  Error(Fill(Msg(msg::PlanLoaderMissing), {loader, equip.StartDir()}), cv::MsgIcon::Warning);
  return false;
}

void PlanEditor::SendBtnClick() {
  if (!planSelected || !equip.HasPort() || AllPlansEmpty()) return;
  const std::string script = cv::WorkingFilePath(family.sendScript ? family.sendScript : family.tempScript);
  if (family.sendAsksFirst) {
    if (!equip.CheckVersion()) {
      equip.Log(Msg(msg::PlanSendNoEquip));
      return;
    }
    if (!WriteScript(script, PlanScriptWriter::Sent)) return;
    if (family.checkPlans && !family.checkPlans(planSlots, *this)) return;
    if (!LoaderPresent()) return;
  } else {
    // The script puts the instrument into boot mode before it sends the loader: a missing loader
    // found only then would leave the instrument waiting in its boot loader.
    if (!LoaderPresent()) return;
    if (!WriteScript(script, PlanScriptWriter::Sent)) return;
    if (!equip.CheckVersion()) {
      equip.Log(Msg(msg::PlanSendNoEquip));
      return;
    }
  }
  if (sendCheck && !sendCheck()) return;
  std::string stopped;
  bool failed = false;
  {
    struct Busy {
      PlanView& v;
      explicit Busy(PlanView& v) : v(v) { v.SetBusy(true); }
      ~Busy() { v.SetBusy(false); }
    } busy(view);
    try {
      if (equip.RunScript(script)) {
        equip.Log(Msg(msg::PlanSendOk));
        view.AddLogZone(Msg(msg::PlanSendOk));
        return;
      }
      equip.Log(Msg(msg::PlanSendFailed));
      failed = true;
    } catch (const std::exception& e) {
      stopped = e.what();
      view.AddLogZone(stopped);
    } catch (...) {
      stopped = "?";
    }
  }
  // The host log is behind the modal editor: the box says where the send stopped, with the
  // hourglass gone first.
  if (failed) {
    Error(SendStoppedText(script, equip.StoppedLine()), cv::MsgIcon::Error);
    return;
  }
  // An exception leaving the click would end the program: the editor stays usable instead.
  equip.Log(Msg(msg::PlanSendFailed));
  view.AddLogZone(Msg(msg::PlanSendFailed));
  Error(Fill(Msg(msg::PlanSendStopped), {stopped}));
}

std::string PlanEditor::SendStoppedText(const std::string& script, int line) {
  namespace x = cv::script::exec;
  std::string text;
  int plan = 0;  // the plan (1..) whose part of the script runs, 0 outside every plan
  FILE* file = line > 0 ? std::fopen(script.c_str(), "rb") : nullptr;
  if (file) {
    const ScriptDialect& dialect = family.dialect();
    int headers = 0;
    std::string piece;
    for (int n = 1; n <= line && cv::script::ReadScriptPiece(file, piece); ++n) {
      int keyword = 0;
      std::vector<std::string> args;
      const bool statement = ParseDialectLine(dialect, piece, keyword, args) == 1;
      const ScriptExecutor run = statement ? dialect.ExecutorOf(keyword) : nullptr;
      const bool channel = run && (run == x::Chan3T || run == x::Chan3S || run == family.thirdBandChannel);
      if (run == x::Header3) ++headers;
      if (run == x::Plan)
        plan = static_cast<int>(ParseInteger(args.empty() ? "" : args[0]).value_or(0));
      else if (run && !channel && run != x::Org && run != x::Alert)
        plan = 0;
      if (n < line) continue;
      // The plan a line writes is the k-th the canalization holds, as the writer numbered them.
      const int k = run == x::Header3 ? headers : plan;
      const PlanSlot* slot = nullptr;
      for (int s = 0, seen = 0; s < family.planSlots && k > 0 && !slot; ++s)
        if (planSlots[s].HoldsPlan() && ++seen == k) slot = &planSlots[s];
      const std::string name = slot ? ShownName(slot->name) : Dec(k);
      if (channel && args.size() >= 2)
        text = Fill(Msg(msg::PlanSendStoppedChannel),
                    {name, Dec(ParseInteger(args[0]).value_or(-1) + 1), args[1], Dec(line), piece});
      else if (k > 0)
        text = Fill(Msg(msg::PlanSendStoppedPlan), {name, Dec(line), piece});
      else
        text = Fill(Msg(msg::PlanSendStoppedLine), {Dec(line), piece});
    }
    std::fclose(file);
  }
  return text.empty() ? Msg(msg::PlanSendFailed) : text;
}

bool PlanEditor::CloseBtnClick() { return !modified || AskToSave(); }

void PlanEditor::OnClickListBox(int index) {
  int s = FirstPlanFrom(index);
  if (s >= 0) {
    Select(s);
    return;
  }
  if (modified) AskToSave();
  BackToInitialState();
}

// ---- readers ----

int PlanEditor::ReadNameEdit(std::string& text) {
  PlanSlot* slot = GetSelectedPlan();
  if (!planSelected || !slot) return 0;
  // The field shows the name without its padding: that text, left as it is, is no change.
  if (text == ShownName(slot->name)) return 0;
  const std::string name = ScriptSafeName(TCv3Equip::FixWidth(text.substr(0, 8), 8));
  text = ShownName(name);
  if (name == slot->name) return 0;
  CopyField(slot->name, name);
  modified = true;
  return 1;
}

int PlanEditor::ReadCodeEdit(const std::string& text) {
  PlanSlot* slot = GetSelectedPlan();
  if (!planSelected || !slot) return 0;
  auto v = ParseInteger(text);
  if (!v || *v < 0 || *v > 255) {
    prompter.Beep();
    return -1;
  }
  if (*v == slot->code) return 0;
  slot->code = static_cast<int32_t>(*v);
  CopyField(slot->codeText, Hex(static_cast<unsigned>(*v), 2));
  modified = true;
  return 1;
}

int PlanEditor::ReadLNBEdit(const std::string& text) {
  PlanSlot* slot = GetSelectedPlan();
  if (!planSelected || !slot) return 0;
  bool blank = text.find_first_not_of(" \t") == std::string::npos;
  auto v = blank ? std::optional<double>(0.0) : ParseNumber(text);
  if (!v || *v < 0 || *v > 52428.7) {
    prompter.Beep();
    return -1;
  }
  if (slot->band != 'S') {
    // A terrestrial plan has no LNB; only a value actually typed is worth a beep.
    if (*v != 0) prompter.Beep();
    return -2;
  }
  float before = slot->lnbMHz;
  slot->lnbMHz = static_cast<float>(*v);
  // From the value typed: its single-precision copy may fall just below the tenth typed.
  CopyField(slot->lnbText, Hex(static_cast<unsigned long long>(*v * 10.0 + 1e-6), 5));
  if (slot->lnbMHz == before) return 0;
  modified = true;
  return 1;
}

int PlanEditor::ReadBandCombo(int index) {
  PlanSlot* slot = GetSelectedPlan();
  if (!planSelected || !slot || index < 0) return 0;
  char band = index == 1 ? 'S' : index == 2 && family.thirdBandNumber != 0 ? family.thirdBand : 'T';
  if (band == slot->band) return 0;
  slot->band = band;
  if (band != 'S') {
    slot->lnbMHz = 0;
    CopyField(slot->lnbText, "00000");
  }
  modified = true;
  return 1;
}

int PlanEditor::ReadCommandCombo(int k, int index) {
  PlanSlot* slot = GetSelectedPlan();
  if (!planSelected || !slot || k < 0 || k > 2 || index < 0) return 0;
  if (index == family.commands->IndexOfMnemonic(slot->commands[k])) return 0;
  CopyField(slot->commands[k], family.commands->Row(index).mnemonic);
  modified = true;
  return 1;
}

}  // namespace cv::plan
