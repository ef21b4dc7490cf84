#pragma once
// The host's languages: which one a message table holds, which one the INI file asks for, and
// loading one as the program's message table. No widgets here.
#include <string>

namespace cv {

struct LanguageRow {
  const char* marker;  // text 6666 of a table in that language
  int localeId;
  const char* code;    // module code, also the per-user override's value
  const char* qtName;  // locale name of Qt's own catalogue ("qtbase_de.qm"); "en" has none
};
constexpr int kLanguageCount = 6;  // English, Spanish, Catalan, German, French, Italian
constexpr int kMenuLanguageCount = 5;  // the first five, those with a module and a menu item
const LanguageRow& LanguageOf(int index);

// The language index of a marker text; any marker not listed is English (0).
int LanguageIndexOfMarker(const std::string& marker);
// [OverwriteLanguage] Language: "eng", "esp", "cat", "deu" or "fra" (without case) give 0 to 4;
// anything else, "auto" included, gives -1 (no change).
int LanguageIndexOfIniValue(const std::string& value);
// The index whose module code is `code` (without case), or -1.
int LanguageIndexOfCode(const std::string& code);

// Makes language `index` the program's message table: English is built in (a shipped "eng"
// module takes precedence), the others come from their module beside the program. Sets the
// language in force for the plug-ins, and Qt's own catalogue of the language for its dialogs and
// widgets (English when Qt has none). False, with nothing changed, when the module is missing or
// unreadable.
bool LoadProgramLanguage(int index);

// What the run-time does before any form exists: the per-user override for this program, when
// there is one, loads its language. True when a language was loaded.
bool LoadStartupLanguage();

}  // namespace cv
