#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QApplication>
#include <QCoreApplication>
#include <QDialog>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QPushButton>
#include <QStatusTipEvent>
#include <QTemporaryDir>
#include <QTimer>

#include "AppServices.h"
#include "AtomicFile.h"
#include "ChildProcess.h"
#include "FileSizeLimit.h"
#include "SaveLimits.h"
#include "Help.h"
#include "RecordingOpener.h"
#include "IniFile.h"
#include "Registry.h"
#include "Separators.h"

namespace {

TEST(IniFile, ProfileRules) {
  cv::IniFile ini;
  ini.Parse(
      "top=ignored\r\n"
      "; comment=no\n"
      "[Ports]\n"
      "COM1 = /dev/ttyUSB0  \n"
      "com1=second wins not\n"
      "Quoted=\"  a b \"\n"
      "Half=\"open\n"
      "Num= 42\n"
      "Neg=-7\n"
      "Hex=0x1F\n"
      "Junk=12abc\n"
      "Empty=\n"
      "[ports]\n"
      "Late=no\n");
  struct Row {
    const char* section;
    const char* key;
    const char* expected;
  };
  const Row rows[] = {
      {"PORTS", "com1", "/dev/ttyUSB0"}, {"Ports", "Quoted", "  a b "}, {"Ports", "Half", "\"open"},
      {"Ports", "Empty", ""},             {"Ports", "Late", "dflt"},     {"Ports", "comment", "dflt"},
      {"Nope", "COM1", "dflt"},           {"", "top", "dflt"},
  };
  for (const Row& r : rows) EXPECT_EQ(ini.ReadString(r.section, r.key, "dflt"), r.expected) << r.key;
  EXPECT_EQ(ini.ReadInteger("ports", "NUM", -1), 42);
  EXPECT_EQ(ini.ReadInteger("Ports", "Neg", 0), -7);
  EXPECT_EQ(ini.ReadInteger("Ports", "Hex", 0), 31);
  EXPECT_EQ(ini.ReadInteger("Ports", "Junk", 5), 12);
  EXPECT_EQ(ini.ReadInteger("Ports", "Empty", 5), 5);
  EXPECT_EQ(ini.ReadInteger("Ports", "Missing", 5), 5);
  EXPECT_TRUE(ini.KeyExists("ports", "empty"));
  std::vector<std::string> keys{"COM1", "Quoted", "Half", "Num", "Neg", "Hex", "Junk", "Empty"};
  EXPECT_EQ(ini.ReadSection("PORTS"), keys);
}

// Integers are the number a value starts with, as profile files read them; none, or one beyond
// 32 bits, gives the default.
TEST(IniFile, IntegersAreTheLeadingNumber) {
  const int def = 77;
  struct Row {
    const char* value;
    int expected;
  } rows[] = {
      {"600 ;note", 600},  {"600;note", 600},   {"12abc", 12},         {"+8 baud", 8},
      {"-7", -7},          {"0x1Fz", 31},       {"0xZ", 0},            {"007", 7},
      {"abc", def},        {"", def},           {"-", def},            {"- 5", def},
      {";600", def},       {"2147483647", 2147483647},                 {"-2147483648", -2147483647 - 1},
      {"2147483648", def}, {"3000000000", def}, {"99999999999 x", def}, {"0xFFFFFFFF", -1},
      {"0x100000000", def}, {"0x7fffffff", 2147483647},
  };
  for (const Row& r : rows) {
    cv::IniFile ini;
    ini.Parse(std::string("[S]\nK=") + r.value + "\n");
    EXPECT_EQ(ini.ReadInteger("S", "K", def), r.expected) << "[" << r.value << "]";
  }
}

TEST(IniFile, NumbersBeyondTheIntegerRangeGiveTheDefault) {
  cv::IniFile ini;
  ini.Parse("[N]\nMax=2147483647\nMin=-2147483648\nOver=2147483648\nBig=3000000000\nNegBig=-3000000000\n"
            "Huge=99999999999999999999\n");
  EXPECT_EQ(ini.ReadInteger("N", "Max", 5), 2147483647);
  EXPECT_EQ(ini.ReadInteger("N", "Min", 5), -2147483647 - 1);
  for (const char* key : {"Over", "Big", "NegBig", "Huge"}) EXPECT_EQ(ini.ReadInteger("N", key, 5), 5) << key;
}

TEST(IniFile, MissingFileGivesDefaultsAndWritesKeepTheRest) {
  QTemporaryDir dir;
  std::string path = dir.filePath("x.INI").toStdString();
  cv::IniFile ini(path);
  EXPECT_FALSE(ini.Exists());
  EXPECT_FALSE(ini.LoadFailed());
  EXPECT_EQ(ini.ReadString("A", "b", "def"), "def");

  QFile f(QString::fromStdString(path));
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  f.write("; keep me\n[One]\nA=1\n\n[Two]\nB=2\n");
  f.close();
  cv::IniFile edit(path);
  ASSERT_TRUE(edit.WriteString("one", "a", "10"));
  ASSERT_TRUE(edit.WriteString("One", "New", "x"));
  ASSERT_TRUE(edit.WriteString("Three", "C", "3"));
  cv::IniFile back(path);
  EXPECT_EQ(back.ReadString("One", "A", ""), "10");
  EXPECT_EQ(back.ReadString("One", "New", ""), "x");
  EXPECT_EQ(back.ReadString("Two", "B", ""), "2");
  EXPECT_EQ(back.ReadString("Three", "C", ""), "3");
  ASSERT_TRUE(f.open(QIODevice::ReadOnly));
  QByteArray text = f.readAll();
  EXPECT_TRUE(text.startsWith("; keep me\r\n[One]\r\nA=10\r\nNew=x\r\n\r\n[Two]")) << text.constData();

  // A directory where the file should be: readable by no one, writable by no one.
  std::string dirPath = dir.path().toStdString();
  cv::IniFile bad(dirPath);
  EXPECT_TRUE(bad.LoadFailed());
  EXPECT_FALSE(bad.WriteString("A", "b", "c"));
}

// The step the build runs on build/bin/CvTools.INI: the user's file is installed once, then only
// gains what a newer shipped file adds.
TEST(IniFile, BuildInstallsTheShippedFileOnceThenKeepsTheUsersValues) {
  QTemporaryDir dir;
  QString shipped = dir.filePath("shipped.INI"), user = dir.filePath("CvTools.INI");
  auto write = [](const QString& path, const QByteArray& text) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(text);
  };
  auto install = [&] { return QProcess::execute(CV_INSTALL_INI, {shipped, user}); };
  auto read = [](const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("unreadable");
  };
  const QByteArray first = "; shipped\n[OverwriteLanguage]\nLanguage=auto\n\n[Ports]\n";
  write(shipped, first);
  ASSERT_EQ(install(), 0);
  EXPECT_EQ(read(user), first);

