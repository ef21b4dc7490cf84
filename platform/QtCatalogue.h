#pragma once
// Qt's own texts (the file and print dialogs, standard buttons, the text fields' context menus,
// key names such as "Ctrl+N") in the language in force, from the catalogues Qt ships.
#include <QString>

namespace cv {

// Where the program looks for Qt's catalogues ("qtbase_de.qm"): Qt's own translations folder,
// or the folder set for tests (empty restores Qt's).
QString QtCatalogueDir();
void SetQtCatalogueDir(const QString& dir);

// Puts Qt's catalogue for `language` (a locale name such as "de"; empty or "en" for English)
// in force for the whole application, replacing the one loaded before. True when a catalogue
// is in force afterwards; a missing catalogue leaves Qt's texts in English and is no error.
bool LoadQtCatalogue(const QString& language);

}  // namespace cv
