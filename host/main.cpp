// CvTools: remote control of TV and satellite signal meters.
#include <QApplication>

#include "About.h"
#include "Help.h"
#include "Language.h"
#include "Mainform.h"
#include "ProcessSetup.h"
#include "Scratchpad.h"
#include "Splash.h"

int main(int argc, char** argv) {
  cv::SetUpProcess();
  QApplication app(argc, argv);
  // The language chosen at the last run, before any form exists.
  cv::LoadStartupLanguage();

  auto* splash = new TMySplash;
  splash->show();
  splash->repaint();
  QApplication::processEvents();

  cv::SetAppHelpFile("");

  TMainForm mainForm;
  TAboutBox aboutBox;
  TScratchPad scratchPad;

  splash->hide();
  delete splash;
  mainForm.show();
  return app.exec();
}
