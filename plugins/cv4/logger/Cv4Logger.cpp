#include "Cv4Logger.h"

#include <cctype>

#include "Cv3Equip.h"
#include "Datalogdlg.h"
#include "Messages.h"
#include "MsgIds.h"
#include "NumFormat.h"

namespace cv::cv4 {

namespace {

constexpr size_t kSerialReplyLength = 35;  // "*I2" and 16 bytes

bool Begins(const std::string& text, const char* prefix) { return text.rfind(prefix, 0) == 0; }

}  // namespace

const cv::logger::TLoggerFamily& Cv4LoggerFamily() {
  static const cv::logger::TLoggerFamily family = [] {
    cv::logger::TLoggerFamily f = cv::logger::Corvane3LoggerFamily();
    f.minMemoryReply = 43;
    f.timeStampVersion = 0;
    f.identify = AskIdentification;
    f.identifyOnEveryPage = true;
    f.titleInTitleFont = true;
    f.commentLength = 220;
    return f;
  }();
  return family;
}

std::string SerialFromReply(const std::string& reply) {
  const std::string read = reply.substr(0, kSerialReplyLength);
  if (!Begins(read, "*I2")) return {};
  // The number's bytes end at the first 00 or FF byte; an "FF" that straddles two bytes
  // ("4F F0") is no end.
  return cv::DecodeHexText(std::string_view(read).substr(3));
}

std::string AskIdentification(cv::logger::LoggerMeter& meter) {
  std::string text;
  std::string answer;
  if (meter.Query("*?NA", answer)) {
    std::string upper = answer;
    for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    if (Begins(upper, "*NA")) text = answer.size() > 4 ? answer.substr(4) : std::string();
  }
  if (meter.Query("*?VE", answer)) {
    if (Begins(answer, "*VE")) text += " v" + (answer.size() > 4 ? answer.substr(4) : std::string());
  }
  std::string serial;
  if (meter.SendCommand("*7205&") && meter.Query("*?I20A01F00010", answer)) serial = SerialFromReply(answer);
  return text + cv::Msg(cv::msg::logger::DlSerial) + serial;
}

std::unique_ptr<QDialog> MakeDataLoggerDlg4(QWidget* owner, TCv3Equip* equipment) {
  return std::make_unique<TDataLoggerDlg>(owner, equipment, Cv4LoggerFamily());
}

}  // namespace cv::cv4