  // The user maps a port and picks a language; the next release changes a default, adds a key
  // to a known section and a new section.
  write(user, "; mine\n[OverwriteLanguage]\nLanguage=esp\n\n[Ports]\nCOM1=/dev/ttyUSB0\n");
  write(shipped,
        "[OverwriteLanguage]\nLanguage=eng\n; how the logo is drawn\nStyle=plain\n\n[Ports]\nCOM1=\n\n"
        "[Spectrum]\n; sweep\nPoints=401\n");
  ASSERT_EQ(install(), 0);
  cv::IniFile merged(user.toStdString());
  EXPECT_EQ(merged.ReadString("OverwriteLanguage", "Language", ""), "esp");
  EXPECT_EQ(merged.ReadString("Ports", "COM1", ""), "/dev/ttyUSB0");
  EXPECT_EQ(merged.ReadString("OverwriteLanguage", "Style", ""), "plain");
  EXPECT_EQ(merged.ReadString("Spectrum", "Points", ""), "401");
  QByteArray text = read(user);
  EXPECT_TRUE(text.startsWith("; mine\r\n[OverwriteLanguage]\r\nLanguage=esp\r\n; how the logo is drawn\r\n"
                              "Style=plain\r\n\r\n[Ports]\r\nCOM1=/dev/ttyUSB0\r\n\r\n[Spectrum]\r\n; sweep\r\n"))
      << text.constData();

