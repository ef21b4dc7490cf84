// The firmware update dialog: the update-script check, and runs of update scripts through the
// script engine against the simulated instrument.
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include "FileDialogs.h"
#include "Messages.h"
#include "MsgIds.h"
#include "ScriptCore.h"
#include "SettingsFixture.h"
#include "Text1252.h"
#include "UpdateScript.h"
#include "Updatedlg.h"

namespace {

using cvsim::Corvane3Profile;

TEST(UpdateScriptCheck, WhichLinesNameAnUpdateFile) {
  struct Case {
    std::string text;
    bool found;
    std::string file;
  } cases[] = {
      {"SENDHEX fw.upd *HX\n", true, " fw.upd"},
      {" \tSENDHEX  Fw.Upd\n", true, "  Fw.Upd"},
      {"# comment\n\nPLAN 1\nSENDHEX new.upd *HX\nSENDHEX other.upd *HX\n", true, " new.upd"},
      {"sendhex fw.upd *HX\n", false, ""},
      {"SENDHEX fw.hex *HX\n", false, ""},
      {"SENDHEX\n", false, ""},
      {"SENDHEXfw.upd\n", false, ""},
      {"SENDHEX fw\n", false, ""},
      {"SENDHEX fw.up", false, ""},
      {"SENDHEX ..\\fw.upd\n", false, ""},  // the first '.' decides
      {"SENDHEX fw.upd", true, " fw.upd"},
      {"SENDHEX fw.hex\nSENDHEX fw.upd\r\n", true, " fw.upd"},
      // Lines are read in pieces of 254 characters: the rest of a long line is a line of its own.
      {std::string(254, 'x') + "SENDHEX fw.upd\n", true, " fw.upd"},
      {std::string(253, 'x') + "SENDHEX fw.upd\n", false, ""},
      {"", false, ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text.substr(0, 40));
    std::string file;
    EXPECT_EQ(cv::settings::FindUpdateLine(c.text, file), c.found);
    if (c.found) {
      EXPECT_EQ(file, c.file);
    }
  }
}

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

class UpdateSim : public SettingsSim {
 protected:
  void SetUp() override {
    SettingsSim::SetUp();
    dlg = std::make_unique<TUpdateFirmDlg>(&host.form, equip.get());
  }
  void Write(const std::string& name, const std::string& text) { std::ofstream(start.Path(name.c_str())) << text; }
  void Choose(const std::string& name) {
    dlg->chooseScript = [this, name] { return QString::fromStdString(start.Path(name.c_str())); };
  }
  QStringList Zone() const { return dlg->LogZone->toPlainText().split('\n', Qt::SkipEmptyParts); }
  std::string Version() {
    Settle();
    char reply[256];
    EXPECT_TRUE(equip->Query("*?VE", reply));
    return reply;
  }
  // What reached the instrument apart from the port's wake line, which may arrive late under load.
  std::vector<std::string> LinesBesidesWake() const {
    std::vector<std::string> lines = sim->Lines();
    std::erase(lines, std::string("*"));
    return lines;
  }
  static constexpr const char* kUpdate = ":0400000001020304F2\n:0400040005060708DE\n:00000001FF\n";
  std::unique_ptr<TUpdateFirmDlg> dlg;
};

TEST_F(UpdateSim, UpdateRunSendsTheFileAndReadsTheNewVersion) {
  Write("upd.pro", "# new firmware\nSENDHEX fw.upd *HX\n");
  Write("fw.upd", kUpdate);
  Choose("upd.pro");
  dlg->StartBtn->click();
  EXPECT_EQ(Sent("*HX"), (std::vector<std::string>{"*HX:0400000001020304F2", "*HX:0400040005060708DE", "*HX:00000001FF"}));
  const QStringList log = Log();
  ASSERT_GE(log.size(), 2);
  EXPECT_EQ(log[0], "PRO file found: upd.pro,");
  EXPECT_EQ(log[1], "with updating file:  fw.upd");
  EXPECT_EQ(log.mid(log.size() - 2), (QStringList{"Updating successful", "New version:  V2.20"})) << log.join("|").toStdString();
  EXPECT_EQ(Zone().mid(Zone().size() - 2), (QStringList{"Updating successful", "New version:  V2.20"}));
  EXPECT_TRUE(dlg->StartBtn->isEnabled());
  EXPECT_TRUE(dlg->CloseBtn->isEnabled());
  const std::string transcript = ReadFile(start.Path("upd.LOG"));
  EXPECT_NE(transcript.find("SENDHEX fw.upd *HX"), std::string::npos) << transcript;
  EXPECT_TRUE(prompter.shown.empty());
}

// The script picked in the tools' open dialog, its update file beside it in a folder that is not
// the working directory, folder and names not ASCII: the choice makes the script's folder the
// working directory, where SENDHEX finds the file.
TEST_F(UpdateSim, UpdateFileBesideAScriptInAnotherFolder) {
  const QString folder = start.filePath(QString::fromUtf8("mises à jour"));
  ASSERT_TRUE(QDir().mkpath(folder));
  const QString script = folder + QString::fromUtf8("/nouvelle #1.pro");
  for (const auto& [path, text] : {std::pair{script, std::string("SENDHEX fw\xC3\xA9.upd *HX\n")},
                                   std::pair{folder + QString::fromUtf8("/fwé.upd"), std::string(kUpdate)}}) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(text.data(), static_cast<qint64>(text.size()));
  }
  ASSERT_FALSE(QFile::exists(QString::fromUtf8("fwé.upd"))) << "not in the working directory";
  cv::RecordingFileChooser chooser;
  chooser.openAnswers = {{script}};
  dlg->StartBtn->click();
  ASSERT_EQ(chooser.opens.size(), 1u);
  EXPECT_EQ(chooser.opens[0].filter, "PRO files (*.pro)");
  EXPECT_EQ(Sent("*HX"), (std::vector<std::string>{"*HX:0400000001020304F2", "*HX:0400040005060708DE", "*HX:00000001FF"}));
  EXPECT_EQ(Zone().mid(Zone().size() - 2), (QStringList{"Updating successful", "New version:  V2.20"}))
      << Log().join("|").toStdString();
  EXPECT_TRUE(prompter.shown.empty());
}

