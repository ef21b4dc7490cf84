#include "Xr9PlanOut.h"

#include <QDir>
#include <QFile>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <sstream>

#include "AtomicFile.h"
#include "FileDialogs.h"
#include "Format.h"
#include "Messages.h"
#include "MsgIds.h"
#include "Prompt.h"
#include "Text1252.h"
#include "WorkingFile.h"
#include "Xr9PlanEditor.h"
#include "Xr9Transfer.h"

namespace cv::xr9 {

namespace m = cv::msg::xr9out;

namespace {

std::string PlanTemp() { return cv::WorkingFilePath(TPlanOut::kPlanTemp); }

// Value byte 0 of the first record of `code` in a list; -1 when there is none.
int FirstValue(const TChanAttribute* list, int code) {
  TChanAttribute a;
  FindListAttribute(list, code, a);
  return a.code == TChanAttribute::EndCode ? -1 : a.value[0];
}

// The SYS and TYPE checks shared by plans and channels; `j83b` is the item text of ITU J.83B.
template <class Fail>
void CheckSystemAndType(const TChanAttribute* list, const TEquipIdent& id, bool noColour, const char* j83b, Fail fail) {
  const int sys = FirstValue(list, AttrSys);
  if (sys == 1 && noColour) fail("PAL");
  if (sys == 2 && noColour) fail("SECAM");
  struct TypeRow {
    int value;
    uint8_t TEquipIdent::*flag;
    const char* item;
  };
  static const TypeRow rows[] = {{0, &TEquipIdent::flag5, "COFDM"}, {1, &TEquipIdent::flag6, "QAM DVB-C"},
                                 {2, &TEquipIdent::flag7, "QPSK DVB-S"}, {4, &TEquipIdent::flag1, "DSS"},
                                 {5, &TEquipIdent::flag3, "8-VSB"}, {6, &TEquipIdent::flag2, nullptr},
                                 {7, &TEquipIdent::flag8, "DVB-S2"}};
  const int type = FirstValue(list, AttrType);
  for (const TypeRow& r : rows)
    if (type == r.value && !(id.*r.flag)) fail(r.item ? r.item : j83b);
}

std::string ReadWhole(const std::string& path, bool& ok) {
  std::ifstream in(path, std::ios::binary);
  ok = static_cast<bool>(in);
  if (!ok) return {};
  std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  ok = !in.bad();
  return bytes;
}

std::string CurrentDir() { return QFile::encodeName(QDir::currentPath()).toStdString(); }
std::string PathOf(const QString& path) { return QFile::encodeName(path).toStdString(); }
QString FromPath(const std::string& path) { return QFile::decodeName(QByteArray::fromStdString(path)); }

const char kRule[] = "#----------------------------------------------";

}  // namespace

std::vector<std::string> CompatibilityFailures(const TPlanXR9& plan, const TEquipIdent& id) {
  const bool noColour = (id.model == 0x10 && id.optionByte == 1) || (id.model == 1 && id.optionByte == 2);
  const bool basic = id.model == 0x10;
  std::vector<std::string> lines;
  CheckSystemAndType(plan.Attributes, id, noColour, "ITU J.83/B QAM", [&](const char* item) {
    lines.push_back(cv::Format(cv::Msg(cv::msg::plancheck::PlanNotSupported), plan.Name, item));
  });
  if (!plan.Channels) return lines;
  for (const TChanXR9& ch : *plan.Channels) {
    auto fail = [&](const char* item) {
      lines.push_back(
          cv::Format(cv::Msg(cv::msg::plancheck::ChannelNotSupported), plan.Name, std::string(ch.name), item));
    };
    CheckSystemAndType(ch.attrs1, id, noColour, "ITU J.83B", fail);
    if (!basic) continue;
    if (FirstValue(ch.attrs1, AttrConstellation) == 6) fail("8PSK");
    if (FirstValue(ch.attrs1, AttrCarriers) == 2) fail("4K");
    const int rate = FirstValue(ch.attrs1, AttrCodeRate);
    if (rate >= 7 && rate <= 12) fail("CODE RATE");
  }
  return lines;
}

std::string CanalizationScriptText(const std::vector<TPlanXR9>& plans) {
  std::string title = cv::Msg(m::ScriptTitle);
  if (title.size() < sizeof kRule - 1) title.resize(sizeof kRule - 1, ' ');
  std::ostringstream out;
  out << kRule << '\n' << title << '\n' << kRule << '\n' << cv::Msg(m::ScriptGenerated) << '\n'
      << "LOG YES\n"
      << "ask *?NA     #register equipment in LOG file\n"
      << "ask *?VE     #register version in LOG file\n"
      << kRule << '\n' << "SEND *7205&\n" << kRule << '\n' << kRule << "\n\n";
  const std::vector<std::string> files = PlanFileNames(plans);
  for (size_t i = 0; i < plans.size(); ++i) {
    const TPlanXR9& p = plans[i];
    if (!p.Channels || p.Channels->empty()) continue;
    char type[8];
    std::snprintf(type, sizeof type, "%02hX", static_cast<unsigned short>(p.FileType));
    // The file SAVE ONE PLAN writes for this slot, under the extension's spelling of the script.
    const std::string& file = files[i];
    out << "SENDRESOURCE " << file.substr(0, file.size() - 4) << ".CAN  " << type << '\n';
  }
  out << "\n\n" << cv::Msg(m::ScriptEnd) << '\n';
  return out.str();
}

bool WriteCanalizationScript(const std::vector<TPlanXR9>& plans, const std::string& path, const PlanSinks& sinks) {
  const std::string creating = cv::Msg(m::CreatingPro);
  if (sinks.editorLog) sinks.editorLog(creating);
  if (sinks.hostLog) sinks.hostLog(creating);
  if (cv::WriteFileAtomically(path, CanalizationScriptText(plans)) == cv::SaveResult::Saved) return true;
  const std::string text = cv::Format(cv::Msg(m::CouldntWriteFile), path);
  if (sinks.hostLog) sinks.hostLog(text);
  if (sinks.editorLog) sinks.editorLog(text);
  cv::ShowBox(sinks.Boxes(), text, cv::Msg(cv::msg::cv3::CvToolsErrorCaption), cv::MsgIcon::Error);
  return false;
}

// ---------------------------------------------------------------------------------------------

TPlanOut::TPlanOut(TPlanEditor& e, PlanOutView& v) : editor(e), view(v) {}

void TPlanOut::Box(const std::string& text, int captionId, cv::MsgIcon icon) {
  cv::ShowBox(editor.Ask(), text, cv::Msg(captionId), icon);
}

void TPlanOut::BothLogs(const std::string& line) {
  editor.Log(line);
  editor.LogZone(line);
}

bool TPlanOut::CheckPlanCompatibility(int slot) {
  if (slot < 0 || slot >= PlanSlots) return false;
  const TPlanXR9& plan = editor.plans[slot];
  if (plan.Name.empty() || !HasChannels(plan)) return false;
  TEquipIdent ident;
  // A failed identification has told the person what it could; the plan is not sent.
  if (!editor.Equip().Identify(ident)) return false;
  const std::vector<std::string> lines = CompatibilityFailures(plan, ident);
  for (const std::string& line : lines) BothLogs(line);
  if (lines.empty()) return true;
  Box(cv::Msg(cv::msg::plancheck::NotCompatible), m::PlansErrorCaption, cv::MsgIcon::Warning);
  return false;
}

bool TPlanOut::SendPlan(int slot) {
  const TPlanXR9& plan = editor.plans[slot];
  if (!CheckPlanCompatibility(slot)) return false;
  TFileTransfer transfer(editor.Equip(), [this](const std::string& line) { editor.LogZone(line); });
  return transfer.UploadFile(PlanTemp(), plan.Name, plan.FileType);
}

void TPlanOut::SendBtnClick() {
  const int index = editor.planIndex;
  if (!editor.HasPort()) {
    view.DisableSendButton(false);
    return;
  }
  bool ok = false;
  if (index >= 0 && index < PlanSlots) {
    const TPlanXR9& plan = editor.plans[index];
    editor.LogZone(cv::Msg(m::Sending) + plan.Name);
    if (!HasChannels(plan)) {
      const std::string text = cv::Format(cv::Msg(m::PlanNoChannels), plan.Name);
      editor.LogZone(text);
      Box(text, cv::msg::cv3::ErrorCaption, cv::MsgIcon::Error);
    } else {
      ok = WriteBinaryPlan(PlanTemp(), plan, index, editor.Sinks()) && SendPlan(index);
    }
  }
  if (ok)
    Box(cv::Msg(m::SentOkBox), m::CvToolsCaption, cv::MsgIcon::Information);
  else
    Box(cv::Msg(m::SendFailedBox), cv::msg::cv3::CvToolsErrorCaption, cv::MsgIcon::Error);
}

void TPlanOut::SendAllBtnClick() {
  if (!editor.HasPort()) {
    view.DisableSendButton(true);
    return;
  }
  bool named = false, empty = false;
  for (int s = 0; s < PlanSlots; ++s) {
    const TPlanXR9& plan = editor.plans[s];
    if (plan.Name.empty()) continue;
    named = true;
    if (!HasChannels(plan)) {
      empty = true;
      Box(cv::Format(cv::Msg(m::PlanNoChannelsSend), plan.Name), cv::msg::cv3::ErrorCaption,
          cv::MsgIcon::Warning);
    }
  }
  if (empty || !named) return;
  bool stopped = false;
  for (int s = 0; s < PlanSlots && !stopped && HasChannels(editor.plans[s]); ++s) {
    bool sent = false;
    for (int attempt = 0; attempt < kSendAttempts && !sent; ++attempt) {
      if (WriteBinaryPlan(PlanTemp(), editor.plans[s], s, editor.Sinks())) {
        editor.LogZone(cv::Msg(m::Sending) + editor.plans[s].Name);
        sent = SendPlan(s);
      }
      // Paint and timer events only: a click now would change the store under the walk.
      if (editor.Equip().clock) editor.Equip().clock->PumpEvents(0, false);
    }
    stopped = !sent;
  }
  if (stopped)
    Box(cv::Msg(m::CommErrors), cv::msg::cv3::CvToolsErrorCaption, cv::MsgIcon::Error);
  else
    Box(cv::Msg(m::SentOkBox), m::CvToolsCaption, cv::MsgIcon::Information);
}

// ---------------------------------------------------------------------------------------------
// Saving

void TPlanOut::SaveBtnClick() {
  const int index = editor.planIndex;
  if (index < 0 || index >= PlanSlots) {
    Box(cv::Msg(cv::msg::xr9::NoPlanSelected), m::UserErrorCaption, cv::MsgIcon::Error);
    return;
  }
  if (view.SelectedPlanLines().size() < 2)
    SaveSelectedPlan(index, true);
  else
    SaveAllSelectedPlans();
}

bool TPlanOut::SaveSelectedPlan(int slot, bool withDialog) {
  if (slot < 0 || slot >= PlanSlots) return false;
  TPlanXR9& plan = editor.plans[slot];
  if (!HasChannels(plan)) {
    Box(cv::Msg(m::SelectedPlanEmpty), m::UserErrorCaption, cv::MsgIcon::Error);
    return false;
  }
  const std::string planTemp = PlanTemp();
  if (!WriteBinaryPlan(planTemp, plan, slot, editor.Sinks())) return false;
  bool read = false;
  const std::string bytes = ReadWhole(planTemp, read);
  if (!read) {
    Box(cv::Msg(m::CannotReopenBin), cv::msg::cv3::CvToolsErrorCaption, cv::MsgIcon::Warning);
    return false;
  }
  std::string target;
  if (withDialog) {
    cv::FileDialogRequest request;
    request.filter = QString::fromStdString(cv::Msg(m::CanFilter));
    request.defaultExt = "can";
    request.initialDir = QDir::currentPath();
    request.fileName = cv::From1252(PlanFileNames(editor.plans)[slot]);
    request.overwritePrompt = true;
    const QString chosen = cv::SaveFileDialog(view.DialogParent(), request);
    if (chosen.isEmpty()) return false;
    target = PathOf(chosen);
  } else {
    target = CurrentDir() + "/" + FileSystemName(PlanFileNames(editor.plans)[slot]);
  }
  switch (cv::WriteFileAtomically(target, bytes)) {
    case cv::SaveResult::NotCreated: {
      const std::string text = cv::Format(cv::Msg(m::CouldntCreateFile), target);
      BothLogs(text);
      Box(text, cv::msg::cv3::CvToolsErrorCaption, cv::MsgIcon::Error);
      return false;
    }
    case cv::SaveResult::NotWritten:
      Box(cv::Msg(m::ErrorCreatingOutput), cv::msg::cv3::CvToolsErrorCaption, cv::MsgIcon::Error);
      return false;
    case cv::SaveResult::Saved:
      break;
  }
  BothLogs(cv::Msg(m::PlanSaved) + cv::LoggedFileName(target));
  plan.Modified = 0;
  return true;
}

void TPlanOut::SaveAllSelectedPlans() {
  if (cv::FolderDialog(view.DialogParent(), QString::fromStdString(cv::Msg(m::FolderCaption)), QDir::currentPath())
          .isEmpty())
    return;
  bool yesToAll = false;
  int written = 0;
  const std::vector<std::string> files = PlanFileNames(editor.plans);
  for (int slot : view.SelectedPlanLines()) {
    if (slot < 0 || slot >= PlanSlots) continue;
    const TPlanXR9& plan = editor.plans[slot];
    const std::string file = FileSystemName(files[slot]);
    if (!yesToAll && QFile::exists(FromPath(file))) {
      const cv::MsgAnswer answer =
          editor.Ask().Message(cv::MsgIcon::Warning, QString::fromStdString(cv::Msg(m::WarningCaption)),
                               cv::From1252(cv::Format(cv::Msg(m::FileExists), plan.Name)),
                               cv::MsgYes | cv::MsgNo | cv::MsgYesToAll);
      if (answer == cv::MsgAnswer::YesToAll)
        yesToAll = true;
      else if (answer != cv::MsgAnswer::Yes)
        continue;
    }
    if (SaveSelectedPlan(slot, false)) ++written;
  }
  Box(cv::Format(cv::Msg(m::FilesGenerated), written), m::CvToolsCaption, cv::MsgIcon::Information);
}

void TPlanOut::SavePROFileBtnClick() {
  for (const TPlanXR9& plan : editor.plans) {
    if (!plan.Name.empty() && !HasChannels(plan)) {
      Box(cv::Format(cv::Msg(m::PlanNoChannelsSave), plan.Name), cv::msg::cv3::ErrorCaption,
          cv::MsgIcon::Warning);
      return;
    }
  }
  const std::string scriptTemp = cv::WorkingFilePath(kScriptTemp);
  if (!WriteCanalizationScript(editor.plans, scriptTemp, editor.Sinks())) return;
  bool read = false;
  const std::string text = ReadWhole(scriptTemp, read);
  if (!read) {
    const std::string line = cv::Format(cv::Msg(m::CouldntCreateTemp), scriptTemp);
    BothLogs(line);
    Box(line, cv::msg::cv3::CvToolsErrorCaption, cv::MsgIcon::Warning);
    return;
  }
  cv::FileDialogRequest request;
  request.filter = QString::fromStdString(cv::Msg(m::ProFilter));
  request.defaultExt = "PRO";
  request.initialDir = QDir::currentPath();
  request.overwritePrompt = true;
  const QString chosen = cv::SaveFileDialog(view.DialogParent(), request);
  if (chosen.isEmpty()) return;
  const std::string target = PathOf(chosen);
  const cv::SaveResult result = cv::WriteFileAtomically(target, text);
  if (result == cv::SaveResult::Saved) {
    BothLogs(cv::Msg(m::PlansSaved) + cv::LoggedFileName(target));
    return;
  }
  const std::string line =
      cv::Format(cv::Msg(result == cv::SaveResult::NotCreated ? m::CouldntCreateFile : m::CouldntWriteFile), target);
  BothLogs(line);
  Box(line, cv::msg::cv3::CvToolsErrorCaption, cv::MsgIcon::Error);
}

}  // namespace cv::xr9
