// Every way out of a CORVANE family's channel-plan editor opened from the main window: with a
// plan made by New, Esc and the window's close box ask the save question as Close does; Cancel
// keeps the editor open with the plan, No lets it go.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <functional>

#include "AppServices.h"
#include "FamilyOnCom3.h"
#include "HostHome.h"
#include "ModalSteps.h"
#include "ToolButtons.h"

namespace {

using namespace hoststeps;

struct Family {
  const char* plugin;
  const char* profile;
  const char* item;  // in the Select list
};

const Family kFamilies[] = {
    {"Cv3Tools", "corvane3", "CV3TOOLS"}, {"Cv4Tools", "corvane4", "CV4TOOLS"}, {"DV8Tools", "dv8", "DV8TOOLS"},
    {"CvPlenar", "plenar", "CVPLENAR"},   {"Cv2Tools", "corvane2", "CV2TOOLS"},
};

// Esc goes where a person's key goes: to the control with the focus, and from there to the form.
void PressEscape(QWidget* dlg) {
  QWidget* focused = QApplication::focusWidget();
  QTest::keyClick(focused && dlg->isAncestorOf(focused) ? focused : dlg, Qt::Key_Escape);
}

TEST(PlanEditorExits, EscAndTheCloseBoxAskToSaveInEveryFamily) {
  for (const Family& f : kFamilies) {
    SCOPED_TRACE(f.plugin);
    HostHome home;
    std::unique_ptr<cvsim::Simulator> sim;
    ASSERT_NO_FATAL_FAILURE(PlaceFamilyOnCom3(home, f.plugin, f.profile, sim));
    cv::RecordingPrompter prompter;
    TMainForm w;
    ASSERT_NO_FATAL_FAILURE(SelectOffline(w, f.item));
    struct Way {
      const char* name;
      std::function<void(QWidget*)> leave;
    } ways[] = {
        {"Esc", PressEscape},
        {"close box", [](QWidget* dlg) { dlg->close(); }},
    };
    bool ranSteps = false, closed = false;
    OnNextModal([&](QWidget* dlg) {
      Child<QPushButton>(dlg, "NewBtn")->click();
      auto* list = Child<QListWidget>(dlg, "ChanPlanListBox");
      const QStringList plans = Items(list);
      ASSERT_FALSE(plans.isEmpty());
      for (const Way& way : ways) {
        SCOPED_TRACE(way.name);
        prompter.shown.clear();
        prompter.answers = {cv::MsgAnswer::Cancel};
        way.leave(dlg);
        EXPECT_TRUE(dlg->isVisible());
        ASSERT_EQ(prompter.shown.size(), 1u);
        EXPECT_EQ(prompter.shown[0].text, "Data has been modified\nDo you want to save?");
        EXPECT_EQ(prompter.shown[0].caption, "Warning");
        EXPECT_EQ(Items(list), plans) << "the edits stay";
      }
      ranSteps = true;
      prompter.shown.clear();
      prompter.answers = {cv::MsgAnswer::No};
      PressEscape(dlg);
      closed = !dlg->isVisible();
      EXPECT_EQ(prompter.shown.size(), 1u);
      if (!closed) Child<QPushButton>(dlg, "CloseBtn")->click();
    });
    w.EditChBtn->click();
    EXPECT_TRUE(ranSteps);
    EXPECT_TRUE(closed) << "No lets the editor go";
  }
}

}  // namespace
