// The CORVANE-PLENAR channel identifier as the plug-in offers it: the host, detected on COM1,
// keeps its own identifier button and menu item hidden and disabled, and the loaded CvPlenar.so's
// launcher (slot 17, as that button would call it) opens the form, which runs a pass against the
// simulated meter and closes. The form belongs to the plug-in's own copy of the framework, so it is
// found by its controls' names.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>

#include "AppServices.h"
#include "HostHome.h"
#include "Mainform.h"
#include "PlenarProfile.h"
#include "Simulator.h"

TEST(PlenarIdentifierFromMainWindow, SlotSeventeenOpensTheFormWhichRunsAPassAndCloses) {
  HostHome home;
  ASSERT_TRUE(home.isValid());
  for (QString f : {QString("CvPlenar.so"), QString("CvTools.cfg")})
    ASSERT_TRUE(QFile::copy(QString(CV_BIN_DIR) + "/" + f, home.filePath(f))) << f.toStdString();
  auto profile = std::make_unique<cvsim::PlenarProfile>();
  ASSERT_TRUE(profile->SetScenario("analog"));
  cvsim::Simulator sim(std::move(profile));
  std::string error;
  ASSERT_TRUE(sim.Start(&error)) << error;
  // The meter on the first port detection tries.
  QFile ini(home.filePath("CvTools.INI"));
  ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
  ASSERT_GT(ini.write(("[Ports]\nCOM1=" + sim.Path() + "\n").c_str()), 0);
  ini.close();

  cv::RecordingPrompter prompter;
  TMainForm w;
  w.DetectBtnClick();
  ASSERT_NE(w.equipment, nullptr);
  w.UpdateTools();
  EXPECT_TRUE(w.equipment->HasChannelIdentifier());
  // The host's own way in stays shut.
  EXPECT_FALSE(w.IdentBtn->isVisibleTo(&w));
  EXPECT_FALSE(w.IdentBtn->isEnabled());
  EXPECT_FALSE(w.IdentMenu->isVisible());
  EXPECT_FALSE(w.IdentMenu->isEnabled());

  struct Seen {
    QString title, type, name, channel, memo;
    bool doNotChangeHidden = false;
  } seen;
  QTimer::singleShot(0, &w, [&] {
    QWidget* form = QApplication::activeModalWidget();
    ASSERT_NE(form, nullptr);
    seen.title = form->windowTitle();
    form->findChild<QPushButton*>("IdentifyBtn")->click();
    seen.type = form->findChild<QLabel*>("StdLabel")->text();
    seen.name = form->findChild<QLabel*>("NameLabel")->text();
    seen.channel = form->findChild<QLabel*>("ChannelLabel")->text();
    seen.memo = form->findChild<QPlainTextEdit*>("IdentMemo")->toPlainText();
    seen.doNotChangeHidden = !form->findChild<QLabel*>("DoNotChangeLabel")->isVisible();
    if (const char* shot = std::getenv("CV_IDENTIFIER_SHOT")) form->grab().save(shot);
    form->findChild<QPushButton*>("CloseBtn")->click();
  });
  const int before = w.LogMemo->blockCount();
  EXPECT_TRUE(w.equipment->RunChannelIdentifier());

  EXPECT_EQ(seen.title, "Channel Identifier");
  EXPECT_EQ(seen.type, "TERRESTRIAL ANALOG TV");
  EXPECT_EQ(seen.name, "100 CVTV 1  Thu 10 Dec  13:45:");
  EXPECT_EQ(seen.channel, " C21 (CVNET   ) ");
  EXPECT_TRUE(seen.memo.startsWith("The identification has started.\nAnalog video detected!!\n"));
  EXPECT_TRUE(seen.memo.endsWith("This identification has finished."));
  EXPECT_TRUE(seen.doNotChangeHidden);
  QStringList log = w.LogMemo->toPlainText().split('\n').mid(before);
  log.removeAll(QString());
  EXPECT_EQ(log, (QStringList{"Executing Channel Identifier", "Channel Identifier closed. Ready"}));
  EXPECT_TRUE(prompter.shown.empty());
}