  // Nothing new: the file is not even rewritten.
  QByteArray before = read(user);
  ASSERT_EQ(install(), 0);
  EXPECT_EQ(read(user), before);
}

TEST(IniFile, AWriteCutShortKeepsTheOldFileAndFails) {
  QTemporaryDir dir;
  const QString path = dir.filePath("CvTools.INI");
  {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("[Ports]\nCOM1=/dev/ttyUSB0\n");
  }
  cv::IniFile ini(path.toStdString());
  {
    cvtest::FileSizeLimit limit(64);
    EXPECT_FALSE(ini.WriteString("Ports", "COM2", std::string(100, 'x')));
  }
  QFile f(path);
  ASSERT_TRUE(f.open(QIODevice::ReadOnly));
  EXPECT_EQ(f.readAll(), "[Ports]\nCOM1=/dev/ttyUSB0\n");
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"CvTools.INI"});

  // A settings file of about 14,000 bytes under file-size limits below, at and above the write
  // buffer: saved whole or failed with the old file as it was.
  for (int i = 0; i < 200; ++i) ini.WriteString("Spectrum", "Key" + std::to_string(i), std::string(60, 'v'));
  cvtest::ExpectWholeOrOldFile(path.toStdString(), [&] { return ini.Save(); });
}

TEST(AtomicFile, ReplacesTheFileALinkLeadsToAndKeepsItsPermissions) {
  QTemporaryDir dir;
  const std::string real = dir.filePath("real.txt").toStdString(), link = dir.filePath("link.txt").toStdString();
  ASSERT_EQ(cv::WriteFileAtomically(real, "old"), cv::SaveResult::Saved);
  ASSERT_EQ(chmod(real.c_str(), 0640), 0);
  ASSERT_EQ(symlink(real.c_str(), link.c_str()), 0);
  ASSERT_EQ(cv::WriteFileAtomically(link, "new"), cv::SaveResult::Saved);
  QFileInfo info(QString::fromStdString(link));
  EXPECT_TRUE(info.isSymLink());
  struct stat st {};
  ASSERT_EQ(stat(real.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0640u);
  QFile f(QString::fromStdString(real));
  ASSERT_TRUE(f.open(QIODevice::ReadOnly));
  EXPECT_EQ(f.readAll(), "new");
  std::string why;
  EXPECT_EQ(cv::WriteFileAtomically(dir.filePath("none/x.txt").toStdString(), "x", &why), cv::SaveResult::NotCreated);
  EXPECT_FALSE(why.empty());
  EXPECT_EQ(cv::WriteFileAtomically(dir.path().toStdString(), "x"), cv::SaveResult::NotCreated);
}

// The rename would replace a write-protected file regardless of its mode. Root writes over any
// mode, so the save runs in a child that is an ordinary user, the file's owner.
TEST(AtomicFile, WriteProtectedTargetIsRefusedAndKept) {
  uid_t uid;
  gid_t gid;
  if (!cvtest::UnprivilegedIds(uid, gid)) GTEST_SKIP() << "no unprivileged user to run the save as";
  QTemporaryDir dir;
  const std::string path = dir.filePath("protected.csv").toStdString();
  ASSERT_EQ(cv::WriteFileAtomically(path, "old"), cv::SaveResult::Saved);
  ASSERT_EQ(chown(dir.path().toStdString().c_str(), uid, gid), 0);
  ASSERT_EQ(chown(path.c_str(), uid, gid), 0);
  ASSERT_EQ(chmod(path.c_str(), 0444), 0);
  const cvtest::ChildEnd end = cvtest::RunInChild(
      [&] {
        std::string why;
        if (cv::WriteFileAtomically(path, "new", &why) != cv::SaveResult::NotCreated) return 1;
        return why.empty() ? 2 : 0;
      },
      true);
  EXPECT_TRUE(end.exited && end.code == 0) << end.Text();
  EXPECT_EQ(cvtest::FileBytes(path), "old");
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"protected.csv"});
  // Its own writable copy is replaced as before.
  ASSERT_EQ(chmod(path.c_str(), 0644), 0);
  EXPECT_EQ(cvtest::RunInChild([&] { return cv::WriteFileAtomically(path, "new") == cv::SaveResult::Saved ? 0 : 1; },
                               true).code,
            0);
  EXPECT_EQ(cvtest::FileBytes(path), "new");
}

