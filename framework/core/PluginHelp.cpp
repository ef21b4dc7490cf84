#include "PluginHelp.h"

#include <QDir>

#include "Cv3Equip.h"
#include "Messages.h"
#include "MsgIds.h"

cv::HelpResult ShowPluginHelp(const std::string& startDir, const QString& topic, const char* helpFile) {
  const QString here = QDir::currentPath();
  if (!startDir.empty()) QDir::setCurrent(QString::fromLocal8Bit(startDir.c_str()));
  cv::SetAppHelpFile(helpFile);
  cv::HelpResult r = cv::ShowHelp(helpFile, cv::HelpCommand::Contents,
                                  cv::MsgQ(cv::msg::cv3::CvToolsErrorCaption),
                                  cv::MsgQ(cv::msg::HelpPageMissing),
                                  cv::MsgQ(cv::msg::NoHelpFileYet), topic);
  QDir::setCurrent(here);
  return r;
}

cv::HelpResult ShowPluginHelp(const TCv3Equip* equip, HelpTopic topic) {
  const TEquipFamily& family = equip ? equip->Family() : kCorvane3Family;
  const std::string file = equip ? equip->HelpFile() : std::string(kPluginHelpFile);
  return ShowPluginHelp(equip ? equip->GetStartDir() : std::string(),
                        QString::fromLatin1(family.helpTopics[static_cast<int>(topic)]), file.c_str());
}
