#include "Xr9Equip.h"

#include <QDir>
#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstring>

#include "AppServices.h"
#include "Messages.h"
#include "MsgIds.h"
#include "NumFormat.h"
#include "Prompt.h"
#include "Serial.h"
#include "Text1252.h"

namespace cv::xr9 {

namespace {

namespace cv3 = cv::msg::cv3;
namespace msg = cv::msg::xr9;

// The data logger needs firmware 3.99 or later on the model that reports 16.
constexpr uint8_t kGatedModel = 16;
constexpr double kMinDataLoggerVersion = 3.99;

void CopyText(char* dest, const char* src, size_t size) {
  const size_t n = strnlen(src, size - 1);
  std::memcpy(dest, src, n);
  dest[n] = '\0';
}

bool IsHex(char c) { return std::isxdigit(static_cast<unsigned char>(c)) != 0; }

// Up to maxDigits hexadecimal digits at p, after blanks; false when there is none.
bool ReadHex(const char* p, int maxDigits, uint32_t& value) {
  while (*p == ' ') ++p;
  value = 0;
  int digits = 0;
  for (; digits < maxDigits && IsHex(*p); ++p, ++digits) {
    const char c = static_cast<char>(std::toupper(static_cast<unsigned char>(*p)));
    value = (value << 4) | static_cast<uint32_t>(c <= '9' ? c - '0' : c - 'A' + 10);
  }
  return digits > 0;
}

class BusyScope {
 public:
  explicit BusyScope(bool& flag) : flag_(flag), was_(flag) { flag_ = true; }
  ~BusyScope() { flag_ = was_; }
  BusyScope(const BusyScope&) = delete;
  BusyScope& operator=(const BusyScope&) = delete;

