#pragma once
// Language modules and the per-user language override, the run-time's part of the language
// switch. A language module is a message-table file beside a deliverable, named like it with the
// extension replaced by a language's abbreviation: CvTools.esp beside the program, Cv3Tools.esp
// beside the CORVANE-3 plug-in. The override names the module the program starts with.
#include <string>

namespace cv {

// The platform's three-letter abbreviated language name for a locale identifier ("ESP" for
// 0x040A); empty for a locale it does not know.
std::string LocaleAbbreviation(int localeId);

// The module of `binaryPath` for `abbreviation`: the binary's name with its extension (if any)
// replaced by the abbreviation, tried as given, in lower and in upper case; then the same with
// the abbreviation's first two letters. Empty when no such file exists.
std::string FindLanguageModule(const std::string& binaryPath, const std::string& abbreviation);

// The running program's file, its real path (links resolved), or the path set for tests.
std::string ProgramPath();
void SetProgramPath(const std::string& path);  // empty restores the real one

// The per-user override: a string value named by the program's real path, holding the module
// code ("esp"), under the key below of the per-user registry store. Keyed by the real path, the
// choice holds whichever directory the program is started from.
constexpr const char* kLocaleOverrideKey = "Software\\Runtime\\Locales";
std::string ReadLocaleOverride(const std::string& programPath);
bool WriteLocaleOverride(const std::string& programPath, const std::string& code);

}  // namespace cv
