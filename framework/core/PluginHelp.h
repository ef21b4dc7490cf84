#pragma once
// The CORVANE-3 plug-in's help: one page ("help\Cv3Tools.hlp", shown as help/Cv3Tools.html)
// beside the program, opened from the tools' Help buttons.
#include <QString>
#include <string>

#include "Help.h"

inline constexpr const char* kPluginHelpFile = "help\\Cv3Tools.hlp";
inline const QString kChannelEditorHelpTopic = QStringLiteral("channel-editor");  // "Channel Editor"
inline const QString kChannelsHelpTopic = QStringLiteral("Channels");
inline const QString kSpectrumHelpTopic = QStringLiteral("Spectrum");

// Opens the plug-in's page at `topic` (its top when empty) and makes it the application's help
// file. The page's path is relative to `startDir` (the current directory when empty), wherever
// a file dialog has since taken the current directory, which is left as it was. A missing page
// is told in an error box.
cv::HelpResult ShowPluginHelp(const std::string& startDir, const QString& topic = QString());
// The same for a plug-in family with a help file of its own ("help\\XR9Tools.hlp").
cv::HelpResult ShowPluginHelp(const std::string& startDir, const char* helpFile, const QString& topic);
