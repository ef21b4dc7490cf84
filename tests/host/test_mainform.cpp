#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTimer>
#include <QtTest/QTest>

#include "About.h"
#include "RecordingOpener.h"
#include "AppServices.h"
#include "Format.h"
#include "Help.h"
#include "HostHome.h"
#include "HostSettings.h"
#include "IniFile.h"
#include "LogoImage.h"
#include "Mainform.h"
#include "Messages.h"
#include "MsgIds.h"
#include "Registry.h"

namespace {

// Each test starts the program in a directory of its own, with its own INI file and registry.
class MainFormTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir.isValid());
    cv::SetAppHelpFile("");
  }
  void WriteFile(const QString& name, const QByteArray& content) {
    QFile f(dir.filePath(name));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(content);
  }
  QStringList LogLines() {
    QFile f(dir.filePath("CvTools.log"));
    if (!f.open(QIODevice::ReadOnly)) return {"<no log file>"};
    QStringList lines = QString::fromLatin1(f.readAll()).split('\n');
    if (!lines.isEmpty() && lines.back().isEmpty()) lines.pop_back();
    return lines;
  }
  static QStringList MemoLines(TMainForm& w) { return w.LogMemo->toPlainText().split('\n'); }

  HostHome dir{"config/CvTools/registry.ini"};
  cv::RecordingPrompter prompter;
};

const QStringList kWelcome = {"Welcome to CvTools 1.33", "Log file CvTools.log generated", "Ready"};

TEST_F(MainFormTest, StartsWithWelcomeLinesInMemoAndLogFile) {
  TMainForm w;
  EXPECT_EQ(MemoLines(w), kWelcome);
  EXPECT_EQ(LogLines(), kWelcome);
  EXPECT_GE(w.ticks, 2);
  EXPECT_EQ(w.startDir, dir.path().toStdString());
  EXPECT_TRUE(prompter.shown.empty());

  // The form as the other units find it.
  for (const char* name : {"ExitButton", "EditButton", "CSVButton", "TermButton", "HelpButton", "Image1",
                           "SelectBtn", "DetectBtn", "LabelEquip", "LabelPort", "LogMemo", "StatusLine"})
    EXPECT_NE(w.findChild<QWidget*>(name), nullptr) << name;
  for (const char* name : {"EditChBtn", "EditMemBtn", "DataLogBtn", "SpectrumBtn", "MonitorBtn", "ConfigBtn",
                           "UpdateBtn", "IdentBtn"}) {
    auto* b = w.findChild<QPushButton*>(name);
    ASSERT_NE(b, nullptr) << name;
    EXPECT_FALSE(b->isEnabled()) << name;
  }
  for (const char* name : {"EditChMenu", "EditMemMenu", "DataLogMenu", "SpectrumMenu", "MonitorMenu", "ConfigMenu",
                           "UpdateMenu", "IdentMenu"}) {
    auto* a = w.findChild<QAction*>(name);
    ASSERT_NE(a, nullptr) << name;
    EXPECT_FALSE(a->isEnabled()) << name;
  }
  EXPECT_FALSE(w.IdentBtn->isVisibleTo(&w));
  EXPECT_TRUE(w.DetectBtn->isDefault());
  EXPECT_TRUE(w.LogMemo->isReadOnly());
  EXPECT_EQ(w.LogMemo->lineWrapMode(), QPlainTextEdit::NoWrap);
  EXPECT_EQ(w.findChild<QTimer*>("TimerMain"), w.TimerMain);
  EXPECT_TRUE(w.TimerMain->isActive());
  EXPECT_EQ(w.minimumSize(), w.maximumSize());
  EXPECT_TRUE(w.LanguageItems[0]->isChecked());
}

