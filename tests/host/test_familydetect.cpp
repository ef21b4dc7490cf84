// The families that derive from the framework's equipment object, each found by detection on
// COM3 through [Ports] and bound to its plug-in, and selected without an instrument.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>

#include "AppServices.h"
#include "HostHome.h"
#include "Mainform.h"
#include "Profiles.h"
#include "Selectdlg.h"
#include "Serial.h"
#include "Simulator.h"
#include "ToolButtons.h"

namespace {

struct Family {
  const char* profile;
  const char* plugin;      // its file, and its name in the selection list upper-cased
  const char* model;
  const char* version;     // as the detection lines give it
  const char* loadedLine;  // the plug-in's first line
  int modelCode;
};

const Family kFamilies[] = {
    {"corvane4", "Cv4Tools", "CORVANE-4", "2.00", "Library Cv4Tools 1.16 loaded", 6},
    {"dv8", "DV8Tools", "DV-800", "2.50", "Library DV8Tools 1.14 loaded", 8},
};

class FamilyDetect : public ::testing::TestWithParam<Family> {
 protected:
  void SetUp() override {
    ASSERT_TRUE(home.isValid());
    for (QString f : {QString(GetParam().plugin) + ".so", QString("CvTools.cfg")})
      ASSERT_TRUE(QFile::copy(QString(CV_BIN_DIR) + "/" + f, home.filePath(f))) << f.toStdString();
    sim = std::make_unique<cvsim::Simulator>(cvsim::MakeProfile(GetParam().profile));
    std::string error;
    ASSERT_TRUE(sim->Start(&error)) << error;
    QFile ini(home.filePath("CvTools.INI"));
    ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
    ini.write(("[Ports]\nCOM1=" + home.Path("no-such-device") + "\nCOM2=" + home.Path("no-such-device-either") +
               "\nCOM3=" + sim->Path() + "\n")
                  .c_str());
  }
  QStringList Lines(TMainForm& w) const { return LogLines(w); }
  static std::vector<bool> Enabled(TMainForm& w) { return ToolButtonsEnabled(w); }

  HostHome home;
  std::unique_ptr<cvsim::Simulator> sim;
  cv::RecordingPrompter prompter;
};

}  // namespace

TEST_P(FamilyDetect, FoundOnCom3AndBoundToItsPlugin) {
  const Family& f = GetParam();
  const QString found = QString("%1 v%2").arg(f.model, f.version);
  {
    TMainForm w;
    w.DetectBtnClick();
    QStringList lines = Lines(w);
    lines = lines.mid(lines.lastIndexOf("Searching equipment..."));
    EXPECT_EQ(lines, QStringList({"Searching equipment...", "COM1 not available.", "COM2 not available.",
                                  "COM3(19200) -> " + found, found + " ready in COM3 (19200)",
                                  "Loading library...", f.loadedLine}));
    EXPECT_EQ(w.LabelEquip->text(), f.model);
    EXPECT_EQ(w.modelCode, f.modelCode);
    ASSERT_NE(w.equipment, nullptr);
    EXPECT_STREQ(w.equipment->modelName, f.model);
    EXPECT_FALSE(w.equipment->HasChannelIdentifier());
    w.UpdateTools();
    EXPECT_EQ(Enabled(w), std::vector<bool>({true, true, true, true, true, true, true, false}));
    EXPECT_TRUE(prompter.shown.empty());
    sim->WaitTxIdle();
    // Identification only: the plug-in sends nothing when it loads (no tuner probe).
    for (const std::string& line : sim->Lines()) EXPECT_TRUE(line == "*?VE" || line == "*?NA" || line == "*") << line;
  }  // the main window unloads the plug-in
}

TEST_P(FamilyDetect, SelectedWithoutAnInstrumentOnlyTheEditors) {
  const Family& f = GetParam();
  TMainForm w;
  QTimer::singleShot(0, &w, [&f] {
    auto* dlg = qobject_cast<TSelectEquipmentDlg*>(QApplication::activeModalWidget());
    ASSERT_NE(dlg, nullptr);
    const int at = dlg->ListDLLsComboBox->findText(QString(f.plugin).toUpper());
    ASSERT_GE(at, 0);
    dlg->ListDLLsComboBox->setCurrentIndex(at);
    dlg->OKBtn->click();
  });
  w.SelectBtnClick();
  ASSERT_NE(w.equipment, nullptr);
  EXPECT_EQ(w.port, nullptr);
  EXPECT_EQ(Lines(w).last(), f.loadedLine);
  EXPECT_FALSE(w.equipment->HasChannelIdentifier());
  w.UpdateTools();
  EXPECT_EQ(Enabled(w), std::vector<bool>({true, true, false, false, false, false, false, false}));
  w.EditChBtn->click();
  EXPECT_EQ(Lines(w).mid(Lines(w).size() - 2),
            QStringList({"Executing Channel Editor (without equipment)", "Channel Editor closed. Ready"}));
  sim->WaitTxIdle();
  EXPECT_EQ(sim->Received(), "");
}

INSTANTIATE_TEST_SUITE_P(Families, FamilyDetect, ::testing::ValuesIn(kFamilies),
                         [](const ::testing::TestParamInfo<Family>& i) { return std::string(i.param.profile); });
