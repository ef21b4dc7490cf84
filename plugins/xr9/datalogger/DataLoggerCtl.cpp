#include "DataLoggerCtl.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "AtomicFile.h"
#include "Format.h"
#include "Messages.h"
#include "MsgIds.h"
#include "Prompt.h"
#include "Registry.h"
#include "Text1252.h"
#include "Xr9Equip.h"
#include "Xr9Transfer.h"

namespace cv::xr9 {

namespace {

namespace m = cv::msg::xr9dl;

QString Local(const std::string& s) { return QString::fromLocal8Bit(s.c_str()); }
std::string Local(const QString& s) { return s.toLocal8Bit().toStdString(); }

}  // namespace

DataLoggerCtl::DataLoggerCtl(TXR9Equip& e, LogSink dlMemo)
    : equip(e), store(DataLogSinks{&PrompterInForce(), dlMemo, [this] { ResetList(); }}), dlMemo_(std::move(dlMemo)) {
  ResetList();
}

void DataLoggerCtl::Box(int textId, int captionId) const { Box(Msg(textId), captionId); }

void DataLoggerCtl::Box(const std::string& text, int captionId) const {
  const MsgIcon icon = captionId == m::WarningCaption ? MsgIcon::Warning : MsgIcon::Error;
  ShowBox(PrompterInForce(), text, Msg(captionId), icon);
}

void DataLoggerCtl::LogLine(const std::string& line) const {
  if (dlMemo_) dlMemo_(line);
}

void DataLoggerCtl::HostLog(const std::string& line) const { equip.Log(line); }

bool DataLoggerCtl::HasPort() const { return equip.port != nullptr; }

// ---------------------------------------------------------------------------------------------
// Settings and registry

bool DataLoggerCtl::LoadSettings() {
  ResetList();
  store.FreeAllDataLogFiles();
  ini = HostIni();
  if (ini.LoadFailed()) {
    Box(m::IniFailed, m::ErrorCaption);
    return false;
  }
  settings.Read(ini);
  generatingKind = -1;
  const DataLoggerRegistry reg = ReadRegistry();
  chosenKind = reg.kind;
  reportsEnabled = reg.enabled;
  folder = reg.folder.empty() ? equip.GetStartDir() : reg.folder;
  return true;
}

DataLoggerRegistry DataLoggerCtl::ReadRegistry() {
  DataLoggerRegistry values;
  const auto key = RegKey::Open(kDataLoggerRegKey, false);
  if (!key) return values;
  std::string folder;
  if (key->ReadString("ReceivingFolder1", folder) == RegRead::Ok) values.folder = folder;
  int32_t kind = -1;
  if (key->ReadInteger("DefaultReport", kind) == RegRead::Ok) values.kind = kind;
  bool enabled = false;
  if (key->ReadBool("EnabledReport", enabled) == RegRead::Ok) values.enabled = enabled;
  return values;
}

bool DataLoggerCtl::WriteRegistry(const DataLoggerRegistry& values) {
  auto key = RegKey::Open(kDataLoggerRegKey, true);
  const bool ok = key && key->WriteString("ReceivingFolder1", values.folder) &&
                  key->WriteInteger("DefaultReport", values.kind) && key->WriteBool("EnabledReport", values.enabled);
  if (!ok) ShowBox(PrompterInForce(), Msg(m::RegistryFailed), Msg(m::CvToolsErrorCaption), MsgIcon::Error);
  return ok;
}

// ---------------------------------------------------------------------------------------------
// The file list

void DataLoggerCtl::ResetList() {
  entries_.fill(TDataLogListEntry{});
  ticked_.fill(false);
  itemCount_ = 0;
  if (listChanged) listChanged();
}

bool DataLoggerCtl::AddItem(const std::string& name, uint32_t size, uint8_t state, bool ticked) {
  if (itemCount_ >= DataLogSlots) return false;
  entries_[size_t(itemCount_)] = TDataLogListEntry{name.substr(0, DataLogNameMax), size, state};
  ticked_[size_t(itemCount_)] = ticked;
  ++itemCount_;
  return true;
}

bool DataLoggerCtl::SetTicked(int item, bool on) {
  if (item < 0 || item >= itemCount_) return false;
  if (!on && entries_[size_t(item)].state != TDataLogListEntry::ListedOnly) on = true;
  ticked_[size_t(item)] = on;
  return on;
}

void DataLoggerCtl::ListAll() {
  std::string unstored;
  for (int i = 0; i < itemCount_; ++i) {
    const TDataLogListEntry& e = entries_[size_t(i)];
    if (e.state == TDataLogListEntry::Received && !e.stored) unstored += (unstored.empty() ? "" : ", ") + e.name;
  }
  if (!unstored.empty() &&
      !AskBoxYesNo(PrompterInForce(), Format(Msg(m::DropUnstoredQuestion).c_str(), unstored.c_str()),
                   Msg(m::WarningCaption), MsgIcon::Warning))
    return;
  TFileTransfer transfer(equip, dlMemo_);
  std::vector<InstrumentFileEntry> directory;
  if (!transfer.ListDataLogger(directory) && directory.empty()) {
    Box(msg::xr9::DlNotDetected, m::ErrorCaption);
    return;
  }
  store.FreeAllDataLogFiles();
  ResetList();
  for (const InstrumentFileEntry& e : directory) AddItem(e.name, uint32_t(e.size), TDataLogListEntry::ListedOnly, false);
  if (listChanged) listChanged();
}

void DataLoggerCtl::ReceiveTicked() {
  bool any = false;
  for (int i = 0; i < itemCount_; ++i) any = any || ticked_[size_t(i)];
  if (!any) {
    Box(m::NoFileSelected, m::UserErrorCaption);
    return;
  }
  for (int i = 0; i < itemCount_; ++i)
    if (ticked_[size_t(i)] && entries_[size_t(i)].state == TDataLogListEntry::ListedOnly) ReceiveEntry(i);
  LogLine(Msg(m::ReceptionFinished));
  if (listChanged) listChanged();
}

bool DataLoggerCtl::ReceiveEntry(int item) {
  if (!HasPort() || item < 0 || item >= itemCount_) return false;
  TDataLogListEntry& entry = entries_[size_t(item)];
  InstrumentFileEntry file;
  file.fileType = uint8_t(TFileTransfer::kDataLoggerType);
  file.size = int32_t(entry.size);
  file.name = entry.name;
  TFileTransfer transfer(equip, dlMemo_);
  const DownloadResult got = transfer.Download(file);
  // The transfer layer shows the box of a wrong checksum itself; a reply cut short is one too.
  if (got.status == DownloadStatus::Short) Box(msg::xr9::BadCrc, m::ErrorCaption);
  if (got.status != DownloadStatus::Ok) return false;
  store.DecodeDataLogFile(got.data.data(), got.data.size(), entry.name.c_str());
  entry.state = TDataLogListEntry::Received;
  if (saveReceived && !folder.empty()) entry.stored = StoreReceived(entry.name, got.data);
  return true;
}

std::string DataLoggerCtl::SafeFileName(const std::string& listed) {
  std::string name = listed;
  for (char& c : name)
    if (c == '/' || c == '\\' || static_cast<unsigned char>(c) < 0x20 || c == 0x7F) c = '_';
  if (name.rfind("..", 0) == 0) name[0] = name[1] = '_';
  if (name.empty()) name = "_";
  return name;
}

bool DataLoggerCtl::StoreReceived(const std::string& name, const std::vector<uint8_t>& bytes) {
  const QDir dir(Local(folder));
  if (!dir.exists()) {
    Box(m::FolderMissing, m::ErrorCaption);
    return false;
  }
  const QString base = Local(SafeFileName(name));
  const QString path = dir.filePath(base + ".DL");
  const QString bak = dir.filePath(base + ".BAK");
  bool keptAsBak = false;
  if (QFileInfo::exists(path)) {
    if (!AskBoxYesNo(PrompterInForce(), Format(Msg(m::OverwriteQuestion).c_str(), Local(path).c_str()), Msg(m::WarningCaption),
                     MsgIcon::Warning))
      return false;
    // The old file keeps a copy beside itself, replacing an older copy; without it nothing is stored.
    if (QFileInfo::exists(bak)) QFile::remove(bak);
    if (!QFile::rename(path, bak)) {
      Box(Format(Msg(m::BakFailed).c_str(), Local(path).c_str(), Local(bak).c_str()), m::ErrorCaption);
      return false;
    }
    keptAsBak = true;
  }
  const SaveResult saved = WriteFileAtomically(Local(path), std::string(bytes.begin(), bytes.end()));
  // A store that failed leaves the old file under its own name, not only as the copy.
  if (saved != SaveResult::Saved && keptAsBak) QFile::rename(bak, path);
  switch (saved) {
    case SaveResult::Saved: break;
    case SaveResult::NotCreated: Box(m::CantCreateBinary, m::ErrorCaption); return false;
    case SaveResult::NotWritten: Box(m::ShortWrite, m::PossibleErrorCaption); return false;
  }
  QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
  return true;
}

void DataLoggerCtl::LoadFiles(const std::vector<std::string>& paths) {
  for (const std::string& p : paths) {
    QFile f(Local(p));
    if (!f.open(QIODevice::ReadOnly)) {
      Box(m::CantOpenFile, m::ErrorCaption);
      break;
    }
    // The name goes to the list, the memo and the boxes, which all take Windows-1252 text.
    const std::string name = LoggedFileName(Local(f.fileName()));
    if (f.size() > kReceiveBufferBytes) {
      Box(Format(Msg(m::FileTooLarge).c_str(), name.c_str()), m::ErrorCaption);
      continue;
    }
    const QByteArray bytes = f.read(kReceiveBufferBytes + 1);
    f.close();
    if (bytes.size() > kReceiveBufferBytes) {
      Box(Format(Msg(m::FileTooLarge).c_str(), name.c_str()), m::ErrorCaption);
      continue;
    }
    if (store.DecodeDataLogFile(reinterpret_cast<const uint8_t*>(bytes.constData()), size_t(bytes.size()), name.c_str()) < 0)
      continue;
    AddItem(name, 1, TDataLogListEntry::LoadedFromDisk, true);
  }
  if (listChanged) listChanged();
}

// ---------------------------------------------------------------------------------------------
// Report choice

bool DataLoggerCtl::SelectReportItem(int item) {
  if (item < 0 || size_t(item) >= settings.kindTexts.size()) return false;
  const auto kind = ParseReportKind(settings.kindTexts[size_t(item)]);
  if (!kind) {
    Box(Format(Msg(m::KindNotNumber).c_str(), settings.kindTexts[size_t(item)].c_str()), m::ErrorCaption);
    return false;
  }
  chosenKind = *kind;
  return true;
}

DataLoggerCtl::Find DataLoggerCtl::FindReportItem(int kind, int& index) const {
  index = 0;
  for (size_t i = 0; i < settings.kindTexts.size(); ++i) {
    const auto k = ParseReportKind(settings.kindTexts[i]);
    if (!k) {
      Box(Format(Msg(m::KindNotNumber).c_str(), settings.kindTexts[i].c_str()), m::ErrorCaption);
      return Find::Failed;
    }
    if (*k == kind) {
      index = int(i);
      return Find::Found;
    }
  }
  return Find::NotFound;
}

int DataLoggerCtl::EnableReports(bool on) {
  reportsEnabled = on;
  if (!on) return -1;
  int index = 0;
  Find f = chosenKind < 0 ? Find::NotFound : FindReportItem(chosenKind, index);
  if (f == Find::Failed) return -1;
  if (f == Find::Found) return index;
  chosenKind = 5;
  f = FindReportItem(5, index);
  if (f == Find::Failed) return -1;
  if (f == Find::Found) return index;
  return settings.reportNames.empty() ? -1 : 0;
}

std::string DataLoggerCtl::ReportTitle() const {
  if (!reportsEnabled || chosenKind < 0) return {};
  int index = 0;
  Find f = FindReportItem(chosenKind, index);
  if (f == Find::NotFound) f = FindReportItem(5, index);
  return f == Find::Found ? settings.reportNames[size_t(index)] : std::string();
}

int DataLoggerCtl::SelectedMeasIndex(int slot, int channel) const {
  const int kind = CurrentReportKind();
  if (kind == 3) return skySheet ? skySheet->SelectedMeasIndex(slot, channel) : 0;
  if (!sheet || kind < 0 || kind > 7) return 0;
  return sheet->SelectedMeasIndex(slot, channel);
}

CsvContext DataLoggerCtl::MakeCsvContext() const {
  CsvContext ctx;
  ctx.decimalSeparator = equip.decimalSeparator;
  ctx.listSeparator = equip.listSeparator;
  char date[64] = {};
  ctx.date = equip.DateString(date);
  ctx.dlMemo = dlMemo_;
  ctx.selectedMeas = [this](int slot, int channel) { return SelectedMeasIndex(slot, channel); };
  return ctx;
}

}  // namespace cv::xr9
