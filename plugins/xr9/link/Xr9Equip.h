#pragma once
// The TV MIRELTO equipment object: what the host drives through the TEquip slots (the channel
// editor and the data logger), the analyser's identification and firmware checks, the command
// layer every tool of the family talks to the analyser through, and the text helpers the plan and
// report code share.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "Equip.h"
#include "ScriptEngine.h"
#include "Serial.h"

namespace cv::xr9 {

// What "*?ID" and "*?VE" tell of the connected analyser.
struct TEquipIdent {
  float version = 0.0f;
  uint8_t model = 0;
  uint8_t optionByte = 0;
  // From the option word W: bits 27, 26, 25, 15, 18, 17, 16, 29, 28 in this order.
  uint8_t flag1 = 0, flag2 = 0, flag3 = 0, flag4 = 0, flag5 = 0, flag6 = 0, flag7 = 0, flag8 = 0, flag9 = 0;
};

class TXR9Equip : public TEquip {
 public:
  TXR9Equip(QWidget* owner, TSerial* port);
  ~TXR9Equip() override;

  const char* InitEquip() override;
  bool HasChannelEditor() override { return true; }
  bool HasMemoryEditor() override { return false; }
  bool HasDataLogger() override { return true; }
  bool HasMonitor() override { return false; }
  bool HasSpectrum() override { return false; }
  bool HasConfiguration() override { return false; }
  bool HasUpdateFirmware() override { return false; }
  bool HasChannelIdentifier() override { return false; }
  bool RunChannelEditor() override;
  bool RunDataLogger() override;

  static constexpr int kBaud = 115200;
  static constexpr int kAccessCodeLength = 6;
  static const char* GetVersionText() { return "XR9Tools 1.14"; }

  // Command layer over the borrowed port (false without one). Reply buffers hold at least
  // kReplyBufferSize bytes; a raw buffer holds n + 1.
  bool SendCommand(const char* command);
  bool Query(const char* command, char* reply);
  bool SendBlock(const uint8_t* buffer, int n);
  // True only when exactly n bytes arrived. While the bytes come in, paint and timer events run
  // (through `clock`), user input does not.
  bool QueryRaw(const char* command, char* buffer, int n);
  // An exchange or a tool is running: a second tool does not start meanwhile.
  bool Busy() const { return busy_; }

  // Access code, "*?ID" (the record is zeroed first), then the version. False without a port,
  // when "*?ID" goes unanswered ("Equipment not detected!") or when the version cannot be read.
  bool Identify(TEquipIdent& ident);
  bool ReadVersion(float& version);
  // An analyser answers "*?VE" with "*VE...".
  bool CheckVersion();
  // The fields of an "*?ID" reply (no version): model after the first blank (16 when none can be
  // read there), option word after the first '.', option byte after the next '.', all hex.
  static void ParseIdReply(const char* reply, TEquipIdent& ident);
  static void SetFlags(uint32_t optionWord, TEquipIdent& ident);
  // The number after "*VE" of a version reply (upper-cased first); 0 when there is none.
  static float ParseVersionReply(const char* reply);

  static uint32_t ByteSum(const uint8_t* buffer, size_t n);
  const std::string& GetStartDir() const { return startDir; }
  // Name and extension of a path (drive and directory cut off), and the name alone.
  static std::string GetFileName(const std::string& path);
  static std::string GetBaseName(const std::string& path);
  // The text without leading and trailing blanks; an empty or all-blank text leaves target as it is.
  static void TrimCopy(const std::string& source, std::string& target);
  // Windows-1252 bytes as UTF-8, of any length.
  static std::string ToUtf8(const std::string& text);

  // The script keyword table of the family's PRO dialect (code = position from 1).
  static constexpr int kKeywordCount = 35;
  const std::vector<TScriptEngine::TAct>& Keywords() const { return keywords; }

  QWidget* GetOwner() const { return ownerForm; }

  // Fields of the family's script and CSV readers.
  static constexpr int kCsvFieldCount = 25;
  static constexpr int kCsvFieldLength = 25;
  static constexpr int kTokenCount = 16;
  char csvFields[kCsvFieldCount][kCsvFieldLength + 1] = {};
  char* tokens[kTokenCount] = {};
  char lineBuffer[kReplyBufferSize] = {};
  int32_t keywordIndex = 0;
  int32_t extraWords[4] = {};
  uint16_t extraHalf = 0;

 protected:
  // The tools' dialogs, shown modally. The channel-plan editor (plans/Xr9Chanplandlg.cpp); and
  // the data logger, which returns false when it could not initialise (then nothing was shown).
  // Until its dialog exists the data logger counts as initialised.
  virtual void ShowChannelEditor();
  virtual bool ShowDataLogger() { return true; }

  QWidget* ownerForm = nullptr;
  std::string startDir;
  std::vector<TScriptEngine::TAct> keywords;

 private:
  void BuildKeywordTable();
  bool OpenPort(int portErrorId);
  void ClosePort();
  bool busy_ = false;
};

}  // namespace cv::xr9