TEST(IniFile, HostIniPathFollowsTheProgramOrTheOverride) {
  QString exe = QCoreApplication::applicationFilePath();
  cv::SetHostIniPath("");
  qunsetenv("CV_INI_FILE");
  EXPECT_EQ(QString::fromStdString(cv::HostIniPath()), exe + ".INI");  // the test program has no extension
  qputenv("CV_INI_FILE", "/tmp/env.INI");
  EXPECT_EQ(cv::HostIniPath(), "/tmp/env.INI");
  cv::SetHostIniPath("/tmp/set.INI");
  EXPECT_EQ(cv::HostIniPath(), "/tmp/set.INI");
  cv::SetHostIniPath("");
  qunsetenv("CV_INI_FILE");
}

class RegistryTest : public ::testing::Test {
 protected:
  void SetUp() override {
    oldXdg = qgetenv("XDG_CONFIG_HOME");
    qputenv("XDG_CONFIG_HOME", dir.path().toUtf8());
    cv::SetRegistryFile("");
  }
  void TearDown() override { qputenv("XDG_CONFIG_HOME", oldXdg); }
  QTemporaryDir dir;
  QByteArray oldXdg;
};

TEST_F(RegistryTest, TypedValuesMissingAndWrongType) {
  EXPECT_EQ(cv::RegistryFile(), dir.filePath("CvTools/registry.ini").toStdString());
  EXPECT_FALSE(cv::RegKey::Open("Software\\Tessary\\CvTools\\Editor", false));
  auto key = cv::RegKey::Open("Software\\Tessary\\CvTools\\Editor", true);
  ASSERT_TRUE(key);
  EXPECT_TRUE(QFile::exists(dir.filePath("CvTools/registry.ini")));

  std::string odd = std::string(" lead=[x];\"q\\\n\t\x01\xe9 trail ", 24);
  std::vector<uint8_t> bytes{0, 1, 0xFF, '=', '\n'};
  ASSERT_TRUE(key->WriteString("Font Name", odd));
  ASSERT_TRUE(key->WriteInteger("Size", -12));
  ASSERT_TRUE(key->WriteBool("Wrap", true));
  ASSERT_TRUE(key->WriteBinary("Pos", bytes));

  // Another opening, as a plug-in would make, with names in another case.
  auto again = cv::RegKey::Open("software/tessary/cvtools/EDITOR", false);
  ASSERT_TRUE(again);
  std::string s;
  int32_t n = 0;
  bool b = false;
  std::vector<uint8_t> bin;
  EXPECT_EQ(again->ReadString("font name", s), cv::RegRead::Ok);
  EXPECT_EQ(s, odd);
  EXPECT_EQ(again->ReadInteger("SIZE", n), cv::RegRead::Ok);
  EXPECT_EQ(n, -12);
  EXPECT_EQ(again->ReadBool("Wrap", b), cv::RegRead::Ok);
  EXPECT_TRUE(b);
  EXPECT_EQ(again->ReadBool("Size", b), cv::RegRead::Ok);  // integers and booleans share a type
  EXPECT_EQ(again->ReadBinary("Pos", bin), cv::RegRead::Ok);
  EXPECT_EQ(bin, bytes);

  s = "untouched";
  EXPECT_EQ(again->ReadString("Nothing", s), cv::RegRead::Missing);
  EXPECT_EQ(again->ReadString("Size", s), cv::RegRead::WrongType);
  EXPECT_EQ(s, "untouched");
  EXPECT_EQ(again->ReadBool("Font Name", b), cv::RegRead::WrongType);
  EXPECT_EQ(again->ReadBinary("Wrap", bin), cv::RegRead::WrongType);
  EXPECT_EQ(again->ReadInteger("Pos", n), cv::RegRead::WrongType);

  // Other keys are untouched by writes to this one.
  auto other = cv::RegKey::Open("Software\\Tessary\\CvTools\\Terminal", true);
  ASSERT_TRUE(other && other->WriteString("Port", "COM1"));
  EXPECT_EQ(key->ReadString("Font Name", s), cv::RegRead::Ok);
  EXPECT_EQ(s, odd);
}

