// The CORVANE-PLENAR plan-set editor opened from the main window's button, with the plug-in found
// by detection on COM3 against the simulated meter: its three bands, and Receive filling the
// 64 lines of its plan list.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>

#include "AppServices.h"
#include "FamilyOnCom3.h"
#include "HostHome.h"
#include "Mainform.h"
#include "Simulator.h"
#include "ToolButtons.h"

TEST(PlenarPlanEditorFromHost, OpensOnTheButtonAndReceives) {
  HostHome home;
  std::unique_ptr<cvsim::Simulator> sim;
  ASSERT_NO_FATAL_FAILURE(PlaceFamilyOnCom3(home, "CvPlenar", "plenar", sim));
  cv::RecordingPrompter prompter;
  auto w = std::make_unique<TMainForm>();
  w->DetectBtnClick();
  ASSERT_NE(w->equipment, nullptr);
  w->UpdateTools();
  QString title;
  QStringList bands;
  int listed = -1;
  QString third;
  QTimer::singleShot(0, w.get(), [&] {
    QWidget* dlg = QApplication::activeModalWidget();
    ASSERT_NE(dlg, nullptr);
    title = dlg->windowTitle();
    // The plug-in's forms are of its own copy of the framework: found by their controls' names.
    auto* band = dlg->findChild<QComboBox*>("BandCombo");
    auto* list = dlg->findChild<QListWidget*>("ChanPlanListBox");
    auto* receive = dlg->findChild<QPushButton*>("ReceiveBtn");
    auto* close = dlg->findChild<QPushButton*>("CloseBtn");
    ASSERT_TRUE(band && list && receive && close);
    for (int i = 0; i < band->count(); ++i) bands << band->itemText(i);
    receive->click();
    listed = list->count();
    if (listed > 2) third = list->item(2)->text();
    close->click();
  });
  ASSERT_TRUE(w->EditChBtn->isEnabled());
  w->EditChBtn->click();
  EXPECT_EQ(title, "Channel Plan Editor");
  EXPECT_EQ(bands, (QStringList{"TER", "SAT", "DAB"}));
  EXPECT_EQ(listed, 64);
  EXPECT_TRUE(third.startsWith("DAB")) << third.toStdString();
  EXPECT_TRUE(prompter.shown.empty());
}
