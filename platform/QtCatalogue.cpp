#include "QtCatalogue.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <QVariant>

namespace cv {
namespace {

// The host and every plug-in share the application: the one translator is its child, found by
// name, so whichever copy of this code switches the language replaces the same one.
const char* const kTranslatorName = "cvQtCatalogue";
const char* const kDirProperty = "cvQtCatalogueDir";

}  // namespace

QString QtCatalogueDir() {
  if (QCoreApplication* app = QCoreApplication::instance()) {
    QString set = app->property(kDirProperty).toString();
    if (!set.isEmpty()) return set;
  }
  return QLibraryInfo::path(QLibraryInfo::TranslationsPath);
}

void SetQtCatalogueDir(const QString& dir) {
  if (QCoreApplication* app = QCoreApplication::instance())
    app->setProperty(kDirProperty, dir.isEmpty() ? QVariant() : QVariant(dir));
}

bool LoadQtCatalogue(const QString& language) {
  QCoreApplication* app = QCoreApplication::instance();
  if (!app) return false;
  if (auto* old = app->findChild<QTranslator*>(kTranslatorName, Qt::FindDirectChildrenOnly)) {
    QCoreApplication::removeTranslator(old);
    delete old;
  }
  if (language.isEmpty() || language == QLatin1String("en")) return false;
  auto* translator = new QTranslator(app);
  translator->setObjectName(kTranslatorName);
  if (!translator->load(QLocale(language), QStringLiteral("qtbase"), QStringLiteral("_"), QtCatalogueDir())) {
    delete translator;
    return false;
  }
  QCoreApplication::installTranslator(translator);
  return true;
}

}  // namespace cv
