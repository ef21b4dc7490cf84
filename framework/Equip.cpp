// The services every framework dialog takes from its equipment object.
#include "Equip.h"

#include <QApplication>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QMessageBox>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QSettings>
#include <algorithm>
#include <cstring>

#include "AppServices.h"
#include "DateTimeText.h"
#include "Messages.h"
#include "MsgIds.h"
#include "LogoImage.h"
#include "Text1252.h"

namespace {

// A wait longer than this would freeze a tool for too long; callers never need more.
constexpr int kMaxWaitMs = 15000;

// The decimal and list separators the system's regional settings give, one character each.
char IntlSetting(const char* key, char fallback) {
  (void)key;
  return fallback;
}

// The host's INI file: the host program's file name with the extension ".INI".
QString HostIniPath() {
  QFileInfo exe(QCoreApplication::applicationFilePath());
  return exe.absolutePath() + "/" + exe.completeBaseName() + ".INI";
}

}  // namespace

TEquip::TEquip(QWidget* mainForm, TSerial* port) : port(port) {
  if (mainForm) logMemo = mainForm->findChild<QPlainTextEdit*>("LogMemo");
  ReadSeparators();
}

TEquip::~TEquip() = default;

void TEquip::ReadSeparators() {
  decimalSeparator = IntlSetting("sDecimal", ',');
  listSeparator = IntlSetting("sList", ';');
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
  do {
    clock->PumpEvents();
    if (cv::AppTerminating()) return;
  } while (clock->NowMs() - start < limit);
}

void TEquip::LoadCustomLogo(QLabel* image) const {
  if (!image) return;
  // The settings object reads the file by its full path, so the working directory stays as it is.
  QString iniPath = HostIniPath();
  QSettings ini(iniPath, QSettings::IniFormat);
  if (ini.status() == QSettings::AccessError) {
    QMessageBox::critical(image->window(), cv::MsgQ(cv::msg::cv3::ErrorCaption),
                          cv::MsgQ(cv::msg::cv3::ImpossibleIniFile));
    return;
  }
  ini.beginGroup("CustomLogo");
  QString logoFile = ini.value("logo_file", "").toString();
  QString stretch = ini.value("stretch", "yes").toString();
  QString proportional = ini.value("proportional", "yes").toString();
  QString center = ini.value("center", "yes").toString();
  ini.endGroup();
  if (logoFile.isEmpty()) return;
  auto yes = [](const QString& v) { return v.compare("yes", Qt::CaseInsensitive) == 0; };
  cv::ApplyLogoFlags(image, yes(stretch), yes(proportional), yes(center));
  // A relative logo name is taken from the host program's directory.
  QDir exeDir(QCoreApplication::applicationDirPath());
  QPixmap picture;
  if (picture.load(exeDir.absoluteFilePath(logoFile))) cv::ShowLogo(image, picture);
}

void TEquip::Log(const std::string& line) const {
  if (logMemo) logMemo->appendPlainText(cv::From1252(line));
}
