#include "Xr9Transfer.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstring>
#include <memory>
#include <new>

#include "AppServices.h"
#include "Format.h"
#include "Messages.h"
#include "MsgIds.h"
#include "Prompt.h"
#include "Serial.h"
#include "Text1252.h"
#include "Xr9Equip.h"

namespace cv::xr9 {

namespace {

namespace cv3 = cv::msg::cv3;
namespace msg = cv::msg::xr9;

constexpr const char* kAccessCode = "*7205&";

void ErrorBox(int textId, int captionId) {
  cv::ShowBox(cv::CurrentPrompter(), cv::Msg(textId), cv::Msg(captionId), cv::MsgIcon::Error);
}

bool HexDigit(char c, uint32_t& value) {
  if (!std::isxdigit(static_cast<unsigned char>(c))) return false;
  const char u = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  value = (value << 4) | static_cast<uint32_t>(u <= '9' ? u - '0' : u - 'A' + 10);
  return true;
}

struct FileCloser {
  void operator()(FILE* f) const { std::fclose(f); }
};

}  // namespace

TFileTransfer::TFileTransfer(TXR9Equip& equip, LineSink zone) : equip_(equip), zone_(std::move(zone)) {}

void TFileTransfer::Zone(const std::string& line) const {
  if (zone_) zone_(line);
}

void TFileTransfer::Both(const std::string& line) const {
  Zone(line);
  equip_.Log(line);
}

// ---------------------------------------------------------------------------------------------
// Reply pieces

bool TFileTransfer::ParseCount(const char* reply, int& count) {
  uint32_t value = 0;
  if (std::strlen(reply) < 5 || !HexDigit(reply[3], value) || !HexDigit(reply[4], value)) return false;
  count = static_cast<int>(value);
  return true;
}

bool TFileTransfer::ParseEntry(const char* reply, int nameLength, uint32_t& size, std::string& name) {
  const size_t length = std::strlen(reply);
  if (length < 14) return false;
  uint32_t value = 0;
  for (int i = 5; i < 13; ++i)
    if (!HexDigit(reply[i], value)) return false;
  size = value;
  name.assign(reply + 13, std::min(length - 13, static_cast<size_t>(nameLength)));
  return true;
}

std::string TFileTransfer::TypeLabel(int fileType) {
  switch (fileType) {
    case 1: return cv::Msg(msg::LabelProtTer);
    case 2: return cv::Msg(msg::LabelModTer);
    case 4: return cv::Msg(msg::LabelProtSat);
    case 5: return cv::Msg(msg::LabelModSat);
    default: return cv::Msg(msg::LabelUnknown);
  }
}

std::string TFileTransfer::EntryText(const InstrumentFileEntry& entry) {
  return TypeLabel(entry.fileType) + " " + entry.name;
}

int TFileTransfer::ReadCount(int fileType) {
  char command[16];
  std::snprintf(command, sizeof command, "*?FI%02X", fileType);
  char reply[kReplyBufferSize];
  int count = 0;
  if (!equip_.Query(command, reply) || !ParseCount(reply, count)) return 0;
  return count;
}

bool TFileTransfer::ReadEntry(int fileType, int index, int nameLength, InstrumentFileEntry& entry) {
  char command[16];
  std::snprintf(command, sizeof command, "*?FI%02X%02X", fileType, index);
  char reply[kReplyBufferSize];
  uint32_t size = 0;
  std::string name;
  if (!equip_.Query(command, reply) || !ParseEntry(reply, nameLength, size, name)) return false;
  entry = InstrumentFileEntry{};
  entry.fileType = static_cast<uint8_t>(fileType);
  // A size beyond the 31 bits of the field is beyond every limit: keep it so.
  entry.size = size > 0x7FFFFFFFu ? 0x7FFFFFFF : static_cast<int32_t>(size);
  entry.name = name;
  return true;
}

// ---------------------------------------------------------------------------------------------
// Listings

bool TFileTransfer::ListPlans(std::vector<InstrumentFileEntry>& directory) {
  if (!equip_.CheckVersion()) return false;
  equip_.SendCommand(kAccessCode);
  int counts[4] = {};
  for (int t = 0; t < 4; ++t) counts[t] = ReadCount(kPlanTypes[t]);
  directory.clear();
  for (int t = 0; t < 4; ++t) {
    for (int index = 0; index < counts[t]; ++index) {
      InstrumentFileEntry entry;
      if (!ReadEntry(kPlanTypes[t], index, kPlanNameLength, entry)) continue;
      if (entry.size > kMaxPlanSize) {
        ErrorBox(msg::PlanTooBig, cv3::ErrorCaption);
        return false;
      }
      directory.push_back(entry);
      if (static_cast<int>(directory.size()) >= kMaxPlanEntries) {
        ErrorBox(msg::MaxPlansReached, cv3::ErrorCaption);
        return true;
      }
    }
  }
  return true;
}

bool TFileTransfer::ListDataLogger(std::vector<InstrumentFileEntry>& directory) {
  if (!equip_.CheckVersion()) {
    Both(cv::Msg(msg::DlNotDetected));
    return false;
  }
  Both(cv::Msg(msg::DlReceivingList));
  equip_.SendCommand(kAccessCode);
  int count = ReadCount(kDataLoggerType);
  if (count > kMaxDataLoggerEntries) count = kMaxDataLoggerEntries;
  directory.clear();
  bool ok = true;
  for (int index = 0; index < count; ++index) {
    InstrumentFileEntry entry;
    if (!ReadEntry(kDataLoggerType, index, kDataLoggerNameLength, entry)) continue;
    if (entry.size > kMaxDataLoggerSize) {
      ErrorBox(msg::DlFileTooBig, cv3::ErrorCaption);
      ok = false;
      break;
    }
    directory.push_back(entry);
    if (index == kMaxDataLoggerEntries - 1) {
      ErrorBox(msg::DlMaxFilesReached, cv3::ErrorCaption);
      break;
    }
  }
  Both(cv::Msg(count != 0 ? msg::DlListReceived : msg::DlNoFiles));
  return ok;
}

// ---------------------------------------------------------------------------------------------
// Download

DownloadStatus TFileTransfer::CheckDownload(const uint8_t* bytes, size_t received, int32_t size,
                                            std::vector<uint8_t>& file) {
  file.clear();
  if (size < 0 || received < static_cast<size_t>(size) + kHeaderBytes + kChecksumBytes) return DownloadStatus::Short;
  const uint8_t* data = bytes + kHeaderBytes;
  const uint8_t* sum = data + size;
  const uint32_t checksum = static_cast<uint32_t>(sum[0]) | static_cast<uint32_t>(sum[1]) << 8 |
                            static_cast<uint32_t>(sum[2]) << 16 | static_cast<uint32_t>(sum[3]) << 24;
  if (checksum != 0u - TXR9Equip::ByteSum(data, static_cast<size_t>(size))) return DownloadStatus::BadChecksum;
  file.assign(data, data + size);
  return DownloadStatus::Ok;
}

DownloadResult TFileTransfer::Download(const InstrumentFileEntry& entry) {
  DownloadResult result;
  // Sizes no listing admits never reach the line (nor a buffer's size).
  if (entry.size < 0 || entry.size > kMaxDataLoggerSize) return result;
  const int n = entry.size + kHeaderBytes + kChecksumBytes;
  // The buffer of each download is sized from its entry, with the NUL the raw read appends.
  std::vector<uint8_t> buffer(static_cast<size_t>(n) + 1);
  char command[kReplyBufferSize];
  std::snprintf(command, sizeof command, "*?FL%02X%s", entry.fileType, entry.name.c_str());
  if (!equip_.QueryRaw(command, reinterpret_cast<char*>(buffer.data()), n)) return result;
  result.status = CheckDownload(buffer.data(), static_cast<size_t>(n), entry.size, result.data);
  if (result.status == DownloadStatus::BadChecksum) ErrorBox(msg::BadCrc, cv3::ErrorCaption);
  return result;
}

// ---------------------------------------------------------------------------------------------
// Upload

uint8_t TFileTransfer::BlockChecksum(const uint8_t* bytes, size_t n) {
  unsigned sum = 0;
  for (size_t i = 0; i < n; ++i) sum += bytes[i];
  return static_cast<uint8_t>((256 - sum % 256) % 256);
}

std::string TFileTransfer::UploadName(const std::string& path, const std::string& name) {
  std::string result = name.empty() ? TXR9Equip::GetFileName(path) : name.substr(0, kPlanNameLength);
  if (const size_t dot = result.find('.'); dot != std::string::npos) result.resize(dot);
  if (result.size() > 16) result.resize(16);
  return result;
}

std::string TFileTransfer::UploadCommand(uint32_t size, int fileType, const std::string& name) {
  char head[32];
  std::snprintf(head, sizeof head, "*FL%08X%02X%02X", size, kBlockBytes, fileType & 0xFF);
  return head + name;
}

bool TFileTransfer::UploadFile(const std::string& path, const std::string& name, int fileType) {
  std::unique_ptr<uint8_t[]> block(new (std::nothrow) uint8_t[kBlockBufferBytes]);
  if (!block) {
    ErrorBox(msg::NotEnoughMemory, msg::SystemErrorCaption);
    return false;
  }
  auto report = [this](int textId, const std::string& filePath) {
    const std::string text = cv::Format(cv::Msg(textId), cv::LoggedFileName(filePath));
    Both(text);
    cv::ShowBox(cv::CurrentPrompter(), text, cv::Msg(cv3::CvToolsErrorCaption), cv::MsgIcon::Error);
  };
  std::unique_ptr<FILE, FileCloser> file(std::fopen(path.c_str(), "rb"));
  if (!file) {
    report(msg::CouldntOpenFile, path);
    return false;
  }
  const std::string sendName = UploadName(path, name);
  bool ok = false;
  long length = -1;
  if (std::fseek(file.get(), 0, SEEK_END) == 0) length = std::ftell(file.get());
  std::rewind(file.get());
  const size_t head = length > 0 ? std::fread(block.get(), 1, kSkippedHeaderBytes, file.get()) : 0;
  if (head == 0) {
    // An empty or unreadable file: nothing goes to the analyser.
    report(msg::CouldntReopenFile, path);
  } else {
    const bool skipHeader = head >= 4 && block[1] == 0xFF && block[2] == 0xFF && block[3] == 0xFF;
    if (!skipHeader) std::rewind(file.get());
    if (equip_.CheckVersion()) {
      equip_.SendCommand(UploadCommand(static_cast<uint32_t>(length), fileType, sendName).c_str());
      int sent = 0;
      bool acknowledged = true;
      for (;;) {
        const size_t n = std::fread(block.get(), 1, kBlockBytes, file.get());
        if (std::ferror(file.get())) {
          acknowledged = false;  // a file that cannot be read to its end was not sent
          break;
        }
        if (n == 0) break;
        block[n] = BlockChecksum(block.get(), n);
        if (!equip_.SendBlock(block.get(), static_cast<int>(n) + 1)) {
          acknowledged = false;
          break;
        }
        ++sent;
      }
      ok = sent > 0 && acknowledged;
    }
  }
  Zone(sendName + cv::Msg(ok ? msg::SentOk : msg::SendFailed));
  return ok;
}

// ---------------------------------------------------------------------------------------------
// Delete

void TFileTransfer::EraseSelected(const std::vector<InstrumentFileEntry>& directory) {
  for (const InstrumentFileEntry& entry : directory) {
    if (!entry.selected || entry.name.empty()) continue;
    char command[kReplyBufferSize];
    std::snprintf(command, sizeof command, "*FD%02X%s", entry.fileType, entry.name.c_str());
    if (equip_.SendCommand(command))
      Zone(entry.name + cv::Msg(msg::ErasedInEquipment));
    else
      Zone(cv::Msg(msg::CouldntErase) + entry.name + cv::Msg(msg::CouldntEraseEnd));
    equip_.clock->PumpEvents(0, false);  // the log zone shows each line as it comes
  }
  Zone(cv::Msg(msg::PlansErased));
}

}  // namespace cv::xr9
