#include "LanguageModule.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QVariant>
#include <cctype>

#include "Registry.h"

namespace cv {
namespace {

// Kept on the application object so the plug-ins, with their own copy of this code, agree.
const char* const kProgramPathProperty = "cvProgramPath";

std::string Lower(std::string s) {
  for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return s;
}

std::string Upper(std::string s) {
  for (char& c : s) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return s;
}

std::string Canonical(const std::string& path) {
  QFileInfo info(QString::fromStdString(path));
  QString real = info.canonicalFilePath();
  return (real.isEmpty() ? info.absoluteFilePath() : real).toStdString();
}

}  // namespace

std::string LocaleAbbreviation(int localeId) {
  switch (localeId) {
    case 0x0809: return "ENG";
    case 0x0409: return "ENU";
    case 0x040A:
    case 0x0C0A: return "ESP";
    case 0x0403: return "CAT";
    case 0x0407: return "DEU";
    case 0x040C: return "FRA";
    case 0x0410: return "ITA";
    default: return {};
  }
}

std::string FindLanguageModule(const std::string& binaryPath, const std::string& abbreviation) {
  if (binaryPath.empty() || abbreviation.size() < 2) return {};
  QFileInfo bin(QString::fromStdString(binaryPath));
  std::string stem = (bin.path() + QLatin1Char('/') + bin.completeBaseName()).toStdString();
  if (bin.suffix().isEmpty()) stem = binaryPath;
  for (const std::string& code : {abbreviation, abbreviation.substr(0, 2)}) {
    for (const std::string& spelt : {code, Lower(code), Upper(code)}) {
      std::string candidate = stem + "." + spelt;
      if (QFileInfo(QString::fromStdString(candidate)).isFile()) return candidate;
    }
  }
  return {};
}

std::string ProgramPath() {
  if (QCoreApplication* app = QCoreApplication::instance()) {
    QString set = app->property(kProgramPathProperty).toString();
    if (!set.isEmpty()) return set.toStdString();
    return Canonical(QCoreApplication::applicationFilePath().toStdString());
  }
  return {};
}

void SetProgramPath(const std::string& path) {
  if (QCoreApplication* app = QCoreApplication::instance())
    app->setProperty(kProgramPathProperty, path.empty() ? QVariant() : QVariant(QString::fromStdString(path)));
}

std::string ReadLocaleOverride(const std::string& programPath) {
  auto key = RegKey::Open(kLocaleOverrideKey, false);
  std::string code;
  if (!key || key->ReadString(Canonical(programPath), code) != RegRead::Ok) return {};
  return code;
}

bool WriteLocaleOverride(const std::string& programPath, const std::string& code) {
  auto key = RegKey::Open(kLocaleOverrideKey, true);
  return key && key->WriteString(Canonical(programPath), code);
}

}  // namespace cv
