#pragma once
// Help. The tools name WinHelp files ("help\CvTools.hlp"); each has an HTML counterpart of the
// same name with ".html" ("help/CvTools.html"), which opens in the desktop's browser. The
// application's help file is set by Help > Contents and used by Search and How to Use Help.
#include <QString>
#include <QUrl>
#include <string>

namespace cv {

enum class HelpCommand { Contents, Search, HowToUse };
enum class HelpResult { Opened, NoHelpFile, Missing, NotOpened };

// Opens URLs outside the program; a test replaces it with a recording one.
class UrlOpener {
 public:
  virtual ~UrlOpener() = default;
  virtual bool OpenUrl(const QUrl& url) = 0;
};
UrlOpener& CurrentUrlOpener();
void SetUrlOpener(UrlOpener* opener);  // nullptr restores the desktop's browser
bool OpenUrlExternally(const QUrl& url);

// The application's help file, as the tools name it (empty at start).
std::string AppHelpFile();
void SetAppHelpFile(const std::string& helpFile);

// The HTML page for a help file name, relative to the current directory: "\" becomes "/" and
// the extension becomes ".html".
QString HelpPagePath(const std::string& helpFile);

// Opens `helpFile`'s page (Search and How to Use Help open a section of it). Contents with a
// `topic` opens the section whose id is the topic, the way a tool's Help button shows its own
// topic.
HelpResult OpenHelp(const std::string& helpFile, HelpCommand command, const QString& topic = QString());

// OpenHelp with the failure told in an error box titled `caption`: `missingText` with "%s"
// replaced by the page's path when the page is missing; `noFileText` when no help file is named.
HelpResult ShowHelp(const std::string& helpFile, HelpCommand command, const QString& caption,
                    const QString& missingText, const QString& noFileText,
                    const QString& topic = QString());

}  // namespace cv
