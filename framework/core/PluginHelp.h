#pragma once
// A plug-in's help: one page per plug-in ("help\Cv3Tools.hlp", shown as help/Cv3Tools.html)
// beside the program, opened from the tools' Help buttons.
#include <QString>
#include <string>

#include "EquipFamily.h"
#include "Help.h"

class TCv3Equip;

inline constexpr const char* kPluginHelpFile = "help\\Cv3Tools.hlp";
inline const QString kChannelEditorHelpTopic = QStringLiteral("channel-editor");  // "Channel Editor"
inline const QString kChannelsHelpTopic = QStringLiteral("Channels");
inline const QString kSpectrumHelpTopic = QStringLiteral("Spectrum");

// Opens the plug-in's page `helpFile` at `topic` (its top when empty) and makes it the
// application's help file. The page's path is relative to `startDir` (the current directory when empty), wherever
// a file dialog has since taken the current directory, which is left as it was. A missing page
// is told in an error box.
cv::HelpResult ShowPluginHelp(const std::string& startDir, const QString& topic = QString(),
                              const char* helpFile = kPluginHelpFile);
// The same with the equipment's help file and its name of the tool's topic, from its start
// directory; without an equipment, the CORVANE-3 page.
cv::HelpResult ShowPluginHelp(const TCv3Equip* equip, HelpTopic topic);
