#include "Help.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QVariant>

#include "AppServices.h"

namespace cv {
namespace {

class DesktopOpener : public UrlOpener {
 public:
  bool OpenUrl(const QUrl& url) override { return QDesktopServices::openUrl(url); }
};

const char* const kOpenerProperty = "cvUrlOpener";
const char* const kHelpFileProperty = "cvHelpFile";

}  // namespace

UrlOpener& CurrentUrlOpener() {
  static DesktopOpener real;
  if (QCoreApplication* app = QCoreApplication::instance()) {
    auto p = app->property(kOpenerProperty).value<quintptr>();
    if (p) return *reinterpret_cast<UrlOpener*>(p);
  }
  return real;
}

void SetUrlOpener(UrlOpener* opener) {
  if (QCoreApplication* app = QCoreApplication::instance())
    app->setProperty(kOpenerProperty, QVariant::fromValue(reinterpret_cast<quintptr>(opener)));
}

bool OpenUrlExternally(const QUrl& url) { return CurrentUrlOpener().OpenUrl(url); }

std::string AppHelpFile() {
  QCoreApplication* app = QCoreApplication::instance();
  return app ? app->property(kHelpFileProperty).toString().toStdString() : std::string();
}

void SetAppHelpFile(const std::string& helpFile) {
  if (QCoreApplication* app = QCoreApplication::instance())
    app->setProperty(kHelpFileProperty, QString::fromStdString(helpFile));
}

QString HelpPagePath(const std::string& helpFile) {
  QString p = QString::fromStdString(helpFile);
  p.replace('\\', '/');
  QFileInfo info(p);
  QString dir = info.path();
  QString base = info.suffix().isEmpty() ? info.fileName() : info.completeBaseName();
  return (dir == "." && !p.startsWith("./") ? QString() : dir + "/") + base + ".html";
}

HelpResult OpenHelp(const std::string& helpFile, HelpCommand command, const QString& topic) {
  if (helpFile.empty()) return HelpResult::NoHelpFile;
  QFileInfo page(QDir::current(), HelpPagePath(helpFile));
  if (!page.isFile()) return HelpResult::Missing;
  QUrl url = QUrl::fromLocalFile(page.absoluteFilePath());
  if (command == HelpCommand::Search) url.setFragment("index");
  else if (command == HelpCommand::HowToUse) url.setFragment("using-help");
  else if (!topic.isEmpty()) url.setFragment(topic);
  return OpenUrlExternally(url) ? HelpResult::Opened : HelpResult::NotOpened;
}

HelpResult ShowHelp(const std::string& helpFile, HelpCommand command, const QString& caption,
                    const QString& missingText, const QString& noFileText, const QString& topic) {
  HelpResult r = OpenHelp(helpFile, command, topic);
  if (r == HelpResult::Missing) {
    QString text = missingText;
    text.replace("%s", QDir::toNativeSeparators(QFileInfo(QDir::current(), HelpPagePath(helpFile)).absoluteFilePath()));
    ShowError(caption, text);
  } else if (r == HelpResult::NoHelpFile) {
    ShowError(caption, noFileText);
  }
  return r;
}

}  // namespace cv
