// The services of the equipment base and the plug-in entry helpers.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QLabel>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QVBoxLayout>
#include <cstdio>
#include <stdexcept>

#include "AppServices.h"
#include "Clock.h"
#include "DateTimeText.h"
#include "Equip.h"
#include "HostForm.h"
#include "IniFile.h"
#include "LogoImage.h"
#include "PluginEntry.h"

namespace {

class TPlainEquip : public TEquip {
 public:
  using TEquip::TEquip;
  const char* InitEquip() override { return modelName; }
  bool HasChannelEditor() override { return false; }
  bool HasMemoryEditor() override { return false; }
  bool HasDataLogger() override { return false; }
  bool HasMonitor() override { return false; }
  bool HasSpectrum() override { return false; }
  bool HasConfiguration() override { return false; }
  bool HasUpdateFirmware() override { return false; }
  bool HasChannelIdentifier() override { return false; }
};

}  // namespace

TEST(EquipServices, FindsTheHostLogMemoAndLogsWindows1252Lines) {
  HostForm host;
  TPlainEquip equip(&host.form, nullptr);
  ASSERT_EQ(equip.GetLogMemo(), host.memo);
  equip.Log("Level 3 \xb0" "C");
  EXPECT_EQ(host.Lines(), QStringList{QString::fromUtf8("Level 3 \u00b0C")});

  TPlainEquip orphan(nullptr, nullptr);  // no host form: logging goes nowhere, and does not crash
  orphan.Log("lost");
  EXPECT_EQ(orphan.GetLogMemo(), nullptr);
}

TEST(EquipServices, SeparatorsDefaultToCommaAndSemicolon) {
  TPlainEquip equip(nullptr, nullptr);
  char decimal = 0, list = 0;
  equip.GetSeparators(decimal, list);
  EXPECT_EQ(decimal, ',');
  EXPECT_EQ(list, ';');
}

TEST(EquipServices, DecimalConversionsStopAtTheFirstLineFeed) {
  TPlainEquip equip(nullptr, nullptr);
  char local[] = "12.5\n3.4";
  EXPECT_STREQ(equip.ToLocalDecimal(local), "12,5\n3.4");
  char dot[] = "1,5;2,25\n7,1";
  EXPECT_STREQ(equip.ToDotDecimal(dot), "1.5;2.25\n7,1");
  equip.decimalSeparator = '.';
  char same[] = "0.5";
  EXPECT_STREQ(equip.ToLocalDecimal(same), "0.5");
}

TEST(EquipServices, SecondsToMinSecCutsAtFiveCharacters) {
  TPlainEquip equip(nullptr, nullptr);
  struct Row {
    int seconds;
    const char* text;
  } rows[] = {{0, "00:00"}, {59, "00:59"}, {75, "01:15"}, {600, "10:00"}, {6000, "100:0"}, {-5, "00:00"}};
  for (const Row& r : rows) {
    char buf[32];
    EXPECT_STREQ(equip.SecondsToMinSec(r.seconds, buf), r.text) << r.seconds;
  }
}

TEST(EquipServices, CountFileLinesCountsPiecesAndRewinds) {
  FILE* f = tmpfile();
  ASSERT_NE(f, nullptr);
  std::string longLine(300, 'x');
  fprintf(f, "a\nb\n%s\nlast without newline", longLine.c_str());
  TPlainEquip equip(nullptr, nullptr);
  // a, b, the long line in two pieces of at most 254 characters, the last line.
  EXPECT_EQ(equip.CountFileLines(f), 5);
  EXPECT_EQ(ftell(f), 0);
  fclose(f);
  EXPECT_EQ(equip.CountFileLines(nullptr), 0);
}

TEST(EquipServices, DateAndTimeTextsDropLeadingZeros) {
  QDateTime when(QDate(2024, 3, 5), QTime(9, 7, 30));
  EXPECT_EQ(cv::DateText(when), "5/3/2024");
  EXPECT_EQ(cv::TimeText(when), "9:07");
  QDateTime late(QDate(1999, 12, 31), QTime(23, 59));
  EXPECT_EQ(cv::DateText(late), "31/12/1999");
  EXPECT_EQ(cv::TimeText(late), "23:59");
  TPlainEquip equip(nullptr, nullptr);
  char date[32], time[32];
  EXPECT_EQ(std::string(equip.DateString(date)), cv::DateText(QDateTime::currentDateTime()));
  EXPECT_NE(std::string(equip.TimeString(time)).find(':'), std::string::npos);
}

TEST(EquipServices, WaitPumpsAtLeastOnceAndIsCappedAtFifteenSeconds) {
  cv::FakeClock clock;
  TPlainEquip equip(nullptr, nullptr);
  equip.clock = &clock;
  equip.Wait(0);
  EXPECT_EQ(clock.pumpedMs, 10);
  clock.pumpedMs = 0;
  equip.Wait(20000);
  EXPECT_EQ(clock.pumpedMs, 15000);
  clock.pumpedMs = 0;
  equip.Wait(95);
  EXPECT_EQ(clock.pumpedMs, 100);
}