TEST_F(UpdateSim, CorruptedUpdateFileFailsAndKeepsTheOldVersion) {
  Write("upd.pro", "SENDHEX fw.upd *HX\n");
  Write("fw.upd", ":0400000001020304F2\n:0400040005060708DD\n:00000001FF\n");
  Choose("upd.pro");
  dlg->StartBtn->click();
  EXPECT_EQ(Sent("*HX").size(), 2u) << "the run stops at the refused line";
  EXPECT_TRUE(Log().contains("Error in line number 2:"));
  EXPECT_EQ(Log().back(), "Updating failed");
  EXPECT_EQ(Zone().back(), "Updating failed");
  EXPECT_TRUE(Sent("*?VE").empty()) << "a failed run reads no version";
  EXPECT_TRUE(dlg->StartBtn->isEnabled());
  EXPECT_TRUE(dlg->CloseBtn->isEnabled());
  EXPECT_EQ(Version(), "*VE V2.10");
}

// The log names the update file as the script writes it, as the run's own line about the
// missing file does: a person looks for the same name in both.
TEST_F(UpdateSim, TheLogNamesTheUpdateFileAsTheScriptWritesIt) {
  Write("upd.pro", "SENDHEX Missing.Upd *HX\n");
  Choose("upd.pro");
  dlg->StartBtn->click();
  const QStringList log = Log();
  ASSERT_GE(log.size(), 2);
  EXPECT_EQ(log[1], "with updating file:  Missing.Upd");
  EXPECT_TRUE(log.contains(QString::fromStdString(cv::Msg(cv::msg::ScriptFileMissing)) + "Missing.Upd"))
      << log.join('\n').toStdString();
  EXPECT_EQ(log.back(), "Updating failed");
  EXPECT_TRUE(Sent("*HX").empty());
}

TEST_F(UpdateSim, UnreadableVersionAfterASuccessfulRun) {
  Write("upd.pro", "SENDHEX fw.upd *HX\n");
  Write("fw.upd", kUpdate);
  Profile([](Corvane3Profile& p) { p.fixedReplies["*?VE"] = "*XE V9"; });
  Choose("upd.pro");
  dlg->StartBtn->click();
  EXPECT_EQ(Log().back(), "CvTools couldn't read new equipment version");
  EXPECT_EQ(Zone().back(), "CvTools couldn't read new equipment version");
}