// A profile file has no line for a value without a name: such a write is refused, not lost.
TEST_F(RegistryTest, ValueWithoutANameIsRefused) {
  auto key = cv::RegKey::Open("Software\\Runtime\\Locales", true);
  ASSERT_TRUE(key);
  EXPECT_FALSE(key->WriteString("", "esp"));
  EXPECT_FALSE(key->WriteInteger("", 1));
  std::string s;
  EXPECT_EQ(key->ReadString("", s), cv::RegRead::Missing);
  EXPECT_TRUE(key->WriteString("/opt/CvTools", "esp"));
  EXPECT_EQ(key->ReadString("/opt/CvTools", s), cv::RegRead::Ok);
  EXPECT_EQ(s, "esp");
}

TEST_F(RegistryTest, StoreThatCannotBeWrittenOpensNoKey) {
  ASSERT_TRUE(QDir(dir.path()).mkpath("CvTools/registry.ini"));
  EXPECT_FALSE(cv::RegKey::Open("Software\\Tessary\\CvTools\\AddOnKit", true));
}

TEST(Separators, OverrideThenEnvironmentThenLocale) {
  QTemporaryDir dir;
  QString ini = dir.filePath("s.INI");
  cv::SetHostIniPath(ini.toStdString());
  qunsetenv("CV_SDECIMAL");
  qunsetenv("CV_SLIST");

  QFile f(ini);
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  f.write("[intl]\nsDecimal=.\n");
  f.close();
  cv::ReloadSeparators();
  EXPECT_EQ(cv::DecimalSeparator(), '.');
  EXPECT_EQ(cv::ListSeparator(), ',');

  QFile::remove(ini);
  qputenv("CV_SDECIMAL", ",");
  qputenv("CV_SLIST", "\t");
  cv::ReloadSeparators();
  EXPECT_EQ(cv::DecimalSeparator(), ',');
  EXPECT_EQ(cv::ListSeparator(), '\t');
  qunsetenv("CV_SLIST");
  cv::ReloadSeparators();
  EXPECT_EQ(cv::ListSeparator(), ';');

  qunsetenv("CV_SDECIMAL");
  cv::ReloadSeparators();
  if (QLocale::system().language() == QLocale::C) {
    EXPECT_EQ(cv::DecimalSeparator(), ',');
    EXPECT_EQ(cv::ListSeparator(), ';');
  } else {
    EXPECT_EQ(cv::ListSeparator(), cv::DecimalSeparator() == ',' ? ';' : ',');
  }
  cv::SetHostIniPath("");
  cv::ReloadSeparators();
}

TEST(AppServices, IdleHandlerRunsWhenTheLoopWaitsNotInPumpedWaits) {
  int runs = 0;
  cv::SetIdleHandler([&] { ++runs; });
  cv::ProcessEvents();
  EXPECT_EQ(runs, 0);
  QEventLoop loop;
  QTimer::singleShot(20, &loop, &QEventLoop::quit);
  loop.exec();
  EXPECT_GE(runs, 1);
  EXPECT_LT(runs, 50);  // it waits between runs rather than spinning
  cv::SetIdleHandler({});
  EXPECT_FALSE(cv::HasIdleHandler());
}