TEST(EquipServices, WaitEndsAtOnceWhenTheApplicationTerminates) {
  cv::FakeClock clock;
  TPlainEquip equip(nullptr, nullptr);
  equip.clock = &clock;
  cv::SetAppTerminating(true);
  equip.Wait(5000);
  cv::SetAppTerminating(false);
  EXPECT_EQ(clock.pumpedMs, 10);
}

// The custom logo comes from the host INI file's [CustomLogo] section.
class CustomLogo : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir.isValid());
    cv::SetHostIniPath(dir.filePath("CvTools.INI").toStdString());
    logoPath = dir.filePath("logo.png");
    QImage picture(40, 20, QImage::Format_RGB32);
    picture.fill(Qt::red);
    ASSERT_TRUE(picture.save(logoPath));
  }
  void TearDown() override { cv::SetHostIniPath(""); }
  void WriteIni(const QString& body) {
    QFile f(dir.filePath("CvTools.INI"));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(body.toUtf8());
  }
  QTemporaryDir dir;
  QString logoPath;
};

TEST_F(CustomLogo, SwitchesFollowTheIniValuesWithoutRegardToCase) {
  WriteIni("[CustomLogo]\nlogo_file=" + logoPath + "\nstretch=Yes\nproportional=1\ncenter=no\n");
  TPlainEquip equip(nullptr, nullptr);
  TLogoImage image;
  equip.LoadCustomLogo(&image);
  EXPECT_TRUE(image.Stretch());
  EXPECT_FALSE(image.Proportional());
  EXPECT_FALSE(image.Center());
  EXPECT_EQ(image.Picture().width(), 40);

  QLabel plain;  // a plain label gets the picture too
  equip.LoadCustomLogo(&plain);
  EXPECT_FALSE(plain.pixmap().isNull());
  equip.LoadCustomLogo(nullptr);
}

TEST_F(CustomLogo, NoLogoFileLeavesTheImageUntouched) {
  WriteIni("[CustomLogo]\nstretch=no\n");
  TPlainEquip equip(nullptr, nullptr);
  TLogoImage image;
  image.SetStretch(true);
  equip.LoadCustomLogo(&image);
  EXPECT_TRUE(image.Stretch());
  EXPECT_TRUE(image.Picture().isNull());
}

TEST_F(CustomLogo, UnreadablePictureIsIgnoredButTheSwitchesAreSet) {
  WriteIni("[CustomLogo]\nlogo_file=" + dir.filePath("missing.png") + "\nstretch=no\n");
  TPlainEquip equip(nullptr, nullptr);
  TLogoImage image;
  equip.LoadCustomLogo(&image);
  EXPECT_FALSE(image.Stretch());
  EXPECT_TRUE(image.Proportional());
  EXPECT_TRUE(image.Center());
  EXPECT_TRUE(image.Picture().isNull());
}

TEST(PluginEntry, LogsTheLoadedLineAndFreesOnceOnly) {
  HostForm host;
  TEquip* equipment = nullptr;
  auto make = [](QWidget* owner, TSerial* port) -> TEquip* { return new TPlainEquip(owner, port); };
  TEquip* got = cv::RunCvsMain(qApp, nullptr, make, "Cv3Tools 1.22", equipment);
  ASSERT_NE(got, nullptr);
  EXPECT_EQ(got, equipment);
  EXPECT_EQ(got->GetLogMemo(), host.memo);
  EXPECT_EQ(host.Lines(), QStringList{"Library Cv3Tools 1.22 loaded"});
  EXPECT_EQ(cv::FreeEquip(equipment), 0);
  EXPECT_EQ(equipment, nullptr);
  EXPECT_EQ(cv::FreeEquip(equipment), 0);  // twice, or without a load: nothing happens
}

TEST(PluginEntry, AFailedConstructionIsReportedInABoxAndGivesNull) {
  HostForm host;
  cv::RecordingPrompter prompter;
  TEquip* equipment = reinterpret_cast<TEquip*>(0x1);
  auto make = [](QWidget*, TSerial*) -> TEquip* { throw std::runtime_error("no memory"); };
  EXPECT_EQ(cv::RunCvsMain(qApp, nullptr, make, "Cv3Tools 1.22", equipment), nullptr);
  EXPECT_EQ(equipment, nullptr);
  ASSERT_EQ(prompter.shown.size(), 1u);
  EXPECT_EQ(prompter.shown[0].icon, cv::MsgIcon::Warning);
  EXPECT_EQ(prompter.shown[0].caption, "CvTools Error");
  EXPECT_EQ(prompter.shown[0].text, "Impossible to initialize system Cv3Tools 1.22!");
  EXPECT_TRUE(host.Lines().isEmpty());
}
