#pragma once
// The analyser's stored files: listing (plans of types 1, 2, 4, 5; data-logger files of type 10),
// download of one file in a single checksummed transfer, upload in checksummed 50-byte blocks and
// delete. A plain class over the equipment object's command layer; messages go through the
// prompter, log lines to the tool's log zone (or DLMemo) and to the host log.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "ControlsOff.h"

namespace cv::xr9 {

class TXR9Equip;

struct InstrumentFileEntry {
  uint8_t selected = 0;  // set by the user in the receive dialog
  uint8_t fileType = 0;
  int32_t size = 0;      // bytes
  std::string name;      // up to 12 characters for plans, 32 for data-logger files
};

enum class DownloadStatus {
  Ok,
  Short,        // fewer bytes than the file needs arrived (or none): no message shown
  BadChecksum,  // "Bad CRC Received" shown
};

struct DownloadResult {
  DownloadStatus status = DownloadStatus::Short;
  std::vector<uint8_t> data;  // the file's bytes when Ok
};

class TFileTransfer {
 public:
  using LineSink = std::function<void(const std::string&)>;

  static constexpr int kPlanTypes[4] = {1, 2, 4, 5};
  static constexpr int kDataLoggerType = 10;
  static constexpr int32_t kMaxPlanSize = 26560;
  static constexpr int32_t kMaxDataLoggerSize = 520000;
  static constexpr int kMaxPlanEntries = 450;
  static constexpr int kMaxDataLoggerEntries = 200;
  static constexpr int kPlanNameLength = 12;
  static constexpr int kDataLoggerNameLength = 32;
  static constexpr int kHeaderBytes = 11;    // before the file in a download
  static constexpr int kChecksumBytes = 4;   // after it
  static constexpr int kBlockBytes = 50;     // of an upload, each followed by its checksum byte
  static constexpr int kBlockBufferBytes = 5000;
  static constexpr int kSkippedHeaderBytes = 16;

  // zone: the tool's log zone or DLMemo (may be empty); the host log is the equipment's.
  explicit TFileTransfer(TXR9Equip& equip, LineSink zone = {});

  // The plan directory over types 1, 2, 4, 5. False when no analyser answers or a plan is too
  // big ("Plan too big!"); the 450th entry ends the listing with its message and success.
  bool ListPlans(std::vector<InstrumentFileEntry>& directory);
  // The data-logger files (type 10), with their log lines. False when no analyser answers or a
  // file is too big.
  bool ListDataLogger(std::vector<InstrumentFileEntry>& directory);
  // One file of the directory, its checksum checked. The caller decodes or stores the bytes.
  DownloadResult Download(const InstrumentFileEntry& entry);
  // A file from disk as `fileType`, under `name` (or the file's own name when empty). True only
  // when at least one block went and every block was acknowledged.
  bool UploadFile(const std::string& path, const std::string& name, int fileType);
  // Every selected entry with a name, then "Selected plans have been erased"; paint and timer
  // events run after each entry.
  void EraseSelected(const std::vector<InstrumentFileEntry>& directory);

  // The label of a plan's file type, and an entry as the directory list shows it ("%s %s").
  static std::string TypeLabel(int fileType);
  static std::string EntryText(const InstrumentFileEntry& entry);

  // Reply and transfer pieces, with no port: a reply too short for the characters read, or not
  // hexadecimal there, gives false.
  static bool ParseCount(const char* reply, int& count);
  static bool ParseEntry(const char* reply, int nameLength, uint32_t& size, std::string& name);
  // The file of a download of received bytes (header, file of `size` bytes, checksum).
  static DownloadStatus CheckDownload(const uint8_t* bytes, size_t received, int32_t size, std::vector<uint8_t>& file);
  static uint8_t BlockChecksum(const uint8_t* bytes, size_t n);
  static std::string UploadName(const std::string& path, const std::string& name);
  static std::string UploadCommand(uint32_t size, int fileType, const std::string& name);

 private:
  void Zone(const std::string& line) const;
  void Both(const std::string& line) const;
  bool ReadEntry(int fileType, int index, int nameLength, InstrumentFileEntry& entry);
  int ReadCount(int fileType);

  TXR9Equip& equip_;
  LineSink zone_;
  // The waits let no input through and the forms turn nothing off: what a person did meanwhile
  // is ignored once the transfer is done, so nothing acts after it either.
  cv::HeldInputIgnored heldInput_;
};

}  // namespace cv::xr9
