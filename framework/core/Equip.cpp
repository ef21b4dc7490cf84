// The services every framework dialog takes from its equipment object.
#include "Equip.h"

#include <QApplication>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QPixmap>
#include <QPlainTextEdit>
#include <algorithm>
#include <cstring>

#include "AppServices.h"
#include "DateTimeText.h"
#include "Messages.h"
#include "MsgIds.h"
#include "CustomLogo.h"
#include "IniFile.h"
#include "LogoImage.h"
#include "Separators.h"
#include "Text1252.h"

namespace {

// A wait longer than this would freeze a tool for too long; callers never need more.
constexpr int kMaxWaitMs = 15000;

}  // namespace

TEquip::TEquip(QWidget* mainForm, TSerial* port) : port(port) {
  if (mainForm) logMemo = mainForm->findChild<QPlainTextEdit*>("LogMemo");
  ReadSeparators();
}

TEquip::~TEquip() = default;

void TEquip::ReadSeparators() {
  cv::Separators separators = cv::LocaleSeparators();
  decimalSeparator = separators.decimal;
  listSeparator = separators.list;
}

void TEquip::GetSeparators(char& decimal, char& list) const {
  decimal = decimalSeparator;
  list = listSeparator;
}

char* TEquip::ToLocalDecimal(char* text) const {
  for (char* p = text; p && *p && *p != '\n'; ++p)
    if (*p == '.') *p = decimalSeparator;
  return text;
}

char* TEquip::ToDotDecimal(char* text) const {
  for (char* p = text; p && *p && *p != '\n'; ++p)
    if (*p == ',') *p = '.';
  return text;
}

int TEquip::CountFileLines(FILE* file) const {
  if (!file) return 0;
  rewind(file);
  // Pieces of at most 254 characters, as the readers of these files take them.
  char line[255];
  int count = 0;
  while (fgets(line, sizeof line, file)) ++count;
  rewind(file);
  return count;
}

char* TEquip::DateString(char* dest) const {
  std::string text = cv::DateText(QDateTime::currentDateTime());
  std::memcpy(dest, text.c_str(), text.size() + 1);
  return dest;
}

char* TEquip::TimeString(char* dest) const {
  std::string text = cv::TimeText(QDateTime::currentDateTime());
  std::memcpy(dest, text.c_str(), text.size() + 1);
  return dest;
}

char* TEquip::SecondsToMinSec(int32_t seconds, char* dest) const {
  // A negative elapsed time can only come from a clock step; show it as nothing elapsed.
  if (seconds < 0) seconds = 0;
  int32_t minutes = seconds / 60;
  int32_t rest = seconds % 60;
  std::string text = (minutes < 10 ? "0" : "") + std::to_string(minutes) + ":" +
                     (rest < 10 ? "0" : "") + std::to_string(rest);
  if (text.size() > 5) text.resize(5);
  std::memcpy(dest, text.c_str(), text.size() + 1);
  return dest;
}

void TEquip::Wait(int milliseconds) const {
  const int64_t limit = std::clamp(milliseconds, 0, kMaxWaitMs);
  const int64_t start = clock->NowMs();
  int64_t elapsed = 0;
  do {
    clock->PumpEvents(static_cast<int>(limit - elapsed));
    if (cv::AppTerminating()) return;
    elapsed = clock->NowMs() - start;
  } while (elapsed < limit);
}

void TEquip::LoadCustomLogo(QLabel* image) const {
  if (!image) return;
  cv::IniFile ini = cv::HostIni();
  if (ini.LoadFailed()) {
    cv::ShowError(cv::MsgQ(cv::msg::cv3::ErrorCaption), cv::MsgQ(cv::msg::cv3::ImpossibleIniFile));
    return;
  }
  cv::CustomLogoSettings logo = cv::ReadCustomLogo(ini);
  // A relative logo name is taken from the host program's directory.
  QString baseDir = QCoreApplication::applicationDirPath();
  if (auto* logoImage = qobject_cast<TLogoImage*>(image)) {
    cv::ApplyCustomLogo(logoImage, logo, baseDir);
    return;
  }
  // A plain label can only stretch; the picture is shown as the settings allow.
  if (logo.logoFile.empty()) return;
  QString path = cv::From1252(logo.logoFile);
  path.replace('\\', '/');
  if (QDir::isRelativePath(path)) path = QDir(baseDir).filePath(path);
  QPixmap picture;
  if (!picture.load(path)) return;
  image->setScaledContents(logo.stretch && !logo.proportional);
  image->setAlignment(logo.center ? Qt::AlignCenter : Qt::AlignLeft | Qt::AlignTop);
  image->setPixmap(picture);
}

void TEquip::Log(const std::string& line) const {
  if (logMemo) logMemo->appendPlainText(cv::From1252(line));
}