TEST_F(MainFormTest, LogFileTakesEveryMemoLineCutTo255) {
  TMainForm w;
  w.AddLog(std::string(300, 'x'));
  // Plug-ins append to the memo directly; a text with line breaks adds several lines.
  w.LogMemo->appendPlainText("one\ntwo");
  w.AddLog(cv::Format(cv::Msg(cv::msg::BadFormatOf), "CvTools.cfg"));
  w.AddLog("caf\xe9");  // Windows-1252 bytes stay bytes in the file

  QFile f(dir.filePath("CvTools.log"));
  ASSERT_TRUE(f.open(QIODevice::ReadOnly));
  QList<QByteArray> lines = f.readAll().split('\n');
  ASSERT_EQ(lines.size(), 3 + 6 + 1);
  EXPECT_EQ(lines[3], QByteArray(255, 'x'));
  EXPECT_EQ(lines[4], "one");
  EXPECT_EQ(lines[5], "two");
  EXPECT_EQ(lines[6], "Fatal error.");
  EXPECT_EQ(lines[7], "Bad format of CvTools.cfg");
  EXPECT_EQ(lines[8], "caf\xe9");
  EXPECT_EQ(lines[9], "");
  EXPECT_EQ(w.LogMemo->document()->findBlockByNumber(3).text().size(), 300);  // the memo keeps it whole
}

TEST_F(MainFormTest, LogFileThatCannotBeCreatedLeavesOneMemoLine) {
  // A directory in its place stops root as well as anyone else.
  ASSERT_TRUE(QDir(dir.path()).mkdir("CvTools.log"));
  TMainForm w;
  QStringList expected = kWelcome;
  expected.prepend("Impossible to save this Log zone.");
  EXPECT_EQ(MemoLines(w), expected);
  EXPECT_FALSE(w.logFile.IsOpen());
  w.AddLog("later");
  w.close();
  EXPECT_EQ(MemoLines(w).back(), "CvTools session properly closed.");
}

TEST_F(MainFormTest, ClosingLogsTheSessionEnd) {
  {
    TMainForm w;
    w.show();
    w.FileExit();
  }
  EXPECT_EQ(LogLines().back(), "CvTools session properly closed.");
  EXPECT_FALSE(cv::HasIdleHandler());  // a handler calling a destroyed window would crash
}

TEST_F(MainFormTest, CustomLogo) {
  QPixmap pic(10, 8);
  pic.fill(Qt::red);
  ASSERT_TRUE(pic.save(dir.filePath("logo.png")));
  QPixmap builtIn(3, 3);
  builtIn.fill(Qt::blue);
  struct Case {
    const char* ini;
    bool loaded;  // the picture replaced the built-in one
    bool stretch, proportional, center;
  };
  const Case cases[] = {
      // No logo_file: the image keeps picture and settings (stretch on, the others off).
      {"[CustomLogo]\nstretch=no\n", false, true, false, false},
      {"", false, true, false, false},
      {"[customlogo]\nLOGO_FILE=logo.png\nstretch=no\n", true, false, true, true},
      {"[CustomLogo]\nlogo_file=logo.png\nstretch=Yes\nproportional=1\ncenter=YES\n", true, true, false, true},
      // A picture that cannot be read is ignored; the settings are still taken.
      {"[CustomLogo]\nlogo_file=missing.png\ncenter=no\n", false, true, true, false},
  };
  TMainForm w;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.ini);
    WriteFile("CvTools.INI", c.ini);
    TLogoImage image;
    image.SetPicture(builtIn);
    image.SetStretch(true);
    image.SetProportional(false);
    image.SetCenter(false);
    w.LoadCustomLogo(&image);
    EXPECT_EQ(image.Picture().size(), c.loaded ? QSize(10, 8) : QSize(3, 3));
    EXPECT_EQ(image.Stretch(), c.stretch);
    EXPECT_EQ(image.Proportional(), c.proportional);
    EXPECT_EQ(image.Center(), c.center);
  }
  w.LoadCustomLogo(nullptr);
  EXPECT_TRUE(prompter.shown.empty());
}

TEST_F(MainFormTest, UnreadableIniFileIsReportedByTheLanguageAndTheLogo) {
  ASSERT_TRUE(QDir(dir.path()).mkdir("CvTools.INI"));
  TMainForm w;
  ASSERT_EQ(prompter.shown.size(), 2u);  // language detection, then the custom logo
  for (const auto& box : prompter.shown) {
    EXPECT_EQ(box.icon, cv::MsgIcon::Error);
    EXPECT_EQ(box.caption, "Error");
    EXPECT_EQ(box.text, "Impossible to handle INI file");
  }
  EXPECT_EQ(w.languageIndex, 0);
  EXPECT_EQ(MemoLines(w), kWelcome);
}

