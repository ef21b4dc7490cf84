#include <gtest/gtest.h>

#include <QAction>
#include <QDir>
#include <QFile>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <QMessageBox>

#include "About.h"
#include "AppServices.h"
#include "ModalHelper.h"
#include "Csvview.h"
#include "FindDialog.h"
#include "HostHome.h"
#include "IniFile.h"
#include "Language.h"
#include "LanguageModule.h"
#include "Mainform.h"
#include "Messages.h"
#include "Registry.h"
#include "Scratchpad.h"

namespace {

TEST(Languages, MarkersAndIniValues) {
  const std::pair<const char*, int> markers[] = {
      {"CODELANG_0902", 0}, {"CODELANG_1001", 1}, {"CODELANG_0301", 2}, {"CODELANG_0701", 3},
      {"CODELANG_1201", 4}, {"CODELANG_1601", 5}, {"CODELANG_9999", 0}, {"", 0}};
  for (auto [marker, index] : markers) EXPECT_EQ(cv::LanguageIndexOfMarker(marker), index) << marker;
  const std::pair<const char*, int> values[] = {{"eng", 0}, {"ESP", 1}, {"Cat", 2}, {"fra", 4}, {"DEU", 3},
                                                {"ita", -1}, {"auto", -1}, {"AUTO", -1}, {"", -1}};
  for (auto [value, index] : values) EXPECT_EQ(cv::LanguageIndexOfIniValue(value), index) << value;
}

// The comment of the shipped INI file is all a technician reads about the key: every language it
// names is taken, and every language the key takes is named.
TEST(Languages, ShippedIniCommentNamesEveryLanguageTheKeyTakes) {
  QFile f(QStringLiteral(CV_TEST_SUPPORT_DIR "/../../resources/bin/CvTools.INI"));
  ASSERT_TRUE(f.open(QIODevice::ReadOnly));
  const QStringList lines = QString::fromLatin1(f.readAll()).split('\n');
  const qsizetype key = lines.indexOf(QRegularExpression("^Language=.*"));
  ASSERT_GT(key, 0);
  const QString comment = lines[key - 1];
  ASSERT_TRUE(comment.startsWith(';')) << comment.toStdString();
  for (int i = 0; i < cv::kMenuLanguageCount; ++i) {
    const char* code = cv::LanguageOf(i).code;
    EXPECT_TRUE(comment.contains(QString::fromLatin1(code))) << code;
    EXPECT_EQ(cv::LanguageIndexOfIniValue(code), i) << code;
  }
}

TEST(Languages, ModuleFileNames) {
  QTemporaryDir dir;
  QFile(dir.filePath("CvTools.esp")).open(QIODevice::WriteOnly);
  QFile(dir.filePath("CvTools.DE")).open(QIODevice::WriteOnly);
  std::string program = dir.filePath("CvTools").toStdString();
  EXPECT_EQ(cv::FindLanguageModule(program, "ESP"), dir.filePath("CvTools.esp").toStdString());
  EXPECT_EQ(cv::FindLanguageModule(program, "DEU"), dir.filePath("CvTools.DE").toStdString());
  EXPECT_EQ(cv::FindLanguageModule(program, "FRA"), "");
  // A library's extension gives way to the module's.
  EXPECT_EQ(cv::FindLanguageModule(dir.filePath("CvTools.so").toStdString(), "esp"),
            dir.filePath("CvTools.esp").toStdString());
  EXPECT_EQ(cv::LocaleAbbreviation(0x040A), "ESP");
  EXPECT_EQ(cv::LocaleAbbreviation(0x0809), "ENG");
}

// The program runs from `home` (its INI file, log and registry store there); its language
// modules are those built beside the real program unless a test moves the program elsewhere.
class LanguageTest : public ::testing::Test {
 protected:
  void SetUp() override {
    cv::SetProgramPath(std::string(CV_BIN_DIR) + "/CvTools");
    Restart();
  }
  void TearDown() override {
    Restart();
    cv::SetProgramPath("");
  }
  // What a new process starts with: English, then the run-time's per-user override.
  static void Restart() {
    cv::ResetLanguageTable();
    cv::SetLanguageInForce("");
  }
  void SetIniLanguage(const char* value) {
    QFile f(home.filePath("CvTools.INI"));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(QByteArray("[OverwriteLanguage]\nLanguage=") + value + "\n");
  }
  static int CheckedItem(TMainForm& w) {
    for (int i = 0; i < 5; ++i)
      if (w.LanguageItems[i]->isChecked()) return i;
    return -1;
  }