// A window's hint reaches the hint handler, and goes when that window closes; another window
// closing leaves it.
TEST(AppServices, HintGoesWithTheWindowThatGaveIt) {
  QStringList hints;
  cv::SetHintHandler([&hints](const QString& h) { hints << h; });
  QWidget main;
  QDialog dialog(&main), other(&main);
  auto* button = new QPushButton(&dialog);
  main.show();
  dialog.show();
  other.show();
  QStatusTipEvent tip(QStringLiteral("Select the option"));
  QApplication::sendEvent(button, &tip);
  EXPECT_EQ(hints, QStringList{"Select the option"});
  other.hide();
  EXPECT_EQ(hints, QStringList{"Select the option"});
  dialog.hide();
  EXPECT_EQ(hints, QStringList({"Select the option", ""}));
  dialog.show();
  dialog.hide();  // its hint has gone already
  EXPECT_EQ(hints.size(), 2);
  cv::SetHintHandler(nullptr);
}

TEST(AppServices, RecordingPrompterStandsInForTheBoxes) {
  {
    cv::RecordingPrompter p;
    p.answers.push_back(cv::MsgAnswer::Cancel);
    EXPECT_EQ(cv::AskYesNoCancel("CvTools", "Save?"), cv::MsgAnswer::Cancel);
    EXPECT_EQ(cv::AskYesNo("CvTools", "Sure?"), cv::MsgAnswer::Yes);
    cv::ShowWarning("Warning", "w");
    cv::Beep();
    ASSERT_EQ(p.shown.size(), 3u);
    EXPECT_EQ(p.shown[0].buttons, cv::MsgYes | cv::MsgNo | cv::MsgCancel);
    EXPECT_EQ(p.shown[2].icon, cv::MsgIcon::Warning);
    EXPECT_EQ(p.shown[2].caption, "Warning");
    EXPECT_EQ(p.beeps, 1);
    EXPECT_EQ(&cv::CurrentPrompter(), &p);
  }
  EXPECT_EQ(dynamic_cast<cv::RecordingPrompter*>(&cv::CurrentPrompter()), nullptr);
}

TEST(Help, PageNamesAndSections) {
  const std::pair<const char*, const char*> rows[] = {
      {"help\\CvTools.hlp", "help/CvTools.html"},
      {"CvTools.hlp", "CvTools.html"},
      {"help\\sub\\Cv3Tools.HLP", "help/sub/Cv3Tools.html"},
      {"help\\NoExt", "help/NoExt.html"},
  };
  for (auto& [in, out] : rows) EXPECT_EQ(cv::HelpPagePath(in), out) << in;

  RecordingOpener opener;
  QTemporaryDir dir;
  QString old = QDir::currentPath();
  QDir::setCurrent(dir.path());
  EXPECT_EQ(cv::OpenHelp("", cv::HelpCommand::Contents), cv::HelpResult::NoHelpFile);
  EXPECT_EQ(cv::OpenHelp("help\\X.hlp", cv::HelpCommand::Contents), cv::HelpResult::Missing);
  QDir().mkdir("help");
  QFile f("help/X.html");
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  f.close();
  EXPECT_EQ(cv::OpenHelp("help\\X.hlp", cv::HelpCommand::Search), cv::HelpResult::Opened);
  EXPECT_EQ(cv::OpenHelp("help\\X.hlp", cv::HelpCommand::HowToUse), cv::HelpResult::Opened);
  QDir::setCurrent(old);
  ASSERT_EQ(opener.urls.size(), 2u);
  EXPECT_EQ(opener.urls[0].fragment(), "index");
  EXPECT_EQ(opener.urls[1].fragment(), "using-help");
  EXPECT_TRUE(opener.urls[0].toLocalFile().endsWith("/help/X.html"));
}

}  // namespace
