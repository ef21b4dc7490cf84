// Qt's own dialogs follow the Language menu as the program's texts do: a tool's Save dialog, opened
// from the main window after each menu choice, shows Qt's buttons and captions in that language, and
// English again once English is chosen back.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDialogButtonBox>
#include <QElapsedTimer>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QPushButton>
#include <QTimer>

#include "AppServices.h"
#include "FamilyOnCom3.h"
#include "HostHome.h"
#include "Language.h"
#include "LanguageModule.h"
#include "Mainform.h"
#include "Messages.h"
#include "QtCatalogue.h"

namespace {

struct SaveDialogTexts {
  QString save, cancel, fileName, lookIn, fileType;
};

QString LabelText(QFileDialog* d, const char* name) {
  auto* l = d->findChild<QLabel*>(name);
  return l ? l->text() : QString("<no %1>").arg(name);
}

// Runs `step` on the next modal window other than `under`, waiting on the event loop for it.
bool OnModal(QWidget* under, const std::function<void(QWidget*)>& step) {
  QElapsedTimer since;
  since.start();
  while (since.elapsed() < 20000) {
    QWidget* w = QApplication::activeModalWidget();
    if (w && w != under && w->isVisible()) {
      step(w);
      return true;
    }
    QApplication::processEvents(QEventLoop::AllEvents, 10);
  }
  return false;
}

// The configuration tool of the meter found on COM3, its Save button, and the Save dialog that opens.
SaveDialogTexts ToolSaveDialog(TMainForm& w) {
  SaveDialogTexts seen;
  bool reached = false;
  QTimer::singleShot(0, [&] {
    EXPECT_TRUE(OnModal(nullptr, [&](QWidget* tool) {
      auto* save = tool->findChild<QPushButton*>("SaveBtn");
      if (!save) {
        ADD_FAILURE() << "the tool has no SaveBtn";
        static_cast<QDialog*>(tool)->reject();
        return;
      }
      QTimer::singleShot(0, [&, tool] {
        EXPECT_TRUE(OnModal(tool, [&](QWidget* dlg) {
          auto* d = qobject_cast<QFileDialog*>(dlg);
          if (d && d->objectName() == "SaveDlg") {
            reached = true;
            auto* box = d->findChild<QDialogButtonBox*>("buttonBox");
            if (box && box->button(QDialogButtonBox::Save)) seen.save = box->button(QDialogButtonBox::Save)->text();
            if (box && box->button(QDialogButtonBox::Open)) seen.save = box->button(QDialogButtonBox::Open)->text();
            if (box && box->button(QDialogButtonBox::Cancel)) seen.cancel = box->button(QDialogButtonBox::Cancel)->text();
            seen.fileName = LabelText(d, "fileNameLabel");
            seen.lookIn = LabelText(d, "lookInLabel");
            seen.fileType = LabelText(d, "fileTypeLabel");
          }
          static_cast<QDialog*>(dlg)->reject();
        }));
        static_cast<QDialog*>(tool)->reject();
      });
      save->click();
    }));
  });
  w.ConfigBtn->click();
  EXPECT_TRUE(reached) << "no Save dialog opened";
  return seen;
}

TEST(QtLanguage, ToolSaveDialogFollowsTheLanguageMenu) {
  HostHome home;
  cv::RecordingPrompter prompter;
  std::unique_ptr<cvsim::Simulator> sim;
  ASSERT_NO_FATAL_FAILURE(PlaceFamilyOnCom3(home, "Cv3Tools", "corvane3", sim));
  for (const char* code : {"esp", "cat", "deu", "fra"}) {
    const QString module = QString("Cv3Tools.%1").arg(code);
    ASSERT_TRUE(QFile::copy(QString(CV_BIN_DIR "/") + module, home.filePath(module))) << code;
  }
  cv::SetProgramPath(std::string(CV_BIN_DIR) + "/CvTools");
  ASSERT_TRUE(cv::LoadProgramLanguage(0));
  TMainForm w;
  w.show();
  w.DetectBtnClick();
  ASSERT_NE(w.equipment, nullptr);
  w.UpdateTools();
  ASSERT_TRUE(w.ConfigBtn->isEnabled());

  // Qt's own words, as a user of each language reads them on that dialog.
  struct Case {
    int menuItem;
    SaveDialogTexts want;
  } cases[] = {
      {1, {"&Guardar", "Cancelar", "&Nombre de fichero:", "Ver en:", "Ficheros de tipo:"}},
      {2, {"De&sa", "Cancel·la", "&Nom de fitxer:", "Cerca a:", "Fitxers de tipus:"}},
      {3, {"S&peichern", "Abbrechen", "Datei&name:", "Suchen in:", "Dateien des Typs:"}},
      {4, {"&Enregistrer", "Annuler", "&Nom de fichier :", "Voir dans :", "Fichiers de type :"}},
      {0, {"&Save", "Cancel", "File &name:", "Look in:", "Files of type:"}},
  };
  for (const Case& c : cases) {
    w.LanguageItems[c.menuItem]->trigger();
    ASSERT_EQ(w.languageIndex, c.menuItem);
    w.UpdateTools();
    const SaveDialogTexts seen = ToolSaveDialog(w);
    const std::string lang = cv::LanguageOf(c.menuItem).code;
    EXPECT_EQ(seen.save.toStdString(), c.want.save.toStdString()) << lang;
    EXPECT_EQ(seen.cancel.toStdString(), c.want.cancel.toStdString()) << lang;
    EXPECT_EQ(seen.fileName.toStdString(), c.want.fileName.toStdString()) << lang;
    EXPECT_EQ(seen.lookIn.toStdString(), c.want.lookIn.toStdString()) << lang;
    EXPECT_EQ(seen.fileType.toStdString(), c.want.fileType.toStdString()) << lang;
  }
  cv::SetProgramPath("");
}

// Without Qt's catalogue for a language (a system without the package), the program's texts
// switch and Qt's stay English, with no message.
TEST(QtLanguage, MissingCatalogueKeepsQtEnglish) {
  HostHome home;
  cv::RecordingPrompter prompter;
  cv::SetQtCatalogueDir(home.Path("no-catalogues").c_str());
  cv::SetProgramPath(std::string(CV_BIN_DIR) + "/CvTools");
  EXPECT_TRUE(cv::LoadProgramLanguage(3));
  EXPECT_EQ(cv::LanguageInForce(), "deu");
  EXPECT_EQ(QCoreApplication::translate("QFileDialog", "Look in:"), "Look in:");
  EXPECT_TRUE(prompter.shown.empty());
  cv::SetQtCatalogueDir("");
  EXPECT_TRUE(cv::LoadProgramLanguage(3));
  EXPECT_NE(QCoreApplication::translate("QFileDialog", "Look in:"), "Look in:");
  EXPECT_TRUE(cv::LoadProgramLanguage(0));
  EXPECT_EQ(QCoreApplication::translate("QFileDialog", "Look in:"), "Look in:");
  cv::SetProgramPath("");
}

}  // namespace