TEST_F(MainFormTest, PdfAddOnIsRegisteredOncePerUser) {
  {
    TMainForm first;
    EXPECT_TRUE(first.pdfRegistrationDue);
  }
  auto key = cv::RegKey::Open("Software\\Tessary\\CvTools\\AddOnKit", false);
  ASSERT_TRUE(key);
  bool flag = false;
  EXPECT_EQ(key->ReadBool("PDFCreator", flag), cv::RegRead::Ok);
  EXPECT_TRUE(flag);
  {
    TMainForm second;
    EXPECT_FALSE(second.pdfRegistrationDue);
  }
  // A value of another type counts as not registered and is put right.
  ASSERT_TRUE(key->WriteString("PDFCreator", "yes"));
  {
    TMainForm third;
    EXPECT_TRUE(third.pdfRegistrationDue);
  }
  EXPECT_EQ(key->ReadBool("PDFCreator", flag), cv::RegRead::Ok);
  EXPECT_TRUE(flag);
}

TEST_F(MainFormTest, PortsSectionIsRead) {
  WriteFile("CvTools.INI", "[ports]\ncom1=/dev/ttyUSB0\nCOM12 = /dev/ttyS3\nCOM2=\nCOM13=/dev/x\nCOM0=/dev/y\n");
  TMainForm w;
  std::map<int, std::string> expected{{1, "/dev/ttyUSB0"}, {12, "/dev/ttyS3"}};
  EXPECT_EQ(w.portPaths, expected);
}

TEST_F(MainFormTest, HintsGoToTheStatusLine) {
  TMainForm w;
  w.show();
  QStatusTipEvent tip(w.DetectBtn->statusTip());
  QApplication::sendEvent(w.DetectBtn, &tip);
  EXPECT_FALSE(w.DetectBtn->statusTip().isEmpty());
  EXPECT_EQ(w.StatusLine->currentMessage(), w.DetectBtn->statusTip());
}

TEST_F(MainFormTest, HelpOpensThePageOrSaysItIsMissing) {
  RecordingOpener opener;
  TMainForm w;
  // Search before Contents: no help file is chosen yet.
  w.HelpSearch();
  ASSERT_EQ(prompter.shown.size(), 1u);
  EXPECT_EQ(prompter.shown[0].text, cv::MsgQ(cv::msg::NoHelpFileYet));

  w.HelpContents();
  ASSERT_EQ(prompter.shown.size(), 2u);
  EXPECT_EQ(prompter.shown[1].caption, "CvTools");
  EXPECT_TRUE(prompter.shown[1].text.contains("CvTools.html")) << prompter.shown[1].text.toStdString();
  EXPECT_TRUE(opener.urls.empty());

  ASSERT_TRUE(QDir(dir.path()).mkdir("help"));
  WriteFile("help/CvTools.html", "<html></html>");
  w.HelpContents();
  w.HelpSearch();
  w.HelpHowToUse();
  ASSERT_EQ(opener.urls.size(), 3u);
  EXPECT_EQ(opener.urls[0], QUrl::fromLocalFile(dir.filePath("help/CvTools.html")));
  EXPECT_EQ(opener.urls[1].adjusted(QUrl::RemoveFragment), opener.urls[0]);
  EXPECT_EQ(prompter.shown.size(), 2u);
}

TEST_F(MainFormTest, AboutBoxShowsTheVersionAndOpensTheLink) {
  RecordingOpener opener;
  TMainForm w;
  TAboutBox about;
  QTimer::singleShot(0, &about, [&] { about.OKButton->click(); });
  w.HelpAbout();
  EXPECT_EQ(about.Version->text(), "Version 1.33");
  EXPECT_EQ(about.ProductName->text(), "CvTools");
  about.show();
  QTest::mouseClick(about.LinkLabel, Qt::LeftButton);
  ASSERT_EQ(opener.urls.size(), 1u);
  EXPECT_EQ(opener.urls[0], QUrl(TAboutBox::kWebAddress));
}

}  // namespace
