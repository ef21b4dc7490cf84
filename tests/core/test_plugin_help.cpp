// The Help buttons of the plan editor, the channel list editor, the block generator and the
// spectrum analyser open the plug-in's page at their own section, found from the start directory.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QUrl>
#include <memory>
#include <vector>

#include "../spectrum/FakeLink.h"
#include "RecordingOpener.h"
#include "Chanblockdlg.h"
#include "Chandlg.h"
#include "Chanplandlg.h"
#include "Cv3Equip.h"
#include "Help.h"
#include "HostForm.h"
#include "Specdlg.h"
#include "StartDir.h"

namespace {

TEST(PluginHelp, EachHelpButtonOpensItsSectionOfThePluginPage) {
  StartDir dir;
  HostForm host;
  TCv3Equip equip(&host.form, nullptr);  // takes the start directory now
  ASSERT_TRUE(QDir(dir.path()).mkpath("help"));
  ASSERT_TRUE(QDir(dir.path()).mkpath("work"));
  const QString page = dir.filePath("help/Cv3Tools.html");
  ASSERT_TRUE(QFile::copy(QStringLiteral(CV_BIN_DIR "/help/Cv3Tools.html"), page));
  QFile shipped(page);
  ASSERT_TRUE(shipped.open(QIODevice::ReadOnly));
  const QByteArray html = shipped.readAll();
  QDir::setCurrent(dir.filePath("work"));  // where a file dialog may have left it

  PlanSlot plan;
  plan.band = 'T';
  plan.empty = 0;
  plan.channels.emplace();
  TChannelsDlg channels(nullptr, plan, &equip);
  BlockSettings settings;
  TChannelsBlockDlg block(&channels, settings, 'T', 0, equip.GetStartDir());
  FakeLink link;
  TSpectrumDlg spectrum(nullptr, link, TSpectrumHostInfo{',', ';', equip.GetStartDir(), "Cv3Tools"});

  TChannelsPlanDlg plans(&host.form, &equip);

  struct Case {
    QWidget* dialog;
    QString topic;
  } cases[] = {{&plans, "channel-editor"}, {&channels, "Channels"}, {&block, "Channels"}, {&spectrum, "Spectrum"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.dialog->objectName().toStdString());
    RecordingOpener opener;
    auto* help = c.dialog->findChild<QPushButton*>("HelpBtn");
    ASSERT_NE(help, nullptr);
    help->click();
    ASSERT_EQ(opener.urls.size(), 1u);
    EXPECT_EQ(opener.urls[0].toLocalFile(), QFileInfo(page).absoluteFilePath());
    EXPECT_EQ(opener.urls[0].fragment(), c.topic);
    EXPECT_TRUE(html.contains(("id=\"" + c.topic + "\"").toUtf8())) << "no section for the topic";
    EXPECT_EQ(QDir::currentPath(), dir.filePath("work"));
    EXPECT_EQ(cv::AppHelpFile(), "help\\Cv3Tools.hlp");
  }
  cv::SetAppHelpFile("");
}

}  // namespace
