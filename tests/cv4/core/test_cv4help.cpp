// The CORVANE-4 help page: every tool's topic has its section, and the framework's dialogs open
// this family's page through the equipment.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QUrl>

#include "Chanplandlg.h"
#include "Cv4Equip.h"
#include "Help.h"
#include "HostForm.h"
#include "PluginHelp.h"
#include "RecordingOpener.h"
#include "StartDir.h"

using cv::cv4::TCv4Equip;

TEST(Cv4Help, EveryTopicOpensItsSectionOfTheFamilysPage) {
  StartDir dir;
  HostForm host;
  std::unique_ptr<TCv4Equip> equip(TCv3Equip::Build<TCv4Equip>(&host.form, nullptr));
  ASSERT_TRUE(QDir(dir.path()).mkpath("help"));
  ASSERT_TRUE(QDir(dir.path()).mkpath("work"));
  const QString page = dir.filePath("help/Cv4Tools.html");
  ASSERT_TRUE(QFile::copy(QStringLiteral(CV_BIN_DIR "/help/Cv4Tools.html"), page));
  QFile shipped(page);
  ASSERT_TRUE(shipped.open(QIODevice::ReadOnly));
  const QByteArray html = shipped.readAll();
  QDir::setCurrent(dir.filePath("work"));  // where a file dialog may have left it

  for (int t = 0; t < kHelpTopics; ++t) {
    const QString topic = QString::fromLatin1(equip->HelpTopicName(static_cast<HelpTopic>(t)));
    SCOPED_TRACE(topic.toStdString());
    RecordingOpener opener;
    ShowPluginHelp(equip.get(), static_cast<HelpTopic>(t));
    ASSERT_EQ(opener.urls.size(), 1u);
    EXPECT_EQ(opener.urls[0].toLocalFile(), QFileInfo(page).absoluteFilePath());
    EXPECT_EQ(opener.urls[0].fragment(), topic);
    EXPECT_TRUE(html.contains(("id=\"" + topic + "\"").toUtf8())) << "no section for the topic";
    EXPECT_EQ(QDir::currentPath(), dir.filePath("work"));
    EXPECT_EQ(cv::AppHelpFile(), "help\\Cv4Tools.hlp");
  }

  // A framework dialog given this equipment opens this family's page.
  TChannelsPlanDlg plans(&host.form, equip.get());
  RecordingOpener opener;
  auto* help = plans.findChild<QPushButton*>("HelpBtn");
  ASSERT_NE(help, nullptr);
  help->click();
  ASSERT_EQ(opener.urls.size(), 1u);
  EXPECT_EQ(opener.urls[0].fragment(), "ChannelEditor");
  cv::SetAppHelpFile("");
}