 private:
  bool& flag_;
  bool was_;
};

}  // namespace

TXR9Equip::TXR9Equip(QWidget* owner, TSerial* port) : TEquip(owner, port), ownerForm(owner) {
  InitEquip();
  BuildKeywordTable();
  startDir = QDir::currentPath().toLocal8Bit().toStdString();
}

TXR9Equip::~TXR9Equip() = default;

const char* TXR9Equip::InitEquip() {
  CopyText(modelName, "VELDIX-5", sizeof modelName);
  return modelName;
}

void TXR9Equip::BuildKeywordTable() {
  static const struct {
    const char* keyword;
    int tokens;
  } kTable[kKeywordCount] = {
      {"SEND", 2},     {"ASK", 2},      {"WAIT", 2},       {"FORCE", 2},    {"LOG", 2},
      {"ALERT", 1},    {"FSTEP", 2},    {"IFVAL", 2},      {"FSTEPS", 2},   {"IFVALS", 2},
      {"ORG", 2},      {"SENDHEX", 3},  {"PLAN", 2},       {"DISPLAY", 2},  {"ENDIF", 1},
      {"GETKEY", 1},   {"IFVER4", 3},   {"DATAL3", 2},     {"HEADER3", 10}, {"CHAN3T", 6},
      {"CHAND", 5},    {"CHAN3S", 7},   {"DIRECTORY4", 2}, {"COMMAND3", 3}, {"ADJ", 6},
      {"READ", 4},     {"WRITE", 4},    {"CALC", 5},       {"IF", 4},       {"SET", 4},
      {"ELSE", 1},     {"TEST", 2},     {"IFERROR", 1},    {"RAWTX", 2},    {"SENDRESOURCE", 3},
  };
  keywords.clear();
  keywords.reserve(kKeywordCount);
  for (int i = 0; i < kKeywordCount; ++i) keywords.emplace_back(kTable[i].keyword, i + 1, kTable[i].tokens);
}

// ---------------------------------------------------------------------------------------------
// Tool launchers

bool TXR9Equip::OpenPort(int portErrorId) {
  if (port->OpenLink(kBaud, 8, 0, 0)) return true;
  port->Close();
  Log(cv::Msg(portErrorId));
  return false;
}

void TXR9Equip::ClosePort() { port->Close(); }

bool TXR9Equip::RunChannelEditor() {
  if (busy_) return false;
  BusyScope busy(busy_);
  if (!port) {
    Log(cv::Msg(cv3::ChannelEditorOffline));
    ShowChannelEditor();
    Log(cv::Msg(cv3::ChannelEditorClosed));
    return true;
  }
  if (!OpenPort(cv3::ChannelEditorPortError)) return false;
  Log(cv::Msg(cv3::ChannelEditorStart));
  ShowChannelEditor();
  Log(cv::Msg(cv3::ChannelEditorClosed));
  ClosePort();
  return true;
}

bool TXR9Equip::RunDataLogger() {
  if (busy_) return false;
  BusyScope busy(busy_);
  auto showTool = [this] { Log(cv::Msg(ShowDataLogger() ? msg::DataLoggerClosed : msg::DataLoggerInitFailed)); };
  if (!port) {
    Log(cv::Msg(msg::DataLoggerOffline));
    showTool();
    return true;
  }
  if (!OpenPort(cv3::DataLoggerPortError)) return false;
  Log(cv::Msg(cv3::DataLoggerStart));
  TEquipIdent ident;
  if (!Identify(ident)) {
    ClosePort();
    return false;
  }
  float version = 0.0f;
  if (ident.model == kGatedModel && ReadVersion(version) &&
      static_cast<double>(version) + 0.001 < kMinDataLoggerVersion) {
    cv::ShowBox(cv::CurrentPrompter(), cv::Msg(msg::DataLoggerUpgrade), cv::Msg(cv3::ErrorCaption), cv::MsgIcon::Error);
    Log(cv::Msg(msg::DataLoggerNotSupported));
    ClosePort();
    return false;
  }
  showTool();
  ClosePort();
  return true;
}

// ---------------------------------------------------------------------------------------------
// Command layer

bool TXR9Equip::SendCommand(const char* command) {
  if (!port) return false;
  char buffer[kReplyBufferSize];
  CopyText(buffer, command, sizeof buffer);
  return port->SendCommand(buffer);
}

bool TXR9Equip::Query(const char* command, char* reply) {
  char buffer[kReplyBufferSize];
  CopyText(buffer, command, sizeof buffer);
  const bool ok = port && port->Transact(buffer);
  if (!port) buffer[0] = '\0';
  CopyText(reply, buffer, kReplyBufferSize);
  return ok;
}

bool TXR9Equip::SendBlock(const uint8_t* buffer, int n) {
  return port && port->SendBlock(reinterpret_cast<const char*>(buffer), n);
}

bool TXR9Equip::QueryRaw(const char* command, char* buffer, int n) {
  if (!port || n < 0) return false;
  BusyScope busy(busy_);
  char text[kReplyBufferSize];
  CopyText(text, command, sizeof text);
  return port->AskRaw(text, buffer, n, [this] { clock->PumpEvents(0, false); }) == n;
}

// ---------------------------------------------------------------------------------------------
// Identification

void TXR9Equip::SetFlags(uint32_t w, TEquipIdent& ident) {
  auto bit = [w](int n) { return static_cast<uint8_t>((w >> n) & 1u); };
  ident.flag1 = bit(27);
  ident.flag2 = bit(26);
  ident.flag3 = bit(25);
  ident.flag4 = bit(15);
  ident.flag5 = bit(18);
  ident.flag6 = bit(17);
  ident.flag7 = bit(16);
  ident.flag8 = bit(29);
  ident.flag9 = bit(28);
}

void TXR9Equip::ParseIdReply(const char* reply, TEquipIdent& ident) {
  ident = TEquipIdent{};
  uint32_t w = 0;
  if (std::strlen(reply) >= 14 && std::strstr(reply, "ID")) {
    uint32_t value = 0;
    const char* blank = std::strchr(reply, ' ');
    ident.model = blank && ReadHex(blank, 8, value) ? static_cast<uint8_t>(value) : kGatedModel;
    if (const char* dot = std::strchr(reply, '.')) {
      if (ReadHex(dot + 1, 8, value)) w = value;
      if (const char* next = std::strchr(dot + 1, '.'); next && ReadHex(next + 1, 8, value))
        ident.optionByte = static_cast<uint8_t>(value);
    }
  }
  SetFlags(w, ident);
}

bool TXR9Equip::Identify(TEquipIdent& ident) {
  if (!port) return false;
  SendCommand("*7205&");
  char reply[kReplyBufferSize];
  if (!Query("*?ID", reply)) {
    cv::ShowBox(cv::CurrentPrompter(), cv::Msg(cv3::EquipmentNotDetected), cv::Msg(cv3::ErrorCaption),
                cv::MsgIcon::Warning);
    return false;
  }
  ParseIdReply(reply, ident);
  return ReadVersion(ident.version);
}

float TXR9Equip::ParseVersionReply(const char* reply) {
  std::string text(reply);
  for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return text.size() > 3 ? static_cast<float>(cv::AtoF(text.c_str() + 3)) : 0.0f;
}

bool TXR9Equip::ReadVersion(float& version) {
  char reply[kReplyBufferSize];
  if (!Query("*?VE", reply)) return false;
  version = ParseVersionReply(reply);
  return true;
}

bool TXR9Equip::CheckVersion() {
  char reply[kReplyBufferSize];
  return Query("*?VE", reply) && std::strncmp(reply, "*VE", 3) == 0;
}

// ---------------------------------------------------------------------------------------------
// Text helpers

uint32_t TXR9Equip::ByteSum(const uint8_t* buffer, size_t n) {
  uint32_t sum = 0;
  for (size_t i = 0; i < n; ++i) sum += buffer[i];
  return sum;
}

std::string TXR9Equip::GetFileName(const std::string& path) {
  const size_t cut = path.find_last_of("/\\:");
  return cut == std::string::npos ? path : path.substr(cut + 1);
}

std::string TXR9Equip::GetBaseName(const std::string& path) {
  std::string name = GetFileName(path);
  const size_t dot = name.find_last_of('.');
  if (dot != std::string::npos) name.resize(dot);
  return name;
}

void TXR9Equip::TrimCopy(const std::string& source, std::string& target) {
  const size_t first = source.find_first_not_of(' ');
  if (first == std::string::npos) return;
  target = source.substr(first, source.find_last_not_of(' ') - first + 1);
}

std::string TXR9Equip::ToUtf8(const std::string& text) { return cv::Cp1252ToUtf8(text); }

}  // namespace cv::xr9
