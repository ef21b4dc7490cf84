#include "PluginHelp.h"

#include <QDir>

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
