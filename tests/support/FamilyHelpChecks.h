#pragma once
// A family's help page: every tool's topic has its section, and the framework's dialogs open the
// family's page through its equipment object.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QUrl>
#include <functional>
#include <memory>

#include "Chanplandlg.h"
#include "Cv3Equip.h"
#include "Help.h"
#include "HostForm.h"
#include "PluginHelp.h"
#include "RecordingOpener.h"
#include "StartDir.h"

// `make` builds the family's object, which takes the start directory at construction; `page` is
// the shipped page's file name ("Cv4Tools.html"), `helpFile` the name the dialogs set as the
// application's help file ("help\\Cv4Tools.hlp").
inline void ExpectFamilyHelp(const std::function<std::unique_ptr<TCv3Equip>(HostForm&)>& make, const QString& page,
                             const char* helpFile) {
  StartDir dir;
  HostForm host;
  std::unique_ptr<TCv3Equip> made = make(host);
  TCv3Equip& equip = *made;
  ASSERT_TRUE(QDir(dir.path()).mkpath("help"));
  ASSERT_TRUE(QDir(dir.path()).mkpath("work"));
  const QString copy = dir.filePath("help/" + page);
  ASSERT_TRUE(QFile::copy(QStringLiteral(CV_BIN_DIR "/help/") + page, copy));
  QFile shipped(copy);
  ASSERT_TRUE(shipped.open(QIODevice::ReadOnly));
  const QByteArray html = shipped.readAll();
  QDir::setCurrent(dir.filePath("work"));  // where a file dialog may have left it

  for (int t = 0; t < kHelpTopics; ++t) {
    const QString topic = QString::fromLatin1(equip.HelpTopicName(static_cast<HelpTopic>(t)));
    SCOPED_TRACE(topic.toStdString());
    RecordingOpener opener;
    ShowPluginHelp(&equip, static_cast<HelpTopic>(t));
    ASSERT_EQ(opener.urls.size(), 1u);
    EXPECT_EQ(opener.urls[0].toLocalFile(), QFileInfo(copy).absoluteFilePath());
    EXPECT_EQ(opener.urls[0].fragment(), topic);
    EXPECT_TRUE(html.contains(("id=\"" + topic + "\"").toUtf8())) << "no section for the topic";
    EXPECT_EQ(QDir::currentPath(), dir.filePath("work"));
    EXPECT_EQ(cv::AppHelpFile(), helpFile);
  }

  // A framework dialog given this equipment opens this family's page.
  TChannelsPlanDlg plans(&host.form, &equip);
  RecordingOpener opener;
  auto* help = plans.findChild<QPushButton*>("HelpBtn");
  ASSERT_NE(help, nullptr);
  help->click();
  ASSERT_EQ(opener.urls.size(), 1u);
  EXPECT_EQ(opener.urls[0].fragment(), equip.HelpTopicName(HelpTopic::ChannelEditor));
  cv::SetAppHelpFile("");
}
