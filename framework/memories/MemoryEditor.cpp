#include "MemoryEditor.h"

#include <QDir>
#include <QFile>
#include <cstring>
#include <optional>
#include <span>

#include "AtomicFile.h"
#include "Cv3Equip.h"
#include "Format.h"
#include "Messages.h"
#include "MsgIds.h"
#include "Pll.h"
#include "Prompt.h"
#include "Text1252.h"

namespace cv::mem {

namespace {

namespace m = cv::msg::mem;

std::string CurrentDir() { return QDir::currentPath().toLocal8Bit().toStdString(); }

const std::string& ErrorCaption() { return Msg(cv::msg::cv3::CvToolsErrorCaption); }

}  // namespace

MemoryEditor::MemoryEditor(MemoryEquipment& equip, cv::Prompter& prompter, cv::plan::FileChooser& chooser,
                           MemoryView& view, MemoryCodec& codec)
    : equip(equip), codec(codec), prompter(prompter), chooser(chooser), view(view) {
  EnableControls(true);
  EnableEditing(false);
}

void MemoryEditor::Box(const std::string& text, const std::string& caption, cv::MsgIcon icon) {
  cv::ShowBox(prompter, text, caption, icon);
}

// ---- state ----

void MemoryEditor::EnableControls(bool on) {
  buttons.close = on;
  buttons.read = on;
  buttons.receive = on && equip.HasPort();
  EnableEditing(on && loaded);
}

void MemoryEditor::EnableEditing(bool on) {
  const bool port = equip.HasPort();
  buttons.edit = on;
  buttons.save = on;
  buttons.send = on && port;
  buttons.sendOne = on && port;
  view.ShowButtons();
}

void MemoryEditor::ClearMemories() { records.fill(codec.Cleared()); }

bool MemoryEditor::UpdateListEntry() {
  const int n = current.number;
  if (n < 1 || n > kMemoryCount) return false;
  MemoryListEntry& e = entries[n - 1];
  e.number = static_cast<uint8_t>(n);
  std::memcpy(e.label, current.label, sizeof e.label);
  e.band = current.band;
  e.freq = current.freq;
  e.units = current.units;
  if (codec.FreqInRange(e.band, e.freq)) return true;
  e.freq = codec.FallbackFreq(e.band);
  return false;
}

const char* MemoryEditor::BandName(char band) {
  return band == 'S' ? "SAT" : band == 'T' ? "TER" : "???";
}

std::string MemoryEditor::ListLine(int i) const {
  const MemoryListEntry& e = entries[i];
  std::string freq = cv::Format("%7.2f", e.freq);
  for (char& c : freq)
    if (c == '.') c = equip.DecimalSeparator();
  return cv::Format("%2d %4s %3s ", e.number, std::string(e.label, strnlen(e.label, 4)), BandName(e.band)) + freq;
}

void MemoryEditor::FillMemoryList() {
  listLines.clear();
  for (int i = 0; i < kMemoryCount; ++i) listLines.push_back(ListLine(i));
  listIndex = -1;
  view.ShowList();
}

void MemoryEditor::InsertListLine(int i) {
  auto at = listLines.begin() + std::min<size_t>(static_cast<size_t>(i), listLines.size());
  listLines.insert(at, ListLine(i));
  listIndex = i;
  view.ShowList();
}

void MemoryEditor::SelectLine(int index) {
  listIndex = index >= 0 && index < static_cast<int>(listLines.size()) ? index : -1;
}

bool MemoryEditor::AskToSave() {
  return cv::AskToSaveChanges(prompter, Msg(m::AskSave), Msg(m::CaptionWarning), [this] {
    if (!SaveBtnClick()) return false;
    modified = false;
    return true;
  });
}

bool MemoryEditor::CheckNotLogging() {
  std::string reply;
  if (equip.Query("*?DA", reply) && reply.compare(0, 4, "*DA1") == 0) {
    Box(Msg(m::DataLoggerMode), ErrorCaption(), cv::MsgIcon::Error);
    return false;
  }
  return true;
}

// ---- buttons ----

bool MemoryEditor::CloseBtnClick() { return !modified || AskToSave(); }

bool MemoryEditor::BeginReplacing() {
  if (modified && !AskToSave()) return false;
  return true;
}

void MemoryEditor::ReadBtnClick() {
  // Nothing changes before a file has been read whole: a cancelled dialog, a file that does not
  // open and one that fails leave the memories, their marks and the buttons as they were.
  if (!BeginReplacing()) return;
  const std::string path = chooser.OpenFile(Msg(m::CsvFilter), CurrentDir());
  if (path.empty() || !ReadMemoryFile(path)) return;
  loaded = true;
  modified = false;
  EnableControls(true);
}

void MemoryEditor::ReceiveBtnClick() {
  if (!BeginReplacing()) return;
  modified = false;
  listLines.clear();
  listIndex = -1;
  view.ShowList();
  ClearMemories();
  loaded = false;
  if (ReceiveAllMemories()) {
    FillMemoryList();
    loaded = true;
  } else {
    // The list shows the memories that came, each whole; what is missing is named with why, and
    // the set stays one that is neither saved nor sent.
    const int missing = static_cast<int>(listLines.size()) + 1;
    std::string why;
    for (const std::string& line : replyReport) why += (why.empty() ? "" : "\n") + line;
    Box(Msg(m::ReceiveError) + "\n" +
            (why.empty() ? cv::Format(Msg(m::ReceiveMissing), missing)
                         : cv::Format(Msg(m::ReceiveRefused), missing, why)),
        ErrorCaption(), cv::MsgIcon::Error);
  }
  EnableControls(true);
}

bool MemoryEditor::SaveBtnClick() {
  bool saved = false;
  if (loaded) {
    std::string path = chooser.SaveFile(Msg(m::CsvFilter), "csv", CurrentDir());
    if (!path.empty() && WriteMemoryFile(path)) {
      FillMemoryList();
      loaded = true;
      modified = false;
      saved = true;
    }
  }
  EnableControls(true);
  return saved;
}

int MemoryEditor::EditBtnClick() {
  if (!loaded || listLines.empty()) return -1;
  if (listIndex < 0) {
    listIndex = 0;
    view.ShowList();
  }
  LoadCurrentRecord(records[listIndex]);
  return listIndex;
}

void MemoryEditor::MemoryEdited(int index) {
  if (index < 0 || index >= kMemoryCount) return;
  modified = true;
  StoreCurrentRecord(records[index]);
  UpdateListEntry();
  FillMemoryList();
  listIndex = index;
  view.ShowList();
}

void MemoryEditor::SendBtnClick() {
  if (!equip.HasPort()) return;
  if (loaded && MaySend() && SendAllMemories()) {
    FillMemoryList();
    loaded = true;
  }
  EnableControls(true);
}

void MemoryEditor::SendOneBtnClick() {
  if (!equip.HasPort() || !loaded || listLines.empty()) return;
  if (listIndex < 0) {
    listIndex = 0;
    view.ShowList();
  }
  const int index = listIndex;
  LoadCurrentRecord(records[index]);
  // A meter whose options are checked is asked about its logger before its options, as for
  // Send All; the CORVANE-3 and CORVANE-4 ask only once the record is known to be whole.
  const bool checked = codec.ChecksCompatibility();
  if (!codec.BeginSendOne(equip)) {
    // The meter did not answer its version query; the host log is behind the modal editor.
    Box(Msg(cv::msg::cv4mem::SendOneNoEquip), ErrorCaption(), cv::MsgIcon::Error);
    return;
  }
  if ((checked && !MaySend()) || !CheckCompatible(index, 1)) return;
  std::string text = EncodeMemoryRecord();
  if (!Sendable(text)) {
    SendStopped(index + 1, true, m::CauseBadLength);
    return;
  }
  if (!checked && !MaySend()) return;
  if (!equip.SendCommand(text)) {
    const bool refused = equip.LastRefused();
    equip.Log(Msg(m::NotAccepted));
    equip.Log(text);
    SendStopped(index + 1, true, refused ? m::CauseRefused : m::CauseSilent);
    return;
  }
  equip.Log(cv::Format(Msg(m::MemorySent), index + 1));
}

void MemoryEditor::SendStopped(int number, bool one, int causeId) {
  Gauge(0);
  Box(cv::Format(Msg(one ? m::SendOneFailed : m::SendStoppedAt), number) + "\n" + Msg(causeId), ErrorCaption(),
      cv::MsgIcon::Error);
}

// ---- the instrument ----

bool MemoryEditor::MaySend() {
  return codec.MaySend(equip, [this] { return CheckNotLogging(); });
}

bool MemoryEditor::CheckCompatible(int first, int count) {
  const bool all = count > 1;
  const Compatibility verdict =
      codec.Compatible(std::span<const MemoryRecord>(records).subspan(first, count), first, equip);
  if (verdict == Compatibility::Taken) return true;
  // Send One ends at an unanswered option query, whose box has said why; Send All still says
  // that nothing goes out.
  if (verdict == Compatibility::OptionsUnread && !all) return false;
  const auto [text, caption] = codec.IncompatibleBox(all);
  Box(Msg(text), Msg(caption), cv::MsgIcon::Warning);
  return false;
}

bool MemoryEditor::Sendable(const std::string& text) {
  // A value that failed its check can widen a field; such a record would reach the instrument
  // misaligned.
  if (codec.Sendable(text, current)) return true;
  equip.Log(Msg(codec.BadLengthMessage()));
  equip.Log(text);
  return false;
}

bool MemoryEditor::DecodeMemoryRecord(const std::string& reply, int number) {
  replyReport.clear();
  MemoryRecord record = records[number - 1];
  DecodedMemory d = codec.Decode(reply, record);
  if (!d.complete) {
    replyReport = codec.RefusedReplyLines(reply);
    for (const std::string& line : replyReport) equip.Log(line);
    return false;
  }
  // A reply for another memory would fill a slot the list does not show.
  if (d.index != number - 1) {
    replyReport = {cv::Format(Msg(m::ReplyOtherMemory), number, d.numberText)};
    equip.Log(replyReport.front());
    return false;
  }
  records[number - 1] = record;
  if (d.errors.none()) return true;
  replyReport = codec.ErrorLines(d.errors, record, d.index);
  for (const std::string& line : replyReport) equip.Log(line);
  return false;
}

void MemoryEditor::ReportMemoryErrors(const MemErrors& errors, const MemoryRecord& record, int index) {
  for (const std::string& line : codec.ErrorLines(errors, record, index)) equip.Log(line);
}

bool MemoryEditor::ReceiveAllMemories() {
  replyReport.clear();
  Gauge(0);
  if (!equip.CheckVersion()) {
    equip.Log(Msg(m::ReceiveNoEquip));
    return false;
  }
  equip.Log(Msg(m::Receiving));
  codec.ChooseForm(equip);
  for (int n = 1; n <= kMemoryCount; ++n) {
    Gauge(n * 100 / kMemoryCount);
    std::string reply;
    if (!equip.Query(codec.QueryCommand(n), reply)) {
      replyReport.clear();
      equip.Log(cv::Format(Msg(m::AskError), n));
      return false;
    }
    const bool whole = DecodeMemoryRecord(reply, n);
    if (!whole) equip.Log(cv::Format(Msg(m::BadData), n));
    LoadCurrentRecord(records[n - 1]);
    if (!UpdateListEntry()) {
      // The memory came but is not taken: its reply's lines say why (a frequency only the list's
      // range refuses is named as the record's checks name it).
      if (whole || replyReport.empty()) {
        MemErrors frequency;
        frequency.set(IsSatelliteBand(current.band) ? ErrFreqSat : ErrFreqTer);
        replyReport = codec.ErrorLines(frequency, current, n - 1);
      }
      return false;
    }
    InsertListLine(n - 1);
  }
  equip.Log(Msg(m::ReceiveComplete));
  Gauge(100);
  listIndex = 0;
  view.ShowList();
  return true;
}

bool MemoryEditor::SendAllMemories() {
  if (!equip.CheckVersion()) {
    equip.Log(Msg(m::SendNoEquip));
    Box(Msg(m::SendNoEquip), ErrorCaption(), cv::MsgIcon::Error);
    return false;
  }
  codec.ChooseForm(equip);
  if (!CheckCompatible(0, kMemoryCount)) return false;
  Gauge(0);
  equip.Log(Msg(m::Sending));
  for (int n = 1; n <= kMemoryCount; ++n) {
    Gauge(n * 100 / kMemoryCount);
    LoadCurrentRecord(records[n - 1]);
    std::string text = EncodeMemoryRecord();
    if (!Sendable(text)) {
      SendStopped(n, false, m::CauseBadLength);
      return false;
    }
    if (!equip.SendCommand(text)) {
      const bool refused = equip.LastRefused();
      equip.Log(cv::Format(Msg(m::NotAcceptedNumber), n));
      equip.Log(text);
      SendStopped(n, false, refused ? m::CauseRefused : m::CauseSilent);
      return false;
    }
  }
  equip.Log(Msg(m::SendComplete));
  Gauge(100);
  return true;
}

// ---- files ----

std::string MemoryEditor::FormatFileRow() const {
  return codec.FormatFileRow(current, equip.DecimalSeparator(), equip.ListSeparator());
}

bool MemoryEditor::ParseFileRow(const std::vector<std::string>& fields, int position) {
  rowReport.clear();
  MemoryRecord record = records[position - 1];
  ParsedRow p = codec.ParseFileRow(fields, record);
  // A row for another memory would fill a slot the list does not show.
  if (!p.numberOk || p.index != position - 1) {
    rowReport = {cv::Format(Msg(m::RowOtherMemory), position, p.numberText)};
    equip.Log(rowReport.front());
    return false;
  }
  records[position - 1] = record;
  if (p.errors.none()) return true;
  rowReport = codec.ErrorLines(p.errors, record, p.index);
  for (const std::string& line : rowReport) equip.Log(line);
  return false;
}

bool MemoryEditor::ReadMemoryFile(const std::string& path) {
  QFile file(QString::fromLocal8Bit(path.c_str()));
  if (!file.open(QIODevice::ReadOnly)) {
    Box(Msg(m::CannotRead), Msg(m::CaptionWarning), cv::MsgIcon::Error);
    return false;
  }
  return ReadMemoryText(file.readAll().toStdString(), cv::LoggedFileName(path));
}

bool MemoryEditor::ReadMemoryText(const std::string& content, const std::string& fileName) {
  equip.Log(cv::Format(Msg(m::Reading), fileName));
  Gauge(0);
  // The file fills a set of its own; the memories, their list and its selection are replaced
  // only once every row has been taken, so a file that fails part way loses the user nothing.
  const auto keptRecords = records;
  const auto keptEntries = entries;
  const MemoryRecord keptCurrent = current;
  ClearMemories();
  const std::vector<std::string> lines = codec.FileLines(content);
  size_t at = 0;
  std::optional<std::string> last;
  std::string reason;
  // Rows taken with values outside their ranges, one line each, told once the read is done.
  std::vector<std::string> warnings;
  for (int i = 1; i <= kMemoryCount && reason.empty(); ++i) {
    Gauge(i * 100 / kMemoryCount);
    while (at < lines.size() && codec.SkippedFileLine(lines[at])) ++at;
    if (at < lines.size()) {
      last = lines[at++];
    } else if (!codec.RepeatsLastRow() || !last) {
      reason = cv::Format(Msg(m::FileEndsBefore), i);
      break;
    }
    const bool clean =
        ParseFileRow(SplitFileRow(codec.RowText(*last), codec.FileColumns(), equip.ListSeparator(),
                                  [this](const std::string& line) { return equip.SplitFields(line); }),
                     i);
    LoadCurrentRecord(records[i - 1]);
    if (UpdateListEntry()) {
      if (!clean) {
        std::string line;
        for (const std::string& part : rowReport) line += part;
        warnings.push_back(line);
      }
      continue;
    }
    // The row's own lines say which memory and which field (a row with no number of its own
    // fails here too, named by its position); a frequency only the list's range refuses is
    // named as the row's checks name it.
    std::vector<std::string> report = rowReport;
    if (report.empty()) {
      MemErrors frequency;
      frequency.set(IsSatelliteBand(current.band) ? ErrFreqSat : ErrFreqTer);
      report = codec.ErrorLines(frequency, current, i - 1);
    }
    for (const std::string& line : report) reason += line;
  }
  const bool ok = reason.empty();
  equip.Log(Msg(ok ? m::ReadComplete : m::ReadFailed));
  Gauge(ok ? 100 : 0);
  if (ok) {
    FillMemoryList();
    if (!warnings.empty()) {
      // The memories are taken as they stand; the person learns which ones hold what.
      constexpr size_t kShown = 10;
      std::string listed;
      for (size_t w = 0; w < warnings.size() && w < kShown; ++w) listed += "\n" + warnings[w];
      if (warnings.size() > kShown)
        listed += "\n" + cv::Format(Msg(m::ReadWarningsMore), static_cast<int>(warnings.size() - kShown));
      Box(cv::Format(Msg(m::ReadWarnings), fileName) + listed, Msg(m::CaptionWarning), cv::MsgIcon::Warning);
    }
    return true;
  }
  records = keptRecords;
  entries = keptEntries;
  current = keptCurrent;
  Box(cv::Format(Msg(m::ReadFailedBox), fileName, reason), ErrorCaption(), cv::MsgIcon::Warning);
  return false;
}

bool MemoryEditor::WriteMemoryFile(const std::string& path) {
  const std::string name = cv::LoggedFileName(path);
  for (const MemoryRecord& r : records) {
    std::string text = codec.Unwritable(r);
    if (text.empty()) continue;
    equip.Log(text);
    Box(text, ErrorCaption(), cv::MsgIcon::Warning);
    return false;
  }
  Gauge(0);
  std::string content = WriteFileHeader();
  for (int n = 1; n <= kMemoryCount; ++n) {
    Gauge(n * 100 / kMemoryCount);
    LoadCurrentRecord(records[n - 1]);
    content += FormatFileRow() + "\n";
  }
  switch (cv::WriteFileAtomically(path, content)) {
    case cv::SaveResult::Saved:
      equip.Log(cv::Format(Msg(m::Writing), name));
      break;
    case cv::SaveResult::NotCreated: {
      std::string text = cv::Format(Msg(m::CannotCreate), name);
      equip.Log(text);
      Box(text + Msg(m::NotInUse), ErrorCaption(), cv::MsgIcon::Warning);
      Gauge(0);
      return false;
    }
    case cv::SaveResult::NotWritten: {
      std::string text = cv::Format(Msg(m::CannotWrite), name);
      equip.Log(text);
      Box(text, ErrorCaption(), cv::MsgIcon::Warning);
      Gauge(0);
      return false;
    }
  }
  equip.Log(Msg(m::WriteComplete));
  Gauge(100);
  return true;
}

}  // namespace cv::mem