TEST_F(UpdateSim, ScriptsThatAreNoUpdateScriptsAreRefusedWithABox) {
  for (const char* script : {"sendhex fw.upd *HX\n", "SENDHEX fw.hex *HX\n"}) {
    SCOPED_TRACE(script);
    Write("upd.pro", script);
    Write("fw.upd", kUpdate);
    Choose("upd.pro");
    prompter.shown.clear();
    dlg->StartBtn->click();
    ASSERT_EQ(prompter.shown.size(), 1u);
    EXPECT_EQ(prompter.shown[0].text, "The selected file is not an updating file\n");
    EXPECT_EQ(prompter.shown[0].caption, "Error");
    EXPECT_EQ(prompter.shown[0].icon, cv::MsgIcon::Warning);
    EXPECT_TRUE(LinesBesidesWake().empty()) << "nothing is sent";
    EXPECT_TRUE(dlg->StartBtn->isEnabled());
  }
  Choose("missing.pro");
  dlg->StartBtn->click();
  EXPECT_EQ(prompter.shown.size(), 2u) << "an unreadable script is no update script";
}

TEST_F(UpdateSim, AThrowingRunLeavesTheDialogUsable) {
  Write("upd.pro", "SENDHEX fw.upd *HX\n");
  Choose("upd.pro");
  dlg->runScript = [this](const std::string&) -> bool {
    EXPECT_FALSE(dlg->StartBtn->isEnabled());
    EXPECT_FALSE(dlg->CloseBtn->isEnabled());
    throw std::runtime_error("port lost");
  };
  dlg->StartBtn->click();
  EXPECT_EQ(Log().back(), "Updating failed");
  EXPECT_EQ(Zone().back(), "Updating failed");
  ASSERT_EQ(prompter.shown.size(), 1u);
  EXPECT_EQ(prompter.shown[0].text, "The update stopped on an error: port lost");
  EXPECT_TRUE(dlg->StartBtn->isEnabled());
  EXPECT_TRUE(dlg->CloseBtn->isEnabled());
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

// While the update file goes out, the status line says how long it has run and how long it takes
// in all, on three lines. It shows whole in every language, its longest times included, inside
// its frame and clear of the buttons beside it.
TEST_F(UpdateSim, TheSendingTimeShowsWholeInEveryLanguage) {
  for (const char* code : {"", "esp", "cat", "deu", "fra"}) {
    SCOPED_TRACE(code);
    cv::ResetLanguageTable();
    if (*code) {
      ASSERT_TRUE(cv::LoadLanguageTable(std::string(CV_BIN_DIR "/Cv3Tools.") + code));
    }
    TUpdateFirmDlg shown(&host.form, equip.get());
    QLabel* line = shown.RemoteLabel;
    const QString text = cv::From1252(cv::script::Subst(cv::Msg(cv::msg::ScriptSendingTime), {"59:59", "59:59"}));
    line->setText(text);
    const QRect room = line->contentsRect();
    const QRect need = line->fontMetrics().boundingRect(QRect(0, 0, room.width(), 10000),
                                                        static_cast<int>(line->alignment()) | Qt::TextWordWrap, text);
    EXPECT_LE(need.height(), room.height()) << text.toStdString();
    EXPECT_LE(need.width(), room.width()) << text.toStdString();
    EXPECT_TRUE(shown.Bevel2->geometry().contains(line->geometry()));
    for (QWidget* w : std::initializer_list<QWidget*>{shown.StartBtn, shown.HelpBtn, shown.CloseBtn, shown.Gauge})
      EXPECT_FALSE(line->geometry().intersects(w->geometry())) << w->objectName().toStdString();
  }
  cv::ResetLanguageTable();
}

TEST_F(UpdateSim, CancelledChoiceRunsNothingAndTheFormFitsItsControls) {
  dlg->chooseScript = [] { return QString(); };
  dlg->StartBtn->click();
  EXPECT_TRUE(LinesBesidesWake().empty());
  EXPECT_TRUE(Log().isEmpty());
  EXPECT_TRUE(dlg->StartBtn->isEnabled());
  for (QWidget* w : dlg->findChildren<QWidget*>())
    if (w->parentWidget() == dlg.get()) {
      EXPECT_TRUE(dlg->rect().contains(w->geometry())) << w->objectName().toStdString();
    }
  const double k = dlg->logicalDpiX() / 96.0;
  EXPECT_EQ(dlg->LogZone->geometry(), QRect(int(k * 8), int(k * 120), int(k * 547), int(k * 70)));
  EXPECT_EQ(dlg->Gauge->geometry(), QRect(int(k * 8), int(k * 80), int(k * 547), int(k * 30)));
}

}  // namespace
