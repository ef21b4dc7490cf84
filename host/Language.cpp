#include "Language.h"

#include "IniFile.h"
#include "LanguageModule.h"
#include "AppServices.h"
#include "Messages.h"
#include "MsgIds.h"
#include "QtCatalogue.h"

namespace cv {
namespace {

const LanguageRow kLanguages[kLanguageCount] = {
    {"CODELANG_0902", 0x0809, "eng", "en"}, {"CODELANG_1001", 0x040A, "esp", "es"},
    {"CODELANG_0301", 0x0403, "cat", "ca"}, {"CODELANG_0701", 0x0407, "deu", "de"},
    {"CODELANG_1201", 0x040C, "fra", "fr"}, {"CODELANG_1601", 0x0410, "ita", "it"},
};

}  // namespace

const LanguageRow& LanguageOf(int index) {
  return kLanguages[index >= 0 && index < kLanguageCount ? index : 0];
}

int LanguageIndexOfMarker(const std::string& marker) {
  for (int i = 1; i < kLanguageCount; ++i)
    if (marker == kLanguages[i].marker) return i;
  return 0;
}

int LanguageIndexOfIniValue(const std::string& value) {
  // Every language the Language menu offers; Italian has a marker but no module.
  for (int i = 0; i < kMenuLanguageCount; ++i)
    if (SameText(value, kLanguages[i].code)) return i;
  return -1;
}

int LanguageIndexOfCode(const std::string& code) {
  for (int i = 0; i < kLanguageCount; ++i)
    if (SameText(code, kLanguages[i].code)) return i;
  return -1;
}

bool LoadProgramLanguage(int index) {
  if (index < 0 || index >= kLanguageCount) return false;
  const LanguageRow& row = kLanguages[index];
  std::string module = FindLanguageModule(ProgramPath(), LocaleAbbreviation(row.localeId));
  if (!module.empty()) {
    // Texts of the previous language must not linger where the new module has none.
    if (!LoadLanguageTable(module)) return false;
  } else if (index == 0) {
    ResetLanguageTable();
  } else {
    return false;
  }
  SetLanguageInForce(row.code);
  LoadQtCatalogue(QString::fromLatin1(row.qtName));
  SetMessageBoxButtonTexts(MsgQ(msg::OkCaption), MsgQ(msg::YesCaption), MsgQ(msg::NoCaption),
                           MsgQ(msg::detect::CancelCaption));
  return true;
}

bool LoadStartupLanguage() {
  std::string code = ReadLocaleOverride(ProgramPath());
  int index = LanguageIndexOfCode(code);
  return index >= 0 && LoadProgramLanguage(index);
}

}  // namespace cv