  HostHome home;
  cv::RecordingPrompter prompter;
};

TEST_F(LanguageTest, IniAsksForSpanishInUpperCase) {
  SetIniLanguage("ESP");
  TMainForm w;
  EXPECT_EQ(w.languageIndex, 1);
  EXPECT_EQ(CheckedItem(w), 1);
  EXPECT_EQ(cv::Msg(6666), "CODELANG_1001");
  EXPECT_EQ(cv::LanguageInForce(), "esp");
  EXPECT_EQ(w.File1->title(), QStringLiteral("&Archivo"));
  EXPECT_EQ(w.DetectBtn->text(), QStringLiteral("Detectar"));
  // A text the module lacks falls back to English.
  EXPECT_EQ(cv::Msg(30001), "CORVANE Tools");
  EXPECT_TRUE(prompter.shown.empty());
}

TEST_F(LanguageTest, IniChoosesEveryLanguageOfTheMenu) {
  for (int index = 1; index < cv::kMenuLanguageCount; ++index) {
    const cv::LanguageRow& row = cv::LanguageOf(index);
    SetIniLanguage(row.code);
    {
      TMainForm w;
      EXPECT_EQ(CheckedItem(w), index) << row.code;
      EXPECT_EQ(cv::Msg(6666), row.marker) << row.code;
      EXPECT_EQ(cv::LanguageInForce(), row.code);
    }
    Restart();
  }
  EXPECT_TRUE(prompter.shown.empty());
}

TEST_F(LanguageTest, IniValuesWithoutAModuleChoiceChangeNothing) {
  for (const char* value : {"ita", "auto", "klingon"}) {
    SetIniLanguage(value);
    TMainForm w;
    EXPECT_EQ(w.languageIndex, 0) << value;
    EXPECT_EQ(CheckedItem(w), 0) << value;
    EXPECT_EQ(cv::Msg(6666), "CODELANG_0902") << value;
  }
}

TEST_F(LanguageTest, MenuChoicePersistsAcrossARestartFromAnotherDirectory) {
  SetIniLanguage("auto");
  {
    TMainForm w;
    EXPECT_EQ(w.languageIndex, 0);
    w.LanguageItems[1]->trigger();
    EXPECT_EQ(w.languageIndex, 1);
    EXPECT_EQ(CheckedItem(w), 1);
    EXPECT_EQ(w.File1->title(), QStringLiteral("&Archivo"));
  }
  Restart();
  QTemporaryDir elsewhere;
  QDir::setCurrent(elsewhere.path());
  ASSERT_TRUE(cv::LoadStartupLanguage());
  TMainForm again;
  EXPECT_EQ(again.languageIndex, 1);
  EXPECT_EQ(CheckedItem(again), 1);
  EXPECT_EQ(again.File1->title(), QStringLiteral("&Archivo"));

  // Back to English: the next start is English again.
  again.LanguageItems[0]->trigger();
  EXPECT_EQ(again.File1->title(), QStringLiteral("&File"));
  Restart();
  EXPECT_TRUE(cv::LoadStartupLanguage());
  EXPECT_EQ(cv::Msg(6666), "CODELANG_0902");
}

TEST_F(LanguageTest, OverrideIsKeyedByTheProgramsRealPath) {
  QString link = home.filePath("CvToolsLink");
  ASSERT_TRUE(QFile::link(QStringLiteral(CV_BIN_DIR "/CvTools"), link));
  ASSERT_TRUE(cv::WriteLocaleOverride(link.toStdString(), "esp"));
  EXPECT_EQ(cv::ReadLocaleOverride(std::string(CV_BIN_DIR) + "/CvTools"), "esp");
}

TEST_F(LanguageTest, MissingModuleIsDetectedOnceWithoutRetrying) {
  QTemporaryDir bare;  // a program with no language modules beside it
  cv::SetProgramPath(bare.filePath("CvTools").toStdString());
  SetIniLanguage("esp");
  TMainForm w;  // returns: the INI's missing language is not asked for again
  EXPECT_EQ(w.languageIndex, 0);
  EXPECT_EQ(CheckedItem(w), 0);
  EXPECT_EQ(cv::LanguageInForce(), "eng");
  EXPECT_EQ(cv::ReadLocaleOverride(bare.filePath("CvTools").toStdString()), "");

  w.LanguageItems[4]->trigger();  // Français: missing too
  EXPECT_EQ(w.languageIndex, 0);
  EXPECT_EQ(CheckedItem(w), 0);
  EXPECT_EQ(w.File1->title(), QStringLiteral("&File"));
}

TEST_F(LanguageTest, ItalianMarkerChecksNoMenuItem) {
  QTemporaryDir other;
  QFile module(other.filePath("CvTools.ita"));
  ASSERT_TRUE(module.open(QIODevice::WriteOnly));
  module.write("6666\tCODELANG_1601\n30050\t&File (it)\n");
  module.close();
  cv::SetProgramPath(other.filePath("CvTools").toStdString());
  ASSERT_TRUE(cv::WriteLocaleOverride(other.filePath("CvTools").toStdString(), "ita"));
  ASSERT_TRUE(cv::LoadStartupLanguage());
  TMainForm w;
  EXPECT_EQ(w.languageIndex, 5);
  EXPECT_EQ(CheckedItem(w), -1);
  EXPECT_EQ(w.File1->title(), QStringLiteral("&File (it)"));
}

TEST_F(LanguageTest, OpenFormsFollowTheSwitch) {
  TMainForm w;
  TScratchPad pad;
  TCSVViewer viewer(&w);
  w.LanguageItems[1]->trigger();
  EXPECT_EQ(pad.windowTitle(), QStringLiteral("Editor CvTools"));
  EXPECT_EQ(pad.FileMenu->title(), QStringLiteral("&Archivo"));
  EXPECT_EQ(viewer.windowTitle(), QStringLiteral("Visor CSV"));
  EXPECT_EQ(pad.FindDlg->windowTitle(), QStringLiteral("Buscar"));
  w.LanguageItems[0]->trigger();
  EXPECT_EQ(pad.windowTitle(), QStringLiteral("CvTools Editor"));
  EXPECT_EQ(viewer.windowTitle(), QStringLiteral("CSV Viewer"));
}

// The About box and the buttons of the real message boxes follow the switch too.
TEST_F(LanguageTest, AboutBoxAndMessageBoxButtonsFollowTheSwitch) {
  TMainForm w;
  TAboutBox about;
  auto buttonTexts = [] {
    QStringList texts;
    cvtest::WhenModal<QMessageBox>([&texts](QMessageBox* box) {
      for (QAbstractButton* b : box->buttons()) texts << b->text();
      box->reject();
    });
    cv::SetPrompter(nullptr);  // the real boxes
    cv::AskYesNoCancel("caption", "text");
    texts.sort();
    return texts;
  };
  w.LanguageItems[1]->trigger();
  EXPECT_EQ(about.OKButton->text(), QStringLiteral("Aceptar"));
  EXPECT_EQ(about.Copyright->text(), QStringLiteral("Proyecto CvTools. De uso y distribución libres."));
  EXPECT_EQ(buttonTexts(), (QStringList{"&No", "&Sí", "Cancelar"}));
  w.LanguageItems[0]->trigger();
  EXPECT_EQ(about.OKButton->text(), QStringLiteral("OK"));
  EXPECT_EQ(buttonTexts(), (QStringList{"&No", "&Yes", "Cancel"}));
  cv::SetPrompter(&prompter);
}

TEST_F(LanguageTest, PluginSideLoadsItsOwnModuleOfTheLanguageInForce) {
  // The code linked into this test program stands for a plug-in: its module sits beside it.
  std::string self = cv::ThisBinaryPath();
  ASSERT_FALSE(self.empty());
  QString module = QString::fromStdString(self) + ".esp";
  {
    QFile f(module);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("6666\tCODELANG_1001\n1293\tListo\n");
  }
  cv::SetLanguageInForce("esp");
  EXPECT_TRUE(cv::LoadLanguageOfHost());
  EXPECT_EQ(cv::Msg(1293), "Listo");
  cv::SetLanguageInForce("eng");
  EXPECT_FALSE(cv::LoadLanguageOfHost());
  EXPECT_EQ(cv::Msg(1293), "Ready");
  cv::SetLanguageInForce("fra");  // no module: English
  EXPECT_FALSE(cv::LoadLanguageOfHost());
  EXPECT_EQ(cv::Msg(6666), "CODELANG_0902");
  QFile::remove(module);
}

}  // namespace

namespace {

TEST_F(LanguageTest, SwitchWhileThePluginIsLoadedReloadsItInTheNewLanguage) {
  for (const char* file : {"Cv3Tools.so", "Cv3Tools.esp"})
    ASSERT_TRUE(QFile::copy(QString(CV_BIN_DIR "/") + file, home.filePath(file))) << file;
  TMainForm w;
  w.SetDllName("Cv3Tools");
  ASSERT_TRUE(w.LoadEquipmentDll());
  int before = w.LogMemo->toPlainText().split('\n').size();
  w.LanguageItems[1]->trigger();
  QStringList added = w.LogMemo->toPlainText().split('\n').mid(before);
  ASSERT_GE(added.size(), 3) << added.join(" | ").toStdString();
  EXPECT_EQ(added[0], "Liberando biblioteca...");
  EXPECT_EQ(added[1], "Cargando biblioteca...");
  EXPECT_TRUE(added.contains("Biblioteca Cv3Tools 1.22 cargada")) << added.join(" | ").toStdString();
  EXPECT_NE(w.equipment, nullptr);
  w.FreeEquipmentDll();
}

}  // namespace
