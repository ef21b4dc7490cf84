#include "Separators.h"

#include <QLocale>
#include <optional>

#include "IniFile.h"

namespace cv {
namespace {

std::optional<Separators>& Cache() {
  static std::optional<Separators> cache;
  return cache;
}

// The first byte of a non-empty setting.
bool Pick(const std::string& value, char& out) {
  if (value.empty()) return false;
  out = value[0];
  return true;
}

Separators LookUp() {
  Separators s;
  bool haveDecimal = false, haveList = false;
  IniFile ini = HostIni();
  haveDecimal = Pick(ini.ReadString("Intl", "sDecimal", ""), s.decimal);
  haveList = Pick(ini.ReadString("Intl", "sList", ""), s.list);
  if (!haveDecimal) haveDecimal = Pick(qEnvironmentVariable("CV_SDECIMAL").toStdString(), s.decimal);
  if (!haveList) haveList = Pick(qEnvironmentVariable("CV_SLIST").toStdString(), s.list);
  QLocale locale = QLocale::system();
  bool known = locale.language() != QLocale::C;
  if (!haveDecimal && known) {
    QString d = locale.decimalPoint();
    if (d.size() == 1 && d[0].unicode() < 0x80) {
      s.decimal = static_cast<char>(d[0].unicode());
      haveDecimal = true;
    }
  }
  if (!haveList && haveDecimal)
    s.list = s.decimal == ',' ? ';' : ',';
  return s;
}

}  // namespace

Separators LocaleSeparators() {
  if (!Cache()) Cache() = LookUp();
  return *Cache();
}

char DecimalSeparator() { return LocaleSeparators().decimal; }
char ListSeparator() { return LocaleSeparators().list; }
void ReloadSeparators() { Cache().reset(); }

}  // namespace cv
